#pragma once
// The commands that print, preview, copy and save the development.

#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

namespace plicora {

/// Adds the printing, clipboard and save commands to the table. A command
/// that does not exist yet is registered without an action (disabled).
void RegisterPrintCommands(CommandRegistry& registry, const FrameServices& services);

}  // namespace plicora
