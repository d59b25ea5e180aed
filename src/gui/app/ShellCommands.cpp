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
#include "gui/app/MainFrame.h"
#include "gui/app/ObjectListDialog.h"
#include "gui/app/SplashScreen.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/development/DevelopmentPane.h"

namespace plicora {
namespace {

constexpr const char* kHomepage = "https://plicora-viewer.example.org/";

/// The editing mode that needs the flaps shown.
constexpr int kEditFlapMode = 3;

void OpenCommand(CMainFrame& frame) {
  const Settings& settings = frame.doc().settings();
  QString folder;
  const std::string samples = SampleFolder();
  if (settings.bFirstStartUp && !frame.doc().model() && !samples.empty()) folder = QString::fromStdString(samples);
  const QString path = QFileDialog::getOpenFileName(&frame, QStringLiteral("Open"), folder,
                                                    QStringLiteral("Plicora Designer File (*.plc)"));
  if (!path.isEmpty()) frame.OpenWorkFile(path.toStdString());
}

void HelpCommand() {
  const std::string help = HelpFilePath();
  if (help.empty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(help))))
    ShowMessage("Cannot find help file", MessageKind::Error);
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

  r.Add(ID_FILE_OPEN, [&frame] { OpenCommand(frame); });
  r.Add(ID_APP_EXIT, [&frame] { frame.close(); });
  r.Add(ID_RESET_VIEW, [&doc] { doc.UpdateAllViews(HINT_RESET_VIEW); });
  r.Add(ID_SHOW_PAGE_NUMBER, [&doc, redraw] {
    doc.showPageNumbers = !doc.showPageNumbers;
    redraw();
  });
  r.Add(ID_ZOOM_IN, [&doc] { doc.UpdateAllViews(HINT_ZOOM_IN); });
  r.Add(ID_ZOOM_OUT, [&doc] { doc.UpdateAllViews(HINT_ZOOM_OUT); });
  r.Add(ID_SHOW_ENTIRE, [&frame] { frame.developmentView()->engine().ShowEntire(); });
  r.Add(ID_SPLIT_WINDOW, [&frame] { frame.SetModelPaneWidth(frame.splitter()->width() / 2); });
  r.Add(ID_SHOW_ONLY_DEVELOPMENT, [&frame] { frame.SetModelPaneWidth(0); });
  r.Add(ID_HELP_CONTENTS, HelpCommand);
  r.Add(ID_HOMEPAGE, [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomepage))); });
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
