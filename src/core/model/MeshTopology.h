#pragma once
// Face rings, edge measurement and the rebuilding of the half-edge pairing.

#include <vector>

#include "core/model/Model.h"

namespace plicora {

/// Two corners that stand for the same point: the same vertex, or vertices at
/// distance exactly 0.
bool IsRepeatedCorner(const HalfEdge& a, const HalfEdge& b);

/// Whether `corner` would be dropped when appended to the clean ring `ring`:
/// it repeats the last corner, or (in a ring that would grow past two) the
/// first. Appending only corners for which this is false keeps the ring in
/// the state that cleaning it after every corner gives.
bool CornerRepeatsRing(const std::vector<HalfEdge*>& ring, const HalfEdge& corner);

/// Links next around a ring of more than two corners; shorter rings get no
/// links.
void LinkRing(Face& face);

/// Drops repeated corners of the ring and links next when more than two
/// remain.
void CleanRing(Face& face);

/// The preceding corner of a linked ring (the one whose next is `half`);
/// null for a corner without links.
HalfEdge* PrevOf(const HalfEdge& half);

/// Where the face lies, for picking depth: the mean of its corners (the
/// origin for a ring of fewer than three corners).
Point3 FaceRefPoint(const Face& face);

/// The working position of the cut-point emphasis of a corner (the origin
/// before the development is prepared).
Point3 OpenedPositionOf(const HalfEdge& half);

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
