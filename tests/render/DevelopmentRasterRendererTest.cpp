#include <GL/gl.h>
#include <gtest/gtest.h>

#include "DevelopmentFixture.h"
#include "core/development/DevelopmentGeometry.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/platform/GlOutlineFont.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

using test::IsBlack;
using test::SameRgb;

// Two unit squares (50 x 50 pixels at 50 pixels per centimetre, devScale 1)
// joined by a convex fold, drawn for print with development (0, 0) at pixel
// (20, 20): face A covers x 20..70, face B 70..120, y 20..70.
class RasterRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.devScale = 1.0;
    part_ = &test::AddSquareStrip(model_, 2, 0.0, 0.0);
  }

  QImage Render() {
    auto context = OffscreenGlContext::Create(160, 110);
    EXPECT_TRUE(context);
    if (!context) return {};
    {
      OffscreenGlContext::Scope scope(*context);
      InitDevelopmentGlState(settings_);
      RasterDrawParams p;
      p.width = 160;
      p.height = 110;
      p.pixelsPerCm = 50.0;
      p.originX = 20.0;
      p.originY = 20.0;
      p.forPrint = true;
      DrawDevelopmentRaster(&model_, settings_, p);
      glFinish();
    }
    return context->ToImage();
  }

  Face& FaceA() { return *part_->faces[0]; }
  Face& FaceB() { return *part_->faces[1]; }

  Model model_;
  Settings settings_;
  Part* part_ = nullptr;
};

TEST_F(RasterRendererTest, FacesLinesAndBackground) {
  const QImage image = Render();
  const auto fill = MaterialFillColor(model_.defaultMaterial);
  EXPECT_TRUE(test::IsWhite(image.pixel(5, 5)));
  EXPECT_TRUE(SameRgb(image.pixel(45, 45), fill[0], fill[1], fill[2]));
  EXPECT_TRUE(SameRgb(image.pixel(95, 45), fill[0], fill[1], fill[2]));
  // The cut line along the bottom of both faces is black all along.
  for (int x = 25; x <= 115; ++x) {
    EXPECT_TRUE(IsBlack(image.pixel(x, 70)) || IsBlack(image.pixel(x, 69))) << "x " << x;
  }
  // The convex fold between the faces is dotted (Dot1): black dashes and gaps.
  int black = 0, other = 0;
  for (int y = 24; y <= 66; ++y) {
    (IsBlack(image.pixel(70, y)) || IsBlack(image.pixel(69, y)) ? black : other)++;
  }
  EXPECT_GT(black, 8);
  EXPECT_GT(other, 15);
  test::SaveIfFailed(image, "raster_faces_lines");
}

TEST_F(RasterRendererTest, MarkedFaceIsRedAndOthersKeepTheirColour) {
  FaceB().marked = true;
  const QImage image = Render();
  EXPECT_TRUE(SameRgb(image.pixel(95, 45), 255, 0, 0));
  EXPECT_FALSE(SameRgb(image.pixel(45, 45), 255, 0, 0));
  test::SaveIfFailed(image, "raster_marked");
}

TEST_F(RasterRendererTest, MaterialColourOrWhiteWithoutMaterials) {
  Material& red = model_.materials.emplace_back(Material::FromColor(MakeColorRef(200, 10, 10)));
  (void)red;
  FaceA().materialIndex = 0;
  QImage image = Render();
  const auto fill = MaterialFillColor(model_.materials[0]);
  EXPECT_TRUE(SameRgb(image.pixel(45, 45), fill[0], fill[1], fill[2]));
  settings_.bUseMaterial = false;
  image = Render();
  EXPECT_TRUE(test::IsWhite(image.pixel(45, 45)));
  EXPECT_TRUE(test::IsWhite(image.pixel(95, 45)));
}

TEST_F(RasterRendererTest, TexturedFaceShowsItsImage) {
  Material& m = model_.materials.emplace_back();
  m.hasTexture = true;
  m.image = std::make_unique<TextureImage>();
  m.image->width = 2;
  m.image->height = 2;
  m.image->pixels = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};  // all blue
  FaceA().materialIndex = 0;
  for (HalfEdge* h : FaceA().ring) {
    h->uv = TexCoord{h->devPos.x, h->devPos.y};
    h->hasUv = true;
  }
  const QImage image = Render();
  EXPECT_TRUE(SameRgb(image.pixel(45, 45), 0, 0, 255, 2));
  test::SaveIfFailed(image, "raster_texture");
}

TEST_F(RasterRendererTest, FlapIsOutlinedOutsideItsEdge) {
  HalfEdge* left = FaceA().ring[0];
  left->hasFlap = true;
  left->flapWidth = 0.3;  // a trapezoid 15 pixels wide, outer side x = 5, y 35..55
  QImage image = Render();
  EXPECT_TRUE(IsBlack(image.pixel(5, 45)) || IsBlack(image.pixel(6, 45)) || IsBlack(image.pixel(4, 45)));
  EXPECT_TRUE(test::IsWhite(image.pixel(12, 45)));
  test::SaveIfFailed(image, "raster_flap");
  settings_.bDrawFlap = false;
  image = Render();
  for (int x = 2; x <= 8; ++x) EXPECT_TRUE(test::IsWhite(image.pixel(x, 45)));
}

TEST_F(RasterRendererTest, JoinNumberBesideItsCutEdge) {
  // The top side of face A (y = 20) carries number 7.
  FaceA().ring[3]->edge->joinNumber = 7;
  auto countDark = [](const QImage& image) {
    int n = 0;
    for (int y = 8; y <= 34; ++y) {
      if (y >= 19 && y <= 21) continue;  // the cut line itself
      for (int x = 28; x <= 62; ++x) n += IsBlack(image.pixel(x, y), 100) ? 1 : 0;
    }
    return n;
  };
  settings_.bDrawNumber = false;
  EXPECT_EQ(countDark(Render()), 0);
  settings_.bDrawNumber = true;
  const QImage image = Render();
  EXPECT_GT(countDark(image), 15);
  test::SaveIfFailed(image, "raster_join_number");
}

// The top side of face A: first (70, 20), second (20, 20) in pixels, so the
// number is turned by 180 degrees about its midpoint (45, 20): its baseline
// lies on the line and the digits (about 0.72 * 8 * 50 * 0.0423 = 12 pixels
// high) hang into face A, centred on x = 45, "1888" running along the side.
TEST_F(RasterRendererTest, JoinNumberRunsAlongItsSideWithTheBaselineOnIt) {
  FaceA().ring[3]->edge->joinNumber = 1888;
  settings_.bDrawNumber = true;
  const QImage image = Render();
  const QRect outside = test::DarkBox(image, QRect(0, 0, 160, 18));
  const QRect ink = test::DarkBox(image, QRect(23, 22, 45, 30));
  EXPECT_TRUE(outside.isEmpty()) << outside.top() << " " << outside.bottom();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_LE(ink.top(), 23);
  EXPECT_LE(ink.bottom(), 36);
  EXPECT_GE(ink.width(), 2 * ink.height()) << ink.width() << " x " << ink.height();
  EXPECT_NEAR(ink.center().x(), 45, 3);
  test::SaveIfFailed(image, "raster_join_number_along");
}

TEST(GlOutlineFont, DigitHeightFollowsTheEmScale) {
  auto context = OffscreenGlContext::Create(200, 200);
  ASSERT_TRUE(context);
  {
    OffscreenGlContext::Scope scope(*context);
    GlFont font = CreateGlFont("Arial");
    ASSERT_NE(font.listBase, 0u);
    EXPECT_NEAR(font.advances['8'], 0.556, 0.02);  // Arial's digit advance, in ems
    glViewport(0, 0, 200, 200);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 200, 0, 200, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0, 0, 0);
    glTranslated(100, 50, 0);
    glScaled(100, 100, 100);
    DrawGlText("88", font);
    glFinish();
    DeleteGlFont(font);
  }
  const QImage image = context->ToImage();
  int top = 200, bottom = -1, leftmost = 200, rightmost = -1;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (!IsBlack(image.pixel(x, y))) continue;
      top = std::min(top, y), bottom = std::max(bottom, y);
      leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
    }
  }
  // Digits of Arial bold stand about 0.72 em on the baseline (y = 150 here).
  EXPECT_NEAR(bottom, 150, 2);
  EXPECT_NEAR(bottom - top + 1, 72, 4);
  // Centred on the origin.
  EXPECT_NEAR((leftmost + rightmost) / 2.0, 100.0, 3.0);
  test::SaveIfFailed(image, "gl_font");
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

QImage RenderPane(Model* model, const Settings& settings, int width, int height) {
  DevelopmentView view;
  view.clientWidth = width;
  view.clientHeight = height;
  const SheetArea area = MakeSheetArea(settings, 1, 1);
  view.viewFit = FitViewScale(width, height, area);
  auto context = OffscreenGlContext::Create(width, height);
  EXPECT_TRUE(context);
  if (!context) return {};
  {
    OffscreenGlContext::Scope scope(*context);
    InitDevelopmentGlState(settings);
    DrawDevelopmentRaster(model, settings, PaneRasterParams(view, area, model ? model->devScale : 1.0));
    glFinish();
  }
  return context->ToImage();
}

TEST(RasterPane, GreyBackgroundWithTheSheetCentred) {
  Settings settings;
  // A4 portrait, 1.5 cm margins: the sheet is 21 x 29.7 cm; in 200 x 330
  // pixels viewFit = min(170 / 21, 300 / 29.7) = 8.095 and the sheet spans
  // x 15..185, y about 44.8..285.2.
  const QImage image = RenderPane(nullptr, settings, 200, 330);
  EXPECT_TRUE(test::SameRgb(image.pixel(5, 5), 128, 128, 128, 1));
  EXPECT_TRUE(test::IsWhite(image.pixel(100, 165)));
  EXPECT_TRUE(IsBlack(image.pixel(186, 165)));  // the shadow, 2 pixels right
  // The printable area's border is dotted grey (0.6): some pixels of its
  // left border line (x = 15 + 1.5 * 8.095) are grey, some white.
  int grey = 0;
  for (int y = 70; y < 260; ++y) grey += test::SameRgb(image.pixel(27, y), 153, 153, 153, 2) ? 1 : 0;
  EXPECT_GT(grey, 40);
  EXPECT_LT(grey, 150);
  test::SaveIfFailed(image, "pane_sheet");
}

TEST(RasterPane, NoSheetBelow35Pixels) {
  Settings settings;
  const QImage image = RenderPane(nullptr, settings, 34, 100);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ASSERT_TRUE(test::SameRgb(image.pixel(x, y), 128, 128, 128, 1));
  }
}

TEST(RasterPane, ViewMappingAndItsInverse) {
  Settings settings;
  DevelopmentView view;
  view.clientWidth = 400;
  view.clientHeight = 300;
  view.viewFit = 10.0;
  view.viewZoom = 2.0;
  view.panX = 5.0;
  view.panY = -3.0;
  const SheetArea area = MakeSheetArea(settings, 2, 1);  // 39 x 29.7 cm
  // px = 200 + 2 * 5 - 20 * 39 / 2 + 20 * 1.5 + 20 * 2 * x
  const Point2 p = MapDevelopmentPoint(view, area, 2.0, {1.0, 1.0});
  EXPECT_DOUBLE_EQ(p.x, 200 + 10 - 390 + 30 + 40);
  EXPECT_DOUBLE_EQ(p.y, 150 + 6 - 297 + 30 + 40);
  const Point2 back = UnmapClientPoint(view, area, 2.0, p);
  EXPECT_NEAR(back.x, 1.0, 1e-12);
  EXPECT_NEAR(back.y, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(FitViewScale(400, 300, area), std::min(370 / 39.0, 270 / 29.7));
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// Every renderer and the EPS writer draw flaps of this shape: standing on
// their side at the flap width, for trapezoids, triangles and either side.
TEST(FlapPolygonOf, StandsOnItsSideAtTheFlapWidth) {
  for (const bool reverse : {false, true}) {
    for (const double width : {0.2, 0.5, 1.0}) {
      Model model;
      model.devScale = 2.0;
      Part& part = test::AddSquareStrip(model, 2, 0.5, 0.25);
      for (const Face* face : part.faces) {
        for (HalfEdge* h : face->ring) {
          h->hasFlap = true;
          h->flapWidth = width;
        }
      }
      const double w = width / model.devScale;
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          std::array<Point2, 4> points;
          const int n = FlapPolygonOf(*h, part, reverse, model.devScale, points);
          // The base runs from the end to the start of the side, or the other
          // way when reversed; every other point stands w off the base.
          const Point2 s = CornerOf(reverse ? *h : *h->next, part);
          const Point2 t = CornerOf(reverse ? *h->next : *h, part);
          const double length = std::hypot(t.x - s.x, t.y - s.y);
          ASSERT_EQ(n, length > 2 * w ? 4 : 3);
          EXPECT_EQ(points[0].x, s.x);
          EXPECT_EQ(points[0].y, s.y);
          EXPECT_EQ(points[static_cast<std::size_t>(n - 1)].x, t.x);
          EXPECT_EQ(points[static_cast<std::size_t>(n - 1)].y, t.y);
          const double nx = (t.y - s.y) / length, ny = -(t.x - s.x) / length;
          for (int i = 1; i + 1 < n; ++i) {
            const Point2 p = points[static_cast<std::size_t>(i)];
            EXPECT_NEAR((p.x - s.x) * nx + (p.y - s.y) * ny, w, 1e-12);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace plicora
