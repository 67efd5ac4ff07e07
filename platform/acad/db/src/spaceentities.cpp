#include "zacad/spaceentities.h"

#include <string>
#include <unordered_map>

#include "dbdata.h"

namespace zacad {

std::vector<SpaceEntity> CurrentSpaceEntities(AcDbDatabase* database) {
  std::vector<SpaceEntity> found;
  if (database == nullptr || !database->data().doc)
    return found;
  DatabaseData& db = database->data();
  const zdxf::Document& doc = *db.doc;
  const AcDbStub* space = database->currentSpaceId();
  const std::vector<zdxf::ObjectId> ids = db.blockEntities(space);
  found.reserve(ids.size());
  // A drawing has few layers and many entities: each layer name is looked up once.
  std::unordered_map<std::string, AcDbStub*> layers;
  for (zdxf::ObjectId id : ids) {
    if (db.erased(id))
      continue;
    SpaceEntity entity;
    entity.id = AcDbObjectId(db.stub(id));
    entity.handle = doc.handle(id).value_or(0);
    std::string layer = doc.value_of(id, 8).value_or(std::string());
    auto [known, added] = layers.try_emplace(std::move(layer), nullptr);
    if (added) {
      const std::u16string name = doc.decode(known->first);
      known->second = db.findRecord("LAYER", name.empty() ? u"0" : name);
    }
    entity.layer = AcDbObjectId(known->second);
    found.push_back(entity);
  }
  return found;
}

}  // namespace zacad
