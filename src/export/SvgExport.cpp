#include "export/SvgExport.h"

#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "development/DevelopmentGeometry.h"
#include "development/DevelopmentVectorRenderer.h"
#include "development/TextLabelRenderer.h"
#include "platform/MessageSink.h"

namespace plicora {

namespace {
constexpr double kInchPerCm = 0.39370078740157477;

// Whole user units covering a length: at least 1, at most 2^30 (any larger
// or undefined extent comes from a broken file).
int UnitsOf(double length) {
  constexpr double kMaxUnits = 1073741824.0;
  if (!(length > 1.0)) return 1;
  return static_cast<int>(std::min(std::ceil(length), kMaxUnits));
}
}  // namespace

bool ExportSvg(const Model& model, const Settings& settings, const std::string& path) {
  const DevelopmentBounds box = DevelopmentBoundsOf(model);
  const double ppcm = kSvgUnitsPerInch * kInchPerCm;
  const double scale = ppcm * model.devScale;  // user units per development unit
  // Whole user units, so that the millimetre size and the view box describe
  // exactly the same scale.
  const QSize size(UnitsOf(box.width * scale), UnitsOf(box.height * scale));

  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setResolution(static_cast<int>(kSvgUnitsPerInch));
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QString::fromStdString(model.path));
  {
    QPainter painter(&svg);
    // The extent's top-left corner at the picture's origin.
    painter.translate(-box.x * scale, -box.y * scale);
    DrawDevelopmentVector(painter, &model, settings, scale, scale);
    TextLabelPlacement labels;
    labels.target = TextLabelTarget::Printer;
    labels.kx = labels.ky = ppcm;
    DrawTextLabels(painter, &model, labels);
  }
  const bool ok = file.error() == QFileDevice::NoError && file.flush();
  file.close();
  if (!ok) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace plicora
