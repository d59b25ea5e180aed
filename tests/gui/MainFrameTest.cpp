// The main window on the offscreen platform: opening files, the command
// table's enable and tick rules, clicks in both panes, dropped files, and the
// profile written at close and read at the next start.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "GuiDocumentFixture.h"
#include "TestSupport.h"
#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "core/platform/ProfileFile.h"
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

/// A window with its own settings and profile, messages collected.
struct Window {
  explicit Window(const std::string& profile) : doc(settings), frame(doc, profile) {
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();
  }
  /// Opens a file as File > Open does, then lets the event loop run once,
  /// as it does before a user's next key.
  bool Open(const std::string& path) {
    const bool opened = frame.OpenWorkFile(path);
    QApplication::processEvents();
    return opened;
  }
  CollectingMessageSink sink;
  ScopedMessageSink scope{sink};
  Settings settings;
  CVorlanDoc doc;
  CMainFrame frame;
};

int MarkedFaces(const Model& model) {
  int n = 0;
  for (const Solid& s : model.solids)
    for (const Face& f : s.faces) n += f.marked;
  return n;
}

TEST(MainFrameTest, OpeningSetsTheTitleAndAFailedOpenKeepsTheModel) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  EXPECT_EQ(w.frame.windowTitle(), "Plicora Viewer");
  EXPECT_TRUE(w.frame.IdleStatusText().isEmpty());
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  EXPECT_EQ(w.frame.windowTitle(), "cube.plc - Plicora Viewer");
  const Model* cube = w.doc.model();
  EXPECT_FALSE(w.frame.OpenWorkFile(test::FixturePath("version3_refused.plc")));
  EXPECT_FALSE(w.frame.OpenWorkFile(dir.File("missing.plc")));
  EXPECT_EQ(w.doc.model(), cube);
  EXPECT_EQ(w.frame.windowTitle(), "cube.plc - Plicora Viewer");
  EXPECT_EQ(w.frame.recentFiles(), std::vector<std::string>{test::FixturePath("cube.plc")});
  EXPECT_TRUE(w.frame.IdleStatusText().startsWith("ModelView [Rot] R [Mov] Ctrl+R, WheelDrag"));
}

TEST(MainFrameTest, CommandsAreEnabledAndTickedFromTheDocumentState) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  struct Rule {
    int id;
    bool none, withDevelopment, withoutDevelopment;
  };
  const Rule rules[] = {
      {ID_FILE_OPEN, true, true, true},
      {ID_CHECK_CORRESPONDING_SURFACE, false, true, false},
      {ID_SHOW_JOIN_NUMBER, false, true, false},
      {ID_ZOOM_IN, false, true, false},
      {ID_SHOW_ENTIRE, false, true, false},
      {ID_RESET_VIEW, false, true, true},
      {ID_FIT_MODEL, false, true, true},
      {ID_ENHANCE_CUT_EDGE, false, true, true},
      {ID_USE_MATERIAL, false, true, true},
      {ID_SPECIFY_CUT_EDGE, false, false, true},
      {ID_SPECIFY_KEEP_EDGE, false, false, true},
      {ID_SHOW_OBJECT_LIST, false, false, true},
      {ID_REVERSE_SURFACE, false, false, true},
      {ID_SPLIT_WINDOW, true, true, true},
      {ID_SHOW_TEXTURE, true, true, true},
      {ID_EDIT_FLAP, false, true, false},
      {ID_RECALCULATE_LAYOUT, false, false, false},  // laying out parts is not part of the viewer
  };
  auto check = [&](const char* state, bool Rule::*column) {
    w.frame.RefreshCommands();
    for (const Rule& rule : rules) {
      EXPECT_EQ(w.frame.action(rule.id)->isEnabled(), rule.*column) << state << " command " << rule.id;
      EXPECT_EQ(w.frame.commands().IsEnabled(rule.id, CommandStateOf(w.doc)), rule.*column)
          << state << " command " << rule.id;
    }
  };
  // Every command the window offers runs something, except those that
  // can never be available here; no handler lacks its row.
  for (const CommandRow& row : CommandRows())
    // The Homepage command has a handler only when the build configured a page.
    if (row.id != ID_HOMEPAGE) {
      EXPECT_EQ(w.frame.commands().HasHandler(row.id), row.enable != EnableRule::Never) << "command " << row.id;
    }
  for (const auto& [id, run] : w.frame.commands().handlers()) EXPECT_NE(FindCommandRow(id), nullptr) << id;
  check("no model", &Rule::none);
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  check("development", &Rule::withDevelopment);
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("no_development_marked_edges.plc")));
  check("no development", &Rule::withoutDevelopment);

  // Switches tick while on; a mode command switches its mode on and off again.
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  const bool numbers = w.settings.bDrawNumber;
  w.frame.action(ID_SHOW_JOIN_NUMBER)->trigger();
  EXPECT_EQ(w.settings.bDrawNumber, !numbers);
  EXPECT_EQ(w.frame.action(ID_SHOW_JOIN_NUMBER)->isChecked(), !numbers);
  w.frame.action(ID_CHECK_CORRESPONDING_SURFACE)->trigger();
  EXPECT_EQ(w.doc.shell().developmentEditMode, 9);
  EXPECT_TRUE(w.frame.action(ID_CHECK_CORRESPONDING_SURFACE)->isChecked());
  EXPECT_EQ(w.frame.IdleStatusText(), "Click the face to see the corresponding between 3D and developed model.");
  w.frame.action(ID_CHECK_CORRESPONDING_SURFACE)->trigger();
  EXPECT_EQ(w.doc.shell().developmentEditMode, 0);
  // Every mode command can be chosen from a menu.
  for (int id : {ID_ERASE_EDGE, ID_EDIT_FLAP, ID_INPUT_TEXT, ID_CHECK_CORRESPONDING_SURFACE}) {
    const auto owners = w.frame.action(id)->associatedObjects();
    EXPECT_TRUE(std::any_of(owners.begin(), owners.end(), [](QObject* o) { return qobject_cast<QMenu*>(o); }))
        << "command " << id;
  }
  // Edit Flap turns the flaps on and says so.
  w.settings.bDrawFlap = false;
  w.sink.messages.clear();
  w.frame.RunCommand(ID_EDIT_FLAP);
  EXPECT_EQ(w.doc.shell().developmentEditMode, 3);
  EXPECT_TRUE(w.settings.bDrawFlap);
  EXPECT_EQ(w.sink.messages, std::vector<std::string>{"Configuration is changed to show flaps."});
  EXPECT_TRUE(w.frame.IdleStatusText().isEmpty());
  // Help without its file says so.
  w.sink.messages.clear();
  w.frame.RunCommand(ID_HELP_CONTENTS);
  EXPECT_EQ(w.sink.messages, std::vector<std::string>{"Cannot find help file"});
}

TEST(MainFrameTest, ClicksInEitherPaneMarkTheCorrespondingFaces) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  w.frame.RunCommand(ID_CHECK_CORRESPONDING_SURFACE);
  CVorlanzuView* pane = w.frame.developmentView();
  const Face& face = *w.doc.model()->parts.front().faces.front();
  Point2 c;
  for (const HalfEdge* h : face.ring) {
    c.x += (h->devPos.x + face.part->offsetX) / face.ring.size();
    c.y += (h->devPos.y + face.part->offsetY) / face.ring.size();
  }
  const Point2 at = MapDevelopmentPoint(pane->engine().view(), pane->engine().sheetArea(), w.doc.model()->devScale, c);
  QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(int(at.x), int(at.y)));
  EXPECT_TRUE(face.marked);
  // The 3D pane's centre shows the front of the cube after Reset View.
  CModelView* model = w.frame.modelView();
  QTest::mouseClick(model, Qt::LeftButton, {}, QPoint(model->width() / 2, model->height() / 2));
  EXPECT_EQ(MarkedFaces(*w.doc.model()), 1);  // folds are drawn lines: the face alone
  QTest::mouseClick(model, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(MarkedFaces(*w.doc.model()), 0);
}

TEST(MainFrameTest, DroppedFilesOpenInTurnAndTheLastStays) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  w.frame.OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(test::FixturePath("cube.plc"))),
                            QUrl(QStringLiteral("https://example.org/remote.plc")),
                            QUrl::fromLocalFile(QString::fromStdString(test::FixturePath("labels_arial_ascii.plc")))});
  EXPECT_EQ(w.doc.title(), "labels_arial_ascii.plc");
  EXPECT_EQ(w.frame.recentFiles().size(), 2u);
  EXPECT_EQ(w.frame.recentFiles().front(), test::FixturePath("labels_arial_ascii.plc"));
}

TEST(MainFrameTest, CloseWritesTheProfileThatTheNextStartReads) {
  test::TempDir dir;
  const std::string profile = dir.File("config/plicora-viewer.ini");
  {
    Window first(profile);
    EXPECT_TRUE(first.settings.bFirstStartUp);
    ASSERT_TRUE(first.frame.OpenWorkFile(test::FixturePath("cube.plc")));
    first.settings.bLineSmooth = true;
    first.frame.RunCommand(ID_SHOW_ONLY_DEVELOPMENT);
    EXPECT_EQ(first.frame.ModelPaneWidth(), 0);
    first.frame.close();
  }
  ProfileFile written;
  ASSERT_EQ(written.Load(profile), ProfileFile::LoadResult::Read);
  EXPECT_EQ(written.GetInt("Window", "modelWidth"), 0);
  EXPECT_EQ(written.GetInt("Settings", "bFirstStartUp"), 0);
  EXPECT_EQ(written.GetString("Recent File List", "File1"), test::FixturePath("cube.plc"));
  EXPECT_TRUE(written.HasSection("ControlBars\\State"));
  // A save killed half-way left its temporary file: the next start removes it.
  const std::string stale = test::WriteFile(dir.File("config/.plicora-viewer.ini.Ab12Cd"), "[Win");
  std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
  Window second(profile);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_FALSE(second.settings.bFirstStartUp);
  EXPECT_TRUE(second.settings.bLineSmooth);
  EXPECT_EQ(second.frame.recentFiles(), std::vector<std::string>{test::FixturePath("cube.plc")});
  EXPECT_EQ(second.frame.ModelPaneWidth(), 0);
  second.frame.RunCommand(ID_SPLIT_WINDOW);
  EXPECT_NEAR(second.frame.ModelPaneWidth(), second.frame.splitter()->width() / 2, 4);
  second.frame.RunCommand(ID_SHOW_ONLY_DEVELOPMENT);
  second.frame.close();
}

TEST(MainFrameTest, TheFirstSizeKeepsTheStoredSplitAndLaterWidthsSplitInHalf) {
  test::TempDir dir;
  const std::string profile = dir.File("plicora-viewer.ini");
  test::WriteFile(profile, "[Window]\nleft=10\ntop=10\nright=810\nbottom=610\nshow=1\nmodelWidth=200\n");
  Window w(profile);
  w.frame.ShowAsStored();
  QApplication::processEvents();
  EXPECT_EQ(w.frame.ModelPaneWidth(), 200);
  QTest::qWait(800);  // the window has settled
  w.frame.resize(900, 600);
  QApplication::processEvents();
  EXPECT_NEAR(w.frame.ModelPaneWidth(), w.frame.splitter()->width() / 2, 4);
}

TEST(MainFrameTest, SplashClosesOnAKeyThatGoesNowhereElseOrByItself) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ShowSplash(&w.frame);
  EXPECT_TRUE(IsSplashShown());
  int keys = 0;
  QAction counter(&w.frame);
  counter.setShortcut(QKeySequence(Qt::Key_F5));
  QObject::connect(&counter, &QAction::triggered, [&keys] { ++keys; });
  w.frame.addAction(&counter);
  QTest::keyClick(&w.frame, Qt::Key_F5);
  EXPECT_FALSE(IsSplashShown());
  EXPECT_EQ(keys, 0);
  ShowSplash(&w.frame);
  QTest::qWait(kSplashMilliseconds + 200);
  EXPECT_FALSE(IsSplashShown());
}

TEST(MainFrameTest, ObjectListChoosesObjectsOnlyWithoutDevelopment) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("no_development_marked_edges.plc")));
  w.frame.RunCommand(ID_SHOW_OBJECT_LIST);
  auto* dialog = w.frame.findChild<ObjectListDialog*>();
  ASSERT_NE(dialog, nullptr);
  QListWidget* list = dialog->list();
  ASSERT_EQ(list->count(), 2);
  const QRect first = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());  // deselects the first object
  EXPECT_FALSE(w.doc.model()->solids[0].selected);
  EXPECT_TRUE(w.doc.model()->solids[1].selected);
  // With a development the list only shows the objects.
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  EXPECT_FALSE(w.frame.commands().IsEnabled(ID_SHOW_OBJECT_LIST, CommandStateOf(w.doc)));
  ASSERT_EQ(list->count(), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_TRUE(w.doc.model()->solids[0].selected);
}

TEST(MainFrameTest, KeysReachThePopupMenuAndTheMenuBar) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  std::vector<QPoint> popups;
  w.frame.modelView()->showContextMenu = [&](const QPoint& at) { popups.push_back(at); };
  w.frame.modelView()->resize(200, 100);
  const QPoint centre = w.frame.modelView()->mapToGlobal(QPoint(100, 50));
  // With a development the edge menu has nothing to offer, as for a right click.
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  QTest::keyClick(w.frame.modelView(), Qt::Key_Menu);
  EXPECT_TRUE(popups.empty());
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("no_development_marked_edges.plc")));
  QTest::keyClick(w.frame.modelView(), Qt::Key_Menu);
  QTest::keyClick(w.frame.modelView(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(popups, (std::vector<QPoint>{centre, centre}));
  // F10 alone opens the menu bar's first menu.
  w.frame.show();
  QTest::keyClick(&w.frame, Qt::Key_F10);
  QMenuBar* bar = w.frame.menuBar();
  ASSERT_NE(bar->activeAction(), nullptr);
  EXPECT_EQ(bar->activeAction()->text(), "&File");
  bar->activeAction()->menu()->close();
}

TEST(MainFrameTest, DragsShowWhatTheyDo) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.Open(test::FixturePath("cube.plc")));
  const struct {
    QWidget* pane;
    Qt::MouseButton button;
    Qt::KeyboardModifiers keys;
    Qt::CursorShape shape;
  } cases[] = {
      {w.frame.modelView(), Qt::RightButton, Qt::NoModifier, Qt::ClosedHandCursor},
      {w.frame.modelView(), Qt::RightButton, Qt::ShiftModifier, Qt::SizeVerCursor},
      {w.frame.modelView(), Qt::MiddleButton, Qt::NoModifier, Qt::SizeAllCursor},
      {w.frame.developmentView(), Qt::RightButton, Qt::NoModifier, Qt::SizeAllCursor},
      {w.frame.developmentView(), Qt::RightButton, Qt::ControlModifier, Qt::SizeAllCursor},
      {w.frame.developmentView(), Qt::RightButton, Qt::ShiftModifier, Qt::SizeVerCursor},
  };
  for (const auto& c : cases) {
    c.pane->resize(200, 150);
    QTest::mousePress(c.pane, c.button, c.keys, QPoint(100, 70));
    EXPECT_EQ(c.pane->cursor().shape(), c.shape) << c.pane->metaObject()->className() << " " << int(c.keys);
    QTest::mouseRelease(c.pane, c.button, c.keys, QPoint(110, 80));
    EXPECT_EQ(c.pane->cursor().shape(), Qt::ArrowCursor);
  }
}

TEST(MainFrameTest, CtrlGFindsAJoinNumberAndF3AndEscapeMoveBetweenAndClearItsEnds) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.Open(test::FixturePath("sphere_multipage_a4.plc")));
  const auto findByKeyboard = [&w](int number) {
    test::OnNextDialog<QInputDialog>([number](QInputDialog* dialog) {
      EXPECT_EQ(dialog->labelText(), "Join number (1 to 265):");
      dialog->setIntValue(number);
      dialog->accept();
    });
    QTest::keyClick(&w.frame, Qt::Key_G, Qt::ControlModifier);
    w.frame.activateWindow();  // the offscreen platform leaves no window active after the dialog
    QApplication::processEvents();
  };
  w.sink.messages.clear();
  findByKeyboard(150);
  EXPECT_EQ(w.doc.joinHighlight().number, 150);
  EXPECT_TRUE(w.sink.messages.empty());
  EXPECT_TRUE(w.frame.statusBar()->currentMessage().startsWith("Join 150: one end on page 9 (column 1, row 3)"))
      << w.frame.statusBar()->currentMessage().toStdString();

  QTest::keyClick(&w.frame, Qt::Key_F3);
  EXPECT_EQ(w.doc.joinHighlight().shownEnd, 1);
  QTest::keyClick(&w.frame, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(w.doc.joinHighlight().shownEnd, 0);

  findByKeyboard(999);
  EXPECT_EQ(w.sink.messages,
            std::vector<std::string>{"Join number 999 does not exist: this file has join numbers 1 to 265."});
  EXPECT_EQ(w.doc.joinHighlight().number, 150);  // the earlier highlight stays
  QTest::keyClick(&w.frame, Qt::Key_Escape);
  EXPECT_FALSE(w.doc.joinHighlight().active());
}

TEST(MainFrameTest, PartListAndCtrlArrowsFollowOneSelectedPart) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.Open(test::FixturePath("spot_quads_obj.plc")));
  PartsDock& dock = *w.frame.partsDock();
  QTreeWidget& list = *dock.list();
  EXPECT_TRUE(dock.isHidden());
  ASSERT_TRUE(w.frame.RunCommand(ID_VIEW_PARTS));
  EXPECT_FALSE(dock.isHidden());
  EXPECT_TRUE(w.frame.action(ID_VIEW_PARTS)->isChecked());
  ASSERT_EQ(list.topLevelItemCount(), 16);
  EXPECT_EQ(list.topLevelItem(15)->text(kPartGluedColumn), "3 (1), 12 (2), 14 (1)");

  // Ctrl+Right walks the build order (0, 10, 3, ...); the list follows.
  const std::vector<int>& order = w.doc.PartBuildOrder();
  for (std::size_t i = 0; i < 3; ++i) {
    QTest::keyClick(&w.frame, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w.doc.SelectedPart(), order[i]);
    EXPECT_EQ(list.indexOfTopLevelItem(list.currentItem()), order[i]);
  }
  EXPECT_TRUE(w.frame.statusBar()->currentMessage().startsWith("Part 3 (3 of 16 in the build order): glue joins"))
      << w.frame.statusBar()->currentMessage().toStdString();
  QTest::keyClick(&w.frame, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(w.doc.SelectedPart(), order[1]);

  // A tick in "Built" marks the part built, and the tick follows the document.
  list.topLevelItem(5)->setCheckState(kPartBuiltColumn, Qt::Checked);
  EXPECT_TRUE(w.doc.IsPartBuilt(5));
  w.doc.SetPartBuilt(5, false);
  EXPECT_EQ(list.topLevelItem(5)->checkState(kPartBuiltColumn), Qt::Unchecked);

  // Choosing a row selects its part, wherever sorting put the row; Escape
  // takes the choice away.
  list.setCurrentItem(list.topLevelItem(12));
  EXPECT_EQ(w.doc.SelectedPart(), 12);
  list.sortByColumn(kPartFacesColumn, Qt::DescendingOrder);
  EXPECT_EQ(list.currentItem()->data(kPartIndexColumn, Qt::DisplayRole).toInt(), 12);
  for (int row = 1; row < list.topLevelItemCount(); ++row)
    EXPECT_GE(list.topLevelItem(row - 1)->data(kPartFacesColumn, Qt::DisplayRole).toInt(),
              list.topLevelItem(row)->data(kPartFacesColumn, Qt::DisplayRole).toInt());
  list.setCurrentItem(list.topLevelItem(0));
  EXPECT_EQ(w.doc.SelectedPart(), list.topLevelItem(0)->data(kPartIndexColumn, Qt::DisplayRole).toInt());
  w.doc.SetPartBuilt(5, true);
  list.sortByColumn(kPartBuiltColumn, Qt::DescendingOrder);
  EXPECT_EQ(list.topLevelItem(0)->data(kPartIndexColumn, Qt::DisplayRole).toInt(), 5);
  QTest::keyClick(&w.frame, Qt::Key_Escape);
  EXPECT_EQ(w.doc.SelectedPart(), -1);
  EXPECT_TRUE(list.selectedItems().isEmpty());
  list.sortByColumn(kPartIndexColumn, Qt::AscendingOrder);

  // Another file leaves nothing selected.
  list.setCurrentItem(list.topLevelItem(12));
  ASSERT_TRUE(w.Open(test::FixturePath("cube.plc")));
  EXPECT_EQ(w.doc.SelectedPart(), -1);
  EXPECT_EQ(list.topLevelItemCount(), 1);
  EXPECT_TRUE(list.selectedItems().isEmpty());
  ASSERT_TRUE(w.frame.RunCommand(ID_VIEW_PARTS));
  EXPECT_TRUE(dock.isHidden());
  EXPECT_FALSE(w.frame.action(ID_VIEW_PARTS)->isChecked());
}

TEST(MainFrameTest, CtrlBMarksThePickedPartBuiltAndTheProgressComesBackAtTheNextStart) {
  test::TempDir dir;
  const std::string file =
      test::WriteFile(dir.File("torus.plc"), test::ReadFile(test::FixturePath("torus_concave_numbers.plc")));
  {
    Window w(dir.File("profile.ini"));
    ASSERT_TRUE(w.Open(file));
    auto* progress = w.frame.findChild<QLabel*>("buildProgress");
    ASSERT_TRUE(progress);
    QTest::keyClick(&w.frame, Qt::Key_B, Qt::ControlModifier);  // no face picked yet
    EXPECT_EQ(w.doc.BuiltCount(), 0);
    EXPECT_TRUE(w.frame.statusBar()->currentMessage().startsWith("Pick a face of the part first"));
    EXPECT_TRUE(progress->text().isEmpty());

    w.frame.RunCommand(ID_CHECK_CORRESPONDING_SURFACE);
    CVorlanzuView* pane = w.frame.developmentView();
    const Part* picked = &w.doc.model()->parts[2];
    const Face& face = *picked->faces.front();
    Point2 c;
    for (const HalfEdge* h : face.ring) {
      c.x += CornerOf(*h, *picked).x / face.ring.size();
      c.y += CornerOf(*h, *picked).y / face.ring.size();
    }
    const Point2 at =
        MapDevelopmentPoint(pane->engine().view(), pane->engine().sheetArea(), w.doc.model()->devScale, c);
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(int(at.x), int(at.y)));
    ASSERT_EQ(w.doc.PickedPart(), 2);
    QTest::keyClick(&w.frame, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(w.doc.IsPartBuilt(2));
    EXPECT_TRUE(w.frame.action(ID_PART_BUILT)->isChecked());
    EXPECT_EQ(progress->text(), "1 of 5 parts built");
    EXPECT_TRUE(w.sink.messages.empty());
  }
  Window again(dir.File("profile.ini"));
  ASSERT_TRUE(again.frame.OpenWorkFile(file));
  EXPECT_EQ(again.doc.builtParts(), (std::vector<char>{0, 0, 1, 0, 0}));
  EXPECT_EQ(again.frame.findChild<QLabel*>("buildProgress")->text(), "1 of 5 parts built");
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("build-progress")));
}

}  // namespace
}  // namespace plicora
