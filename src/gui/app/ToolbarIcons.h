#pragma once
// The toolbar pictures, drawn by the program itself.

#include <QIcon>

namespace plicora {

/// The picture of a toolbar command (a null icon for other commands).
QIcon ToolbarIcon(int commandId);

}  // namespace plicora
