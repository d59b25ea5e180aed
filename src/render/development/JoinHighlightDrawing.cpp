#include "render/development/JoinHighlightDrawing.h"

#include <QPen>

#include "core/development/DevelopmentGeometry.h"

namespace plicora {

void DrawJoinHighlight(QPainter& painter, const std::array<JoinEnd, 2>& ends, const DevelopmentView& view,
                       const SheetArea& area, double devScale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kJoinHighlightColor, kJoinHighlightWidth, Qt::SolidLine, Qt::RoundCap));
  for (const JoinEnd& end : ends) {
    if (!end.side || !end.side->face || !end.side->face->part || !end.side->next) continue;
    const Part& part = *end.side->face->part;
    const Point2 a = MapDevelopmentPoint(view, area, devScale, CornerOf(*end.side, part));
    const Point2 b = MapDevelopmentPoint(view, area, devScale, CornerOf(*end.side->next, part));
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
  }
  painter.restore();
}

}  // namespace plicora
