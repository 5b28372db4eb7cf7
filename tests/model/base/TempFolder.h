#pragma once
// Test helpers: a temporary folder removed after the test, whole-file reading and the independent
// XML check with xmllint.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zyn::test {

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/zyn_test_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    fPath = made ? made : "";
  }
  ~TempFolder() {
    std::error_code ec;
    if (!fPath.empty()) std::filesystem::remove_all(fPath, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing "/".
  std::string Path() const { return fPath + "/"; }
  std::string File(const std::string& name) const { return Path() + name; }

 private:
  std::string fPath;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// True when xmllint finds the file well-formed.
inline bool XmllintAccepts(const std::string& path) {
  const std::string cmd = "xmllint --noout '" + path + "'";
  return std::system(cmd.c_str()) == 0;
}

// "\n" line ends as CR LF.
inline std::string CrLf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace zyn::test
