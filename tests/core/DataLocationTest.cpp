// Where the help, the samples and the pick sound are looked for: beside the
// executable first (a portable folder, the build tree), then the installed
// data folder relative to the executable.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/platform/DataLocation.h"

namespace plicora {
namespace {

namespace fs = std::filesystem;

void MakeData(const std::string& folder) {
  fs::create_directories(folder + "/help");
  fs::create_directories(folder + "/sound");
  fs::create_directories(folder + "/Sample");
  test::WriteFile(folder + "/help/index.html", "<html></html>");
  test::WriteFile(folder + "/sound/pick.wav", "RIFF");
}

TEST(DataLocationTest, InstalledFolderIsBesideTheProgramsFolder) {
  EXPECT_EQ(InstalledDataFolder("/opt/pv/bin"), "/opt/pv/share/plicora-viewer");
  EXPECT_EQ(InstalledDataFolder(""), "");
  EXPECT_EQ(FindDataPath("", "help/index.html"), "");
}

TEST(DataLocationTest, FindsDataBesideTheProgramBeforeTheInstalledCopy) {
  struct Case {
    const char* name;
    bool beside, installed;
    const char* expectedRoot;  // "bin", "share" or "" (missing)
  };
  const Case cases[] = {
      {"portable folder", true, false, "bin"},
      {"installation", false, true, "share"},
      {"both: the portable copy wins", true, true, "bin"},
      {"neither", false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::string bin = dir.File("prefix/bin");
    const std::string share = dir.File("prefix/share/plicora-viewer");
    fs::create_directories(bin);
    if (c.beside) MakeData(bin);
    if (c.installed) MakeData(share);
    const std::string root = std::string(c.expectedRoot) == "bin" ? bin : share;
    const bool found = *c.expectedRoot != '\0';
    EXPECT_EQ(HelpFilePath(bin), found ? root + "/help/index.html" : "");
    EXPECT_EQ(SampleFolder(bin), found ? root + "/Sample" : "");
    EXPECT_EQ(PickSoundPath(bin), found ? root + "/sound/pick.wav" : "");
  }
}

TEST(DataLocationTest, RelocatedInstallationAndWrongKindsBeside) {
  test::TempDir dir;
  MakeData(dir.File("old/share/plicora-viewer"));
  fs::create_directories(dir.File("old/bin"));
  fs::rename(dir.File("old"), dir.File("moved"));
  const std::string bin = dir.File("moved/bin");
  EXPECT_EQ(HelpFilePath(bin), dir.File("moved/share/plicora-viewer/help/index.html"));

  // A file named "Sample" or a folder named like the help file beside the
  // program does not hide the installed ones.
  test::WriteFile(bin + "/Sample", "");
  fs::create_directories(bin + "/help/index.html");
  EXPECT_EQ(SampleFolder(bin), dir.File("moved/share/plicora-viewer/Sample"));
  EXPECT_EQ(HelpFilePath(bin), dir.File("moved/share/plicora-viewer/help/index.html"));
  EXPECT_EQ(FindDataPath(bin, "Sample"), bin + "/Sample");
}

}  // namespace
}  // namespace plicora
