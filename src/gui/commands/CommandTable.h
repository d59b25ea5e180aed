#pragma once
// The command table of the window: one row per command with its texts,
// accelerator, icon, enable rule and tick rule, and the layouts of the menus,
// toolbars and the 3D pane's popup menu, which list command ids in order.
// The window builds its actions, menus and toolbars from these lists; the
// handlers that run the commands are registered by id (CommandRegistry).

#include <span>
#include <string>

#include "gui/commands/CommandRules.h"

namespace plicora {

struct CommandRow {
  int id;
  const char* menu;      ///< item text with "&" before the mnemonic
  const char* shortcut;  ///< accelerator ("" for none)
  const char* prompt;    ///< status-bar text "\n" tooltip
  const char* icon;      ///< freedesktop theme icon name ("" for none)
  EnableRule enable;
  TickRule tick;
  /// Why no menu, toolbar or popup offers the command ("" when one does).
  const char* unreached = "";
};

/// One entry of a menu, toolbar or popup layout: a command, or a separator
/// (id 0). `text` replaces the command's own text in this place.
struct LayoutItem {
  int id = 0;
  const char* text = nullptr;
};

struct MenuLayout {
  const char* title;  ///< with its mnemonic; "Parent/Child" for a submenu
  std::span<const LayoutItem> items;
};

std::span<const CommandRow> CommandRows();
/// The row of a command, or null when the table has none.
const CommandRow* FindCommandRow(int id);

/// The menu bar's menus and submenus, in order. The File menu's recent files
/// are inserted before its last item (Exit).
std::span<const MenuLayout> MenuLayouts();
std::span<const LayoutItem> ToolBar1Layout();
std::span<const LayoutItem> ToolBar2Layout();
/// The 3D pane's popup menu (edge marking while there is no development).
std::span<const LayoutItem> ModelPanePopupLayout();

/// The status-bar part of a prompt (before its line break).
std::string PromptStatus(const CommandRow& row);
/// The tooltip part of a prompt (after its line break, else the whole prompt).
std::string PromptTooltip(const CommandRow& row);
/// The mnemonic of a menu text in upper case ("&Open..." -> 'O'), 0 for none.
char MnemonicOf(const char* text);

}  // namespace plicora
