#pragma once
// The join number the user is looking for: both of its ends are drawn in the
// highlight colour, and the development pane shows one of them at a time.
// The document holds it so that every pane draws the same highlight; it
// never changes the model.

#include <array>
#include <string>
#include <vector>

#include "core/development/JoinEnds.h"
#include "core/development/Pages.h"

namespace plicora {

struct JoinHighlight {
  int number = 0;    ///< 0: no join number is highlighted
  int shownEnd = 0;  ///< the end (0 or 1) the development pane was moved to
  /// A face clicked in the 3D pane in Find Partner mode: its numbered sides
  /// are highlighted instead of a join's two ends.
  const Face* face = nullptr;
  bool active() const { return number > 0; }
  bool any() const { return number > 0 || face; }
};

/// The sides of a face that carry a join number, in ring order.
std::vector<const HalfEdge*> NumberedSidesOf(const Face& face);

/// The status-bar text listing the join numbers on a face's sides (in
/// ascending order) and naming its part.
std::string FaceJoinsStatusText(const Face& face);

/// The status-bar text naming where both ends lie: the page in print order
/// with its column and row (counted from 1, as on the printed caption) and
/// the part (its index in file order, as the part list shows it). The pages
/// are numbered as printing lists them for the page grid `grid`.
std::string JoinEndsStatusText(int number, const std::array<JoinEnd, 2>& ends, const Model& model,
                               const Settings& settings, PageLayout grid);

}  // namespace plicora
