#pragma once
// Which edges of the 3D model are drawn, how wide and in which colour.

#include "core/model/FlatEdges.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

struct EdgeStyle {
  bool drawn = false;
  float width = 1.f;
  float red = 0.f, green = 0.f, blue = 0.f;
};

/// RGB of a colour value as OpenGL takes it (each byte divided by 255).
EdgeStyle ColoredStyle(ColorRef color, float width);

/// True for an edge whose two faces are joined in the pattern (a fold).
bool IsFoldEdge(const Edge& edge);

/// Style of a fold line: coloured by convexity when bDrawColorEdge is on,
/// black otherwise; width 1.
EdgeStyle FoldStyle(const Edge& edge, const Settings& settings);

/// Style of an edge drawn between its end vertices. With a development, folds
/// are thin (hidden when flat or internal) and every other edge is thick in
/// colour 3. Without one the edge type decides: 5 one-sided (colour 3), 6
/// marked to cut (colour 4), 7 marked to keep (colour 5), all 3 wide; any
/// other type is drawn as an ordinary edge; the hovered edge is green, 5 wide.
EdgeStyle ClosedEdgeStyle(const Edge& edge, const Settings& settings, bool hasDevelopment, const Edge* hovered);

}  // namespace plicora
