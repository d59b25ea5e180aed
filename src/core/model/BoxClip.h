#pragma once
// An axis-aligned box and the part of a segment that lies inside it, for the
// sheet furniture (marks, gauge) that must keep clear of the pattern's lines.

#include <optional>

#include "core/model/Model.h"

namespace plicora {

/// A rectangle with x0 <= x1 and y0 <= y1 (its sides count as inside).
struct AxisBox {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
  bool Holds(Point2 p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

/// The stretch a + t (b - a), t0 <= t <= t1, of a segment.
struct SegmentSpan {
  double t0 = 0.0, t1 = 1.0;
};

/// The part of the segment a-b inside the box, or nothing when it misses.
std::optional<SegmentSpan> ClipSegment(Point2 a, Point2 b, const AxisBox& box);

}  // namespace plicora
