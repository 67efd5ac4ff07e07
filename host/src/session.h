// The command loop: "Command: " prompts, name resolution, and running what the name resolves
// to in the command context.
#pragma once

#include <string>

namespace zanthost {

// Reads and runs commands from the current input source until QUIT or the end of the input.
// Returns false when batch input was stopped by an answer a command could not use.
bool RunCommandLoop();

}  // namespace zanthost
