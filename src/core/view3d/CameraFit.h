#pragma once
// Whether the 3D pane's camera shows the whole model, and the camera that
// does: centred on the model's bounding box, as close as the box allows.

#include <optional>

#include "core/model/Model.h"
#include "core/view3d/ModelViewCamera.h"

namespace plicora {

/// An axis-aligned box in model units.
struct Box3 {
  Point3 min;
  Point3 max;
};

/// The box around every vertex of every object; nothing without vertices.
std::optional<Box3> ModelBounds(const Model& model);

/// True when every corner of the box lies inside the view of a w x h pane
/// (in front of the near plane and within the four sides of the frustum).
bool CameraShowsBox(const ModelViewCamera& camera, const Box3& box, int width, int height);

/// Keeps the rotation, centres the camera on the box and sets the distance at
/// which the box just fits the pane with a small border, within the zoom
/// limits (a box too large for the farthest distance stays partly outside).
void FitCameraToBox(ModelViewCamera& camera, const Box3& box, int width, int height);

}  // namespace plicora
