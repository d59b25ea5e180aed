#pragma once
// 24-bit Windows bitmap files: a 14-byte file header, a 40-byte information
// header and the pixel rows, bottom row first, each padded to 4 bytes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plicora {

/// Bytes of one 24-bit row of `width` pixels, raised to a multiple of 4.
constexpr int BmpRowStride(int width) {
  return (width * 3 + 3) & ~3;
}

/// Both resolution fields: 72 dots per inch as pixels per metre.
inline constexpr std::int32_t kBmpPixelsPerMetre = 2834;

/// The file header and the information header of a width x height picture.
std::array<std::uint8_t, 54> MakeBmpHeaders(int width, int height);

/// Writes the file as an export file (WriteExportFile): headers, then `rows`
/// (height rows of BmpRowStride(width) bytes, B G R per pixel, bottom row
/// first). When it cannot be written, shows "write error" with the path and
/// the reason and returns false.
bool WriteBmpFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rows);

/// The same, with the rows made in place: `makeRow(y, out)` fills the
/// BmpRowStride(width) bytes of row y (0 is the bottom row), so a large
/// picture needs no second copy in memory.
bool WriteBmpFileRows(const std::string& path, int width, int height,
                      const std::function<void(int, std::uint8_t*)>& makeRow);

}  // namespace plicora
