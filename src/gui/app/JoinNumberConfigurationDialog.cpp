#include "gui/app/JoinNumberConfigurationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"

namespace plicora {

JoinNumberConfigurationDialog::JoinNumberConfigurationDialog(const Settings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Join Number Configuration"));
  show_ = MakeCheckBox(QStringLiteral("Show Join Number"), "showJoinNumber", s.bDrawNumber);
  reverse_ = MakeCheckBox(QStringLiteral("Reverse Join Number Position"), "reverseJoinNumbers", s.bEdgeIdReverse);
  fontSize_ = MakeIntegerBox("joinNumberFontSize", s.iEdgeNumberFontSize);

  auto* grid = new QGridLayout;
  grid->addWidget(show_, 0, 0, 1, 3);
  grid->addWidget(reverse_, 1, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Font Size")), 2, 0);
  grid->addWidget(fontSize_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("pt")), 2, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);  // room for the whole title
}

void JoinNumberConfigurationDialog::accept() {
  if (!ExchangeInteger(fontSize_, 1, 100, confirmedFontSize_)) return;
  QDialog::accept();
}

void JoinNumberConfigurationDialog::Store(Settings& s) const {
  s.bDrawNumber = show_->isChecked();
  s.bEdgeIdReverse = reverse_->isChecked();
  s.iEdgeNumberFontSize = confirmedFontSize_;
}

void RunJoinNumberConfiguration(const FrameServices& services) {
  JoinNumberConfigurationDialog dialog(services.doc->settings(), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Store(services.doc->settings());
  services.doc->UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
