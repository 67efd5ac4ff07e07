// Extents of entities for selection: exact for lines, arcs, circles, ellipses, polylines with
// bulges, points and spline control polygons; an estimate of the glyph box for texts (the
// platform has no fonts: a character is taken as 0.7 of the height wide, a line of multiline
// text as 5/3 of the height tall); block references take their block's extents, transformed.
#include <cmath>
#include <numbers>

#include "dbdata.h"
#include "dbents.h"

namespace zacad {
namespace {

using zdxf::Tag;
constexpr double kPi = std::numbers::pi;
constexpr double kCharWidth = 0.7;
constexpr double kLineSpacing = 5.0 / 3.0;
constexpr int kMaxNesting = 8;

struct Point2 {
  double x = 0, y = 0;
};

void addArc(AcDbExtents& ext, const AcGePoint3d& c, double r, double start, double end) {
  // Angles in radians, counter-clockwise from start to end.
  while (end < start)
    end += 2 * kPi;
  ext.addPoint({c.x + r * std::cos(start), c.y + r * std::sin(start), c.z});
  ext.addPoint({c.x + r * std::cos(end), c.y + r * std::sin(end), c.z});
  for (int k = -4; k <= 8; ++k) {
    const double a = k * kPi / 2;
    if (a > start && a < end)
      ext.addPoint({c.x + r * std::cos(a), c.y + r * std::sin(a), c.z});
  }
}

// A polyline segment from a to b with a bulge (tan of a quarter of the included angle).
void addSegment(AcDbExtents& ext, Point2 a, Point2 b, double bulge, double z) {
  ext.addPoint({a.x, a.y, z});
  ext.addPoint({b.x, b.y, z});
  if (std::abs(bulge) < 1e-12)
    return;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double chord = std::hypot(dx, dy);
  if (chord < 1e-12)
    return;
  // The centre lies on the chord's perpendicular bisector, half a chord times (1 - b^2) / 2b
  // to the left of the chord (to the right for a negative bulge).
  const double offset = (1 - bulge * bulge) / (4 * bulge);
  const AcGePoint3d c{(a.x + b.x) / 2 - dy * offset, (a.y + b.y) / 2 + dx * offset, z};
  const double r = std::hypot(a.x - c.x, a.y - c.y);
  double sa = std::atan2(a.y - c.y, a.x - c.x);
  double ea = std::atan2(b.y - c.y, b.x - c.x);
  if (bulge < 0)
    std::swap(sa, ea);
  addArc(ext, c, r, sa, ea);
}

struct Vertex {
  Point2 p;
  double z = 0;
  double bulge = 0;
};

void addPolyline(AcDbExtents& ext, const std::vector<Vertex>& v, bool closed) {
  for (size_t i = 0; i + 1 < v.size(); ++i)
    addSegment(ext, v[i].p, v[i + 1].p, v[i].bulge, v[i].z);
  if (v.size() == 1)
    ext.addPoint({v[0].p.x, v[0].p.y, v[0].z});
  if (closed && v.size() > 2)
    addSegment(ext, v.back().p, v.front().p, v.back().bulge, v.back().z);
}

std::vector<Vertex> lwVertices(const std::vector<Tag>& tags) {
  std::vector<Vertex> v;
  const double z = realAt(tags, 38);
  for (size_t i = 0; i < tags.size() && tags[i].code != 1001; ++i) {
    if (tags[i].code == 10)
      v.push_back({{tags[i].as_double().value_or(0), 0}, z, 0});
    else if (tags[i].code == 20 && !v.empty())
      v.back().p.y = tags[i].as_double().value_or(0);
    else if (tags[i].code == 42 && !v.empty())
      v.back().bulge = tags[i].as_double().value_or(0);
  }
  return v;
}

// The four corners of a box of width w and height h whose lower left corner lies at (dx, dy)
// from the anchor, turned by `angle` around the anchor.
void addBox(AcDbExtents& ext, const AcGePoint3d& anchor, double dx, double dy, double w, double h,
            double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  for (double x : {dx, dx + w}) {
    for (double y : {dy, dy + h})
      ext.addPoint({anchor.x + x * c - y * s, anchor.y + x * s + y * c, anchor.z});
  }
}

void addText(AcDbExtents& ext, DatabaseData& db, const std::vector<Tag>& tags, bool attribute) {
  const Tag* text = findTag(tags, 1);
  const size_t length = text == nullptr ? 0 : db.doc->decode(text->value).size();
  const double h = realAt(tags, 40, 1.0);
  const double w = static_cast<double>(length) * h * kCharWidth * realAt(tags, 41, 1.0);
  const long long horizontal = intAt(tags, 72);
  const long long vertical = intAt(tags, attribute ? 74 : 73);
  const AcGePoint3d first = pointAt(tags, 10);
  const AcGePoint3d second = pointAt(tags, 11);
  const double angle = realAt(tags, 50) * kPi / 180;
  if (horizontal == 3 || horizontal == 5) {
    // Aligned and fit texts run from the first to the second point.
    const double run = first.distanceTo(second);
    addBox(ext, first, 0, 0, run, h, std::atan2(second.y - first.y, second.x - first.x));
    return;
  }
  const bool aligned = horizontal != 0 || vertical != 0;
  const AcGePoint3d anchor = aligned ? second : first;
  const double dx = horizontal == 1 || horizontal == 4 ? -w / 2 : horizontal == 2 ? -w : 0;
  const double dy = horizontal == 4 || vertical == 2 ? -h / 2 : vertical == 3 ? -h : 0;
  addBox(ext, anchor, dx, dy, w, h, angle);
}

void addMText(AcDbExtents& ext, DatabaseData& db, const std::vector<Tag>& tags) {
  std::string raw;
  for (size_t i = 1; i < tags.size() && tags[i].code != 1001 && tags[i].code != 101; ++i) {
    if (tags[i].code == 1 || tags[i].code == 3)
      raw += tags[i].value;
  }
  const std::u16string text = db.doc->decode(raw);
  size_t lines = 1, longest = 0, current = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'P') {
      ++lines;
      longest = std::max(longest, current);
      current = 0;
      ++i;
    } else {
      ++current;
    }
  }
  longest = std::max(longest, current);
  const double h = realAt(tags, 40, 1.0);
  const double refWidth = realAt(tags, 41);
  const double w = refWidth > 0 ? refWidth : static_cast<double>(longest) * h * kCharWidth;
  const double height = static_cast<double>(lines) * h * kLineSpacing - (kLineSpacing - 1) * h;
  const long long attachment = intAt(tags, 71, 1);
  const long long column = (attachment - 1) % 3, row = (attachment - 1) / 3;
  const double angle = findTag(tags, 11) != nullptr ? std::atan2(realAt(tags, 21), realAt(tags, 11))
                                                    : realAt(tags, 50) * kPi / 180;
  // Rows of attachment points from the top, columns from the left.
  addBox(ext, pointAt(tags, 10), -w * static_cast<double>(column) / 2,
         -height * static_cast<double>(2 - row) / 2, w, height, angle);
}

void addHatch(AcDbExtents& ext, const std::vector<Tag>& tags) {
  // Boundary data runs from the first loop count (91) to the seed points (98).
  bool inBoundary = false;
  for (size_t i = 0; i < tags.size() && tags[i].code != 1001; ++i) {
    if (tags[i].code == 91)
      inBoundary = true;
    if (tags[i].code == 98)
      break;
    if (inBoundary && (tags[i].code == 10 || tags[i].code == 11) && i + 1 < tags.size() &&
        tags[i + 1].code == tags[i].code + 10) {
      ext.addPoint({tags[i].as_double().value_or(0), tags[i + 1].as_double().value_or(0), 0});
    }
    if (inBoundary && tags[i].code == 40 && i >= 2 && tags[i - 1].code == 20) {
      // An arc or circle edge: its centre (10/20) and radius bound it.
      const double r = tags[i].as_double().value_or(0);
      const double cx = tags[i - 2].as_double().value_or(0);
      const double cy = tags[i - 1].as_double().value_or(0);
      ext.addPoint({cx - r, cy - r, 0});
      ext.addPoint({cx + r, cy + r, 0});
    }
  }
}

void addEllipse(AcDbExtents& ext, const std::vector<Tag>& tags) {
  const AcGePoint3d c = pointAt(tags, 10);
  const AcGePoint3d a = pointAt(tags, 11);
  const double ratio = realAt(tags, 40, 1.0);
  const double bx = -a.y * ratio, by = a.x * ratio;
  const double ex = std::hypot(a.x, bx), ey = std::hypot(a.y, by);
  ext.addPoint({c.x - ex, c.y - ey, c.z});
  ext.addPoint({c.x + ex, c.y + ey, c.z});
}

bool entityExtents(DatabaseData& db, zdxf::ObjectId id, AcDbExtents& ext, int depth);

void addInsert(AcDbExtents& ext, DatabaseData& db, const std::vector<Tag>& tags, int depth) {
  const Tag* name = findTag(tags, 2);
  if (name == nullptr || depth > kMaxNesting)
    return;
  const std::u16string blockName = db.doc->decode(name->trimmed());
  std::optional<zdxf::ObjectId> definition;
  for (zdxf::ObjectId id : db.doc->objects()) {
    if (db.doc->type(id) == "BLOCK" && db.doc->section(id) == "BLOCKS" &&
        sameName(db.recordName(id), blockName)) {
      definition = id;
      break;
    }
  }
  if (!definition)
    return;
  AcDbExtents inner;
  for (zdxf::ObjectId id : db.doc->objects()) {
    if (db.doc->container(id) == definition && db.isEntity(id) && !db.doc->parent(id))
      entityExtents(db, id, inner, depth + 1);
  }
  if (inner.isEmpty())
    return;
  const AcGePoint3d base = pointAt(db.doc->tags(*definition), 10);
  const AcGePoint3d at = pointAt(tags, 10);
  const double sx = realAt(tags, 41, 1.0), sy = realAt(tags, 42, 1.0), sz = realAt(tags, 43, 1.0);
  const double angle = realAt(tags, 50) * kPi / 180;
  const double c = std::cos(angle), s = std::sin(angle);
  for (double x : {inner.minPoint().x, inner.maxPoint().x}) {
    for (double y : {inner.minPoint().y, inner.maxPoint().y}) {
      for (double z : {inner.minPoint().z, inner.maxPoint().z}) {
        const double lx = (x - base.x) * sx, ly = (y - base.y) * sy;
        ext.addPoint({at.x + lx * c - ly * s, at.y + lx * s + ly * c, at.z + (z - base.z) * sz});
      }
    }
  }
}

bool entityExtents(DatabaseData& db, zdxf::ObjectId id, AcDbExtents& ext, int depth) {
  const std::vector<Tag> tags = db.doc->tags(id);
  const std::string_view type = db.doc->type(id);
  AcDbExtents own;
  if (type == "LINE") {
    own.addPoint(pointAt(tags, 10));
    own.addPoint(pointAt(tags, 11));
  } else if (type == "POINT") {
    own.addPoint(pointAt(tags, 10));
  } else if (type == "CIRCLE") {
    const AcGePoint3d c = pointAt(tags, 10);
    const double r = realAt(tags, 40);
    own.addPoint({c.x - r, c.y - r, c.z});
    own.addPoint({c.x + r, c.y + r, c.z});
  } else if (type == "ARC") {
    addArc(own, pointAt(tags, 10), realAt(tags, 40), realAt(tags, 50) * kPi / 180,
           realAt(tags, 51) * kPi / 180);
  } else if (type == "ELLIPSE") {
    addEllipse(own, tags);
  } else if (type == "LWPOLYLINE") {
    addPolyline(own, lwVertices(tags), (intAt(tags, 70) & 1) != 0);
  } else if (type == "POLYLINE") {
    std::vector<Vertex> vertices;
    for (zdxf::ObjectId child : db.doc->children(id)) {
      if (db.doc->type(child) != "VERTEX")
        continue;
      const std::vector<Tag> v = db.doc->tags(child);
      const AcGePoint3d p = pointAt(v, 10);
      vertices.push_back({{p.x, p.y}, p.z, realAt(v, 42)});
    }
    addPolyline(own, vertices, (intAt(tags, 70) & 1) != 0);
  } else if (type == "TEXT" || type == "ATTDEF" || type == "ATTRIB") {
    addText(own, db, tags, type != "TEXT");
  } else if (type == "MTEXT") {
    addMText(own, db, tags);
  } else if (type == "HATCH") {
    addHatch(own, tags);
  } else if (type == "SPLINE") {
    for (size_t i = 0; i < tags.size() && tags[i].code != 1001; ++i) {
      if (tags[i].code != 10)
        continue;
      AcGePoint3d p{tags[i].as_double().value_or(0), 0, 0};
      if (i + 1 < tags.size() && tags[i + 1].code == 20)
        p.y = tags[i + 1].as_double().value_or(0);
      if (i + 2 < tags.size() && tags[i + 2].code == 30)
        p.z = tags[i + 2].as_double().value_or(0);
      own.addPoint(p);
    }
  } else if (type == "INSERT") {
    addInsert(own, db, tags, depth);
  }
  if (own.isEmpty())
    return false;
  ext.addExt(own);
  return true;
}

}  // namespace
}  // namespace zacad

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
  if (state() == nullptr || state()->stub->object == zdxf::kNoObject)
    return Acad::eNotApplicable;
  AcDbExtents found;
  if (!zacad::entityExtents(*state()->stub->db, state()->stub->object, found, 0))
    return Acad::eNotApplicable;
  extents = found;
  return Acad::eOk;
}
