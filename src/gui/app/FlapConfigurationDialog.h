#pragma once
// "Flap Configuration": whether flaps are shown and the width, in
// millimetres, that flaps get.

#include <QDialog>

#include "core/configuration/FlapConfiguration.h"
#include "gui/commands/FrameServices.h"

class QCheckBox;
class QLineEdit;

namespace plicora {

class FlapConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit FlapConfigurationDialog(const FlapConfiguration& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const FlapConfiguration& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  FlapConfiguration values_;
  QCheckBox* showFlaps_;
  QLineEdit* width_;
};

/// Runs the dialog. On OK with a changed width and a development loaded it
/// asks whether every flap should get the new width; No applies nothing.
void RunFlapConfiguration(const FrameServices& services);

}  // namespace plicora
