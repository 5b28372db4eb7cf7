#include "compiler/ui/CompilerDialogs.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/ui/FormFEdit.h"
#include "compiler/ui/FormModulKlassen.h"
#include "model/BasisDaten.h"
#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "shell/FormMain.h"
#include "shell/Translation.h"

namespace zyn {

namespace {

// The library file of that name in the system data folder (matched without regard to case when
// it exists, else the name as given).
std::string LibraryFile(const std::string& name) {
  const std::string folder = GetSystemPath();
  const std::string found = FindFileNoCase(folder, name);
  return found.empty() ? folder + name : found;
}

void EditLibrary(QWidget* parent, const std::string& name, bool withCommands,
                 std::unique_ptr<TZYNFunktionsListe>& global) {
  const std::string file = LibraryFile(name);
  TFrmFEdit editor(file, withCommands && GBasisDaten ? &GBasisDaten->BefehlsListen : nullptr, parent);
  editor.exec();
  if (!editor.SavedOwnFile()) return;
  auto fresh = std::make_unique<TZYNFunktionsListe>();
  try {
    fresh->LoadFromFile(file);
    global = std::move(fresh);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die gespeicherte Funktionsbibliothek konnte nicht wieder gelesen werden.") + "\r" + e.what());
  }
}

}  // namespace

void RegisterCompilerDialogs() {
  RegisterCommand("Modulklassen1", [](QWidget* parent) {
    TFrmModulKlassen editor(GetSystemPath(), parent);
    editor.exec();
  });
  RegisterCommand("FEditStandard", [](QWidget* parent) { EditLibrary(parent, "funcs.zyb", true, GSystemTools); });
  RegisterCommand("FEditUser", [](QWidget* parent) { EditLibrary(parent, "userfuncs.zyb", false, GUserTools); });
}

}  // namespace zyn
