// The entities of the working drawing's current space as selection sees them: layer state from
// the layer table, handles from the database and, when a pick or window asks, extents from the
// entity and the exact outline of lines and lightweight polylines (arc segments taken as their
// chords) from their DXF lists.
#include "databaseview.h"

#include <map>
#include <string_view>

#include "acdbads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbhandle.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "zacad/spaceentities.h"

namespace zacad {
namespace {

struct LayerState {
  bool frozen = false;
  bool off = false;
};

std::vector<std::array<Point2, 2>> Outline(const resbuf* list) {
  std::u16string_view type;
  std::vector<Point2> points;
  bool closed = false;
  for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
    if ((rb->restype == 0 || rb->restype == RTDXF0) && rb->resval.rstring != nullptr)
      type = rb->resval.rstring;
    else if (rb->restype == 10 || rb->restype == 11)
      points.push_back({rb->resval.rpoint[0], rb->resval.rpoint[1]});
    else if (rb->restype == 70)
      closed = (rb->resval.rint & 1) != 0;
  }
  std::vector<std::array<Point2, 2>> pieces;
  if (type == u"LINE" && points.size() == 2) {
    pieces.push_back({points[0], points[1]});
  } else if (type == u"LWPOLYLINE" && points.size() >= 2) {
    for (size_t i = 0; i + 1 < points.size(); ++i)
      pieces.push_back({points[i], points[i + 1]});
    if (closed)
      pieces.push_back({points.back(), points.front()});
  }
  return pieces;
}

class DatabaseView : public SelectionView {
 public:
  explicit DatabaseView(AcDbDatabase* db) : db_(db) {}

  SelectableEntities entities() const override {
    SpaceEntities space = CurrentSpaceEntities(db_);
    SelectableEntities found;
    // Most drawings have every layer on and thawed: no entity's layer is then read at all.
    if (anyLayerHidden()) {
      found.hidden = EntitiesOnLayers(db_, space, [this](AcDbObjectId layer) {
        const LayerState state = layerState(layer);
        return state.frozen || state.off;
      });
    }
    found.drawing = space.drawing;
    found.names = std::move(space.names);
    return found;
  }

  uint64_t handle(const EntityName& name) const override {
    ads_name ent = {name[0], name[1]};
    AcDbObjectId id;
    return acdbGetObjectId(id, ent) == Acad::eOk ? id.handle().value() : 0;
  }

  std::optional<EntityName> named(uint64_t handle) const override {
    AcDbObjectId id;
    ads_name name;
    if (handle == 0 || db_->getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk ||
        acdbGetAdsName(name, id) != Acad::eOk) {
      return std::nullopt;
    }
    return EntityName{name[0], name[1]};
  }

  EntityGeometry geometry(const EntityName& name) const override {
    EntityGeometry geometry;
    ads_name ent = {name[0], name[1]};
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, ent) != Acad::eOk ||
        acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) {
      return geometry;
    }
    AcDbExtents extents;
    if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty()) {
      geometry.hasExtents = true;
      geometry.extents = {{extents.minPoint().x, extents.minPoint().y},
                          {extents.maxPoint().x, extents.maxPoint().y}};
    }
    entity->close();
    resbuf* list = acdbEntGet(ent);
    geometry.outline = Outline(list);
    acutRelRb(list);
    return geometry;
  }

  resbuf* entityList(const EntityName& name) const override {
    ads_name ent = {name[0], name[1]};
    return acdbEntGet(ent);
  }

  const void* drawing() const override { return db_; }

 private:
  bool anyLayerHidden() const {
    AcDbLayerTable* table = nullptr;
    if (db_->getLayerTable(table, AcDb::kForRead) != Acad::eOk)
      return false;
    AcDbSymbolTableIterator* records = nullptr;
    bool hidden = false;
    if (table->newIterator(records) == Acad::eOk) {
      for (; !records->done() && !hidden; records->step()) {
        AcDbObjectId id;
        if (records->getRecordId(id) == Acad::eOk) {
          const LayerState state = layerState(id);
          hidden = state.frozen || state.off;
        }
      }
      delete records;
    }
    table->close();
    return hidden;
  }

  LayerState layerState(AcDbObjectId id) const {
    auto known = layers_.find(id);
    if (known != layers_.end())
      return known->second;
    LayerState state;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, id, AcDb::kForRead) == Acad::eOk) {
      state = {layer->isFrozen(), layer->isOff()};
      layer->close();
    }
    layers_[id] = state;
    return state;
  }

  AcDbDatabase* db_;
  // By record, not handle: the records of a drawing without handles all have handle 0.
  mutable std::map<AcDbObjectId, LayerState> layers_;
};

}  // namespace

std::unique_ptr<SelectionView> MakeDatabaseView() {
  AcDbHostApplicationServices* services = acdbHostApplicationServices();
  AcDbDatabase* db = services == nullptr ? nullptr : services->workingDatabase();
  if (db == nullptr)
    return nullptr;
  return std::make_unique<DatabaseView>(db);
}

}  // namespace zacad
