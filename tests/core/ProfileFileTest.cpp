// The profile file: Windows-like look-up, keeping what the program does not
// own, the integer rule, and saves that never leave a broken file.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "TestSupport.h"
#include "core/platform/AtomicFileWriter.h"
#include "core/platform/ProfileFile.h"

namespace plicora {
namespace {

TEST(ProfileIntegerTest, AcceptsExactlyOneDecimalHexOrOctalInteger) {
  EXPECT_EQ(ParseProfileInteger("0"), 0);
  EXPECT_EQ(ParseProfileInteger("255"), 255);
  EXPECT_EQ(ParseProfileInteger("-1"), -1);
  EXPECT_EQ(ParseProfileInteger("+7"), 7);
  EXPECT_EQ(ParseProfileInteger("0x10"), 16);
  EXPECT_EQ(ParseProfileInteger("0XfF"), 255);
  EXPECT_EQ(ParseProfileInteger("-0x10"), -16);
  EXPECT_EQ(ParseProfileInteger("010"), 8);
  EXPECT_EQ(ParseProfileInteger("00"), 0);
  EXPECT_EQ(ParseProfileInteger("  12\t"), 12);
  EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseProfileInteger("16767449"), 16767449);
}

TEST(ProfileIntegerTest, RefusesEverythingElse) {
  for (const char* text :
       {"",    " ",   "-",   "+",   "abc", "1a",         "12 3",        "1.5",        "08",
        "019", "0x",  "0xg", "--1", "+-1", "2147483648", "-2147483649", "0x80000000", "99999999999999999999",
        "1e3", "\xff"})
    EXPECT_FALSE(ParseProfileInteger(text).has_value()) << '"' << text << '"';
  EXPECT_FALSE(ParseProfileInteger(std::string_view("1\0", 2)).has_value());
}

TEST(ProfileFileTest, LooksUpSectionsAndKeysRegardlessOfCase) {
  const ProfileFile p = ProfileFile::Parse(
      "; comment=not a key\n"
      "[Window]\nleft=10\n"
      "[ settings ]\n  bDrawNumber  =  1  \nQuoted=\"a b\"\nEmpty=\nnoequals\n"
      "[SETTINGS]\nbDrawNumber=0\nlate=3\n");
  EXPECT_EQ(p.GetString("Settings", "bdrawnumber"), "1");  // the first section and key win
  EXPECT_EQ(p.GetString("SETTINGS", "QUOTED"), "a b");
  EXPECT_EQ(p.GetString("Settings", "Empty"), "");
  EXPECT_FALSE(p.GetString("Settings", "noequals").has_value());
  EXPECT_FALSE(p.GetString("Settings", "late").has_value());
  EXPECT_FALSE(p.GetString("Settings", "left").has_value());
  EXPECT_FALSE(p.GetString("Nothing", "left").has_value());
  EXPECT_EQ(p.GetInt("window", "LEFT"), 10);
  EXPECT_FALSE(p.GetInt("Settings", "Quoted").has_value());
  EXPECT_FALSE(p.GetString("", "comment").has_value());
}

TEST(ProfileFileTest, ByteOrderMarkDoesNotHideTheFirstSection) {
  EXPECT_EQ(ProfileFile::Parse("\xEF\xBB\xBF[Settings]\nbCullFace=1\n").GetInt("Settings", "bCullFace"), 1);
}

TEST(ProfileFileTest, UnchangedProfileSerializesToTheSameBytes) {
  const std::string bytes = "\xef\xbb\xbf;x\r\n[A]\r\nk=v\n\n[ControlBars\\State-Summary]\r\nBars=3\r\n[B]\nz = 1";
  EXPECT_EQ(ProfileFile::Parse(bytes).Serialize(), bytes);
}

TEST(ProfileFileTest, WritingKeepsForeignSectionsAndOrder) {
  ProfileFile p = ProfileFile::Parse(
      "[Recent File List]\r\nFile1=C:\\a.plc\r\n\r\n"
      "[Settings]\r\nbDrawColorEdge=0\r\nmystery=keep me\r\n\r\n"
      "[Window]\r\nshow=3\r\n");
  EXPECT_TRUE(p.SetString("SETTINGS", "BDRAWCOLOREDGE", "1"));
  EXPECT_TRUE(p.SetInt("Settings", "iPrintPPIIndex", 2));
  EXPECT_TRUE(p.SetInt("Extra", "n", -5));
  EXPECT_EQ(p.Serialize(),
            "[Recent File List]\r\nFile1=C:\\a.plc\r\n\r\n"
            "[Settings]\r\nbDrawColorEdge=1\r\nmystery=keep me\r\niPrintPPIIndex=2\r\n\r\n"
            "[Window]\r\nshow=3\r\n\r\n[Extra]\r\nn=-5\r\n");
  EXPECT_EQ(ProfileFile::Parse(p.Serialize()).GetInt("extra", "N"), -5);
}

TEST(ProfileFileTest, WritingIntoEmptyOrUnterminatedFiles) {
  ProfileFile empty;
  EXPECT_TRUE(empty.SetString("Settings", "a", "1"));
  EXPECT_EQ(empty.Serialize(), "[Settings]\na=1\n");

  ProfileFile open = ProfileFile::Parse("[Settings]");
  EXPECT_TRUE(open.SetString("Settings", "a", "1"));
  EXPECT_EQ(open.Serialize(), "[Settings]\na=1\n");
}

TEST(ProfileFileTest, RefusesNamesAndValuesThatWouldBreakTheFile) {
  ProfileFile p;
  EXPECT_FALSE(p.SetString("S", "k", "two\nlines"));
  EXPECT_FALSE(p.SetString("S", "k", "cr\r"));
  EXPECT_FALSE(p.SetString("S", "a=b", "1"));
  EXPECT_FALSE(p.SetString("S", "[k", "1"));
  EXPECT_FALSE(p.SetString("S", ";k", "1"));
  EXPECT_FALSE(p.SetString("S", "", "1"));
  EXPECT_FALSE(p.SetString("S]", "k", "1"));
  EXPECT_EQ(p.Serialize(), "");
}

TEST(ProfileFileTest, LoadsMissingFilesAsEmptyAndSavesRoundTrip) {
  test::TempDir dir;
  ProfileFile p;
  EXPECT_EQ(p.Load(dir.File("none.ini")), ProfileFile::LoadResult::Missing);
  EXPECT_EQ(p.Load(dir.path()), ProfileFile::LoadResult::Failed);  // a folder cannot be read

  test::WriteFile(dir.File("p.ini"), "[Window]\nleft=1\n");
  ASSERT_EQ(p.Load(dir.File("p.ini")), ProfileFile::LoadResult::Read);
  p.SetInt("Settings", "x", 4);
  ASSERT_TRUE(p.Save(dir.File("p.ini")));
  EXPECT_EQ(test::ReadFile(dir.File("p.ini")), "[Window]\nleft=1\n\n[Settings]\nx=4\n");
}

class AtomicSaveTest : public ::testing::Test {
 protected:
  void TearDown() override { SetAtomicWriteFaultForTesting(std::nullopt); }

  /// Names in the folder: a failed save must not leave its temporary file.
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
      names.push_back(entry.path().filename().string());
    return names;
  }

  test::TempDir dir_;
};

TEST_F(AtomicSaveTest, FailureAtAnyStepLeavesTheOldFileWhole) {
  const std::string path = test::WriteFile(dir_.File("plicora-viewer.ini"), "[Settings]\nbDrawNumber=1\n");
  ProfileFile p = ProfileFile::Parse(test::ReadFile(path));
  p.SetString("Settings", "bDrawNumber", "0");
  for (std::string padding(5000, 'x');
       const AtomicWriteStep step : {AtomicWriteStep::Write, AtomicWriteStep::Sync, AtomicWriteStep::Rename}) {
    p.SetString("Other", "padding", padding);
    SetAtomicWriteFaultForTesting(step);
    std::string error;
    EXPECT_FALSE(p.Save(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadFile(path), "[Settings]\nbDrawNumber=1\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"plicora-viewer.ini"});
  }
  SetAtomicWriteFaultForTesting(std::nullopt);
  ASSERT_TRUE(p.Save(path));
  EXPECT_EQ(ProfileFile::Parse(test::ReadFile(path)).GetInt("Settings", "bDrawNumber"), 0);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"plicora-viewer.ini"});
}

TEST_F(AtomicSaveTest, KeepsPermissionsAndFollowsLinks) {
  namespace fs = std::filesystem;
  const std::string real = test::WriteFile(dir_.File("real.ini"), "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.ini", dir_.File("link.ini"));
  ASSERT_TRUE(WriteFileAtomically(dir_.File("link.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir_.File("link.ini")));
  EXPECT_EQ(test::ReadFile(real), "new");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicSaveTest, RefusesToReplaceAFolderOrWriteIntoAMissingOne) {
  std::filesystem::create_directory(dir_.File("sub"));
  EXPECT_FALSE(WriteFileAtomically(dir_.File("sub"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("sub")));
  EXPECT_FALSE(WriteFileAtomically(dir_.File("missing/p.ini"), "x"));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"sub"});
}

TEST_F(AtomicSaveTest, RemovesOnlyStaleTemporariesOfItsOwnNaming) {
  namespace fs = std::filesystem;
  const std::string profile = test::WriteFile(dir_.File("p.ini"), "[Settings]\n");
  struct Case {
    const char* name;
    bool old;
    bool removed;
  };
  const Case cases[] = {
      {".p.ini.a1B2c3", true, true},    // what a killed save leaves
      {".p.ini.Zz9Yy8", false, false},  // a save in progress elsewhere
      {".p.ini.a1B2c", true, false},    // five characters
      {".p.ini.a1B2c3d", true, false},  // seven
      {".p.ini.a1-2c3", true, false},   // not a letter or digit
      {"p.ini.a1B2c3", true, false},    // not hidden
      {".q.ini.a1B2c3", true, false},   // another file's
  };
  for (const Case& c : cases) {
    test::WriteFile(dir_.File(c.name), "[Sett");
    if (c.old) fs::last_write_time(dir_.File(c.name), fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  EXPECT_EQ(RemoveStaleTemporaries(profile), 1);
  for (const Case& c : cases) EXPECT_EQ(fs::exists(dir_.File(c.name)), !c.removed) << c.name;
  EXPECT_EQ(test::ReadFile(profile), "[Settings]\n");
  EXPECT_EQ(RemoveStaleTemporaries(dir_.File("missing/p.ini")), 0);
}

}  // namespace
}  // namespace plicora
