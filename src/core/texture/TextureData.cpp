#include "core/texture/TextureData.h"

#include <algorithm>

#include "core/texture/ImageFile.h"

namespace plicora {

int NextTextureSide(int side) {
  for (int size = 64; size <= 32768; size *= 2) {
    if (size > side) return size;
  }
  return 0;
}

int TextureSideFor(int width, int height, int limit) {
  // A side of 32768 or more finds no size (0), which counts as smaller than
  // any other and so ends at 64.
  int n = std::max(NextTextureSide(width), NextTextureSide(height));
  if (n > limit) return limit;
  return std::max(n, 64);
}

std::unique_ptr<TextureImage> LoadTextureImage(const std::string& path, int limit) {
  std::unique_ptr<TextureImage> picture = ReadImageFile(path);
  if (!picture) return nullptr;
  const int side = TextureSideFor(picture->width, picture->height, limit);
  if (side < 1) return nullptr;
  // The decoders deliver the bottom row first; the texture starts at the top.
  return std::make_unique<TextureImage>(ResampleNearest(*picture, side, side, true));
}

void AttachTexture(Material& material, std::unique_ptr<TextureImage> image, const std::string& path,
                   const std::function<void()>& markModified) {
  material.image = std::move(image);
  material.hasTexture = material.image != nullptr;
  material.textureFile = path;
  if (markModified) markModified();
}

void RemoveTexture(Material& material, const std::function<void()>& markModified) {
  material.image.reset();
  material.hasTexture = false;
  material.textureFile.clear();
  if (markModified) markModified();
}

int ApplyTextureLimit(Model& model, const Settings& settings) {
  if (!settings.bLimitTextureSize || settings.textureLimitSize < 1) return 0;
  const int limit = settings.textureLimitSize;
  int reduced = 0;
  auto reduce = [&](Material& material) {
    if (!material.hasTexture || !material.image) return;
    if (material.image->width <= limit && material.image->height <= limit) return;
    ResizeTextureImage(material, limit);
    ++reduced;
  };
  for (Material& material : model.materials) reduce(material);
  reduce(model.defaultMaterial);
  return reduced;
}

}  // namespace plicora
