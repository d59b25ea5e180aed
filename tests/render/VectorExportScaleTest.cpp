// True scale of the vector exports: a side of 10 cm in the development
// (10 units at 1 cm per unit) measures 10 cm in the PDF page, the SVG
// drawing and the metafile, within 0.1 %.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdio>

#include "EmfTestReader.h"
#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "render/ExportFixture.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/SvgExport.h"

namespace plicora {
namespace {

// Saves the image beside the build when a measurement fails.
void KeepOnFailure(const QImage& image, const char* name) {
  if (::testing::Test::HasFailure()) image.save(QString::fromLatin1(name));
}

TEST(VectorExportScale, PdfSideOfTenCentimetresMeasuresTenCentimetres) {
  test::SquareDevelopment square;
  test::TempDir dir;
  const std::string path = dir.File("square.pdf");
  ASSERT_TRUE(ExportPdf(square.model(), square.settings, path));
  const std::string stem = dir.File("page");
  const std::string command = "pdftoppm -gray -r 254 -f 1 -l 1 -singlefile '" + path + "' '" + stem + "' 2>&1";
  if (FILE* pipe = popen(command.c_str(), "r")) pclose(pipe);
  const QImage page(QString::fromStdString(stem + ".pgm"));  // 100 px per cm
  ASSERT_FALSE(page.isNull());
  // The square's left and right sides lie at 1.5 + 1 and 1.5 + 11 cm.
  const double left = test::DarkRunCentre(page, 1100, 200);
  const double right = test::DarkRunCentre(page, 1100, static_cast<int>(left) + 10);
  EXPECT_NEAR(left, 250.0, 2.0);
  EXPECT_NEAR(right - left, 1000.0, 1.0);
  KeepOnFailure(page, "VectorExportScale_pdf_page.png");
}

TEST(VectorExportScale, SvgSideOfTenCentimetresMeasuresTenCentimetres) {
  test::SquareDevelopment square;
  test::TempDir dir;
  const std::string path = dir.File("square.svg");
  ASSERT_TRUE(ExportSvg(square.model(), square.settings, path));
  const QString svg = QString::fromStdString(test::ReadFile(path));
  const auto size = QRegularExpression(QStringLiteral("width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\"")).match(svg);
  ASSERT_TRUE(size.hasMatch());
  // Drawn at 100 px per cm of the declared size.
  const QSize pixels(static_cast<int>(std::lround(size.captured(1).toDouble() * 10.0)),
                     static_cast<int>(std::lround(size.captured(2).toDouble() * 10.0)));
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QSvgRenderer renderer(QString::fromStdString(path));
  ASSERT_TRUE(renderer.isValid());
  {
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
  }
  // The extent starts at the square's left side, so half of that stroke
  // lies outside the picture: measure from the top side to the bottom one.
  const DevelopmentBounds extent = DevelopmentBoundsOf(square.model());
  const int column = static_cast<int>((9.5 - extent.x) * 100.0);
  const double top = test::DarkRunCentre(image, column, 0, true);
  const double bottom = test::DarkRunCentre(image, column, static_cast<int>(top) + 10, true);
  EXPECT_NEAR(top, (1.0 - extent.y) * 100.0, 2.0);
  EXPECT_NEAR(bottom - top, 1000.0, 1.0);
  KeepOnFailure(image, "VectorExportScale_svg.png");
}

TEST(VectorExportScale, MetafileLinesSpanTheSideAtTheReferenceResolution) {
  test::SquareDevelopment square;
  test::TempDir dir;
  const std::string path = dir.File("square.emf");
  ASSERT_TRUE(ExportMetafile(square.model(), square.settings, path, 96.0));
  const test::EmfFile emf = test::ParseEmf(test::ReadFile(path));
  ASSERT_EQ(emf.error, "");
  int minX = 1 << 30, maxX = -(1 << 30);
  for (const test::EmfRecord& r : emf.records) {
    if (r.type != 27 && r.type != 54) continue;  // move to, line to
    minX = std::min(minX, emf.I32(r.offset + 8));
    maxX = std::max(maxX, emf.I32(r.offset + 8));
  }
  const double ppcm = 96.0 * 0.39370078740157477;
  EXPECT_NEAR(minX, 1.0 * ppcm, 1.0);
  EXPECT_NEAR(maxX - minX, 10.0 * ppcm, 1.0);
  // The frame (0.01 mm) covers the 10 cm side.
  EXPECT_GE(emf.I32(32) - emf.I32(24), 10000 - 30);
}

}  // namespace
}  // namespace plicora
