#include "core/platform/DataLocation.h"

#include <filesystem>
#include <system_error>

#ifndef PLICORA_DATA_FROM_PROGRAM_FOLDER
#define PLICORA_DATA_FROM_PROGRAM_FOLDER "../share/plicora-viewer"
#endif

namespace plicora {
namespace {

enum class DataKind { Any, File, Folder };

bool IsKind(const std::filesystem::path& path, DataKind kind) {
  std::error_code ec;
  switch (kind) {
    case DataKind::File:
      return std::filesystem::is_regular_file(path, ec);
    case DataKind::Folder:
      return std::filesystem::is_directory(path, ec);
    case DataKind::Any:
      break;
  }
  return std::filesystem::exists(path, ec);
}

// A "Sample" file beside the executable does not hide the installed sample
// folder, nor a folder named like the help file the installed help.
std::string FindData(const std::string& programFolder, const std::string& relative, DataKind kind) {
  if (programFolder.empty()) return {};
  for (const std::string& folder : {programFolder, InstalledDataFolder(programFolder)}) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / relative;
    if (IsKind(candidate, kind)) return candidate.string();
  }
  return {};
}

}  // namespace

std::string ProgramFolder() {
  std::error_code ec;
  // The link names the executable even when it was started through a
  // symbolic link (a link in ~/bin to a portable folder finds that folder).
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::string InstalledDataFolder(const std::string& programFolder) {
  if (programFolder.empty()) return {};
  return (std::filesystem::path(programFolder) / PLICORA_DATA_FROM_PROGRAM_FOLDER).lexically_normal().string();
}

std::string FindDataPath(const std::string& programFolder, const std::string& relative) {
  return FindData(programFolder, relative, DataKind::Any);
}

std::string HelpFilePath(const std::string& programFolder) {
  return FindData(programFolder, "help/index.html", DataKind::File);
}
std::string SampleFolder(const std::string& programFolder) {
  return FindData(programFolder, "Sample", DataKind::Folder);
}
std::string PickSoundPath(const std::string& programFolder) {
  return FindData(programFolder, "sound/pick.wav", DataKind::File);
}

std::string HelpFilePath() {
  return HelpFilePath(ProgramFolder());
}
std::string SampleFolder() {
  return SampleFolder(ProgramFolder());
}
std::string PickSoundPath() {
  return PickSoundPath(ProgramFolder());
}

}  // namespace plicora
