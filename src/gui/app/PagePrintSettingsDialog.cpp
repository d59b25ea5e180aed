#include "gui/app/PagePrintSettingsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {

PagePrintSettingsDialog::PagePrintSettingsDialog(const PagePrintSettings& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  setWindowTitle(QStringLiteral("Page and Print Settings"));
  pageNumber_ = MakeCheckBox(QStringLiteral("Print Page Number"), "printPageNumber", values.printPageNumber);
  alignmentMarks_ =
      MakeCheckBox(QStringLiteral("Print Mark for Aligning"), "printAlignmentMarks", values.printAlignmentMarks);
  omitEmptyPages_ =
      MakeCheckBox(QStringLiteral("Do Not Print Pages without Development"), "omitEmptyPages", values.omitEmptyPages);
  scaleGauge_ = MakeCheckBox(QStringLiteral("Print Scale Gauge"), "printScaleGauge", values.printScaleGauge);
  raster_ = MakeCheckBox(QStringLiteral("Print All in Raster Format"), "printRaster", values.printRaster);
  resolution_ = MakeChoice(PagePrintSettings::ResolutionChoices(), "rasterResolution", values.resolutionIndex);

  auto* resolutionRow = new QHBoxLayout;
  resolutionRow->addWidget(new QLabel(QStringLiteral("Resolution of Raster Info")));
  resolutionRow->addWidget(resolution_);
  resolutionRow->addWidget(new QLabel(QStringLiteral("pix/inch")));
  resolutionRow->addStretch();
  registrationMarks_ =
      MakeChoice(PagePrintSettings::RegistrationMarkChoices(), "registrationMarks", values.registrationMarks);
  auto* marksRow = new QHBoxLayout;
  marksRow->addWidget(new QLabel(QStringLiteral("Registration Marks for Print and Cut")));
  marksRow->addWidget(registrationMarks_);
  marksRow->addStretch();
  auto* note = new QLabel(
      QStringLiteral("* Printing may take a very long time if resolution is high and/or paper size is large."));
  note->setWordWrap(true);

  QDialogButtonBox* buttons = OkCancelButtons(*this);

  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  for (QWidget* box :
       {static_cast<QWidget*>(pageNumber_), static_cast<QWidget*>(alignmentMarks_), static_cast<QWidget*>(scaleGauge_),
        static_cast<QWidget*>(omitEmptyPages_), static_cast<QWidget*>(raster_)})
    layout->addWidget(box);
  layout->addLayout(resolutionRow);
  layout->addWidget(note);
  layout->addLayout(marksRow);
  layout->addWidget(buttons);
}

void PagePrintSettingsDialog::accept() {
  PagePrintSettings edited = values_;
  edited.printPageNumber = pageNumber_->isChecked();
  edited.printAlignmentMarks = alignmentMarks_->isChecked();
  edited.omitEmptyPages = omitEmptyPages_->isChecked();
  edited.printRaster = raster_->isChecked();
  edited.printScaleGauge = scaleGauge_->isChecked();
  ReadChoice(resolution_, edited.resolutionIndex);
  ReadChoice(registrationMarks_, edited.registrationMarks);
  if (!ConfirmValues(edited, {})) return;
  values_ = edited;
  QDialog::accept();
}

void RunPagePrintSettings(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  PagePrintSettingsDialog dialog(PagePrintSettings::FromSettings(doc.settings()), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.values().ApplyTo(doc.settings());
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
