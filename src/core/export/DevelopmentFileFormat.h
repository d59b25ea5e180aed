#pragma once
// The file formats the development is written in, told apart by the file
// name's extension without regard to letter case.

#include <string>

namespace plicora {

enum class DevelopmentFileFormat { Unsupported, Bmp, Png, Eps, Emf, Svg, Pdf, Dxf };

/// The format that `path`'s extension names; Unsupported for any other.
DevelopmentFileFormat DevelopmentFileFormatOf(const std::string& path);

/// Whether the format is a picture of a chosen pixel size (BMP, PNG).
inline bool IsPictureFormat(DevelopmentFileFormat format) {
  return format == DevelopmentFileFormat::Bmp || format == DevelopmentFileFormat::Png;
}

}  // namespace plicora
