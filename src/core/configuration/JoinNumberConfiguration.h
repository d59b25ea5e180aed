#pragma once
// The values of "Join Number Configuration": whether join numbers are shown,
// on which side of the edge, and their font size.

#include <optional>

#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

/// Join number font sizes in points (also offered by Other Configurations).
inline constexpr IntegerRange kJoinNumberFontSizes = {1, 100};

struct JoinNumberConfiguration {
  bool showNumbers = false;
  bool reverseNumbers = false;
  int fontSize = 0;  ///< points

  static JoinNumberConfiguration FromSettings(const Settings& settings);
  std::optional<FieldProblem<JoinNumberConfiguration>> Validate() const;
  void ApplyTo(Settings& settings) const;

  bool operator==(const JoinNumberConfiguration&) const = default;
};

}  // namespace plicora
