#pragma once
// The recent-files list of the main window: full file names, most recent first, kept in
// "MRUList.cfg" in the system data folder, one name per line. Names compare exactly: on Linux two
// names that differ only in case are two files.

#include <string>
#include <vector>

namespace zyn {

// Puts the name at the position (the top for 0): an entry equal to it moves there, otherwise it is
// inserted; then the list is trimmed to max entries.
void AddRecentFile(std::vector<std::string>& list, int position, const std::string& name, int max);
// Deletes entries from the end while there are more than max (negative counts as 0).
void TrimRecentFiles(std::vector<std::string>& list, int max);
// The names of the file, one per line, empty lines left out; an empty list when it does not exist.
std::vector<std::string> LoadRecentFiles(const std::string& fileName);
// Writes the names one per line, replacing the file; an empty list writes an empty file, so that
// names removed during the run do not come back. EWriteError (or std::exception) on failure.
void SaveRecentFiles(const std::string& fileName, const std::vector<std::string>& list);
// "MRUList.cfg" in the system data folder of the options.
std::string RecentFilesPath();

}  // namespace zyn
