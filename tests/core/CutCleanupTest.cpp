#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "TestSupport.h"
#include "core/development/CutCleanup.h"
#include "core/development/CutContours.h"
#include "core/model/Geometry.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

using Line = std::vector<Point2>;

CutContour Closed(Line points) {
  points.push_back(points.front());
  return {0, std::move(points), true};
}

// The segments of some contours, found near a point through a grid.
class SegmentIndex {
 public:
  SegmentIndex(const std::vector<CutContour>& contours, double cell) : cell_(cell) {
    for (const CutContour& c : contours)
      for (std::size_t k = 1; k < c.points.size(); ++k) Add(c.points[k - 1], c.points[k]);
  }
  double Distance(Point2 p) const {
    double best = 1e300;
    const long long cx = Cell(p.x), cy = Cell(p.y);
    for (long long dx = -1; dx <= 1; ++dx)
      for (long long dy = -1; dy <= 1; ++dy) {
        const auto found = cells_.find({cx + dx, cy + dy});
        if (found == cells_.end()) continue;
        for (const auto& [a, b] : found->second) {
          double t = 0.0;
          best = std::min(best, PointSegmentDistance(a, b, p, t));
        }
      }
    return best;
  }

 private:
  long long Cell(double v) const { return static_cast<long long>(std::floor(v / cell_)); }
  void Add(Point2 a, Point2 b) {
    for (long long x = Cell(std::min(a.x, b.x)); x <= Cell(std::max(a.x, b.x)); ++x)
      for (long long y = Cell(std::min(a.y, b.y)); y <= Cell(std::max(a.y, b.y)); ++y) cells_[{x, y}].push_back({a, b});
  }
  double cell_;
  std::map<std::pair<long long, long long>, std::vector<std::pair<Point2, Point2>>> cells_;
};

// Every fixture's cut: on the lines the drawing prints, no sliver, no
// repeated or empty cut, each part's outlines counter-clockwise on the
// sheet after the holes they hold, the parts one after another in an order
// that travels no further than the parts' own order.
TEST(CutCleanup, FixturesCutCleanlyOnThePrintedLines) {
  struct Case {
    const char* file;
    std::size_t maxContours;  ///< closed contours at most (the raw cut has many more)
  };
  const Case cases[] = {
      {"sphere_wide_flaps.plc", 28},     {"sphere_multipage_a4.plc", 52},    {"cow_materials.plc", 490},
      {"torus_concave_numbers.plc", 27}, {"solids_paged_layout_a4.plc", 12}, {"cube.plc", 1},
      {"cylinder_polygon_caps.plc", 1},  {"spot_quads_obj.plc", 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Model model;
    Settings settings;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ASSERT_EQ(ReadWorkFile(test::FixturePath(c.file), model, settings), kReadOk);
    const double mm = model.devScale * 10.0;  // millimetres per unit
    Settings raw = settings, faces = settings;
    raw.iCutToleranceMicrons = 0;
    faces.iCutToleranceMicrons = 0;
    faces.bDrawFlap = false;
    const std::vector<CutContour> printed = BuildCutContours(model, raw);
    const std::vector<CutContour> cut = BuildCutContours(model, settings);
    // Areas (mm^2) of the contours of the faces alone: the part as drawn.
    std::multiset<double> drawnAreas;
    for (const CutContour& f : BuildCutContours(model, faces))
      if (f.closed) drawnAreas.insert(std::abs(ContourArea(f.points)) * mm * mm);
    const SegmentIndex lines(printed, 1.0 / mm);
    std::set<std::tuple<double, double, double, double>> segments;
    std::set<std::size_t> partsSeen;
    std::size_t closed = 0;
    std::vector<std::size_t> outlinesOf(model.parts.size(), 0);
    for (std::size_t i = 0; i < cut.size(); ++i) {
      const CutContour& contour = cut[i];
      if (i > 0 && contour.part != cut[i - 1].part) {
        EXPECT_TRUE(partsSeen.insert(cut[i - 1].part).second);
      }
      EXPECT_FALSE(partsSeen.count(contour.part)) << "part " << contour.part << " comes twice";
      for (std::size_t k = 0; k < contour.points.size(); ++k) {
        const Point2 p = contour.points[k];
        EXPECT_LE(lines.Distance(p) * mm, 0.1) << "a corner off the printed lines at " << p.x << ", " << p.y;
        if (k == 0) continue;
        Point2 a = contour.points[k - 1], b = p;
        EXPECT_GT(std::hypot(b.x - a.x, b.y - a.y) * mm, 0.1) << "a segment within the tolerance at " << a.x;
        EXPECT_LE(lines.Distance({(a.x + b.x) / 2, (a.y + b.y) / 2}) * mm, 0.1) << "a side off the lines at " << a.x;
        if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) std::swap(a, b);
        EXPECT_TRUE(segments.insert({a.x, a.y, b.x, b.y}).second) << "a segment cut twice at " << a.x;
      }
      if (!contour.closed) continue;
      ++closed;
      const double area = ContourArea(contour.points);  // positive: clockwise on the sheet
      if (area < 0) ++outlinesOf[contour.part];
      // A hole comes before the outline holding it: the part's last closed
      // contour is an outline.
      if (i + 1 == cut.size() || cut[i + 1].part != contour.part) {
        EXPECT_LT(area, 0.0) << "part " << contour.part;
      }
      const double mm2 = std::abs(area) * mm * mm;
      if (mm2 < 1.0) {
        const auto near = drawnAreas.lower_bound(mm2 * 0.9);
        EXPECT_TRUE(near != drawnAreas.end() && *near < mm2 * 1.1 + 0.01) << mm2 << " mm^2 not drawn so";
      }
    }
    EXPECT_LE(closed, c.maxContours);
    // Every part the walk closes round (more than a scrap) keeps an outline.
    for (const CutContour& p : printed) {
      const bool whole = p.closed && std::abs(ContourArea(p.points)) * mm * mm >= 1.0;
      EXPECT_TRUE(!whole || outlinesOf[p.part] >= 1) << "part " << p.part;
    }
  }
}

// Hand-made contours: what is too narrow to cut goes, what is real stays
// and turns the right way.
TEST(CutCleanup, SliversNeedlesAndRepeatsGoHolesAndOutlinesTurn) {
  const double tolerance = 0.01;
  // A 4 x 4 outline (clockwise on the sheet) with a needle 0.005 wide into
  // it, a repeated corner and points off its sides by less than half the
  // tolerance.
  CutContour outline = Closed({{0, 0}, {2, 0.002}, {4, 0}, {4, 2}, {2, 2}, {2, 2}, {4, 2.005}, {4, 4}, {0, 4}});
  CutContour hole = Closed({{1, 1}, {1, 2}, {3, 2}, {3, 1}});            // a real hole, 2 x 1, the wrong way
  CutContour sliver = Closed({{1, 3}, {3, 3}, {3, 3.004}, {1, 3.004}});  // narrower than the tolerance
  CutContour gap = Closed({{0.5, 3.5}, {0.55, 3.5}, {0.55, 3.55}});      // small, no hole of the faces
  CutContour empty{0, {{2, 2.5}, {2, 2.5}}, false};
  CutContour slit{0, {{1, 2.5}, {1.5, 2.5}}, false};
  CutContour again{0, {{1.5, 2.5}, {1, 2.5}}, false};
  const std::vector<CutContour> faces = {outline, hole};
  const std::vector<CutContour> out =
      CleanCutContours({outline, hole, sliver, gap, empty, slit, again}, faces, tolerance);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_FALSE(out[0].closed);  // the slit, once
  EXPECT_EQ(out[0].points.size(), 2u);
  EXPECT_NEAR(PolylineLength(out[1].points), 6.0, 1e-12);  // the hole first, clockwise on the sheet
  EXPECT_GT(ContourArea(out[1].points), 0.0);
  EXPECT_EQ(out[2].points.size(), 5u);  // the outline: four corners, counter-clockwise
  EXPECT_NEAR(ContourArea(out[2].points), -16.0, 1e-9);
  for (const Point2 p : out[2].points) EXPECT_TRUE((p.x == 0 || p.x == 4) && (p.y == 0 || p.y == 4));

  // Parts in nearest-next order from the top-left: the part at x = 10 comes
  // between the one at 0 and the one at 20 whatever their numbers.
  std::vector<CutContour> parts;
  for (const auto& [part, x] : std::vector<std::pair<std::size_t, double>>{{0, 20}, {1, 0}, {2, 10}}) {
    CutContour square = Closed({{x, 0}, {x + 1, 0}, {x + 1, 1}, {x, 1}});
    square.part = part;
    parts.push_back(square);
  }
  const std::vector<CutContour> ordered = CleanCutContours(parts, parts, tolerance);
  ASSERT_EQ(ordered.size(), 3u);
  EXPECT_EQ(ordered[0].part, 1u);
  EXPECT_EQ(ordered[1].part, 2u);
  EXPECT_EQ(ordered[2].part, 0u);
}

}  // namespace
}  // namespace plicora
