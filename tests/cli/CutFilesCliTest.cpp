// The cut-file options: the formats they fit, the margins registration
// marks need, and a cut file that cannot be written.

#include <gtest/gtest.h>
#include <sys/wait.h>

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
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"--export OUT.pdf --cutter", 2, "--cutter applies to an SVG export (a DXF export is always a cut file)\n"},
      {"--export OUT.eps --pages-out DIR", 2,
       "--pages-out writes PDF sheets, or with --cutter cut SVG sheets: OUT must end in .pdf or .svg\n"},
      {"--export OUT.svg --pages-out DIR", 2,
       "--pages-out writes PDF sheets, or with --cutter cut SVG sheets: OUT must end in .pdf or .svg\n"},
      {"--info --cutter", 2, nullptr},
      {"--export OUT.png --cut-tolerance 0.2", 2, nullptr},
      {"--export OUT.dxf --cut-tolerance -1", 2, nullptr},
      {"--export OUT.pdf --pages-out DIR --set dPageMarginTop=0.5", 1,
       "The page margins are too narrow for registration marks: at least 8 mm are needed on every side.\n"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    std::string args = c.args;
    for (const char* name : {"OUT", "DIR"}) {
      const std::size_t at = args.find(name);
      if (at != std::string::npos) args.replace(at, 3, dir.File(name));
    }
    const ViewerRun run = RunViewer(dir, args + " " + test::FixturePath("cube.plc"));
    EXPECT_EQ(run.status, c.status) << c.args;
    if (c.message) {
      EXPECT_EQ(run.err, c.message) << c.args;
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
