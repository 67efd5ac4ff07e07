#include "variables/variable_command.h"

// Registered from load on; the expression dialog and the text update come with the catalogue.
void DefineListVariable() {}
