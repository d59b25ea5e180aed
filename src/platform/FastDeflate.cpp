#include "platform/FastDeflate.h"

#include <zlib.h>

#include <atomic>

namespace plicora {
namespace {

std::atomic<int> fastScopes{0};

}  // namespace

FastDeflate::FastDeflate() {
  ++fastScopes;
}

FastDeflate::~FastDeflate() {
  --fastScopes;
}

int DeflateLevelFor(int level) {
  return level == Z_DEFAULT_COMPRESSION && fastScopes.load() > 0 ? Z_BEST_SPEED : level;
}

}  // namespace plicora

// zlib's own deflateInit_ is deflateInit2_ with the default window, memory
// level and strategy; this definition in the program takes its place for
// every library loaded with it (Qt's PDF engine calls it by name).
extern "C" int deflateInit_(z_streamp strm, int level, const char* version, int stream_size) {
  constexpr int kDefaultMemLevel = 8;
  return deflateInit2_(strm, plicora::DeflateLevelFor(level), Z_DEFLATED, MAX_WBITS, kDefaultMemLevel,
                       Z_DEFAULT_STRATEGY, version, stream_size);
}
