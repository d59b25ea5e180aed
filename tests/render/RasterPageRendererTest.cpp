#include <gtest/gtest.h>

#include <QPainter>

#include "DevelopmentFixture.h"
#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/export/BmpWriter.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/development/RasterPageRenderer.h"
#include "render/export/RasterPageBmp.h"

namespace plicora {
namespace {

// One unit square at (1, 1), devScale 1; at 20 pixels per centimetre the
// development's corner lands on pixel (0, 0) and the face covers 0..20.
class RasterPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.devScale = 1.0;
    part_ = &test::AddSquareStrip(model_, 1, 1.0, 1.0);
    ComputeDevelopmentBounds(model_);
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
  }

  Model model_;
  Settings settings_;
  Part* part_ = nullptr;
  CollectingMessageSink messages_;
  std::unique_ptr<ScopedMessageSink> sink_;
};

TEST_F(RasterPageTest, BmpFileOfTheDevelopment) {
  test::TempDir dir;
  RasterPageRequest r;
  r.width = 101;
  r.height = 30;
  r.pixelsPerCm = 20.0;
  const std::string path = dir.File("dev.bmp");
  part_->faces[0]->marked = true;
  bool cancelled = false;
  r.cancelPaneMode = [&] { cancelled = true; };  // the mark is cleared before
  ASSERT_TRUE(WriteRasterPageBmp(model_, settings_, r, path));
  EXPECT_TRUE(cancelled);
  const std::string f = test::ReadFile(path);
  ASSERT_EQ(f.size(), 54u + 304u * 30u);
  EXPECT_EQ(f.substr(0, 2), "BM");
  // Row 29 from the bottom is the top row; pixel (10, 10) of the picture is
  // inside the face, pixel (60, 10) is white background.
  auto at = [&](int x, int yTop) { return 54 + (29 - yTop) * 304 + x * 3; };
  const auto fill = MaterialFillColor(model_.defaultMaterial);
  EXPECT_EQ(static_cast<std::uint8_t>(f[at(10, 10) + 2]), fill[0]);
  EXPECT_EQ(static_cast<std::uint8_t>(f[at(10, 10) + 0]), fill[2]);
  EXPECT_EQ(static_cast<std::uint8_t>(f[at(60, 10) + 0]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(f[at(60, 10) + 1]), 255);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RasterPageTest, WhitishPixelsBecomeWhiteAbove251Only) {
  // Face colours (252, 252, 252) and (251, 255, 255).
  Material& a = model_.materials.emplace_back();
  a.devColor = {252.5f / 255.f, 252.5f / 255.f, 252.5f / 255.f};
  Material& b = model_.materials.emplace_back();
  b.devColor = {251.5f / 255.f, 1.0f, 1.0f};
  test::AddSquareStrip(model_, 1, 2.0, 1.0);
  part_->faces[0]->materialIndex = 0;
  model_.parts[1].faces[0]->materialIndex = 1;
  ComputeDevelopmentBounds(model_);
  QImage image;
  settings_.bSlideColorToWhite = true;
  ASSERT_TRUE(RenderDevelopmentImage(model_, settings_, 40, 20, 20.0, nullptr, image));
  EXPECT_TRUE(test::SameRgb(image.pixel(10, 10), 255, 255, 255));
  EXPECT_TRUE(test::SameRgb(image.pixel(30, 10), 251, 255, 255));
  // The BMP file goes the same way.
  test::TempDir dir;
  RasterPageRequest r;
  r.width = 40;
  r.height = 20;
  r.pixelsPerCm = 20.0;
  const std::string path = dir.File("w.bmp");
  ASSERT_TRUE(WriteRasterPageBmp(model_, settings_, r, path));
  std::string f = test::ReadFile(path);
  ASSERT_EQ(f.size(), 54u + 120u * 20u);
  EXPECT_EQ(f.substr(54 + 120 * 9 + 30, 3), "\xFF\xFF\xFF");
  EXPECT_EQ(f.substr(54 + 120 * 9 + 90, 3), "\xFF\xFF\xFB");  // B G R of (251, 255, 255)
  settings_.bSlideColorToWhite = false;
  ASSERT_TRUE(WriteRasterPageBmp(model_, settings_, r, path));
  f = test::ReadFile(path);
  EXPECT_EQ(f.substr(54 + 120 * 9 + 30, 3), "\xFC\xFC\xFC");
  ASSERT_TRUE(RenderDevelopmentImage(model_, settings_, 40, 20, 20.0, nullptr, image));
  EXPECT_TRUE(test::SameRgb(image.pixel(10, 10), 252, 252, 252));
  test::SaveIfFailed(image, "whitening");
}

// The kept arrays hold the development itself, not one placement of it:
// pictures at other scales and of other page tiles drawn from them are the
// pictures built afresh.
TEST_F(RasterPageTest, KeptArraysServeEveryScaleAndTile) {
  test::AddSquareStrip(model_, 3, 2.5, 1.5);
  ComputeDevelopmentBounds(model_);
  settings_.paperWidth = 4.0;  // page tiles 3 cm wide: the strip crosses into the second
  settings_.dPageMarginSide = 0.5;
  RasterGeometryCache kept;
  for (const auto& [pixelsPerCm, column] : {std::pair{20.0, 0}, std::pair{37.0, 0}, std::pair{37.0, 1}}) {
    RasterPageRequest r;
    r.width = 60;
    r.height = 100;
    r.pixelsPerCm = pixelsPerCm;
    r.pageTile = column > 0;
    r.pageColumn = column;
    QImage fresh, fromKept;
    ASSERT_TRUE(RenderRasterPageImage(model_, settings_, r, fresh));
    r.geometry = &kept;
    ASSERT_TRUE(RenderRasterPageImage(model_, settings_, r, fromKept));
    EXPECT_EQ(fromKept, fresh) << pixelsPerCm << " pixels/cm, column " << column;
    bool drawn = false;  // the tile shows part of the strip, not just paper
    for (int y = 0; y < fresh.height() && !drawn; ++y)
      for (int x = 0; x < fresh.width() && !drawn; ++x) drawn = fresh.pixel(x, y) != fresh.pixel(0, 0);
    EXPECT_TRUE(drawn) << pixelsPerCm << " pixels/cm, column " << column;
  }
}

TEST_F(RasterPageTest, FailuresAreReported) {
  RasterPageRequest r;
  r.width = 0;
  r.height = 10;
  r.pixelsPerCm = 20.0;
  const std::string path = "/nonexistent-dir/x.bmp";
  EXPECT_FALSE(WriteRasterPageBmp(model_, settings_, r, path));
  r.width = 10;
  EXPECT_FALSE(WriteRasterPageBmp(model_, settings_, r, path));
  QPainter inactive;
  EXPECT_FALSE(DrawRasterPage(model_, settings_, r, inactive, QRectF(0, 0, 10, 10)));
  EXPECT_EQ(messages_.messages,
            (std::vector<std::string>{"CreateDIBSection Error",
                                      "write error\n/nonexistent-dir/x.bmp: No such file or directory",
                                      "CompatibleDC Error"}));
}

TEST_F(RasterPageTest, StretchedOntoAPainterAndTextureLayerPlacement) {
  settings_.printPpi = 100;
  // Print page (0, 0) of A4 with 1.5 cm margins at 100 dpi: the face is at
  // 1..2 cm from the printable corner.
  const RasterPageRequest print = MakePrintRasterRequest(settings_, 0, 0, 100.0, 100.0, true, RasterMode::Everything);
  const QRectF destination = PrintRasterDestination(settings_, 100.0, 100.0);
  EXPECT_EQ(print.width, static_cast<int>(100 * 18.0 * kInchPerCm));
  EXPECT_NEAR(destination.left(), 1.5 * 100 * kInchPerCm, 1e-9);
  QImage page(827, 1169, QImage::Format_RGB32);
  page.fill(Qt::gray);
  {
    QPainter painter(&page);
    ASSERT_TRUE(DrawRasterPage(model_, settings_, print, painter, destination));
  }
  const int faceX = static_cast<int>((1.5 + 1.5) * 100 * kInchPerCm);  // inside the face
  const auto fill = MaterialFillColor(model_.defaultMaterial);
  EXPECT_TRUE(test::SameRgb(page.pixel(faceX, faceX), fill[0], fill[1], fill[2], 1));
  EXPECT_TRUE(test::IsWhite(page.pixel(400, 600)));                   // printable area, white
  EXPECT_TRUE(test::SameRgb(page.pixel(10, 10), 160, 160, 164, 40));  // margin untouched

  // Texture layer: only the textured face's box is rasterised and placed.
  Material& m = model_.materials.emplace_back();
  m.hasTexture = true;
  m.image = std::make_unique<TextureImage>();
  m.image->width = 1;
  m.image->height = 1;
  m.image->pixels = {0, 200, 0};
  part_->faces[0]->materialIndex = 0;
  page.fill(Qt::gray);
  {
    QPainter painter(&page);
    const RasterPageRequest r = MakePrintRasterRequest(settings_, 0, 0, 100.0, 100.0, true, RasterMode::TexturedFaces);
    ASSERT_TRUE(DrawRasterPage(model_, settings_, r, painter, destination));
  }
  EXPECT_TRUE(test::SameRgb(page.pixel(faceX, faceX), 0, 200, 0, 2));
  EXPECT_FALSE(test::IsWhite(page.pixel(400, 600)));  // outside the layer: untouched
  test::SaveIfFailed(page, "texture_layer");
}

}  // namespace
}  // namespace plicora
