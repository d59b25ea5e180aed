#pragma once
// Moving values between dialog controls and the values a dialog edits: the
// controls every dialog builds (check boxes, drop-down lists, integer boxes,
// read-only boxes) and the checks made when a dialog is confirmed.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <initializer_list>
#include <optional>
#include <string>

#include "core/configuration/ChoiceLists.h"
#include "core/configuration/IntegerEntry.h"

namespace plicora {

/// The integer an integer box holds (blanks around it allowed), none when
/// its text is not one decimal integer.
std::optional<int> IntegerFromEntry(const QString& text);

/// Shows `message` and gives `box` (when there is one) the focus with its
/// text selected: the dialog stays open for a new entry.
void RefuseEntry(QLineEdit* box, const std::string& message);

/// An integer box and the field of `Values` it edits.
template <typename Values>
struct IntegerBox {
  int Values::*field;
  QLineEdit* box;
};

/// What a dialog does on OK: reads its integer boxes into `values` (a text
/// that is no integer is refused with "Please enter an integer."), then asks
/// values.Validate() and refuses its problem on the box of the field named.
/// False while the dialog must stay open.
template <typename Values>
bool ConfirmValues(Values& values, std::initializer_list<IntegerBox<Values>> boxes);

/// A check box named `name` showing `text`, ticked as `value` says.
QCheckBox* MakeCheckBox(const QString& text, const char* name, bool value);
/// A drop-down list of `items` with item `index` selected (none when out of
/// the list).
QComboBox* MakeChoice(const ChoiceList& items, const char* name, int index);
/// Stores the selected item's index in `index`; no selection leaves it.
void ReadChoice(const QComboBox* choice, int& index);
/// An integer box holding `value`.
QLineEdit* MakeIntegerBox(const char* name, int value);
/// A box that only shows `text`.
QLineEdit* MakeShownText(const char* name, const QString& text);

template <typename Values>
bool ConfirmValues(Values& values, std::initializer_list<IntegerBox<Values>> boxes) {
  for (const IntegerBox<Values>& entry : boxes) {
    const std::optional<int> value = IntegerFromEntry(entry.box->text());
    if (!value) {
      RefuseEntry(entry.box, kNotAnIntegerMessage);
      return false;
    }
    values.*entry.field = *value;
  }
  const auto problem = values.Validate();
  if (!problem) return true;
  QLineEdit* box = nullptr;
  for (const IntegerBox<Values>& entry : boxes)
    if (entry.field == problem->field) box = entry.box;
  RefuseEntry(box, problem->message);
  return false;
}

}  // namespace plicora
