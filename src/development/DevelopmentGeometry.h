#pragma once
// What is derived from the stored flat pattern: its bounds, the page grid,
// the line class of every side, flap polygons, join numbers, face regions.

#include "app/Settings.h"
#include "model/Model.h"

namespace plicora {

/// One sheet of the page grid: its column and row, counted from 0.
struct PageRef {
  int column = 0;
  int row = 0;
};

/// Page columns and rows are each 1 to 5.
inline constexpr int kMaxPageColumns = 5;
inline constexpr int kMaxPageRows = 5;

enum class EdgeLineClass { Skip, Cut, ConvexFold, ConcaveFold };

/// The corner at which a side ends: the next corner of its ring, or null for
/// a ring too short to be linked (such a side has no line, flap or number).
inline const HalfEdge* SideEnd(const HalfEdge& half) { return half.next; }

/// Recomputes devX, devY, devWidth, devHeight from the parts and labels.
/// A development with neither parts nor labels gets an empty box at 0, 0.
void ComputeDevelopmentBounds(Model& model);

/// Columns and rows of the page grid; 1 x 1 with no model or no development.
void ComputePageGrid(const Model* model, const Settings& settings, int& columns, int& rows);

/// The line drawn for a side (or Skip); sets the drawn marks of a drawn line.
EdgeLineClass ClassifyEdgeLine(HalfEdge& half, const Settings& settings);

/// Clears drawnMark on every edge and half-edge of the model.
void ClearDrawnMarks(Model& model);

/// Fills the flap polygon of every half-edge of every part.
void ComputeFlapPolygons(Model& model, const Settings& settings);

/// Numbers the cut edges that join two faces, from 1, in document order;
/// returns how many edges got a number.
int AssignJoinNumbers(Model& model);

/// Clears `marked` on every face of every part.
void ClearFaceMarks(Model& model);

/// Marks the face and every face reachable without crossing a drawn line.
void MarkFaceRegion(Face& face, const Settings& settings);

/// Mirrors the development left to right and toggles `mirrored`.
void MirrorDevelopment(Model& model);

}  // namespace plicora
