#include "gui/texture/MaterialPreview.h"

#include <QPainter>
#include <algorithm>

namespace plicora {
namespace {

constexpr int kMargin = 2;
/// 66 by 66 dialog units at the usual dialog font.
constexpr QSize kPreviewSize(100, 108);

QImage SampleImage(const TextureImage& image, int pw, int ph) {
  QImage picture(pw, ph, QImage::Format_RGB888);
  for (int r = 0; r < ph; ++r) {
    const int sourceRow = static_cast<int>(static_cast<long long>(r) * image.height / ph);
    std::uint8_t* out = picture.scanLine(r);
    for (int c = 0; c < pw; ++c) {
      const int sourceColumn = static_cast<int>(static_cast<long long>(c) * image.width / pw);
      const std::size_t at = (static_cast<std::size_t>(sourceRow) * image.width + sourceColumn) * 3;
      out[c * 3] = image.pixels[at];
      out[c * 3 + 1] = image.pixels[at + 1];
      out[c * 3 + 2] = image.pixels[at + 2];
    }
  }
  return picture;
}

}  // namespace

QImage MaterialPreviewImage(const Material* material, QSize client) {
  const int pw = client.width() - 2 * kMargin;
  const int ph = client.height() - 2 * kMargin;
  if (!material || pw <= 0 || ph <= 0) return {};
  const TextureImage* image = material->image.get();
  if (image && image->width > 0 && image->height > 0 &&
      image->pixels.size() >= static_cast<std::size_t>(image->width) * image->height * 3)
    return SampleImage(*image, pw, ph);
  if (!material->hasDevColor) return {};
  QImage picture(pw, ph, QImage::Format_RGB888);
  const auto channel = [&](int i) {
    return std::clamp(static_cast<int>(material->devColor[static_cast<std::size_t>(i)] * 255), 0, 255);
  };
  picture.fill(QColor(channel(0), channel(1), channel(2)));
  return picture;
}

MaterialPreview::MaterialPreview(QWidget* parent) : QWidget(parent) {
  setFixedSize(kPreviewSize);
}

void MaterialPreview::ShowMaterial(const Material* material) {
  picture_ = MaterialPreviewImage(material, size());
  update();
}

void MaterialPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (!picture_.isNull()) painter.drawImage(QPoint(kMargin, kMargin), picture_);
}

}  // namespace plicora
