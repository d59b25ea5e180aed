#include "app/PrintCommands.h"

#include "app/CommandIds.h"

namespace plicora {

void RegisterPrintCommands(CommandRegistry& registry, const FrameServices&) {
  for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_COPY_DEVELOPMENT_BMP,
                 ID_COPY_DEVELOPMENT_EMF, ID_SAVE_DEVELOPMENT})
    registry.Add(id, Command{});
}

}  // namespace plicora
