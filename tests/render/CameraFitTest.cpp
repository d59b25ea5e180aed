// The 3D pane's camera after opening, Reset View and Fit Model: the reset
// camera stays when it shows the whole model, else the model is fitted.

#include "ViewEngineFixture.h"
#include "core/view3d/CameraFit.h"
#include "core/view3d/FacePicking.h"

namespace plicora {
namespace {

class CameraFitTest : public test::ViewEngineFixture {
 protected:
  /// A box of the given corners as six faces.
  static void Box(test::MeshBuilder& into, Point3 lo, Point3 hi) {
    for (int i = 0; i < 8; ++i) into.AddVertex((i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z);
    for (const auto& f :
         {std::vector<int>{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}})
      into.AddFace(f);
  }
  void Box(Point3 lo, Point3 hi) { Box(mesh, lo, hi); }

  /// Every corner of the model's box, projected with the pane's matrices,
  /// lies inside the viewport and in front of the eye.
  void ExpectWholeModelInside(const char* what) {
    const auto matrices = engine.ReadPickMatrices();
    ASSERT_TRUE(matrices);
    const Box3 box = *ModelBounds(*engine.model());
    for (int i = 0; i < 8; ++i) {
      const WindowPoint p = ProjectPoint(*matrices, (i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                                         (i & 4) ? box.max.z : box.min.z);
      EXPECT_GT(p.depth, 0.0) << what;
      EXPECT_TRUE(p.x >= 0 && p.x <= engine.viewWidth() && p.y >= 0 && p.y <= engine.viewHeight())
          << what << ": corner " << i << " at " << p.x << ", " << p.y;
    }
  }
};

TEST_F(CameraFitTest, ResetCameraStaysWhenItShowsTheModelElseTheModelIsFitted) {
  struct Case {
    const char* what;
    Point3 lo, hi;
    bool keepsResetCamera;
  };
  const Case cases[] = {
      {"unit cube at the origin", {-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5}, true},
      {"head beside the origin", {-3.0, 0.5, 3.6}, {-2.0, 1.6, 4.4}, false},
      {"large teapot", {-6.0, -4.0, -6.0}, {6.0, 5.0, 6.0}, false},
      {"tiny part far away", {40.0, 40.0, 40.0}, {40.1, 40.1, 40.1}, false},
  };
  for (const Case& c : cases) {
    test::MeshBuilder box;
    Box(box, c.lo, c.hi);
    engine.Resize(320, 240);
    engine.SetModel(&box.model);
    engine.OnUpdate(HINT_FILE_OPENED);
    const ModelViewCamera& camera = engine.camera();
    if (c.keepsResetCamera) {
      EXPECT_EQ(camera.zoomDistance, ModelViewCamera::kInitialZoomDistance) << c.what;
      EXPECT_EQ(camera.viewCentre.x, 0.0) << c.what;
      EXPECT_EQ(camera.viewCentre.z, 0.0) << c.what;
    } else {
      EXPECT_DOUBLE_EQ(camera.viewCentre.x, (c.lo.x + c.hi.x) / 2) << c.what;
      EXPECT_EQ(camera.trackball.matrix, Trackball::Identity()) << c.what;
    }
    ExpectWholeModelInside(c.what);
    // Reset View follows the same rule after the camera was moved away.
    engine.Wheel(-120 * 40);
    engine.camera().Move(900, 0);
    engine.OnUpdate(HINT_RESET_VIEW);
    ExpectWholeModelInside(c.what);
    engine.SetModel(nullptr);
  }
}

TEST_F(CameraFitTest, FitModelKeepsTheRotationAndShowsTheWholeModelAfterAnyGesture) {
  Box({1.0, -2.0, 0.0}, {3.0, 2.0, 1.0});
  Open(200, 400);
  engine.MousePress(MouseButton::Right, 100, 200, PointerState{.right = true});
  engine.MouseMove(160, 150, PointerState{.right = true});
  engine.MouseRelease(MouseButton::Right, 160, 150, PointerState{});
  engine.Wheel(-120 * 50);
  const auto turned = engine.camera().trackball.matrix;
  engine.FitModel();
  EXPECT_EQ(engine.camera().trackball.matrix, turned);
  EXPECT_DOUBLE_EQ(engine.camera().viewCentre.x, 2.0);
  ExpectWholeModelInside("turned box");
  // The fit is tight: a little closer loses a corner.
  EXPECT_TRUE(CameraShowsBox(engine.camera(), *ModelBounds(mesh.model), 200, 400));
  ModelViewCamera closer = engine.camera();
  closer.zoomDistance *= 0.85;
  EXPECT_FALSE(CameraShowsBox(closer, *ModelBounds(mesh.model), 200, 400));
}

TEST_F(CameraFitTest, AModelOpenedBeforeThePaneHasASizeIsFittedAtTheFirstSize) {
  Box({10.0, 10.0, 10.0}, {11.0, 11.0, 11.0});
  engine.SetModel(&mesh.model);
  engine.OnUpdate(HINT_FILE_OPENED);
  EXPECT_EQ(engine.camera().zoomDistance, ModelViewCamera::kInitialZoomDistance);
  engine.Resize(300, 200);
  ExpectWholeModelInside("after the first size");
}

}  // namespace
}  // namespace plicora
