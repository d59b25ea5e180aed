// Repeated work in one window must not grow the process: each round opens
// the next of several work files of different sizes, shows the print
// preview and closes it, and copies the development to the clipboard as a
// picture and as a metafile. Resident memory is read after every round; the
// growth counts from the end of the first pass over the files, when each
// size has been met once.
//
// usage: memory_bench ROUNDS FILE.plc...

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/document/VorlanDoc.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "gui/app/MainFrame.h"
#include "gui/commands/CommandIds.h"
#include "render/platform/FontResolution.h"

using namespace plicora;

namespace {

double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

/// Runs a command that opens a modal window, which is accepted (a dialog)
/// or closed (the preview) as soon as it shows.
void RunAnswering(CMainFrame& frame, int id) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !modal->inherits("QPrintPreviewDialog"))
      dialog->accept();
    else
      modal->close();
  });
  answer.start(50);
  frame.RunCommand(id);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: memory_bench ROUNDS FILE.plc...\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  const int rounds = std::atoi(argv[1]);
  const int files = argc - 2;
  Settings& settings = CurrentSettings();
  CVorlanDoc doc(settings);
  CMainFrame frame(doc, std::string());
  frame.resize(1200, 800);
  frame.show();
  QApplication::processEvents();
  double first = 0.0, last = 0.0;
  for (int round = 0; round < rounds; ++round) {
    const char* path = argv[2 + round % files];
    if (!frame.OpenWorkFile(path)) {
      std::fprintf(stderr, "cannot open %s\n", path);
      return 1;
    }
    QApplication::processEvents();
    RunAnswering(frame, ID_FILE_PRINT_PREVIEW);
    RunAnswering(frame, ID_COPY_DEVELOPMENT_BMP);
    RunAnswering(frame, ID_COPY_DEVELOPMENT_EMF);
    QApplication::processEvents();
    last = ResidentMb();
    if (round == files - 1) first = last;
    if (round % 10 == 9 || round == files - 1) std::printf("round %3d: %.1f MB\n", round + 1, last);
  }
  std::printf("memory growth: %.0f MB over %d rounds (goal <= 10)\n", last - first, rounds);
  return 0;
}
