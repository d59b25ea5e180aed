// The commands the desktop integration runs: --thumbnail (file managers) and
// --data-paths (the build tree is a portable folder).

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <sstream>

#include "TestSupport.h"
#include "ViewerProcess.h"
#include "core/model/Model.h"

namespace plicora {
namespace {

using test::ViewerRun;

// The cube fixture with its corners scaled by `scale` and moved by `offset`.
std::string WriteMovedCube(const test::TempDir& dir, const std::string& name, const Point3& scale,
                           const Point3& offset) {
  std::istringstream in(test::ReadFile(test::FixturePath("cube.plc")));
  std::ostringstream out;
  out.precision(17);
  std::string line;
  int cornersLeft = 0;
  while (std::getline(in, line)) {
    if (cornersLeft > 0) {
      double x, y, z;
      std::istringstream(line) >> x >> y >> z;
      out << x * scale.x + offset.x << ' ' << y * scale.y + offset.y << ' ' << z * scale.z + offset.z << '\n';
      --cornersLeft;
      continue;
    }
    if (line == "vertices 8") cornersLeft = 8;
    out << line << '\n';
  }
  return test::WriteFile(dir.File(name), out.str());
}

struct Coverage {
  int left, top, right, bottom;  // bounding box of the opaque pixels
  bool cornersClear;
};

Coverage Measure(const QImage& image) {
  Coverage c{image.width(), image.height(), -1, -1, true};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) {
        c.left = std::min(c.left, x), c.right = std::max(c.right, x);
        c.top = std::min(c.top, y), c.bottom = std::max(c.bottom, y);
      }
  const int w = image.width() - 1, h = image.height() - 1;
  for (const QPoint p : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
    c.cornersClear = c.cornersClear && qAlpha(image.pixel(p)) == 0;
  return c;
}

TEST(ThumbnailCommandTest, WholeModelFillsTheSquareOnTransparency) {
  test::TempDir dir;
  const struct {
    std::string file;
    int size;
  } cases[] = {
      {test::FixturePath("cube.plc"), 64},
      {test::FixturePath("open_square.plc"), 100},  // flat, seen at a slant
      {test::FixturePath("icosahedron_textured.plc"), 128},
      // Far from the origin and large: the pane's own camera would sit inside it.
      {WriteMovedCube(dir, "far_large.plc", {4000, 1000, 1000}, {90000, 0, -5000}), 96},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string out = dir.File("thumb.png");
    const ViewerRun run = test::RunViewer(dir, "--thumbnail " + std::to_string(c.size) + " " + c.file + " " + out);
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(c.size, c.size));
    EXPECT_TRUE(image.hasAlphaChannel());
    const Coverage cover = Measure(image);
    EXPECT_TRUE(cover.cornersClear);
    EXPECT_EQ(qAlpha(image.pixel(c.size / 2, c.size / 2)), 255);
    // Inside the picture, and filling it along its longer side.
    EXPECT_GT(cover.left, 0);
    EXPECT_GT(cover.top, 0);
    EXPECT_LT(cover.right, c.size - 1);
    EXPECT_LT(cover.bottom, c.size - 1);
    const int extent = std::max(cover.right - cover.left, cover.bottom - cover.top) + 1;
    EXPECT_GE(extent, c.size * 85 / 100);
    // Centred: the margins on either side differ by a few pixels at most.
    EXPECT_LE(std::abs(cover.left - (c.size - 1 - cover.right)), c.size / 10);
  }
}

// Textures are read at the rendering context's limit, not at the 64 x 64
// known before any context exists: limiting them to 64 changes the picture.
TEST(ThumbnailCommandTest, TexturesKeepTheirDetail) {
  test::TempDir dir;
  const std::string cow = test::FixturePath("spot_textured_uv.plc");
  const std::string limited =
      test::WriteFile(dir.File("limited.ini"), "[Settings]\nbLimitTextureSize=1\niTextureLimitSizeIndex=0\n");
  ASSERT_EQ(test::RunViewer(dir, "--thumbnail 256 " + cow + " " + dir.File("full.png")).status, 0);
  ASSERT_EQ(
      test::RunViewer(dir, "--thumbnail 256 " + cow + " " + dir.File("limited.png") + " --profile " + limited).status,
      0);
  EXPECT_FALSE(QImage(QString::fromStdString(dir.File("full.png"))) ==
               QImage(QString::fromStdString(dir.File("limited.png"))));
}

// Unreadable, refused, missing or empty (nothing to draw) files, and wrong
// arguments.
TEST(ThumbnailCommandTest, NoPictureForFilesItCannotShow) {
  test::TempDir dir;
  const std::string out = dir.File("none.png");
  const struct {
    std::string args;
    int status;
  } cases[] = {
      {"--thumbnail 64 " + test::FixturePath("damaged/truncated_after_cnt_faces.plc") + " " + out, 1},
      {"--thumbnail 64 " + test::FixturePath("version3_refused.plc") + " " + out, 1},
      {"--thumbnail 64 " + dir.File("missing.plc") + " " + out, 1},
      {"--thumbnail 64 " + WriteMovedCube(dir, "overflowing.plc", {1e308, 1e308, 1}, {}) + " " + out, 1},
      {"--thumbnail 0 " + test::FixturePath("cube.plc") + " " + out, 2},
      {"--thumbnail 64x64 " + test::FixturePath("cube.plc") + " " + out, 2},
      {"--thumbnail 64 " + test::FixturePath("cube.plc"), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    EXPECT_EQ(test::RunViewer(dir, c.args).status, c.status);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST(DataPathsCommandTest, BuildTreeIsAPortableFolder) {
  test::TempDir dir;
  const ViewerRun run = test::RunViewer(dir, "--data-paths");
  EXPECT_EQ(run.status, 0) << run.out;
  const std::string folder = std::filesystem::path(PLICORA_VIEWER_EXE).parent_path().string();
  EXPECT_EQ(run.out, "help: " + folder + "/help/index.html\nsamples: " + folder + "/Sample\npick sound: " + folder +
                         "/sound/pick.wav\n");
  EXPECT_TRUE(std::filesystem::exists(folder + "/Sample/cube_labels.plc"));
}

}  // namespace
}  // namespace plicora
