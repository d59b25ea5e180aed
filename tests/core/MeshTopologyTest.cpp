#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "WorkFileTestSupport.h"
#include "core/model/MeshTopology.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

test::ReadOutcome ReadSolid(const std::string& body) {
  return test::ReadWorkBytes("version 2\nsolids 1\n" + body + "end\n");
}

TEST(MeshTopologyTest, CleanRingDropsRepeatsAndLinks) {
  Solid solid;
  solid.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {5, 5, 5}, {0, 0, 0}};  // 4 lies where 0 does
  Face& face = solid.faces.emplace_back();
  for (int v : {0, 1, 1, 2, 4}) face.ring.push_back(solid.NewHalfEdge(&solid.vertices[v], &face, 0.5));
  CleanRing(face);
  // 1 repeated in a row and the last one standing where the first is are dropped.
  ASSERT_EQ(face.ring.size(), 3u);
  EXPECT_EQ(face.ring[2]->vertex, &solid.vertices[2]);
  EXPECT_EQ(face.ring[2]->next, face.ring[0]);
  EXPECT_EQ(PrevOf(*face.ring[0]), face.ring[2]);
  EXPECT_DOUBLE_EQ(FaceRefPoint(face).x, 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(FaceRefPoint(face).y, 1.0 / 3.0);

  Face& pair = solid.faces.emplace_back();
  for (int v : {0, 1, 0}) pair.ring.push_back(solid.NewHalfEdge(&solid.vertices[v], &pair, 0.5));
  CleanRing(pair);
  ASSERT_EQ(pair.ring.size(), 2u);  // back where it started: the last corner goes
  EXPECT_EQ(pair.ring[0]->next, nullptr);
  Face& two = solid.faces.emplace_back();
  for (int v : {0, 1}) two.ring.push_back(solid.NewHalfEdge(&solid.vertices[v], &two, 0.5));
  CleanRing(two);
  EXPECT_EQ(two.ring[0]->next, nullptr);
}

TEST(MeshTopologyTest, CubeEdgesAreConvexRightAngles) {
  auto out = ReadSolid(test::CubeSolid());
  MeasureModel(*out.model);
  const Solid& s = out.model->solids[0];
  ASSERT_EQ(s.edges.size(), 12u);
  for (const Edge& e : s.edges) {
    EXPECT_TRUE(e.convex);
    EXPECT_NEAR(e.dihedral, 90.0, 1e-12);
    EXPECT_EQ(e.type, 0);
    EXPECT_EQ(e.length, 1.0);
    EXPECT_EQ(e.halfA->edge, &e);
    EXPECT_EQ(e.halfB->partner, e.halfA);
  }
  EXPECT_EQ(s.meanEdgeLength, 1.0);
  EXPECT_EQ(out.model->meanEdgeLength, 1.0);
}

TEST(MeshTopologyTest, MeanEdgeLengths) {
  auto square = ReadSolid(test::SquareSolid());
  MeasureModel(*square.model);
  for (const Edge& e : square.model->solids[0].edges) EXPECT_EQ(e.type, 5);
  EXPECT_EQ(square.model->solids[0].meanEdgeLength, 1.0);

  Model empty;
  MeasureModel(empty);
  EXPECT_EQ(empty.meanEdgeLength, 0.0);
  empty.solids.emplace_back();
  empty.solids.emplace_back().edges.emplace_back();
  Solid& two = empty.solids[1];
  two.vertices.push_back({0, 0, 0});
  two.vertices.push_back({3, 4, 0});
  two.edges[0].vertexA = &two.vertices[0];
  two.edges[0].vertexB = &two.vertices[1];
  MeasureModel(empty);
  EXPECT_EQ(empty.solids[0].meanEdgeLength, 0.0);
  EXPECT_EQ(empty.solids[1].meanEdgeLength, 5.0);
  EXPECT_EQ(empty.meanEdgeLength, 2.5);
}

TEST(MeshTopologyTest, FoldAngles) {
  // Two triangles folded along x = 0..1: the second rises out of the plane.
  const std::string body =
      "solid\nF\n1\nvertices 4\n0 0 0\n1 0 0\n0.5 1 0\n0.5 -1 1\nfaces 2\n"
      "-1 -1 0 0 1 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "-1 -1 0 -0.7071067811865476 -0.7071067811865476 0 3\n"
      "1 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n"
      "edges 1\n0 1 0 1 0 0\n";
  auto out = ReadSolid(body);
  MeasureModel(*out.model);
  const Edge& e = out.model->solids[0].edges[0];
  // n0 x n1 = (0,0,1) x (0,-r,-r) = (r,0,0): along vertex 0 -> 1, so convex.
  EXPECT_TRUE(e.convex);
  EXPECT_NEAR(e.dihedral, 45.0, 1e-9);

  // With the second normal the other way round the fold is concave.
  std::string flipped = body;
  flipped.replace(flipped.find("0 -0.7071067811865476 -0.7071067811865476"), 41,
                  "0 0.7071067811865476 0.7071067811865476");
  auto concave = ReadSolid(flipped);
  MeasureModel(*concave.model);
  EXPECT_FALSE(concave.model->solids[0].edges[0].convex);
  EXPECT_NEAR(concave.model->solids[0].edges[0].dihedral, 135.0, 1e-9);
}

TEST(MeshTopologyTest, UndefinedFoldDirectionCountsAsConvex) {
  // Edge flags 0 say concave; measuring overwrites that on paired edges.
  // Opposite normals: the cross product is zero, the angle not a number,
  // so convex; the faces fold flat onto each other (about 0 degrees). Normals that
  // are not numbers: convex, dihedral not a number. A one-sided edge keeps
  // the file's concave flag.
  const auto file = [](const std::string& secondNormal) {
    return "solid\nN\n1\nvertices 4\n0 0 0\n1 0 0\n0.5 1 0\n0.5 -1 0\nfaces 2\n"
           "-1 -1 0 0 1 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
           "-1 -1 " +
           secondNormal +
           " 0 3\n1 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n"
           "edges 2\n0 1 0 1 0 0\n0 -1 1 2 0 0\n";
  };
  auto opposite = ReadSolid(file("0 0 -1"));
  MeasureModel(*opposite.model);
  const Solid& o = opposite.model->solids[0];
  EXPECT_TRUE(o.edges[0].convex);
  EXPECT_EQ(o.edges[0].dihedral, 180.0 - 3.141592653589793 * 57.29577951308238);  // a hair below 0
  EXPECT_EQ(o.edges[0].type, 0);
  EXPECT_FALSE(o.edges[1].convex);
  EXPECT_EQ(o.edges[1].type, 5);
  EXPECT_EQ(o.edges[1].dihedral, -1.0);

  auto nan = ReadSolid(file("nan 0 1"));
  MeasureModel(*nan.model);
  EXPECT_TRUE(nan.model->solids[0].edges[0].convex);
  EXPECT_TRUE(std::isnan(nan.model->solids[0].edges[0].dihedral));
}

TEST(MeshTopologyTest, ReverseSurfaceDirectionTwice) {
  std::string body = test::CubeSolid();
  // Mark two edges: 6 (cut) and 7 (keep), convex flag included.
  body.replace(body.find("0 2 0 1 16 1"), 12, "0 2 0 1 22 1");
  body.replace(body.find("1 4 4 6 16 1"), 12, "1 4 4 6 23 1");
  auto out = ReadSolid(body);
  Model& m = *out.model;
  MeasureModel(m);
  const Vertex* v0 = &m.solids[0].vertices[0];
  const Vertex* v1 = &m.solids[0].vertices[1];
  auto typeOf = [&](const Vertex* a, const Vertex* b) {
    for (const Edge& e : m.solids[0].edges)
      if ((e.vertexA == a && e.vertexB == b) || (e.vertexA == b && e.vertexB == a)) return e.type;
    return -1;
  };
  for (int round = 1; round <= 2; ++round) {
    ReverseSurfaceDirection(m);
    const Solid& s = m.solids[0];
    ASSERT_EQ(s.edges.size(), 12u) << round;
    for (const Edge& e : s.edges) {
      EXPECT_EQ(e.convex, round == 2) << round;
      EXPECT_NEAR(e.dihedral, 90.0, 1e-12);
      ASSERT_NE(e.halfB, nullptr);
      EXPECT_EQ(e.halfA->vertex, e.vertexA);
      EXPECT_EQ(e.halfA->next->vertex, e.vertexB);
      EXPECT_EQ(e.halfB->partner, e.halfA);
      EXPECT_EQ(e.halfA->edge, &e);
    }
    for (const Face& f : s.faces)
      for (const HalfEdge* h : f.ring) EXPECT_EQ(h->devPartner, nullptr);
    EXPECT_EQ(typeOf(v0, v1), 6);
    EXPECT_EQ(typeOf(&s.vertices[4], &s.vertices[6]), 7);
    EXPECT_EQ(typeOf(&s.vertices[0], &s.vertices[2]), 0);
  }
  EXPECT_EQ(m.solids[0].faces[0].plane[0], -1.0);

  // Unselected solids are left alone.
  m.solids[0].selected = false;
  ReverseSurfaceDirection(m);
  EXPECT_EQ(m.solids[0].faces[0].plane[0], -1.0);
}

TEST(MeshTopologyTest, PairingWarningsAndOneSidedLeftovers) {
  // Three triangles on the side 0-1: two run 0->1, one 1->0.
  const std::string body =
      "solid\nW\n1\nvertices 5\n0 0 0\n1 0 0\n0 1 0\n0 -1 0\n0 0 1\nfaces 3\n"
      "-1 -1 0 0 1 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "-1 -1 0 0 1 0 3\n1 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n"
      "-1 -1 0 1 0 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n4 0 0 0 0 0 1 0\n"
      "edges 0\n";
  const std::string duplicate =
      "Warning: the halfedge between vertex((0,0,0)) and vertex ((1,0,0) have been already defined.\n";
  auto out = ReadSolid(body);
  Solid& s = out.model->solids[0];
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  PairHalfEdges(s);
  EXPECT_EQ(sink.notes, std::vector<std::string>{duplicate});
  EXPECT_TRUE(sink.messages.empty());
  // 9 sides: one pair, 7 one-sided.
  ASSERT_EQ(s.edges.size(), 8u);
  EXPECT_EQ(s.edges[0].halfA, s.faces[1].ring[0]);
  EXPECT_EQ(s.edges[0].halfB, s.faces[0].ring[0]);
  int oneSided = 0;
  for (const Edge& e : s.edges) oneSided += e.halfB == nullptr;
  EXPECT_EQ(oneSided, 7);
  EXPECT_EQ(s.faces[2].ring[0]->partner, nullptr);
  EXPECT_NE(s.faces[2].ring[0]->edge, nullptr);

  // Two half-edges waiting on the reverse side: the second warning.
  const std::string twice =
      "solid\nW\n1\nvertices 5\n0 0 0\n1 0 0\n0 1 0\n0 -1 0\n0 0 1\nfaces 3\n"
      "-1 -1 0 0 1 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\n"
      "-1 -1 0 1 0 0 3\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n4 0 0 0 0 0 1 0\n"
      "-1 -1 0 0 1 0 3\n1 0.5 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n3 0 0 0 0 0 1 0\n"
      "edges 0\n";
  auto second = ReadSolid(twice);
  sink.notes.clear();
  PairHalfEdges(second.model->solids[0]);
  EXPECT_EQ(
      std::count(sink.notes.begin(), sink.notes.end(), "Warning: two or more halfedges are assigned to one halfedge\n"),
      1);
  EXPECT_EQ(second.model->solids[0].faces[2].ring[0]->partner, second.model->solids[0].faces[0].ring[0]);

  // The program's own sinks write notes as lines on standard output.
  StderrMessageSink console;
  ScopedMessageSink consoleScope(console);
  auto again = ReadSolid(body);
  testing::internal::CaptureStdout();
  PairHalfEdges(again.model->solids[0]);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), duplicate);
}

}  // namespace
}  // namespace plicora
