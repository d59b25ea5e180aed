#pragma once
// Boxes in development units and a uniform grid over the development that
// lists boxes or convex polygons in the cells they touch, so that a
// question about a small area looks only at the items there instead of at
// every face of the model.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include "core/model/Model.h"

namespace plicora {

struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

inline Box BoxOf(Point2 a, Point2 b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

inline Box Grow(const Box& b, double m) {
  return {b.x0 - m, b.y0 - m, b.x1 + m, b.y1 + m};
}

inline Box Extended(const Box& b, Point2 p) {
  return {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
}

// Each item is listed in every cell it touches.
class BoxGrid {
 public:
  /// Lists every box (by its place in `boxes`) with about `cellsPerItem`
  /// square cells a box over `bounds`, whatever the bounds' shape. Each
  /// cell lists its boxes in their order.
  BoxGrid(const Box& bounds, const std::vector<Box>& boxes, double cellsPerItem)
      : BoxGrid(bounds, boxes.size(), cellsPerItem,
                [&boxes](const BoxGrid& grid, std::size_t i, auto add) { grid.ForBoxCells(boxes[i], add); }) {}

  /// Lists `count` items, item i in the cells for which
  /// `cellsOf(grid, i, add)` calls add(cell), with about `cellsPerItem`
  /// cells an item. Each cell lists its items in their order.
  template <typename CellsOf>
  BoxGrid(const Box& bounds, std::size_t count, double cellsPerItem, CellsOf cellsOf) : bounds_(bounds) {
    // Bounds without a finite extent (points at infinity in a damaged file)
    // make one cell: slow but right.
    const double w = std::max(bounds.x1 - bounds.x0, 1e-9), h = std::max(bounds.y1 - bounds.y0, 1e-9);
    if (std::isfinite(w) && std::isfinite(h)) {
      const double cells = std::clamp(static_cast<double>(count) * cellsPerItem, 1.0, kMaxCells);
      cell_ = std::max({std::sqrt(w * h / cells), w / kMaxCells, h / kMaxCells});
      nx_ = static_cast<int>(std::clamp(std::floor(w / cell_) + 1.0, 1.0, kMaxCells));
      ny_ = static_cast<int>(std::clamp(std::floor(h / cell_) + 1.0, 1.0, kMaxCells));
    }
    // Cells in rows, each cell's items at first_[cell] .. first_[cell + 1].
    // The offsets are 32-bit, which halves the memory of fine grids; a list
    // beyond that would not fit in memory anyway.
    first_.assign(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) + 1, 0);
    for (std::size_t i = 0; i < count; ++i) cellsOf(*this, i, [&](std::size_t cell) { ++first_[cell + 1]; });
    std::uint64_t total = 0;
    for (std::size_t i = 1; i < first_.size(); ++i) {
      total += first_[i];
      if (total > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
      first_[i] = static_cast<std::uint32_t>(total);
    }
    ids_.resize(first_.back());
    std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
    for (std::size_t i = 0; i < count; ++i) {
      cellsOf(*this, i, [&](std::size_t cell) { ids_[next[cell]++] = static_cast<int>(i); });
    }
  }

  /// Calls add(cell) for every cell the box touches.
  template <typename Add>
  void ForBoxCells(const Box& box, Add add) const {
    int x0, y0, x1, y1;
    Range(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) add(Index(x, y));
    }
  }

  /// Calls add(cell) for every cell that the convex polygon, grown by m,
  /// touches: row by row, only the cells under the polygon's part in that
  /// row (a long thin polygon across the grid meets far fewer cells than
  /// its box does).
  template <typename Add>
  void ForPolygonCells(const Point2* points, int count, double m, Add add) const {
    if (count <= 0) return;
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) box = Extended(box, points[i]);
    box = Grow(box, m);
    int x0, y0, x1, y1;
    Range(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y) {
      const double top = y == 0 ? -1e300 : bounds_.y0 + y * cell_ - m;
      const double bottom = y == ny_ - 1 ? 1e300 : bounds_.y0 + (y + 1) * cell_ + m;
      // The polygon's reach in x within the row: on its outline.
      double left = 1e300, right = -1e300;
      for (int i = 0; i < count; ++i) {
        const Point2 a = points[i], b = points[(i + 1) % count];
        double lo = 0.0, hi = 1.0;
        if (b.y != a.y) {
          const double ta = (top - a.y) / (b.y - a.y), tb = (bottom - a.y) / (b.y - a.y);
          lo = std::max(lo, std::min(ta, tb));
          hi = std::min(hi, std::max(ta, tb));
        } else if (a.y < top || a.y > bottom) {
          continue;
        }
        if (lo > hi) continue;
        const double xa = a.x + (b.x - a.x) * lo, xb = a.x + (b.x - a.x) * hi;
        left = std::min({left, xa, xb});
        right = std::max({right, xa, xb});
      }
      if (left > right) continue;
      const int first = Clamp(left - m - bounds_.x0, nx_), last = Clamp(right + m - bounds_.x0, nx_);
      for (int x = first; x <= last; ++x) add(Index(x, y));
    }
  }

  /// Calls f(id) once for every item listed in the cells the box touches,
  /// until f returns true.
  template <typename F>
  void Visit(const Box& box, std::vector<int>& stamp, int& query, F f) const {
    ++query;
    ForEachCell(box, [&](std::size_t cell) {
      for (std::size_t k = first_[cell]; k < first_[cell + 1]; ++k) {
        const int id = ids_[k];
        if (stamp[static_cast<std::size_t>(id)] == query) continue;
        stamp[static_cast<std::size_t>(id)] = query;
        if (f(id)) return false;
      }
      return true;
    });
  }
  /// Calls f(k, id) for the k-th entry of the grid's lists in every cell
  /// the box touches (an item listed in several of them comes once for
  /// each); a cell's remaining entries are passed over once f returns false.
  template <typename F>
  void ForEachEntryIn(const Box& box, F f) const {
    ForEachCell(box, [&](std::size_t cell) {
      for (std::size_t k = first_[cell]; k < first_[cell + 1]; ++k) {
        if (!f(k, ids_[k])) break;
      }
      return true;
    });
  }

  /// Calls g(cell) for every cell the box touches, row by row, until g
  /// returns false.
  template <typename G>
  void ForEachCell(const Box& box, G g) const {
    int x0, y0, x1, y1;
    Range(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (!g(Index(x, y))) return;
  }

  /// Calls f(id) for every item listed in the one cell that holds the point
  /// (each once, as a cell lists an item once), until f returns true.
  template <typename F>
  void VisitPoint(Point2 p, F f) const {
    const std::size_t cell = Index(Clamp(p.x - bounds_.x0, nx_), Clamp(p.y - bounds_.y0, ny_));
    for (std::size_t k = first_[cell]; k < first_[cell + 1]; ++k) {
      if (f(ids_[k])) return;
    }
  }

  /// Calls f(id) for every item listed in the cells that the segment from a
  /// to b, grown by m, passes through: row by row, only the cells under the
  /// segment's part in that row. An item listed in several of those cells
  /// comes once for each (callers that mind keep their own stamps, where a
  /// stamp costs less than the question it saves). Items from `limit` on
  /// are left out (a cell lists its items in the order they were added).
  template <typename F>
  void ForEachAlong(Point2 a, Point2 b, double m, F f, int limit = std::numeric_limits<int>::max()) const {
    ForEachEntryAlong(a, b, m, [&](std::size_t, int id) {
      if (id >= limit) return false;
      f(id);
      return true;
    });
  }

  /// The same walk by entry: f(k, id) for the k-th entry of the grid's
  /// lists (a caller may keep data of its own by entry, next to the entries
  /// of the same cell); a cell's remaining entries are passed over once f
  /// returns false.
  template <typename F>
  void ForEachEntryAlong(Point2 a, Point2 b, double m, F f) const {
    const Box box = Grow(BoxOf(a, b), m);
    int x0, y0, x1, y1;
    Range(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y) {
      // Outer rows also hold what lies beyond the grid.
      const double top = y == 0 ? -1e300 : bounds_.y0 + y * cell_ - m;
      const double bottom = y == ny_ - 1 ? 1e300 : bounds_.y0 + (y + 1) * cell_ + m;
      double left = box.x0, right = box.x1;
      if (b.y != a.y) {
        const double ta = std::clamp((top - a.y) / (b.y - a.y), 0.0, 1.0);
        const double tb = std::clamp((bottom - a.y) / (b.y - a.y), 0.0, 1.0);
        const double xa = a.x + (b.x - a.x) * ta, xb = a.x + (b.x - a.x) * tb;
        left = std::min(xa, xb) - m;
        right = std::max(xa, xb) + m;
      }
      const int first = Clamp(left - bounds_.x0, nx_), last = Clamp(right - bounds_.x0, nx_);
      for (int x = first; x <= last; ++x) {
        const std::size_t cell = Index(x, y);
        for (std::size_t k = first_[cell]; k < first_[cell + 1]; ++k) {
          if (!f(k, ids_[k])) break;
        }
      }
    }
  }

  /// The entries of all cells' lists, and the item of each.
  std::size_t EntryCount() const { return ids_.size(); }
  int IdAt(std::size_t k) const { return ids_[k]; }

 private:
  // The cell of a distance from the grid's corner, limited to the grid (a
  // point beyond it, or not a number, counts in the outer cells).
  int Clamp(double v, int n) const {
    const double cell = std::floor(v / cell_);
    if (!(cell > 0.0)) return 0;
    return cell >= n - 1 ? n - 1 : static_cast<int>(cell);
  }
  void Range(const Box& b, int& x0, int& y0, int& x1, int& y1) const {
    x0 = Clamp(b.x0 - bounds_.x0, nx_), x1 = Clamp(b.x1 - bounds_.x0, nx_);
    y0 = Clamp(b.y0 - bounds_.y0, ny_), y1 = Clamp(b.y1 - bounds_.y0, ny_);
  }
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * nx_ + static_cast<std::size_t>(x); }
  static constexpr double kMaxCells = 3.2e7;
  Box bounds_;
  double cell_ = 1.0;
  int nx_ = 1, ny_ = 1;
  std::vector<std::uint32_t> first_;
  std::vector<int> ids_;
};

}  // namespace plicora
