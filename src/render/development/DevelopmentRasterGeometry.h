#pragma once
// What a raster picture of the development draws, gathered by walking the
// development in drawing order (parts, faces, corners): flap fills and
// outlines, faces by material, lines by style and the marked faces, in
// development units. Where the picture lies in the buffer is the drawing's
// transform, so a cache keeps the arrays from one picture to the next across
// zooms, scrolls and printed pages.

#include <cstddef>
#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "render/development/RasterBatchIndex.h"

namespace plicora {

/// Development units to buffer pixels: x = ox + k * x, y = oy + k * y
/// measured downward, in a buffer `height` pixels high (OpenGL's y is up).
struct PixelMap {
  double k = 1.0;  ///< pixels per development unit
  double ox = 0.0, oy = 0.0;
  double height = 0.0;
  Point2 Pixel(Point2 p) const { return {ox + k * p.x, oy + k * p.y}; }
};

/// Geometry for one glDrawArrays call: 2D vertices in development units,
/// optional texture coords.
struct RasterBatch {
  std::vector<float> xy;
  std::vector<float> uv;
  /// Where its primitives lie, once Index has run.
  RasterBatchIndex index;
  void Clear() {
    xy.clear();
    uv.clear();
    index.Clear();
  }
};

/// The arrays of a run of parts; the picture draws each layer run by run.
struct RasterRun {
  RasterBatch flapFills, flapOutlines;
  std::vector<RasterBatch> faces;        ///< by material index + 1 (default first)
  RasterBatch solid, dot1, dot2, under;  ///< lines and the white lines under dashes
  RasterBatch highlights;
};

struct RasterGeometry {
  std::vector<char> textured;  ///< by material index + 1
  std::vector<RasterRun> runs;
};

/// Walks the parts in `runs` consecutive runs at once (one thread each) and
/// gives the same arrays, run after run, as one walk; where a run would
/// depend on another (a fold joining two parts, a corner without texture
/// coordinates) the parts are walked as one run. `ticks` is stepped on the
/// calling thread as its parts are walked; after a stop the arrays are
/// incomplete.
void CollectRasterGeometry(const Model& model, const Settings& settings, bool texturedOnly, bool highlights,
                           std::size_t runs, RasterGeometry& geometry, TickCounter* ticks = nullptr);

/// How many runs a model's walk is split into: one for a small model.
std::size_t RasterRunsFor(const Model& model);

/// Keeps the arrays of the last picture while nothing it was built from
/// changes: the model (its owner calls Invalidate on every change), the
/// settings and what is drawn.
class RasterGeometryCache {
 public:
  /// The arrays, built when needed; a stop of `ticks` while they are built
  /// leaves them incomplete and not kept.
  const RasterGeometry& Get(const Model& model, const Settings& settings, bool texturedOnly, bool highlights,
                            TickCounter* ticks = nullptr);
  /// Indexes where the primitives of every batch of the last Get lie (once
  /// per build), for pictures that draw only what meets a rectangle.
  void Index();
  void Invalidate() { valid_ = false; }

 private:
  RasterGeometry geometry_;
  bool valid_ = false;
  bool indexed_ = false;
  const Model* model_ = nullptr;
  Settings settings_;
  bool texturedOnly_ = false;
  bool highlights_ = false;
};

}  // namespace plicora
