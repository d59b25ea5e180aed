#include "cli/VectorExportCommands.h"

#include "cli/CommandLine.h"
#include "cli/GuiRuntime.h"
#include "export/MetafileExport.h"
#include "export/PdfExport.h"
#include "export/SvgExport.h"

namespace plicora {

int ExportEmfFile(Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportMetafile(model, settings, outputPath, MetafileReferenceDpi()) ? kExitOk : kExitFailed;
}

int ExportSvgFile(Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportSvg(model, settings, outputPath) ? kExitOk : kExitFailed;
}

int ExportPdfFile(Model& model, const Settings& settings, const std::string& outputPath) {
  EnsureGuiApplication();
  return ExportPdf(model, settings, outputPath) ? kExitOk : kExitFailed;
}

}  // namespace plicora
