#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "ViewerProcess.h"

namespace plicora {
namespace {

using test::ViewerRun;

/// Runs the viewer with `args` (already quoted for the shell) without any profile.
ViewerRun Viewer(const test::TempDir& dir, const std::string& args) {
  return test::RunViewer(dir, "--no-profile " + args);
}

std::string Field(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return "<missing>";
  const std::size_t start = at + key.size() + 4;
  std::size_t end = start;
  int depth = 0;
  for (; end < json.size(); ++end) {
    const char c = json[end];
    if (c == '[') ++depth;
    if (c == ']') --depth;
    if (depth == 0 && (c == ',' || c == '}')) break;
  }
  return json.substr(start, end - start);
}

TEST(PagesCommand, GridsOfTheSampleFiles) {
  test::TempDir dir;
  const struct {
    const char* file;
    const char* columns;
    const char* rows;
  } cases[] = {{"sphere_multipage_a4.plc", "4", "3"},
               {"solids_paged_layout_a4.plc", "2", "3"},
               {"labels_arial_ascii.plc", "1", "2"},
               {"cube.plc", "1", "1"}};
  for (const auto& c : cases) {
    const ViewerRun run = Viewer(dir, "--pages " + test::FixturePath(c.file));
    ASSERT_EQ(run.status, 0) << c.file << ": " << run.err;
    EXPECT_EQ(Field(run.out, "columns"), c.columns) << c.file;
    EXPECT_EQ(Field(run.out, "rows"), c.rows) << c.file;
    EXPECT_EQ(run.out.back(), '\n');
  }
}

TEST(PagesCommand, CubeJoinNumbersAndBounds) {
  test::TempDir dir;
  // A cube unfolded as one part: 5 of its 12 edges stay folded, 7 are cut.
  ViewerRun run = Viewer(dir, "--pages " + test::FixturePath("cube.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Field(run.out, "joinNumbers"), "7");
  EXPECT_EQ(Field(run.out, "pages"), "[[0, 0]]");
  const std::string bounds = Field(run.out, "bounds");
  EXPECT_EQ(bounds.front(), '[');
  EXPECT_EQ(bounds.find("null"), std::string::npos);

  run = Viewer(dir, "--pages " + test::FixturePath("tetrahedron.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Field(run.out, "joinNumbers"), "3");
}

TEST(PagesCommand, WholeLineOfTheCube) {
  // One part at (0.168674699, 0.168674699), 4 by 3 units at 4.15 cm per unit:
  // 17.3 by 13.2 cm fits one A4 page; 7 cut edges join two faces.
  test::TempDir dir;
  const ViewerRun run = Viewer(dir, "--pages " + test::FixturePath("cube.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\"columns\": 1, \"rows\": 1, \"pages\": [[0, 0]], \"bounds\": [0.16867469900000001, "
            "0.16867469900000001, 4, 3], \"joinNumbers\": 7}\n");
}

TEST(PagesCommand, RowNeededOnlyByALabelIsPrinted) {
  // The part ends 26.0 cm down, inside the first row (26.7 cm); the lower
  // label's baseline lies 29.5 cm down and opens a second row that holds no
  // face but the label, so it is printed also when empty pages are left out.
  test::TempDir dir;
  const std::string file = test::FixturePath("labels_arial_ascii.plc");
  ViewerRun run = Viewer(dir, "--pages " + file);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Field(run.out, "rows"), "2");
  EXPECT_EQ(Field(run.out, "pages"), "[[0, 0], [0, 1]]");
  run = Viewer(dir, "--set bPrintOmitPage=0 --pages " + file);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Field(run.out, "pages"), "[[0, 0], [0, 1]]");
}

TEST(PagesCommand, EmptyPagesAreLeftOutInPrintOrder) {
  test::TempDir dir;
  const ViewerRun run = Viewer(dir, "--pages " + test::FixturePath("sphere_multipage_a4.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string pages = Field(run.out, "pages");
  // Row by row from the top, left to right; fewer than all 12 pages.
  int count = 0, lastIndex = -1;
  for (std::size_t at = pages.find('[', 1); at != std::string::npos; at = pages.find('[', at + 1)) {
    int column = -1, row = -1;
    ASSERT_EQ(std::sscanf(pages.c_str() + at, "[%d, %d]", &column, &row), 2);
    EXPECT_GT(row * 4 + column, lastIndex);
    lastIndex = row * 4 + column;
    ++count;
  }
  EXPECT_GT(count, 0);
  EXPECT_LT(count, 12);
}

TEST(DevelopmentCommands, FileWithoutDevelopmentExitsWithFour) {
  test::TempDir dir;
  const std::string file = test::FixturePath("no_development_marked_edges.plc");
  for (const std::string& args : {"--pages " + file, "--export " + dir.File("out.eps") + " " + file}) {
    const ViewerRun run = Viewer(dir, args);
    EXPECT_EQ(run.status, 4) << args;
    EXPECT_EQ(run.err, "This file doesn't have developed pattern.\n") << args;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.eps")));
}

// A development whose only part has no faces (and no label) has nothing to
// print: every export refuses it as a file without a development, and
// writes nothing.
TEST(DevelopmentCommands, EmptyDevelopmentIsRefusedByEveryExport) {
  test::TempDir dir, outputs;
  const std::string file = test::FixturePath("parts_before_solids.plc");
  const std::string out = outputs.File("out");
  for (const std::string& args :
       {"--export " + out + ".eps", "--export " + out + ".bmp", "--export " + out + ".png", "--export " + out + ".emf",
        "--export " + out + ".svg", "--export " + out + ".pdf", "--export " + out + ".dxf",
        "--export " + out + ".svg --cutter", "--export " + out + ".pdf --pages-out " + out}) {
    const ViewerRun run = Viewer(dir, args + " " + file);
    EXPECT_EQ(run.status, 4) << args;
    EXPECT_EQ(run.err, "This file doesn't have developed pattern.\n") << args;
  }
  EXPECT_TRUE(std::filesystem::is_empty(outputs.path())) << "a file was written";
}

TEST(ExportCommand, WritesEpsForAnyCaseOfTheExtension) {
  test::TempDir dir;
  const std::string out = dir.File("cube.EPS");
  ViewerRun run = Viewer(dir, "--export " + out + " " + test::FixturePath("cube.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string eps = test::ReadFile(out);
  EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:", 0), 0u);
  EXPECT_NE(eps.find("\nfill"), std::string::npos);
  EXPECT_NE(eps.back(), '\n');  // nothing after the last element

  run = Viewer(dir, "--export " + out + " --no-fill-faces --no-fill-flaps " + test::FixturePath("cube.plc"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string strokes = test::ReadFile(out);
  EXPECT_EQ(strokes.find("fill"), std::string::npos);
  EXPECT_NE(strokes.find("stroke"), std::string::npos);
  EXPECT_LT(strokes.size(), eps.size());
}

TEST(ExportCommand, RefusesUnknownFormatsAndUnwritablePaths) {
  test::TempDir dir;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = Viewer(dir, "--export " + dir.File("cube.xyz") + " " + cube);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Specified file format is not supported\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("cube.xyz")));

  run = Viewer(dir, "--export " + dir.File("no/such/folder/cube.eps") + " " + cube);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot write to file\n" + dir.File("no/such/folder/cube.eps") + ": No such file or directory\n");
}

TEST(BuildCommands, PartsAndJoinEndsOfTheSampleFiles) {
  test::TempDir dir;
  const std::string torus = test::FixturePath("torus_concave_numbers.plc");
  const ViewerRun parts = Viewer(dir, "--parts " + torus);
  ASSERT_EQ(parts.status, 0) << parts.err;
  EXPECT_EQ(parts.out.rfind("{\"parts\": [{\"index\": 0, \"faces\": 124, \"pages\": [[0, 0]], \"neighbours\": "
                            "[[1, 4], [2, 4], [3, 4], [4, 4]]}",
                            0),
            0u)
      << parts.out;
  EXPECT_EQ(Field(parts.out, "buildOrder"), "[0, 1, 2, 3, 4]");

  const std::string sphere = test::FixturePath("sphere_multipage_a4.plc");
  const ViewerRun join = Viewer(dir, "--find-join 3 " + sphere);
  ASSERT_EQ(join.status, 0) << join.err;
  EXPECT_EQ(join.out.rfind("{\"joinNumber\": 3, \"ends\": [{\"part\": 0, \"x\": 36.65066348519", 0), 0u) << join.out;
  EXPECT_NE(join.out.find("\"page\": [2, 0]}]}"), std::string::npos) << join.out;

  const ViewerRun missing = Viewer(dir, "--find-join 999 " + test::FixturePath("cube.plc"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "Join number 999 does not exist: this file has join numbers 1 to 7.\n");
  const ViewerRun flat = Viewer(dir, "--parts " + test::FixturePath("no_development_marked_edges.plc"));
  EXPECT_EQ(flat.status, 4);
}

}  // namespace
}  // namespace plicora
