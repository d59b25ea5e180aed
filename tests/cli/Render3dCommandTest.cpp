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

/// The bounding box of every pixel that is not the white background.
QRect InkBounds(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
  return box;
}

// The open square spans (0, 0) to (1, 1) in the plane z = 0; after Reset View
// in a 200 x 150 picture it is a 47-pixel outlined square whose middle is
// near pixel (127, 48).
TEST(Render3dCommandTest, RendersTheResetViewThenTheTurnsInOrder) {
  test::TempDir dir;
  const std::string square = test::FixturePath("open_square.plc");
  const std::string out = dir.File("out.png");
  RenderRun run = Render(dir, out + " " + square);
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(out));
  EXPECT_EQ(image.size(), QSize(800, 600));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

  const struct {
    const char* turns;
    QPoint middle;  // of the drawn box
    QSize size;     // of the drawn box, within two pixels
    QRgb atMiddle;
  } cases[] = {
      // The lit front of the default material: white inside its black outline.
      {"", {127, 48}, {47, 47}, qRgb(255, 255, 255)},
      // Half a turn about the vertical axis: the grey back side, mirrored.
      {"--rotate y:180", {200 - 127, 48}, {47, 47}, qRgb(178, 178, 178)},
      // A quarter turn about x leaves the square edge-on, a level line below
      // the middle; a further quarter about y keeps it level...
      {"--rotate x:90 --rotate y:90", {126, 75}, {46, 1}, qRgb(0, 0, 0)},
      // ...while the same turns the other way round leave it upright.
      {"--rotate y:90 --rotate x:90", {99, 42}, {1, 57}, qRgb(0, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.turns);
    run = Render(dir, out + " " + square + " --size 200x150 " + c.turns);
    ASSERT_EQ(run.status, 0) << run.err;
    image.load(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(200, 150));
    const QRect box = InkBounds(image);
    EXPECT_NEAR(box.center().x(), c.middle.x(), 2);
    EXPECT_NEAR(box.center().y(), c.middle.y(), 2);
    EXPECT_NEAR(box.width(), c.size.width(), 2);
    EXPECT_NEAR(box.height(), c.size.height(), 2);
    EXPECT_EQ(image.pixel(box.center()), c.atMiddle);
    EXPECT_EQ(qGray(image.pixel(box.left(), box.center().y())), 0);  // outline
  }
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
