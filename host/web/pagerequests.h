// What a page asks of the host besides typed lines, answered on the host's thread: one entity's
// listing (the page shows it while the mouse rests on the entity) and saving the drawing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "zacad/inputsource.h"

namespace zanthost::web {

class WebServer;

// {"type":"listing", "handle", "text"}: the entity of that handle in the working drawing as LIST
// shows it; "text" is empty when no entity has the handle or it cannot be read now.
std::string ListingMessage(std::string_view handle);

// The Save button: QSAVE typed, when the host waits for a command. Inside a command it would be
// an answer to the command's prompt instead, so that page is told to finish first: {"type":
// "notice", "text"}.
std::optional<zacad::InputLine> SaveLine(WebServer& server, unsigned session);

}  // namespace zanthost::web
