#pragma once
// The vector exports of --export: metafile (.emf), SVG (.svg) and the
// printed pages as PDF (.pdf), for an opened document. Each returns the
// process exit status; messages went through the message sink.

#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

int ExportEmfFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportSvgFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportPdfFile(const Model& model, const Settings& settings, const std::string& outputPath);

/// The cut files: DXF (.dxf), the cutter SVG (--cutter), and with
/// --pages-out one file per printed sheet in `folder`, named after OUT.
int ExportDxfFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportCutterSvgFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportPrintAndCutFiles(const Model& model, const Settings& settings, const std::string& outputPath,
                           const std::string& folder, bool cutterSvg);

}  // namespace plicora
