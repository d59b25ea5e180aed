#pragma once
// A print run of the development on a QPrinter (a real queue, a PDF file or
// the preview): which pages of the page list the printer's range chooses,
// the printer's paper from the paper setting, and the run itself, one page
// routine call per chosen page.

#include <QPrinter>
#include <functional>
#include <vector>

#include "core/development/Pages.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "render/development/PageDrawing.h"

namespace plicora {

/// The sheet device of a printer (or its preview): resolution, the offsets
/// of its printable area from the paper's corner and the paper's size, in
/// device units. A painter on the printer has its origin at the printable
/// corner unless the printer prints the full page, where the offsets are 0.
PrintDevice MakePrintDevice(const QPrinter& printer, bool preview);

/// The page numbers (from 1), in print order, of the sheets to print from a
/// list of `count` pages: the printer's page range (cut at the list's end)
/// in its page order, repeated, collated or not, for the copies the printer
/// cannot make itself (a PDF file).
std::vector<int> SheetsToPrint(const QPrinter& printer, int count);

/// Sets the printer's paper to the paper of the paper setting (a sheet wider
/// than high as a landscape page).
void SetPrinterPaper(QPrinter& printer, const Settings& settings);

enum class PrintOutcome {
  Printed,
  NotStarted,  ///< the printer (or its output file) could not be opened
  Failed,      ///< a raster step failed (its message was shown)
  Cancelled,
};

struct PrintRun {
  std::vector<int> sheets;  ///< page numbers (from 1) in print order
  bool preview = false;
  /// Called before each sheet with the sheets done so far; false cancels.
  std::function<bool(int done)> progress;
  /// Called often while a sheet is drawn; false cancels (see WorkTick).
  WorkTick tick;
  /// Cancels the development pane's mode (the raster path does).
  std::function<void()> cancelPaneMode;
};

/// Prints the run's sheets on `printer` (already set up, not yet painted on)
/// at the printer's resolution and physical offsets. A cancelled run aborts
/// the printer's job; after a failed raster step the other pages are still
/// printed.
PrintOutcome PrintDevelopmentPages(QPrinter& printer, const Model& model, const Settings& settings,
                                   const PageLayout& layout, const PrintRun& run);

}  // namespace plicora
