#include "core/development/RegistrationMarks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plicora {
namespace {

double Clamped(int microns, double lowMm, double highMm) {
  return std::clamp(microns / 1000.0, lowMm, highMm);
}

double PointSegmentDistance(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double Cross(Point2 o, Point2 a, Point2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool SegmentsCross(Point2 a, Point2 b, Point2 c, Point2 d) {
  const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
  return ((d1 > 0.0 && d2 < 0.0) || (d1 < 0.0 && d2 > 0.0)) && ((d3 > 0.0 && d4 < 0.0) || (d3 < 0.0 && d4 > 0.0));
}

double SegmentDistance(Point2 a, Point2 b, Point2 c, Point2 d) {
  if (SegmentsCross(a, b, c, d)) return 0.0;
  return std::min({PointSegmentDistance(a, c, d), PointSegmentDistance(b, c, d), PointSegmentDistance(c, a, b),
                   PointSegmentDistance(d, a, b)});
}

bool InsidePolygon(Point2 p, const std::vector<Point2>& polygon) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point2 a = polygon[i], b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// The line through `points` moved sideways by `d` (to the left as seen on
// paper with y down when d > 0), mitred at the corners.
std::vector<Point2> Offset(const std::vector<Point2>& points, bool closed, double d) {
  const std::size_t n = points.size();
  auto normal = [&](std::size_t k) {  // of the segment k -> k + 1
    const Point2 a = points[k], b = points[(k + 1) % n];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return length > 0.0 ? Point2{(b.y - a.y) / length, -(b.x - a.x) / length} : Point2{0.0, 0.0};
  };
  std::vector<Point2> out;
  for (std::size_t k = 0; k < n; ++k) {
    const bool first = k == 0 && !closed, last = k + 1 == n && !closed;
    const Point2 before = first ? normal(0) : normal((k + n - 1) % n);
    const Point2 after = last ? normal(k - 1) : normal(k);
    const double dot = 1.0 + before.x * after.x + before.y * after.y;
    const double f = dot > 1e-9 ? d / dot : d;
    out.push_back({points[k].x + (before.x + after.x) * f, points[k].y + (before.y + after.y) * f});
  }
  return out;
}

bool Inked(Point2 p, const std::vector<std::vector<Point2>>& outlines) {
  bool inked = false;
  for (const std::vector<Point2>& outline : outlines)
    if (InsidePolygon(p, outline)) inked = !inked;
  return inked;
}

double DistanceToMark(const MarkShape& mark, const std::vector<Point2>& polyline) {
  const std::vector<std::vector<Point2>> outlines = MarkInkOutlines(mark);
  for (const Point2& p : polyline)
    if (Inked(p, outlines)) return 0.0;
  double nearest = std::numeric_limits<double>::infinity();
  for (const std::vector<Point2>& outline : outlines) {
    for (std::size_t j = 0; j < outline.size(); ++j) {
      const Point2 c = outline[j], d = outline[(j + 1) % outline.size()];
      for (std::size_t k = 0; k < polyline.size(); ++k) {
        const Point2 a = polyline[k], b = polyline[k + 1 < polyline.size() ? k + 1 : k];
        nearest = std::min(nearest, SegmentDistance(a, b, c, d));
      }
    }
  }
  return nearest;
}

std::vector<MarkShape> CornerMarks(double w, double h, const MarkMeasures& m) {
  const double i = m.insetMm, s = m.sizeMm, t = m.lineMm, arm = kArmPerSize * m.sizeMm, c = t / 2.0;
  return {
      // The square at the top-left.
      {{{i, i}, {i + s, i}, {i + s, i + s}, {i, i + s}}, true, false, 0.0},
      // The corner at the top-right: an arm along the top, an arm down.
      {{{w - i - arm, i + c}, {w - i - c, i + c}, {w - i - c, i + arm}}, false, false, t},
      // The corner at the bottom-left: an arm up, an arm along the bottom.
      {{{i + c, h - i - arm}, {i + c, h - i - c}, {i + arm, h - i - c}}, false, false, t},
  };
}

std::vector<MarkShape> FrameMark(double w, double h, const MarkMeasures& m) {
  const double a = m.insetMm + m.lineMm / 2.0;
  return {{{{a, a}, {w - a, a}, {w - a, h - a}, {a, h - a}}, false, true, m.lineMm}};
}

}  // namespace

std::optional<RegistrationPreset> RegistrationPresetNamed(const std::string& name) {
  for (int k = 0; k < 3; ++k)
    if (name == kRegistrationPresetNames[k]) return static_cast<RegistrationPreset>(k);
  return std::nullopt;
}

RegistrationPreset RegistrationPresetOf(const Settings& settings) {
  const int k = settings.iRegistrationMarks;
  return k >= 0 && k < 3 ? static_cast<RegistrationPreset>(k) : RegistrationPreset::Corners;
}

MarkMeasures MarkMeasuresOf(const Settings& settings) {
  MarkMeasures m;
  m.sizeMm = Clamped(settings.iRegistrationMarkSizeMicrons, 1.0, 30.0);
  m.lineMm = Clamped(settings.iRegistrationLineMicrons, 0.1, 5.0);
  m.insetMm = Clamped(settings.iRegistrationInsetMicrons, 0.0, 50.0);
  return m;
}

std::vector<std::vector<Point2>> MarkInkOutlines(const MarkShape& mark) {
  if (mark.filled || mark.points.size() < 2) return {mark.points};
  const double half = mark.lineWidthMm / 2.0;
  std::vector<Point2> left = Offset(mark.points, mark.closed, half);
  std::vector<Point2> right = Offset(mark.points, mark.closed, -half);
  if (mark.closed) return {left, right};
  left.insert(left.end(), right.rbegin(), right.rend());
  return {left};
}

std::vector<MarkShape> RegistrationMarkShapes(const Settings& settings) {
  const double w = settings.paperWidth * 10.0, h = settings.paperHeight * 10.0;
  const MarkMeasures m = MarkMeasuresOf(settings);
  switch (RegistrationPresetOf(settings)) {
    case RegistrationPreset::Corners:
      return CornerMarks(w, h, m);
    case RegistrationPreset::Frame:
      return FrameMark(w, h, m);
    case RegistrationPreset::None:
      break;
  }
  return {};
}

double RegistrationMarginNeededMm(const Settings& settings) {
  const MarkMeasures m = MarkMeasuresOf(settings);
  switch (RegistrationPresetOf(settings)) {
    case RegistrationPreset::Corners:
      return m.insetMm + std::max(m.sizeMm, m.lineMm);
    case RegistrationPreset::Frame:
      return m.insetMm + m.lineMm;
    case RegistrationPreset::None:
      break;
  }
  return 0.0;
}

double DistanceToMarks(const std::vector<MarkShape>& marks, const std::vector<Point2>& polyline) {
  double nearest = std::numeric_limits<double>::max();
  for (const MarkShape& mark : marks) nearest = std::min(nearest, DistanceToMark(mark, polyline));
  return nearest;
}

CutAreaLimit FrameCutAreaLimit(const Settings& settings) {
  return {Clamped(settings.iFrameCutWidthMicrons, 10.0, 10000.0),
          Clamped(settings.iFrameCutHeightMicrons, 10.0, 10000.0)};
}

bool FitsCutAreaLimit(double widthMm, double heightMm, const CutAreaLimit& limit) {
  return (widthMm <= limit.widthMm && heightMm <= limit.heightMm) ||
         (widthMm <= limit.heightMm && heightMm <= limit.widthMm);
}

}  // namespace plicora
