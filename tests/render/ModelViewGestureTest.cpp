// Camera gestures played on the 3D pane engine.

#include "ViewEngineFixture.h"

namespace plicora {
namespace {

class ModelViewGestureTest : public test::ViewEngineFixture {
 protected:
  void SetUp() override {
    Square(1, 0);
    mesh.PairEdges(false);
    Open(60, 80);  // sphere radius 50 around (30, 40)
  }
  void Drag(int fromX, int fromY, int toX, int toY, PointerState held) {
    engine.MousePress(MouseButton::Right, fromX, fromY, held);
    engine.MouseMove(toX, toY, held);
  }
};

TEST_F(ModelViewGestureTest, RightDragByTheRadiusTurnsHalfARoundAndEndsTheDrag) {
  const PointerState right{.right = true};
  Drag(30, 40, 80, 40, right);
  EXPECT_TRUE(engine.isDragging());
  const auto& m = engine.camera().trackball.matrix;
  EXPECT_EQ(m[0], -1.f);
  EXPECT_EQ(m[10], -1.f);
  // The projection holds the camera: the screen x axis is now the model's -x.
  const auto matrices = engine.ReadPickMatrices();
  ASSERT_TRUE(matrices);
  EXPECT_LT(matrices->projection[0], 0.0);
  const int before = invalidations;
  engine.MouseRelease(MouseButton::Right, 80, 40, PointerState{});
  EXPECT_FALSE(engine.isDragging());
  EXPECT_GT(invalidations, before);
  EXPECT_EQ(engine.camera().trackball.savedMatrix, m);
  EXPECT_TRUE(popups.empty());  // a drag is no click
}

TEST_F(ModelViewGestureTest, ShiftZoomsCtrlAndMiddleMoveCtrlWinsOverShift) {
  Drag(30, 40, 40, 45, PointerState{.right = true, .shift = true});
  EXPECT_DOUBLE_EQ(engine.camera().zoomDistance, -5.0 + 0.15);
  engine.MouseMove(1000, 1000, PointerState{.right = true, .shift = true});
  EXPECT_EQ(engine.camera().zoomDistance, -0.7);
  engine.MouseRelease(MouseButton::Right, 1000, 1000, PointerState{});

  Drag(30, 40, 330, 40, PointerState{.right = true, .shift = true, .ctrl = true});
  EXPECT_EQ(engine.camera().viewCentre.x, -1.0);
  EXPECT_EQ(engine.camera().zoomDistance, -0.7);
  engine.MouseRelease(MouseButton::Right, 330, 40, PointerState{});

  engine.MouseMove(0, 0, PointerState{});  // the cursor arrives before the press
  engine.MousePress(MouseButton::Middle, 0, 0, PointerState{.middle = true});
  EXPECT_TRUE(engine.isDragging());
  engine.MouseMove(-300, 0, PointerState{.middle = true});
  EXPECT_EQ(engine.camera().viewCentre.x, 0.0);
  engine.MouseRelease(MouseButton::Middle, -300, 0, PointerState{});
  EXPECT_FALSE(engine.isDragging());
}

TEST_F(ModelViewGestureTest, LettingGoOfShiftTurnsAboutThePressPoint) {
  Drag(30, 40, 30, 40, PointerState{.right = true, .shift = true});
  engine.MouseMove(80, 40, PointerState{.right = true});
  EXPECT_EQ(engine.camera().trackball.matrix[0], -1.f);
}

TEST_F(ModelViewGestureTest, WheelFollowsTheInvertSwitchAndResetViewRestoresTheCamera) {
  engine.Wheel(120);
  EXPECT_DOUBLE_EQ(engine.camera().zoomDistance, -5.24);
  settings.bZoomWheelInvert = true;
  engine.Wheel(120);
  engine.Wheel(120);
  EXPECT_DOUBLE_EQ(engine.camera().zoomDistance, -4.76);
  Drag(30, 40, 50, 60, PointerState{.right = true});
  engine.MouseRelease(MouseButton::Right, 50, 60, PointerState{});
  Drag(30, 40, 50, 60, PointerState{.right = true, .ctrl = true});
  engine.MouseRelease(MouseButton::Right, 50, 60, PointerState{});
  engine.OnUpdate(HINT_RESET_VIEW);
  EXPECT_EQ(engine.camera().trackball.matrix, Trackball::Identity());
  EXPECT_EQ(engine.camera().viewCentre.x, 0.0);
  EXPECT_EQ(engine.camera().viewCentre.y, 0.0);
  EXPECT_EQ(engine.camera().viewCentre.z, 0.0);
  EXPECT_EQ(engine.camera().zoomDistance, -5.0);
  const auto matrices = engine.ReadPickMatrices();
  ASSERT_TRUE(matrices);
  EXPECT_EQ(matrices->modelView[0], 1.0);
  EXPECT_EQ(matrices->modelView[12], 0.0);
}

TEST_F(ModelViewGestureTest, WithoutAModelOnlyTheWheelWorks) {
  engine.SetModel(nullptr);
  engine.MousePress(MouseButton::Right, 30, 40, PointerState{.right = true});
  engine.MouseMove(80, 40, PointerState{.right = true});
  EXPECT_FALSE(engine.isDragging());
  EXPECT_EQ(engine.camera().trackball.matrix, Trackball::Identity());
  engine.Wheel(-120);
  EXPECT_DOUBLE_EQ(engine.camera().zoomDistance, -4.76);
}

TEST_F(ModelViewGestureTest, ResizingToZeroAndBackKeepsTheRenderingContext) {
  const OffscreenGlContext* before = engine.target();
  ASSERT_NE(before, nullptr);
  engine.Resize(60, 0);
  engine.Resize(90, 50);
  EXPECT_EQ(engine.target(), before);
  EXPECT_EQ(engine.target()->width(), 90);
  ASSERT_TRUE(engine.Paint());
  EXPECT_EQ(engine.Image().size(), QSize(90, 50));
  const auto matrices = engine.ReadPickMatrices();
  ASSERT_TRUE(matrices);
  EXPECT_EQ(matrices->viewport[2], 90);
  EXPECT_EQ(matrices->viewport[3], 50);
}

}  // namespace
}  // namespace plicora
