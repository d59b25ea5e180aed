#pragma once
// Both ends of the highlighted join number drawn over the development pane's
// picture: a thick stroke along each of the two sides and a ring around it.

#include <QColor>
#include <QPainter>
#include <array>

#include "core/development/JoinEnds.h"
#include "render/development/DevelopmentView.h"

namespace plicora {

/// The highlight colour of a join's ends (not configurable yet).
inline const QColor kJoinHighlightColor(0xFF, 0x80, 0x00);
/// Width of the stroke in client pixels.
inline constexpr double kJoinHighlightWidth = 6.0;
/// Radius of the ring drawn around each side, client pixels.
inline constexpr double kJoinRingRadius = 16.0;

/// Draws the strokes in client pixels of the pane's view.
void DrawJoinHighlight(QPainter& painter, const std::array<JoinEnd, 2>& ends, const DevelopmentView& view,
                       const SheetArea& area, double devScale);

}  // namespace plicora
