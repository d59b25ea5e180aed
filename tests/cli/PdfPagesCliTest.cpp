// Printed pages keep their look: pages of a few work files, exported to PDF
// and rasterised with pdftoppm at 100 dpi, match reference renders made when
// every face and every line was drawn on its own. The reference holds the
// mean grey of each 8 x 8-pixel cell (2 mm); a cell may differ by up to 24
// levels, room for anti-aliasing and the rasteriser's snapping of thin lines,
// while a missing face, line or number darkens or lightens its cells by more.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <string>

#include "TestSupport.h"

namespace plicora {
namespace {

constexpr int kCell = 8;
constexpr int kTolerance = 24;

// Mean grey of every whole cell of the image.
QImage CellMeans(const QImage& page) {
  QImage cells(page.width() / kCell, page.height() / kCell, QImage::Format_Grayscale8);
  for (int cy = 0; cy < cells.height(); ++cy) {
    for (int cx = 0; cx < cells.width(); ++cx) {
      int sum = 0;
      for (int y = cy * kCell; y < (cy + 1) * kCell; ++y) {
        for (int x = cx * kCell; x < (cx + 1) * kCell; ++x) sum += qGray(page.pixel(x, y));
      }
      const int mean = (sum + kCell * kCell / 2) / (kCell * kCell);
      cells.setPixel(cx, cy, qRgb(mean, mean, mean));
    }
  }
  return cells;
}

TEST(PdfPages, BatchedAndCulledDrawingLooksAsBefore) {
  struct Case {
    std::string workFile;
    int page;
    const char* reference;
  };
  const std::string data = PLICORA_TEST_DATA_DIR;
  const Case cases[] = {
      {data + "/sphere_multipage_a4.plc", 1, "sphere_multipage_a4_page1.png"},
      {data + "/sphere_multipage_a4.plc", 2, "sphere_multipage_a4_page2.png"},
      {data + "/sphere_multipage_a4.plc", 6, "sphere_multipage_a4_page6.png"},
      {test::FixturePath("torus_concave_numbers.plc"), 1, "torus_concave_numbers_page1.png"},
      {test::FixturePath("cylinder_polygon_caps.plc"), 1, "cylinder_polygon_caps_page1.png"},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference);
    const std::string pdf = dir.File("out.pdf");
    const std::string export_ = std::string("HOME=") + dir.path() + " '" + PLICORA_VIEWER_EXE +
                                "' --no-profile --set bDrawNumber=1 --export '" + pdf + "' '" + c.workFile + "'";
    ASSERT_EQ(std::system(export_.c_str()), 0);
    const std::string stem = dir.File("page");
    const std::string rasterise = "pdftoppm -gray -r 100 -f " + std::to_string(c.page) + " -l " +
                                  std::to_string(c.page) + " -singlefile '" + pdf + "' '" + stem + "'";
    ASSERT_EQ(std::system(rasterise.c_str()), 0);
    const QImage cells = CellMeans(QImage(QString::fromStdString(stem + ".pgm")));
    const QImage reference(QString::fromStdString(data + "/pdf_pages/" + c.reference));
    ASSERT_FALSE(reference.isNull());
    ASSERT_EQ(cells.size(), reference.size());
    int worst = 0, differing = 0;
    for (int y = 0; y < cells.height(); ++y) {
      for (int x = 0; x < cells.width(); ++x) {
        const int d = std::abs(qGray(cells.pixel(x, y)) - qGray(reference.pixel(x, y)));
        worst = std::max(worst, d);
        if (d > kTolerance) ++differing;
      }
    }
    EXPECT_EQ(differing, 0) << "worst cell differs by " << worst;
  }
}

}  // namespace
}  // namespace plicora
