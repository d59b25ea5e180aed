#pragma once
// The marks that help to check and assemble printed sheets: the caption
// under each printed page, the alignment crosses at the printable corners,
// and the page numbers the pane shows over the sheet area to check the
// print order.

#include <QPainter>

#include "core/development/Pages.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "render/development/DevelopmentView.h"

namespace plicora {

class RasterGeometryCache;
class PartExtentsCache;
class DevelopmentOutlineCache;

/// A printed sheet's device: resolution, the unprintable border (physical
/// offsets) and the size of the whole physical page, in device units.
struct PrintDevice {
  double dpiX = 0.0;
  double dpiY = 0.0;
  double offsetX = 0.0;
  double offsetY = 0.0;
  double physicalWidth = 0.0;
  double physicalHeight = 0.0;
  bool preview = false;
  /// Where the raster pages of one print run keep their arrays from page to
  /// page (the model cannot change during a run); none builds them per page.
  RasterGeometryCache* geometry = nullptr;
  /// Likewise the parts' extents of the vector pages.
  PartExtentsCache* extents = nullptr;
  /// Likewise the outlines the scale gauge keeps clear of.
  DevelopmentOutlineCache* outlines = nullptr;
  /// Called now and then while a large page is drawn (see WorkTick).
  const WorkTick* tick = nullptr;

  double UnitsPerCmX() const;
  double UnitsPerCmY() const;
};

/// "-  page N [row R, column C]  -" in MS Gothic 10 pt, black, transparent,
/// centred at half the paper width with its top 0.2 cm below the printable
/// area; the painter's origin is the device's printable corner.
void DrawPageCaption(QPainter& painter, const Settings& settings, const PrintDevice& device, int number,
                     const PageRef& page);

/// Crosses of 2 cm arms with a 5-unit black pen at every page corner (i * W,
/// j * H) of the grid, measured from this sheet's printable corner; the
/// painter's origin is the device's printable corner. A 1 x 1 grid has none.
void DrawAlignmentMarks(QPainter& painter, const Settings& settings, const PrintDevice& device, int columns, int rows);

/// Rebuilds the page list and writes " pN " (MS Gothic 14 pt, blue on an
/// opaque background, centred on its baseline) at the centre of every listed
/// page's printable area, mapped through the pane's view. `screenDpiY` is
/// the screen's vertical resolution (0 takes the painter's device).
void DrawVerificationPageNumbers(QPainter& painter, const Model* model, const Settings& settings, PageLayout& layout,
                                 const DevelopmentView& view, const SheetArea& area, double screenDpiY = 0.0);

}  // namespace plicora
