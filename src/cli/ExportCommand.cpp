// --export OUT FILE: writes the development to OUT in the format its
// extension names (compared without regard to case).

#include <cstdio>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/RasterExportCommands.h"
#include "cli/VectorExportCommands.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/export/EpsWriter.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"

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

int ExportDxf(const CommandLineOptions& options, BatchDocument& document) {
  return ExportDxfFile(*document.model, CurrentSettings(), options.outputPath);
}

int ExportBitmap(const CommandLineOptions& options, BatchDocument& document) {
  return ExportBitmapFile(*document.model, CurrentSettings(), options.outputPath, options.size);
}

using Exporter = int (*)(const CommandLineOptions&, BatchDocument&);

Exporter ExporterOf(DevelopmentFileFormat format) {
  switch (format) {
    case DevelopmentFileFormat::Eps:
      return ExportEps;
    case DevelopmentFileFormat::Emf:
      return ExportEmf;
    case DevelopmentFileFormat::Svg:
      return ExportSvg;
    case DevelopmentFileFormat::Pdf:
      return ExportPdf;
    case DevelopmentFileFormat::Dxf:
      return ExportDxf;
    case DevelopmentFileFormat::Bmp:
    case DevelopmentFileFormat::Png:
      return ExportBitmap;
    case DevelopmentFileFormat::Unsupported:
      break;
  }
  return nullptr;
}

// The cut-file options fit only some formats: a usage error, or empty.
std::string CutOptionsError(const CommandLineOptions& options, DevelopmentFileFormat format) {
  if (options.pagesOut && format != DevelopmentFileFormat::Pdf &&
      !(options.cutter && format == DevelopmentFileFormat::Svg))
    return "--pages-out writes PDF sheets, or with --cutter cut SVG sheets: OUT must end in .pdf or .svg";
  if (options.cutter && format != DevelopmentFileFormat::Svg && format != DevelopmentFileFormat::Dxf)
    return "--cutter applies to an SVG export (a DXF export is always a cut file)";
  return {};
}

int ExportCutFiles(const CommandLineOptions& options, BatchDocument& document) {
  if (options.pagesOut) {
    return ExportPrintAndCutFiles(*document.model, CurrentSettings(), options.outputPath, *options.pagesOut,
                                  options.cutter);
  }
  return ExportCutterSvgFile(*document.model, CurrentSettings(), options.outputPath);
}

}  // namespace

int RunExportCommand(const CommandLineOptions& options) {
  // Bitmaps, and the PDF whose pages carry the textures as pictures, need
  // OpenGL's texture limit before the textures are read.
  const DevelopmentFileFormat format = DevelopmentFileFormatOf(options.outputPath);
  if (const std::string error = CutOptionsError(options, format); !error.empty()) {
    ShowMessage(error, MessageKind::Error);
    return kExitUsage;
  }
  if (IsPictureFormat(format) || format == DevelopmentFileFormat::Pdf || options.pagesOut) PrepareRasterExport();
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  // A development with nothing on it would give blank pages and empty
  // pictures: it is refused like a file without one.
  if (!CheckDevelopmentToDraw(*document.model)) return kExitNoDevelopment;
  if (options.pagesOut || (options.cutter && format == DevelopmentFileFormat::Svg))
    return ExportCutFiles(options, document);
  if (const Exporter write = ExporterOf(format)) return write(options, document);
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return kExitUsage;
}

}  // namespace plicora
