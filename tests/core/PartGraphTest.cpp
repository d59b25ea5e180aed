// Build mode's facts about a development: where the two ends of a join
// number lie, which parts are glued to which, and the order to build them in.

#include <gtest/gtest.h>

#include <vector>

#include "PatternBuilder.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/development/JoinEnds.h"
#include "core/development/PartGraph.h"

namespace plicora {
namespace {

using test::PatternBuilder;

PartSummary Part(int index, int faces, std::vector<std::pair<int, int>> neighbours) {
  PartSummary p;
  p.index = index;
  p.faces = faces;
  p.neighbours = std::move(neighbours);
  return p;
}

TEST(BuildOrder, MostFacesFirstThenMostSharedJoinsWithTiesBroken) {
  const struct {
    const char* what;
    std::vector<PartSummary> parts;
    std::vector<int> order;
  } cases[] = {
      {"no parts", {}, {}},
      {"largest first, ties to the lower index", {Part(0, 3, {}), Part(1, 5, {}), Part(2, 5, {})}, {1, 2, 0}},
      {"most shared with the placed parts beats more faces",
       {Part(0, 9, {{1, 1}, {2, 3}}), Part(1, 8, {{0, 1}}), Part(2, 2, {{0, 3}})},
       {0, 2, 1}},
      {"shared counts add up over the placed parts",
       {Part(0, 9, {{1, 2}, {3, 1}}), Part(1, 1, {{0, 2}, {3, 2}}), Part(2, 5, {{0, 0}}), Part(3, 4, {{0, 1}, {1, 2}})},
       {0, 1, 3, 2}},
      {"equal shares: more faces, then the lower index",
       {Part(0, 9, {{1, 1}, {2, 1}, {3, 1}}), Part(1, 2, {{0, 1}}), Part(2, 4, {{0, 1}}), Part(3, 4, {{0, 1}})},
       {0, 2, 3, 1}},
      {"an unconnected group starts again with its largest part",
       {Part(0, 4, {{1, 1}}), Part(1, 1, {{0, 1}}), Part(2, 2, {{3, 1}}), Part(3, 3, {{2, 1}})},
       {0, 1, 3, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildOrder(c.parts), c.order) << c.what;
}

// Two parts on a 2 x 1 grid of 1 cm per unit: a square in part 0 on page
// (0, 0) and a square in part 1 on page (1, 0), glued along one cut edge
// (join number 1), the other part-0 side folded to a third face.
TEST(JoinEnds, BothSidesOfANumberWithTheirPartsPlacesAndPages) {
  PatternBuilder b;
  Settings settings;  // A4: printable 18 x 26.7 cm
  Face& a = b.AddFace({{1, 1}, {5, 1}, {5, 5}, {1, 5}});
  Face& folded = b.AddFace({{5, 1}, {9, 1}, {9, 5}, {5, 5}});
  b.AddPart(20, 30);
  Face& far = b.AddFace({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  b.Join(a.ring[1], folded.ring[3], true);
  b.Join(folded.ring[1], far.ring[3], false);
  b.CloseOpenSides();
  ASSERT_EQ(AssignJoinNumbers(b.model), 1);

  const auto ends = FindJoinEnds(b.model, settings, 1);
  ASSERT_TRUE(ends);
  EXPECT_EQ((*ends)[0].side, folded.ring[1]);  // the side met first when numbering
  EXPECT_EQ((*ends)[1].side, far.ring[3]);
  EXPECT_EQ((*ends)[0].part, 0);
  EXPECT_EQ((*ends)[1].part, 1);
  EXPECT_DOUBLE_EQ((*ends)[0].midCm.x, 9.0);
  EXPECT_DOUBLE_EQ((*ends)[0].midCm.y, 3.0);
  EXPECT_DOUBLE_EQ((*ends)[1].midCm.x, 20.0);
  EXPECT_DOUBLE_EQ((*ends)[1].midCm.y, 32.0);
  EXPECT_EQ((*ends)[0].page.column, 0);
  EXPECT_EQ((*ends)[1].page.column, 1);
  EXPECT_EQ((*ends)[1].page.row, 1);
  for (int missing : {0, 2, -1}) EXPECT_FALSE(FindJoinEnds(b.model, settings, missing)) << missing;

  const std::vector<PartSummary> parts = SummarizeParts(b.model, settings);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].faces, 2);
  EXPECT_EQ(parts[0].neighbours, (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(parts[1].neighbours, (std::vector<std::pair<int, int>>{{0, 1}}));
  EXPECT_EQ(parts[1].joinNumbers, std::vector<int>{1});
  ASSERT_EQ(parts[1].pages.size(), 1u);
  EXPECT_EQ(parts[1].pages[0].column, 1);
  EXPECT_EQ(parts[1].pages[0].row, 1);
  EXPECT_EQ(JoinsToEarlierParts(b.model, BuildOrder(parts), 1), std::vector<int>{1});
  EXPECT_TRUE(JoinsToEarlierParts(b.model, BuildOrder(parts), 0).empty());
}

TEST(JoinEnds, APartListsEveryPageItsSidesCross) {
  // One long thin triangle from page (0, 0) across page (1, 0) into (2, 0).
  PatternBuilder b;
  b.AddFace({{1, 1}, {40, 1}, {1, 2}});
  b.CloseOpenSides();
  const std::vector<PartSummary> parts = SummarizeParts(b.model, Settings{});
  ASSERT_EQ(parts[0].pages.size(), 3u);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(parts[0].pages[c].column, c);
}

}  // namespace
}  // namespace plicora
