#include "render/view3d/RenderCache.h"

#include <GL/gl.h>

namespace plicora {
namespace {

void SetFilters(bool smooth) {
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

}  // namespace

void RenderCache::Release() {
  for (const auto& [slot, id] : lists_) glDeleteLists(id, 1);
  lists_.clear();
  for (auto& [slot, triangles] : triangles_) triangles.Release();
  triangles_.clear();
  for (const auto& [material, texture] : textures_) glDeleteTextures(1, &texture.id);
  textures_.clear();
  glBindTexture(GL_TEXTURE_2D, 0);
}

void RenderCache::BeginFrame(std::uint64_t key) {
  if (stale_ || key != key_) Release();
  stale_ = false;
  key_ = key;
}

void RenderCache::Draw(int slot, const std::function<void()>& draw) {
  auto it = lists_.find(slot);
  if (it == lists_.end()) {
    const GLuint id = glGenLists(1);
    if (id == 0) {
      draw();
      return;
    }
    glNewList(id, GL_COMPILE);
    draw();
    glEndList();
    it = lists_.emplace(slot, id).first;
  }
  glCallList(it->second);
}

CulledTriangles* RenderCache::Triangles(int slot) {
  auto it = triangles_.find(slot);
  return it == triangles_.end() ? nullptr : &it->second;
}

CulledTriangles& RenderCache::NewTriangles(int slot) {
  triangles_.erase(slot);
  return triangles_[slot];
}

void RenderCache::BindTexture(const Material& material, bool smooth) {
  const TextureImage& image = *material.image;
  Texture& t = textures_[&material];
  if (t.id != 0 && t.pixels == image.pixels.data() && t.width == image.width && t.height == image.height) {
    glBindTexture(GL_TEXTURE_2D, t.id);
    return;
  }
  if (t.id == 0) glGenTextures(1, &t.id);
  glBindTexture(GL_TEXTURE_2D, t.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  SetFilters(smooth);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
  t.pixels = image.pixels.data();
  t.width = image.width;
  t.height = image.height;
}

void RenderCache::OnTextureFilter(bool smooth) {
  for (const auto& [material, texture] : textures_) {
    glBindTexture(GL_TEXTURE_2D, texture.id);
    SetFilters(smooth);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  SetFilters(smooth);
}

}  // namespace plicora
