#include "render/development/RasterPageRenderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "core/development/DevelopmentGeometry.h"
#include "core/development/Pages.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/development/TextLabelRenderer.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

struct RasterJob {
  int width = 0;
  int height = 0;
  double pixelsPerCm = 0.0;
  double originX = 0.0;  // buffer pixel of development point (0, 0)
  double originY = 0.0;
  double cornerX = 0.0;  // development point at the buffer's corner (labels)
  double cornerY = 0.0;
  bool texturedOnly = false;
  bool labels = false;  // draw the text labels afterwards (not when printing)
  RasterGeometryCache* geometry = nullptr;
  const WorkTick* tick = nullptr;
};

// Pixels whose three components all exceed 251 become pure white.
void WhitenNearWhite(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t p = line[x];
      if ((p & 0xFF) > 251 && ((p >> 8) & 0xFF) > 251 && ((p >> 16) & 0xFF) > 251) line[x] = 0xFFFFFFFFu;
    }
  }
}

// Draws the job into a new off-screen buffer. Shows the failure message and
// returns null on failure; null without a message when the tick stopped it.
std::unique_ptr<OffscreenGlContext> DrawJob(const Model& model, const Settings& settings, const RasterJob& job) {
  std::string error;
  if (job.width < 1 || job.height < 1) {
    ShowMessage("CreateDIBSection Error", MessageKind::Error);
    return nullptr;
  }
  auto context = OffscreenGlContext::Create(job.width, job.height, &error);
  if (!context) {
    ShowMessage(error.empty() ? "OpenGL Context Error" : error, MessageKind::Error);
    return nullptr;
  }
  OffscreenGlContext::Scope scope(*context);
  if (!scope.ok()) {
    ShowMessage("Error", MessageKind::Error);
    return nullptr;
  }
  InitDevelopmentGlState(settings);
  RasterDrawParams params;
  params.width = job.width;
  params.height = job.height;
  params.pixelsPerCm = job.pixelsPerCm;
  params.originX = job.originX;
  params.originY = job.originY;
  params.forPrint = true;
  params.texturedOnly = job.texturedOnly;
  params.markedFaces = false;
  params.geometry = job.geometry;
  params.tick = job.tick;
  // The join-number glyphs are built by the renderer when numbers are shown.
  if (!DrawDevelopmentRaster(&model, settings, params)) return nullptr;
  glFinish();
  return context;
}

bool WantsLabels(const Model& model, const RasterJob& job) {
  return job.labels && !model.texts.empty();
}

// The finished picture (top row first): whitened, then the labels on top.
QImage FinishImage(const Model& model, const Settings& settings, const RasterJob& job,
                   const OffscreenGlContext& context) {
  QImage image = context.ToImage();
  if (settings.bSlideColorToWhite) WhitenNearWhite(image);
  if (WantsLabels(model, job)) {
    QPainter painter(&image);
    TextLabelPlacement placement;
    placement.target = TextLabelTarget::RasterExport;
    placement.kx = placement.ky = job.pixelsPerCm;
    placement.cornerX = job.cornerX;
    placement.cornerY = job.cornerY;
    DrawTextLabels(painter, &model, placement);
  }
  return image;
}

bool RenderJob(const Model& model, const Settings& settings, const RasterJob& job, QImage& image) {
  auto context = DrawJob(model, settings, job);
  if (!context) return false;
  image = FinishImage(model, settings, job, *context);
  return true;
}

bool PainterReady(const QPainter& target) {
  if (target.isActive()) return true;
  ShowMessage("CompatibleDC Error", MessageKind::Error);
  return false;
}

// The textured faces of one printed page, rasterised only over the part of
// the page's tile they cover, and placed on the page within its printable
// area. No textured face on the tile: nothing is printed.
bool RenderTextureLayer(const Model& model, const Settings& settings, const RasterPageRequest& request,
                        QPainter& target) {
  const double q = request.pixelsPerCm;
  const double s = model.devScale;
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  const double tx0 = q * w * request.pageColumn, tx1 = q * w * (request.pageColumn + 1);
  const double ty0 = q * h * request.pageRow, ty1 = q * h * (request.pageRow + 1);
  double x0 = tx1, y0 = ty1, x1 = tx0, y1 = ty0;
  bool any = false;
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      const Material& material = model.MaterialOf(face->materialIndex);
      if (!material.hasTexture || face->ring.empty()) continue;
      double fx0 = 1e300, fy0 = 1e300, fx1 = -1e300, fy1 = -1e300;
      for (const HalfEdge* half : face->ring) {
        const Point2 c = CornerOf(*half, part);
        fx0 = std::min(fx0, q * s * c.x), fx1 = std::max(fx1, q * s * c.x);
        fy0 = std::min(fy0, q * s * c.y), fy1 = std::max(fy1, q * s * c.y);
      }
      if (fx1 < tx0 || fx0 > tx1 || fy1 < ty0 || fy0 > ty1) continue;
      any = true;
      x0 = std::min(x0, fx0), y0 = std::min(y0, fy0), x1 = std::max(x1, fx1), y1 = std::max(y1, fy1);
    }
  }
  if (!any) return true;
  x0 = std::max(x0, tx0), y0 = std::max(y0, ty0), x1 = std::min(x1, tx1), y1 = std::min(y1, ty1);
  const int left = static_cast<int>(std::floor(x0)), top = static_cast<int>(std::floor(y0));
  RasterJob job;
  job.width = std::max(1, static_cast<int>(std::ceil(x1)) - left);
  job.height = std::max(1, static_cast<int>(std::ceil(y1)) - top);
  job.pixelsPerCm = q;
  job.originX = -left;
  job.originY = -top;
  job.texturedOnly = true;
  if (!PainterReady(target)) return false;
  QImage image;
  if (!RenderJob(model, settings, job, image)) return false;
  const double kx = request.deviceUnitsPerCmX, ky = request.deviceUnitsPerCmY;
  const QRectF place(settings.dPageMarginSide * kx + (left - tx0) / q * kx,
                     settings.dPageMarginTop * ky + (top - ty0) / q * ky, job.width / q * kx, job.height / q * ky);
  target.drawImage(place, image);
  return true;
}

// The job of a request: the page's tile or the whole development at the
// buffer's corner.
RasterJob JobOf(const Model& model, const Settings& settings, const RasterPageRequest& request) {
  const double q = request.pixelsPerCm;
  const double s = model.devScale;
  RasterJob job;
  job.width = request.width;
  job.height = request.height;
  job.pixelsPerCm = q;
  job.texturedOnly = request.mode == RasterMode::TexturedFaces;
  job.labels = !request.printing && !request.pageTile;
  job.geometry = request.geometry;
  job.tick = request.tick;
  if (request.printing || request.pageTile) {
    // The page's tile at the buffer's top-left corner.
    const double w = PrintableWidth(settings);
    const double h = PrintableHeight(settings);
    job.originX = -q * w * request.pageColumn;
    job.originY = -q * h * request.pageRow;
  } else {
    // The development's top-left corner at the buffer's top-left corner.
    const DevelopmentBounds box = RasterPictureBoundsOf(model, settings);
    job.originX = -box.x * s * q;
    job.originY = -box.y * s * q;
    job.cornerX = box.x;
    job.cornerY = box.y;
  }
  return job;
}

}  // namespace

RasterPageRequest MakePrintRasterRequest(const Settings& settings, int column, int row, double dpiX, double dpiY,
                                         bool printing, RasterMode mode) {
  const double p = settings.printPpi;
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  const double kx = dpiX * kInchPerCm;
  const double ky = dpiY * kInchPerCm;
  RasterPageRequest r;
  r.mode = mode;
  r.width = static_cast<int>(p * w * kInchPerCm);
  r.height = static_cast<int>(p * h * kInchPerCm);
  r.pixelsPerCm = p * kInchPerCm;
  r.printing = printing;
  r.pageTile = true;
  r.pageColumn = column;
  r.pageRow = row;
  r.deviceUnitsPerCmX = kx;
  r.deviceUnitsPerCmY = ky;
  return r;
}

QRectF PrintRasterDestination(const Settings& settings, double dpiX, double dpiY) {
  const double kx = dpiX * kInchPerCm;
  const double ky = dpiY * kInchPerCm;
  return QRectF(settings.dPageMarginSide * kx, settings.dPageMarginTop * ky, PrintableWidth(settings) * kx,
                PrintableHeight(settings) * ky);
}

bool RenderRasterPageImage(const Model& model, const Settings& settings, const RasterPageRequest& request,
                           QImage& image) {
  if (request.cancelPaneMode) request.cancelPaneMode();
  return RenderJob(model, settings, JobOf(model, settings, request), image);
}

RasterPageRows::RasterPageRows() = default;
RasterPageRows::~RasterPageRows() = default;

int RasterPageRows::width() const {
  return buffer_ ? buffer_->width() : image_.width();
}

int RasterPageRows::height() const {
  return buffer_ ? buffer_->height() : image_.height();
}

void RasterPageRows::Bgr24Row(int y, std::uint8_t* out) const {
  const int w = width();
  if (buffer_) {
    // The buffer keeps the bottom row first, as B G R A.
    const std::uint8_t* line = buffer_->Bits() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4;
    for (int x = 0; x < w; ++x) {
      std::uint8_t b = line[x * 4], g = line[x * 4 + 1], r = line[x * 4 + 2];
      if (whiten_ && b > 251 && g > 251 && r > 251) b = g = r = 255;
      out[x * 3] = b;
      out[x * 3 + 1] = g;
      out[x * 3 + 2] = r;
    }
    return;
  }
  const auto* src = reinterpret_cast<const std::uint32_t*>(image_.constScanLine(image_.height() - 1 - y));
  for (int x = 0; x < w; ++x) {
    out[x * 3] = static_cast<std::uint8_t>(src[x] & 0xFF);
    out[x * 3 + 1] = static_cast<std::uint8_t>((src[x] >> 8) & 0xFF);
    out[x * 3 + 2] = static_cast<std::uint8_t>((src[x] >> 16) & 0xFF);
  }
}

bool RenderRasterPageRows(const Model& model, const Settings& settings, const RasterPageRequest& request,
                          RasterPageRows& rows) {
  if (request.cancelPaneMode) request.cancelPaneMode();
  const RasterJob job = JobOf(model, settings, request);
  auto context = DrawJob(model, settings, job);
  if (!context) return false;
  if (WantsLabels(model, job)) {
    rows.image_ = FinishImage(model, settings, job, *context);
    rows.buffer_.reset();
  } else {
    rows.buffer_ = std::move(context);
    rows.whiten_ = settings.bSlideColorToWhite;
  }
  return true;
}

bool DrawRasterPage(const Model& model, const Settings& settings, const RasterPageRequest& request, QPainter& target,
                    const QRectF& destination) {
  if (request.printing && request.mode == RasterMode::TexturedFaces)
    return RenderTextureLayer(model, settings, request, target);
  if (request.cancelPaneMode) request.cancelPaneMode();
  if (!PainterReady(target)) return false;
  QImage image;
  if (!RenderJob(model, settings, JobOf(model, settings, request), image)) return false;
  target.drawImage(destination, image);
  return true;
}

RasterPageRequest WholeDevelopmentRequest(int width, int height, double pixelsPerCm,
                                          const std::function<void()>& cancelPaneMode, const WorkTick* tick) {
  RasterPageRequest request;
  request.tick = tick;
  request.width = width;
  request.height = height;
  request.pixelsPerCm = pixelsPerCm;
  request.cancelPaneMode = cancelPaneMode;
  return request;
}

bool RenderDevelopmentImage(const Model& model, const Settings& settings, int width, int height, double pixelsPerCm,
                            const std::function<void()>& cancelPaneMode, QImage& image, const WorkTick* tick) {
  return RenderRasterPageImage(model, settings,
                               WholeDevelopmentRequest(width, height, pixelsPerCm, cancelPaneMode, tick), image);
}

}  // namespace plicora
