#include "render/development/DevelopmentPaneEngine.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/development/DevelopmentPicking.h"
#include "core/development/JoinEnds.h"
#include "core/document/UpdateHints.h"
#include "core/platform/FontFaceNames.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/development/JoinHighlightDrawing.h"
#include "render/development/PageDrawing.h"
#include "render/development/TextLabelRenderer.h"

namespace plicora {
namespace {

constexpr long long kClickSquaredPixels = 9;  // press and release at most 3 pixels apart
constexpr int kLargestTarget = 16384;
constexpr double kPartnerClickPixels = 12.0;  // a click this near a numbered side (or its number) finds it
constexpr double kWheelZoomPerUnit = 0.001;   // one notch of 120 zooms by 12 percent
constexpr double kDragZoomPerPixel = 0.01;
const QColor kUncoveredGrey(127, 127, 127);

/// Device pixels the buffer reaches beyond the picture to the right and
/// below: the picture is a window that slides over a frame fixed to the
/// development, so a pan within it draws only what comes into view.
constexpr int kFrameSlack = 512;

/// Where the picture lies in the frame along one axis, for the development
/// origin at buffer pixel `origin`: the frame keeps the origin's whole
/// pixels modulo `slack`, so moving the view by whole pixels within a
/// stretch of `slack` moves only the window.
int FrameOffset(double origin, int slack) {
  if (slack <= 0) return 0;
  const long long whole = static_cast<long long>(std::floor(origin));
  return static_cast<int>(((-whole) % slack + slack) % slack);
}

/// The rectangle of the context's bottom-up buffer as a picture with row 0
/// at the top.
QImage CropPicture(const OffscreenGlContext& context, const BufferRect& r) {
  QImage image(r.width, r.height, QImage::Format_RGB32);
  const std::size_t rowBytes = static_cast<std::size_t>(context.width()) * 4;
  for (int y = 0; y < r.height; ++y) {
    const std::uint8_t* row = context.Bits() + static_cast<std::size_t>(context.height() - 1 - r.top - y) * rowBytes;
    std::memcpy(image.scanLine(y), row + static_cast<std::size_t>(r.left) * 4, static_cast<std::size_t>(r.width) * 4);
  }
  return image;
}

}  // namespace

DevelopmentPaneEngine::DevelopmentPaneEngine(CVorlanDoc& doc) : doc_(doc) {}

DevelopmentPaneEngine::~DevelopmentPaneEngine() {
  if (context_ && font_.listBase != 0) {
    OffscreenGlContext::Scope scope(*context_);
    if (scope.ok()) DeleteGlFont(font_);
  }
}

SheetArea DevelopmentPaneEngine::sheetArea() const {
  return MakeSheetArea(doc_.settings(), doc_.pages().columns, doc_.pages().rows);
}

void DevelopmentPaneEngine::RequestRender() {
  renderNeeded_ = true;
  if (callbacks_.invalidate) callbacks_.invalidate();
}

void DevelopmentPaneEngine::Resize(int clientWidth, int clientHeight) {
  const bool unchanged =
      clientWidth == view_.clientWidth && clientHeight == view_.clientHeight && pixelRatio_ == targetRatio_;
  view_.clientWidth = clientWidth;
  view_.clientHeight = clientHeight;
  view_.viewFit = FitViewScale(clientWidth, clientHeight, sheetArea());
  if (clientWidth <= 0 || clientHeight <= 0 || (unchanged && targetValid_)) return;
  targetValid_ = false;
  targetRatio_ = pixelRatio_;
  const int width = DevicePixels(clientWidth, pixelRatio_), height = DevicePixels(clientHeight, pixelRatio_);
  if (width > kLargestTarget || height > kLargestTarget) {
    ShowMessage("DIB Create Failed", MessageKind::Error);
    return;
  }
  const int slack = std::clamp(kLargestTarget - std::max(width, height), 0, kFrameSlack);
  if (!context_) {
    context_ = OffscreenGlContext::Create(width + slack, height + slack);
    if (!context_) {
      ShowMessage("Rendering Context Create Failed", MessageKind::Error);
      return;
    }
  } else if (!context_->Resize(width + slack, height + slack)) {
    ShowMessage("DIB Create Failed", MessageKind::Error);
    return;
  }
  {
    OffscreenGlContext::Scope scope(*context_);
    if (!scope.ok()) {
      ShowMessage("wglMakeCurrent Failed", MessageKind::Error);
      return;
    }
    InitDevelopmentGlState(doc_.settings());
    if (font_.listBase == 0) font_ = CreateGlFont(kJoinNumberFaceName);
  }
  targetValid_ = true;
  RequestRender();
}

FramePlacement DevelopmentPaneEngine::Place() {
  FramePlacement at;
  at.params = PaneRasterParams(view_, sheetArea(), doc_.model() ? doc_.model()->devScale : 1.0, targetRatio_);
  RasterDrawParams& p = at.params;
  const int slack = context_ ? std::min(context_->width() - p.width, context_->height() - p.height) : 0;
  at.picture = {FrameOffset(p.originX, slack), FrameOffset(p.originY, slack), p.width, p.height};
  p.pictureWidth = p.width;
  p.pictureHeight = p.height;
  p.width = context_ ? context_->width() : p.width;
  p.height = context_ ? context_->height() : p.height;
  p.originX += at.picture.left;
  p.originY += at.picture.top;
  p.sheetLeft += at.picture.left;
  p.sheetTop += at.picture.top;
  at.key = {static_cast<float>(p.pixelsPerCm), static_cast<float>(p.originX), static_cast<float>(p.height - p.originY),
            static_cast<float>(p.sheetLeft), static_cast<float>(p.height - p.sheetTop)};
  p.font = font_.listBase != 0 ? &font_ : nullptr;
  p.geometry = &geometry_;
  p.fadedParts = &doc_.builtParts();
  return at;
}

bool DevelopmentPaneEngine::Render() {
  if (!targetValid_) return false;
  const Settings& settings = doc_.settings();
  const bool kept = !renderNeeded_ && HasDevelopment() && !image_.isNull();
  scrolled_ = kept && scrolling_ && Scroll();
  scrolling_ = false;
  if (scrolled_ || (kept && !settings.bRenderAllGL)) return true;
  FramePlacement at = Place();
  {
    OffscreenGlContext::Scope scope(*context_);
    if (!scope.ok()) return false;
    at.params.clip = &at.picture;
    DrawDevelopmentRaster(HasDevelopment() ? doc_.model() : nullptr, settings, at.params);
    glFinish();
  }
  at.params.clip = nullptr;
  shown_ = at;
  ShowPicture(CropPicture(*context_, at.picture));
  renderNeeded_ = false;
  return true;
}

bool DevelopmentPaneEngine::Scroll() {
  FramePlacement at = Place();
  const BufferRect& now = at.picture;
  const BufferRect& before = shown_.picture;
  const int dx = before.left - now.left, dy = before.top - now.top;
  if (at.key != shown_.key || now.width != before.width || now.height != before.height || std::abs(dx) >= now.width ||
      std::abs(dy) >= now.height)
    return false;
  // The frame still holds the last picture; only what the window uncovers is drawn.
  std::vector<BufferRect> strips;
  if (dx != 0) strips.push_back({dx > 0 ? now.left : before.left + before.width, now.top, std::abs(dx), now.height});
  if (dy != 0) strips.push_back({now.left, dy > 0 ? now.top : before.top + before.height, now.width, std::abs(dy)});
  {
    OffscreenGlContext::Scope scope(*context_);
    if (!scope.ok()) return false;
    for (const BufferRect& strip : strips) {
      at.params.clip = &strip;
      at.params.cullToClip = true;
      DrawDevelopmentRaster(doc_.model(), doc_.settings(), at.params);
    }
    glFinish();
  }
  at.params.clip = nullptr;
  shown_ = at;
  ShowPicture(CropPicture(*context_, now));
  return true;
}

void DevelopmentPaneEngine::ShowPicture(QImage picture) {
  image_ = std::move(picture);
  image_.setDevicePixelRatio(targetRatio_);  // the overlay is drawn in client pixels
  DrawOverlay();
}

void DevelopmentPaneEngine::DrawOverlay() {
  if (!HasDevelopment()) return;
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const SheetArea area = sheetArea();
  if (doc_.showPageNumbers)
    DrawVerificationPageNumbers(painter, doc_.model(), doc_.settings(), doc_.pages(), view_, area);
  TextLabelPlacement placement;
  placement.target = TextLabelTarget::Pane;
  placement.view = view_;
  placement.area = area;
  const QColor highlight = JoinHighlightColor(doc_.settings());
  DrawPartTint(painter, *doc_.model(), doc_.SelectedPart(), view_, area, highlight);
  DrawTextLabels(painter, doc_.model(), placement);
  DrawJoinHighlight(painter, doc_.HighlightedSides(), view_, area, doc_.model()->devScale, highlight);
}

void DevelopmentPaneEngine::ShowSelectedPart() {
  const int selected = doc_.SelectedPart();
  if (!HasDevelopment() || selected < 0) return;
  const Model& model = *doc_.model();
  const Part& part = model.parts[static_cast<std::size_t>(selected)];
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const Face* face : part.faces) {
    for (const HalfEdge* h : face->ring) {
      const Point2 p = CornerOf(*h, part);
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
  }
  if (x0 > x1) return;
  CentreOnPoint(view_, sheetArea(), model.devScale, {(x0 + x1) / 2.0, (y0 + y1) / 2.0});
}

void DevelopmentPaneEngine::ShowJoinEnd() {
  const auto ends = doc_.HighlightedJoinEnds();
  if (!ends || !HasDevelopment()) return;
  const JoinEnd& end = (*ends)[doc_.joinHighlight().shownEnd];
  const double devScale = doc_.model()->devScale;
  if (devScale == 0.0) return;
  CentreOnPoint(view_, sheetArea(), devScale, {end.midCm.x / devScale, end.midCm.y / devScale});
}

QPoint DevelopmentPaneEngine::fastPanOffset() const {
  return fastPan_ ? QPoint(dragX_ - pressX_, dragY_ - pressY_) : QPoint();
}

void DevelopmentPaneEngine::Compose(QPainter& painter) {
  const QPoint offset = fastPanOffset();
  if (offset.isNull()) {
    painter.drawImage(0, 0, image_);
    return;
  }
  // What the shifted picture no longer covers: white on the (shifted) sheet
  // area, grey elsewhere.
  painter.fillRect(0, 0, view_.clientWidth, view_.clientHeight, kUncoveredGrey);
  const SheetArea area = sheetArea();
  const Point2 corner = SheetAreaCorner(view_, area);
  const double ppcm = view_.PixelsPerCm();
  painter.fillRect(
      QRectF(corner.x + offset.x(), corner.y + offset.y(), area.TotalWidth() * ppcm, area.TotalHeight() * ppcm),
      Qt::white);
  painter.drawImage(offset, image_);
}

void DevelopmentPaneEngine::Fit() {
  view_.viewFit = FitViewScale(view_.clientWidth, view_.clientHeight, sheetArea());
  view_.viewZoom = 1.0;
  view_.panX = 0.0;
  view_.panY = 0.0;
}

void DevelopmentPaneEngine::ShowEntire() {
  Fit();
  RequestRender();
}

void DevelopmentPaneEngine::CancelInteraction() {
  if (fastPan_) RequestRender();
  dragging_ = false;
  fastPan_ = false;
}

bool DevelopmentPaneEngine::ApplyZoom(double factor, bool checkLow, bool checkHigh) {
  const double zoom = view_.viewZoom * factor;
  const double sheetPixels = zoom * view_.viewFit * doc_.settings().paperWidth;
  if (checkHigh && !(sheetPixels <= kMaxSheetPixels)) return false;
  if (checkLow && !(sheetPixels >= kMinSheetPixels)) return false;
  view_.viewZoom = zoom;
  return true;
}

void DevelopmentPaneEngine::KeepSheetsCentred() {
  const PageLayout& now = doc_.pages();
  if (now.columns == shownPages_.columns && now.rows == shownPages_.rows) return;
  const SheetArea before = MakeSheetArea(doc_.settings(), shownPages_.columns, shownPages_.rows);
  const SheetArea after = sheetArea();
  const double ppcm = view_.PixelsPerCm();
  view_.panX += (after.TotalWidth() - before.TotalWidth()) * ppcm / 2.0 / view_.viewZoom;
  view_.panY -= (after.TotalHeight() - before.TotalHeight()) * ppcm / 2.0 / view_.viewZoom;
}

void DevelopmentPaneEngine::OnUpdate(int hint) {
  if (!OnlyMarksChanged(hint)) geometry_.Invalidate();  // others may follow a change of the model
  switch (hint) {
    case HINT_ZOOM_IN:
      ApplyZoom(kZoomInFactor, false, true);
      break;
    case HINT_ZOOM_OUT:
      ApplyZoom(kZoomOutFactor, true, false);
      break;
    case HINT_PAGES_CHANGED:
      Fit();
      break;
    case HINT_FILE_OPENED:
      fastPan_ = false;
      dragging_ = false;
      Fit();
      break;
    case HINT_TEXTURE_FILTER_CHANGED:
      if (targetValid_) {
        OffscreenGlContext::Scope scope(*context_);
        if (scope.ok()) InitDevelopmentGlState(doc_.settings());
      }
      break;
    case HINT_JOIN_END_SHOWN:
      ShowJoinEnd();
      break;
    case HINT_PART_SELECTED:
      ShowSelectedPart();
      break;
    case HINT_SCALE_UP:
    case HINT_SCALE_DOWN:
    case HINT_MIRROR:
      KeepSheetsCentred();
      break;
    default:
      break;
  }
  shownPages_ = doc_.pages();
  RequestRender();
}

void DevelopmentPaneEngine::MousePress(MouseButton button, int x, int y, const PointerState&) {
  if (!HasDevelopment()) return;
  if (button == MouseButton::Left) {
    leftPressX_ = x;
    leftPressY_ = y;
    return;
  }
  pressX_ = lastX_ = x;
  pressY_ = lastY_ = y;
  dragging_ = true;
}

void DevelopmentPaneEngine::MouseMove(int x, int y, const PointerState& state) {
  if (!HasDevelopment() || !dragging_) {
    lastX_ = x;
    lastY_ = y;
    return;
  }
  const int dx = x - lastX_;
  const int dy = y - lastY_;
  lastX_ = x;
  lastY_ = y;
  const Settings& settings = doc_.settings();
  if (state.right && state.shift) {
    const double k = 1.0 + (dx + dy) * kDragZoomPerPixel;
    ApplyZoom(settings.bZoomWheelInvert ? 1.0 / k : k, true, true);
    RequestRender();
  } else if (state.right || state.middle) {
    if (settings.bRenderAllGL) {
      // The picture follows at once: the frame keeps the pixels already
      // drawn and only the strips that come into view are drawn (a full
      // render when one is due anyway).
      view_.panX += dx / view_.viewZoom;
      view_.panY -= dy / view_.viewZoom;
      scrolling_ = true;
      if (callbacks_.invalidate) callbacks_.invalidate();
    } else {
      // Fast pan: the cached picture moves; one render when the drag ends.
      fastPan_ = true;
      dragX_ = x;
      dragY_ = y;
      if (callbacks_.invalidate) callbacks_.invalidate();
    }
  }
}

void DevelopmentPaneEngine::MouseRelease(MouseButton button, int x, int y, const PointerState&) {
  if (!HasDevelopment()) return;
  if (button == MouseButton::Left) {
    const long long dx = x - leftPressX_, dy = y - leftPressY_;
    if (dx * dx + dy * dy > kClickSquaredPixels) return;
    if (doc_.shell().developmentEditMode == kCheckCorrespondingSurfaceMode) Pick(x, y);
    if (doc_.shell().developmentEditMode == kFindPartnerMode && FindPartner(x, y)) return;
    if (doc_.joinHighlight().any() && !FaceUnder(x, y)) doc_.ClearJoinHighlight();
    return;
  }
  dragging_ = false;
  if (fastPan_) {
    view_.panX += (x - pressX_) / view_.viewZoom;
    view_.panY -= (y - pressY_) / view_.viewZoom;
    fastPan_ = false;
    RequestRender();
  }
}

void DevelopmentPaneEngine::Wheel(int amount) {
  Wheel(amount, view_.CentreX(), view_.CentreY());
}

void DevelopmentPaneEngine::Wheel(int amount, double x, double y) {
  if (!HasDevelopment()) return;
  const Settings& settings = doc_.settings();
  const double d = settings.bZoomWheelInvert ? -amount : amount;
  if (!settings.bZoomAtCursor) {
    ApplyZoom(1.0 - d * kWheelZoomPerUnit, true, true);
    RequestRender();
    return;
  }
  // Zooming out multiplies by 1 - |d| / 1000 and zooming in divides by it,
  // so that the notches cancel. The pan (pixels over the zoom) moves so that
  // the cursor's offset from the centre maps to the same paper point.
  const double step = 1.0 - std::abs(d) * kWheelZoomPerUnit;
  const double before = view_.viewZoom;
  if (step > 0.0 && ApplyZoom(d > 0 ? step : 1.0 / step, true, true)) {
    const double dx = x - view_.CentreX(), dy = y - view_.CentreY();
    view_.panX += dx / view_.viewZoom - dx / before;
    view_.panY -= dy / view_.viewZoom - dy / before;
  }
  RequestRender();
}

Face* DevelopmentPaneEngine::FaceUnder(int x, int y) const {
  Model& model = *doc_.model();
  const Point2 point = UnmapClientPoint(view_, sheetArea(), model.devScale, Point2{double(x), double(y)});
  return PickDevelopmentFace(model, point);
}

bool DevelopmentPaneEngine::FindPartner(int x, int y) {
  const Model& model = *doc_.model();
  const double unitPixels = view_.PixelsPerCm() * model.devScale;
  if (unitPixels <= 0.0) return false;
  const Point2 point = UnmapClientPoint(view_, sheetArea(), model.devScale, Point2{double(x), double(y)});
  const HalfEdge* side = NearestJoinSide(model, point, kPartnerClickPixels / unitPixels);
  return side && side->edge && doc_.HighlightJoin(side->edge->joinNumber);
}

void DevelopmentPaneEngine::Pick(int x, int y) {
  Model& model = *doc_.model();
  MarkCorrespondingFaces(model, FaceUnder(x, y), doc_.settings());
  geometry_.Invalidate();
  if (callbacks_.updateAllViews) callbacks_.updateAllViews(HINT_NONE);
  RequestRender();
}

}  // namespace plicora
