#pragma once
// The build-mode marks drawn over the development pane's picture: the
// highlighted sides (both ends of a join, or the numbered sides of a face)
// as a thick stroke with a ring around each, and the selected part's faces
// tinted. Only the picture changes, never the model.

#include <QColor>
#include <QPainter>
#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "render/development/DevelopmentView.h"

namespace plicora {

/// Width of the stroke in client pixels.
inline constexpr double kJoinHighlightWidth = 6.0;
/// Radius of the ring drawn around each side, client pixels.
inline constexpr double kJoinRingRadius = 16.0;
/// Opacity of the tint over the selected part's faces (0 to 255).
inline constexpr int kPartTintAlpha = 96;

/// The highlight colour of the colour table as a QColor.
QColor JoinHighlightColor(const Settings& settings);

/// Draws the strokes in client pixels of the pane's view.
void DrawJoinHighlight(QPainter& painter, const std::vector<const HalfEdge*>& sides, const DevelopmentView& view,
                       const SheetArea& area, double devScale, const QColor& color);

/// Tints the faces of part `part` (nothing for a part the model lacks).
void DrawPartTint(QPainter& painter, const Model& model, int part, const DevelopmentView& view, const SheetArea& area,
                  const QColor& color);

}  // namespace plicora
