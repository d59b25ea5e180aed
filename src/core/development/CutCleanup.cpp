#include "core/development/CutCleanup.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <tuple>

#include "core/model/Geometry.h"

namespace plicora {
namespace {

double Distance(Point2 a, Point2 b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// One pass over a line that merges a point into the kept point before it
// when they lie within `tolerance`, and takes out a needle: a point whose
// neighbours lie within `tolerance` of each other (a gap or a spike too
// narrow to cut).
std::vector<Point2> DropNearPointsAndNeedles(const std::vector<Point2>& points, double tolerance) {
  std::vector<Point2> kept;
  for (const Point2& p : points) {
    if (!kept.empty() && Distance(kept.back(), p) <= tolerance) continue;
    if (kept.size() >= 2 && Distance(kept[kept.size() - 2], p) <= tolerance) {
      kept.pop_back();
      continue;
    }
    kept.push_back(p);
  }
  return kept;
}

// Keeps the fewest points from the first on such that every point left out
// lies within `tolerance` of the straight line that replaces it. With
// `paperRight` (a contour turned so that its paper lies right of it, y
// downwards), a point goes only where the straight line passes on the paper
// side of it or through it: the cut never runs into the paper.
std::vector<Point2> MergeCollinear(const std::vector<Point2>& points, double tolerance, bool paperRight) {
  if (points.size() < 3) return points;
  std::vector<Point2> kept{points.front()};
  std::size_t anchor = 0;
  auto covers = [&](std::size_t end) {
    const Point2 a = points[anchor], b = points[end];
    const double length = Distance(a, b);
    for (std::size_t k = anchor + 1; k < end; ++k) {
      double t = 0.0;
      if (PointSegmentDistance(a, b, points[k], t) > tolerance) return false;
      const double left = (b.x - a.x) * (points[k].y - a.y) - (b.y - a.y) * (points[k].x - a.x);
      if (paperRight && left > 1e-9 * length * (1.0 + length)) return false;
    }
    return true;
  };
  for (std::size_t end = anchor + 2; end < points.size(); ++end) {
    if (covers(end)) continue;
    anchor = end - 1;
    kept.push_back(points[anchor]);
  }
  kept.push_back(points.back());
  return kept;
}

// A closed contour cleaned as a ring (its first point is not repeated in
// `ring`); empty when too little of it is left to enclose anything.
std::vector<Point2> CleanRing(std::vector<Point2> ring, double tolerance) {
  for (int pass = 0; pass < 2 && ring.size() >= 3; ++pass) {
    ring = DropNearPointsAndNeedles(ring, tolerance);
    // Turning the ring half round lets the second pass see where it closes.
    std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(ring.size() / 2), ring.end());
  }
  return ring.size() >= 3 ? ring : std::vector<Point2>{};
}

// Even-odd: whether p lies inside the closed contour.
bool Inside(const std::vector<Point2>& closed, Point2 p) {
  bool inside = false;
  for (std::size_t k = 0; k + 1 < closed.size(); ++k) {
    const Point2 a = closed[k], b = closed[k + 1];
    if ((a.y > p.y) == (b.y > p.y)) continue;
    if (a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y) > p.x) inside = !inside;
  }
  return inside;
}

// A point just inside the contour, beside the middle of its longest side.
Point2 ProbeOf(const std::vector<Point2>& closed) {
  std::size_t longest = 0;
  for (std::size_t k = 0; k + 1 < closed.size(); ++k)
    if (Distance(closed[k], closed[k + 1]) > Distance(closed[longest], closed[longest + 1])) longest = k;
  const Point2 a = closed[longest], b = closed[longest + 1];
  // The inside lies left of every side of a contour of positive area.
  const double inward = ContourArea(closed) > 0 ? 1e-4 : -1e-4;
  return {(a.x + b.x) / 2 - inward * (b.y - a.y), (a.y + b.y) / 2 + inward * (b.x - a.x)};
}

// How many of the closed contours hold p.
int DepthIn(const std::vector<CutContour>& contours, Point2 p, const CutContour* self = nullptr) {
  int depth = 0;
  for (const CutContour& c : contours) depth += &c != self && c.closed && Inside(c.points, p) ? 1 : 0;
  return depth;
}

using SideKey = std::tuple<double, double, double, double>;
SideKey KeyOf(Point2 a, Point2 b) {
  if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) std::swap(a, b);
  return {a.x, a.y, b.x, b.y};
}

// One part's contours cleaned and ordered: its open cuts, then for every
// outline the holes it holds and the outline itself. A contour narrower
// than the tolerance or smaller than a square ten tolerances across goes
// unless the faces alone have it too (a hole of theirs, or an outline round
// them): a gap the flaps close round is closed into the paper, and a scrap
// of flap cut off by the faces is left in the sheet.
std::vector<CutContour> CleanPart(const std::vector<CutContour>& contours, const std::vector<CutContour>& faces,
                                  double tolerance) {
  std::vector<CutContour> closed, open;
  for (const CutContour& c : contours) {
    if (!c.closed) continue;
    std::vector<Point2> ring = CleanRing({c.points.begin(), c.points.end() - 1}, tolerance);
    if (ring.empty()) continue;
    ring.push_back(ring.front());
    closed.push_back({c.part, std::move(ring), true});
  }
  std::set<SideKey> cut;
  for (const CutContour& c : closed)
    for (std::size_t k = 0; k + 1 < c.points.size(); ++k) cut.insert(KeyOf(c.points[k], c.points[k + 1]));
  for (const CutContour& c : contours) {
    if (c.closed) continue;
    // Paper lies on both sides of an open cut: only points in line go.
    std::vector<Point2> line = MergeCollinear(DropNearPointsAndNeedles(c.points, tolerance), tolerance * 1e-6, false);
    if (line.size() < 2 || PolylineLength(line) <= tolerance) continue;
    bool anythingNew = false;
    for (std::size_t k = 0; k + 1 < line.size(); ++k) anythingNew |= cut.insert(KeyOf(line[k], line[k + 1])).second;
    if (anythingNew) open.push_back({c.part, std::move(line), false});
  }
  // A contour inside an odd number of the others is a hole; one inside a
  // hole of the faces alone is a hole of the part as drawn, and one inside
  // their paper an outline of it.
  const double smallest = 100 * tolerance * tolerance;
  std::vector<char> gap(closed.size(), 0);
  for (std::size_t i = 0; i < closed.size(); ++i) {
    const Point2 probe = ProbeOf(closed[i].points);
    // Narrower than the blade (twice the area over the perimeter), or small.
    const double area = std::abs(ContourArea(closed[i].points));
    if (area >= smallest && 2 * area >= tolerance * PolylineLength(closed[i].points)) continue;
    if (DepthIn(closed, probe, &closed[i]) % 2 == 1) {
      const int drawn = DepthIn(faces, probe);
      gap[i] = drawn == 0 || drawn % 2 == 1;
      continue;
    }
    // An outline round none of the faces is a scrap of flap.
    gap[i] = std::none_of(faces.begin(), faces.end(), [&](const CutContour& f) {
      return f.closed && f.points.size() > 3 && Inside(closed[i].points, ProbeOf(f.points));
    });
  }
  std::vector<CutContour> kept;
  for (std::size_t i = 0; i < closed.size(); ++i)
    if (!gap[i]) kept.push_back(std::move(closed[i]));
  closed = std::move(kept);
  const std::size_t n = closed.size();
  std::vector<int> depth(n, 0);
  std::vector<double> area(n);
  std::size_t largest = 0;
  for (std::size_t i = 0; i < n; ++i) {
    area[i] = std::abs(ContourArea(closed[i].points));
    depth[i] = DepthIn(closed, ProbeOf(closed[i].points), &closed[i]);
    if (area[i] > area[largest]) largest = i;
  }
  // Where faces overlap, contours cross and the count misleads: the largest
  // contour is an outline whatever it says.
  if (n > 0 && depth[largest] % 2 == 1) depth[largest] = 0;
  std::vector<std::size_t> holder(n, n);
  for (std::size_t i = 0; i < n; ++i) {
    const bool hole = depth[i] % 2 == 1;
    const bool clockwise = ContourArea(closed[i].points) > 0;
    if (hole != clockwise) std::reverse(closed[i].points.begin(), closed[i].points.end());
    closed[i].points = MergeCollinear(closed[i].points, tolerance / 2, true);
    if (!hole) continue;
    const Point2 probe = ProbeOf(closed[i].points);
    for (std::size_t j = 0; j < n; ++j) {
      if (j == i || depth[j] != depth[i] - 1 || !Inside(closed[j].points, probe)) continue;
      if (holder[i] == n || area[j] < area[holder[i]]) holder[i] = j;
    }
  }
  std::vector<CutContour> out = std::move(open);
  for (std::size_t o = 0; o < n; ++o) {
    if (depth[o] % 2 == 1 && holder[o] != n) continue;
    for (std::size_t h = 0; h < n; ++h)
      if (holder[h] == o) out.push_back(closed[h]);
    out.push_back(closed[o]);
  }
  return out;
}

}  // namespace

double ContourArea(const std::vector<Point2>& points) {
  double twice = 0.0;
  for (std::size_t k = 0; k + 1 < points.size(); ++k)
    twice += points[k].x * points[k + 1].y - points[k + 1].x * points[k].y;
  return twice / 2;
}

std::vector<CutContour> CleanCutContours(std::vector<CutContour> contours, const std::vector<CutContour>& faces,
                                         double tolerance, TickCounter* ticks) {
  if (!(tolerance >= 0.0)) tolerance = 0.0;
  std::size_t parts = 0;
  Point2 at{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  for (const CutContour& c : contours) {
    parts = std::max(parts, c.part + 1);
    for (const Point2& p : c.points) at = {std::min(at.x, p.x), std::min(at.y, p.y)};
  }
  for (const CutContour& c : faces) parts = std::max(parts, c.part + 1);
  std::vector<std::vector<CutContour>> byPart(parts), facesByPart(parts);
  for (CutContour& c : contours) byPart[c.part].push_back(std::move(c));
  for (const CutContour& c : faces) facesByPart[c.part].push_back(c);
  std::vector<std::vector<CutContour>> groups;
  for (std::size_t part = 0; part < parts; ++part) {
    if (ticks && !ticks->Step(static_cast<int>(byPart[part].size()) + 1)) return {};
    std::vector<CutContour> cleaned = CleanPart(byPart[part], facesByPart[part], tolerance);
    if (!cleaned.empty()) groups.push_back(std::move(cleaned));
  }
  // The blade goes on to the part whose first cut starts nearest to where
  // it stands.
  std::vector<CutContour> out;
  std::vector<char> done(groups.size(), 0);
  for (std::size_t step = 0; step < groups.size(); ++step) {
    if (ticks && !ticks->Step()) return {};
    std::size_t best = groups.size();
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t g = 0; g < groups.size(); ++g) {
      if (done[g]) continue;
      const double d = Distance(at, groups[g].front().points.front());
      if (best == groups.size() || d < bestDistance) best = g, bestDistance = d;
    }
    done[best] = 1;
    at = groups[best].back().points.back();
    for (CutContour& c : groups[best]) out.push_back(std::move(c));
  }
  return out;
}

}  // namespace plicora
