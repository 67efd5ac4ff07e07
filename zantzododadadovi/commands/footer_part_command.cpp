#include "commands/footer_part_command.h"

// Registered from load on; the capture steps come with the template store.
void DefineListFooterPart() {}
