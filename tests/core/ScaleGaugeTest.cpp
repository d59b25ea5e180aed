// Where the scale gauge goes on a sheet: the first clear corner, else the
// middle of the first clear edge, else nowhere.

#include <gtest/gtest.h>

#include <optional>

#include "core/development/ScaleGauge.h"

namespace plicora {
namespace {

TEST(ScaleGaugeTest, TakesTheFirstClearCornerThenEdgeElseNone) {
  const ScaleGauge gauge = ScaleGaugeShape();
  const SheetBox a4{15, 15, 195, 282};  // A4's printable area with 15 mm margins
  const double half = gauge.lineWidthMm / 2;
  const double right = 195 - 3 - gauge.widthMm + half, bottom = 282 - 3 - gauge.heightMm + half;
  const double middleX = (15 + 195 - gauge.widthMm) / 2 + half;
  // Boxes of development on the sheet, and where the gauge's origin goes.
  struct Case {
    const char* what;
    std::vector<SheetBox> taken;
    std::optional<Point2> at;
  };
  const SheetBox topLeft{20, 20, 40, 40}, topRight{170, 20, 190, 40};
  const SheetBox bottomLeft{20, 260, 40, 280}, bottomRight{170, 260, 190, 280};
  const Case cases[] = {
      {"empty sheet", {}, Point2{18 + half, 18 + half}},
      {"top-left taken", {topLeft}, Point2{right, 18 + half}},
      {"top corners taken", {topLeft, topRight}, Point2{18 + half, bottom}},
      {"three corners taken", {topLeft, topRight, bottomLeft}, Point2{right, bottom}},
      {"all corners taken", {topLeft, topRight, bottomLeft, bottomRight}, Point2{middleX, 18 + half}},
      // 2 mm of clearance: a box 1 mm beyond the gauge's reach still counts
      // (and the top-right gauge would cover it).
      {"1 mm right of the top-left gauge", {{18 + gauge.widthMm + 1, 30, 121, 40}}, Point2{18 + half, bottom}},
      {"3 mm right of it", {{18 + gauge.widthMm + 3, 30, 125, 40}}, Point2{18 + half, 18 + half}},
      {"a band across the middle", {{15, 80, 195, 210}}, Point2{18 + half, 18 + half}},
      {"the whole sheet", {{15, 15, 195, 282}}, std::nullopt},
  };
  for (const Case& c : cases) {
    GaugeObstacles obstacles;
    obstacles.boxes = c.taken;
    const std::optional<Point2> at = PlaceScaleGauge(gauge, a4, obstacles);
    ASSERT_EQ(at.has_value(), c.at.has_value()) << c.what;
    if (!at) continue;
    EXPECT_NEAR(at->x, c.at->x, 1e-9) << c.what;
    EXPECT_NEAR(at->y, c.at->y, 1e-9) << c.what;
  }

  // A closed outline holds its inside: a part around the whole top half
  // keeps the gauge off it even where no line runs.
  GaugeObstacles part;
  part.lines.push_back({{{16, 16}, {194, 16}, {194, 140}, {16, 140}, {16, 16}}, true});
  const std::optional<Point2> below = PlaceScaleGauge(gauge, a4, part);
  ASSERT_TRUE(below.has_value());
  EXPECT_NEAR(below->y, bottom, 1e-9);
  // Too small a sheet has no room at all.
  EXPECT_FALSE(PlaceScaleGauge(gauge, {15, 15, 100, 100}, {}).has_value());
}

}  // namespace
}  // namespace plicora
