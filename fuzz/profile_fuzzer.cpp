// Any bytes as a profile: parsing must not fail, an unchanged profile must
// come back byte for byte, and values written must read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/document/SettingsStore.h"
#include "core/model/Settings.h"
#include "core/platform/ProfileFile.h"

using namespace plicora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ProfileFile profile = ProfileFile::Parse(bytes);
  if (profile.Serialize() != bytes) std::abort();

  Settings settings;
  LoadSettings(settings, profile);
  if (settings.printPpi <= 0 || settings.textureLimitSize <= 0) std::abort();
  (void)profile.GetString("Window", "left");
  (void)ParseProfileInteger(bytes.substr(0, 64));

  SaveSettings(settings, profile);
  const ProfileFile reread = ProfileFile::Parse(profile.Serialize());
  if (reread.GetInt(kSettingsSection, "iPrintPPIIndex") != settings.iPrintPPIIndex) std::abort();
  if (reread.GetInt(kSettingsSection, "color7") != static_cast<int>(settings.colors[7])) std::abort();
  Settings again;
  LoadSettings(again, reread);
  if (again.colors != settings.colors || again.bDrawColorEdge != settings.bDrawColorEdge) std::abort();
  return 0;
}
