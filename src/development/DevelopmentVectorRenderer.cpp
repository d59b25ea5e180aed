#include "development/DevelopmentVectorRenderer.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <thread>
#include <utility>

#include "development/DevelopmentDrawing.h"
#include "development/DevelopmentGeometry.h"
#include "model/Geometry.h"
#include "platform/FontResolution.h"

namespace plicora {
namespace {

// Device coordinates are whole units; reals are truncated toward zero.
QPoint Device(Point2 p, double sx, double sy) {
  return QPoint(static_cast<int>(p.x * sx), static_cast<int>(p.y * sy));
}

struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

Box BoxOf(Point2 a, Point2 b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Box Grow(const Box& b, double m) {
  return {b.x0 - m, b.y0 - m, b.x1 + m, b.y1 + m};
}

Box Extended(const Box& b, Point2 p) {
  return {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
}

// Runs `here` on this thread and `there` on another, both to their end; an
// exception of either is thrown here afterwards.
template <typename F, typename G>
void BothAtOnce(F here, G there) {
  std::exception_ptr failure;
  std::thread other([&] {
    try {
      there();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  try {
    here();
  } catch (...) {
    other.join();
    throw;
  }
  other.join();
  if (failure) std::rethrow_exception(failure);
}

// The part of the drawing a caller wants, in device units: what lies wholly
// outside it is not drawn at all. Without an area everything is drawn.
struct DrawArea {
  bool all = true;
  Box device{0.0, 0.0, 0.0, 0.0};

  bool Shows(const Box& deviceBox) const { return all || device.Overlaps(deviceBox); }
  bool Shows(QPoint a, QPoint b) const {
    return all || device.Overlaps(BoxOf(Point2{static_cast<double>(a.x()), static_cast<double>(a.y())},
                                        Point2{static_cast<double>(b.x()), static_cast<double>(b.y())}));
  }
  /// A box in development units at sx, sy device units per unit.
  bool ShowsDevelopment(const Box& b, double sx, double sy) const {
    return all || device.Overlaps(BoxOf(Point2{b.x0 * sx, b.y0 * sy}, Point2{b.x1 * sx, b.y1 * sy}));
  }
};

// The area in device units, grown by `margin` device units on every side so
// that wide pens and round caps of items just outside still reach in.
DrawArea MakeDrawArea(const std::optional<QRectF>& area, double sx, double sy, double margin) {
  DrawArea result;
  if (!area) return result;
  result.all = false;
  result.device =
      Grow(BoxOf(Point2{area->left() * sx, area->top() * sy}, Point2{area->right() * sx, area->bottom() * sy}), margin);
  return result;
}

Box PolygonBox(const QPolygon& polygon) {
  if (polygon.isEmpty()) return {0.0, 0.0, -1.0, -1.0};
  const QRect r = polygon.boundingRect();
  return {static_cast<double>(r.left()), static_cast<double>(r.top()), static_cast<double>(r.right()),
          static_cast<double>(r.bottom())};
}

// Black lines of one pen gathered into a path of two-point subpaths, drawn
// with a single call: the paint engines get one large path instead of a
// line call per side. Lines whose ends coincide (a path would leave them
// out, while a round cap shows them as a dot) follow as one line call.
class LineBatch {
 public:
  explicit LineBatch(QPainter& painter) : painter_(painter) {}
  void Add(QPoint a, QPoint b) {
    if (a == b) {
      dots_.emplace_back(a, b);
    } else {
      path_.moveTo(a);
      path_.lineTo(b);
    }
    if (++count_ >= kMaxLines) Flush();
  }
  void Flush() {
    if (!path_.isEmpty()) painter_.drawPath(path_);
    if (!dots_.empty()) painter_.drawLines(dots_.data(), static_cast<int>(dots_.size()));
    path_.clear();
    dots_.clear();
    count_ = 0;
  }

 private:
  static constexpr int kMaxLines = 65536;  // bounds the memory held
  QPainter& painter_;
  QPainterPath path_;
  std::vector<QLine> dots_;
  int count_ = 0;
};

// Inside the fan of triangles from the first of `count` corners.
bool InsideFan(const Point2* corners, std::size_t count, Point2 p) {
  for (std::size_t i = 1; i + 1 < count; ++i) {
    if (PointInTriangle(p, corners[0], corners[i], corners[i + 1])) return true;
  }
  return false;
}

// Twice the signed area of the triangle a, b, c.
double CrossOf(Point2 a, Point2 b, Point2 c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The stretch [lo, hi] of distances d along the line a + d u (u of unit
// length) that lies within the triangle t0, t1, t2, narrowed from the
// stretch passed in; false when nothing of it lies within.
bool ClipToTriangle(Point2 a, Point2 u, Point2 t0, Point2 t1, Point2 t2, double& lo, double& hi) {
  const double area = CrossOf(t0, t1, t2);
  if (area == 0.0) return false;
  const double sign = area > 0.0 ? 1.0 : -1.0;
  const Point2 corners[3] = {t0, t1, t2};
  for (int i = 0; i < 3; ++i) {
    const Point2 p = corners[i], q = corners[(i + 1) % 3];
    // Inside this side where sign * cross(q - p, x - p) >= 0.
    const double at0 = sign * CrossOf(p, q, a);
    const double slope = sign * ((q.x - p.x) * u.y - (q.y - p.y) * u.x);
    if (slope == 0.0) {
      if (at0 < 0.0) return false;
      continue;
    }
    const double d = -at0 / slope;
    if (slope > 0.0) {
      lo = std::max(lo, d);
    } else {
      hi = std::min(hi, d);
    }
    if (lo > hi) return false;
  }
  return true;
}

// Whether the points all lie on one side of the line through a along the
// unit vector u, each at least 1e-6 development units away. Such points can
// neither cross the line nor, as a segment, meet it within the 1e-7 that
// SegmentIntersection allows, nor, as a polygon, cover any of it, whatever
// the rounding: the cheap test that spares the exact ones.
bool ClearOfLine(Point2 a, Point2 u, const Point2* points, int count) {
  constexpr double kClear = 1e-6;
  bool left = true, right = true;
  for (int i = 0; i < count; ++i) {
    const double side = u.x * (points[i].y - a.y) - u.y * (points[i].x - a.x);
    left = left && side > kClear;
    right = right && side < -kClear;
  }
  return left || right;
}

// The corner across side i of a face (from ring[i] to the next corner) in
// the fan of triangles from ring[0] that InsideFace tests: the triangle
// that holds the side lies on this corner's side of it.
const HalfEdge* FanCornerAcross(const Face& face, std::size_t i) {
  const std::size_t n = face.ring.size();
  if (i == 0) return face.ring[2];
  if (i == n - 1) return face.ring[n - 2];
  return face.ring[0];
}

// A side that two faces of one part share exactly, lying on either side of
// it: crossing it leads from one face straight into the other, so it never
// bounds the area the faces cover.
bool IsInnerSide(const Face& face, std::size_t i, const Part& part) {
  const std::size_t n = face.ring.size();
  const HalfEdge& h = *face.ring[i];
  const HalfEdge* m = h.partner;
  if (n < 3 || !h.next || h.next != face.ring[(i + 1) % n] || !m || !m->next || !m->face) return false;
  const Face& other = *m->face;
  const std::size_t k = other.ring.size();
  if (other.part != &part || k < 3) return false;
  if (m->devPos.x != h.next->devPos.x || m->devPos.y != h.next->devPos.y || m->next->devPos.x != h.devPos.x ||
      m->next->devPos.y != h.devPos.y) {
    return false;
  }
  std::size_t j = 0;
  while (j < k && other.ring[j] != m) ++j;
  if (j == k || other.ring[(j + 1) % k] != m->next) return false;
  const double here = CrossOf(h.devPos, h.next->devPos, FanCornerAcross(face, i)->devPos);
  const double there = CrossOf(h.devPos, h.next->devPos, FanCornerAcross(other, j)->devPos);
  return (here > 0.0 && there < 0.0) || (here < 0.0 && there > 0.0);
}

/// A flap polygon of this drawing (part offset included).
struct FlapShape {
  std::array<Point2, 4> points{};
  int count = 0;
};

// A uniform grid over the development: each item is listed in every cell its
// box touches, so that a question about a small area looks only at the items
// there instead of at every face of the model.
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
    const double w = std::max(bounds.x1 - bounds.x0, 1e-9), h = std::max(bounds.y1 - bounds.y0, 1e-9);
    const double cells = std::clamp(static_cast<double>(count) * cellsPerItem, 1.0, kMaxCells);
    cell_ = std::max({std::sqrt(w * h / cells), w / kMaxCells, h / kMaxCells});
    nx_ = std::clamp(static_cast<int>(w / cell_) + 1, 1, static_cast<int>(kMaxCells));
    ny_ = std::clamp(static_cast<int>(h / cell_) + 1, 1, static_cast<int>(kMaxCells));
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
    int x0, y0, x1, y1;
    Range(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const std::size_t cell = Index(x, y);
        for (std::size_t k = first_[cell]; k < first_[cell + 1]; ++k) {
          const int id = ids_[k];
          if (stamp[static_cast<std::size_t>(id)] == query) continue;
          stamp[static_cast<std::size_t>(id)] = query;
          if (f(id)) return;
        }
      }
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
          const int id = ids_[k];
          if (id >= limit) break;
          f(id);
        }
      }
    }
  }

 private:
  int Clamp(double v, int n) const { return std::clamp(static_cast<int>(std::floor(v / cell_)), 0, n - 1); }
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

// Flap outlines: only the stretches of a flap side that no face and no
// earlier flap of a nearby part covers are drawn. Nearby parts are those
// whose boxes, grown by their widest flap, overlap. A flap side is cut where
// face sides of nearby parts cross it (a side inside a part, between two of
// its faces, changes nothing and is left out); the pieces outside every face
// are clipped against the earlier flaps. Only the parts whose grown box meets
// the drawing area, and their nearby parts, are looked at.
class FlapOutlineWalk {
 public:
  FlapOutlineWalk(LineBatch& lines, const Model& model, const Settings& settings, double sx, double sy,
                  const DrawArea& area)
      : lines_(lines),
        model_(model),
        flip_(model.mirrored != settings.bNorishiroReverse),
        sx_(sx),
        sy_(sy),
        area_(area) {}

  void Run() {
    const double s = model_.devScale;
    std::vector<Box> grown;
    for (const Part& part : model_.parts) {
      double maxFlapWidth = 0.0;
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          if (h->hasFlap) maxFlapWidth = std::max(maxFlapWidth, h->flapWidth);
        }
      }
      const double m = s != 0.0 ? maxFlapWidth / s : 0.0;
      grown.push_back(Grow({part.offsetX, part.offsetY, part.offsetX + part.width, part.offsetY + part.height}, m));
    }
    const std::size_t count = model_.parts.size();
    // The parts whose grown boxes overlap a part's grown box.
    Box all{1e300, 1e300, -1e300, -1e300};
    for (const Box& b : grown) {
      all = {std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1), std::max(all.y1, b.y1)};
    }
    if (all.x0 > all.x1) all = {0.0, 0.0, 1.0, 1.0};
    const BoxGrid partGrid(all, grown, 1.0);
    Scratch scratch[2];
    for (Scratch& w : scratch) w.partStamp.assign(count, 0);
    auto forNearParts = [&](Scratch& w, std::size_t i, auto f) {
      partGrid.Visit(grown[i], w.partStamp, w.partQuery, [&](int j) {
        if (grown[i].Overlaps(grown[static_cast<std::size_t>(j)])) f(static_cast<std::size_t>(j));
        return false;
      });
    };
    std::vector<char> drawn(count, 0), indexed(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
      if (!area_.ShowsDevelopment(grown[i], sx_, sy_)) continue;
      drawn[i] = 1;
      forNearParts(scratch[0], i, [&](std::size_t j) { indexed[j] = 1; });
    }
    Index(indexed);
    std::vector<std::size_t> todo;  // the flaps to draw, in order
    for (const FlapItem& flap : flaps_) {
      if (drawn[static_cast<std::size_t>(flap.part)] && area_.ShowsDevelopment(flap.box, sx_, sy_)) {
        todo.push_back(static_cast<std::size_t>(flap.order));
      }
    }
    // The flaps go in chunks of the list to whichever thread is free, since
    // crowded and sparse stretches of the development take very different
    // times. Each chunk keeps its pieces until the chunks before it are
    // drawn; this thread draws them in the flaps' order between its own
    // chunks (only this thread paints), so drawing shares the time of the
    // walk and few pieces wait in memory.
    const std::size_t chunkCount = (todo.size() + kChunk - 1) / kChunk;
    std::vector<std::vector<std::pair<QPoint, QPoint>>> chunks(chunkCount);
    std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[chunkCount]);
    for (std::size_t c = 0; c < chunkCount; ++c) done[c] = false;
    std::atomic<std::size_t> nextChunk{0};
    std::size_t drawnChunks = 0;
    auto drawReady = [&] {
      for (; drawnChunks < chunkCount && done[drawnChunks].load(std::memory_order_acquire); ++drawnChunks) {
        for (const auto& [from, to] : chunks[drawnChunks]) lines_.Add(from, to);
        std::vector<std::pair<QPoint, QPoint>>().swap(chunks[drawnChunks]);
      }
    };
    auto walk = [&](Scratch& w, bool draws) {
      w.near.assign(count, 0);
      w.faceStamp.assign(faces_.part.size(), 0);
      w.flapStamp.assign(flaps_.size(), 0);
      w.segmentStamp.assign(segments_.size(), 0);
      std::vector<std::size_t> nearList;  // the parts w.near marks
      int nearOf = -1;                    // the part w.near describes
      for (std::size_t c = nextChunk++; c < chunkCount; c = nextChunk++) {
        w.pieces = &chunks[c];
        for (std::size_t t = c * kChunk; t < std::min(todo.size(), (c + 1) * kChunk); ++t) {
          const FlapItem& flap = flaps_[todo[t]];
          if (flap.part != nearOf) {
            nearOf = flap.part;
            for (std::size_t j : nearList) w.near[j] = 0;
            nearList.clear();
            forNearParts(w, static_cast<std::size_t>(nearOf), [&](std::size_t j) {
              w.near[j] = 1;
              nearList.push_back(j);
            });
          }
          for (int k = 0; k + 1 < flap.shape.count; ++k) {
            DrawSide(w, flap, flap.shape.points[static_cast<std::size_t>(k)],
                     flap.shape.points[static_cast<std::size_t>(k + 1)]);
          }
        }
        done[c].store(true, std::memory_order_release);
        if (draws) drawReady();
      }
    };
    std::exception_ptr failure;
    std::thread second;
    if (chunkCount > 1) {
      second = std::thread([&] {
        try {
          walk(scratch[1], false);
        } catch (...) {
          nextChunk = chunkCount;  // the first thread stops too
          failure = std::current_exception();
        }
      });
    }
    try {
      walk(scratch[0], true);
    } catch (...) {
      nextChunk = chunkCount;
      if (second.joinable()) second.join();
      throw;
    }
    if (second.joinable()) second.join();
    if (failure) std::rethrow_exception(failure);
    drawReady();
  }

 private:
  // Flaps a thread takes at a time.
  static constexpr std::size_t kChunk = 1024;
  // Faces from this many on are indexed by two threads.
  static constexpr std::size_t kSharedIndex = 1 << 16;
  // Cells of the grids per item listed. The development is crowded in places
  // and empty in others, so the crowded places need more cells than the
  // average suggests: a point meets a few faces, a side a few items a cell.
  static constexpr double kFaceCells = 16.0;
  static constexpr double kSideCells = 4.0;
  static constexpr double kFlapCells = 4.0;

  // What one walk over flaps changes: the parts near the current flap, the
  // visit stamps of the grids, and the pieces to draw.
  struct Scratch {
    std::vector<char> near;
    std::vector<int> partStamp, faceStamp, flapStamp, segmentStamp;
    int partQuery = 0, faceQuery = 0, flapQuery = 0, segmentQuery = 0;
    std::vector<std::pair<QPoint, QPoint>>* pieces = nullptr;  // of the current chunk
    std::vector<double> cuts;                                  // along the current side
    std::vector<std::pair<double, double>> covered;            // likewise
  };

  // Faces in flat arrays: part, box and corners (first_ .. first_ + 1).
  struct FaceTable {
    std::vector<int> part;
    std::vector<Box> box;
    std::vector<std::size_t> first{0};
    std::vector<Point2> corners;
  };
  struct FlapItem {
    FlapShape shape;
    int part;
    int order;  // drawing order of the flaps
    Box box;    // grown a little
  };
  struct Segment {  // a face side
    Point2 a, b;
    int part;
  };

  static Box GrownBoxOf(Point2 a, Point2 b) { return Grow(BoxOf(a, b), 1e-6); }

  // The faces, flaps and face sides of a run of parts, in drawing order.
  struct Tables {
    FaceTable faces;
    std::vector<int> flapParts;
    std::vector<Box> flapBoxes;
    std::vector<FlapItem> flaps;
    std::vector<Segment> segments;
    std::vector<Box> segmentBoxes;
    Box bounds{1e300, 1e300, -1e300, -1e300};

    void Extend(Point2 p) { bounds = Extended(bounds, p); }
    // Puts the tables of the parts that follow after these.
    void Append(Tables&& more) {
      const std::size_t corners = faces.corners.size();
      faces.part.insert(faces.part.end(), more.faces.part.begin(), more.faces.part.end());
      faces.box.insert(faces.box.end(), more.faces.box.begin(), more.faces.box.end());
      for (std::size_t k = 1; k < more.faces.first.size(); ++k) faces.first.push_back(corners + more.faces.first[k]);
      faces.corners.insert(faces.corners.end(), more.faces.corners.begin(), more.faces.corners.end());
      const int order = static_cast<int>(flaps.size());
      for (FlapItem& flap : more.flaps) flap.order += order;
      flaps.insert(flaps.end(), more.flaps.begin(), more.flaps.end());
      flapParts.insert(flapParts.end(), more.flapParts.begin(), more.flapParts.end());
      flapBoxes.insert(flapBoxes.end(), more.flapBoxes.begin(), more.flapBoxes.end());
      segments.insert(segments.end(), more.segments.begin(), more.segments.end());
      segmentBoxes.insert(segmentBoxes.end(), more.segmentBoxes.begin(), more.segmentBoxes.end());
      bounds = {std::min(bounds.x0, more.bounds.x0), std::min(bounds.y0, more.bounds.y0),
                std::max(bounds.x1, more.bounds.x1), std::max(bounds.y1, more.bounds.y1)};
    }
  };

  // The tables of the listed parts among parts [from, to).
  void Fill(Tables& t, const std::vector<char>& listed, std::size_t from, std::size_t to) const {
    for (std::size_t pi = from; pi < to; ++pi) {
      if (!listed[pi]) continue;
      const Part& part = model_.parts[pi];
      for (const Face* face : part.faces) {
        Box box{1e300, 1e300, -1e300, -1e300};
        for (std::size_t i = 0; i < face->ring.size(); ++i) {
          const HalfEdge* h = face->ring[i];
          const Point2 c = CornerOf(*h, part);
          t.Extend(c);
          box = Extended(box, c);
          const HalfEdge* end = SideEnd(*h);
          if (end && !IsInnerSide(*face, i, part)) {
            t.segments.push_back({c, CornerOf(*end, part), static_cast<int>(pi)});
            t.segmentBoxes.push_back(GrownBoxOf(t.segments.back().a, t.segments.back().b));
          }
          FlapShape shape;
          shape.count = FlapPolygonOf(*h, part, flip_, model_.devScale, shape.points);
          const int n = shape.count;
          if (n >= 3) {
            Box flapBox{1e300, 1e300, -1e300, -1e300};
            for (int k = 0; k < n; ++k) {
              const Point2 p = shape.points[static_cast<std::size_t>(k)];
              t.Extend(p);
              flapBox = Extended(flapBox, p);
            }
            t.flaps.push_back({shape, static_cast<int>(pi), static_cast<int>(t.flaps.size()), Grow(flapBox, 1e-6)});
            t.flapBoxes.push_back(t.flaps.back().box);
            t.flapParts.push_back(static_cast<int>(pi));
          }
        }
        if (face->ring.size() >= 3) {
          t.faces.part.push_back(static_cast<int>(pi));
          t.faces.box.push_back(Grow(box, 1e-6));
          for (const HalfEdge* h : face->ring) t.faces.corners.push_back(CornerOf(*h, part));
          t.faces.first.push_back(t.faces.corners.size());
        }
      }
    }
  }

  // Lists every face, flap and side of the listed parts in the grids; a
  // large model's tables are filled in two halves at once, and the grids
  // built side by side.
  void Index(const std::vector<char>& listed) {
    std::size_t faces = 0;
    for (std::size_t pi = 0; pi < model_.parts.size(); ++pi) faces += listed[pi] ? model_.parts[pi].faces.size() : 0;
    std::size_t middle = 0;
    for (std::size_t seen = 0; middle < model_.parts.size() && seen * 2 < faces; ++middle)
      seen += listed[middle] ? model_.parts[middle].faces.size() : 0;
    if (faces < kSharedIndex) middle = model_.parts.size();
    Tables first, second;
    BothAtOnce([&] { Fill(first, listed, 0, middle); }, [&] { Fill(second, listed, middle, model_.parts.size()); });
    first.Append(std::move(second));
    faces_ = std::move(first.faces);
    flapParts_ = std::move(first.flapParts);
    flapBoxes_ = std::move(first.flapBoxes);
    flaps_ = std::move(first.flaps);
    segments_ = std::move(first.segments);
    Box bounds = first.bounds;
    if (bounds.x0 > bounds.x1) bounds = {0.0, 0.0, 1.0, 1.0};
    bounds = Grow(bounds, 1e-6);
    BothAtOnce(
        [&] {
          // Flaps are listed where they lie, not over their boxes: a long flap
          // across the grid's rows and columns would fill many cells it misses.
          flapGrid_ = std::make_unique<BoxGrid>(
              bounds, flaps_.size(), kFlapCells, [this](const BoxGrid& grid, std::size_t i, auto add) {
                grid.ForPolygonCells(flaps_[i].shape.points.data(), flaps_[i].shape.count, 1e-6, add);
              });
        },
        [&] {
          faceGrid_ = std::make_unique<BoxGrid>(bounds, faces_.box, kFaceCells);
          sideGrid_ = std::make_unique<BoxGrid>(bounds, first.segmentBoxes, kSideCells);
        });
  }

  // Where the face sides of nearby parts cross the flap side from a to b,
  // as distances from a, in order, between the side's start (0) and its
  // length.
  void FaceCutsAlong(Scratch& w, Point2 a, Point2 b, Point2 u, double length) const {
    const Box sideBox = GrownBoxOf(a, b);
    w.cuts.assign(1, 0.0);
    ++w.segmentQuery;
    sideGrid_->ForEachAlong(a, b, 1e-6, [&](int id) {
      const auto i = static_cast<std::size_t>(id);
      const Segment& seg = segments_[i];
      if (!w.near[static_cast<std::size_t>(seg.part)] || !sideBox.Overlaps(GrownBoxOf(seg.a, seg.b))) return;
      const Point2 ends[2] = {seg.a, seg.b};
      if (ClearOfLine(a, u, ends, 2)) return;
      Point2 x;
      // A face side listed in two cells along the side cuts it once.
      if (!SegmentIntersection(a, b, seg.a, seg.b, x) || w.segmentStamp[i] == w.segmentQuery) return;
      w.segmentStamp[i] = w.segmentQuery;
      w.cuts.push_back(std::hypot(x.x - a.x, x.y - a.y));
    });
    std::sort(w.cuts.begin() + 1, w.cuts.end());
    w.cuts.push_back(length);
  }

  // The stretches of the side a + d u (d from 0 to its length) that earlier
  // flaps of nearby parts cover, joined where they overlap or touch, in
  // order. A piece of the side is covered by exactly these stretches cut to
  // the piece, so the side is clipped once for all its pieces.
  void CoverByEarlierFlaps(Scratch& w, const FlapItem& flap, Point2 a, Point2 b, Point2 u, double length) const {
    w.covered.clear();
    const Box sideBox = GrownBoxOf(a, b);
    ++w.flapQuery;
    flapGrid_->ForEachAlong(
        a, b, 1e-6,
        [&](int id) {
          const auto i = static_cast<std::size_t>(id);
          if (!w.near[static_cast<std::size_t>(flapParts_[i])] || !sideBox.Overlaps(flapBoxes_[i]) ||
              w.flapStamp[i] == w.flapQuery) {
            return;
          }
          w.flapStamp[i] = w.flapQuery;
          const FlapItem& f = flaps_[i];
          const auto& q = f.shape.points;
          if (ClearOfLine(a, u, q.data(), f.shape.count)) return;
          for (int t = 0; t + 2 < f.shape.count && t < 2; ++t) {  // triangles (0, 1, 2) and (0, 2, 3)
            double lo = 0.0, hi = length;
            if (ClipToTriangle(a, u, q[0], q[static_cast<std::size_t>(t + 1)], q[static_cast<std::size_t>(t + 2)], lo,
                               hi)) {
              w.covered.emplace_back(lo, hi);
            }
          }
        },
        flap.order);  // flaps are listed in their drawing order
    std::sort(w.covered.begin(), w.covered.end());
    std::size_t joined = 0;
    for (std::size_t k = 0; k < w.covered.size(); ++k) {
      if (joined > 0 && w.covered[k].first <= w.covered[joined - 1].second) {
        w.covered[joined - 1].second = std::max(w.covered[joined - 1].second, w.covered[k].second);
      } else {
        w.covered[joined++] = w.covered[k];
      }
    }
    w.covered.resize(joined);
  }

  // The side is cut where face sides cross it; a piece inside a face stays
  // hidden. Of the other pieces, what no earlier flap of a nearby part
  // covers is drawn (later flaps are drawn over this one).
  void DrawSide(Scratch& w, const FlapItem& flap, Point2 a, Point2 b) const {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0.0)) return;
    const Point2 u{(b.x - a.x) / length, (b.y - a.y) / length};
    auto at = [&](double d) { return Point2{a.x + u.x * d, a.y + u.y * d}; };
    FaceCutsAlong(w, a, b, u, length);
    CoverByEarlierFlaps(w, flap, a, b, u, length);
    auto draw = [&](double d, double e) { w.pieces->emplace_back(Device(at(d), sx_, sy_), Device(at(e), sx_, sy_)); };
    std::size_t first = 0;  // the first covered stretch that may reach the piece
    for (std::size_t k = 0; k + 1 < w.cuts.size(); ++k) {
      const double d0 = std::clamp(w.cuts[k], 0.0, length), d1 = std::clamp(w.cuts[k + 1], 0.0, length);
      // Pieces come in order, so stretches ending before this one end
      // before every later piece too.
      while (first < w.covered.size() && w.covered[first].second < d0) ++first;
      const bool touched = first < w.covered.size() && w.covered[first].first <= d1;
      if (touched && w.covered[first].first <= d0 && w.covered[first].second >= d1) continue;
      if (CoveredByFaces(w, Midpoint(at(d0), at(d1)))) continue;
      double from = d0;  // the start of what is not covered yet
      for (std::size_t c = first; c < w.covered.size() && w.covered[c].first <= d1; ++c) {
        const double lo = std::max(w.covered[c].first, d0), hi = std::min(w.covered[c].second, d1);
        if (lo > from) draw(from, lo);
        from = std::max(from, hi);
      }
      if (from < d1 || (!touched && d0 == d1)) draw(from, d1);
    }
  }

  static Point2 Midpoint(Point2 p, Point2 q) { return {(p.x + q.x) / 2.0, (p.y + q.y) / 2.0}; }

  // Inside a face of a nearby part.
  bool CoveredByFaces(Scratch& w, Point2 p) const {
    bool covered = false;
    faceGrid_->Visit(Box{p.x, p.y, p.x, p.y}, w.faceStamp, w.faceQuery, [&](int id) {
      const auto i = static_cast<std::size_t>(id);
      const Box& box = faces_.box[i];
      covered = w.near[static_cast<std::size_t>(faces_.part[i])] && box.x0 <= p.x && p.x <= box.x1 && box.y0 <= p.y &&
                p.y <= box.y1 && InsideFan(&faces_.corners[faces_.first[i]], faces_.first[i + 1] - faces_.first[i], p);
      return covered;
    });
    return covered;
  }

  LineBatch& lines_;
  const Model& model_;
  bool flip_;
  double sx_, sy_;
  const DrawArea& area_;
  FaceTable faces_;
  std::vector<int> flapParts_;
  std::vector<Box> flapBoxes_;
  std::vector<FlapItem> flaps_;
  std::vector<Segment> segments_;
  std::unique_ptr<BoxGrid> faceGrid_, flapGrid_, sideGrid_;
};

QPen SolidPen(const QColor& color, int width) {
  QPen pen(color);
  pen.setWidth(width);
  pen.setStyle(Qt::SolidLine);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Twice the signed area of an outline in device units.
std::int64_t DoubleArea(const QPolygon& polygon) {
  std::int64_t sum = 0;
  const int n = static_cast<int>(polygon.size());
  for (int i = 0; i < n; ++i) {
    const QPoint& p = polygon[i];
    const QPoint& q = polygon[(i + 1) % n];
    sum += static_cast<std::int64_t>(p.x()) * q.y() - static_cast<std::int64_t>(q.x()) * p.y();
  }
  return sum;
}

int Turn(QPoint a, QPoint b, QPoint c) {
  const std::int64_t cross = static_cast<std::int64_t>(b.x() - a.x()) * (c.y() - a.y()) -
                             static_cast<std::int64_t>(b.y() - a.y()) * (c.x() - a.x());
  return cross > 0 ? 1 : (cross < 0 ? -1 : 0);
}

bool OnSegment(QPoint a, QPoint b, QPoint p) {
  return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) && std::min(a.y(), b.y()) <= p.y() &&
         p.y() <= std::max(a.y(), b.y());
}

// Whether two segments share any point, touching included.
bool SegmentsMeet(QPoint a, QPoint b, QPoint c, QPoint d) {
  const int t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a), t4 = Turn(c, d, b);
  if (t1 != t2 && t3 != t4) return true;
  return (t1 == 0 && OnSegment(a, b, c)) || (t2 == 0 && OnSegment(a, b, d)) || (t3 == 0 && OnSegment(c, d, a)) ||
         (t4 == 0 && OnSegment(c, d, b));
}

// A triangle, or an outline whose sides meet only at their shared corners.
// For such an outline the even-odd and the winding rule fill the same area.
bool IsSimpleOutline(const QPolygon& polygon) {
  const int n = static_cast<int>(polygon.size());
  if (n == 3) return true;
  if (n < 3) return false;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours through the closing side
      if (SegmentsMeet(polygon[i], polygon[(i + 1) % n], polygon[j], polygon[(j + 1) % n])) return false;
    }
  }
  return true;
}

// Faces drawn in their order, consecutive faces of one fill colour gathered
// into one path and drawn with one call. Every face enters the path as a
// closed outline turned the same way, so that under the winding rule the
// path covers the union of the faces, exactly what drawing them one by one
// covers; an outline that crosses itself is drawn on its own with the
// even-odd rule, as before.
class FaceBatch {
 public:
  explicit FaceBatch(QPainter& painter) : painter_(painter) { path_.setFillRule(Qt::WindingFill); }

  void Add(const QPolygon& polygon, const QColor& color) {
    if (count_ > 0 && (color != color_ || count_ >= kMaxFaces)) Flush();
    color_ = color;
    if (!IsSimpleOutline(polygon)) {
      Flush();
      Select(color);
      painter_.drawPolygon(polygon, Qt::OddEvenFill);
      return;
    }
    const bool reverse = DoubleArea(polygon) < 0;
    const int n = static_cast<int>(polygon.size());
    for (int i = 0; i < n; ++i) {
      const QPoint& p = polygon[reverse ? n - 1 - i : i];
      if (i == 0) {
        path_.moveTo(p);
      } else {
        path_.lineTo(p);
      }
    }
    path_.closeSubpath();
    ++count_;
  }

  void Flush() {
    if (count_ == 0) return;
    Select(color_);
    painter_.drawPath(path_);
    path_.clear();
    path_.setFillRule(Qt::WindingFill);
    count_ = 0;
  }

 private:
  static constexpr int kMaxFaces = 65536;  // bounds the path's memory
  void Select(const QColor& color) {
    painter_.setPen(SolidPen(color, 1));
    painter_.setBrush(color);
  }
  QPainter& painter_;
  QPainterPath path_;
  QColor color_;
  int count_ = 0;
};

void FillFaces(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy,
               const DrawArea& area) {
  FaceBatch batch(painter);
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      QColor color(Qt::white);
      if (settings.bUseMaterial) {
        const Material& material = model.MaterialOf(face->materialIndex);
        if (material.hasTexture) continue;
        const auto rgb = MaterialFillColor(material);
        color = QColor(rgb[0], rgb[1], rgb[2]);
      }
      QPolygon polygon;
      polygon.reserve(static_cast<qsizetype>(face->ring.size()));
      for (const HalfEdge* h : face->ring) polygon << Device(CornerOf(*h, part), sx, sy);
      if (!area.Shows(PolygonBox(polygon))) continue;
      batch.Add(polygon, color);
    }
  }
  batch.Flush();
  painter.setPen(SolidPen(Qt::white, 1));
  painter.setBrush(Qt::white);
}

// Calls f(from, to) for every dash of a line: the pattern holds (dash, gap)
// pairs in device units, restarts at the line's start, and the last dash is
// cut at the end point.
template <typename F>
void ForEachDash(double x1, double y1, double x2, double y2, const std::vector<int>& pattern, F f) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.0) || pattern.size() < 2) return;
  int period = 0;
  for (int e : pattern) period += std::max(0, e);
  if (period <= 0) return;  // a pattern of zeros would never advance
  const double ux = dx / length;
  const double uy = dy / length;
  double d = 0.0;
  std::size_t i = 0;
  while (d < length) {
    const double dash = std::max(0, pattern[i]);
    const double gap = i + 1 < pattern.size() ? std::max(0, pattern[i + 1]) : 0;
    const double end = std::min(d + dash, length);
    if (dash > 0) {
      f(QPoint(static_cast<int>(x1 + ux * d), static_cast<int>(y1 + uy * d)),
        QPoint(static_cast<int>(x1 + ux * end), static_cast<int>(y1 + uy * end)));
    }
    d += dash + gap;
    i += 2;
    if (i >= pattern.size()) i = 0;
  }
}

void DrawLines(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy, int penWidth,
               const std::vector<int>& dot1, const std::vector<int>& dot2, const DrawArea& area) {
  const QPen black = SolidPen(Qt::black, penWidth);
  const QPen white = SolidPen(Qt::white, penWidth);
  painter.setPen(black);
  // Black lines alone share one pen and go into one path; with white lines
  // under them each line is drawn in turn, white first, as their order shows
  // where lines meet.
  const bool batched = !settings.bDrawWhiteBkLine;
  LineBatch batch(painter);
  auto line = [&](QPoint from, QPoint to) {
    if (batched) {
      batch.Add(from, to);
    } else {
      painter.drawLine(from, to);
    }
  };
  DrawnSides drawn;
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings, drawn);
        if (lineClass == EdgeLineClass::Skip) continue;
        const LineStyle style = StyleOfLine(lineClass, settings);
        const HalfEdge* end = SideEnd(*h);
        if (style == LineStyle::None || !end) continue;
        const QPoint a = Device(CornerOf(*h, part), sx, sy);
        const QPoint b = Device(CornerOf(*end, part), sx, sy);
        if (!area.Shows(a, b)) continue;
        if (settings.bDrawWhiteBkLine) {
          painter.setPen(white);
          painter.drawLine(a, b);
          painter.setPen(black);
        }
        if (style == LineStyle::Solid) {
          line(a, b);
        } else {
          ForEachDash(a.x(), a.y(), b.x(), b.y(), style == LineStyle::Dot1 ? dot1 : dot2, line);
        }
      }
    }
  }
  batch.Flush();
}

// The join font: its cell (ascent + descent) is `height` device units, as a
// font asked for by a positive height.
QFont JoinNumberFont(int height) {
  QFont font = MakeFaceFont("Arial");
  font.setWeight(QFont::Normal);
  font.setPixelSize(100);
  const QFontMetricsF reference(font);
  const double cell = reference.ascent() + reference.descent();
  const double em = cell > 0.0 ? height * 100.0 / cell : height;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
  return font;
}

void DrawJoinNumbers(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy,
                     const DrawArea& area) {
  const double s = model.devScale;
  const int height = static_cast<int>(settings.iEdgeNumberFontSize * (sy / s) * kCmPerPoint);
  if (!settings.bDrawNumber || height <= 2) return;
  painter.setBackgroundMode(Qt::TransparentMode);
  const QFont font = JoinNumberFont(height);
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        const Edge* edge = h->edge;
        const HalfEdge* end = SideEnd(*h);
        // Every side of a numbered edge shows its number.
        if (!edge || !end || edge->joinNumber == -1) continue;
        const Point2 a{CornerOf(*h, part).x * sx, CornerOf(*h, part).y * sy};
        const Point2 b{CornerOf(*end, part).x * sx, CornerOf(*end, part).y * sy};
        const JoinNumberPlacement place = PlaceJoinNumber(a, b, model.mirrored, settings.bEdgeIdReverse);
        if (!place.valid) continue;
        // Along the side, as the placement below expects (see PlaceJoinNumber).
        const int escapement = static_cast<int>(JoinNumberTurn(place, kTenthsOfDegreePerRadian, 1800.0));
        const QString text = QString::number(edge->joinNumber);
        const double cx = metrics.horizontalAdvance(text);
        const double cy = metrics.ascent() + metrics.descent();
        // The turned text cell lies within this reach of the side.
        if (!area.Shows(Grow(BoxOf(a, b), cx + 2.5 * cy + 2.0))) continue;
        const int x = static_cast<int>(place.middle.x + 0.5 * cx * place.dx - 1.1 * cy * place.dy);
        const int y = static_cast<int>(place.middle.y + 0.5 * cx * place.dy + 1.1 * cy * place.dx);
        // The text cell's top-left corner sits at (x, y); the text turns
        // counter-clockwise about it.
        painter.save();
        painter.translate(x, y);
        painter.rotate(-escapement / 10.0);
        painter.drawText(QPointF(0.0, metrics.ascent()), text);
        painter.restore();
      }
    }
  }
}

}  // namespace

std::vector<int> DevicePattern(const std::vector<int>& pattern, double lineWidthPoints, double unit) {
  std::vector<int> out;
  out.reserve(pattern.size());
  for (int e : pattern) out.push_back(static_cast<int>((e + lineWidthPoints) * unit));
  return out;
}

void DrawDashedLine(QPainter& painter, double x1, double y1, double x2, double y2, const std::vector<int>& pattern) {
  ForEachDash(x1, y1, x2, y2, pattern, [&](QPoint from, QPoint to) { painter.drawLine(from, to); });
}

void DrawDevelopmentVector(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                           const std::optional<QRectF>& area) {
  if (!model) return;
  const double s = model->devScale;
  if (!(s > 0.0)) return;
  const double lw = settings.printoutLineWidth;
  const int penWidth = std::max(1, static_cast<int>(sx / s * lw * kCmPerLinePoint + 0.5));
  const double unit = sx / s * 0.0246022;
  const std::vector<int> dot1 = DevicePattern(kDot1Pattern, lw, unit);
  const std::vector<int> dot2 = DevicePattern(kDot2Pattern, lw, unit);

  const DrawArea drawArea = MakeDrawArea(area, sx, sy, penWidth + 2.0);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (settings.bDrawFlap) {
    painter.setPen(SolidPen(Qt::black, penWidth));
    painter.setBrush(Qt::NoBrush);
    LineBatch outlines(painter);
    FlapOutlineWalk(outlines, *model, settings, sx, sy, drawArea).Run();
    outlines.Flush();
  }
  FillFaces(painter, *model, settings, sx, sy, drawArea);
  painter.setBrush(Qt::NoBrush);
  DrawLines(painter, *model, settings, sx, sy, penWidth, dot1, dot2, drawArea);
  painter.setPen(Qt::black);
  DrawJoinNumbers(painter, *model, settings, sx, sy, drawArea);
  painter.restore();
}

}  // namespace plicora
