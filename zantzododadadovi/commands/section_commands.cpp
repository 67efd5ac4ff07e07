#include "commands/section_commands.h"

// The section commands are registered from load on; their capture steps are added with the
// template store.
void DefineListHeader() {}
void DefineListSubHeader() {}
void DefineListFooter() {}
void DefineListSubFooter() {}
void DefineListPageFooter() {}
