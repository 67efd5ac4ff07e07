// Undo groups of a drawing, for the host's command context and its U, UNDO and REDO commands.
// Not part of the host SDK.
#pragma once

#include "acdbport.h"

class AcDbDatabase;

namespace zacad {

// Everything changed between the outermost Begin and End is one group: U takes it back at
// once. Calls nest (a command run from a command joins the outer group). Null is ignored.
ACDB_PORT void BeginUndoGroup(AcDbDatabase* db);
ACDB_PORT void EndUndoGroup(AcDbDatabase* db);

// Takes back the newest group (changes made outside any group form one of their own); false
// when there is nothing to undo.
ACDB_PORT bool UndoLastGroup(AcDbDatabase* db);
// Redoes the newest undone group; false when there is none or a change was made since.
ACDB_PORT bool RedoLastGroup(AcDbDatabase* db);

}  // namespace zacad
