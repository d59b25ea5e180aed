#include "render/development/ScaleGaugeDrawing.h"

#include <QFontMetricsF>
#include <cmath>

#include "core/development/CutContours.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/platform/FontFaceNames.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

// The alignment crosses' arms reach 2 cm into the printable area from its
// corners.
constexpr double kCrossArmMm = 20.0;

void AddAlignmentCrosses(const SheetBox& area, GaugeObstacles& obstacles) {
  for (const double x : {area.x0, area.x1}) {
    for (const double y : {area.y0, area.y1}) {
      obstacles.lines.push_back({{{x - kCrossArmMm, y}, {x + kCrossArmMm, y}}, false});
      obstacles.lines.push_back({{{x, y - kCrossArmMm}, {x, y + kCrossArmMm}}, false});
    }
  }
}

}  // namespace

const std::vector<CutContour>& DevelopmentOutlineCache::Get(const Model& model, const Settings& settings) {
  if (model_ != &model || flaps_ != settings.bDrawFlap) {
    // Outlines as walked: the gauge needs no cleaning for a cutter.
    Settings walked = settings;
    walked.iCutToleranceMicrons = 0;
    outlines_ = BuildCutContours(model, walked);
    model_ = &model;
    flaps_ = settings.bDrawFlap;
  }
  return outlines_;
}

std::optional<Point2> ScaleGaugePlaceOnSheet(const Model& model, const Settings& settings, const PageLayout& layout,
                                             const PageRef& page, const std::vector<CutContour>& outlines) {
  const double w = PrintableWidth(settings) * 10.0, h = PrintableHeight(settings) * 10.0;
  const double mx = settings.dPageMarginSide * 10.0, my = settings.dPageMarginTop * 10.0;
  const double scale = model.devScale * 10.0;
  const double ox = mx - page.column * w, oy = my - page.row * h;
  auto map = [&](Point2 p) { return Point2{p.x * scale + ox, p.y * scale + oy}; };
  const SheetBox area{mx, my, mx + w, my + h};

  // The parts' outlines with their flaps hold everything drawn of them.
  GaugeObstacles obstacles;
  for (const CutContour& contour : outlines) {
    GaugeObstacles::Line line{{}, contour.closed};
    line.points.reserve(contour.points.size());
    for (const Point2& p : contour.points) line.points.push_back(map(p));
    obstacles.lines.push_back(std::move(line));
  }
  for (const TextLabel& label : model.texts) {
    const DevelopmentBounds b = TextLabelBoxOf(label, model.devScale);
    const Point2 a = map({b.x, b.y}), c = map({b.x + b.width, b.y + b.height});
    obstacles.boxes.push_back({std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)});
  }
  if (settings.bPrintTombo && !(layout.columns == 1 && layout.rows == 1)) AddAlignmentCrosses(area, obstacles);
  return PlaceScaleGauge(ScaleGaugeShape(), area, obstacles);
}

void DrawScaleGauge(QPainter& painter, Point2 originMm, double unitsPerMmX, double unitsPerMmY) {
  const ScaleGauge gauge = ScaleGaugeShape();
  auto at = [&](Point2 p) { return QPointF((originMm.x + p.x) * unitsPerMmX, (originMm.y + p.y) * unitsPerMmY); };
  painter.save();
  painter.setPen(QPen(Qt::black, gauge.lineWidthMm * unitsPerMmX, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  for (const GaugeLine& line : gauge.lines) painter.drawLine(at(line.a), at(line.b));
  QFont font = MakeFaceFont(kScaleGaugeFaceName);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(gauge.labelEmMm * unitsPerMmY))));
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const QString text = QString::fromUtf8(gauge.label);
  const QPointF centre = at(gauge.labelCentre);
  painter.drawText(QPointF(centre.x() - metrics.horizontalAdvance(text) / 2.0,
                           centre.y() + (metrics.ascent() - metrics.descent()) / 2.0),
                   text);
  painter.restore();
}

}  // namespace plicora
