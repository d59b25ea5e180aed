#pragma once
// "Join Number Configuration": whether join numbers are shown, on which side
// of the edge, and their font size.

#include <QDialog>

#include "gui/commands/FrameServices.h"

class QCheckBox;
class QLineEdit;

namespace plicora {

class JoinNumberConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  explicit JoinNumberConfigurationDialog(const Settings& settings, QWidget* parent = nullptr);
  /// Writes the confirmed values (after OK) into `settings`.
  void Store(Settings& settings) const;

 public slots:
  void accept() override;

 private:
  QCheckBox* show_;
  QCheckBox* reverse_;
  QLineEdit* fontSize_;
  int confirmedFontSize_ = 0;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunJoinNumberConfiguration(const FrameServices& services);

}  // namespace plicora
