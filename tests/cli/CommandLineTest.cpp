// Every option takes effect with the command it is given to, or the run is
// refused with status 2: no option is silently ignored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "ViewerProcess.h"
#include "cli/CommandLine.h"

namespace plicora {
namespace {

TEST(CommandLineTest, OptionsTheCommandWouldNotUseAreRefused) {
  const std::string size = "--size applies only to --export to BMP or PNG and to --render-3d";
  const std::string set =
      "--set applies only to --info, --pages, --parts, --find-join, --export, --render-3d and --thumbnail";
  const std::string profile =
      "--profile applies only to the window, --info, --pages, --parts, --find-join, --export, --render-3d and "
      "--thumbnail";
  const struct {
    std::vector<std::string> args;
    std::string error;  // empty: accepted
  } cases[] = {
      {{"--info", "a.plc", "--size", "10x10"}, size},
      {{"--info", "a.plc", "--rotate", "x:90"}, "--rotate applies only to --render-3d"},
      {{"--pages", "a.plc", "--zoom", "2"}, "--zoom applies only to --render-3d"},
      {{"--export", "a.eps", "a.plc", "--size", "10x10"}, size},
      {{"--export", "a.pdf", "a.plc", "--size", "10x10"}, size},
      {{"--thumbnail", "64", "a.plc", "a.png", "--size", "10x10"}, size},
      {{"--export", "a.svg", "a.plc", "--no-fill-faces"}, "--no-fill-faces applies only to --export to EPS"},
      {{"--export", "a.png", "a.plc", "--no-fill-flaps"}, "--no-fill-flaps applies only to --export to EPS"},
      {{"--render-3d", "a.png", "a.plc", "--limit", "64"}, "--limit applies only to --decode-image"},
      {{"--decode-image", "a.bmp", "a.png", "--set", "bLimitTextureSize=1"}, set},
      {{"--decode-image", "a.bmp", "a.png", "--profile", "p.ini"}, profile},
      {{"a.plc", "--set", "bDrawNumber=1"}, set},
      {{"--data-paths", "--profile", "p.ini"}, profile},
      {{"--export", "a.BMP", "a.plc", "--size", "10x10", "--set", "bDrawNumber=1", "--no-profile"}, ""},
      {{"--export", "a.eps", "a.plc", "--no-fill-faces", "--no-fill-flaps"}, ""},
      {{"--export", "a.xyz", "a.plc", "--size", "10x10"}, ""},  // the export itself refuses the format
      {{"--render-3d", "a.png", "a.plc", "--size", "9x9", "--rotate", "y:9", "--zoom", "3", "--profile", "p"}, ""},
      {{"--decode-image", "a.bmp", "a.png", "--limit", "64"}, ""},
      {{"--thumbnail", "64", "a.plc", "a.png", "--profile", "p.ini"}, ""},
      {{"a.plc", "--profile", "p.ini"}, ""},
      {{"--help", "--size", "1x1"}, ""},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(ParseCommandLine(c.args).error, c.error) << line;
  }

  // The executable says so and stops before reading anything.
  const test::ViewerRun run = test::RunViewer("--info /nonexistent.plc --rotate y:90");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --rotate applies only to --render-3d\nTry 'plicora-viewer --help'.\n");
  EXPECT_EQ(run.out, "");
}

TEST(CommandLineTest, WrongArgumentsAreNamed) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--info", "a.plc", "--pages"},
       "only one of --info, --pages, --parts, --find-join, --export, --decode-image, --render-3d, --thumbnail may be "
       "given (--pages)"},
      {{"a.plc", "--export"}, "option --export needs a value"},
      {{"--decode-image", "a.bmp"}, "option --decode-image needs a value"},
      {{"--cutter", "a.plc"}, "--cutter needs --export"},
      {{"--pages-out", "d", "a.plc"}, "--pages-out needs --export"},
      {{"--bogus", "a.plc"}, "unknown option --bogus"},
      {{"--info"}, "a work file is needed"},
      {{"--info", "a.plc", "b.plc"}, "only one work file may be given"},
      {{"--thumbnail", "0", "a.plc", "b.png"}, "--thumbnail expects a size from 1 to 4096, got \"0\""},
      {{"--export", "a.png", "--size", "12", "a.plc"}, "--size expects WxH, got \"12\""},
      {{"--set", "=1", "--info", "a.plc"}, "--set expects KEY=VALUE, got \"=1\""},
      {{"--decode-image", "a.bmp", "b.png", "c"}, "unexpected argument c"},
      {{"--find-join", "x", "a.plc"}, "--find-join expects a number, got \"x\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.args).error, c.error) << c.args.front();
  const CommandLineOptions o =
      ParseCommandLine({"--render-3d", "o.png", "\"a b.plc\"", "--rotate", "X:90", "--rotate", "y:-5"}).options;
  EXPECT_EQ(o.inputPath, "a b.plc");
  ASSERT_EQ(o.rotations.size(), 2u);
  EXPECT_EQ(o.rotations[0].axis, 'x');
  EXPECT_EQ(o.rotations[1].degrees, -5.0);
}

}  // namespace
}  // namespace plicora
