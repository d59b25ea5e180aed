#include "development/CutContours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "development/DevelopmentGeometry.h"

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
Key KeyOf(Point2 a, Point2 b) { return {a.x, a.y, b.x, b.y}; }
bool Same(Point2 a, Point2 b) { return a.x == b.x && a.y == b.y; }

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


class ContourWalk {
 public:
  ContourWalk(const Model& model, const Settings& settings, std::size_t partIndex)
      : model_(model),
        part_(model.parts[partIndex]),
        partIndex_(partIndex),
        drawFlaps_(settings.bDrawFlap && model.devScale > 0.0),
        flip_(model.mirrored != settings.bNorishiroReverse) {
    for (const Face* face : part_.faces) {
      for (const HalfEdge* h : face->ring) {
        ++halfCount_;
        if (SideEnd(*h) && IsOutlineSide(*h, part_)) outline_.push_back(h);
      }
    }
    // A part's extent measures how far apart two copies of one corner may lie.
    tolerance_ = 1e-6 * (1.0 + std::max(std::abs(part_.width), std::abs(part_.height)));
  }

  void Run(std::vector<CutContour>& out) {
    for (const HalfEdge* start : outline_) {
      if (visited_.Contains(*start)) continue;
      CutContour contour;
      contour.part = partIndex_;
      for (const HalfEdge* side = start; side && !visited_.Contains(*side); side = Following(*side, *start)) {
        visited_.Insert(*side);
        Append(*side, contour.points);
      }
      if (contour.points.empty()) continue;
      contour.points.push_back(contour.points.front());
      SplitOffSlits(std::move(contour), out);
    }
  }

 private:
  // The side's start corner, then the outer corners of its drawn flap.
  void Append(const HalfEdge& side, std::vector<Point2>& points) const {
    Add(Corner(side, part_), points);
    if (!drawFlaps_) return;
    std::array<Point2, 4> flap{};
    const int n = FlapPolygonOf(side, part_, flip_, model_.devScale, flap);
    if (n < 3) return;
    // The polygon runs from one end of the base over the flap to the other;
    // it starts at this side's start corner when flipped.
    for (int k = 1; k + 1 < n; ++k) Add(flap[static_cast<std::size_t>(flip_ ? k : n - 1 - k)], points);
  }

  static void Add(Point2 p, std::vector<Point2>& points) {
    if (!points.empty() && points.back().x == p.x && points.back().y == p.y) return;
    points.push_back(p);
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

  const Model& model_;
  const Part& part_;
  std::size_t partIndex_;
  bool drawFlaps_;
  bool flip_;
  std::size_t halfCount_ = 0;
  double tolerance_ = 0.0;
  std::vector<const HalfEdge*> outline_;
  DrawnSides visited_;
};

}  // namespace

std::vector<CutContour> BuildCutContours(const Model& model, const Settings& settings) {
  std::vector<CutContour> contours;
  for (std::size_t i = 0; i < model.parts.size(); ++i) ContourWalk(model, settings, i).Run(contours);
  return contours;
}

std::vector<FoldLine> BuildFoldLines(const Model& model, const Settings& settings) {
  std::vector<FoldLine> folds;
  DrawnSides drawn;
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    const Part& part = model.parts[i];
    for (const Face* face : part.faces) {
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
