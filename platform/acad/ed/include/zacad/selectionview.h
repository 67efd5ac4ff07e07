// What selection needs to know of the current drawing: its entities with their layer state,
// the geometry of those a pick or window looks at, and each entity's DXF list for filters. The
// drawing database provides the real view; tests may put their own in its place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "adsdef.h"
#include "zacad/edexport.h"

namespace zacad {

using EntityName = std::array<int64_t, 2>;  // an ads_name as a value

struct Point2 {
  double x = 0;
  double y = 0;
};

struct Box {
  Point2 min;
  Point2 max;
};

struct SelectableEntity {
  EntityName name = {0, 0};
  uint64_t handle = 0;
  // Its layer is neither frozen nor off: picks, windows, ALL and handles reach it (X also
  // takes the others).
  bool shown = true;
};

// Where an entity lies. Only picks and windows need it, so it is asked for entity by entity:
// ALL, X and handles over a large drawing never compute it.
struct EntityGeometry {
  bool hasExtents = false;
  Box extents;
  // The straight pieces of a line or polyline, for exact pick and crossing tests; empty when
  // the extents stand for the geometry (texts, hatches, ...).
  std::vector<std::array<Point2, 2>> outline;
};

class ZACAD_ED_API SelectionView {
 public:
  virtual ~SelectionView();

  // The entities of the current space, oldest first; erased ones are left out.
  virtual std::vector<SelectableEntity> entities() const = 0;

  // The geometry of one of those entities.
  virtual EntityGeometry geometry(const EntityName& name) const = 0;

  // The entity's DXF list as acdbEntGet gives it (the caller releases it), or null.
  virtual resbuf* entityList(const EntityName& name) const = 0;

  // Identifies the drawing, so that each one keeps its own previous selection; null when no
  // drawing is open.
  virtual const void* drawing() const = 0;
};

// Makes the view selection works on (a factory returning null: no drawing, selections find
// nothing). The default, also restored by passing null, views the working database.
using SelectionViewFactory = std::function<std::unique_ptr<SelectionView>()>;
ZACAD_ED_API void SetSelectionViewFactory(SelectionViewFactory factory);

}  // namespace zacad
