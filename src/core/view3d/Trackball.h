#pragma once
// Virtual trackball of the 3D pane: a right drag turns the model as if the
// cursor rolled a sphere inscribed in the pane. Single precision throughout,
// except the radius, so that a rotation is reproduced exactly.

#include <array>

namespace plicora {

struct Quaternion {
  float x = 0.f, y = 0.f, z = 0.f, w = 1.f;
};

struct SphereVector {
  float x = 0.f, y = 0.f, z = 0.f, w = 0.f;
};

/// The Hamilton product a (x) b.
Quaternion Multiply(const Quaternion& a, const Quaternion& b);

/// Column-major rotation matrix of q, scaled by 2 / |q|^2 so that q need not
/// be of unit length (a zero quaternion gives the identity).
std::array<float, 16> RotationMatrix(const Quaternion& q);

class Trackball {
 public:
  double radius = 0.0;                             ///< sphere radius in pixels
  Quaternion rotation;                             ///< q: the current rotation
  Quaternion dragStartRotation;                    ///< q0: the rotation when the drag began
  Quaternion dragDelta;                            ///< dq: what the current drag adds
  SphereVector startVector;                        ///< s: the press point on the sphere
  SphereVector currentVector;                      ///< c: the current point on the sphere
  std::array<float, 16> matrix = Identity();       ///< M, column-major
  std::array<float, 16> savedMatrix = Identity();  ///< M at the last release

  /// The radius for a pane of this half size: its half diagonal.
  void SetRadiusFromHalfSize(int halfWidth, int halfHeight);
  /// The point of the sphere under the cursor; a point outside the sphere
  /// goes to the rim (z = 0).
  SphereVector ProjectToSphere(int x, int y, int halfWidth, int halfHeight) const;
  /// Starts a rotation at the cursor (s).
  void BeginDrag(int x, int y, int halfWidth, int halfHeight);
  /// Turns by twice the arc from s to the cursor, on top of q0.
  void DragRotation(int x, int y, int halfWidth, int halfHeight);
  /// Ends a drag: the rotation reached becomes the start of the next one.
  void CommitDrag();
  /// Turns by `degrees` about a screen axis (x to the right, y upward; right
  /// hand rule) on top of the current rotation, as a committed drag would.
  void RotateAboutScreenAxis(float axisX, float axisY, float axisZ, double degrees);

  static std::array<float, 16> Identity();
};

}  // namespace plicora
