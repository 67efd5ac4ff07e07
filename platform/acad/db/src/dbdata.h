// The database's inner state: the drawing's tags (a zdxf::Document), the stubs behind object
// ids, the state of each opening and the undo log. Shared by the database's sources only.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbmain.h"
#include "zdxf/document.h"

class AcDbSymbolTable;

// What an AcDbObjectId points to: one object of one database. Stubs live as long as their
// database; most stand for an object of the drawing, a few for records the drawing leaves
// implicit (the block table and *Model_Space of an R12 drawing).
class AcDbStub {
 public:
  enum class Implicit { kNone, kBlockTable, kModelSpace, kLayerTable, kRegAppTable };

  zacad::DatabaseData* db = nullptr;
  zdxf::ObjectId object = zdxf::kNoObject;
  Implicit implicit = Implicit::kNone;
  bool erased = false;
  int readers = 0;
  bool writer = false;
};

namespace zacad {

// One change of the drawing and how to take it back; undoing it yields its redo step.
struct UndoStep {
  enum class Kind {
    kTags,       // the object had `tags`
    kDropXdata,  // the object had no xdata of `application`
    kErased,     // the object's erased flag was `erased`
  };
  Kind kind = Kind::kTags;
  AcDbStub* stub = nullptr;
  std::vector<zdxf::Tag> tags;
  // One of DatabaseData::applicationNames: a command tagging every entity records one step per
  // entity, so the name is not copied into each.
  const std::string* application = nullptr;
  bool erased = false;
};

struct UndoGroup {
  // A deque grows without moving what it holds, so a long group never needs twice its room.
  std::deque<UndoStep> steps;
};

// Groups of changes, one per command: undo takes back the newest closed group, redo reapplies
// what undo took back until a new change is recorded.
class UndoLog {
 public:
  // Groups nest: only the outermost begin/end pair makes a group.
  void begin();
  void end();
  void record(UndoStep step);
  // Takes back the newest group; false when there is none.
  bool undo(DatabaseData& db);
  bool redo(DatabaseData& db);
  void clear();

 private:
  static UndoGroup apply(DatabaseData& db, UndoGroup group);
  void closeOpenGroup();

  std::vector<UndoGroup> done_;
  std::vector<UndoGroup> redo_;
  UndoGroup open_;
  int depth_ = 0;
};

struct DatabaseData {
  AcDbDatabase* self = nullptr;
  std::optional<zdxf::Document> doc;
  std::string path;  // host path
  std::u16string fileName;
  std::u16string lastError;
  std::u16string version;
  std::uint32_t serial = 0;                      // the database's number in entity names
  std::vector<std::unique_ptr<AcDbStub>> stubs;  // by zdxf ObjectId, made on demand
  std::unique_ptr<AcDbStub> implicit[4];         // by AcDbStub::Implicit - 1
  UndoLog undo;
  // Records by table and upper-case name (erased ones included), made on first use and
  // dropped whenever a table may have changed.
  std::map<std::string, std::vector<std::pair<std::u16string, AcDbStub*>>, std::less<>> records;
  // Drawing-order position of each object, rebuilt when objects were added.
  std::vector<size_t> positions;
  size_t positionsOf = 0;  // the drawing's object count when positions was made
  // Names undo steps refer to (see UndoStep::application).
  std::set<std::string, std::less<>> applicationNames;
  // Whether a layer record is locked, by its stub; dropped with the record lookups.
  std::map<const AcDbStub*, bool> lockedLayers;
  // APPID record names as written (setXData writes them in every 1001 tag); dropped likewise.
  std::map<const AcDbStub*, std::u16string> applicationRecordNames;
  bool undoDisabled = false;
  bool modified = false;
  bool anyErased = false;

  zdxf::Document& document() { return *doc; }
  AcDbStub* stub(zdxf::ObjectId id);
  AcDbStub* implicitStub(AcDbStub::Implicit kind);
  // The table stub ("LAYER", "APPID", "BLOCK_RECORD"), implicit when the drawing has none.
  AcDbStub* tableStub(std::string_view name);
  AcDbStub* modelSpace();
  // Entities directly in a block (model space: the ENTITIES section outside paper space), in
  // file order, without vertices, attributes and SEQENDs.
  std::vector<zdxf::ObjectId> blockEntities(const AcDbStub* block);
  // Table records in file order (erased ones included).
  std::vector<zdxf::ObjectId> tableRecords(std::string_view table);
  // The record of a table by name (case ignored, erased records skipped), or null.
  AcDbStub* findRecord(std::string_view table, std::u16string_view name, bool erasedToo = false);
  // Decoded group 2 of a record.
  std::u16string recordName(zdxf::ObjectId id);
  bool isEntity(zdxf::ObjectId id);
  size_t position(zdxf::ObjectId id);
  void recordUndo(UndoStep step);
  void tablesChanged() {
    records.clear();
    lockedLayers.clear();
    applicationRecordNames.clear();
  }
  const std::string* applicationName(std::string_view name) {
    auto known = applicationNames.find(name);
    if (known == applicationNames.end())
      known = applicationNames.emplace(name).first;
    return &*known;
  }
  void clearStubs();
};

// One opening of an object.
struct ObjectState {
  AcDbStub* stub = nullptr;
  AcDb::OpenMode mode = AcDb::kForRead;
  std::vector<zdxf::Tag> tags;      // as opened, then as changed
  std::vector<zdxf::Tag> original;  // as opened, kept once a writer asks for undo
  bool undoWanted = false;
  bool changed = false;
  bool modified = false;  // recordModified was asked
  bool erasedAtOpen = false;
};

// Helpers shared by the sources.
std::u16string decode(const ObjectState& s, const zdxf::Tag& tag);
const zdxf::Tag* findTag(const std::vector<zdxf::Tag>& tags, int code);
double realAt(const std::vector<zdxf::Tag>& tags, int code, double fallback = 0.0);
long long intAt(const std::vector<zdxf::Tag>& tags, int code, long long fallback = 0);
AcGePoint3d pointAt(const std::vector<zdxf::Tag>& tags, int code);
// Index of the first xdata tag (the first 1001), or tags.size().
size_t xdataStart(const std::vector<zdxf::Tag>& tags);
ACHAR* newString(std::u16string_view text);
std::u16string upper(std::u16string_view text);
bool sameName(std::u16string_view a, std::u16string_view b);

// The live database with this serial, or null.
DatabaseData* databaseBySerial(std::uint32_t serial);

// Makes the C++ object of the right class for a stub (not opened yet) whose tags are `tags`.
AcDbObject* makeObjectFor(DatabaseData& db, AcDbStub* stub, const std::vector<zdxf::Tag>& tags);
// Opens without the id checks of acdbOpenObject (the caller made them).
Acad::ErrorStatus openStub(AcDbObject*& object, AcDbStub* stub, AcDb::OpenMode mode,
                           bool openErased);
// True when the entity's layer is locked.
bool onLockedLayer(DatabaseData& db, const std::vector<zdxf::Tag>& tags);

}  // namespace zacad
