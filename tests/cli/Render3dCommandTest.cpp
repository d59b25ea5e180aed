#include <gtest/gtest.h>

#include <QImage>

#include "TestSupport.h"
#include "ViewerProcess.h"

namespace plicora {
namespace {

using RenderRun = test::ViewerRun;

RenderRun Render(const test::TempDir& dir, const std::string& args) {
  return test::RunViewer(dir, "--render-3d " + args);
}

// The open square spans (0, 0) to (1, 1) in the plane z = 0; after Reset View
// in a 200 x 150 picture its middle is near pixel (127, 48).
TEST(Render3dCommandTest, RendersTheResetViewThenTheTurnsInOrder) {
  test::TempDir dir;
  const std::string square = test::FixturePath("open_square.plc");
  const std::string out = dir.File("out.png");
  RenderRun run = Render(dir, out + " " + square);
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.size(), QSize(800, 600));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

  run = Render(dir, out + " " + square + " --size 200x150");
  ASSERT_EQ(run.status, 0) << run.err;
  image.load(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(200, 150));
  EXPECT_EQ(image.pixel(127, 48), qRgb(255, 255, 255));  // lit front of the default material

  // Half a turn about the vertical axis: the grey back side, mirrored.
  run = Render(dir, out + " " + square + " --size 200x150 --rotate y:180");
  ASSERT_EQ(run.status, 0) << run.err;
  image.load(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(200 - 127, 48), qRgb(178, 178, 178));
  EXPECT_EQ(image.pixel(127, 48), qRgb(255, 255, 255));

  // A quarter turn about x leaves the square edge-on: its middle is empty;
  // a further quarter about y does not bring it back.
  run = Render(dir, out + " " + square + " --size 200x150 --rotate x:90 --rotate y:90");
  ASSERT_EQ(run.status, 0) << run.err;
  image.load(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(127, 48), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(73, 48), qRgb(255, 255, 255));
}

TEST(Render3dCommandTest, ZoomMovesTheModelAwayWithinTheLimits) {
  test::TempDir dir;
  const std::string out = dir.File("far.png");
  const std::string square = test::FixturePath("open_square.plc");
  ASSERT_EQ(Render(dir, out + " " + square + " --size 200x150 --rotate y:180 --zoom 30").status, 0);
  QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(200 - 127, 48), qRgb(255, 255, 255));  // the square shrank towards the centre
  EXPECT_EQ(image.pixel(97, 73), qRgb(178, 178, 178));
  // Farther than the farthest distance draws the same picture.
  const std::string beyond = dir.File("beyond.png");
  ASSERT_EQ(Render(dir, beyond + " " + square + " --size 200x150 --rotate y:180 --zoom 500").status, 0);
  EXPECT_TRUE(QImage(QString::fromStdString(beyond)) == image);
}

TEST(Render3dCommandTest, SettingsFromTheCommandLineReachThePicture) {
  test::TempDir dir;
  const std::string out = dir.File("set.png");
  const std::string square = test::FixturePath("open_square.plc");
  // Background colour 7 (red in the low byte) and back sides culled.
  RenderRun run = Render(
      dir, out + " " + square + " --no-profile --size 200x150 --rotate y:180 --set color7=255 --set bCullFace=1");
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(200 - 127, 48), qRgb(255, 0, 0));
  // Without the cut-point emphasis the outline is a thick line of colour 3.
  run = Render(dir, out + " " + square + " --no-profile --size 200x150 --set bEnhanceCutEdgeOpen=0 --set color3=65280");
  ASSERT_EQ(run.status, 0) << run.err;
  image.load(QString::fromStdString(out));
  for (int x = 98; x <= 101; ++x) EXPECT_EQ(image.pixel(x, 48), qRgb(0, 255, 0)) << x;  // the side at x = 0
  EXPECT_EQ(image.pixel(103, 48), qRgb(255, 255, 255));
}

// The profile and --set are read after the pane's context exists; the
// texture filter must still follow them.
TEST(Render3dCommandTest, SmoothTextureSwitchChoosesTheFilter) {
  test::TempDir dir;
  const std::string model = test::FixturePath("icosahedron_textured.plc");
  const std::string smooth = dir.File("smooth.png"), nearest = dir.File("nearest.png");
  ASSERT_EQ(Render(dir, smooth + " " + model + " --size 200x150 --set bTextureSmooth=1").status, 0);
  ASSERT_EQ(Render(dir, nearest + " " + model + " --size 200x150 --set bTextureSmooth=0").status, 0);
  EXPECT_FALSE(QImage(QString::fromStdString(smooth)) == QImage(QString::fromStdString(nearest)));
}

TEST(Render3dCommandTest, FailuresAreReported) {
  test::TempDir dir;
  RenderRun run = Render(dir, dir.File("out.png") + " " + dir.File("missing.plc"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot open file"), std::string::npos);
  run = Render(dir, dir.path() + "/no/such/dir/out.png " + test::FixturePath("cube.plc"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot write"), std::string::npos);
}

}  // namespace
}  // namespace plicora
