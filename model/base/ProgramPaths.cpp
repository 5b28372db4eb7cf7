#include "model/base/ProgramPaths.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zyn {

std::string ProgramFilePath(const char* argv0) {
  std::vector<char> buf(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n > 0) return std::string(buf.data(), static_cast<size_t>(n));
  if (argv0 && *argv0) {
    if (char* resolved = ::realpath(argv0, nullptr)) {
      std::string path(resolved);
      std::free(resolved);
      return path;
    }
    return argv0;
  }
  return {};
}

std::string ExtractFilePath(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot > nameStart) return path.substr(0, dot) + extension;
  return path + extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + "/";
}

bool ForceDirectories(const std::string& folder) {
  if (folder.empty()) return false;
  std::string path;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = folder.find('/', pos + 1);
    path = folder.substr(0, pos);
    if (path.empty()) continue;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return false;
      continue;
    }
    if (::mkdir(path.c_str(), 0755) != 0) {
      if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    }
  }
  return true;
}

std::string UserConfigFolder() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
      if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
    }
    base = IncludeTrailingPathDelimiter(home ? home : "/tmp") + ".config";
  }
  return IncludeTrailingPathDelimiter(base) + "ZYN Systemsoftware/";
}

std::string ProgramDataFolder(const std::string& programPath) {
  const std::string folder = ExtractFilePath(programPath);
  if (!folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0) return folder;
  return UserConfigFolder();
}

std::string OptionFilePath(const std::string& programPath) {
  const size_t slash = programPath.rfind('/');
  const std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  return ProgramDataFolder(programPath) + ChangeFileExt(name, ".xml");
}

std::string SystemDataFolder(const std::string& programPath) { return ProgramDataFolder(programPath) + "data/system/"; }

}  // namespace zyn
