#include "core/development/PartExtents.h"

#include <algorithm>

#include "core/development/DevelopmentGeometry.h"

namespace plicora {

std::vector<PartExtent> PartExtentsOf(const Model& model) {
  std::vector<PartExtent> extents(model.parts.size());
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    const Part& part = model.parts[i];
    PartExtent& extent = extents[i];
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        extent.corners = Extended(extent.corners, CornerOf(*h, part));
        if (h->hasFlap) extent.widestFlap = std::max(extent.widestFlap, h->flapWidth);
        const HalfEdge* other = h->devPartner;
        if (other && other->face && other->face->part != &part) extent.foldsIntoOtherParts = true;
      }
    }
  }
  return extents;
}

const std::vector<PartExtent>& PartExtentsCache::Get(const Model& model) {
  if (model_ != &model || extents_.size() != model.parts.size()) {
    extents_ = PartExtentsOf(model);
    model_ = &model;
  }
  return extents_;
}

}  // namespace plicora
