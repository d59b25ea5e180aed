#pragma once
// The commands that open configuration and information dialogs, and
// "Reset to Default".

#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

namespace plicora {

/// Adds the dialog commands to the table with their enable rules.
void RegisterDialogCommands(CommandRegistry& registry, const FrameServices& services);

/// "Reset to Default": asks "Reset all settings to initial state." (OK and
/// Cancel), then puts the settings and colours back to their built-in values,
/// recomputes the page grid and redraws with HINT_PAGES_CHANGED.
void RunResetToDefault(CVorlanDoc& doc);

}  // namespace plicora
