#include <gtest/gtest.h>

#include "PatternBuilder.h"
#include "core/development/DevelopmentGeometry.h"

namespace plicora {
namespace {

using test::PatternBuilder;

void ExpectPoint(const Point2& p, double x, double y) {
  EXPECT_DOUBLE_EQ(p.x, x);
  EXPECT_DOUBLE_EQ(p.y, y);
}

TEST(DevelopmentBounds, HoldsPartsAndLabelBoxes) {
  PatternBuilder b;
  b.model.devScale = 2.0;
  *b.part = Part{};
  b.part->offsetX = 1;
  b.part->offsetY = 2;
  b.part->width = 3;
  b.part->height = 4;
  TextLabel& t = b.model.texts.emplace_back();
  t.x = 10;
  t.y = 5;
  t.width = 2;   // 1 unit at scale 2
  t.height = 1;  // hangs 0.5 above, 0.25 below its baseline
  ComputeDevelopmentBounds(b.model);
  EXPECT_DOUBLE_EQ(b.model.devX, 1);
  EXPECT_DOUBLE_EQ(b.model.devY, 2);
  EXPECT_DOUBLE_EQ(b.model.devWidth, 10);
  EXPECT_DOUBLE_EQ(b.model.devHeight, 4);

  t.y = 1;  // the label now reaches above the part
  ComputeDevelopmentBounds(b.model);
  EXPECT_DOUBLE_EQ(b.model.devY, 0.5);
  EXPECT_DOUBLE_EQ(b.model.devHeight, 5.5);
}

TEST(DevelopmentBounds, EmptyDevelopmentGivesEmptyBox) {
  Model model;
  model.devX = 7;
  ComputeDevelopmentBounds(model);
  EXPECT_EQ(model.devX, 0);
  EXPECT_EQ(model.devY, 0);
  EXPECT_EQ(model.devWidth, 0);
  EXPECT_EQ(model.devHeight, 0);
}

// A4 portrait with 1.5 cm margins: printable 18.0 x 26.7 cm.
struct GridCase {
  double right;
  double bottom;
  int columns;
  int rows;
};

TEST(PageGrid, TruncatesAndCapsAtFive) {
  const GridCase cases[] = {
      {0.0, 0.0, 1, 1},   {17.9, 26.6, 1, 1},  {18.0, 26.7, 2, 2},                          // exactly one page: 2
      {36.0, 53.4, 3, 3}, {71.9, 106.7, 4, 4}, {72.0, 106.8, 5, 5}, {500.0, 1000.0, 5, 5},  // far beyond five pages
  };
  Settings settings;
  for (const GridCase& c : cases) {
    PatternBuilder b;
    b.AddPart(0, 0, c.right, c.bottom);
    int columns = 0, rows = 0;
    ComputePageGrid(&b.model, settings, columns, rows);
    EXPECT_EQ(columns, c.columns) << c.right;
    EXPECT_EQ(rows, c.rows) << c.bottom;
  }
}

TEST(PageGrid, MeasuresFromOriginWithScaleAndLabels) {
  Settings settings;
  PatternBuilder b;
  b.model.devScale = 4.0;
  b.AddPart(4.0, 0.0, 0.5, 1.0);  // right edge at 4.5 units = 18 cm
  int columns = 0, rows = 0;
  ComputePageGrid(&b.model, settings, columns, rows);
  EXPECT_EQ(columns, 2);
  EXPECT_EQ(rows, 1);

  TextLabel& t = b.model.texts.emplace_back();
  t.x = 8.0;  // 32 cm + 5 cm of label width
  t.width = 5.0;
  t.y = 7.0;  // 28 cm; the label height does not count
  t.height = 100.0;
  ComputePageGrid(&b.model, settings, columns, rows);
  EXPECT_EQ(columns, 3);
  EXPECT_EQ(rows, 2);

  settings.paperWidth = 29.7;  // A4 landscape: printable 26.7 cm
  ComputePageGrid(&b.model, settings, columns, rows);
  EXPECT_EQ(columns, 2);
}

TEST(PageGrid, OneByOneWithoutDevelopmentOrDocument) {
  Settings settings;
  PatternBuilder b;
  b.AddPart(0, 0, 100, 100);
  b.model.hasDevelopment = false;
  int columns = 0, rows = 0;
  ComputePageGrid(&b.model, settings, columns, rows);
  EXPECT_EQ(columns, 1);
  EXPECT_EQ(rows, 1);
  columns = rows = 0;
  ComputePageGrid(nullptr, settings, columns, rows);
  EXPECT_EQ(columns, 1);
  EXPECT_EQ(rows, 1);
}

TEST(PageGrid, MarginsWiderThanPaperStayInRange) {
  Settings settings;
  settings.dPageMarginSide = 10.5;  // no printable width at all
  settings.dPageMarginTop = 20.0;   // negative printable height
  PatternBuilder b;
  b.AddPart(0, 0, 10, 10);
  int columns = 0, rows = 0;
  ComputePageGrid(&b.model, settings, columns, rows);
  EXPECT_GE(columns, 1);
  EXPECT_LE(columns, 5);
  EXPECT_EQ(rows, 1);
}

// Flaps: part offset (10, 20), scale 2 cm per unit, flap 1 cm = 0.5 units.
class FlapTest : public ::testing::Test {
 protected:
  HalfEdge* AddFlapSide(double length) {
    b.model.devScale = 2.0;
    *b.part = Part{};
    b.part->offsetX = 10;
    b.part->offsetY = 20;
    Face& f = b.AddFace({{0, 0}, {length, 0}, {0, 3}});
    HalfEdge* h = f.ring[0];
    h->hasFlap = true;
    h->flapWidth = 1.0;
    b.CloseOpenSides();
    return h;
  }
  void Compute(const HalfEdge& h) {
    count = FlapPolygonOf(h, *b.part, b.model.mirrored != settings.bNorishiroReverse, b.model.devScale, points);
  }
  PatternBuilder b;
  Settings settings;
  std::array<Point2, 4> points{};
  int count = 0;
};

TEST_F(FlapTest, LongEdgeGetsTrapezoidOnSideOfEndToStart) {
  HalfEdge* h = AddFlapSide(3.0);
  Compute(*h);
  ASSERT_EQ(count, 4);
  // From the end (13, 20) back to the start (10, 20): u = (-1, 0), n = (0, 1).
  ExpectPoint(points[0], 13, 20);
  ExpectPoint(points[1], 12.5, 20.5);
  ExpectPoint(points[2], 10.5, 20.5);
  ExpectPoint(points[3], 10, 20);
}

TEST_F(FlapTest, ReverseOrMirrorPutsFlapOnOtherSideBothCancel) {
  HalfEdge* h = AddFlapSide(3.0);
  settings.bNorishiroReverse = true;
  Compute(*h);
  ASSERT_EQ(count, 4);
  ExpectPoint(points[0], 10, 20);
  ExpectPoint(points[1], 10.5, 19.5);
  ExpectPoint(points[2], 12.5, 19.5);
  ExpectPoint(points[3], 13, 20);

  b.model.mirrored = true;
  Compute(*h);
  ExpectPoint(points[0], 13, 20);
  ExpectPoint(points[1], 12.5, 20.5);

  settings.bNorishiroReverse = false;
  Compute(*h);
  ExpectPoint(points[1], 10.5, 19.5);
}

TEST_F(FlapTest, EdgeOfExactlyTwiceTheWidthGetsTriangle) {
  HalfEdge* h = AddFlapSide(1.0);
  Compute(*h);
  ASSERT_EQ(count, 3);
  ExpectPoint(points[0], 11, 20);
  ExpectPoint(points[1], 10.5, 20.5);
  ExpectPoint(points[2], 10, 20);
}

TEST_F(FlapTest, NoFlapWithoutFlagOrLength) {
  HalfEdge* h = AddFlapSide(0.0);
  count = 4;
  Compute(*h);
  EXPECT_EQ(count, 0);
  HalfEdge* other = h->next;
  EXPECT_FALSE(other->hasFlap);
  Compute(*other);
  EXPECT_EQ(count, 0);
}

TEST(JoinNumbers, CountCutsBetweenFacesAcrossSolidsInDocumentOrder) {
  PatternBuilder b;
  Face& f1 = b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  Face& f2 = b.AddFace({{1, 0}, {0, 0}, {1, 1}});
  Edge& cutA = b.Join(f1.ring[0], f2.ring[0], false);
  Edge& foldA = b.Join(f1.ring[1], f2.ring[2], true);
  b.CloseOpenSides();

  b.AddSolid();
  b.AddPart(5, 0);
  Face& g1 = b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  Face& g2 = b.AddFace({{1, 0}, {0, 0}, {1, 1}});
  Edge& late = b.Join(g1.ring[2], g2.ring[1], false);
  Edge& early = b.Join(g1.ring[0], g2.ring[0], false);
  b.CloseOpenSides();
  b.solid->edges.front().joinNumber = 99;  // stale value from earlier

  EXPECT_EQ(AssignJoinNumbers(b.model), 3);
  EXPECT_EQ(cutA.joinNumber, 1);
  EXPECT_EQ(foldA.joinNumber, -1);
  EXPECT_EQ(early.joinNumber, 2);  // g1's first side comes before its third
  EXPECT_EQ(late.joinNumber, 3);
  for (const Solid& s : b.model.solids) {
    for (const Edge& e : s.edges) {
      if (!e.halfB) {
        EXPECT_EQ(e.joinNumber, -1);  // one-sided edges
      }
    }
  }
}

TEST(Mirror, ReflectsPartsAndTwiceRestores) {
  PatternBuilder b;
  b.model.devWidth = 12;
  *b.part = Part{};
  b.part->offsetX = 2;
  b.part->width = 5;
  Face& f = b.AddFace({{1, 1}, {4, 1}, {1, 3}});
  MirrorDevelopment(b.model);
  EXPECT_TRUE(b.model.mirrored);
  EXPECT_DOUBLE_EQ(b.part->offsetX, 5);
  ExpectPoint(f.ring[0]->devPos, 4, 1);
  ExpectPoint(f.ring[1]->devPos, 1, 1);
  MirrorDevelopment(b.model);
  EXPECT_FALSE(b.model.mirrored);
  EXPECT_DOUBLE_EQ(b.part->offsetX, 2);
  ExpectPoint(f.ring[0]->devPos, 1, 1);
  ExpectPoint(f.ring[1]->devPos, 4, 1);
  ExpectPoint(f.ring[2]->devPos, 1, 3);
}

TEST(EdgeLines, FoldDrawnOnceCutOnBothSides) {
  PatternBuilder b;
  Settings settings;
  Face& f1 = b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  Face& f2 = b.AddFace({{1, 0}, {0, 0}, {1, 1}});
  b.Join(f1.ring[0], f2.ring[0], true, false);
  b.Join(f1.ring[1], f2.ring[2], false);
  DrawnSides drawn;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::ConcaveFold);
  EXPECT_TRUE(drawn.Contains(*f1.ring[0]));
  EXPECT_EQ(ClassifyEdgeLine(*f2.ring[0], settings, drawn), EdgeLineClass::Skip);
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[1], settings, drawn), EdgeLineClass::Cut);
  EXPECT_EQ(ClassifyEdgeLine(*f2.ring[2], settings, drawn), EdgeLineClass::Cut);
  EXPECT_TRUE(drawn.Contains(*f2.ring[2]));

  drawn = DrawnSides();
  EXPECT_FALSE(drawn.Contains(*f1.ring[0]));
  settings.iTaniLineType = 3;
  settings.iCutLineType = 1;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::Skip);
  EXPECT_FALSE(drawn.Contains(*f1.ring[0]));
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[1], settings, drawn), EdgeLineClass::Skip);
  settings.iCutLineType = 2;  // any value but 1 is a solid cut
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[1], settings, drawn), EdgeLineClass::Cut);
}

TEST(EdgeLines, FlapBaseIsAFoldOnlyWhileFlapsAreDrawn) {
  PatternBuilder b;
  Settings settings;
  Face& f = b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  b.CloseOpenSides();
  f.ring[0]->hasFlap = true;
  f.ring[0]->edge->convex = true;
  DrawnSides drawn;
  EXPECT_EQ(ClassifyEdgeLine(*f.ring[0], settings, drawn), EdgeLineClass::ConvexFold);
  settings.iYamaLineType = 3;  // the flap's base vanishes with the convex folds
  EXPECT_EQ(ClassifyEdgeLine(*f.ring[0], settings, drawn), EdgeLineClass::Skip);
  settings.bDrawFlap = false;
  EXPECT_EQ(ClassifyEdgeLine(*f.ring[0], settings, drawn), EdgeLineClass::Cut);
  f.ring[0]->isOutline = false;
  EXPECT_EQ(ClassifyEdgeLine(*f.ring[0], settings, drawn), EdgeLineClass::Skip);
}

TEST(EdgeLines, NearlyFlatFoldHiddenOnlyAboveThreshold) {
  PatternBuilder b;
  Settings settings;  // bCullEdge on, iAngleEps 178
  Face& f1 = b.AddFace({{0, 0}, {1, 0}, {0, 1}});
  Face& f2 = b.AddFace({{1, 0}, {0, 0}, {1, 1}});
  Edge& e = b.Join(f1.ring[0], f2.ring[0], true, true, 179.0);
  DrawnSides drawn;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::Skip);
  e.dihedral = 178.0;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::ConvexFold);
  drawn = DrawnSides();
  e.dihedral = 179.0;
  settings.bCullEdge = false;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::ConvexFold);
  // A cut edge is never hidden, whatever its angle.
  e.dihedral = 180.0;
  f1.ring[0]->devPartner = f2.ring[0]->devPartner = nullptr;
  settings.bCullEdge = true;
  EXPECT_EQ(ClassifyEdgeLine(*f1.ring[0], settings, drawn), EdgeLineClass::Cut);
}

// Four triangles in a row: f1 -179- f2 -178- f3 -diagonal- f4, and a cut f2 | f4.
class FaceRegionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Face** f : {&f1, &f2, &f3, &f4}) *f = &b.AddFace({{0, 0}, {1, 0}, {0, 1}});
    b.Join(f1->ring[0], f2->ring[0], true, true, 179.0);
    b.Join(f2->ring[1], f3->ring[0], true, false, 178.0);
    b.Join(f3->ring[1], f4->ring[0], true, true, 90.0);
    f3->ring[1]->isOutline = f4->ring[0]->isOutline = false;
    b.Join(f2->ring[2], f4->ring[1], false, true, 180.0);
    b.CloseOpenSides();
  }
  std::vector<bool> Marks() { return {f1->marked, f2->marked, f3->marked, f4->marked}; }

  PatternBuilder b;
  Settings settings;
  Face *f1 = nullptr, *f2 = nullptr, *f3 = nullptr, *f4 = nullptr;
};

TEST_F(FaceRegionTest, CrossesHiddenFoldsAndDiagonalsOnly) {
  MarkFaceRegion(*f1, settings);
  EXPECT_EQ(Marks(), (std::vector<bool>{true, true, false, false}));
  ClearFaceMarks(b.model);
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false, false}));
  MarkFaceRegion(*f4, settings);
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false, true, true}));
}

TEST_F(FaceRegionTest, DrawnFoldsStopTheRegionWhenCullingIsOff) {
  settings.bCullEdge = false;
  MarkFaceRegion(*f2, settings);
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false, false}));
}

TEST(FaceRegion, LongChainDoesNotExhaustTheStack) {
  // 300,000 faces joined one after another by hidden diagonals.
  PatternBuilder b;
  Settings settings;
  constexpr int kFaces = 300000;
  Face* previous = nullptr;
  for (int i = 0; i < kFaces; ++i) {
    Face& f = b.AddFace({{0, 0}, {1, 0}});
    if (previous) {
      HalfEdge* a = previous->ring[1];
      HalfEdge* c = f.ring[0];
      a->devPartner = c;
      c->devPartner = a;
      a->isOutline = c->isOutline = false;
    }
    previous = &f;
  }
  MarkFaceRegion(b.solid->faces.front(), settings);
  int marked = 0;
  for (const Face& f : b.solid->faces) marked += f.marked ? 1 : 0;
  EXPECT_EQ(marked, kFaces);
}

}  // namespace
}  // namespace plicora
