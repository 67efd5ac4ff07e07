// The drawing as the page draws it, read through the host's database API the way any
// application reads it: the layers' colours and states, then every model-space entity with
// just enough geometry to draw it. Runs on the host's thread, which owns the database.
#pragma once

#include <string>

namespace zanthost::web {

// The JSON message {"type":"drawing", "file", "layers": [...], "entities": [...],
// "blocks": {name: {"base", "entities"}}} for the working database, blocks being those that
// block references show; a message with no file and no entities when no drawing is open.
// Entities that cannot be opened for read right now (a command holds them for write) are left
// out.
std::string DrawingMessage();

}  // namespace zanthost::web
