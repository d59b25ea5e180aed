#include "render/export/PrintAndCut.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "core/development/Pages.h"
#include "core/export/ExportFile.h"
#include "core/model/Units.h"
#include "core/platform/MessageSink.h"
#include "render/development/PrintPage.h"
#include "render/export/CutSheet.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/PdfExport.h"
#include "render/platform/FastDeflate.h"

namespace plicora {
namespace {

// A sheet exactly as the paper table gives it, drawn at the PDF export's
// resolution with its origin at the paper's corner.
PrintDevice SheetDevice(const Settings& settings) {
  PrintDevice device;
  device.dpiX = device.dpiY = kPdfResolution;
  device.physicalWidth = settings.paperWidth * 10.0 / kMmPerInch * kPdfResolution;
  device.physicalHeight = settings.paperHeight * 10.0 / kMmPerInch * kPdfResolution;
  return device;
}

void DrawMarks(QPainter& painter, const std::vector<MarkRect>& marks) {
  const double k = kPdfResolution / kMmPerInch;
  for (const MarkRect& r : marks) painter.fillRect(QRectF(r.x * k, r.y * k, r.width * k, r.height * k), Qt::black);
}

std::optional<QByteArray> PdfSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number,
                                   const std::vector<MarkRect>& marks) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const FastDeflate fast;
  QPdfWriter pdf(&buffer);
  SetUpPdfSheet(pdf, settings);
  bool ok = true;
  {
    QPainter painter(&pdf);
    ok = PrintOnePage(painter, model, settings, layout, number, SheetDevice(settings));
    DrawMarks(painter, marks);
  }
  if (!ok) return std::nullopt;
  return bytes;
}

// The printed sheet as an SVG drawing, for the cut file's PRINT layer.
QByteArray SvgSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number) {
  const PrintDevice device = SheetDevice(settings);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setResolution(kPdfResolution);
  const QSize size(static_cast<int>(std::ceil(device.physicalWidth)),
                   static_cast<int>(std::ceil(device.physicalHeight)));
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  // The caption stays on the printed sheet: this drawing is clipped to the
  // printable area.
  Settings drawing = settings;
  drawing.bPrintPageNumber = false;
  {
    QPainter painter(&svg);
    PrintOnePage(painter, model, drawing, layout, number, device);
  }
  return bytes;
}

bool WriteSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number,
                const std::string& path, PrintAndCutFormat format, ExportFileSet& files) {
  if (format == PrintAndCutFormat::Pdf) {
    const std::optional<QByteArray> bytes = PdfSheet(model, settings, layout, number, RegistrationMarksOf(settings));
    return bytes && files.Add(path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
  }
  const std::string title = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
  const std::string text = CutterSvgText(PageCutSheet(model, settings, layout, number),
                                         SvgSheet(model, settings, layout, number), kMmPerInch / kPdfResolution, title);
  return files.Add(path, text);
}

}  // namespace

std::string PrintAndCutPagePath(const std::string& folder, const std::string& stem, int number,
                                PrintAndCutFormat format) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "-%02d%s", number, format == PrintAndCutFormat::Pdf ? ".pdf" : ".svg");
  return (std::filesystem::path(folder) / (stem + suffix)).string();
}

bool ExportPrintAndCutPages(const Model& model, const Settings& settings, const std::string& folder,
                            const std::string& stem, PrintAndCutFormat format) {
  if (RegistrationMarksOf(settings).empty()) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "The page margins are too narrow for registration marks: at least %g mm are needed on every side.",
                  kMinimumRegistrationMarginMm);
    ShowMessage(text, MessageKind::Error);
    return false;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    ShowMessage(ExportFailureMessage("Cannot write to file", folder, error.value()), MessageKind::Error);
    return false;
  }
  Settings sheetSettings = settings;
  sheetSettings.bPrintTombo = false;
  PageLayout layout;
  UpdatePageGrid(&model, sheetSettings, layout);
  BuildPageList(&model, sheetSettings, layout);
  // The sheets replace those of an earlier run only as a whole set: a set
  // mixing old and new sheets would cut the wrong shapes.
  ExportFileSet files;
  for (int n = 1; n <= static_cast<int>(layout.pages.size()); ++n) {
    if (!WriteSheet(model, sheetSettings, layout, n, PrintAndCutPagePath(folder, stem, n, format), format, files))
      return false;
  }
  return files.Publish();
}

}  // namespace plicora
