#pragma once
// "Size (BMP Format)" (or PNG): the pixel size of a bitmap of the whole development.
// Width, height and scale (per cent of 72 pixels per inch) are linked: typing
// into one box recomputes the other two at once. OK checks the size against
// the maximum edge and asks before a large picture.

#include <QDialog>
#include <optional>

#include "core/export/BitmapSizeProposal.h"

class QLineEdit;

namespace plicora {

class BitmapSizeDialog : public QDialog {
  Q_OBJECT

 public:
  /// Titled "Size (<format> Format)".
  BitmapSizeDialog(const BitmapExtent& extent, int max, const char* format = "BMP", QWidget* parent = nullptr);

  /// The size chosen (valid once the dialog was accepted).
  BitmapSize size() const { return size_; }

  void accept() override;

 private:
  void WidthEdited(const QString& text);
  void HeightEdited(const QString& text);
  void ScaleEdited(const QString& text);
  void ShowSize(QLineEdit* except);

  BitmapExtent extent_;
  int max_;
  BitmapSize size_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* scale_;
};

/// Runs the dialog; the chosen size, or nothing when it was cancelled.
std::optional<BitmapSize> AskBitmapSize(QWidget* parent, const BitmapExtent& extent, int max,
                                        const char* format = "BMP");

}  // namespace plicora
