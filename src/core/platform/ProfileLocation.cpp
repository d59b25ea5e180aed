#include "core/platform/ProfileLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace plicora {
namespace {

constexpr const char* kFolderName = "plicora-viewer";
constexpr const char* kFileName = "plicora-viewer.ini";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

std::string ExecutablePath() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

}  // namespace

std::string ProfilePathBesideExecutable(const std::string& executablePath) {
  if (executablePath.empty()) return {};
  std::filesystem::path path(executablePath);
  path.replace_extension(".ini");
  return path.string();
}

std::string UserProfilePath(const std::string& xdgConfigHome, const std::string& home) {
  std::filesystem::path folder;
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
    folder = xdgConfigHome;
  } else if (!home.empty()) {
    folder = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return (folder / kFolderName / kFileName).string();
}

std::string ChooseProfilePath(const std::string& executablePath, const std::string& xdgConfigHome,
                              const std::string& home) {
  const std::string beside = ProfilePathBesideExecutable(executablePath);
  std::error_code ec;
  if (!beside.empty() && std::filesystem::is_regular_file(beside, ec)) return beside;
  return UserProfilePath(xdgConfigHome, home);
}

std::string DefaultProfilePath() {
  return ChooseProfilePath(ExecutablePath(), Environment("XDG_CONFIG_HOME"), HomeFolder());
}

bool EnsureProfileFolder(const std::string& profilePath) {
  const std::filesystem::path folder = std::filesystem::path(profilePath).parent_path();
  if (folder.empty()) return true;
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  // The configuration folder is private to the user.
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  return std::filesystem::is_directory(folder, ec);
}

}  // namespace plicora
