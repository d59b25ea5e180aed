#include "render/export/PrintAndCut.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
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
#include "render/development/ScaleGaugeDrawing.h"
#include "render/export/CutSheet.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/DxfExport.h"
#include "render/export/PdfExport.h"
#include "render/platform/FastDeflate.h"

namespace plicora {
namespace {

// A sheet exactly as the paper table gives it, drawn at the PDF export's
// resolution with its origin at the paper's corner.
PrintDevice SheetDevice(const Settings& settings, DevelopmentOutlineCache& outlines) {
  PrintDevice device;
  device.outlines = &outlines;
  device.dpiX = device.dpiY = kPdfResolution;
  device.physicalWidth = settings.paperWidth * 10.0 / kMmPerInch * kPdfResolution;
  device.physicalHeight = settings.paperHeight * 10.0 / kMmPerInch * kPdfResolution;
  return device;
}

void DrawMarks(QPainter& painter, const std::vector<MarkShape>& marks) {
  const double k = kPdfResolution / kMmPerInch;
  painter.save();
  for (const MarkShape& mark : marks) {
    QPainterPath path;
    for (std::size_t i = 0; i < mark.points.size(); ++i) {
      const QPointF p(mark.points[i].x * k, mark.points[i].y * k);
      if (i == 0)
        path.moveTo(p);
      else
        path.lineTo(p);
    }
    if (mark.filled || mark.closed) path.closeSubpath();
    if (mark.filled) {
      painter.fillPath(path, Qt::black);
    } else {
      painter.strokePath(path, QPen(Qt::black, mark.lineWidthMm * k, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    }
  }
  painter.restore();
}

std::optional<QByteArray> PdfSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number,
                                   const std::vector<MarkShape>& marks, DevelopmentOutlineCache& outlines) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const FastDeflate fast;
  QPdfWriter pdf(&buffer);
  SetUpPdfSheet(pdf, settings);
  bool ok = true;
  {
    QPainter painter(&pdf);
    ok = PrintOnePage(painter, model, settings, layout, number, SheetDevice(settings, outlines));
    DrawMarks(painter, marks);
  }
  if (!ok) return std::nullopt;
  return bytes;
}

// The printed sheet as an SVG drawing, for the cut file's PRINT layer.
QByteArray SvgSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number,
                    DevelopmentOutlineCache& outlines) {
  const PrintDevice device = SheetDevice(settings, outlines);
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
                const CutSheet& sheet, const std::string& path, PrintAndCutFormat format, ExportFileSet& files,
                DevelopmentOutlineCache& outlines) {
  switch (format) {
    case PrintAndCutFormat::Pdf: {
      const std::optional<QByteArray> bytes = PdfSheet(model, settings, layout, number, sheet.registration, outlines);
      return bytes && files.Add(path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    }
    case PrintAndCutFormat::CutterSvg: {
      const std::string title = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
      return files.Add(path, CutterSvgText(sheet, SvgSheet(model, settings, layout, number, outlines),
                                           kMmPerInch / kPdfResolution, title));
    }
    case PrintAndCutFormat::Dxf: {
      const std::optional<std::string> text = RenderDxf(sheet);
      return text && files.Add(path, *text);
    }
  }
  return false;
}

// A length to a tenth of a millimetre, without a trailing ".0".
std::string Millimetres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string out = text;
  if (out.size() > 2 && out.compare(out.size() - 2, 2, ".0") == 0) out.resize(out.size() - 2);
  return out;
}

std::string Hundredths(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// What keeps a sheet from being cut with its marks: a cut too near a mark,
// or, for a frame-reading machine, cuts spread wider than it cuts. Empty
// when the sheet is fine.
std::string SheetProblems(const Settings& settings, const CutSheet& sheet, int number) {
  const std::string name = "Sheet " + std::to_string(number) + ": ";
  std::string problems;
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  std::size_t reported = static_cast<std::size_t>(-1);
  for (const CutPath& cut : sheet.cuts) {
    for (const Point2& p : cut.points) {
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    const double distance = DistanceToMarks(sheet.registration, cut.points);
    if (distance < kMarkClearanceMm && cut.part != reported) {
      reported = cut.part;
      problems += name + "the cut of part " + std::to_string(cut.part + 1) + " comes " + Hundredths(distance) +
                  " mm from a registration mark, nearer than " + Millimetres(kMarkClearanceMm) +
                  " mm; widen the page margins or move the part.\n";
    }
  }
  if (RegistrationPresetOf(settings) == RegistrationPreset::Frame && x1 >= x0) {
    const CutAreaLimit limit = FrameCutAreaLimit(settings);
    if (!FitsCutAreaLimit(x1 - x0, y1 - y0, limit)) {
      problems += name + "its cut area of " + Millimetres(x1 - x0) + " x " + Millimetres(y1 - y0) +
                  " mm does not fit the print-then-cut limit of " + Millimetres(limit.widthMm) + " x " +
                  Millimetres(limit.heightMm) + " mm of a frame-reading machine.\n";
    }
  }
  return problems;
}

}  // namespace

std::string PrintAndCutPagePath(const std::string& folder, const std::string& stem, int number,
                                PrintAndCutFormat format) {
  char suffix[32];
  const char* extension = format == PrintAndCutFormat::Pdf   ? ".pdf"
                          : format == PrintAndCutFormat::Dxf ? ".dxf"
                                                             : ".svg";
  std::snprintf(suffix, sizeof suffix, "-%02d%s", number, extension);
  return (std::filesystem::path(folder) / (stem + suffix)).string();
}

bool ExportPrintAndCutPages(const Model& model, const Settings& settings, const std::string& folder,
                            const std::string& stem, PrintAndCutFormat format) {
  const double margin = RegistrationMarginNeededMm(settings);
  if (std::min(settings.dPageMarginSide, settings.dPageMarginTop) * 10.0 < margin) {
    const int preset = static_cast<int>(RegistrationPresetOf(settings));
    ShowMessage("The page margins are too narrow for the " + std::string(kRegistrationPresetNames[preset]) +
                    " registration marks: at least " + Millimetres(margin) + " mm are needed on every side.",
                MessageKind::Error);
    return false;
  }
  Settings sheetSettings = settings;
  sheetSettings.bPrintTombo = false;
  // The page caption sits where a frame runs along the bottom margin.
  if (RegistrationPresetOf(settings) == RegistrationPreset::Frame) sheetSettings.bPrintPageNumber = false;
  PageLayout layout;
  UpdatePageGrid(&model, sheetSettings, layout);
  BuildPageList(&model, sheetSettings, layout);
  const int count = static_cast<int>(layout.pages.size());
  std::vector<CutSheet> sheets;
  std::string problems;
  for (int n = 1; n <= count; ++n) {
    sheets.push_back(PageCutSheet(model, sheetSettings, layout, n));
    problems += SheetProblems(sheetSettings, sheets.back(), n);
  }
  if (!problems.empty()) {
    problems.pop_back();
    ShowMessage(problems, MessageKind::Error);
    return false;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    ShowMessage(ExportFailureMessage(kCannotWriteToFile, folder, error.value()), MessageKind::Error);
    return false;
  }
  // The sheets replace those of an earlier run only as a whole set: a set
  // mixing old and new sheets would cut the wrong shapes.
  ExportFileSet files;
  DevelopmentOutlineCache outlines;
  for (int n = 1; n <= count; ++n) {
    const std::string path = PrintAndCutPagePath(folder, stem, n, format);
    if (!WriteSheet(model, sheetSettings, layout, n, sheets[static_cast<std::size_t>(n - 1)], path, format, files,
                    outlines))
      return false;
  }
  return files.Publish();
}

}  // namespace plicora
