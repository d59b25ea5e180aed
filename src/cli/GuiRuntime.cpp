#include "cli/GuiRuntime.h"

#include <QGuiApplication>
#include <cstdlib>

#include "platform/FontResolution.h"

namespace plicora {

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "plicora-viewer";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  InstallFontSubstitutions();
}

}  // namespace plicora
