#pragma once
// The triangles of one face pass kept in vertex buffers, drawn each frame
// without those that OpenGL would certainly cull as back-facing with the
// current projection. A triangle is left out only when its window-space
// area is clearly negative; near-degenerate triangles and triangles with a
// corner at or behind the eye plane are always drawn, so OpenGL decides them
// and the pixels are those of drawing every triangle.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plicora {

class CulledTriangles {
 public:
  CulledTriangles() = default;
  CulledTriangles(const CulledTriangles&) = delete;
  CulledTriangles& operator=(const CulledTriangles&) = delete;
  CulledTriangles(CulledTriangles&&) = default;
  CulledTriangles& operator=(CulledTriangles&&) = default;

  /// The normal and texture coordinate of the following corners.
  void SetNormal(float x, float y, float z);
  void SetTexCoord(float u, float v);
  /// Makes room for corners numbered below `keys` (see CornerKeys).
  void BeginCapture(std::size_t keys);
  /// One corner; every three corners make a triangle. Corners of one key
  /// share a position; a key of at least the room given is a point of its own.
  void AddCorner(std::uint32_t key, float x, float y, float z);

  /// Copies the data into buffer objects (context current).
  void Upload();
  bool uploaded() const { return buffers_[0] != 0; }
  /// Draws the triangles that may be front-facing under the projection
  /// (column-major, as OpenGL holds it) and viewport.
  void Draw(const float projection[16], const int viewport[4]);
  /// Deletes the buffer objects (context current).
  void Release();

  std::size_t triangleCount() const { return corners_.size() / 3; }

 private:
  void ProjectPoints(const float* projection, const int* viewport);
  bool MayBeFrontFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;

  /// The index of a key's position, added when new.
  std::uint32_t PointIndex(std::uint32_t key, float x, float y, float z);

  std::vector<float> normals_, texCoords_;  ///< per corner once given, for the buffers
  std::vector<float> points_;               ///< distinct corner positions, x y z
  std::vector<std::uint32_t> corners_;      ///< index into points_ of every corner
  /// While building: point index + 1 by key (0 before the key's first corner).
  std::vector<std::uint32_t> pointOfKey_;
  std::vector<double> windowX_, windowY_, error_;  ///< per distinct point, per frame
  std::vector<char> inFront_;
  float normal_[3] = {0.f, 0.f, 1.f};
  float texCoord_[2] = {0.f, 0.f};
  bool hasNormals_ = false, hasTexCoords_ = false;
  bool sharedPoints_ = false;           ///< the position buffer holds points_, indexed by corners_
  unsigned buffers_[4] = {0, 0, 0, 0};  ///< positions, normals, texture coordinates, indices
  std::ptrdiff_t indexCapacity_ = 0;    ///< bytes of the index buffer
  std::vector<std::uint32_t> indices_;
};

}  // namespace plicora
