#pragma once
// Long work (drawing a large development, writing a big file) calls a tick
// now and then, so that the window can show its progress and the user can
// stop it. A tick that returns false asks the work to stop as soon as it can.

#include <functional>

namespace plicora {

using WorkTick = std::function<bool()>;

/// The tick of work that knows how far it got: `done` is the share of the
/// work finished, from 0 to 1.
using WorkShareTick = std::function<bool(double done)>;

/// Calls `tick` (when there is one) every `every` calls of Step: cheap enough
/// for the inner loop of a drawing. Remembers a stop.
class TickCounter {
 public:
  static constexpr int kEvery = 256;
  explicit TickCounter(const WorkTick* tick, int every = kEvery) : tick_(tick), every_(every) {}
  /// false once the work was asked to stop. A step of `weight` counts as
  /// that many small steps (a large piece of work ticks at once).
  bool Step(int weight = 1) {
    if (stopped_) return false;
    if (!tick_ || !*tick_ || (count_ += weight) < every_) return true;
    count_ = 0;
    stopped_ = !(*tick_)();
    return !stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  const WorkTick* tick_;
  int every_;
  int count_ = 0;
  bool stopped_ = false;
};

/// Passes a tick on and remembers whether it said stop, for work that must
/// then throw its result away. Without a tick it passes none.
class RememberingTick {
 public:
  explicit RememberingTick(const WorkTick* tick) : outer_(tick) {
    if (outer_ && *outer_) inner_ = [this] { return !(stopped_ = stopped_ || !(*outer_)()); };
  }
  RememberingTick(const RememberingTick&) = delete;
  RememberingTick& operator=(const RememberingTick&) = delete;
  const WorkTick* get() const { return inner_ ? &inner_ : nullptr; }
  bool stopped() const { return stopped_; }

 private:
  const WorkTick* outer_;
  WorkTick inner_;
  bool stopped_ = false;
};

}  // namespace plicora
