// Running commands as the host does: in a command context (one modal command at a time), with
// the editor's reactors told around each command, and no exception escaping into the host.
#pragma once

#include <functional>
#include <string_view>

#include "zacad/edexport.h"

class AcEdCommand;

namespace zacad {

enum class CommandOutcome {
  kEnded,      // returned normally
  kCancelled,  // an input was cancelled (Escape, `^C`, stopped script) while it ran
  kFailed,     // an exception escaped it; "; error: ..." was shown
  kRefused,    // not run: a modal command is already running
};

// Runs `body` as the command `globalName`: commandWillStart, then commandEnded,
// commandCancelled or commandFailed. A command started while another runs is refused unless
// `transparent`.
ZACAD_ED_API CommandOutcome RunCommand(std::u16string_view globalName,
                                       const std::function<void()>& body, bool transparent = false);

// Runs a registered command's function. A function whose application is no longer mapped is
// not called: the command fails with a message instead of jumping into freed code.
ZACAD_ED_API CommandOutcome RunRegisteredCommand(const AcEdCommand& command);

// True while a command runs.
ZACAD_ED_API bool InCommandContext();

}  // namespace zacad
