#pragma once
// Renders the development off-screen at a given resolution and either writes
// the picture as a BMP file or copies it, stretched, onto a painter: raster
// printing, the texture layer of vector printing, BMP and PNG exports.

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <functional>
#include <string>

#include "model/Model.h"
#include "model/Settings.h"

namespace plicora {

class RasterGeometryCache;

struct RasterPageRequest {
  int mode = 2;   ///< 1 textured faces only, 2 everything
  int width = 0;  ///< raster size in pixels
  int height = 0;
  double pixelsPerCm = 0.0;    ///< raster pixels per centimetre of paper
  std::string bmpPath;         ///< when set, the picture goes to this BMP file
  QPainter* target = nullptr;  ///< otherwise it is copied onto this painter...
  QRectF destination;          ///< ...stretched to this rectangle (logical units)
  bool printing = false;       ///< printing a page (not previewing, not exporting)
  /// The picture is a page's tile (printing or previewing): the tile lies at
  /// the buffer's corner and the labels are left to the page's own pass.
  /// Otherwise the development's top-left corner does, labels included.
  bool pageTile = false;
  int pageColumn = 0;  ///< the printed page's tile
  int pageRow = 0;
  /// Printing: device units per centimetre of the target; used to place the
  /// texture layer of mode 1 within the printable area.
  double deviceUnitsPerCmX = 0.0;
  double deviceUnitsPerCmY = 0.0;
  /// Cancels the pane's current mode (mode none, face marks cleared,
  /// repaint); called before rendering, except for the texture layer of a
  /// printed page. The picture never shows the marked faces.
  std::function<void()> cancelPaneMode;
  /// Where the drawn arrays are kept for the next request with the same
  /// model, settings and placement; its owner invalidates it when the model
  /// changes. With none they are built afresh.
  RasterGeometryCache* geometry = nullptr;
};

/// The request for printing or previewing page (column, row) on a device of
/// dpiX x dpiY: raster size from the raster resolution setting, destination
/// the printable area from the page corner.
RasterPageRequest MakePrintRasterRequest(const Settings& settings, int column, int row, double dpiX, double dpiY,
                                         bool printing, int mode);

/// Renders the request. Failure messages go to the message sink; returns
/// false on failure. The model is left as it is.
bool RenderRasterPage(const Model& model, const Settings& settings, const RasterPageRequest& request);

/// Mode 2 rendering of the whole development into `image` (width x height,
/// labels drawn, whitish pixels whitened when set), for exports that want
/// the picture itself. Returns false (messages shown) on failure.
bool RenderDevelopmentImage(const Model& model, const Settings& settings, int width, int height, double pixelsPerCm,
                            const std::function<void()>& cancelPaneMode, QImage& image);

}  // namespace plicora
