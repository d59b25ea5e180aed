#pragma once
// Where the program's own data lives: the help, the bundled samples and the
// pick sound. A portable folder or the build tree keeps them beside the
// executable; an installation keeps them in share/plicora-viewer under the
// prefix, found relative to the executable so that a moved installation
// still finds them.

#include <string>

namespace plicora {

/// The folder of the running executable (no trailing slash), empty when unknown.
std::string ProgramFolder();

/// The installed data folder of an executable in `programFolder`: the data
/// folder of the install layout taken relative to the executable's folder
/// (`../share/plicora-viewer` for the usual bin/ and share/ layout). Empty
/// when `programFolder` is empty.
std::string InstalledDataFolder(const std::string& programFolder);

/// The first existing path of `relative` in the data folders, in order:
/// beside the executable, then the installed data folder. Empty when neither
/// holds it.
std::string FindDataPath(const std::string& programFolder, const std::string& relative);

/// The HTML help file (a file), or empty when it is missing.
std::string HelpFilePath();
/// The folder of bundled sample work files (a folder), or empty when it is missing.
std::string SampleFolder();
/// The pick sound (a file), or empty when it is missing.
std::string PickSoundPath();

/// The same for an executable in `programFolder`.
std::string HelpFilePath(const std::string& programFolder);
std::string SampleFolder(const std::string& programFolder);
std::string PickSoundPath(const std::string& programFolder);

}  // namespace plicora
