// The frame's own commands: opening files, the panes' views and switches,
// the edit modes, help, homepage and About.

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QSplitter>
#include <QUrl>

#include "core/development/DevelopmentGeometry.h"
#include "core/document/UpdateHints.h"
#include "core/model/MeshTopology.h"
#include "core/platform/DataLocation.h"
#include "core/platform/MessageSink.h"
#include "gui/app/HelpWindow.h"
#include "gui/app/MainFrame.h"
#include "gui/app/ObjectListDialog.h"
#include "gui/app/PartsDock.h"
#include "gui/app/SplashScreen.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/development/VorlanzuView.h"
#include "gui/view3d/ModelView.h"

namespace plicora {
namespace {

// The project's page as the build configured it; a placeholder address (or
// none) means the program has no page to open.
const QUrl& Homepage() {
  static const QUrl page = [] {
    const QUrl url(QString::fromUtf8(PLICORA_HOMEPAGE));
    const QString host = url.host().toLower();
    const bool placeholder = host.isEmpty() || host == QLatin1String("example.org") ||
                             host.endsWith(QLatin1String(".example.org")) || host.startsWith(QLatin1String("example."));
    return placeholder || !url.isValid() ? QUrl() : url;
  }();
  return page;
}

/// The editing mode that needs the flaps shown.
constexpr int kEditFlapMode = 3;

void OpenCommand(CMainFrame& frame, FileDialogPlace& place) {
  // The sample folder on the first start; then the folder of the last file
  // opened through this dialog.
  const Settings& settings = frame.doc().settings();
  QString folder;
  const std::string samples = SampleFolder();
  if (settings.bFirstStartUp && !frame.doc().model() && !samples.empty()) folder = QString::fromStdString(samples);
  QFileDialog dialog(&frame, QStringLiteral("Open"), place.StartFolder(folder),
                     QStringLiteral("Plicora Designer File (*.plc)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (ExecRemembering(dialog, place) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  frame.OpenWorkFile(dialog.selectedFiles().constFirst().toStdString());
}

void HelpCommand(CMainFrame& frame) {
  if (!ShowHelpWindow(&frame)) ShowMessage("Cannot find help file", MessageKind::Error);
}

}  // namespace

void RegisterShellCommands(CMainFrame& frame) {
  CommandRegistry& r = frame.commands();
  CVorlanDoc& doc = frame.doc();
  Settings& settings = doc.settings();
  auto redraw = [&doc] { doc.UpdateAllViews(HINT_NONE); };
  // A switch of the table flips its setting and redraws both panes.
  for (const CommandRow& row : CommandRows()) {
    if (row.tick.kind != TickRule::Kind::Setting) continue;
    r.Add(row.id, [&settings, flag = row.tick.flag, redraw] {
      settings.*flag = !(settings.*flag);
      redraw();
    });
  }

  r.Add(ID_FILE_OPEN, [&frame] { OpenCommand(frame, frame.openPlace_); });
  r.Add(ID_APP_EXIT, [&frame] { frame.close(); });
  r.Add(ID_RESET_VIEW, [&doc] { doc.UpdateAllViews(HINT_RESET_VIEW); });
  r.Add(ID_FIT_MODEL, [&frame] { frame.modelView()->engine().FitModel(); });
  r.Add(ID_SHOW_PAGE_NUMBER, [&doc, redraw] {
    doc.showPageNumbers = !doc.showPageNumbers;
    redraw();
  });
  r.Add(ID_ZOOM_IN, [&doc] { doc.UpdateAllViews(HINT_ZOOM_IN); });
  r.Add(ID_ZOOM_OUT, [&doc] { doc.UpdateAllViews(HINT_ZOOM_OUT); });
  r.Add(ID_SHOW_ENTIRE, [&frame] { frame.developmentView()->engine().ShowEntire(); });
  r.Add(ID_SPLIT_WINDOW, [&frame] { frame.SetModelPaneWidth(frame.splitter()->width() / 2); });
  r.Add(ID_SHOW_ONLY_DEVELOPMENT, [&frame] { frame.SetModelPaneWidth(0); });
  r.Add(ID_VIEW_PARTS, [&frame] {
    frame.partsDock_->setVisible(frame.partsDock_->isHidden());
    frame.RefreshCommands();
  });
  r.Add(ID_HELP_CONTENTS, [&frame] { HelpCommand(frame); });
  // Without a configured page the command has no handler, so it is disabled.
  if (!Homepage().isEmpty()) r.Add(ID_HOMEPAGE, [] { QDesktopServices::openUrl(Homepage()); });
  r.Add(ID_APP_ABOUT, [&frame] { ShowAboutBox(&frame); });
  r.Add(ID_SCALE_UP, [&doc] { doc.ScaleDevelopment(kScaleUpFactor); });
  r.Add(ID_SCALE_DOWN, [&doc] { doc.ScaleDevelopment(kScaleDownFactor); });
  r.Add(ID_MIRROR_DEVELOPMENT, [&doc] { doc.MirrorDevelopment(); });
  r.Add(ID_REVERSE_SURFACE, [&doc, redraw] {
    ReverseSurfaceDirection(*doc.model());
    redraw();
  });
  r.Add(ID_RESET_EDGE_ATTRIBUTE, [&doc, redraw] {
    ResetEdgeAttributes(*doc.model());
    doc.SetModifiedFlag();
    redraw();
  });
  r.Add(ID_HIDE_SURFACE, [&doc, redraw] {
    doc.shell().edgeOnly = !doc.shell().edgeOnly;
    redraw();
  });
  r.Add(ID_SHOW_OBJECT_LIST, [&frame] {
    if (!frame.objectList_) frame.objectList_ = new ObjectListDialog(frame.doc(), &frame);
    frame.objectList_->Refill();
    frame.objectList_->show();
    frame.objectList_->raise();
  });

  // The mode commands of the table switch their mode on and off.
  for (const CommandRow& row : CommandRows()) {
    const int mode = row.tick.mode;
    if (row.tick.kind == TickRule::Kind::DevelopmentMode) {
      r.Add(row.id, [&frame, &doc, &settings, redraw, mode] {
        // The pane's interaction in progress ends first.
        frame.developmentView()->engine().CancelInteraction();
        frame.RefreshCommands();
        int& current = doc.shell().developmentEditMode;
        current = current == mode ? 0 : mode;
        if (mode == kEditFlapMode && !settings.bDrawFlap) {
          settings.bDrawFlap = true;
          redraw();
          ShowMessage("Configuration is changed to show flaps.", MessageKind::Information);
        }
        redraw();
      });
    } else if (row.tick.kind == TickRule::Kind::EdgeSpecifyMode) {
      r.Add(row.id, [&doc, mode] {
        int& current = doc.shell().edgeSpecifyMode;
        current = current == mode ? 0 : mode;
      });
    }
  }
}

}  // namespace plicora
