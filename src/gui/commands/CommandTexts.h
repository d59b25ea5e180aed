#pragma once
// The texts of every command: its menu item (with its mnemonic), its
// accelerator, and its prompt (the status-bar text and the tooltip).

#include <string>

namespace plicora {

struct CommandText {
  int id;
  const char* menu;      ///< menu item text with "&" before the mnemonic
  const char* shortcut;  ///< accelerator ("" for none)
  const char* prompt;    ///< status-bar text "\n" tooltip
};

/// The texts of a command, or null when it has none.
const CommandText* FindCommandText(int id);

/// The status-bar part of a prompt (before its line break).
std::string PromptStatus(const CommandText& text);
/// The tooltip part of a prompt (after its line break, else the whole prompt).
std::string PromptTooltip(const CommandText& text);

}  // namespace plicora
