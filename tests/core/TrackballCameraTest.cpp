#include <gtest/gtest.h>

#include <cmath>

#include "core/view3d/ModelViewCamera.h"
#include "core/view3d/Trackball.h"

namespace plicora {
namespace {

// A pane of 60 x 80 pixels: half size 30 x 40, sphere radius 50.
constexpr int kHalfW = 30, kHalfH = 40;

TEST(TrackballTest, CentreAndRimPointsOfTheSphere) {
  Trackball t;
  t.SetRadiusFromHalfSize(kHalfW, kHalfH);
  EXPECT_EQ(t.radius, 50.0);
  const SphereVector top = t.ProjectToSphere(kHalfW, kHalfH, kHalfW, kHalfH);
  EXPECT_EQ(top.x, 0.f);
  EXPECT_EQ(top.y, 0.f);
  EXPECT_EQ(top.z, 1.f);
  // Screen y grows downward, sphere y upward.
  const SphereVector up = t.ProjectToSphere(kHalfW, kHalfH - 30, kHalfW, kHalfH);
  EXPECT_FLOAT_EQ(up.y, 0.6f);
  EXPECT_FLOAT_EQ(up.z, 0.8f);
  // Outside the sphere: on the rim, z = 0, unit length in the screen plane.
  const SphereVector rim = t.ProjectToSphere(kHalfW + 60, kHalfH + 80, kHalfW, kHalfH);
  EXPECT_FLOAT_EQ(rim.x, 0.6f);
  EXPECT_FLOAT_EQ(rim.y, -0.8f);
  EXPECT_EQ(rim.z, 0.f);
  EXPECT_EQ(rim.w, 0.f);
}

TEST(TrackballTest, DragByTheRadiusFromTheCentreTurnsHalfARound) {
  Trackball t;
  t.SetRadiusFromHalfSize(kHalfW, kHalfH);
  t.BeginDrag(kHalfW, kHalfH, kHalfW, kHalfH);
  t.DragRotation(kHalfW + 50, kHalfH, kHalfW, kHalfH);
  // The arc to the rim is 90 degrees; the unnormalised quaternion doubles it.
  EXPECT_EQ(t.rotation.x, 0.f);
  EXPECT_EQ(t.rotation.y, 1.f);
  EXPECT_EQ(t.rotation.z, 0.f);
  EXPECT_EQ(t.rotation.w, 0.f);
  EXPECT_EQ(t.matrix[0], -1.f);
  EXPECT_EQ(t.matrix[5], 1.f);
  EXPECT_EQ(t.matrix[10], -1.f);
  EXPECT_EQ(t.matrix[15], 1.f);
  // Until the drag is committed, a further drag starts from the old rotation.
  t.DragRotation(kHalfW, kHalfH, kHalfW, kHalfH);
  EXPECT_EQ(t.matrix, Trackball::Identity());
  t.DragRotation(kHalfW + 50, kHalfH, kHalfW, kHalfH);
  t.CommitDrag();
  EXPECT_EQ(t.savedMatrix, t.matrix);
  t.DragRotation(kHalfW + 50, kHalfH, kHalfW, kHalfH);
  EXPECT_FLOAT_EQ(t.matrix[0], 1.f);  // a second half turn: back to the start
  EXPECT_FLOAT_EQ(t.matrix[10], 1.f);
}

TEST(TrackballTest, ProductAndMatrixOfUnnormalisedQuaternions) {
  // 90 degrees about z, given with length 2: the scale 2/|q|^2 removes it.
  const Quaternion q{0.f, 0.f, std::sqrt(2.f), std::sqrt(2.f)};
  const auto m = RotationMatrix(q);
  EXPECT_NEAR(m[0], 0.f, 1e-6);
  EXPECT_NEAR(m[1], 1.f, 1e-6);  // x axis goes to y
  EXPECT_NEAR(m[4], -1.f, 1e-6);
  EXPECT_EQ(RotationMatrix(Quaternion{0.f, 0.f, 0.f, 0.f}), Trackball::Identity());
  const Quaternion i{1.f, 0.f, 0.f, 0.f}, j{0.f, 1.f, 0.f, 0.f};
  const Quaternion k = Multiply(i, j);
  EXPECT_EQ(k.z, 1.f);
  EXPECT_EQ(k.w, 0.f);
  EXPECT_EQ(Multiply(j, i).z, -1.f);
}

TEST(ModelViewCameraTest, ZoomIsClampedExactlyAtBothEnds) {
  ModelViewCamera c;
  c.ResetCamera();
  c.Zoom(100.0);
  EXPECT_EQ(c.zoomDistance, -0.7);
  c.Zoom(0.01);
  EXPECT_EQ(c.zoomDistance, -0.7);
  for (int i = 0; i < 200; ++i) c.Wheel(120, false);  // away from the user: farther
  EXPECT_EQ(c.zoomDistance, -30.0);
  c.Wheel(-120, true);  // inverted: the same direction
  EXPECT_EQ(c.zoomDistance, -30.0);
  c.Wheel(-120, false);
  EXPECT_DOUBLE_EQ(c.zoomDistance, -29.76);
  c.Wheel(65536 - 120, false);  // the amount travels as a signed 16-bit value
  EXPECT_DOUBLE_EQ(c.zoomDistance, -29.52);
}

TEST(ModelViewCameraTest, PanFollowsTheScreenAxesAtThreeHundredPixelsPerUnit) {
  ModelViewCamera c;
  c.ResetCamera();
  c.Move(300, 0);
  EXPECT_EQ(c.viewCentre.x, -1.0);
  EXPECT_EQ(c.viewCentre.y, 0.0);
  c.Move(0, -150);  // cursor down by 150 pixels
  EXPECT_EQ(c.viewCentre.y, 0.5);
  // Half a turn about the vertical axis: the screen's x axis is the model's -x.
  c.ResetCamera();
  c.trackball.matrix = RotationMatrix(Quaternion{0.f, 1.f, 0.f, 0.f});
  c.Move(300, 0);
  EXPECT_EQ(c.viewCentre.x, 1.0);
  c.ResetCamera();
  EXPECT_EQ(c.viewCentre.x, 0.0);
  EXPECT_EQ(c.zoomDistance, -5.0);
  EXPECT_EQ(c.trackball.matrix, Trackball::Identity());
}

}  // namespace
}  // namespace plicora
