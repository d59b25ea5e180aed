#include "gui/app/ColorConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "gui/app/ColorButton.h"

namespace plicora {
namespace {

struct EdgeColorEntry {
  const char* label;
  const char* name;
  int index;
};

constexpr EdgeColorEntry kEdgeColors[] = {
    {"Convex Fold Edge", "convexColor", 1},
    {"Concave Fold Edge", "concaveColor", 2},
    {"Edge with Only One Side Surface", "oneSidedColor", 3},
};

}  // namespace

ColorConfigurationDialog::ColorConfigurationDialog(CVorlanDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setWindowTitle(QStringLiteral("Color Configuration"));
  auto* grid = new QGridLayout;
  int row = 0;
  for (const EdgeColorEntry& entry : kEdgeColors) {
    auto* button = new CColorButton(doc, entry.index);
    button->setObjectName(QLatin1String(entry.name));
    grid->addWidget(new QLabel(QLatin1String(entry.label)), row, 0);
    grid->addWidget(button, row, 1);
    buttons_.push_back(button);
    ++row;
  }
  auto* reset = new QPushButton(QStringLiteral("Reset to Default"));
  reset->setObjectName(QStringLiteral("resetColors"));
  reset->setAutoDefault(false);
  connect(reset, &QPushButton::clicked, this, &ColorConfigurationDialog::ResetColorTable);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(reset, 0, Qt::AlignLeft);
  layout->addWidget(buttons);
}

void ColorConfigurationDialog::ResetColorTable() {
  ResetColors(doc_.settings(), doc_.model());
  for (CColorButton* button : buttons_) button->Reload();
  update();
}

void RunColorConfiguration(const FrameServices& services) {
  ColorConfigurationDialog dialog(*services.doc, services.window);
  dialog.exec();
  // Colours act at once, so the panes redraw however the dialog was closed.
  services.doc->UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
