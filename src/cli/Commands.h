#pragma once
// The batch commands; each returns the process exit status.

#include <string>

#include "cli/CommandLine.h"

namespace plicora {

int RunInfoCommand(const CommandLineOptions& options);
int RunPagesCommand(const CommandLineOptions& options);
int RunPartsCommand(const CommandLineOptions& options);
int RunFindJoinCommand(const CommandLineOptions& options);
int RunExportCommand(const CommandLineOptions& options);
int RunDecodeImageCommand(const CommandLineOptions& options);
int RunRender3dCommand(const CommandLineOptions& options);
int RunThumbnailCommand(const CommandLineOptions& options);
int RunDataPathsCommand();

}  // namespace plicora
