// Decoding of Windows bitmaps (device-independent bitmaps) into 24-bit
// images: 1, 4 and 8 bits through a colour table, run-length encoded 8 and 4
// bits, 16 bits (5-5-5 or bit-field masks), 24 bits and 32 bits (plain or
// masks), stored bottom-up or top-down. The result is always bottom-up.
//
// Every field is checked against the bytes actually present: nothing is read
// past the end of the data, and the image size is checked before anything is
// allocated.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>

#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace plicora {
namespace {

constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kConversionError[] = "Image file conversion error.";

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(U32(p));
}

using Rgb = std::array<std::uint8_t, 3>;

/// One colour channel of a 16- or 32-bit pixel, given by its bit mask.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    bits = std::bit_width(m >> shift);
  }

  /// The channel's value scaled to 0..255: wider fields keep their top 8
  /// bits, narrower ones repeat their bits (5-bit 31 gives 255).
  std::uint8_t Extract(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    std::uint32_t out = 0;
    for (int s = 8 - bits; s > -bits; s -= bits) out |= s >= 0 ? v << s : v >> -s;
    return static_cast<std::uint8_t>(out);
  }
};

/// Everything the pixel conversion needs, taken from the headers.
struct DibLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  ///< negative: rows stored top-down
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::array<Rgb, 256> palette{};  ///< entries beyond the table stay black
  std::array<std::uint32_t, 3> masks{};
  std::span<const std::uint8_t> bits;  ///< from the first pixel byte to the end of the data

  std::int64_t Rows() const { return height < 0 ? -height : height; }
};

class DibError {
 public:
  explicit DibError(const char* message) : message_(message) {}
  const char* message() const { return message_; }

 private:
  const char* message_;
};

int DefaultColorCount(int bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

bool AcceptedLayout(int bitCount, std::uint32_t compression) {
  switch (compression) {
    case kBiRgb:
      return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case kBiRle8:
      return bitCount == 8;
    case kBiRle4:
      return bitCount == 4;
    case kBiBitfields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

/// Reads the file header (if any), the information header, the masks and the
/// colour table; throws DibError with the user's message when refused.
DibLayout ParseHeaders(std::span<const std::uint8_t> data) {
  const std::uint8_t* d = data.data();
  const std::size_t size = data.size();
  std::size_t pos = 0;
  bool hasFileHeader = false;
  std::uint64_t bitsOffset = 0;
  if (size >= 2 && d[0] == 'B' && d[1] == 'M') {
    if (size < kFileHeaderSize) throw DibError(kConversionError);
    bitsOffset = U32(d + 10);
    hasFileHeader = true;
    pos = kFileHeaderSize;
  }
  if (size - pos < 4) throw DibError(kConversionError);
  const std::uint32_t headerSize = U32(d + pos);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) throw DibError(kUnknownFormat);
  if (size - pos < headerSize) throw DibError(kConversionError);

  DibLayout layout;
  const std::uint8_t* h = d + pos;
  std::uint64_t colorCount = 0;
  std::uint64_t entrySize = 0;
  std::uint64_t masksSize = 0;
  if (headerSize == kCoreHeaderSize) {
    layout.width = U16(h + 4);
    layout.height = U16(h + 6);
    layout.bitCount = U16(h + 10);
    colorCount = static_cast<std::uint64_t>(DefaultColorCount(layout.bitCount));
    entrySize = 3;
  } else {
    layout.width = I32(h + 4);
    layout.height = I32(h + 8);
    layout.bitCount = U16(h + 14);
    layout.compression = U32(h + 16);
    const std::uint32_t colorsUsed = U32(h + 32);
    colorCount = colorsUsed ? colorsUsed : static_cast<std::uint64_t>(DefaultColorCount(layout.bitCount));
    entrySize = 4;
    if (layout.compression == kBiBitfields) masksSize = 12;
  }

  const std::uint64_t masksStart = pos + headerSize;
  if (masksStart + masksSize > size) throw DibError(kConversionError);
  if (masksSize) {
    for (int i = 0; i < 3; ++i) layout.masks[i] = U32(d + masksStart + 4 * i);
  }
  const std::uint64_t tableStart = masksStart + masksSize;
  const std::uint64_t tableEnd = tableStart + colorCount * entrySize;
  if (tableEnd > size) throw DibError(kConversionError);
  const std::uint64_t used = std::min<std::uint64_t>(colorCount, layout.bitCount <= 8 ? (1u << layout.bitCount) : 0);
  for (std::uint64_t i = 0; i < used; ++i) {
    const std::uint8_t* e = d + tableStart + i * entrySize;
    layout.palette[i] = {e[2], e[1], e[0]};
  }

  const std::uint64_t bitsStart = hasFileHeader ? bitsOffset : tableEnd;
  if (bitsStart > size) throw DibError(kConversionError);
  layout.bits = data.subspan(static_cast<std::size_t>(bitsStart));
  return layout;
}

/// Rejects images that cannot be held, before anything is allocated, and
/// layouts that cannot be converted.
std::size_t CheckImage(const DibLayout& layout, std::size_t maxImageBytes) {
  if (!AcceptedLayout(layout.bitCount, layout.compression)) throw DibError(kConversionError);
  // Run-length data only exists bottom-up.
  if (layout.height < 0 && (layout.compression == kBiRle8 || layout.compression == kBiRle4))
    throw DibError(kConversionError);
  if (layout.width <= 0 || layout.height == 0) throw DibError(kOutOfMemory);
  const std::uint64_t rows = static_cast<std::uint64_t>(layout.Rows());
  const std::uint64_t width = static_cast<std::uint64_t>(layout.width);
  // width < 2^31 and rows <= 2^31, so the product cannot overflow 64 bits.
  const std::uint64_t bytes = width * rows * 3;
  if (bytes > maxImageBytes) throw DibError(kOutOfMemory);
  if (layout.compression == kBiRgb || layout.compression == kBiBitfields) {
    // Every row but the last must be present with its padding; the last one
    // needs only its pixel bytes.
    const std::uint64_t rowBits = width * static_cast<std::uint64_t>(layout.bitCount);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t needed = stride * (rows - 1) + (rowBits + 7) / 8;
    if (layout.bits.size() < needed) throw DibError(kConversionError);
  }
  return static_cast<std::size_t>(bytes);
}

/// Converts one stored row of an uncompressed image.
void ConvertRow(const DibLayout& layout, const std::uint8_t* src, std::uint8_t* out) {
  const std::int64_t width = layout.width;
  switch (layout.bitCount) {
    case 1:
      for (std::int64_t x = 0; x < width; ++x, out += 3) {
        const Rgb& c = layout.palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
        out[0] = c[0], out[1] = c[1], out[2] = c[2];
      }
      return;
    case 4:
      for (std::int64_t x = 0; x < width; ++x, out += 3) {
        const std::uint8_t b = src[x >> 1];
        const Rgb& c = layout.palette[(x & 1) ? (b & 0x0F) : (b >> 4)];
        out[0] = c[0], out[1] = c[1], out[2] = c[2];
      }
      return;
    case 8:
      for (std::int64_t x = 0; x < width; ++x, out += 3) {
        const Rgb& c = layout.palette[src[x]];
        out[0] = c[0], out[1] = c[1], out[2] = c[2];
      }
      return;
    case 24:
      for (std::int64_t x = 0; x < width; ++x, out += 3, src += 3) {
        out[0] = src[2], out[1] = src[1], out[2] = src[0];
      }
      return;
    default:
      break;
  }
  // 16 and 32 bits: plain layouts use fixed masks (5-5-5, 8-8-8).
  std::array<std::uint32_t, 3> masks = layout.masks;
  if (layout.compression == kBiRgb)
    masks = layout.bitCount == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                  : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
  if (layout.bitCount == 32 && masks == std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF}) {
    for (std::int64_t x = 0; x < width; ++x, out += 3, src += 4) {
      out[0] = src[2], out[1] = src[1], out[2] = src[0];
    }
    return;
  }
  const Channel r(masks[0]), g(masks[1]), b(masks[2]);
  const int bytesPerPixel = layout.bitCount / 8;
  for (std::int64_t x = 0; x < width; ++x, out += 3, src += bytesPerPixel) {
    const std::uint32_t pixel = bytesPerPixel == 2 ? U16(src) : U32(src);
    out[0] = r.Extract(pixel), out[1] = g.Extract(pixel), out[2] = b.Extract(pixel);
  }
}

void DecodeUncompressed(const DibLayout& layout, std::uint8_t* pixels) {
  const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitCount);
  const std::size_t stride = static_cast<std::size_t>((rowBits + 31) / 32 * 4);
  const std::size_t outStride = static_cast<std::size_t>(layout.width) * 3;
  const std::int64_t rows = layout.Rows();
  for (std::int64_t r = 0; r < rows; ++r) {
    // Stored row r is picture row r from the bottom, or from the top when
    // the height is negative; the result is always bottom-up.
    const std::int64_t outRow = layout.height > 0 ? r : rows - 1 - r;
    ConvertRow(layout, layout.bits.data() + static_cast<std::size_t>(r) * stride,
               pixels + static_cast<std::size_t>(outRow) * outStride);
  }
}

/// Run-length decoding (8 or 4 bits). Pixels the data never reaches (delta
/// moves, early end of line or of bitmap) stay black; pixels beyond the
/// right edge are dropped.
void DecodeRunLength(const DibLayout& layout, std::uint8_t* pixels) {
  const bool fourBits = layout.compression == kBiRle4;
  const std::uint8_t* s = layout.bits.data();
  const std::size_t n = layout.bits.size();
  const std::int64_t width = layout.width, height = layout.height;
  std::int64_t x = 0, y = 0;
  std::size_t p = 0;
  auto put = [&](unsigned index) {
    if (x < width) {
      const Rgb& c = layout.palette[index];
      std::uint8_t* out = pixels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
      out[0] = c[0], out[1] = c[1], out[2] = c[2];
    }
    ++x;
  };
  while (y < height) {
    if (n - p < 2) {
      // The data ends before the end-of-bitmap mark: accepted only when the
      // last row is complete.
      if (y == height - 1 && x >= width) return;
      throw DibError(kConversionError);
    }
    const unsigned count = s[p], value = s[p + 1];
    p += 2;
    if (count > 0) {
      const unsigned shown = static_cast<unsigned>(std::clamp<std::int64_t>(width - x, 0, count));
      for (unsigned k = 0; k < shown; ++k) put(fourBits ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
      x += count - shown;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return;
      case 2:  // delta: move right and up
        if (n - p < 2) throw DibError(kConversionError);
        x += s[p];
        y += s[p + 1];
        p += 2;
        break;
      default: {  // absolute run, padded to a 16-bit boundary
        const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
        if (n - p < bytes) throw DibError(kConversionError);
        for (unsigned k = 0; k < value; ++k) {
          if (x >= width) {
            x += value - k;
            break;
          }
          put(fourBits ? ((k & 1) ? (s[p + k / 2] & 0x0F) : (s[p + k / 2] >> 4)) : s[p + k]);
        }
        p = std::min(n, p + ((bytes + 1) & ~std::size_t{1}));
        break;
      }
    }
  }
}

}  // namespace

std::unique_ptr<TextureImage> DecodeBitmap(std::span<const std::uint8_t> bytes, std::size_t maxImageBytes) {
  try {
    const DibLayout layout = ParseHeaders(bytes);
    const std::size_t imageBytes = CheckImage(layout, maxImageBytes);
    auto image = std::make_unique<TextureImage>();
    image->width = static_cast<int>(layout.width);
    image->height = static_cast<int>(layout.Rows());
    image->pixels.resize(imageBytes);
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4)
      DecodeRunLength(layout, image->pixels.data());
    else
      DecodeUncompressed(layout, image->pixels.data());
    return image;
  } catch (const DibError& error) {
    ShowMessage(error.message(), MessageKind::Error);
  } catch (const std::bad_alloc&) {
    ShowMessage(kOutOfMemory, MessageKind::Error);
  }
  return nullptr;
}

}  // namespace plicora
