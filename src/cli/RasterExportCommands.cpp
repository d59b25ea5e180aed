#include "cli/RasterExportCommands.h"

#include "cli/GuiRuntime.h"
#include "core/export/BitmapSizeProposal.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/platform/MessageSink.h"
#include "render/export/DevelopmentPicture.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {

void PrepareRasterExport() {
  EnsureGuiApplication();
  // The batch shell learns OpenGL's texture size limit from a first context.
  const auto context = OffscreenGlContext::Create(1, 1);
  if (context && context->MaxTextureSize() > 0) CurrentSettings().maxTextureSize = context->MaxTextureSize();
}

int ExportBitmapFile(const Model& model, const Settings& settings, const std::string& outputPath,
                     const std::optional<ImageSize>& size) {
  EnsureGuiApplication();
  const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
  int width = 0, height = 0;
  if (size) {
    width = size->width;
    height = size->height;
  } else {
    const BitmapSize proposal = ProposeBitmapSize(extent, kMaxFileBitmapEdge);
    width = proposal.width;
    height = proposal.height;
  }
  if (CheckBitmapSize(width, height, kMaxFileBitmapEdge) == BitmapSizeCheck::OutOfRange) {
    ShowMessage(BitmapSizeRangeMessage(kMaxFileBitmapEdge), MessageKind::Warning);
    return kExitUsage;
  }
  const double pixelsPerCm = BitmapPixelsPerCm(extent, width);
  const PictureFormat format =
      DevelopmentFileFormatOf(outputPath) == DevelopmentFileFormat::Png ? PictureFormat::Png : PictureFormat::Bmp;
  if (!WriteDevelopmentPicture(model, settings, outputPath, format, width, height, pixelsPerCm)) {
    ShowMessage(PictureFailureMessage(format), MessageKind::Error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace plicora
