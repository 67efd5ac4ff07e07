// Where an entity lies against a pick point or a window, from its outline (lines and
// polylines, exactly) or its extents (everything else).
#pragma once

#include "zacad/selectionview.h"

namespace zacad {

// The window spanned by two corners in any order.
Box WindowOf(Point2 a, Point2 b);

// Distance from `point` to the geometry (0 inside the extents of an entity without an
// outline); infinite when the entity has no geometry.
double DistanceTo(const EntityGeometry& geometry, Point2 point);

// Window selection: the entity lies entirely inside.
bool InsideWindow(const EntityGeometry& geometry, const Box& window);

// Crossing selection: the entity lies inside or touches the window's border.
bool CrossesWindow(const EntityGeometry& geometry, const Box& window);

}  // namespace zacad
