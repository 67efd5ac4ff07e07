// AcDbDatabaseReactor: attaching reactors to a database and telling them, in the order they
// were attached, of appended, modified and erased objects.
#include "reactors.h"

#include <algorithm>

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbDatabaseReactor, AcRxObject);

AcDbDatabaseReactor::AcDbDatabaseReactor() = default;
AcDbDatabaseReactor::~AcDbDatabaseReactor() = default;
void AcDbDatabaseReactor::objectAppended(const AcDbDatabase*, const AcDbObject*) {}
void AcDbDatabaseReactor::objectModified(const AcDbDatabase*, const AcDbObject*) {}
void AcDbDatabaseReactor::objectErased(const AcDbDatabase*, const AcDbObject*, Adesk::Boolean) {}
void AcDbDatabaseReactor::goodbye(const AcDbDatabase*) {}

void AcDbDatabase::addReactor(AcDbDatabaseReactor* pReactor) const {
  auto& reactors = mData->reactors;
  if (pReactor != nullptr &&
      std::find(reactors.begin(), reactors.end(), pReactor) == reactors.end())
    reactors.push_back(pReactor);
}

void AcDbDatabase::removeReactor(AcDbDatabaseReactor* pReactor) const {
  auto& reactors = mData->reactors;
  reactors.erase(std::remove(reactors.begin(), reactors.end(), pReactor), reactors.end());
}

namespace zacad {
namespace {

// Calls `tell` for each attached reactor; one that an earlier reactor removed is skipped, one
// that an earlier reactor attached waits for the next notification.
template <class Tell>
void ForEachReactor(DatabaseData& db, Tell tell) {
  const std::vector<AcDbDatabaseReactor*> attached = db.reactors;
  for (AcDbDatabaseReactor* reactor : attached) {
    if (std::find(db.reactors.begin(), db.reactors.end(), reactor) != db.reactors.end())
      tell(reactor);
  }
}

// Tells about the object of `stub` as it is now, when it can be opened: an object a writer
// holds is told about when that writer closes it.
template <class Tell>
void TellAbout(AcDbStub* stub, Tell tell) {
  AcDbObject* object = nullptr;
  if (openStub(object, stub, AcDb::kForRead, true) != Acad::eOk)
    return;
  tell(*object);
  object->close();
}

}  // namespace

void NotifyAppended(DatabaseData& db, AcDbStub* stub) {
  TellAbout(stub, [&](const AcDbObject& object) {
    ForEachReactor(db, [&](AcDbDatabaseReactor* r) { r->objectAppended(db.self, &object); });
  });
}

void NotifyModified(DatabaseData& db, const AcDbObject& object) {
  ForEachReactor(db, [&](AcDbDatabaseReactor* r) { r->objectModified(db.self, &object); });
}

void NotifyErased(DatabaseData& db, const AcDbObject& object, bool erased) {
  ForEachReactor(db, [&](AcDbDatabaseReactor* r) { r->objectErased(db.self, &object, erased); });
}

void NotifyUndone(DatabaseData& db, const UndoGroup& group) {
  for (const UndoStep& step : group.steps) {
    TellAbout(step.stub, [&](const AcDbObject& object) {
      if (step.kind == UndoStep::Kind::kErased)
        NotifyErased(db, object, step.stub->erased);
      else
        NotifyModified(db, object);
    });
  }
}

void NotifyGoodbye(DatabaseData& db) {
  ForEachReactor(db, [&](AcDbDatabaseReactor* r) { r->goodbye(db.self); });
  db.reactors.clear();
}

}  // namespace zacad
