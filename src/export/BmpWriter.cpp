#include "export/BmpWriter.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/MessageSink.h"

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

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::array<std::uint8_t, 54> MakeBmpHeaders(int width, int height) {
  std::array<std::uint8_t, 54> h{};
  const std::uint32_t imageSize =
      static_cast<std::uint32_t>(BmpRowStride(width)) * static_cast<std::uint32_t>(height);
  h[0] = 'B';
  h[1] = 'M';
  Put32(&h[2], imageSize + 54);  // file size
  Put16(&h[6], 0);               // reserved
  Put16(&h[8], 0);
  Put32(&h[10], 54);             // offset of the pixels
  Put32(&h[14], 40);             // information header size
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
  // About a megabyte of rows per write.
  const int rowsPerChunk = static_cast<int>(std::max<std::size_t>(1, (1u << 20) / std::max<std::size_t>(stride, 1)));
  std::vector<std::uint8_t> chunk(stride * static_cast<std::size_t>(std::min(rowsPerChunk, std::max(height, 1))), 0);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  bool ok = file != nullptr;
  ok = ok && std::fwrite(headers.data(), 1, 14, file.get()) == 14;
  ok = ok && std::fwrite(headers.data() + 14, 1, 40, file.get()) == 40;
  for (int y = 0; ok && y < height; y += rowsPerChunk) {
    const int count = std::min(rowsPerChunk, height - y);
    for (int i = 0; i < count; ++i) makeRow(y + i, chunk.data() + static_cast<std::size_t>(i) * stride);
    const std::size_t bytes = stride * static_cast<std::size_t>(count);
    ok = std::fwrite(chunk.data(), 1, bytes, file.get()) == bytes;
  }
  if (file) ok = (std::fclose(file.release()) == 0) && ok;
  if (!ok) ShowMessage("write error", MessageKind::Error);
  return ok;
}

bool WriteBmpFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rows) {
  const auto headers = MakeBmpHeaders(width, height);
  const std::size_t imageSize = static_cast<std::size_t>(BmpRowStride(width)) * static_cast<std::size_t>(height);
  bool ok = rows.size() >= imageSize;
  if (ok) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    ok = file != nullptr;
    // File header, information header, pixels: three writes.
    ok = ok && std::fwrite(headers.data(), 1, 14, file.get()) == 14;
    ok = ok && std::fwrite(headers.data() + 14, 1, 40, file.get()) == 40;
    ok = ok && std::fwrite(rows.data(), 1, imageSize, file.get()) == imageSize;
    if (file) ok = (std::fclose(file.release()) == 0) && ok;
  }
  if (!ok) ShowMessage("write error", MessageKind::Error);
  return ok;
}

}  // namespace plicora
