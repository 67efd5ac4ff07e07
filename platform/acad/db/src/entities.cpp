// The entity classes: their runtime registration, which class an object of the drawing opens
// as, and the readers and writers of their data.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "acutmem.h"
#include "dbdata.h"
#include "dbents.h"
#include "dbsymtb.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbEntity, AcDbObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcDbCurve, AcDbEntity);
ACRX_DXF_DEFINE_MEMBERS(AcDbLine, AcDbCurve, 0, 0, 0, LINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, 0, 0, 0, CIRCLE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbArc, AcDbCurve, 0, 0, 0, ARC, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, 0, 0, 0, LWPOLYLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, 0, 0, 0, POLYLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDb3dPolyline, AcDbCurve, 0, 0, 0, POLYLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbPolygonMesh, AcDbEntity, 0, 0, 0, POLYLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbPolyFaceMesh, AcDbEntity, 0, 0, 0, POLYLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbSpline, AcDbCurve, 0, 0, 0, SPLINE, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbText, AcDbEntity, 0, 0, 0, TEXT, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, 0, 0, 0, ATTDEF, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbAttribute, AcDbText, 0, 0, 0, ATTRIB, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbMText, AcDbEntity, 0, 0, 0, MTEXT, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbHatch, AcDbEntity, 0, 0, 0, HATCH, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, 0, 0, 0, INSERT, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbPoint, AcDbEntity, 0, 0, 0, POINT, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbVertex, AcDbEntity, 0, 0, 0, VERTEX, AutoCAD);
ACRX_DXF_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, 0, 0, 0, SEQEND, AutoCAD);

namespace zacad {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Objects of kinds without a class of their own keep their nearest class's identity.
class OtherEntity final : public AcDbEntity {};
class OtherObject final : public AcDbObject {};

const std::vector<zdxf::Tag>& tagsOf(const AcDbObject* object) {
  static const std::vector<zdxf::Tag> none;
  return object->state() == nullptr ? none : object->state()->tags();
}

std::u16string stringAt(const AcDbObject* object, int code) {
  const zdxf::Tag* tag = findTag(tagsOf(object), code);
  return tag == nullptr ? std::u16string() : decode(*object->state(), *tag);
}

AcDbObject* makeEntity(const DatabaseData& db, zdxf::ObjectId id, std::string_view type) {
  if (type == "LINE")
    return new AcDbLine;
  if (type == "CIRCLE")
    return new AcDbCircle;
  if (type == "ARC")
    return new AcDbArc;
  if (type == "LWPOLYLINE")
    return new AcDbPolyline;
  if (type == "POLYLINE") {
    const long long flags =
        zdxf::Tag(70, db.doc->value_of(id, 70).value_or("0")).as_int().value_or(0);
    if (flags & 64)
      return new AcDbPolyFaceMesh;
    if (flags & 16)
      return new AcDbPolygonMesh;
    if (flags & 8)
      return new AcDb3dPolyline;
    return new AcDb2dPolyline;
  }
  if (type == "SPLINE")
    return new AcDbSpline;
  if (type == "TEXT")
    return new AcDbText;
  if (type == "ATTDEF")
    return new AcDbAttributeDefinition;
  if (type == "ATTRIB")
    return new AcDbAttribute;
  if (type == "MTEXT")
    return new AcDbMText;
  if (type == "HATCH")
    return new AcDbHatch;
  if (type == "INSERT")
    return new AcDbBlockReference;
  if (type == "POINT")
    return new AcDbPoint;
  if (type == "VERTEX")
    return new AcDbVertex;
  if (type == "SEQEND")
    return new AcDbSequenceEnd;
  return new OtherEntity;
}

AcDbObject* makeTable(DatabaseData& db, zdxf::ObjectId id) {
  std::string name;
  for (const zdxf::Tag& tag : db.doc->tags(id)) {
    if (tag.code == 2) {
      name = std::string(tag.trimmed());
      break;
    }
  }
  if (name == "BLOCK_RECORD")
    return new AcDbBlockTable;
  if (name == "LAYER")
    return new AcDbLayerTable;
  if (name == "APPID")
    return new AcDbRegAppTable;
  return new OtherObject;
}

AcDbObject* makeRecord(std::string_view type) {
  if (type == "BLOCK_RECORD" || type == "BLOCK")
    return new AcDbBlockTableRecord;
  if (type == "LAYER")
    return new AcDbLayerTableRecord;
  if (type == "APPID")
    return new AcDbRegAppTableRecord;
  return new OtherObject;
}

}  // namespace

AcDbObject* makeObjectFor(DatabaseData& db, AcDbStub* stub, bool entity) {
  switch (stub->implicit) {
    case AcDbStub::Implicit::kBlockTable:
      return new AcDbBlockTable;
    case AcDbStub::Implicit::kModelSpace:
      return new AcDbBlockTableRecord;
    case AcDbStub::Implicit::kLayerTable:
      return new AcDbLayerTable;
    case AcDbStub::Implicit::kRegAppTable:
      return new AcDbRegAppTable;
    case AcDbStub::Implicit::kNone:
      break;
  }
  const zdxf::ObjectId id = stub->object;
  const std::string_view type = db.doc->type(id);
  if (entity)
    return makeEntity(db, id, type);
  const std::string_view section = db.doc->section(id);
  if (type == "TABLE")
    return makeTable(db, id);
  if (section == "TABLES")
    return makeRecord(type);
  if (section == "BLOCKS" && type == "BLOCK" && !db.doc->table("BLOCK_RECORD"))
    return makeRecord(type);
  return new OtherObject;
}

namespace {

// Registers the database's classes with the runtime when the library is loaded, parents first.
struct ClassRegistration {
  ClassRegistration() {
    AcDbDatabase::rxInit();
    AcDbDatabaseReactor::rxInit();
    AcDbObject::rxInit();
    AcDbEntity::rxInit();
    AcDbCurve::rxInit();
    AcDbLine::rxInit();
    AcDbCircle::rxInit();
    AcDbArc::rxInit();
    AcDbPolyline::rxInit();
    AcDb2dPolyline::rxInit();
    AcDb3dPolyline::rxInit();
    AcDbPolygonMesh::rxInit();
    AcDbPolyFaceMesh::rxInit();
    AcDbSpline::rxInit();
    AcDbText::rxInit();
    AcDbAttributeDefinition::rxInit();
    AcDbAttribute::rxInit();
    AcDbMText::rxInit();
    AcDbHatch::rxInit();
    AcDbBlockReference::rxInit();
    AcDbPoint::rxInit();
    AcDbVertex::rxInit();
    AcDbSequenceEnd::rxInit();
    AcDbSymbolTable::rxInit();
    AcDbSymbolTableRecord::rxInit();
    AcDbBlockTable::rxInit();
    AcDbBlockTableRecord::rxInit();
    AcDbLayerTable::rxInit();
    AcDbLayerTableRecord::rxInit();
    AcDbRegAppTable::rxInit();
    AcDbRegAppTableRecord::rxInit();
  }
} registration;

}  // namespace

// ---- MTEXT contents as the host stores them ----

// Splits encoded text into chunks of at most 250 bytes, never inside a UTF-8 sequence, a
// \U+XXXX escape or a caret code, so that each chunk stays readable on its own.
std::vector<std::string> mtextChunks(const std::string& text) {
  std::vector<std::string> chunks;
  size_t at = 0;
  while (text.size() - at > 250) {
    size_t cut = at + 250;
    auto bad = [&](size_t c) {
      if ((static_cast<unsigned char>(text[c]) & 0xC0) == 0x80 || text[c - 1] == '^')
        return true;
      for (size_t p = c > at + 8 ? c - 8 : at; p < c; ++p) {
        if ((text.compare(p, 3, "\\U+") == 0 && c < p + 7) ||
            (text.compare(p, 3, "\\M+") == 0 && c < p + 8)) {
          return true;
        }
      }
      return false;
    };
    while (cut > at + 1 && bad(cut))
      --cut;
    chunks.push_back(text.substr(at, cut - at));
    at = cut;
  }
  chunks.push_back(text.substr(at));
  return chunks;
}

}  // namespace zacad

using zacad::intAt;
using zacad::pointAt;
using zacad::realAt;
using zacad::stringAt;
using zacad::tagsOf;

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

AcDbObjectId AcDbEntity::blockId() const {
  return ownerId();
}

ACHAR* AcDbEntity::layer() const {
  const std::u16string name = stringAt(this, 8);
  return zacad::newString(name.empty() ? u"0" : name);
}

AcDbObjectId AcDbEntity::layerId() const {
  if (state() == nullptr)
    return AcDbObjectId();
  const std::u16string name = stringAt(this, 8);
  return AcDbObjectId(state()->stub->db->findRecord("LAYER", name.empty() ? u"0" : name));
}

Adesk::UInt16 AcDbEntity::colorIndex() const {
  const long long color = intAt(tagsOf(this), 62, 256);
  return static_cast<Adesk::UInt16>(color < 0 ? -color : color);
}

AcDbCurve::AcDbCurve() = default;
AcDbCurve::~AcDbCurve() = default;

AcDbLine::AcDbLine() = default;
AcDbLine::~AcDbLine() = default;
AcGePoint3d AcDbLine::startPoint() const {
  return pointAt(tagsOf(this), 10);
}
AcGePoint3d AcDbLine::endPoint() const {
  return pointAt(tagsOf(this), 11);
}

AcDbCircle::AcDbCircle() = default;
AcDbCircle::~AcDbCircle() = default;
AcGePoint3d AcDbCircle::center() const {
  return pointAt(tagsOf(this), 10);
}
double AcDbCircle::radius() const {
  return realAt(tagsOf(this), 40);
}

AcDbArc::AcDbArc() = default;
AcDbArc::~AcDbArc() = default;
AcGePoint3d AcDbArc::center() const {
  return pointAt(tagsOf(this), 10);
}
double AcDbArc::radius() const {
  return realAt(tagsOf(this), 40);
}
double AcDbArc::startAngle() const {
  return realAt(tagsOf(this), 50) * zacad::kDegree;
}
double AcDbArc::endAngle() const {
  return realAt(tagsOf(this), 51) * zacad::kDegree;
}

AcDbPolyline::AcDbPolyline() = default;
AcDbPolyline::~AcDbPolyline() = default;
unsigned int AcDbPolyline::numVerts() const {
  unsigned int count = 0;
  for (const zdxf::Tag& tag : tagsOf(this))
    count += tag.code == 10;
  return count;
}
bool AcDbPolyline::isClosed() const {
  return (intAt(tagsOf(this), 70) & 1) != 0;
}

AcDb2dPolyline::AcDb2dPolyline() = default;
AcDb2dPolyline::~AcDb2dPolyline() = default;
bool AcDb2dPolyline::isClosed() const {
  return (intAt(tagsOf(this), 70) & 1) != 0;
}

AcDb3dPolyline::AcDb3dPolyline() = default;
AcDb3dPolyline::~AcDb3dPolyline() = default;
bool AcDb3dPolyline::isClosed() const {
  return (intAt(tagsOf(this), 70) & 1) != 0;
}

AcDbPolygonMesh::AcDbPolygonMesh() = default;
AcDbPolygonMesh::~AcDbPolygonMesh() = default;
AcDbPolyFaceMesh::AcDbPolyFaceMesh() = default;
AcDbPolyFaceMesh::~AcDbPolyFaceMesh() = default;

AcDbSpline::AcDbSpline() = default;
AcDbSpline::~AcDbSpline() = default;
int AcDbSpline::numControlPoints() const {
  int count = 0;
  for (const zdxf::Tag& tag : tagsOf(this))
    count += tag.code == 10;
  return count;
}

AcDbText::AcDbText() = default;
AcDbText::~AcDbText() = default;

ACHAR* AcDbText::textString() const {
  return zacad::newString(stringAt(this, 1));
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  if (text == nullptr)
    return Acad::eInvalidInput;
  zacad::ObjectState& s = *state();
  std::vector<zdxf::Tag>& tags = s.tags();
  const std::string value = s.stub->db->doc->encode(text);
  const size_t end = zacad::xdataStart(tags);
  size_t at = end;
  for (size_t i = 1; i < end; ++i) {
    if (tags[i].code == 1) {
      at = i;
      break;
    }
  }
  if (at < end && tags[at].value == value)
    return Acad::eOk;
  assertWriteEnabled(true, true);
  zdxf::Tag tag = s.stub->db->doc->make_string(1, text);
  if (at < end)
    tags[at] = std::move(tag);
  else
    tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(end), std::move(tag));
  s.changed = true;
  return Acad::eOk;
}

AcGePoint3d AcDbText::position() const {
  return pointAt(tagsOf(this), 10);
}
AcGePoint3d AcDbText::alignmentPoint() const {
  return pointAt(tagsOf(this), 11);
}
double AcDbText::height() const {
  return realAt(tagsOf(this), 40);
}
double AcDbText::widthFactor() const {
  return realAt(tagsOf(this), 41, 1.0);
}
double AcDbText::rotation() const {
  return realAt(tagsOf(this), 50) * zacad::kDegree;
}
AcDb::TextHorzMode AcDbText::horizontalMode() const {
  return static_cast<AcDb::TextHorzMode>(intAt(tagsOf(this), 72));
}
AcDb::TextVertMode AcDbText::verticalMode() const {
  // ATTDEF and ATTRIB keep the vertical alignment in 74, TEXT in 73.
  const int code = isA() == AcDbText::desc() ? 73 : 74;
  return static_cast<AcDb::TextVertMode>(intAt(tagsOf(this), code));
}

AcDbAttributeDefinition::AcDbAttributeDefinition() = default;
AcDbAttributeDefinition::~AcDbAttributeDefinition() = default;
ACHAR* AcDbAttributeDefinition::tag() const {
  return zacad::newString(stringAt(this, 2));
}
ACHAR* AcDbAttributeDefinition::prompt() const {
  return zacad::newString(stringAt(this, 3));
}

AcDbAttribute::AcDbAttribute() = default;
AcDbAttribute::~AcDbAttribute() = default;
ACHAR* AcDbAttribute::tag() const {
  return zacad::newString(stringAt(this, 2));
}

AcDbMText::AcDbMText() = default;
AcDbMText::~AcDbMText() = default;

namespace {

// Positions of the contents tags (3 chunks then 1) of an MTEXT: before the extended data and
// before an embedded object (101).
std::vector<size_t> contentsTags(const std::vector<zdxf::Tag>& tags) {
  std::vector<size_t> positions;
  for (size_t i = 1; i < tags.size() && tags[i].code != 1001 && tags[i].code != 101; ++i) {
    if (tags[i].code == 1 || tags[i].code == 3)
      positions.push_back(i);
  }
  return positions;
}

}  // namespace

ACHAR* AcDbMText::contents() const {
  if (state() == nullptr)
    return zacad::newString(u"");
  std::string joined;
  for (size_t i : contentsTags(state()->tags()))
    joined += state()->tags()[i].value;
  return zacad::newString(state()->stub->db->doc->decode(joined));
}

Acad::ErrorStatus AcDbMText::setContents(const ACHAR* text) {
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  if (text == nullptr)
    return Acad::eInvalidInput;
  zacad::ObjectState& s = *state();
  const zdxf::Document& doc = *s.stub->db->doc;
  std::vector<zdxf::Tag>& current = s.tags();
  const std::vector<std::string> chunks = zacad::mtextChunks(doc.encode(text));
  std::vector<zdxf::Tag> made;
  for (size_t k = 0; k < chunks.size(); ++k)
    made.emplace_back(k + 1 == chunks.size() ? 1 : 3, chunks[k]);
  const std::vector<size_t> old = contentsTags(current);
  // Unchanged chunks keep their bytes.
  for (size_t k = 0; k < made.size() && k < old.size(); ++k) {
    if (current[old[k]] == made[k])
      made[k] = current[old[k]];
  }
  size_t at = old.empty() ? zacad::xdataStart(current) : old.front();
  if (old.empty()) {
    for (size_t i = 1; i < at; ++i) {
      if (current[i].code == 101) {
        at = i;
        break;
      }
    }
  }
  std::vector<zdxf::Tag> tags;
  tags.reserve(current.size() + made.size());
  for (size_t i = 0; i < current.size(); ++i) {
    if (i == at)
      tags.insert(tags.end(), made.begin(), made.end());
    if (std::find(old.begin(), old.end(), i) == old.end())
      tags.push_back(current[i]);
  }
  if (at >= current.size())
    tags.insert(tags.end(), made.begin(), made.end());
  if (tags == current)
    return Acad::eOk;
  assertWriteEnabled(true, true);
  current = std::move(tags);
  s.changed = true;
  return Acad::eOk;
}

AcGePoint3d AcDbMText::location() const {
  return pointAt(tagsOf(this), 10);
}
double AcDbMText::textHeight() const {
  return realAt(tagsOf(this), 40);
}
double AcDbMText::width() const {
  return realAt(tagsOf(this), 41);
}
double AcDbMText::rotation() const {
  const auto& tags = tagsOf(this);
  if (zacad::findTag(tags, 11) != nullptr)
    return std::atan2(realAt(tags, 21), realAt(tags, 11));
  return realAt(tags, 50) * zacad::kDegree;
}
int AcDbMText::attachment() const {
  return static_cast<int>(intAt(tagsOf(this), 71, 1));
}

AcDbHatch::AcDbHatch() = default;
AcDbHatch::~AcDbHatch() = default;
int AcDbHatch::numLoops() const {
  return static_cast<int>(intAt(tagsOf(this), 91));
}

AcDbBlockReference::AcDbBlockReference() = default;
AcDbBlockReference::~AcDbBlockReference() = default;
AcGePoint3d AcDbBlockReference::position() const {
  return pointAt(tagsOf(this), 10);
}
AcDbObjectId AcDbBlockReference::blockTableRecord() const {
  if (state() == nullptr)
    return AcDbObjectId();
  return AcDbObjectId(state()->stub->db->findRecord("BLOCK_RECORD", stringAt(this, 2)));
}
double AcDbBlockReference::rotation() const {
  return realAt(tagsOf(this), 50) * zacad::kDegree;
}
AcGeVector3d AcDbBlockReference::scaleFactors() const {
  const auto& tags = tagsOf(this);
  return {realAt(tags, 41, 1.0), realAt(tags, 42, 1.0), realAt(tags, 43, 1.0)};
}

AcDbPoint::AcDbPoint() = default;
AcDbPoint::~AcDbPoint() = default;
AcGePoint3d AcDbPoint::position() const {
  return pointAt(tagsOf(this), 10);
}

AcDbVertex::AcDbVertex() = default;
AcDbVertex::~AcDbVertex() = default;
AcDbSequenceEnd::AcDbSequenceEnd() = default;
AcDbSequenceEnd::~AcDbSequenceEnd() = default;
