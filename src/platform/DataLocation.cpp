#include "platform/DataLocation.h"

#include <filesystem>
#include <system_error>

namespace plicora {

std::string ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::string InstalledDataFolder(const std::string& programFolder) {
  if (programFolder.empty()) return {};
  return (std::filesystem::path(programFolder).parent_path() / "share" / "plicora-viewer").string();
}

std::string FindDataPath(const std::string& programFolder, const std::string& relative) {
  if (programFolder.empty()) return {};
  std::error_code ec;
  for (const std::string& folder : {programFolder, InstalledDataFolder(programFolder)}) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / relative;
    if (std::filesystem::exists(candidate, ec)) return candidate.string();
  }
  return {};
}

std::string HelpFilePath() { return FindDataPath(ProgramFolder(), "help/index.html"); }
std::string SampleFolder() { return FindDataPath(ProgramFolder(), "Sample"); }
std::string PickSoundPath() { return FindDataPath(ProgramFolder(), "sound/pick.wav"); }

}  // namespace plicora
