#include "cli/RasterExportCommands.h"

#include <QImage>
#include <cctype>
#include <filesystem>

#include "cli/GuiRuntime.h"
#include "development/DevelopmentGeometry.h"
#include "development/RasterPageRenderer.h"
#include "export/BitmapSizeProposal.h"
#include "platform/MessageSink.h"
#include "platform/OffscreenGlContext.h"

namespace plicora {
namespace {

constexpr int kMaxFileBitmapEdge = 4096;

bool IsPng(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".png";
}

bool WritePicture(const Model& model, const Settings& settings, const std::string& path, int width, int height,
                  double pixelsPerCm) {
  if (!IsPng(path)) {
    RasterPageRequest request;
    request.mode = 2;
    request.width = width;
    request.height = height;
    request.pixelsPerCm = pixelsPerCm;
    request.bmpPath = path;
    return RenderRasterPage(model, settings, request);
  }
  QImage image;
  if (!RenderDevelopmentImage(model, settings, width, height, pixelsPerCm, nullptr, image)) return false;
  if (!image.save(QString::fromStdString(path), "PNG")) {
    ShowMessage("write error", MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace

bool IsRasterExportExtension(const std::string& ext) { return ext == ".bmp" || ext == ".png"; }

void PrepareRasterExport() {
  EnsureGuiApplication();
  // The batch shell learns OpenGL's texture size limit from a first context.
  const auto context = OffscreenGlContext::Create(1, 1);
  if (context && context->MaxTextureSize() > 0) CurrentSettings().maxTextureSize = context->MaxTextureSize();
}

int ExportBitmapFile(const Model& model, const Settings& settings, const std::string& outputPath,
                     const std::optional<ImageSize>& size) {
  EnsureGuiApplication();
  const DevelopmentBounds box = DevelopmentBoundsOf(model);
  const BitmapExtent extent{box.width, box.height, model.devScale};
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
  if (!WritePicture(model, settings, outputPath, width, height, pixelsPerCm)) {
    ShowMessage("Failed to create BMP", MessageKind::Error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace plicora
