#pragma once
// OpenGL drawing of the 3D pane: the fixed state, the projection that holds
// the whole camera, and the frame (head light, faces by material, back
// sides, marked faces, edges, the highlighted material's outline). Every call
// expects the pane's rendering context to be current.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/view3d/ModelViewCamera.h"
#include "core/view3d/ViewShellState.h"

namespace plicora {

class PrimitiveWriter;
class RenderCache;

/// Everything one frame depends on besides the OpenGL state.
struct SceneInputs {
  const Model* model = nullptr;
  const ViewShellState* shell = nullptr;
  bool isDragging = false;
  const Edge* hoveredEdge = nullptr;
  /// One flag per part index: the faces of these parts are drawn faded
  /// (under a veil of the background colour). Null or empty: none.
  const std::vector<char>* fadedParts = nullptr;
};

class ModelRenderer {
 public:
  ModelRenderer();
  ~ModelRenderer();
  ModelRenderer(const ModelRenderer&) = delete;
  ModelRenderer& operator=(const ModelRenderer&) = delete;

  /// Sets the fixed state of the current context.
  void InitGlState(const Settings& settings);
  bool glInitialised() const { return glInitialised_; }
  /// Front face counter-clockwise, flat shading, both matrices identity (the
  /// state part of Reset View).
  void ResetFixedState();
  /// Viewport and projection for the camera and a w x h target.
  static void UpdateProjection(const ModelViewCamera& camera, int width, int height);
  /// Draws one frame (the caller flushes).
  void RenderScene(const SceneInputs& scene, const Settings& settings);
  /// Line widths in device pixels per width in client pixels (the pane's
  /// pixel ratio); the kept passes are drawn anew.
  void SetLineScale(float scale);
  /// Texture filters after "Smooth Texture View" changed.
  void ApplyTextureFilter(bool smooth);

  /// Buffers of vertex data kept between frames; the pixels are the same
  /// either way (on by default; tests compare both).
  void SetCaching(bool on);
  /// Drops the kept passes. Needed after any change of the model's data
  /// (the engine calls it on every document update hint and after its own
  /// edits); changes of settings and shell state are noticed by themselves.
  void InvalidateCache();

  /// Starts capturing the face passes of the next frame of `scene` on a
  /// thread of its own (capturing only reads the model), so that the frame
  /// then only uploads and draws them; meanwhile the model must not change.
  /// The frame waits for what is still running; a frame of other inputs, a
  /// cleared cache or StopPreparing drops it.
  void PrepareTriangles(const SceneInputs& scene, const Settings& settings);
  /// Whether the capture started by PrepareTriangles is still running.
  bool preparing() const;
  /// Stops the capture started by PrepareTriangles and drops it.
  void StopPreparing();
  /// How many passes the last frame took from PrepareTriangles.
  std::size_t preparedPassesDrawn() const { return preparedPassesDrawn_; }

 private:
  struct Preparation;
  /// The key of the kept passes a frame of these inputs can use.
  static std::uint64_t FrameKey(const SceneInputs& scene, const Settings& settings);
  /// Hands the finished preparation's passes to the cache when they were
  /// captured for `key`.
  void AdoptPrepared(std::uint64_t key);
  void BeginCachedFrame(const SceneInputs& scene, const Settings& settings);
  /// Runs a drawing pass, through its kept display list when caching.
  void Pass(int slot, const std::function<void(PrimitiveWriter&)>& draw);
  /// Runs a pass of faces, through its kept triangles when caching, without
  /// those that the projection certainly culls.
  void TrianglePass(int slot, const std::function<void(PrimitiveWriter&)>& draw);
  /// When caching, captures the triangle passes the cache lacks, two at a
  /// time (capturing only reads the model); TrianglePass then only uploads
  /// and draws them.
  using TriangleJob = std::pair<int, std::function<void(PrimitiveWriter&)>>;
  void CaptureMissingTriangles(const std::vector<TriangleJob>& jobs, const Model& model, bool opened);
  /// The face passes of a frame (front faces by material, then back sides),
  /// by their triangle slots.
  static std::vector<TriangleJob> FaceJobs(const SceneInputs& scene, const Settings& settings, bool opened);
  void DrawFaces(const SceneInputs& scene, const Settings& settings, bool opened);
  static void DrawFacesOfMaterial(PrimitiveWriter& out, const SceneInputs& scene, int index, bool opened);
  void BindMaterial(const Model& model, int index);
  static void DrawBackSides(PrimitiveWriter& out, const Solid& solid, bool opened);
  static void DrawMarkedFaces(PrimitiveWriter& out, const Solid& solid, bool opened);
  static void DrawClosedEdges(PrimitiveWriter& out, const Solid& solid, const SceneInputs& scene,
                              const Settings& settings);
  static void DrawOpenedEdges(PrimitiveWriter& out, const Solid& solid, const Settings& settings);
  void DrawFadedParts(const SceneInputs& scene, const Settings& settings, bool opened);
  static void DrawMaterialOutline(PrimitiveWriter& out, const SceneInputs& scene, bool opened);

  bool glInitialised_ = false;
  bool smoothTextures_ = true;
  bool caching_ = true;
  float lineScale_ = 1.f;
  bool useCache_ = false;       ///< this frame draws through the cache
  std::uint64_t frameKey_ = 0;  ///< inputs of the kept passes
  bool cacheStale_ = true;
  bool keyUsable_ = false;  ///< the kept passes can draw frames of that key
  std::unique_ptr<RenderCache> cache_;
  std::unique_ptr<Preparation> preparation_;
  std::size_t preparedPassesDrawn_ = 0;
  float projection_[16] = {};  ///< projection of the frame being drawn
  int viewport_[4] = {};
};

}  // namespace plicora
