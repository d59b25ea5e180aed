#include "render/development/JoinHighlightDrawing.h"

#include <QPen>

#include "core/development/DevelopmentGeometry.h"

namespace plicora {

void DrawJoinHighlight(QPainter& painter, const std::array<JoinEnd, 2>& ends, const DevelopmentView& view,
                       const SheetArea& area, double devScale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QPen stroke(kJoinHighlightColor, kJoinHighlightWidth, Qt::SolidLine, Qt::RoundCap);
  const QPen ring(kJoinHighlightColor, kJoinHighlightWidth / 3.0);
  for (const JoinEnd& end : ends) {
    if (!end.side || !end.side->face || !end.side->face->part || !end.side->next) continue;
    const Part& part = *end.side->face->part;
    const Point2 a = MapDevelopmentPoint(view, area, devScale, CornerOf(*end.side, part));
    const Point2 b = MapDevelopmentPoint(view, area, devScale, CornerOf(*end.side->next, part));
    painter.setPen(stroke);
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    // A ring around the side finds it at a zoom where the side is short.
    painter.setPen(ring);
    painter.drawEllipse(QPointF((a.x + b.x) / 2.0, (a.y + b.y) / 2.0), kJoinRingRadius, kJoinRingRadius);
  }
  painter.restore();
}

}  // namespace plicora
