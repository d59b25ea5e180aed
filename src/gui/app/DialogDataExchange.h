#pragma once
// Moving values between dialog controls and settings: the controls every
// dialog builds (check boxes, drop-down lists, integer boxes, read-only
// boxes) and the integer check made when a dialog is confirmed.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <string>

namespace plicora {

/// The message an integer box earns when confirmed: "Please enter an
/// integer." when the text is not one integer, "Please enter an integer
/// between LO and HI." when it is out of range, empty when it is accepted.
std::string IntegerEntryProblem(const QString& text, int low, int high);

/// Reads an integer box when its dialog is confirmed. On a problem the
/// message is shown, the box gets the focus with its text selected and the
/// result is false (the dialog stays open).
bool ExchangeInteger(QLineEdit* box, int low, int high, int& value);

/// A check box named `name` showing `text`, ticked as `value` says.
QCheckBox* MakeCheckBox(const QString& text, const char* name, bool value);
/// A drop-down list of `items` with item `index` selected (none when out of
/// the list).
QComboBox* MakeChoice(const QStringList& items, const char* name, int index);
/// An integer box holding `value`.
QLineEdit* MakeIntegerBox(const char* name, int value);
/// A box that only shows `text`.
QLineEdit* MakeShownText(const char* name, const QString& text);

}  // namespace plicora
