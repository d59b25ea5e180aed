#pragma once
// Where the primitives of a vertex array lie, for drawing only the part of a
// picture that meets a rectangle. The vertices are taken in groups of six
// (whole lines and whole triangles); each group is listed under every cell of
// a grid over the array's bounds that the group's bounds meet. The array's
// order is kept: a development's faces come part by part in unfolding order,
// so neighbours in the array may lie far apart and ranges of it would not do.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plicora {

/// A rectangle in the array's units: x from x0 to x1, y from y0 to y1.
struct IndexWindow {
  float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
};

class RasterBatchIndex {
 public:
  /// Vertices per group: a multiple of 2 and 3.
  static constexpr std::size_t kGroupVertices = 6;

  /// Indexes an array of 2D vertices (x, y, x, y, ...).
  void Build(const std::vector<float>& xy);
  bool empty() const { return starts_.empty(); }
  void Clear();
  /// The groups whose bounds meet the window, ascending and each once.
  void Find(const IndexWindow& window, const std::vector<float>& xy, std::vector<std::uint32_t>& groups) const;

 private:
  /// The cells a group's bounds (or a window) meet: [c0, c1] x [r0, r1].
  struct CellRange {
    int c0, c1, r0, r1;
  };
  CellRange CellsOf(const IndexWindow& bounds) const;

  float x0_ = 0.0f, y0_ = 0.0f, cellWidth_ = 1.0f, cellHeight_ = 1.0f;
  int columns_ = 0, rows_ = 0;
  std::vector<std::uint32_t> starts_;  ///< per cell, into groups_; one more at the end
  std::vector<std::uint32_t> groups_;  ///< cell by cell, ascending within a cell
};

/// The bounds of group `g` of an array.
IndexWindow GroupBounds(const std::vector<float>& xy, std::size_t g);

}  // namespace plicora
