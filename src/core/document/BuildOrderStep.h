#pragma once
// Next Part and Previous Part: stepping through the build order from the
// part selected now, and what the status bar says about the part reached.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace plicora {

/// The position Next Part (`step` +1) or Previous Part (-1) reaches in
/// `order` from the selected part. Without a selected part in the order,
/// Next starts at the first part and Previous at the last. Nothing beyond
/// either end or in an empty order.
std::optional<std::size_t> StepInBuildOrder(const std::vector<int>& order, int selectedPart, int step);

/// The status-bar text for the part at `position` of an order of `count`
/// parts: its place and the join numbers that glue it to the parts before it.
std::string BuildStepStatusText(int part, std::size_t position, std::size_t count, const std::vector<int>& joins);

/// The status-bar text when Next or Previous Part has nowhere to go.
std::string BuildOrderEndText(int step, std::size_t count);

}  // namespace plicora
