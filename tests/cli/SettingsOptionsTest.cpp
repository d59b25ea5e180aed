// Batch runs and settings: --set, --profile, --no-profile, the user's
// profile read but never written.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "TestSupport.h"
#include "ViewerProcess.h"
#include "cli/BatchSettings.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {
namespace {

using test::RunViewer;
using test::ViewerRun;

/// The user's profile in the temporary home.
std::string UserProfile(const test::TempDir& home) {
  return home.File("config/plicora-viewer/plicora-viewer.ini");
}

std::string WriteUserProfile(const test::TempDir& home, const std::string& text) {
  std::filesystem::create_directories(home.File("config/plicora-viewer"));
  return test::WriteFile(UserProfile(home), text);
}

/// A number of the --info JSON.
double InfoNumber(const std::string& json, const std::string& key) {
  std::smatch m;
  if (!std::regex_search(json, m, std::regex("\"" + key + "\": ([-0-9.e+]+)"))) return -12345.0;
  return std::stod(m[1].str());
}

TEST(SettingsOptionsTest, OverridesAreAppliedInOrderAfterTheFile) {
  test::TempDir home;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = RunViewer(home, "--info " + cube + " --set bDrawNumber=1 --set dMag2d=12.5");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(InfoNumber(run.out, "devScale"), 12.5);  // the file's own dMag2d is overridden

  run = RunViewer(home, "--info " + cube + " --set dMag2d=3 --set DMAG2D=0x10");
  ASSERT_EQ(run.status, 2) << run.err;  // a real number is written in decimal
  run = RunViewer(home, "--info " + cube + " --set dMag2d=3 --set dmag2d=7");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(InfoNumber(run.out, "devScale"), 7.0);
}

TEST(SettingsOptionsTest, BadOverridesExitWithStatusTwoAndSayWhy) {
  test::TempDir home;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = RunViewer(home, "--info " + cube + " --set nope=1");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --set nope=1: unknown setting \"nope\"\n");
  EXPECT_EQ(run.out, "");

  run = RunViewer(home, "--info " + cube + " --set iPageType=abc");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --set iPageType=abc: iPageType expects an integer, got \"abc\"\n");

  run = RunViewer(home, "--info " + cube + " --set iPageType=8");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --set iPageType=8: iPageType must lie between 0 and 7\n");

  // Checked before the file is opened.
  run = RunViewer(home, "--info " + home.File("missing.plc") + " --set dMag3d=big");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --set dMag3d=big: dMag3d expects a number, got \"big\"\n");
}

TEST(SettingsOptionsTest, ProfileOptionsAreCheckedAndTheProfileIsNeverWritten) {
  test::TempDir home;
  const std::string cube = test::FixturePath("cube.plc");
  ViewerRun run = RunViewer(home, "--info " + cube + " --profile " + home.File("absent.ini"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: cannot read the profile " + home.File("absent.ini") + "\n");

  const std::string own = test::WriteFile(home.File("own.ini"), "[Settings]\nbFirstStartUp=1\n");
  run = RunViewer(home, "--info " + cube + " --profile " + own + " --no-profile");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "plicora-viewer: --profile and --no-profile cannot be given together\n");

  // Neither the default profile nor its folder appears, and a given one stays as it was.
  run = RunViewer(home, "--info " + cube);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(home.File("config")));
  run = RunViewer(home, "--info " + cube + " --profile " + own);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::ReadFile(own), "[Settings]\nbFirstStartUp=1\n");

  const std::string user = WriteUserProfile(home, "[Settings]\r\nbDrawNumber=1\r\n");
  run = RunViewer(home, "--info " + cube);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::ReadFile(user), "[Settings]\r\nbDrawNumber=1\r\n");
}

/// The join-number font size an EPS export used ("N scalefont"), -1 when none.
int EpsFontSize(const std::string& eps) {
  std::smatch m;
  return std::regex_search(eps, m, std::regex("\n(-?[0-9]+) scalefont setfont")) ? std::stoi(m[1].str()) : -1;
}

TEST(SettingsOptionsTest, ProfileThenFileThenOverridesDecideWhatAnExportShows) {
  test::TempDir home;
  const std::string cube = test::FixturePath("cube.plc");
  // The cube without its own join-number font size.
  std::string text = test::ReadFile(cube);
  const auto key = text.find("iEdgeNumberFontSize");
  ASSERT_NE(key, std::string::npos);
  text.erase(key, text.find('\n', key) + 1 - key);
  const std::string bare = test::WriteFile(home.File("bare.plc"), text);
  const std::string profile = test::WriteFile(home.File("p.ini"), "[Settings]\niEdgeNumberFontSize=21\n");
  WriteUserProfile(home, "[Settings]\niEdgeNumberFontSize=0x10\n");
  const std::string eps = home.File("out.eps");
  auto exportedSize = [&](const std::string& file, const std::string& options) {
    std::filesystem::remove(eps);
    const ViewerRun run = RunViewer(home, "--export " + eps + " " + file + " --set bDrawNumber=1 " + options);
    EXPECT_EQ(run.status, 0) << run.err;
    return EpsFontSize(test::ReadFile(eps));
  };
  EXPECT_EQ(exportedSize(bare, "--profile " + profile), 21);
  EXPECT_EQ(exportedSize(bare, ""), 16);  // the user's profile
  EXPECT_EQ(exportedSize(bare, "--no-profile"), 8);
  EXPECT_EQ(exportedSize(cube, "--profile " + profile), 8);  // the file's info block wins over the profile
  EXPECT_EQ(exportedSize(cube, "--profile " + profile + " --set iEdgeNumberFontSize=30"), 30);
  EXPECT_EQ(test::ReadFile(UserProfile(home)), "[Settings]\niEdgeNumberFontSize=0x10\n");
}

/// How many [column, row] pairs the --pages JSON lists, and its grid.
struct PageCounts {
  int columns = -1, rows = -1, pages = 0;
};
PageCounts CountPages(const std::string& json) {
  PageCounts c;
  std::smatch m;
  if (std::regex_search(json, m, std::regex("\"columns\": ([0-9]+), \"rows\": ([0-9]+)"))) {
    c.columns = std::stoi(m[1].str());
    c.rows = std::stoi(m[2].str());
  }
  const std::string list = json.substr(0, json.find("\"bounds\""));
  const std::regex pair("\\[[0-9]+, [0-9]+\\]");
  c.pages =
      static_cast<int>(std::distance(std::sregex_iterator(list.begin(), list.end(), pair), std::sregex_iterator()));
  return c;
}

TEST(SettingsOptionsTest, ProfileAndOverridesReachThePageList) {
  test::TempDir home;
  // A 4 x 3 grid with two pages that hold nothing of the development.
  const std::string sphere = test::FixturePath("sphere_multipage_a4.plc");
  const std::string all = test::WriteFile(home.File("all.ini"), "[Settings]\nbPrintOmitPage=0\n");
  auto pages = [&](const std::string& options) {
    const ViewerRun run = RunViewer(home, "--pages " + sphere + " " + options);
    EXPECT_EQ(run.status, 0) << run.err;
    return CountPages(run.out);
  };
  PageCounts c = pages("");
  EXPECT_EQ(c.columns, 4);
  EXPECT_EQ(c.rows, 3);
  EXPECT_EQ(c.pages, 10);
  EXPECT_EQ(pages("--profile " + all).pages, 12);
  EXPECT_EQ(pages("--profile " + all + " --set bPrintOmitPage=1").pages, 10);
  WriteUserProfile(home, "[Settings]\nbPrintOmitPage=0\n");
  EXPECT_EQ(pages("").pages, 12);
  EXPECT_EQ(pages("--no-profile").pages, 10);
  // A3 landscape: the paper size follows the paper type before the grid is made.
  c = pages("--set iPageType=3");
  EXPECT_EQ(c.columns, 2);
  EXPECT_EQ(c.rows, 3);
}

/// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(BatchSettingsTest, ReadsTheGivenProfileTheUserProfileOrNothing) {
  test::TempDir home;
  ScopedEnv xdg("XDG_CONFIG_HOME", home.File("config"));
  WriteUserProfile(home, "[Settings]\nbPrintOmitPage=0\ncolor7=255\n");
  const std::string own = test::WriteFile(home.File("own.ini"), "[settings]\nIPRINTPPIINDEX=3\nbDrawColorEdge=0\n");

  CommandLineOptions options;
  Settings fromUser;
  ASSERT_EQ(PrepareBatchSettings(options, fromUser), 0);
  EXPECT_FALSE(fromUser.bPrintOmitPage);
  EXPECT_EQ(fromUser.colors[7], 255u);
  EXPECT_TRUE(fromUser.bFirstStartUp);

  options.profilePath = own;
  Settings fromOwn;
  ASSERT_EQ(PrepareBatchSettings(options, fromOwn), 0);
  EXPECT_EQ(fromOwn.printPpi, 200);
  EXPECT_FALSE(fromOwn.bDrawColorEdge);
  EXPECT_TRUE(fromOwn.bPrintOmitPage);  // the user's profile took no part

  options.profilePath.reset();
  options.noProfile = true;
  Settings builtIn;
  ASSERT_EQ(PrepareBatchSettings(options, builtIn), 0);
  EXPECT_TRUE(builtIn.bPrintOmitPage);
  EXPECT_EQ(builtIn.colors, kDefaultColors);
}

TEST(BatchSettingsTest, OverridesAreOnlyCheckedBeforeTheFileAndAppliedAfterIt) {
  test::TempDir home;
  ScopedEnv xdg("XDG_CONFIG_HOME", home.File("config"));
  CommandLineOptions options;
  options.noProfile = true;
  options.sets = {{"iPageType", "1"}, {"color0", "0xFF"}, {"dMag3d", "2"}, {"iPageType", "2"}};
  Settings settings;
  ASSERT_EQ(PrepareBatchSettings(options, settings), 0);
  EXPECT_EQ(settings.iPageType, 0);

  Model model;
  model.devScale = 10.0;
  ASSERT_EQ(ApplyBatchOverrides(options, settings, model), 0);
  EXPECT_EQ(settings.iPageType, 2);  // the last one wins
  EXPECT_EQ(settings.paperWidth, 29.7);
  EXPECT_EQ(settings.paperHeight, 42.0);
  EXPECT_EQ(settings.scaleProduct, 20.0);
  EXPECT_EQ(model.defaultMaterial.ambient, (std::array<float, 4>{1.f, 0.f, 0.f, 1.f}));
}

}  // namespace
}  // namespace plicora
