#pragma once
// Builds small developed models in code: faces laid flat with their corner
// positions, linked rings, and edges that are folds, cuts or one-sided.

#include <vector>

#include "core/model/Model.h"

namespace plicora::test {

class PatternBuilder {
 public:
  PatternBuilder() {
    model.hasDevelopment = true;
    model.devScale = 1.0;
    AddSolid();
    AddPart(0, 0);
  }

  Solid& AddSolid() {
    solid = &model.solids.emplace_back();
    return *solid;
  }

  Part& AddPart(double offsetX, double offsetY, double width = 0, double height = 0) {
    part = &model.parts.emplace_back();
    part->offsetX = offsetX;
    part->offsetY = offsetY;
    part->width = width;
    part->height = height;
    part->solid = solid;
    return *part;
  }

  /// A face of the current solid and part with corners at these positions
  /// (relative to the part offset), its ring linked.
  Face& AddFace(const std::vector<Point2>& corners) {
    Face& face = solid->faces.emplace_back();
    face.solid = solid;
    face.part = part;
    face.partIndex = static_cast<int>(model.parts.size()) - 1;
    for (const Point2& c : corners) {
      Vertex& v = solid->vertices.emplace_back();
      v.x = c.x;
      v.y = c.y;
      HalfEdge* h = solid->NewHalfEdge(&v, &face, 0.5);
      h->devPos = c;
      face.ring.push_back(h);
    }
    const std::size_t n = face.ring.size();
    if (n > 2) {
      for (std::size_t i = 0; i < n; ++i) face.ring[i]->next = face.ring[(i + 1) % n];
    }
    part->faces.push_back(&face);
    return face;
  }

  /// An edge between two sides; `fold` keeps them joined in the pattern.
  Edge& Join(HalfEdge* a, HalfEdge* b, bool fold, bool convex = true, double dihedral = 90.0) {
    Edge& e = NewEdge(a, b, convex, dihedral);
    a->partner = b;
    b->partner = a;
    if (fold) {
      a->devPartner = b;
      b->devPartner = a;
    }
    return e;
  }

  /// An edge with one face only.
  Edge& Single(HalfEdge* a) { return NewEdge(a, nullptr, true, -1.0); }

  /// Gives every side of the current solid without an edge its own one-sided edge.
  void CloseOpenSides() {
    for (Face& f : solid->faces)
      for (HalfEdge* h : f.ring)
        if (!h->edge) Single(h);
  }

  Model model;
  Solid* solid = nullptr;
  Part* part = nullptr;

 private:
  Edge& NewEdge(HalfEdge* a, HalfEdge* b, bool convex, double dihedral) {
    Edge& e = solid->edges.emplace_back();
    e.halfA = a;
    e.halfB = b;
    e.convex = convex;
    e.dihedral = dihedral;
    e.type = b ? 0 : 5;
    a->edge = &e;
    if (b) b->edge = &e;
    return e;
  }
};

}  // namespace plicora::test
