// The C-level database functions over the working database: entity lists, walking the
// entities, and the APPID table.
#include <cstdlib>

#include "../../rx/src/resbufmemory.h"
#include "acdbads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbdata.h"
#include "reactors.h"
#include "zwin32/utf.h"

namespace {

using zacad::DatabaseData;
using zdxf::Tag;

DatabaseData* working() {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  return db == nullptr || !db->data().doc ? nullptr : &db->data();
}

bool isPointX(int code) {
  return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 ||
         (code >= 1010 && code <= 1013);
}

bool isReference(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) ||
         (code >= 480 && code <= 481);
}

resbuf* buffer(int code) {
  return zacad::NewBuffer(code);
}

resbuf* nameBuffer(int code, const DatabaseData& db, zdxf::ObjectId id) {
  resbuf* rb = buffer(code);
  rb->resval.rlname[0] = db.serial;
  rb->resval.rlname[1] = static_cast<int64_t>(id) + 1;
  return rb;
}

// Whether the list's buffer of this group holds its value as a string (see `group`).
bool carriesString(int code) {
  if (code < 0 || isPointX(code) || isReference(code))
    return false;
  switch (zdxf::value_type(code)) {
    case zdxf::ValueType::Double:
    case zdxf::ValueType::Int16:
    case zdxf::ValueType::Bool:
    case zdxf::ValueType::Int32:
    case zdxf::ValueType::Int64:
      return false;
    default:
      return true;
  }
}

// Whether `name` is `upper` (ASCII capitals), case ignored.
bool isName(const ACHAR* name, std::string_view upper) {
  for (const char c : upper) {
    const char16_t given = *name++;
    if (given != static_cast<char16_t>(c) && given != static_cast<char16_t>(c - 'A' + 'a'))
      return false;
  }
  return *name == 0;
}

// A fresh copy of a record's entry, strings included.
resbuf* copyEntry(const std::vector<DatabaseData::EntryGroup>& groups) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const DatabaseData::EntryGroup& group : groups) {
    resbuf* copy = buffer(group.value.restype);
    if (copy == nullptr)
      break;
    copy->resval = group.value.resval;
    if (group.carriesText)
      copy->resval.rstring = zacad::NewString(group.text);
    *tail = copy;
    tail = &copy->rbnext;
  }
  return head;
}

// One group of the list; `i` moves past the tags it used. Null for a reference to nothing.
resbuf* group(DatabaseData& db, const std::vector<Tag>& tags, size_t& i) {
  const Tag& tag = tags[i++];
  const int code = tag.code;
  if (isPointX(code)) {
    resbuf* rb = buffer(code);
    rb->resval.rpoint[0] = tag.as_double().value_or(0.0);
    for (int axis = 1; axis <= 2; ++axis) {
      if (i < tags.size() && tags[i].code == code + 10 * axis)
        rb->resval.rpoint[axis] = tags[i++].as_double().value_or(0.0);
    }
    return rb;
  }
  if (isReference(code)) {
    auto handle = tag.as_handle();
    auto found = handle ? db.doc->find(*handle) : std::nullopt;
    return found ? nameBuffer(code, db, *found) : nullptr;
  }
  resbuf* rb = buffer(code == 0 ? 0 : code);
  switch (zdxf::value_type(code)) {
    case zdxf::ValueType::Double:
      rb->resval.rreal = tag.as_double().value_or(0.0);
      break;
    case zdxf::ValueType::Int16:
    case zdxf::ValueType::Bool:
      rb->resval.rint = static_cast<short>(tag.as_int().value_or(0));
      break;
    case zdxf::ValueType::Int32:
      rb->resval.rlong = static_cast<int32_t>(tag.as_int().value_or(0));
      break;
    case zdxf::ValueType::Int64:
      rb->resval.mnInt64 = tag.as_int().value_or(0);
      break;
    default:
      rb->resval.rstring = zacad::newString(db.doc->decode(tag.trimmed()));
      break;
  }
  return rb;
}

// Entity name -> the entity's object in the working database, if it is a live entity.
std::optional<zdxf::ObjectId> entityOf(DatabaseData*& db, const ads_name ent) {
  AcDbObjectId id;
  if (ent == nullptr || acdbGetObjectId(id, ent) != Acad::eOk)
    return std::nullopt;
  AcDbStub* stub = id;
  db = stub->db;
  if (db == nullptr || !db->isEntity(stub->object))
    return std::nullopt;
  return stub->object;
}

bool live(DatabaseData& db, zdxf::ObjectId id) {
  return !db.erased(id);
}

void setName(ads_name result, const DatabaseData& db, zdxf::ObjectId id) {
  result[0] = db.serial;
  result[1] = static_cast<int64_t>(id) + 1;
}

// The list of a record or entity: (-1 name) then its groups, xdata left out.
resbuf* entityList(DatabaseData& db, zdxf::ObjectId id, bool withXdata, const resbuf* apps) {
  const std::vector<Tag> tags = db.doc->tags(id);
  resbuf* head = nameBuffer(-1, db, id);
  resbuf* tail = head;
  const size_t end = zacad::xdataStart(tags);
  for (size_t i = 0; i < end;) {
    if (resbuf* rb = group(db, tags, i)) {
      tail->rbnext = rb;
      tail = rb;
    }
  }
  if (!withXdata || end == tags.size())
    return head;
  tail = tail->rbnext = buffer(-3);
  bool wanted = false;
  for (size_t i = end; i < tags.size();) {
    if (tags[i].code == 1001) {
      const std::u16string app = db.doc->decode(tags[i].trimmed());
      wanted = false;
      for (const resbuf* a = apps; a != nullptr && !wanted; a = a->rbnext) {
        wanted = a->resval.rstring != nullptr && (std::u16string_view(a->resval.rstring) == u"*" ||
                                                  zacad::sameName(a->resval.rstring, app));
      }
    }
    if (!wanted) {
      ++i;
      continue;
    }
    if (resbuf* rb = group(db, tags, i)) {
      tail->rbnext = rb;
      tail = rb;
    }
  }
  return head;
}

bool validSymbolName(std::u16string_view name) {
  if (name.empty() || name.size() > 31)
    return false;
  for (char16_t c : name) {
    const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                    (c >= u'0' && c <= u'9') || c == u'$' || c == u'-' || c == u'_';
    if (!ok)
      return false;
  }
  return true;
}

std::optional<zdxf::ObjectId> headerSection(const zdxf::Document& doc) {
  for (zdxf::ObjectId id : doc.objects()) {
    if (doc.type(id) == "SECTION" && doc.section(id) == "HEADER")
      return id;
  }
  return std::nullopt;
}

}  // namespace

resbuf* acdbEntGet(const ads_name ent) {
  DatabaseData* db = nullptr;
  auto id = entityOf(db, ent);
  if (!id || !live(*db, *id))
    return nullptr;
  return entityList(*db, *id, false, nullptr);
}

resbuf* acdbEntGetX(const ads_name ent, const resbuf* apps) {
  DatabaseData* db = nullptr;
  auto id = entityOf(db, ent);
  if (!id || !live(*db, *id))
    return nullptr;
  return entityList(*db, *id, true, apps);
}

int acdbEntNext(const ads_name ent, ads_name result) {
  DatabaseData* db = nullptr;
  size_t from = 0;
  if (ent == nullptr || ads_name_nil(ent)) {
    db = working();
    if (db == nullptr)
      return RTERROR;
  } else {
    auto id = entityOf(db, ent);
    if (!id)
      return RTERROR;
    from = db->position(*id) + 1;
  }
  const auto& order = db->doc->objects();
  for (size_t i = from; i < order.size(); ++i) {
    const zdxf::ObjectId id = order[i];
    if (db->doc->section(id) != "ENTITIES" || !db->isEntity(id) || !live(*db, id))
      continue;
    // Sub-entities come only after their parent, never as a first entity.
    if (from == 0 && db->doc->parent(id))
      continue;
    setName(result, *db, id);
    return RTNORM;
  }
  return RTERROR;
}

int acdbEntLast(ads_name result) {
  DatabaseData* db = working();
  if (db == nullptr)
    return RTERROR;
  const auto& order = db->doc->objects();
  for (size_t i = order.size(); i-- > 0;) {
    const zdxf::ObjectId id = order[i];
    if (db->doc->section(id) == "ENTITIES" && db->isEntity(id) && !db->doc->parent(id) &&
        live(*db, id)) {
      setName(result, *db, id);
      return RTNORM;
    }
  }
  return RTERROR;
}

resbuf* acdbTblSearch(const ACHAR* tblname, const ACHAR* sym, int) {
  DatabaseData* db = working();
  if (db == nullptr || tblname == nullptr || sym == nullptr)
    return nullptr;
  std::string_view dxfTable;
  if (isName(tblname, "APPID"))
    dxfTable = "APPID";
  else if (isName(tblname, "LAYER"))
    dxfTable = "LAYER";
  else if (isName(tblname, "BLOCK"))
    dxfTable = "BLOCK_RECORD";
  else
    return nullptr;
  // Applications look their APPID up before every xdata change: the entry is built once per
  // record and copied, until a table changes, and the last one asked for is found first.
  DatabaseData::LastEntry& last = db->lastEntry;
  if (last.groups != nullptr && last.table == dxfTable && zacad::sameText(sym, last.asked))
    return copyEntry(*last.groups);
  AcDbStub* record = db->findRecord(dxfTable, sym);
  if (record == nullptr)
    return nullptr;
  auto [known, added] = db->tableEntries.try_emplace(record);
  if (added) {
    // A table entry's list holds its type and data: no entity name, handle, subclass markers,
    // reactors or owner.
    resbuf* list = entityList(*db, record->object, false, nullptr);
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
      const int code = rb->restype;
      if (code == -1 || code == 5 || code == 100 || code == 102 || code == 105 ||
          isReference(code)) {
        continue;
      }
      DatabaseData::EntryGroup& group = known->second.emplace_back();
      group.value = *rb;
      group.value.rbnext = nullptr;
      group.carriesText = carriesString(code) && rb->resval.rstring != nullptr;
      if (group.carriesText) {
        group.text = rb->resval.rstring;
        group.value.resval.rstring = nullptr;  // released with the list; each copy gets its own
      }
    }
    acutRelRb(list);
  }
  last.table = dxfTable;
  last.asked = sym;
  last.groups = &known->second;
  return copyEntry(known->second);
}

int acdbRegApp(const ACHAR* appname) {
  DatabaseData* db = working();
  if (db == nullptr || appname == nullptr || !validSymbolName(appname))
    return RTERROR;
  if (db->findRecord("APPID", appname) != nullptr)
    return RTERROR;
  zdxf::Document& doc = *db->doc;
  const auto table = doc.table("APPID");
  const auto header = headerSection(doc);
  if (!table)
    return RTERROR;
  std::vector<Tag> record{doc.make_string(0, u"APPID")};
  if (doc.version() >= "AC1012") {
    record.push_back(doc.make_string(100, u"AcDbSymbolTableRecord"));
    record.push_back(doc.make_string(100, u"AcDbRegAppTableRecord"));
  }
  record.push_back(doc.make_string(2, appname));
  record.push_back(doc.make_int(70, 0));
  std::string tableBefore = doc.snapshot(*table);
  std::string headerBefore = header ? doc.snapshot(*header) : std::string();
  zdxf::ObjectId added;
  try {
    added = doc.add_table_record("APPID", std::move(record));
    db->tablesChanged();
  } catch (const std::exception&) {
    return RTERROR;
  }
  // Undone newest first: the record goes, then the table's count and $HANDSEED come back.
  if (header)
    db->recordTags(db->stub(*header), std::move(headerBefore));
  db->recordTags(db->stub(*table), std::move(tableBefore));
  db->recordErased(db->stub(added), true);
  if (!db->reactors.empty())
    zacad::NotifyAppended(*db, db->stub(added));
  return RTNORM;
}
