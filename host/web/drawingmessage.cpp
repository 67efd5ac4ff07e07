#include "drawingmessage.h"

#include <set>
#include <span>
#include <unordered_set>
#include <string_view>
#include <vector>

#include "acdbads.h"
#include "acutads.h"
#include "acutmem.h"
#include "adscodes.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "json.h"
#include "shapegroups.h"
#include "tintrules.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

// A string the database hands over for the caller to free.
std::string Take(ACHAR* text) {
  if (text == nullptr)
    return {};
  std::string out = zwin32::ToUtf8(text);
  acutDelString(text);
  return out;
}

class GroupList {
 public:
  explicit GroupList(resbuf* head) : head_(head) {}
  ~GroupList() { acutRelRb(head_); }
  GroupList(const GroupList&) = delete;
  GroupList& operator=(const GroupList&) = delete;
  const resbuf* head() const { return head_; }

 private:
  resbuf* head_;
};

// A JSON array of numbers.
void AppendNumbers(std::string& out, std::span<const double> values) {
  out += '[';
  const char* comma = "";
  for (const double value : values) {
    out += comma;
    AppendJsonNumber(out, value);
    comma = ",";
  }
  out += ']';
}

// Writes "key": first, then ,"key": for the rest of one object.
class Fields {
 public:
  explicit Fields(std::string& out) : out_(out) { out_ += '{'; }
  ~Fields() { out_ += '}'; }
  Fields(const Fields&) = delete;
  Fields& operator=(const Fields&) = delete;

  std::string& key(std::string_view name) {
    if (!first_)
      out_ += ',';
    first_ = false;
    AppendJsonString(out_, name);
    out_ += ':';
    return out_;
  }
  void text(std::string_view name, std::string_view value) { AppendJsonString(key(name), value); }
  void number(std::string_view name, double value) { AppendJsonNumber(key(name), value); }
  void flag(std::string_view name, bool value) { key(name) += value ? "true" : "false"; }
  void numbers(std::string_view name, std::initializer_list<double> values) {
    AppendNumbers(key(name), values);
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void WriteLayers(AcDbDatabase& db, Fields& message) {
  std::string& out = message.key("layers");
  out += '[';
  AcDbLayerTable* table = nullptr;
  if (db.getLayerTable(table, AcDb::kForRead) == Acad::eOk) {
    AcDbSymbolTableIterator* it = nullptr;
    table->newIterator(it);
    const char* comma = "";
    for (; it != nullptr && !it->done(); it->step()) {
      AcDbSymbolTableRecord* record = nullptr;
      if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
        continue;
      if (const auto* layer = AcDbLayerTableRecord::cast(record)) {
        out += comma;
        comma = ",";
        ACHAR* name = nullptr;
        layer->getName(name);
        Fields fields(out);
        fields.text("name", Take(name));
        fields.number("color", layer->colorIndex());
        fields.flag("frozen", layer->isFrozen());
        fields.flag("off", layer->isOff());
      }
      record->close();
    }
    delete it;
    table->close();
  }
  out += ']';
}

// Vertices as x, y, bulge triples: a lightweight polyline holds them in its own group list,
// an old-style polyline in the VERTEX entities that follow it.
void WritePolylineVertices(const ads_name polyline, bool lightweight, Fields& fields) {
  std::string& out = fields.key("points");
  out += '[';
  const char* comma = "";
  auto vertex = [&](double x, double y, double bulge) {
    out += comma;
    comma = ",";
    AppendJsonNumber(out, x);
    out += ',';
    AppendJsonNumber(out, y);
    out += ',';
    AppendJsonNumber(out, bulge);
  };
  if (lightweight) {
    GroupList list(acdbEntGet(polyline));
    bool have = false;
    double x = 0, y = 0, bulge = 0;
    for (const resbuf* rb = list.head(); rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 10) {
        if (have)
          vertex(x, y, bulge);
        have = true;
        x = rb->resval.rpoint[X];
        y = rb->resval.rpoint[Y];
        bulge = 0;
      } else if (rb->restype == 42) {
        bulge = rb->resval.rreal;
      }
    }
    if (have)
      vertex(x, y, bulge);
  } else {
    ads_name at = {polyline[0], polyline[1]};
    ads_name next;
    while (acdbEntNext(at, next) == RTNORM) {
      GroupList list(acdbEntGet(next));
      bool isVertex = false;
      double x = 0, y = 0, bulge = 0;
      for (const resbuf* rb = list.head(); rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == 0)
          isVertex = std::u16string_view(rb->resval.rstring) == u"VERTEX";
        else if (rb->restype == 10) {
          x = rb->resval.rpoint[X];
          y = rb->resval.rpoint[Y];
        } else if (rb->restype == 42) {
          bulge = rb->resval.rreal;
        }
      }
      if (!isVertex)
        break;
      vertex(x, y, bulge);
      ads_name_set(next, at);
    }
  }
  out += ']';
}

// The blocks that references name, each written once after the entities that show it.
struct Blocks {
  std::set<std::u16string> named;
  std::vector<std::u16string> toWrite;

  void add(const std::u16string& name) {
    if (named.insert(name).second)
      toWrite.push_back(name);
  }
};

// The attributes that follow a block reference (ATTRIB ... SEQEND), as texts.
void WriteAttributes(const ads_name insert, Fields& fields) {
  std::string& out = fields.key("attributes");
  out += '[';
  const char* comma = "";
  ads_name at = {insert[0], insert[1]};
  ads_name next;
  while (acdbEntNext(at, next) == RTNORM) {
    GroupList list(acdbEntGet(next));
    bool attribute = false;
    bool hidden = false;
    std::string text;
    double x = 0, y = 0, height = 0, rotation = 0;
    for (const resbuf* rb = list.head(); rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 0) {
        attribute = std::u16string_view(rb->resval.rstring) == u"ATTRIB";
      } else if (rb->restype == 1) {
        text = zwin32::ToUtf8(rb->resval.rstring);
      } else if (rb->restype == 10) {
        x = rb->resval.rpoint[X];
        y = rb->resval.rpoint[Y];
      } else if (rb->restype == 40) {
        height = rb->resval.rreal;
      } else if (rb->restype == 50) {
        rotation = rb->resval.rreal;  // degrees in the list, as in the file
      } else if (rb->restype == 70) {
        hidden = (rb->resval.rint & 1) != 0;  // an invisible attribute
      }
    }
    if (!attribute)
      break;
    if (!hidden) {
      out += comma;
      comma = ",";
      Fields attribute(out);
      attribute.numbers("at", {x, y});
      attribute.number("height", height);
      attribute.number("rotation", rotation * 3.14159265358979323846 / 180);
      attribute.text("text", text);
    }
    ads_name_set(next, at);
  }
  out += ']';
}

void WriteInsert(const AcDbBlockReference* insert, const ads_name name, Blocks& blocks,
                 Fields& fields) {
  std::u16string block;
  AcDbBlockTableRecord* record = nullptr;
  if (acdbOpenObject(record, insert->blockTableRecord(), AcDb::kForRead) == Acad::eOk) {
    ACHAR* text = nullptr;
    if (record->getName(text) == Acad::eOk && text != nullptr) {
      block = text;
      acutDelString(text);
    }
    record->close();
  }
  fields.text("shape", "insert");
  fields.text("block", zwin32::ToUtf8(block));
  fields.numbers("at", {insert->position().x, insert->position().y});
  fields.numbers("scale", {insert->scaleFactors().x, insert->scaleFactors().y});
  fields.number("rotation", insert->rotation());
  AcDbExtents box;
  if (insert->getGeomExtents(box) == Acad::eOk && !box.isEmpty()) {
    fields.numbers("box", {box.minPoint().x, box.minPoint().y, box.maxPoint().x, box.maxPoint().y});
  }
  WriteAttributes(name, fields);
  if (!block.empty())
    blocks.add(block);
}

// A hatch as its boundary: false when its groups hold no path the page can draw.
bool WritePaths(const ads_name name, Fields& fields) {
  GroupList list(acdbEntGet(name));
  const std::vector<Polyline> pieces = HatchBoundary(list.head());
  if (pieces.empty())
    return false;
  fields.text("shape", "paths");
  std::string& out = fields.key("paths");
  out += '[';
  const char* comma = "";
  for (const Polyline& piece : pieces) {
    out += comma;
    comma = ",";
    AppendNumbers(out, piece);
  }
  out += ']';
  return true;
}

// A spline as the polyline of its curve: false when it has no points.
bool WriteSpline(const ads_name name, Fields& fields) {
  GroupList list(acdbEntGet(name));
  const Polyline curve = SplineCurve(list.head());
  if (curve.empty())
    return false;
  fields.text("shape", "polyline");
  fields.flag("closed", false);
  AppendNumbers(fields.key("points"), curve);
  return true;
}

void WriteShape(const AcDbEntity* e, const ads_name name, Blocks& blocks, Fields& fields) {
  if (const auto* line = AcDbLine::cast(e)) {
    const AcGePoint3d a = line->startPoint(), b = line->endPoint();
    fields.text("shape", "line");
    fields.numbers("points", {a.x, a.y, b.x, b.y});
  } else if (const auto* arc = AcDbArc::cast(e)) {
    fields.text("shape", "arc");
    fields.numbers("center", {arc->center().x, arc->center().y});
    fields.number("radius", arc->radius());
    fields.number("start", arc->startAngle());
    fields.number("end", arc->endAngle());
  } else if (const auto* circle = AcDbCircle::cast(e)) {
    fields.text("shape", "circle");
    fields.numbers("center", {circle->center().x, circle->center().y});
    fields.number("radius", circle->radius());
  } else if (const auto* polyline = AcDbPolyline::cast(e)) {
    fields.text("shape", "polyline");
    fields.flag("closed", polyline->isClosed());
    WritePolylineVertices(name, true, fields);
  } else if (const auto* polyline2d = AcDb2dPolyline::cast(e)) {
    fields.text("shape", "polyline");
    fields.flag("closed", polyline2d->isClosed());
    WritePolylineVertices(name, false, fields);
  } else if (const auto* polyline3d = AcDb3dPolyline::cast(e)) {
    fields.text("shape", "polyline");
    fields.flag("closed", polyline3d->isClosed());
    WritePolylineVertices(name, false, fields);
  } else if (const auto* text = AcDbText::cast(e)) {
    fields.text("shape", "text");
    fields.numbers("at", {text->position().x, text->position().y});
    fields.number("height", text->height());
    fields.number("rotation", text->rotation());
    fields.text("text", Take(text->textString()));
  } else if (const auto* mtext = AcDbMText::cast(e)) {
    // Multiline text keeps its format codes: the page strips what it cannot show.
    fields.text("shape", "mtext");
    fields.numbers("at", {mtext->location().x, mtext->location().y});
    fields.number("height", mtext->textHeight());
    fields.number("rotation", mtext->rotation());
    fields.number("attachment", mtext->attachment());
    fields.text("text", Take(mtext->contents()));
  } else if (const auto* insert = AcDbBlockReference::cast(e)) {
    WriteInsert(insert, name, blocks, fields);
  } else if (AcDbHatch::cast(e) != nullptr && WritePaths(name, fields)) {
  } else if (AcDbSpline::cast(e) != nullptr && WriteSpline(name, fields)) {
  } else {
    // Other kinds show as the box around them, so that the page shows where they are until it
    // learns to draw them.
    AcDbExtents box;
    if (e->getGeomExtents(box) == Acad::eOk && !box.isEmpty()) {
      fields.text("shape", "box");
      fields.numbers("points",
                     {box.minPoint().x, box.minPoint().y, box.maxPoint().x, box.maxPoint().y});
    } else {
      fields.text("shape", "none");
    }
  }
}

// An entity with its tint, the index of the page's first tint rule that its data matches,
// when there are rules and one matches.
void WriteEntity(const AcDbEntity* e, Blocks& blocks, std::string& out) {
  Fields fields(out);
  AcDbHandle handle;
  e->getAcDbHandle(handle);
  ACHAR hex[20] = {};
  handle.getIntoAsciiBuffer(hex, 20);
  fields.text("handle", zwin32::ToUtf8(hex));
  ads_name name = {0, 0};
  std::string kind;
  if (acdbGetAdsName(name, e->objectId()) == Acad::eOk) {
    GroupList list(acdbEntGet(name));
    for (const resbuf* rb = list.head(); rb != nullptr && kind.empty(); rb = rb->rbnext) {
      if (rb->restype == 0)
        kind = zwin32::ToUtf8(rb->resval.rstring);
    }
  }
  fields.text("kind", kind);
  fields.text("layer", Take(e->layer()));
  fields.number("color", e->colorIndex());
  if (const TintRules* tint = PageTint()) {
    if (const int rule = tint->match(*e); rule >= 0)
      fields.number("tint", rule);
  }
  WriteShape(e, name, blocks, fields);
}

// The block's own entities, in drawing order, as a JSON array.
void WriteBlockEntities(AcDbBlockTableRecord& record, Blocks& blocks, std::string& out) {
  out += '[';
  AcDbBlockTableRecordIterator* it = nullptr;
  record.newIterator(it);
  const char* comma = "";
  for (; it != nullptr && !it->done(); it->step()) {
    AcDbEntity* entity = nullptr;
    if (it->getEntity(entity, AcDb::kForRead) != Acad::eOk)
      continue;
    out += comma;
    comma = ",";
    WriteEntity(entity, blocks, out);
    entity->close();
  }
  delete it;
  out += ']';
}

// "blocks": each block that `blocks` names (nested ones included) by name, with its base point
// and its entities.
void WriteBlocks(AcDbBlockTable& table, Blocks& blocks, Fields& message) {
  std::string& out = message.key("blocks");
  out += '{';
  const char* comma = "";
  // Writing a block may name further blocks: the list grows while it is walked.
  for (size_t i = 0; i < blocks.toWrite.size(); ++i) {
    const std::u16string name = blocks.toWrite[i];
    AcDbBlockTableRecord* record = nullptr;
    if (table.getAt(name.c_str(), record, AcDb::kForRead) != Acad::eOk)
      continue;
    out += comma;
    comma = ",";
    AppendJsonString(out, zwin32::ToUtf8(name));
    out += ':';
    Fields block(out);
    double base[2] = {0, 0};
    GroupList found(acdbTblSearch(u"BLOCK", name.c_str(), 0));
    for (const resbuf* rb = found.head(); rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 10) {
        base[0] = rb->resval.rpoint[X];
        base[1] = rb->resval.rpoint[Y];
      }
    }
    block.numbers("base", {base[0], base[1]});
    WriteBlockEntities(*record, blocks, block.key("entities"));
    record->close();
  }
  out += '}';
}

// The model space's entities, then the blocks they show.
void WriteEntities(AcDbDatabase& db, Fields& message) {
  Blocks blocks;
  AcDbBlockTable* table = nullptr;
  if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
    message.key("entities") += "[]";
    message.key("blocks") += "{}";
    return;
  }
  AcDbBlockTableRecord* space = nullptr;
  if (table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead) == Acad::eOk) {
    WriteBlockEntities(*space, blocks, message.key("entities"));
    space->close();
  } else {
    message.key("entities") += "[]";
  }
  WriteBlocks(*table, blocks, message);
  table->close();
}

// Where a changed object shows on the page.
enum class Reach { kNowhere, kEntity, kErased, kWhole };

// The model-space entity that shows a changed object (a vertex or an attribute shows through
// its owner), whether it is erased, or that the change reaches further (a layer, a block's
// definition): then the page needs the whole drawing. Paper space is not shown.
Reach Locate(AcDbObjectId changed, AcDbObjectId modelSpace, AcDbObjectId& entity) {
  AcDbObject* object = nullptr;
  if (acdbOpenObject(object, changed, AcDb::kForRead, true) != Acad::eOk)
    return Reach::kNowhere;
  if (AcDbLayerTableRecord::cast(object) != nullptr ||
      AcDbBlockTableRecord::cast(object) != nullptr) {
    object->close();
    return Reach::kWhole;
  }
  if (AcDbEntity::cast(object) == nullptr) {
    object->close();
    return Reach::kNowhere;
  }
  entity = changed;
  bool erased = object->isErased();
  AcDbObjectId owner = object->ownerId();
  object->close();
  for (int depth = 0; depth < 4 && owner != modelSpace; ++depth) {
    AcDbObject* up = nullptr;
    if (acdbOpenObject(up, owner, AcDb::kForRead, true) != Acad::eOk)
      return Reach::kNowhere;
    const auto* space = AcDbBlockTableRecord::cast(up);
    const bool isEntity = AcDbEntity::cast(up) != nullptr;
    const bool layout = space != nullptr && space->isLayout();
    // A part erased with its owner standing changes the owner.
    erased = isEntity && up->isErased();
    const AcDbObjectId next = up->ownerId();
    up->close();
    if (!isEntity)
      return space != nullptr && !layout ? Reach::kWhole : Reach::kNowhere;
    entity = owner;
    owner = next;
  }
  if (owner != modelSpace)
    return Reach::kNowhere;
  return erased ? Reach::kErased : Reach::kEntity;
}

std::string HandleText(AcDbObjectId id) {
  ACHAR hex[20] = {};
  id.handle().getIntoAsciiBuffer(hex, 20);
  return zwin32::ToUtf8(hex);
}

}  // namespace

std::string DrawingMessage() {
  std::string out;
  {
    Fields message(out);
    message.text("type", "drawing");
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr) {
      message.key("file") += "null";
      message.key("layers") += "[]";
      message.key("entities") += "[]";
      message.key("blocks") += "{}";
    } else {
      message.text("file", zwin32::ToUtf8(db->originalFileName()));
      message.flag("modified", db->isModified());
      WriteLayers(*db, message);
      WriteEntities(*db, message);
    }
    if (const TintRules* tint = PageTint())
      message.key("tint") += tint->legend();
  }
  return out;
}

std::optional<std::string> EntitiesMessage(const std::vector<AcDbObjectId>& changed) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  AcDbBlockTable* table = nullptr;
  if (db == nullptr || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk)
    return std::nullopt;
  AcDbObjectId modelSpace;
  table->getAt(ACDB_MODEL_SPACE, modelSpace);
  std::string out;
  bool whole = false;
  {
    Fields message(out);
    message.text("type", "entities");
    message.flag("modified", db->isModified());
    std::string& list = message.key("entities");
    list += '[';
    Blocks blocks;
    std::vector<AcDbObjectId> erased;
    std::vector<AcDbObjectId> parts;  // changed objects that are not model-space entities
    std::unordered_set<AcDbObjectId> seen;
    const char* comma = "";
    auto write = [&](const AcDbEntity& entity) {
      list += comma;
      comma = ",";
      WriteEntity(&entity, blocks, list);
    };
    // Model-space entities, nearly all of what commands change, are written from the opening
    // that finds them; the rest is looked up through its owners afterwards.
    for (const AcDbObjectId id : changed) {
      AcDbObject* object = nullptr;
      if (acdbOpenObject(object, id, AcDb::kForRead, true) != Acad::eOk)
        continue;
      if (const auto* entity = AcDbEntity::cast(object);
          entity != nullptr && entity->ownerId() == modelSpace) {
        if (seen.insert(id).second) {
          if (entity->isErased())
            erased.push_back(id);
          else
            write(*entity);
        }
      } else {
        parts.push_back(id);
      }
      object->close();
    }
    for (const AcDbObjectId id : parts) {
      AcDbObjectId entity;
      const Reach reach = Locate(id, modelSpace, entity);
      whole = whole || reach == Reach::kWhole;
      if ((reach != Reach::kEntity && reach != Reach::kErased) || !seen.insert(entity).second)
        continue;
      AcDbEntity* owner = nullptr;
      if (reach == Reach::kErased) {
        erased.push_back(entity);
      } else if (acdbOpenAcDbEntity(owner, entity, AcDb::kForRead) == Acad::eOk) {
        write(*owner);
        owner->close();
      }
    }
    list += ']';
    std::string& gone = message.key("erased");
    gone += '[';
    comma = "";
    for (const AcDbObjectId id : erased) {
      gone += comma;
      comma = ",";
      AppendJsonString(gone, HandleText(id));
    }
    gone += ']';
    if (!whole)
      WriteBlocks(*table, blocks, message);
  }
  table->close();
  if (whole)
    return std::nullopt;
  return out;
}

}  // namespace zanthost::web
