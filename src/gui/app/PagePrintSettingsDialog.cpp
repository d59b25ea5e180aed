#include "gui/app/PagePrintSettingsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"

namespace plicora {

PagePrintSettingsDialog::PagePrintSettingsDialog(const Settings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Page and Print Settings"));
  pageNumber_ = MakeCheckBox(QStringLiteral("Print Page Number"), "printPageNumber", s.bPrintPageNumber);
  alignmentMarks_ = MakeCheckBox(QStringLiteral("Print Mark for Aligning"), "printAlignmentMarks", s.bPrintTombo);
  omitEmptyPages_ =
      MakeCheckBox(QStringLiteral("Do Not Print Pages without Development"), "omitEmptyPages", s.bPrintOmitPage);
  raster_ = MakeCheckBox(QStringLiteral("Print All in Raster Format"), "printRaster", s.bPrintRaster);
  resolution_ = MakeChoice({"75", "100", "150", "200"}, "rasterResolution", s.iPrintPPIIndex);

  auto* resolutionRow = new QHBoxLayout;
  resolutionRow->addWidget(new QLabel(QStringLiteral("Resolution of Raster Info")));
  resolutionRow->addWidget(resolution_);
  resolutionRow->addWidget(new QLabel(QStringLiteral("pix/inch")));
  resolutionRow->addStretch();
  auto* note = new QLabel(
      QStringLiteral("* Printing may take a very long time if resolution is high and/or paper size is large."));
  note->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  for (QWidget* box : {static_cast<QWidget*>(pageNumber_), static_cast<QWidget*>(alignmentMarks_),
                       static_cast<QWidget*>(omitEmptyPages_), static_cast<QWidget*>(raster_)})
    layout->addWidget(box);
  layout->addLayout(resolutionRow);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void PagePrintSettingsDialog::Store(Settings& s) const {
  s.bPrintPageNumber = pageNumber_->isChecked();
  s.bPrintTombo = alignmentMarks_->isChecked();
  s.bPrintOmitPage = omitEmptyPages_->isChecked();
  s.bPrintRaster = raster_->isChecked();
  if (resolution_->currentIndex() >= 0) s.iPrintPPIIndex = resolution_->currentIndex();
  UpdateDerivedSettings(s);
}

void RunPagePrintSettings(const FrameServices& services) {
  PagePrintSettingsDialog dialog(services.doc->settings(), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Store(services.doc->settings());
  services.doc->UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
