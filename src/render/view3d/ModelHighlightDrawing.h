#pragma once
// The build-mode marks drawn over the 3D pane's frame: the highlighted sides
// (both ends of a join, or the numbered sides of a face) as a thick stroke
// along their edges (a thin line where the model hides them) with a ring
// around each, and the selected part's faces tinted. The frame's
// passes stay as they were; these few primitives are drawn directly after
// them, in the pane's rendering context.

#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

struct ModelHighlights {
  std::vector<const HalfEdge*> sides;
  int selectedPart = -1;  ///< index in file order, -1 for none
  bool empty() const { return sides.empty() && selectedPart < 0; }
};

/// Width of the stroke along a highlighted side, client pixels.
inline constexpr float kSideHighlightWidth = 6.f;
/// Width of the line that shows a highlighted side behind the model.
inline constexpr float kHiddenSideWidth = 2.f;
/// Radius and line width of the ring around each highlighted side, client pixels.
inline constexpr double kSideRingRadius = 16.0;
inline constexpr float kSideRingWidth = 2.f;
/// Opacity of the tint over the selected part's faces.
inline constexpr float kPartTintOpacity = 0.45f;

/// Draws the marks in `color` with the projection of the frame just drawn;
/// `opened` as the frame was (cut edges opened), `lineScale` the device
/// pixels of a client pixel. Parts of hidden solids are left out.
void DrawModelHighlights(const Model& model, const ModelHighlights& marks, ColorRef color, bool opened,
                         float lineScale);

}  // namespace plicora
