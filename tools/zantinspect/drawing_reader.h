// Reads a drawing's model space through the host's drawing database, for reading only: the
// database is never written and nothing is saved.
#pragma once

#include <optional>
#include <string>

#include "drawing.h"

class AcDbDatabase;

namespace zinspect {

struct ReadResult {
  std::optional<Drawing> drawing;
  std::string error;  // the reader's message when the drawing cannot be read
};

ReadResult ReadDrawing(const std::string& path);

// The entities of a database that is already open, erased ones included (a host session).
Drawing ReadDatabase(AcDbDatabase& db, const std::string& file);

}  // namespace zinspect
