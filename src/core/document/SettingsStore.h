#pragma once
// Loading the user preferences from the profile's section "Settings", saving
// them back, "Reset to Default" and the colour table.

#include <span>
#include <string>

#include "core/model/Settings.h"

namespace plicora {

struct Model;
class ProfileFile;

/// The profile section that holds the preferences.
inline constexpr const char* kSettingsSection = "Settings";

/// One key of section "Settings": a flag (stored "1"/"0") or an integer.
struct ProfileKey {
  const char* name;
  bool Settings::*flag = nullptr;
  int Settings::*number = nullptr;
};

/// The keys of section "Settings" in the order they are read and written;
/// the colour keys "color0".."color8" (by ColorSlot) follow them.
std::span<const ProfileKey> ProfileKeys();

/// The profile key of colour slot `index`: "color" and the index.
const char* ColorKey(int index);

/// Reads every preference from `profile` in the order they are saved. A value
/// counts when it is exactly one integer; a missing or unreadable value keeps
/// the current one. Out-of-range indexes become 0, the derived values follow
/// the indexes, and a colour stored as -1 keeps the current colour.
/// `bFirstStartUp` starts as true before the profile is read.
void LoadSettings(Settings& settings, const ProfileFile& profile);

/// Writes every preference and the colour table into `profile`, after
/// setting `bFirstStartUp` to false. Other sections and keys stay.
void SaveSettings(Settings& settings, ProfileFile& profile);

/// Loads the preferences from the profile file at `path`. A missing file
/// keeps the defaults and counts as success; false when the file exists but
/// could not be read.
bool LoadSettingsFile(Settings& settings, const std::string& path);

/// Saves the preferences into the profile file at `path`, keeping everything
/// else in it and creating its folder when needed. The file is replaced
/// atomically; false (with `error`) when it could not be written, or when an
/// existing file could not be read (so that its other sections are not lost).
bool SaveSettingsFile(Settings& settings, const std::string& path, std::string* error = nullptr);

/// Clamps the indexes to their tables (out of range becomes 0) and computes
/// the printout line width, print resolution and texture size limit.
void UpdateDerivedSettings(Settings& settings);

/// The question "Reset to Default" asks (OK and Cancel) before ResetToDefault.
inline constexpr const char* kResetSettingsQuestion = "Reset all settings to initial state.";

/// "Reset to Default" without the question (the caller asks "Reset all
/// settings to initial state." first): the preferences, the document values
/// and the colours take their built-in values; bOmitMaterialWhenModelRotate,
/// bRenderAllGL and bFirstStartUp are kept. The caller recomputes the page
/// grid. `model`, when given, receives the default colour 0.
void ResetToDefault(Settings& settings, Model* model = nullptr);

/// Sets colour `index` (a ColorSlot); colour 0 is also copied into `model`'s default
/// material. False for an index outside the table.
bool SetColor(Settings& settings, int index, ColorRef color, Model* model = nullptr);

/// Colour `index` (a ColorSlot); black outside the table.
ColorRef GetColor(const Settings& settings, int index);

/// Puts the built-in colours back (colour 0 through SetColor).
void ResetColors(Settings& settings, Model* model = nullptr);

}  // namespace plicora
