#include "commands/body_command.h"

// Registered from load on; the capture steps come with the distribution dialog.
void DefineListBody() {}
