#include "gui/app/Application.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "core/document/VorlanDoc.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MessageBoxSink.h"
#include "gui/app/SplashScreen.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

constexpr int kMinimumScreenDepth = 16;

bool HasEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool HasDisplay() {
  return HasEnvironment("QT_QPA_PLATFORM") || HasEnvironment("DISPLAY") || HasEnvironment("WAYLAND_DISPLAY");
}

int RunWindow(int argc, char** argv, const WindowOptions& options) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plicora Viewer"));
  QApplication::setOrganizationName(QStringLiteral("plicora-viewer"));
  QApplication::setDesktopFileName(QStringLiteral("plicora-viewer"));
  InstallFontSubstitutions();
  MessageBoxSink sink;
  ScopedMessageSink scope(sink);
  if (QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->depth() < kMinimumScreenDepth) {
    ShowMessage("Screen must be High Color (16 bit) or greater", MessageKind::Error);
    return 1;
  }
  CVorlanDoc doc(CurrentSettings());
  CMainFrame frame(doc, options.profilePath);
  sink.SetOwner(&frame);
  frame.ShowAsStored();
  if (options.splash) ShowSplash(&frame);
  if (!options.path.empty()) {
    const std::string path = options.path;
    QTimer::singleShot(0, &frame, [&frame, path] { frame.OpenWorkFile(path); });
  }
  return app.exec();
}

}  // namespace plicora
