#include "render/development/RasterBatchIndex.h"

#include <algorithm>
#include <cmath>

namespace plicora {
namespace {

/// Cells along the longer side of the grid.
constexpr int kCellsAcross = 128;

}  // namespace

IndexWindow GroupBounds(const std::vector<float>& xy, std::size_t g) {
  const std::size_t first = 2 * g * RasterBatchIndex::kGroupVertices;
  const std::size_t last = std::min(xy.size(), first + 2 * RasterBatchIndex::kGroupVertices);
  IndexWindow b{xy[first], xy[first + 1], xy[first], xy[first + 1]};
  for (std::size_t i = first + 2; i + 1 < last; i += 2) {
    b.x0 = std::min(b.x0, xy[i]);
    b.x1 = std::max(b.x1, xy[i]);
    b.y0 = std::min(b.y0, xy[i + 1]);
    b.y1 = std::max(b.y1, xy[i + 1]);
  }
  return b;
}

void RasterBatchIndex::Clear() {
  starts_.clear();
  groups_.clear();
  columns_ = rows_ = 0;
}

RasterBatchIndex::CellRange RasterBatchIndex::CellsOf(const IndexWindow& b) const {
  auto cell = [](float v, float origin, float size, int count) {
    const float c = std::floor((v - origin) / size);
    return static_cast<int>(std::clamp(c, 0.0f, static_cast<float>(count - 1)));
  };
  return {cell(b.x0, x0_, cellWidth_, columns_), cell(b.x1, x0_, cellWidth_, columns_),
          cell(b.y0, y0_, cellHeight_, rows_), cell(b.y1, y0_, cellHeight_, rows_)};
}

void RasterBatchIndex::Build(const std::vector<float>& xy) {
  Clear();
  const std::size_t vertices = xy.size() / 2;
  if (vertices == 0) return;
  const std::size_t count = (vertices + kGroupVertices - 1) / kGroupVertices;
  IndexWindow all = GroupBounds(xy, 0);
  std::vector<IndexWindow> bounds(count);
  for (std::size_t g = 0; g < count; ++g) {
    bounds[g] = GroupBounds(xy, g);
    all = {std::min(all.x0, bounds[g].x0), std::min(all.y0, bounds[g].y0), std::max(all.x1, bounds[g].x1),
           std::max(all.y1, bounds[g].y1)};
  }
  const float width = std::max(all.x1 - all.x0, 1e-6f), height = std::max(all.y1 - all.y0, 1e-6f);
  const float cell = std::max(width, height) / kCellsAcross;
  x0_ = all.x0;
  y0_ = all.y0;
  cellWidth_ = cellHeight_ = cell;
  columns_ = std::clamp(static_cast<int>(std::ceil(width / cell)), 1, kCellsAcross);
  rows_ = std::clamp(static_cast<int>(std::ceil(height / cell)), 1, kCellsAcross);
  // Counted first, then filled in group order, so each cell's list ascends.
  starts_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
  std::vector<CellRange> cells(count);
  for (std::size_t g = 0; g < count; ++g) {
    cells[g] = CellsOf(bounds[g]);
    for (int r = cells[g].r0; r <= cells[g].r1; ++r)
      for (int c = cells[g].c0; c <= cells[g].c1; ++c) ++starts_[static_cast<std::size_t>(r) * columns_ + c + 1];
  }
  for (std::size_t i = 1; i < starts_.size(); ++i) starts_[i] += starts_[i - 1];
  groups_.resize(starts_.back());
  std::vector<std::uint32_t> fill(starts_.begin(), starts_.end() - 1);
  for (std::size_t g = 0; g < count; ++g)
    for (int r = cells[g].r0; r <= cells[g].r1; ++r)
      for (int c = cells[g].c0; c <= cells[g].c1; ++c)
        groups_[fill[static_cast<std::size_t>(r) * columns_ + c]++] = static_cast<std::uint32_t>(g);
}

void RasterBatchIndex::Find(const IndexWindow& w, const std::vector<float>& xy,
                            std::vector<std::uint32_t>& groups) const {
  groups.clear();
  if (empty() || w.x1 < x0_ || w.y1 < y0_ || w.x0 > x0_ + cellWidth_ * columns_ || w.y0 > y0_ + cellHeight_ * rows_)
    return;
  const CellRange range = CellsOf(w);
  for (int r = range.r0; r <= range.r1; ++r) {
    for (int c = range.c0; c <= range.c1; ++c) {
      const std::size_t cell = static_cast<std::size_t>(r) * columns_ + c;
      for (std::uint32_t i = starts_[cell]; i < starts_[cell + 1]; ++i) {
        const IndexWindow b = GroupBounds(xy, groups_[i]);
        if (b.x0 <= w.x1 && b.x1 >= w.x0 && b.y0 <= w.y1 && b.y1 >= w.y0) groups.push_back(groups_[i]);
      }
    }
  }
  std::sort(groups.begin(), groups.end());
  groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
}

}  // namespace plicora
