// --export OUT FILE: writes the development to OUT in the format its
// extension names (compared without regard to case).

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/GuiRuntime.h"
#include "cli/RasterExportSetup.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/export/EpsWriter.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/export/DevelopmentPicture.h"
#include "render/export/PrintAndCut.h"

namespace plicora {
namespace {

/// The picture size of --size, or the size the window would propose; a
/// size out of range is a usage error.
std::optional<BitmapSize> PictureSize(const CommandLineOptions& options, const Model& model) {
  const BitmapSize size =
      options.size ? BitmapSize{options.size->width, options.size->height}
                   : ProposeBitmapSize(DevelopmentBitmapExtent(model, CurrentSettings()), kMaxFileBitmapEdge);
  if (CheckBitmapSize(size.width, size.height, kMaxFileBitmapEdge) == BitmapSizeCheck::OutOfRange) {
    ShowMessage(BitmapSizeRangeMessage(kMaxFileBitmapEdge), MessageKind::Warning);
    return std::nullopt;
  }
  return size;
}

int ExportFile(const CommandLineOptions& options, BatchDocument& document, const FileFormatRow& row) {
  if (row.drawnWithQt) EnsureGuiApplication();
  DevelopmentExport request;
  request.format = row.format;
  request.path = options.outputPath;
  request.eps.dontFillSurfaces = options.noFillFaces;
  request.eps.dontFillFlaps = options.noFillFlaps;
  if (row.question == FormatQuestion::PictureSize) {
    const std::optional<BitmapSize> size = PictureSize(options, *document.model);
    if (!size) return kExitUsage;
    request.pictureSize = *size;
  }
  return WriteDevelopmentFile(*document.model, CurrentSettings(), request) ? kExitOk : kExitFailed;
}

// The cut-file options fit only some formats: a usage error, or empty.
std::string CutOptionsError(const CommandLineOptions& options, DevelopmentFileFormat format) {
  if (options.pagesOut && format != DevelopmentFileFormat::Pdf && format != DevelopmentFileFormat::Dxf &&
      !(options.cutter && format == DevelopmentFileFormat::Svg))
    return "--pages-out writes PDF or DXF sheets, or with --cutter cut SVG sheets: OUT must end in .pdf, .dxf or "
           ".svg";
  if (options.marks && !options.pagesOut) return "--marks applies to --pages-out";
  if (options.cutter && format != DevelopmentFileFormat::Svg && format != DevelopmentFileFormat::Dxf)
    return "--cutter applies to an SVG export (a DXF export is always a cut file)";
  return {};
}

int ExportPrintAndCutFiles(const Model& model, const Settings& settings, const std::string& outputPath,
                           const std::string& folder, DevelopmentFileFormat fileFormat) {
  EnsureGuiApplication();
  const std::string stem = std::filesystem::path(outputPath).stem().string();
  const PrintAndCutFormat format = fileFormat == DevelopmentFileFormat::Pdf   ? PrintAndCutFormat::Pdf
                                   : fileFormat == DevelopmentFileFormat::Dxf ? PrintAndCutFormat::Dxf
                                                                              : PrintAndCutFormat::CutterSvg;
  return ExportPrintAndCutPages(model, settings, folder, stem, format) ? kExitOk : kExitFailed;
}

int ExportCutFiles(const CommandLineOptions& options, BatchDocument& document, DevelopmentFileFormat format) {
  if (options.pagesOut) {
    return ExportPrintAndCutFiles(*document.model, CurrentSettings(), options.outputPath, *options.pagesOut, format);
  }
  return ExportFile(options, document, *FindFileFormat(DevelopmentFileFormat::CutterSvg));
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
  const FileFormatRow* row = FindFileFormat(format);
  if ((row && row->texturesAsPictures) || options.pagesOut) PrepareRasterExport();
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  // A development with nothing on it would give blank pages and empty
  // pictures: it is refused like a file without one.
  if (!CheckDevelopmentToDraw(*document.model)) return kExitNoDevelopment;
  if (options.pagesOut || (options.cutter && format == DevelopmentFileFormat::Svg))
    return ExportCutFiles(options, document, format);
  if (row) return ExportFile(options, document, *row);
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return kExitUsage;
}

}  // namespace plicora
