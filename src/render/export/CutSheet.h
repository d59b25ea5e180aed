#pragma once
// A cut file's content in millimetres on paper (y down, origin at the
// sheet's top-left corner): the cut contours, the mountain and valley folds
// and the numbers and labels, for the whole development or for one printed
// sheet. The DXF and the cutter SVG writers draw the same sheet.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/development/Pages.h"
#include "core/development/RegistrationMarks.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// A cut line; `closed` when it is a whole contour (first point repeated
/// at the end), open when a sheet's border cut it off.
struct CutPath {
  std::size_t part = 0;
  int contour = 0;  ///< counted from 1 within its part
  std::vector<Point2> points;
  bool closed = true;
};

struct CutLine {
  std::size_t part = 0;
  Point2 a, b;
};

/// A text of the numbers layer: a join number is centred on `at`, a label
/// starts there on its baseline.
struct CutText {
  std::string text;
  std::string face;  ///< the font face it is drawn with
  Point2 at;
  double emMm = 0.0;          ///< font size
  double angleDegrees = 0.0;  ///< counter-clockwise as seen on paper
  bool centred = false;
};

/// A rectangle on the sheet.
struct MarkRect {
  double x = 0.0, y = 0.0, width = 0.0, height = 0.0;
};

struct CutSheet {
  double widthMm = 0.0, heightMm = 0.0;
  std::vector<CutPath> cuts;
  std::vector<CutLine> mountains, valleys;
  std::vector<CutText> texts;
  std::vector<MarkShape> registration;    ///< empty for the whole development
  std::optional<MarkRect> printableArea;  ///< a printed sheet's: nothing is drawn beyond it
};

/// Millimetres of paper per development unit.
double MillimetresPerUnit(const Model& model);

/// The whole development, framed as the SVG export frames it (PictureBoundsOf).
/// A `tick` is called as the parts are walked; when it says stop the sheet is
/// incomplete.
CutSheet WholeDevelopmentCutSheet(const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

/// Printed sheet `number` (from 1, in print order) of `layout`: what lies on
/// its printable area, in sheet coordinates, and the registration marks of
/// the settings' preset.
CutSheet PageCutSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number);

}  // namespace plicora
