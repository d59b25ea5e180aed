#include "gui/development/PrintJob.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>

#include "core/development/PartExtents.h"
#include "gui/development/HeldPrintJob.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/development/PrintPage.h"
#include "render/development/ScaleGaugeDrawing.h"
#include "render/platform/FastDeflate.h"

namespace plicora {

PrintDevice MakePrintDevice(const QPrinter& printer, bool preview) {
  PrintDevice device;
  device.dpiX = printer.logicalDpiX();
  device.dpiY = printer.logicalDpiY();
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  if (!printer.fullPage()) {
    device.offsetX = page.left() - paper.left();
    device.offsetY = page.top() - paper.top();
  }
  device.physicalWidth = paper.width();
  device.physicalHeight = paper.height();
  device.preview = preview;
  return device;
}

std::vector<int> SheetsToPrint(const QPrinter& printer, int count) {
  int first = 1, last = count;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = printer.fromPage();
    last = std::min(count, std::max(first, printer.toPage()));
  }
  std::vector<int> pages;
  for (int n = first; n <= last; ++n) pages.push_back(n);
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());

  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  std::vector<int> sheets;
  if (printer.collateCopies()) {
    for (int copy = 0; copy < copies; ++copy) sheets.insert(sheets.end(), pages.begin(), pages.end());
  } else {
    for (const int n : pages) sheets.insert(sheets.end(), static_cast<std::size_t>(copies), n);
  }
  return sheets;
}

void SetPrinterPaper(QPrinter& printer, const Settings& settings) {
  // Printers know their papers upright; a wide sheet is an upright paper
  // turned to landscape.
  const double w = settings.paperWidth * 10.0, h = settings.paperHeight * 10.0;
  const bool landscape = w > h;
  const QPageSize paper(landscape ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Millimeter, QString(),
                        QPageSize::FuzzyMatch);
  printer.setPageSize(paper);
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PrintOutcome PrintDevelopmentPages(QPrinter& printer, const Model& model, const Settings& settings,
                                   const PageLayout& layout, const PrintRun& run) {
  const FastDeflate fast;  // a printer on this system is sent PDF
  // A print reaches its file or queue only once every sheet is drawn: a
  // cancelled one must not leave half a job behind.
  HeldPrintJob held;
  if (!run.preview && !held.Hold(printer)) return PrintOutcome::NotStarted;
  QPainter painter;
  if (!painter.begin(&printer)) return PrintOutcome::NotStarted;
  RasterGeometryCache geometry;
  PartExtentsCache extents;
  PrintDevice device = MakePrintDevice(printer, run.preview);
  device.geometry = &geometry;
  device.extents = &extents;
  DevelopmentOutlineCache outlines;
  device.outlines = &outlines;
  // A tick that says stop ends the drawing of the sheet and the run.
  const RememberingTick tick(run.tick ? &run.tick : nullptr);
  device.tick = tick.get();
  bool ok = true;
  int done = 0;
  for (const int number : run.sheets) {
    if (tick.stopped() || (run.progress && !run.progress(done))) {
      // A preview keeps the sheets it recorded: aborting its device would
      // free the pictures the preview goes on to show.
      if (!run.preview) printer.abort();
      painter.end();
      held.Discard();
      return PrintOutcome::Cancelled;
    }
    if (done > 0) printer.newPage();
    ok = PrintOnePage(painter, model, settings, layout, number, device, run.cancelPaneMode) && ok;
    ++done;
  }
  if (tick.stopped() || (run.progress && !run.progress(done))) {
    painter.end();
    held.Discard();
    return PrintOutcome::Cancelled;
  }
  painter.end();
  if (!run.preview && !held.Release()) return PrintOutcome::NotStarted;
  return ok ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace plicora
