#include "cli/VectorExportCommands.h"

#include <filesystem>

#include "cli/CommandLine.h"
#include "cli/GuiRuntime.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/DxfExport.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/PrintAndCut.h"
#include "render/export/SvgExport.h"

namespace plicora {

int ExportEmfFile(const Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportMetafile(model, settings, outputPath, MetafileReferenceDpi()) ? kExitOk : kExitFailed;
}

int ExportSvgFile(const Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportSvg(model, settings, outputPath) ? kExitOk : kExitFailed;
}

int ExportPdfFile(const Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportPdf(model, settings, outputPath) ? kExitOk : kExitFailed;
}

int ExportDxfFile(const Model& model, const Settings& settings, const std::string& outputPath) {
  return ExportDxf(model, settings, outputPath) ? kExitOk : kExitFailed;
}

int ExportCutterSvgFile(const Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportCutterSvg(model, settings, outputPath) ? kExitOk : kExitFailed;
}

int ExportPrintAndCutFiles(const Model& model, const Settings& settings, const std::string& outputPath,
                           const std::string& folder, bool cutterSvg) {
  EnsureGuiApplication();
  const std::string stem = std::filesystem::path(outputPath).stem().string();
  const PrintAndCutFormat format = cutterSvg ? PrintAndCutFormat::CutterSvg : PrintAndCutFormat::Pdf;
  return ExportPrintAndCutPages(model, settings, folder, stem, format) ? kExitOk : kExitFailed;
}

}  // namespace plicora
