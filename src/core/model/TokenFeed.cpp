#include "core/model/TokenFeed.h"

#include "core/model/NumberText.h"
#include "core/model/WorkFileStream.h"

namespace plicora {

TokenFeed::TokenFeed(const char* begin, const char* end) : blocks_(new Block[kBlocks]) {
  thread_ = std::thread([this, begin, end] { Split(begin, end); });
}

TokenFeed::~TokenFeed() {
  stop_.store(true);
  for (std::size_t b = 0; b < kBlocks; ++b) {
    blocks_[b].state.store(kFree);
    blocks_[b].state.notify_one();
  }
  thread_.join();
}

const TokenFeed::Token* TokenFeed::NextBlock() {
  if (ended_) return nullptr;
  if (block_ != kBlocks) {
    Block& done = blocks_[block_];
    if (done.last) {
      ended_ = true;
      return nullptr;
    }
    done.state.store(kFree, std::memory_order_release);
    done.state.notify_one();
  }
  block_ = block_ == kBlocks ? 0 : (block_ + 1) % kBlocks;
  Block& next = blocks_[block_];
  next.state.wait(kFree, std::memory_order_acquire);
  taken_ = 0;
  available_ = next.count;
  if (available_ == 0) {
    ended_ = true;
    return nullptr;
  }
  return &next.tokens[taken_++];
}

void TokenFeed::Split(const char* p, const char* end) {
  for (std::size_t b = 0;; b = (b + 1) % kBlocks) {
    Block& block = blocks_[b];
    block.state.wait(kFull, std::memory_order_acquire);
    if (stop_.load()) return;
    std::size_t n = 0;
    for (; n < kBlockTokens; ++n) {
      while (p != end && kWorkFileSpace[static_cast<unsigned char>(*p)]) ++p;
      if (p == end) break;
      const char* start = p;
      while (p != end && !kWorkFileSpace[static_cast<unsigned char>(*p)]) ++p;
      const std::string_view text(start, static_cast<std::size_t>(p - start));
      block.tokens[n] = Token{text, RealFromToken(text)};
    }
    block.count = n;
    block.last = n < kBlockTokens;
    block.state.store(kFull, std::memory_order_release);
    block.state.notify_one();
    if (block.last) return;
  }
}

}  // namespace plicora
