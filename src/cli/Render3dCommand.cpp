#include <cstdio>

#include "cli/Commands.h"

namespace plicora {

int RunRender3dCommand(const CommandLineOptions&) {
  std::fputs("this command is not available in this build\n", stderr);
  return kExitUsage;
}

}  // namespace plicora
