#pragma once
// Small developments built in code for the drawing tests, and pixel probes.

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <string>
#include <vector>

#include "core/model/Model.h"

namespace plicora::test {

/// Adds a part of square faces side by side: face i covers x from
/// left + i * size to left + (i + 1) * size and y from top to top + size
/// (development units). Corners run (0,0) (0,1) (1,1) (1,0), so ring[0] is
/// the left side, ring[1] the bottom (y down), ring[2] the right, ring[3]
/// the top. Neighbours are joined by a convex fold; other sides are cut.
inline Part& AddSquareStrip(Model& model, int faces, double left, double top, double size = 1.0) {
  Solid& solid = model.solids.emplace_back();
  Part& part = model.parts.emplace_back();
  part.solid = &solid;
  part.offsetX = left;
  part.offsetY = top;
  part.width = faces * size;
  part.height = size;
  std::vector<Face*> made;
  for (int i = 0; i < faces; ++i) {
    Face& face = solid.faces.emplace_back();
    face.solid = &solid;
    face.part = &part;
    face.partIndex = static_cast<int>(model.parts.size()) - 1;
    const double xs[4] = {i * size, i * size, (i + 1) * size, (i + 1) * size};
    const double ys[4] = {0.0, size, size, 0.0};
    for (int k = 0; k < 4; ++k) {
      Vertex& v = solid.vertices.emplace_back();
      v.x = xs[k];
      v.y = ys[k];
      HalfEdge* h = solid.NewHalfEdge(&v, &face, 0.5);
      h->devPos = {xs[k], ys[k]};
      face.ring.push_back(h);
    }
    for (int k = 0; k < 4; ++k) {
      face.ring[k]->next = face.ring[(k + 1) % 4];
      Edge& e = solid.edges.emplace_back();
      e.halfA = face.ring[k];
      face.ring[k]->edge = &e;
      e.dihedral = 90.0;
    }
    part.faces.push_back(&face);
    made.push_back(&face);
  }
  // Join neighbours along their common side.
  for (int i = 0; i + 1 < faces; ++i) {
    HalfEdge* a = made[i]->ring[2];
    HalfEdge* b = made[i + 1]->ring[0];
    a->partner = a->devPartner = b;
    b->partner = b->devPartner = a;
    b->edge = a->edge;
    a->edge->halfB = b;
  }
  model.loaded = true;
  model.hasDevelopment = true;
  model.totalFaces += faces;
  return part;
}

inline bool IsBlack(QRgb c, int limit = 60) {
  return qRed(c) < limit && qGreen(c) < limit && qBlue(c) < limit;
}
inline bool IsWhite(QRgb c) {
  return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}
inline bool SameRgb(QRgb c, int r, int g, int b, int tolerance = 0) {
  return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
         std::abs(qBlue(c) - b) <= tolerance;
}

/// The box of the dark pixels inside `area`, leaving out the rows from
/// `skipTop` to `skipBottom` (a line drawn there); empty when there are none.
inline QRect DarkBox(const QImage& image, const QRect& area, int skipTop = -1, int skipBottom = -2) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    if (y >= skipTop && y <= skipBottom) continue;
    for (int x = area.left(); x <= area.right(); ++x)
      if (IsBlack(image.pixel(x, y), 100)) box |= QRect(x, y, 1, 1);
  }
  return box;
}

/// Keeps the picture of a failed test for inspection.
inline void SaveIfFailed(const QImage& image, const std::string& name) {
  if (!::testing::Test::HasFailure()) return;
  const QString dir = QDir::tempPath() + "/plicora-render-test-output";
  QDir().mkpath(dir);
  image.save(dir + "/" + QString::fromStdString(name) + ".png");
  ADD_FAILURE() << "picture saved to " << dir.toStdString() << "/" << name << ".png";
}

}  // namespace plicora::test
