#pragma once
// Where a file dialog was last used and how large it was, kept in the
// profile (section "File Dialogs") so that the Open and the Save Development
// dialogs each reopen in their last folder at their last size.

#include <QSize>
#include <QString>

#include "core/platform/ProfileFile.h"

class QFileDialog;

namespace plicora {

/// A dialog's size when none is remembered: wide enough for the name, size,
/// type and date columns.
inline constexpr QSize kDefaultFileDialogSize{960, 600};

struct FileDialogPlace {
  QString folder;  ///< last folder a file was chosen in; empty: none yet
  QSize size;      ///< last size; invalid: none yet

  /// The remembered folder when it still exists, else `fallback`.
  QString StartFolder(const QString& fallback) const;
  /// Reads and writes the keys "<name>Folder", "<name>Width", "<name>Height".
  void Load(const ProfileFile& profile, const char* name);
  void Save(ProfileFile& profile, const char* name) const;
};

/// Runs the dialog at the remembered size (within the screen); remembers
/// its size, and on acceptance the folder of the chosen file. Returns the
/// dialog's result.
int ExecRemembering(QFileDialog& dialog, FileDialogPlace& place);

}  // namespace plicora
