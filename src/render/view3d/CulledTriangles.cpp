#define GL_GLEXT_PROTOTYPES 1
#include "render/view3d/CulledTriangles.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace plicora {
namespace {

// Rounding allowed in the single-precision transform, relative to the sum of
// the terms' magnitudes: about eight times what four products, three sums
// and a division can lose.
constexpr double kRelativeError = 1e-6;
// Allowed displacement of a window corner besides that: the rasteriser snaps
// corners to 1/256 pixel; five times half of that.
constexpr double kSnapError = 0.01;

}  // namespace

void CulledTriangles::BeginCapture(std::size_t keys) {
  pointOfKey_.assign(keys, 0u);
}

std::uint32_t CulledTriangles::PointIndex(std::uint32_t key, float x, float y, float z) {
  const auto count = static_cast<std::uint32_t>(points_.size() / 3);
  if (key < pointOfKey_.size()) {
    if (pointOfKey_[key] != 0) return pointOfKey_[key] - 1;
    pointOfKey_[key] = count + 1;
  }
  points_.insert(points_.end(), {x, y, z});
  return count;
}

void CulledTriangles::SetNormal(float x, float y, float z) {
  // The corners before the first normal carry the default one.
  if (!hasNormals_)
    for (std::size_t i = 0; i < corners_.size(); ++i) normals_.insert(normals_.end(), {0.f, 0.f, 1.f});
  normal_[0] = x;
  normal_[1] = y;
  normal_[2] = z;
  hasNormals_ = true;
}

void CulledTriangles::SetTexCoord(float u, float v) {
  if (!hasTexCoords_) texCoords_.assign(corners_.size() * 2, 0.f);
  texCoord_[0] = u;
  texCoord_[1] = v;
  hasTexCoords_ = true;
}

void CulledTriangles::AddCorner(std::uint32_t key, float x, float y, float z) {
  corners_.push_back(PointIndex(key, x, y, z));
  if (hasNormals_) normals_.insert(normals_.end(), {normal_[0], normal_[1], normal_[2]});
  if (hasTexCoords_) texCoords_.insert(texCoords_.end(), {texCoord_[0], texCoord_[1]});
}

void CulledTriangles::Upload() {
  glGenBuffers(4, buffers_);
  const auto load = [](unsigned buffer, const std::vector<float>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
  };
  // Corners that carry nothing but their position are drawn from the
  // distinct positions, so that OpenGL transforms a shared corner once.
  sharedPoints_ = !hasNormals_ && !hasTexCoords_;
  if (sharedPoints_) {
    load(buffers_[0], points_);
  } else {
    // Every corner with its own position, for its own normal and texture
    // coordinate.
    std::vector<float> positions;
    positions.reserve(corners_.size() * 3);
    for (std::uint32_t point : corners_)
      positions.insert(positions.end(), {points_[3 * point], points_[3 * point + 1], points_[3 * point + 2]});
    load(buffers_[0], positions);
  }
  if (hasNormals_) load(buffers_[1], normals_);
  if (hasTexCoords_) load(buffers_[2], texCoords_);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  // Only the distinct positions stay on this side, for the facing test.
  pointOfKey_ = {};
  normals_.clear();
  normals_.shrink_to_fit();
  texCoords_.clear();
  texCoords_.shrink_to_fit();
}

void CulledTriangles::ProjectPoints(const float* m, const int* viewport) {
  const std::size_t count = points_.size() / 3;
  windowX_.resize(count);
  windowY_.resize(count);
  error_.resize(count);
  inFront_.resize(count);
  // A bound of the terms' magnitude per axis, for the rounding estimate.
  const double ax = std::fabs(m[0]) + std::fabs(m[1]) + std::fabs(m[3]);
  const double ay = std::fabs(m[4]) + std::fabs(m[5]) + std::fabs(m[7]);
  const double az = std::fabs(m[8]) + std::fabs(m[9]) + std::fabs(m[11]);
  const double at = std::fabs(m[12]) + std::fabs(m[13]) + std::fabs(m[15]);
  const double halfWidth = 0.5 * viewport[2], halfHeight = 0.5 * viewport[3];
  const double size = std::max(viewport[2], viewport[3]);
  for (std::size_t i = 0; i < count; ++i) {
    const double x = points_[3 * i], y = points_[3 * i + 1], z = points_[3 * i + 2];
    const double cx = m[0] * x + m[4] * y + m[8] * z + m[12];
    const double cy = m[1] * x + m[5] * y + m[9] * z + m[13];
    const double cw = m[3] * x + m[7] * y + m[11] * z + m[15];
    const double magnitude = ax * std::fabs(x) + ay * std::fabs(y) + az * std::fabs(z) + at;
    // Corners at or near the eye plane are left to OpenGL's clipping.
    const bool front = cw > 1e-3 * magnitude;
    inFront_[i] = front;
    const double w = front ? cw : 1.0;
    windowX_[i] = (cx / w + 1.0) * halfWidth;
    windowY_[i] = (cy / w + 1.0) * halfHeight;
    error_[i] = kRelativeError * (magnitude / w) * size + kSnapError;
  }
}

// False only for a triangle that is back-facing beyond any rounding of the
// single-precision pipeline.
bool CulledTriangles::MayBeFrontFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
  if (!inFront_[a] || !inFront_[b] || !inFront_[c]) return true;
  const double ux = windowX_[b] - windowX_[a], uy = windowY_[b] - windowY_[a];
  const double vx = windowX_[c] - windowX_[a], vy = windowY_[c] - windowY_[a];
  const double area = ux * vy - uy * vx;
  const double error = error_[a] + error_[b] + error_[c];
  const double tolerance = 2.0 * error * (std::fabs(ux) + std::fabs(uy) + std::fabs(vx) + std::fabs(vy) + 2.0 * error);
  return area > -tolerance;
}

void CulledTriangles::Draw(const float projection[16], const int viewport[4]) {
  const std::size_t triangles = triangleCount();
  if (triangles == 0) return;
  ProjectPoints(projection, viewport);
  indices_.clear();
  for (std::size_t t = 0; t < triangles; ++t) {
    const std::uint32_t* c = corners_.data() + 3 * t;
    if (!MayBeFrontFacing(c[0], c[1], c[2])) continue;
    if (sharedPoints_) {
      indices_.insert(indices_.end(), {c[0], c[1], c[2]});
      continue;
    }
    const auto first = static_cast<std::uint32_t>(t * 3);
    indices_.insert(indices_.end(), {first, first + 1, first + 2});
  }
  if (indices_.empty()) return;
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  if (hasNormals_) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, nullptr);
  }
  if (hasTexCoords_) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[2]);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  // The frame's indices go into a kept buffer object: handed over from
  // client memory, they would be copied into storage taken and given back
  // on every draw.
  const auto bytes = static_cast<GLsizeiptr>(indices_.size() * sizeof(std::uint32_t));
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[3]);
  if (bytes > indexCapacity_) {
    indexCapacity_ = bytes;
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytes, indices_.data(), GL_STREAM_DRAW);
  } else {
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, bytes, indices_.data());
  }
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices_.size()), GL_UNSIGNED_INT, nullptr);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glPopClientAttrib();
}

void CulledTriangles::Release() {
  if (buffers_[0]) glDeleteBuffers(4, buffers_);
  buffers_[0] = buffers_[1] = buffers_[2] = buffers_[3] = 0;
  indexCapacity_ = 0;
}

}  // namespace plicora
