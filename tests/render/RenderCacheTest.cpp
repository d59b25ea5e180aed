// The kept display lists and texture objects change no pixel: every scene is
// rendered with and without them, and with the faces gathered on another
// thread beforehand, and compared bit for bit.

#include "SyntheticModels.h"
#include "ViewEngineFixture.h"
#include "core/view3d/OpenedPositions.h"

namespace plicora {
namespace {

class RenderCacheTest : public test::ViewEngineFixture {
 protected:
  void SetUp() override {
    test::BuildSphere(mesh.model, 24, 36, true, 64, true);
    mesh.model.materials.emplace_back(Material::FromColor(MakeColorRef(200, 40, 40)));
    int k = 0;
    for (Face& f : mesh.model.solids.back().faces) f.materialIndex = (k++ % 7 == 0) ? 1 : 0;
    ComputeOpenedPositions(mesh.model);
    Open(160, 120);
    Turn(100, 50);
  }
  void Turn(int x, int y) {
    engine.MousePress(MouseButton::Right, 80, 60, PointerState{.right = true});
    engine.MouseMove(x, y, PointerState{.right = true});
    engine.MouseRelease(MouseButton::Right, x, y, PointerState{});
  }
  // Renders twice with the lists (the second frame replays them), once
  // directly and once from faces gathered beforehand, and expects the same
  // picture each time.
  void ExpectSamePixels(const char* what) {
    engine.renderer().SetCaching(true);
    ASSERT_TRUE(engine.Paint());
    ASSERT_TRUE(engine.Paint());
    const QImage cached = engine.Image();
    engine.renderer().SetCaching(false);
    ASSERT_TRUE(engine.Paint());
    const QImage direct = engine.Image();
    engine.renderer().SetCaching(true);
    EXPECT_TRUE(cached == direct) << what;
    engine.PrepareFrame();
    ASSERT_TRUE(engine.Paint());
    EXPECT_TRUE(engine.Image() == direct) << what << ", faces gathered beforehand";
    EXPECT_EQ(engine.renderer().preparedPassesDrawn() > 0, !shell.edgeOnly) << what;
  }
};

TEST_F(RenderCacheTest, EveryPassDrawsTheSamePixelsThroughTheCache) {
  ExpectSamePixels("textured, opened cuts");
  // Faces whose gathering was stopped are gathered anew by the frame.
  const QImage whole = engine.Image();
  engine.renderer().InvalidateCache();
  engine.PrepareFrame();
  engine.StopPreparing();
  ASSERT_TRUE(engine.Paint());
  EXPECT_TRUE(engine.Image() == whole);
  EXPECT_EQ(engine.renderer().preparedPassesDrawn(), 0u);
  settings.bEnhanceCutEdgeOpen = false;
  ExpectSamePixels("thick cut edges");
  for (int i = 0; i < 40; ++i) mesh.model.solids.back().faces[static_cast<std::size_t>(i * 3)].marked = true;
  ExpectSamePixels("marked faces");
  Turn(20, 100);
  ExpectSamePixels("back sides");
  settings.bCullFace = true;
  settings.bTextureSmooth = false;
  engine.OnUpdate(HINT_TEXTURE_FILTER_CHANGED);
  ExpectSamePixels("culled, nearest texels");
  shell.highlightedMaterial = &mesh.model.materials.front();
  ExpectSamePixels("outline");
  settings.bUseMaterial = false;
  ExpectSamePixels("no materials");
}

TEST_F(RenderCacheTest, HintsAndSettingChangesReachThePicture) {
  engine.renderer().SetCaching(true);
  ASSERT_TRUE(engine.Paint());
  const QImage before = engine.Image();
  // Marks set by the other pane arrive with an update hint.
  for (Face& f : mesh.model.solids.back().faces) f.marked = true;
  engine.OnUpdate(HINT_NONE);
  ASSERT_TRUE(engine.Paint());
  const QImage marked = engine.Image();
  ExpectSamePixels("all marked");
  EXPECT_TRUE(engine.Image() == marked);
  EXPECT_FALSE(engine.Image() == before);
  // Settings changed in a dialog are seen without a hint.
  settings.colors[3] = MakeColorRef(0, 255, 0);
  settings.bEnhanceCutEdgeOpen = false;
  ASSERT_TRUE(engine.Paint());
  const QImage recoloured = engine.Image();
  ExpectSamePixels("new cut colour");
  EXPECT_TRUE(engine.Image() == recoloured);
  // Without development: edge types, the hovered edge and Hide Surface.
  mesh.model.hasDevelopment = shell.hasDevelopment = false;
  shell.edgeSpecifyMode = kSpecifyCutEdgeMode;
  settings.bCullEdge = false;
  for (Face& f : mesh.model.solids.back().faces) f.marked = false;
  engine.OnUpdate(HINT_NONE);
  engine.MouseMove(80, 60, PointerState{});
  ASSERT_NE(engine.hoveredEdge(), nullptr);
  ExpectSamePixels("hovered edge");
  mesh.model.solids.back().edges[5].type = 6;
  mesh.model.solids.back().edges[9].type = 7;
  engine.OnUpdate(HINT_NONE);
  ExpectSamePixels("marked edges");
  shell.edgeOnly = true;
  ExpectSamePixels("edges only");
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// A prism with 12-gon caps and quad sides: polygons of more than three
// corners are cut into the same triangles either way.
class RenderCachePolygonTest : public test::ViewEngineFixture {};

TEST_F(RenderCachePolygonTest, PolygonsAndQuadsDrawTheSamePixelsThroughTheCache) {
  constexpr int kSides = 12;
  std::vector<int> top, bottom;
  for (int k = 0; k < kSides; ++k) {
    const double a = 2 * M_PI * k / kSides;
    top.push_back(mesh.AddVertex(0.9 * std::cos(a), 0.6, 0.9 * std::sin(a)));
    bottom.push_back(mesh.AddVertex(0.9 * std::cos(a), -0.6, 0.9 * std::sin(a)));
  }
  mesh.AddFace(std::vector<int>(top.rbegin(), top.rend()));
  mesh.AddFace(bottom);
  for (int k = 0; k < kSides; ++k) {
    const int n = (k + 1) % kSides;
    mesh.AddFace({bottom[k], top[k], top[n], bottom[n]}, k % 2 ? 0 : -1);
  }
  mesh.model.materials.emplace_back(Material::FromColor(MakeColorRef(90, 200, 90)));
  mesh.PairEdges(true);
  test::MeshBuilder::Cut(*mesh.EdgeBetween(bottom[0], top[0]));
  mesh.AddPartWithAllFaces();
  ComputeOpenedPositions(mesh.model);
  Open(150, 110);
  for (const auto& [x, y] : {std::pair{110, 20}, std::pair{30, 90}, std::pair{75, 5}}) {
    engine.MousePress(MouseButton::Right, 75, 55, PointerState{.right = true});
    engine.MouseMove(x, y, PointerState{.right = true});
    engine.MouseRelease(MouseButton::Right, x, y, PointerState{});
    mesh.solid->faces[static_cast<std::size_t>(x % 7)].marked =
        !mesh.solid->faces[static_cast<std::size_t>(x % 7)].marked;
    for (bool opened : {true, false}) {
      settings.bEnhanceCutEdgeOpen = opened;
      engine.renderer().SetCaching(true);
      ASSERT_TRUE(engine.Paint());
      ASSERT_TRUE(engine.Paint());
      const QImage cached = engine.Image();
      engine.renderer().SetCaching(false);
      ASSERT_TRUE(engine.Paint());
      EXPECT_TRUE(cached == engine.Image()) << x << "," << y << (opened ? " opened" : " closed");
    }
  }
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// Many small triangles seen from many sides, near and far: the faces left out
// by the facing test are exactly those OpenGL culls.
class CulledTrianglesTest : public test::ViewEngineFixture {};

TEST_F(CulledTrianglesTest, LeavingOutCertainlyCulledTrianglesChangesNoPixel) {
  test::BuildSphere(mesh.model, 60, 90, true, 32, true);
  ComputeOpenedPositions(mesh.model);
  Open(400, 300);
  struct Turn {
    int x, y;
    int wheel;
  };
  for (const Turn t :
       {Turn{250, 100, 0}, Turn{60, 290, -600}, Turn{399, 150, -1200}, Turn{200, 0, 2400}, Turn{10, 10, 2400}}) {
    engine.MousePress(MouseButton::Right, 200, 150, PointerState{.right = true});
    engine.MouseMove(t.x, t.y, PointerState{.right = true});
    engine.MouseRelease(MouseButton::Right, t.x, t.y, PointerState{});
    engine.Wheel(t.wheel);
    engine.renderer().SetCaching(true);
    ASSERT_TRUE(engine.Paint());
    ASSERT_TRUE(engine.Paint());
    const QImage kept = engine.Image();
    engine.renderer().SetCaching(false);
    ASSERT_TRUE(engine.Paint());
    EXPECT_TRUE(kept == engine.Image()) << t.x << "," << t.y << " zoom " << engine.camera().zoomDistance;
  }
}

}  // namespace
}  // namespace plicora
