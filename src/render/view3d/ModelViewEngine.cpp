#include "render/view3d/ModelViewEngine.h"

#include <GL/gl.h>

#include "core/document/UpdateHints.h"
#include "core/model/EdgeTypes.h"
#include "core/model/FaceRegions.h"
#include "core/model/Geometry.h"
#include "core/platform/MessageSink.h"
#include "core/view3d/CameraFit.h"

namespace plicora {
namespace {

constexpr long long kClickSquaredPixels = 9;  // press and release at most 3 pixels apart
constexpr int kLargestTarget = 16384;

}  // namespace

ModelViewEngine::ModelViewEngine(Settings& settings, const ViewShellState& shell) : settings_(settings), shell_(shell) {
  camera_.ResetCamera();
}

ModelViewEngine::~ModelViewEngine() = default;

void ModelViewEngine::SetModel(Model* model) {
  model_ = model;
  hoveredEdge_ = nullptr;
  highlights_ = ModelHighlights{};
  renderer_.InvalidateCache();
}

void ModelViewEngine::SetHighlights(ModelHighlights marks) {
  highlights_ = std::move(marks);
  Invalidate();
}

void ModelViewEngine::Invalidate() {
  if (callbacks_.invalidate) callbacks_.invalidate();
}

void ModelViewEngine::SetPixelRatio(double ratio) {
  pixelRatio_ = ratio > 0.0 ? ratio : 1.0;
  renderer_.SetLineScale(static_cast<float>(pixelRatio_));
}

void ModelViewEngine::Resize(int logicalWidth, int logicalHeight) {
  viewWidth_ = logicalWidth;
  viewHeight_ = logicalHeight;
  halfWidth_ = logicalWidth / 2;
  halfHeight_ = logicalHeight / 2;
  const int width = DevicePixels(logicalWidth, pixelRatio_), height = DevicePixels(logicalHeight, pixelRatio_);
  targetWidth_ = width;
  targetHeight_ = height;
  if (width <= 0 || height <= 0) return;
  targetValid_ = false;
  if (width > kLargestTarget || height > kLargestTarget) {
    ShowMessage("CreateCompatibleDIB - CreateDIBSection failed", MessageKind::Error);
    ShowMessage("DIB Create Failed", MessageKind::Error);
    return;
  }
  if (!context_) {
    std::string error;
    context_ = OffscreenGlContext::Create(width, height, &error);
    if (!context_) {
      ShowMessage("Rendering Context Create Failed", MessageKind::Error);
      return;
    }
  } else if (!context_->Resize(width, height)) {
    ShowMessage("DIB Create Failed", MessageKind::Error);
    return;
  }
  {
    OffscreenGlContext::Scope scope(*context_);
    if (!scope.ok()) {
      ShowMessage("wglMakeCurrent Failed", MessageKind::Error);
      return;
    }
    renderer_.InitGlState(settings_);
    if (resetFitPending_) FitIfModelOutside();
    ModelRenderer::UpdateProjection(camera_, width, height);
  }
  targetValid_ = true;
  Invalidate();
}

bool ModelViewEngine::Paint() {
  if (!targetValid_) return false;
  OffscreenGlContext::Scope scope(*context_);
  if (!scope.ok()) return false;
  const SceneInputs scene{model_, &shell_, isDragging_, hoveredEdge_, &fadedParts_};
  renderer_.RenderScene(scene, settings_);
  if (model_)
    DrawModelHighlights(*model_, highlights_, settings_.colors[kColorJoinHighlight],
                        shell_.hasDevelopment && settings_.bEnhanceCutEdgeOpen, static_cast<float>(pixelRatio_));
  glFinish();
  return true;
}

void ModelViewEngine::PrepareFrame() {
  if (!targetValid_ || !model_) return;
  const SceneInputs scene{model_, &shell_, isDragging_, hoveredEdge_, &fadedParts_};
  renderer_.PrepareTriangles(scene, settings_);
}

QImage ModelViewEngine::Image() const {
  if (!targetValid_) return QImage();
  QImage image = context_->ToImage();
  image.setDevicePixelRatio(pixelRatio_);
  return image;
}

void ModelViewEngine::UpdateProjection() {
  if (!targetValid_ || targetWidth_ <= 0 || targetHeight_ <= 0) return;
  OffscreenGlContext::Scope scope(*context_);
  if (scope.ok()) ModelRenderer::UpdateProjection(camera_, targetWidth_, targetHeight_);
}

void ModelViewEngine::OnUpdate(int hint) {
  // Any other hint may follow a change of the model's data or of the settings.
  if (!OnlyMarksChanged(hint)) renderer_.InvalidateCache();
  switch (hint) {
    case HINT_FILE_OPENED:
    case HINT_RESET_VIEW:
      ResetView();
      return;
    case HINT_TEXTURE_FILTER_CHANGED:
      ApplyTextureFilter();
      return;
    default:
      Invalidate();
      return;
  }
}

void ModelViewEngine::ResetView() {
  camera_.ResetCamera();
  resetFitPending_ = true;
  FitIfModelOutside();
  if (targetValid_) {
    OffscreenGlContext::Scope scope(*context_);
    if (scope.ok()) {
      renderer_.ResetFixedState();
      ModelRenderer::UpdateProjection(camera_, targetWidth_, targetHeight_);
    }
  }
  // The next paint renders the scene: rendering here as well would draw a
  // large model twice.
  Invalidate();
}

// The camera is judged by the picture drawn: the target's shape.
void ModelViewEngine::FitIfModelOutside() {
  if (targetWidth_ <= 0 || targetHeight_ <= 0) return;
  resetFitPending_ = false;
  if (!model_) return;
  const std::optional<Box3> box = ModelBounds(*model_);
  if (box && !CameraShowsBox(camera_, *box, targetWidth_, targetHeight_))
    FitCameraToBox(camera_, *box, targetWidth_, targetHeight_);
}

void ModelViewEngine::FitModel() {
  if (!model_) return;
  const std::optional<Box3> box = ModelBounds(*model_);
  if (!box) return;
  FitCameraToBox(camera_, *box, targetWidth_, targetHeight_);
  UpdateProjection();
  Invalidate();
}

void ModelViewEngine::ApplyTextureFilter() {
  if (targetValid_) {
    OffscreenGlContext::Scope scope(*context_);
    if (scope.ok()) renderer_.ApplyTextureFilter(settings_.bTextureSmooth);
  }
  Invalidate();
}

std::optional<PickMatrices> ModelViewEngine::ReadPickMatrices() {
  if (!targetValid_) return std::nullopt;
  OffscreenGlContext::Scope scope(*context_);
  if (!scope.ok()) return std::nullopt;
  PickMatrices m;
  glPushMatrix();
  glGetDoublev(GL_MODELVIEW_MATRIX, m.modelView.data());
  glGetDoublev(GL_PROJECTION_MATRIX, m.projection.data());
  glPopMatrix();
  // The projection is the same at any pixel density: picking projects into
  // client pixels, where the cursor and the pick tolerances are.
  m.viewport = {0, 0, viewWidth_, viewHeight_};
  return m;
}

bool ModelViewEngine::WithinClick(int x, int y) const {
  return SquaredDistanceInt(IntPoint{pressX_, pressY_}, IntPoint{x, y}) <= kClickSquaredPixels;
}

void ModelViewEngine::MousePress(MouseButton button, int x, int y, const PointerState& state) {
  switch (button) {
    case MouseButton::Left:
      pressX_ = x;
      pressY_ = y;
      return;
    case MouseButton::Right:
      RightPress(x, y, state);
      return;
    case MouseButton::Middle:
      if (model_) isDragging_ = true;
      return;
  }
}

void ModelViewEngine::RightPress(int x, int y, const PointerState&) {
  if (!model_) return;
  pressX_ = x;
  pressY_ = y;
  camera_.trackball.SetRadiusFromHalfSize(halfWidth_, halfHeight_);
  // Zoom (Shift), move (Ctrl) and rotate all start from the press point; the
  // sphere point is taken for each of them, so that letting go of Shift or
  // Ctrl during the drag turns the model about the press point.
  lastX_ = x;
  lastY_ = y;
  camera_.trackball.BeginDrag(x, y, halfWidth_, halfHeight_);
  isDragging_ = true;
}

void ModelViewEngine::MouseRelease(MouseButton button, int x, int y, const PointerState&) {
  switch (button) {
    case MouseButton::Left:
      LeftRelease(x, y);
      return;
    case MouseButton::Right:
      RightRelease(x, y);
      return;
    case MouseButton::Middle: {
      const bool wasDragging = isDragging_;
      isDragging_ = false;
      // Redrawn as after a right drag, so that the full rendering returns.
      if (wasDragging) Invalidate();
      return;
    }
  }
}

void ModelViewEngine::RightRelease(int x, int y) {
  if (!model_) return;
  camera_.trackball.SetRadiusFromHalfSize(halfWidth_, halfHeight_);
  camera_.trackball.CommitDrag();
  if (WithinClick(x, y) && !shell_.hasDevelopment && callbacks_.showPopupMenu) callbacks_.showPopupMenu(x, y);
  if (isDragging_) {
    isDragging_ = false;
    Invalidate();
  }
}

void ModelViewEngine::MouseMove(int x, int y, const PointerState& state) {
  if (!model_) return;
  camera_.trackball.SetRadiusFromHalfSize(halfWidth_, halfHeight_);
  if ((state.right && state.ctrl) || state.middle) {
    const int dx = x - lastX_;
    const int dy = lastY_ - y;
    lastX_ = x;
    lastY_ = y;
    camera_.Move(dx, dy);
  } else if (state.right && state.shift) {
    const int delta = (x - lastX_) + (y - lastY_);
    lastX_ = x;
    lastY_ = y;
    camera_.Zoom(0.01 * delta);
  } else if (state.right) {
    lastX_ = x;
    lastY_ = y;
    camera_.trackball.DragRotation(x, y, halfWidth_, halfHeight_);
  } else {
    Hover(x, y);
    return;
  }
  UpdateProjection();
  Invalidate();
}

void ModelViewEngine::Wheel(int amount) {
  camera_.Wheel(amount, settings_.bZoomWheelInvert);
  UpdateProjection();
  Invalidate();
}

void ModelViewEngine::Hover(int x, int y) {
  lastX_ = x;
  lastY_ = y;
  if (shell_.hasDevelopment || shell_.edgeSpecifyMode == 0) return;
  const std::optional<PickMatrices> matrices = ReadPickMatrices();
  if (!matrices) return;
  Edge* edge = PickEdge(*model_, *matrices, x, y);
  if (edge && !IsMarkableEdge(*edge, settings_)) edge = nullptr;
  if (edge != hoveredEdge_) {
    hoveredEdge_ = edge;
    Invalidate();
  }
}

void ModelViewEngine::LeftRelease(int x, int y) {
  if (!model_ || !WithinClick(x, y)) return;
  const std::optional<PickMatrices> matrices = ReadPickMatrices();
  if (!matrices) return;
  if (shell_.developmentEditMode == kCheckCorrespondingSurfaceMode) {
    MarkCorrespondingFaces(*model_, PickFace(*model_, *matrices, x, y), settings_);
    if (callbacks_.updateAllViews) callbacks_.updateAllViews(HINT_NONE);
    return;
  }
  if (shell_.developmentEditMode == kFindPartnerMode && shell_.hasDevelopment) {
    if (callbacks_.findPartnerFace) callbacks_.findPartnerFace(PickFace(*model_, *matrices, x, y));
    return;
  }
  if (!shell_.hasDevelopment) ToggleHoveredEdge();
}

void ModelViewEngine::ToggleHoveredEdge() {
  Edge* edge = hoveredEdge_;
  hoveredEdge_ = nullptr;
  // The highlight may outlive its mode; a click then changes nothing.
  const int mode = shell_.edgeSpecifyMode;
  if (!edge || !IsMarkableEdge(*edge, settings_) || (mode != kSpecifyCutEdgeMode && mode != kSpecifyKeepEdgeMode)) {
    Invalidate();
    return;
  }
  if (callbacks_.documentModified) callbacks_.documentModified();
  const int marked = mode == kSpecifyCutEdgeMode ? kEdgeMarkedCut : kEdgeMarkedKeep;
  edge->type = edge->type == marked ? kEdgeOrdinary : marked;
  renderer_.InvalidateCache();
  if (callbacks_.playPickSound) callbacks_.playPickSound();
  Invalidate();
}

}  // namespace plicora
