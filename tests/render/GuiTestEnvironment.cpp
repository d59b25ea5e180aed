// Every render test runs with one QGuiApplication on the offscreen platform
// and the font substitutions of the program installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "render/platform/FontResolution.h"

namespace {

class GuiTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
      std::string dir = (std::filesystem::temp_directory_path() / "plicora-xdg-XXXXXX").string();
      if (mkdtemp(dir.data())) setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "plicora_render_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QGuiApplication(argc, argv);
    plicora::InstallFontSubstitutions();
  }

 private:
  QGuiApplication* app_ = nullptr;  // lives until the process ends
};

[[maybe_unused]] ::testing::Environment* const gGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

}  // namespace
