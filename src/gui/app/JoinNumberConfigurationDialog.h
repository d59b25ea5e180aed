#pragma once
// "Join Number Configuration": whether join numbers are shown, on which side
// of the edge, and their font size.

#include <QDialog>

#include "core/configuration/JoinNumberConfiguration.h"
#include "gui/commands/FrameServices.h"

class QCheckBox;
class QLineEdit;

namespace plicora {

class JoinNumberConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit JoinNumberConfigurationDialog(const JoinNumberConfiguration& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const JoinNumberConfiguration& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  JoinNumberConfiguration values_;
  QCheckBox* show_;
  QCheckBox* reverse_;
  QLineEdit* fontSize_;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunJoinNumberConfiguration(const FrameServices& services);

}  // namespace plicora
