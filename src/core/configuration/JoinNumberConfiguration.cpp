#include "core/configuration/JoinNumberConfiguration.h"

namespace plicora {

JoinNumberConfiguration JoinNumberConfiguration::FromSettings(const Settings& s) {
  return {s.bDrawNumber, s.bEdgeIdReverse, s.iEdgeNumberFontSize};
}

std::optional<FieldProblem<JoinNumberConfiguration>> JoinNumberConfiguration::Validate() const {
  return CheckRange(*this, &JoinNumberConfiguration::fontSize, kJoinNumberFontSizes);
}

void JoinNumberConfiguration::ApplyTo(Settings& s) const {
  s.bDrawNumber = showNumbers;
  s.bEdgeIdReverse = reverseNumbers;
  s.iEdgeNumberFontSize = fontSize;
}

}  // namespace plicora
