#include "texture/TextureData.h"

#include <algorithm>
#include <cstring>

#include "texture/ImageFile.h"

namespace plicora {

TextureImage ResampleNearest(const TextureImage& source, int targetWidth, int targetHeight, bool flip) {
  TextureImage target;
  if (targetWidth < 1 || targetHeight < 1) return target;
  target.width = targetWidth;
  target.height = targetHeight;
  target.pixels.assign(static_cast<std::size_t>(targetWidth) * static_cast<std::size_t>(targetHeight) * 3, 0);
  if (source.width < 1 || source.height < 1) return target;
  const long long sw = source.width, sh = source.height;
  const std::size_t available = source.pixels.size();
  for (int i = 0; i < targetHeight; ++i) {
    const long long row = flip ? sh * (targetHeight - 1 - i) / targetHeight : sh * i / targetHeight;
    std::uint8_t* out = target.pixels.data() + static_cast<std::size_t>(i) * targetWidth * 3;
    for (int j = 0; j < targetWidth; ++j) {
      const long long column = sw * j / targetWidth;
      const std::size_t at = static_cast<std::size_t>((row * sw + column) * 3);
      if (at + 3 <= available) std::memcpy(out + j * 3, source.pixels.data() + at, 3);
    }
  }
  return target;
}

void ResizeTextureImage(Material& material, int size) {
  if (!material.image || size < 1) return;
  material.hasTexture = false;
  TextureImage resized = ResampleNearest(*material.image, size, size, false);
  *material.image = std::move(resized);
  material.hasTexture = true;
}

int EffectiveTextureLimit(const Settings& settings, int maxTextureSize) {
  int limit = maxTextureSize;
  if (settings.bLimitTextureSize) limit = std::min(limit, settings.textureLimitSize);
  return limit;
}

void FitLoadedTexture(Material& material, int limit) {
  if (!material.image) return;
  if (material.image->width > limit || material.image->height > limit) ResizeTextureImage(material, limit);
}

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
