#include "gui/app/ColorButton.h"

#include <qdrawutil.h>

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace plicora {
namespace {

constexpr int kFrameWidth = 2;

QColor ToQColor(ColorRef c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

CColorButton::CColorButton(ColorRef color, QWidget* parent) : QPushButton(parent), color_(color) {
  connect(this, &QPushButton::clicked, this, &CColorButton::ChooseColor);
}

void CColorButton::ShowColor(ColorRef color) {
  color_ = color;
  update();
}

void CColorButton::ChooseColor() {
  QColorDialog dialog(ToQColor(color_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  ShowColor(MakeColorRef(chosen.red(), chosen.green(), chosen.blue()));
}

void CColorButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect face = rect();
  painter.fillRect(face, ToQColor(color_));
  qDrawShadePanel(&painter, face, palette(), isDown(), kFrameWidth);
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = face.adjusted(kFrameWidth + 2, kFrameWidth + 2, -kFrameWidth - 2, -kFrameWidth - 2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

QSize CColorButton::sizeHint() const {
  return QSize(48, 24);
}

}  // namespace plicora
