#include "shell/RecentFiles.h"

#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"

#include <algorithm>
#include <fstream>

namespace zyn {

void TrimRecentFiles(std::vector<std::string>& list, int max) {
  const size_t limit = static_cast<size_t>(std::max(max, 0));
  if (list.size() > limit) list.resize(limit);
}

void AddRecentFile(std::vector<std::string>& list, int position, const std::string& name, int max) {
  if (name.empty()) return;
  list.erase(std::remove(list.begin(), list.end(), name), list.end());
  const size_t at = std::min(static_cast<size_t>(std::max(position, 0)), list.size());
  list.insert(list.begin() + static_cast<long>(at), name);
  TrimRecentFiles(list, max);
}

std::vector<std::string> LoadRecentFiles(const std::string& fileName) {
  std::vector<std::string> list;
  std::ifstream in(fileName, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) list.push_back(line);
  }
  return list;
}

void SaveRecentFiles(const std::string& fileName, const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& name : list) text += name + "\n";
  WriteFileAtomic(fileName, text);
}

std::string RecentFilesPath() { return GetSystemPath() + "MRUList.cfg"; }

}  // namespace zyn
