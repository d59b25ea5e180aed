#include "gui/app/DialogDataExchange.h"

#include "core/platform/MessageSink.h"

namespace plicora {

std::optional<int> IntegerFromEntry(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

void RefuseEntry(QLineEdit* box, const std::string& message) {
  ShowMessage(message, MessageKind::Warning);
  if (!box) return;
  box->setFocus();
  box->selectAll();
}

QCheckBox* MakeCheckBox(const QString& text, const char* name, bool value) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QLatin1String(name));
  box->setChecked(value);
  return box;
}

QComboBox* MakeChoice(const ChoiceList& items, const char* name, int index) {
  auto* choice = new QComboBox;
  choice->setObjectName(QLatin1String(name));
  for (const std::string& item : items) choice->addItem(QString::fromStdString(item));
  choice->setCurrentIndex(index >= 0 && index < choice->count() ? index : -1);
  return choice;
}

void ReadChoice(const QComboBox* choice, int& index) {
  if (choice->currentIndex() >= 0) index = choice->currentIndex();
}

QLineEdit* MakeIntegerBox(const char* name, int value) {
  auto* box = new QLineEdit(QString::number(value));
  box->setObjectName(QLatin1String(name));
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
  return box;
}

QLineEdit* MakeShownText(const char* name, const QString& text) {
  auto* box = new QLineEdit(text);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  return box;
}

}  // namespace plicora
