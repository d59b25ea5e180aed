#include "gui/app/OpenGlDescription.h"

#include <GL/gl.h>

#include <optional>

#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

std::string GlString(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : std::string();
}

std::optional<GlDescription> AskContext() {
  std::unique_ptr<OffscreenGlContext> context = OffscreenGlContext::Create(1, 1);
  if (!context) return std::nullopt;
  OffscreenGlContext::Scope scope(*context);
  if (!scope.ok()) return std::nullopt;
  GlDescription gl;
  gl.version = GlString(GL_VERSION);
  gl.vendor = GlString(GL_VENDOR);
  gl.renderer = GlString(GL_RENDERER);
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  gl.maxTextureSize = size;
  return gl;
}

}  // namespace

GlDescription DescribeOffscreenGl() {
  static std::optional<GlDescription> known;
  if (!known) known = AskContext();
  return known.value_or(GlDescription{});
}

}  // namespace plicora
