#include "render/development/PageDrawing.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <cmath>

#include "core/model/Units.h"
#include "render/platform/FontResolution.h"

namespace plicora {

namespace {

// MS Gothic at a point size on a device of `dpiY` vertical dots per inch.
QFont GothicFont(double points, double dpiY) {
  QFont font = MakeFaceFont(kMsGothicFaceName);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpiY / kPointsPerInch))));
  return font;
}

}  // namespace

double PrintDevice::UnitsPerCmX() const {
  return dpiX * kInchPerCm;
}
double PrintDevice::UnitsPerCmY() const {
  return dpiY * kInchPerCm;
}

void DrawPageCaption(QPainter& painter, const Settings& settings, const PrintDevice& device, int number,
                     const PageRef& page) {
  const QString text = QString::fromStdString(PageCaptionText(number, page));
  const QFont font = GothicFont(10.0, device.dpiY);
  const QFontMetricsF metrics(font, painter.device());
  // Centred horizontally, the text's top at the given height.
  const double x = settings.paperWidth / 2.0 * device.UnitsPerCmX() - device.offsetX;
  const double y = (settings.paperHeight - settings.dPageMarginTop + 0.2) * device.UnitsPerCmY() - device.offsetY;
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0, y + metrics.ascent()), text);
  painter.restore();
}

void DrawAlignmentMarks(QPainter& painter, const Settings& settings, const PrintDevice& device, int columns, int rows) {
  if (columns * rows <= 1) return;
  const double kx = device.UnitsPerCmX();
  const double ky = device.UnitsPerCmY();
  const double w = PrintableWidth(settings) * kx;
  const double h = PrintableHeight(settings) * ky;
  const double ox = settings.dPageMarginSide * kx - device.offsetX;
  const double oy = settings.dPageMarginTop * ky - device.offsetY;
  painter.save();
  painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int i = 0; i <= columns; ++i) {
    for (int j = 0; j <= rows; ++j) {
      const double x = ox + i * w;
      const double y = oy + j * h;
      painter.drawLine(QPointF(x - 2.0 * kx, y), QPointF(x + 2.0 * kx, y));
      painter.drawLine(QPointF(x, y - 2.0 * ky), QPointF(x, y + 2.0 * ky));
    }
  }
  painter.restore();
}

void DrawVerificationPageNumbers(QPainter& painter, const Model* model, const Settings& settings, PageLayout& layout,
                                 const DevelopmentView& view, const SheetArea& area, double screenDpiY) {
  BuildPageList(model, settings, layout);
  const double dpi = screenDpiY > 0.0 ? screenDpiY : (painter.device() ? painter.device()->logicalDpiY() : 96.0);
  const QFont font = GothicFont(14.0, dpi);
  const QFontMetricsF metrics(font, painter.device());
  const double s = model ? model->devScale : 1.0;
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  painter.save();
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 255));
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  for (std::size_t n = 1; n <= layout.pages.size(); ++n) {
    const PageRef& page = layout.pages[n - 1];
    const Point2 at = MapDevelopmentPoint(view, area, s, {(page.column + 0.5) * w / s, (page.row + 0.5) * h / s});
    const QString text = QString::fromStdString(PageVerificationText(static_cast<int>(n)));
    painter.drawText(QPointF(at.x - metrics.horizontalAdvance(text) / 2.0, at.y), text);
  }
  painter.restore();
}

}  // namespace plicora
