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

/// The data folders to search, in order: beside the executable, then the
/// installed data folder (`../share/plicora-viewer` from the executable's folder).
std::string InstalledDataFolder(const std::string& programFolder);

/// The first existing path of `relative` in the data folders, or empty.
std::string FindDataPath(const std::string& programFolder, const std::string& relative);

/// The HTML help file, or empty when it is missing.
std::string HelpFilePath();
/// The folder of bundled sample work files, or empty when it is missing.
std::string SampleFolder();
/// The pick sound, or empty when it is missing.
std::string PickSoundPath();

}  // namespace plicora
