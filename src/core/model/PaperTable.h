#pragma once
// The paper sizes of the page grid, width then height in centimetres.

#include <array>

namespace plicora {

struct PaperSize {
  const char* label;
  double width;
  double height;
};

inline constexpr std::array<PaperSize, 8> kPaperTable = {{
    {"A4 V [210x297]mm", 21.0, 29.7},
    {"A4 H [297x210]mm", 29.7, 21.0},
    {"A3 V [297x420]mm", 29.7, 42.0},
    {"A3 H [420x297]mm", 42.0, 29.7},
    {"B4 V [250x353]mm", 25.0, 35.3},
    {"B4 H [353x250]mm", 35.3, 25.0},
    {"B5 V [182x257]mm", 18.2, 25.7},
    {"B5 H [257x182]mm", 25.7, 18.2},
}};

/// The paper of a paper type; a type outside 0..7 leaves `width`/`height`
/// unchanged and returns false.
inline bool LookUpPaper(int pageType, double& width, double& height) {
  if (pageType < 0 || pageType >= static_cast<int>(kPaperTable.size())) return false;
  width = kPaperTable[static_cast<std::size_t>(pageType)].width;
  height = kPaperTable[static_cast<std::size_t>(pageType)].height;
  return true;
}

}  // namespace plicora
