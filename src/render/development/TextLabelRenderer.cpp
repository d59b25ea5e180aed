#include "render/development/TextLabelRenderer.h"

#include <QColor>
#include <QPaintDevice>
#include <cmath>

#include "core/model/Units.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

QColor LabelColor(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

double DeviceDpi(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return device ? device->logicalDpiY() : 96.0;
}

// A font of the label's face whose em height is `pixels` device units; the
// device rounds font heights to whole units.
QFont LabelFont(const TextLabel& label, double pixels) {
  QFont font = MakeFaceFont(label.fontName);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return font;
}

void DrawOneLabel(QPainter& painter, const TextLabel& label, double pixels, double x, double y) {
  painter.setFont(LabelFont(label, pixels));
  painter.setPen(LabelColor(label.color));
  painter.drawText(QPointF(x, y), QString::fromStdString(label.text));  // baseline, left
}

void DrawPaneLabel(QPainter& painter, const Model& model, const TextLabel& label, const TextLabelPlacement& p,
                   double dpi) {
  const double ppcm = p.view.PixelsPerCm();
  const double k = ppcm / (dpi * kInchPerCm) * label.fontSize;  // size in screen points
  const Point2 at = MapDevelopmentPoint(p.view, p.area, model.devScale, {label.x, label.y});
  if (k >= 3.0) {
    const double tenths = std::trunc(k * 10.0 + 0.5);
    DrawOneLabel(painter, label, tenths / 10.0 * dpi / kPointsPerInch, at.x, at.y);
    return;
  }
  // Too small to read: a grey box stands in for the text.
  const int left = static_cast<int>(at.x) - 2;
  const int right = static_cast<int>(at.x + label.width * ppcm);
  const int top = static_cast<int>(at.y - label.height * ppcm) - 1;
  const int bottom = static_cast<int>(at.y) + 2;
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(Qt::NoBrush);
  if (right - left > 1 && bottom - top > 1) painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

}  // namespace

void DrawTextLabels(QPainter& painter, const Model* model, const TextLabelPlacement& p) {
  if (!model) return;
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  const double s = model->devScale;
  for (const TextLabel& label : model->texts) {
    switch (p.target) {
      case TextLabelTarget::Printer:
        DrawOneLabel(painter, label, label.fontSize * kCmPerPoint * p.ky, p.ox + label.x * p.kx * s,
                     p.oy + label.y * p.ky * s);
        break;
      case TextLabelTarget::RasterExport: {
        const double dpi = p.dpi > 0.0 ? p.dpi : DeviceDpi(painter);
        const double tenths = std::trunc(p.kx * label.fontSize / (dpi * kInchPerCm) * 10.0);
        DrawOneLabel(painter, label, tenths / 10.0 * dpi / kPointsPerInch, p.kx * (label.x - p.cornerX) * s,
                     p.ky * (label.y - p.cornerY) * s);
        break;
      }
      case TextLabelTarget::Pane:
        DrawPaneLabel(painter, *model, label, p, p.dpi > 0.0 ? p.dpi : DeviceDpi(painter));
        break;
    }
  }
  painter.restore();
}

}  // namespace plicora
