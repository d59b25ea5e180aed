#include "core/configuration/LineTypeConfiguration.h"

#include "core/document/SettingsStore.h"

namespace plicora {
namespace {

// The lists keep the program's Japanese item texts: solid, dotted 1,
// dotted 2, not shown; and "(standard)" after the built-in width.
constexpr const char* kSolid = "実線\u3000\u3000──────";
constexpr const char* kHidden = "表示しない";

}  // namespace

LineTypeConfiguration LineTypeConfiguration::FromSettings(const Settings& s) {
  return {s.iCutLineType, s.iYamaLineType, s.iTaniLineType, s.lineWidthIndex, s.bCullEdge, s.iAngleEps};
}

std::optional<FieldProblem<LineTypeConfiguration>> LineTypeConfiguration::Validate() const {
  return CheckRange(*this, &LineTypeConfiguration::nearSurfaceAngle, kNearSurfaceAngles);
}

void LineTypeConfiguration::ApplyTo(Settings& s) const {
  s.iCutLineType = cutLine;
  s.iYamaLineType = convexFoldLine;
  s.iTaniLineType = concaveFoldLine;
  s.lineWidthIndex = lineWidthIndex;
  s.bCullEdge = hideNearSurface;
  s.iAngleEps = nearSurfaceAngle;
  UpdateDerivedSettings(s);
}

ChoiceList LineTypeConfiguration::CutLineChoices() {
  return {kSolid, kHidden};
}

ChoiceList LineTypeConfiguration::FoldLineChoices() {
  return {kSolid, "点線１\u3000・・・・・・・・・・・・", "点線２\u3000─ - ─ - ─ - ", kHidden};
}

ChoiceList LineTypeConfiguration::LineWidthChoices() {
  return plicora::LineWidthChoices(kLineWidthPoints.size(), "（標準）");
}

}  // namespace plicora
