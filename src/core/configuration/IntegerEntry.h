#pragma once
// The integer boxes of the configuration dialogs: the range each accepts and
// the messages a confirmed box earns when its text is not an integer or its
// value lies outside the range.

#include <optional>
#include <string>

namespace plicora {

/// The message for a box whose text is not one integer.
inline constexpr const char* kNotAnIntegerMessage = "Please enter an integer.";

/// The values an integer box accepts, both ends included.
struct IntegerRange {
  int low;
  int high;
  bool Contains(int value) const { return value >= low && value <= high; }
};

/// "Please enter an integer between LOW and HIGH."
std::string OutOfRangeMessage(IntegerRange range);

/// Why a dialog's values cannot be confirmed: the message to show and the
/// field whose box takes the focus.
template <typename Values>
struct FieldProblem {
  std::string message;
  int Values::*field;
};

/// The problem of `values.*field` against `range`, none when it fits.
template <typename Values>
std::optional<FieldProblem<Values>> CheckRange(const Values& values, int Values::*field, IntegerRange range) {
  if (range.Contains(values.*field)) return std::nullopt;
  return FieldProblem<Values>{OutOfRangeMessage(range), field};
}

}  // namespace plicora
