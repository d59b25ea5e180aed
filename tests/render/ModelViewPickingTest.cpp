// Face and edge picking in the 3D pane: Check Corresponding Surface and the
// edge-specify modes.

#include "ViewEngineFixture.h"
#include "core/development/DevelopmentPicking.h"
#include "core/view3d/FacePicking.h"

namespace plicora {
namespace {

using ModelViewPickingTest = test::ViewEngineFixture;

// In a 200 x 200 pane after Reset View, model point (0, 0) is at pixel
// (100, 100) and one model unit in the plane z = 0 is about 54 pixels.

TEST_F(ModelViewPickingTest, NearerReferencePointWinsAndTiesKeepModelOrder) {
  Face& far = Square(1, 0);
  Face& near = Square(0.5, 0.5);
  Face& twin = Square(0.5, 0.5);  // same place as `near`, later in the model
  Open();
  const auto m = engine.ReadPickMatrices();
  ASSERT_TRUE(m);
  EXPECT_EQ(PickFace(mesh.model, *m, 100, 100), &near);
  EXPECT_NE(PickFace(mesh.model, *m, 100, 100), &twin);
  // Outside the small squares only the big one is under the cursor.
  EXPECT_EQ(PickFace(mesh.model, *m, 100 + 45, 100), &far);
  EXPECT_EQ(PickFace(mesh.model, *m, 100 + 80, 100), nullptr);
  // Hidden solids are picked too.
  mesh.solid->selected = false;
  EXPECT_EQ(PickFace(mesh.model, *m, 100, 100), &near);
}

TEST_F(ModelViewPickingTest, BackFacesArePickableAndProjectionMatchesTheWindow) {
  Face& back = Square(1, 0, true);
  Open();
  const auto m = engine.ReadPickMatrices();
  ASSERT_TRUE(m);
  EXPECT_EQ(PickFace(mesh.model, *m, 100, 100), &back);
  const WindowPoint origin = ProjectPoint(*m, 0, 0, 0);
  EXPECT_NEAR(origin.x, 100.0, 1e-9);
  EXPECT_NEAR(origin.y, 100.0, 1e-9);
  // Clip z grows with the distance from the eye.
  EXPECT_LT(ProjectPoint(*m, 0, 0, 1).depth, origin.depth);
}

TEST_F(ModelViewPickingTest, ClickMarksTheRegionOnlyWithinThreePixels) {
  Square(1, 0);
  mesh.PairEdges(true);
  mesh.AddPartWithAllFaces();
  shell.developmentEditMode = kCheckCorrespondingSurfaceMode;
  Open();
  Face& face = mesh.solid->faces.front();
  struct Case {
    int dx, dy;
    bool picks;
  };
  for (const Case c : {Case{2, 2, true}, Case{3, 0, true}, Case{3, 1, false}}) {
    face.marked = false;
    hints.clear();
    Click(100, 100, 100 + c.dx, 100 + c.dy);
    EXPECT_EQ(face.marked, c.picks) << c.dx << "," << c.dy;
    EXPECT_EQ(hints.size(), c.picks ? 1u : 0u);
  }
  // A click on empty space clears the marks and still updates the views.
  face.marked = true;
  Click(5, 5);
  EXPECT_FALSE(face.marked);
  EXPECT_EQ(hints.back(), HINT_NONE);
}

TEST_F(ModelViewPickingTest, DevelopmentPanePickUsesPartOffsetsAndFirstFaceWins) {
  test::MeshBuilder b;
  const int a = b.AddVertex(0, 0, 0), c = b.AddVertex(2, 0, 0), d = b.AddVertex(2, 2, 0), e = b.AddVertex(0, 2, 0);
  Face& first = b.AddFace({a, c, d, e});
  Face& second = b.AddFace({a, e, d, c});  // the same square, other winding
  b.PairEdges(true);
  b.AddPartWithAllFaces(10, 20);
  EXPECT_EQ(PickDevelopmentFace(b.model, Point2{11, 21}), &first);
  EXPECT_EQ(PickDevelopmentFace(b.model, Point2{1, 1}), nullptr);
  EXPECT_EQ(PickDevelopmentFace(b.model, Point2{12, 22}), &first);  // a corner counts as inside
  second.marked = true;
  MarkCorrespondingFaces(b.model, &first, settings);
  EXPECT_TRUE(first.marked);
  MarkCorrespondingFaces(b.model, nullptr, settings);
  EXPECT_FALSE(first.marked);
  EXPECT_FALSE(second.marked);
}

// A roof of two faces over the y axis: the ridge at x = 0 lies on pixel
// column 100; the eaves at x = +-1 are one-sided edges.
class EdgeSpecifyTest : public test::ViewEngineFixture {
 protected:
  void Build(double ridgeHeight) {
    const int a = mesh.AddVertex(-1, -1, 0), b = mesh.AddVertex(0, -1, ridgeHeight),
              c = mesh.AddVertex(0, 1, ridgeHeight), d = mesh.AddVertex(-1, 1, 0), e = mesh.AddVertex(1, -1, 0),
              f = mesh.AddVertex(1, 1, 0);
    mesh.AddFace({a, b, c, d});
    mesh.AddFace({b, e, f, c});
    mesh.PairEdges(false);
    ridge = mesh.EdgeBetween(b, c);
    eave = mesh.EdgeBetween(a, d);
    shell.edgeSpecifyMode = kSpecifyCutEdgeMode;
    Open();
  }
  void Hover(int x, int y) { engine.MouseMove(x, y, PointerState{}); }
  Edge* ridge = nullptr;
  Edge* eave = nullptr;
};

TEST_F(EdgeSpecifyTest, EdgesWithinFivePixelsHighlightButNotOneSidedOrFlatOnes) {
  Build(0.3);
  ASSERT_LT(ridge->dihedral, 178.0);
  Hover(104, 100);
  EXPECT_EQ(engine.hoveredEdge(), ridge);
  Hover(106, 100);
  EXPECT_EQ(engine.hoveredEdge(), nullptr);
  const auto m = engine.ReadPickMatrices();
  const int eaveX = static_cast<int>(ProjectPoint(*m, -1, 0, 0).x);
  EXPECT_EQ(PickEdge(mesh.model, *m, eaveX, 100), eave);
  Hover(eaveX, 100);
  EXPECT_EQ(engine.hoveredEdge(), nullptr);
  // No hover without an edge-specify mode.
  shell.edgeSpecifyMode = 0;
  Hover(100, 100);
  EXPECT_EQ(engine.hoveredEdge(), nullptr);
}

TEST_F(EdgeSpecifyTest, AtTwiceThePixelDensityThePictureDoublesAndToleranceStaysInClientPixels) {
  engine.SetPixelRatio(2.0);
  Build(0.3);
  ASSERT_TRUE(engine.Paint());
  const QImage picture = engine.Image();
  EXPECT_EQ(picture.size(), QSize(400, 400));
  EXPECT_EQ(picture.devicePixelRatio(), 2.0);
  Hover(104, 100);
  EXPECT_EQ(engine.hoveredEdge(), ridge);
  Hover(106, 100);
  EXPECT_EQ(engine.hoveredEdge(), nullptr);
  // The ridge is drawn two device pixels wide where the client pixel is.
  ASSERT_TRUE(engine.Paint());
  const QImage lines = engine.Image();
  EXPECT_NE(lines.pixel(200, 150), lines.pixel(210, 150));
}

TEST_F(EdgeSpecifyTest, FlatEdgesHighlightOnlyWhenNotHidden) {
  Build(0.0);
  Hover(101, 100);
  EXPECT_EQ(engine.hoveredEdge(), nullptr);
  settings.bCullEdge = false;
  Hover(101, 101);
  EXPECT_EQ(engine.hoveredEdge(), ridge);
}

TEST_F(EdgeSpecifyTest, ClicksToggleTheMarkOfTheHoveredEdge) {
  Build(0.3);
  struct Case {
    int mode, before, after;
  };
  for (const Case c : {Case{1, 6, 0}, Case{1, 7, 6}, Case{1, 0, 6}, Case{2, 7, 0}, Case{2, 6, 7}}) {
    shell.edgeSpecifyMode = c.mode;
    ridge->type = c.before;
    Hover(101, 100);
    ASSERT_EQ(engine.hoveredEdge(), ridge);
    const int sounds0 = sounds, modifications0 = modifications;
    Click(101, 100);
    EXPECT_EQ(ridge->type, c.after) << c.mode << ": " << c.before;
    EXPECT_EQ(sounds, sounds0 + 1);
    EXPECT_EQ(modifications, modifications0 + 1);
    EXPECT_EQ(engine.hoveredEdge(), nullptr);  // cleared by the click
  }
  // A click without a highlighted edge changes nothing.
  Click(5, 5);
  EXPECT_EQ(ridge->type, 7);
}

TEST_F(EdgeSpecifyTest, RightClickAsksForThePopupMenuOnlyWithoutDevelopment) {
  Build(0.3);
  engine.MousePress(MouseButton::Right, 50, 50, PointerState{.right = true});
  engine.MouseRelease(MouseButton::Right, 52, 52, PointerState{});
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0], std::make_pair(52, 52));
  engine.MousePress(MouseButton::Right, 50, 50, PointerState{.right = true});
  engine.MouseRelease(MouseButton::Right, 53, 51, PointerState{});
  EXPECT_EQ(popups.size(), 1u);
  shell.hasDevelopment = true;
  engine.MousePress(MouseButton::Right, 50, 50, PointerState{.right = true});
  engine.MouseRelease(MouseButton::Right, 50, 50, PointerState{});
  EXPECT_EQ(popups.size(), 1u);
}

}  // namespace
}  // namespace plicora
