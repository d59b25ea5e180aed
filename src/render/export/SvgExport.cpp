#include "render/export/SvgExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <cmath>
#include <new>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/ExportFile.h"
#include "core/model/Units.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentVectorRenderer.h"
#include "render/development/TextLabelRenderer.h"
#include "render/export/ExportFileDevice.h"
#include "render/export/SvgPaintDevice.h"

namespace plicora {

namespace {

// Whole user units covering a length: at least 1, at most 2^30 (any larger
// or undefined extent comes from a broken file).
int UnitsOf(double length) {
  constexpr double kMaxUnits = 1073741824.0;
  if (!(length > 1.0)) return 1;
  return static_cast<int>(std::min(std::ceil(length), kMaxUnits));
}
}  // namespace

bool WriteSvg(QIODevice& out, const Model& model, const Settings& settings, const WorkTick* tick) {
  const DevelopmentBounds box = PictureBoundsOf(model, settings);
  const double ppcm = kSvgUnitsPerInch * kInchPerCm;
  const double scale = ppcm * model.devScale;  // user units per development unit
  // Whole user units, so that the millimetre size and the view box describe
  // exactly the same scale.
  const QSize size(UnitsOf(box.width * scale), UnitsOf(box.height * scale));
  // The work file's name (not its folders), escaped for XML.
  const QString title = QFileInfo(QString::fromStdString(model.path)).fileName().toHtmlEscaped();
  SvgPaintDevice svg(out, size, static_cast<int>(kSvgUnitsPerInch), QRect(QPoint(0, 0), size), title);
  QPainter painter(&svg);
  // The extent's top-left corner at the picture's origin.
  painter.translate(-box.x * scale, -box.y * scale);
  DrawDevelopmentVector(painter, &model, settings, scale, scale, std::nullopt, nullptr, tick);
  TextLabelPlacement labels;
  labels.target = TextLabelTarget::Printer;
  labels.kx = labels.ky = ppcm;
  DrawTextLabels(painter, &model, labels);
  return painter.end();
}

bool ExportSvg(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick) {
  try {
    ExportFileDevice file(path);
    // A file that cannot even be created is reported before the drawing;
    // a stopped drawing is not kept.
    const RememberingTick ticks(tick);
    if (!file.failed()) WriteSvg(file, model, settings, ticks.get());
    if (ticks.stopped()) return false;
    return file.Finish();
  } catch (const std::bad_alloc&) {
    return ReportExportOutOfMemory(path);
  }
}

QByteArray RenderSvg(const Model& model, const Settings& settings, const WorkTick* tick) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const RememberingTick ticks(tick);
  WriteSvg(buffer, model, settings, ticks.get());
  if (ticks.stopped()) return {};
  return bytes;
}

}  // namespace plicora
