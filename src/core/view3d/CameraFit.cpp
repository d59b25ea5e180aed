#include "core/view3d/CameraFit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plicora {
namespace {

/// The fitted box fills this share of the pane's narrower direction.
constexpr double kFitFill = 0.9;

std::array<Point3, 8> CornersOf(const Box3& box) {
  std::array<Point3, 8> corners;
  for (int i = 0; i < 8; ++i)
    corners[i] =
        Point3{(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y, (i & 4) ? box.max.z : box.min.z};
  return corners;
}

/// A model point in eye space before the distance is applied: the offset
/// from the view centre turned by the trackball (x right, y up, z toward the
/// viewer).
Point3 Turned(const ModelViewCamera& camera, const Point3& p) {
  const auto& m = camera.trackball.matrix;
  const double dx = p.x - camera.viewCentre.x, dy = p.y - camera.viewCentre.y, dz = p.z - camera.viewCentre.z;
  return Point3{m[0] * dx + m[4] * dy + m[8] * dz, m[1] * dx + m[5] * dy + m[9] * dz,
                m[2] * dx + m[6] * dy + m[10] * dz};
}

/// Slopes of the frustum's sides: half the visible width and height per
/// unit of depth.
struct Slopes {
  double x;
  double y;
};

Slopes FrustumSlopes(int width, int height) {
  return Slopes{ModelViewCamera::kNearPlaneHalfWidth / ModelViewCamera::kNearPlane,
                NearPlaneHalfHeight(width, height) / ModelViewCamera::kNearPlane};
}

}  // namespace

std::optional<Box3> ModelBounds(const Model& model) {
  std::optional<Box3> box;
  for (const Solid& solid : model.solids) {
    for (const Vertex& v : solid.vertices) {
      const Point3 p{v.x, v.y, v.z};
      if (!box) {
        box = Box3{p, p};
        continue;
      }
      box->min = Point3{std::min(box->min.x, p.x), std::min(box->min.y, p.y), std::min(box->min.z, p.z)};
      box->max = Point3{std::max(box->max.x, p.x), std::max(box->max.y, p.y), std::max(box->max.z, p.z)};
    }
  }
  return box;
}

bool CameraShowsBox(const ModelViewCamera& camera, const Box3& box, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const Slopes slopes = FrustumSlopes(width, height);
  for (const Point3& corner : CornersOf(box)) {
    const Point3 e = Turned(camera, corner);
    const double depth = -(e.z + camera.zoomDistance);
    if (!(depth >= ModelViewCamera::kNearPlane && depth <= ModelViewCamera::kFarPlane)) return false;
    if (!(std::abs(e.x) <= slopes.x * depth && std::abs(e.y) <= slopes.y * depth)) return false;
  }
  return true;
}

void FitCameraToBox(ModelViewCamera& camera, const Box3& box, int width, int height) {
  camera.viewCentre =
      Point3{(box.min.x + box.max.x) / 2.0, (box.min.y + box.max.y) / 2.0, (box.min.z + box.max.z) / 2.0};
  if (width <= 0 || height <= 0) return;
  const Slopes slopes = FrustumSlopes(width, height);
  // Each corner needs the distance at which it lies on the border of the
  // filled share of the pane, and at least the near plane in front of it.
  double distance = 0.0;
  for (const Point3& corner : CornersOf(box)) {
    const Point3 e = Turned(camera, corner);
    const double needed = std::max(
        {std::abs(e.x) / (slopes.x * kFitFill), std::abs(e.y) / (slopes.y * kFitFill), ModelViewCamera::kNearPlane});
    distance = std::max(distance, e.z + needed);
  }
  camera.zoomDistance = -distance;
  camera.ClampZoom();
}

}  // namespace plicora
