#include "core/model/TextureFit.h"

#include <algorithm>
#include <cstring>

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

}  // namespace plicora
