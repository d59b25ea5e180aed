#pragma once
// The PDF writer compresses every page's contents with zlib at its default
// level, which it offers no way to change. On a large development that one
// deflate takes longer than drawing the page (about 6 s of a 100 MB page
// against under a second at the fastest level, for a file 25 % larger).
// While a FastDeflate lives, zlib streams opened at the default level in this
// process use the fastest level instead, and gather their input until the
// caller finishes: a large input is then deflated in two halves on both
// cores, the second half with the end of the first as its window. The output
// stays ordinary zlib data that every reader takes.

namespace plicora {

class FastDeflate {
 public:
  FastDeflate();
  ~FastDeflate();
  FastDeflate(const FastDeflate&) = delete;
  FastDeflate& operator=(const FastDeflate&) = delete;
};

/// The level a stream asking for `level` gets now.
int DeflateLevelFor(int level);

}  // namespace plicora
