// Choosing the decoder of an image file by its extension.

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "texture/ImageFile.h"

namespace plicora {
namespace {

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

}  // namespace

std::unique_ptr<TextureImage> ReadImageFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".jpg" || ext == ".jpeg") return ReadJpegFile(path);
  return ReadBitmapFile(path);
}

}  // namespace plicora
