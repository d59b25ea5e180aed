#include "gui/export/SaveDevelopment.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/platform/MessageSink.h"
#include "gui/platform/WorkProgress.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/export/DevelopmentPicture.h"
#include "render/platform/WaitCursor.h"

namespace plicora {

namespace {

/// Writes with a progress window that can cancel it (a cancelled save keeps
/// no file), or with a busy cursor when there is no window to own it.
bool WriteWithProgress(const SaveDevelopmentContext& context, DevelopmentExport& request, const Model& model,
                       const Settings& settings) {
  if (!context.progressOwner) {
    WaitCursor wait;
    return WriteDevelopmentFile(model, settings, request);
  }
  WorkProgress progress(context.progressOwner, QStringLiteral("Saving..."), 0);
  const WorkTick tick = progress.AsTick();
  request.tick = &tick;
  return WriteDevelopmentFile(model, settings, request);
}

}  // namespace

bool SaveDevelopmentAs(const std::string& path, const Model& model, const Settings& settings,
                       const SaveDevelopmentContext& context) {
  if (!CheckDevelopmentToDraw(model)) return false;
  DevelopmentExport request;
  request.path = path;
  request.format = DevelopmentFileFormatOf(path);
  if (request.format == DevelopmentFileFormat::Svg && context.cutterSvg)
    request.format = DevelopmentFileFormat::CutterSvg;
  request.cancelPaneMode = context.cancelPaneMode;
  const FileFormatRow* row = FindFileFormat(request.format);
  if (!row) return WriteDevelopmentFile(model, settings, request);  // says the format is not supported
  switch (row->question) {
    case FormatQuestion::PictureSize: {
      const BitmapExtent extent = DevelopmentBitmapExtent(model, settings);
      const std::string name = QString::fromLatin1(row->extension).toUpper().toStdString();  // "PNG"
      const std::optional<BitmapSize> size = context.questions.bitmapSize(extent, kMaxFileBitmapEdge, name.c_str());
      if (!size) return false;
      request.pictureSize = *size;
      break;
    }
    case FormatQuestion::EpsFills: {
      EpsOptions local;
      EpsOptions& options = context.epsOptions ? *context.epsOptions : local;
      if (!context.questions.epsOptions(EpsTextNotice(model), options)) return false;
      request.eps = options;
      return WriteDevelopmentFile(model, settings, request);
    }
    case FormatQuestion::None:
      break;
  }
  return WriteWithProgress(context, request, model, settings);
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
                     QString::fromStdString(SaveDialogFilter()));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  // A name typed without extension takes the one of the chosen filter.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
  });
  if (ExecRemembering(dialog, place) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveDevelopmentContext chosen = context;
  chosen.cutterSvg = dialog.selectedNameFilter().toStdString() ==
                     SaveDialogFilterOf(*FindFileFormat(DevelopmentFileFormat::CutterSvg));
  chosen.progressOwner = owner;
  SaveDevelopmentAs(dialog.selectedFiles().constFirst().toStdString(), model, settings, chosen);
}

}  // namespace plicora
