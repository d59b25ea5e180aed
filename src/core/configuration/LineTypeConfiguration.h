#pragma once
// The values of "Line Type Configuration": the styles of cut and fold lines,
// the printout line width and the hiding of polygon lines near the surface.

#include <optional>

#include "core/configuration/ChoiceLists.h"
#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

/// Angles in degrees from which a polygon line counts as near the surface.
inline constexpr IntegerRange kNearSurfaceAngles = {90, 180};

struct LineTypeConfiguration {
  int cutLine = 0;          ///< index into CutLineChoices()
  int convexFoldLine = 0;   ///< index into FoldLineChoices()
  int concaveFoldLine = 0;  ///< index into FoldLineChoices()
  int lineWidthIndex = 0;   ///< index into kLineWidthPoints
  bool hideNearSurface = false;
  int nearSurfaceAngle = 0;  ///< degrees

  static LineTypeConfiguration FromSettings(const Settings& settings);
  std::optional<FieldProblem<LineTypeConfiguration>> Validate() const;
  /// Stores the values and the printout width of the chosen index.
  void ApplyTo(Settings& settings) const;

  /// Cut line styles: solid, not shown.
  static ChoiceList CutLineChoices();
  /// Fold line styles: solid, dotted 1, dotted 2, not shown.
  static ChoiceList FoldLineChoices();
  /// Every printout line width, the built-in one marked "(standard)".
  static ChoiceList LineWidthChoices();

  bool operator==(const LineTypeConfiguration&) const = default;
};

}  // namespace plicora
