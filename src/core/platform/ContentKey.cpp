#include "core/platform/ContentKey.h"

#include <cstdint>
#include <cstdio>

#include "core/platform/FileBytes.h"

namespace plicora {
namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

std::uint64_t LittleEndianWord(const unsigned char* p, std::size_t n) {
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < n; ++i) word |= std::uint64_t{p[i]} << (8 * i);
  return word;
}

}  // namespace

std::string ContentKey(std::string_view bytes) {
  // Whole words keep the hash to one multiplication per eight bytes, so
  // that a large work file is keyed in a fraction of its reading time.
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::uint64_t hash = kFnvOffset;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) hash = (hash ^ LittleEndianWord(p + i, 8)) * kFnvPrime;
  if (i < size) hash = (hash ^ LittleEndianWord(p + i, size - i)) * kFnvPrime;
  char text[48];
  std::snprintf(text, sizeof text, "%016llx-%llu", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(size));
  return text;
}

std::optional<std::string> ContentKeyOfFile(const std::string& path) {
  FileBytes file;
  if (!file.Open(path)) return std::nullopt;
  return ContentKey(std::string_view(file.data() ? file.data() : "", file.size()));
}

}  // namespace plicora
