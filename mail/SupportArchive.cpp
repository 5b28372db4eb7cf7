#include "mail/SupportArchive.h"

#include "mail/SupportMail.h"
#include "model/base/Cp1252.h"

#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace zyn {
namespace {

namespace fs = std::filesystem;

std::string NewTempFolder() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "zyn-support-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data()))
    throw ESupportMailError(Ansi("Es konnte kein temporärer Ordner für den Anhang angelegt werden."));
  return std::string(buffer.data());
}

[[noreturn]] void Fail(const std::string& what) { throw ESupportMailError(what); }

}  // namespace

TSupportArchive::~TSupportArchive() { Remove(); }

void TSupportArchive::Remove() {
  if (fFolder.empty()) return;
  std::error_code ec;
  fs::remove_all(fFolder, ec);
  fFolder.clear();
  fZipPath.clear();
}

const std::string& TSupportArchive::Pack(const std::string& projectFile) {
  Remove();
  const std::string shown = Utf8ToAnsi(projectFile);
  {
    std::ifstream probe(projectFile, std::ios::binary);
    std::error_code ec;
    if (!probe || fs::is_directory(projectFile, ec))
      Fail(Ansi("Die Projektdatei \"") + shown + Ansi("\" konnte nicht gelesen werden."));
  }
  fFolder = NewTempFolder();
  const std::string zipPath = (fs::path(fFolder) / "Support.zip").string();
  try {
    int error = 0;
    zip_t* archive = zip_open(zipPath.c_str(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!archive) {
      zip_error_t ze;
      zip_error_init_with_code(&ze, error);
      const std::string reason = zip_error_strerror(&ze);
      zip_error_fini(&ze);
      Fail(Ansi("Das Archiv für den Anhang konnte nicht angelegt werden (") + reason + ").");
    }
    const auto failWith = [&](const std::string& text) {
      const std::string reason = zip_strerror(archive);
      zip_discard(archive);
      Fail(text + " (" + reason + ").");
    };
    zip_source_t* source = zip_source_file(archive, projectFile.c_str(), 0, -1);
    if (!source) failWith(Ansi("Die Projektdatei \"") + shown + Ansi("\" konnte nicht gelesen werden"));
    const std::string entry = fs::path(projectFile).filename().string();
    if (zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      failWith(Ansi("Die Projektdatei \"") + shown + Ansi("\" konnte nicht in das Archiv aufgenommen werden"));
    }
    if (zip_close(archive) < 0) failWith(Ansi("Das Archiv für den Anhang konnte nicht geschrieben werden"));
  } catch (...) {
    Remove();
    throw;
  }
  fZipPath = zipPath;
  return fZipPath;
}

}  // namespace zyn
