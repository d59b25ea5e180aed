#include "core/configuration/OtherConfigurations.h"

#include "core/configuration/ColorConfiguration.h"
#include "core/configuration/JoinNumberConfiguration.h"
#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "core/texture/TextureData.h"

namespace plicora {

OtherConfigurations OtherConfigurations::FromSettings(const Settings& s) {
  OtherConfigurations c;
  c.reverseJoinNumbers = s.bEdgeIdReverse;
  c.joinNumberFontSize = s.iEdgeNumberFontSize;
  c.colorEdges = s.bDrawColorEdge;
  c.reverseZoom = s.bZoomWheelInvert;
  c.zoomAtCursor = s.bZoomAtCursor;
  c.smoothTexture = s.bTextureSmooth;
  c.backgroundColor = GetColor(s, kColorBackground);
  c.lineWidthIndex = s.lineWidthIndex;
  c.omitMaterialWhileRotating = s.bOmitMaterialWhenModelRotate;
  c.simpleDisplay = !s.bRenderAllGL;
  c.limitTextureSize = s.bLimitTextureSize;
  c.textureLimitIndex = s.iTextureLimitSizeIndex;
  c.whitishToWhite = s.bSlideColorToWhite;
  return c;
}

std::optional<FieldProblem<OtherConfigurations>> OtherConfigurations::Validate() const {
  return CheckRange(*this, &OtherConfigurations::joinNumberFontSize, kJoinNumberFontSizes);
}

int OtherConfigurations::ApplyTo(Settings& s, Model* model) const {
  const bool smoothingChanged = s.bTextureSmooth != smoothTexture;
  s.bEdgeIdReverse = reverseJoinNumbers;
  s.iEdgeNumberFontSize = joinNumberFontSize;
  s.bDrawColorEdge = colorEdges;
  s.bZoomWheelInvert = reverseZoom;
  s.bZoomAtCursor = zoomAtCursor;
  s.bTextureSmooth = smoothTexture;
  ApplyColor(s, kColorBackground, backgroundColor, model);
  s.lineWidthIndex = lineWidthIndex;
  s.bOmitMaterialWhenModelRotate = omitMaterialWhileRotating;
  s.bRenderAllGL = !simpleDisplay;
  s.bLimitTextureSize = limitTextureSize;
  s.iTextureLimitSizeIndex = textureLimitIndex;
  s.bSlideColorToWhite = whitishToWhite;
  UpdateDerivedSettings(s);
  if (model) ApplyTextureLimit(*model, s);
  return smoothingChanged ? HINT_TEXTURE_FILTER_CHANGED : HINT_NONE;
}

ChoiceList OtherConfigurations::LineWidthChoices() {
  constexpr std::size_t kOffered = 6;  // the widths above 3 points are not offered here
  return plicora::LineWidthChoices(kOffered, "(default)");
}

}  // namespace plicora
