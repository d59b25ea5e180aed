#pragma once
// The file formats the development is written in: one row per format with
// its extension, its name in the save dialog, what the window asks before
// writing it and what the writer needs. Save Development, the command line
// and their texts are built from these rows.

#include <span>
#include <string>

namespace plicora {

enum class DevelopmentFileFormat { Unsupported, Bmp, Png, Eps, Emf, Svg, Pdf, Dxf, CutterSvg };

/// What the window asks before writing a format.
enum class FormatQuestion { None, PictureSize, EpsFills };

struct FileFormatRow {
  DevelopmentFileFormat format;
  const char* extension;    ///< lower case, without the dot
  const char* description;  ///< the save dialog's name of the format
  FormatQuestion question;
  bool drawnWithQt;         ///< the writer paints through QtGui (a GUI application object)
  bool texturesAsPictures;  ///< textures are drawn by OpenGL (its texture size limit applies)
};

/// Every format, in the order the save dialog lists them.
std::span<const FileFormatRow> DevelopmentFileFormats();
const FileFormatRow* FindFileFormat(DevelopmentFileFormat format);

/// The format that `path`'s extension names, compared without regard to
/// letter case (".svg" is the plain SVG); Unsupported for any other.
DevelopmentFileFormat DevelopmentFileFormatOf(const std::string& path);

/// The save dialog's filter list: "BMP Format (*.bmp);;EPS Format ...".
std::string SaveDialogFilter();
/// The filter entry of one format ("SVG for Cutting Machines (*.svg)").
std::string SaveDialogFilterOf(const FileFormatRow& row);

/// Whether the format is a picture of a chosen pixel size (BMP, PNG).
inline bool IsPictureFormat(DevelopmentFileFormat format) {
  return format == DevelopmentFileFormat::Bmp || format == DevelopmentFileFormat::Png;
}

}  // namespace plicora
