#include "core/model/BoxClip.h"

#include <algorithm>

namespace plicora {

// Liang-Barsky: each side of the box cuts the parameter range from one end.
std::optional<SegmentSpan> ClipSegment(Point2 a, Point2 b, const AxisBox& box) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
  SegmentSpan span;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      span.t0 = std::max(span.t0, t);
    else
      span.t1 = std::min(span.t1, t);
  }
  if (span.t0 > span.t1) return std::nullopt;
  return span;
}

}  // namespace plicora
