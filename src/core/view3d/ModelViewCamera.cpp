#include "core/view3d/ModelViewCamera.h"

#include <cstdint>

namespace plicora {

void ModelViewCamera::ResetCamera() {
  trackball = Trackball();
  viewCentre = Point3{};
  zoomDistance = kInitialZoomDistance;
}

void ModelViewCamera::Move(int dx, int dy) {
  const auto& m = trackball.matrix;
  const double ux = dx / kPixelsPerModelUnit;
  const double uy = dy / kPixelsPerModelUnit;
  viewCentre.x -= uy * m[1] + ux * m[0];
  viewCentre.y -= uy * m[5] + ux * m[4];
  viewCentre.z -= uy * m[9] + ux * m[8];
}

void ModelViewCamera::Zoom(double delta) {
  zoomDistance += delta;
  ClampZoom();
}

void ModelViewCamera::Wheel(int amount, bool invert) {
  // The wheel amount travels as a signed 16-bit value.
  const double delta = static_cast<std::int16_t>(amount) * 0.002;
  if (invert)
    zoomDistance += delta;
  else
    zoomDistance -= delta;
  ClampZoom();
}

void ModelViewCamera::ClampZoom() {
  if (zoomDistance < kFarthestZoom) zoomDistance = kFarthestZoom;
  if (zoomDistance > kClosestZoom) zoomDistance = kClosestZoom;
}

double NearPlaneHalfHeight(int width, int height) {
  // Half the pane's height in whole pixels, as a share of its width.
  const int halfHeight = height / 2;
  return (static_cast<double>(halfHeight) / width) * (2.0 * ModelViewCamera::kNearPlaneHalfWidth);
}

}  // namespace plicora
