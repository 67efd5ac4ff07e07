// The entities of a drawing's current space with what selection sorts them by, read without
// opening each one. Not part of the host SDK.
#pragma once

#include <cstdint>
#include <vector>

#include "acdbport.h"
#include "dbid.h"

class AcDbDatabase;

namespace zacad {

struct SpaceEntity {
  AcDbObjectId id;
  std::uint64_t handle = 0;
  AcDbObjectId layer;  // null when the drawing has no record of the entity's layer
};

// The entities of the current space in drawing order, erased ones left out, as a block table
// record iterator would give them. Opening each would parse all its groups; this reads only its
// layer name.
ACDB_PORT std::vector<SpaceEntity> CurrentSpaceEntities(AcDbDatabase* db);

}  // namespace zacad
