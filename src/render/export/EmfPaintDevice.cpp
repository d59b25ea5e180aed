#include "render/export/EmfPaintDevice.h"

#include <QFile>
#include <climits>
#include <cmath>
#include <utility>

#include "render/export/EmfPaintEngine.h"

namespace plicora {

EmfPaintDevice::EmfPaintDevice(const QString& path, const QString& description, double dpi)
    : EmfPaintDevice(description, dpi) {
  file_ = std::make_unique<QFile>(path);
  if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) file_.reset();
  fileWanted_ = true;
}

EmfPaintDevice::EmfPaintDevice(const QString& description, double dpi)
    : description_(description),
      dpi_(dpi > 0.0 ? dpi : 96.0),
      reference_(ReferenceDeviceForDpi(dpi_)),
      engine_(std::make_unique<EmfPaintEngine>(*this)) {}

EmfPaintDevice::~EmfPaintDevice() = default;

bool EmfPaintDevice::isValid() const {
  return !fileWanted_ || file_ != nullptr;
}

QPaintEngine* EmfPaintDevice::paintEngine() const {
  return engine_.get();
}

void EmfPaintDevice::Store(std::vector<std::uint8_t>&& data) {
  data_ = std::move(data);
  if (!file_) return;
  const std::string_view bytes = view();
  const bool ok = file_->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                  file_->flush();
  file_->close();
  if (!ok) writeFailed_ = true;
}

void EmfPaintDevice::SetBackgroundMode(std::uint32_t mode) {
  if (engine_->isActive()) engine_->SetBackgroundMode(mode);
}

void EmfPaintDevice::SetTextAlign(std::uint32_t align) {
  if (engine_->isActive()) engine_->SetTextAlign(align);
}

void EmfPaintDevice::SetTextColor(std::uint32_t colorRef) {
  if (engine_->isActive()) engine_->SetTextColor(colorRef);
}

void EmfPaintDevice::TextOut(const EmfFont& font, EmfPoint at, const QString& text) {
  if (engine_->isActive()) engine_->TextOut(font, at, text);
}

int EmfPaintDevice::metric(PaintDeviceMetric metric) const {
  const int dpi = static_cast<int>(std::lround(dpi_));
  switch (metric) {
    case PdmWidth:
      return reference_.widthPixels;
    case PdmHeight:
      return reference_.heightPixels;
    case PdmWidthMM:
      return reference_.widthMm;
    case PdmHeightMM:
      return reference_.heightMm;
    case PdmNumColors:
      return INT_MAX;
    case PdmDepth:
      return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return dpi;
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    default:
      break;
  }
  return QPaintDevice::metric(metric);
}

}  // namespace plicora
