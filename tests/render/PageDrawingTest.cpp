// Page marks on a printed sheet and in the pane: where the caption lands,
// where the alignment crosses are (and that a single page has none), and
// which pages get a verification number.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/ExportFixture.h"
#include "render/development/PageDrawing.h"
#include "render/development/PrintPage.h"

namespace plicora {
namespace {

constexpr double kDpi = 100.0;
constexpr double kPxPerCm = kDpi * 0.39370078740157477;

// An A4 sheet at 100 dpi, white, with a device whose printable corner lies
// at the physical offsets.
QImage BlankSheet() {
  QImage image(static_cast<int>(21.0 * kPxPerCm), static_cast<int>(29.7 * kPxPerCm), QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254 + 0.5));
  image.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254 + 0.5));
  return image;
}

PrintDevice SheetDevice(const QImage& image, double offsetX = 0.0, double offsetY = 0.0) {
  PrintDevice device;
  device.dpiX = device.dpiY = kDpi;
  device.offsetX = offsetX;
  device.offsetY = offsetY;
  device.physicalWidth = image.width();
  device.physicalHeight = image.height();
  return device;
}

QRect DarkBox(const QImage& image, const QRect& within) {
  QRect box;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}

// Prints page 1 of a model without parts: only the marks can appear.
QImage PrintMarksOnly(Settings settings, int columns, int rows, double offsetX = 0.0, double offsetY = 0.0) {
  Model model;
  QImage image = BlankSheet();
  PageLayout layout;
  layout.columns = columns;
  layout.rows = rows;
  BuildPageList(&model, settings, layout);
  QPainter painter(&image);
  // The device's origin is its printable corner.
  painter.translate(offsetX, offsetY);
  PrintOnePage(painter, model, settings, layout, 1, SheetDevice(image, offsetX, offsetY));
  return image;
}

TEST(PageDrawing, CaptionIsCentredUnderThePrintableArea) {
  Settings settings;
  settings.bPrintPageNumber = true;
  for (const QPoint offset : {QPoint(0, 0), QPoint(25, 12)}) {
    const QImage image = PrintMarksOnly(settings, 1, 1, offset.x(), offset.y());
    const QRect box = DarkBox(image, image.rect());
    ASSERT_FALSE(box.isEmpty());
    // Top 0.2 cm below the printable area (28.2 cm + 0.2 cm), centred at
    // 10.5 cm, measured from the sheet's corner whatever the offsets.
    const double top = (29.7 - 1.5 + 0.2) * kPxPerCm;
    EXPECT_GE(box.top(), top - 1.0);
    EXPECT_LE(box.top(), top + 0.4 * kPxPerCm);  // a 10 pt line is about 0.35 cm
    EXPECT_NEAR((box.left() + box.right()) / 2.0, 10.5 * kPxPerCm, 3.0);
    EXPECT_GT(box.width(), 4.0 * kPxPerCm);  // "-  page 1 [row 1, column 1]  -"
    EXPECT_LT(box.bottom(), top + 0.5 * kPxPerCm);
  }
}

TEST(PageDrawing, AlignmentMarksOnlyForGridsOfSeveralPages) {
  Settings settings;
  settings.bPrintTombo = true;
  settings.dPageMarginSide = 2.5;
  settings.dPageMarginTop = 2.5;
  const QImage single = PrintMarksOnly(settings, 1, 1);
  EXPECT_TRUE(DarkBox(single, single.rect()).isEmpty()) << "a 1 x 1 grid printed alignment marks";

  const QImage grid = PrintMarksOnly(settings, 2, 1);
  // The cross at the top-left printable corner (2.5, 2.5) cm: arms of 2 cm
  // each way and 5 units thick.
  const int c = static_cast<int>(2.5 * kPxPerCm);
  const QRect arm = DarkBox(grid, QRect(0, c, static_cast<int>(6 * kPxPerCm), 1));
  EXPECT_NEAR(arm.width(), 4.0 * kPxPerCm + 5, 2.0);
  EXPECT_NEAR(arm.center().x(), 2.5 * kPxPerCm, 1.5);
  EXPECT_NEAR(DarkBox(grid, QRect(c / 2, c - 10, 1, 20)).height(), 5, 1);
  const QRect upright = DarkBox(grid, QRect(c, 0, 1, static_cast<int>(6 * kPxPerCm)));
  EXPECT_NEAR(upright.height(), 4.0 * kPxPerCm + 5, 2.0);
  // The crosses at the other corners of this sheet: (W + 2.5, 2.5) and the
  // bottom ones at 2.5 + H.
  const double w = (21.0 - 5.0) * kPxPerCm, h = (29.7 - 5.0) * kPxPerCm;
  EXPECT_LT(qGray(grid.pixel(static_cast<int>(2.5 * kPxPerCm + w), c)), 128);
  EXPECT_LT(qGray(grid.pixel(c, static_cast<int>(2.5 * kPxPerCm + h))), 128);
  // Nothing between the corners.
  EXPECT_EQ(qGray(grid.pixel(static_cast<int>(10 * kPxPerCm), static_cast<int>(12 * kPxPerCm))), 255);
}

TEST(PageDrawing, VerificationNumbersFollowThePageList) {
  test::SquareDevelopment square;
  Settings& settings = square.settings;
  const SheetArea area = MakeSheetArea(settings, 2, 1);
  DevelopmentView view;
  view.clientWidth = 800;
  view.clientHeight = 600;
  view.viewFit = FitViewScale(800, 600, area);
  const double w = PrintableWidth(settings), h = PrintableHeight(settings);
  const Point2 centre1 = MapDevelopmentPoint(view, area, 1.0, {0.5 * w, 0.5 * h});
  const Point2 centre2 = MapDevelopmentPoint(view, area, 1.0, {1.5 * w, 0.5 * h});

  auto draw = [&](bool omit, int& blue1, int& blue2, int& white1) {
    settings.bPrintOmitPage = omit;
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    PageLayout layout;
    layout.columns = 2;
    layout.rows = 1;
    {
      QPainter painter(&image);
      DrawVerificationPageNumbers(painter, &square.model(), settings, layout, view, area, 96.0);
    }
    blue1 = blue2 = white1 = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const QRgb p = image.pixel(x, y);
        const bool blue = qBlue(p) > 200 && qRed(p) < 100;
        const bool near1 = std::abs(x - centre1.x) < 40 && std::abs(y - centre1.y) < 30;
        const bool near2 = std::abs(x - centre2.x) < 40 && std::abs(y - centre2.y) < 30;
        if (blue && near1) ++blue1;
        if (blue && near2) ++blue2;
        if (p == qRgb(255, 255, 255) && near1) ++white1;
      }
    }
    return layout.pages.size();
  };
  int blue1, blue2, white1;
  EXPECT_EQ(draw(true, blue1, blue2, white1), 1u);
  EXPECT_GT(blue1, 10);
  EXPECT_EQ(blue2, 0) << "an empty page got a number with bPrintOmitPage on";
  EXPECT_GT(white1, 10) << "the number has no opaque background";
  EXPECT_EQ(draw(false, blue1, blue2, white1), 2u);
  EXPECT_GT(blue1, 10);
  EXPECT_GT(blue2, 10);
}

}  // namespace
}  // namespace plicora
