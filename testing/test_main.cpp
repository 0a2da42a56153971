// The main of every unit-test program. Natively it first gives the process a home of its own, so
// that no test reaches the user's files or desktop settings: WindowsFolder() and GSettings
// follow the XDG variables, and the keyfile settings backend keeps GSettings off the session's
// settings daemon. Under Wine the tests already run in the build's own prefix.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "testing/test_support.h"

namespace {
class PrivateHome {
 public:
  PrivateHome() {
#ifndef _WIN32
    setenv("XDG_DATA_HOME", folder_.File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder_.File("config").c_str(), 1);
    setenv("XDG_CACHE_HOME", folder_.File("cache").c_str(), 1);
    setenv("XDG_STATE_HOME", folder_.File("state").c_str(), 1);
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
#endif
  }

 private:
#ifndef _WIN32
  TempFolder folder_;
#endif
};
}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Set before the first test: GLib reads these once, at its first use, and keeps them.
  PrivateHome home;
  return RUN_ALL_TESTS();
}
