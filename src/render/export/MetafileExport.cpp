#include "render/export/MetafileExport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <new>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/ExportFile.h"
#include "core/model/Units.h"
#include "core/platform/AtomicFileWriter.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentVectorRenderer.h"
#include "render/export/EmfPaintDevice.h"

namespace plicora {

namespace {

// Draws the development and its labels onto an open metafile.
void DrawMetafile(EmfPaintDevice& device, const Model& model, const Settings& settings, double ppcm,
                  const WorkTick* tick) {
  QPainter painter(&device);
  const double scale = ppcm * model.devScale;
  DrawDevelopmentVector(painter, &model, settings, scale, scale, std::nullopt, nullptr, tick);
  painter.resetTransform();
  WriteMetafileTextLabels(device, model, ppcm);
  painter.end();
}

}  // namespace

double MetafileReferenceDpi() {
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return 96.0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96.0;
  const double dpi = screen->logicalDotsPerInchX();
  return dpi > 0.0 ? dpi : 96.0;
}

void WriteMetafileTextLabels(EmfPaintDevice& device, const Model& model, double ppcm) {
  device.SetBackgroundMode(kEmfTransparent);
  device.SetTextAlign(kEmfTaBaseline);
  const double s = model.devScale;
  for (const TextLabel& label : model.texts) {
    device.SetTextColor(label.color & 0xFFFFFFu);
    EmfFont font;
    font.height = ToEmfCoordinate(std::trunc(label.fontSize * ppcm * kCmPerPoint));
    font.width = 0;
    font.weight = 400;
    font.charSet = 1;
    font.faceName = QString::fromStdString(label.fontName).toStdU16String().substr(0, 31);
    const EmfPoint at{ToEmfCoordinate(std::trunc(label.x * ppcm * s)), ToEmfCoordinate(std::trunc(label.y * ppcm * s))};
    device.TextOut(font, at, QString::fromStdString(label.text));
  }
  device.SetTextColor(0);
}

bool ExportMetafile(const Model& model, const Settings& settings, const std::string& path, double dpi,
                    const WorkTick* tick) {
  try {
    AtomicFileStream file(path);
    EmfPaintDevice device(QString::fromLatin1(kMetafileFileDescription), dpi);
    // A file on disk fills while the metafile is drawn; a pipe or a device
    // gets the finished metafile, as its header cannot be written last.
    if (file.seekable()) {
      device.StreamTo({[&file](std::string_view bytes) { return file.Write(bytes); },
                       [&file](std::uint64_t offset, std::string_view bytes) { return file.WriteAt(offset, bytes); }});
    }
    // A file that cannot even be created is reported before the drawing.
    const RememberingTick ticks(tick);
    if (!file.failed()) DrawMetafile(device, model, settings, dpi * kInchPerCm, ticks.get());
    if (ticks.stopped()) return false;  // the unfinished file is not kept
    if (!device.view().empty()) file.Write(device.view());
    return FinishExportFile(file, path);
  } catch (const std::bad_alloc&) {
    return ReportExportOutOfMemory(path);
  }
}

QByteArray RenderMetafile(const Model& model, const Settings& settings, double dpi, const WorkTick* tick) {
  if (!model.hasDevelopment) return {};
  EmfPaintDevice device(QString::fromLatin1(kMetafileClipboardDescription), dpi);
  const RememberingTick ticks(tick);
  DrawMetafile(device, model, settings, dpi * kInchPerCm, ticks.get());
  if (ticks.stopped()) return {};
  return device.bytes();
}

}  // namespace plicora
