#include "view3d/ModelRenderer.h"

#include <GL/gl.h>

#include "view3d/EdgeStyle.h"
#include "view3d/RenderCache.h"

namespace plicora {
namespace {

constexpr double kNearPlaneHalfWidth = 0.05;
constexpr double kNearPlane = 0.134;
constexpr double kFarPlane = 2000.0;

const Point3& CornerOf(const HalfEdge& h, bool opened, Point3& scratch) {
  if (opened) return h.openedPos;
  scratch = Point3{h.vertex->x, h.vertex->y, h.vertex->z};
  return scratch;
}

void Corner(const HalfEdge& h, bool opened) {
  Point3 scratch;
  const Point3& p = CornerOf(h, opened, scratch);
  glVertex3d(p.x, p.y, p.z);
}

bool HasCorners(const Face& face) {
  for (const HalfEdge* h : face.ring)
    if (!h->vertex) return false;
  return true;
}

// A face in ring order, with texture coordinates where the corners have one.
void FrontPolygon(const Face& face, bool opened) {
  glBegin(GL_POLYGON);
  for (const HalfEdge* h : face.ring) {
    if (h->uv) glTexCoord2f(static_cast<float>(h->uv->u), static_cast<float>(h->uv->v));
    Corner(*h, opened);
  }
  glEnd();
}

// A face in reverse ring order: its back side, facing the other way.
void BackPolygon(const Face& face, bool opened) {
  glBegin(GL_POLYGON);
  for (auto it = face.ring.rbegin(); it != face.ring.rend(); ++it) Corner(**it, opened);
  glEnd();
}

void Segment(const Point3& a, const Point3& b) {
  glBegin(GL_LINES);
  glVertex3d(a.x, a.y, a.z);
  glVertex3d(b.x, b.y, b.z);
  glEnd();
}

void StyledSegment(const EdgeStyle& style, const Vertex& a, const Vertex& b) {
  glLineWidth(style.width);
  glColor3f(style.red, style.green, style.blue);
  Segment(Point3{a.x, a.y, a.z}, Point3{b.x, b.y, b.z});
}

bool UsesTexture(const Material& m) { return m.hasTexture && m.image && m.image->width > 0 && m.image->height > 0 &&
                                            m.image->pixels.size() >= static_cast<std::size_t>(m.image->width) *
                                                                              static_cast<std::size_t>(m.image->height) * 3; }

}  // namespace

ModelRenderer::ModelRenderer() : cache_(std::make_unique<RenderCache>()) {}
ModelRenderer::~ModelRenderer() = default;

void ModelRenderer::SetCaching(bool on) {
  caching_ = on;
  InvalidateCache();
}

void ModelRenderer::InvalidateCache() { cache_->Clear(); }

void ModelRenderer::InitGlState(Settings& settings) {
  glClearColor(1.f, 1.f, 1.f, 1.f);
  const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat diffuse[] = {1.f, 1.f, 1.f, 1.f};
  const GLfloat specular[] = {1.f, 1.f, 1.f, 1.f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 0.0001f);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  smoothTextures_ = settings.bTextureSmooth;
  const GLint filter = smoothTextures_ ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize > 0) settings.maxTextureSize = maxSize;
  glEnable(GL_CULL_FACE);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  cache_->OnFixedState(smoothTextures_);
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
  const int halfHeight = height / 2;
  const double top = (static_cast<double>(halfHeight) / width) * 0.1;
  glFrustum(-kNearPlaneHalfWidth, kNearPlaneHalfWidth, -top, top, kNearPlane, kFarPlane);
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

void ModelRenderer::RenderScene(const SceneInputs& scene, Settings& settings) {
  if (!glInitialised_) InitGlState(settings);
  // Head light: a directional light along the viewing axis, from the viewer.
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  const GLfloat position[] = {-p[2], -p[6], -p[10], 0.f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);

  const ColorRef background = settings.colors[7];
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(static_cast<float>(RedOf(background)) / 255.f, static_cast<float>(GreenOf(background)) / 255.f,
               static_cast<float>(BlueOf(background)) / 255.f, 1.f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Alpha stays 255 so the picture can be shown as an opaque image.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  if (!scene.model) return;

  const bool hasDevelopment = scene.shell->hasDevelopment;
  bool opened = false;
  if (hasDevelopment) {
    opened = settings.bEnhanceCutEdgeOpen;
    DrawFaces(scene, settings, opened);
  } else if (scene.shell->edgeOnly) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    for (const Solid& solid : scene.model->solids)
      if (solid.selected) DrawClosedEdges(solid, scene, settings);
  } else {
    DrawFaces(scene, settings, false);
  }
  if (scene.shell->highlightedMaterial) DrawMaterialOutline(scene, opened);
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
  for (int i = -1; i < count; ++i) {
    if (useMaterials) BindMaterial(model, i);
    DrawFacesOfMaterial(scene, i, opened);
  }
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  for (const Solid& solid : model.solids) {
    if (!solid.selected) continue;
    if (!settings.bCullFace) DrawBackSides(solid, opened);
    DrawMarkedFaces(solid, opened);
    if (opened)
      DrawOpenedEdges(solid, settings);
    else
      DrawClosedEdges(solid, scene, settings);
  }
}

void ModelRenderer::DrawFacesOfMaterial(const SceneInputs& scene, int index, bool opened) {
  for (const Solid& solid : scene.model->solids) {
    if (!solid.selected) continue;
    for (const Face& face : solid.faces) {
      if (face.materialIndex != index || face.marked || !HasCorners(face)) continue;
      glNormal3d(face.plane[0], face.plane[1], face.plane[2]);
      FrontPolygon(face, opened);
    }
  }
}

void ModelRenderer::BindMaterial(const Model& model, int index) {
  const Material& m = model.MaterialOf(index);
  if (UsesTexture(m)) {
    glEnable(GL_TEXTURE_2D);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, m.image->width, m.image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 m.image->pixels.data());
    return;
  }
  glDisable(GL_TEXTURE_2D);
  glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient.data());
  glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse.data());
  glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular.data());
  glMaterialfv(GL_FRONT, GL_EMISSION, m.emission.data());
  glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
}

void ModelRenderer::DrawBackSides(const Solid& solid, bool opened) {
  glColor3f(0.7f, 0.7f, 0.7f);
  for (const Face& face : solid.faces) {
    if (face.marked || !HasCorners(face)) continue;
    glNormal3d(-face.plane[0], -face.plane[1], -face.plane[2]);
    BackPolygon(face, opened);
  }
}

void ModelRenderer::DrawMarkedFaces(const Solid& solid, bool opened) {
  glColor3f(1.f, 0.f, 0.f);
  for (const Face& face : solid.faces) {
    if (!face.marked || !HasCorners(face)) continue;
    FrontPolygon(face, opened);
    BackPolygon(face, opened);
  }
}

void ModelRenderer::DrawClosedEdges(const Solid& solid, const SceneInputs& scene, const Settings& settings) {
  for (const Edge& edge : solid.edges) {
    if (!edge.vertexA || !edge.vertexB) continue;
    const EdgeStyle style = ClosedEdgeStyle(edge, settings, scene.shell->hasDevelopment, scene.hoveredEdge);
    if (style.drawn) StyledSegment(style, *edge.vertexA, *edge.vertexB);
  }
}

void ModelRenderer::DrawOpenedEdges(const Solid& solid, const Settings& settings) {
  glLineWidth(1.f);
  glColor3f(0.f, 0.f, 0.f);
  for (const Edge& edge : solid.edges) {
    if (IsFoldEdge(edge)) {
      if (IsHiddenFlatEdge(edge, settings) || !edge.halfA->isOutline || !edge.halfA->next) continue;
      const EdgeStyle style = FoldStyle(edge, settings);
      glColor3f(style.red, style.green, style.blue);
      Segment(edge.halfA->openedPos, edge.halfA->next->openedPos);
      continue;
    }
    glColor3f(0.f, 0.f, 0.f);
    for (const HalfEdge* h : {edge.halfA, edge.halfB})
      if (h && h->next) Segment(h->openedPos, h->next->openedPos);
  }
}

void ModelRenderer::DrawMaterialOutline(const SceneInputs& scene, bool opened) {
  const Model& model = *scene.model;
  glDisable(GL_LIGHTING);
  glLineWidth(3.f);
  for (const Solid& solid : model.solids) {
    if (!solid.selected) continue;
    for (const Face& face : solid.faces) {
      if (&model.MaterialOf(face.materialIndex) != scene.shell->highlightedMaterial || !HasCorners(face)) continue;
      bool mapped = false;
      for (const HalfEdge* h : face.ring)
        if (h->uv && (h->uv->u != 0.0 || h->uv->v != 0.0)) mapped = true;
      if (mapped)
        glColor3f(1.f, 1.f, 0.f);
      else
        glColor3f(1.f, 1.f, 1.f);
      glBegin(GL_LINE_LOOP);
      for (const HalfEdge* h : face.ring) Corner(*h, opened);
      glEnd();
    }
  }
}

}  // namespace plicora
