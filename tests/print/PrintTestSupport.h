#pragma once
// What the print tests share: the one application (fonts need it), a temporary folder, and
// running the PDF readers on files the library writes.

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace zyn::test {

// A home of the test process's own, with its XDG folders, removed when the process ends.
inline void UseTemporaryHome() {
  static std::string home;
  if (!home.empty()) return;
  std::string templ = (std::filesystem::temp_directory_path() / "zyn_print_home_XXXXXX").string();
  if (!mkdtemp(templ.data())) return;
  home = templ;
  for (const char* sub : {"runtime", "cache", "config", "data"}) std::filesystem::create_directory(home + "/" + sub);
  chmod((home + "/runtime").c_str(), 0700);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
  });
}

inline void EnsureGuiApp() {
  if (!QCoreApplication::instance()) {
    UseTemporaryHome();
    static int argc = 1;
    static char name[] = "print_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
  }
}

// Standard output of a command, and its exit status.
inline std::string RunCommand(const std::string& cmd, int* status = nullptr) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int rc = pclose(p);
  if (status) *status = rc;
  return out;
}

}  // namespace zyn::test
