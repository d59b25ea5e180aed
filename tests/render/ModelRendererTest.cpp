// Pixels of the 3D pane at known places.

#include "ViewEngineFixture.h"
#include "core/view3d/OpenedPositions.h"

namespace plicora {
namespace {

using Rgb = std::array<int, 3>;

class ModelRendererTest : public test::ViewEngineFixture {
 protected:
  ModelRendererTest() {
    settings.colors[7] = MakeColorRef(0, 64, 0);  // the lit default material is white
    settings.colors[3] = MakeColorRef(255, 0, 255);
  }
  void TurnHalfARound() {  // right drag from the centre by the radius (200 x 200 pane)
    engine.MousePress(MouseButton::Right, 100, 100, PointerState{.right = true});
    engine.MouseMove(100 + 141, 100, PointerState{.right = true});
    engine.MouseRelease(MouseButton::Right, 100 + 141, 100, PointerState{});
  }
  Rgb Painted(int x, int y) {
    EXPECT_TRUE(engine.Paint());
    return Pixel(x, y);
  }
  // Widest run of pixels of one colour on row y around column x.
  int RunWidth(int x, int y, const Rgb& colour) {
    int left = x, right = x;
    while (left > 0 && Pixel(left - 1, y) == colour) --left;
    while (right < 199 && Pixel(right + 1, y) == colour) ++right;
    return Pixel(x, y) == colour ? right - left + 1 : 0;
  }
  // Two unit squares side by side joined at x = 0, in a part.
  void TwoSquares(bool cut) {
    for (int y = -1; y <= 1; y += 2)
      for (int x = -1; x <= 1; ++x) mesh.AddVertex(x, y, 0);
    mesh.AddFace({0, 1, 4, 3});
    mesh.AddFace({1, 2, 5, 4});
    mesh.PairEdges(true);
    if (cut) test::MeshBuilder::Cut(*mesh.EdgeBetween(1, 4));
    mesh.AddPartWithAllFaces();
    ComputeOpenedPositions(mesh.model);
  }
};

TEST_F(ModelRendererTest, BackgroundIsColourSeven) {
  engine.Resize(40, 30);
  ASSERT_TRUE(engine.Paint());
  EXPECT_EQ(Pixel(0, 0), (Rgb{0, 64, 0}));
  EXPECT_EQ(Pixel(39, 29), (Rgb{0, 64, 0}));
  EXPECT_EQ(qAlpha(engine.Image().pixel(5, 5)), 255);
  Square(0.5, 0);
  Open();
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel(2, 2), (Rgb{0, 64, 0}));
}

TEST_F(ModelRendererTest, MarkedFacesAreRedFromBothSidesAndBackSidesGrey) {
  Face& marked = Square(0.5, 0);
  const int a = mesh.AddVertex(0.6, -0.5, 0), b = mesh.AddVertex(1, -0.5, 0), c = mesh.AddVertex(1, 0.5, 0),
            d = mesh.AddVertex(0.6, 0.5, 0);
  mesh.AddFace({a, b, c, d});  // an unmarked square beside it
  marked.marked = true;
  Open();
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 0, 0}));
  EXPECT_EQ(Pixel(100 + 43, 100), (Rgb{255, 255, 255}));
  TurnHalfARound();
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 0, 0}));
  const Rgb grey = Pixel(100 - 43, 100);  // the other square from behind, unlit
  EXPECT_NEAR(grey[0], 179, 1);
  EXPECT_EQ(grey[0], grey[1]);
  EXPECT_EQ(grey[0], grey[2]);
  settings.bCullFace = true;
  EXPECT_EQ(Painted(100 - 43, 100), (Rgb{0, 64, 0}));
  EXPECT_EQ(Pixel(100, 100), (Rgb{255, 0, 0}));
}

TEST_F(ModelRendererTest, WithoutMaterialsOrWhileDraggingWithTheOmitSwitchFacesAreWhite) {
  Material& m = mesh.model.materials.emplace_back(Material::FromColor(MakeColorRef(0, 0, 200)));
  (void)m;
  Square(1, 0).materialIndex = 0;
  Open();
  const Rgb lit = Painted(100, 100);
  EXPECT_EQ(lit[0], 0);
  EXPECT_GT(lit[2], 200);
  settings.bOmitMaterialWhenModelRotate = true;
  engine.MousePress(MouseButton::Right, 100, 100, PointerState{.right = true});
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 255, 255}));
  engine.MouseRelease(MouseButton::Right, 100, 100, PointerState{});
  EXPECT_EQ(Painted(100, 100), lit);
  settings.bUseMaterial = false;
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 255, 255}));
  // A material index past the list: the face is not drawn.
  settings.bUseMaterial = true;
  mesh.solid->faces.front().materialIndex = 3;
  engine.OnUpdate(HINT_NONE);  // model data changes reach the pane with a hint
  EXPECT_EQ(Painted(100, 100), (Rgb{0, 64, 0}));
}

TEST_F(ModelRendererTest, CutEdgesAreThickInColourThreeAndFoldsThin) {
  TwoSquares(true);
  settings.bEnhanceCutEdgeOpen = false;
  Open();
  Painted(100, 100);
  EXPECT_EQ(RunWidth(100, 100, Rgb{255, 0, 255}), 4);
  // The outline (one-sided edges) is cut colour too.
  EXPECT_EQ(Pixel(100, 100 - 54), (Rgb{255, 0, 255}));
}

TEST_F(ModelRendererTest, FoldsAreThinColouredByConvexityAndHiddenWhenFlat) {
  TwoSquares(false);
  settings.bEnhanceCutEdgeOpen = false;
  Open();
  const Rgb white{255, 255, 255};
  EXPECT_EQ(Painted(99, 100), white);  // coplanar: hidden
  EXPECT_EQ(Pixel(100, 100), white);
  settings.bCullEdge = false;
  Painted(100, 100);
  const Rgb blue{0, 0, 255};
  EXPECT_EQ(std::max(RunWidth(99, 100, blue), RunWidth(100, 100, blue)), 1);
  settings.bDrawColorEdge = false;
  Painted(100, 100);
  EXPECT_EQ(std::max(RunWidth(99, 100, Rgb{0, 0, 0}), RunWidth(100, 100, Rgb{0, 0, 0})), 1);
}

TEST_F(ModelRendererTest, WithoutDevelopmentEdgeTypesChooseWidthAndColour) {
  Square(1, 0);
  mesh.PairEdges(false);
  Edge* left = mesh.EdgeBetween(3, 0);
  ASSERT_NE(left, nullptr);
  Open();
  const int leftX = static_cast<int>(ProjectPoint(*engine.ReadPickMatrices(), -1, 0, 0).x);
  Painted(leftX, 100);
  EXPECT_EQ(RunWidth(leftX, 100, Rgb{255, 0, 255}), 3);  // type 5
  left->type = 6;
  engine.OnUpdate(HINT_NONE);
  EXPECT_EQ(Painted(leftX, 100), (Rgb{255, 100, 0}));
  EXPECT_EQ(RunWidth(leftX, 100, Rgb{255, 100, 0}), 3);
  left->type = 7;
  engine.OnUpdate(HINT_NONE);
  EXPECT_EQ(Painted(leftX, 100), (Rgb{255, 255, 0}));
  left->type = 2;  // no style of its own: drawn as an ordinary edge
  engine.OnUpdate(HINT_NONE);
  Painted(leftX, 100);
  EXPECT_LE(std::max(RunWidth(leftX, 100, Rgb{0, 0, 255}), RunWidth(leftX - 1, 100, Rgb{0, 0, 255})), 1);
  EXPECT_GE(std::max(RunWidth(leftX, 100, Rgb{0, 0, 255}), RunWidth(leftX - 1, 100, Rgb{0, 0, 255})), 1);
  // Hide Surface: edges only.
  shell.edgeOnly = true;
  EXPECT_EQ(Painted(100, 100), (Rgb{0, 64, 0}));
  EXPECT_EQ(Pixel(100, 100 - 54), (Rgb{255, 0, 255}));
}

TEST_F(ModelRendererTest, HighlightedMaterialIsOutlinedYellowWhenMappedElseWhite) {
  Square(0.5, 0);
  mesh.PairEdges(false);
  for (Edge& e : mesh.solid->edges) e.type = 0;  // thin edges under the outline
  settings.bDrawColorEdge = false;
  shell.highlightedMaterial = &mesh.model.defaultMaterial;
  Open();
  const int edgeY = static_cast<int>(ProjectPoint(*engine.ReadPickMatrices(), 0, -0.5, 0).y);
  const int row = 199 - edgeY + 1;
  Painted(100, row);
  const bool white = Pixel(100, row) == Rgb{255, 255, 255} || Pixel(100, row - 1) == Rgb{255, 255, 255};
  EXPECT_TRUE(white);
  mesh.solid->faces.front().ring[2]->uv = TexCoord{0.5, 0.0};
  mesh.solid->faces.front().ring[2]->hasUv = true;
  engine.OnUpdate(HINT_NONE);
  Painted(100, row);
  const bool yellow = Pixel(100, row) == Rgb{255, 255, 0} || Pixel(100, row - 1) == Rgb{255, 255, 0};
  EXPECT_TRUE(yellow);
}

TEST_F(ModelRendererTest, EmphasizeCutPointOpensAGapAtTheCut) {
  TwoSquares(true);
  Open();
  EXPECT_EQ(Painted(100, 100), (Rgb{0, 64, 0}));
  EXPECT_EQ(Pixel(100 - 10, 100), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel(100 + 10, 100), (Rgb{255, 255, 255}));
  settings.bEnhanceCutEdgeOpen = false;
  EXPECT_EQ(Painted(100, 100), (Rgb{255, 0, 255}));
}

}  // namespace
}  // namespace plicora
