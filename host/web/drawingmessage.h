// The drawing as the page draws it, read through the host's database API the way any
// application reads it: the layers' colours and states, then every model-space entity with
// just enough geometry to draw it. Runs on the host's thread, which owns the database.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dbid.h"

namespace zanthost::web {

// The JSON message {"type":"drawing", "file", "layers": [...], "entities": [...],
// "blocks": {name: {"base", "entities"}}} for the working database, blocks being those that
// block references show; a message with no file and no entities when no drawing is open.
// Entities that cannot be opened for read right now (a command holds them for write) are left
// out.
// Entities carry "tint" (the index of the page's tint rule their data matches) and the message
// the rules' "tint" legend, when the host was given rules; "modified" is the drawing's DBMOD.
std::string DrawingMessage();

// What changed since the page got the drawing, for a command that changed `changed` (objects of
// the working database): {"type":"entities", "modified", "entities": [...] (changed or added
// model-space entities as they are now, as in the drawing message; a vertex or an attribute
// stands for its owner), "erased": [handles], "blocks": {...} (those the entities show)}. Nothing
// when the change reaches beyond the model space's entities (a layer, a block's definition):
// the page then needs the whole drawing.
std::optional<std::string> EntitiesMessage(const std::vector<AcDbObjectId>& changed);

}  // namespace zanthost::web
