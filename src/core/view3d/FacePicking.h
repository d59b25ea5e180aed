#pragma once
// Picking by projection: the model is projected into window coordinates with
// the matrices of the last projection update and the cursor is tested against
// the projected faces and sides. No selection buffer is involved.

#include <array>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The matrices and viewport read back from the pane's rendering context.
struct PickMatrices {
  std::array<double, 16> modelView{};   ///< column-major
  std::array<double, 16> projection{};  ///< column-major
  std::array<int, 4> viewport{};        ///< x, y, width, height
};

/// A point in window coordinates (y upward) with its clip-space depth.
struct WindowPoint {
  double x = 0.0;
  double y = 0.0;
  double depth = 0.0;  ///< clip z, not divided by w: grows away from the eye
};

/// Projects a model point into the window.
WindowPoint ProjectPoint(const PickMatrices& matrices, double x, double y, double z);

/// The cursor (client pixels, y downward) as a window point (y upward).
Point2 CursorToWindow(const PickMatrices& matrices, int x, int y);

/// True when `point` lies on the same side of every side of the polygon
/// (either winding; a point on a side's line counts as on its non-negative
/// side). Exact for convex polygons only. Polygons of fewer than three
/// corners contain nothing.
bool SameSideOfAllSides(const Point2* corners, int count, const Point2& point);

/// The face under the cursor: among every face of every solid (hidden ones
/// included) whose projected corners contain it, the one whose reference
/// point projects nearest; on equal depth the first in model order.
Face* PickFace(Model& model, const PickMatrices& matrices, int x, int y);

/// The edge whose projected side passes nearest the eye among those closer
/// than 5 pixels to the cursor, or null.
Edge* PickEdge(Model& model, const PickMatrices& matrices, int x, int y);

/// True when an edge may be marked in the edge-specify modes: it has a face
/// on both sides and is not hidden as an almost flat edge.
bool IsMarkableEdge(const Edge& edge, const Settings& settings);

}  // namespace plicora
