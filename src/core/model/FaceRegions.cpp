#include "core/model/FaceRegions.h"

#include <vector>

#include "core/model/FlatEdges.h"

namespace plicora {

void ClearFaceMarks(Model& model) {
  for (Part& part : model.parts)
    for (Face* face : part.faces) face->marked = false;
}

bool AnyFaceMarked(const Model& model) {
  for (const Part& part : model.parts)
    for (const Face* face : part.faces)
      if (face->marked) return true;
  return false;
}

void MarkFaceRegion(Face& start, const Settings& settings) {
  // Depth first, one frame per face on an explicit stack (a part can hold
  // millions of faces): mark the face, then step through its sides in ring
  // order, entering each unmarked neighbour across an undrawn line.
  struct Frame {
    Face* face;
    std::size_t side;
  };
  if (start.marked) return;
  start.marked = true;
  std::vector<Frame> stack{{&start, 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.side >= top.face->ring.size()) {
      stack.pop_back();
      continue;
    }
    const HalfEdge* h = top.face->ring[top.side++];
    const HalfEdge* d = h->devPartner;
    if (!d || !d->face) continue;
    const bool crossable = IsHiddenFold(*h, settings) || !h->isOutline;
    if (!crossable || d->face->marked) continue;
    d->face->marked = true;
    stack.push_back({d->face, 0});
  }
}

void MarkCorrespondingFaces(Model& model, Face* face, const Settings& settings) {
  ClearFaceMarks(model);
  if (face) MarkFaceRegion(*face, settings);
}

}  // namespace plicora
