#pragma once
// "Line Type Configuration": the styles of cut and fold lines, the printout
// line width and the hiding of polygon lines near the surface.

#include <QDialog>

#include "core/configuration/LineTypeConfiguration.h"
#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace plicora {

class LineTypeConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LineTypeConfigurationDialog(const LineTypeConfiguration& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const LineTypeConfiguration& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  LineTypeConfiguration values_;
  QComboBox* cutLine_;
  QComboBox* convexLine_;
  QComboBox* concaveLine_;
  QComboBox* lineWidth_;
  QCheckBox* hideNearSurface_;
  QLineEdit* angle_;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunLineTypeConfiguration(const FrameServices& services);

}  // namespace plicora
