#pragma once
// The commands that help while building the model from the printed sheets:
// finding both ends of a join number and moving between them.

#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

namespace plicora {

void RegisterBuildCommands(CommandRegistry& registry, const FrameServices& services);

/// Says in the status bar where both ends of the highlighted join are
/// (the frame calls it whenever the highlight or its shown end changes).
void ShowJoinStatus(const FrameServices& services);

/// Highlights join number `number`; a number the development lacks gives a message naming the range.
bool FindJoinNumber(const FrameServices& services, int number);

}  // namespace plicora
