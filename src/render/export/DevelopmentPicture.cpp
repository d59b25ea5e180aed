#include "render/export/DevelopmentPicture.h"

#include <QBuffer>
#include <QImage>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/ExportFile.h"
#include "core/platform/MessageSink.h"
#include "render/development/RasterPageRenderer.h"
#include "render/export/RasterPageBmp.h"

namespace plicora {

const char* PictureFailureMessage(PictureFormat format) {
  return format == PictureFormat::Png ? "Failed to create PNG" : "Failed to create BMP";
}

BitmapExtent DevelopmentBitmapExtent(const Model& model, const Settings& settings) {
  const DevelopmentBounds box = RasterPictureBoundsOf(model, settings);
  return BitmapExtent{box.width, box.height, model.devScale};
}

bool WriteDevelopmentPicture(const Model& model, const Settings& settings, const std::string& path,
                             PictureFormat format, int width, int height, double pixelsPerCm,
                             const std::function<void()>& cancelPaneMode, const WorkTick* tick) {
  if (format == PictureFormat::Bmp) {
    return WriteRasterPageBmp(model, settings,
                              WholeDevelopmentRequest(width, height, pixelsPerCm, cancelPaneMode, tick), path);
  }
  QImage image;
  if (!RenderDevelopmentImage(model, settings, width, height, pixelsPerCm, cancelPaneMode, image, tick)) return false;
  if (tick && *tick && !(*tick)()) return false;
  image.setDotsPerMeterX(BitmapPixelsPerMetre(pixelsPerCm));
  image.setDotsPerMeterY(BitmapPixelsPerMetre(pixelsPerCm));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    ShowMessage("write error", MessageKind::Error);
    return false;
  }
  if (tick && *tick && !(*tick)()) return false;  // encoding a large picture takes a while
  return WriteExportFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                         "write error");
}

}  // namespace plicora
