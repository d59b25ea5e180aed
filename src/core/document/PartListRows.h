#pragma once
// The rows of the part list as text: each part's index, face count, the
// pages it lies on and the parts it is glued to.

#include <string>
#include <vector>

#include "core/development/Pages.h"
#include "core/development/PartGraph.h"

namespace plicora {

struct PartListRow {
  int index = 0;
  int faces = 0;
  /// The pages by their place in print order ("1, 2, 5"); a page the print
  /// leaves out by its column and row ("c3 r2", counted from 1).
  std::string pages;
  /// The parts it shares join numbers with and how many ("3 (4), 7 (1)").
  std::string gluedTo;
};

/// One row per part; `printed` is the page list as printing numbers it.
std::vector<PartListRow> PartListRows(const std::vector<PartSummary>& parts, const PageLayout& printed);

}  // namespace plicora
