#pragma once
// Reads an enhanced metafile back into its records for the tests, checking
// the framing on the way (every size a multiple of 4 and inside the file).

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace plicora::test {

struct EmfRecord {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::size_t offset = 0;  ///< of the record in the file
};

struct EmfFile {
  std::string bytes;
  std::vector<EmfRecord> records;
  std::string error;  ///< empty when the framing is sound

  std::uint32_t U32(std::size_t at) const {
    std::uint32_t v = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
    return v;
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint16_t U16(std::size_t at) const {
    std::uint16_t v = 0;
    if (at + 2 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 2);
    return v;
  }
  /// UTF-16 text of `count` units at `at`.
  std::u16string Text(std::size_t at, std::size_t count) const {
    std::u16string s;
    for (std::size_t i = 0; i < count; ++i) s.push_back(static_cast<char16_t>(U16(at + 2 * i)));
    return s;
  }
  std::vector<EmfRecord> OfType(std::uint32_t type) const {
    std::vector<EmfRecord> out;
    for (const EmfRecord& r : records)
      if (r.type == type) out.push_back(r);
    return out;
  }
  /// The strings of every EXTTEXTOUTW record, in order.
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> out;
    for (const EmfRecord& r : OfType(84)) out.push_back(Text(r.offset + U32(r.offset + 48), U32(r.offset + 44)));
    return out;
  }
};

inline EmfFile ParseEmf(std::string bytes) {
  EmfFile file;
  file.bytes = std::move(bytes);
  std::size_t at = 0;
  while (at < file.bytes.size()) {
    if (at + 8 > file.bytes.size()) {
      file.error = "truncated record at " + std::to_string(at);
      break;
    }
    EmfRecord r{file.U32(at), file.U32(at + 4), at};
    if (r.size < 8 || r.size % 4 != 0 || at + r.size > file.bytes.size()) {
      file.error = "bad record size " + std::to_string(r.size) + " at " + std::to_string(at);
      break;
    }
    file.records.push_back(r);
    at += r.size;
  }
  return file;
}

}  // namespace plicora::test
