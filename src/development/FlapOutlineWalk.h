#pragma once
// The visible stretches of the flap outlines of a vector drawing.

#include "development/LineBatch.h"
#include "development/PartExtents.h"
#include "development/VectorDrawArea.h"
#include "model/Model.h"
#include "model/Settings.h"

namespace plicora {

/// Adds to `lines` (in device units at sx, sy per development unit) the
/// stretches of every flap side that no face and no earlier flap of a
/// nearby part covers, for the flaps that reach into `area`. `extents` are
/// the model's (PartExtentsOf).
void DrawFlapOutlines(LineBatch& lines, const Model& model, const Settings& settings,
                      const std::vector<PartExtent>& extents, double sx, double sy, const DrawArea& area);

}  // namespace plicora
