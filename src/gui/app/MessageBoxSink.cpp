#include "gui/app/MessageBoxSink.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "gui/widgets/DialogSizing.h"

namespace plicora {
namespace {

const QString kTitle = QStringLiteral("Plicora Viewer");

// A modal box of the program's title, at least as wide as that title.
QMessageBox::StandardButton Run(QWidget* owner, QMessageBox::Icon icon, std::string_view text,
                                QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, kTitle, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), buttons, owner);
  KeepTitleWhole(box);
  // A message that comes during long work (behind a busy cursor) is
  // answered with the ordinary pointer.
  const bool busy = QGuiApplication::overrideCursor() != nullptr;
  if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (busy) QGuiApplication::restoreOverrideCursor();
  return box.standardButton(box.clickedButton());
}

}  // namespace

void MessageBoxSink::Show(std::string_view text, MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      Run(owner_, QMessageBox::Information, text, QMessageBox::Ok);
      break;
    case MessageKind::Warning:
      Run(owner_, QMessageBox::Warning, text, QMessageBox::Ok);
      break;
    case MessageKind::Error:
      Run(owner_, QMessageBox::Critical, text, QMessageBox::Ok);
      break;
  }
}

bool MessageBoxSink::Ask(std::string_view text, bool /*fallback*/) {
  return Run(owner_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxSink::Confirm(std::string_view text, bool /*fallback*/) {
  return Run(owner_, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace plicora
