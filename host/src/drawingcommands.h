// The host's commands for drawings: OPEN, QSAVE, SAVEAS, CLOSE, U, UNDO, REDO and LIST.
#pragma once

#include <string>
#include <string_view>

#include "builtins.h"

namespace zanthost {

// The drawing command of that name (case ignored), or null.
const BuiltIn* FindDrawingCommand(std::u16string_view name);

// Opens the drawing named on the command line; false after printing why it cannot be opened.
bool OpenDrawingAtStart(const std::string& path);

}  // namespace zanthost
