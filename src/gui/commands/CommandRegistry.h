#pragma once
// The command table of the window: what each command id does and when its
// menu item or button is enabled and ticked. Menus, toolbars and
// accelerators are built from it; the enable and tick states are refreshed
// from the document's state.

#include <functional>
#include <map>

namespace plicora {

struct Command {
  std::function<void()> run;
  std::function<bool()> enabled;  ///< null: always enabled
  std::function<bool()> checked;  ///< null: the item is never ticked
};

class CommandRegistry {
 public:
  void Add(int id, Command command) { commands_[id] = std::move(command); }
  const Command* Find(int id) const {
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : &it->second;
  }
  bool IsEnabled(int id) const {
    const Command* c = Find(id);
    return c && c->run && (!c->enabled || c->enabled());
  }
  bool IsChecked(int id) const {
    const Command* c = Find(id);
    return c && c->checked && c->checked();
  }
  /// Runs the command when it is enabled; false otherwise.
  bool Run(int id) const {
    if (!IsEnabled(id)) return false;
    Find(id)->run();
    return true;
  }
  const std::map<int, Command>& all() const { return commands_; }

 private:
  std::map<int, Command> commands_;
};

}  // namespace plicora
