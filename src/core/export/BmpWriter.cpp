#include "core/export/BmpWriter.h"

#include <algorithm>

#include "core/export/ExportFile.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

void Put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, value & 0xFFFF);
  Put16(at + 2, value >> 16);
}

}  // namespace

std::array<std::uint8_t, 54> MakeBmpHeaders(int width, int height) {
  std::array<std::uint8_t, 54> h{};
  const std::uint32_t imageSize = static_cast<std::uint32_t>(BmpRowStride(width)) * static_cast<std::uint32_t>(height);
  h[0] = 'B';
  h[1] = 'M';
  Put32(&h[2], imageSize + 54);  // file size
  Put16(&h[6], 0);               // reserved
  Put16(&h[8], 0);
  Put32(&h[10], 54);  // offset of the pixels
  Put32(&h[14], 40);  // information header size
  Put32(&h[18], static_cast<std::uint32_t>(width));
  Put32(&h[22], static_cast<std::uint32_t>(height));
  Put16(&h[26], 1);   // planes
  Put16(&h[28], 24);  // bits per pixel
  Put32(&h[30], 0);   // no compression
  Put32(&h[34], imageSize);
  Put32(&h[38], kBmpPixelsPerMetre);
  Put32(&h[42], kBmpPixelsPerMetre);
  Put32(&h[46], 0);  // no palette
  Put32(&h[50], 0);
  return h;
}

bool WriteBmpFileRows(const std::string& path, int width, int height,
                      const std::function<void(int, std::uint8_t*)>& makeRow) {
  const auto headers = MakeBmpHeaders(width, height);
  const std::size_t stride = static_cast<std::size_t>(BmpRowStride(width));
  std::string bytes(headers.begin(), headers.end());
  bytes.resize(headers.size() + stride * static_cast<std::size_t>(std::max(height, 0)), '\0');
  auto* rows = reinterpret_cast<std::uint8_t*>(bytes.data() + headers.size());
  for (int y = 0; y < height; ++y) makeRow(y, rows + static_cast<std::size_t>(y) * stride);
  return WriteExportFile(path, bytes, "write error");
}

bool WriteBmpFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rows) {
  const std::size_t imageSize =
      static_cast<std::size_t>(BmpRowStride(width)) * static_cast<std::size_t>(std::max(height, 0));
  if (rows.size() < imageSize) {
    ShowMessage("write error", MessageKind::Error);
    return false;
  }
  const auto headers = MakeBmpHeaders(width, height);
  std::string bytes(headers.begin(), headers.end());
  bytes.append(reinterpret_cast<const char*>(rows.data()), imageSize);
  return WriteExportFile(path, bytes, "write error");
}

}  // namespace plicora
