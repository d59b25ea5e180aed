#include <gtest/gtest.h>

#include <cmath>

#include "core/model/Geometry.h"

namespace plicora {
namespace {

TEST(GeometryTest, RangeToleranceIsOneTenMillionth) {
  EXPECT_TRUE(InRange(0, 1, 1.00000005));
  EXPECT_FALSE(InRange(0, 1, 1.0000002));
  EXPECT_TRUE(InRange(1, 0, -0.00000005));
}

TEST(GeometryTest, OrientationTellsSidesAndCollinearPlaces) {
  const Point2 a{0, 0}, b{2, 0};
  EXPECT_EQ(Orientation(a, b, {1, 1}), 1);
  EXPECT_EQ(Orientation(a, b, {1, -1}), -1);
  EXPECT_EQ(Orientation(a, b, {1, 0}), 2);
  EXPECT_EQ(Orientation(a, b, {3, 0}), 0);
  EXPECT_EQ(Orientation(a, b, {-1, 0}), 0);
}

TEST(GeometryTest, PointInTriangleIsTheSameForBothWindings) {
  const Point2 t1{0, 0}, t2{4, 0}, t3{0, 4};
  for (bool reversed : {false, true}) {
    const Point2& p2 = reversed ? t3 : t2;
    const Point2& p3 = reversed ? t2 : t3;
    EXPECT_TRUE(PointInTriangle({1, 1}, t1, p2, p3));
    EXPECT_TRUE(PointInTriangle(t2, t1, p2, p3));      // a corner
    EXPECT_TRUE(PointInTriangle({2, 2}, t1, p2, p3));  // on the slanted side
    EXPECT_FALSE(PointInTriangle({2.01, 2.01}, t1, p2, p3));
    EXPECT_FALSE(PointInTriangle({-0.01, 1}, t1, p2, p3));
  }
}

TEST(GeometryTest, SegmentsMeetingAtAnEndPointIntersectButDoNotCross) {
  Point2 x;
  EXPECT_EQ(SegmentIntersection({0, 0}, {1, 1}, {1, 1}, {2, 0}, x), 1);
  EXPECT_DOUBLE_EQ(x.x, 1);
  EXPECT_DOUBLE_EQ(x.y, 1);
  EXPECT_FALSE(SegmentsCross({0, 0}, {1, 1}, {1, 1}, {2, 0}));
  EXPECT_EQ(SegmentIntersection({0, 0}, {2, 0}, {1, 0}, {3, 0}, x), 0);  // parallel overlap
  EXPECT_EQ(SegmentIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}, x), 1);
  EXPECT_DOUBLE_EQ(x.x, 1);
  EXPECT_TRUE(SegmentsCross({0, 0}, {2, 2}, {0, 2}, {2, 0}));
  EXPECT_EQ(SegmentIntersection({0, 0}, {1, 1}, {3, 0}, {2, 1}, x), 0);  // lines meet beyond both
}

TEST(GeometryTest, DistancesAndApex) {
  double t = 0;
  EXPECT_DOUBLE_EQ(PointSegmentDistance({0, 0}, {2, 0}, {1, 3}, t), 3);
  EXPECT_DOUBLE_EQ(t, 0.5);
  EXPECT_DOUBLE_EQ(PointSegmentDistance({0, 0}, {2, 0}, {5, 4}, t), 5);
  EXPECT_DOUBLE_EQ(t, 2.5);
  EXPECT_DOUBLE_EQ(PointSegmentDistance({0, 0}, {2, 0}, {-3, 4}, t), 5);
  EXPECT_EQ(SquaredDistanceInt({1, 2}, {4, 6}), 25);
  const Point2 apex = TriangleApex({0, 0}, {2, 0}, 2, std::sqrt(2.0), std::sqrt(2.0));
  EXPECT_NEAR(apex.x, 1, 1e-12);
  EXPECT_NEAR(apex.y, -1, 1e-12);
  const Point2 flat = TriangleApex({0, 0}, {2, 0}, 2, 5, 1);  // no triangle: on the line
  EXPECT_DOUBLE_EQ(flat.y, 0);
}

}  // namespace
}  // namespace plicora
