#include "core/development/CutContours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "core/development/BoxGrid.h"
#include "core/development/CutCleanup.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/Geometry.h"

namespace plicora {
namespace {

Point2 Corner(const HalfEdge& half, const Part& part) {
  return {half.devPos.x + part.offsetX, half.devPos.y + part.offsetY};
}

/// A side on the part's outline: no fold partner in the same part.
bool IsOutlineSide(const HalfEdge& half, const Part& part) {
  const HalfEdge* d = half.devPartner;
  return !d || !d->face || d->face->part != &part || d->devPartner != &half || !SideEnd(*d);
}

using Key = std::tuple<double, double, double, double>;
Key KeyOf(Point2 a, Point2 b) {
  return {a.x, a.y, b.x, b.y};
}
bool Same(Point2 a, Point2 b) {
  return a.x == b.x && a.y == b.y;
}

// Joins segments end to start into lines, each segment once: from every
// unused one, on through the first unused one that starts where the line
// ends, counted on from the segment before it. With `paired`, segments 2m
// and 2m + 1 are one segment in both directions, and a line also grows
// backwards from where it started.
std::vector<std::vector<Point2>> ChainSegments(const std::vector<std::pair<Point2, Point2>>& segments, bool paired) {
  std::map<std::pair<double, double>, std::vector<std::size_t>> starting;
  for (std::size_t i = 0; i < segments.size(); ++i) starting[{segments[i].first.x, segments[i].first.y}].push_back(i);
  std::vector<char> used(segments.size(), 0);
  // The unused segment starting at p that comes first after segment `after`.
  auto nextFrom = [&](Point2 p, std::size_t after) {
    const auto found = starting.find({p.x, p.y});
    std::size_t best = segments.size(), bestStep = segments.size();
    if (found == starting.end()) return best;
    for (std::size_t j : found->second) {
      const std::size_t step = (j + segments.size() - after) % segments.size();
      if (!used[j] && step < bestStep) best = j, bestStep = step;
    }
    return best;
  };
  auto walk = [&](std::size_t i, std::vector<Point2>& line) {
    while (i < segments.size()) {
      used[i] = 1;
      if (paired) used[i ^ 1] = 1;
      line.push_back(segments[i].second);
      i = nextFrom(segments[i].second, i);
    }
  };
  std::vector<std::vector<Point2>> lines;
  for (std::size_t first = 0; first < segments.size(); ++first) {
    if (used[first]) continue;
    std::vector<Point2> line{segments[first].first};
    walk(first, line);
    if (paired && !Same(line.front(), line.back())) {
      std::vector<Point2> before{line.front()};
      walk(nextFrom(line.front(), first), before);
      line.insert(line.begin(), before.rbegin(), before.rend() - 1);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

// Takes a closed contour apart where it runs over the same sides in both
// directions: what is left of it closes into contours, and each slit is
// cut once, in the direction it was first met.
void SplitOffSlits(CutContour contour, std::vector<CutContour>& out) {
  const std::vector<Point2>& p = contour.points;
  // Sides run over in both directions are the two sides of a slit.
  std::map<Key, std::vector<std::size_t>> open;
  std::vector<char> slit(p.size(), 0);
  bool any = false;
  for (std::size_t k = 0; k + 1 < p.size(); ++k) {
    auto reverse = open.find(KeyOf(p[k + 1], p[k]));
    if (reverse != open.end() && !reverse->second.empty()) {
      slit[reverse->second.back()] = 1;  // the first pass
      slit[k] = 2;
      reverse->second.pop_back();
      any = true;
    } else {
      open[KeyOf(p[k], p[k + 1])].push_back(k);
    }
  }
  if (!any) {
    out.push_back(std::move(contour));
    return;
  }
  std::vector<std::pair<Point2, Point2>> kept, slits;
  for (std::size_t k = 0; k + 1 < p.size(); ++k) {
    if (slit[k] == 0) kept.push_back({p[k], p[k + 1]});
    if (slit[k] == 1) {
      slits.push_back({p[k], p[k + 1]});
      slits.push_back({p[k + 1], p[k]});
    }
  }
  for (auto* segments : {&kept, &slits}) {
    for (std::vector<Point2>& line : ChainSegments(*segments, segments == &slits)) {
      const bool closed = line.size() > 3 && Same(line.front(), line.back());
      out.push_back({contour.part, std::move(line), closed});
    }
  }
}

/// A flap as a polygon (3 or 4 corners).
struct FlapShape {
  std::array<Point2, 4> points{};
  int count = 0;
};

/// A closed path with, for each point, the flap whose side starts there
/// (or -1 for a side of the part's faces).
struct TaggedLoop {
  std::vector<Point2> points;
  std::vector<int> flap;
};

double Cross(Point2 o, Point2 a, Point2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Strictly inside a convex flap: on the same side of every side, by more
// than a rounding error.
bool InsideFlap(const FlapShape& flap, Point2 p, double eps) {
  double x0 = flap.points[0].x, x1 = x0, y0 = flap.points[0].y, y1 = y0;
  for (int k = 1; k < flap.count; ++k) {
    const Point2 c = flap.points[static_cast<std::size_t>(k)];
    x0 = std::min(x0, c.x), x1 = std::max(x1, c.x), y0 = std::min(y0, c.y), y1 = std::max(y1, c.y);
  }
  if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1) return false;
  int sign = 0;
  for (int k = 0; k < flap.count; ++k) {
    const Point2 a = flap.points[static_cast<std::size_t>(k)];
    const Point2 b = flap.points[static_cast<std::size_t>((k + 1) % flap.count)];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double c = Cross(a, b, p);
    if (std::abs(c) <= eps * length) return false;
    const int s = c > 0 ? 1 : -1;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return true;
}

// Corners that two faces give apart by less than `tolerance` become one:
// each point takes the place of the first point met near it.
void JoinNearCorners(std::vector<TaggedLoop>& loops, double tolerance) {
  using Cell = std::pair<long long, long long>;
  std::map<Cell, std::vector<Point2>> seen;
  auto cellOf = [&](double v) { return static_cast<long long>(std::floor(v / tolerance)); };
  for (TaggedLoop& loop : loops) {
    for (Point2& p : loop.points) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x / tolerance) > 1e15 ||
          std::abs(p.y / tolerance) > 1e15)
        continue;
      const long long cx = cellOf(p.x), cy = cellOf(p.y);
      const Point2* found = nullptr;
      for (long long dx = -1; dx <= 1 && !found; ++dx) {
        for (long long dy = -1; dy <= 1 && !found; ++dy) {
          const auto it = seen.find({cx + dx, cy + dy});
          if (it == seen.end()) continue;
          for (const Point2& q : it->second) {
            if (std::hypot(q.x - p.x, q.y - p.y) <= tolerance) {
              found = &q;
              break;
            }
          }
        }
      }
      if (found)
        p = *found;
      else
        seen[{cx, cy}].push_back(p);
    }
  }
}

// Where flaps overlap the part's faces or each other, the contour follows
// the outline of all the paper together instead. Every side (the flaps'
// bases included) is split where a flap side crosses it. A flap's piece is
// kept outside the part and outside the other flaps; a piece of the part's
// outline (or of a base) is kept when paper lies on one side of it only,
// and a slit (part on both sides) when no flap covers it. The pieces join up
// into loops.
class FlapOverlapTrim {
 public:
  /// `ticks`, when given, is stepped side by side (a large part takes long);
  /// after a stop Run gives nothing.
  FlapOverlapTrim(const std::vector<TaggedLoop>& loops, const std::vector<FlapShape>& flaps, double offset,
                  TickCounter* ticks)
      : flaps_(flaps), offset_(offset), eps_(offset * 1e-3), ticks_(ticks) {
    for (const TaggedLoop& loop : loops) {
      const std::vector<Point2>& p = loop.points;
      for (std::size_t k = 0; k + 1 < p.size(); ++k) {
        if (ticks_) ticks_->Step();
        const int flap = loop.flap[k];
        segments_.push_back({p[k], p[k + 1], flap, false, {}});
        if (flap < 0 || (k > 0 && loop.flap[k - 1] == flap)) continue;
        // The base runs from where the flap leaves the outline to where it
        // comes back.
        std::size_t back = k;
        while (back + 1 < p.size() && loop.flap[back] == flap) ++back;
        segments_.push_back({p[k], p[back], flap, true, {}});
      }
    }
    Box bounds{1e300, 1e300, -1e300, -1e300};
    for (const Segment& seg : segments_) bounds = Extended(Extended(bounds, seg.a), seg.b);
    for (const FlapShape& f : flaps_)
      for (int k = 0; k < f.count; ++k) bounds = Extended(bounds, f.points[static_cast<std::size_t>(k)]);
    if (!(bounds.x0 <= bounds.x1)) bounds = {0, 0, 1, 1};
    bounds = Grown(bounds);
    bounds_ = bounds;
    std::vector<Box> boxes;
    for (const Segment& seg : segments_) boxes.push_back(Grown(BoxOf(seg.a, seg.b)));
    segmentGrid_ = std::make_unique<BoxGrid>(bounds, boxes, 1.0);
    boxes.clear();
    for (const FlapShape& f : flaps_) {
      if (ticks_) ticks_->Step();
      Box box = BoxOf(f.points[0], f.points[1]);
      for (int j = 2; j < f.count; ++j) box = Extended(box, f.points[static_cast<std::size_t>(j)]);
      boxes.push_back(Grown(box));
    }
    flapGrid_ = std::make_unique<BoxGrid>(bounds, boxes, 1.0);
    segmentStamp_.assign(segments_.size(), 0);
    flapStamp_.assign(flaps_.size(), 0);
  }

  /// The contours with the overlaps taken out; nothing when there were none
  /// or when flaps cross the outline so often that taking them apart would
  /// cost more than the drawing (flaps far wider than the faces).
  std::optional<std::vector<CutContour>> Run(std::size_t part) {
    if (ticks_ && ticks_->stopped()) return std::nullopt;
    const std::optional<bool> crossed = SplitCrossings();
    if (!crossed) return std::nullopt;
    bool changed = *crossed;
    std::vector<std::pair<Point2, Point2>> kept, slits;
    std::set<std::tuple<double, double, double, double>> slitSeen;
    for (Segment& s : segments_) {
      if (ticks_ && !ticks_->Step()) return std::nullopt;
      std::sort(s.cuts.begin(), s.cuts.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });
      Point2 from = s.a;
      for (std::size_t k = 0; k <= s.cuts.size(); ++k) {
        const Point2 to = k < s.cuts.size() ? s.cuts[k].at : s.b;
        const Piece piece = Classify(s, from, to);
        // A base is dropped and every other piece kept when nothing overlaps.
        if ((piece == Piece::Dropped) != s.base) changed = true;
        if (piece == Piece::Outline) kept.push_back({from, to});
        // A slit may be met from both sides: it is cut once, both ways joinable.
        const bool forward = std::tie(from.x, from.y) < std::tie(to.x, to.y);
        const Point2 lo = forward ? from : to, hi = forward ? to : from;
        if (piece == Piece::Slit && slitSeen.insert({lo.x, lo.y, hi.x, hi.y}).second) {
          slits.push_back({from, to});
          slits.push_back({to, from});
        }
        from = to;
      }
    }
    if (!changed) return std::nullopt;
    std::vector<CutContour> contours;
    for (auto* segments : {&kept, &slits}) {
      for (std::vector<Point2>& line : ChainSegments(*segments, segments == &slits)) {
        const bool closed = line.size() > 3 && Same(line.front(), line.back());
        contours.push_back({part, std::move(line), closed});
      }
    }
    return contours;
  }

 private:
  struct Cut {
    double t;
    Point2 at;
  };
  struct Segment {
    Point2 a, b;
    int flap;   ///< -1 for a side of the part's faces
    bool base;  ///< the base of `flap`, on the part's outline
    std::vector<Cut> cuts;
  };

  bool OnOutline(const Segment& s) const { return s.flap < 0 || s.base; }

  // Records every proper crossing of a flap side with another side; the
  // point is computed once and shared by both, so the pieces meet exactly.
  Box Grown(const Box& b) const { return Grow(b, offset_); }

  std::optional<bool> SplitCrossings() {
    const std::size_t budget = 16 * segments_.size() + 4096;
    std::size_t crossings = 0;
    bool any = false;
    std::vector<std::size_t> near;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
      if (ticks_ && !ticks_->Step()) return std::nullopt;
      if (OnOutline(segments_[i])) continue;
      near.clear();
      ForEachSegment(Grown(BoxOf(segments_[i].a, segments_[i].b)), [&](std::size_t j) { near.push_back(j); });
      for (std::size_t j : near) {
        Segment& f = segments_[i];
        Segment& g = segments_[j];
        if (g.flap == f.flap || (!OnOutline(g) && j < i)) continue;  // two flaps' sides once
        if (std::max(f.a.x, f.b.x) < std::min(g.a.x, g.b.x) || std::max(g.a.x, g.b.x) < std::min(f.a.x, f.b.x) ||
            std::max(f.a.y, f.b.y) < std::min(g.a.y, g.b.y) || std::max(g.a.y, g.b.y) < std::min(f.a.y, f.b.y))
          continue;
        const double rx = f.b.x - f.a.x, ry = f.b.y - f.a.y, sx = g.b.x - g.a.x, sy = g.b.y - g.a.y;
        const double d = rx * sy - ry * sx;
        if (d == 0.0) continue;
        const double t = ((g.a.x - f.a.x) * sy - (g.a.y - f.a.y) * sx) / d;
        const double u = ((g.a.x - f.a.x) * ry - (g.a.y - f.a.y) * rx) / d;
        constexpr double kEnd = 1e-9;
        if (t <= kEnd || t >= 1 - kEnd || u <= kEnd || u >= 1 - kEnd) continue;
        const Point2 at{f.a.x + t * rx, f.a.y + t * ry};
        f.cuts.push_back({t, at});
        g.cuts.push_back({u, at});
        any = true;
        if (++crossings > budget) return std::nullopt;
      }
    }
    return any;
  }

  enum class Piece { Dropped, Outline, Slit };

  // The contours follow the outline of all the paper (faces and flaps), and
  // every line the printed drawing shows between two pieces of paper is cut
  // once as a slit: where faces lie over flaps, a side of the part is cut
  // whatever lies beyond it, while a flap's piece is not cut inside the
  // part, on its outline or inside another flap. A flap's base is cut only
  // where the flap lies on the part's own faces, so that the base borders
  // the paper.
  Piece Classify(const Segment& s, Point2 from, Point2 to) const {
    const Point2 mid{(from.x + to.x) / 2, (from.y + to.y) / 2};
    if (!OnOutline(s)) {
      const bool covered = InsidePart(mid) || OnPartOutline(mid) || InsideFlap(mid, s.flap);
      return covered ? Piece::Dropped : Piece::Outline;
    }
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (!(length > 0.0)) return Piece::Dropped;
    const double nx = -(to.y - from.y) / length * offset_, ny = (to.x - from.x) / length * offset_;
    const Point2 left{mid.x + nx, mid.y + ny}, right{mid.x - nx, mid.y - ny};
    const bool partLeft = InsidePart(left), partRight = InsidePart(right);
    const bool paperLeft = partLeft || InsideFlap(left, -1), paperRight = partRight || InsideFlap(right, -1);
    if (paperLeft != paperRight) return Piece::Outline;
    return s.base || !paperLeft ? Piece::Dropped : Piece::Slit;
  }

  // Calls f once for every segment (flap) listed in the cells the box touches.
  template <typename F>
  void ForEachSegment(const Box& box, F f) const {
    segmentGrid_->Visit(box, segmentStamp_, segmentQuery_, [&](int id) {
      f(static_cast<std::size_t>(id));
      return false;
    });
  }
  template <typename F>
  void ForEachFlap(const Box& box, F f) const {
    flapGrid_->Visit(box, flapStamp_, flapQuery_, [&](int id) {
      f(static_cast<std::size_t>(id));
      return false;
    });
  }

  bool OnPartOutline(Point2 p) const {
    bool on = false;
    ForEachSegment({p.x - offset_, p.y - offset_, p.x + offset_, p.y + offset_}, [&](std::size_t i) {
      const Segment& s = segments_[i];
      double t = 0.0;
      if (!on && OnOutline(s)) on = PointSegmentDistance(s.a, s.b, p, t) <= offset_;
    });
    return on;
  }

  bool InsideFlap(Point2 p, int other) const {
    bool inside = false;
    ForEachFlap({p.x, p.y, p.x, p.y}, [&](std::size_t k) {
      if (!inside && static_cast<int>(k) != other) inside = plicora::InsideFlap(flaps_[k], p, eps_);
    });
    return inside;
  }

  // Inside the part: an odd number of its own sides cross the ray to the
  // right of p (a slit's two sides cancel).
  bool InsidePart(Point2 p) const {
    bool inside = false;
    ForEachSegment({p.x, p.y, bounds_.x1, p.y}, [&](std::size_t i) {
      const Segment& s = segments_[i];
      if (!OnOutline(s) || (s.a.y > p.y) == (s.b.y > p.y)) return;
      const double x = s.a.x + (p.y - s.a.y) * (s.b.x - s.a.x) / (s.b.y - s.a.y);
      if (x > p.x) inside = !inside;
    });
    return inside;
  }

  const std::vector<FlapShape>& flaps_;
  double offset_, eps_;
  TickCounter* ticks_;
  std::vector<Segment> segments_;
  Box bounds_{};
  std::unique_ptr<BoxGrid> segmentGrid_, flapGrid_;
  mutable std::vector<int> segmentStamp_, flapStamp_;  // visits of the grids
  mutable int segmentQuery_ = 0, flapQuery_ = 0;
};

class ContourWalk {
 public:
  ContourWalk(const Model& model, const Settings& settings, std::size_t partIndex, TickCounter* ticks = nullptr)
      : ticks_(ticks),
        model_(model),
        part_(model.parts[partIndex]),
        partIndex_(partIndex),
        drawFlaps_(settings.bDrawFlap && model.devScale > 0.0),
        flip_(model.mirrored != settings.bNorishiroReverse) {
    for (const Face* face : part_.faces) {
      if (ticks_) ticks_->Step();
      for (const HalfEdge* h : face->ring) {
        ++halfCount_;
        if (SideEnd(*h) && IsOutlineSide(*h, part_)) outline_.push_back(h);
      }
    }
    // A part's extent measures how far apart two copies of one corner may lie.
    tolerance_ = 1e-6 * (1.0 + std::max(std::abs(part_.width), std::abs(part_.height)));
  }

  void Run(std::vector<CutContour>& out) {
    std::vector<TaggedLoop> loops;
    for (const HalfEdge* start : outline_) {
      if (visited_.Contains(*start)) continue;
      TaggedLoop loop;
      for (const HalfEdge* side = start; side && !visited_.Contains(*side); side = Following(*side, *start)) {
        if (ticks_ && !ticks_->Step()) return;
        visited_.Insert(*side);
        Append(*side, loop);
      }
      if (loop.points.empty()) continue;
      loop.points.push_back(loop.points.front());
      loop.flap.push_back(-1);
      loops.push_back(std::move(loop));
    }
    JoinNearCorners(loops, tolerance_);
    if (!flaps_.empty()) {
      auto trimmed = FlapOverlapTrim(loops, flaps_, tolerance_, ticks_).Run(partIndex_);
      if (ticks_ && ticks_->stopped()) return;
      if (trimmed) {
        for (CutContour& contour : *trimmed) out.push_back(std::move(contour));
        return;
      }
    }
    for (TaggedLoop& loop : loops) SplitOffSlits({partIndex_, std::move(loop.points), true}, out);
  }

 private:
  // The side's start corner, then the outer corners of its drawn flap.
  void Append(const HalfEdge& side, TaggedLoop& loop) {
    FlapShape flap;
    if (drawFlaps_) flap.count = FlapPolygonOf(side, part_, flip_, model_.devScale, flap.points);
    if (flap.count < 3) {
      Add(Corner(side, part_), -1, loop);
      return;
    }
    const int id = static_cast<int>(flaps_.size());
    flaps_.push_back(flap);
    Add(Corner(side, part_), id, loop);
    // The polygon runs from one end of the base over the flap to the other;
    // it starts at this side's start corner when flipped.
    const int n = flap.count;
    for (int k = 1; k + 1 < n; ++k) Add(flap.points[static_cast<std::size_t>(flip_ ? k : n - 1 - k)], id, loop);
  }

  static void Add(Point2 p, int flap, TaggedLoop& loop) {
    if (!loop.points.empty() && loop.points.back().x == p.x && loop.points.back().y == p.y) return;
    loop.points.push_back(p);
    loop.flap.push_back(flap);
  }

  // The outline side that starts where `side` ends: found by turning about
  // the end corner through the folds that meet there. Where the file's links
  // do not lead on (or lead back into the loop elsewhere than at its start),
  // the nearest unvisited outline side starting at the same place is taken:
  // the corner was given twice, by two faces.
  const HalfEdge* Following(const HalfEdge& side, const HalfEdge& start) const {
    const HalfEdge* n = SideEnd(side);
    for (std::size_t step = 0; n && step <= halfCount_; ++step) {
      if (IsOutlineSide(*n, part_)) {
        if (n == &start || !visited_.Contains(*n)) return n;
        break;
      }
      n = SideEnd(*n->devPartner);
    }
    return NearestUnvisited(Corner(*SideEnd(side), part_));
  }

  const HalfEdge* NearestUnvisited(Point2 at) const {
    const HalfEdge* best = nullptr;
    double bestDistance = tolerance_;
    for (const HalfEdge* h : outline_) {
      if (visited_.Contains(*h)) continue;
      const Point2 c = Corner(*h, part_);
      const double d = std::hypot(c.x - at.x, c.y - at.y);
      if (d <= bestDistance) {
        best = h;
        bestDistance = d;
      }
    }
    return best;
  }

  TickCounter* ticks_;
  const Model& model_;
  const Part& part_;
  std::size_t partIndex_;
  bool drawFlaps_;
  bool flip_;
  std::size_t halfCount_ = 0;
  double tolerance_ = 0.0;
  std::vector<const HalfEdge*> outline_;
  std::vector<FlapShape> flaps_;
  DrawnSides visited_;
};

}  // namespace

std::vector<CutContour> BuildCutContours(const Model& model, const Settings& settings, const WorkTick* tick) {
  TickCounter ticks(tick);
  const auto walkParts = [&model, &ticks](const Settings& drawn, std::vector<CutContour>& out) {
    for (std::size_t i = 0; i < model.parts.size(); ++i) {
      if (!ticks.Step(static_cast<int>(model.parts[i].faces.size()) + 1)) return;
      ContourWalk(model, drawn, i, &ticks).Run(out);
    }
  };
  std::vector<CutContour> contours;
  walkParts(settings, contours);
  std::vector<CutContour> faces;
  if (settings.bDrawFlap) {
    Settings noFlaps = settings;
    noFlaps.bDrawFlap = false;
    walkParts(noFlaps, faces);
  } else {
    faces = contours;
  }
  if (!ticks.Step(TickCounter::kEvery)) return contours;
  // Micrometres on paper to development units.
  const double tolerance =
      model.devScale > 0.0 ? std::max(0, settings.iCutToleranceMicrons) * 1e-4 / model.devScale : 0.0;
  return CleanCutContours(std::move(contours), faces, tolerance, &ticks);
}

std::vector<FoldLine> BuildFoldLines(const Model& model, const Settings& settings, const WorkTick* tick) {
  std::vector<FoldLine> folds;
  DrawnSides drawn;
  TickCounter ticks(tick);
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    const Part& part = model.parts[i];
    for (const Face* face : part.faces) {
      if (!ticks.Step()) return folds;
      for (const HalfEdge* h : face->ring) {
        const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings, drawn);
        const HalfEdge* end = SideEnd(*h);
        if (!end || (lineClass != EdgeLineClass::ConvexFold && lineClass != EdgeLineClass::ConcaveFold)) continue;
        folds.push_back({i, Corner(*h, part), Corner(*end, part), lineClass == EdgeLineClass::ConvexFold});
      }
    }
  }
  return folds;
}

double PolylineLength(const std::vector<Point2>& points) {
  double length = 0.0;
  for (std::size_t k = 1; k < points.size(); ++k)
    length += std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y);
  return length;
}

}  // namespace plicora
