// What selection needs to know of the current drawing: its entities with their layer state and
// handles, the geometry of those a pick or window looks at, and each entity's DXF list for filters.
// The drawing database provides the real view; tests may put their own in its place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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

// The entities of the current space, oldest first, erased ones left out. The first word of an
// entity's name is the drawing's, the same for all of them, so each is kept as its second word:
// ALL over a large drawing holds this list and the set it makes, 4 and 16 bytes an entity.
struct SelectableEntities {
  int64_t drawing = 0;
  std::vector<uint32_t> names;
  // By entity: its layer is frozen or off, so picks, windows, ALL and handles cannot reach it
  // (X still takes it). Empty when no entity's layer is.
  std::vector<bool> hidden;

  size_t size() const { return names.size(); }
  EntityName name(size_t i) const { return {drawing, names[i]}; }
  bool shown(size_t i) const { return hidden.empty() || !hidden[i]; }
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

  virtual SelectableEntities entities() const = 0;

  // The handle of one of those entities, and the entity of a handle (any entity of the drawing
  // or none): only handles typed at the prompt and input sources showing the selection ask.
  virtual uint64_t handle(const EntityName& name) const = 0;
  virtual std::optional<EntityName> named(uint64_t handle) const = 0;

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
