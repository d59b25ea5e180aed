#pragma once
// Bitmap and JPEG files made inside the tests, byte by byte or with the
// libjpeg encoder.

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace plicora::test {

inline void PutU16(std::string& s, std::uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void PutU32(std::string& s, std::uint32_t v) {
  PutU16(s, v & 0xFFFF);
  PutU16(s, v >> 16);
}

using Rgb = std::array<std::uint8_t, 3>;

/// The fields of a bitmap file; `bits` are the stored pixel bytes.
struct BmpFields {
  bool fileHeader = true;
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<Rgb> palette;          ///< written as stored (short tables allowed)
  std::vector<std::uint32_t> masks;  ///< written after the header (bit fields)
  std::string bits;
  std::int64_t bitsOffset = -1;  ///< -1: right after the table
};

inline std::string MakeBmp(const BmpFields& f) {
  std::string body;
  PutU32(body, f.headerSize);
  if (f.headerSize == 12) {
    PutU16(body, static_cast<std::uint32_t>(f.width));
    PutU16(body, static_cast<std::uint32_t>(f.height));
    PutU16(body, 1);
    PutU16(body, f.bitCount);
  } else {
    PutU32(body, static_cast<std::uint32_t>(f.width));
    PutU32(body, static_cast<std::uint32_t>(f.height));
    PutU16(body, 1);
    PutU16(body, f.bitCount);
    PutU32(body, f.compression);
    PutU32(body, static_cast<std::uint32_t>(f.bits.size()));
    PutU32(body, 2835);
    PutU32(body, 2835);
    PutU32(body, f.colorsUsed);
    PutU32(body, 0);
    body.resize(f.headerSize, '\0');
  }
  for (std::uint32_t m : f.masks) PutU32(body, m);
  for (const Rgb& c : f.palette) {
    body += static_cast<char>(c[2]);
    body += static_cast<char>(c[1]);
    body += static_cast<char>(c[0]);
    if (f.headerSize != 12) body += '\0';
  }
  std::string file;
  if (f.fileHeader) {
    const std::uint32_t offset =
        f.bitsOffset >= 0 ? static_cast<std::uint32_t>(f.bitsOffset) : static_cast<std::uint32_t>(14 + body.size());
    file += "BM";
    PutU32(file, static_cast<std::uint32_t>(14 + body.size() + f.bits.size()));
    PutU32(file, 0);
    PutU32(file, offset);
  }
  return file + body + f.bits;
}

/// A 24-bit bottom-up bitmap of `pixel(x, y)`, y counted from the top.
inline std::string MakeBmp24(int width, int height, const std::function<Rgb(int, int)>& pixel) {
  BmpFields f;
  f.width = width;
  f.height = height;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  f.bits.assign(stride * static_cast<std::size_t>(height), '\0');
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, height - 1 - row);
      char* out = f.bits.data() + row * stride + x * 3;
      out[0] = static_cast<char>(c[2]), out[1] = static_cast<char>(c[1]), out[2] = static_cast<char>(c[0]);
    }
  }
  return MakeBmp(f);
}

/// Encodes top-down samples with libjpeg. `input` is the samples' colour
/// space, `stored` the file's (e.g. JCS_YCCK for CMYK input).
inline std::string EncodeJpeg(int width, int height, int components, J_COLOR_SPACE input, J_COLOR_SPACE stored,
                              const std::vector<std::uint8_t>& samples, int quality = 100, bool adobeMarker = true,
                              bool progressive = false) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = input;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, stored);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (!adobeMarker) cinfo.write_Adobe_marker = FALSE;
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * width * components);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

}  // namespace plicora::test
