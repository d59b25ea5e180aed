#include "export/SaveDevelopment.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "export/DevelopmentFileFormat.h"
#include "export/DevelopmentPicture.h"
#include "export/MetafileExport.h"
#include "export/PdfExport.h"
#include "export/SvgExport.h"
#include "platform/AtomicFileWriter.h"
#include "platform/MessageSink.h"
#include "platform/WaitCursor.h"

namespace plicora {

const char* const kSaveDevelopmentFilter =
    "BMP Format (*.bmp);;EPS Format (No Texture) (*.eps);;EMF Format (No Texture) (*.emf);;"
    "PNG Format (*.png);;SVG Format (No Texture) (*.svg);;PDF Format (Printed Pages) (*.pdf)";

namespace {

using FileWriter = std::function<bool(const std::string& path)>;

/// Runs `write` on a temporary file and renames it to `path`. When the
/// temporary file could not be made or renamed (the writer reported nothing
/// itself), `failureMessage` is shown.
bool WriteThroughTemporary(const std::string& path, const FileWriter& write, const char* failureMessage) {
  bool writerFailed = false;
  const bool ok = WriteFileThrough(path, [&](const std::string& temporary) {
    writerFailed = !write(temporary);
    return !writerFailed;
  });
  if (!ok && !writerFailed) ShowMessage(failureMessage, MessageKind::Error);
  return ok;
}

bool SavePicture(const std::string& path, PictureFormat format, const Model& model, const Settings& settings,
                 const SaveDevelopmentContext& context) {
  const BitmapExtent extent = DevelopmentBitmapExtent(model);
  const std::optional<BitmapSize> size = context.questions.bitmapSize(extent, kMaxFileBitmapEdge);
  if (!size) return false;
  const double pixelsPerCm = BitmapPixelsPerCm(extent, size->width);
  WaitCursor wait;
  const bool ok = WriteThroughTemporary(
      path,
      [&](const std::string& file) {
        return WriteDevelopmentPicture(model, settings, file, format, size->width, size->height, pixelsPerCm,
                                       context.cancelPaneMode);
      },
      "write error");
  if (!ok) ShowMessage("Failed to create BMP", MessageKind::Error);
  return ok;
}

bool SaveEps(const std::string& path, const Model& model, const Settings& settings, const SaveDevelopmentContext& context) {
  EpsOptions local;
  EpsOptions& options = context.epsOptions ? *context.epsOptions : local;
  if (!context.questions.epsOptions(EpsTextNotice(model), options)) return false;
  return WriteThroughTemporary(
      path, [&](const std::string& file) { return SaveEpsFile(file, model, settings, options); },
      "Cannot write to file");
}

bool SaveVector(const std::string& path, const FileWriter& write) {
  WaitCursor wait;
  return WriteThroughTemporary(path, write, "Cannot write to file");
}

}  // namespace

bool SaveDevelopmentAs(const std::string& path, const Model& model, const Settings& settings,
                       const SaveDevelopmentContext& context) {
  switch (DevelopmentFileFormatOf(path)) {
    case DevelopmentFileFormat::Bmp:
      return SavePicture(path, PictureFormat::Bmp, model, settings, context);
    case DevelopmentFileFormat::Png:
      return SavePicture(path, PictureFormat::Png, model, settings, context);
    case DevelopmentFileFormat::Eps:
      return SaveEps(path, model, settings, context);
    case DevelopmentFileFormat::Emf:
      return SaveVector(
          path, [&](const std::string& file) { return ExportMetafile(model, settings, file, MetafileReferenceDpi()); });
    case DevelopmentFileFormat::Svg:
      return SaveVector(path, [&](const std::string& file) { return ExportSvg(model, settings, file); });
    case DevelopmentFileFormat::Pdf:
      return SaveVector(path, [&](const std::string& file) { return ExportPdf(model, settings, file); });
    case DevelopmentFileFormat::Unsupported:
      break;
  }
  ShowMessage("Specified file format is not supported", MessageKind::Error);
  return false;
}

void SaveDevelopment(QWidget* owner, const Model& model, const Settings& settings, const SaveDevelopmentContext& context) {
  if (!model.hasDevelopment) return;
  const QFileInfo workFile(QString::fromStdString(model.path));
  QFileDialog dialog(owner, QStringLiteral("Save Development"), workFile.dir().filePath(workFile.completeBaseName()),
                     QString::fromLatin1(kSaveDevelopmentFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  // A name typed without extension takes the one of the chosen filter.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveDevelopmentAs(dialog.selectedFiles().constFirst().toStdString(), model, settings, context);
}

}  // namespace plicora
