// Shapes the page draws for kinds it has no simple field for, read from an entity's DXF groups
// (acdbEntGet) as any ObjectARX program may read them: a hatch's boundary paths and a spline's
// curve, both as polylines of [x, y, bulge] vertices.
#pragma once

#include <vector>

#include "adsdef.h"

namespace zanthost::web {

using Polyline = std::vector<double>;  // x, y, bulge of each vertex, open

// The boundary paths of a HATCH: each polyline path, and each path of edges (lines, arcs,
// elliptic arcs, splines) as one piece an edge, closed paths ending where they start. Empty for
// groups that hold no readable path.
std::vector<Polyline> HatchBoundary(const resbuf* groups);

// A SPLINE sampled along its curve (degree, knots, control points and weights), or its fit
// points when it has no control points; empty when neither can be read.
Polyline SplineCurve(const resbuf* groups);

}  // namespace zanthost::web
