// The database's inner state: the drawing's tags (a zdxf::Document), the stubs behind object
// ids, the state of each opening and the undo log. Shared by the database's sources only.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"
#include "zdxf/document.h"

class AcDbSymbolTable;

// What an AcDbObjectId points to: one object of one database. Stubs live as long as their
// database; most stand for an object of the drawing, a few for records the drawing leaves
// implicit (the block table and *Model_Space of an R12 drawing).
class AcDbStub {
 public:
  enum class Implicit : std::uint8_t { kNone, kBlockTable, kModelSpace, kLayerTable, kRegAppTable };

  // Null until the stub is made, and again once its database is gone.
  zacad::DatabaseData* db = nullptr;
  zdxf::ObjectId object = zdxf::kNoObject;
  int readers = 0;
  Implicit implicit = Implicit::kNone;
  bool erased = false;
  bool writer = false;
};

namespace zacad {

struct ObjectState;

// One change of the drawing and how to take it back; undoing it yields its redo step. A command
// tagging every entity records one step per entity, so a step is kept to 16 bytes.
struct UndoStep {
  enum class Kind : std::uint8_t {
    kTags,       // the object had the tags of the group's snapshot number `what`
    kDropXdata,  // the object had no xdata of DatabaseData::applicationNames[what]
    kErased,     // the object's erased flag was `erased`
  };
  AcDbStub* stub = nullptr;
  std::uint32_t what = 0;
  Kind kind = Kind::kTags;
  bool erased = false;
};

struct UndoGroup {
  // A deque grows without moving what it holds, so a long group never needs twice its room.
  std::deque<UndoStep> steps;
  // Former tags of kTags steps, as zdxf::Document::snapshot gives them.
  std::vector<std::string> snapshots;
};

// Groups of changes, one per command: undo takes back the newest closed group, redo reapplies
// what undo took back until a new change is recorded.
class UndoLog {
 public:
  // Groups nest: only the outermost begin/end pair makes a group.
  void begin();
  void end();
  // `snapshot` is the former tags of a kTags step.
  void record(UndoStep step, std::string snapshot);
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
  std::uint32_t serial = 0;  // the database's number in entity names
  // Stubs by zdxf ObjectId, made on demand, kStubBlock to an allocation: they never move and cost
  // no allocation each. A block is zeroed memory the kernel maps as stubs are first written (a
  // stub with no database is one not made yet), in 2 MB pages when the drawing fills it.
  static constexpr size_t kStubBlock = size_t{1} << 17;
  struct StubBlockRelease {
    void operator()(AcDbStub* block) const { std::free(block); }
  };
  std::vector<std::unique_ptr<AcDbStub[], StubBlockRelease>> stubBlocks;
  std::unique_ptr<AcDbStub> implicit[4];  // by AcDbStub::Implicit - 1
  UndoLog undo;
  // Records by table and upper-case name, those of one name in file order (erased ones
  // included), made on first use and dropped whenever a table may have changed.
  struct TableRecords {
    std::unordered_map<std::u16string, std::vector<AcDbStub*>> byName;
    // The last name looked up, as given, and its records (null: none): applications ask for
    // the same APPID before every xdata change, and each entity opened for write for its layer.
    std::u16string lastName;
    const std::vector<AcDbStub*>* last = nullptr;
    bool lastValid = false;
  };
  std::map<std::string, TableRecords, std::less<>> records;
  // The entry of `records` looked up last (its name and records), null when dropped: lookups
  // mostly ask the same table again.
  const std::string* lastTableName = nullptr;
  TableRecords* lastTable = nullptr;
  std::u16string recordKey;  // the name looked up, upper-cased in place: no allocation a lookup
  // Drawing-order position of each object, rebuilt when objects were added.
  std::vector<size_t> positions;
  size_t positionsOf = 0;  // the drawing's object count when positions was made
  // Names undo steps refer to by number (see UndoStep::Kind::kDropXdata).
  std::deque<std::string> applicationNames;
  std::map<std::string, std::uint32_t, std::less<>> applicationNumbers;
  std::uint32_t lastApplicationNumber = 0;  // the number applicationNumber gave last
  // Whether a layer record is locked, by its stub, and whether any is; dropped with the record
  // lookups.
  std::map<const AcDbStub*, bool> lockedLayers;
  std::optional<bool> anyLockedLayer;
  // APPID record names as written, and the 1001 tag setXData starts an application's new block
  // with; dropped likewise.
  struct ApplicationName {
    std::u16string name;
    zdxf::Tag head;
    // The head's value is a plain application name (isPlainApplicationName): a 1001 tag with
    // the same bytes names this application whatever the code page.
    bool plainHead = false;
  };
  std::map<const AcDbStub*, ApplicationName> applicationRecordNames;
  // The application setXData was last given, as given, and its record's names: a command
  // tagging entities names the same one every time. Dropped likewise (and erasing a record is
  // a table change).
  struct LastApplication {
    std::u16string asked;
    const ApplicationName* named = nullptr;
  } lastApplication;
  // acdbTblSearch's list of a record, its groups kept with their strings' lengths and handed out
  // as copies; dropped likewise.
  struct EntryGroup {
    resbuf value;  // rbnext unused
    std::u16string text;
    bool carriesText = false;
  };
  std::map<const AcDbStub*, std::vector<EntryGroup>> tableEntries;
  // The record acdbTblSearch found last, with the table and name it was asked for.
  struct LastEntry {
    std::string_view table;
    std::u16string asked;
    const std::vector<EntryGroup>* groups = nullptr;
  } lastEntry;
  // Room for the new blocks setXData puts together, kept between calls.
  std::vector<zdxf::Tag> xdataScratch;
  // The last real make_real formatted for xdata, and its text: records repeat their values.
  struct LastReal {
    double value = 0.0;
    std::string text;
    bool valid = false;
  } lastReal;
  bool undoDisabled = false;
  std::vector<AcDbDatabaseReactor*> reactors;  // in the order they were attached
  bool modified = false;
  bool anyErased = false;
  // States of closed openings, used again: a command opens and closes every entity it tags.
  static constexpr size_t kSpareStates = 8;
  std::vector<std::unique_ptr<ObjectState>> spareStates;

  zdxf::Document& document() { return *doc; }
  AcDbStub* stub(zdxf::ObjectId id);
  // The stub of an object if one was made, else null.
  AcDbStub* madeStub(zdxf::ObjectId id) const;
  bool erased(zdxf::ObjectId id) const {
    const AcDbStub* made = madeStub(id);
    return made != nullptr && made->erased;
  }
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
  // A change made: the object had the tags of `snapshot` (zdxf::Document::snapshot), had no
  // block of the application numbered `application` (see applicationNumber), or had the erased
  // flag `erasedBefore`.
  void recordTags(AcDbStub* stub, std::string snapshot);
  void recordDropXdata(AcDbStub* stub, std::uint32_t application);
  void recordErased(AcDbStub* stub, bool erasedBefore);
  void tablesChanged() {
    records.clear();
    lastTableName = nullptr;
    lastTable = nullptr;
    lockedLayers.clear();
    anyLockedLayer.reset();
    applicationRecordNames.clear();
    lastApplication.named = nullptr;
    tableEntries.clear();
    lastEntry.groups = nullptr;
  }
  std::uint32_t applicationNumber(std::string_view name) {
    // A command mostly tags with one application.
    if (lastApplicationNumber < applicationNames.size() &&
        applicationNames[lastApplicationNumber] == name) {
      return lastApplicationNumber;
    }
    auto known = applicationNumbers.find(name);
    if (known == applicationNumbers.end()) {
      known = applicationNumbers.emplace(name, static_cast<std::uint32_t>(applicationNames.size()))
                  .first;
      applicationNames.emplace_back(name);
    }
    lastApplicationNumber = known->second;
    return known->second;
  }
  void clearStubs();
};

// One opening of an object. Its tags are read when first asked for, and an opening that only
// reads or replaces extended data (an application tagging entities) reads just those: the
// object's own tags stay bytes of the drawing, and closing hands back only the new xdata.
struct ObjectState {
 public:
  AcDbStub* stub = nullptr;
  AcDb::OpenMode mode = AcDb::kForRead;
  bool undoWanted = false;
  bool changed = false;
  bool modified = false;  // recordModified was asked
  bool erasedAtOpen = false;
  bool entity = false;  // it stands for an entity (never a table record)

  // All the object's tags, as opened, then as changed.
  std::vector<zdxf::Tag>& tags();
  // Its extended data: `tags` from `start` on (the first 1001), to read or to change in place.
  struct Xdata {
    std::vector<zdxf::Tag>& tags;
    size_t start;
  };
  Xdata xdata() {
    // Asked several times an opening: the usual answer without a call.
    return held_ == Held::kXdata ? Xdata{tags_, 0} : readXdata();
  }
  // The tags as they are now are kept for undo (see original()).
  void keepOriginal();
  // Whether held() is all the tags, or only the extended data (the rest being as in the drawing).
  bool holdsAll() const { return held_ == Held::kAll; }
  // The tags held, and those kept by keepOriginal in the same form.
  std::vector<zdxf::Tag>& held() { return tags_; }
  const std::vector<zdxf::Tag>& original() const { return original_; }

 private:
  enum class Held : std::uint8_t { kNothing, kXdata, kAll };
  Xdata readXdata();
  Held held_ = Held::kNothing;
  std::vector<zdxf::Tag> tags_;
  std::vector<zdxf::Tag> original_;
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
void upperInPlace(std::u16string& text);
bool sameName(std::u16string_view a, std::u16string_view b);
// Whether the terminated `text` is `known`, read no further than needed (no length first).
inline bool sameText(const ACHAR* text, std::u16string_view known) {
  // Two characters a step: the second is read only once the first matched (so was no end).
  size_t i = 0;
  for (; i + 1 < known.size(); i += 2) {
    if (text[i] != known[i] || text[i + 1] != known[i + 1])
      return false;
  }
  if (i < known.size()) {
    if (text[i] != known[i])
      return false;
    ++i;
  }
  return text[i] == 0;
}
// Whether `bytes` are all letters, digits, "_", "$" and "-", as application names are: bytes
// that read the same in every code page.
bool isPlainApplicationName(std::string_view bytes);
// Whether a 1001 tag names the application `name`, case ignored.
bool namesApplication(const zdxf::Document& doc, const zdxf::Tag& tag, std::u16string_view name);

// The live database with this serial, or null.
DatabaseData* databaseBySerial(std::uint32_t serial);

// Makes the C++ object of the right class for a stub (not opened yet); `entity` tells whether it
// stands for an entity (DatabaseData::isEntity).
AcDbObject* makeObjectFor(DatabaseData& db, AcDbStub* stub, bool entity);
// Opens without the id checks of acdbOpenObject (the caller made them).
Acad::ErrorStatus openStub(AcDbObject*& object, AcDbStub* stub, AcDb::OpenMode mode,
                           bool openErased);
// True when the entity's layer, as the drawing holds it, is locked.
bool onLockedLayer(DatabaseData& db, zdxf::ObjectId id);

}  // namespace zacad
