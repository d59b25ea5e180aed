#pragma once
// Corner positions that open every cut of the model a little, so that the
// 3D pane shows where the pattern is cut ("Emphasize Cut Point").

#include "core/model/Model.h"

namespace plicora {

/// Fills the opened position of every half-edge. Where a cut begins at a
/// vertex, the corners on each side of the cut are pulled towards the inside
/// of their faces by a tenth of the model's mean edge length; every other
/// corner keeps its vertex position.
void ComputeOpenedPositions(Model& model);

}  // namespace plicora
