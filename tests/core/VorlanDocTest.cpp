// The document's open path: what becomes current, what is kept on failure,
// and which messages the user sees.

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "WorkFileTestSupport.h"
#include "core/document/BuildOrderStep.h"
#include "core/document/PartListRows.h"
#include "core/document/UpdateHints.h"
#include "core/document/VorlanDoc.h"

namespace plicora {
namespace {

/// A model without development of `faces` triangles.
std::string TriangleSoup(int faces) {
  std::string text =
      "version 2\nsolids 1\nsolid\nSoup\n1\nvertices 3\n0 0 0\n1 0 0\n0 1 0\nfaces " + std::to_string(faces) + "\n";
  for (int i = 0; i < faces; ++i) text += "-1 0 0 1 0 3\n0 0 0 0 0 0 1 0.5\n1 0 0 0 0 0 1 0.5\n2 0 0 0 0 0 1 0.5\n";
  return text + "edges 0\nend\n";
}

struct DocHarness {
  Settings settings;
  CVorlanDoc doc{settings};
  CollectingMessageSink sink;
  ScopedMessageSink scope{sink};
  std::vector<int> hints;
  DocHarness() {
    doc.AddView([this](int hint) { hints.push_back(hint); });
  }
  OpenOutcome Open(const std::string& path, std::function<bool(const std::string&)> fonts = nullptr) {
    sink.messages.clear();
    OpenRequest request;
    request.path = path;
    request.fontAvailable = std::move(fonts);
    return doc.OpenWorkFile(request);
  }
};

TEST(VorlanDocTest, FailedOpensKeepTheModelAndTheSettings) {
  DocHarness h;
  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")).ok());
  Model* cube = h.doc.model();
  EXPECT_EQ(h.doc.title(), "cube.plc");
  EXPECT_TRUE(h.doc.hasDevelopment());
  EXPECT_EQ(h.hints, std::vector<int>{HINT_FILE_OPENED});
  const double scale = h.settings.scaleProduct;

  test::TempDir dir;
  const std::string wrongType = test::WriteFile(dir.File("cube.txt"), test::ReadFile(test::FixturePath("cube.plc")));
  const std::string broken = test::WriteFile(dir.File("broken.plc"), "version");
  // Files without a "version" keyword are no work files: not even an empty
  // model replaces the current one.
  const std::string text = test::WriteFile(dir.File("notes.plc"), "solids are shopping items\nmodel 1 2 3\nend\n");
  const std::string empty = test::WriteFile(dir.File("empty.plc"), "");
  struct Case {
    std::string path;
    OpenStatus status;
    std::string message;  // followed by the path on its own line
  } cases[] = {
      {dir.File("missing.plc"), OpenStatus::CannotOpen, "Cannot open file"},
      {dir.path(), OpenStatus::CannotOpen, "Cannot open file"},
      {wrongType, OpenStatus::WrongType, "Cannot load file of specified type"},
      {broken, OpenStatus::ReadFailed, "Failed to load specified file"},
      {text, OpenStatus::ReadFailed, "Failed to load specified file"},
      {empty, OpenStatus::ReadFailed, "Failed to load specified file"},
  };
  for (const Case& c : cases) {
    const OpenOutcome outcome = h.Open(c.path);
    EXPECT_EQ(outcome.status, c.status) << c.path;
    EXPECT_EQ(h.sink.messages, std::vector<std::string>{c.message + "\n" + c.path}) << c.path;
    EXPECT_EQ(h.doc.model(), cube);
    EXPECT_EQ(h.doc.title(), "cube.plc");
    EXPECT_EQ(h.settings.scaleProduct, scale);
  }
  // The version check shows its own message only; its info block never reaches the settings.
  const OpenOutcome refused = h.Open(test::FixturePath("version3_refused.plc"));
  EXPECT_EQ(refused.status, OpenStatus::Refused);
  EXPECT_EQ(refused.readResult, kReadRefused);
  EXPECT_EQ(h.sink.messages.size(), 1u);
  EXPECT_EQ(h.doc.model(), cube);
  EXPECT_EQ(h.settings.scaleProduct, scale);
  EXPECT_EQ(h.hints.size(), 1u);

  // Capital letters in the extension are still a work file.
  const std::string upper = test::WriteFile(dir.File("CUBE.PLC"), test::ReadFile(test::FixturePath("cube.plc")));
  EXPECT_TRUE(h.Open(upper).ok());
  EXPECT_NE(h.doc.model(), cube);
  EXPECT_EQ(h.doc.title(), "CUBE.PLC");
}

// The cube with line `line` (from 1) starting `from` starting `to` instead.
std::string CubeWith(int line, const std::string& from, const std::string& to) {
  std::string text = test::ReadFile(test::FixturePath("cube.plc"));
  std::size_t at = 0;
  for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
  EXPECT_EQ(text.compare(at, from.size(), from), 0) << "line " << line;
  return text.replace(at, from.size(), to);
}

// Damage can leave numbers no drawing can use (infinite, not a number, or
// absurdly large, on paper a development farther out than 100 m at the
// file's scale of 4.15 cm a unit): such a file is not opened.
TEST(VorlanDocTest, NumbersThatCannotBeDrawnAreNotOpened) {
  DocHarness h;
  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")).ok());
  Model* current = h.doc.model();
  test::TempDir dir;
  struct Case {
    std::string text;
    bool opens;
  } cases[] = {
      {CubeWith(19, "1 3 1", "1 inf 1"), false},  // a corner in the pattern
      {CubeWith(19, "1 3 1", "1 nan 1"), false},
      {CubeWith(19, "1 3 1", "1 1e300 1"), false},
      {CubeWith(19, "1 3 1", "1 2500 1"), false},                        // 104 m of paper
      {CubeWith(19, "1 3 1", "1 2400 1"), true},                         // 99.6 m
      {CubeWith(19, "1 3 1 0 0 0 1 0.5", "1 3 1 0 0 0 1 1e30"), false},  // a flap width
      {CubeWith(9, "-0.5 -0.5 0.5", "nan -0.5 0.5"), false},             // a vertex
      {CubeWith(73, "dMag2d 4.15", "dMag2d inf"), false},                // the scale
  };
  for (const Case& c : cases) {
    const std::string path = test::WriteFile(dir.File("damaged.plc"), c.text);
    const OpenOutcome outcome = h.Open(path);
    EXPECT_EQ(outcome.ok(), c.opens) << "case " << &c - cases;
    if (c.opens) {
      current = h.doc.model();
      continue;
    }
    EXPECT_EQ(outcome.status, OpenStatus::ReadFailed) << &c - cases;
    EXPECT_EQ(h.sink.messages, std::vector<std::string>{"Failed to load specified file\n" + path}) << &c - cases;
    EXPECT_EQ(h.doc.model(), current) << &c - cases;
  }
}

// A long open tells how far it got and can be stopped at any tick: the
// stopped open leaves the document, its settings and its panes as they were
// and says nothing; no tick comes after the stop.
TEST(VorlanDocTest, StoppedOpenLeavesTheDocumentAsItWas) {
  DocHarness h;
  const std::string cow = test::FixturePath("cow_materials.plc");  // enough faces for several read ticks
  std::vector<double> shares;
  OpenRequest request;
  request.path = cow;
  request.progress = [&shares](double done) {
    shares.push_back(done);
    return true;
  };
  ASSERT_TRUE(h.doc.OpenWorkFile(request).ok());
  EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
  EXPECT_GT(std::count_if(shares.begin(), shares.end(), [](double d) { return d < 0.8; }), 1);  // reading
  EXPECT_EQ(shares.back(), 1.0);
  const int ticks = static_cast<int>(shares.size());

  ASSERT_TRUE(h.Open(test::FixturePath("sphere_multipage_a4.plc")).ok());
  const Model* sphere = h.doc.model();
  const Settings before = h.settings;
  const PageLayout pages = h.doc.pages();
  const int joins = h.doc.joinNumbers();
  h.doc.SetModifiedFlag();
  for (int stopAt = 1; stopAt <= ticks; ++stopAt) {
    SCOPED_TRACE(stopAt);
    int calls = 0;
    request.progress = [&calls, stopAt](double) { return ++calls < stopAt; };
    h.hints.clear();
    h.sink.messages.clear();
    const OpenOutcome outcome = h.doc.OpenWorkFile(request);
    EXPECT_EQ(outcome.status, OpenStatus::Stopped);
    EXPECT_EQ(calls, stopAt);
    EXPECT_EQ(h.doc.model(), sphere);
    EXPECT_EQ(h.doc.title(), "sphere_multipage_a4.plc");
    EXPECT_EQ(h.settings.scaleProduct, before.scaleProduct);
    EXPECT_EQ(h.settings.iPageType, before.iPageType);
    EXPECT_EQ(h.doc.pages().columns, pages.columns);
    EXPECT_EQ(h.doc.pages().rows, pages.rows);
    EXPECT_EQ(h.doc.joinNumbers(), joins);
    EXPECT_TRUE(h.doc.IsModified());
    EXPECT_TRUE(h.hints.empty());
    EXPECT_TRUE(h.sink.messages.empty());
  }
}

TEST(VorlanDocTest, ModelWithoutDevelopmentWarnsAndCountsSurfacesAboveOneThousand) {
  DocHarness h;
  test::TempDir dir;
  const std::string noDevelopment = "This file doesn't have developed pattern.";
  for (int faces : {1000, 1001}) {
    const std::string path = test::WriteFile(dir.File("soup.plc"), TriangleSoup(faces));
    ASSERT_TRUE(h.Open(path).ok());
    EXPECT_FALSE(h.doc.hasDevelopment());
    ASSERT_FALSE(h.sink.messages.empty());
    EXPECT_EQ(h.sink.messages[0], noDevelopment + "\n" + path);
    EXPECT_EQ(h.sink.messages.size(), faces > 1000 ? 2u : 1u);
  }
  EXPECT_EQ(h.sink.messages.back(),
            "Too many surfaces (# of surface: 1001).\nIt may take very long time to create development.\n"
            "In the paper craft model, the number of surfaces should be less than 500.");
  // Batch opens answer with their exit status instead.
  OpenRequest quiet;
  quiet.path = dir.File("soup.plc");
  quiet.interactive = false;
  h.sink.messages.clear();
  EXPECT_TRUE(h.doc.OpenWorkFile(quiet).ok());
  EXPECT_TRUE(h.sink.messages.empty());
}

TEST(VorlanDocTest, MissingFontsAreReplacedWithOneMessage) {
  DocHarness h;
  const std::string path = test::FixturePath("crlf_labels_sjis.plc");
  ASSERT_TRUE(h.Open(path, [](const std::string&) { return false; }).ok());
  ASSERT_GE(h.doc.model()->texts.size(), 2u);
  for (const TextLabel& label : h.doc.model()->texts) EXPECT_EQ(label.fontName, kMsGothicFaceName);
  EXPECT_EQ(h.sink.messages, std::vector<std::string>{"Some fonts specified in the file do not exist in the system.\n"
                                                      "These fonts will be replaced with the default font.\n" +
                                                      path});
  ASSERT_TRUE(h.Open(test::FixturePath("labels_arial_ascii.plc"), [](const std::string&) { return true; }).ok());
  EXPECT_TRUE(h.sink.messages.empty());
}

TEST(VorlanDocTest, OpeningResetsModesAndTheModifiedFlag) {
  DocHarness h;
  ASSERT_TRUE(h.Open(test::FixturePath("no_development_marked_edges.plc")).ok());
  h.doc.shell().edgeSpecifyMode = 1;
  h.doc.SetModifiedFlag();
  h.doc.showPageNumbers = true;
  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")).ok());
  EXPECT_EQ(h.doc.shell().edgeSpecifyMode, 0);
  EXPECT_FALSE(h.doc.IsModified());
  EXPECT_FALSE(h.doc.showPageNumbers);
  EXPECT_GT(h.doc.joinNumbers(), 0);
  h.doc.CloseDocument();
  EXPECT_EQ(h.doc.model(), nullptr);
  EXPECT_FALSE(h.doc.hasDevelopment());
}

TEST(VorlanDocTest, JoinHighlightIsDocumentStateThatAnotherFileClears) {
  DocHarness h;
  ASSERT_TRUE(h.Open(test::FixturePath("sphere_multipage_a4.plc")).ok());
  h.hints.clear();
  EXPECT_FALSE(h.doc.HighlightJoin(0));
  EXPECT_FALSE(h.doc.HighlightJoin(h.doc.joinNumbers() + 1));
  EXPECT_FALSE(h.doc.joinHighlight().active());
  EXPECT_TRUE(h.hints.empty());
  EXPECT_EQ(JoinNumberRangeText(999, 265), "Join number 999 does not exist: this file has join numbers 1 to 265.");
  EXPECT_EQ(JoinNumberRangeText(1, 0), "Join number 1 does not exist: this file has no join numbers.");

  ASSERT_TRUE(h.doc.HighlightJoin(1));
  EXPECT_EQ(h.doc.joinHighlight().number, 1);
  EXPECT_EQ(h.doc.joinHighlight().shownEnd, 0);
  EXPECT_EQ(h.hints, std::vector<int>{HINT_JOIN_END_SHOWN});
  h.hints.clear();
  const auto ends = h.doc.HighlightedJoinEnds();
  ASSERT_TRUE(ends);
  // Both ends of number 1 lie on page (0, 1) of the 4 x 3 grid: the fifth page printed.
  EXPECT_EQ(JoinEndsStatusText(1, *ends, *h.doc.model(), h.settings, h.doc.pages()),
            "Join 1: one end on page 5 (column 1, row 2), part 0; the other on page 5 (column 1, row 2), part 0.");
  ASSERT_TRUE(h.doc.HighlightJoin(150));
  EXPECT_EQ(JoinEndsStatusText(150, *h.doc.HighlightedJoinEnds(), *h.doc.model(), h.settings, h.doc.pages()),
            "Join 150: one end on page 9 (column 1, row 3), part 0; the other on page 4 (column 4, row 1), part 0.");
  ASSERT_TRUE(h.doc.HighlightJoin(1));
  EXPECT_EQ(h.doc.joinHighlight().number, 1);

  h.doc.ShowOtherJoinEnd();
  EXPECT_EQ(h.doc.joinHighlight().shownEnd, 1);
  h.doc.ShowOtherJoinEnd();
  EXPECT_EQ(h.doc.joinHighlight().shownEnd, 0);
  h.doc.ClearJoinHighlight();
  EXPECT_FALSE(h.doc.joinHighlight().active());
  EXPECT_FALSE(h.doc.HighlightedJoinEnds());
  h.doc.ShowOtherJoinEnd();  // nothing to move to
  EXPECT_FALSE(h.doc.joinHighlight().active());

  ASSERT_TRUE(h.doc.HighlightJoin(3));
  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")).ok());
  EXPECT_FALSE(h.doc.joinHighlight().active());
}

TEST(VorlanDocTest, SelectedPartIsDocumentStateAndStepsThroughTheBuildOrder) {
  DocHarness h;
  ASSERT_TRUE(h.Open(test::FixturePath("spot_quads_obj.plc")).ok());
  const std::vector<int>& order = h.doc.PartBuildOrder();
  EXPECT_EQ(order, BuildOrder(SummarizeParts(*h.doc.model(), h.settings)));
  ASSERT_EQ(order.size(), 16u);
  h.hints.clear();
  EXPECT_EQ(h.doc.SelectedPart(), -1);
  h.doc.SelectPart(12);
  EXPECT_EQ(h.doc.SelectedPart(), 12);
  for (int unknown : {16, -2, -1}) {
    h.doc.SelectPart(unknown);
    EXPECT_EQ(h.doc.SelectedPart(), -1) << unknown;
  }
  EXPECT_EQ(h.hints, std::vector<int>(4, HINT_PART_SELECTED));

  // Next from nothing starts at the first part, Previous at the last; each
  // end stops; a part missing from the order counts as nothing selected.
  const std::vector<int> small = {3, 0, 4};
  struct Case {
    int selected, step;
    std::optional<std::size_t> reached;
  } cases[] = {{-1, +1, 0},           {-1, -1, 2},           {3, +1, 1}, {0, -1, 0},
               {3, -1, std::nullopt}, {4, +1, std::nullopt}, {7, +1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(StepInBuildOrder(small, c.selected, c.step), c.reached) << c.selected << " " << c.step;
  EXPECT_EQ(StepInBuildOrder({}, -1, +1), std::nullopt);

  // Walking the whole order with Next visits every part once, in order.
  std::vector<int> visited;
  while (const auto position = StepInBuildOrder(order, h.doc.SelectedPart(), +1)) {
    h.doc.SelectPart(order[*position]);
    visited.push_back(h.doc.SelectedPart());
  }
  EXPECT_EQ(visited, order);

  // The status names the joins to the parts before (part 3 comes third,
  // after parts 0 and 10, and is glued to both).
  EXPECT_EQ(BuildStepStatusText(0, 0, 16, {}), "Part 0 (1 of 16 in the build order): start with it.");
  const std::vector<int> joins = JoinsToEarlierParts(*h.doc.model(), order, 2);
  ASSERT_EQ(joins.size(), 7u);
  EXPECT_EQ(BuildStepStatusText(3, 2, 16, {4, 9, 12}),
            "Part 3 (3 of 16 in the build order): glue joins 4, 9 and 12 to the parts before it.");
  EXPECT_NE(BuildStepStatusText(5, 4, 6, {}).find("start a new group"), std::string::npos);

  // The part list: pages by print number, neighbours with shared joins.
  PageLayout printed = h.doc.pages();
  BuildPageList(h.doc.model(), h.settings, printed);
  const std::vector<PartListRow> rows = PartListRows(h.doc.PartSummaries(), printed);
  ASSERT_EQ(rows.size(), 16u);
  EXPECT_EQ(rows[1].faces, 1);
  EXPECT_EQ(rows[1].pages, "2");
  printed.pages.resize(1);  // a page the print leaves out goes by column and row
  EXPECT_EQ(PartListRows(h.doc.PartSummaries(), printed)[1].pages, "c1 r2");
  EXPECT_EQ(rows[1].gluedTo, "0 (4)");
  EXPECT_EQ(rows[15].gluedTo, "3 (1), 12 (2), 14 (1)");

  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")).ok());
  EXPECT_EQ(h.doc.SelectedPart(), -1);
  EXPECT_EQ(h.doc.PartBuildOrder(), std::vector<int>{0});
}

}  // namespace
}  // namespace plicora
