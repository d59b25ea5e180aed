#include "core/development/DevelopmentPicking.h"

#include <vector>

#include "core/view3d/FacePicking.h"

namespace plicora {

Face* PickDevelopmentFace(Model& model, const Point2& devPoint) {
  std::vector<Point2> corners;
  for (Part& part : model.parts) {
    for (Face* face : part.faces) {
      if (!face) continue;
      corners.clear();
      for (const HalfEdge* h : face->ring)
        corners.push_back(Point2{h->devPos.x + part.offsetX, h->devPos.y + part.offsetY});
      if (SameSideOfAllSides(corners.data(), static_cast<int>(corners.size()), devPoint)) return face;
    }
  }
  return nullptr;
}

}  // namespace plicora
