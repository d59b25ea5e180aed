#pragma once
// The values of "Page and Print Settings": page numbers, alignment marks,
// empty pages and raster printing with its resolution.

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

  static PagePrintSettings FromSettings(const Settings& settings);
  /// Nothing to refuse: every value is a switch or a list item.
  std::optional<FieldProblem<PagePrintSettings>> Validate() const { return std::nullopt; }
  /// Stores the values and the resolution of the chosen index.
  void ApplyTo(Settings& settings) const;

  /// The raster resolutions, by index.
  static ChoiceList ResolutionChoices() { return PrintResolutionChoices(); }

  bool operator==(const PagePrintSettings&) const = default;
};

}  // namespace plicora
