#pragma once
// A short name for the content of a file, so that facts kept about a file
// (the parts already built) follow its bytes rather than its name: a copy
// finds them, an edited file does not.

#include <optional>
#include <string>
#include <string_view>

namespace plicora {

/// The key of `bytes`: 64-bit FNV-1a over the bytes taken eight at a time
/// (little-endian words, the last short word padded with zeros) as sixteen
/// hexadecimal digits, a "-" and the byte count in decimal. The count keeps
/// files of different lengths apart whatever their hashes.
std::string ContentKey(std::string_view bytes);

/// The key of the file at `path`; nothing when it cannot be read.
std::optional<std::string> ContentKeyOfFile(const std::string& path);

}  // namespace plicora
