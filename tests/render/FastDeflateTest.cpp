// The fast deflate switch: it must reach zlib streams opened by the
// libraries (Qt's PDF engine opens its own and feeds them in pieces), only
// while it is on, and what comes out must inflate to what went in.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>

#include "render/platform/FastDeflate.h"

namespace plicora {
namespace {

// `text` deflated by a stream opened at the default level, fed and drained
// in pieces of `piece` bytes as the PDF engine does.
std::string DeflateAtDefaultLevel(const std::string& text, std::size_t piece = 65536) {
  z_stream stream{};
  EXPECT_EQ(deflateInit(&stream, Z_DEFAULT_COMPRESSION), Z_OK);
  std::string out, buffer(piece, '\0');
  auto drain = [&] {
    out.append(buffer.data(), piece - stream.avail_out);
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(piece);
  };
  stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
  stream.avail_out = static_cast<uInt>(piece);
  for (std::size_t at = 0; at < text.size(); at += piece) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + at));
    stream.avail_in = static_cast<uInt>(std::min(piece, text.size() - at));
    while (stream.avail_in > 0) {
      EXPECT_EQ(deflate(&stream, Z_NO_FLUSH), Z_OK);
      drain();
    }
  }
  int result;
  while ((result = deflate(&stream, Z_FINISH)) == Z_OK) drain();
  EXPECT_EQ(result, Z_STREAM_END);
  drain();
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

std::string Inflated(const std::string& data, std::size_t size) {
  std::string out(size + 1, '\0');
  uLongf length = out.size();
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.data()),
                       data.size()),
            Z_OK);
  out.resize(length);
  return out;
}

// Lines of page contents, `count` of them.
std::string PathText(int count) {
  std::string text;
  for (long long i = 0; i < count; ++i)
    text += std::to_string(i * 7919 % 10007) + " " + std::to_string(i % 613) + " l\n";
  return text;
}

TEST(FastDeflate, DefaultLevelStreamsOfEveryLibraryUseTheFastestLevelWhileOn) {
  // Every library looking up zlib's stream functions by name finds this
  // program's.
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "deflateInit_"), reinterpret_cast<void*>(&deflateInit_));
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "deflate"), reinterpret_cast<void*>(&deflate));

  const std::string text = PathText(20000);
  const std::string best = CompressAt(text, Z_BEST_SPEED), normal = CompressAt(text, Z_DEFAULT_COMPRESSION);
  ASSERT_NE(best, normal);
  EXPECT_EQ(DeflateAtDefaultLevel(text), normal);
  {
    const FastDeflate fast;
    EXPECT_EQ(DeflateAtDefaultLevel(text), best);
    // Streams asking for a level of their own keep it.
    EXPECT_EQ(DeflateLevelFor(9), 9);
    // A large input is deflated in two halves at once; small output
    // buffers take it in many calls. Empty input gives an empty stream.
    const std::string large = PathText(400000);
    const std::size_t whole = CompressAt(large, Z_BEST_SPEED).size();
    for (std::size_t piece : {std::size_t{65536}, std::size_t{1000}}) {
      const std::string packed = DeflateAtDefaultLevel(large, piece);
      // The second half starts with the first's end as its window.
      EXPECT_LT(packed.size(), whole + whole / 50);
      EXPECT_EQ(Inflated(packed, large.size()), large);
    }
    EXPECT_EQ(Inflated(DeflateAtDefaultLevel(std::string()), 0), std::string());
  }
  EXPECT_EQ(DeflateAtDefaultLevel(text), normal);
}

}  // namespace
}  // namespace plicora
