#include "gui/app/DialogDataExchange.h"

#include "core/platform/MessageSink.h"

namespace plicora {

std::string IntegerEntryProblem(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return "Please enter an integer.";
  if (value < low || value > high)
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high).toStdString();
  return {};
}

bool ExchangeInteger(QLineEdit* box, int low, int high, int& value) {
  const std::string problem = IntegerEntryProblem(box->text(), low, high);
  if (!problem.empty()) {
    ShowMessage(problem, MessageKind::Warning);
    box->setFocus();
    box->selectAll();
    return false;
  }
  value = box->text().trimmed().toInt();
  return true;
}

QCheckBox* MakeCheckBox(const QString& text, const char* name, bool value) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QLatin1String(name));
  box->setChecked(value);
  return box;
}

QComboBox* MakeChoice(const QStringList& items, const char* name, int index) {
  auto* choice = new QComboBox;
  choice->setObjectName(QLatin1String(name));
  choice->addItems(items);
  choice->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
  return choice;
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
