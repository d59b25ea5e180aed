#pragma once
// The window's start and end: the application object, the document, the
// main frame with its splash, and the file given on the command line.

#include <string>

namespace plicora {

struct WindowOptions {
  std::string path;         ///< work file to open once the window shows (may be empty)
  std::string profilePath;  ///< profile read at start and written at close
  bool splash = true;
};

/// True when a display (or an explicitly chosen Qt platform) is available.
bool HasDisplay();

/// Runs the window until it is closed; returns the exit status.
int RunWindow(int argc, char** argv, const WindowOptions& options);

}  // namespace plicora
