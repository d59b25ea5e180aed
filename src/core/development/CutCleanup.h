#pragma once
// Cut contours made fit for a cutting machine: what is narrower than the
// blade can cut is closed into the paper, points that add nothing are
// merged, and the contours come in the order a blade should run them.

#include <vector>

#include "core/development/CutContours.h"

namespace plicora {

/// Cleans the contours of BuildCutContours (development units, `tolerance`
/// in the same units); `faces` are the contours of the parts' faces without
/// their flaps, which tell the holes of a part as drawn:
/// - a closed contour narrower than the tolerance (twice the area over the
///   perimeter) or smaller than (10 x tolerance)^2 is not cut unless the
///   faces alone have it (a hole of theirs, or an outline round them): a gap
///   or sliver between flaps is closed into the paper, a scrap of flap is
///   left in the sheet; needles narrower than the tolerance on a contour are
///   closed likewise;
/// - points within the tolerance of the point before go, and a point within
///   half the tolerance of the straight line between its kept neighbours is
///   merged into that line where that line keeps to the paper's edge or
///   outside it (an open cut, with paper on both sides, only loses points
///   that are in line);
/// - open cuts no longer than the tolerance, or running only over sides cut
///   already, go;
/// - outlines run counter-clockwise and holes clockwise as seen on the
///   sheet (y grows downwards), each part's holes and slits before the
///   outline that holds them, and the parts in nearest-next-start order
///   from the top-left of the development.
/// `ticks`, when given, is stepped part by part; after a stop nothing is
/// returned.
std::vector<CutContour> CleanCutContours(std::vector<CutContour> contours, const std::vector<CutContour>& faces,
                                         double tolerance, TickCounter* ticks = nullptr);

/// The signed area of a closed contour (positive when it runs clockwise on
/// the sheet).
double ContourArea(const std::vector<Point2>& points);

}  // namespace plicora
