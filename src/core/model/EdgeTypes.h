#pragma once
// The values of Edge::type: what the user marked on an edge of a model that
// has no development yet, or that it has only one face.

namespace plicora {

inline constexpr int kEdgeOrdinary = 0;
inline constexpr int kEdgeOneSided = 5;    ///< a border of the model: one face only
inline constexpr int kEdgeMarkedCut = 6;   ///< marked to be cut in the development
inline constexpr int kEdgeMarkedKeep = 7;  ///< marked to stay joined in the development

}  // namespace plicora
