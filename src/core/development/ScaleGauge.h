#pragma once
// The scale gauge of a printed sheet: a 50 mm square and a 10 cm ruler with
// millimetre ticks, labelled "50 mm", by which a person checks that the
// printer did not scale the page. Its shape is data in millimetres; where it
// goes on a sheet is chosen here, off the development.

#include <optional>
#include <vector>

#include "core/model/BoxClip.h"
#include "core/model/Model.h"

namespace plicora {

struct GaugeLine {
  Point2 a, b;
};

/// The gauge with its top-left corner at the origin (y down): the square's
/// sides and the ruler with its ticks as lines of `lineWidthMm` (the square's
/// sides are exactly kGaugeSquareMm apart middle to middle, and the ruler's
/// end ticks kGaugeRulerMm), and the label centred in the square.
struct ScaleGauge {
  std::vector<GaugeLine> lines;
  double lineWidthMm = 0.0;
  double widthMm = 0.0, heightMm = 0.0;  ///< what it covers
  Point2 labelCentre;
  double labelEmMm = 0.0;
  const char* label = "";
};
inline constexpr double kGaugeSquareMm = 50.0;
inline constexpr double kGaugeRulerMm = 100.0;

ScaleGauge ScaleGaugeShape();

/// A rectangle in sheet millimetres.
using SheetBox = AxisBox;

/// What the gauge must stay off: lines (closed ones enclose their inside)
/// and boxes, in sheet millimetres.
struct GaugeObstacles {
  struct Line {
    std::vector<Point2> points;
    bool closed = false;
  };
  std::vector<Line> lines;
  std::vector<SheetBox> boxes;
};

/// The gauge's top-left corner on a sheet whose printable area is `area`:
/// the first corner of the area (top-left, top-right, bottom-left,
/// bottom-right) where the gauge stays clear of every obstacle, else the
/// middle of the first clear edge (top, bottom, left, right); nothing when
/// no place is clear.
std::optional<Point2> PlaceScaleGauge(const ScaleGauge& gauge, const SheetBox& area, const GaugeObstacles& obstacles);

}  // namespace plicora
