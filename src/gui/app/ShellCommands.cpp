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
#include "gui/development/DevelopmentPane.h"

namespace plicora {
namespace {

constexpr const char* kHomepage = "https://plicora-viewer.example.org/";

/// The development edit modes that only switch the mode in this viewer.
constexpr std::pair<int, int> kModeCommands[] = {
    {ID_ERASE_EDGE, 1},  {ID_UNDO_ERASE_EDGE, 2}, {ID_EDIT_FLAP, 3},
    {ID_ROTATE_PART, 4}, {ID_MOVE_PART, 5},       {ID_JOIN_SURFACE, 6},
    {ID_CUT_PART, 7},    {ID_INPUT_TEXT, 8},      {ID_CHECK_CORRESPONDING_SURFACE, kCheckCorrespondingSurfaceMode},
};
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
  auto model = [&doc] { return doc.model() != nullptr; };
  auto dev = [&doc] { return doc.model() != nullptr && doc.hasDevelopment(); };
  auto noDev = [&doc] { return doc.model() != nullptr && !doc.hasDevelopment(); };
  auto always = std::function<bool()>();
  auto redraw = [&doc] { doc.UpdateAllViews(HINT_NONE); };
  // A switch flips one setting and redraws both panes.
  auto toggle = [&](int id, bool Settings::*flag, std::function<bool()> enabled) {
    r.Add(id, Command{[&settings, flag, redraw] {
                        settings.*flag = !(settings.*flag);
                        redraw();
                      },
                      std::move(enabled), [&settings, flag] { return settings.*flag; }});
  };

  r.Add(ID_FILE_OPEN, Command{[&frame] { OpenCommand(frame); }, always, nullptr});
  r.Add(ID_APP_EXIT, Command{[&frame] { frame.close(); }, always, nullptr});
  toggle(ID_ENHANCE_CUT_EDGE, &Settings::bEnhanceCutEdgeOpen, model);
  r.Add(ID_RESET_VIEW, Command{[&doc] { doc.UpdateAllViews(HINT_RESET_VIEW); }, model, nullptr});
  toggle(ID_SHOW_JOIN_NUMBER, &Settings::bDrawNumber, dev);
  r.Add(ID_SHOW_PAGE_NUMBER, Command{[&doc, redraw] {
                                       doc.showPageNumbers = !doc.showPageNumbers;
                                       redraw();
                                     },
                                     dev, [&doc] { return doc.showPageNumbers; }});
  toggle(ID_SMOOTH_LINE, &Settings::bLineSmooth, dev);
  r.Add(ID_ZOOM_IN, Command{[&doc] { doc.UpdateAllViews(HINT_ZOOM_IN); }, dev, nullptr});
  r.Add(ID_ZOOM_OUT, Command{[&doc] { doc.UpdateAllViews(HINT_ZOOM_OUT); }, dev, nullptr});
  r.Add(ID_SHOW_ENTIRE, Command{[&frame] { frame.developmentView()->engine().ShowEntire(); }, dev, nullptr});
  toggle(ID_USE_MATERIAL, &Settings::bUseMaterial, model);
  toggle(ID_SHOW_TEXTURE, &Settings::bUseMaterial, always);
  toggle(ID_SHOW_FLAP, &Settings::bDrawFlap, dev);
  r.Add(ID_SPLIT_WINDOW,
        Command{[&frame] { frame.SetModelPaneWidth(frame.splitter()->width() / 2); }, always, nullptr});
  r.Add(ID_SHOW_ONLY_DEVELOPMENT, Command{[&frame] { frame.SetModelPaneWidth(0); }, always, nullptr});
  r.Add(ID_HELP_CONTENTS, Command{HelpCommand, always, nullptr});
  r.Add(ID_HOMEPAGE, Command{[] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomepage))); }, always, nullptr});
  r.Add(ID_APP_ABOUT, Command{[&frame] { ShowAboutBox(&frame); }, always, nullptr});
  r.Add(ID_SCALE_UP, Command{[&doc] { doc.UpdateAllViews(HINT_SCALE_UP); }, dev, nullptr});
  r.Add(ID_SCALE_DOWN, Command{[&doc] { doc.UpdateAllViews(HINT_SCALE_DOWN); }, dev, nullptr});
  r.Add(ID_MIRROR_DEVELOPMENT, Command{[&doc] {
                                         MirrorDevelopment(*doc.model());
                                         doc.UpdateAllViews(HINT_MIRROR);
                                       },
                                       dev, nullptr});
  r.Add(ID_REVERSE_SURFACE, Command{[&doc, redraw] {
                                      ReverseSurfaceDirection(*doc.model());
                                      redraw();
                                    },
                                    noDev, nullptr});
  r.Add(ID_RESET_EDGE_ATTRIBUTE, Command{[&doc, redraw] {
                                           ResetEdgeAttributes(*doc.model());
                                           doc.SetModifiedFlag();
                                           redraw();
                                         },
                                         noDev, nullptr});
  r.Add(ID_HIDE_SURFACE, Command{[&doc, redraw] {
                                   doc.shell().edgeOnly = !doc.shell().edgeOnly;
                                   redraw();
                                 },
                                 model, [&doc] { return doc.shell().edgeOnly; }});
  // Laying out parts belongs to the designer, not to this viewer.
  r.Add(ID_RECALCULATE_LAYOUT, Command{nullptr, dev, nullptr});
  r.Add(ID_SHOW_OBJECT_LIST, Command{[&frame] {
                                       if (!frame.objectList_)
                                         frame.objectList_ = new ObjectListDialog(frame.doc(), &frame);
                                       frame.objectList_->Refill();
                                       frame.objectList_->show();
                                       frame.objectList_->raise();
                                     },
                                     noDev, nullptr});

  for (const auto& [id, mode] : kModeCommands) {
    r.Add(id, Command{[&frame, &doc, &settings, redraw, mode] {
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
                      },
                      dev, [&doc, mode] { return doc.shell().developmentEditMode == mode; }});
  }
  for (const auto& [id, mode] :
       {std::pair{ID_SPECIFY_CUT_EDGE, kSpecifyCutEdgeMode}, std::pair{ID_SPECIFY_KEEP_EDGE, kSpecifyKeepEdgeMode}}) {
    r.Add(id, Command{[&doc, mode] {
                        int& current = doc.shell().edgeSpecifyMode;
                        current = current == mode ? 0 : mode;
                      },
                      noDev, [&doc, mode] { return doc.shell().edgeSpecifyMode == mode; }});
  }
}

}  // namespace plicora
