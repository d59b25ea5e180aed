#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/export/BmpWriter.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

std::uint32_t Le32(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
         static_cast<std::uint8_t>(s[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}
std::uint16_t Le16(const std::string& s, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8);
}

TEST(BmpWriter, HeadersAndRowsOfAnOddWidth) {
  test::TempDir dir;
  const int width = 101, height = 3;
  EXPECT_EQ(BmpRowStride(width), 304);
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(304 * height), 0);
  rows[0] = 1;              // bottom row, first pixel, blue
  rows[304 * 2 + 2] = 200;  // top row, first pixel, red
  const std::string path = dir.File("out.bmp");
  ASSERT_TRUE(WriteBmpFile(path, width, height, rows));
  const std::string f = test::ReadFile(path);
  ASSERT_EQ(f.size(), 54u + 304u * 3u);
  EXPECT_EQ(f.substr(0, 2), "BM");
  EXPECT_EQ(Le32(f, 2), 54u + 912u);  // file size
  EXPECT_EQ(Le32(f, 6), 0u);          // reserved words
  EXPECT_EQ(Le32(f, 10), 54u);        // pixel offset
  EXPECT_EQ(Le32(f, 14), 40u);
  EXPECT_EQ(Le32(f, 18), 101u);
  EXPECT_EQ(Le32(f, 22), 3u);
  EXPECT_EQ(Le16(f, 26), 1);
  EXPECT_EQ(Le16(f, 28), 24);
  EXPECT_EQ(Le32(f, 30), 0u);
  EXPECT_EQ(Le32(f, 34), 912u);
  EXPECT_EQ(Le32(f, 38), 2834u);
  EXPECT_EQ(Le32(f, 42), 2834u);
  EXPECT_EQ(Le32(f, 46), 0u);
  EXPECT_EQ(Le32(f, 50), 0u);
  EXPECT_EQ(static_cast<std::uint8_t>(f[54]), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(f[54 + 608 + 2]), 200);
}

TEST(BmpWriter, UnwritablePathReportsWriteError) {
  CollectingMessageSink sink;
  ScopedMessageSink scoped(sink);
  std::vector<std::uint8_t> rows(4, 0);
  EXPECT_FALSE(WriteBmpFile("/nonexistent-dir/x.bmp", 1, 1, rows));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], "write error\n/nonexistent-dir/x.bmp: No such file or directory");
}

TEST(BmpWriter, FullDiskReportsWriteError) {
  CollectingMessageSink sink;
  ScopedMessageSink scoped(sink);
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(BmpRowStride(64)) * 64, 0);
  EXPECT_FALSE(WriteBmpFile("/dev/full", 64, 64, rows));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], "write error\n/dev/full: No space left on device");
}

}  // namespace
}  // namespace plicora
