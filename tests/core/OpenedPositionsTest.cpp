#include <gtest/gtest.h>

#include <cmath>

#include "MeshBuilder.h"
#include "core/model/MeshTopology.h"
#include "core/view3d/OpenedPositions.h"

namespace plicora {
namespace {

// Two unit squares side by side in the plane z = 0, sharing the edge from
// (1, 0) to (1, 1); every edge has length 1, so the pull is 0.1.
struct TwoSquares {
  explicit TwoSquares(bool fold) {
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) b.AddVertex(x, y, 0);
    a = &b.AddFace({0, 1, 4, 3});
    c = &b.AddFace({1, 2, 5, 4});
    b.PairEdges(true);
    if (!fold) test::MeshBuilder::Cut(*b.EdgeBetween(1, 4));
  }
  test::MeshBuilder b;
  Face* a = nullptr;
  Face* c = nullptr;
};

void ExpectAt(const HalfEdge* h, double x, double y) {
  const Point3 p = OpenedPositionOf(*h);
  EXPECT_NEAR(p.x, x, 1e-12);
  EXPECT_NEAR(p.y, y, 1e-12);
  EXPECT_EQ(p.z, 0.0);
}

TEST(OpenedPositionsTest, CornersOnBothSidesOfACutMoveIntoTheirFaces) {
  TwoSquares m(false);
  ComputeOpenedPositions(m.b.model);
  const double d = 0.1 / std::sqrt(2.0);
  ExpectAt(m.a->ring[1], 1 - d, d);  // corner (1, 0) of the left square
  ExpectAt(m.c->ring[0], 1 + d, d);  // the same vertex in the right square
  ExpectAt(m.a->ring[0], d, d);      // an outer corner of the outline too
}

TEST(OpenedPositionsTest, CornersJoinedByAFoldMoveTogetherAlongIt) {
  TwoSquares m(true);
  ComputeOpenedPositions(m.b.model);
  // The fan around (1, 0) runs over both squares; its sum points along the fold.
  ExpectAt(m.a->ring[1], 1, 0.1);
  ExpectAt(m.c->ring[0], 1, 0.1);
  ExpectAt(m.a->ring[2], 1, 0.9);
  ExpectAt(m.c->ring[3], 1, 0.9);
}

TEST(OpenedPositionsTest, HiddenSolidsKeepTheirVertexPositions) {
  TwoSquares m(false);
  m.b.solid->selected = false;
  m.b.solid->openedPositions.assign(m.b.solid->halfEdges.size(), Point3{7, 7, 7});
  ComputeOpenedPositions(m.b.model);
  ExpectAt(m.a->ring[1], 1, 0);
}

}  // namespace
}  // namespace plicora
