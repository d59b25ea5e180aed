// The fast deflate switch: it must reach zlib streams opened by the
// libraries (Qt's PDF engine opens its own), and only while it is on.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "platform/FastDeflate.h"

namespace plicora {
namespace {

// `text` deflated by a stream opened at the default level.
std::string DeflateAtDefaultLevel(const std::string& text) {
  z_stream stream{};
  EXPECT_EQ(deflateInit(&stream, Z_DEFAULT_COMPRESSION), Z_OK);
  std::string out(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string CompressAt(const std::string& text, int level) {
  uLongf size = compressBound(text.size());
  std::string out(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                      text.size(), level),
            Z_OK);
  out.resize(size);
  return out;
}

TEST(FastDeflate, DefaultLevelStreamsOfEveryLibraryUseTheFastestLevelWhileOn) {
  // Every library looking up zlib's stream opening by name finds this
  // program's.
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "deflateInit_"), reinterpret_cast<void*>(&deflateInit_));

  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i * 7919 % 10007) + " " + std::to_string(i % 613) + " l\n";
  const std::string best = CompressAt(text, Z_BEST_SPEED), normal = CompressAt(text, Z_DEFAULT_COMPRESSION);
  ASSERT_NE(best, normal);
  EXPECT_EQ(DeflateAtDefaultLevel(text), normal);
  {
    const FastDeflate fast;
    EXPECT_EQ(DeflateAtDefaultLevel(text), best);
    // Streams asking for a level of their own keep it.
    EXPECT_EQ(DeflateLevelFor(9), 9);
  }
  EXPECT_EQ(DeflateAtDefaultLevel(text), normal);
}

}  // namespace
}  // namespace plicora
