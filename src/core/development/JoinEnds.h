#pragma once
// The two ends of a join number: the two sides of a cut edge that carry the
// same number, where they lie on the paper and on which page.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

struct JoinEnd {
  const HalfEdge* side = nullptr;
  int part = -1;  ///< the part's index in file order
  Point2 midCm;   ///< midpoint of the side, centimetres from the development's origin
  PageRef page;   ///< the page of the grid that holds the midpoint
};

/// The sides that carry each join number, indexed by number (entry 0 unused):
/// the side met first when the numbers are assigned, then its partner.
std::vector<std::array<const HalfEdge*, 2>> JoinSidesByNumber(const Model& model);

/// The two ends of join number `number`, in the order the numbers are
/// assigned; nothing when the development has no such number.
std::optional<std::array<JoinEnd, 2>> FindJoinEnds(const Model& model, const Settings& settings, int number);

/// Where a side lies: its part, midpoint on paper and page.
JoinEnd JoinEndOf(const HalfEdge& side, const Model& model, const Settings& settings);

/// The page (column, row) of a point on paper, in centimetres from the
/// development's origin: the printable width and height divide it.
PageRef PageOfPoint(Point2 cm, const Settings& settings);

/// The side carrying a join number nearest to a development point (parts'
/// offsets added), when one lies within `tolerance` development units;
/// null otherwise.
const HalfEdge* NearestJoinSide(const Model& model, Point2 point, double tolerance);

/// The message for a join number the file lacks, naming the range it has
/// (`count` numbers, from 1).
std::string JoinNumberRangeText(int number, int count);

}  // namespace plicora
