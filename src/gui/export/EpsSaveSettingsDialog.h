#pragma once
// "EPS Save Settings": the two fill choices of the EPS file and a note that
// text labels are not written.

#include <QDialog>
#include <string>

#include "core/export/EpsWriter.h"

class QCheckBox;

namespace plicora {

class EpsSaveSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  EpsSaveSettingsDialog(const EpsOptions& options, const std::string& notice, QWidget* parent = nullptr);
  /// The choices as the boxes show them.
  EpsOptions options() const;

 private:
  QCheckBox* dontFillSurfaces_;
  QCheckBox* dontFillFlaps_;
};

/// Runs the dialog with `options`; on OK stores the choices there and
/// returns true, otherwise leaves them and returns false.
bool AskEpsOptions(QWidget* parent, const std::string& notice, EpsOptions& options);

}  // namespace plicora
