#pragma once
// Large models built in code for the 3D pane tests and benchmarks: a sphere of
// triangles with texture coordinates, pairs joined as folds, one meridian
// cut, one part (so the opened corners of "Emphasize Cut Point" apply).

#include <cmath>
#include <vector>

#include "core/model/Model.h"

namespace plicora::test {

/// Vertex (i, j) of a rows x columns grid on the unit sphere.
inline void SpherePoint(int i, int j, int rows, int columns, Vertex& v) {
  const double theta = M_PI * (i + 0.5) / (rows + 1.0);
  const double phi = 2.0 * M_PI * j / columns;
  v.x = std::sin(theta) * std::cos(phi);
  v.y = std::cos(theta);
  v.z = std::sin(theta) * std::sin(phi);
}

/// A sphere band of rows x columns quads, each split into two triangles
/// (2 * rows * columns faces). With `textured` one material carries a
/// size x size image and every corner a texture coordinate.
inline void BuildSphere(Model& model, int rows, int columns, bool textured, int textureSize, bool withEdges) {
  Solid& solid = model.solids.emplace_back();
  const int vRows = rows + 1;
  for (int i = 0; i < vRows; ++i)
    for (int j = 0; j < columns; ++j) SpherePoint(i, j, vRows, columns, solid.vertices.emplace_back());
  if (textured) {
    Material& m = model.materials.emplace_back(Material::FromColor(0xFFFFFF));
    m.hasTexture = true;
    m.image = std::make_unique<TextureImage>();
    m.image->width = m.image->height = textureSize;
    m.image->pixels.resize(static_cast<std::size_t>(textureSize) * textureSize * 3);
    for (std::size_t k = 0; k < m.image->pixels.size(); ++k)
      m.image->pixels[k] = static_cast<std::uint8_t>(k * 7 + k / 977);
  }
  Part& part = model.parts.emplace_back();
  part.solid = &solid;
  auto vertex = [&](int i, int j) { return &solid.vertices[static_cast<std::size_t>(i * columns + (j % columns))]; };
  auto addFace = [&](Vertex* a, Vertex* b, Vertex* c, double ua, double va, double ub, double vb, double uc,
                     double vc) {
    Face& f = solid.faces.emplace_back();
    f.solid = &solid;
    f.materialIndex = textured ? 0 : -1;
    f.part = &part;
    f.partIndex = 0;
    part.faces.push_back(&f);
    const Vertex* vs[3] = {a, b, c};
    const double uv[3][2] = {{ua, va}, {ub, vb}, {uc, vc}};
    double nx = 0, ny = 0, nz = 0;
    for (int k = 0; k < 3; ++k) {
      const Vertex& p = *vs[k];
      const Vertex& q = *vs[(k + 1) % 3];
      nx += (p.y - q.y) * (p.z + q.z);
      ny += (p.z - q.z) * (p.x + q.x);
      nz += (p.x - q.x) * (p.y + q.y);
    }
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    f.plane = {nx / len, ny / len, nz / len, 0};
    for (int k = 0; k < 3; ++k) {
      HalfEdge* h = solid.NewHalfEdge(const_cast<Vertex*>(vs[k]), &f, 0.5);
      if (textured) {
        h->uv = TexCoord{uv[k][0], uv[k][1]};
        h->hasUv = true;
      }
      f.ring.push_back(h);
    }
    for (int k = 0; k < 3; ++k) f.ring[k]->next = f.ring[(k + 1) % 3];
  };
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const double u0 = double(j) / columns, u1 = double(j + 1) / columns;
      const double v0 = double(i) / rows, v1 = double(i + 1) / rows;
      addFace(vertex(i, j), vertex(i + 1, j), vertex(i + 1, j + 1), u0, v0, u0, v1, u1, v1);
      addFace(vertex(i, j), vertex(i + 1, j + 1), vertex(i, j + 1), u0, v0, u1, v1, u1, v0);
    }
  }
  model.totalFaces = static_cast<int>(solid.faces.size());
  model.hasDevelopment = true;
  if (!withEdges) return;
  // Face index of the quad (i, j), triangle t.
  auto face = [&](int i, int j, int t) -> Face& {
    return solid.faces[static_cast<std::size_t>((i * columns + (j % columns)) * 2 + t)];
  };
  double total = 0;
  auto newEdge = [&](HalfEdge* a, HalfEdge* b, bool fold) {
    Edge& e = solid.edges.emplace_back();
    e.halfA = a;
    e.halfB = b;
    e.vertexA = a->vertex;
    e.vertexB = a->next->vertex;
    e.type = b ? 0 : 5;
    e.dihedral = b ? 179.0 : -1.0;
    a->edge = &e;
    if (b) {
      b->edge = &e;
      a->partner = b;
      b->partner = a;
      if (fold) {
        a->devPartner = b;
        b->devPartner = a;
      }
    }
    const double dx = e.vertexA->x - e.vertexB->x, dy = e.vertexA->y - e.vertexB->y, dz = e.vertexA->z - e.vertexB->z;
    e.length = std::sqrt(dx * dx + dy * dy + dz * dz);
    total += e.length;
  };
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      Face& lower = face(i, j, 0);                                          // (i,j) (i+1,j) (i+1,j+1)
      Face& upper = face(i, j, 1);                                          // (i,j) (i+1,j+1) (i,j+1)
      newEdge(lower.ring[2], upper.ring[0], true);                          // the diagonal
      newEdge(upper.ring[1], face(i, j + 1, 0).ring[0], j + 1 != columns);  // to the next column
      if (i + 1 < rows)
        newEdge(lower.ring[1], face(i + 1, j, 1).ring[2], true);  // to the next row
      else
        newEdge(lower.ring[1], nullptr, false);
      if (i == 0) newEdge(upper.ring[2], nullptr, false);
    }
  }
  model.meanEdgeLength = total / static_cast<double>(solid.edges.size());
  solid.meanEdgeLength = model.meanEdgeLength;
}

}  // namespace plicora::test
