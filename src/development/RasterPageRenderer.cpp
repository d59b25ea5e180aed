#include "development/RasterPageRenderer.h"

namespace plicora {

RasterPageRequest MakePrintRasterRequest(const Settings& settings, int column, int row, double dpiX, double dpiY,
                                         bool printing, int mode) {
  constexpr double kInchPerCm = 0.39370078740157477;
  const double p = settings.printPpi;
  const double w = settings.paperWidth - 2.0 * settings.dPageMarginSide;
  const double h = settings.paperHeight - 2.0 * settings.dPageMarginTop;
  const double kx = dpiX * kInchPerCm;
  const double ky = dpiY * kInchPerCm;
  RasterPageRequest r;
  r.mode = mode;
  r.width = static_cast<int>(p * w * kInchPerCm);
  r.height = static_cast<int>(p * h * kInchPerCm);
  r.pixelsPerCm = p * kInchPerCm;
  r.printing = printing;
  r.pageColumn = column;
  r.pageRow = row;
  r.deviceUnitsPerCmX = kx;
  r.deviceUnitsPerCmY = ky;
  r.destination = QRectF(settings.dPageMarginSide * kx, settings.dPageMarginTop * ky, w * kx, h * ky);
  return r;
}

bool RenderRasterPage(Model& model, const Settings& settings, const RasterPageRequest& request) {
  (void)model;
  (void)settings;
  (void)request;
  return false;
}

bool RenderDevelopmentImage(Model& model, const Settings& settings, int width, int height, double pixelsPerCm,
                            const std::function<void()>& cancelPaneMode, QImage& image) {
  (void)model;
  (void)settings;
  (void)width;
  (void)height;
  (void)pixelsPerCm;
  (void)cancelPaneMode;
  (void)image;
  return false;
}

}  // namespace plicora
