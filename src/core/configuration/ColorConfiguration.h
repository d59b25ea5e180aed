#pragma once
// The values of "Color Configuration": the colour table, of which the
// dialog shows the convex, concave and one-sided edge colours and the join
// highlight, and which its
// "Reset to Default" puts back whole.

#include <array>
#include <optional>

#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

struct Model;

struct ColorConfiguration {
  std::array<ColorRef, kColorSlotCount> colors{};  ///< by ColorSlot

  static ColorConfiguration FromSettings(const Settings& settings);
  /// Nothing to refuse: any colour will do.
  std::optional<FieldProblem<ColorConfiguration>> Validate() const { return std::nullopt; }
  /// Every built-in colour back in the table.
  void ResetColors() { colors = kDefaultColors; }
  /// Sets the entries that differ from the table; a new colour 0 also
  /// reaches `model`'s default material.
  void ApplyTo(Settings& settings, Model* model) const;

  bool operator==(const ColorConfiguration&) const = default;
};

/// Sets colour `slot` when it differs from the table (colour 0 also into
/// `model`). Dialogs that show one colour apply it with this.
void ApplyColor(Settings& settings, ColorSlot slot, ColorRef color, Model* model);

}  // namespace plicora
