#include "core/view3d/OpenedPositions.h"

#include <cmath>

#include "core/model/MeshTopology.h"

namespace plicora {
namespace {

Point3 PositionOf(const Vertex& v) {
  return Point3{v.x, v.y, v.z};
}

void AddDifference(Point3& sum, const Vertex& to, const Point3& from) {
  sum.x += to.x - from.x;
  sum.y += to.y - from.y;
  sum.z += to.z - from.z;
}

// Sum of the vectors from Q's opened position to the vertices around Q's
// vertex, walking the fan of faces joined in the pattern that starts with P,
// the half-edge ending at Q's vertex. Returns false for a broken ring.
bool SumFanVectors(const HalfEdge& p, const Point3& origin, Point3& sum, std::size_t limit) {
  const HalfEdge* h = &p;
  for (std::size_t steps = 0;; ++steps) {
    if (!h->vertex || !h->next || steps > limit) return false;
    AddDifference(sum, *h->vertex, origin);
    const HalfEdge* n = h->next;
    if (!n->devPartner) {
      if (!n->next || !n->next->vertex) return false;
      AddDifference(sum, *n->next->vertex, origin);
      return true;
    }
    h = n->devPartner;
  }
}

void OpenCorner(std::vector<Point3>& opened, const HalfEdge& q, double distance, std::size_t limit) {
  const HalfEdge* p = PrevOf(q);
  if (!p || p->devPartner) return;
  Point3 sum;
  if (!SumFanVectors(*p, opened[q.index], sum, limit)) return;
  const double length = std::sqrt(sum.x * sum.x + sum.y * sum.y + sum.z * sum.z);
  if (length < 0.00001) return;
  const Point3 offset{sum.x / length * distance, sum.y / length * distance, sum.z / length * distance};
  const HalfEdge* d = p;
  for (std::size_t steps = 0; d && steps <= limit; ++steps) {
    const HalfEdge* n = d->next;
    if (!n) return;
    Point3& position = opened[n->index];
    position.x += offset.x;
    position.y += offset.y;
    position.z += offset.z;
    d = n->devPartner;
  }
}

}  // namespace

void ComputeOpenedPositions(Model& model) {
  for (Solid& solid : model.solids) {
    // Corners in no ring keep the origin.
    solid.openedPositions.assign(solid.halfEdges.size(), Point3{});
    for (Face& face : solid.faces)
      for (HalfEdge* h : face.ring)
        if (h->vertex) solid.openedPositions[h->index] = PositionOf(*h->vertex);
  }
  const double distance = 0.1 * model.meanEdgeLength;
  for (Solid& solid : model.solids) {
    if (!solid.selected) continue;
    // A fan around one vertex never has more corners than the solid; the
    // limit only stops a walk over inconsistent links.
    const std::size_t limit = solid.halfEdges.size();
    for (Face& face : solid.faces)
      for (HalfEdge* q : face.ring) OpenCorner(solid.openedPositions, *q, distance, limit);
  }
}

}  // namespace plicora
