#pragma once
// Settings by name, for overrides such as "--set bDrawNumber=1": every key of
// a work file's info block (the document values and the model's own values)
// and every key of the profile's section "Settings", colours included.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Settings.h"

namespace plicora {

struct Model;

/// A real number written out completely ("1.5", "-2e3", surrounding white
/// space allowed); nothing for other text, infinities and NaN. Independent of
/// the locale.
std::optional<double> ParseSettingReal(std::string_view text);

/// Every key name that ApplySetting knows, in a stable order.
std::vector<std::string> SettingKeyNames();

/// Sets the setting `key` (letter case ignored) from `value` and brings the
/// values derived from it up to date: the paper size after iPageType, the
/// scale product after dMag2d/dMag3d, the print resolution, texture size
/// limit and line width after their indexes, the model's default material
/// after color0. Flags and integers take exactly one integer (as the profile
/// reads them), reals a complete real number, colours an integer from 0 to
/// 0xFFFFFF (-1 keeps the colour, as in the profile); an index into a table
/// must lie inside it. Keys held by the model need `model`. Returns an empty
/// string on success, else the reason.
std::string ApplySetting(std::string_view key, std::string_view value, Settings& settings, Model* model);

}  // namespace plicora
