// Reading JPEG files through libjpeg. Colour files come out as RGB, greyscale
// files as grey repeated into R, G and B, CMYK and YCCK files are converted
// to RGB. Any library error, and any warning that means the image data is
// damaged or cut short, makes the file count as corrupt: the reader then
// returns none without a message of its own.

#include <sys/stat.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs size_t and FILE declared before it, jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace plicora {
namespace {

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int damageWarnings;
};

[[noreturn]] void ExitToReader(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);  // formatted and dropped
  std::longjmp(err->jump, 1);
}

/// Warnings that say the compressed data is damaged or ends early (the
/// library pads the picture and carries on). The others leave the image
/// intact: stray bytes between markers, unknown versions or transforms, and
/// odd scan parameters (a sequential scan header left at zero, a repeated
/// progressive scan), which some writers produce and the library decodes in
/// full.
bool IsDamageWarning(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
      return true;
    default:
      return false;
  }
}

void CountWarnings(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  ++err->pub.num_warnings;
  if (IsDamageWarning(err->pub.msg_code)) ++err->damageWarnings;
}

using SourceSetup = void (*)(j_decompress_ptr cinfo, void* context);

/// State shared between the decoding routine and its caller; it lives in the
/// caller's frame so that nothing of it is lost when the library jumps back.
struct JpegJob {
  SourceSetup setup;
  void* context;
  std::size_t maxImageBytes;
  std::unique_ptr<TextureImage> image;
  bool outOfMemory = false;
};

bool AllocateImage(JpegJob& job, std::size_t width, std::size_t height) noexcept {
  try {
    job.image = std::make_unique<TextureImage>();
    job.image->width = static_cast<int>(width);
    job.image->height = static_cast<int>(height);
    job.image->pixels.resize(width * height * 3);
    return true;
  } catch (const std::bad_alloc&) {
    job.image.reset();
    return false;
  }
}

/// Converts one decoded row that is not already RGB.
void ConvertRow(const j_decompress_ptr cinfo, const JSAMPLE* in, std::uint8_t* out) {
  const JDIMENSION width = cinfo->output_width;
  if (cinfo->output_components == 1) {
    for (JDIMENSION x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
    return;
  }
  // CMYK (YCCK is turned into CMYK by the library). Files with an Adobe
  // marker store the inks inverted (0 = full ink), as Photoshop writes them.
  const bool inverted = cinfo->saw_Adobe_marker;
  for (JDIMENSION x = 0; x < width; ++x, out += 3, in += 4) {
    const unsigned c = inverted ? in[0] : 255 - in[0];
    const unsigned m = inverted ? in[1] : 255 - in[1];
    const unsigned y = inverted ? in[2] : 255 - in[2];
    const unsigned k = inverted ? in[3] : 255 - in[3];
    out[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
    out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    out[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
  }
}

/// Reads every scanline; rows arrive top-down and are stored bottom-up.
void ReadRows(j_decompress_ptr cinfo, TextureImage& image) {
  const std::size_t stride = static_cast<std::size_t>(cinfo->output_width) * 3;
  const JDIMENSION height = cinfo->output_height;
  if (cinfo->output_components == 3) {
    JSAMPROW rows[8];
    while (cinfo->output_scanline < height) {
      const JDIMENSION first = cinfo->output_scanline;
      JDIMENSION count = std::min<JDIMENSION>(8, height - first);
      for (JDIMENSION i = 0; i < count; ++i) rows[i] = image.pixels.data() + (height - 1 - first - i) * stride;
      if (jpeg_read_scanlines(cinfo, rows, count) == 0) break;
    }
    return;
  }
  const JDIMENSION sampleWidth = cinfo->output_width * static_cast<JDIMENSION>(cinfo->output_components);
  JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, sampleWidth, 1);
  while (cinfo->output_scanline < height) {
    if (jpeg_read_scanlines(cinfo, buffer, 1) == 0) break;
    const std::size_t row = cinfo->output_scanline - 1;
    ConvertRow(cinfo, buffer[0], image.pixels.data() + (height - 1 - row) * stride);
  }
}

/// The library part of the decoding. The library leaves by a jump on any
/// error, so this frame holds no object with a destructor.
bool Decompress(j_decompress_ptr cinfo, JpegErrorManager* err, JpegJob* job) {
  if (setjmp(err->jump)) return false;
  jpeg_CreateDecompress(cinfo, JPEG_LIB_VERSION, sizeof *cinfo);
  (*job->setup)(cinfo, job->context);
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) cinfo->out_color_space = JCS_CMYK;
  jpeg_calc_output_dimensions(cinfo);
  const int components = cinfo->output_components;
  if (components != 1 && components != 3 && !(components == 4 && cinfo->out_color_space == JCS_CMYK)) return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(cinfo->output_width) * cinfo->output_height * 3;
  if (bytes > job->maxImageBytes) {
    job->outOfMemory = true;
    return false;
  }
  // The library's own buffers (whole-image buffers of progressive files)
  // are bounded the same way; beyond it the library reports an error.
  cinfo->mem->max_memory_to_use = static_cast<long>(job->maxImageBytes);
  jpeg_start_decompress(cinfo);
  if (!AllocateImage(*job, cinfo->output_width, cinfo->output_height)) {
    job->outOfMemory = true;
    return false;
  }
  ReadRows(cinfo, *job->image);
  jpeg_finish_decompress(cinfo);
  return err->damageWarnings == 0;
}

std::unique_ptr<TextureImage> DecodeWith(SourceSetup setup, void* context, std::size_t maxImageBytes) {
  jpeg_decompress_struct cinfo{};
  JpegErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ExitToReader;
  err.pub.emit_message = CountWarnings;
  JpegJob job{setup, context, maxImageBytes, nullptr, false};
  const bool ok = Decompress(&cinfo, &err, &job);
  jpeg_destroy_decompress(&cinfo);
  if (ok) return std::move(job.image);
  if (job.outOfMemory) ShowMessage("JpegFile :\nOut of memory", MessageKind::Error);
  return nullptr;
}

void FileSource(j_decompress_ptr cinfo, void* context) {
  jpeg_stdio_src(cinfo, static_cast<FILE*>(context));
}

struct MemorySpan {
  const std::uint8_t* data;
  std::size_t size;
};

void MemorySource(j_decompress_ptr cinfo, void* context) {
  const auto* span = static_cast<const MemorySpan*>(context);
  jpeg_mem_src(cinfo, span->data, static_cast<unsigned long>(span->size));
}

}  // namespace

std::unique_ptr<TextureImage> ReadJpegFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  struct stat st {};
  if (file && (::fstat(fileno(file), &st) != 0 || S_ISDIR(st.st_mode))) {
    std::fclose(file);
    file = nullptr;
  }
  if (!file) {
    ShowMessage("JPEG :\nCan't open " + path + "\n", MessageKind::Warning);
    return nullptr;
  }
  std::unique_ptr<TextureImage> image = DecodeWith(FileSource, file, kMaxDecodedImageBytes);
  std::fclose(file);
  return image;
}

std::unique_ptr<TextureImage> DecodeJpeg(std::span<const std::uint8_t> bytes, std::size_t maxImageBytes) {
  MemorySpan span{bytes.data(), bytes.size()};
  return DecodeWith(MemorySource, &span, maxImageBytes);
}

}  // namespace plicora
