#pragma once
// "Color Configuration": the colours of convex, concave and one-sided edges,
// and a button that puts every colour back to its built-in value. The dialog
// closes with OK only; closing it otherwise discards the changes.

#include <QDialog>
#include <vector>

#include "core/configuration/ColorConfiguration.h"
#include "gui/commands/FrameServices.h"

namespace plicora {

class CColorButton;

class ColorConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ColorConfigurationDialog(const ColorConfiguration& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const ColorConfiguration& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  struct Shown {
    ColorSlot slot;
    CColorButton* button;
  };
  void ResetColorTable();

  ColorConfiguration values_;
  std::vector<Shown> buttons_;
};

/// Runs the dialog; on OK sets the colours and redraws.
void RunColorConfiguration(const FrameServices& services);

}  // namespace plicora
