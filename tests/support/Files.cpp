#include "tests/support/Files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>

namespace zyn::test {

namespace fs = std::filesystem;

fs::path MakeUniqueFolder(const fs::path& parent, const std::string& stem) {
  std::string pattern = (parent / ("zyn_" + stem + "_XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder in " + parent.string());
  return fs::path(pattern);
}

void RemoveFolder(const fs::path& dir) {
  if (dir.empty()) return;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(dir, ec);
}

TempFolder::TempFolder(const std::string& stem) : fDir(MakeUniqueFolder(fs::temp_directory_path(), stem)) {}

TempFolder::~TempFolder() { RemoveFolder(fDir); }

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  const std::string text = ReadWholeFile(path);
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool WriteWholeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* p = popen((command + " 2>&1").c_str(), "r")) {
    char buf[512];
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    pclose(p);
  }
  return out;
}

bool XmllintAccepts(const fs::path& path) {
  const std::string cmd = "xmllint --noout '" + path.string() + "' 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

std::string CrLf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace zyn::test
