#include "core/document/BuildOrderStep.h"

#include <algorithm>

namespace plicora {

std::optional<std::size_t> StepInBuildOrder(const std::vector<int>& order, int selectedPart, int step) {
  if (order.empty() || step == 0) return std::nullopt;
  const auto at = std::find(order.begin(), order.end(), selectedPart);
  if (at == order.end()) return step > 0 ? 0 : order.size() - 1;
  const auto position = static_cast<std::ptrdiff_t>(at - order.begin()) + (step > 0 ? 1 : -1);
  if (position < 0 || position >= static_cast<std::ptrdiff_t>(order.size())) return std::nullopt;
  return static_cast<std::size_t>(position);
}

std::string BuildStepStatusText(int part, std::size_t position, std::size_t count, const std::vector<int>& joins) {
  std::string text = "Part " + std::to_string(part) + " (" + std::to_string(position + 1) + " of " +
                     std::to_string(count) + " in the build order)";
  if (position == 0) return text + ": start with it.";
  if (joins.empty()) return text + ": it is glued to none of the parts before it; start a new group with it.";
  text += joins.size() == 1 ? ": glue join " : ": glue joins ";
  for (std::size_t i = 0; i < joins.size(); ++i) {
    if (i > 0) text += i + 1 == joins.size() ? " and " : ", ";
    text += std::to_string(joins[i]);
  }
  return text + " to the parts before it.";
}

std::string BuildOrderEndText(int step, std::size_t count) {
  if (count == 0) return "The development has no parts.";
  return step > 0 ? "That was the last part of the build order." : "That was the first part of the build order.";
}

}  // namespace plicora
