// The cut-file options: the formats they fit, the sheets registration marks
// refuse (margins too narrow, a cut too near a mark, cuts wider than a
// frame-reading machine cuts), and a cut file that cannot be written.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace plicora {
namespace {

struct ViewerRun {
  int status = -1;
  std::string err;
};

ViewerRun RunViewer(const test::TempDir& dir, const std::string& args) {
  const std::string errPath = dir.File("stderr.txt");
  const std::string command = std::string(PLICORA_VIEWER_EXE) + " --no-profile " + args + " >/dev/null 2>" + errPath;
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadFile(errPath)};
}

TEST(CutFilesCli, OptionsOutsideTheirFormatsAndNarrowMarginsAreRefused) {
  struct Case {
    const char* args;  // before the work file; OUT and DIR are in the temporary folder
    const char* fixture;
    int status;
    const char* message;  // the start of what is written to stderr
  };
  const char* const pagesOut =
      "--pages-out writes PDF or DXF sheets, or with --cutter cut SVG sheets: OUT must end in "
      ".pdf, .dxf or .svg\n";
  const char* const frameWide =
      "--export OUT.pdf --pages-out DIR --marks frame --set iFrameCutWidthMicrons=300000 "
      "--set iFrameCutHeightMicrons=300000 --set dPageMarginSide=1.1";
  const Case cases[] = {
      {"--export OUT.pdf --cutter", "cube", 2,
       "--cutter applies to an SVG export (a DXF export is always a cut file)\n"},
      {"--export OUT.eps --pages-out DIR", "cube", 2, pagesOut},
      {"--export OUT.svg --pages-out DIR", "cube", 2, pagesOut},
      {"--info --cutter", "cube", 2, nullptr},
      {"--export OUT.png --cut-tolerance 0.2", "cube", 2, nullptr},
      {"--export OUT.dxf --cut-tolerance -1", "cube", 2, nullptr},
      {"--export OUT.pdf --marks frame", "cube", 2, "--marks applies to --pages-out\n"},
      {"--export OUT.pdf --pages-out DIR --marks crop", "cube", 2,
       "plicora-viewer: --marks expects corners, frame or none, got \"crop\"\n"},
      {"--export OUT.pdf --pages-out DIR --set dPageMarginTop=1.2", "cube", 1,
       "The page margins are too narrow for the corners registration marks: at least 15 mm are needed on every "
       "side.\n"},
      {"--export OUT.dxf --pages-out DIR --marks frame --set iRegistrationInsetMicrons=15000", "cube", 1,
       "The page margins are too narrow for the frame registration marks: at least 15.5 mm are needed on every "
       "side.\n"},
      // A machine reading a frame cuts at most 235 x 171 mm, either way round.
      {"--export OUT.pdf --pages-out DIR --marks frame", "sphere_multipage_a4", 1,
       "Sheet 2: its cut area of 180 x 261.7 mm does not fit the print-then-cut limit of 235 x 171 mm of a "
       "frame-reading machine.\nSheet 3: its cut area of 180 x 235.8 mm"},
      {"--export OUT.svg --cutter --pages-out DIR --marks frame --set iFrameCutWidthMicrons=50000", "cube", 1,
       "Sheet 1: its cut area of 171 x 129.5 mm does not fit the print-then-cut limit of 50 x 171 mm of a "
       "frame-reading machine.\n"},
      // Parts cut off at the sheet's border end half a millimetre inside the
      // frame.
      {frameWide, "sphere_multipage_a4", 1,
       "Sheet 1: the cut of part 1 comes 0.50 mm from a registration mark, nearer than 1 mm; widen the page margins "
       "or move the part.\nSheet 2: "},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    std::string args = c.args;
    for (const char* name : {"OUT", "DIR"}) {
      const std::size_t at = args.find(name);
      if (at != std::string::npos) args.replace(at, 3, dir.File(name));
    }
    const ViewerRun run = RunViewer(dir, args + " " + test::FixturePath(std::string(c.fixture) + ".plc"));
    EXPECT_EQ(run.status, c.status) << c.args;
    if (c.message) {
      EXPECT_EQ(run.err.substr(0, std::strlen(c.message)), c.message) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("DIR"))) << c.args;
    EXPECT_FALSE(std::filesystem::exists(dir.File("OUT.pdf"))) << c.args;
  }

  test::TempDir dir;
  const std::string target = dir.File("no/such/folder/cube.dxf");
  const ViewerRun run = RunViewer(dir, "--export " + target + " " + test::FixturePath("cube.plc"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot write to file\n" + target + ": No such file or directory\n");
}

// The cut tolerance reaches the DXF: without it the slivers between the
// flaps are cut as contours of their own.
TEST(CutFilesCli, CutToleranceClosesSliversIntoTheOutline) {
  test::TempDir dir;
  auto polylines = [&](const std::string& tolerance) {
    const std::string out = dir.File("sphere" + tolerance + ".dxf");
    EXPECT_EQ(RunViewer(dir, "--export " + out + " --cut-tolerance " + tolerance + " " +
                                 test::FixturePath("sphere_wide_flaps.plc"))
                  .status,
              0);
    const std::string text = test::ReadFile(out);
    std::size_t count = 0;
    for (std::size_t at = text.find("LWPOLYLINE"); at != std::string::npos; at = text.find("LWPOLYLINE", at + 1))
      ++count;
    return count;
  };
  const std::size_t exact = polylines("0"), cleaned = polylines("0.1");
  EXPECT_GT(cleaned, 0u);
  EXPECT_LT(cleaned + 10, exact);
}

}  // namespace
}  // namespace plicora
