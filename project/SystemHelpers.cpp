#include "project/SystemHelpers.h"

#include "model/base/Streams.h"
#include "model/base/VersionInfo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zyn {

namespace {

namespace fs = std::filesystem;

TProcessEventsHook& Hook() {
  static TProcessEventsHook hook;
  return hook;
}

fs::path TrashFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return fs::path(xdg) / "Trash";
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  return fs::path(home) / ".local" / "share" / "Trash";
}

std::string PercentEncode(const std::string& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

// Reserves a free name in the trash by creating its .trashinfo file exclusively; empty on failure.
std::string ReserveTrashName(const fs::path& trash, const fs::path& original) {
  std::error_code ec;
  fs::create_directories(trash / "files", ec);
  fs::create_directories(trash / "info", ec);
  const std::string stem = original.filename().string();
  char date[32];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  for (int n = 0; n < 1000; ++n) {
    const std::string name = n == 0 ? stem : stem + "." + std::to_string(n);
    const fs::path info = trash / "info" / (name + ".trashinfo");
    if (fs::exists(trash / "files" / name, ec)) continue;
    FILE* f = std::fopen(info.c_str(), "wx");
    if (!f) continue;
    std::fprintf(f, "[Trash Info]\nPath=%s\nDeletionDate=%s\n", PercentEncode(original.string()).c_str(), date);
    const bool ok = std::fclose(f) == 0;
    if (ok) return name;
    fs::remove(info, ec);
  }
  return {};
}

// Removes the oldest trash entries of the same original file until at most `keep` remain.
void LimitTrashCopies(const fs::path& trash, const fs::path& original, int keep) {
  std::error_code ec;
  const std::string wanted = "Path=" + PercentEncode(original.string());
  struct TEntry {
    std::string Date;
    std::string Name;
  };
  std::vector<TEntry> entries;
  for (fs::directory_iterator it(trash / "info", ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path info = it->path();
    if (info.extension() != ".trashinfo") continue;
    std::ifstream in(info);
    std::string line, path, date;
    while (std::getline(in, line)) {
      if (line.rfind("Path=", 0) == 0) path = line;
      if (line.rfind("DeletionDate=", 0) == 0) date = line.substr(13);
    }
    if (path == wanted) entries.push_back({date, info.stem().string()});
  }
  if (static_cast<int>(entries.size()) <= keep) return;
  std::sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
    return a.Date != b.Date                 ? a.Date < b.Date
           : a.Name.size() != b.Name.size() ? a.Name.size() < b.Name.size()
                                            : a.Name < b.Name;
  });
  for (size_t i = 0; i + keep < entries.size(); ++i) {
    fs::remove(trash / "files" / entries[i].Name, ec);
    fs::remove(trash / "info" / (entries[i].Name + ".trashinfo"), ec);
  }
}

bool ToTrash(const std::string& fileName, bool keepOriginal) {
  try {
    std::error_code ec;
    const fs::path original = fs::absolute(fileName, ec);
    if (ec || !fs::is_regular_file(original, ec)) return false;
    const fs::path trash = TrashFolder();
    if (trash.empty()) return false;
    LimitTrashCopies(trash, original, kTrashCopiesPerFile - 1);
    const std::string name = ReserveTrashName(trash, original);
    if (name.empty()) return false;
    const fs::path target = trash / "files" / name;
    bool done = false;
    if (keepOriginal) {
      done = fs::copy_file(original, target, fs::copy_options::none, ec) && !ec;
    } else {
      fs::rename(original, target, ec);
      done = !ec;
      if (!done) {  // another file system: copy, then remove the original
        ec.clear();
        done = fs::copy_file(original, target, fs::copy_options::none, ec) && !ec && fs::remove(original, ec);
      }
    }
    if (!done) fs::remove(trash / "info" / (name + ".trashinfo"), ec);
    return done;
  } catch (...) {
    return false;
  }
}

}  // namespace

bool DeleteToRecycleBin(const std::string& fileName) { return ToTrash(fileName, false); }

bool CopyToRecycleBin(const std::string& fileName) { return ToTrash(fileName, true); }

int RemoveLeftSaveCopies(const std::string& projectFile) {
  int removed = RemoveStaleTempFiles(projectFile);
  const std::string copy = projectFile + ".~zyn";
  removed += RemoveStaleTempFiles(copy);
  std::error_code ec;
  if (fs::is_regular_file(copy, ec) && fs::remove(copy, ec)) ++removed;
  return removed;
}

std::string GetProgramVersion() {
  const TVersionResource v = OwnVersionResource();
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d", static_cast<int>(v.Fixed.FileVersionMS >> 16),
                static_cast<int>(v.Fixed.FileVersionMS & 0xFFFF));
  return text;
}

void SetProcessEventsHook(TProcessEventsHook hook) { Hook() = std::move(hook); }

void WaitMilliseconds(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (Hook()) Hook()();
    const auto left = end - std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(5)));
  }
}

}  // namespace zyn
