#include "render/development/DevelopmentView.h"

#include <algorithm>

#include "core/development/Pages.h"

namespace plicora {

SheetArea MakeSheetArea(const Settings& settings, int columns, int rows) {
  SheetArea area;
  area.marginSide = settings.dPageMarginSide;
  area.marginTop = settings.dPageMarginTop;
  area.pageWidth = PrintableWidth(settings);
  area.pageHeight = PrintableHeight(settings);
  area.columns = columns;
  area.rows = rows;
  return area;
}

double FitViewScale(int clientWidth, int clientHeight, const SheetArea& area) {
  return std::min((clientWidth - 30) / area.TotalWidth(), (clientHeight - 30) / area.TotalHeight());
}

Point2 SheetAreaCorner(const DevelopmentView& view, const SheetArea& area) {
  const double f = view.PixelsPerCm();
  return {view.CentreX() + view.viewZoom * view.panX - f * area.TotalWidth() / 2.0,
          view.CentreY() - view.viewZoom * view.panY - f * area.TotalHeight() / 2.0};
}

Point2 MapDevelopmentPoint(const DevelopmentView& view, const SheetArea& area, double devScale, Point2 p) {
  const double f = view.PixelsPerCm();
  const Point2 corner = SheetAreaCorner(view, area);
  return {corner.x + f * area.marginSide + f * devScale * p.x, corner.y + f * area.marginTop + f * devScale * p.y};
}

Point2 UnmapClientPoint(const DevelopmentView& view, const SheetArea& area, double devScale, Point2 pixel) {
  const double k = view.PixelsPerCm() * devScale;
  const Point2 origin = MapDevelopmentPoint(view, area, devScale, {0.0, 0.0});
  if (k == 0.0) return {0.0, 0.0};
  return {(pixel.x - origin.x) / k, (pixel.y - origin.y) / k};
}

void CentreOnPoint(DevelopmentView& view, const SheetArea& area, double devScale, Point2 p) {
  // The pan is kept in pixels over the zoom, with y growing upward.
  const Point2 pixel = MapDevelopmentPoint(view, area, devScale, p);
  view.panX += (view.CentreX() - pixel.x) / view.viewZoom;
  view.panY -= (view.CentreY() - pixel.y) / view.viewZoom;
}

}  // namespace plicora
