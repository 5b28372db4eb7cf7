// Entry point of the ZYN Systemsoftware. The main window is not there yet: until it is, the
// programme brings up what exists (translation table, options file, version data) and says so.

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "model/base/VersionInfo.h"
#include "model/base/ZYNOptionen.h"

namespace {

void Say(const std::string& ansi) { std::printf("%s\n", zyn::AnsiToUtf8(ansi).c_str()); }

}  // namespace

int main(int argc, char** argv) {
  using namespace zyn;
  const std::string programPath = ProgramFilePath(argc > 0 ? argv[0] : nullptr);
  LoadLanguageFile();

  const TzsVersionInfoResource version;
  const std::string versionText = " V" + std::to_string(version.FileVersion().GetPart(0)) + "." +
                                  std::to_string(version.FileVersion().GetPart(1));
  Say(TranslateText("ZORV ZYN Systemsoftware") + versionText + " (" + version.FileVersion().GetAsString() + ")");

  const std::string optionFile = OptionFilePath(programPath);
  GOptionFile = std::make_unique<TZYNOptionFile>(ProgramDataFolder(programPath));
  GOptionFile->LoadFromFile(optionFile);
  int result = 0;
  try {
    ForceDirectories(ExtractFilePath(optionFile));
    if (GOptionFile->ApplyFirstRun(optionFile)) {
      Say(Ansi("Erster Start: die Optionen wurden mit den Vorgabewerten angelegt."));
    }
    Say(Ansi("Optionsdatei: ") + Utf8ToAnsi(optionFile));
  } catch (const std::exception& e) {
    Say(Ansi("Die Optionsdatei ") + Utf8ToAnsi(optionFile) + Ansi(" konnte nicht gespeichert werden: ") + e.what());
    result = 1;
  }
  Say(Ansi("Das Hauptfenster ist noch nicht vorhanden."));

  // The options are saved again at the end of every run.
  try {
    GOptionFile->SaveToFile(optionFile);
  } catch (const std::exception& e) {
    Say(Ansi("Die Optionsdatei ") + Utf8ToAnsi(optionFile) + Ansi(" konnte nicht gespeichert werden: ") + e.what());
    result = 1;
  }
  GOptionFile.reset();
  GLanguageFile.reset();
  return result;
}
