#pragma once
// Where the programme keeps its own files. The programme's folder is used when it is writable;
// otherwise (an installation in a system folder) the user's configuration folder takes its place:
// $XDG_CONFIG_HOME, or ~/.config, with the subfolder "ZYN Systemsoftware". All paths here are
// native file names (UTF-8 on Linux).

#include <string>

namespace zyn {

// The running programme's file: /proc/self/exe, else argv0 made absolute, else argv0 itself.
std::string ProgramFilePath(const char* argv0 = nullptr);

// The folder part of a path with a trailing "/" ("" for a bare file name).
std::string ExtractFilePath(const std::string& path);
// The file name with its last extension replaced (or added): ("/a/zyn", ".xml") gives "/a/zyn.xml".
std::string ChangeFileExt(const std::string& path, const std::string& extension);
// The path with a trailing "/" (unchanged when it already has one or is empty).
std::string IncludeTrailingPathDelimiter(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& folder);

// The user's configuration folder of the programme, with a trailing "/".
std::string UserConfigFolder();
// The folder of the programme's own files, with a trailing "/": the programme's folder when it
// is writable, else UserConfigFolder().
std::string ProgramDataFolder(const std::string& programPath);
// The options file: the programme's file name with the extension ".xml" in ProgramDataFolder.
std::string OptionFilePath(const std::string& programPath);
// The default system data folder "data/system/" below ProgramDataFolder.
std::string SystemDataFolder(const std::string& programPath);

}  // namespace zyn
