#include "drawing_reader.h"

#include <map>
#include <memory>

#include "acdbads.h"
#include "adscodes.h"
#include "acutads.h"
#include "acutmem.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "zwin32/utf.h"

#include "mtext_plain.h"
#include "record.h"

namespace zinspect {

namespace {

// Strings the host hands over for the caller to free.
std::string Take(ACHAR* text) {
  if (text == nullptr)
    return {};
  std::string out = zwin32::ToUtf8(text);
  acutDelString(text);
  return out;
}

struct RbList {
  explicit RbList(resbuf* head) : head(head) {}
  ~RbList() { acutRelRb(head); }
  RbList(const RbList&) = delete;
  RbList& operator=(const RbList&) = delete;
  resbuf* head;
};

std::map<std::string, bool> LockedLayers(AcDbDatabase& db) {
  std::map<std::string, bool> locked;
  AcDbLayerTable* table = nullptr;
  if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk)
    return locked;
  AcDbSymbolTableIterator* it = nullptr;
  table->newIterator(it);
  for (; it != nullptr && !it->done(); it->step()) {
    AcDbSymbolTableRecord* record = nullptr;
    if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
      continue;
    ACHAR* name = nullptr;
    record->getName(name);
    const auto* layer = AcDbLayerTableRecord::cast(record);
    locked[Take(name)] = layer != nullptr && layer->isLocked();
    record->close();
  }
  delete it;
  table->close();
  return locked;
}

bool Taggable(const AcDbEntity* e) {
  for (AcRxClass* cls : {AcDbLine::desc(), AcDbPolyline::desc(), AcDb2dPolyline::desc(),
                         AcDb3dPolyline::desc(), AcDbText::desc(), AcDbMText::desc(),
                         AcDbArc::desc(), AcDbHatch::desc(), AcDbSpline::desc()}) {
    if (e->isKindOf(cls))
      return true;
  }
  return false;
}

Point Flat(const AcGePoint3d& p) {
  return {p.x, p.y};
}

// What follows a block reference or an old-style polyline in the drawing: its attributes or
// its vertices, up to the SEQEND that closes them.
void ReadSubEntities(const ads_name owner, Entity& out) {
  ads_name at = {owner[0], owner[1]};
  ads_name next;
  while (acdbEntNext(at, next) == RTNORM) {
    RbList list(acdbEntGet(next));
    std::u16string_view kind;
    Label label;
    for (const resbuf* rb = list.head; rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 0)
        kind = rb->resval.rstring;
      else if (rb->restype == 1)
        label.text = PlainText(zwin32::ToUtf8(rb->resval.rstring));
      else if (rb->restype == 10)
        label.at = {rb->resval.rpoint[X], rb->resval.rpoint[Y]};
      else if (rb->restype == 40)
        label.height = rb->resval.rreal;
    }
    if (kind == u"ATTRIB")
      out.attributes.push_back(label);
    else if (kind == u"VERTEX" && out.shape.kind == Shape::Kind::Polyline)
      out.shape.points.push_back(label.at);
    else
      return;
    ads_name_set(next, at);
  }
}

// The DXF type, the vertices of a polyline, the points a spline passes through (or else its
// control points) and the attributes of a block reference, from the entity's group lists.
void ReadGroups(const AcDbEntity* e, Entity& out) {
  ads_name name;
  if (acdbGetAdsName(name, e->objectId()) != Acad::eOk)
    return;
  RbList list(acdbEntGet(name));
  std::vector<Point> fit;
  for (const resbuf* rb = list.head; rb != nullptr; rb = rb->rbnext) {
    const Point p{rb->resval.rpoint[X], rb->resval.rpoint[Y]};
    if (rb->restype == 0)
      out.kind = zwin32::ToUtf8(rb->resval.rstring);
    else if (rb->restype == 10 && out.shape.kind == Shape::Kind::Polyline &&
             out.kind != "POLYLINE")  // an old-style polyline's own point is no vertex
      out.shape.points.push_back(p);
    else if (rb->restype == 11 && out.kind == "SPLINE")
      fit.push_back(p);
  }
  if (!fit.empty())
    out.shape.points = fit;
  if (out.kind == "INSERT" || out.kind == "POLYLINE")
    ReadSubEntities(name, out);
}

void ReadShape(const AcDbEntity* e, Entity& out) {
  Shape& s = out.shape;
  if (const auto* line = AcDbLine::cast(e)) {
    s.kind = Shape::Kind::Line;
    s.points = {Flat(line->startPoint()), Flat(line->endPoint())};
  } else if (const auto* arc = AcDbArc::cast(e)) {
    s.kind = Shape::Kind::Arc;
    s.points = {Flat(arc->center())};
    s.radius = arc->radius();
    s.startAngle = arc->startAngle();
    s.endAngle = arc->endAngle();
  } else if (const auto* circle = AcDbCircle::cast(e)) {
    s.kind = Shape::Kind::Circle;
    s.points = {Flat(circle->center())};
    s.radius = circle->radius();
  } else if (const auto* polyline = AcDbPolyline::cast(e)) {
    s.kind = Shape::Kind::Polyline;
    s.closed = polyline->isClosed();
  } else if (const auto* polyline2d = AcDb2dPolyline::cast(e)) {
    s.kind = Shape::Kind::Polyline;
    s.closed = polyline2d->isClosed();
  } else if (const auto* polyline3d = AcDb3dPolyline::cast(e)) {
    s.kind = Shape::Kind::Polyline;
    s.closed = polyline3d->isClosed();
  } else if (AcDbSpline::cast(e) != nullptr) {
    // Drawn through its points as straight segments: enough to see where it lies.
    s.kind = Shape::Kind::Polyline;
  } else if (const auto* text = AcDbText::cast(e)) {
    s.kind = Shape::Kind::Text;
    s.points = {Flat(text->position())};
    s.height = text->height();
    s.rotation = text->rotation();
    out.isText = true;  // an attribute definition too: its default value is its text
    out.text = PlainText(Take(text->textString()));
  } else if (const auto* mtext = AcDbMText::cast(e)) {
    s.kind = Shape::Kind::Text;
    // MTEXT hangs from its insertion point (top left by default); the picture writes from the
    // baseline of the first line.
    const AcGePoint3d at = mtext->location();
    s.points = {{at.x, at.y - mtext->textHeight()}};
    s.height = mtext->textHeight();
    s.rotation = mtext->rotation();
    out.isText = true;
    out.text = PlainMText(Take(mtext->contents()));
  } else if (AcDbBlockReference::cast(e) != nullptr) {
    AcDbExtents box;
    if (e->getGeomExtents(box) == Acad::eOk) {
      s.kind = Shape::Kind::Frame;
      s.points = {Flat(box.minPoint()), Flat(box.maxPoint())};
    }
  }
}

// The groups after (1001 "ZANT_LIST_TEMPLATE"), when the entity has that application's data.
std::optional<std::vector<RecordGroup>> ReadRecord(const AcDbEntity* e) {
  const std::u16string app = zwin32::FromUtf8(kTemplateApp);
  RbList list(e->xData(app.c_str()));
  if (list.head == nullptr)
    return std::nullopt;
  std::vector<RecordGroup> groups;
  for (const resbuf* rb = list.head->rbnext; rb != nullptr; rb = rb->rbnext) {
    // Value types by group code, as the host hands extended data over.
    const int code = rb->restype;
    RecordGroup g{code, true, {}, 0};
    if (code >= 1010 && code <= 1013)
      g.real = rb->resval.rpoint[X];
    else if (code >= 1040 && code <= 1059)
      g.real = rb->resval.rreal;
    else if (code >= 1060 && code <= 1070)
      g.real = rb->resval.rint;
    else if (code == 1071)
      g.real = rb->resval.rlong;
    else if (code == 1004)
      g = {code, false, "(" + std::to_string(rb->resval.rbinary.clen) + " bytes)", 0};
    else
      g = {code, false, zwin32::ToUtf8(rb->resval.rstring), 0};
    groups.push_back(g);
  }
  return groups;
}

Entity ReadEntity(const AcDbEntity* e, const std::map<std::string, bool>& locked) {
  Entity out;
  AcDbHandle handle;
  e->getAcDbHandle(handle);
  ACHAR hex[20];
  handle.getIntoAsciiBuffer(hex, 20);
  out.handle = zwin32::ToUtf8(hex);
  out.handleValue = handle.value();
  out.layer = Take(e->layer());
  const auto layer = locked.find(out.layer);
  out.lockedLayer = layer != locked.end() && layer->second;
  out.erased = e->isErased();
  out.taggable = Taggable(e);
  ReadShape(e, out);
  ReadGroups(e, out);
  out.record = ReadRecord(e);
  return out;
}

// Makes a database the one the C-level functions work on, for as long as it lives.
class WorkingDatabase {
 public:
  explicit WorkingDatabase(AcDbDatabase* db)
      : previous_(acdbHostApplicationServices()->workingDatabase()) {
    acdbHostApplicationServices()->setWorkingDatabase(db);
  }
  ~WorkingDatabase() { acdbHostApplicationServices()->setWorkingDatabase(previous_); }
  WorkingDatabase(const WorkingDatabase&) = delete;
  WorkingDatabase& operator=(const WorkingDatabase&) = delete;

 private:
  AcDbDatabase* previous_;
};

}  // namespace

Drawing ReadDatabase(AcDbDatabase& db, const std::string& file) {
  WorkingDatabase working(&db);
  Drawing drawing{file, {}};
  const std::map<std::string, bool> locked = LockedLayers(db);
  AcDbBlockTable* table = nullptr;
  if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
    return drawing;
  AcDbBlockTableRecord* space = nullptr;
  const Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
  table->close();
  if (es != Acad::eOk)
    return drawing;
  AcDbBlockTableRecordIterator* it = nullptr;
  space->newIterator(it, true, false);
  for (; it != nullptr && !it->done(); it->step(true, false)) {
    AcDbEntity* entity = nullptr;
    if (it->getEntity(entity, AcDb::kForRead, true) != Acad::eOk)
      continue;
    drawing.entities.push_back(ReadEntity(entity, locked));
    entity->close();
  }
  delete it;
  space->close();
  return drawing;
}

ReadResult ReadDrawing(const std::string& path) {
  auto db = std::make_unique<AcDbDatabase>(false, true);
  if (db->readDxfFile(zwin32::FromUtf8(path).c_str()) != Acad::eOk)
    return {std::nullopt, zwin32::ToUtf8(db->lastError())};
  return {ReadDatabase(*db, path), {}};
}

}  // namespace zinspect
