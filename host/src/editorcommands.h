// The host's editor commands: SELECT, and system variables typed at "Command: ".
#pragma once

#include <string_view>

#include "builtins.h"

namespace zanthost {

// SELECT (case ignored), or null.
const BuiltIn* FindEditorCommand(std::u16string_view name);

// Runs a system variable's name as a command: shows its value and asks for a new one. False
// when no variable has that name.
bool RunSystemVariable(std::u16string_view name);

}  // namespace zanthost
