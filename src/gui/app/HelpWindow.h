#pragma once
// The program's own help window: the installed HTML guide in a text browser
// with its contents, links, Back and Forward, and a search field (Ctrl+F).
// It needs no web browser, so help works on every machine.

#include <QWidget>

class QLineEdit;
class QTextBrowser;

namespace plicora {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  /// A window showing the guide whose first page is `indexPath`.
  explicit HelpWindow(const QString& indexPath, QWidget* parent = nullptr);

  QTextBrowser* browser() const { return browser_; }
  /// Selects the next place (after the current selection) where `text`
  /// occurs, starting over at the top; false when it occurs nowhere.
  bool FindNext(const QString& text);

 private:
  QTextBrowser* browser_;
  QLineEdit* search_;
};

/// Shows the help window of `owner` (made on first use), raised.
/// False when the guide is not installed.
bool ShowHelpWindow(QWidget* owner);

}  // namespace plicora
