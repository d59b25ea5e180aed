#include "core/view3d/EdgeStyle.h"

#include "core/model/EdgeTypes.h"

namespace plicora {

EdgeStyle ColoredStyle(ColorRef color, float width) {
  return EdgeStyle{true, width, static_cast<float>(RedOf(color)) / 255.f, static_cast<float>(GreenOf(color)) / 255.f,
                   static_cast<float>(BlueOf(color)) / 255.f};
}

bool IsFoldEdge(const Edge& edge) {
  return edge.halfA && edge.halfB && edge.halfA->devPartner;
}

EdgeStyle FoldStyle(const Edge& edge, const Settings& settings) {
  if (!settings.bDrawColorEdge) return EdgeStyle{true, 1.f, 0.f, 0.f, 0.f};
  return ColoredStyle(settings.colors[edge.convex ? kColorConvexFold : kColorConcaveFold], 1.f);
}

EdgeStyle ClosedEdgeStyle(const Edge& edge, const Settings& settings, bool hasDevelopment, const Edge* hovered) {
  if (hasDevelopment) {
    if (!IsFoldEdge(edge)) return ColoredStyle(settings.colors[kColorCutEdge], 4.f);
    if (IsHiddenFlatEdge(edge, settings) || !edge.halfA->isOutline) return EdgeStyle{};
    return FoldStyle(edge, settings);
  }
  if (IsHiddenFlatEdge(edge, settings)) return EdgeStyle{};
  if (&edge == hovered) return EdgeStyle{true, 5.f, 0.f, 1.f, 0.f};
  switch (edge.type) {
    case kEdgeOneSided:
      return ColoredStyle(settings.colors[kColorCutEdge], 3.f);
    case kEdgeMarkedCut:
      return ColoredStyle(settings.colors[kColorMarkedCut], 3.f);
    case kEdgeMarkedKeep:
      return ColoredStyle(settings.colors[kColorMarkedKeep], 3.f);
    default:
      return FoldStyle(edge, settings);
  }
}

}  // namespace plicora
