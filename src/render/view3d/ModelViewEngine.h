#pragma once
// The 3D pane without a window: it owns the off-screen rendering target, the
// camera and the picking state, and reacts to plain inputs (a size, a paint
// request, mouse buttons and moves with their Shift/Ctrl state, wheel
// amounts, document update hints). A GUI pane forwards its events here and
// shows the picture; tests play gestures the same way.

#include <QImage>
#include <functional>
#include <memory>
#include <optional>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/view3d/FacePicking.h"
#include "core/view3d/ModelViewCamera.h"
#include "core/view3d/ViewShellState.h"
#include "render/platform/OffscreenGlContext.h"
#include "render/view3d/ModelHighlightDrawing.h"
#include "render/view3d/ModelRenderer.h"

namespace plicora {

enum class MouseButton { Left, Right, Middle };

/// Buttons and keys held during a mouse event.
struct PointerState {
  bool left = false;
  bool right = false;
  bool middle = false;
  bool shift = false;
  bool ctrl = false;
};

/// What the engine asks of its surroundings.
struct ModelViewCallbacks {
  std::function<void()> invalidate;                 ///< the pane should be painted again
  std::function<void(int hint)> updateAllViews;     ///< document update of every pane
  std::function<void()> documentModified;           ///< the model was changed
  std::function<void()> playPickSound;              ///< an edge mark was toggled
  std::function<void(int x, int y)> showPopupMenu;  ///< the edge-specify menu at a client point
  /// Find Partner: the face clicked (null for a click beside the model).
  std::function<void(const Face* face)> findPartnerFace;
};

class ModelViewEngine {
 public:
  ModelViewEngine(Settings& settings, const ViewShellState& shell);
  ~ModelViewEngine();
  ModelViewEngine(const ModelViewEngine&) = delete;
  ModelViewEngine& operator=(const ModelViewEngine&) = delete;

  void SetCallbacks(ModelViewCallbacks callbacks) { callbacks_ = std::move(callbacks); }
  /// The current model, or null. The caller then sends the update hint.
  /// The marks of the previous model are dropped.
  void SetModel(Model* model);
  /// The build-mode marks drawn over the frame (sides of the current model).
  void SetHighlights(ModelHighlights marks);
  const ModelHighlights& highlights() const { return highlights_; }
  Model* model() const { return model_; }
  /// The parts drawn faded (one flag per part index); the caller then sends
  /// the update hint.
  void SetFadedParts(std::vector<char> faded) { fadedParts_ = std::move(faded); }

  /// Device pixels per client pixel (a high-DPI screen has 2). The picture
  /// is rendered at device pixels; every mouse position, the click and pick
  /// tolerances and the camera's gestures stay in client pixels. Takes
  /// effect at the next Resize.
  void SetPixelRatio(double ratio);
  double pixelRatio() const { return pixelRatio_; }
  /// New client size. The rendering context is created on the first size
  /// that is not zero and kept for later sizes.
  void Resize(int width, int height);
  /// Renders the scene into the target. False when there is no usable target.
  bool Paint();
  /// Starts gathering the next frame's faces on another thread while this
  /// one does other work (see ModelRenderer::PrepareTriangles); the model
  /// must not change meanwhile. Paint waits for what is still running.
  void PrepareFrame();
  /// Whether the faces started by PrepareFrame are still being gathered.
  bool preparing() const { return renderer_.preparing(); }
  /// Stops gathering them; the next Paint gathers the faces itself.
  void StopPreparing() { renderer_.StopPreparing(); }
  /// The target (bottom-up BGRA) or null.
  const OffscreenGlContext* target() const { return targetValid_ ? context_.get() : nullptr; }
  /// OpenGL's largest texture side in the pane's context; 0 before the
  /// context exists (the first Resize to a size that is not zero).
  int MaxTextureSize() const { return context_ ? context_->MaxTextureSize() : 0; }
  /// The last painted picture, row 0 at the top (null image without target),
  /// in device pixels and carrying the pixel ratio.
  QImage Image() const;

  /// Reaction to a document update hint.
  void OnUpdate(int hint);
  /// Camera and fixed state reset, then a redraw (file opened, Reset View).
  /// The reset camera stays when it shows the whole model; otherwise the
  /// model is fitted (at the first size when the pane has none yet).
  void ResetView();
  /// Centres the camera on the model's bounding box at the distance that
  /// shows all of it (within the zoom limits); the rotation stays.
  void FitModel();
  /// Re-applies the texture filters from "Smooth Texture View".
  void ApplyTextureFilter();

  void MousePress(MouseButton button, int x, int y, const PointerState& state);
  void MouseRelease(MouseButton button, int x, int y, const PointerState& state);
  void MouseMove(int x, int y, const PointerState& state);
  /// A wheel event of a signed amount (120 per notch).
  void Wheel(int amount);

  /// The matrices of the last projection update, read from the context.
  std::optional<PickMatrices> ReadPickMatrices();
  /// Loads the projection of the current camera.
  void UpdateProjection();

  ModelViewCamera& camera() { return camera_; }
  const ModelViewCamera& camera() const { return camera_; }
  ModelRenderer& renderer() { return renderer_; }
  bool isDragging() const { return isDragging_; }
  const Edge* hoveredEdge() const { return hoveredEdge_; }
  int viewWidth() const { return viewWidth_; }
  int viewHeight() const { return viewHeight_; }

 private:
  void Invalidate();
  /// The rule of a reset camera: fits the model when the camera misses part
  /// of it. Waits for a size when the pane has none.
  void FitIfModelOutside();
  void RightPress(int x, int y, const PointerState& state);
  void RightRelease(int x, int y);
  void LeftRelease(int x, int y);
  void Hover(int x, int y);
  void ToggleHoveredEdge();
  bool WithinClick(int x, int y) const;

  Settings& settings_;
  const ViewShellState& shell_;
  ModelViewCallbacks callbacks_;
  Model* model_ = nullptr;
  std::vector<char> fadedParts_;
  std::unique_ptr<OffscreenGlContext> context_;
  bool targetValid_ = false;
  ModelRenderer renderer_;
  ModelViewCamera camera_;
  int viewWidth_ = 0, viewHeight_ = 0;
  int targetWidth_ = 0, targetHeight_ = 0;  ///< device pixels
  double pixelRatio_ = 1.0;
  int halfWidth_ = 0, halfHeight_ = 0;
  bool isDragging_ = false;
  bool resetFitPending_ = false;
  Edge* hoveredEdge_ = nullptr;
  ModelHighlights highlights_;
  int lastX_ = 0, lastY_ = 0;
  int pressX_ = 0, pressY_ = 0;
};

}  // namespace plicora
