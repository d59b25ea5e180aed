#include "core/view3d/CornerKeys.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "core/model/MeshTopology.h"

namespace plicora {
namespace {

bool AtVertex(const Point3& p, const Vertex& v) {
  return p.x == v.x && p.y == v.y && p.z == v.z;
}

}  // namespace

CornerKeys::CornerKeys(const Model& model, bool opened) {
  std::uint32_t next = 0;
  solids_.reserve(model.solids.size());
  for (const Solid& solid : model.solids) {
    OfSolid& keys = solids_.emplace_back();
    keys.solid_ = &solid;
    keys.opened_ = opened;
    std::uint32_t index = 0;
    solid.vertices.ForEachChunk([&](const Vertex* first, std::size_t count) {
      keys.chunks_.push_back({first, count, index});
      index += static_cast<std::uint32_t>(count);
    });
    std::sort(keys.chunks_.begin(), keys.chunks_.end(),
              [](const OfSolid::Chunk& a, const OfSolid::Chunk& b) { return std::less<>()(a.first, b.first); });
    keys.vertexBase_ = next;
    next += index;
    if (opened) {
      keys.movedBase_ = next;
      keys.halfEdges_ = static_cast<std::uint32_t>(solid.halfEdges.size());
      next += keys.halfEdges_;
    }
  }
  count_ = next;
}

const CornerKeys::OfSolid* CornerKeys::Find(const Solid* solid) const {
  for (const OfSolid& keys : solids_)
    if (keys.solid_ == solid) return &keys;
  return nullptr;
}

std::uint32_t CornerKeys::OfSolid::VertexIndex(const Vertex* vertex) const {
  auto it = std::upper_bound(chunks_.begin(), chunks_.end(), vertex,
                             [](const Vertex* v, const Chunk& c) { return std::less<>()(v, c.first); });
  if (it == chunks_.begin()) return kOwnPoint;
  --it;
  const std::uintptr_t bytes = reinterpret_cast<std::uintptr_t>(vertex) - reinterpret_cast<std::uintptr_t>(it->first);
  const std::size_t place = bytes / sizeof(Vertex);
  if (bytes % sizeof(Vertex) != 0 || place >= it->count) return kOwnPoint;
  return it->index + static_cast<std::uint32_t>(place);
}

std::uint32_t CornerKeys::OfSolid::KeyOf(const HalfEdge& corner) const {
  if (opened_ && (!corner.vertex || !AtVertex(OpenedPositionOf(corner), *corner.vertex))) {
    return corner.index < halfEdges_ ? movedBase_ + corner.index : kOwnPoint;
  }
  const std::uint32_t index = corner.vertex ? VertexIndex(corner.vertex) : kOwnPoint;
  return index == kOwnPoint ? kOwnPoint : vertexBase_ + index;
}

}  // namespace plicora
