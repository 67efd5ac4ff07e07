// The host's side of the editor: telling the attached editor reactors what happened.
#pragma once

#include <string_view>

#include "zacad/edexport.h"

namespace zacad {

enum class CommandEvent { kWillStart, kEnded, kCancelled, kFailed };

// Calls the matching AcEditorReactor notification on every attached editor reactor, in the
// order they were attached. A reactor removed by an earlier one is not called.
ZACAD_ED_API void FireCommandEvent(CommandEvent event, std::u16string_view globalName);
ZACAD_ED_API void FireUnknownCommand(std::u16string_view name);

}  // namespace zacad
