#include "gui/app/MessageBoxSink.h"

#include <QMessageBox>

namespace plicora {
namespace {

const QString kTitle = QStringLiteral("Plicora Viewer");

}  // namespace

void MessageBoxSink::Show(std::string_view text, MessageKind kind) {
  const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  switch (kind) {
    case MessageKind::Information:
      QMessageBox::information(owner_, kTitle, message);
      break;
    case MessageKind::Warning:
      QMessageBox::warning(owner_, kTitle, message);
      break;
    case MessageKind::Error:
      QMessageBox::critical(owner_, kTitle, message);
      break;
  }
}

bool MessageBoxSink::Ask(std::string_view text, bool /*fallback*/) {
  const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return QMessageBox::question(owner_, kTitle, message, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxSink::Confirm(std::string_view text, bool /*fallback*/) {
  const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return QMessageBox::question(owner_, kTitle, message, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace plicora
