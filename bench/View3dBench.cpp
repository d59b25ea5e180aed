// Frame time of the 3D pane on a 200,000-face textured model at 1280 x 800,
// against a minimal OSMesa program drawing the same triangles from vertex
// arrays with the same light and texture; and PickFace on a 1,000,000-face
// model against a bare loop projecting the same corners.

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <vector>

#include "SyntheticModels.h"
#include "app/Settings.h"
#include "app/UpdateHints.h"
#include "platform/OffscreenGlContext.h"
#include "view3d/FacePicking.h"
#include "view3d/ModelViewEngine.h"
#include "view3d/OpenedPositions.h"

using namespace plicora;
using Clock = std::chrono::steady_clock;

namespace {

static int kWidth = getenv("V3D_W") ? atoi(getenv("V3D_W")) : 1280, kHeight = getenv("V3D_H") ? atoi(getenv("V3D_H")) : 800;

template <typename F>
double MedianSeconds(int runs, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    times.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The same triangles as flat arrays, drawn with glDrawArrays.
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
        a.texCoords.insert(a.texCoords.end(), {float(h->uv->u), float(h->uv->v)});
      }
  return a;
}

double BaselineFrameSeconds(const Model& model, const Arrays& arrays, const GLfloat* projection) {
  auto context = OffscreenGlContext::Create(kWidth, kHeight);
  OffscreenGlContext::Scope scope(*context);
  const TextureImage& image = *model.materials.front().image;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
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
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, arrays.positions.data());
  glNormalPointer(GL_FLOAT, 0, arrays.normals.data());
  glTexCoordPointer(2, GL_FLOAT, 0, arrays.texCoords.data());
  const GLsizei count = static_cast<GLsizei>(arrays.positions.size() / 3);
  auto frame = [&] {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, count);
    glFinish();
  };
  frame();
  return MedianSeconds(15, frame);
}

void FrameBenchmark(double& ratio) {
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
  engine.Paint();
  const double ours = MedianSeconds(15, [&] { engine.Paint(); });
  if (getenv("V3D_PROBE")) {
    settings.bCullFace = true;
    engine.Paint();
    std::printf("culled: %.1f ms\n", 1e3 * MedianSeconds(9, [&] { engine.Paint(); }));
    settings.bEnhanceCutEdgeOpen = false;
    engine.Paint();
    std::printf("culled closed: %.1f ms\n", 1e3 * MedianSeconds(9, [&] { engine.Paint(); }));
    settings.bCullFace = false;
  }
  const auto m = engine.ReadPickMatrices();
  GLfloat projection[16];
  for (int i = 0; i < 16; ++i) projection[i] = static_cast<float>(m->projection[i]);
  const Arrays arrays = FlattenFaces(model);
  const double baseline = BaselineFrameSeconds(model, arrays, projection);
  ratio = ours / baseline;
  std::printf("frame: %zu faces at %dx%d: pane %.1f ms, vertex-array program %.1f ms\n", model.solids[0].faces.size(),
              kWidth, kHeight, ours * 1e3, baseline * 1e3);
}

// The bare loop: every corner of every face projected, nothing else.
double ProjectAllCorners(Model& model, const PickMatrices& m) {
  const auto& p = m.projection;
  const double w = m.viewport[2], hgt = m.viewport[3];
  double sum = 0;
  for (Solid& s : model.solids)
    for (Face& f : s.faces)
      for (const HalfEdge* h : f.ring) {
        const Vertex& v = *h->vertex;
        const double cx = p[0] * v.x + p[4] * v.y + p[8] * v.z + p[12];
        const double cy = p[1] * v.x + p[5] * v.y + p[9] * v.z + p[13];
        const double cw = p[3] * v.x + p[7] * v.y + p[11] * v.z + p[15];
        sum += w * (cx / cw + 1.0) / 2.0 + hgt * (cy / cw + 1.0) / 2.0;
      }
  return sum;
}

void PickBenchmark(double& ratio) {
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
  const double pick = MedianSeconds(7, [&] { picked = PickFace(model, m, kWidth / 2 + 37, kHeight / 2 - 21); });
  const double bare = MedianSeconds(7, [&] { sink = sink + ProjectAllCorners(model, m); });
  ratio = pick / bare;
  std::printf("pick: %zu faces: PickFace %.1f ms, bare projection loop %.1f ms (picked %s)\n",
              model.solids[0].faces.size(), pick * 1e3, bare * 1e3, picked ? "a face" : "nothing");
}

}  // namespace

int main() {
  double frameRatio = 0, pickRatio = 0;
  FrameBenchmark(frameRatio);
  PickBenchmark(pickRatio);
  std::printf("view3d pick: ratio %.2f (goal <= 2)\n", pickRatio);
  std::printf("view3d: ratio %.2f (goal <= 1.3)\n", frameRatio);
  return 0;
}
