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
  doc.PagesChanged();
}

void RegisterDialogCommands(CommandRegistry& registry, const FrameServices& services) {
  const auto add = [&](int id, void (*run)(const FrameServices&)) {
    registry.Add(id, [services, run] { run(services); });
  };
  add(ID_PAGE_PRINT_SETTINGS, RunPagePrintSettings);
  add(ID_DEVELOPMENT_INFO, RunDevelopmentInfo);
  add(ID_OTHER_CONFIGURATIONS, RunOtherConfigurations);
  add(ID_SET_TEXTURE, SetTexture);
  add(ID_MODEL_INFO, RunModelInfo);
  add(ID_OPENGL_INFO, RunOpenGlInfo);
  add(ID_FLAP_CONFIGURATION, RunFlapConfiguration);
  add(ID_LINE_TYPE_CONFIGURATION, RunLineTypeConfiguration);
  add(ID_JOIN_NUMBER_CONFIGURATION, RunJoinNumberConfiguration);
  add(ID_COLOR_CONFIGURATION, RunColorConfiguration);
  CVorlanDoc* doc = services.doc;
  registry.Add(ID_RESET_TO_DEFAULT, [doc] { RunResetToDefault(*doc); });
}

}  // namespace plicora
