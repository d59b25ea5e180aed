// The parts marked built: kept beside the profile by the work file's
// content, never stale for a changed file, and never a crash when the
// folder cannot be written or a kept file is damaged.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TestSupport.h"
#include "core/document/BuildProgressStore.h"
#include "core/document/UpdateHints.h"
#include "core/document/VorlanDoc.h"
#include "core/platform/ContentKey.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

constexpr const char* kFiveParts = "torus_concave_numbers.plc";

struct ProgressHarness {
  test::TempDir dir;
  Settings settings;
  CVorlanDoc doc{settings};
  CollectingMessageSink sink;
  ScopedMessageSink scope{sink};
  std::vector<int> hints;
  explicit ProgressHarness(const std::string& folder = {}) {
    doc.SetBuildProgressFolder(folder.empty() ? dir.File("build-progress") : folder);
    doc.AddView([this](int hint) { hints.push_back(hint); });
  }
  /// A copy of a sample file under `name`, with `extra` bytes after it.
  std::string Copy(const std::string& name, const std::string& extra = {}) {
    return test::WriteFile(dir.File(name), test::ReadFile(test::FixturePath(kFiveParts)) + extra);
  }
  bool Open(const std::string& path) {
    OpenRequest request;
    request.path = path;
    return doc.OpenWorkFile(request).ok();
  }
  std::vector<int> Built() const {
    std::vector<int> parts;
    for (std::size_t i = 0; i < doc.builtParts().size(); ++i)
      if (doc.builtParts()[i]) parts.push_back(static_cast<int>(i));
    return parts;
  }
};

TEST(BuildProgressTest, StoreRoundTripAndProfileFolder) {
  test::TempDir dir;
  const BuildProgressStore store(dir.File("kept"));
  const std::vector<char> built{0, 1, 0, 0, 1};
  EXPECT_EQ(store.Load("k", 5), std::vector<char>(5, 0));  // nothing kept yet
  ASSERT_TRUE(store.Save("k", built));
  EXPECT_EQ(test::ReadFile(store.PathOf("k")), "plicora-build-progress 1\nparts 5\nbuilt 1 4\n");
  EXPECT_EQ(store.Load("k", 5), built);
  EXPECT_EQ(store.Load("other", 5), std::vector<char>(5, 0));
  // Unmarking the last part removes the file rather than keeping an empty one.
  ASSERT_TRUE(store.Save("k", std::vector<char>(5, 0)));
  EXPECT_FALSE(std::filesystem::exists(store.PathOf("k")));
  // Without a folder (batch commands) nothing is kept and nothing fails.
  EXPECT_TRUE(BuildProgressStore().Save("k", built));
  EXPECT_EQ(BuildProgressFolder("/home/u/.config/plicora-viewer/plicora-viewer.ini"),
            "/home/u/.config/plicora-viewer/build-progress");
  EXPECT_EQ(BuildProgressFolder(""), "");
}

TEST(BuildProgressTest, DamagedProgressFilesAreIgnored) {
  test::TempDir dir;
  const BuildProgressStore store(dir.path());
  const std::string cases[] = {
      "",
      "plicora-build-progress 2\nparts 5\nbuilt 1\n",  // another format version
      "plicora-build-progress 1\nparts 4\nbuilt 1\n",  // counts other parts
      "plicora-build-progress 1\nparts 5\nbuilt 5\n",  // no such part
      "plicora-build-progress 1\nparts 5\nbuilt 3 1\n",
      "plicora-build-progress 1\nparts 5\nbuilt 1 x\n",
      "plicora-build-progress 1\nparts 5\nbuilt -1\n",
      "plicora-build-progress 1\nparts 5\nbuilt 1  2\n",
      "plicora-build-progress 1\nparts 5\nbuilt 99999999999999999999999\n",
      "plicora-build-progress 1\nparts 5\n",
      "plicora-build-progress 1\nparts 5\nbuilt 1\nmore\n",
      "plicora-build-progress 1\nparts 5\nbuilt 1" + std::string(1, '\0') + "\n",
      "\xff\xfe\x00garbage",
  };
  for (const std::string& text : cases) {
    test::WriteFile(store.PathOf("k"), text);
    EXPECT_EQ(store.Load("k", 5), std::vector<char>(5, 0)) << text;
  }
  // CRLF line ends (a file copied through another system) still read.
  test::WriteFile(store.PathOf("k"), "plicora-build-progress 1\r\nparts 5\r\nbuilt 2\r\n");
  EXPECT_EQ(store.Load("k", 5), (std::vector<char>{0, 0, 1, 0, 0}));
  // A folder in the file's place is no file.
  std::filesystem::remove(store.PathOf("k"));
  std::filesystem::create_directory(store.PathOf("k"));
  EXPECT_EQ(store.Load("k", 5), std::vector<char>(5, 0));
}

TEST(BuildProgressTest, DocumentKeepsProgressByContent) {
  ProgressHarness h;
  const std::string path = h.Copy("torus.plc");
  ASSERT_TRUE(h.Open(path));
  ASSERT_EQ(h.doc.builtParts().size(), 5u);
  EXPECT_EQ(h.doc.BuiltCount(), 0);
  h.hints.clear();
  EXPECT_TRUE(h.doc.SetPartBuilt(1, true));
  EXPECT_TRUE(h.doc.SetPartBuilt(3, true));
  EXPECT_FALSE(h.doc.SetPartBuilt(5, true));  // the model has no sixth part
  EXPECT_FALSE(h.doc.SetPartBuilt(-1, true));
  EXPECT_EQ(h.hints, (std::vector<int>{HINT_PROGRESS_CHANGED, HINT_PROGRESS_CHANGED}));
  EXPECT_EQ(h.doc.BuiltCount(), 2);
  EXPECT_TRUE(h.doc.IsPartBuilt(3));
  EXPECT_FALSE(h.doc.IsPartBuilt(7));
  // Show Progress turns the 3D pane's fading around.
  EXPECT_EQ(h.doc.PartsFadedInModelPane(), (std::vector<char>{0, 1, 0, 1, 0}));
  h.doc.showProgress = true;
  EXPECT_EQ(h.doc.PartsFadedInModelPane(), (std::vector<char>{1, 0, 1, 0, 1}));

  // Another file has its own (no) progress; the first one's comes back, and
  // follows its content to a copy of another name.
  ASSERT_TRUE(h.Open(test::FixturePath("cube.plc")));
  EXPECT_EQ(h.Built(), std::vector<int>{});
  ASSERT_TRUE(h.Open(path));
  EXPECT_EQ(h.Built(), (std::vector<int>{1, 3}));
  ASSERT_TRUE(h.Open(h.Copy("renamed.plc")));
  EXPECT_EQ(h.Built(), (std::vector<int>{1, 3}));
  // A restart finds it too (a new document over the same folder).
  ProgressHarness restarted(h.dir.File("build-progress"));
  ASSERT_TRUE(restarted.Open(path));
  EXPECT_EQ(restarted.Built(), (std::vector<int>{1, 3}));

  // The same file edited (one byte more) is another file: no stale progress.
  ASSERT_TRUE(h.Open(h.Copy("torus.plc", "\n")));
  EXPECT_EQ(h.Built(), std::vector<int>{});
  EXPECT_NE(ContentKey("ab"), ContentKey("ab\n"));
  EXPECT_NE(ContentKey(std::string(8, 'a')), ContentKey(std::string(8, 'a') + std::string(1, '\0')));
  EXPECT_EQ(ContentKey(test::ReadFile(path)), ContentKeyOfFile(path));

  h.doc.CloseDocument();
  EXPECT_TRUE(h.doc.builtParts().empty());
  EXPECT_TRUE(h.sink.messages.empty());
}

TEST(BuildProgressTest, UnwritableFolderGivesOneMessageAndMarksStillHold) {
  test::TempDir dir;
  // A folder below a plain file can never be created (whoever runs the test).
  const std::string blocked = test::WriteFile(dir.File("not-a-folder"), "x") + "/build-progress";
  ProgressHarness h(blocked);
  ASSERT_TRUE(h.Open(h.Copy("torus.plc")));
  EXPECT_TRUE(h.doc.SetPartBuilt(0, true));
  EXPECT_TRUE(h.doc.SetPartBuilt(2, true));
  EXPECT_TRUE(h.doc.SetPartBuilt(0, false));
  ASSERT_EQ(h.sink.messages.size(), 1u);
  EXPECT_NE(h.sink.messages[0].find("Cannot keep the build progress in " + blocked), std::string::npos);
  EXPECT_EQ(h.Built(), std::vector<int>{2});
  // A damaged progress file of this very content is ignored on open.
  ProgressHarness damaged;
  const std::string path = damaged.Copy("torus.plc");
  std::filesystem::create_directories(damaged.dir.File("build-progress"));
  test::WriteFile(damaged.doc.buildProgressStore().PathOf(*ContentKeyOfFile(path)), "plicora-build-progress 1\nparts");
  ASSERT_TRUE(damaged.Open(path));
  EXPECT_EQ(damaged.Built(), std::vector<int>{});
  EXPECT_TRUE(damaged.sink.messages.empty());
}

}  // namespace
}  // namespace plicora
