#pragma once
// Sends faces and line segments to OpenGL in one of two ways with the same
// pixels: one primitive per face or segment (GL_POLYGON, GL_LINES), or
// batched, a face as the triangles OpenGL itself cuts a polygon into (the
// fan (i + 1, i + 2, 0) of its corners) and runs of segments of one width in
// a single GL_LINES. The batched form is what the kept display lists and
// triangle stores hold.

#include <atomic>

#include "core/model/Model.h"
#include "core/view3d/CornerKeys.h"
#include "core/view3d/EdgeStyle.h"

namespace plicora {

class CulledTriangles;

class PrimitiveWriter {
 public:
  explicit PrimitiveWriter(bool batched) : batched_(batched) {}
  /// Batched faces captured into a triangle store instead of sent (normals
  /// and texture coordinates only; colours and lines are not captured).
  /// Corners share positions by their `keys` (none: no corner shares); once
  /// `stop` is set, faces are left out (the store is then to be dropped).
  PrimitiveWriter(CulledTriangles* sink, const CornerKeys* keys, const std::atomic<bool>* stop = nullptr);
  ~PrimitiveWriter() { Flush(); }
  PrimitiveWriter(const PrimitiveWriter&) = delete;
  PrimitiveWriter& operator=(const PrimitiveWriter&) = delete;

  /// A face through its corners (opened positions when `opened`), in ring
  /// order with texture coordinates or in reverse order without them.
  /// `lit` tells whether lighting and texturing are on: batched, an unlit
  /// face is sent without the normal and texture coordinates it cannot use.
  void Face(const plicora::Face& face, bool opened, bool reverse, bool lit = true);
  /// The current normal and colour. Batched, they are sent just before the
  /// next corner (display lists drop a value left dangling before glEnd).
  void Normal(double x, double y, double z, bool lit = true);
  void Color(float r, float g, float b);
  /// A segment of the given width in the current colour.
  void Segment(float width, const Point3& a, const Point3& b);
  /// The closed outline of a face, of the given width, in the current colour.
  void Loop(const plicora::Face& face, bool opened, float width);
  /// Every width is multiplied by this (the device pixels of a client pixel).
  void SetLineScale(float scale) { lineScale_ = scale; }
  /// Ends the open batch.
  void Flush();

 private:
  void Begin(unsigned mode);
  void SendPending();

  bool batched_;
  CulledTriangles* sink_ = nullptr;
  const CornerKeys* keys_ = nullptr;
  const CornerKeys::OfSolid* solidKeys_ = nullptr;  ///< of the last face's solid
  const Solid* keyedSolid_ = nullptr;
  const std::atomic<bool>* stop_ = nullptr;
  unsigned open_ = 0;  ///< primitive of the open batch, 0 when none
  bool inBatch_ = false;
  float lineWidth_ = -1.f;
  float lineScale_ = 1.f;
  bool colorPending_ = false, normalPending_ = false;
  float color_[3] = {0.f, 0.f, 0.f};
  double normal_[3] = {0.0, 0.0, 0.0};
};

}  // namespace plicora
