#include "core/configuration/ChoiceLists.h"

#include <algorithm>
#include <charconv>

#include "core/model/Settings.h"

namespace plicora {

ChoiceList LineWidthChoices(std::size_t count, std::string_view defaultMark) {
  const auto builtIn = static_cast<std::size_t>(Settings{}.lineWidthIndex);
  ChoiceList items;
  for (std::size_t i = 0; i < std::min(count, kLineWidthPoints.size()); ++i) {
    char text[32];
    // The shortest text that reads back as the width, whatever the locale.
    const auto end = std::to_chars(text, text + sizeof text, kLineWidthPoints[i]).ptr;
    items.emplace_back(text, end);
    if (i == builtIn) items.back() += defaultMark;
  }
  return items;
}

ChoiceList PrintResolutionChoices() {
  ChoiceList items;
  for (int ppi : kPrintPpi) items.push_back(std::to_string(ppi));
  return items;
}

ChoiceList TextureLimitChoices() {
  ChoiceList items;
  for (int size : kTextureLimitSizes) items.push_back(std::to_string(size) + " x " + std::to_string(size));
  return items;
}

}  // namespace plicora
