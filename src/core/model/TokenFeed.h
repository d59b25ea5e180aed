#pragma once
// The tokens of a byte range split off on a second thread, each with its
// value as a real number already converted, a few thousand tokens ahead of
// their use: splitting the text and converting the reals then run beside the
// building of the model (the reader converts the integers itself, which
// keeps the two threads about equally busy). The tokens are exactly
// those that WorkFileStream::NextToken gives from the same place.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <thread>

namespace plicora {

class TokenFeed {
 public:
  struct Token {
    std::string_view text;
    double real;  ///< RealFromToken(text)
  };

  /// Starts splitting [begin, end) on a thread of its own.
  TokenFeed(const char* begin, const char* end);
  /// Stops the thread; tokens not taken are dropped.
  ~TokenFeed();
  TokenFeed(const TokenFeed&) = delete;
  TokenFeed& operator=(const TokenFeed&) = delete;

  /// The next token, or null once the bytes hold no more.
  const Token* Next() {
    if (taken_ == available_) return NextBlock();
    return &blocks_[block_].tokens[taken_++];
  }

 private:
  static constexpr std::size_t kBlockTokens = 4096;
  static constexpr std::size_t kBlocks = 8;
  enum State : int { kFree, kFull };
  struct Block {
    std::array<Token, kBlockTokens> tokens;
    std::size_t count = 0;
    bool last = false;  ///< the bytes end after these tokens
    std::atomic<int> state{kFree};
  };

  const Token* NextBlock();
  void Split(const char* begin, const char* end);

  std::unique_ptr<Block[]> blocks_;
  std::atomic<bool> stop_{false};
  // Reading side: the block being read (none before the first) and its use.
  std::size_t block_ = kBlocks;
  std::size_t taken_ = 0;
  std::size_t available_ = 0;
  bool ended_ = false;
  std::thread thread_;
};

}  // namespace plicora
