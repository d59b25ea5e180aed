// Decoding speed of the texture image readers on 4096 x 4096 pictures:
// the JPEG reader against Debian's djpeg decoding the same file, the bitmap
// reader against reading the file's bytes into memory. Each figure is the
// best of several runs, the two sides of a ratio run alternately.

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

extern char** environ;

namespace {

constexpr int kSide = 4096;
constexpr int kRuns = 7;

/// A picture with gradients, edges and some noise, top-down RGB.
std::vector<std::uint8_t> MakePicture() {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kSide) * kSide * 3);
  unsigned seed = 1;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      seed = seed * 1103515245 + 12345;
      const int noise = static_cast<int>((seed >> 16) & 15);
      std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * kSide + x) * 3;
      const bool tile = ((x / 64) + (y / 64)) % 2;
      p[0] = static_cast<std::uint8_t>((x / 16 + noise) & 0xFF);
      p[1] = static_cast<std::uint8_t>((y / 16 + (tile ? 60 : 0)) & 0xFF);
      p[2] = static_cast<std::uint8_t>(((x + y) / 32 + noise) & 0xFF);
    }
  }
  return rgb;
}

void WriteJpeg(const std::string& path, const std::vector<std::uint8_t>& rgb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = cinfo.image_height = kSide;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + static_cast<std::size_t>(cinfo.next_scanline) * kSide * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
}

void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void WriteBmp(const std::string& path, const std::vector<std::uint8_t>& rgb) {
  const std::uint32_t stride = kSide * 3;  // already a multiple of 4
  std::string header = "BM";
  Put32(header, 54 + stride * kSide);
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, kSide);
  Put32(header, kSide);
  Put32(header, 1 | (24 << 16));
  for (int i = 0; i < 6; ++i) Put32(header, 0);
  std::vector<char> bits(static_cast<std::size_t>(stride) * kSide);
  for (int row = 0; row < kSide; ++row) {
    const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(kSide - 1 - row) * stride;
    char* out = bits.data() + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < kSide; ++x) {
      out[3 * x] = static_cast<char>(src[3 * x + 2]);
      out[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
      out[3 * x + 2] = static_cast<char>(src[3 * x]);
    }
  }
  std::ofstream file(path, std::ios::binary);
  file.write(header.data(), static_cast<std::streamsize>(header.size()));
  file.write(bits.data(), static_cast<std::streamsize>(bits.size()));
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

/// Best wall times of `a` and `b`, run alternately so that both see the same
/// machine load.
std::pair<double, double> BestOfBoth(const std::function<void()>& a, const std::function<void()>& b) {
  double bestA = 1e30, bestB = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    bestA = std::min(bestA, Milliseconds(a));
    bestB = std::min(bestB, Milliseconds(b));
  }
  return {bestA, bestB};
}

void RunDjpeg(const std::string& jpeg, const std::string& out) {
  const char* argv[] = {"djpeg", "-outfile", out.c_str(), jpeg.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    std::fputs("image: cannot run djpeg (package libjpeg-turbo-progs)\n", stderr);
    std::exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fputs("image: djpeg failed\n", stderr);
    std::exit(1);
  }
}

std::size_t ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::vector<char> bytes(static_cast<std::size_t>(file.tellg()));
  file.seekg(0);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : "/tmp";
  const std::string jpeg = dir + "/image-bench.jpg", bmp = dir + "/image-bench.bmp", ppm = dir + "/image-bench.ppm";
  {
    const std::vector<std::uint8_t> picture = MakePicture();
    WriteJpeg(jpeg, picture);
    WriteBmp(bmp, picture);
  }
  std::size_t checked = 0;
  auto decode = [&](auto reader, const std::string& path) {
    auto image = reader(path);
    if (!image || image->width != kSide || image->height != kSide) {
      std::fprintf(stderr, "image: %s was not decoded\n", path.c_str());
      std::exit(1);
    }
    checked += image->pixels[12345];
  };

  // Warm the caches and the code once, then interleave the measurements.
  decode(plicora::ReadJpegFile, jpeg);
  RunDjpeg(jpeg, ppm);
  const auto [ours, djpeg] = BestOfBoth([&] { decode(plicora::ReadJpegFile, jpeg); }, [&] { RunDjpeg(jpeg, ppm); });
  const auto [bmpOurs, bmpRead] =
      BestOfBoth([&] { decode(plicora::ReadBitmapFile, bmp); }, [&] { checked += ReadBytes(bmp); });
  std::remove(ppm.c_str());
  std::remove(jpeg.c_str());
  std::remove(bmp.c_str());

  std::printf("jpeg 4096x4096: ReadJpegFile %.1f ms, djpeg to a file %.1f ms\n", ours, djpeg);
  std::printf("bmp 4096x4096 24-bit: ReadBitmapFile %.1f ms, reading the bytes %.1f ms, ratio %.2f\n", bmpOurs, bmpRead,
              bmpOurs / bmpRead);
  std::printf("(checksum %zu)\n", checked % 10);
  std::printf("image: ratio %.2f (goal <= 1.2)\n", ours / djpeg);
  return 0;
}
