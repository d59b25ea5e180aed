#pragma once
// Face rings, edge measurement and the rebuilding of the half-edge pairing.

#include "model/Model.h"

namespace plicora {

/// Drops repeated corners of the ring and links next/prev when more than two
/// remain; fills the face's reference point (the mean of its corners).
void CleanRing(Face& face);

/// Length, convexity and dihedral angle of every edge (type 5 for one-sided
/// edges) and the solid's mean edge length (0 without edges).
void MeasureSolid(Solid& solid);

/// MeasureSolid on every solid; the model's mean edge length is the mean of
/// the solids' values (0 without solids).
void MeasureModel(Model& model);

/// Rebuilds every edge of the solid from its rings. Warnings go to stderr.
void PairHalfEdges(Solid& solid);

/// "Reverse Surface Direction" on every selected solid.
void ReverseSurfaceDirection(Model& model);

}  // namespace plicora
