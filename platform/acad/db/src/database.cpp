// AcDbDatabase: a drawing read from a DXF file, its stubs, and writing it back.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <new>

#include "dbapserv.h"
#include "dbdata.h"
#include "reactors.h"
#include "dbsymtb.h"
#include "zwin32/hostpath.h"
#include "zdxf/large_pages.h"
#include "zwin32/utf.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbDatabase, AcRxObject);

namespace zacad {
namespace {

std::map<std::uint32_t, DatabaseData*>& liveDatabases() {
  static std::map<std::uint32_t, DatabaseData*> databases;
  return databases;
}

std::uint32_t nextSerial = 1;

// Host path of a file name given as a Windows or host path.
std::optional<std::string> hostPath(const ACHAR* fileName) {
  if (fileName == nullptr || fileName[0] == 0)
    return std::nullopt;
  return zwin32::HostPathFromWindows(fileName);
}

constexpr std::string_view kTableNames[] = {"", "BLOCK_RECORD", "", "LAYER", "APPID"};

}  // namespace

DatabaseData* databaseBySerial(std::uint32_t serial) {
  auto found = liveDatabases().find(serial);
  return found == liveDatabases().end() ? nullptr : found->second;
}

AcDbStub* DatabaseData::stub(zdxf::ObjectId id) {
  if (id == zdxf::kNoObject)
    return nullptr;
  const size_t block = id / kStubBlock;
  if (block >= stubBlocks.size())
    stubBlocks.resize(block + 1);
  if (!stubBlocks[block]) {
    // AcDbStub is an aggregate: zeroed memory holds stubs not made yet.
    stubBlocks[block].reset(static_cast<AcDbStub*>(std::calloc(kStubBlock, sizeof(AcDbStub))));
    if (!stubBlocks[block])
      throw std::bad_alloc();
    // Pages of 2 MB save most page faults of a large drawing, whose stubs fill the block.
    if (doc && doc->objects().size() >= (block + 1) * kStubBlock)
      zdxf::advise_large_pages(stubBlocks[block].get(), kStubBlock * sizeof(AcDbStub));
  }
  AcDbStub& made = stubBlocks[block][id % kStubBlock];
  if (made.db == nullptr) {
    made.db = this;
    made.object = id;
  }
  return &made;
}

AcDbStub* DatabaseData::madeStub(zdxf::ObjectId id) const {
  const size_t block = id / kStubBlock;
  if (block >= stubBlocks.size() || !stubBlocks[block])
    return nullptr;
  AcDbStub& made = stubBlocks[block][id % kStubBlock];
  return made.db == nullptr ? nullptr : &made;
}

AcDbStub* DatabaseData::implicitStub(AcDbStub::Implicit kind) {
  auto& slot = implicit[static_cast<int>(kind) - 1];
  if (!slot) {
    slot = std::make_unique<AcDbStub>();
    slot->db = this;
    slot->implicit = kind;
  }
  return slot.get();
}

AcDbStub* DatabaseData::tableStub(std::string_view name) {
  if (doc) {
    if (auto table = doc->table(name))
      return stub(*table);
  }
  if (name == "LAYER")
    return implicitStub(AcDbStub::Implicit::kLayerTable);
  if (name == "APPID")
    return implicitStub(AcDbStub::Implicit::kRegAppTable);
  return implicitStub(AcDbStub::Implicit::kBlockTable);
}

AcDbStub* DatabaseData::modelSpace() {
  if (AcDbStub* record = findRecord("BLOCK_RECORD", u"*Model_Space"))
    return record;
  return implicitStub(AcDbStub::Implicit::kModelSpace);
}

std::vector<zdxf::ObjectId> DatabaseData::tableRecords(std::string_view table) {
  if (!doc)
    return {};
  if (table == "BLOCK_RECORD" && !doc->table("BLOCK_RECORD")) {
    // Before R13 the block table is the BLOCKS section itself.
    std::vector<zdxf::ObjectId> blocks;
    for (zdxf::ObjectId id : doc->objects()) {
      if (doc->type(id) == "BLOCK" && doc->section(id) == "BLOCKS")
        blocks.push_back(id);
    }
    return blocks;
  }
  return doc->table_records(table);
}

std::u16string DatabaseData::recordName(zdxf::ObjectId id) {
  for (const zdxf::Tag& tag : doc->tags(id)) {
    if (tag.code == 2)
      return doc->decode(tag.value);
  }
  return {};
}

AcDbStub* DatabaseData::findRecord(std::string_view table, std::u16string_view name,
                                   bool erasedToo) {
  if (lastTable == nullptr || *lastTableName != table) {
    auto cached = records.find(table);
    if (cached == records.end()) {
      TableRecords made;
      for (zdxf::ObjectId id : tableRecords(table))
        made.byName[upper(recordName(id))].push_back(stub(id));
      cached = records.emplace(std::string(table), std::move(made)).first;
    }
    lastTableName = &cached->first;
    lastTable = &cached->second;
  }
  TableRecords& entries = *lastTable;
  // Applications ask for the same name again and again: compared as bytes before anything else.
  if (!entries.lastValid || entries.lastName.size() != name.size() ||
      std::memcmp(entries.lastName.data(), name.data(), name.size() * sizeof(char16_t)) != 0) {
    recordKey.assign(name);
    upperInPlace(recordKey);
    auto named = entries.byName.find(recordKey);
    entries.lastName.assign(name);
    entries.last = named == entries.byName.end() ? nullptr : &named->second;
    entries.lastValid = true;
  }
  if (entries.last == nullptr)
    return nullptr;
  for (AcDbStub* record : *entries.last) {
    if (erasedToo || !record->erased)
      return record;
  }
  return nullptr;
}

bool DatabaseData::isEntity(zdxf::ObjectId id) {
  const std::string_view section = doc->section(id);
  if (section == "ENTITIES")
    return doc->type(id) != "SECTION" && doc->type(id) != "ENDSEC";
  if (section == "BLOCKS") {
    const std::string_view type = doc->type(id);
    return type != "BLOCK" && type != "ENDBLK" && type != "SECTION" && type != "ENDSEC";
  }
  return false;
}

size_t DatabaseData::position(zdxf::ObjectId id) {
  const auto& order = doc->objects();
  if (positionsOf != order.size()) {
    // Object numbers are dense, but drawing order need not hold them all.
    zdxf::ObjectId highest = 0;
    for (zdxf::ObjectId object : order)
      highest = std::max(highest, object);
    positions.assign(static_cast<size_t>(highest) + 1, 0);
    for (size_t i = 0; i < order.size(); ++i)
      positions[order[i]] = i;
    positionsOf = order.size();
  }
  return id < positions.size() ? positions[id] : order.size();
}

std::vector<zdxf::ObjectId> DatabaseData::blockEntities(const AcDbStub* block) {
  std::vector<zdxf::ObjectId> entities;
  if (!doc || block == nullptr)
    return entities;
  // Room for every object costs only the pages used: no copies as the list grows.
  entities.reserve(doc->objects().size());
  const bool modelSpace =
      block->implicit == AcDbStub::Implicit::kModelSpace ||
      (block->object != zdxf::kNoObject && sameName(recordName(block->object), u"*Model_Space"));
  const bool paperSpace =
      block->object != zdxf::kNoObject && sameName(recordName(block->object), u"*Paper_Space");
  // The BLOCK entity that opens this block's definition in the BLOCKS section.
  std::optional<zdxf::ObjectId> definition;
  if (!modelSpace && block->object != zdxf::kNoObject) {
    if (doc->type(block->object) == "BLOCK") {
      definition = block->object;
    } else {
      const std::u16string name = recordName(block->object);
      for (zdxf::ObjectId id : doc->objects()) {
        if (doc->type(id) == "BLOCK" && sameName(recordName(id), name)) {
          definition = id;
          break;
        }
      }
    }
  }
  // Objects come section by section: which one an object is in is asked again only where the
  // section changes, not for each of a large drawing's entities.
  std::string_view section;
  bool inEntities = false;
  for (zdxf::ObjectId id : doc->objects()) {
    if (const std::string_view now = doc->section(id); now != section) {
      section = now;
      inEntities = section == "ENTITIES";
    }
    if (inEntities) {
      if (!modelSpace && !paperSpace)
        continue;
      const std::string_view type = doc->type(id);
      if (type == "SECTION" || type == "ENDSEC" || doc->parent(id))
        continue;
      // Only the paper space flag is wanted of each entity, not all its tags.
      const std::optional<std::string> space = doc->value_of(id, 67);
      const bool inPaper = space && zdxf::Tag(67, *space).as_int() == 1;
      if (inPaper == paperSpace)
        entities.push_back(id);
    } else if (definition && doc->container(id) == definition && isEntity(id) && !doc->parent(id)) {
      entities.push_back(id);
    }
  }
  return entities;
}

void DatabaseData::recordTags(AcDbStub* changed, std::string snapshot) {
  modified = true;
  if (!undoDisabled)
    undo.record({changed, 0, UndoStep::Kind::kTags, false}, std::move(snapshot));
}

void DatabaseData::recordDropXdata(AcDbStub* changed, std::uint32_t application) {
  modified = true;
  if (!undoDisabled)
    undo.record({changed, application, UndoStep::Kind::kDropXdata, false}, {});
}

void DatabaseData::recordErased(AcDbStub* changed, bool erasedBefore) {
  modified = true;
  if (!undoDisabled)
    undo.record({changed, 0, UndoStep::Kind::kErased, erasedBefore}, {});
}

void DatabaseData::clearStubs() {
  for (auto& block : stubBlocks) {
    for (size_t i = 0; block && i < kStubBlock; ++i) {
      if (block[i].db != nullptr)  // pages of stubs never made stay unwritten
        block[i].db = nullptr;
    }
  }
}

}  // namespace zacad

AcDbDatabase::AcDbDatabase(bool, bool) : mData(new zacad::DatabaseData) {
  mData->self = this;
  mData->serial = zacad::nextSerial++;
  zacad::liveDatabases()[mData->serial] = mData;
}

AcDbDatabase::~AcDbDatabase() {
  if (!mData->reactors.empty())
    zacad::NotifyGoodbye(*mData);
  zacad::liveDatabases().erase(mData->serial);
  if (acdbHostApplicationServices()->workingDatabase() == this)
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  delete mData;
}

Acad::ErrorStatus AcDbDatabase::readDxfFile(const ACHAR* fileName) {
  const auto path = zacad::hostPath(fileName);
  if (!path) {
    mData->lastError = u"cannot map the file name to a path of this host";
    return Acad::eInvalidInput;
  }
  try {
    zdxf::Document doc = zdxf::Document::open(*path);
    mData->clearStubs();
    mData->stubBlocks.clear();
    for (auto& s : mData->implicit)
      s.reset();
    mData->doc.emplace(std::move(doc));
    mData->path = *path;
    mData->fileName = zwin32::WindowsPathFromHost(std::filesystem::absolute(*path).string());
    mData->version = zwin32::FromUtf8(mData->doc->version());
    mData->undo.clear();
    mData->tablesChanged();
    mData->lastReal.valid = false;  // a new drawing may write reals its own way
    mData->positionsOf = 0;
    mData->modified = false;
    mData->anyErased = false;
    mData->lastError.clear();
    return Acad::eOk;
  } catch (const std::exception& e) {
    mData->lastError = zwin32::FromUtf8(e.what());
    return Acad::eInvalidInput;
  }
}

const ACHAR* AcDbDatabase::originalFileName() const {
  return mData->fileName.c_str();
}

const ACHAR* AcDbDatabase::lastError() const {
  return mData->lastError.c_str();
}

const ACHAR* AcDbDatabase::versionString() const {
  return mData->version.c_str();
}

bool AcDbDatabase::isBinaryDxf() const {
  return mData->doc && mData->doc->format() == zdxf::Format::Binary;
}

AcDbObjectId AcDbDatabase::blockTableId() const {
  return AcDbObjectId(mData->tableStub("BLOCK_RECORD"));
}
AcDbObjectId AcDbDatabase::layerTableId() const {
  return AcDbObjectId(mData->tableStub("LAYER"));
}
AcDbObjectId AcDbDatabase::regAppTableId() const {
  return AcDbObjectId(mData->tableStub("APPID"));
}
AcDbObjectId AcDbDatabase::currentSpaceId() const {
  return AcDbObjectId(mData->modelSpace());
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode) {
  return acdbOpenObject(pTable, blockTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode) {
  return acdbOpenObject(pTable, layerTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode) {
  return acdbOpenObject(pTable, regAppTableId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool,
                                                const AcDbHandle& objHandle, Adesk::UInt32) {
  retId.setNull();
  if (!mData->doc || objHandle.isNull())
    return Acad::eKeyNotFound;
  auto found = mData->doc->find(objHandle.value());
  if (!found)
    return Acad::eKeyNotFound;
  retId = AcDbObjectId(mData->stub(*found));
  return Acad::eOk;
}

void AcDbDatabase::disableUndoRecording(bool disable) {
  mData->undoDisabled = disable;
}

bool AcDbDatabase::undoRecording() const {
  return !mData->undoDisabled;
}

bool AcDbDatabase::isModified() const {
  return mData->modified;
}
