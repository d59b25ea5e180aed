#pragma once
// Small helpers shared by the tests: where the sample files are (tests/data),
// and scratch files that clean up after themselves.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace plicora::test {

/// A file of tests/data (e.g. "cube.plc", "damaged/empty.plc").
inline std::string FixturePath(std::string_view name) {
  return std::string(PLICORA_TEST_DATA_DIR) + "/" + std::string(name);
}

/// A private temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plicora-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

/// Writes bytes to a file (binary) and returns its path.
inline std::string WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// The variables that lead a program to the user's own files (profile, data,
/// caches), each with its folder under a private home. Tests point them all
/// there so that the real user's files never take part.
struct UserFolderVariable {
  const char* name;
  const char* underHome;
};
inline constexpr UserFolderVariable kUserFolderVariables[] = {{"HOME", ""},
                                                              {"XDG_CONFIG_HOME", "/config"},
                                                              {"XDG_DATA_HOME", "/data"},
                                                              {"XDG_CACHE_HOME", "/cache"},
                                                              {"XDG_STATE_HOME", "/state"}};

/// Points this process's user folders into `home` (test programs that create
/// windows or read profiles call it once before the application starts).
inline void UsePrivateHome(const TempDir& home) {
  for (const UserFolderVariable& v : kUserFolderVariables) setenv(v.name, (home.path() + v.underHome).c_str(), 1);
}

}  // namespace plicora::test
