// A metafile streamed to a sink while it is written must be, byte for
// byte, the metafile kept in memory: records spilled in order and the
// header, known only at the end, written over its place.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/export/EmfRecordWriter.h"

namespace plicora {
namespace {

// Enough lines for the records to go out in several spills.
void DrawLines(EmfRecordWriter& writer) {
  writer.SelectObject(writer.CreatePen(0, 3, 0x000000));
  for (int i = 0; i < 800000; ++i) {
    writer.MoveTo({i % 1000, i / 1000});
    writer.LineTo({i % 1000 + 5, i / 1000 + 7}, 2);
  }
}

TEST(EmfRecordWriter, StreamedMetafileEqualsTheOneKeptInMemory) {
  const EmfReferenceDevice device = ReferenceDeviceForDpi(96.0);
  EmfRecordWriter kept(device, u"Plicora Viewer");
  DrawLines(kept);
  const std::vector<std::uint8_t> whole = kept.Finish();
  ASSERT_GT(whole.size(), std::size_t{20} << 20);

  std::string file;
  int appends = 0;
  EmfRecordWriter streamed(device, u"Plicora Viewer");
  streamed.StreamTo({[&](std::string_view bytes) {
                       file.append(bytes);
                       ++appends;
                       return true;
                     },
                     [&](std::uint64_t offset, std::string_view bytes) {
                       if (offset + bytes.size() > file.size()) return false;
                       std::memcpy(file.data() + offset, bytes.data(), bytes.size());
                       return true;
                     }});
  DrawLines(streamed);
  EXPECT_TRUE(streamed.Finish().empty());
  EXPECT_FALSE(streamed.streamFailed());
  EXPECT_GT(appends, 2);
  EXPECT_EQ(file, std::string(whole.begin(), whole.end()));
}

}  // namespace
}  // namespace plicora
