#include "export/DevelopmentPicture.h"

#include <QImage>

#include "development/DevelopmentGeometry.h"
#include "development/RasterPageRenderer.h"
#include "platform/MessageSink.h"

namespace plicora {

BitmapExtent DevelopmentBitmapExtent(const Model& model) {
  const DevelopmentBounds box = DevelopmentBoundsOf(model);
  return BitmapExtent{box.width, box.height, model.devScale};
}

bool WriteDevelopmentPicture(const Model& model, const Settings& settings, const std::string& path, PictureFormat format,
                             int width, int height, double pixelsPerCm, const std::function<void()>& cancelPaneMode) {
  if (format == PictureFormat::Bmp) {
    RasterPageRequest request;
    request.mode = 2;
    request.width = width;
    request.height = height;
    request.pixelsPerCm = pixelsPerCm;
    request.bmpPath = path;
    request.cancelPaneMode = cancelPaneMode;
    return RenderRasterPage(model, settings, request);
  }
  QImage image;
  if (!RenderDevelopmentImage(model, settings, width, height, pixelsPerCm, cancelPaneMode, image)) return false;
  if (!image.save(QString::fromStdString(path), "PNG")) {
    ShowMessage("write error", MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace plicora
