#include "gui/app/HelpWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/platform/DataLocation.h"

namespace plicora {
namespace {

constexpr QSize kHelpWindowSize{900, 700};

}  // namespace

HelpWindow::HelpWindow(const QString& indexPath, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)), search_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Plicora Viewer Help"));
  browser_->setOpenExternalLinks(true);  // addresses outside the guide go to the web browser
  browser_->setSource(QUrl::fromLocalFile(indexPath));

  auto* bar = new QToolBar(this);
  QAction* contents = bar->addAction(QStringLiteral("&Contents"), browser_, &QTextBrowser::home);
  contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
  QAction* back = bar->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  QAction* forward = bar->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  back->setEnabled(false);
  forward->setEnabled(false);
  bar->addSeparator();
  search_->setObjectName(QStringLiteral("helpSearch"));
  search_->setPlaceholderText(QStringLiteral("Search (Ctrl+F)"));
  search_->setClearButtonEnabled(true);
  search_->setMaximumWidth(260);
  bar->addWidget(search_);
  connect(search_, &QLineEdit::returnPressed, this, [this] { FindNext(search_->text()); });
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, [this] {
    search_->setFocus();
    search_->selectAll();
  });
  addAction(find);
  auto* again = new QAction(this);
  again->setShortcut(QKeySequence::FindNext);
  connect(again, &QAction::triggered, this, [this] { FindNext(search_->text()); });
  addAction(again);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(browser_);
  resize(kHelpWindowSize);
}

bool HelpWindow::FindNext(const QString& text) {
  if (text.isEmpty()) return false;
  if (browser_->find(text)) return true;
  // From the top once more.
  QTextCursor top = browser_->textCursor();
  top.movePosition(QTextCursor::Start);
  browser_->setTextCursor(top);
  return browser_->find(text);
}

bool ShowHelpWindow(QWidget* owner) {
  static QPointer<HelpWindow> window;
  if (!window) {
    const std::string index = HelpFilePath();
    if (index.empty()) return false;
    window = new HelpWindow(QString::fromStdString(index), owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

}  // namespace plicora
