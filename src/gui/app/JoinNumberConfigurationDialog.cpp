#include "gui/app/JoinNumberConfigurationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {

JoinNumberConfigurationDialog::JoinNumberConfigurationDialog(const JoinNumberConfiguration& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  setWindowTitle(QStringLiteral("Join Number Configuration"));
  show_ = MakeCheckBox(QStringLiteral("Show Join Number"), "showJoinNumber", values.showNumbers);
  reverse_ = MakeCheckBox(QStringLiteral("Reverse Join Number Position"), "reverseJoinNumbers", values.reverseNumbers);
  fontSize_ = MakeIntegerBox("joinNumberFontSize", values.fontSize);

  auto* grid = new QGridLayout;
  grid->addWidget(show_, 0, 0, 1, 3);
  grid->addWidget(reverse_, 1, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Font Size")), 2, 0);
  grid->addWidget(fontSize_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("pt")), 2, 2);
  QDialogButtonBox* buttons = OkCancelButtons(*this);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);  // room for the whole title
}

void JoinNumberConfigurationDialog::accept() {
  JoinNumberConfiguration edited = values_;
  edited.showNumbers = show_->isChecked();
  edited.reverseNumbers = reverse_->isChecked();
  if (!ConfirmValues(edited, {{&JoinNumberConfiguration::fontSize, fontSize_}})) return;
  values_ = edited;
  QDialog::accept();
}

void RunJoinNumberConfiguration(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  JoinNumberConfigurationDialog dialog(JoinNumberConfiguration::FromSettings(doc.settings()), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.values().ApplyTo(doc.settings());
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
