#include "core/export/DevelopmentFileFormat.h"

#include "core/platform/FileName.h"

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
  const std::string ext = LowerCaseExtension(path);
  // A name that is nothing but an extension (".eps") is a hidden file
  // without one.
  if (ext.size() == FileNameOf(path).size()) return DevelopmentFileFormat::Unsupported;
  for (const NamedFormat& named : kFormats)
    if (ext == named.extension) return named.format;
  return DevelopmentFileFormat::Unsupported;
}

}  // namespace plicora
