#pragma once
// What a raster picture of the development draws, gathered by walking the
// development in drawing order (parts, faces, corners): flap fills and
// outlines, faces by material, lines by style and the marked faces, in
// buffer pixels. A cache keeps the arrays from one picture to the next.

#include <cstddef>
#include <vector>

#include "model/Model.h"
#include "model/Settings.h"

namespace plicora {

/// Development units to OpenGL coordinates of the buffer (y up).
struct PixelMap {
  double k = 1.0;  ///< pixels per development unit
  double ox = 0.0, oy = 0.0;
  double height = 0.0;
  void Put(Point2 p, std::vector<float>& out) const {
    out.push_back(static_cast<float>(ox + k * p.x));
    out.push_back(static_cast<float>(height - (oy + k * p.y)));
  }
  Point2 Pixel(Point2 p) const { return {ox + k * p.x, oy + k * p.y}; }
  bool operator==(const PixelMap&) const = default;
};

/// Geometry for one glDrawArrays call: 2D vertices, optional texture coords.
struct RasterBatch {
  std::vector<float> xy;
  std::vector<float> uv;
  void Clear() {
    xy.clear();
    uv.clear();
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
/// coordinates) the parts are walked as one run.
void CollectRasterGeometry(const Model& model, const Settings& settings, const PixelMap& map, bool texturedOnly,
                           bool highlights, std::size_t runs, RasterGeometry& geometry);

/// How many runs a model's walk is split into: one for a small model.
std::size_t RasterRunsFor(const Model& model);

/// Keeps the arrays of the last picture while nothing it was built from
/// changes: the model (its owner calls Invalidate on every change), the
/// settings, the placement in the buffer and what is drawn.
class RasterGeometryCache {
 public:
  const RasterGeometry& Get(const Model& model, const Settings& settings, const PixelMap& map, bool texturedOnly,
                            bool highlights);
  void Invalidate() { valid_ = false; }

 private:
  RasterGeometry geometry_;
  bool valid_ = false;
  const Model* model_ = nullptr;
  Settings settings_;
  PixelMap map_;
  bool texturedOnly_ = false;
  bool highlights_ = false;
};

}  // namespace plicora
