#pragma once
// "Line Type Configuration": the styles of cut and fold lines, the printout
// line width and the hiding of polygon lines near the surface.

#include <QDialog>

#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace plicora {

class LineTypeConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LineTypeConfigurationDialog(const Settings& settings, QWidget* parent = nullptr);
  /// Writes the confirmed values (after OK) into `settings`.
  void Store(Settings& settings) const;

 public slots:
  void accept() override;

 private:
  QComboBox* cutLine_;
  QComboBox* convexLine_;
  QComboBox* concaveLine_;
  QComboBox* lineWidth_;
  QCheckBox* hideNearSurface_;
  QLineEdit* angle_;
  int confirmedAngle_ = 0;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunLineTypeConfiguration(const FrameServices& services);

}  // namespace plicora
