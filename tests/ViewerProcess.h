#pragma once
// Runs the real executable as a new user would: its home and XDG folders are
// private, so the real user's profile, data and caches never take part, and
// what it prints is captured.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TestSupport.h"

namespace plicora::test {

struct ViewerRun {
  int status = -1;  ///< exit status; -1 when the program did not exit normally
  std::string out;  ///< standard output
  std::string err;  ///< standard error
};

/// Runs the viewer with `args` (already quoted for the shell) with `home` as
/// its home: a profile the test writes to home/config/plicora-viewer/ is the
/// user's profile of that run.
inline ViewerRun RunViewer(const TempDir& home, const std::string& args) {
  const TempDir capture;
  std::string command;
  for (const UserFolderVariable& v : kUserFolderVariables)
    command += std::string(v.name) + "='" + home.path() + v.underHome + "' ";
  command += std::string("'") + PLICORA_VIEWER_EXE + "' " + args + " >'" + capture.File("out") + "' 2>'" +
             capture.File("err") + "'";
  const int raw = std::system(command.c_str());
  return ViewerRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(capture.File("out")),
                   ReadFile(capture.File("err"))};
}

/// The same in a new empty home, removed afterwards.
inline ViewerRun RunViewer(const std::string& args) {
  return RunViewer(TempDir(), args);
}

}  // namespace plicora::test
