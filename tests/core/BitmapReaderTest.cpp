#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "TestSupport.h"
#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace plicora {
namespace {

using test::BmpFields;
using test::MakeBmp;
using test::Rgb;

/// Writes the bytes to a .bmp file, reads it back and keeps the messages.
struct BitmapRead {
  explicit BitmapRead(const std::string& bytes, const std::string& name = "image.bmp") {
    const ScopedMessageSink scope(sink);
    image = ReadBitmapFile(test::WriteFile(dir.File(name), bytes));
  }
  /// Pixel at x, row counted from the bottom (the order the reader delivers).
  Rgb At(int x, int row) const {
    const std::uint8_t* p = image->pixels.data() + (static_cast<std::size_t>(row) * image->width + x) * 3;
    return {p[0], p[1], p[2]};
  }
  test::TempDir dir;
  CollectingMessageSink sink;
  std::unique_ptr<TextureImage> image;
};

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
constexpr Rgb kGrey{10, 20, 30};

void ExpectRefused(const std::string& bytes, const std::string& message) {
  BitmapRead read(bytes);
  EXPECT_EQ(read.image, nullptr);
  ASSERT_EQ(read.sink.messages.size(), 1u);
  EXPECT_EQ(read.sink.messages[0], message);
}

TEST(BitmapReaderTest, IndexedDepthsUseTheirColourTables) {
  // 1 bit, 5 wide (1 byte of pixels, 3 of padding), colours-used 0 -> two entries.
  BmpFields one;
  one.width = 5, one.height = 2, one.bitCount = 1;
  one.palette = {kBlack, kWhite};
  one.bits = std::string("\xA8\0\0\0\x50\0\0\0", 8);  // bottom 10101, top 01010
  BitmapRead r1(MakeBmp(one));
  ASSERT_TRUE(r1.image);
  EXPECT_EQ(r1.image->width, 5);
  EXPECT_EQ(r1.image->height, 2);
  EXPECT_EQ(r1.image->pixels.size(), 30u);
  EXPECT_EQ(r1.At(0, 0), kWhite);
  EXPECT_EQ(r1.At(1, 0), kBlack);
  EXPECT_EQ(r1.At(4, 0), kWhite);
  EXPECT_EQ(r1.At(0, 1), kBlack);
  EXPECT_EQ(r1.At(3, 1), kWhite);

  // 4 bits, 3 wide: high nibble first.
  BmpFields four;
  four.width = 3, four.height = 1, four.bitCount = 4;
  four.palette.assign(16, kBlack);
  four.palette[1] = kRed, four.palette[2] = kGreen, four.palette[15] = kBlue;
  four.bits = std::string("\x12\xF0\0\0", 4);
  BitmapRead r4(MakeBmp(four));
  ASSERT_TRUE(r4.image);
  EXPECT_EQ(r4.At(0, 0), kRed);
  EXPECT_EQ(r4.At(1, 0), kGreen);
  EXPECT_EQ(r4.At(2, 0), kBlue);

  // 8 bits with a short table (colours-used 3), as a packed DIB without the
  // file header: the bits start right after the 3 entries. Index 200 lies
  // beyond the table and comes out black.
  BmpFields eight;
  eight.fileHeader = false;
  eight.width = 5, eight.height = 1, eight.bitCount = 8, eight.colorsUsed = 3;
  eight.palette = {kRed, kGrey, kBlue};
  eight.bits = std::string("\x00\x01\x02\xC8\x01\0\0\0", 8);
  BitmapRead r8(MakeBmp(eight));
  ASSERT_TRUE(r8.image);
  EXPECT_EQ(r8.At(0, 0), kRed);
  EXPECT_EQ(r8.At(1, 0), kGrey);
  EXPECT_EQ(r8.At(2, 0), kBlue);
  EXPECT_EQ(r8.At(3, 0), kBlack);
  EXPECT_EQ(r8.At(4, 0), kGrey);
}

TEST(BitmapReaderTest, CoreHeaderWithThreeByteEntries) {
  BmpFields core;
  core.headerSize = 12;
  core.width = 2, core.height = 2, core.bitCount = 4;
  core.palette.assign(16, kBlack);
  core.palette[3] = kGrey, core.palette[4] = kGreen;
  core.bits = std::string("\x34\0\0\0\x43\0\0\0", 8);
  for (bool fileHeader : {true, false}) {
    core.fileHeader = fileHeader;
    BitmapRead read(MakeBmp(core));
    ASSERT_TRUE(read.image);
    EXPECT_EQ(read.At(0, 0), kGrey);
    EXPECT_EQ(read.At(1, 0), kGreen);
    EXPECT_EQ(read.At(0, 1), kGreen);
    EXPECT_EQ(read.At(1, 1), kGrey);
  }
}

TEST(BitmapReaderTest, TrueColourRowsInBothOrders) {
  // 24 bits, 5 wide: 15 bytes of pixels and 1 of padding per row.
  std::string bottomUp;
  for (const Rgb& c : {kRed, kGreen, kBlue, kWhite, kGrey}) bottomUp += {char(c[2]), char(c[1]), char(c[0])};
  bottomUp += '\0';
  std::string topRow;
  for (int i = 0; i < 5; ++i) topRow += {char(kGrey[2]), char(kGrey[1]), char(kGrey[0])};
  topRow += '\0';
  BmpFields f;
  f.width = 5, f.height = 2, f.bitCount = 24;
  f.bits = bottomUp + topRow;
  BitmapRead up(MakeBmp(f));
  f.height = -2;
  f.bits = topRow + bottomUp;
  BitmapRead down(MakeBmp(f));
  for (const BitmapRead* read : {&up, &down}) {
    ASSERT_TRUE(read->image);
    EXPECT_EQ(read->image->height, 2);
    EXPECT_EQ(read->At(0, 0), kRed);
    EXPECT_EQ(read->At(3, 0), kWhite);
    EXPECT_EQ(read->At(4, 0), kGrey);
    EXPECT_EQ(read->At(2, 1), kGrey);
  }
  EXPECT_EQ(up.image->pixels, down.image->pixels);

  // 32 bits: B, G, R, unused.
  BmpFields f32;
  f32.width = 2, f32.height = -1, f32.bitCount = 32;
  f32.bits = std::string("\x1E\x14\x0A\xFF\xFF\0\0\0", 8);
  BitmapRead r32(MakeBmp(f32));
  ASSERT_TRUE(r32.image);
  EXPECT_EQ(r32.At(0, 0), kGrey);
  EXPECT_EQ(r32.At(1, 0), kBlue);
}

TEST(BitmapReaderTest, SixteenBitsAndBitFieldMasks) {
  // Plain 16 bits are 5-5-5; 3 pixels wide need 2 bytes of padding.
  BmpFields f;
  f.width = 3, f.height = 2, f.bitCount = 16;
  f.bits = std::string("\x00\x7C\xE0\x03\x1F\x00\0\0\xFF\x7F\x10\x42\x00\x00\0\0", 16);
  BitmapRead plain(MakeBmp(f));
  ASSERT_TRUE(plain.image);
  EXPECT_EQ(plain.At(0, 0), kRed);
  EXPECT_EQ(plain.At(1, 0), kGreen);
  EXPECT_EQ(plain.At(2, 0), kBlue);
  EXPECT_EQ(plain.At(0, 1), kWhite);
  EXPECT_EQ(plain.At(1, 1), (Rgb{132, 132, 132}));  // 16 of 31 -> 10000 100
  EXPECT_EQ(plain.At(2, 1), kBlack);

  // 5-6-5 masks, top-down.
  BmpFields m;
  m.width = 2, m.height = -1, m.bitCount = 16, m.compression = 3;
  m.masks = {0xF800, 0x07E0, 0x001F};
  m.bits = std::string("\xE0\x07\x00\xF8", 4);
  BitmapRead r565(MakeBmp(m));
  ASSERT_TRUE(r565.image);
  EXPECT_EQ(r565.At(0, 0), kGreen);
  EXPECT_EQ(r565.At(1, 0), kRed);

  // 32 bits with the channels in the other order (red in the low byte), as
  // a packed DIB: masks, then the bits.
  BmpFields m32;
  m32.fileHeader = false;
  m32.width = 1, m32.height = 1, m32.bitCount = 32, m32.compression = 3;
  m32.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  m32.bits = std::string("\x0A\x14\x1E\x00", 4);
  BitmapRead r32(MakeBmp(m32));
  ASSERT_TRUE(r32.image);
  EXPECT_EQ(r32.At(0, 0), kGrey);
}

TEST(BitmapReaderTest, RunLengthEncodedEightBits) {
  BmpFields f;
  f.width = 6, f.height = 3, f.bitCount = 8, f.compression = 1, f.colorsUsed = 4;
  f.palette = {kBlack, kRed, kGreen, kBlue};
  f.bits = std::string(
      "\x03\x01"              // row 0: 3 red
      "\x00\x03\x02\x03\x02"  // absolute run of 3 (green blue green) + 1 byte padding
      "\x00"
      "\x00\x00"          // end of line
      "\x00\x02\x02\x01"  // delta: 2 right, 1 up -> row 2, x 2
      "\x09\x03"          // 9 blue, clipped at the right edge
      "\x00\x01",         // end of bitmap
      18);
  BitmapRead read(MakeBmp(f));
  ASSERT_TRUE(read.image);
  EXPECT_EQ(read.At(0, 0), kRed);
  EXPECT_EQ(read.At(2, 0), kRed);
  EXPECT_EQ(read.At(3, 0), kGreen);
  EXPECT_EQ(read.At(4, 0), kBlue);
  EXPECT_EQ(read.At(5, 0), kGreen);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(read.At(x, 1), kBlack) << x;  // skipped by the delta
  EXPECT_EQ(read.At(1, 2), kBlack);
  EXPECT_EQ(read.At(2, 2), kBlue);
  EXPECT_EQ(read.At(5, 2), kBlue);
}

TEST(BitmapReaderTest, RunLengthEncodedFourBits) {
  BmpFields f;
  f.width = 5, f.height = 2, f.bitCount = 4, f.compression = 2;
  f.palette.assign(16, kBlack);
  f.palette[1] = kRed, f.palette[2] = kGreen, f.palette[3] = kBlue;
  f.bits = std::string(
      "\x05\x12"          // row 0: red green red green red
      "\x00\x00"          // end of line
      "\x00\x03\x32\x10"  // absolute: blue green red (2 bytes, already even)
      "\x02\x33"          // 2 blue
      "\x00\x01",
      12);
  BitmapRead read(MakeBmp(f));
  ASSERT_TRUE(read.image);
  EXPECT_EQ(read.At(0, 0), kRed);
  EXPECT_EQ(read.At(1, 0), kGreen);
  EXPECT_EQ(read.At(4, 0), kRed);
  EXPECT_EQ(read.At(0, 1), kBlue);
  EXPECT_EQ(read.At(1, 1), kGreen);
  EXPECT_EQ(read.At(2, 1), kRed);
  EXPECT_EQ(read.At(3, 1), kBlue);
  EXPECT_EQ(read.At(4, 1), kBlue);

  // An absolute run of 5 pixels takes 3 bytes, padded to 4.
  f.height = 1;
  f.bits = std::string("\x00\x05\x12\x31\x20\x00\x00\x01", 8);
  BitmapRead padded(MakeBmp(f));
  ASSERT_TRUE(padded.image);
  EXPECT_EQ(padded.At(3, 0), kRed);
  EXPECT_EQ(padded.At(4, 0), kGreen);
  EXPECT_TRUE(padded.sink.messages.empty());
}

TEST(BitmapReaderTest, RefusedHeadersAndLayouts) {
  BmpFields v4;
  v4.headerSize = 108;
  v4.bits = std::string(4, '\0');
  ExpectRefused(MakeBmp(v4), "Unknown DIB file format.");
  v4.headerSize = 124;
  ExpectRefused(MakeBmp(v4), "Unknown DIB file format.");

  BmpFields jpegInside;  // compression 4: a JPEG stream inside the bitmap
  jpegInside.compression = 4;
  jpegInside.bits = std::string(4, '\0');
  ExpectRefused(MakeBmp(jpegInside), "Image file conversion error.");
  BmpFields rleTopDown;
  rleTopDown.bitCount = 8, rleTopDown.compression = 1, rleTopDown.height = -1;
  rleTopDown.bits = std::string("\x01\x00\x00\x01", 4);
  ExpectRefused(MakeBmp(rleTopDown), "Image file conversion error.");
  BmpFields twoBits;
  twoBits.bitCount = 2;
  twoBits.bits = std::string(4, '\0');
  ExpectRefused(MakeBmp(twoBits), "Image file conversion error.");
}

TEST(BitmapReaderTest, FilesThatPromiseMoreThanTheyHold) {
  BmpFields f;
  f.width = 5, f.height = 2;
  f.bits = std::string(32, '\x7F');
  const std::string whole = MakeBmp(f);
  // The last row may lack its padding byte, not a pixel byte.
  EXPECT_TRUE(BitmapRead(whole.substr(0, whole.size() - 1)).image);
  ExpectRefused(whole.substr(0, whole.size() - 2), "Image file conversion error.");
  ExpectRefused(whole.substr(0, 30), "Image file conversion error.");  // inside the header
  ExpectRefused("BM", "Image file conversion error.");

  BmpFields farBits = f;
  farBits.bitsOffset = 1000;
  ExpectRefused(MakeBmp(farBits), "Image file conversion error.");
  BmpFields hugeTable = f;
  hugeTable.bitCount = 8, hugeTable.colorsUsed = 0x40000000;
  ExpectRefused(MakeBmp(hugeTable), "Image file conversion error.");

  BmpFields rle;
  rle.width = 4, rle.height = 2, rle.bitCount = 8, rle.compression = 1;
  rle.palette.assign(256, kRed);
  rle.bits = std::string("\x04\x01\x00\x00\x04", 5);  // cut inside row 1
  ExpectRefused(MakeBmp(rle), "Image file conversion error.");
  rle.bits = std::string("\x04\x01\x00\x00\x04\x01", 6);  // every row complete, no end mark
  EXPECT_TRUE(BitmapRead(MakeBmp(rle)).image);
}

TEST(BitmapReaderTest, SizesThatCannotBeHeldAreRefusedBeforeAllocating) {
  BmpFields huge;
  huge.width = 0x7FFFFFFF, huge.height = 0x7FFFFFFF, huge.bitCount = 8, huge.compression = 1;
  huge.palette.assign(256, kRed);
  huge.bits = std::string("\x00\x01", 2);
  ExpectRefused(MakeBmp(huge), "Out of memory.");
  huge.height = static_cast<std::int32_t>(0x80000000u);  // the most negative height
  huge.compression = 0, huge.bitCount = 24, huge.palette.clear();
  ExpectRefused(MakeBmp(huge), "Out of memory.");
  BmpFields empty;
  empty.width = 0;
  ExpectRefused(MakeBmp(empty), "Out of memory.");
  empty.width = -3;
  ExpectRefused(MakeBmp(empty), "Out of memory.");

  // The in-memory decoder takes a lower bound (used by the fuzzer).
  const std::string bytes = test::MakeBmp24(100, 100, [](int, int) { return kRed; });
  CollectingMessageSink sink;
  const ScopedMessageSink scope(sink);
  const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  EXPECT_FALSE(DecodeBitmap(span, 100 * 100 * 3 - 1));
  EXPECT_TRUE(DecodeBitmap(span, 100 * 100 * 3));
  EXPECT_EQ(sink.messages, std::vector<std::string>{"Out of memory."});
}

TEST(BitmapReaderTest, FilesThatCannotBeOpened) {
  test::TempDir dir;
  CollectingMessageSink sink;
  const ScopedMessageSink scope(sink);
  const std::string missing = dir.File("missing.bmp");
  EXPECT_FALSE(ReadBitmapFile(missing));
  EXPECT_FALSE(ReadBitmapFile(test::WriteFile(dir.File("empty.bmp"), "")));
  EXPECT_FALSE(ReadBitmapFile(dir.path()));
  ASSERT_EQ(sink.messages.size(), 3u);
  EXPECT_EQ(sink.messages[0], "Failed to open DIB file " + missing + ".\n");
  EXPECT_EQ(sink.messages[1], "Failed to open DIB file " + dir.File("empty.bmp") + ".\n");
}

TEST(BitmapReaderTest, ExtensionChoosesTheDecoder) {
  test::TempDir dir;
  CollectingMessageSink sink;
  const ScopedMessageSink scope(sink);
  for (const char* name : {"a.JPG", "b.Jpeg", "c.jpg", ".jpg", "x.bmp.jpeg"}) {
    EXPECT_FALSE(ReadImageFile(dir.File(name)));
    EXPECT_EQ(sink.messages.back(), "JPEG :\nCan't open " + dir.File(name) + "\n");
  }
  for (const char* name : {"d.jpe", "e.BMP", "f", "g.png", "x.jpg.bmp"}) {
    EXPECT_FALSE(ReadImageFile(dir.File(name)));
    EXPECT_EQ(sink.messages.back(), "Failed to open DIB file " + dir.File(name) + ".\n");
  }
  // A bitmap under any name other than .jpg/.jpeg is decoded as a bitmap.
  const std::string path = test::WriteFile(dir.File("h.jpe"), test::MakeBmp24(3, 1, [](int, int) { return kBlue; }));
  const auto image = ReadImageFile(path);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[2], 255);
}

}  // namespace
}  // namespace plicora
