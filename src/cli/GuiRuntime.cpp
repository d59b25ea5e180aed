#include "cli/GuiRuntime.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

/// Batch runs often have no session (cron, CI, ssh): give Qt a private
/// runtime folder instead of letting it warn on every run.
void EnsureRuntimeDirectory() {
  if (std::getenv("XDG_RUNTIME_DIR")) return;
  const std::string dir = "/tmp/plicora-viewer-runtime-" + std::to_string(getuid());
  struct stat info {};
  if (mkdir(dir.c_str(), 0700) != 0 && (lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
                                        info.st_uid != getuid() || (info.st_mode & 077) != 0))
    return;  // someone else's or unsafe: leave Qt to its own choice
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

}  // namespace

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EnsureRuntimeDirectory();
  static int argc = 1;
  static char name[] = "plicora-viewer";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  InstallFontSubstitutions();
}

}  // namespace plicora
