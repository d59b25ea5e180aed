#include "development/DevelopmentRasterRenderer.h"

#include <GL/gl.h>

namespace plicora {

RasterDrawParams PaneRasterParams(const DevelopmentView& view, const SheetArea& area, double devScale) {
  RasterDrawParams p;
  p.width = view.clientWidth;
  p.height = view.clientHeight;
  p.pixelsPerCm = view.PixelsPerCm();
  const Point2 origin = MapDevelopmentPoint(view, area, devScale, {0.0, 0.0});
  p.originX = origin.x;
  p.originY = origin.y;
  const Point2 corner = SheetAreaCorner(view, area);
  p.sheets = area;
  p.sheetLeft = corner.x;
  p.sheetTop = corner.y;
  return p;
}

void InitDevelopmentGlState(const Settings& settings) { (void)settings; }

void DrawDevelopmentRaster(Model* model, const Settings& settings, const RasterDrawParams& params) {
  (void)model;
  (void)settings;
  if (params.forPrint) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  } else {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace plicora
