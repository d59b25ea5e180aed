#include "app/DialogCommands.h"

#include "app/CommandIds.h"

namespace plicora {

void RegisterDialogCommands(CommandRegistry& registry, const FrameServices&) {
  for (int id : {ID_PAGE_PRINT_SETTINGS, ID_DEVELOPMENT_INFO, ID_OTHER_CONFIGURATIONS, ID_RESET_TO_DEFAULT,
                 ID_SET_TEXTURE, ID_MODEL_INFO, ID_OPENGL_INFO, ID_FLAP_CONFIGURATION, ID_LINE_TYPE_CONFIGURATION,
                 ID_JOIN_NUMBER_CONFIGURATION, ID_COLOR_CONFIGURATION})
    registry.Add(id, Command{});
}

}  // namespace plicora
