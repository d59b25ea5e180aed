#pragma once
// Builds small 3D models in code: shared vertices, faces with linked rings,
// unit normals and reference points, and edges paired from the rings with
// their dihedral angles, as the topology code leaves them after a read.

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "core/model/Model.h"

namespace plicora::test {

class MeshBuilder {
 public:
  MeshBuilder() { AddSolid(); }

  Solid& AddSolid() {
    solid = &model.solids.emplace_back();
    return *solid;
  }

  int AddVertex(double x, double y, double z) {
    Vertex& v = solid->vertices.emplace_back();
    v.x = x;
    v.y = y;
    v.z = z;
    return static_cast<int>(solid->vertices.size()) - 1;
  }

  /// A face through the given vertices of the current solid, in that order.
  Face& AddFace(const std::vector<int>& corners, int material = -1) {
    Face& face = solid->faces.emplace_back();
    face.solid = solid;
    face.materialIndex = material;
    double nx = 0, ny = 0, nz = 0, cx = 0, cy = 0, cz = 0;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
      const Vertex& a = solid->vertices[static_cast<std::size_t>(corners[i])];
      const Vertex& b = solid->vertices[static_cast<std::size_t>(corners[(i + 1) % n])];
      nx += (a.y - b.y) * (a.z + b.z);
      ny += (a.z - b.z) * (a.x + b.x);
      nz += (a.x - b.x) * (a.y + b.y);
      cx += a.x;
      cy += a.y;
      cz += a.z;
      HalfEdge* h = solid->NewHalfEdge(&solid->vertices[static_cast<std::size_t>(corners[i])], &face, 0.5);
      h->devPos = Point2{a.x, a.y};
      face.ring.push_back(h);
    }
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len > 0) face.plane = {nx / len, ny / len, nz / len, 0.0};
    for (std::size_t i = 0; i < n; ++i) {
      face.ring[i]->next = face.ring[(i + 1) % n];
    }
    return face;
  }

  /// Pairs the sides of every solid into edges (one-sided edges get type 5);
  /// with `folds` every paired edge is joined in the pattern.
  void PairEdges(bool folds) {
    double total = 0;
    int count = 0;
    for (Solid& s : model.solids) {
      std::map<std::pair<const Vertex*, const Vertex*>, HalfEdge*> open;
      for (Face& f : s.faces) {
        for (HalfEdge* h : f.ring) {
          auto it = open.find({h->next->vertex, h->vertex});
          if (it == open.end()) {
            open[{h->vertex, h->next->vertex}] = h;
            continue;
          }
          HalfEdge* a = it->second;
          open.erase(it);
          Edge& e = NewEdge(s, a, h);
          a->partner = h;
          h->partner = a;
          if (folds) {
            a->devPartner = h;
            h->devPartner = a;
          }
          Measure(e);
        }
      }
      for (Face& f : s.faces)
        for (HalfEdge* h : f.ring)
          if (!h->edge) NewEdge(s, h, nullptr);
      for (Edge& e : s.edges) {
        total += Length(e);
        ++count;
      }
    }
    model.meanEdgeLength = count ? total / count : 0;
  }

  /// Cuts an edge in the pattern (its sides stay partners in the model).
  static void Cut(Edge& e) {
    if (e.halfA) e.halfA->devPartner = nullptr;
    if (e.halfB) e.halfB->devPartner = nullptr;
  }

  /// One part holding every face of every solid, at an offset.
  Part& AddPartWithAllFaces(double offsetX = 0, double offsetY = 0) {
    Part& part = model.parts.emplace_back();
    part.offsetX = offsetX;
    part.offsetY = offsetY;
    part.solid = &model.solids.front();
    for (Solid& s : model.solids)
      for (Face& f : s.faces) {
        f.part = &part;
        f.partIndex = static_cast<int>(model.parts.size()) - 1;
        part.faces.push_back(&f);
      }
    model.hasDevelopment = true;
    return part;
  }

  /// The edge between two vertices of the current solid.
  Edge* EdgeBetween(int a, int b) {
    const Vertex* va = &solid->vertices[static_cast<std::size_t>(a)];
    const Vertex* vb = &solid->vertices[static_cast<std::size_t>(b)];
    for (Edge& e : solid->edges)
      if ((e.vertexA == va && e.vertexB == vb) || (e.vertexA == vb && e.vertexB == va)) return &e;
    return nullptr;
  }

  Model model;
  Solid* solid = nullptr;

 private:
  static double Length(const Edge& e) {
    const double dx = e.vertexA->x - e.vertexB->x, dy = e.vertexA->y - e.vertexB->y, dz = e.vertexA->z - e.vertexB->z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
  }

  static Edge& NewEdge(Solid& s, HalfEdge* a, HalfEdge* b) {
    Edge& e = s.edges.emplace_back();
    e.halfA = a;
    e.halfB = b;
    e.vertexA = a->vertex;
    e.vertexB = a->next->vertex;
    e.type = b ? 0 : 5;
    a->edge = &e;
    if (b) b->edge = &e;
    e.length = Length(e);
    return e;
  }

  // Dihedral angle (180 for coplanar faces) and convexity from the normals.
  static void Measure(Edge& e) {
    const auto& n1 = e.halfA->face->plane;
    const auto& n2 = e.halfB->face->plane;
    const double dot = std::fmax(-1.0, std::fmin(1.0, n1[0] * n2[0] + n1[1] * n2[1] + n1[2] * n2[2]));
    e.dihedral = 180.0 - std::acos(dot) * 180.0 / M_PI;
    // Convex when the far corner of the second face lies below the first face.
    const Vertex& far = *e.halfB->next->next->vertex;
    const Vertex& on = *e.vertexA;
    const double side = (far.x - on.x) * n1[0] + (far.y - on.y) * n1[1] + (far.z - on.z) * n1[2];
    e.convex = side <= 0;
  }
};

}  // namespace plicora::test
