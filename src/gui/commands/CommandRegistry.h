#pragma once
// The handlers of the window's commands by id. What a command is called, where
// it appears and when it is enabled or ticked is in the command table; a
// command runs only when its row enables it and a handler is registered.

#include <functional>
#include <map>

#include "gui/commands/CommandTable.h"

namespace plicora {

class CommandRegistry {
 public:
  void Add(int id, std::function<void()> run) { handlers_[id] = std::move(run); }
  bool HasHandler(int id) const {
    const auto it = handlers_.find(id);
    return it != handlers_.end() && it->second;
  }
  bool IsEnabled(int id, const CommandState& state) const {
    const CommandRow* row = FindCommandRow(id);
    return row && HasHandler(id) && IsEnabledIn(row->enable, state);
  }
  bool IsChecked(int id, const CommandState& state) const {
    const CommandRow* row = FindCommandRow(id);
    return row && IsTickedIn(row->tick, state);
  }
  /// Runs the command when it is enabled; false otherwise.
  bool Run(int id, const CommandState& state) const {
    if (!IsEnabled(id, state)) return false;
    handlers_.at(id)();
    return true;
  }
  const std::map<int, std::function<void()>>& handlers() const { return handlers_; }

 private:
  std::map<int, std::function<void()>> handlers_;
};

}  // namespace plicora
