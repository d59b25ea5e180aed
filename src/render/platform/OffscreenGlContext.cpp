#include "render/platform/OffscreenGlContext.h"

#include <GL/osmesa.h>
#include <dlfcn.h>

#include <cstring>

namespace plicora {

std::unique_ptr<OffscreenGlContext> OffscreenGlContext::Create(int width, int height, std::string* error,
                                                               OffscreenGlContext* share) {
  const int attribs[] = {OSMESA_FORMAT,
                         OSMESA_BGRA,
                         OSMESA_DEPTH_BITS,
                         24,
                         OSMESA_STENCIL_BITS,
                         0,
                         OSMESA_ACCUM_BITS,
                         0,
                         OSMESA_PROFILE,
                         OSMESA_COMPAT_PROFILE,
                         0};
  OSMesaContext ctx = OSMesaCreateContextAttribs(attribs, share ? share->context_ : nullptr);
  if (!ctx) {
    if (error) *error = "OpenGL Context Error";
    return nullptr;
  }
  std::unique_ptr<OffscreenGlContext> result(new OffscreenGlContext);
  result->context_ = ctx;
  if (!result->Resize(width, height)) {
    if (error) *error = "CreateDIBSection Error";
    return nullptr;
  }
  if (result->MakeCurrent()) {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    result->maxTextureSize_ = size;
    result->Release();
  }
  return result;
}

OffscreenGlContext::~OffscreenGlContext() {
  if (context_) {
    Release();
    OSMesaDestroyContext(context_);
  }
}

bool OffscreenGlContext::Resize(int width, int height) {
  if (width < 1 || height < 1 || width > 16384 || height > 16384) return false;
  const bool wasCurrent = IsCurrent();
  width_ = width;
  height_ = height;
  buffer_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
  if (wasCurrent) return MakeCurrent();
  return true;
}

bool OffscreenGlContext::MakeCurrent() {
  if (!OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width_, height_)) return false;
  OSMesaPixelStore(OSMESA_Y_UP, 1);
  return true;
}

void OffscreenGlContext::Release() {
  if (IsCurrent()) OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
}

bool OffscreenGlContext::IsCurrent() const {
  return context_ && OSMesaGetCurrentContext() == context_;
}

std::vector<std::uint8_t> OffscreenGlContext::ToBottomUpBgr24() const {
  const int stride = Bgr24Stride(width_);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height_), 0);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = buffer_.data() + static_cast<std::size_t>(y) * width_ * 4;
    std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width_; ++x) {
      dst[x * 3 + 0] = src[x * 4 + 0];
      dst[x * 3 + 1] = src[x * 4 + 1];
      dst[x * 3 + 2] = src[x * 4 + 2];
    }
  }
  return out;
}

QImage OffscreenGlContext::ToImage() const {
  QImage image(width_, height_, QImage::Format_RGB32);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = buffer_.data() + static_cast<std::size_t>(height_ - 1 - y) * width_ * 4;
    std::memcpy(image.scanLine(y), src, static_cast<std::size_t>(width_) * 4);
  }
  return image;
}

bool GlResolvesToOsMesa() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&glBegin), &info) || !info.dli_fname) return false;
  return std::strstr(info.dli_fname, "OSMesa") != nullptr;
}

}  // namespace plicora
