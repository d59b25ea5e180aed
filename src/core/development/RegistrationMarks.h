#pragma once
// The registration marks a print-and-cut sheet carries, so that a cutting
// machine's optical sensor finds the printed sheet, as shapes in millimetres
// on the sheet (y down, origin at the paper's top-left corner). The printed
// PDF, the cutter SVG and the DXF all draw these same shapes.
//
// Presets: "corners" (a filled square at the top-left, L-shaped corner marks
// at the top-right and bottom-left), "frame" (one rectangle around the
// printable area, for machines that read a frame) and "none" (for machines
// that scan the printed sheet).

#include <optional>
#include <string>
#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// A mark's shape: a filled polygon (its corners, not repeated) or a line of
/// `lineWidthMm` along `points` (mitred corners, flat ends; `closed` when it
/// returns to its first point).
struct MarkShape {
  std::vector<Point2> points;
  bool filled = false;
  bool closed = false;
  double lineWidthMm = 0.0;
};

/// The presets, as the profile key iRegistrationMarks numbers them.
enum class RegistrationPreset { Corners = 0, Frame = 1, None = 2 };

/// The preset names, by RegistrationPreset value, as `--marks` and the
/// window's list spell them.
inline constexpr const char* kRegistrationPresetNames[] = {"corners", "frame", "none"};
std::optional<RegistrationPreset> RegistrationPresetNamed(const std::string& name);
/// The settings' preset; an unknown number counts as "corners".
RegistrationPreset RegistrationPresetOf(const Settings& settings);

/// The measurements of the marks, from the settings, in millimetres and
/// within sensible ranges.
struct MarkMeasures {
  double sizeMm = 5.0;    ///< the square's side; the corner marks' arms are kArmPerSize times it
  double lineMm = 0.5;    ///< the corner marks' and the frame's line width
  double insetMm = 10.0;  ///< from the paper's edges to the marks' outer sides
};
inline constexpr double kArmPerSize = 4.0;
MarkMeasures MarkMeasuresOf(const Settings& settings);

/// The marks of the preset in the settings on a sheet of their paper size.
std::vector<MarkShape> RegistrationMarkShapes(const Settings& settings);

/// The margin the preset's marks need on every side so that they stay off
/// the printable area (0 for "none").
double RegistrationMarginNeededMm(const Settings& settings);

/// The outlines of a mark's ink: the filled polygon, or the outline of the
/// line (two outlines, outside and inside, for a closed line). A point is
/// inked when an odd number of them enclose it.
std::vector<std::vector<Point2>> MarkInkOutlines(const MarkShape& mark);

/// The distance from a polyline to the nearest mark's ink (0 when they
/// touch or overlap); a large value when there is no mark.
double DistanceToMarks(const std::vector<MarkShape>& marks, const std::vector<Point2>& polyline);

/// A cut must keep this far from every mark, so that the blade does not
/// catch the mark and the sensor does not see the cut.
inline constexpr double kMarkClearanceMm = 1.0;

/// The print-then-cut limit of frame-reading machines, from the settings.
struct CutAreaLimit {
  double widthMm = 235.0, heightMm = 171.0;
};
CutAreaLimit FrameCutAreaLimit(const Settings& settings);

/// Whether a cut area of `widthMm` x `heightMm` fits the limit, the sheet
/// fed either way round.
bool FitsCutAreaLimit(double widthMm, double heightMm, const CutAreaLimit& limit);

}  // namespace plicora
