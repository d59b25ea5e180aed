#include "gui/app/DialogCommands.h"

#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "gui/app/ColorConfigurationDialog.h"
#include "gui/app/FlapConfigurationDialog.h"
#include "gui/app/InformationDialogs.h"
#include "gui/app/JoinNumberConfigurationDialog.h"
#include "gui/app/LineTypeConfigurationDialog.h"
#include "gui/app/OtherConfigurationsDialog.h"
#include "gui/app/PagePrintSettingsDialog.h"
#include "gui/commands/CommandIds.h"
#include "gui/texture/SetTextureCommand.h"

namespace plicora {

void RunResetToDefault(CVorlanDoc& doc) {
  if (!CurrentMessageSink().Confirm(kResetSettingsQuestion, false)) return;
  ResetToDefault(doc.settings(), doc.model());
  UpdatePageGrid(doc.model(), doc.settings(), doc.pages());
  doc.UpdateAllViews(HINT_PAGES_CHANGED);
}

void RegisterDialogCommands(CommandRegistry& registry, const FrameServices& services) {
  CVorlanDoc* doc = services.doc;
  const auto modelLoaded = [doc] { return doc->hasModel(); };
  const auto add = [&](int id, void (*run)(const FrameServices&), std::function<bool()> enabled = {}) {
    registry.Add(id, Command{[services, run] { run(services); }, std::move(enabled), {}});
  };
  add(ID_PAGE_PRINT_SETTINGS, RunPagePrintSettings);
  add(ID_DEVELOPMENT_INFO, RunDevelopmentInfo, modelLoaded);
  add(ID_OTHER_CONFIGURATIONS, RunOtherConfigurations);
  add(ID_SET_TEXTURE, SetTexture, modelLoaded);
  add(ID_MODEL_INFO, RunModelInfo, modelLoaded);
  add(ID_OPENGL_INFO, RunOpenGlInfo);
  add(ID_FLAP_CONFIGURATION, RunFlapConfiguration);
  add(ID_LINE_TYPE_CONFIGURATION, RunLineTypeConfiguration);
  add(ID_JOIN_NUMBER_CONFIGURATION, RunJoinNumberConfiguration, modelLoaded);
  add(ID_COLOR_CONFIGURATION, RunColorConfiguration);
  registry.Add(ID_RESET_TO_DEFAULT, Command{[doc] { RunResetToDefault(*doc); }, {}, {}});
}

}  // namespace plicora
