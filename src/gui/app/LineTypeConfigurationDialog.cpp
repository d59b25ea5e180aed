#include "gui/app/LineTypeConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {

LineTypeConfigurationDialog::LineTypeConfigurationDialog(const LineTypeConfiguration& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  using Values = LineTypeConfiguration;
  setWindowTitle(QStringLiteral("Line Type Configuration"));
  cutLine_ = MakeChoice(Values::CutLineChoices(), "cutLine", values.cutLine);
  convexLine_ = MakeChoice(Values::FoldLineChoices(), "convexFoldLine", values.convexFoldLine);
  concaveLine_ = MakeChoice(Values::FoldLineChoices(), "concaveFoldLine", values.concaveFoldLine);
  lineWidth_ = MakeChoice(Values::LineWidthChoices(), "lineWidth", values.lineWidthIndex);
  hideNearSurface_ =
      MakeCheckBox(QStringLiteral("Hide Polygonal Line near the Surface"), "hideNearSurface", values.hideNearSurface);
  angle_ = MakeIntegerBox("nearSurfaceAngle", values.nearSurfaceAngle);
  angle_->setEnabled(values.hideNearSurface);
  connect(hideNearSurface_, &QCheckBox::toggled, angle_, &QWidget::setEnabled);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Cut Line")), 0, 0);
  grid->addWidget(cutLine_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Convex Fold Line")), 1, 0);
  grid->addWidget(convexLine_, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Concave Fold Line")), 2, 0);
  grid->addWidget(concaveLine_, 2, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Line Width for Development Printout")), 3, 0);
  grid->addWidget(lineWidth_, 3, 1, 1, 2);
  grid->addWidget(hideNearSurface_, 4, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Angle that is considered to be near the Surface")), 5, 0);
  grid->addWidget(angle_, 5, 1);
  grid->addWidget(new QLabel(QStringLiteral("Degree")), 5, 2);

  QDialogButtonBox* buttons = OkCancelButtons(*this);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void LineTypeConfigurationDialog::accept() {
  LineTypeConfiguration edited = values_;
  ReadChoice(cutLine_, edited.cutLine);
  ReadChoice(convexLine_, edited.convexFoldLine);
  ReadChoice(concaveLine_, edited.concaveFoldLine);
  ReadChoice(lineWidth_, edited.lineWidthIndex);
  edited.hideNearSurface = hideNearSurface_->isChecked();
  if (!ConfirmValues(edited, {{&LineTypeConfiguration::nearSurfaceAngle, angle_}})) return;
  values_ = edited;
  QDialog::accept();
}

void RunLineTypeConfiguration(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  LineTypeConfigurationDialog dialog(LineTypeConfiguration::FromSettings(doc.settings()), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.values().ApplyTo(doc.settings());
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
