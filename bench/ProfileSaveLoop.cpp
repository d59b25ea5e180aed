// Saves a profile over and over, so that scripts/interrupted-saves can kill
// the process in the middle of a save.
//
//   profile_save_loop PATH a|b     writes profile "a" or "b" once
//   profile_save_loop PATH loop    writes "a" and "b" in turn until killed
//
// The two profiles hold every preference (with different values) and a
// large section of other keys, so that a save takes long enough for a kill
// to land inside it.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/document/SettingsStore.h"
#include "core/platform/ProfileFile.h"

namespace {

constexpr int kPaddingKeys = 2000;

plicora::ProfileFile MakeProfile(bool second) {
  plicora::Settings settings;
  settings.bDrawFlap = !second;
  settings.bDrawNumber = second;
  plicora::ProfileFile profile;
  plicora::SaveSettings(settings, profile);
  const std::string value(400, second ? 'b' : 'a');
  for (int i = 0; i < kPaddingKeys; ++i) profile.SetString("Padding", "key" + std::to_string(i), value);
  return profile;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: profile_save_loop PATH a|b|loop\n");
    return 2;
  }
  const std::string path = argv[1];
  const plicora::ProfileFile a = MakeProfile(false), b = MakeProfile(true);
  if (std::strcmp(argv[2], "loop") != 0) return (std::strcmp(argv[2], "b") == 0 ? b : a).Save(path) ? 0 : 1;
  for (bool second = false;; second = !second) {
    std::string error;
    if (!(second ? b : a).Save(path, &error)) {
      std::fprintf(stderr, "profile_save_loop: %s\n", error.c_str());
      return 1;
    }
  }
}
