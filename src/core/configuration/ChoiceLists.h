#pragma once
// The items of the configuration dialogs' drop-down lists that name values
// of the settings tables (printout line widths, raster print resolutions,
// texture size limits). Item i stands for index i of its table.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plicora {

using ChoiceList = std::vector<std::string>;

/// The first `count` printout line widths in points ("0.25", "0.5", ...);
/// the built-in width is followed by `defaultMark`.
ChoiceList LineWidthChoices(std::size_t count, std::string_view defaultMark);

/// The raster print resolutions in pixels per inch ("75", "100", ...).
ChoiceList PrintResolutionChoices();

/// The texture size limits as squares ("64 x 64", "128 x 128", ...).
ChoiceList TextureLimitChoices();

}  // namespace plicora
