#include "shapegroups.h"

#include <cmath>
#include <numbers>

#include "adscodes.h"

namespace zanthost::web {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Reads groups one by one; a group of another code than asked leaves the cursor where it is.
class Cursor {
 public:
  explicit Cursor(const resbuf* at) : at_(at) {}
  bool done() const { return at_ == nullptr; }
  int code() const { return at_ != nullptr ? at_->restype : -1; }
  bool take(int code, const resbuf*& group) {
    if (at_ == nullptr || at_->restype != code)
      return false;
    group = at_;
    at_ = at_->rbnext;
    return true;
  }
  bool integer(int code, long& value) {
    const resbuf* group = nullptr;
    if (!take(code, group))
      return false;
    value = group->restype >= 90 && group->restype <= 99 ? group->resval.rlong : group->resval.rint;
    return true;
  }
  bool real(int code, double& value) {
    const resbuf* group = nullptr;
    if (!take(code, group))
      return false;
    value = group->resval.rreal;
    return true;
  }
  bool point(int code, double& x, double& y) {
    const resbuf* group = nullptr;
    if (!take(code, group))
      return false;
    x = group->resval.rpoint[X];
    y = group->resval.rpoint[Y];
    return true;
  }
  void skip() {
    if (at_ != nullptr)
      at_ = at_->rbnext;
  }

 private:
  const resbuf* at_;
};

// Counts in a drawing are trusted only this far: a damaged file must not make the page huge.
constexpr long kMostItems = 100000;

bool Count(Cursor& cursor, int code, long& count) {
  return cursor.integer(code, count) && count >= 0 && count <= kMostItems;
}

void Vertex(Polyline& piece, double x, double y, double bulge = 0) {
  piece.insert(piece.end(), {x, y, bulge});
}

// An arc of a circle from angle `start` turning by `sweep` (radians, negative clockwise), in
// two halves so that a whole circle is drawn too.
Polyline Arc(double cx, double cy, double radius, double start, double sweep) {
  Polyline piece;
  const double bulge = std::tan(sweep / 8);
  for (int i = 0; i <= 2; ++i) {
    const double angle = start + sweep * i / 2;
    Vertex(piece, cx + radius * std::cos(angle), cy + radius * std::sin(angle), i < 2 ? bulge : 0);
  }
  return piece;
}

// An edge arc's start and turn: its angles count counterclockwise; a clockwise edge gives the
// angles of its mirror image.
void EdgeSweep(double startDegrees, double endDegrees, bool counterclockwise, double& start,
               double& sweep) {
  double turn = std::fmod(endDegrees - startDegrees + 720, 360);
  if (turn == 0)
    turn = 360;
  start = (counterclockwise ? startDegrees : -startDegrees) * kDegree;
  sweep = (counterclockwise ? turn : -turn) * kDegree;
}

// Points of a B-spline of `degree` on `knots` with control points (x, y) and weights, evaluated
// by de Boor's algorithm; the control polygon when the knots do not fit.
Polyline BSpline(int degree, const std::vector<double>& knots, const std::vector<double>& points,
                 const std::vector<double>& weights) {
  const size_t count = points.size() / 2;
  Polyline curve;
  if (degree < 1 || count <= size_t(degree) || knots.size() != count + degree + 1) {
    for (size_t i = 0; i < count; ++i)
      Vertex(curve, points[2 * i], points[2 * i + 1]);
    return curve;
  }
  const double first = knots[degree], last = knots[count];
  const size_t samples = std::min<size_t>(count * 8, 2000);
  std::vector<double> x(degree + 1), y(degree + 1), w(degree + 1);
  for (size_t s = 0; s <= samples; ++s) {
    const double t = first + (last - first) * s / samples;
    size_t span = degree;
    while (span + 1 < count && knots[span + 1] <= t)
      ++span;
    for (int j = 0; j <= degree; ++j) {
      const size_t i = span - degree + j;
      w[j] = i < weights.size() && weights[i] > 0 ? weights[i] : 1;
      x[j] = points[2 * i] * w[j];
      y[j] = points[2 * i + 1] * w[j];
    }
    for (int r = 1; r <= degree; ++r) {
      for (int j = degree; j >= r; --j) {
        const size_t i = span - degree + j;
        const double denominator = knots[i + degree - r + 1] - knots[i];
        const double a = denominator != 0 ? (t - knots[i]) / denominator : 0;
        x[j] = (1 - a) * x[j - 1] + a * x[j];
        y[j] = (1 - a) * y[j - 1] + a * y[j];
        w[j] = (1 - a) * w[j - 1] + a * w[j];
      }
    }
    if (w[degree] != 0)
      Vertex(curve, x[degree] / w[degree], y[degree] / w[degree]);
  }
  return curve;
}

// An edge path's spline edge, after its type group.
bool SplineEdge(Cursor& cursor, std::vector<Polyline>& pieces) {
  long degree = 0, rational = 0, periodic = 0, knotCount = 0, pointCount = 0;
  if (!cursor.integer(94, degree) || !cursor.integer(73, rational) ||
      !cursor.integer(74, periodic) || !Count(cursor, 95, knotCount) ||
      !Count(cursor, 96, pointCount)) {
    return false;
  }
  std::vector<double> knots(knotCount), points, weights;
  for (double& knot : knots) {
    if (!cursor.real(40, knot))
      return false;
  }
  for (long i = 0; i < pointCount; ++i) {
    double x = 0, y = 0, weight = 1;
    if (!cursor.point(10, x, y))
      return false;
    points.insert(points.end(), {x, y});
    if (cursor.real(42, weight))
      weights.push_back(weight);
  }
  // Fit data of newer versions: a count, the points, the end tangents.
  if (cursor.code() == 97) {
    Cursor ahead = cursor;
    long fits = 0;
    double x = 0, y = 0;
    if (Count(ahead, 97, fits) && fits > 0 && ahead.point(11, x, y)) {
      Count(cursor, 97, fits);
      for (long i = 0; i < fits; ++i)
        cursor.point(11, x, y);
      cursor.point(12, x, y);
      cursor.point(13, x, y);
    }
  }
  pieces.push_back(BSpline(int(degree), knots, points, weights));
  return true;
}

bool EdgePath(Cursor& cursor, std::vector<Polyline>& pieces) {
  long edges = 0;
  if (!Count(cursor, 93, edges))
    return false;
  for (long e = 0; e < edges; ++e) {
    long type = 0;
    if (!cursor.integer(72, type))
      return false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0, ratio = 0, start = 0, end = 0;
    long counterclockwise = 1;
    if (type == 1) {
      if (!cursor.point(10, x1, y1) || !cursor.point(11, x2, y2))
        return false;
      Polyline piece;
      Vertex(piece, x1, y1);
      Vertex(piece, x2, y2);
      pieces.push_back(std::move(piece));
    } else if (type == 2) {
      if (!cursor.point(10, x1, y1) || !cursor.real(40, radius) || !cursor.real(50, start) ||
          !cursor.real(51, end) || !cursor.integer(73, counterclockwise)) {
        return false;
      }
      double from = 0, sweep = 0;
      EdgeSweep(start, end, counterclockwise != 0, from, sweep);
      pieces.push_back(Arc(x1, y1, radius, from, sweep));
    } else if (type == 3) {
      if (!cursor.point(10, x1, y1) || !cursor.point(11, x2, y2) || !cursor.real(40, ratio) ||
          !cursor.real(50, start) || !cursor.real(51, end) ||
          !cursor.integer(73, counterclockwise)) {
        return false;
      }
      double from = 0, sweep = 0;
      EdgeSweep(start, end, counterclockwise != 0, from, sweep);
      // The major axis runs to (x2, y2) from the centre; the minor one is `ratio` of it, turned
      // a quarter counterclockwise.
      Polyline piece;
      constexpr int kSteps = 32;
      for (int i = 0; i <= kSteps; ++i) {
        const double t = from + sweep * i / kSteps;
        Vertex(piece, x1 + x2 * std::cos(t) - ratio * y2 * std::sin(t),
               y1 + y2 * std::cos(t) + ratio * x2 * std::sin(t));
      }
      pieces.push_back(std::move(piece));
    } else if (type == 4) {
      if (!SplineEdge(cursor, pieces))
        return false;
    } else {
      return false;
    }
  }
  return true;
}

bool PolylinePath(Cursor& cursor, std::vector<Polyline>& pieces) {
  long hasBulge = 0, closed = 0, count = 0;
  if (!cursor.integer(72, hasBulge) || !cursor.integer(73, closed) || !Count(cursor, 93, count))
    return false;
  Polyline piece;
  for (long i = 0; i < count; ++i) {
    double x = 0, y = 0, bulge = 0;
    if (!cursor.point(10, x, y))
      return false;
    if (hasBulge != 0)
      cursor.real(42, bulge);
    Vertex(piece, x, y, bulge);
  }
  // A boundary path is closed whatever its flag says: the last vertex joins the first.
  if (count > 1)
    Vertex(piece, piece[0], piece[1]);
  pieces.push_back(std::move(piece));
  return true;
}

}  // namespace

std::vector<Polyline> HatchBoundary(const resbuf* groups) {
  Cursor cursor(groups);
  while (!cursor.done() && cursor.code() != 91)
    cursor.skip();
  long paths = 0;
  if (!Count(cursor, 91, paths))
    return {};
  std::vector<Polyline> pieces;
  for (long p = 0; p < paths; ++p) {
    long flags = 0;
    if (!cursor.integer(92, flags))
      break;
    const bool read = (flags & 2) != 0 ? PolylinePath(cursor, pieces) : EdgePath(cursor, pieces);
    long sources = 0;
    if (!read || !Count(cursor, 97, sources))
      break;
    const resbuf* source = nullptr;
    for (long s = 0; s < sources && cursor.take(330, source); ++s) {
    }
  }
  return pieces;
}

Polyline SplineCurve(const resbuf* groups) {
  long degree = 3;
  std::vector<double> knots, weights, controls, fits;
  for (const resbuf* rb = groups; rb != nullptr; rb = rb->rbnext) {
    if (rb->restype == 71) {
      degree = rb->resval.rint;
    } else if (rb->restype == 40 && knots.size() < size_t(kMostItems)) {
      knots.push_back(rb->resval.rreal);
    } else if (rb->restype == 41 && weights.size() < size_t(kMostItems)) {
      weights.push_back(rb->resval.rreal);
    } else if (rb->restype == 10 && controls.size() < size_t(2 * kMostItems)) {
      controls.insert(controls.end(), {rb->resval.rpoint[X], rb->resval.rpoint[Y]});
    } else if (rb->restype == 11 && fits.size() < size_t(2 * kMostItems)) {
      fits.insert(fits.end(), {rb->resval.rpoint[X], rb->resval.rpoint[Y]});
    }
  }
  if (!controls.empty())
    return BSpline(int(degree), knots, controls, weights);
  Polyline curve;
  for (size_t i = 0; i + 1 < fits.size(); i += 2)
    Vertex(curve, fits[i], fits[i + 1]);
  return curve;
}

}  // namespace zanthost::web
