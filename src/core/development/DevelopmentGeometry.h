#pragma once
// What is derived from the stored flat pattern: its bounds, the page grid,
// the line class of every side, flap polygons and join numbers.

#include <array>
#include <vector>

#include "core/model/FaceRegions.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// A corner in development units, part offset included.
inline Point2 CornerOf(const HalfEdge& half, const Part& part) {
  return {half.devPos.x + part.offsetX, half.devPos.y + part.offsetY};
}

/// One sheet of the page grid: its column and row, counted from 0.
struct PageRef {
  int column = 0;
  int row = 0;
};

/// Page columns and rows are each 1 to 5.
inline constexpr int kMaxPageColumns = 5;
inline constexpr int kMaxPageRows = 5;

enum class EdgeLineClass { Skip, Cut, ConvexFold, ConcaveFold };

/// The corner at which a side ends: the next corner of its ring, or null for
/// a ring too short to be linked (such a side has no line, flap or number).
inline const HalfEdge* SideEnd(const HalfEdge& half) {
  return half.next;
}

/// Whether the model carries a development with something on it to print
/// or export: at least one part with faces, or one text label. A development without
/// either is treated like a file without a development.
bool HasDevelopmentToDraw(const Model& model);

/// What the program says of a file without a development to show or export.
inline constexpr const char* kNoDevelopmentMessage = "This file doesn't have developed pattern.";

/// HasDevelopmentToDraw; when false, kNoDevelopmentMessage is shown.
bool CheckDevelopmentToDraw(const Model& model);

/// The rectangle that holds every part and every label box, in development
/// units: an empty box at 0, 0 for a development with neither.
struct DevelopmentBounds {
  double x = 0.0, y = 0.0;
  double width = 0.0, height = 0.0;
};
DevelopmentBounds DevelopmentBoundsOf(const Model& model);

/// A text label's box in development units: from its position across its
/// width, from its height above the baseline to half of it below.
DevelopmentBounds TextLabelBoxOf(const TextLabel& label, double devScale);

/// The box a picture of the whole development frames: DevelopmentBoundsOf
/// grown on every side by the widest flap drawn (flaps are drawn when
/// bDrawFlap is on) and half a millimetre for the ink of its outer line, so
/// that every flap lies inside.
DevelopmentBounds PictureBoundsOf(const Model& model, const Settings& settings);

/// The box a raster picture of the whole development frames: PictureBoundsOf
/// grown on every side by half the widest stroke, so that the lines along
/// its border are drawn whole, not cut in half by the picture's edge. A
/// stroke is at least one pixel wide at the pictures' reference resolution
/// of 72 pixels per inch, that is one point.
DevelopmentBounds RasterPictureBoundsOf(const Model& model, const Settings& settings);

/// Stores DevelopmentBoundsOf in devX, devY, devWidth, devHeight.
void ComputeDevelopmentBounds(Model& model);

/// Columns and rows of the page grid; 1 x 1 with no model or no development.
void ComputePageGrid(const Model* model, const Settings& settings, int& columns, int& rows);

/// The sides a drawing pass has drawn so far, kept by the pass itself: a
/// fold between two faces is drawn once, from the side met first.
class DrawnSides {
 public:
  bool Contains(const HalfEdge& half) const;
  void Insert(const HalfEdge& half);

 private:
  struct SolidSides {
    const Solid* solid;
    std::vector<char> drawn;  ///< by HalfEdge::index
  };
  /// The place of the solid's table in solids_, or solids_.size().
  std::size_t Slot(const Solid* solid) const;
  std::vector<SolidSides> solids_;
  mutable std::size_t last_ = 0;
};

/// The line drawn for a side (or Skip); a drawn line is entered in `drawn`.
EdgeLineClass ClassifyEdgeLine(const HalfEdge& half, const Settings& settings, DrawnSides& drawn);

enum class LineStyle { None, Solid, Dot1, Dot2 };

/// The style of a drawn line class: cut lines are solid unless "None";
/// folds follow their line type (0 solid, 1 Dot1, 2 Dot2, 3 none). A line
/// type outside the table is None as well: the panes and pictures leave such
/// a line out, while the EPS writer draws it in the dash of the line before.
LineStyle StyleOfLine(EdgeLineClass lineClass, const Settings& settings);

/// The flap on a base from `from` to `to` (`length` long), standing `width`
/// off it on the side (dy, -dx) of that direction: a trapezoid whose slanted
/// sides make 45 degrees with the base, or with `triangle` a triangle whose
/// apex stands `width` above the base's middle. Any units; the caller decides
/// between the two shapes. Returns the point count: 4 or 3.
int FlapOnBase(Point2 from, Point2 to, double length, double width, bool triangle, std::array<Point2, 4>& points);

/// The flap polygon of a side, part offset included, in development units.
/// `flip` is the model's mirrored flag XOR bNorishiroReverse. Returns the
/// point count: 4 (a trapezoid), 3 (a triangle) or 0 (no flap).
int FlapPolygonOf(const HalfEdge& half, const Part& part, bool flip, double devScale, std::array<Point2, 4>& points);

/// Direction and turn of a join number on a side from a to b (any units,
/// y down): the first and second point follow the mirror and reverse
/// switches; the angle is in degrees. A side of no length has no direction
/// and is not `valid` (its points and middle are set).
struct JoinNumberPlacement {
  bool valid = false;
  Point2 first, second;
  double dx = 0.0, dy = 0.0;  ///< (first - second) / length
  Point2 middle;
  double angleDegrees = 0.0;
};
JoinNumberPlacement PlaceJoinNumber(Point2 a, Point2 b, bool mirrored, bool edgeIdReverse);

/// The turn that makes a join number's text run from first to second: the
/// angle whose sine is dy, turned over (`halfTurn` minus it) when the side
/// runs leftwards from first. `perRadian` and `halfTurn` give the unit:
/// kDegreesPerRadian and 180 for degrees, 1 and pi for radians. (The cosine
/// would stand the number across the side instead of along it.)
double JoinNumberTurn(const JoinNumberPlacement& place, double perRadian, double halfTurn);

/// Numbers the cut edges that join two faces, from 1, in document order;
/// returns how many edges got a number.
int AssignJoinNumbers(Model& model);

/// Mirrors the development left to right and toggles `mirrored`.
void MirrorDevelopment(Model& model);

}  // namespace plicora
