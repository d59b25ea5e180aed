#include "render/export/PdfExport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <new>

#include "core/development/PartExtents.h"
#include "core/export/ExportFile.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/development/PrintPage.h"
#include "render/development/ScaleGaugeDrawing.h"
#include "render/export/ExportFileDevice.h"
#include "render/platform/FastDeflate.h"

namespace plicora {

namespace {

// Prints the pages into `out`; false when a raster step failed.
bool WritePdf(QIODevice& out, const Model& model, const Settings& settings, const WorkTick* tick) {
  PageLayout layout;
  UpdatePageGrid(&model, settings, layout);
  PartExtentsCache extents;
  BuildPageList(&model, settings, layout, &extents.Get(model));

  const FastDeflate fast;
  QPdfWriter pdf(&out);
  SetUpPdfSheet(pdf, settings);

  RasterGeometryCache geometry;
  PrintDevice device;
  device.geometry = &geometry;
  device.extents = &extents;
  DevelopmentOutlineCache outlines;
  device.outlines = &outlines;
  const RememberingTick ticks(tick);
  device.tick = ticks.get();
  device.dpiX = device.dpiY = pdf.resolution();
  device.physicalWidth = pdf.width();
  device.physicalHeight = pdf.height();
  bool ok = true;
  {
    QPainter painter(&pdf);
    const int count = static_cast<int>(layout.pages.size());
    for (int n = 1; n <= count && !ticks.stopped(); ++n) {
      if (n > 1) pdf.newPage();
      ok = PrintOnePage(painter, model, settings, layout, n, device) && ok;
    }
  }
  return ok && !ticks.stopped();
}

}  // namespace

void SetUpPdfSheet(QPdfWriter& pdf, const Settings& settings) {
  pdf.setResolution(kPdfResolution);
  pdf.setCreator(QStringLiteral("Plicora Viewer"));
  const QPageSize paper(QSizeF(settings.paperWidth * 10.0, settings.paperHeight * 10.0), QPageSize::Millimeter,
                        QString(), QPageSize::ExactMatch);
  pdf.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

bool ExportPdf(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick) {
  try {
    // The pages go to the file as they are finished.
    ExportFileDevice file(path);
    if (!file.failed() && !WritePdf(file, model, settings, tick)) return false;  // the file is not kept
    return file.Finish();
  } catch (const std::bad_alloc&) {
    return ReportExportOutOfMemory(path);
  }
}

}  // namespace plicora
