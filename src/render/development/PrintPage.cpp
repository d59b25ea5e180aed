#include "render/development/PrintPage.h"

#include "core/model/Units.h"
#include "render/development/DevelopmentVectorRenderer.h"
#include "render/development/RasterPageRenderer.h"
#include "render/development/ScaleGaugeDrawing.h"
#include "render/development/TextLabelRenderer.h"

namespace plicora {

namespace {

bool RasterSheet(QPainter& painter, const Model& model, const Settings& settings, const PageRef& page,
                 const PrintDevice& device, RasterMode mode, const std::function<void()>& cancelPaneMode) {
  RasterPageRequest request =
      MakePrintRasterRequest(settings, page.column, page.row, device.dpiX, device.dpiY, !device.preview, mode);
  request.cancelPaneMode = cancelPaneMode;
  request.geometry = device.geometry;
  // The picture is drawn in pieces with a tick between them, so a large
  // sheet can be stopped part way.
  request.tick = device.tick;
  return DrawRasterPage(model, settings, request, painter, PrintRasterDestination(settings, device.dpiX, device.dpiY));
}

}  // namespace

bool HasTexturedMaterial(const Model& model) {
  if (model.defaultMaterial.hasTexture) return true;
  for (const Material& material : model.materials)
    if (material.hasTexture) return true;
  return false;
}

bool PrintOnePage(QPainter& painter, const Model& model, const Settings& settings, const PageLayout& layout, int number,
                  const PrintDevice& device, const std::function<void()>& cancelPaneMode) {
  const PageRef page = LookUpPage(layout, number);
  const double kx = device.UnitsPerCmX();
  const double ky = device.UnitsPerCmY();
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  bool ok = true;

  painter.save();
  if (!device.preview) painter.setClipRect(QRectF(0.0, 0.0, device.physicalWidth, device.physicalHeight));
  if (settings.bPrintPageNumber) DrawPageCaption(painter, settings, device, number, page);
  if (settings.bPrintTombo && !(layout.columns == 1 && layout.rows == 1))
    DrawAlignmentMarks(painter, settings, device, layout.columns, layout.rows);

  // From here on coordinates are measured from the paper's corner, and
  // nothing is drawn outside the page's printable area.
  painter.translate(-device.offsetX, -device.offsetY);
  painter.setClipRect(QRectF(settings.dPageMarginSide * kx, settings.dPageMarginTop * ky, w * kx, h * ky),
                      Qt::IntersectClip);

  // The page's tile at the printable corner.
  const double tileX = settings.dPageMarginSide * kx - w * page.column * kx;
  const double tileY = settings.dPageMarginTop * ky - h * page.row * ky;
  const double s = model.devScale;
  // Only what reaches into this page's tile is drawn.
  const std::optional<QRectF> tile =
      s > 0.0 ? std::optional<QRectF>(QRectF(w * page.column / s, h * page.row / s, w / s, h / s)) : std::nullopt;
  const double sx = device.dpiX * s * kInchPerCm, sy = device.dpiY * s * kInchPerCm;
  if (device.preview) {
    Settings previewSettings = settings;
    if (!settings.bPrintRaster) previewSettings.bLineSmooth = false;
    ok = RasterSheet(painter, model, previewSettings, page, device, RasterMode::Everything, cancelPaneMode);
    // The preview shows the sheet much smaller than its raster picture,
    // where the picture's one-pixel lines would fall between the screen's
    // pixels: the lines are drawn again as vectors, which a screen shows at
    // least one pixel wide at any zoom.
    painter.save();
    painter.translate(tileX, tileY);
    DrawDevelopmentLines(painter, &model, settings, sx, sy, tile, device.extents, device.tick);
    painter.restore();
  } else if (settings.bPrintRaster) {
    ok = RasterSheet(painter, model, settings, page, device, RasterMode::Everything, cancelPaneMode);
  } else {
    if (settings.bUseMaterial && HasTexturedMaterial(model))
      ok = RasterSheet(painter, model, settings, page, device, RasterMode::TexturedFaces, cancelPaneMode);
    painter.save();
    painter.translate(tileX, tileY);
    DrawDevelopmentVector(painter, &model, settings, sx, sy, tile, device.extents, device.tick);
    painter.restore();
  }

  if (settings.bPrintScaleGauge) {
    DevelopmentOutlineCache own;
    DevelopmentOutlineCache& outlines = device.outlines ? *device.outlines : own;
    if (const std::optional<Point2> at =
            ScaleGaugePlaceOnSheet(model, settings, layout, page, outlines.Get(model, settings)))
      DrawScaleGauge(painter, *at, kx / 10.0, ky / 10.0);
  }

  // Each label lands on the page that holds its position.
  painter.translate(tileX, tileY);
  TextLabelPlacement labels;
  labels.target = TextLabelTarget::Printer;
  labels.kx = kx;
  labels.ky = ky;
  DrawTextLabels(painter, &model, labels);
  painter.restore();
  return ok;
}

}  // namespace plicora
