#include "render/development/FlapOutlineWalk.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "core/development/BoxGrid.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/Geometry.h"
#include "core/platform/BothAtOnce.h"
#include "render/development/DevelopmentDrawing.h"

namespace plicora {
namespace {

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

// Flap outlines: only the stretches of a flap side that no face and no
// earlier flap of a nearby part covers are drawn. Nearby parts are those
// whose boxes, grown by their widest flap, overlap. A flap side is cut where
// face sides of nearby parts cross it (a side inside a part, between two of
// its faces, changes nothing and is left out); the pieces outside every face
// are clipped against the earlier flaps. Only the parts whose grown box meets
// the drawing area, and their nearby parts, are looked at.
class FlapOutlineWalk {
 public:
  FlapOutlineWalk(LineBatch& lines, const Model& model, const Settings& settings,
                  const std::vector<PartExtent>& extents, double sx, double sy, const DrawArea& area,
                  TickCounter* ticks)
      : lines_(lines),
        ticks_(ticks),
        model_(model),
        extents_(extents),
        flip_(model.mirrored != settings.bNorishiroReverse),
        sx_(sx),
        sy_(sy),
        area_(area) {}

  void Run() {
    const double s = model_.devScale;
    std::vector<Box> grown;
    for (std::size_t i = 0; i < model_.parts.size(); ++i) {
      const Part& part = model_.parts[i];
      const double m = s != 0.0 ? extents_[i].widestFlap / s : 0.0;
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
    // A stop while indexing leaves nothing drawn: the caller throws the
    // drawing away.
    if (!Index(indexed)) return;
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
      w.flapStamp.assign(flaps_.size(), 0);
      w.segmentStamp.assign(segmentCount_, 0);
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
          GatherAround(w, flap);
          for (int k = 0; k + 1 < flap.shape.count; ++k) {
            DrawSide(w, flap.shape.points[static_cast<std::size_t>(k)],
                     flap.shape.points[static_cast<std::size_t>(k + 1)]);
          }
        }
        done[c].store(true, std::memory_order_release);
        if (draws) {
          drawReady();
          // Only this thread hears the ticks; a stop ends both threads' walks.
          if (ticks_ && !ticks_->Step(TickCounter::kEvery)) nextChunk = chunkCount;
        }
      }
    };
    // A side that fails stops the other from taking more chunks.
    auto walkOrStop = [&](Scratch& w, bool draws) {
      try {
        walk(w, draws);
      } catch (...) {
        nextChunk = chunkCount;
        throw;
      }
    };
    if (chunkCount > 1) {
      BothAtOnce([&] { walkOrStop(scratch[0], true); }, [&] { walkOrStop(scratch[1], false); });
    } else {
      walk(scratch[0], true);
    }
    drawReady();
  }

 private:
  // Flaps a thread takes at a time.
  static constexpr std::size_t kChunk = 1024;
  // Faces from this many on are indexed by two threads.
  static constexpr std::size_t kSharedIndex = 1 << 16;
  // Cells of the face grid per face listed. The development is crowded in
  // places and empty in others, so the crowded places need more cells than
  // the average suggests: a point meets a few faces a cell.
  static constexpr double kFaceCells = 16.0;
  // The side and flap grids are asked about a flap's box: their cells are
  // sized after the items themselves (these shares of an item's mean
  // extent), since flaps may be many times larger than the faces they
  // overlap, and a cell much smaller than its items lists each many times.
  static constexpr double kSideCellShare = 1.5;
  static constexpr double kFlapCellShare = 0.25;

  // Cells per item for square cells of `share` times the items' mean
  // extent over `bounds`, at most kFaceCells.
  static double CellsForExtent(const Box& bounds, const std::vector<Box>& boxes, double share) {
    if (boxes.empty()) return 1.0;
    double sum = 0.0;
    for (const Box& b : boxes) sum += std::max(b.x1 - b.x0, b.y1 - b.y0);
    const double side = share * sum / static_cast<double>(boxes.size());
    const double cells = (bounds.x1 - bounds.x0) * (bounds.y1 - bounds.y0) / (side * side);
    const double perItem = cells / static_cast<double>(boxes.size());
    // Tiny items far apart would ask for a huge grid: no more cells than
    // the face grid's share.
    return std::isfinite(perItem) && perItem > 0.0 ? std::min(perItem, kFaceCells) : 1.0;
  }

  // What one walk over flaps changes: the parts near the current flap, the
  // visit stamps of the grids, and the pieces to draw.
  struct Scratch {
    std::vector<char> near;
    std::vector<int> partStamp, flapStamp, segmentStamp;
    int partQuery = 0, flapQuery = 0, segmentQuery = 0;
    std::vector<std::pair<QPoint, QPoint>>* pieces = nullptr;  // of the current chunk
    std::vector<double> cuts;                                  // along the current side
    std::vector<std::pair<double, double>> covered;            // likewise
    // What may meet the current flap's sides: entries of the side grid and
    // earlier flaps, each once.
    std::vector<std::size_t> nearSides, nearFlaps;
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
  /// A face side as listed in a cell of the side grid: the side itself,
  /// kept beside the other sides of the cell, so that the sides a flap side
  /// passes are read in a row.
  struct ListedSide {
    Segment side;
    int id;
  };

  static Box GrownBoxOf(Point2 a, Point2 b) { return Grow(BoxOf(a, b), 1e-6); }

  // The faces, flaps and face sides of a run of parts, in drawing order.
  struct Tables {
    FaceTable faces;
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
      segments.insert(segments.end(), more.segments.begin(), more.segments.end());
      segmentBoxes.insert(segmentBoxes.end(), more.segmentBoxes.begin(), more.segmentBoxes.end());
      bounds = {std::min(bounds.x0, more.bounds.x0), std::min(bounds.y0, more.bounds.y0),
                std::max(bounds.x1, more.bounds.x1), std::max(bounds.y1, more.bounds.y1)};
    }
  };

  // The tables of the listed parts among parts [from, to); `ticks` hear
  // of every face, and a stop ends the filling.
  void Fill(Tables& t, const std::vector<char>& listed, std::size_t from, std::size_t to, TickCounter* ticks) const {
    for (std::size_t pi = from; pi < to; ++pi) {
      if (!listed[pi]) continue;
      const Part& part = model_.parts[pi];
      for (const Face* face : part.faces) {
        if (ticks && !ticks->Step()) return;
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
  // built side by side. The ticks are heard on this thread only, by the
  // larger share of each step; false when they said stop.
  bool Index(const std::vector<char>& listed) {
    std::size_t faces = 0;
    for (std::size_t pi = 0; pi < model_.parts.size(); ++pi) faces += listed[pi] ? model_.parts[pi].faces.size() : 0;
    std::size_t middle = 0;
    for (std::size_t seen = 0; middle < model_.parts.size() && seen * 2 < faces; ++middle)
      seen += listed[middle] ? model_.parts[middle].faces.size() : 0;
    const bool shared = faces >= kSharedIndex;
    if (!shared) middle = model_.parts.size();
    // A small development is indexed on this thread alone.
    auto both = [shared](auto here, auto there) {
      if (shared) {
        BothAtOnce(here, there);
      } else {
        here();
        there();
      }
    };
    Tables first, second;
    both([&] { Fill(first, listed, 0, middle, ticks_); },
         [&] { Fill(second, listed, middle, model_.parts.size(), nullptr); });
    if (ticks_ && ticks_->stopped()) return false;
    first.Append(std::move(second));
    faces_ = std::move(first.faces);
    flaps_ = std::move(first.flaps);
    segments_ = std::move(first.segments);
    Box bounds = first.bounds;
    if (bounds.x0 > bounds.x1) bounds = {0.0, 0.0, 1.0, 1.0};
    bounds = Grow(bounds, 1e-6);
    std::vector<Box> flapBoxes(flaps_.size());
    for (std::size_t i = 0; i < flaps_.size(); ++i) flapBoxes[i] = flaps_[i].box;
    const double flapCells = CellsForExtent(bounds, flapBoxes, kFlapCellShare);
    std::vector<Box>().swap(flapBoxes);
    both(
        [&] {
          faceGrid_ = std::make_unique<BoxGrid>(TickingGrid(bounds, faces_.box, kFaceCells));
          sideGrid_ = std::make_unique<BoxGrid>(
              TickingGrid(bounds, first.segmentBoxes, CellsForExtent(bounds, first.segmentBoxes, kSideCellShare)));
          listedSides_.resize(sideGrid_->EntryCount());
          for (std::size_t k = 0; k < listedSides_.size(); ++k) {
            const int id = sideGrid_->IdAt(k);
            listedSides_[k] = {segments_[static_cast<std::size_t>(id)], id};
          }
        },
        [&] {
          // Flaps are listed where they lie, not over their boxes: a long flap
          // across the grid's rows and columns would fill many cells it misses.
          flapGrid_ = std::make_unique<BoxGrid>(
              bounds, flaps_.size(), flapCells, [this](const BoxGrid& grid, std::size_t i, auto add) {
                grid.ForPolygonCells(flaps_[i].shape.points.data(), flaps_[i].shape.count, 1e-6, add);
              });
        });
    segmentCount_ = segments_.size();
    std::vector<Segment>().swap(segments_);
    return !ticks_ || !ticks_->stopped();
  }

  // A grid of the boxes whose building hears the ticks (twice a box); once
  // they said stop, the boxes left are listed nowhere.
  BoxGrid TickingGrid(const Box& bounds, const std::vector<Box>& boxes, double cellsPerItem) const {
    return BoxGrid(bounds, boxes.size(), cellsPerItem, [&](const BoxGrid& grid, std::size_t i, auto add) {
      if (!ticks_ || ticks_->Step()) grid.ForBoxCells(boxes[i], add);
    });
  }

  // The face sides of nearby parts and the earlier flaps of nearby parts
  // whose boxes meet the flap's box: all that may meet any of its sides.
  // The cells under the box hold every cell along each side.
  void GatherAround(Scratch& w, const FlapItem& flap) const {
    const Box& box = flap.box;
    w.nearSides.clear();
    ++w.segmentQuery;
    sideGrid_->ForEachEntryIn(box, [&](std::size_t k, int id) {
      const Segment& seg = listedSides_[k].side;
      const auto i = static_cast<std::size_t>(id);
      if (!w.near[static_cast<std::size_t>(seg.part)] || w.segmentStamp[i] == w.segmentQuery ||
          !box.Overlaps(GrownBoxOf(seg.a, seg.b))) {
        return true;
      }
      w.segmentStamp[i] = w.segmentQuery;
      w.nearSides.push_back(k);
      return true;
    });
    w.nearFlaps.clear();
    ++w.flapQuery;
    // A cell lists its flaps in their drawing order, so its later flaps
    // are passed over at the first one not earlier than this.
    flapGrid_->ForEachEntryIn(box, [&](std::size_t, int id) {
      if (id >= flap.order) return false;
      const auto i = static_cast<std::size_t>(id);
      if (w.flapStamp[i] == w.flapQuery) return true;
      w.flapStamp[i] = w.flapQuery;
      const FlapItem& other = flaps_[i];
      if (box.Overlaps(other.box) && w.near[static_cast<std::size_t>(other.part)]) w.nearFlaps.push_back(i);
      return true;
    });
  }

  // Where the face sides of nearby parts cross the flap side from a to b,
  // as distances from a, in order, between the side's start (0) and its
  // length.
  void FaceCutsAlong(Scratch& w, Point2 a, Point2 b, Point2 u, double length) const {
    const Box sideBox = GrownBoxOf(a, b);
    w.cuts.assign(1, 0.0);
    for (std::size_t k : w.nearSides) {
      const Segment& seg = listedSides_[k].side;
      if (!sideBox.Overlaps(GrownBoxOf(seg.a, seg.b))) continue;
      const Point2 ends[2] = {seg.a, seg.b};
      if (ClearOfLine(a, u, ends, 2)) continue;
      Point2 x;
      if (SegmentIntersection(a, b, seg.a, seg.b, x)) w.cuts.push_back(std::hypot(x.x - a.x, x.y - a.y));
    }
    std::sort(w.cuts.begin() + 1, w.cuts.end());
    w.cuts.push_back(length);
  }

  // The stretches of the side a + d u (d from 0 to its length) that earlier
  // flaps of nearby parts cover, joined where they overlap or touch, in
  // order (or one that spans the side). A piece of the side is covered by
  // exactly these stretches cut to the piece, so the side is clipped once
  // for all its pieces.
  void CoverByEarlierFlaps(Scratch& w, Point2 a, Point2 b, Point2 u, double length) const {
    w.covered.clear();
    const Box sideBox = GrownBoxOf(a, b);
    for (std::size_t i : w.nearFlaps) {
      const FlapItem& f = flaps_[i];
      if (!sideBox.Overlaps(f.box)) continue;
      const auto& q = f.shape.points;
      if (ClearOfLine(a, u, q.data(), f.shape.count)) continue;
      for (int t = 0; t + 2 < f.shape.count && t < 2; ++t) {  // triangles (0, 1, 2) and (0, 2, 3)
        double lo = 0.0, hi = length;
        if (ClipToTriangle(a, u, q[0], q[static_cast<std::size_t>(t + 1)], q[static_cast<std::size_t>(t + 2)], lo,
                           hi)) {
          JoinCovered(w.covered, lo, hi);
          // Stretches lie within [0, length]: once they span it, no other
          // flap changes what is drawn of the side.
          if (w.covered.size() == 1 && w.covered[0].first <= 0.0 && w.covered[0].second >= length) return;
        }
      }
    }
  }

  // Adds the stretch [lo, hi] (lo <= hi) to the covered stretches, which
  // stay in order and joined where they overlap or touch: the few stretches
  // left of the many flaps that overlap a side are kept so, instead of
  // sorting all of them.
  static void JoinCovered(std::vector<std::pair<double, double>>& covered, double lo, double hi) {
    std::size_t i = 0;  // the first stretch that reaches lo
    while (i < covered.size() && covered[i].second < lo) ++i;
    std::size_t j = i;  // past the last stretch that starts by hi
    while (j < covered.size() && covered[j].first <= hi) ++j;
    const auto at = covered.begin() + static_cast<std::ptrdiff_t>(i);
    if (i == j) {
      covered.insert(at, {lo, hi});
      return;
    }
    *at = {std::min(at->first, lo), std::max(covered[j - 1].second, hi)};
    covered.erase(at + 1, covered.begin() + static_cast<std::ptrdiff_t>(j));
  }

  // The side is cut where face sides cross it; a piece inside a face stays
  // hidden. Of the other pieces, what no earlier flap of a nearby part
  // covers is drawn (later flaps are drawn over this one).
  void DrawSide(Scratch& w, Point2 a, Point2 b) const {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0.0)) return;
    const Point2 u{(b.x - a.x) / length, (b.y - a.y) / length};
    auto at = [&](double d) { return Point2{a.x + u.x * d, a.y + u.y * d}; };
    CoverByEarlierFlaps(w, a, b, u, length);
    // A side that earlier flaps hide from end to end has no piece to draw.
    if (w.covered.size() == 1 && w.covered[0].first <= 0.0 && w.covered[0].second >= length) return;
    FaceCutsAlong(w, a, b, u, length);
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
    faceGrid_->VisitPoint(p, [&](int id) {
      const auto i = static_cast<std::size_t>(id);
      const Box& box = faces_.box[i];
      covered = w.near[static_cast<std::size_t>(faces_.part[i])] && box.x0 <= p.x && p.x <= box.x1 && box.y0 <= p.y &&
                p.y <= box.y1 && InsideFan(&faces_.corners[faces_.first[i]], faces_.first[i + 1] - faces_.first[i], p);
      return covered;
    });
    return covered;
  }

  LineBatch& lines_;
  TickCounter* ticks_;
  const Model& model_;
  const std::vector<PartExtent>& extents_;
  bool flip_;
  double sx_, sy_;
  const DrawArea& area_;
  FaceTable faces_;
  std::vector<FlapItem> flaps_;
  std::vector<Segment> segments_;  // while indexing
  std::vector<ListedSide> listedSides_;
  std::size_t segmentCount_ = 0;
  std::unique_ptr<BoxGrid> faceGrid_, flapGrid_, sideGrid_;
};

}  // namespace

void DrawFlapOutlines(LineBatch& lines, const Model& model, const Settings& settings,
                      const std::vector<PartExtent>& extents, double sx, double sy, const DrawArea& area,
                      TickCounter* ticks) {
  FlapOutlineWalk(lines, model, settings, extents, sx, sy, area, ticks).Run();
}

}  // namespace plicora
