#include "export/DevelopmentFileFormat.h"

#include <cctype>
#include <filesystem>

namespace plicora {
namespace {

struct NamedFormat {
  const char* extension;  ///< lower case, with the dot
  DevelopmentFileFormat format;
};

constexpr NamedFormat kFormats[] = {
    {".bmp", DevelopmentFileFormat::Bmp}, {".png", DevelopmentFileFormat::Png}, {".eps", DevelopmentFileFormat::Eps},
    {".emf", DevelopmentFileFormat::Emf}, {".svg", DevelopmentFileFormat::Svg}, {".pdf", DevelopmentFileFormat::Pdf},
    {".dxf", DevelopmentFileFormat::Dxf},
};

}  // namespace

DevelopmentFileFormat DevelopmentFileFormatOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const NamedFormat& named : kFormats)
    if (ext == named.extension) return named.format;
  return DevelopmentFileFormat::Unsupported;
}

}  // namespace plicora
