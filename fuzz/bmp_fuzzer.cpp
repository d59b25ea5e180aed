// Feeds arbitrary bytes to the bitmap decoder (the same code the file reader
// runs on the mapped file).

#include <cstddef>
#include <cstdint>

#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace {
class DroppingSink final : public plicora::MessageSink {
 public:
  void Show(std::string_view, plicora::MessageKind) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static DroppingSink sink;
  plicora::SetMessageSink(&sink);
  // A bound well below the reader's keeps huge run-length images fast.
  auto image = plicora::DecodeBitmap({data, size}, 16u << 20);
  if (image && image->pixels.size() != static_cast<std::size_t>(image->width) * image->height * 3) __builtin_trap();
  return 0;
}
