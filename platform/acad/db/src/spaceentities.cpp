#include "zacad/spaceentities.h"

#include <map>
#include <string>

#include "dbdata.h"

namespace zacad {

SpaceEntities CurrentSpaceEntities(AcDbDatabase* database) {
  SpaceEntities space;
  if (database == nullptr || !database->data().doc)
    return space;
  DatabaseData& db = database->data();
  // An entity's ads_name is the database's serial and its object number + 1 (see
  // acdbGetAdsName): the block's object numbers become the names in place, with no second list.
  space.drawing = db.serial;
  std::vector<zdxf::ObjectId> ids = db.blockEntities(database->currentSpaceId());
  size_t kept = 0;
  for (zdxf::ObjectId id : ids) {
    if (!db.erased(id))
      ids[kept++] = id + 1;
  }
  ids.resize(kept);
  space.names = std::move(ids);
  return space;
}

std::vector<bool> EntitiesOnLayers(AcDbDatabase* database, const SpaceEntities& space,
                                   const std::function<bool(AcDbObjectId)>& wanted) {
  std::vector<bool> on(space.names.size(), false);
  if (database == nullptr || !database->data().doc)
    return on;
  DatabaseData& db = database->data();
  const zdxf::Document& doc = *db.doc;
  // A drawing has few layers and lists put runs of entities on one: the previous entity's layer
  // name is compared first, and each name is looked up once.
  std::map<std::string, bool, std::less<>> answers;
  const std::pair<const std::string, bool>* previous = nullptr;
  for (size_t i = 0; i < space.names.size(); ++i) {
    const std::string layer = doc.value_of(space.names[i] - 1, 8).value_or(std::string());
    if (previous == nullptr || previous->first != layer) {
      auto [known, added] = answers.try_emplace(layer, false);
      if (added) {
        const std::u16string name = doc.decode(layer);
        known->second = wanted(AcDbObjectId(db.findRecord("LAYER", name.empty() ? u"0" : name)));
      }
      previous = &*known;
    }
    on[i] = previous->second;
  }
  return on;
}

}  // namespace zacad
