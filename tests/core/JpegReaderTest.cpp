#include <gtest/gtest.h>

#include <cstdlib>

#include "ImageFiles.h"
#include "TestSupport.h"
#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace plicora {
namespace {

/// Writes the bytes to a .jpg file and reads it back, keeping the messages.
struct JpegRead {
  explicit JpegRead(const std::string& bytes) {
    const ScopedMessageSink scope(sink);
    image = ReadImageFile(test::WriteFile(dir.File("image.jpg"), bytes));
  }
  const std::uint8_t* At(int x, int rowFromBottom) const {
    return image->pixels.data() + (static_cast<std::size_t>(rowFromBottom) * image->width + x) * 3;
  }
  test::TempDir dir;
  CollectingMessageSink sink;
  std::unique_ptr<TextureImage> image;
};

void ExpectColour(const std::uint8_t* p, int r, int g, int b) {
  EXPECT_NEAR(p[0], r, 4);
  EXPECT_NEAR(p[1], g, 4);
  EXPECT_NEAR(p[2], b, 4);
}

/// 16 x 16 RGB samples, top-down: the top half red, the bottom half blue.
std::vector<std::uint8_t> RedOverBlue() {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      samples.insert(samples.end(), {std::uint8_t(y < 8 ? 255 : 0), 0, std::uint8_t(y < 8 ? 0 : 255)});
  return samples;
}

/// Noise that compresses badly, so that a cut lands inside the image data.
std::vector<std::uint8_t> Noise(int width, int height) {
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * 3);
  unsigned seed = 12345;
  for (auto& s : samples) s = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
  return samples;
}

TEST(JpegReaderTest, ColourAndGreyFilesComeOutBottomUp) {
  JpegRead rgb(test::EncodeJpeg(16, 16, 3, JCS_RGB, JCS_YCbCr, RedOverBlue()));
  ASSERT_TRUE(rgb.image);
  EXPECT_EQ(rgb.image->width, 16);
  EXPECT_EQ(rgb.image->height, 16);
  ASSERT_EQ(rgb.image->pixels.size(), 16u * 16u * 3u);
  ExpectColour(rgb.At(3, 0), 0, 0, 255);   // bottom row: blue
  ExpectColour(rgb.At(3, 15), 255, 0, 0);  // top row: red
  EXPECT_TRUE(rgb.sink.messages.empty());

  std::vector<std::uint8_t> grey(24 * 8);
  for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<std::uint8_t>((i % 24) * 10);
  JpegRead g(test::EncodeJpeg(24, 8, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, grey, 90));
  ASSERT_TRUE(g.image);
  for (std::size_t i = 0; i < g.image->pixels.size(); i += 3) {
    EXPECT_EQ(g.image->pixels[i], g.image->pixels[i + 1]);
    EXPECT_EQ(g.image->pixels[i], g.image->pixels[i + 2]);
  }
  EXPECT_NEAR(g.At(20, 4)[0], 200, 8);
}

TEST(JpegReaderTest, CmykAndYcckAreConvertedToRgb) {
  // libjpeg writes an Adobe marker with CMYK, so the inks are stored
  // inverted: 255 means no ink.
  std::vector<std::uint8_t> inks;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (y < 8)
        inks.insert(inks.end(), {255, 0, 255, 255});  // magenta ink only
      else
        inks.insert(inks.end(), {255, 255, 255, 128});  // half black
    }
  for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    JpegRead read(test::EncodeJpeg(16, 16, 4, JCS_CMYK, stored, inks));
    ASSERT_TRUE(read.image) << stored;
    ExpectColour(read.At(5, 15), 255, 0, 255);
    ExpectColour(read.At(5, 0), 128, 128, 128);
  }
  // Without the Adobe marker the inks are taken as they are (0 = no ink).
  for (std::size_t i = 0; i < inks.size(); ++i) inks[i] = static_cast<std::uint8_t>(255 - inks[i]);
  JpegRead plain(test::EncodeJpeg(16, 16, 4, JCS_CMYK, JCS_CMYK, inks, 100, false));
  ASSERT_TRUE(plain.image);
  ExpectColour(plain.At(5, 15), 255, 0, 255);
  ExpectColour(plain.At(5, 0), 128, 128, 128);
}

TEST(JpegReaderTest, DamagedFilesGiveNoImageAndNoMessage) {
  const std::string whole = test::EncodeJpeg(64, 64, 3, JCS_RGB, JCS_YCbCr, Noise(64, 64), 90);
  ASSERT_TRUE(JpegRead(whole).image);
  for (std::size_t cut : {whole.size() / 2, whole.size() - 10, std::size_t{100}, std::size_t{2}, std::size_t{0}}) {
    JpegRead read(whole.substr(0, cut));
    EXPECT_FALSE(read.image) << cut;
    EXPECT_TRUE(read.sink.messages.empty()) << cut;
  }
  std::string garbled = whole;
  for (std::size_t i = whole.size() / 2; i < whole.size() / 2 + 64; ++i) garbled[i] = '\xFF';
  EXPECT_FALSE(JpegRead(garbled).image);
  EXPECT_FALSE(JpegRead("not a jpeg at all").image);
}

TEST(JpegReaderTest, OddScanParametersAloneDoNotMakeAFileCorrupt) {
  // The library warns about both cases below yet decodes every block; the
  // pictures are the same as those of the unaltered files.
  const std::vector<std::uint8_t> noise = Noise(32, 32);
  const std::string baseline = test::EncodeJpeg(32, 32, 3, JCS_RGB, JCS_YCbCr, noise, 90);
  const JpegRead intact(baseline);
  ASSERT_TRUE(intact.image);

  // A sequential scan header with zeroes for its spectral range, as some
  // writers leave it.
  std::string zeroedScan = baseline;
  const std::size_t sos = zeroedScan.find("\xFF\xDA");
  ASSERT_NE(sos, std::string::npos);
  const std::size_t sosEnd = sos + 2 + ((std::uint8_t(zeroedScan[sos + 2]) << 8) | std::uint8_t(zeroedScan[sos + 3]));
  zeroedScan.replace(sosEnd - 3, 3, std::string(3, '\0'));
  const JpegRead zeroed(zeroedScan);
  ASSERT_TRUE(zeroed.image);
  EXPECT_EQ(zeroed.image->pixels, intact.image->pixels);
  EXPECT_TRUE(zeroed.sink.messages.empty());

  // A progressive file with one of its scans repeated.
  const std::string progressive = test::EncodeJpeg(32, 32, 3, JCS_RGB, JCS_YCbCr, noise, 90, true, true);
  const std::size_t first = progressive.find("\xFF\xDA");
  const std::size_t second = progressive.find("\xFF\xDA", first + 2);
  const std::size_t third = progressive.find("\xFF\xDA", second + 2);
  ASSERT_NE(third, std::string::npos);
  std::string repeated = progressive;
  repeated.insert(third, progressive.substr(second, third - second));
  const JpegRead once(progressive);
  const JpegRead twice(repeated);
  ASSERT_TRUE(once.image);
  ASSERT_TRUE(twice.image);
  EXPECT_EQ(twice.image->pixels, once.image->pixels);
}

TEST(JpegReaderTest, OpenAndMemoryFailuresHaveTheirMessages) {
  test::TempDir dir;
  CollectingMessageSink sink;
  const ScopedMessageSink scope(sink);
  EXPECT_FALSE(ReadJpegFile(dir.File("none.jpg")));
  EXPECT_FALSE(ReadJpegFile(dir.path()));
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[0], "JPEG :\nCan't open " + dir.File("none.jpg") + "\n");

  // A small file whose frame header claims 65000 x 65000 pixels.
  std::string big = test::EncodeJpeg(8, 8, 3, JCS_RGB, JCS_YCbCr, std::vector<std::uint8_t>(8 * 8 * 3, 90));
  const std::size_t sof = big.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  big[sof + 5] = big[sof + 7] = '\xFD';
  big[sof + 6] = big[sof + 8] = '\xE8';
  sink.messages.clear();
  EXPECT_FALSE(ReadJpegFile(test::WriteFile(dir.File("big.jpg"), big)));
  EXPECT_EQ(sink.messages, std::vector<std::string>{"JpegFile :\nOut of memory"});

  // The in-memory decoder gives the same image as the file reader.
  const std::string small = test::EncodeJpeg(16, 16, 3, JCS_RGB, JCS_YCbCr, RedOverBlue());
  const auto fromFile = ReadJpegFile(test::WriteFile(dir.File("small.jpg"), small));
  const auto fromMemory =
      DecodeJpeg(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(small.data()), small.size()));
  ASSERT_TRUE(fromFile && fromMemory);
  EXPECT_EQ(fromFile->pixels, fromMemory->pixels);
}

}  // namespace
}  // namespace plicora
