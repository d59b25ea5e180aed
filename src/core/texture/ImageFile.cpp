// Choosing the decoder of an image file by its extension.

#include "core/texture/ImageFile.h"

#include "core/platform/FileName.h"

namespace plicora {
std::unique_ptr<TextureImage> ReadImageFile(const std::string& path) {
  const std::string ext = LowerCaseExtension(path);
  if (ext == ".jpg" || ext == ".jpeg") return ReadJpegFile(path);
  return ReadBitmapFile(path);
}

}  // namespace plicora
