#include "project/Global.h"

#include "compiler/toollib/FunktionsListe.h"
#include "display/DispObserver.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Kennlinien.h"
#include "model/LinkMaintenance.h"
#include "model/Observer.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/OptionFolders.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "project/Projekt.h"
#include "project/SystemHelpers.h"

#include <algorithm>
#include <filesystem>

namespace zyn {

std::unique_ptr<TBasisDaten> GBasisDaten;
std::unique_ptr<TZYNKennlinienListe> GKennlinien;
std::unique_ptr<TCustomObserver> GModulObserver, GUhrenObserver, GMerkerObserver, GTextObserver, GGruppenObserver,
    GSpareObserver;
std::unique_ptr<TZYNProjekt> GProjekt;
std::unique_ptr<TZYNFunktionsListe> GSystemTools;
std::unique_ptr<TZYNFunktionsListe> GUserTools;
bool GPortOpen = false;
bool GShowObjectHints = true;
std::string GVersionText;
std::string GProgramTitle;
std::string GProgramTag;
std::array<std::string, 3> GPORStateNames;
std::array<std::string, 2> GYesNoNames;
std::array<std::string, 3> GAlignmentNames;

namespace {

namespace fs = std::filesystem;

bool gInitialised = false;
std::string gOptionFileName;
std::unique_ptr<TDisplayObserver> gDisplayObserver;

std::string T(const char* utf8) { return TranslateText(Ansi(utf8)); }

void Report(const TGlobalSetup& setup, const std::string& text, TStartMessageButton button) {
  if (setup.OnMessage) setup.OnMessage(text, button);
}

// Loads a tool library of the system data folder (its name matched without regard to case).
// False when the file is missing; a damaged file is reported with its read error and leaves the
// library empty.
bool LoadToolLibrary(const TGlobalSetup& setup, TZYNFunktionsListe& list, const std::string& folder,
                     const std::string& name) {
  const std::string file = FindFileNoCase(folder, name);
  if (file.empty()) return false;
  try {
    return list.LoadFromFile(file);
  } catch (const std::exception& e) {
    list.Clear();
    Report(setup, Ansi("Die Funktionsbibliothek \"") + name + Ansi("\" ist beschädigt: ") + e.what(),
           TStartMessageButton::Cancel);
    return true;  // present, but not usable: the damage was reported instead of "not found"
  }
}

}  // namespace

void InitGlobalTexts() {
  GProgramTag = T(" ZORV ZYN V") + std::string(1, static_cast<char>(255));
  GPORStateNames = {T("Aus"), T("Memory"), T("Ein")};
  GYesNoNames = {T("Nein"), T("Ja")};
  GAlignmentNames = {T("linksbündig"), T("rechtsbündig"), T("zentriert")};
}

const std::string& OptionFileName() { return gOptionFileName; }

int SeedFolder(const std::string& source, const std::string& target) {
  std::error_code ec;
  if (source.empty() || !fs::is_directory(source, ec)) return 0;
  fs::create_directories(target, ec);
  int copied = 0;
  for (const auto& entry : fs::directory_iterator(source, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const fs::path to = fs::path(target) / entry.path().filename();
    if (fs::exists(to, ec)) continue;
    try {
      const std::vector<uint8_t> bytes = ReadFileBytes(entry.path().string());
      WriteFileAtomic(to.string(), bytes.data(), bytes.size());
      ++copied;
    } catch (const std::exception&) {
      // A file that cannot be copied is missed like any other missing file below.
    }
  }
  return copied;
}

void InitGlobals(const TGlobalSetup& setup) {
  if (gInitialised) return;
  gInitialised = true;
  // 1, 2: program texts and title.
  InitGlobalTexts();
  GVersionText = " V" + GetProgramVersion();
  GProgramTitle = T("ZORV ZYN Systemsoftware") + GVersionText;

  // 3: names, base data, curves, options.
  GUniqueNames = std::make_unique<TUniqueNames>();
  GBasisDaten = std::make_unique<TBasisDaten>();
  GKennlinien = std::make_unique<TZYNKennlinienListe>();
  GOptionFile = std::make_unique<TZYNOptionFile>(ProgramDataFolder(setup.ProgramPath));

  // 4, 5: the options file; its defaults on the first run, saved at once.
  gOptionFileName = OptionFilePath(setup.ProgramPath);
  if (FileExists(gOptionFileName)) GOptionFile->LoadFromFile(gOptionFileName);
  try {
    GOptionFile->ApplyFirstRun(gOptionFileName);
  } catch (const std::exception&) {
    // The defaults stay applied in memory; the file is written again at the end of the run.
  }

  // Every data folder the options name exists before anything is read or written there.
  for (const TFolderProblem& problem : EnsureOptionFolders(GOptionFile->Optionen().Path->First(), gOptionFileName))
    Report(setup, problem.Message, TStartMessageButton::OK);

  const std::string systemPath = GetSystemPath();
  SeedFolder(setup.DefaultSystemData, systemPath);

  // 6, 7: the tool libraries; the user library is optional.
  GSystemTools = std::make_unique<TZYNFunktionsListe>();
  if (!LoadToolLibrary(setup, *GSystemTools, systemPath, "funcs.zyb"))
    Report(setup, T("Die Funktionsmakros wurden nicht gefunden"), TStartMessageButton::Cancel);
  GUserTools = std::make_unique<TZYNFunktionsListe>();
  LoadToolLibrary(setup, *GUserTools, systemPath, "userfuncs.zyb");

  // 8: base data.
  if (!GBasisDaten->Load(systemPath))
    Report(setup, T("Die Basisdaten wurden nicht gefunden"), TStartMessageButton::Cancel);
  else
    for (const std::string& problem : GBasisDaten->Problems()) Report(setup, problem, TStartMessageButton::Cancel);

  // 9: dimmer curves.
  const TKennlinienLoad curves = GKennlinien->LoadOrCreate(systemPath + "Kennlinien.xml", *GUniqueNames);
  if (curves.Status == TKennlinienLoad::DefaultsMade)
    Report(setup, T("Die Kennlinien wurden nicht gefunden"), TStartMessageButton::OK);
  else if (!curves.Message.empty())
    Report(setup, curves.Message, TStartMessageButton::OK);

  // 10: observers.
  GModulObserver = std::make_unique<TCustomObserver>();
  GUhrenObserver = std::make_unique<TCustomObserver>();
  GMerkerObserver = std::make_unique<TCustomObserver>();
  GTextObserver = std::make_unique<TCustomObserver>();
  GGruppenObserver = std::make_unique<TCustomObserver>();
  GSpareObserver = std::make_unique<TCustomObserver>();
  gDisplayObserver = std::make_unique<TDisplayObserver>();
  GDisplayObserver = gDisplayObserver.get();

  // 11.
  GShowObjectHints = true;
  GPortOpen = false;
}

void FreeGlobals() {
  if (!gInitialised) return;
  ClearObserverEvents();
  GDisplayObserver = nullptr;
  gDisplayObserver.reset();
  for (auto* o :
       {&GModulObserver, &GUhrenObserver, &GMerkerObserver, &GTextObserver, &GGruppenObserver, &GSpareObserver})
    o->reset();
  GKennlinien.reset();
  GBasisDaten.reset();
  GSystemTools.reset();
  GUserTools.reset();
  GUniqueNames.reset();
  if (GOptionFile) {
    try {
      GOptionFile->SaveToFile(gOptionFileName);
    } catch (const std::exception&) {
      // Nothing to tell at program end.
    }
    GOptionFile.reset();
  }
  GProgramTitle.clear();
  GProgramTag.clear();
  GVersionText.clear();
  gOptionFileName.clear();
  gInitialised = false;
}

void AttachObservers() {
  if (!GProjekt) return;
  GProjekt->AttachModulObserver(GModulObserver.get());
  GProjekt->AttachUhrenObserver(GUhrenObserver.get());
  GProjekt->AttachMerkerObserver(GMerkerObserver.get());
  GProjekt->AttachTextObserver(GTextObserver.get());
  GProjekt->AttachGruppenObserver(GGruppenObserver.get());
}

namespace {

// The control module and the kind (base class, 25, 26, 253, 254) of an observed object.
bool ObservedKind(TBaseObject* s, int& stm, int& kind) {
  if (auto* m = dynamic_cast<TModul*>(s); m && m->Steuermodul()) {
    stm = m->Steuermodul()->Adresse();
    kind = m->BasisKlasse;
    return true;
  }
  const TSteuermodul* owner = nullptr;
  if (auto* u = dynamic_cast<TUhr*>(s)) {
    owner = u->Steuermodul;
    kind = kObjUhr;
  } else if (auto* f = dynamic_cast<TMerker*>(s)) {
    owner = f->Steuermodul;
    kind = kObjMerker;
  } else if (auto* t = dynamic_cast<TAnzeigetext*>(s)) {
    owner = t->Steuermodul;
    kind = kObjAnzeigetext;
  } else if (auto* g = dynamic_cast<TGruppe*>(s)) {
    owner = g->Steuermodul;
    kind = kObjGruppe;
  }
  if (owner == nullptr) return false;
  stm = owner->Adresse();
  return true;
}

// Each group of changes of one kind in one control module goes to the project as one map.
void NumbersChanged(const std::vector<TValueChange>& changes) {
  std::vector<std::pair<std::pair<int, int>, TRenumberMap>> groups;
  for (const TValueChange& c : changes) {
    int stm = 0;
    int kind = 0;
    if (!ObservedKind(c.Sender, stm, kind)) continue;
    const bool modul = kind >= 0 && kind <= 7;
    const TRenumbering r{modul ? LogicTypeOfModul(kind, c.OldValue) : kind, c.OldValue, c.NewValue,
                         modul ? c.Sender : nullptr};
    auto at = std::find_if(groups.begin(), groups.end(), [&](const auto& g) {
      return g.first == std::pair{stm, kind};
    });
    if (at == groups.end()) {
      groups.push_back({{stm, kind}, {}});
      at = groups.end() - 1;
    }
    at->second.push_back(r);
  }
  for (const auto& [key, map] : groups) GProjekt->ObjectAddressesChanged(key.first, key.second, map);
}

}  // namespace

void HookObserverReactions(TReactionRunner run) {
  auto guarded = [run](std::function<void()> reaction) {
    auto safe = [reaction] {
      try {
        if (GProjekt) reaction();
      } catch (const std::exception&) {
        // The links keep their references; nothing else depends on it.
      }
    };
    if (run)
      run(safe);
    else
      safe();
  };
  if (GModulObserver)
    GModulObserver->OnClientDeleted = [guarded](TBaseObject* s) {
      if (auto* m = dynamic_cast<TModul*>(s); m && m->Steuermodul())
        guarded([m] { GProjekt->ModulDeleted(m->Steuermodul()->Adresse(), *m); });
    };
  if (GUhrenObserver)
    GUhrenObserver->OnClientDeleted = [guarded](TBaseObject* s) {
      if (auto* u = dynamic_cast<TUhr*>(s); u && u->Steuermodul)
        guarded([u] { GProjekt->UhrDeleted(u->Steuermodul->Adresse(), *u); });
    };
  if (GMerkerObserver)
    GMerkerObserver->OnClientDeleted = [guarded](TBaseObject* s) {
      if (auto* f = dynamic_cast<TMerker*>(s); f && f->Steuermodul)
        guarded([f] { GProjekt->MerkerDeleted(f->Steuermodul->Adresse(), *f); });
    };
  if (GTextObserver)
    GTextObserver->OnClientDeleted = [guarded](TBaseObject* s) {
      if (auto* t = dynamic_cast<TAnzeigetext*>(s); t && t->Steuermodul)
        guarded([t] { GProjekt->TextDeleted(t->Steuermodul->Adresse(), *t); });
    };
  if (GGruppenObserver)
    GGruppenObserver->OnClientDeleted = [guarded](TBaseObject* s) {
      if (auto* g = dynamic_cast<TGruppe*>(s); g && g->Steuermodul)
        guarded([g] { GProjekt->GruppeDeleted(g->Steuermodul->Adresse(), *g); });
    };
  for (auto* o : {GModulObserver.get(), GUhrenObserver.get(), GMerkerObserver.get(), GTextObserver.get(),
                  GGruppenObserver.get()}) {
    if (o == nullptr) continue;
    o->OnClientValueChanged = [guarded](TBaseObject* s, int32_t oldValue, int32_t newValue) {
      guarded([=] { NumbersChanged({TValueChange{s, oldValue, newValue}}); });
    };
    o->OnClientValuesChanged = [guarded](const std::vector<TValueChange>& changes) {
      guarded([changes] { NumbersChanged(changes); });
    };
  }
}

void ClearObserverEvents() {
  for (auto* o : {&GModulObserver, &GUhrenObserver, &GMerkerObserver, &GTextObserver, &GGruppenObserver}) {
    if (!*o) continue;
    (*o)->OnClientValueChanged = nullptr;
    (*o)->OnClientValuesChanged = nullptr;
    (*o)->OnClientDeleted = nullptr;
  }
}

void DetachObservers() {
  if (GDisplayObserver) GDisplayObserver->Clear();
  if (!GProjekt) return;
  GProjekt->DetachModulObserver(GModulObserver.get());
  GProjekt->DetachMerkerObserver(GMerkerObserver.get());
  GProjekt->DetachUhrenObserver(GUhrenObserver.get());
  GProjekt->DetachTextObserver(GTextObserver.get());
  GProjekt->DetachGruppenObserver(GGruppenObserver.get());
}

}  // namespace zyn
