#include "gui/widgets/DialogSizing.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace plicora {
namespace {

/// Room of a title bar besides the text: the window manager's icon, close
/// and other buttons, and the bold title font most managers use.
constexpr int kTitleBarButtons = 120;
constexpr double kTitleFontWidening = 1.2;

QSpacerItem* WidthSpacer(int width) {
  return new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
}

}  // namespace

int WholeTitleWidth(const QWidget& window) {
  const double text = QFontMetrics(window.font()).horizontalAdvance(window.windowTitle());
  return static_cast<int>(text * kTitleFontWidening) + kTitleBarButtons;
}

void FixDialogSize(QDialog& dialog, QBoxLayout& layout) {
  layout.addItem(WidthSpacer(WholeTitleWidth(dialog)));
  layout.setSizeConstraint(QLayout::SetFixedSize);
}

void KeepTitleWhole(QMessageBox& box) {
  // A message box sizes itself from its text; a spacer across its grid is
  // the width it keeps.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(WidthSpacer(WholeTitleWidth(box)), grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace plicora
