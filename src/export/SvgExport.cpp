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
}  // namespace

bool ExportSvg(Model& model, const Settings& settings, const std::string& path) {
  ComputeDevelopmentBounds(model);
  const double ppcm = kSvgUnitsPerInch * kInchPerCm;
  const double scale = ppcm * model.devScale;  // user units per development unit
  // Whole user units, so that the millimetre size and the view box describe
  // exactly the same scale.
  const QSize size(std::max(1, static_cast<int>(std::ceil(model.devWidth * scale))),
                   std::max(1, static_cast<int>(std::ceil(model.devHeight * scale))));

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
    painter.translate(-model.devX * scale, -model.devY * scale);
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
