#pragma once
// Vector drawing of the development onto any QPainter (printer pages, PDF,
// SVG, metafiles, images). Coordinates are the painter's logical units; the
// caller places development point (0, 0) by the painter's transform.

#include <QPainter>
#include <QRectF>
#include <optional>
#include <vector>

#include "core/development/PartExtents.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// Dash and gap lengths in units of 0.7 point.
inline const std::vector<int> kDot1Pattern = {2, 6, 2, 6};
inline const std::vector<int> kDot2Pattern = {11, 2, 1, 2};

/// A dash pattern in device units: each entry e becomes
/// trunc((e + lineWidthPoints) * unit), unit being 0.7 point in device units.
std::vector<int> DevicePattern(const std::vector<int>& pattern, double lineWidthPoints, double unit);

/// Draws all parts, faces, flaps, lines and join numbers with sx, sy device
/// units per development unit. Draws nothing without a model. Text labels
/// are drawn separately (DrawTextLabels). The model is left as it is.
/// With an `area` (development units) only what reaches into it is drawn,
/// as a printed page needs only its own tile. Faces of one colour and lines
/// of one pen reach the painter as a few large paths. A caller drawing many
/// areas of one model passes the parts' extents it keeps for them. A `tick`
/// is called every few hundred faces; when it answers false the drawing
/// stops there and what it had gathered is not drawn.
void DrawDevelopmentVector(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                           const std::optional<QRectF>& area = std::nullopt, PartExtentsCache* extents = nullptr,
                           const WorkTick* tick = nullptr);

/// Only the lines of the vector drawing: flap outlines, cut lines and folds
/// (no face fills, no join numbers), as drawn over a raster picture of the
/// same sheet.
void DrawDevelopmentLines(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                          const std::optional<QRectF>& area = std::nullopt, PartExtentsCache* extents = nullptr,
                          const WorkTick* tick = nullptr);

/// One line as a series of dashes with the current pen: the pattern holds
/// (dash, gap) pairs in device units, restarts at the line's start, and the
/// last dash is cut at the end point.
void DrawDashedLine(QPainter& painter, double x1, double y1, double x2, double y2, const std::vector<int>& pattern);

}  // namespace plicora
