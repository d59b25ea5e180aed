#pragma once
// Face rings, edge measurement and the rebuilding of the half-edge pairing.

#include <vector>

#include "model/Model.h"

namespace plicora {

/// Two corners that stand for the same point: the same vertex, or vertices at
/// distance exactly 0.
bool IsRepeatedCorner(const HalfEdge& a, const HalfEdge& b);

/// Whether `corner` would be dropped when appended to the clean ring `ring`:
/// it repeats the last corner, or (in a ring that would grow past two) the
/// first. Appending only corners for which this is false keeps the ring in
/// the state that cleaning it after every corner gives.
bool CornerRepeatsRing(const std::vector<HalfEdge*>& ring, const HalfEdge& corner);

/// Links next/prev around a ring of more than two corners and fills the
/// face's reference point (the mean of its corners); shorter rings get no
/// links.
void LinkRing(Face& face);

/// Drops repeated corners of the ring and links next/prev when more than two
/// remain; fills the face's reference point (the mean of its corners).
void CleanRing(Face& face);

/// Length, convexity and dihedral angle of every edge (type 5 for one-sided
/// edges) and the solid's mean edge length (0 without edges).
void MeasureSolid(Solid& solid);

/// MeasureSolid on every solid; the model's mean edge length is the mean of
/// the solids' values (0 without solids).
void MeasureModel(Model& model);

/// Rebuilds every edge of the solid from its rings. A side used twice in the
/// same direction, or waited on by two reverse sides, is a warning note.
void PairHalfEdges(Solid& solid);

/// "Reverse Surface Direction" on every selected solid.
void ReverseSurfaceDirection(Model& model);

}  // namespace plicora
