#include "core/export/DevelopmentFileFormat.h"

#include "core/platform/FileName.h"

namespace plicora {
namespace {

using F = DevelopmentFileFormat;
using Q = FormatQuestion;

constexpr FileFormatRow kFormats[] = {
    {F::Bmp, "bmp", "BMP Format", Q::PictureSize, true, true},
    {F::Eps, "eps", "EPS Format (No Texture)", Q::EpsFills, false, false},
    {F::Emf, "emf", "EMF Format (No Texture)", Q::None, true, false},
    {F::Png, "png", "PNG Format", Q::PictureSize, true, true},
    {F::Svg, "svg", "SVG Format (No Texture)", Q::None, true, false},
    {F::Pdf, "pdf", "PDF Format (Printed Pages)", Q::None, true, true},
    {F::Dxf, "dxf", "DXF for Cutting Machines", Q::None, false, false},
    {F::CutterSvg, "svg", "SVG for Cutting Machines", Q::None, true, false},
};

}  // namespace

std::span<const FileFormatRow> DevelopmentFileFormats() {
  return kFormats;
}

const FileFormatRow* FindFileFormat(DevelopmentFileFormat format) {
  for (const FileFormatRow& row : kFormats)
    if (row.format == format) return &row;
  return nullptr;
}

DevelopmentFileFormat DevelopmentFileFormatOf(const std::string& path) {
  const std::string ext = LowerCaseExtension(path);
  // A name that is nothing but an extension (".eps") is a hidden file
  // without one.
  if (ext.size() == FileNameOf(path).size()) return F::Unsupported;
  // The first row of an extension is the format it names.
  for (const FileFormatRow& row : kFormats)
    if (ext == std::string(".") + row.extension) return row.format;
  return F::Unsupported;
}

std::string SaveDialogFilterOf(const FileFormatRow& row) {
  return std::string(row.description) + " (*." + row.extension + ")";
}

std::string SaveDialogFilter() {
  std::string filter;
  for (const FileFormatRow& row : kFormats) filter += (filter.empty() ? "" : ";;") + SaveDialogFilterOf(row);
  return filter;
}

}  // namespace plicora
