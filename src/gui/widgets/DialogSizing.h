#pragma once
// Dialogs whose controls have one fixed arrangement keep one size (they
// cannot be stretched or maximised into gaps), and every dialog and message
// box is at least wide enough for its whole title.

class QBoxLayout;
class QDialog;
class QMessageBox;
class QWidget;

namespace plicora {

/// The width a window needs for its title, the window manager's buttons
/// included (set the title first).
int WholeTitleWidth(const QWidget& window);

/// Gives `dialog` the fixed size of its top layout, at least WholeTitleWidth.
void FixDialogSize(QDialog& dialog, QBoxLayout& layout);

/// Widens a message box to WholeTitleWidth.
void KeepTitleWhole(QMessageBox& box);

}  // namespace plicora
