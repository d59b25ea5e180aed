#include "gui/export/EpsSaveSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/widgets/DialogSizing.h"

namespace plicora {

EpsSaveSettingsDialog::EpsSaveSettingsDialog(const EpsOptions& options, const std::string& notice, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("EPS Save Settings"));
  dontFillSurfaces_ = new QCheckBox(QStringLiteral("Don't Fill Surfaces"));
  dontFillSurfaces_->setObjectName(QStringLiteral("dontFillSurfaces"));
  dontFillSurfaces_->setChecked(options.dontFillSurfaces);
  dontFillFlaps_ = new QCheckBox(QStringLiteral("Don't Fill Flaps"));
  dontFillFlaps_->setObjectName(QStringLiteral("dontFillFlaps"));
  dontFillFlaps_->setChecked(options.dontFillFlaps);
  auto* note = new QLabel(QString::fromStdString(notice));
  note->setObjectName(QStringLiteral("notice"));
  note->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addWidget(dontFillSurfaces_);
  layout->addWidget(dontFillFlaps_);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

EpsOptions EpsSaveSettingsDialog::options() const {
  EpsOptions options;
  options.dontFillSurfaces = dontFillSurfaces_->isChecked();
  options.dontFillFlaps = dontFillFlaps_->isChecked();
  return options;
}

bool AskEpsOptions(QWidget* parent, const std::string& notice, EpsOptions& options) {
  EpsSaveSettingsDialog dialog(options, notice, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.options();
  return true;
}

}  // namespace plicora
