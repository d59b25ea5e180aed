#include "render/export/DevelopmentFileExport.h"

#include "core/platform/MessageSink.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/DevelopmentPicture.h"
#include "render/export/DxfExport.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/SvgExport.h"

namespace plicora {
namespace {

bool WritePicture(const Model& model, const Settings& settings, const DevelopmentExport& request) {
  const PictureFormat format = request.format == DevelopmentFileFormat::Png ? PictureFormat::Png : PictureFormat::Bmp;
  const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
  const int width = request.pictureSize.width;
  const int height = request.pictureSize.height;
  const RememberingTick ticks(request.tick);
  const bool ok = WriteDevelopmentPicture(model, settings, request.path, format, width, height,
                                          BitmapPixelsPerCm(extent, width), request.cancelPaneMode, ticks.get());
  if (!ok && !ticks.stopped()) ShowMessage(PictureFailureMessage(format), MessageKind::Error);
  return ok;
}

}  // namespace

bool WriteDevelopmentFile(const Model& model, const Settings& settings, const DevelopmentExport& request) {
  const std::string& path = request.path;
  switch (request.format) {
    case DevelopmentFileFormat::Bmp:
    case DevelopmentFileFormat::Png:
      return WritePicture(model, settings, request);
    case DevelopmentFileFormat::Eps:
      return SaveEpsFile(path, model, settings, request.eps);
    case DevelopmentFileFormat::Emf:
      return ExportMetafile(model, settings, path, MetafileReferenceDpi(), request.tick);
    case DevelopmentFileFormat::Svg:
      return ExportSvg(model, settings, path, request.tick);
    case DevelopmentFileFormat::Pdf:
      return ExportPdf(model, settings, path, request.tick);
    case DevelopmentFileFormat::Dxf:
      return ExportDxf(model, settings, path, request.tick);
    case DevelopmentFileFormat::CutterSvg:
      return ExportCutterSvg(model, settings, path, request.tick);
    case DevelopmentFileFormat::Unsupported:
      break;
  }
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return false;
}

}  // namespace plicora
