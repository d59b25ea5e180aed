// The window at a large model:
// 1. opening a work file in the main window until both panes have painted,
//    against opening the same file the way --info does (the document's open
//    path without a window), in the same run;
// 2. one fast-pan step of the development pane (the cached picture moved)
//    against a full render of the pane;
// 3. one pan step of the development pane with the default settings (the
//    picture follows the drag: the strips that come into view are drawn)
//    against a full render of the pane, zoomed in so that the development
//    fills it: the median step of a drag there and back.
//
// usage: window_bench FILE.plc

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/document/UpdateHints.h"
#include "core/document/VorlanDoc.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "gui/app/MainFrame.h"
#include "gui/development/VorlanzuView.h"
#include "gui/view3d/ModelView.h"
#include "render/platform/FontResolution.h"

using namespace plicora;

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// Opens the file as the batch commands do; a bench without its file ends.
void OpenOrExit(CVorlanDoc& doc, const char* path) {
  OpenRequest request;
  request.path = path;
  request.interactive = false;
  if (!doc.OpenWorkFile(request).ok()) std::exit(1);
}

double OpenWithoutWindow(const char* path) {
  Settings settings;
  CVorlanDoc doc(settings);
  OpenRequest request;
  request.path = path;
  request.interactive = false;
  const auto start = std::chrono::steady_clock::now();
  if (!doc.OpenWorkFile(request).ok()) std::exit(1);
  return Seconds(start);
}

double OpenInWindow(const char* path) {
  Settings settings;
  CVorlanDoc doc(settings);
  CMainFrame frame(doc, std::string());
  frame.resize(1600, 1000);
  frame.show();
  QApplication::processEvents();
  const auto start = std::chrono::steady_clock::now();
  if (!frame.OpenWorkFile(path)) std::exit(1);
  const double opened = Seconds(start);
  frame.modelView()->repaint();
  const double model = Seconds(start);
  frame.developmentView()->repaint();
  const double total = Seconds(start);
  std::printf("  window: open %.3f s, 3D pane %.3f s, development pane %.3f s\n", opened, model - opened,
              total - model);
  return total;
}

/// Seconds of a full render and of one fast-pan step of the pane.
std::pair<double, double> PanStep(const char* path) {
  Settings settings;
  settings.bRenderAllGL = false;
  CVorlanDoc doc(settings);
  OpenOrExit(doc, path);
  DevelopmentPaneEngine engine(doc);
  engine.Resize(1200, 900);
  engine.Render();
  QImage window(1200, 900, QImage::Format_RGB32);
  auto start = std::chrono::steady_clock::now();
  engine.OnUpdate(0);
  engine.Render();
  const double full = Seconds(start);
  engine.MousePress(MouseButton::Right, 600, 450, PointerState{.right = true});
  start = std::chrono::steady_clock::now();
  engine.MouseMove(620, 460, PointerState{.right = true});
  engine.Render();
  {
    QPainter painter(&window);
    engine.Compose(painter);
  }
  const double step = Seconds(start);
  engine.MouseRelease(MouseButton::Right, 620, 460, PointerState{});
  return {full, step};
}

struct PanTimes {
  double full = 0.0;  ///< a full render of the pane
  double step = 0.0;  ///< the median step of the drag
  double mean = 0.0;  ///< the mean step, counting those that render in full
};

PanTimes DefaultPanStep(const char* path) {
  Settings settings;
  CVorlanDoc doc(settings);
  OpenOrExit(doc, path);
  DevelopmentPaneEngine engine(doc);
  engine.Resize(1200, 900);
  for (int i = 0; i < 4; ++i) engine.OnUpdate(HINT_ZOOM_IN);
  engine.Render();
  QImage window(1200, 900, QImage::Format_RGB32);
  PanTimes times;
  auto start = std::chrono::steady_clock::now();
  engine.Render();  // with "Render All" every paint renders in full
  times.full = Seconds(start);
  std::vector<double> steps;
  int x = 600, y = 450;
  engine.MousePress(MouseButton::Right, x, y, PointerState{.right = true});
  for (int i = 0; i < 60; ++i) {
    x += i < 30 ? 20 : -20;
    y += i < 30 ? 10 : -10;
    start = std::chrono::steady_clock::now();
    engine.MouseMove(x, y, PointerState{.right = true});
    engine.Render();
    {
      QPainter painter(&window);
      engine.Compose(painter);
    }
    steps.push_back(Seconds(start));
  }
  engine.MouseRelease(MouseButton::Right, x, y, PointerState{});
  for (double t : steps) times.mean += t / static_cast<double>(steps.size());
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2), steps.end());
  times.step = steps[steps.size() / 2];
  return times;
}

double Best(int runs, double (*f)(const char*), const char* path) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) best = std::min(best, f(path));
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_bench FILE.plc\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  const char* path = argv[1];
  const double info = Best(2, OpenWithoutWindow, path);
  const double window = Best(2, OpenInWindow, path);
  std::printf("open without window: %.3f s, in the window until both panes painted: %.3f s\n", info, window);
  std::printf("window open: ratio %.2f (goal <= 1.5)\n", window / info);
  double full = 1e30, step = 1e30;
  for (int i = 0; i < 3; ++i) {
    const auto [f, s] = PanStep(path);
    full = std::min(full, f);
    step = std::min(step, s);
  }
  std::printf("full render of the pane: %.4f s, one fast-pan step: %.5f s\n", full, step);
  std::printf("fast pan: ratio %.4f (goal <= 0.05)\n", step / full);
  PanTimes pan{1e30, 1e30, 1e30};
  for (int i = 0; i < 3; ++i) {
    const PanTimes t = DefaultPanStep(path);
    pan.full = std::min(pan.full, t.full);
    pan.step = std::min(pan.step, t.step);
    pan.mean = std::min(pan.mean, t.mean);
  }
  std::printf("full render of the zoomed pane: %.4f s, pan step with default settings: median %.5f s, mean %.5f s\n",
              pan.full, pan.step, pan.mean);
  std::printf("pan: ratio %.4f (goal <= 0.05)\n", pan.step / pan.full);
  return 0;
}
