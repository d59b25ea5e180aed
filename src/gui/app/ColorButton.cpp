#include "gui/app/ColorButton.h"

#include <qdrawutil.h>

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "core/document/SettingsStore.h"
#include "core/document/VorlanDoc.h"

namespace plicora {
namespace {

constexpr int kFrameWidth = 2;

QColor ToQColor(ColorRef c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

CColorButton::CColorButton(CVorlanDoc& doc, int colorIndex, QWidget* parent)
    : QPushButton(parent), doc_(doc), index_(colorIndex), color_(GetColor(doc.settings(), colorIndex)) {
  connect(this, &QPushButton::clicked, this, &CColorButton::ChooseColor);
}

void CColorButton::TakeColor(ColorRef color) {
  color_ = color;
  SetColor(doc_.settings(), index_, color, doc_.model());
  update();
  emit colorChanged();
}

void CColorButton::Reload() {
  color_ = GetColor(doc_.settings(), index_);
  update();
}

void CColorButton::ChooseColor() {
  QColorDialog dialog(ToQColor(color_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  TakeColor(MakeColorRef(chosen.red(), chosen.green(), chosen.blue()));
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
