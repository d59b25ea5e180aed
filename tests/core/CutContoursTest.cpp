#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <tuple>

#include "PatternBuilder.h"
#include "TestSupport.h"
#include "core/development/CutContours.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/Geometry.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

using test::PatternBuilder;

// A square frame of four trapezoids folded together: the outline of a part
// with a hole, 3 x 3 outside and 1 x 1 inside.
void BuildFrame(PatternBuilder& b) {
  Face& top = b.AddFace({{0, 0}, {3, 0}, {2, 1}, {1, 1}});
  Face& right = b.AddFace({{3, 0}, {3, 3}, {2, 2}, {2, 1}});
  Face& bottom = b.AddFace({{3, 3}, {0, 3}, {1, 2}, {2, 2}});
  Face& left = b.AddFace({{0, 3}, {0, 0}, {1, 1}, {1, 2}});
  b.Join(top.ring[1], right.ring[3], true);
  b.Join(right.ring[1], bottom.ring[3], true);
  b.Join(bottom.ring[1], left.ring[3], true);
  b.Join(left.ring[1], top.ring[3], true);
  b.CloseOpenSides();
}

std::vector<double> SortedLengths(const std::vector<CutContour>& contours) {
  std::vector<double> lengths;
  for (const CutContour& c : contours) lengths.push_back(PolylineLength(c.points));
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

TEST(CutContours, FrameGivesOutlineAndHoleWithFlapsInPlaceOfTheirBases) {
  PatternBuilder b;
  BuildFrame(b);
  Settings settings;
  settings.bDrawFlap = false;
  std::vector<double> lengths = SortedLengths(BuildCutContours(b.model, settings));
  ASSERT_EQ(lengths.size(), 2u);
  EXPECT_DOUBLE_EQ(lengths[0], 4.0);
  EXPECT_DOUBLE_EQ(lengths[1], 12.0);

  // A 0.5 wide trapezoid on the top side, turned outwards: its base (3)
  // gives way to two slanted sides and a top of 3 - 2 * 0.5. Turned inwards
  // it lies on the part's own face, hidden, and the base stays the cut.
  b.model.parts[0].faces[0]->ring[0]->hasFlap = true;
  settings.bDrawFlap = true;
  for (const bool outwards : {false, true}) {
    settings.bNorishiroReverse = outwards;
    lengths = SortedLengths(BuildCutContours(b.model, settings));
    ASSERT_EQ(lengths.size(), 2u);
    EXPECT_NEAR(lengths[1], outwards ? 12.0 - 3.0 + 2.0 + std::sqrt(2.0) : 12.0, 1e-12) << outwards;
  }
}

// Sum of what the contours must hold, counted side by side: every outline
// side, or the outer sides of its drawn flap.
double ExpectedLength(const Model& model, const Settings& settings) {
  double total = 0.0;
  const bool flip = model.mirrored != settings.bNorishiroReverse;
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        const HalfEdge* end = SideEnd(*h);
        if (!end || h->devPartner) continue;
        std::array<Point2, 4> flap{};
        const int n = settings.bDrawFlap ? FlapPolygonOf(*h, part, flip, model.devScale, flap) : 0;
        std::vector<Point2> path;
        if (n >= 3) {
          path.assign(flap.begin(), flap.begin() + n);
        } else {
          path = {{h->devPos.x, h->devPos.y}, {end->devPos.x, end->devPos.y}};
        }
        total += PolylineLength(path);
      }
    }
  }
  return total;
}

// Strictly inside a face: inside one of its fan triangles and off its sides.
bool InsideFaceOf(const Face& face, const Part& part, Point2 p) {
  auto corner = [&](std::size_t k) {
    const HalfEdge& h = *face.ring[k % face.ring.size()];
    return Point2{h.devPos.x + part.offsetX, h.devPos.y + part.offsetY};
  };
  bool inside = false;
  for (std::size_t k = 1; k + 1 < face.ring.size(); ++k)
    inside = inside || PointInTriangle(p, corner(0), corner(k), corner(k + 1));
  for (std::size_t k = 0; inside && k < face.ring.size(); ++k) {
    double t = 0.0;
    inside = PointSegmentDistance(corner(k), corner(k + 1), p, t) > 1e-9;
  }
  return inside;
}

struct FixtureCase {
  const char* file;
  std::size_t contours;  ///< without flaps
  std::size_t slits;     ///< open lines without flaps: cuts whose two sides lie on each other
  bool flapsApart;       ///< no flap overlaps a face or another flap
  bool facesApart;       ///< no face overlaps another (flattened non-planar quads do)
};

TEST(CutContours, FixturesGiveClosedContoursWithoutRepeatedSides) {
  const FixtureCase cases[] = {
      {"cube.plc", 1, 0, true, true},
      {"tetrahedron.plc", 1, 0, true, true},
      {"cylinder_polygon_caps.plc", 1, 0, false, true},
      {"torus_concave_numbers.plc", 5, 8, false, true},
      {"split_quad_hidden_diagonal.plc", 1, 0, true, true},
      {"sphere_multipage_a4.plc", 1, 0, false, true},
      {"solids_paged_layout_a4.plc", 6, 0, false, true},
      {"spot_quads_obj.plc", 16, 0, false, false},
      {"cow_materials.plc", 316, 0, false, true},
      {"open_square.plc", 1, 0, true, true},
  };
  for (const FixtureCase& c : cases) {
    Model model;
    Settings fileSettings;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ASSERT_EQ(ReadWorkFile(test::FixturePath(c.file), model, fileSettings), kReadOk) << c.file;
    for (const bool flaps : {true, false}) {
      SCOPED_TRACE(std::string(c.file) + (flaps ? " with flaps" : " without flaps"));
      Settings settings = fileSettings;
      settings.bDrawFlap = flaps;
      settings.iCutLineType = 1;          // "None" still gives the contour
      settings.iCutToleranceMicrons = 0;  // the contours as walked, not merged for a cutter
      const std::vector<CutContour> contours = BuildCutContours(model, settings);
      std::set<std::size_t> parts;
      std::set<std::tuple<double, double, double, double>> segments;
      std::size_t closed = 0, open = 0;
      double length = 0.0;
      const bool exact = !flaps || c.flapsApart;
      for (const CutContour& contour : contours) {
        ASSERT_GE(contour.points.size(), contour.closed ? 4u : 2u);
        if (contour.closed) {
          ++closed;
          EXPECT_EQ(contour.points.front().x, contour.points.back().x);
          EXPECT_EQ(contour.points.front().y, contour.points.back().y);
        } else {
          ++open;
          if (exact) length += PolylineLength(contour.points);  // both sides of a slit are cut by the one line
        }
        parts.insert(contour.part);
        const Part& part = model.parts[contour.part];
        for (std::size_t k = 1; k < contour.points.size(); ++k) {
          Point2 a = contour.points[k - 1], b = contour.points[k];
          if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) std::swap(a, b);
          EXPECT_TRUE(segments.insert({a.x, a.y, b.x, b.y}).second) << "segment repeated at " << a.x << ", " << a.y;
          if (!c.facesApart || part.faces.size() > 300) continue;
          const Point2 middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
          for (const Face* face : part.faces)
            EXPECT_FALSE(InsideFaceOf(*face, part, middle)) << "a cut through a face at " << a.x << ", " << a.y;
        }
        length += PolylineLength(contour.points);
      }
      EXPECT_EQ(parts.size(), model.parts.size());
      if (exact) {
        EXPECT_EQ(closed, c.contours);
        EXPECT_EQ(open, flaps ? 0u : c.slits);
        EXPECT_NEAR(length, ExpectedLength(model, settings), 1e-9 * (1.0 + length));
      } else {
        // Flaps under faces and under other flaps are not cut.
        EXPECT_LT(length, ExpectedLength(model, settings));
      }
    }
  }
}

// Broken files give whatever contours their links allow, each one closed.
TEST(CutContours, DamagedFilesGiveClosedContours) {
  for (const auto& entry : std::filesystem::directory_iterator(test::FixturePath("damaged"))) {
    Model model;
    Settings settings;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ReadWorkFile(entry.path().string(), model, settings);
    for (const CutContour& contour : BuildCutContours(model, settings)) {
      if (!contour.closed) continue;
      EXPECT_EQ(contour.points.front().x, contour.points.back().x) << entry.path();
      EXPECT_EQ(contour.points.front().y, contour.points.back().y) << entry.path();
    }
  }
}

}  // namespace
}  // namespace plicora
