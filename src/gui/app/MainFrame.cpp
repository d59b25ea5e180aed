#include "gui/app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <optional>

#include "core/development/DevelopmentGeometry.h"
#include "core/document/BuildProgressStore.h"
#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "core/platform/AtomicFileWriter.h"
#include "core/platform/FreedMemory.h"
#include "core/platform/InstalledFonts.h"
#include "core/platform/MessageSink.h"
#include "core/platform/ProfileLocation.h"
#include "gui/app/BuildCommands.h"
#include "gui/app/DialogCommands.h"
#include "gui/app/ObjectListDialog.h"
#include "gui/app/OpenGlDescription.h"
#include "gui/app/PartsDock.h"
#include "gui/app/PrintCommands.h"
#include "gui/app/ToolbarIcons.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"
#include "gui/development/VorlanzuView.h"
#include "gui/platform/WorkProgress.h"
#include "gui/view3d/ModelView.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

constexpr const char* kWindowSection = "Window";
constexpr int kPassingStatusMs = 8000;  // how long a passing status message stays
constexpr int kOpenProgressSteps = 100;
// A model of this many faces takes about half a second or more to draw the
// first time; how often its first picture looks whether the 3D pane's faces
// are ready (milliseconds).
constexpr std::size_t kFacesDrawnSlowly = 250000;
constexpr int kPreparedLookEvery = 10;
constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kControlBarsSection = "ControlBars\\State";
constexpr const char* kControlBarsKey = "QtState";
constexpr const char* kOpenDialogName = "open";
constexpr const char* kSaveDialogName = "saveDevelopment";
constexpr int kShowMaximized = 3;
constexpr int kShowMinimized = 2;
constexpr int kShowNormal = 1;
/// Resizes this soon after the window was shown still belong to showing it
/// (a window manager maximises in several steps): they keep the stored split.
constexpr int kStartupSettleMs = 600;

const char* const kNavigationText =
    "ModelView [Rot] R [Mov] Ctrl+R, WheelDrag [Zoom] Shift+R, Wheel / DevelopedView [Mov] Ctrl+R, WheelDrag "
    "[Zoom] Shift+R, Wheel";
const char* const kCheckModeText = "Click the face to see the corresponding between 3D and developed model.";

std::string RecentKey(int n) {
  return "File" + std::to_string(n);
}

}  // namespace

CMainFrame::CMainFrame(CVorlanDoc& doc, std::string profilePath, QWidget* parent)
    : QMainWindow(parent), doc_(doc), profilePath_(std::move(profilePath)) {
  setObjectName(QStringLiteral("MainFrame"));
  setAcceptDrops(true);
  // A save that was killed half-way leaves its temporary file beside the
  // profile; the profile itself is whole either way.
  if (!profilePath_.empty()) RemoveStaleTemporaries(profilePath_);
  if (!profilePath_.empty() && profile_.Load(profilePath_) == ProfileFile::LoadResult::Failed) {
    // A profile that exists but cannot be read is never overwritten.
    profileWritable_ = false;
  }
  LoadSettings(doc_.settings(), profile_);
  // The parts marked built are kept beside the profile, never in the work file.
  doc_.SetBuildProgressFolder(BuildProgressFolder(profilePath_));
  LoadRecentFiles();
  openPlace_.Load(profile_, kOpenDialogName);
  savePlace_.Load(profile_, kSaveDialogName);

  CreatePanes();
  services_.window = this;
  services_.doc = &doc_;
  services_.cancelPaneMode = [this] {
    doc_.CancelDevelopmentMode();
    RefreshCommands();
  };
  services_.showStatus = [this](const QString& text) { statusBar()->showMessage(text, kPassingStatusMs); };
  services_.previewSize = [this] {
    return QSize(profile_.GetInt(kWindowSection, "previewWidth").value_or(0),
                 profile_.GetInt(kWindowSection, "previewHeight").value_or(0));
  };
  services_.keepPreviewSize = [this](QSize size) {
    profile_.SetInt(kWindowSection, "previewWidth", size.width());
    profile_.SetInt(kWindowSection, "previewHeight", size.height());
  };
  services_.beforeOpen = &beforeOpen_;
  services_.savePlace = &savePlace_;
  services_.glDescription = DescribeOffscreenGl;
  RegisterShellCommands(*this);
  RegisterDialogCommands(commands_, services_);
  RegisterPrintCommands(commands_, services_);
  RegisterBuildCommands(commands_, services_);
  CreateActions();
  CreateMenus();
  CreateToolBars();
  // F10 takes the keyboard to the menu bar, as in other desktop programs.
  auto* menuBarKey = new QAction(this);
  menuBarKey->setShortcut(Qt::Key_F10);
  connect(menuBarKey, &QAction::triggered, this, [this] {
    if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().first());
  });
  addAction(menuBarKey);
  // Escape takes the join highlight and the chosen part away.
  auto* clearHighlight = new QAction(this);
  clearHighlight->setObjectName(QStringLiteral("clearJoinHighlight"));
  clearHighlight->setShortcut(Qt::Key_Escape);
  connect(clearHighlight, &QAction::triggered, this, [this] {
    doc_.ClearJoinHighlight();
    if (doc_.SelectedPart() >= 0) doc_.SelectPart(-1);
  });
  addAction(clearHighlight);
  statusText_ = new QLabel(this);
  statusBar()->addWidget(statusText_, 1);
  progressText_ = new QLabel(this);
  progressText_->setObjectName(QStringLiteral("buildProgress"));
  statusBar()->addPermanentWidget(progressText_);

  doc_.onBeforeOpen = [this] {
    for (const auto& hook : beforeOpen_) hook();
  };
  doc_.onOpened = [this](const std::string& path) {
    AddRecentFile(path);
    UpdateTitle();
    if (objectList_) objectList_->Refill();
  };
  viewId_ = doc_.AddView([this](int hint) {
    RefreshCommands();
    if (hint == HINT_JOIN_END_SHOWN) ShowJoinStatus(services_);
    if (hint == HINT_FACE_JOINS_SHOWN) ShowFaceJoinsStatus(services_);
    if (hint == HINT_PART_SELECTED) ShowPartStatus(services_);
  });
  RestorePlacement();
  UpdateTitle();
  RefreshCommands();
}

CMainFrame::~CMainFrame() {
  doc_.RemoveView(viewId_);
  doc_.onBeforeOpen = nullptr;
  doc_.onOpened = nullptr;
}

void CMainFrame::CreatePanes() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("PaneSplitter"));
  splitter_->setChildrenCollapsible(true);
  modelView_ = new CModelView(doc_, splitter_);
  developmentView_ = new CVorlanzuView(doc_, splitter_);
  modelView_->setMinimumWidth(0);
  developmentView_->setMinimumWidth(0);
  splitter_->addWidget(modelView_);
  splitter_->addWidget(developmentView_);
  splitter_->setCollapsible(0, true);
  splitter_->setCollapsible(1, true);
  setCentralWidget(splitter_);
  splitter_->installEventFilter(this);
  // The part list starts hidden; the stored window state shows it again.
  partsDock_ = new PartsDock(doc_, this);
  addDockWidget(Qt::RightDockWidgetArea, partsDock_);
  partsDock_->hide();
  connect(partsDock_, &QDockWidget::visibilityChanged, this, [this] { RefreshCommands(); });
  modelView_->showContextMenu = [this](const QPoint& global) {
    QMenu menu(this);
    AddLayout(menu, ModelPanePopupLayout());
    menu.exec(global);
  };
}

QAction* CMainFrame::action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  for (const CommandRow& row : CommandRows()) {
    auto* act = new QAction(QString::fromUtf8(row.menu), this);
    act->setObjectName(QStringLiteral("command%1").arg(row.id));
    act->setData(row.id);
    if (*row.shortcut) act->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
    act->setStatusTip(QString::fromStdString(PromptStatus(row)));
    act->setToolTip(QString::fromStdString(PromptTooltip(row)));
    act->setCheckable(row.tick.kind != TickRule::Kind::None);
    // The desktop's icon theme first; our own drawing where it has none.
    act->setIcon(*row.icon ? QIcon::fromTheme(QString::fromUtf8(row.icon), ToolbarIcon(row.id)) : ToolbarIcon(row.id));
    act->setIconVisibleInMenu(false);
    connect(act, &QAction::triggered, this, [this, id = row.id] { RunCommand(id); });
    addAction(act);  // accelerators work wherever the focus is
    actions_[row.id] = act;
  }
}

QAction* CMainFrame::LayoutAction(const LayoutItem& item) {
  QAction* act = action(item.id);
  if (!act || !item.text) return act;
  // The same command under a second text: an action of its own that follows
  // the command's state.
  auto* alias = new QAction(QString::fromUtf8(item.text), this);
  alias->setStatusTip(act->statusTip());
  connect(alias, &QAction::triggered, this, [this, id = item.id] { RunCommand(id); });
  aliases_.emplace_back(item.id, alias);
  return alias;
}

void CMainFrame::AddLayout(QWidget& container, std::span<const LayoutItem> items) {
  for (const LayoutItem& item : items) {
    if (item.id == 0) {
      auto* separator = new QAction(&container);
      separator->setSeparator(true);
      container.addAction(separator);
    } else if (QAction* act = LayoutAction(item)) {
      container.addAction(act);
    }
  }
}

void CMainFrame::CreateMenus() {
  std::map<std::string, QMenu*> menus;
  for (const MenuLayout& layout : MenuLayouts()) {
    const std::string title = layout.title;
    const auto slash = title.rfind('/');
    QMenu* menu = nullptr;
    if (slash == std::string::npos) {
      menu = menuBar()->addMenu(QString::fromStdString(title));
    } else {
      menu = menus.at(title.substr(0, slash))->addMenu(QString::fromStdString(title.substr(slash + 1)));
    }
    menus[title] = menu;
    AddLayout(*menu, layout.items);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
  }
  // The recent files come right before the File menu's last item, Exit.
  fileMenu_ = menus.at(MenuLayouts().front().title);
  QAction* exit = fileMenu_->actions().back();
  recentSeparator_ = fileMenu_->insertSeparator(exit);
  for (int i = 0; i < kRecentFileCount; ++i) {
    auto* act = new QAction(this);
    act->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    connect(act, &QAction::triggered, this, [this, i] {
      if (i < static_cast<int>(recentFiles_.size())) OpenWorkFile(recentFiles_[i]);
    });
    recentActions_.push_back(act);
    fileMenu_->insertAction(exit, act);
  }
  fileMenu_->insertSeparator(exit);
  RebuildRecentMenu();
}

void CMainFrame::CreateToolBars() {
  auto make = [this](const char* name, std::span<const LayoutItem> items) {
    QToolBar* bar = addToolBar(QString::fromUtf8(name));
    bar->setObjectName(QString::fromUtf8(name));
    bar->setIconSize(QSize(24, 24));
    bar->setMovable(true);
    bar->setFloatable(true);
    AddLayout(*bar, items);
    return bar;
  };
  toolBar1_ = make("Toolbar 1", ToolBar1Layout());
  toolBar2_ = make("Toolbar 2", ToolBar2Layout());  // docked on the same row, right of the first
}

bool CMainFrame::RunCommand(int id) {
  const bool ran = commands_.Run(id, CommandStateOf(doc_));
  RefreshCommands();
  ReleaseFreedMemory();
  return ran;
}

void CMainFrame::RefreshCommands() {
  CommandState state = CommandStateOf(doc_);
  state.partsListShown = partsDock_ && !partsDock_->isHidden();
  for (const auto& [id, act] : actions_) {
    act->setEnabled(commands_.IsEnabled(id, state));
    if (act->isCheckable()) act->setChecked(commands_.IsChecked(id, state));
  }
  for (const auto& [id, alias] : aliases_) alias->setEnabled(commands_.IsEnabled(id, state));
  if (statusText_) statusText_->setText(IdleStatusText());
  if (progressText_) progressText_->setText(BuildProgressText(doc_));
}

QString CMainFrame::IdleStatusText() const {
  if (!doc_.model()) return {};
  const ViewShellState& shell = doc_.shell();
  if (doc_.hasDevelopment()) {
    if (shell.developmentEditMode == 0) return QString::fromUtf8(kNavigationText);
    if (shell.developmentEditMode == kCheckCorrespondingSurfaceMode) return QString::fromUtf8(kCheckModeText);
    return {};
  }
  return shell.edgeSpecifyMode == 0 ? QString::fromUtf8(kNavigationText) : QString();
}

bool CMainFrame::OpenWorkFile(const std::string& path) {
  OpenRequest request;
  request.path = path;
  request.fontAvailable = [](const std::string& face) { return IsFontFaceInstalled(face); };
  request.maxTextureSize = MaxTextureSize();
  // Reading a large file takes seconds: a progress window can stop it. It
  // closes once the file is read, before the messages about it.
  const QString name = QFileInfo(QString::fromStdString(path)).fileName();
  std::optional<WorkProgress> progress(std::in_place, this, QStringLiteral("Opening %1...").arg(name),
                                       kOpenProgressSteps);
  request.progress = [&progress](double done) {
    if (!progress) return true;
    const bool goOn = progress->ReachShare(done);
    if (done >= 1.0) progress.reset();
    return goOn;
  };
  const OpenStatus status = doc_.OpenWorkFile(request).status;
  progress.reset();
  RefreshCommands();
  if (status == OpenStatus::Stopped) services_.showStatus(QStringLiteral("Opening the file was cancelled."));
  if (status == OpenStatus::Opened) PaintFirstPictures(name);
  ReleaseFreedMemory();
  return status == OpenStatus::Opened;
}

// The panes' first pictures of a large model take a while too: the 3D
// pane's faces are gathered on another core while the development pane
// draws here, under a progress window. Cancel stops the gathering and
// leaves the file open; the 3D pane then gathers its faces when it paints.
void CMainFrame::PaintFirstPictures(const QString& name) {
  const Model* model = doc_.model();
  std::size_t faces = 0;
  for (const Solid& solid : model->solids) faces += solid.faces.size();
  ModelViewEngine& engine = modelView_->engine();
  engine.PrepareFrame();
  // The progress window shows before the development pane's first picture,
  // which is drawn without a break.
  developmentView_->HoldPicture(true);
  WorkProgress progress(this, QStringLiteral("Drawing %1...").arg(name), 2);
  if (faces >= kFacesDrawnSlowly) progress.ShowNow();
  developmentView_->HoldPicture(false);
  developmentView_->repaint();
  bool goOn = progress.Reach(1);
  while (goOn && engine.preparing()) {
    QThread::msleep(kPreparedLookEvery);
    goOn = progress.Tick();
  }
  if (!goOn) {
    engine.StopPreparing();
    modelView_->update();
    return;
  }
  modelView_->repaint();
  progress.Reach(2);
}

int CMainFrame::MaxTextureSize() {
  if (maxTextureSize_ == 0) maxTextureSize_ = modelView_->engine().MaxTextureSize();
  if (maxTextureSize_ == 0) {
    // The 3D pane has not been shown yet: ask a context of our own.
    if (auto context = OffscreenGlContext::Create(1, 1)) maxTextureSize_ = context->MaxTextureSize();
  }
  return maxTextureSize_;
}

void CMainFrame::UpdateTitle() {
  const QString program = QStringLiteral("Plicora Viewer");
  setWindowTitle(doc_.title().empty() ? program
                                      : QString::fromStdString(doc_.title()) + QStringLiteral(" - ") + program);
}

void CMainFrame::LoadRecentFiles() {
  recentFiles_.clear();
  for (int n = 1; n <= kRecentFileCount; ++n)
    if (auto path = profile_.GetString(kRecentSection, RecentKey(n)); path && !path->empty())
      recentFiles_.push_back(*path);
}

void CMainFrame::AddRecentFile(const std::string& opened) {
  const std::string path = QFileInfo(QString::fromStdString(opened)).absoluteFilePath().toStdString();
  std::erase(recentFiles_, path);
  recentFiles_.insert(recentFiles_.begin(), path);
  if (recentFiles_.size() > static_cast<std::size_t>(kRecentFileCount)) recentFiles_.resize(kRecentFileCount);
  RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* act = recentActions_[i];
    const bool used = i < static_cast<int>(recentFiles_.size());
    act->setVisible(used);
    if (used) act->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(recentFiles_[i])));
  }
  recentSeparator_->setVisible(!recentFiles_.empty());
}

int CMainFrame::ModelPaneWidth() const {
  return splitter_->sizes().value(0);
}

void CMainFrame::SetModelPaneWidth(int width) {
  const int total = std::max(splitter_->width() - splitter_->handleWidth(), 0);
  width = std::clamp(width, 0, total);
  splitter_->setSizes({width, total - width});
}

void CMainFrame::RestorePlacement() {
  const int left = profile_.GetInt(kWindowSection, "left").value_or(0);
  const int top = profile_.GetInt(kWindowSection, "top").value_or(0);
  const int right = profile_.GetInt(kWindowSection, "right").value_or(0);
  const int bottom = profile_.GetInt(kWindowSection, "bottom").value_or(0);
  const QRect screen =
      QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect(0, 0, 1280, 800);
  if (right > left && bottom > top) {
    setGeometry(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
  } else {
    resize(screen.width() * 3 / 4, screen.height() * 3 / 4);
  }
  storedModelWidth_ = profile_.GetInt(kWindowSection, "modelWidth").value_or(screen.width() / 2);
  showCommand_ = profile_.GetInt(kWindowSection, "show").value_or(kShowMaximized);
  if (auto state = profile_.GetString(kControlBarsSection, kControlBarsKey))
    restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
  SetModelPaneWidth(storedModelWidth_);
}

void CMainFrame::ShowAsStored() {
  if (showCommand_ == kShowMaximized) {
    showMaximized();
  } else if (showCommand_ == kShowMinimized) {
    showMinimized();
  } else {
    show();
  }
  created_ = true;
  QTimer::singleShot(kStartupSettleMs, this, [this] { firstSizePending_ = false; });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // The splitter lays out its panes after this filter: the rule applies after it.
  if (watched == splitter_ && event->type() == QEvent::Resize)
    QMetaObject::invokeMethod(
        this, [this] { OnClientResized(splitter_->size()); }, Qt::QueuedConnection);
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnClientResized(const QSize& client) {
  if (client.width() == 0 || client.height() == 0) return;
  if (created_ && !firstSizePending_ && client.width() != lastClientWidth_) {
    // Every later change of the width splits the window in half again.
    SetModelPaneWidth(client.width() / 2);
  } else if (firstSizePending_) {
    SetModelPaneWidth(storedModelWidth_);
  }
  lastClientWidth_ = client.width();
}

void CMainFrame::SavePlacement() {
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  profile_.SetInt(kWindowSection, "left", normal.left());
  profile_.SetInt(kWindowSection, "top", normal.top());
  profile_.SetInt(kWindowSection, "right", normal.right() + 1);
  profile_.SetInt(kWindowSection, "bottom", normal.bottom() + 1);
  profile_.SetInt(kWindowSection, "show",
                  isMaximized() ? kShowMaximized : (isMinimized() ? kShowMinimized : kShowNormal));
  profile_.SetInt(kWindowSection, "modelWidth", ModelPaneWidth());
  for (int n = 1; n <= kRecentFileCount; ++n)
    profile_.SetString(kRecentSection, RecentKey(n),
                       n <= static_cast<int>(recentFiles_.size()) ? recentFiles_[n - 1] : std::string());
  profile_.SetString(kControlBarsSection, kControlBarsKey, saveState().toBase64().toStdString());
  openPlace_.Save(profile_, kOpenDialogName);
  savePlace_.Save(profile_, kSaveDialogName);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  SaveSettings(doc_.settings(), profile_);
  SavePlacement();
  if (!profilePath_.empty() && profileWritable_) {
    std::string error;
    if (!EnsureProfileFolder(profilePath_) || !profile_.Save(profilePath_, &error))
      ShowMessage("Cannot save the settings to " + profilePath_ + (error.empty() ? "" : ": " + error),
                  MessageKind::Warning);
  }
  if (objectList_) objectList_->close();
  doc_.CloseDocument();
  doc_.UpdateAllViews(HINT_NONE);
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  const QList<QUrl> urls = event->mimeData()->urls();
  // Opening shows message boxes: not while the drag source waits for the drop.
  QTimer::singleShot(0, this, [this, urls] { OpenDroppedFiles(urls); });
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
  for (const QUrl& url : urls)
    if (url.isLocalFile()) OpenWorkFile(url.toLocalFile().toStdString());
}

}  // namespace plicora
