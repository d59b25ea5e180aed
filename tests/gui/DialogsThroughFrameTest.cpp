// The window's menu actions reach the dialogs: each dialog command opens its
// dialog over the main frame, and Set Texture opens the frame's Texture
// Configuration dialog, which hides when another file is opened.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "gui/app/MainFrame.h"
#include "gui/commands/CommandIds.h"
#include "gui/texture/TextureConfigurationDialog.h"

namespace plicora {
namespace {

struct Window {
  explicit Window(const std::string& profile) : doc(settings), frame(doc, profile) {
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();
  }
  test::AnsweringSink sink;
  ScopedMessageSink scope{sink};
  Settings settings;
  CVorlanDoc doc;
  CMainFrame frame;
};

TEST(DialogsThroughFrameTest, MenuActionsOpenTheirDialogs) {
  test::TempDir dir;
  Window w(dir.File("profile.ini"));
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("icosahedron_textured.plc")));
  const std::pair<int, const char*> dialogs[] = {
      {ID_OTHER_CONFIGURATIONS, "Other Configurations"},
      {ID_PAGE_PRINT_SETTINGS, "Page and Print Settings"},
      {ID_DEVELOPMENT_INFO, "Development Info"},
      {ID_LINE_TYPE_CONFIGURATION, "Line Type Configuration"},
      {ID_FLAP_CONFIGURATION, "Flap Configuration"},
      {ID_JOIN_NUMBER_CONFIGURATION, "Join Number Configuration"},
      {ID_COLOR_CONFIGURATION, "Color Configuration"},
      {ID_MODEL_INFO, "Model Info"},
      {ID_OPENGL_INFO, "OpenGL Info"},
  };
  for (const auto& [id, title] : dialogs) {
    SCOPED_TRACE(title);
    QAction* action = w.frame.action(id);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isEnabled());
    QString shown;
    QString textureSize;
    QPointer<QTimer> waiting = test::OnNextModal([&](QWidget* modal) {
      shown = modal->windowTitle();
      if (auto* box = modal->findChild<QLineEdit*>("Maximum Size of Texture Image")) textureSize = box->text();
      static_cast<QDialog*>(modal)->reject();
    });
    action->trigger();
    delete waiting.data();
    EXPECT_EQ(shown, title);
    if (id == ID_OPENGL_INFO) {
      EXPECT_NE(textureSize, "0 x 0");
    }
  }

  // Reset to Default asks first; Cancel leaves everything.
  w.settings.bPrintRaster = true;
  w.sink.answers = {false};
  w.frame.action(ID_RESET_TO_DEFAULT)->trigger();
  EXPECT_EQ(w.sink.questions, std::vector<std::string>{"Reset all settings to initial state."});
  EXPECT_TRUE(w.settings.bPrintRaster);

  w.frame.action(ID_SET_TEXTURE)->trigger();
  auto* texture = w.frame.findChild<TextureConfigurationDialog*>();
  ASSERT_NE(texture, nullptr);
  EXPECT_TRUE(texture->isVisible());
  EXPECT_NE(w.doc.shell().highlightedMaterial, nullptr);
  ASSERT_TRUE(w.frame.OpenWorkFile(test::FixturePath("cube.plc")));
  EXPECT_FALSE(texture->isVisible());
  EXPECT_EQ(w.doc.shell().highlightedMaterial, nullptr);
}

}  // namespace
}  // namespace plicora
