// The entities of a drawing's current space as selection reads them, without opening each one.
// Not part of the host SDK.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "acdbport.h"
#include "dbid.h"

class AcDbDatabase;

namespace zacad {

// Entities by their ads_name: the first word is the drawing's, the same for all of them, so each
// is kept as its second word alone (4 bytes an entity over a large drawing, not 16).
struct SpaceEntities {
  std::int64_t drawing = 0;
  std::vector<std::uint32_t> names;
};

// The entities of the current space in drawing order, erased ones left out, as a block table
// record iterator would give them. Nothing of each entity is read, nor is a stub made for it.
ACDB_PORT SpaceEntities CurrentSpaceEntities(AcDbDatabase* db);

// For each of `space`'s entities, whether `wanted` says yes to its layer (the record of its
// layer name, null when the drawing has none). Each entity's layer name is read from the drawing
// as bytes; `wanted` is asked once per name.
ACDB_PORT std::vector<bool> EntitiesOnLayers(AcDbDatabase* db, const SpaceEntities& space,
                                             const std::function<bool(AcDbObjectId)>& wanted);

}  // namespace zacad
