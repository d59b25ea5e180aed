// Lit colours of the 3D pane worked out by hand: the head light along the
// viewing axis and the material chosen per face index.
//
// With specular and emission 0, a face lit by the head light has the colour
//   c * (0.2 global ambient + 0.1 light ambient + 1.0 * cos(angle to viewer)).

#include <cstdlib>

#include "ViewEngineFixture.h"

namespace plicora {
namespace {

using Rgb = std::array<int, 3>;

class ModelLightingTest : public test::ViewEngineFixture {
 protected:
  ModelLightingTest() { settings.colors[7] = MakeColorRef(0, 64, 0); }

  // A square of half size 0.4 centred at (x, 0, 0), facing the viewer.
  void SquareAt(double x, int material) {
    const int a = mesh.AddVertex(x - 0.4, -0.4, 0), b = mesh.AddVertex(x + 0.4, -0.4, 0),
              c = mesh.AddVertex(x + 0.4, 0.4, 0), d = mesh.AddVertex(x - 0.4, 0.4, 0);
    mesh.AddFace({a, b, c, d}, material);
  }

  Rgb Painted(int x, int y) {
    EXPECT_TRUE(engine.Paint());
    return Pixel(x, y);
  }
};

void ExpectNear(const Rgb& actual, const Rgb& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_LE(std::abs(actual[i] - expected[i]), 1) << "component " << i;
}

TEST_F(ModelLightingTest, HeadLightFollowsTheViewWhateverTheRotation) {
  mesh.model.defaultMaterial = Material::FromColor(MakeColorRef(100, 150, 120));
  SquareAt(0, -1);
  settings.bCullFace = true;
  Open();
  // Facing the viewer: 1.3 c, the blue clamped.
  ExpectNear(Painted(100, 100), Rgb{130, 195, 156});
  // Turned 60 degrees about the screen's vertical axis: cos 60 = 0.5, 0.8 c.
  engine.camera().trackball.RotateAboutScreenAxis(0.f, 1.f, 0.f, 60.0);
  engine.UpdateProjection();
  ExpectNear(Painted(100, 100), Rgb{80, 120, 96});
  // Turned on about the viewing axis only: the light angle stays.
  engine.camera().trackball.RotateAboutScreenAxis(0.f, 0.f, 1.f, 45.0);
  engine.UpdateProjection();
  ExpectNear(Painted(100, 100), Rgb{80, 120, 96});
}

TEST_F(ModelLightingTest, MaterialsAreChosenPerIndexAndUnknownIndicesAreNotDrawn) {
  mesh.model.defaultMaterial = Material::FromColor(MakeColorRef(100, 50, 150));
  mesh.model.materials.push_back(Material::FromColor(MakeColorRef(50, 150, 100)));
  mesh.model.materials.push_back(Material::FromColor(MakeColorRef(150, 100, 50)));
  // Square centres project to columns 100 + 53.6 x: 19.6, 73.2, 126.8, 180.4.
  SquareAt(-1.5, -1);
  SquareAt(-0.5, 0);
  SquareAt(0.5, 1);
  SquareAt(1.5, 2);
  Open();
  ExpectNear(Painted(20, 100), Rgb{130, 65, 195});
  ExpectNear(Pixel(73, 100), Rgb{65, 195, 130});
  ExpectNear(Pixel(127, 100), Rgb{195, 130, 65});
  // Index 2 of two materials: the face is left out, its back side is culled.
  EXPECT_EQ(Pixel(180, 100), (Rgb{0, 64, 0}));
  // Without "Use Color and Texture" every face is plain white and unlit.
  settings.bUseMaterial = false;
  engine.OnUpdate(HINT_NONE);
  EXPECT_EQ(Painted(20, 100), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel(127, 100), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace plicora
