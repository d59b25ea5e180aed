#pragma once
// A push button that stands for one entry of the colour table: its face is
// painted with the colour inside a raised frame, and a click opens the
// colour chooser. A chosen colour is set in the table at once and stays set
// even when the surrounding dialog is cancelled.

#include <QPushButton>

#include "core/model/Settings.h"

namespace plicora {

class CVorlanDoc;

class CColorButton : public QPushButton {
  Q_OBJECT
 public:
  CColorButton(CVorlanDoc& doc, int colorIndex, QWidget* parent = nullptr);

  ColorRef color() const { return color_; }
  /// Sets the table entry (colour 0 also reaches the model) and repaints.
  void TakeColor(ColorRef color);
  /// Shows the table entry again (after the table was reset).
  void Reload();

 signals:
  void colorChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  QSize sizeHint() const override;

 private:
  void ChooseColor();

  CVorlanDoc& doc_;
  int index_;
  ColorRef color_;
};

}  // namespace plicora
