#include "render/platform/FastDeflate.h"

#include <dlfcn.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/platform/BothAtOnce.h"

namespace plicora {
namespace {

std::atomic<int> fastScopes{0};

using DeflateCall = int (*)(z_streamp, int);
using DeflateEndCall = int (*)(z_streamp);

// zlib's own functions, behind this program's definitions of them.
DeflateCall ZlibDeflate() {
  static const auto call = reinterpret_cast<DeflateCall>(dlsym(RTLD_NEXT, "deflate"));
  return call;
}
DeflateEndCall ZlibDeflateEnd() {
  static const auto call = reinterpret_cast<DeflateEndCall>(dlsym(RTLD_NEXT, "deflateEnd"));
  return call;
}

// Inputs from this size on are compressed in two halves at once.
constexpr std::size_t kSplitFrom = std::size_t{1} << 20;
constexpr std::size_t kWindow = std::size_t{1} << 15;

/// A stream opened at the default level while fast deflating: its input is
/// gathered until the caller finishes, then compressed at once and handed
/// out as the caller's output buffers allow.
struct GatheredStream {
  // zlib's state of the stream when it was opened: a stream left without
  // deflateEnd and another opened later at the same address differ in it.
  const void* state = nullptr;
  std::string input, output;
  std::size_t handedOut = 0;
  bool compressed = false;
};

std::mutex streamsMutex;
std::unordered_map<z_streamp, std::unique_ptr<GatheredStream>> streams;

GatheredStream* Gathered(z_streamp strm) {
  const std::lock_guard<std::mutex> lock(streamsMutex);
  const auto found = streams.find(strm);
  if (found == streams.end()) return nullptr;
  if (found->second->state != strm->state) {
    streams.erase(found);
    return nullptr;
  }
  return found->second.get();
}

// Raw deflate data (no header) of `size` bytes at the fastest level, the
// window first filled with `dictionary`; the last block is final only when
// `last`, otherwise the data end on a byte boundary so that more can follow.
bool RawDeflate(const char* data, std::size_t size, std::string_view dictionary, bool last, std::string& out) {
  z_stream s{};
  if (deflateInit2(&s, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  bool ok = dictionary.empty() || deflateSetDictionary(&s, reinterpret_cast<const Bytef*>(dictionary.data()),
                                                       static_cast<uInt>(dictionary.size())) == Z_OK;
  out.resize(deflateBound(&s, size) + 16);
  // zlib counts in 32 bits a call: a larger input goes in pieces.
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  const int mode = last ? Z_FINISH : Z_SYNC_FLUSH;
  std::size_t consumed = 0;
  while (ok) {
    const std::size_t piece = std::min(kPiece, size - consumed);
    const bool end = consumed + piece == size;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data + consumed));
    s.avail_in = static_cast<uInt>(piece);
    s.next_out = reinterpret_cast<Bytef*>(out.data() + s.total_out);
    s.avail_out = static_cast<uInt>(std::min(kPiece, out.size() - s.total_out));
    const int result = ZlibDeflate()(&s, end ? mode : Z_NO_FLUSH);
    consumed += piece - s.avail_in;
    if (end && consumed == size && (last ? result == Z_STREAM_END : result == Z_OK && s.avail_out > 0)) break;
    ok = (result == Z_OK || result == Z_BUF_ERROR) && s.total_out < out.size();
  }
  out.resize(s.total_out);
  ZlibDeflateEnd()(&s);
  return ok;
}

// The zlib data of `input`: a large input is cut in two, each half deflated
// on its own core, the second with the end of the first as its window.
bool CompressInTwo(const std::string& input, std::string& out) {
  const std::size_t half = input.size() >= kSplitFrom ? input.size() / 2 : input.size();
  std::string first, second;
  bool firstOk = true, secondOk = true;
  const std::string_view window(input.data() + half - std::min(half, kWindow), std::min(half, kWindow));
  const auto* bytes = reinterpret_cast<const Bytef*>(input.data());
  uLong firstCheck = adler32(0, nullptr, 0), secondCheck = firstCheck;
  BothAtOnce(
      [&] {
        firstOk = RawDeflate(input.data(), half, {}, half == input.size(), first);
        firstCheck = adler32_z(firstCheck, bytes, half);
      },
      [&] {
        if (half == input.size()) return;
        secondOk = RawDeflate(input.data() + half, input.size() - half, window, true, second);
        secondCheck = adler32_z(secondCheck, bytes + half, input.size() - half);
      });
  if (!firstOk || !secondOk) return false;
  const uLong check = adler32_combine(firstCheck, secondCheck, static_cast<z_off_t>(input.size() - half));
  out = std::string("\x78\x01", 2) + first + second;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((check >> shift) & 0xFF);
  return true;
}

int DeflateGathered(z_streamp strm, GatheredStream& g, int flush) {
  if (strm->avail_in > 0) {
    g.input.append(reinterpret_cast<const char*>(strm->next_in), strm->avail_in);
    strm->total_in += strm->avail_in;
    strm->next_in += strm->avail_in;
    strm->avail_in = 0;
  }
  if (flush != Z_FINISH) return Z_OK;
  if (!g.compressed) {
    if (!CompressInTwo(g.input, g.output)) return Z_STREAM_ERROR;
    std::string().swap(g.input);
    g.compressed = true;
  }
  if (strm->avail_out == 0) return Z_BUF_ERROR;
  const std::size_t n = std::min<std::size_t>(strm->avail_out, g.output.size() - g.handedOut);
  std::memcpy(strm->next_out, g.output.data() + g.handedOut, n);
  g.handedOut += n;
  strm->next_out += n;
  strm->avail_out -= static_cast<uInt>(n);
  strm->total_out += n;
  return g.handedOut == g.output.size() ? Z_STREAM_END : Z_OK;
}

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

// These definitions in the program take the place of zlib's for every
// library loaded with it (Qt's PDF engine calls them by name). zlib's own
// deflateInit_ is deflateInit2_ with the default window, memory level and
// strategy.
extern "C" int deflateInit_(z_streamp strm, int level, const char* version, int stream_size) {
  constexpr int kDefaultMemLevel = 8;
  const int used = plicora::DeflateLevelFor(level);
  const int result =
      deflateInit2_(strm, used, Z_DEFLATED, MAX_WBITS, kDefaultMemLevel, Z_DEFAULT_STRATEGY, version, stream_size);
  if (result == Z_OK && used != level) {
    const std::lock_guard<std::mutex> lock(plicora::streamsMutex);
    auto gathered = std::make_unique<plicora::GatheredStream>();
    gathered->state = strm->state;
    plicora::streams[strm] = std::move(gathered);
  }
  return result;
}

extern "C" int deflate(z_streamp strm, int flush) {
  if (plicora::GatheredStream* g = plicora::Gathered(strm)) return plicora::DeflateGathered(strm, *g, flush);
  return plicora::ZlibDeflate()(strm, flush);
}

extern "C" int deflateEnd(z_streamp strm) {
  {
    const std::lock_guard<std::mutex> lock(plicora::streamsMutex);
    plicora::streams.erase(strm);
  }
  return plicora::ZlibDeflateEnd()(strm);
}
