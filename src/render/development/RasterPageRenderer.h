#pragma once
// Renders the development off-screen at a given resolution into a picture,
// row by row for a file writer, or, stretched, onto a painter: raster
// printing, the texture layer of vector printing, BMP and PNG exports.

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

class OffscreenGlContext;
class RasterGeometryCache;

/// What a raster picture holds.
enum class RasterMode {
  TexturedFaces = 1,  ///< only the faces with a texture (the layer under vector lines)
  Everything = 2,     ///< the whole drawing
};

/// What to rasterise; where the picture goes is the choice of the call.
struct RasterPageRequest {
  RasterMode mode = RasterMode::Everything;
  int width = 0;  ///< raster size in pixels
  int height = 0;
  double pixelsPerCm = 0.0;  ///< raster pixels per centimetre of paper
  bool printing = false;     ///< printing a page (not previewing, not exporting)
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
  /// Called between pieces of the drawing; false stops it, and the call
  /// then fails without a message.
  const WorkTick* tick = nullptr;
};

/// The request for printing or previewing page (column, row) on a device of
/// dpiX x dpiY: raster size from the raster resolution setting.
RasterPageRequest MakePrintRasterRequest(const Settings& settings, int column, int row, double dpiX, double dpiY,
                                         bool printing, RasterMode mode);

/// Where a printed page's picture goes on a device of dpiX x dpiY: the
/// printable area, measured from the paper's corner in device units.
QRectF PrintRasterDestination(const Settings& settings, double dpiX, double dpiY);

// Each call renders the request; failure messages go to the message sink and
// the call returns false. The model is left as it is.

/// Renders into `image` (the picture itself, whitish pixels whitened when set).
bool RenderRasterPageImage(const Model& model, const Settings& settings, const RasterPageRequest& request,
                           QImage& image);

/// A rendered picture handed out row by row, bottom row first, so that a
/// file writer needs no second copy of a large picture: without labels the
/// rows come straight from the off-screen buffer (whitened on the way when
/// set), with labels from the finished picture.
class RasterPageRows {
 public:
  RasterPageRows();
  ~RasterPageRows();
  RasterPageRows(const RasterPageRows&) = delete;
  RasterPageRows& operator=(const RasterPageRows&) = delete;

  int width() const;
  int height() const;
  /// Fills 3 * width() bytes with row y (0 is the bottom row) as B G R.
  void Bgr24Row(int y, std::uint8_t* out) const;

 private:
  friend bool RenderRasterPageRows(const Model&, const Settings&, const RasterPageRequest&, RasterPageRows&);
  std::unique_ptr<OffscreenGlContext> buffer_;
  bool whiten_ = false;
  QImage image_;  // the finished picture when labels were drawn over the buffer
};

/// Renders into `rows`.
bool RenderRasterPageRows(const Model& model, const Settings& settings, const RasterPageRequest& request,
                          RasterPageRows& rows);

/// Copies the picture onto an active painter, stretched to `destination`
/// (logical units). The texture layer of a printed page is placed by itself
/// within the printable area and ignores `destination`.
bool DrawRasterPage(const Model& model, const Settings& settings, const RasterPageRequest& request, QPainter& target,
                    const QRectF& destination);

/// The request for the whole development (labels drawn) at the picture's
/// corner: what the BMP, PNG and clipboard exports render.
RasterPageRequest WholeDevelopmentRequest(int width, int height, double pixelsPerCm,
                                          const std::function<void()>& cancelPaneMode, const WorkTick* tick = nullptr);

/// The whole development (labels drawn) into `image`, for exports that want
/// the picture itself.
bool RenderDevelopmentImage(const Model& model, const Settings& settings, int width, int height, double pixelsPerCm,
                            const std::function<void()>& cancelPaneMode, QImage& image, const WorkTick* tick = nullptr);

}  // namespace plicora
