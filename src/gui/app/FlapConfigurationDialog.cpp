#include "gui/app/FlapConfigurationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {

FlapConfigurationDialog::FlapConfigurationDialog(const FlapConfiguration& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  setWindowTitle(QStringLiteral("Flap Configuration"));
  showFlaps_ = MakeCheckBox(QStringLiteral("Show Flap"), "showFlap", values.showFlaps);
  width_ = MakeIntegerBox("flapWidth", values.widthMillimetres);

  auto* grid = new QGridLayout;
  grid->addWidget(showFlaps_, 0, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Flap Width")), 1, 0);
  grid->addWidget(width_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("mm")), 1, 2);
  QDialogButtonBox* buttons = OkCancelButtons(*this);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);  // room for the whole title
}

void FlapConfigurationDialog::accept() {
  FlapConfiguration edited = values_;
  edited.showFlaps = showFlaps_->isChecked();
  if (!ConfirmValues(edited, {{&FlapConfiguration::widthMillimetres, width_}})) return;
  values_ = edited;
  QDialog::accept();
}

void RunFlapConfiguration(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  const FlapConfiguration shown = FlapConfiguration::FromSettings(doc.settings());
  FlapConfigurationDialog dialog(shown, services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const FlapConfiguration& chosen = dialog.values();
  if (chosen.widthMillimetres != shown.widthMillimetres && doc.model() && doc.hasDevelopment()) {
    if (!CurrentMessageSink().Ask(kChangeAllFlapsQuestion, false)) return;
    SetAllFlapWidths(*doc.model(), chosen.WidthCentimetres());
  }
  chosen.ApplyTo(doc.settings());
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
