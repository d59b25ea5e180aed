#include "gui/app/ColorConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "gui/app/ColorButton.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"

namespace plicora {
namespace {

struct EdgeColorEntry {
  const char* label;
  const char* name;
  ColorSlot slot;
};

constexpr EdgeColorEntry kEdgeColors[] = {
    {"Convex Fold Edge", "convexColor", kColorConvexFold},
    {"Concave Fold Edge", "concaveColor", kColorConcaveFold},
    {"Edge with Only One Side Surface", "oneSidedColor", kColorCutEdge},
    {"Highlighted Join and Part", "joinHighlightColor", kColorJoinHighlight},
};

}  // namespace

ColorConfigurationDialog::ColorConfigurationDialog(const ColorConfiguration& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  setWindowTitle(QStringLiteral("Color Configuration"));
  auto* grid = new QGridLayout;
  int row = 0;
  for (const EdgeColorEntry& entry : kEdgeColors) {
    auto* button = new CColorButton(values.colors[entry.slot]);
    button->setObjectName(QLatin1String(entry.name));
    grid->addWidget(new QLabel(QLatin1String(entry.label)), row, 0);
    grid->addWidget(button, row, 1);
    buttons_.push_back({entry.slot, button});
    ++row;
  }
  auto* reset = new QPushButton(QStringLiteral("Reset to Default"));
  reset->setObjectName(QStringLiteral("resetColors"));
  reset->setAutoDefault(false);
  connect(reset, &QPushButton::clicked, this, &ColorConfigurationDialog::ResetColorTable);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(grid);
  layout->addWidget(reset, 0, Qt::AlignLeft);
  layout->addWidget(buttons);
}

void ColorConfigurationDialog::ResetColorTable() {
  values_.ResetColors();
  for (const Shown& shown : buttons_) shown.button->ShowColor(values_.colors[shown.slot]);
  update();
}

void ColorConfigurationDialog::accept() {
  ColorConfiguration edited = values_;
  for (const Shown& shown : buttons_) edited.colors[shown.slot] = shown.button->color();
  if (!ConfirmValues(edited, {})) return;
  values_ = edited;
  QDialog::accept();
}

void RunColorConfiguration(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  ColorConfigurationDialog dialog(ColorConfiguration::FromSettings(doc.settings()), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.values().ApplyTo(doc.settings(), doc.model());
  doc.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
