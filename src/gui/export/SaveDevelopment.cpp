#include "gui/export/SaveDevelopment.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/platform/MessageSink.h"
#include "gui/platform/WorkProgress.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/DevelopmentPicture.h"
#include "render/export/DxfExport.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/SvgExport.h"
#include "render/platform/WaitCursor.h"

namespace plicora {

const char* const kSaveDevelopmentFilter =
    "BMP Format (*.bmp);;EPS Format (No Texture) (*.eps);;EMF Format (No Texture) (*.emf);;"
    "PNG Format (*.png);;SVG Format (No Texture) (*.svg);;PDF Format (Printed Pages) (*.pdf);;"
    "DXF for Cutting Machines (*.dxf);;SVG for Cutting Machines (*.svg)";
const char* const kCutterSvgFilter = "SVG for Cutting Machines (*.svg)";

namespace {

bool SavePicture(const std::string& path, PictureFormat format, const Model& model, const Settings& settings,
                 const SaveDevelopmentContext& context) {
  const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
  const std::optional<BitmapSize> size =
      context.questions.bitmapSize(extent, kMaxFileBitmapEdge, format == PictureFormat::Png ? "PNG" : "BMP");
  if (!size) return false;
  const double pixelsPerCm = BitmapPixelsPerCm(extent, size->width);
  WaitCursor wait;
  const bool ok = WriteDevelopmentPicture(model, settings, path, format, size->width, size->height, pixelsPerCm,
                                          context.cancelPaneMode);
  if (!ok) ShowMessage(PictureFailureMessage(format), MessageKind::Error);
  return ok;
}

bool SaveEps(const std::string& path, const Model& model, const Settings& settings,
             const SaveDevelopmentContext& context) {
  EpsOptions local;
  EpsOptions& options = context.epsOptions ? *context.epsOptions : local;
  if (!context.questions.epsOptions(EpsTextNotice(model), options)) return false;
  return SaveEpsFile(path, model, settings, options);
}

/// A vector format, written with a progress window that can cancel it (a
/// cancelled save keeps no file).
bool SaveVector(const SaveDevelopmentContext& context, const std::function<bool(const WorkTick*)>& write) {
  if (!context.progressOwner) {
    WaitCursor wait;
    return write(nullptr);
  }
  WorkProgress progress(context.progressOwner, QStringLiteral("Saving..."), 0);
  const WorkTick tick = progress.AsTick();
  return write(&tick);
}

}  // namespace

bool SaveDevelopmentAs(const std::string& path, const Model& model, const Settings& settings,
                       const SaveDevelopmentContext& context) {
  if (!CheckDevelopmentToDraw(model)) return false;
  switch (DevelopmentFileFormatOf(path)) {
    case DevelopmentFileFormat::Bmp:
      return SavePicture(path, PictureFormat::Bmp, model, settings, context);
    case DevelopmentFileFormat::Png:
      return SavePicture(path, PictureFormat::Png, model, settings, context);
    case DevelopmentFileFormat::Eps:
      return SaveEps(path, model, settings, context);
    case DevelopmentFileFormat::Emf:
      return SaveVector(context, [&](const WorkTick* tick) {
        return ExportMetafile(model, settings, path, MetafileReferenceDpi(), tick);
      });
    case DevelopmentFileFormat::Svg:
      if (context.cutterSvg)
        return SaveVector(context, [&](const WorkTick*) { return ExportCutterSvg(model, settings, path); });
      return SaveVector(context, [&](const WorkTick* tick) { return ExportSvg(model, settings, path, tick); });
    case DevelopmentFileFormat::Dxf:
      return SaveVector(context, [&](const WorkTick*) { return ExportDxf(model, settings, path); });
    case DevelopmentFileFormat::Pdf:
      return SaveVector(context, [&](const WorkTick* tick) { return ExportPdf(model, settings, path, tick); });
    case DevelopmentFileFormat::Unsupported:
      break;
  }
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return false;
}

void SaveDevelopment(QWidget* owner, const Model& model, const Settings& settings,
                     const SaveDevelopmentContext& context) {
  if (!model.hasDevelopment || !CheckDevelopmentToDraw(model)) return;
  // The dialog opens where the last development was saved, named after the
  // work file; the first time in the work file's folder.
  const QFileInfo workFile(QString::fromStdString(model.path));
  FileDialogPlace unkept;
  FileDialogPlace& place = context.place ? *context.place : unkept;
  const QDir folder(place.StartFolder(workFile.absolutePath()));
  QFileDialog dialog(owner, QStringLiteral("Save Development"), folder.filePath(workFile.completeBaseName()),
                     QString::fromLatin1(kSaveDevelopmentFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  // A name typed without extension takes the one of the chosen filter.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
  });
  if (ExecRemembering(dialog, place) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveDevelopmentContext chosen = context;
  chosen.cutterSvg = dialog.selectedNameFilter() == QLatin1String(kCutterSvgFilter);
  chosen.progressOwner = owner;
  SaveDevelopmentAs(dialog.selectedFiles().constFirst().toStdString(), model, settings, chosen);
}

}  // namespace plicora
