// Frame time of the 3D pane on a 200,000-face textured model at 1280 x 800,
// against a minimal OSMesa program drawing the same triangles from vertex
// arrays with the same light and texture; and PickFace on a 1,000,000-face
// model against a bare loop projecting the same corners. Both sides of each
// ratio are timed in turns, so that a busy machine slows both alike, and the
// fastest run of each side is compared.

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "SyntheticModels.h"
#include "core/document/UpdateHints.h"
#include "core/model/Settings.h"
#include "core/view3d/FacePicking.h"
#include "core/view3d/OpenedPositions.h"
#include "render/platform/OffscreenGlContext.h"
#include "render/view3d/ModelViewEngine.h"

using namespace plicora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 1280, kHeight = 800;

double Seconds(const std::function<void()>& f) {
  const auto t0 = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// The same triangles as flat arrays.
struct Arrays {
  std::vector<float> positions, normals, texCoords;
};

Arrays FlattenFaces(const Model& model) {
  Arrays a;
  for (const Solid& s : model.solids)
    for (const Face& f : s.faces)
      for (const HalfEdge* h : f.ring) {
        a.positions.insert(a.positions.end(), {float(h->vertex->x), float(h->vertex->y), float(h->vertex->z)});
        a.normals.insert(a.normals.end(), {float(f.plane[0]), float(f.plane[1]), float(f.plane[2])});
        a.texCoords.insert(a.texCoords.end(), {float(h->uv.u), float(h->uv.v)});
      }
  return a;
}

// The minimal program: its own context, the texture uploaded once, the light
// and projection of the pane, every triangle from client vertex arrays.
class BaselineProgram {
 public:
  BaselineProgram(const Model& model, const Arrays& arrays, const GLfloat* projection)
      : context_(OffscreenGlContext::Create(kWidth, kHeight)), arrays_(arrays) {
    OffscreenGlContext::Scope scope(*context_);
    const TextureImage& image = *model.materials.front().image;
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.f}, one[] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, one);
    glLightfv(GL_LIGHT0, GL_SPECULAR, one);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat light[] = {-projection[2], -projection[6], -projection[10], 0.f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
  }

  void Frame() {
    OffscreenGlContext::Scope scope(*context_);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arrays_.positions.data());
    glNormalPointer(GL_FLOAT, 0, arrays_.normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, arrays_.texCoords.data());
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(arrays_.positions.size() / 3));
    glFinish();
  }

 private:
  std::unique_ptr<OffscreenGlContext> context_;
  const Arrays& arrays_;
  GLuint texture_ = 0;
};

double FrameRatio() {
  Model model;
  test::BuildSphere(model, 316, 316, true, 1024, true);  // 199,712 faces
  ComputeOpenedPositions(model);
  Settings settings;
  ViewShellState shell;
  shell.hasDevelopment = true;
  ModelViewEngine engine(settings, shell);
  engine.Resize(kWidth, kHeight);
  engine.SetModel(&model);
  engine.OnUpdate(HINT_FILE_OPENED);
  const auto m = engine.ReadPickMatrices();
  GLfloat projection[16];
  for (int i = 0; i < 16; ++i) projection[i] = static_cast<float>(m->projection[i]);
  const Arrays arrays = FlattenFaces(model);
  BaselineProgram baseline(model, arrays, projection);
  engine.Paint();  // warm-up: shaders compiled, kept data built
  baseline.Frame();
  double ours = 1e9, theirs = 1e9;
  for (int round = 0; round < 15; ++round) {
    ours = std::min(ours, Seconds([&] { engine.Paint(); }));
    theirs = std::min(theirs, Seconds([&] { baseline.Frame(); }));
  }
  std::printf("frame: %zu faces at %dx%d: pane %.1f ms, vertex-array program %.1f ms (fastest of 15 each)\n",
              model.solids[0].faces.size(), kWidth, kHeight, ours * 1e3, theirs * 1e3);
  return ours / theirs;
}

// The bare loop: every corner of every face projected, nothing else.
double ProjectAllCorners(Model& model, const PickMatrices& m) {
  const auto& p = m.projection;
  const double w = m.viewport[2], h = m.viewport[3];
  double sum = 0;
  for (Solid& s : model.solids)
    for (Face& f : s.faces)
      for (const HalfEdge* half : f.ring) {
        const Vertex& v = *half->vertex;
        const double cx = p[0] * v.x + p[4] * v.y + p[8] * v.z + p[12];
        const double cy = p[1] * v.x + p[5] * v.y + p[9] * v.z + p[13];
        const double cw = p[3] * v.x + p[7] * v.y + p[11] * v.z + p[15];
        sum += w * (cx / cw + 1.0) / 2.0 + h * (cy / cw + 1.0) / 2.0;
      }
  return sum;
}

double PickRatio() {
  Model model;
  test::BuildSphere(model, 500, 1000, false, 0, false);  // 1,000,000 faces
  Settings settings;
  ViewShellState shell;
  ModelViewEngine engine(settings, shell);
  engine.Resize(kWidth, kHeight);
  engine.SetModel(&model);
  engine.OnUpdate(HINT_FILE_OPENED);
  const PickMatrices m = *engine.ReadPickMatrices();
  volatile double sink = 0;
  Face* picked = nullptr;
  double pick = 1e9, bare = 1e9;
  for (int round = 0; round < 7; ++round) {
    pick = std::min(pick, Seconds([&] { picked = PickFace(model, m, kWidth / 2 + 37, kHeight / 2 - 21); }));
    bare = std::min(bare, Seconds([&] { sink = sink + ProjectAllCorners(model, m); }));
  }
  std::printf("pick: %zu faces: PickFace %.1f ms, bare projection loop %.1f ms (fastest of 7 each; %s)\n",
              model.solids[0].faces.size(), pick * 1e3, bare * 1e3, picked ? "a face picked" : "nothing picked");
  return pick / bare;
}

}  // namespace

int main() {
  const double frameRatio = FrameRatio();
  const double pickRatio = PickRatio();
  std::printf("view3d pick: ratio %.2f (goal <= 2)\n", pickRatio);
  std::printf("view3d: ratio %.2f (goal <= 1.3)\n", frameRatio);
  return 0;
}
