#include "render/view3d/ModelRenderer.h"

#include <GL/gl.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <type_traits>

#include "core/model/MeshTopology.h"
#include "core/platform/BothAtOnce.h"
#include "core/view3d/CornerKeys.h"
#include "core/view3d/EdgeStyle.h"
#include "render/view3d/PrimitiveWriter.h"
#include "render/view3d/RenderCache.h"

namespace plicora {
namespace {

Point3 PositionOf(const Vertex& v) {
  return Point3{v.x, v.y, v.z};
}

bool HasCorners(const Face& face) {
  for (const HalfEdge* h : face.ring)
    if (!h->vertex) return false;
  return true;
}

bool UsesTexture(const Material& m) {
  return m.hasTexture && m.image && m.image->width > 0 && m.image->height > 0 &&
         m.image->pixels.size() >=
             static_cast<std::size_t>(m.image->width) * static_cast<std::size_t>(m.image->height) * 3;
}

// FNV-1a over the values a frame's passes depend on.
class KeyHash {
 public:
  template <typename T>
  void Add(const T& value) {
    if constexpr (std::is_integral_v<T>) {
      // One step per value (FNV-1a over whole words).
      hash_ = (hash_ ^ static_cast<std::uint64_t>(value)) * 1099511628211ull;
    } else {
      const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
      for (std::size_t i = 0; i < sizeof(T); ++i) hash_ = (hash_ ^ bytes[i]) * 1099511628211ull;
    }
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

// Kept passes replay texture coordinates only as given; a model whose
// corners mix given and missing ones is drawn directly.
bool MixesTexCoords(const Model& model) {
  bool some = false, someWithout = false;
  for (const Solid& solid : model.solids)
    for (const Face& face : solid.faces)
      for (const HalfEdge* h : face.ring) (h->hasUv ? some : someWithout) = true;
  return some && someWithout;
}

// Slots of the kept display lists; faces of material i use slot i + 1.
// Triangle stores: faces of material i use slot i + 1, the back sides of
// solid s slot kBackSidesSlot + s; the marked faces and edges of solid s use
// list slot kSolidPassesSlot + s.
constexpr int kBackSidesSlot = 1 << 20;
constexpr int kSolidPassesSlot = 1 << 20;
constexpr int kEdgeOnlySlot = -2;
constexpr int kOutlineSlot = -3;
constexpr int kFadeSlot = -4;

// Faces are pushed back by this offset so that their edges draw over them.
constexpr float kFacePolygonOffsetFactor = 1.0f;
constexpr float kFacePolygonOffsetUnits = 0.0001f;

/// How much of a faded face the veil over it hides.
constexpr float kFadeVeilAlpha = 0.75f;

bool AnyFaded(const SceneInputs& scene) {
  if (!scene.fadedParts) return false;
  for (char f : *scene.fadedParts)
    if (f) return true;
  return false;
}

bool IsFaded(const Face& face, const std::vector<char>& faded) {
  return face.partIndex >= 0 && static_cast<std::size_t>(face.partIndex) < faded.size() &&
         faded[static_cast<std::size_t>(face.partIndex)] != 0;
}

// Whether the frame draws faces, and at which corners.
bool DrawsFaces(const SceneInputs& scene) {
  return scene.shell->hasDevelopment || !scene.shell->edgeOnly;
}

bool FacesOpened(const SceneInputs& scene, const Settings& settings) {
  return scene.shell->hasDevelopment && settings.bEnhanceCutEdgeOpen;
}

}  // namespace

// Face passes captured on a worker thread from copies of the frame's inputs
// (the model itself is only read).
struct ModelRenderer::Preparation {
  std::uint64_t key = 0;
  Settings settings;
  ViewShellState shell;
  std::vector<char> fadedParts;
  SceneInputs scene;
  std::vector<std::pair<int, CulledTriangles>> triangles;
  std::atomic<bool> stop{false};
  std::atomic<bool> done{false};
  bool complete = false;  ///< every pass captured (read after the join)
  std::thread worker;

  void Run() {
    try {
      const bool opened = FacesOpened(scene, settings);
      if (!MixesTexCoords(*scene.model)) {
        const CornerKeys keys(*scene.model, opened);
        for (const TriangleJob& job : FaceJobs(scene, settings, opened)) {
          CulledTriangles& store = triangles.emplace_back(job.first, CulledTriangles()).second;
          PrimitiveWriter writer(&store, &keys, &stop);
          job.second(writer);
        }
        complete = !stop;
      }
    } catch (...) {
      complete = false;  // the frame captures the passes itself
    }
    done = true;
  }
};

ModelRenderer::ModelRenderer() : cache_(std::make_unique<RenderCache>()) {}
ModelRenderer::~ModelRenderer() {
  StopPreparing();
}

void ModelRenderer::PrepareTriangles(const SceneInputs& scene, const Settings& settings) {
  StopPreparing();
  if (!caching_ || !scene.model || !DrawsFaces(scene)) return;
  auto p = std::make_unique<Preparation>();
  p->key = FrameKey(scene, settings);
  p->settings = settings;
  p->shell = *scene.shell;
  if (scene.fadedParts) p->fadedParts = *scene.fadedParts;
  p->scene = scene;
  p->scene.shell = &p->shell;
  p->scene.fadedParts = &p->fadedParts;
  Preparation& run = *p;
  p->worker = std::thread([&run] { run.Run(); });
  preparation_ = std::move(p);
}

bool ModelRenderer::preparing() const {
  return preparation_ && !preparation_->done;
}

void ModelRenderer::StopPreparing() {
  if (!preparation_) return;
  preparation_->stop = true;
  preparation_->worker.join();
  preparation_.reset();
}

void ModelRenderer::AdoptPrepared(std::uint64_t key) {
  preparedPassesDrawn_ = 0;
  if (!preparation_) return;
  std::unique_ptr<Preparation> p = std::move(preparation_);
  const bool fits = useCache_ && p->key == key;
  if (!fits) p->stop = true;
  p->worker.join();
  if (!fits || !p->complete) return;
  for (auto& [slot, triangles] : p->triangles) {
    if (cache_->Triangles(slot)) continue;
    cache_->NewTriangles(slot) = std::move(triangles);
    ++preparedPassesDrawn_;
  }
}

void ModelRenderer::SetCaching(bool on) {
  caching_ = on;
  InvalidateCache();
}

void ModelRenderer::SetLineScale(float scale) {
  if (scale == lineScale_) return;
  lineScale_ = scale;
  InvalidateCache();
}

void ModelRenderer::InvalidateCache() {
  StopPreparing();
  cache_->Clear();
  cacheStale_ = true;
}

void ModelRenderer::InitGlState(const Settings& settings) {
  glClearColor(1.f, 1.f, 1.f, 1.f);
  const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat diffuse[] = {1.f, 1.f, 1.f, 1.f};
  const GLfloat specular[] = {1.f, 1.f, 1.f, 1.f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(kFacePolygonOffsetFactor, kFacePolygonOffsetUnits);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  smoothTextures_ = settings.bTextureSmooth;
  const GLint filter = smoothTextures_ ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_CULL_FACE);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glInitialised_ = true;
}

void ModelRenderer::ResetFixedState() {
  glFrontFace(GL_CCW);
  glShadeModel(GL_FLAT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
}

void ModelRenderer::UpdateProjection(const ModelViewCamera& camera, int width, int height) {
  if (width <= 0 || height <= 0) return;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double top = NearPlaneHalfHeight(width, height);
  const double side = ModelViewCamera::kNearPlaneHalfWidth;
  glFrustum(-side, side, -top, top, ModelViewCamera::kNearPlane, ModelViewCamera::kFarPlane);
  glTranslated(0.0, 0.0, camera.zoomDistance);
  glMultMatrixf(camera.trackball.matrix.data());
  glTranslated(-camera.viewCentre.x, -camera.viewCentre.y, -camera.viewCentre.z);
}

void ModelRenderer::ApplyTextureFilter(bool smooth) {
  smoothTextures_ = smooth;
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  cache_->OnTextureFilter(smooth);
}

void ModelRenderer::RenderScene(const SceneInputs& scene, const Settings& settings) {
  if (!glInitialised_) InitGlState(settings);
  // Head light: a directional light along the viewing axis, from the viewer.
  GLfloat* p = projection_;
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  glGetIntegerv(GL_VIEWPORT, viewport_);
  const GLfloat position[] = {-p[2], -p[6], -p[10], 0.f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);

  const ColorRef background = settings.colors[kColorBackground];
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(static_cast<float>(RedOf(background)) / 255.f, static_cast<float>(GreenOf(background)) / 255.f,
               static_cast<float>(BlueOf(background)) / 255.f, 1.f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Alpha stays 255 so the picture can be shown as an opaque image.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  if (!scene.model) return;
  BeginCachedFrame(scene, settings);

  const bool hasDevelopment = scene.shell->hasDevelopment;
  const bool opened = FacesOpened(scene, settings);
  if (hasDevelopment) {
    DrawFaces(scene, settings, opened);
  } else if (scene.shell->edgeOnly) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    Pass(kEdgeOnlySlot, [&](PrimitiveWriter& out) {
      for (const Solid& solid : scene.model->solids)
        if (solid.selected) DrawClosedEdges(out, solid, scene, settings);
    });
  } else {
    DrawFaces(scene, settings, false);
  }
  if (hasDevelopment && AnyFaded(scene)) DrawFadedParts(scene, settings, opened);
  if (scene.shell->highlightedMaterial) {
    glDisable(GL_LIGHTING);
    Pass(kOutlineSlot, [&](PrimitiveWriter& out) { DrawMaterialOutline(out, scene, opened); });
  }
}

void ModelRenderer::Pass(int slot, const std::function<void(PrimitiveWriter&)>& draw) {
  if (useCache_) {
    cache_->Draw(slot, [&] {
      PrimitiveWriter batched(true);
      batched.SetLineScale(lineScale_);
      draw(batched);
    });
    return;
  }
  PrimitiveWriter direct(false);
  direct.SetLineScale(lineScale_);
  draw(direct);
}

void ModelRenderer::TrianglePass(int slot, const std::function<void(PrimitiveWriter&)>& draw) {
  if (!useCache_) {
    PrimitiveWriter direct(false);
    draw(direct);
    return;
  }
  CulledTriangles* triangles = cache_->Triangles(slot);
  if (!triangles) {
    triangles = &cache_->NewTriangles(slot);
    PrimitiveWriter capture(triangles, nullptr);
    draw(capture);
  }
  if (!triangles->uploaded()) triangles->Upload();
  triangles->Draw(projection_, viewport_);
}

void ModelRenderer::CaptureMissingTriangles(const std::vector<TriangleJob>& jobs, const Model& model, bool opened) {
  if (!useCache_) return;
  std::vector<std::pair<CulledTriangles*, const TriangleJob*>> missing;
  for (const TriangleJob& job : jobs) {
    if (!cache_->Triangles(job.first)) missing.emplace_back(&cache_->NewTriangles(job.first), &job);
  }
  if (missing.empty()) return;
  const CornerKeys keys(model, opened);
  std::atomic<std::size_t> next{0};
  auto capture = [&] {
    for (std::size_t k = next++; k < missing.size(); k = next++) {
      PrimitiveWriter writer(missing[k].first, &keys);
      missing[k].second->second(writer);
    }
  };
  // A side that fails stops the other from taking more passes.
  auto captureOrStop = [&] {
    try {
      capture();
    } catch (...) {
      next = missing.size();
      throw;
    }
  };
  if (missing.size() > 1) {
    BothAtOnce(captureOrStop, captureOrStop);
  } else {
    capture();
  }
}

void ModelRenderer::BeginCachedFrame(const SceneInputs& scene, const Settings& settings) {
  if (!caching_) {
    useCache_ = false;
    cache_->BeginFrame(0);
    return;
  }
  const std::uint64_t key = FrameKey(scene, settings);
  if (key != frameKey_ || cacheStale_) {
    frameKey_ = key;
    cacheStale_ = false;
    keyUsable_ = !MixesTexCoords(*scene.model);
  }
  useCache_ = keyUsable_;
  cache_->BeginFrame(useCache_ ? key : 0);
  AdoptPrepared(key);
}

std::uint64_t ModelRenderer::FrameKey(const SceneInputs& scene, const Settings& settings) {
  // The settings and shell state the kept passes were built from. The model's
  // own data (geometry, marks, edge types, materials) changes
  // only with a document update hint, which clears the cache (OnUpdate), or
  // through the engine itself, which clears it too.
  KeyHash key;
  const Model& model = *scene.model;
  key.Add(&model);
  key.Add(scene.shell->hasDevelopment);
  key.Add(scene.shell->edgeOnly);
  key.Add(scene.shell->highlightedMaterial);
  key.Add(scene.hoveredEdge);
  key.Add(settings.bEnhanceCutEdgeOpen);
  key.Add(settings.bCullFace);
  key.Add(settings.bDrawColorEdge);
  key.Add(settings.bCullEdge);
  key.Add(settings.iAngleEps);
  key.Add(settings.colors);
  key.Add(model.materials.size());
  if (scene.fadedParts)
    for (char f : *scene.fadedParts) key.Add(f);
  for (const Solid& solid : model.solids) {
    key.Add(solid.selected);
    key.Add(solid.faces.size());
    key.Add(solid.edges.size());
  }
  return key.value();
}

// The front faces material by material, then the back sides solid by solid;
// a large model spends most of its first frame capturing these.
std::vector<ModelRenderer::TriangleJob> ModelRenderer::FaceJobs(const SceneInputs& scene, const Settings& settings,
                                                                bool opened) {
  const Model& model = *scene.model;
  const int count = static_cast<int>(model.materials.size());
  std::vector<TriangleJob> jobs;
  for (int i = -1; i < count; ++i)
    jobs.emplace_back(i + 1, [&scene, i, opened](PrimitiveWriter& out) { DrawFacesOfMaterial(out, scene, i, opened); });
  if (!settings.bCullFace) {
    int s = 0;
    for (const Solid& solid : model.solids) {
      const int slot = kBackSidesSlot + s++;
      if (solid.selected)
        jobs.emplace_back(slot, [&solid, opened](PrimitiveWriter& out) { DrawBackSides(out, solid, opened); });
    }
  }
  return jobs;
}

void ModelRenderer::DrawFaces(const SceneInputs& scene, const Settings& settings, bool opened) {
  const Model& model = *scene.model;
  const bool useMaterials = !(scene.isDragging && settings.bOmitMaterialWhenModelRotate) && settings.bUseMaterial;
  if (useMaterials) {
    glEnable(GL_LIGHTING);
  } else {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.f, 1.f, 1.f);
  }
  const int count = static_cast<int>(model.materials.size());
  const std::vector<TriangleJob> jobs = FaceJobs(scene, settings, opened);
  CaptureMissingTriangles(jobs, model, opened);
  for (int i = -1; i < count; ++i) {
    if (useMaterials) BindMaterial(model, i);
    TrianglePass(i + 1, jobs[static_cast<std::size_t>(i + 1)].second);
  }
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  std::size_t backSides = static_cast<std::size_t>(count + 1);
  int index = 0;
  for (const Solid& solid : model.solids) {
    const int s = index++;
    if (!solid.selected) continue;
    if (!settings.bCullFace) {
      glColor3f(0.7f, 0.7f, 0.7f);
      TrianglePass(kBackSidesSlot + s, jobs[backSides++].second);
    }
    Pass(kSolidPassesSlot + s, [&](PrimitiveWriter& out) {
      DrawMarkedFaces(out, solid, opened);
      if (opened)
        DrawOpenedEdges(out, solid, settings);
      else
        DrawClosedEdges(out, solid, scene, settings);
    });
  }
}

void ModelRenderer::DrawFacesOfMaterial(PrimitiveWriter& out, const SceneInputs& scene, int index, bool opened) {
  for (const Solid& solid : scene.model->solids) {
    if (!solid.selected) continue;
    for (const Face& face : solid.faces) {
      if (face.materialIndex != index || face.marked || !HasCorners(face)) continue;
      out.Normal(face.plane[0], face.plane[1], face.plane[2]);
      out.Face(face, opened, false);
    }
  }
}

void ModelRenderer::BindMaterial(const Model& model, int index) {
  const Material& m = model.MaterialOf(index);
  if (UsesTexture(m)) {
    glEnable(GL_TEXTURE_2D);
    if (useCache_) {
      cache_->BindTexture(m, smoothTextures_);
    } else {
      glTexImage2D(GL_TEXTURE_2D, 0, 3, m.image->width, m.image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                   m.image->pixels.data());
    }
    return;
  }
  glDisable(GL_TEXTURE_2D);
  glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient.data());
  glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse.data());
  glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular.data());
  glMaterialfv(GL_FRONT, GL_EMISSION, m.emission.data());
  glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
}

// The grey back sides (the colour is set by the caller).
void ModelRenderer::DrawBackSides(PrimitiveWriter& out, const Solid& solid, bool opened) {
  for (const Face& face : solid.faces) {
    if (face.marked || !HasCorners(face)) continue;
    out.Normal(-face.plane[0], -face.plane[1], -face.plane[2], false);
    out.Face(face, opened, true, false);
  }
}

void ModelRenderer::DrawMarkedFaces(PrimitiveWriter& out, const Solid& solid, bool opened) {
  out.Color(1.f, 0.f, 0.f);
  for (const Face& face : solid.faces) {
    if (!face.marked || !HasCorners(face)) continue;
    out.Face(face, opened, false, false);
    out.Face(face, opened, true, false);
  }
}

void ModelRenderer::DrawClosedEdges(PrimitiveWriter& out, const Solid& solid, const SceneInputs& scene,
                                    const Settings& settings) {
  for (const Edge& edge : solid.edges) {
    if (!edge.vertexA || !edge.vertexB) continue;
    const EdgeStyle style = ClosedEdgeStyle(edge, settings, scene.shell->hasDevelopment, scene.hoveredEdge);
    if (!style.drawn) continue;
    out.Color(style.red, style.green, style.blue);
    out.Segment(style.width, PositionOf(*edge.vertexA), PositionOf(*edge.vertexB));
  }
}

// With the cuts opened every side is drawn thin between opened corners: a
// fold once, a cut or one-sided edge once per side, since the two sides of a
// cut lie apart.
void ModelRenderer::DrawOpenedEdges(PrimitiveWriter& out, const Solid& solid, const Settings& settings) {
  out.Color(0.f, 0.f, 0.f);
  for (const Edge& edge : solid.edges) {
    if (IsFoldEdge(edge)) {
      if (IsHiddenFlatEdge(edge, settings) || !edge.halfA->isOutline || !edge.halfA->next) continue;
      const EdgeStyle style = FoldStyle(edge, settings);
      out.Color(style.red, style.green, style.blue);
      out.Segment(1.f, OpenedPositionOf(*edge.halfA), OpenedPositionOf(*edge.halfA->next));
      continue;
    }
    out.Color(0.f, 0.f, 0.f);
    for (const HalfEdge* h : {edge.halfA, edge.halfB})
      if (h && h->next) out.Segment(1.f, OpenedPositionOf(*h), OpenedPositionOf(*h->next));
  }
}

// A translucent veil of the background colour over the faded parts' faces.
// It is pulled a little toward the viewer (the faces are pushed back), so it
// covers the faces and their edges evenly instead of fighting the edge lines
// for depth, and it leaves the depth buffer as it was.
void ModelRenderer::DrawFadedParts(const SceneInputs& scene, const Settings& settings, bool opened) {
  const ColorRef background = settings.colors[kColorBackground];
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glPolygonOffset(-1.0f, -2.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  glColor4f(static_cast<float>(RedOf(background)) / 255.f, static_cast<float>(GreenOf(background)) / 255.f,
            static_cast<float>(BlueOf(background)) / 255.f, kFadeVeilAlpha);
  const std::vector<char>& faded = *scene.fadedParts;
  Pass(kFadeSlot, [&](PrimitiveWriter& out) {
    for (const Solid& solid : scene.model->solids) {
      if (!solid.selected) continue;
      for (const Face& face : solid.faces)
        if (IsFaded(face, faded) && HasCorners(face)) out.Face(face, opened, false, false);
    }
  });
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glPolygonOffset(kFacePolygonOffsetFactor, kFacePolygonOffsetUnits);
}

// The border hint of the texture dialog: yellow around faces with a mapped
// corner, white around the others.
void ModelRenderer::DrawMaterialOutline(PrimitiveWriter& out, const SceneInputs& scene, bool opened) {
  const Model& model = *scene.model;
  for (const Solid& solid : model.solids) {
    if (!solid.selected) continue;
    for (const Face& face : solid.faces) {
      if (&model.MaterialOf(face.materialIndex) != scene.shell->highlightedMaterial || !HasCorners(face)) continue;
      bool mapped = false;
      for (const HalfEdge* h : face.ring)
        if (h->hasUv && (h->uv.u != 0.0 || h->uv.v != 0.0)) mapped = true;
      if (mapped)
        out.Color(1.f, 1.f, 0.f);
      else
        out.Color(1.f, 1.f, 1.f);
      out.Loop(face, opened, 3.f);
    }
  }
}

}  // namespace plicora
