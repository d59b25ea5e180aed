#include "gui/widgets/FileDialogPlace.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>

namespace plicora {
namespace {

constexpr const char* kSection = "File Dialogs";

std::string Key(const char* name, const char* what) {
  return std::string(name) + what;
}

}  // namespace

QString FileDialogPlace::StartFolder(const QString& fallback) const {
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

void FileDialogPlace::Load(const ProfileFile& profile, const char* name) {
  folder = QString::fromStdString(profile.GetString(kSection, Key(name, "Folder")).value_or(std::string()));
  const int width = profile.GetInt(kSection, Key(name, "Width")).value_or(0);
  const int height = profile.GetInt(kSection, Key(name, "Height")).value_or(0);
  size = width > 0 && height > 0 ? QSize(width, height) : QSize();
}

void FileDialogPlace::Save(ProfileFile& profile, const char* name) const {
  profile.SetString(kSection, Key(name, "Folder"), folder.toStdString());
  profile.SetInt(kSection, Key(name, "Width"), size.isValid() ? size.width() : 0);
  profile.SetInt(kSection, Key(name, "Height"), size.isValid() ? size.height() : 0);
}

int ExecRemembering(QFileDialog& dialog, FileDialogPlace& place) {
  QSize size = place.size.isValid() ? place.size : kDefaultFileDialogSize;
  if (const QScreen* screen = dialog.parentWidget() ? dialog.parentWidget()->screen() : dialog.screen())
    size = size.boundedTo(screen->availableGeometry().size());
  dialog.resize(size);
  const int result = dialog.exec();
  place.size = dialog.size();
  if (result == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    place.folder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
  return result;
}

}  // namespace plicora
