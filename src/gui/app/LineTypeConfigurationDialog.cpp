#include "gui/app/LineTypeConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "gui/app/DialogDataExchange.h"

namespace plicora {
namespace {

// The lists keep the program's Japanese item texts: solid, dotted 1,
// dotted 2, not shown; and "1 (standard)" for the width.
const QString kSolid = QStringLiteral("実線\u3000\u3000──────");
const QString kHidden = QStringLiteral("表示しない");
const QStringList kCutLineItems = {kSolid, kHidden};
const QStringList kFoldLineItems = {kSolid, QStringLiteral("点線１\u3000・・・・・・・・・・・・"),
                                    QStringLiteral("点線２\u3000─ - ─ - ─ - "), kHidden};
const QStringList kLineWidthItems = {"0.25", "0.5", "0.75", QStringLiteral("1（標準）"), "2", "3", "4", "5"};

}  // namespace

LineTypeConfigurationDialog::LineTypeConfigurationDialog(const Settings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Line Type Configuration"));
  cutLine_ = MakeChoice(kCutLineItems, "cutLine", s.iCutLineType);
  convexLine_ = MakeChoice(kFoldLineItems, "convexFoldLine", s.iYamaLineType);
  concaveLine_ = MakeChoice(kFoldLineItems, "concaveFoldLine", s.iTaniLineType);
  lineWidth_ = MakeChoice(kLineWidthItems, "lineWidth", s.lineWidthIndex);
  hideNearSurface_ =
      MakeCheckBox(QStringLiteral("Hide Polygonal Line near the Surface"), "hideNearSurface", s.bCullEdge);
  angle_ = MakeIntegerBox("nearSurfaceAngle", s.iAngleEps);
  angle_->setEnabled(s.bCullEdge);
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

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void LineTypeConfigurationDialog::accept() {
  if (!ExchangeInteger(angle_, 90, 180, confirmedAngle_)) return;
  QDialog::accept();
}

void LineTypeConfigurationDialog::Store(Settings& s) const {
  auto store = [](const QComboBox* choice, int& value) {
    if (choice->currentIndex() >= 0) value = choice->currentIndex();
  };
  store(cutLine_, s.iCutLineType);
  store(convexLine_, s.iYamaLineType);
  store(concaveLine_, s.iTaniLineType);
  store(lineWidth_, s.lineWidthIndex);
  s.bCullEdge = hideNearSurface_->isChecked();
  s.iAngleEps = confirmedAngle_;
  UpdateDerivedSettings(s);
}

void RunLineTypeConfiguration(const FrameServices& services) {
  LineTypeConfigurationDialog dialog(services.doc->settings(), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Store(services.doc->settings());
  services.doc->UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
