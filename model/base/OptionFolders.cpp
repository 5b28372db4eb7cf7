#include "model/base/OptionFolders.h"

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace zyn {

namespace fs = std::filesystem;

namespace {

// Why a folder could not be made, in German (model text).
std::string Reason(const std::error_code& ec) {
  switch (ec.value()) {
    case EACCES:
    case EPERM:
      return TranslateText("keine Berechtigung");
    case EROFS:
      return TranslateText(Ansi("schreibgeschütztes Laufwerk"));
    case ENOTDIR:
    case EEXIST:
      return TranslateText(Ansi("eine Datei gleichen Namens ist im Weg"));
    case ENOSPC:
      return TranslateText(Ansi("kein Platz auf dem Laufwerk"));
    default:
      return ec.message();
  }
}

}  // namespace

std::string OptionFolderPath(const std::string& option, const std::string& optionFileName) {
  if (option.empty()) return {};
  fs::path folder(option);
  if (folder.is_relative()) folder = fs::path(ExtractFilePath(optionFileName)) / folder;
  std::string result = folder.lexically_normal().string();
  while (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

std::vector<TFolderProblem> EnsureOptionFolders(const TPathItem& paths, const std::string& optionFileName) {
  std::vector<TFolderProblem> problems;
  for (int index = poSystemPath; index <= poGfxPath; ++index) {
    const std::string folder = OptionFolderPath(paths.GetPath(index), optionFileName);
    if (folder.empty()) continue;
    std::error_code ec;
    if (fs::is_directory(folder, ec)) continue;
    ec.clear();
    fs::create_directories(folder, ec);
    std::error_code probe;
    if (!ec && fs::is_directory(folder, probe)) continue;
    if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
    std::string text = TranslateText("Der Ordner \"%s\" konnte nicht angelegt werden");
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, Utf8ToAnsi(folder));
    problems.push_back({folder, text + " (" + Reason(ec) + ")."});
  }
  return problems;
}

std::string FolderProblemsText(const std::vector<TFolderProblem>& problems) {
  std::string text;
  for (const TFolderProblem& p : problems) text += (text.empty() ? "" : "\r") + p.Message;
  return text;
}

}  // namespace zyn
