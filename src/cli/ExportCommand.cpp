// --export OUT FILE: writes the development to OUT in the format its
// extension names (compared without regard to case).

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/Settings.h"
#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/RasterExportCommands.h"
#include "cli/VectorExportCommands.h"
#include "export/EpsWriter.h"
#include "platform/MessageSink.h"

namespace plicora {
namespace {

std::string LowerCaseExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

int ExportEps(const CommandLineOptions& options, BatchDocument& document) {
  EpsOptions eps;
  eps.dontFillSurfaces = options.noFillFaces;
  eps.dontFillFlaps = options.noFillFlaps;
  return SaveEpsFile(options.outputPath, *document.model, CurrentSettings(), eps) ? kExitOk : kExitFailed;
}

int ExportEmf(const CommandLineOptions& options, BatchDocument& document) {
  return ExportEmfFile(*document.model, CurrentSettings(), options.outputPath);
}

int ExportSvg(const CommandLineOptions& options, BatchDocument& document) {
  return ExportSvgFile(*document.model, CurrentSettings(), options.outputPath);
}

int ExportPdf(const CommandLineOptions& options, BatchDocument& document) {
  return ExportPdfFile(*document.model, CurrentSettings(), options.outputPath);
}

int ExportBitmap(const CommandLineOptions& options, BatchDocument& document) {
  return ExportBitmapFile(*document.model, CurrentSettings(), options.outputPath, options.size);
}

using Exporter = int (*)(const CommandLineOptions&, BatchDocument&);

struct ExportFormat {
  const char* extension;  ///< lower case, with the dot
  Exporter write;
};

constexpr ExportFormat kFormats[] = {
    {".eps", ExportEps},
    {".emf", ExportEmf},
    {".svg", ExportSvg},
    {".pdf", ExportPdf},
    {".bmp", ExportBitmap},
    {".png", ExportBitmap},
};

}  // namespace

int RunExportCommand(const CommandLineOptions& options) {
  // Bitmaps, and the PDF whose pages carry the textures as pictures, need
  // OpenGL's texture limit before the textures are read.
  const std::string outputExtension = LowerCaseExtension(options.outputPath);
  if (IsRasterExportExtension(outputExtension) || outputExtension == ".pdf") PrepareRasterExport();
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  if (!document.model->hasDevelopment) {
    ShowMessage("This file doesn't have developed pattern.", MessageKind::Warning);
    return kExitNoDevelopment;
  }
  const std::string ext = LowerCaseExtension(options.outputPath);
  for (const ExportFormat& format : kFormats) {
    if (ext == format.extension) return format.write(options, document);
  }
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return kExitUsage;
}

}  // namespace plicora
