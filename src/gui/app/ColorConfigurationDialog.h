#pragma once
// "Color Configuration": the colours of convex, concave and one-sided edges,
// each acting at once, and a button that puts every colour back to its
// built-in value. The dialog closes with OK only.

#include <QDialog>

#include "gui/commands/FrameServices.h"

namespace plicora {

class CColorButton;

class ColorConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ColorConfigurationDialog(CVorlanDoc& doc, QWidget* parent = nullptr);

 private:
  void ResetColorTable();

  CVorlanDoc& doc_;
  std::vector<CColorButton*> buttons_;
};

/// Runs the dialog and redraws (the colours have changed already).
void RunColorConfiguration(const FrameServices& services);

}  // namespace plicora
