// --data-paths: where this executable finds its help, samples and pick sound
// (beside itself, or in the installed data folder). Installation checks and
// bug reports use it.

#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "core/platform/DataLocation.h"

namespace plicora {

int RunDataPathsCommand() {
  const std::string folder = ProgramFolder();
  const struct {
    const char* name;
    std::string path;
  } items[] = {
      {"help", HelpFilePath(folder)}, {"samples", SampleFolder(folder)}, {"pick sound", PickSoundPath(folder)}};
  bool complete = true;
  for (const auto& item : items) {
    std::printf("%s: %s\n", item.name, item.path.empty() ? "(missing)" : item.path.c_str());
    complete = complete && !item.path.empty();
  }
  return complete ? kExitOk : kExitFailed;
}

}  // namespace plicora
