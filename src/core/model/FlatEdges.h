#pragma once
// "Hide Polygonal Line near the Surface": an edge whose two faces meet almost
// flat is not drawn (in the 3D view or in the pattern), cannot be picked for
// marking, and does not bound a region of the pattern.

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// True when the switch is on and the edge's fold angle (180 for flat)
/// lies above the threshold angle iAngleEps.
inline bool IsHiddenFlatEdge(const Edge& edge, const Settings& settings) {
  return settings.bCullEdge && settings.iAngleEps < edge.dihedral;
}

/// A fold of the pattern that is hidden this way: it is neither drawn nor
/// a border of a region.
inline bool IsHiddenFold(const HalfEdge& half, const Settings& settings) {
  return half.devPartner && half.edge && IsHiddenFlatEdge(*half.edge, settings);
}

}  // namespace plicora
