#include "core/view3d/FacePicking.h"

#include <vector>

#include "core/model/FlatEdges.h"
#include "core/model/Geometry.h"
#include "core/model/MeshTopology.h"

namespace plicora {
namespace {

constexpr double kEdgePickPixels = 5.0;

// Projection with the matrices of one pick. The model-view matrix of the 3D
// pane is the identity; multiplying by it changes no value, so it is skipped
// then (the result is the same to the last bit).
class Projector {
 public:
  explicit Projector(const PickMatrices& m) : m_(m) {
    static constexpr std::array<double, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    identityModelView_ = m.modelView == kIdentity;
    width_ = m.viewport[2];
    height_ = m.viewport[3];
  }

  // Clip coordinates of a model point.
  void Clip(double x, double y, double z, double clip[4]) const {
    double e[4] = {x, y, z, 1.0};
    if (!identityModelView_) {
      const auto& v = m_.modelView;
      for (int r = 0; r < 4; ++r) e[r] = v[r] * x + v[4 + r] * y + v[8 + r] * z + v[12 + r];
    }
    const auto& p = m_.projection;
    for (int r = 0; r < 4; ++r) clip[r] = p[r] * e[0] + p[4 + r] * e[1] + p[8 + r] * e[2] + p[12 + r] * e[3];
  }

  WindowPoint Project(double x, double y, double z) const {
    double c[4];
    Clip(x, y, z, c);
    return WindowPoint{width_ * (c[0] / c[3] + 1.0) / 2.0 + m_.viewport[0],
                       height_ * (c[1] / c[3] + 1.0) / 2.0 + m_.viewport[1], c[2]};
  }

  // The window x and y of a model point, as Project gives them, without the
  // depth row.
  Point2 Project2(const Vertex& v) const {
    if (!identityModelView_) {
      const WindowPoint w = Project(v.x, v.y, v.z);
      return Point2{w.x, w.y};
    }
    const auto& p = m_.projection;
    const double cx = p[0] * v.x + p[4] * v.y + p[8] * v.z + p[12] * 1.0;
    const double cy = p[1] * v.x + p[5] * v.y + p[9] * v.z + p[13] * 1.0;
    const double cw = p[3] * v.x + p[7] * v.y + p[11] * v.z + p[15] * 1.0;
    return Point2{width_ * (cx / cw + 1.0) / 2.0 + m_.viewport[0], height_ * (cy / cw + 1.0) / 2.0 + m_.viewport[1]};
  }

  double Depth(const Point3& p) const {
    double c[4];
    Clip(p.x, p.y, p.z, c);
    return c[2];
  }

 private:
  const PickMatrices& m_;
  bool identityModelView_ = false;
  double width_ = 0.0;
  double height_ = 0.0;
};

bool NonNegativeSide(const Point2& a, const Point2& b, const Point2& p) {
  return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) >= 0.0;
}

// The same-side test on the projected corners of a face, projecting each
// corner only when it is needed.
bool FaceContains(const Face& face, const Projector& projector, const Point2& p) {
  const std::size_t n = face.ring.size();
  if (n < 3) return false;
  const HalfEdge* const* ring = face.ring.data();
  if (!ring[0]->vertex) return false;
  const Point2 first = projector.Project2(*ring[0]->vertex);
  Point2 a = first;
  bool firstSide = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (i + 1 < n && !ring[i + 1]->vertex) return false;
    const Point2 b = i + 1 < n ? projector.Project2(*ring[i + 1]->vertex) : first;
    const bool side = NonNegativeSide(a, b, p);
    if (i == 0)
      firstSide = side;
    else if (side != firstSide)
      return false;
    a = b;
  }
  return true;
}

}  // namespace

WindowPoint ProjectPoint(const PickMatrices& matrices, double x, double y, double z) {
  return Projector(matrices).Project(x, y, z);
}

Point2 CursorToWindow(const PickMatrices& matrices, int x, int y) {
  return Point2{static_cast<double>(x), static_cast<double>(matrices.viewport[3] - y)};
}

bool SameSideOfAllSides(const Point2* corners, int count, const Point2& point) {
  if (count < 3) return false;
  const bool first = NonNegativeSide(corners[0], corners[1], point);
  for (int i = 1; i < count; ++i)
    if (NonNegativeSide(corners[i], corners[(i + 1) % count], point) != first) return false;
  return true;
}

Face* PickFace(Model& model, const PickMatrices& matrices, int x, int y) {
  const Projector projector(matrices);
  const Point2 p = CursorToWindow(matrices, x, y);
  Face* best = nullptr;
  double bestDepth = 0.0;
  for (Solid& solid : model.solids) {
    for (Face& face : solid.faces) {
      if (!FaceContains(face, projector, p)) continue;
      const double depth = projector.Depth(FaceRefPoint(face));
      if (!best || depth < bestDepth) {
        best = &face;
        bestDepth = depth;
      }
    }
  }
  return best;
}

Edge* PickEdge(Model& model, const PickMatrices& matrices, int x, int y) {
  const Projector projector(matrices);
  const Point2 p = CursorToWindow(matrices, x, y);
  const HalfEdge* best = nullptr;
  double bestDepth = 0.0;
  for (Solid& solid : model.solids) {
    for (Face& face : solid.faces) {
      for (const HalfEdge* h : face.ring) {
        if (!h->edge || !h->vertex || !h->next || !h->next->vertex) continue;
        const WindowPoint a = projector.Project(h->vertex->x, h->vertex->y, h->vertex->z);
        const Vertex& v2 = *h->next->vertex;
        const WindowPoint b = projector.Project(v2.x, v2.y, v2.z);
        double t = 0.0;
        const double distance = PointSegmentDistance(Point2{a.x, a.y}, Point2{b.x, b.y}, p, t);
        if (!(distance < kEdgePickPixels)) continue;
        const double depth = (1.0 - t) * a.depth + t * b.depth;
        if (!best || depth < bestDepth) {
          best = h;
          bestDepth = depth;
        }
      }
    }
  }
  return best ? best->edge : nullptr;
}

bool IsMarkableEdge(const Edge& edge, const Settings& settings) {
  if (!edge.halfA || !edge.halfB) return false;
  return !IsHiddenFlatEdge(edge, settings);
}

}  // namespace plicora
