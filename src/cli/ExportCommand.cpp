// --export OUT FILE: writes the development to OUT in the format its
// extension names (compared without regard to case).

#include <cstdio>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/RasterExportCommands.h"
#include "cli/VectorExportCommands.h"
#include "export/DevelopmentFileFormat.h"
#include "export/EpsWriter.h"
#include "model/Settings.h"
#include "platform/MessageSink.h"

namespace plicora {
namespace {

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

Exporter ExporterOf(DevelopmentFileFormat format) {
  switch (format) {
    case DevelopmentFileFormat::Eps: return ExportEps;
    case DevelopmentFileFormat::Emf: return ExportEmf;
    case DevelopmentFileFormat::Svg: return ExportSvg;
    case DevelopmentFileFormat::Pdf: return ExportPdf;
    case DevelopmentFileFormat::Bmp:
    case DevelopmentFileFormat::Png: return ExportBitmap;
    case DevelopmentFileFormat::Unsupported: break;
  }
  return nullptr;
}

}  // namespace

int RunExportCommand(const CommandLineOptions& options) {
  // Bitmaps, and the PDF whose pages carry the textures as pictures, need
  // OpenGL's texture limit before the textures are read.
  const DevelopmentFileFormat format = DevelopmentFileFormatOf(options.outputPath);
  if (IsPictureFormat(format) || format == DevelopmentFileFormat::Pdf) PrepareRasterExport();
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  if (!document.model->hasDevelopment) {
    ShowMessage("This file doesn't have developed pattern.", MessageKind::Warning);
    return kExitNoDevelopment;
  }
  if (const Exporter write = ExporterOf(format)) return write(options, document);
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return kExitUsage;
}

}  // namespace plicora
