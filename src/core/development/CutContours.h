#pragma once
// The lines a cutting machine follows: the closed cut contour of every part
// (the outline of its faces with its drawn flaps) and the fold lines it may
// score, in development units with the part offsets included.

#include <cstddef>
#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// One cut line. A closed one repeats its first point at the end; a part has
/// one per connected outline, and a hole in a part is a contour of its own.
/// A slit (a cut whose two sides lie on each other in the pattern) is cut
/// once, as an open line of its own beside the contours it separates.
struct CutContour {
  std::size_t part = 0;  ///< index in model.parts
  std::vector<Point2> points;
  bool closed = true;
};

/// The contours of every part, part by part. A side without a fold partner
/// is on the outline; with flaps drawn (bDrawFlap) a flap's outer sides take
/// the place of its base. Cut line type "None" does not matter: the cutter
/// needs the contour even when the printout shows no cut line. A `tick`
/// is called between parts; when it says stop the contours are incomplete.
std::vector<CutContour> BuildCutContours(const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

/// A fold line as the drawing draws it (hidden and "None" folds left out),
/// flap bases included.
struct FoldLine {
  std::size_t part = 0;
  Point2 a, b;
  bool mountain = true;  ///< a convex fold; false for a valley
};

/// The fold lines of the development; a `tick` that says stop ends the list
/// early (the caller throws it away).
std::vector<FoldLine> BuildFoldLines(const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

/// The length of a contour or of any polyline.
double PolylineLength(const std::vector<Point2>& points);

}  // namespace plicora
