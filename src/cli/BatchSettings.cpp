#include "cli/BatchSettings.h"

#include <string>

#include "core/document/SettingKeys.h"
#include "core/document/SettingsStore.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "core/platform/ProfileFile.h"
#include "core/platform/ProfileLocation.h"

namespace plicora {
namespace {

void Report(const std::string& message, MessageKind kind = MessageKind::Error) {
  ShowMessage("plicora-viewer: " + message, kind);
}

/// Applies every override to `settings` and `model`; false after printing the first failure.
bool ApplyAll(const CommandLineOptions& options, Settings& settings, Model& model) {
  for (const auto& [key, value] : options.sets) {
    const std::string error = ApplySetting(key, value, settings, &model);
    if (!error.empty()) {
      Report("--set " + key + "=" + value + ": " + error);
      return false;
    }
  }
  return true;
}

}  // namespace

int PrepareBatchSettings(const CommandLineOptions& options, Settings& settings) {
  if (options.noProfile && options.profilePath) {
    Report("--profile and --no-profile cannot be given together");
    return kExitUsage;
  }
  if (options.profilePath) {
    ProfileFile profile;
    if (profile.Load(*options.profilePath) != ProfileFile::LoadResult::Read) {
      Report("cannot read the profile " + *options.profilePath);
      return kExitUsage;
    }
    LoadSettings(settings, profile);
  } else if (!options.noProfile) {
    const std::string path = DefaultProfilePath();
    if (!path.empty() && !LoadSettingsFile(settings, path))
      Report("warning: cannot read the profile " + path + "; the built-in settings are used", MessageKind::Warning);
  }
  // Overrides are checked now, so that a mistake is reported before any work.
  Settings scratchSettings = settings;
  Model scratchModel(settings.colors[kColorMaterial]);
  return ApplyAll(options, scratchSettings, scratchModel) ? kExitOk : kExitUsage;
}

int ApplyBatchOverrides(const CommandLineOptions& options, Settings& settings, Model& model) {
  return ApplyAll(options, settings, model) ? kExitOk : kExitUsage;
}

}  // namespace plicora
