#pragma once
// A forward cursor over the bytes of a work file with the reading rules of
// the format: whitespace-separated tokens, whole lines of fixed capacity, the
// skipping of comments and raw byte blocks. Every read that finds nothing, and
// every line longer than its capacity, puts the cursor into the failed state;
// from then on every read fails. Tokens may be split off ahead on a second
// thread (ReadAhead) with the same results.

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/model/NumberText.h"
#include "core/model/TokenFeed.h"

namespace plicora {

/// Token separators: space, tab, LF, vertical tab, form feed, CR.
inline constexpr std::array<bool, 256> kWorkFileSpace = [] {
  std::array<bool, 256> table{};
  for (char c : {' ', '\t', '\n', '\v', '\f', '\r'}) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

class WorkFileStream {
 public:
  WorkFileStream(const char* begin, const char* end) : pos_(begin), end_(end) {}

  bool failed() const { return failed_; }
  void Fail() {
    failed_ = true;
    feed_.reset();
  }
  const char* position() const { return pos_; }
  std::size_t remaining() const { return static_cast<std::size_t>(end_ - pos_); }

  /// The next token (leading whitespace skipped); false and failed when none.
  bool NextToken(std::string_view& token) {
    if (failed_) return false;
    if (feed_) {
      const TokenFeed::Token* fed = Fed();
      if (fed) token = fed->text;
      return fed;
    }
    const char* p = pos_;
    while (p != end_ && IsSpace(*p)) ++p;
    if (p == end_) {
      pos_ = p;
      failed_ = true;
      return false;
    }
    const char* start = p;
    while (p != end_ && !IsSpace(*p)) ++p;
    pos_ = p;
    token = std::string_view(start, static_cast<std::size_t>(p - start));
    return true;
  }

  /// The next token, or an empty one when none could be read.
  std::string_view Token() {
    std::string_view token;
    return NextToken(token) ? token : std::string_view();
  }

  /// RealFromToken(Token()).
  double RealToken() {
    if (feed_ && !failed_) {
      if (const TokenFeed::Token* fed = Fed()) return fed->real;
    }
    return RealFromToken(Token());
  }

  /// IntFromToken(Token()).
  int IntToken() {
    if (feed_ && !failed_) {
      if (const TokenFeed::Token* fed = Fed()) return IntFromToken(fed->text);
    }
    return IntFromToken(Token());
  }

  /// From here on, tokens are split off on a second thread until a read of
  /// another kind (a line, a comment, raw bytes) or the end of the stream.
  void ReadAhead() {
    if (!failed_ && !feed_) feed_ = std::make_unique<TokenFeed>(pos_, end_);
  }
  void StopReadingAhead() { feed_.reset(); }

  /// Reads up to and including the next LF (not part of the line). A line of
  /// more than `capacity` characters fails; so does a read at the end.
  bool ReadLine(std::size_t capacity, std::string_view& line);

  /// Skips up to 512 characters, up to and including the next LF.
  void SkipComment();

  /// Copies up to `count` bytes to `target` (may be null to skip them);
  /// returns how many were copied. Fewer than `count` fails the stream.
  std::size_t ReadBytes(void* target, std::size_t count);

 private:
  static bool IsSpace(char c) { return kWorkFileSpace[static_cast<unsigned char>(c)]; }
  /// The next token of the feed, the cursor moved past it; null and failed
  /// at the end of the bytes.
  const TokenFeed::Token* Fed() {
    const TokenFeed::Token* fed = feed_->Next();
    if (fed) {
      pos_ = fed->text.data() + fed->text.size();
    } else {
      pos_ = end_;
      failed_ = true;
      feed_.reset();
    }
    return fed;
  }

  const char* pos_;
  const char* end_;
  bool failed_ = false;
  std::unique_ptr<TokenFeed> feed_;
};

}  // namespace plicora
