// Choosing the decoder of an image file by its extension.

#include <algorithm>
#include <cctype>

#include "texture/ImageFile.h"

namespace plicora {
namespace {

/// The extension of the file name: from its last dot on (a name that starts
/// with its only dot, like ".jpg", is all extension), lower-cased.
std::string LowerExtension(const std::string& path) {
  const std::size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  const std::size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos || dot < nameStart ? std::string() : path.substr(dot);
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
