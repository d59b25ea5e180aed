#pragma once
// The values of "Flap Configuration": whether flaps are shown and the width,
// in whole millimetres, that flaps get.

#include <optional>

#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

/// Flap widths in millimetres.
inline constexpr IntegerRange kFlapWidthsMillimetres = {1, 50};

/// The question asked before every flap of a development gets a new width.
inline constexpr const char* kChangeAllFlapsQuestion = "Do you want to change all flaps' size?";

/// A flap width in centimetres as whole millimetres (the fraction dropped).
int FlapWidthMillimetres(double widthCm);

struct FlapConfiguration {
  bool showFlaps = false;
  int widthMillimetres = 0;

  static FlapConfiguration FromSettings(const Settings& settings);
  std::optional<FieldProblem<FlapConfiguration>> Validate() const;
  /// The width in centimetres, as flaps and the settings hold it.
  double WidthCentimetres() const;
  /// Shows or hides flaps and sets the width new flaps get. Existing flaps
  /// keep theirs: widening them all is the caller's choice (after asking
  /// kChangeAllFlapsQuestion).
  void ApplyTo(Settings& settings) const;

  bool operator==(const FlapConfiguration&) const = default;
};

}  // namespace plicora
