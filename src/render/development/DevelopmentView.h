#pragma once
// The development pane's view values and how they map the paper to client
// pixels. The whole page grid is shown as one sheet area: the printable areas
// of all pages side by side, with one page's margins around them. With pan 0
// the sheet area is centred in the client area.

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The paper side of the mapping: margins, printable page size and grid.
struct SheetArea {
  double marginSide = 1.5;  ///< centimetres
  double marginTop = 1.5;
  double pageWidth = 18.0;  ///< printable width W of one page, centimetres
  double pageHeight = 26.7;
  int columns = 1;
  int rows = 1;
  double TotalWidth() const { return 2.0 * marginSide + pageWidth * columns; }
  double TotalHeight() const { return 2.0 * marginTop + pageHeight * rows; }
};

/// The sheet area of the current paper and margins for a page grid.
SheetArea MakeSheetArea(const Settings& settings, int columns, int rows);

/// The pane's view values.
struct DevelopmentView {
  int clientWidth = 0;
  int clientHeight = 0;
  double viewFit = 1.0;  ///< pixels per centimetre of paper at zoom 1
  double viewZoom = 1.0;
  double panX = 0.0;  ///< pan in pixels divided by the zoom
  double panY = 0.0;  ///< (y grows upward)

  /// Pixels per centimetre of paper at the current zoom.
  double PixelsPerCm() const { return viewFit * viewZoom; }
  double CentreX() const { return clientWidth / 2.0; }
  double CentreY() const { return clientHeight / 2.0; }
};

/// viewFit that fits the sheet area into the client area with a 15-pixel
/// border on every side.
double FitViewScale(int clientWidth, int clientHeight, const SheetArea& area);

/// Client pixel of the sheet area's top-left corner.
Point2 SheetAreaCorner(const DevelopmentView& view, const SheetArea& area);

/// Client pixel of a development point (development units).
Point2 MapDevelopmentPoint(const DevelopmentView& view, const SheetArea& area, double devScale, Point2 p);

/// Development point under a client pixel (the inverse mapping).
Point2 UnmapClientPoint(const DevelopmentView& view, const SheetArea& area, double devScale, Point2 pixel);

/// Pans (keeping the zoom) so that a development point comes to the centre
/// of the client area.
void CentreOnPoint(DevelopmentView& view, const SheetArea& area, double devScale, Point2 p);

}  // namespace plicora
