#include "tests/support/TestHome.h"

#include "tests/support/Files.h"

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>

namespace zyn::test {

namespace fs = std::filesystem;

namespace {

fs::path gHome;

void RemoveHome() { RemoveFolder(gHome); }

}  // namespace

const std::string& TestHome() {
  static const std::string home = [] {
    gHome = MakeUniqueFolder(fs::temp_directory_path(), "home");
    // Registered before the tests make any static object, so it runs after their exit handlers
    // and destructors: files they write on the way out land in the home and go with it.
    std::atexit(RemoveHome);
    const struct {
      const char* variable;
      const char* folder;
    } xdg[] = {{"XDG_CONFIG_HOME", ".config"},
               {"XDG_DATA_HOME", ".local/share"},
               {"XDG_CACHE_HOME", ".cache"},
               {"XDG_STATE_HOME", ".local/state"},
               {"XDG_RUNTIME_DIR", "run"}};
    ::setenv("HOME", gHome.c_str(), 1);
    for (const auto& x : xdg) {
      const fs::path dir = gHome / x.folder;
      fs::create_directories(dir);
      fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
      ::setenv(x.variable, dir.c_str(), 1);
    }
    return gHome.string() + "/";
  }();
  return home;
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : fName(name) {
  const char* former = std::getenv(name.c_str());
  fWasSet = former != nullptr;
  if (former) fFormer = former;
  ::setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (fWasSet)
    ::setenv(fName.c_str(), fFormer.c_str(), 1);
  else
    ::unsetenv(fName.c_str());
}

}  // namespace zyn::test
