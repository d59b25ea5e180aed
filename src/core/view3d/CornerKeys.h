#pragma once
// Numbers the corners of a model's faces so that corners at one position
// share a number without comparing coordinates: a corner's number is its
// vertex's place in the model, or, with the cuts opened, the place of its
// half-edge when the opening moved it off its vertex. Equal numbers always
// mean equal positions; numbers are below count(), except kOwnPoint: a
// corner whose position is shared with no other (one of no solid's vertices).

#include <cstdint>
#include <vector>

#include "core/model/Model.h"

namespace plicora {

class CornerKeys {
 public:
  /// The numbering of the closed positions (vertices) or of the opened
  /// positions (ComputeOpenedPositions).
  CornerKeys(const Model& model, bool opened);

  static constexpr std::uint32_t kOwnPoint = UINT32_MAX;

  /// The corners of one solid.
  class OfSolid {
   public:
    std::uint32_t KeyOf(const HalfEdge& corner) const;

   private:
    friend class CornerKeys;
    struct Chunk {
      const Vertex* first = nullptr;
      std::size_t count = 0;
      std::uint32_t index = 0;  ///< place of `first` in the solid's vertices
    };
    std::uint32_t VertexIndex(const Vertex* vertex) const;

    const Solid* solid_ = nullptr;
    bool opened_ = false;
    std::vector<Chunk> chunks_;  ///< the vertices' storage, by address
    std::uint32_t vertexBase_ = 0;
    std::uint32_t movedBase_ = 0;
    std::uint32_t halfEdges_ = 0;  ///< numbered from movedBase_ when opened
  };

  /// The numbering of `solid`'s corners, or null for a solid of another model.
  const OfSolid* Find(const Solid* solid) const;
  std::uint32_t count() const { return count_; }

 private:
  std::vector<OfSolid> solids_;
  std::uint32_t count_ = 0;
};

}  // namespace plicora
