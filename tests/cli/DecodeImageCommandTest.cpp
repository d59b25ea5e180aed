#include <gtest/gtest.h>

#include <QImage>

#include "ImageFiles.h"
#include "TestSupport.h"
#include "ViewerProcess.h"

namespace plicora {
namespace {

using test::RunViewer;
using test::ViewerRun;

TEST(DecodeImageCommandTest, WritesTheTextureWithTheTopRowFirst) {
  test::TempDir dir;
  // 100 x 40: top half red, bottom half blue.
  const std::string bmp = test::WriteFile(dir.File("in.bmp"), test::MakeBmp24(100, 40, [](int, int y) {
                                            return y < 20 ? test::Rgb{255, 0, 0} : test::Rgb{0, 0, 255};
                                          }));
  const std::string out = dir.File("out.png");
  ViewerRun run = RunViewer(dir, "--decode-image " + bmp + " " + out + " --limit 1024");
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(out));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 128);
  EXPECT_EQ(image.height(), 128);
  EXPECT_EQ(image.pixel(5, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(5, 127), qRgb(0, 0, 255));

  // Without --limit a batch run knows only the default maximum of 64.
  run = RunViewer(dir, "--decode-image " + bmp + " " + out);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(QImage(QString::fromStdString(out)).width(), 64);
}

TEST(DecodeImageCommandTest, FailurePrintsBothMessages) {
  test::TempDir dir;
  const std::string bad =
      test::WriteFile(dir.File("bad.bmp"), std::string("BM") + std::string(12, '\0') + "\x6C" + std::string(200, '\0'));
  ViewerRun run = RunViewer(dir, "--decode-image " + bad + " " + dir.File("out.png"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unknown DIB file format.\nFailed to load texture image\n");

  run = RunViewer(dir, "--decode-image " + dir.File("none.JPEG") + " " + dir.File("out.png"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "JPEG :\nCan't open " + dir.File("none.JPEG") + "\nFailed to load texture image\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
}

}  // namespace
}  // namespace plicora
