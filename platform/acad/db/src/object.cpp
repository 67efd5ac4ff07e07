// AcDbObject: opening an object by id, closing it (its changes go into the drawing and into the
// undo log), erasing it, and the open-mode assertions.
#include <optional>
#include <stdexcept>
#include <string>

#include "acutmem.h"
#include "dbdata.h"
#include "reactors.h"
#include "zwin32/utf.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbObject, AcRxObject);

namespace zacad {
namespace {

// The name of the application whose block starts at tags[i] (a 1001 tag), upper case.
std::u16string blockApplication(const DatabaseData& db, const zdxf::Tag& tag) {
  return upper(db.doc->decode(tag.trimmed()));
}

bool sameTag(const zdxf::Tag& a, const zdxf::Tag& b) {
  return a.code == b.code && a.value == b.value && a.source_offset == b.source_offset;
}

// When a writer's change only appended one application's block at the object's end, dropping
// that block takes it back: the number of that application's name as written. Otherwise the
// former tags do. Both lists are in the form the opening holds them (all tags, or the extended
// data alone).
std::optional<std::uint32_t> appendedApplication(DatabaseData& db, ObjectState& s) {
  const auto& before = s.original();
  const auto& after = s.held();
  bool appended = after.size() > before.size() && after[before.size()].code == 1001;
  for (size_t i = 0; appended && i < before.size(); ++i)
    appended = sameTag(before[i], after[i]);
  for (size_t i = before.size() + 1; appended && i < after.size(); ++i)
    appended = after[i].code != 1001;
  if (!appended)
    return std::nullopt;
  std::optional<std::u16string> app;  // decoded only when the object had xdata before
  for (const zdxf::Tag& tag : before) {
    if (tag.code != 1001)
      continue;
    if (!app)
      app = blockApplication(db, after[before.size()]);
    if (namesApplication(*db.doc, tag, *app))
      return std::nullopt;
  }
  return db.applicationNumber(after[before.size()].trimmed());
}

// Puts a writer's changes into the drawing, recorded for undo when the writer asked for it, and
// tells the database's reactors. `closing` hands the tags over instead of copying them, unless
// a reactor is to read the object afterwards.
Acad::ErrorStatus commit(const AcDbObject& object, ObjectState& s, bool closing) {
  if (!s.changed || s.stub->db == nullptr)
    return Acad::eOk;
  DatabaseData& db = *s.stub->db;
  try {
    // Learnt before the change: the drawing still holds the former tags.
    std::optional<std::uint32_t> appended;
    std::string former;
    if (s.undoWanted) {
      appended = appendedApplication(db, s);
      if (!appended)
        former = db.doc->snapshot(s.stub->object);
    }
    // An opening that changed only extended data hands back only that.
    const bool handOver = closing && db.reactors.empty();
    std::vector<zdxf::Tag> tags = handOver ? std::move(s.held()) : s.held();
    if (s.holdsAll())
      db.doc->replace_tags(s.stub->object, std::move(tags));
    else
      db.doc->replace_xdata(s.stub->object, std::move(tags));
    if (!s.entity && db.doc->section(s.stub->object) == "TABLES")
      db.tablesChanged();
    if (!s.undoWanted)
      db.modified = true;
    else if (appended)
      db.recordDropXdata(s.stub, *appended);
    else
      db.recordTags(s.stub, std::move(former));
  } catch (const std::exception&) {
    // A value the drawing cannot hold: the object keeps what it had.
    return Acad::eInvalidInput;
  }
  s.changed = false;
  s.undoWanted = false;
  if (!db.reactors.empty())
    NotifyModified(db, object);
  return Acad::eOk;
}

}  // namespace

bool onLockedLayer(DatabaseData& db, zdxf::ObjectId id) {
  // Most drawings lock no layer: then no entity opened for write needs its layer read.
  if (!db.anyLockedLayer) {
    db.anyLockedLayer = false;
    for (zdxf::ObjectId layer : db.tableRecords("LAYER")) {
      const zdxf::Tag flags(70, db.doc->value_of(layer, 70).value_or("0"));
      if ((flags.as_int().value_or(0) & 4) != 0)
        db.anyLockedLayer = true;
    }
  }
  if (!*db.anyLockedLayer)
    return false;
  const std::optional<std::string> layer = db.doc->value_of(id, 8);
  const std::u16string name = layer ? db.doc->decode(zdxf::Tag(8, *layer).trimmed()) : u"0";
  AcDbStub* record = db.findRecord("LAYER", name);
  if (record == nullptr)
    return false;
  // Every entity opened for write asks; the layer's tags are read once.
  auto [known, added] = db.lockedLayers.emplace(record, false);
  if (added)
    known->second = (intAt(db.doc->tags(record->object), 70) & 4) != 0;
  return known->second;
}

Acad::ErrorStatus openStub(AcDbObject*& object, AcDbStub* stub, AcDb::OpenMode mode,
                           bool openErased) {
  object = nullptr;
  if (stub == nullptr)
    return Acad::eNullObjectId;
  DatabaseData* db = stub->db;
  if (db == nullptr || !db->doc)
    return Acad::eNoDatabase;
  if (stub->erased && !openErased)
    return Acad::eWasErased;
  if (stub->writer)
    return Acad::eWasOpenForWrite;
  if (mode == AcDb::kForWrite && stub->readers > 0)
    return Acad::eWasOpenForRead;
  const bool entity = stub->object != zdxf::kNoObject && db->isEntity(stub->object);
  if (mode == AcDb::kForWrite && entity && onLockedLayer(*db, stub->object))
    return Acad::eOnLockedLayer;
  object = makeObjectFor(*db, stub, entity);
  ObjectState* state = nullptr;
  if (db->spareStates.empty()) {
    state = new ObjectState;
  } else {
    state = db->spareStates.back().release();
    db->spareStates.pop_back();
  }
  state->stub = stub;
  state->mode = mode == AcDb::kForNotify ? AcDb::kForRead : mode;
  state->erasedAtOpen = stub->erased;
  state->entity = entity;
  object->attachState(state);
  if (state->mode == AcDb::kForWrite)
    stub->writer = true;
  else
    ++stub->readers;
  return Acad::eOk;
}

}  // namespace zacad

AcDbObject::AcDbObject() = default;

AcDbObject::~AcDbObject() {
  zacad::DatabaseData* db = mState == nullptr ? nullptr : mState->stub->db;
  if (db == nullptr || db->spareStates.size() == zacad::DatabaseData::kSpareStates) {
    delete mState;
    return;
  }
  *mState = zacad::ObjectState();
  db->spareStates.emplace_back(mState);
}

AcDbObjectId AcDbObject::objectId() const {
  return AcDbObjectId(mState == nullptr ? nullptr : mState->stub);
}

AcDbObjectId AcDbObject::ownerId() const {
  if (mState == nullptr || mState->stub->object == zdxf::kNoObject)
    return AcDbObjectId();
  zacad::DatabaseData& db = *mState->stub->db;
  const zdxf::ObjectId self = mState->stub->object;
  if (auto parent = db.doc->parent(self))
    return AcDbObjectId(db.stub(*parent));
  if (db.isEntity(self)) {
    if (auto owner = db.doc->owner(self)) {
      if (auto found = db.doc->find(*owner))
        return AcDbObjectId(db.stub(*found));
    }
    return AcDbObjectId(db.modelSpace());
  }
  if (auto container = db.doc->container(self))
    return AcDbObjectId(db.stub(*container));
  return AcDbObjectId();
}

AcDbDatabase* AcDbObject::database() const {
  return objectId().database();
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const {
  handle = objectId().handle();
}

Acad::ErrorStatus AcDbObject::close() {
  if (mState == nullptr)
    return Acad::eOk;
  zacad::ObjectState& s = *mState;
  AcDbStub* stub = s.stub;
  Acad::ErrorStatus es = Acad::eOk;
  if (s.mode == AcDb::kForWrite) {
    stub->writer = false;
    es = zacad::commit(*this, s, true);
  } else if (stub->readers > 0) {
    --stub->readers;
  }
  delete this;
  return es;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
  if (mState == nullptr || mState->mode != AcDb::kForWrite)
    return Acad::eNotOpenForWrite;
  AcDbStub* stub = mState->stub;
  if (stub->erased == erasing)
    return erasing ? Acad::eWasErased : Acad::eOk;
  const bool before = stub->erased;
  stub->erased = erasing;
  // Records are looked up by name among those not erased.
  if (stub->object != zdxf::kNoObject && stub->db->doc->section(stub->object) == "TABLES")
    stub->db->tablesChanged();
  stub->db->anyErased = stub->db->anyErased || erasing;
  stub->db->recordErased(stub, before);
  if (!stub->db->reactors.empty())
    zacad::NotifyErased(*stub->db, *this, erasing);
  return Acad::eOk;
}

bool AcDbObject::isErased() const {
  return mState != nullptr && mState->stub->erased;
}

bool AcDbObject::isReadEnabled() const {
  return mState != nullptr;
}
bool AcDbObject::isWriteEnabled() const {
  return mState != nullptr && mState->mode == AcDb::kForWrite;
}
bool AcDbObject::isNotifyEnabled() const {
  return false;
}
bool AcDbObject::isModified() const {
  return mState != nullptr && (mState->changed || mState->modified);
}

void AcDbObject::assertReadEnabled() const {
  if (!isReadEnabled())
    throw std::logic_error("assertReadEnabled: the object is not open (eNotOpenForRead)");
}

void AcDbObject::assertWriteEnabled(bool autoUndo, bool recordModified) {
  if (mState == nullptr || mState->mode != AcDb::kForWrite)
    throw std::logic_error(
        "assertWriteEnabled: the object is not open for write (eNotOpenForWrite)");
  if (autoUndo && !mState->undoWanted) {
    mState->keepOriginal();
    mState->undoWanted = true;
  }
  if (recordModified)
    mState->modified = true;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
  if (mState == nullptr)
    return Acad::eNotOpenForRead;
  if (mState->mode == AcDb::kForWrite)
    return Acad::eWasOpenForWrite;
  AcDbStub* stub = mState->stub;
  if (stub->readers > 1)
    return Acad::eWasOpenForRead;
  if (stub->db->isEntity(stub->object) && zacad::onLockedLayer(*stub->db, stub->object))
    return Acad::eOnLockedLayer;
  --stub->readers;
  stub->writer = true;
  mState->mode = AcDb::kForWrite;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
  if (mState == nullptr || mState->mode != AcDb::kForWrite)
    return Acad::eNotOpenForWrite;
  AcDbStub* stub = mState->stub;
  // The writer's changes go into the drawing now, as a close would put them.
  if (const Acad::ErrorStatus es = zacad::commit(*this, *mState, false); es != Acad::eOk)
    return es;
  stub->writer = false;
  ++stub->readers;
  mState->mode = AcDb::kForRead;
  return Acad::eOk;
}

Acad::ErrorStatus acdbOpenObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased) {
  return zacad::openStub(pObj, id, mode, openErased);
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
  return zacad::openStub(pObj, id, mode, openErased);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
  return acdbOpenObject(pEnt, id, mode, openErased);
}
