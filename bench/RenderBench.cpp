// Renders a development into a 4096 x 4096 BMP file and compares the time
// with a minimal OSMesa program that draws the same triangles and lines with
// vertex arrays into a buffer of the same size and writes its raw bytes.
//
// usage: plicora_render_bench FILE.plc [OUT_DIR]

#include <GL/gl.h>
#include <GL/osmesa.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli/BatchDocument.h"
#include "cli/GuiRuntime.h"
#include "cli/RasterExportSetup.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/Settings.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/development/RasterPageRenderer.h"
#include "render/export/RasterPageBmp.h"

using namespace plicora;

namespace {

constexpr int kSize = 4096;

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of the whole process (all threads), in seconds.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// The geometry the baseline draws, in buffer pixels (y up).
struct Geometry {
  std::vector<float> flapTriangles, faceTriangles, lines;
  float lineWidth = 1.0f;
};

Geometry CollectGeometry(const Model& model, const Settings& settings, double pixelsPerCm) {
  Geometry g;
  const double k = pixelsPerCm * model.devScale;
  const double ox = -model.devX * k, oy = -model.devY * k;
  auto put = [&](std::vector<float>& out, Point2 p) {
    out.push_back(static_cast<float>(ox + k * p.x));
    out.push_back(static_cast<float>(kSize - (oy + k * p.y)));
  };
  if (settings.bDrawFlap) {
    const bool flip = model.mirrored != settings.bNorishiroReverse;
    std::array<Point2, 4> flap;
    for (const Part& part : model.parts) {
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          const int n = FlapPolygonOf(*h, part, flip, model.devScale, flap);
          for (int i = 1; i + 1 < n; ++i) {
            put(g.flapTriangles, flap[0]);
            put(g.flapTriangles, flap[static_cast<std::size_t>(i)]);
            put(g.flapTriangles, flap[static_cast<std::size_t>(i + 1)]);
          }
          for (int i = 0; i + 1 < n; ++i) {
            put(g.lines, flap[static_cast<std::size_t>(i)]);
            put(g.lines, flap[static_cast<std::size_t>(i + 1)]);
          }
        }
      }
    }
  }
  DrawnSides drawn;
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (std::size_t i = 1; i + 1 < face->ring.size(); ++i) {
        put(g.faceTriangles, CornerOf(*face->ring[0], part));
        put(g.faceTriangles, CornerOf(*face->ring[i], part));
        put(g.faceTriangles, CornerOf(*face->ring[i + 1], part));
      }
      for (const HalfEdge* h : face->ring) {
        if (ClassifyEdgeLine(*h, settings, drawn) == EdgeLineClass::Skip || !h->next) continue;
        put(g.lines, CornerOf(*h, part));
        put(g.lines, CornerOf(*h->next, part));
      }
    }
  }
  g.lineWidth = static_cast<float>(pixelsPerCm * settings.printoutLineWidth * kCmPerLinePoint);
  return g;
}

void DrawArrays(const std::vector<float>& xy, GLenum mode) {
  if (xy.empty()) return;
  glVertexPointer(2, GL_FLOAT, 0, xy.data());
  glDrawArrays(mode, 0, static_cast<GLsizei>(xy.size() / 2));
}

// The minimal program: context, buffer, clear, three vertex-array draws,
// raw bytes to a file.
double RunBaseline(const Geometry& g, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  const int attribs[] = {OSMESA_FORMAT, OSMESA_BGRA, OSMESA_DEPTH_BITS, 24, OSMESA_PROFILE, OSMESA_COMPAT_PROFILE, 0};
  OSMesaContext ctx = OSMesaCreateContextAttribs(attribs, nullptr);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(kSize) * kSize * 4);
  OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_BYTE, kSize, kSize);
  glViewport(0, 0, kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSize, 0, kSize, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glColor3f(1, 1, 1);
  DrawArrays(g.flapTriangles, GL_TRIANGLES);
  glColor3f(0.85f, 0.85f, 1.0f);
  DrawArrays(g.faceTriangles, GL_TRIANGLES);
  glColor3f(0, 0, 0);
  glLineWidth(g.lineWidth);
  DrawArrays(g.lines, GL_LINES);
  glFinish();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    std::fwrite(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
  }
  OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
  OSMesaDestroyContext(ctx);
  return Seconds(start);
}

// The arrays of the renderer, kept between its runs as the window keeps them.
RasterGeometryCache gGeometry;

double RunRenderer(Model& model, const Settings& settings, double pixelsPerCm, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  RasterPageRequest request;
  request.geometry = &gGeometry;
  request.width = kSize;
  request.height = kSize;
  request.pixelsPerCm = pixelsPerCm;
  if (!WriteRasterPageBmp(model, settings, request, path)) std::fputs("render failed\n", stderr);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: plicora_render_bench FILE.plc [OUT_DIR]\n", stderr);
    return 2;
  }
  const std::string outDir = argc > 2 ? argv[2] : "/tmp";
  PrepareRasterExport();
  CommandLineOptions options;
  options.inputPath = argv[1];
  options.noProfile = true;
  BatchDocument document;
  auto start = std::chrono::steady_clock::now();
  if (OpenBatchDocument(options, document) != kExitOk || !document.model) {
    std::fputs("cannot read the file\n", stderr);
    return 1;
  }
  Model& model = *document.model;
  const Settings& settings = CurrentSettings();
  std::printf("read %s: %d faces in %.1f s\n", argv[1], model.totalFaces, Seconds(start));
  ComputeDevelopmentBounds(model);
  // The whole development fits the buffer.
  const double extent = std::max(model.devWidth, model.devHeight) * model.devScale;
  const double ppcm = extent > 0.0 ? kSize / extent : 1.0;
  const Geometry geometry = CollectGeometry(model, settings, ppcm);
  std::printf("%zu face triangles, %zu flap triangles, %zu lines\n", geometry.faceTriangles.size() / 6,
              geometry.flapTriangles.size() / 6, geometry.lines.size() / 4);

  const std::string bmp = outDir + "/render_bench.bmp", raw = outDir + "/render_bench.raw";
  if (std::getenv("PLICORA_BENCH_PROFILE")) {  // one side alone, for a profiler
    const bool baseline = std::string(std::getenv("PLICORA_BENCH_PROFILE")) == "baseline";
    for (int i = 0; i < 4; ++i) baseline ? RunBaseline(geometry, raw) : RunRenderer(model, settings, ppcm, bmp);
    return 0;
  }
  // Warm-up of both paths; the renderer's first run builds its arrays.
  const double firstBase = RunBaseline(geometry, raw);
  const double first = RunRenderer(model, settings, ppcm, bmp);
  std::printf("first run (arrays built): renderer %.3f s, baseline %.3f s, ratio %.2f\n", first, firstBase,
              first / firstBase);
  // Runs alternate so that both sides see the same machine load; the ratio
  // is the median of the ratios of neighbouring runs.
  std::vector<double> ratios, cpuRatios;
  for (int i = 0; i < 5; ++i) {
    double cpu = CpuSeconds();
    const double base = RunBaseline(geometry, raw);
    const double baseCpu = CpuSeconds() - cpu;
    cpu = CpuSeconds();
    const double ours = RunRenderer(model, settings, ppcm, bmp);
    const double oursCpu = CpuSeconds() - cpu;
    ratios.push_back(ours / base);
    cpuRatios.push_back(oursCpu / baseCpu);
    std::printf("run %d: renderer %.3f s (cpu %.3f s), baseline %.3f s (cpu %.3f s)\n", i + 1, ours, oursCpu, base,
                baseCpu);
  }
  std::sort(ratios.begin(), ratios.end());
  std::sort(cpuRatios.begin(), cpuRatios.end());
  std::printf("processor time ratio %.2f\n", cpuRatios[2]);
  std::printf("render first build: ratio %.2f (goal <= 1.2)\n", first / firstBase);
  std::printf("render: ratio %.2f (goal <= 1.2)\n", ratios[2]);
  return 0;
}
