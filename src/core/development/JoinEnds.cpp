#include "core/development/JoinEnds.h"

#include <algorithm>
#include <cmath>

#include "core/development/Pages.h"

namespace plicora {

std::vector<std::array<const HalfEdge*, 2>> JoinSidesByNumber(const Model& model) {
  std::vector<std::array<const HalfEdge*, 2>> sides(1);
  // The same walk as the numbering: solids, faces and sides in order.
  for (const Solid& solid : model.solids) {
    for (const Face& face : solid.faces) {
      for (const HalfEdge* h : face.ring) {
        const Edge* e = h->edge;
        if (!e || e->joinNumber <= 0 || !h->partner) continue;
        if (static_cast<std::size_t>(e->joinNumber) >= sides.size()) sides.resize(e->joinNumber + 1);
        auto& pair = sides[e->joinNumber];
        if (!pair[0]) pair = {h, h->partner};
      }
    }
  }
  return sides;
}

PageRef PageOfPoint(Point2 cm, const Settings& settings) {
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  PageRef page;
  if (w > 0) page.column = static_cast<int>(std::floor(cm.x / w));
  if (h > 0) page.row = static_cast<int>(std::floor(cm.y / h));
  return page;
}

JoinEnd JoinEndOf(const HalfEdge& side, const Model& model, const Settings& settings) {
  JoinEnd end;
  end.side = &side;
  const Face* face = side.face;
  if (!face || !face->part || !side.next) return end;
  end.part = face->partIndex;
  const Point2 a = CornerOf(side, *face->part);
  const Point2 b = CornerOf(*side.next, *face->part);
  end.midCm = {(a.x + b.x) / 2.0 * model.devScale, (a.y + b.y) / 2.0 * model.devScale};
  end.page = PageOfPoint(end.midCm, settings);
  return end;
}

std::optional<std::array<JoinEnd, 2>> FindJoinEnds(const Model& model, const Settings& settings, int number) {
  if (number <= 0) return std::nullopt;
  const auto sides = JoinSidesByNumber(model);
  if (static_cast<std::size_t>(number) >= sides.size() || !sides[number][0]) return std::nullopt;
  return std::array<JoinEnd, 2>{JoinEndOf(*sides[number][0], model, settings),
                                JoinEndOf(*sides[number][1], model, settings)};
}

namespace {

double DistanceToSegment(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

const HalfEdge* NearestJoinSide(const Model& model, Point2 point, double tolerance) {
  const HalfEdge* nearest = nullptr;
  double best = tolerance;
  for (const auto& pair : JoinSidesByNumber(model)) {
    for (const HalfEdge* side : pair) {
      if (!side || !side->face || !side->face->part || !side->next) continue;
      const Part& part = *side->face->part;
      const double d = DistanceToSegment(point, CornerOf(*side, part), CornerOf(*side->next, part));
      if (d <= best) {
        best = d;
        nearest = side;
      }
    }
  }
  return nearest;
}

std::string JoinNumberRangeText(int number, int count) {
  if (count <= 0) return "Join number " + std::to_string(number) + " does not exist: this file has no join numbers.";
  return "Join number " + std::to_string(number) + " does not exist: this file has join numbers 1 to " +
         std::to_string(count) + ".";
}

}  // namespace plicora
