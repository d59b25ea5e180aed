#pragma once
// The vector exports of --export: metafile (.emf), SVG (.svg) and the
// printed pages as PDF (.pdf), for an opened document. Each returns the
// process exit status; messages went through the message sink.

#include <string>

#include "model/Model.h"
#include "model/Settings.h"

namespace plicora {

int ExportEmfFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportSvgFile(const Model& model, const Settings& settings, const std::string& outputPath);
int ExportPdfFile(const Model& model, const Settings& settings, const std::string& outputPath);

}  // namespace plicora
