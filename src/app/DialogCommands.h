#pragma once
// The commands that open configuration and information dialogs.

#include "app/CommandRegistry.h"
#include "app/FrameServices.h"

namespace plicora {

/// Adds the dialog commands to the table. A command whose dialog does not
/// exist yet is registered without an action, so it stays disabled.
void RegisterDialogCommands(CommandRegistry& registry, const FrameServices& services);

}  // namespace plicora
