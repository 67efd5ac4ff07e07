// Symbol tables and their records, and the iterators over records and over a block's entities.
#include "dbdata.h"
#include "dbsymtb.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject);
ACRX_DXF_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable, 0, 0, 0, TABLE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, 0, 0, 0, BLOCK_RECORD,
                        AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable, 0, 0, 0, TABLE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, 0, 0, 0, LAYER, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, 0, 0, 0, TABLE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, 0, 0, 0, APPID, AutoCAD);

namespace {

// The DXF table name of a table object.
std::string_view tableName(const AcDbSymbolTable* table) {
  if (table->isKindOf(AcDbBlockTable::desc()))
    return "BLOCK_RECORD";
  if (table->isKindOf(AcDbLayerTable::desc()))
    return "LAYER";
  return "APPID";
}

}  // namespace

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;
AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& pName) const {
  pName = nullptr;
  if (state() == nullptr)
    return Acad::eNotOpenForRead;
  if (state()->stub->implicit == AcDbStub::Implicit::kModelSpace) {
    pName = zacad::newString(ACDB_MODEL_SPACE);
    return Acad::eOk;
  }
  const zdxf::Tag* tag = zacad::findTag(state()->tags(), 2);
  pName = zacad::newString(tag == nullptr ? u"" : zacad::decode(*state(), *tag));
  return Acad::eOk;
}

bool AcDbSymbolTableRecord::isDependent() const {
  return (zacad::intAt(state() == nullptr ? std::vector<zdxf::Tag>() : state()->tags(), 70) & 16) !=
         0;
}

AcDbSymbolTable::AcDbSymbolTable() = default;
AcDbSymbolTable::~AcDbSymbolTable() = default;

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbObjectId& recordId,
                                         bool getErasedRecord) const {
  recordId.setNull();
  if (state() == nullptr)
    return Acad::eNotOpenForRead;
  if (entryName == nullptr)
    return Acad::eInvalidInput;
  zacad::DatabaseData& db = *state()->stub->db;
  const std::string_view table = tableName(this);
  AcDbStub* found = table == "BLOCK_RECORD" && zacad::sameName(entryName, ACDB_MODEL_SPACE)
                        ? db.modelSpace()
                        : db.findRecord(table, entryName, getErasedRecord);
  if (found == nullptr)
    return Acad::eKeyNotFound;
  recordId = AcDbObjectId(found);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& pRec,
                                         AcDb::OpenMode openMode, bool openErasedRec) const {
  pRec = nullptr;
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = getAt(entryName, id, openErasedRec); es != Acad::eOk)
    return es;
  return acdbOpenObject(pRec, id, openMode, openErasedRec);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
  AcDbObjectId id;
  return getAt(name, id) == Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& pIterator,
                                               bool atBeginning, bool skipDeleted) const {
  pIterator = nullptr;
  if (state() == nullptr)
    return Acad::eNotOpenForRead;
  zacad::DatabaseData& db = *state()->stub->db;
  AcDbObjectIdArray records;
  for (zdxf::ObjectId id : db.tableRecords(tableName(this)))
    records.append(AcDbObjectId(db.stub(id)));
  pIterator = new AcDbSymbolTableIterator(records);
  pIterator->start(atBeginning, skipDeleted);
  return Acad::eOk;
}

AcDbSymbolTableIterator::AcDbSymbolTableIterator(AcDbObjectIdArray records)
    : mRecords(std::move(records)) {}
AcDbSymbolTableIterator::~AcDbSymbolTableIterator() = default;

void AcDbSymbolTableIterator::skip(int direction) {
  while (mSkipDeleted && mIndex >= 0 && mIndex < mRecords.length() && mRecords[mIndex].isErased()) {
    mIndex += direction;
  }
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
  mSkipDeleted = skipDeleted;
  mIndex = atBeginning ? 0 : mRecords.length() - 1;
  skip(atBeginning ? 1 : -1);
}

bool AcDbSymbolTableIterator::done() const {
  return mIndex < 0 || mIndex >= mRecords.length();
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
  mSkipDeleted = skipDeleted;
  mIndex += forward ? 1 : -1;
  skip(forward ? 1 : -1);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
  if (done())
    return Acad::eInvalidInput;
  id = mRecords[mIndex];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& pRecord,
                                                     AcDb::OpenMode openMode,
                                                     bool openErasedRec) const {
  pRecord = nullptr;
  if (done())
    return Acad::eInvalidInput;
  return acdbOpenObject(pRecord, mRecords[mIndex], openMode, openErasedRec);
}

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& pIterator,
                                                    bool atBeginning, bool skipDeleted) const {
  pIterator = nullptr;
  if (state() == nullptr)
    return Acad::eNotOpenForRead;
  zacad::DatabaseData& db = *state()->stub->db;
  const std::vector<zdxf::ObjectId> ids = db.blockEntities(state()->stub);
  // Made at its size: grown by doubling, a million entities' ids would need room for two.
  AcDbObjectIdArray entities(static_cast<int>(ids.size()), 1024);
  for (zdxf::ObjectId id : ids)
    entities.append(AcDbObjectId(db.stub(id)));
  pIterator = new AcDbBlockTableRecordIterator(std::move(entities));
  pIterator->start(atBeginning, skipDeleted);
  return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
  ACHAR* name = nullptr;
  getName(name);
  const bool layout = name != nullptr && (zacad::sameName(name, ACDB_MODEL_SPACE) ||
                                          zacad::upper(name).starts_with(u"*PAPER_SPACE"));
  std::free(name);
  return layout;
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(AcDbObjectIdArray entities)
    : mEntities(std::move(entities)) {}
AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() = default;

void AcDbBlockTableRecordIterator::skip(int direction) {
  while (mSkipDeleted && mIndex >= 0 && mIndex < mEntities.length() &&
         mEntities[mIndex].isErased()) {
    mIndex += direction;
  }
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
  mSkipDeleted = skipDeleted;
  mIndex = atBeginning ? 0 : mEntities.length() - 1;
  skip(atBeginning ? 1 : -1);
}

bool AcDbBlockTableRecordIterator::done() const {
  return mIndex < 0 || mIndex >= mEntities.length();
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
  mSkipDeleted = skipDeleted;
  mIndex += forward ? 1 : -1;
  skip(forward ? 1 : -1);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const {
  if (done())
    return Acad::eInvalidInput;
  entityId = mEntities[mIndex];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& pEntity,
                                                          AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const {
  pEntity = nullptr;
  if (done())
    return Acad::eInvalidInput;
  return acdbOpenObject(pEntity, mEntities[mIndex], openMode, openErasedEntity);
}

AcDbBlockTable::AcDbBlockTable() = default;
AcDbBlockTable::~AcDbBlockTable() = default;

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* entryName, AcDbBlockTableRecord*& pRec,
                                        AcDb::OpenMode openMode, bool openErasedRec) const {
  pRec = nullptr;
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = AcDbSymbolTable::getAt(entryName, id, openErasedRec);
      es != Acad::eOk) {
    return es;
  }
  return acdbOpenObject(pRec, id, openMode, openErasedRec);
}

AcDbLayerTableRecord::AcDbLayerTableRecord() = default;
AcDbLayerTableRecord::~AcDbLayerTableRecord() = default;

namespace {
const std::vector<zdxf::Tag>& recordTags(const AcDbObject* record) {
  static const std::vector<zdxf::Tag> none;
  return record->state() == nullptr ? none : record->state()->tags();
}
}  // namespace

bool AcDbLayerTableRecord::isFrozen() const {
  return (zacad::intAt(recordTags(this), 70) & 1) != 0;
}
bool AcDbLayerTableRecord::isOff() const {
  return zacad::intAt(recordTags(this), 62, 7) < 0;
}
bool AcDbLayerTableRecord::isLocked() const {
  return (zacad::intAt(recordTags(this), 70) & 4) != 0;
}
Adesk::UInt16 AcDbLayerTableRecord::colorIndex() const {
  const long long color = zacad::intAt(recordTags(this), 62, 7);
  return static_cast<Adesk::UInt16>(color < 0 ? -color : color);
}

AcDbLayerTable::AcDbLayerTable() = default;
AcDbLayerTable::~AcDbLayerTable() = default;
AcDbRegAppTableRecord::AcDbRegAppTableRecord() = default;
AcDbRegAppTableRecord::~AcDbRegAppTableRecord() = default;
AcDbRegAppTable::AcDbRegAppTable() = default;
AcDbRegAppTable::~AcDbRegAppTable() = default;
