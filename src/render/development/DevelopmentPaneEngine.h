#pragma once
// The development pane without a window: it owns the off-screen picture of
// the sheets and the development, the view values (fit, zoom, pan), the
// navigation gestures and "Check Corresponding Surface" clicks, and reacts to
// document update hints. A GUI pane forwards its events here and paints the
// picture; tests play gestures the same way.

#include <QImage>
#include <QPainter>
#include <array>
#include <functional>
#include <memory>

#include "core/document/VorlanDoc.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/development/DevelopmentRasterRenderer.h"
#include "render/development/DevelopmentView.h"
#include "render/platform/GlOutlineFont.h"
#include "render/platform/OffscreenGlContext.h"
#include "render/view3d/ModelViewEngine.h"

namespace plicora {

/// The width of one sheet on screen stays within these pixels.
inline constexpr double kMinSheetPixels = 20.0;
inline constexpr double kMaxSheetPixels = 20000.0;
/// Zoom factors of Zoom In and Zoom Out.
inline constexpr double kZoomInFactor = 1.2;
inline constexpr double kZoomOutFactor = 0.8333333333333334;
/// Scale factors of Scale Up and Scale Down Development.

struct DevelopmentPaneCallbacks {
  std::function<void()> invalidate;              ///< the pane should be painted again
  std::function<void(int hint)> updateAllViews;  ///< both panes (after a pick)
};

/// Where the pane's picture lies in the buffer, which is a frame larger than
/// the picture, and what OpenGL is given for it.
struct FramePlacement {
  RasterDrawParams params;  ///< for the whole buffer
  BufferRect picture;       ///< the picture's pixels in the buffer
  /// What OpenGL is given for the frame: equal keys draw equal pixels at the same place in it.
  std::array<float, 5> key{};
};

class DevelopmentPaneEngine {
 public:
  explicit DevelopmentPaneEngine(CVorlanDoc& doc);
  ~DevelopmentPaneEngine();
  DevelopmentPaneEngine(const DevelopmentPaneEngine&) = delete;
  DevelopmentPaneEngine& operator=(const DevelopmentPaneEngine&) = delete;

  void SetCallbacks(DevelopmentPaneCallbacks callbacks) { callbacks_ = std::move(callbacks); }

  /// Device pixels per client pixel (2 on a high-DPI screen): the picture
  /// is rendered at device pixels, while the view, the mouse, the zoom
  /// limits and the click tolerance stay in client pixels. Takes effect at
  /// the next Resize.
  void SetPixelRatio(double ratio) { pixelRatio_ = ratio > 0.0 ? ratio : 1.0; }
  double pixelRatio() const { return pixelRatio_; }
  /// New client size: the fit is recomputed, the picture made anew.
  void Resize(int width, int height);
  /// Brings the cached picture up to date (a full render when one is needed
  /// or "Render All" is on). False when there is no usable picture.
  bool Render();
  /// Paints what the pane shows onto a painter of the client's size: the
  /// cached picture, shifted while a fast pan is in progress.
  void Compose(QPainter& painter);
  /// The cached picture, row 0 at the top, in device pixels and carrying
  /// the pixel ratio.
  const QImage& Image() const { return image_; }

  /// Reaction to a document update hint; every hint ends with a full render.
  void OnUpdate(int hint);
  /// "Show Entire": fit, zoom 1, no pan.
  void ShowEntire();
  /// Ends a drag in progress (a mode command was chosen mid-gesture).
  void CancelInteraction();

  void MousePress(MouseButton button, int x, int y, const PointerState& state);
  void MouseRelease(MouseButton button, int x, int y, const PointerState& state);
  void MouseMove(int x, int y, const PointerState& state);
  /// A wheel event of a signed amount (120 per notch) with the cursor at a
  /// client point (the centre when none is given). With "Zoom at Cursor"
  /// the development point under the cursor stays where it is, and a notch
  /// toward the user undoes a notch away exactly; otherwise the pane zooms
  /// about its centre by 1 - amount / 1000.
  void Wheel(int amount);
  void Wheel(int amount, double x, double y);

  const DevelopmentView& view() const { return view_; }
  SheetArea sheetArea() const;
  bool renderNeeded() const { return renderNeeded_; }
  bool fastPanning() const { return fastPan_; }
  /// Whether the last picture was the one before it moved, with only the
  /// uncovered strips drawn.
  bool lastRenderScrolled() const { return scrolled_; }
  /// Pixels the cached picture is shifted by during a fast pan.
  QPoint fastPanOffset() const;

 private:
  bool HasDevelopment() const { return doc_.model() && doc_.hasDevelopment(); }
  void RequestRender();
  void Fit();
  /// Applies a zoom factor when the sheet's width stays within the limits;
  /// `checkLow`/`checkHigh` choose which limit applies.
  bool ApplyZoom(double factor, bool checkLow, bool checkHigh);
  /// After the document changed the page grid (scale, mirror): moves the
  /// view so that the sheet area stays centred where it was.
  void KeepSheetsCentred();
  void Pick(int x, int y);
  /// The face of the pattern under a client pixel, or null.
  Face* FaceUnder(int x, int y) const;
  /// Find Partner: highlights the join of the numbered side nearest to a
  /// client pixel; false when no numbered side is near.
  bool FindPartner(int x, int y);
  /// Pans so that the shown end of the highlighted join is in the centre.
  void ShowJoinEnd();
  /// Pans so that the selected part's box is in the centre.
  void ShowSelectedPart();
  bool EnsureTarget();
  /// The raster parameters of the view with the picture placed in the frame.
  FramePlacement Place();
  /// Brings the kept picture to a pan moved by whole device pixels within
  /// the frame: only the strips that come into view are drawn. False when
  /// the frame would be drawn differently (the move is not whole pixels,
  /// leaves the frame or nothing of the picture).
  bool Scroll();
  /// The picture with the overlay drawn on it becomes what the pane shows.
  void ShowPicture(QImage picture);
  void DrawOverlay();

  CVorlanDoc& doc_;
  DevelopmentPaneCallbacks callbacks_;
  DevelopmentView view_;
  std::unique_ptr<OffscreenGlContext> context_;
  bool targetValid_ = false;
  double pixelRatio_ = 1.0;
  double targetRatio_ = 1.0;  ///< the ratio the target was made for
  GlFont font_;
  /// The arrays of the last picture; forgotten on every update hint.
  RasterGeometryCache geometry_;
  QImage image_;
  bool renderNeeded_ = true;
  /// The pan has moved since the last picture (Render All).
  bool scrolling_ = false;
  FramePlacement shown_;  ///< of the last picture
  bool scrolled_ = false;
  int lastX_ = 0, lastY_ = 0;
  int pressX_ = 0, pressY_ = 0;
  int leftPressX_ = 0, leftPressY_ = 0;
  bool dragging_ = false;
  bool fastPan_ = false;
  int dragX_ = 0, dragY_ = 0;
  /// The page grid as the last update hint left it.
  PageLayout shownPages_;
};

}  // namespace plicora
