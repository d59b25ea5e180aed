#include <gtest/gtest.h>

#include "core/export/BitmapSizeProposal.h"

namespace plicora {
namespace {

TEST(BitmapSizeProposal, ProposalsAtFullScaleAndReduced) {
  const BitmapExtent small{10.0, 5.0, 1.0};
  BitmapSize s = ProposeBitmapSize(small, 4096);
  EXPECT_EQ(small.Reference(), 283);
  EXPECT_EQ(s.width, 283);
  EXPECT_EQ(s.height, 141);
  EXPECT_EQ(s.scale, 100);

  const BitmapExtent wide{200.0, 50.0, 1.0};
  s = ProposeBitmapSize(wide, 1024);
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 256);
  EXPECT_EQ(s.scale, 18);

  // A tall development is limited by its height.
  const BitmapExtent tall{50.0, 200.0, 1.0};
  s = ProposeBitmapSize(tall, 1024);
  EXPECT_EQ(s.width, 256);
  EXPECT_EQ(s.height, 1024);
  EXPECT_EQ(s.scale, 18);  // trunc(256 * 100 / 1417 + 0.5)
}

TEST(BitmapSizeProposal, EmptyDevelopmentGivesASizeThatIsRefused) {
  const BitmapSize s = ProposeBitmapSize(BitmapExtent{0.0, 0.0, 1.0}, 4096);
  EXPECT_EQ(CheckBitmapSize(s.width, s.height, 4096), BitmapSizeCheck::OutOfRange);
}

TEST(BitmapSizeProposal, EditingOneBoxRecomputesTheOthers) {
  const BitmapExtent e{10.0, 5.0, 1.0};
  const BitmapSize start = ProposeBitmapSize(e, 4096);
  BitmapSize s = EditBitmapWidth(e, start, 567);
  EXPECT_EQ(s.height, 284);  // trunc(283.5 + 0.5)
  EXPECT_EQ(s.scale, 200);
  s = EditBitmapHeight(e, start, 100);
  EXPECT_EQ(s.width, 200);
  EXPECT_EQ(s.scale, 71);  // trunc(200 / 283 * 100 + 0.5)
  s = EditBitmapScale(e, start, 50.0);
  EXPECT_EQ(s.width, 141);
  EXPECT_EQ(s.height, 71);  // trunc(70.5 + 0.5)
  // A width of 0 leaves height and scale alone; OK then refuses it.
  s = EditBitmapWidth(e, start, 0);
  EXPECT_EQ(s.height, start.height);
  EXPECT_EQ(s.scale, start.scale);
  EXPECT_EQ(CheckBitmapSize(s.width, s.height, 1024), BitmapSizeCheck::OutOfRange);
  EXPECT_EQ(BitmapSizeRangeMessage(1024), "Specify a value of 1 - 1024 for vertical and horizontal pixel number");
}

TEST(BitmapSizeProposal, LargeSizesAskFirst) {
  EXPECT_EQ(CheckBitmapSize(2300, 2300, 4096), BitmapSizeCheck::Accept);
  EXPECT_EQ(CheckBitmapSize(2400, 2400, 4096), BitmapSizeCheck::AskLarge);
  EXPECT_EQ(BitmapMegabytes(2400, 2400), 17);
  EXPECT_EQ(BitmapSizeQuestion(17),
            "The BMP file size will be about 17 MB.\nIt may not be saved correctly in Windows98/ME. Continue?");
  EXPECT_EQ(CheckBitmapSize(4097, 10, 4096), BitmapSizeCheck::OutOfRange);
}

TEST(BitmapSizeProposal, PixelsPerCmFollowsTheChosenWidth) {
  const BitmapExtent e{10.0, 5.0, 1.0};
  EXPECT_NEAR(BitmapPixelsPerCm(e, 283), 283.0 / 283.46456692913387 * 28.346456692913385, 1e-9);
}

}  // namespace
}  // namespace plicora
