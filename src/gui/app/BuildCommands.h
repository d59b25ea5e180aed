#pragma once
// The commands that help while building the model from the printed sheets:
// finding both ends of a join number and moving between them, and stepping
// through the parts in the order to build them.
// finding both ends of a join number and moving between them, and keeping
// track of the parts already built.

#include <QString>

#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

namespace plicora {

void RegisterBuildCommands(CommandRegistry& registry, const FrameServices& services);

/// Says in the status bar where both ends of the highlighted join are
/// (the frame calls it whenever the highlight or its shown end changes).
void ShowJoinStatus(const FrameServices& services);

/// Says in the status bar which face's join numbers are highlighted.
void ShowFaceJoinsStatus(const FrameServices& services);

/// Says in the status bar where the selected part stands in the build order
/// and which join numbers glue it to the parts before it.
void ShowPartStatus(const FrameServices& services);

/// Next Part (`step` +1) and Previous Part (-1): selects the part reached in
/// the build order; at either end the status bar says so.
void StepThroughParts(const FrameServices& services, int step);
/// "12 of 142 parts built", or empty while no part is marked built.
QString BuildProgressText(const CVorlanDoc& doc);

/// Highlights join number `number`; a number the development lacks gives a message naming the range.
bool FindJoinNumber(const FrameServices& services, int number);

}  // namespace plicora
