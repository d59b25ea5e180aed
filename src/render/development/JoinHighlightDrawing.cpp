#include "render/development/JoinHighlightDrawing.h"

#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "core/development/DevelopmentGeometry.h"

namespace plicora {

QColor JoinHighlightColor(const Settings& settings) {
  const ColorRef c = settings.colors[kColorJoinHighlight];
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

void DrawJoinHighlight(QPainter& painter, const std::vector<const HalfEdge*>& sides, const DevelopmentView& view,
                       const SheetArea& area, double devScale, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QPen stroke(color, kJoinHighlightWidth, Qt::SolidLine, Qt::RoundCap);
  const QPen ring(color, kJoinHighlightWidth / 3.0);
  for (const HalfEdge* side : sides) {
    if (!side || !side->face || !side->face->part || !side->next) continue;
    const Part& part = *side->face->part;
    const Point2 a = MapDevelopmentPoint(view, area, devScale, CornerOf(*side, part));
    const Point2 b = MapDevelopmentPoint(view, area, devScale, CornerOf(*side->next, part));
    painter.setPen(stroke);
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    // A ring around the side finds it at a zoom where the side is short.
    painter.setPen(ring);
    painter.drawEllipse(QPointF((a.x + b.x) / 2.0, (a.y + b.y) / 2.0), kJoinRingRadius, kJoinRingRadius);
  }
  painter.restore();
}

void DrawPartTint(QPainter& painter, const Model& model, int part, const DevelopmentView& view, const SheetArea& area,
                  const QColor& color) {
  if (part < 0 || part >= static_cast<int>(model.parts.size())) return;
  const Part& shown = model.parts[static_cast<std::size_t>(part)];
  QColor tint = color;
  tint.setAlpha(kPartTintAlpha);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // One path for all faces: neighbouring faces get no darker seam.
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (const Face* face : shown.faces) {
    QPolygonF polygon;
    for (const HalfEdge* h : face->ring) {
      const Point2 p = MapDevelopmentPoint(view, area, model.devScale, CornerOf(*h, shown));
      polygon << QPointF(p.x, p.y);
    }
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  painter.fillPath(path, tint);
  painter.restore();
}

}  // namespace plicora
