#pragma once
// The values of "Page and Print Settings": page numbers, alignment marks,
// the scale gauge, empty pages, raster printing with its resolution and the
// registration marks of print-and-cut sheets.

#include <optional>

#include "core/configuration/ChoiceLists.h"
#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

struct PagePrintSettings {
  bool printPageNumber = false;
  bool printAlignmentMarks = false;
  bool omitEmptyPages = false;
  bool printRaster = false;
  int resolutionIndex = 0;  ///< index into kPrintPpi
  bool printScaleGauge = false;
  int registrationMarks = 0;  ///< a RegistrationPreset

  static PagePrintSettings FromSettings(const Settings& settings);
  /// Nothing to refuse: every value is a switch or a list item.
  std::optional<FieldProblem<PagePrintSettings>> Validate() const { return std::nullopt; }
  /// Stores the values and the resolution of the chosen index.
  void ApplyTo(Settings& settings) const;

  /// The raster resolutions, by index.
  static ChoiceList ResolutionChoices() { return PrintResolutionChoices(); }
  /// The registration mark presets, by RegistrationPreset.
  static ChoiceList RegistrationMarkChoices();

  bool operator==(const PagePrintSettings&) const = default;
};

}  // namespace plicora
