#pragma once
// The parts as a builder sees them: how many faces each has, the pages it
// lies on, the parts it is glued to (and by how many join numbers), and an
// order to build them in.

#include <utility>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

struct PartSummary {
  int index = 0;  ///< in file order
  int faces = 0;
  std::vector<PageRef> pages;                   ///< by row, then column
  std::vector<std::pair<int, int>> neighbours;  ///< (part, shared join numbers), by part
  std::vector<int> joinNumbers;                 ///< the numbers on its sides, ascending
};

std::vector<PartSummary> SummarizeParts(const Model& model, const Settings& settings);

/// The build order: first the part with the most faces (ties: the lowest
/// index); then again and again the part not yet placed that shares the most
/// join numbers with the parts placed so far (ties: more faces, then the
/// lower index). A part sharing none with those placed starts a new group by
/// the same rule.
std::vector<int> BuildOrder(const std::vector<PartSummary>& parts);

/// The join numbers that connect the part at `position` of `order` to the
/// parts before it (ascending).
std::vector<int> JoinsToEarlierParts(const Model& model, const std::vector<int>& order, std::size_t position);

}  // namespace plicora
