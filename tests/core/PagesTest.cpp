#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "PatternBuilder.h"
#include "core/development/Pages.h"

namespace plicora {
namespace {

using test::PatternBuilder;

std::vector<std::pair<int, int>> Pairs(const PageLayout& layout) {
  std::vector<std::pair<int, int>> pairs;
  for (const PageRef& p : layout.pages) pairs.emplace_back(p.column, p.row);
  return pairs;
}

TEST(Paper, PrintableAndTotalSheetSizes) {
  Settings settings;  // A4 portrait, margins 1.5 cm
  EXPECT_DOUBLE_EQ(PrintableWidth(settings), 18.0);
  EXPECT_DOUBLE_EQ(PrintableHeight(settings), 26.7);
  PageLayout layout;
  layout.columns = 3;
  layout.rows = 2;
  EXPECT_DOUBLE_EQ(TotalSheetWidth(settings, layout), 57.0);
  EXPECT_DOUBLE_EQ(TotalSheetHeight(settings, layout), 56.4);
  settings.dPageMarginSide = 1.0;
  settings.paperWidth = 35.3;
  EXPECT_DOUBLE_EQ(PrintableWidth(settings), 33.3);
}

// A 3 x 2 grid on A4 portrait (printable 18 x 26.7 cm, scale 1 cm per unit):
// one triangle whose long side runs from page (0, 0) to page (2, 0) across
// page (1, 0), and a small triangle inside page (1, 1).
class PageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Face& wide = b.AddFace({{1, 1}, {40, 1}, {1, 2}});
    wide.ring[1]->hasFlap = true;
    b.AddFace({{20, 30}, {21, 30}, {20, 31}});
    b.CloseOpenSides();
    layout.columns = 3;
    layout.rows = 2;
  }
  PatternBuilder b;
  Settings settings;
  PageLayout layout;
};

TEST_F(PageListTest, AllPagesRowByRowWhenEmptyPagesArePrinted) {
  settings.bPrintOmitPage = false;
  BuildPageList(&b.model, settings, layout);
  EXPECT_EQ(Pairs(layout), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}));
}

TEST_F(PageListTest, OmitsEmptyPagesButKeepsPagesCrossedBySides) {
  BuildPageList(&b.model, settings, layout);
  EXPECT_EQ(Pairs(layout), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {1, 1}}));
  EXPECT_FALSE(PageHasDevelopment(b.model, settings, 0, 1));
  EXPECT_TRUE(PageHasDevelopment(b.model, settings, 1, 0));

  // Moving the part right by one page moves the occupied pages with it.
  b.part->offsetX = 18.0;
  BuildPageList(&b.model, settings, layout);
  EXPECT_EQ(Pairs(layout), (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {2, 1}}));
}

// A page that holds only (part of) a text label's box is printed with it.
TEST_F(PageListTest, PagesHoldingOnlyALabelAreKept) {
  b.model.devScale = 1.0;
  TextLabel& label = b.model.texts.emplace_back();
  label.text = "Cube pattern";
  label.width = 4.0;   // cm on paper
  label.height = 1.0;  // box from 1 cm above the baseline to 0.5 cm below
  struct Case {
    double x, y;
    std::vector<std::pair<int, int>> pages;
  };
  const std::vector<std::pair<int, int>> withoutLabel = {{0, 0}, {1, 0}, {2, 0}, {1, 1}};
  const Case cases[] = {
      {2.0, 40.0, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}}},   // inside page (0, 1)
      {40.0, 40.0, {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 1}}},  // inside page (2, 1)
      {2.0, 26.9, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}}},   // its box (25.9 .. 27.4) crosses into row 1
      {32.0, 40.0, withoutLabel},                              // its box ends where page (2, 1) begins
  };
  for (const Case& c : cases) {
    label.x = c.x;
    label.y = c.y;
    BuildPageList(&b.model, settings, layout);
    EXPECT_EQ(Pairs(layout), c.pages) << c.x << " " << c.y;
  }
}

TEST_F(PageListTest, LookUpFallsBackToPageOne) {
  BuildPageList(&b.model, settings, layout);
  EXPECT_EQ(LookUpPage(layout, 2).column, 1);
  EXPECT_EQ(LookUpPage(layout, 4).row, 1);
  for (int outOfRange : {0, -3, 5, 1000}) {
    const PageRef p = LookUpPage(layout, outOfRange);
    EXPECT_EQ(p.column, 0);
    EXPECT_EQ(p.row, 0);
  }
  layout.pages.clear();
  EXPECT_EQ(LookUpPage(layout, 1).column, 0);
}

TEST(PageList, SideEndingOnABorderAlsoHoldsTheNeighbourPage) {
  // Page (1, 0) starts at x = 18 cm. A corner exactly on that border is not
  // inside the page, but the sides ending there meet its left side, so the
  // page counts; a corner a hair short of the border leaves it empty (the
  // sides lie wholly left of the page's side, so they cannot meet it).
  Settings settings;
  for (const auto& [cornerX, pages] : {std::pair{18.0, std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}},
                                       std::pair{18.0 - 1e-9, std::vector<std::pair<int, int>>{{0, 0}}}}) {
    PatternBuilder b;
    b.AddFace({{10, 5}, {cornerX, 5}, {10, 10}});
    b.CloseOpenSides();
    PageLayout layout;
    layout.columns = 2;
    BuildPageList(&b.model, settings, layout);
    EXPECT_EQ(Pairs(layout), pages) << cornerX;
  }
}

TEST(PageList, WithoutDocumentHoldsOnePage) {
  Settings settings;
  PageLayout layout;
  layout.pages.clear();
  UpdatePageGrid(nullptr, settings, layout);
  BuildPageList(nullptr, settings, layout);
  EXPECT_EQ(layout.columns, 1);
  EXPECT_EQ(layout.rows, 1);
  EXPECT_EQ(Pairs(layout), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(PageTexts, CaptionCountsFromOneAndVerificationIsPadded) {
  EXPECT_EQ(PageCaptionText(2, PageRef{1, 0}), "-  page 2 [row 1, column 2]  -");
  EXPECT_EQ(PageCaptionText(25, PageRef{4, 4}), "-  page 25 [row 5, column 5]  -");
  EXPECT_EQ(PageVerificationText(12), " p12 ");
}

}  // namespace
}  // namespace plicora
