#pragma once
// The camera of the 3D pane: a trackball rotation, the model point at the
// centre of the pane and the distance along the viewing axis. The whole
// camera is applied as the projection matrix (see ModelRenderer).

#include "core/model/Model.h"
#include "core/view3d/Trackball.h"

namespace plicora {

class ModelViewCamera {
 public:
  static constexpr double kInitialZoomDistance = -5.0;
  static constexpr double kFarthestZoom = -30.0;
  static constexpr double kClosestZoom = -0.7;
  static constexpr double kPixelsPerModelUnit = 300.0;
  /// The viewing frustum: half the width of the near plane, the near and the
  /// far plane (eye units). The near plane's half height follows the pane's
  /// shape (NearPlaneHalfHeight).
  static constexpr double kNearPlaneHalfWidth = 0.05;
  static constexpr double kNearPlane = 0.134;
  static constexpr double kFarPlane = 2000.0;

  Trackball trackball;
  Point3 viewCentre;
  double zoomDistance = kInitialZoomDistance;

  /// A new trackball (no rotation), centre at the origin, distance -5.
  void ResetCamera();
  /// Pans by a cursor movement (dx to the right, dy upward, in pixels): the
  /// model follows the cursor at 1/300 unit per pixel along the screen axes.
  void Move(int dx, int dy);
  /// Adds to the distance and keeps it within -30 .. -0.7.
  void Zoom(double delta);
  /// One wheel event of the given signed amount (120 per notch).
  void Wheel(int amount, bool invert);
  void ClampZoom();
};

/// Half the height of the near plane for a pane of w x h pixels.
double NearPlaneHalfHeight(int width, int height);

}  // namespace plicora
