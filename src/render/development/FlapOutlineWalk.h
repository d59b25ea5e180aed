#pragma once
// The visible stretches of the flap outlines of a vector drawing.

#include "core/development/PartExtents.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "render/development/LineBatch.h"
#include "render/development/VectorDrawArea.h"

namespace plicora {

/// Adds to `lines` (in device units at sx, sy per development unit) the
/// stretches of every flap side that no face and no earlier flap of a
/// nearby part covers, for the flaps that reach into `area`. `extents` are
/// the model's (PartExtentsOf). `ticks` hear of every thousand flaps;
/// once they say stop, no more flaps are walked.
void DrawFlapOutlines(LineBatch& lines, const Model& model, const Settings& settings,
                      const std::vector<PartExtent>& extents, double sx, double sy, const DrawArea& area,
                      TickCounter* ticks = nullptr);

}  // namespace plicora
