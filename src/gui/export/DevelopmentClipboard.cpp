#include "gui/export/DevelopmentClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <memory>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/BmpWriter.h"
#include "core/platform/MessageSink.h"
#include "gui/platform/WorkProgress.h"
#include "render/development/RasterPageRenderer.h"
#include "render/export/DevelopmentPicture.h"
#include "render/export/MetafileExport.h"
#include "render/export/SvgExport.h"
#include "render/platform/WaitCursor.h"

namespace plicora {
namespace {

QByteArray Encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

/// Hands `data` to the clipboard, which then owns it; false (message shown)
/// when the clipboard cannot be reached or refused the data.
bool PutOnClipboard(QMimeData* data, const QString& checkFormat) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    delete data;
    ShowMessage("Failed to open clipboard", MessageKind::Error);
    return false;
  }
  clipboard->setMimeData(data);
  const QMimeData* held = clipboard->mimeData();
  if (!held || !held->hasFormat(checkFormat)) {
    ShowMessage("Cannot set data to clipboard", MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace

bool CopyBitmapToClipboard(const Model& model, const Settings& settings, const ExportQuestions& questions,
                           const std::function<void()>& cancelPaneMode, QWidget* progressOwner) {
  if (!model.hasDevelopment || !CheckDevelopmentToDraw(model)) return false;
  const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
  const std::optional<BitmapSize> size = questions.bitmapSize(extent, kMaxClipboardBitmapEdge, "BMP");
  if (!size) return false;
  if (!progressOwner) {
    WaitCursor wait;
    return CopyPictureToClipboard(model, settings, *size, cancelPaneMode, nullptr);
  }
  WorkProgress progress(progressOwner, QStringLiteral("Copying..."), 0);
  const WorkTick tick = progress.AsTick();
  return CopyPictureToClipboard(model, settings, *size, cancelPaneMode, &tick);
}

bool CopyPictureToClipboard(const Model& model, const Settings& settings, BitmapSize size,
                            const std::function<void()>& cancelPaneMode, const WorkTick* tick) {
  const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
  const RememberingTick ticks(tick);
  QImage image;
  if (!RenderDevelopmentImage(model, settings, size.width, size.height, BitmapPixelsPerCm(extent, size.width),
                              cancelPaneMode, image, ticks.get())) {
    if (!ticks.stopped()) ShowMessage("Failed to create BMP", MessageKind::Error);
    return false;
  }
  const auto goOn = [&ticks] { return !ticks.get() || (*ticks.get())(); };
  image.setDotsPerMeterX(kBmpPixelsPerMetre);
  image.setDotsPerMeterY(kBmpPixelsPerMetre);
  auto data = std::make_unique<QMimeData>();
  data->setImageData(image);
  if (!goOn()) return false;
  data->setData(QStringLiteral("image/png"), Encode(image, "PNG"));
  if (!goOn()) return false;
  data->setData(QStringLiteral("image/bmp"), Encode(image, "BMP"));
  if (!goOn()) return false;
  return PutOnClipboard(data.release(), QStringLiteral("image/png"));
}

bool CopyMetafileToClipboard(const Model& model, const Settings& settings, const WorkTick* tick) {
  if (!model.hasDevelopment || !CheckDevelopmentToDraw(model)) return false;
  const RememberingTick ticks(tick);
  const QByteArray metafile = RenderMetafile(model, settings, MetafileReferenceDpi(), ticks.get());
  if (ticks.stopped()) return false;
  if (metafile.isEmpty()) {
    ShowMessage("Failed to copy to clipboard", MessageKind::Error);
    return false;
  }
  const QByteArray svg = RenderSvg(model, settings, ticks.get());
  if (ticks.stopped()) return false;
  auto* data = new QMimeData;
  data->setData(QStringLiteral("image/x-emf"), metafile);
  data->setData(QStringLiteral("image/svg+xml"), svg);
  return PutOnClipboard(data, QStringLiteral("image/x-emf"));
}

}  // namespace plicora
