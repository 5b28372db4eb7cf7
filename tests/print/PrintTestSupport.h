#pragma once
// What the print tests share: the one application (fonts need it), a temporary folder, and
// running the PDF readers on files the library writes.

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

namespace zyn::test {

inline void EnsureGuiApp() {
  if (!qApp) {
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
