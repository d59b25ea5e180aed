// plicora-viewer: with a work file the window opens; with a batch option the
// program works headless and exits.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/platform/MessageSink.h"
#include "core/platform/ProfileLocation.h"
#include "gui/app/Application.h"

using namespace plicora;

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParseResult parsed = ParseCommandLine(args);
  if (!parsed.error.empty()) {
    ShowMessage("plicora-viewer: " + parsed.error + "\nTry 'plicora-viewer --help'.", MessageKind::Error);
    return kExitUsage;
  }
  const CommandLineOptions& options = parsed.options;
  switch (options.command) {
    case BatchCommand::Help:
      std::fputs(UsageText().c_str(), stdout);
      return kExitOk;
    case BatchCommand::Version:
      std::printf("plicora-viewer %s\n", PLICORA_VERSION);
      return kExitOk;
    case BatchCommand::Info:
      return RunInfoCommand(options);
    case BatchCommand::Pages:
      return RunPagesCommand(options);
    case BatchCommand::Parts:
      return RunPartsCommand(options);
    case BatchCommand::FindJoin:
      return RunFindJoinCommand(options);
    case BatchCommand::Export:
      return RunExportCommand(options);
    case BatchCommand::DecodeImage:
      return RunDecodeImageCommand(options);
    case BatchCommand::Render3d:
      return RunRender3dCommand(options);
    case BatchCommand::Thumbnail:
      return RunThumbnailCommand(options);
    case BatchCommand::DataPaths:
      return RunDataPathsCommand();
    case BatchCommand::None:
      break;
  }
  if (!HasDisplay()) {
    ShowMessage(
        "plicora-viewer: no display to open the window on (DISPLAY is not set); "
        "batch options such as --info and --export work without one.",
        MessageKind::Error);
    return kExitUsage;
  }
  WindowOptions window;
  window.path = options.inputPath;
  window.profilePath = options.noProfile ? std::string() : options.profilePath.value_or(DefaultProfilePath());
  return RunWindow(argc, argv, window);
}
