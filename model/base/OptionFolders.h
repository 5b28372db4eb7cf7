#pragma once
// The data folders the options name (system data, projects, database, plug-ins, downloads,
// pictures). Every part of the programme that needs them to exist asks EnsureOptionFolders: the
// start does, and so does the options page when the user changed a folder. No Qt.

#include <string>
#include <vector>

namespace zyn {

class TPathItem;

// One folder that could not be made: the native folder name and the German message (model text)
// that names it.
struct TFolderProblem {
  std::string Folder;
  std::string Message;
};

// Makes each folder of the path options that does not exist, with its missing parents. A relative
// folder lies beside the options file (optionFileName: native). An empty option is left alone.
// Answers the folders that could not be made (none when every folder exists afterwards).
std::vector<TFolderProblem> EnsureOptionFolders(const TPathItem& paths, const std::string& optionFileName);

// The folder named by a path option as a native folder name: relative ones beside the options
// file, without a trailing "/" ("" for an empty option).
std::string OptionFolderPath(const std::string& option, const std::string& optionFileName);

// All problems in one German text, one line each ("" when there are none).
std::string FolderProblemsText(const std::vector<TFolderProblem>& problems);

}  // namespace zyn
