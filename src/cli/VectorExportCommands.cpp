#include "cli/VectorExportCommands.h"

#include "cli/CommandLine.h"
#include "cli/GuiRuntime.h"
#include "export/MetafileExport.h"
#include "export/PdfExport.h"
#include "export/SvgExport.h"

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

}  // namespace plicora
