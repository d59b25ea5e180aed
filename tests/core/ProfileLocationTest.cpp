// Where the profile is looked for.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/platform/ProfileLocation.h"

namespace plicora {
namespace {

TEST(ProfileLocationTest, PrefersAProfileBesideTheExecutable) {
  test::TempDir dir;
  const std::string exe = dir.File("plicora-viewer");
  EXPECT_EQ(ProfilePathBesideExecutable(exe), dir.File("plicora-viewer.ini"));
  EXPECT_EQ(ChooseProfilePath(exe, "/xdg", "/home/u"), "/xdg/plicora-viewer/plicora-viewer.ini");
  test::WriteFile(dir.File("plicora-viewer.ini"), "");
  EXPECT_EQ(ChooseProfilePath(exe, "/xdg", "/home/u"), dir.File("plicora-viewer.ini"));
}

TEST(ProfileLocationTest, UserProfileFollowsXdgThenHome) {
  EXPECT_EQ(UserProfilePath("/cfg", "/home/u"), "/cfg/plicora-viewer/plicora-viewer.ini");
  EXPECT_EQ(UserProfilePath("", "/home/u"), "/home/u/.config/plicora-viewer/plicora-viewer.ini");
  EXPECT_EQ(UserProfilePath("relative/cfg", "/home/u"), "/home/u/.config/plicora-viewer/plicora-viewer.ini");
  EXPECT_EQ(UserProfilePath("", ""), "");
}

TEST(ProfileLocationTest, CreatesTheFolderOnlyWhenAsked) {
  test::TempDir dir;
  const std::string path = UserProfilePath(dir.File("cfg"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("cfg")));
  EXPECT_TRUE(EnsureProfileFolder(path));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("cfg/plicora-viewer")));
  EXPECT_TRUE(EnsureProfileFolder(path));
  test::WriteFile(dir.File("blocker"), "");
  EXPECT_FALSE(EnsureProfileFolder(dir.File("blocker/sub/p.ini")));
}

}  // namespace
}  // namespace plicora
