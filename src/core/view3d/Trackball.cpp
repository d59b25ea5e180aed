#include "core/view3d/Trackball.h"

#include <cmath>

namespace plicora {

Quaternion Multiply(const Quaternion& a, const Quaternion& b) {
  Quaternion r;
  r.w = a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z;
  r.x = a.w * b.x + b.w * a.x + a.y * b.z - a.z * b.y;
  r.y = a.w * b.y + b.w * a.y + a.z * b.x - a.x * b.z;
  r.z = a.w * b.z + b.w * a.z + a.x * b.y - a.y * b.x;
  return r;
}

std::array<float, 16> RotationMatrix(const Quaternion& q) {
  const float norm = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
  const float k = norm == 0.f ? 0.f : 2.f / norm;
  const float xx = q.x * q.x * k, yy = q.y * q.y * k, zz = q.z * q.z * k;
  const float xy = q.x * q.y * k, xz = q.x * q.z * k, yz = q.y * q.z * k;
  const float wx = q.w * q.x * k, wy = q.w * q.y * k, wz = q.w * q.z * k;
  std::array<float, 16> m = Trackball::Identity();
  m[0] = 1.f - (yy + zz);
  m[1] = xy + wz;
  m[2] = xz - wy;
  m[4] = xy - wz;
  m[5] = 1.f - (xx + zz);
  m[6] = yz + wx;
  m[8] = xz + wy;
  m[9] = yz - wx;
  m[10] = 1.f - (xx + yy);
  return m;
}

std::array<float, 16> Trackball::Identity() {
  return {1.f, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 0.f, 1.f};
}

void Trackball::SetRadiusFromHalfSize(int halfWidth, int halfHeight) {
  radius = std::sqrt(static_cast<double>(halfWidth) * halfWidth + static_cast<double>(halfHeight) * halfHeight);
}

SphereVector Trackball::ProjectToSphere(int x, int y, int halfWidth, int halfHeight) const {
  const double px = (x - halfWidth) / radius;
  const double py = (halfHeight - y) / radius;
  const double m = px * px + py * py;
  if (m > 1.0) {
    const double len = std::sqrt(m);
    return {static_cast<float>(px / len), static_cast<float>(py / len), 0.f, 0.f};
  }
  return {static_cast<float>(px), static_cast<float>(py), static_cast<float>(std::sqrt(1.0 - m)), 0.f};
}

void Trackball::BeginDrag(int x, int y, int halfWidth, int halfHeight) {
  startVector = ProjectToSphere(x, y, halfWidth, halfHeight);
}

void Trackball::DragRotation(int x, int y, int halfWidth, int halfHeight) {
  const SphereVector& s = startVector;
  const SphereVector c = ProjectToSphere(x, y, halfWidth, halfHeight);
  currentVector = c;
  dragDelta.x = s.y * c.z - c.y * s.z;
  dragDelta.y = s.z * c.x - c.z * s.x;
  dragDelta.z = c.y * s.x - s.y * c.x;
  dragDelta.w = c.x * s.x + s.y * c.y + c.z * s.z;
  rotation = Multiply(dragDelta, dragStartRotation);
  matrix = RotationMatrix(rotation);
}

void Trackball::RotateAboutScreenAxis(float axisX, float axisY, float axisZ, double degrees) {
  const double half = degrees * M_PI / 360.0;
  const float s = static_cast<float>(std::sin(half));
  const Quaternion turn{axisX * s, axisY * s, axisZ * s, static_cast<float>(std::cos(half))};
  rotation = Multiply(turn, rotation);
  matrix = RotationMatrix(rotation);
  CommitDrag();
}

void Trackball::CommitDrag() {
  dragStartRotation = rotation;
  savedMatrix = matrix;
}

}  // namespace plicora
