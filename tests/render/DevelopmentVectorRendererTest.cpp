#include <gtest/gtest.h>

#include <QPainter>

#include "DevelopmentFixture.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentVectorRenderer.h"
#include "render/development/TextLabelRenderer.h"

namespace plicora {
namespace {

using test::IsBlack;
using test::IsWhite;

// Two unit squares joined by a convex fold, drawn at 50 device units per
// development unit (devScale 1) with (0, 0) at (20, 20): face A covers
// x 20..70, face B 70..120, y 20..70. The pen is trunc(50 * 0.035146 + 0.5)
// = 2 units wide.
class VectorRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.devScale = 1.0;
    part_ = &test::AddSquareStrip(model_, 2, 0.0, 0.0);
  }

  QImage Render(Model* model) {
    QImage image(160, 110, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(20, 20);
    DrawDevelopmentVector(painter, model, settings_, 50.0, 50.0);
    return image;
  }
  QImage Render() { return Render(&model_); }

  Face& FaceA() { return *part_->faces[0]; }

  Model model_;
  Settings settings_;
  Part* part_ = nullptr;
};

TEST_F(VectorRendererTest, FacesCutLinesAndDottedFolds) {
  const QImage image = Render();
  const auto fill = MaterialFillColor(model_.defaultMaterial);
  EXPECT_TRUE(test::SameRgb(image.pixel(45, 45), fill[0], fill[1], fill[2]));
  EXPECT_TRUE(IsWhite(image.pixel(5, 5)));
  for (int x = 22; x <= 118; ++x) EXPECT_TRUE(IsBlack(image.pixel(x, 70))) << "x " << x;
  // Dot1 at 1 point: dashes trunc(3 * 1.23) = 3, gaps trunc(7 * 1.23) = 8.
  int black = 0, other = 0;
  for (int y = 22; y <= 68; ++y) (IsBlack(image.pixel(70, y)) ? black : other)++;
  EXPECT_GT(black, 10);
  EXPECT_GT(other, 15);
  test::SaveIfFailed(image, "vector_basic");
}

TEST_F(VectorRendererTest, NothingWithoutADocument) {
  const QImage image = Render(nullptr);
  for (int y = 0; y < image.height(); y += 5) {
    for (int x = 0; x < image.width(); x += 5) ASSERT_TRUE(IsWhite(image.pixel(x, y)));
  }
}

TEST_F(VectorRendererTest, TexturedFacesStayUnfilledAndWhiteFillWithoutMaterials) {
  Material& m = model_.materials.emplace_back();
  m.hasTexture = true;
  FaceA().materialIndex = 0;
  QImage image = Render();
  EXPECT_TRUE(IsWhite(image.pixel(45, 45)));
  EXPECT_TRUE(IsBlack(image.pixel(45, 70)));  // its lines are still drawn
  settings_.bUseMaterial = false;
  image = Render();
  EXPECT_TRUE(IsWhite(image.pixel(95, 45)));
}

TEST_F(VectorRendererTest, FlapOutlineOnlyWhereNothingCoversIt) {
  HalfEdge* left = FaceA().ring[0];
  left->hasFlap = true;
  left->flapWidth = 0.3;  // outer side at x = -0.3 (pixel 5), y 0.3..0.7 (35..55)
  // A second part with a textured (unfilled) face over y 0.4..0.6 of that side.
  Material& m = model_.materials.emplace_back();
  m.hasTexture = true;
  Part& cover = test::AddSquareStrip(model_, 1, -0.4, 0.4, 0.2);
  cover.faces[0]->materialIndex = 0;
  const QImage image = Render();
  EXPECT_TRUE(IsBlack(image.pixel(5, 37)));
  EXPECT_TRUE(IsBlack(image.pixel(5, 53)));
  EXPECT_TRUE(IsWhite(image.pixel(5, 45)));  // under the covering face
  // The slanted sides are drawn, the side along the edge belongs to the face.
  EXPECT_TRUE(IsBlack(image.pixel(12, 28)) || IsBlack(image.pixel(12, 27)) || IsBlack(image.pixel(12, 29)));
  test::SaveIfFailed(image, "vector_flap");
}

TEST_F(VectorRendererTest, JoinNumberBesideItsCutEdgeOnlyWhenLargeEnough) {
  FaceA().ring[3]->edge->joinNumber = 7;  // the top side, y = 20
  auto countDark = [](const QImage& image) {
    int n = 0;
    for (int y = 24; y <= 40; ++y) {
      for (int x = 40; x <= 66; ++x) n += IsBlack(image.pixel(x, y), 100) ? 1 : 0;
    }
    return n;
  };
  settings_.bDrawNumber = true;
  QImage image = Render();
  EXPECT_GT(countDark(image), 5);
  test::SaveIfFailed(image, "vector_join_number");
  // Font height trunc(1 * 50 * 0.0353) = 1 unit: too small, nothing drawn.
  settings_.iEdgeNumberFontSize = 1;
  image = Render();
  EXPECT_EQ(countDark(image), 0);
}

// The top side of face A runs from (70, 20) to (20, 20): first (70, 20),
// second (20, 20), so (dx, dy) = (1, 0) and the number is turned by 180
// degrees. Font cell cy = trunc(8 * 50 * 0.0353) = 14 units: the text cell
// lies between 0.1 cy and 1.1 cy (1.4 and 15.4 units) below the line, inside
// face A, centred on x = 45, and "1888" runs along the side (wider than high).
TEST_F(VectorRendererTest, JoinNumberRunsAlongItsSideBesideIt) {
  FaceA().ring[3]->edge->joinNumber = 1888;
  settings_.bDrawNumber = true;
  const QImage image = Render();
  const QRect outside = test::DarkBox(image, QRect(0, 0, 160, 18));
  const QRect ink = test::DarkBox(image, QRect(23, 22, 45, 24));
  EXPECT_TRUE(outside.isEmpty()) << outside.top() << " " << outside.bottom();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.top(), 22);
  EXPECT_LE(ink.bottom(), 36);
  EXPECT_GE(ink.width(), 2 * ink.height()) << ink.width() << " x " << ink.height();
  EXPECT_NEAR(ink.center().x(), 45, 3);
  test::SaveIfFailed(image, "vector_join_number_along");
}

TEST(DashedLine, DashesRestartAtTheLineStartAndStopAtItsEnd) {
  QImage image(40, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    DrawDashedLine(painter, 0, 5, 25, 5, {4, 6});
  }
  EXPECT_TRUE(IsBlack(image.pixel(1, 5)));
  EXPECT_TRUE(IsWhite(image.pixel(7, 5)));
  EXPECT_TRUE(IsBlack(image.pixel(12, 5)));
  EXPECT_TRUE(IsWhite(image.pixel(17, 5)));
  EXPECT_TRUE(IsBlack(image.pixel(22, 5)));
  EXPECT_TRUE(IsWhite(image.pixel(30, 5)));
  EXPECT_EQ(DevicePattern(kDot1Pattern, 5.0, 10.0), (std::vector<int>{70, 110, 70, 110}));
}

TEST(TextLabels, RasterExportPlacesLabelsFromTheDevelopmentCorner) {
  Model model;
  model.devScale = 1.0;
  TextLabel& label = model.texts.emplace_back();
  label.text = "HH";
  label.x = 3.0;  // (3 - 1) cm * 30 px = 60
  label.y = 3.0;
  label.fontSize = 20;
  label.fontName = "Arial";
  label.color = MakeColorRef(0, 0, 255);
  QImage image(160, 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TextLabelPlacement placement;
    placement.target = TextLabelTarget::RasterExport;
    placement.kx = placement.ky = 30.0;
    placement.cornerX = placement.cornerY = 1.0;
    DrawTextLabels(painter, &model, placement);
  }
  // Baseline at y 60, text to the right of x 60, blue; nothing elsewhere.
  int blue = 0, misplaced = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 160; ++x) {
      const QRgb c = image.pixel(x, y);
      if (qBlue(c) > 200 && qRed(c) < 100) (x >= 59 && y <= 61 && y >= 35 ? blue : misplaced)++;
    }
  }
  EXPECT_GT(blue, 20);
  EXPECT_EQ(misplaced, 0);
  test::SaveIfFailed(image, "text_labels");
}

}  // namespace
}  // namespace plicora
