#include "gui/app/FlapConfigurationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "gui/app/DialogDataExchange.h"

namespace plicora {

int FlapWidthMillimetres(double widthCm) {
  return static_cast<int>(std::trunc(widthCm * 10.0));
}

FlapConfigurationDialog::FlapConfigurationDialog(const Settings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Flap Configuration"));
  showFlaps_ = MakeCheckBox(QStringLiteral("Show Flap"), "showFlap", s.bDrawFlap);
  // The flap side is not offered here; the box is kept hidden and inactive.
  auto* reverse = MakeCheckBox(QStringLiteral("Reverse Flap Position"), "reverseFlap", s.bNorishiroReverse);
  reverse->setEnabled(false);
  reverse->setVisible(false);
  width_ = MakeIntegerBox("flapWidth", FlapWidthMillimetres(s.flapWidth));

  auto* grid = new QGridLayout;
  grid->addWidget(showFlaps_, 0, 0, 1, 3);
  grid->addWidget(reverse, 1, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Flap Width")), 2, 0);
  grid->addWidget(width_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("mm")), 2, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);  // room for the whole title
}

bool FlapConfigurationDialog::showFlaps() const {
  return showFlaps_->isChecked();
}

void FlapConfigurationDialog::accept() {
  if (!ExchangeInteger(width_, 1, 50, confirmedWidth_)) return;
  QDialog::accept();
}

void RunFlapConfiguration(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  Settings& s = doc.settings();
  const int shownWidth = FlapWidthMillimetres(s.flapWidth);
  FlapConfigurationDialog dialog(s, services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const int width = dialog.widthMillimetres();
  if (width != shownWidth && doc.model() && doc.hasDevelopment()) {
    if (!CurrentMessageSink().Ask(kChangeAllFlapsQuestion, false)) return;
    SetAllFlapWidths(*doc.model(), width * 0.1);
  }
  s.bDrawFlap = dialog.showFlaps();
  s.flapWidth = width * 0.1;
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
