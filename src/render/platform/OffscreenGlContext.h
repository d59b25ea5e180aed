#pragma once
// An OpenGL rendering context that draws into a buffer we own, with no
// display: the stand-in for a WGL context on a DIB section. A context is made
// current only for one operation and released after it, so several contexts
// can live on one thread. Pixels are BGRA, 4 bytes each, alpha kept at 255;
// rows are bottom-up (the first row in memory is the bottom of the picture),
// as in a device-independent bitmap.

#include <QImage>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct osmesa_context* OSMesaContext;

namespace plicora {

/// The device pixels of a length in client pixels at a pixel ratio (2 on a
/// high-DPI screen): a pane's buffer covers its whole client area.
inline int DevicePixels(int logical, double ratio) {
  return static_cast<int>(std::lround(logical * ratio));
}

class OffscreenGlContext {
 public:
  /// Creates a context with a width x height buffer (both at least 1).
  /// Returns null and sets `error` when the context cannot be made.
  /// Display lists are shared with `share` when given.
  static std::unique_ptr<OffscreenGlContext> Create(int width, int height, std::string* error = nullptr,
                                                    OffscreenGlContext* share = nullptr);
  ~OffscreenGlContext();
  OffscreenGlContext(const OffscreenGlContext&) = delete;
  OffscreenGlContext& operator=(const OffscreenGlContext&) = delete;

  /// Gives the buffer a new size; the context and its objects are kept.
  bool Resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  /// OpenGL's largest texture side in this context (0 if it could not be
  /// asked). Whoever sizes textures is given it; the context keeps it to itself.
  int MaxTextureSize() const { return maxTextureSize_; }

  /// Makes the context current on its buffer. False on failure.
  bool MakeCurrent();
  /// Releases the context if it is current.
  void Release();
  bool IsCurrent() const;

  /// BGRA pixels, bottom-up rows of width * 4 bytes. Complete after glFinish.
  const std::uint8_t* Bits() const { return buffer_.data(); }
  std::uint8_t* Bits() { return buffer_.data(); }

  /// The picture as a 24-bit bottom-up bitmap: B, G, R per pixel, each row
  /// padded to a multiple of 4 bytes.
  std::vector<std::uint8_t> ToBottomUpBgr24() const;
  /// The picture as an image with row 0 at the top (a copy).
  QImage ToImage() const;

  /// Makes the context current for the lifetime of the object.
  class Scope {
   public:
    explicit Scope(OffscreenGlContext& context) : context_(context), ok_(context.MakeCurrent()) {}
    ~Scope() { context_.Release(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool ok() const { return ok_; }

   private:
    OffscreenGlContext& context_;
    bool ok_;
  };

 private:
  OffscreenGlContext() = default;
  OSMesaContext context_ = nullptr;
  std::vector<std::uint8_t> buffer_;
  int width_ = 0;
  int height_ = 0;
  int maxTextureSize_ = 0;
};

/// Stride in bytes of a 24-bit bitmap row of `width` pixels (multiple of 4).
inline int Bgr24Stride(int width) {
  return (width * 3 + 3) & ~3;
}

/// True when the gl* entry points resolve into libOSMesa (a link-order check).
bool GlResolvesToOsMesa();

}  // namespace plicora
