#pragma once
// The preview of one material in the Texture Configuration dialog: its
// texture image scaled to the control (nearest pixel), or its plain colour,
// or nothing, drawn inside a 2-pixel margin.

#include <QImage>
#include <QWidget>

#include "core/model/Model.h"

namespace plicora {

/// The picture of `material` for a control of `client` size: its image
/// sampled at row floor(r * sh / ph) and column floor(c * sw / pw) with row 0
/// at the top; without an image its colour when it has one; otherwise (or
/// without a material) a null image. The picture is the client size less 2
/// pixels on each side.
QImage MaterialPreviewImage(const Material* material, QSize client);

class MaterialPreview : public QWidget {
  Q_OBJECT
 public:
  explicit MaterialPreview(QWidget* parent = nullptr);
  /// Shows `material` (null: nothing) and repaints.
  void ShowMaterial(const Material* material);
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace plicora
