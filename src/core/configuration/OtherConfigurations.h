#pragma once
// The values of "Other Configurations": join numbers, edge colours, zoom
// direction, texture smoothing and size limit, background colour, printout
// line width, speed-ups and whitish colours.

#include <optional>

#include "core/configuration/ChoiceLists.h"
#include "core/configuration/IntegerEntry.h"
#include "core/model/Settings.h"

namespace plicora {

struct Model;

struct OtherConfigurations {
  bool reverseJoinNumbers = false;
  int joinNumberFontSize = 0;  ///< points
  bool colorEdges = false;
  bool reverseZoom = false;
  bool zoomAtCursor = false;
  bool smoothTexture = false;
  ColorRef backgroundColor = 0;
  int lineWidthIndex = 0;  ///< index into kLineWidthPoints, also beyond LineWidthChoices()
  bool omitMaterialWhileRotating = false;
  bool simpleDisplay = false;  ///< the inverse of bRenderAllGL
  bool limitTextureSize = false;
  int textureLimitIndex = 0;  ///< index into kTextureLimitSizes
  bool whitishToWhite = false;

  static OtherConfigurations FromSettings(const Settings& settings);
  std::optional<FieldProblem<OtherConfigurations>> Validate() const;
  /// Stores the values and the widths and sizes of the chosen indexes; with
  /// the size limit on, reduces every texture of `model` above it. Returns
  /// the hint the views need: HINT_TEXTURE_FILTER_CHANGED when texture
  /// smoothing changed, else HINT_NONE.
  int ApplyTo(Settings& settings, Model* model) const;

  /// The first six printout line widths, the built-in one marked "(default)".
  static ChoiceList LineWidthChoices();
  /// The texture size limits, by index.
  static ChoiceList TextureLimitChoices() { return plicora::TextureLimitChoices(); }

  bool operator==(const OtherConfigurations&) const = default;
};

}  // namespace plicora
