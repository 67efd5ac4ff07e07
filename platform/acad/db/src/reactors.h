// Telling a database's reactors what happened to its objects. Every caller tests
// `db.reactors.empty()` first, so that a database nobody watches pays one comparison.
#pragma once

#include "dbdata.h"

namespace zacad {

// The object of `stub` is opened for read (erased ones too) for the notification, and closed.
void NotifyAppended(DatabaseData& db, AcDbStub* stub);
void NotifyModified(DatabaseData& db, const AcDbObject& object);
void NotifyErased(DatabaseData& db, const AcDbObject& object, bool erased);
// The objects a group taken back or redone changed: erased or unerased for its erase steps,
// modified for the others.
void NotifyUndone(DatabaseData& db, const UndoGroup& group);
// The database is going: its reactors hear it once and are detached.
void NotifyGoodbye(DatabaseData& db);

}  // namespace zacad
