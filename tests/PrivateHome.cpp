// Every test program runs with its user folders (home, XDG configuration,
// data, cache and state) in a private temporary folder, set before any test
// or application object starts: no test reads or writes the real user's
// profile, recent files or caches. Tests that need a profile of their own
// write it into a folder they name.

#include "TestSupport.h"

namespace {

struct PrivateHome {
  plicora::test::TempDir folder;
  PrivateHome() { plicora::test::UsePrivateHome(folder); }
};

const PrivateHome gPrivateHome;

}  // namespace
