#pragma once
// The main window: the 3D pane on the left and the development pane on the
// right of a splitter, two toolbars, a status bar, the menus, the recent
// files, dropped files, and the window placement kept in the profile.

#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "core/document/VorlanDoc.h"
#include "core/platform/ProfileFile.h"
#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace plicora {

class CModelView;
class CVorlanzuView;
class ObjectListDialog;
class PartsDock;

/// Entries of the recent-file list.
inline constexpr int kRecentFileCount = 4;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  /// `profilePath` is the profile read now and written when the window closes
  /// (empty: none).
  CMainFrame(CVorlanDoc& doc, std::string profilePath, QWidget* parent = nullptr);
  ~CMainFrame() override;

  /// Shows the window as the profile says (maximised on the first start).
  void ShowAsStored();
  /// The open path of the window: the document's open plus recent files,
  /// title and the lists of dialogs.
  bool OpenWorkFile(const std::string& path);

  CVorlanDoc& doc() { return doc_; }
  CommandRegistry& commands() { return commands_; }
  QAction* action(int id) const;
  CModelView* modelView() const { return modelView_; }
  CVorlanzuView* developmentView() const { return developmentView_; }
  PartsDock* partsDock() const { return partsDock_; }
  QSplitter* splitter() const { return splitter_; }
  const std::vector<std::string>& recentFiles() const { return recentFiles_; }
  /// The text the status bar shows when no command prompt is shown.
  QString IdleStatusText() const;
  /// Refreshes every action's enabled and ticked state and the status text.
  void RefreshCommands();
  /// Opens dropped files one after another, so that the last one stays
  /// loaded; only local files are opened.
  void OpenDroppedFiles(const QList<QUrl>& urls);
  /// Runs a command by id (menus, toolbars, accelerators and tests).
  bool RunCommand(int id);

  /// OpenGL's largest texture side in the panes' implementation.
  int MaxTextureSize();
  /// The 3D pane's width to store: splitter column 0.
  int ModelPaneWidth() const;
  void SetModelPaneWidth(int width);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  /// Draws both panes after a file was opened, under a progress window
  /// when that takes long.
  void PaintFirstPictures(const QString& name);
  /// The sizing rule of the panes for a new client size: the first size
  /// keeps the stored width of the 3D pane, later widths split in half.
  void OnClientResized(const QSize& client);
  void CreatePanes();
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void RestorePlacement();
  void SavePlacement();
  void LoadRecentFiles();
  void AddRecentFile(const std::string& path);
  void RebuildRecentMenu();
  void UpdateTitle();
  /// Adds the actions of a menu, toolbar or popup layout to `container`.
  void AddLayout(QWidget& container, std::span<const LayoutItem> items);
  QAction* LayoutAction(const LayoutItem& item);

  CVorlanDoc& doc_;
  std::string profilePath_;
  ProfileFile profile_;
  bool profileWritable_ = true;
  CommandRegistry commands_;
  FrameServices services_;
  std::vector<std::function<void()>> beforeOpen_;
  FileDialogPlace openPlace_;  ///< the Open dialog's last folder and size
  FileDialogPlace savePlace_;  ///< the Save Development dialog's
  std::map<int, QAction*> actions_;
  /// Second menu texts of commands (command id, action).
  std::vector<std::pair<int, QAction*>> aliases_;
  QSplitter* splitter_ = nullptr;
  CModelView* modelView_ = nullptr;
  CVorlanzuView* developmentView_ = nullptr;
  QToolBar* toolBar1_ = nullptr;
  QToolBar* toolBar2_ = nullptr;
  QLabel* statusText_ = nullptr;
  QLabel* progressText_ = nullptr;  ///< "12 of 142 parts built"
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  std::vector<QAction*> recentActions_;
  std::vector<std::string> recentFiles_;
  QPointer<ObjectListDialog> objectList_;
  PartsDock* partsDock_ = nullptr;
  int storedModelWidth_ = 0;
  bool created_ = false;
  bool firstSizePending_ = true;
  int lastClientWidth_ = 0;
  int showCommand_ = 3;
  int viewId_ = 0;
  int maxTextureSize_ = 0;

  friend void RegisterShellCommands(CMainFrame& frame);
};

/// The frame's own commands: files, views, toggles, modes, help and About.
void RegisterShellCommands(CMainFrame& frame);

}  // namespace plicora
