#include "selectiongeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zacad {
namespace {

bool Contains(const Box& box, Point2 p) {
  return p.x >= box.min.x && p.x <= box.max.x && p.y >= box.min.y && p.y <= box.max.y;
}

double SegmentDistance(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Liang-Barsky clipping: whether any part of the segment lies in the box.
bool SegmentMeetsBox(Point2 a, Point2 b, const Box& box) {
  double t0 = 0;
  double t1 = 1;
  const double d[2] = {b.x - a.x, b.y - a.y};
  const double start[2] = {a.x, a.y};
  const double low[2] = {box.min.x, box.min.y};
  const double high[2] = {box.max.x, box.max.y};
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0) {
      if (start[axis] < low[axis] || start[axis] > high[axis])
        return false;
      continue;
    }
    double ta = (low[axis] - start[axis]) / d[axis];
    double tb = (high[axis] - start[axis]) / d[axis];
    if (ta > tb)
      std::swap(ta, tb);
    t0 = std::max(t0, ta);
    t1 = std::min(t1, tb);
    if (t0 > t1)
      return false;
  }
  return true;
}

}  // namespace

Box WindowOf(Point2 a, Point2 b) {
  return {{std::min(a.x, b.x), std::min(a.y, b.y)}, {std::max(a.x, b.x), std::max(a.y, b.y)}};
}

double DistanceTo(const EntityGeometry& geometry, Point2 point) {
  if (!geometry.outline.empty()) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const auto& [a, b] : geometry.outline)
      nearest = std::min(nearest, SegmentDistance(point, a, b));
    return nearest;
  }
  if (!geometry.hasExtents)
    return std::numeric_limits<double>::infinity();
  const Box& box = geometry.extents;
  const double dx = std::max({box.min.x - point.x, 0.0, point.x - box.max.x});
  const double dy = std::max({box.min.y - point.y, 0.0, point.y - box.max.y});
  return std::hypot(dx, dy);
}

bool InsideWindow(const EntityGeometry& geometry, const Box& window) {
  return geometry.hasExtents && Contains(window, geometry.extents.min) &&
         Contains(window, geometry.extents.max);
}

bool CrossesWindow(const EntityGeometry& geometry, const Box& window) {
  if (!geometry.outline.empty()) {
    return std::any_of(geometry.outline.begin(), geometry.outline.end(), [&](const auto& piece) {
      return SegmentMeetsBox(piece[0], piece[1], window);
    });
  }
  if (!geometry.hasExtents)
    return false;
  const Box& box = geometry.extents;
  return box.min.x <= window.max.x && box.max.x >= window.min.x && box.min.y <= window.max.y &&
         box.max.y >= window.min.y;
}

}  // namespace zacad
