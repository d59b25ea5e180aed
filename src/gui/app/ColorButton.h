#pragma once
// A push button that shows one colour: its face is painted with the colour
// inside a raised frame, and a click opens the colour chooser, whose chosen
// colour the button then shows. The button only holds the colour; its
// dialog reads it when confirmed, so a cancelled dialog changes nothing.

#include <QPushButton>

#include "core/model/Settings.h"

namespace plicora {

class CColorButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CColorButton(ColorRef color, QWidget* parent = nullptr);

  ColorRef color() const { return color_; }
  /// Shows `color` from now on.
  void ShowColor(ColorRef color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  QSize sizeHint() const override;

 private:
  void ChooseColor();

  ColorRef color_;
};

}  // namespace plicora
