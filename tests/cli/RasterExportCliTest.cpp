#include <gtest/gtest.h>

#include <QImage>

#include "TestSupport.h"
#include "ViewerProcess.h"
#include "cli/BatchDocument.h"
#include "render/export/DevelopmentPicture.h"

namespace plicora {
namespace {

using test::ViewerRun;

ViewerRun Viewer(const test::TempDir& dir, const std::string& args) {
  return test::RunViewer(dir, args + " --no-profile");
}

std::uint32_t Le32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}

/// The size the bitmap size dialog proposes for `file` with the built-in settings.
BitmapSize ProposedSize(const std::string& file) {
  CommandLineOptions options;
  options.inputPath = file;
  options.noProfile = true;
  BatchDocument document;
  if (OpenBatchDocument(options, document) != kExitOk) return {};
  return ProposeBitmapSize(DevelopmentBitmapExtent(*document.model, CurrentSettings()), kMaxFileBitmapEdge);
}

TEST(RasterExportCli, BmpAtTheProposedSizeAndPngOfTheSamePicture) {
  test::TempDir dir;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = Viewer(dir, "--export " + dir.File("cube.bmp") + " " + cube);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string bmp = test::ReadFile(dir.File("cube.bmp"));
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  const int width = static_cast<int>(Le32(bmp, 18)), height = static_cast<int>(Le32(bmp, 22));
  const BitmapSize proposed = ProposedSize(cube);
  EXPECT_GT(proposed.width, 10);
  EXPECT_EQ(width, proposed.width);
  EXPECT_EQ(height, proposed.height);
  EXPECT_EQ(bmp.size(), 54u + static_cast<std::size_t>(((width * 3 + 3) & ~3) * height));

  run = Viewer(dir, "--export " + dir.File("cube.PNG") + " " + cube);
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage png(QString::fromStdString(dir.File("cube.PNG")));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.width(), width);
  EXPECT_EQ(png.height(), height);
  const QImage fromBmp(QString::fromStdString(dir.File("cube.bmp")), "BMP");
  ASSERT_FALSE(fromBmp.isNull());
  // The same picture, pixel for pixel.
  int differing = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) differing += (png.pixel(x, y) & 0xFFFFFF) != (fromBmp.pixel(x, y) & 0xFFFFFF);
  }
  EXPECT_EQ(differing, 0);
  // White background around, something drawn inside.
  EXPECT_EQ(png.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  int dark = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) dark += qGray(png.pixel(x, y)) < 64;
  }
  EXPECT_GT(dark, width);
}

// The paper width (metres) a whole-development picture of `file` stands for.
double PictureWidthMetres(const std::string& file) {
  CommandLineOptions options;
  options.inputPath = file;
  options.noProfile = true;
  BatchDocument document;
  if (OpenBatchDocument(options, document) != kExitOk) return 0.0;
  const BitmapExtent extent = DevelopmentBitmapExtent(*document.model, CurrentSettings());
  return extent.devWidth * extent.devScale / 100.0;
}

// A PNG carries the resolution it is drawn at, so that a program placing it
// shows it at true size: its pixels over the paper width it stands for, for
// the proposed size (72 pixels per inch) and for a size of the user's.
TEST(RasterExportCli, PngResolutionIsThePicturesTrueScale) {
  test::TempDir dir;
  const std::string square = test::FixturePath("open_square.plc");
  const double metres = PictureWidthMetres(square);
  ASSERT_GT(metres, 0.1);
  for (const char* size : {"", " --size 1000x1000", " --size 120x90"}) {
    ASSERT_EQ(Viewer(dir, "--export " + dir.File("square.png") + " " + square + size).status, 0) << size;
    const QImage png(QString::fromStdString(dir.File("square.png")));
    ASSERT_FALSE(png.isNull()) << size;
    const double truePerMetre = png.width() / metres;
    EXPECT_NEAR(png.dotsPerMeterX(), truePerMetre, 1.0) << size;
    EXPECT_EQ(png.dotsPerMeterY(), png.dotsPerMeterX()) << size;
  }
}

TEST(RasterExportCli, ExplicitSizesAndTheirLimits) {
  test::TempDir dir;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = Viewer(dir, "--export " + dir.File("a.bmp") + " " + cube + " --size 101x50");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::ReadFile(dir.File("a.bmp")).size(), 54u + 304u * 50u);

  for (const char* size : {"0x10", "10x4097", "4097x10"}) {
    run = Viewer(dir, "--export " + dir.File("b.bmp") + " " + cube + " --size " + size);
    EXPECT_EQ(run.status, 2) << size;
    EXPECT_NE(run.err.find("Specify a value of 1 - 4096 for vertical and horizontal pixel number"), std::string::npos)
        << run.err;
  }
  run = Viewer(dir, "--export /nonexistent-dir/c.bmp " + cube);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("write error\n/nonexistent-dir/c.bmp: No such file or directory\nFailed to create BMP"),
            std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// The longest run of ink along the picture's left edge (or top edge), in
// its three outermost columns (rows): a flap's outer side lying there.
int LongestEdgeRun(const QImage& image, bool top) {
  int longest = 0;
  for (int k = 0; k < 3; ++k) {
    int run = 0;
    const int length = top ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
      const bool ink = qGray(top ? image.pixel(i, k) : image.pixel(k, i)) < 128;
      run = ink ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

// The cube's flaps stick out of its parts' rectangles: the picture exports
// frame the extent grown by the widest flap, so the outer sides of the
// flaps on the left and at the top lie whole inside the picture, the
// proposed size follows the grown extent, and without flaps drawn the
// picture is the parts' extent again.
TEST(RasterExportCli, EveryFlapLiesInsideThePicture) {
  test::TempDir dir;
  const std::string cube = test::FixturePath("cube.plc");
  for (const char* name : {"cube.png", "cube.bmp"}) {
    ASSERT_EQ(Viewer(dir, std::string("--export ") + dir.File(name) + " " + cube).status, 0) << name;
    const QImage picture(QString::fromStdString(dir.File(name)));
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(LongestEdgeRun(picture, false), 40) << name;
    EXPECT_GT(LongestEdgeRun(picture, true), 40) << name;
  }
  const QImage flaps(QString::fromStdString(dir.File("cube.png")));
  ASSERT_EQ(Viewer(dir, "--set bDrawFlap=0 --export " + dir.File("plain.png") + " " + cube).status, 0);
  const QImage plain(QString::fromStdString(dir.File("plain.png")));
  // Grown on both sides by the same flap width (within a pixel of rounding).
  EXPECT_GT(flaps.width(), plain.width() + 4);
  EXPECT_NEAR(flaps.width() - plain.width(), flaps.height() - plain.height(), 1);

  // The SVG's size in millimetres grows by the same amount.
  ASSERT_EQ(Viewer(dir, "--export " + dir.File("cube.svg") + " " + cube).status, 0);
  ASSERT_EQ(Viewer(dir, "--set bDrawFlap=0 --export " + dir.File("plain.svg") + " " + cube).status, 0);
  const auto widthMm = [&](const std::string& file) {
    const std::string svg = test::ReadFile(dir.File(file));
    const std::size_t at = svg.find("width=\"");
    return at == std::string::npos ? 0.0 : std::stod(svg.substr(at + 7));
  };
  const double grownPx = (flaps.width() - plain.width()) * 25.4 / 72.0;  // the bitmap's 72 pixels per inch
  EXPECT_NEAR(widthMm("cube.svg") - widthMm("plain.svg"), grownPx, 0.5);
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// Pixels darker than mid-grey along one border column or row.
int InkAlong(const QImage& image, bool column, int at) {
  int ink = 0;
  const int length = column ? image.height() : image.width();
  for (int i = 0; i < length; ++i) ink += qGray(column ? image.pixel(at, i) : image.pixel(i, at)) < 128;
  return ink;
}

// Without flaps the cut lines run along the picture's edges: each border
// column and row holds its stroke (a square's side from corner to corner),
// at the proposed size and at a size of the user's.
TEST(RasterExportCli, BorderStrokesLieInsideTheFlaplessPicture) {
  test::TempDir dir;
  for (const char* fixture : {"open_square.plc", "coplanar_triangles.plc", "split_quad_hidden_diagonal.plc"}) {
    for (const char* output : {"out.png", "out.bmp", "big.png"}) {
      const std::string size = output[0] == 'b' ? " --size 1500x1500" : "";
      ASSERT_EQ(Viewer(dir, "--export " + dir.File(output) + " " + test::FixturePath(fixture) + size).status, 0);
      const QImage picture(QString::fromStdString(dir.File(output)));
      ASSERT_FALSE(picture.isNull());
      const int w = picture.width(), h = picture.height();
      const std::string where = std::string(fixture) + " " + output;
      EXPECT_GE(InkAlong(picture, true, 0), h - 4) << where << " left";
      EXPECT_GE(InkAlong(picture, true, w - 1), h - 4) << where << " right";
      EXPECT_GE(InkAlong(picture, false, 0), w - 4) << where << " top";
      EXPECT_GE(InkAlong(picture, false, h - 1), w - 4) << where << " bottom";
    }
  }
}

}  // namespace
}  // namespace plicora
