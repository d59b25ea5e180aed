#pragma once
// Where the profile lives. A profile beside the executable, named like it
// with ".ini", wins when it exists (a portable installation); otherwise the
// user's configuration folder holds it.

#include <string>

namespace plicora {

/// The profile path beside an executable: its extension replaced by ".ini".
std::string ProfilePathBesideExecutable(const std::string& executablePath);

/// The per-user profile path: `xdgConfigHome`/plicora-viewer/plicora-viewer.ini
/// when `xdgConfigHome` is an absolute path, else `home`/.config/...; empty
/// when neither gives a folder.
std::string UserProfilePath(const std::string& xdgConfigHome, const std::string& home);

/// Picks between the two: the executable's profile when that file exists.
std::string ChooseProfilePath(const std::string& executablePath, const std::string& xdgConfigHome,
                              const std::string& home);

/// The profile of this process (from /proc/self/exe, XDG_CONFIG_HOME, HOME
/// or the password database). Empty when none can be found.
std::string DefaultProfilePath();

/// Creates the profile's folder when it is missing (the first save); true
/// when the folder exists afterwards.
bool EnsureProfileFolder(const std::string& profilePath);

}  // namespace plicora
