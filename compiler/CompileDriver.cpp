#include "compiler/CompileDriver.h"

#include "compiler/ClockTable.h"
#include "compiler/CompileContext.h"
#include "compiler/CompileError.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/EACompiler.h"
#include "compiler/ZYNCompiler.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/Streams.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "visu/VisuLinks.h"

#include <algorithm>
#include <unordered_map>

namespace zyn {

namespace {

constexpr size_t kCombination = 326;  // the combination address a compile run fills in

// The same record, apart from the combination address.
bool SameLink(const TVerbindung& a, const TVerbindung& b) {
  const auto& ha = a.Header();
  const auto& hb = b.Header();
  return std::equal(ha.begin(), ha.begin() + kCombination, hb.begin()) &&
         std::equal(ha.begin() + kCombination + 2, ha.end(), hb.begin() + kCombination + 2) &&
         a.LogicTable() == b.LogicTable();
}

// The links of a list by a hash of the record (without the combination address), so that a
// link is looked for among them in constant time instead of compared with every one.
class TLinkSet {
 public:
  explicit TLinkSet(const TVerbindungsListe& list) {
    for (int i = 0; i < list.Count(); ++i) Add(*list.GetVerbindung(i));
  }
  bool Contains(const TVerbindung& link) const {
    const auto [from, to] = fLinks.equal_range(Hash(link));
    return std::any_of(from, to, [&](const auto& entry) { return SameLink(*entry.second, link); });
  }
  void Add(const TVerbindung& link) { fLinks.emplace(Hash(link), &link); }

 private:
  static uint64_t Hash(const TVerbindung& link) {
    uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](const uint8_t* p, size_t n) {
      for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
    };
    mix(link.Header().data(), kCombination);
    mix(link.Header().data() + kCombination + 2, link.Header().size() - kCombination - 2);
    mix(link.LogicTable().data(), link.LogicTable().size());
    return h;
  }
  std::unordered_multimap<uint64_t, const TVerbindung*> fLinks;
};

template <class F>
void ForEachLinkOwner(TSteuermodul& stm, F f) {
  for (int m = 0; m < stm.Module.Count(); ++m) {
    TModul& modul = *stm.Module.GetModul(m);
    for (int i = 0; i < modul.Eingaenge().Count(); ++i) f(*modul.Eingaenge().GetEingang(i));
    for (int i = 0; i < modul.Rueckmeldungen().Count(); ++i) f(*modul.Rueckmeldungen().GetRueckmeldung(i));
  }
  for (int i = 0; i < stm.Merker.Count(); ++i) f(*stm.Merker.GetMerker(i));
  for (int i = 0; i < stm.Uhren.Count(); ++i) f(*stm.Uhren.GetUhr(i));
}

}  // namespace

TCompileDriver::TCompileDriver(TZYNProjekt& projekt) : ProgramTitle(GProgramTitle), fProjekt(projekt) {}

TCompileDriver::~TCompileDriver() = default;

const TBinData* TCompileDriver::Image(int stmAdresse) const {
  if (stmAdresse < 0 || stmAdresse > 3) return nullptr;
  return fImages[static_cast<size_t>(stmAdresse)].get();
}

TStmImages TCompileDriver::ImageTable() const {
  TStmImages table{};
  for (size_t i = 0; i < fImages.size(); ++i) table[i] = fImages[i].get();
  return table;
}

void TCompileDriver::PrepareImages() {
  for (auto& image : fImages) image.reset();
  fDcf77Mask = 0xFFFF;
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    const TSteuermodul& stm = *fProjekt.Steuermodule.GetSteuermodul(i);
    const int a = stm.Adresse();
    if (a < 0 || a > 3) {
      throw ECompileError(Ansi("Das Steuermodul \"") + stm.DisplayName() + Ansi("\" hat die ungültige Adresse ") +
                          std::to_string(a) + Ansi("."));
    }
    if (fImages[static_cast<size_t>(a)]) {
      throw ECompileError(Ansi("Die Adresse ") + std::to_string(a) + Ansi(" ist mehreren Steuermodulen zugeordnet."));
    }
    fImages[static_cast<size_t>(a)] = std::make_unique<TBinData>(a);
    if (!stm.DCF77) fDcf77Mask = static_cast<uint16_t>(fDcf77Mask & ~(1u << a));
  }
}

void TCompileDriver::CompileProject(bool removeGenerated, ICompileProgress* progress) {
  fCompiled = false;
  try {
    PrepareImages();
    TCompileContext context(fProjekt, ImageTable(), progress);
    Run(context);
    fCompiled = true;
  } catch (...) {
    if (removeGenerated) RemoveGeneratedLinks();
    throw;
  }
  if (removeGenerated) RemoveGeneratedLinks();
}

void TCompileDriver::Run(TCompileContext& context) {
  TSteuermodulListe& list = fProjekt.Steuermodule;
  for (int i = 0; i < list.Count(); ++i) list.GetSteuermodul(i)->Merker.ResetAll();

  // The group links' conditions are compiled in their place among the channel's links; their
  // member links, made afterwards, share the group link's combination.
  TZYNCompiler compiler(context);
  for (int i = 0; i < list.Count(); ++i) {
    TSteuermodul& stm = *list.GetSteuermodul(i);
    compiler.CompileCombinations(stm.Module);
    compiler.CompileCombinations(stm.Merker);
    compiler.CompileCombinations(stm.Uhren);
  }
  for (const auto& image : fImages) {
    if (image) image->LogicArea.LogicStart = image->LogicArea.Length();
  }
  ExpandGroups(context);

  // Flags first, so that the links that set or clear a flag find the flag's lists.
  for (int i = 0; i < list.Count(); ++i) {
    TSteuermodul& stm = *list.GetSteuermodul(i);
    TLinkEmitter emitter(context, *fImages[static_cast<size_t>(stm.Adresse())]);
    for (int f = 0; f < stm.Merker.Count(); ++f) emitter.CompileLinks(*stm.Merker.GetMerker(f), true);
  }
  for (int i = 0; i < list.Count(); ++i) CompileModules(context, i);
  CompileVisuLinks(context);

  for (int i = 0; i < list.Count(); ++i) {
    fImages[static_cast<size_t>(list.GetSteuermodul(i)->Adresse())]->FinalizeImage(fProjekt.ProjektGUID, ProgramTitle);
  }
  const TStmImages table = ImageTable();
  for (int i = 0; i < list.Count(); ++i) {
    const TSteuermodul& stm = *list.GetSteuermodul(i);
    TBinData& image = *fImages[static_cast<size_t>(stm.Adresse())];
    image.ResolveCrossReferences(table);
    if (stm.DCF77) image.SetDcf77Mask(fDcf77Mask);
  }
}

void TCompileDriver::CompileModules(TCompileContext& context, int index) {
  TSteuermodul& stm = *fProjekt.Steuermodule.GetSteuermodul(index);
  TBinData& image = *fImages[static_cast<size_t>(stm.Adresse())];
  TLinkEmitter emitter(context, image);
  for (int m = 0; m < stm.Module.Count(); ++m) {
    TModul& modul = *stm.Module.GetModul(m);
    if (modul.BasisKlasse < 0 || modul.BasisKlasse > 7 || modul.Adresse() < 0 || modul.Adresse() > 31) {
      throw ECompileError(Ansi("Das Modul \"") + modul.DisplayName() + Ansi("\" hat eine ungültige Busadresse."));
    }
    if (modul.Eingaenge().VerbindungsCount() > 0 || modul.Rueckmeldungen().VerbindungsCount() > 0) {
      TVerbLinkBuffer& table = image.Image;
      const size_t position = table.Length();
      const uint8_t entry[3] = {static_cast<uint8_t>(modul.BusKey()), 0, 0};
      table.AppendBytes(entry, 3);
      table.WriteWordBE(table.ChainPos, static_cast<uint16_t>(kModuleBase + position));
      table.ChainPos = position + 1;
      for (int i = 0; i < modul.Eingaenge().Count(); ++i) emitter.CompileLinks(*modul.Eingaenge().GetEingang(i), false);
      for (int i = 0; i < modul.Rueckmeldungen().Count(); ++i) {
        emitter.CompileLinks(*modul.Rueckmeldungen().GetRueckmeldung(i), false);
      }
      table.AppendByte(0xFF);
    }
    for (int i = 0; i < modul.Ausgaenge().Count(); ++i) {
      const TAusgang& output = *modul.Ausgaenge().GetAusgang(i);
      image.PorArea.SetPORState(modul.BasisKlasse, modul.Adresse(), output.PORStatus, output.Adresse());
    }
  }
  BuildClockTable(context, image, stm.Uhren);
}

void TCompileDriver::ExpandGroups(TCompileContext& context) {
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    ForEachLinkOwner(*fProjekt.Steuermodule.GetSteuermodul(i), [&](TKanal& k) { ExpandGroupLinks(context, k); });
  }
}

void TCompileDriver::ExpandGroupLinks(TCompileContext& context, TKanal& channel) {
  TVerbindungsListe& links = channel.Verbindungen();
  if (links.Count() == 0) return;
  TVerbindungsListe expanded(&channel);
  const TExpandCallback report = [&](int, TVerbindung* groupLink) { context.Report(2, groupLink); };
  std::vector<TVerbindung*> groupLinks;
  for (int i = 0; i < links.Count(); ++i) {
    if (links.GetVerbindung(i)->Target().ObjType() == kObjGruppe) groupLinks.push_back(links.GetVerbindung(i));
  }
  for (TVerbindung* link : groupLinks) {
    const TGruppe* group = fProjekt.FindGruppeByAddress(link->Target().StmNummer(), link->Target().KanalNummer());
    if (group != nullptr) group->ExpandLink(context.Names, &channel, expanded, report, link);
  }
  // A member link left from an earlier run without clean-up is not added a second time.
  TLinkSet present(links);
  while (expanded.Count() > 0) {
    std::unique_ptr<TVerbindung> member = expanded.Extract(expanded.GetVerbindung(0));
    if (present.Contains(*member)) continue;
    present.Add(*member);
    links.Add(std::move(member));
  }
}

void TCompileDriver::CompileVisuLinks(TCompileContext& context) {
  if (Visu == nullptr) return;
  Visu->VisitLinkControls({}, [&](IDispatchConnector& connector) {
    int32_t s = -1, key = 0, kanal = 0;
    TKanalArt kind = TKanalArt::kaUnknown;
    std::string name;
    connector.GetBinding(s, key, kanal, kind, name);
    if (kind != TKanalArt::kaAusgang || kanal < 0 || kanal > 15) return;
    const TSteuermodul* stm = fProjekt.Steuermodule.FindByAddress(s);
    const TModul* modul = stm != nullptr ? stm->FindModulByKey(key) : nullptr;
    TBinData* image = (s >= 0 && s < 4) ? context.Images[static_cast<size_t>(s)] : nullptr;
    if (modul == nullptr || image == nullptr) return;
    image->PorArea.SetOutputUsed(modul->BasisKlasse, modul->Adresse(), kanal);
  });
}

int TCompileDriver::ImportVisuLinks() {
  if (Visu == nullptr) return 0;
  int added = 0;
  Visu->VisitLinkControls(
      [&](IIndexTeleHandler& handler) {
        for (int i = 0; i < handler.GetIndexCount(); ++i) {
          int32_t s = -1, key = 0, number = 0, shift = 0;
          TKanalArt kind = TKanalArt::kaUnknown;
          handler.GetIndexBinding(i, s, key, number, shift, kind);
          // An index without a command has no event that could send its telegram.
          const int32_t event = handler.GetCommand(i);
          if (event < 0) continue;
          TSteuermodul* stm = fProjekt.Steuermodule.FindByAddress(s);
          if (stm == nullptr) continue;
          TModul* modul = nullptr;
          TKanal* object = nullptr;
          auto link = std::make_unique<TVerbindung>(true);
          link->SetGenerated(true);
          TLinkEndpoint source = link->Source();
          switch (kind) {
            case TKanalArt::kaEingang:
            case TKanalArt::kaRueckmeldung:
              modul = stm->FindModulByKey(key);
              if (modul == nullptr) break;
              if (kind == TKanalArt::kaEingang) {
                object = modul->FindEingang(number);
              } else {
                object = modul->FindRueckmeldung(number);
              }
              source.SetObjType(modul->BasisKlasse);
              source.SetModulKennung(modul->ModulKennung);
              source.SetModulAdresse(modul->Adresse());
              source.SetShift(kind == TKanalArt::kaEingang ? modul->EinShift : modul->RMEShift);
              break;
            case TKanalArt::kaUhr:
              object = stm->Uhren.FindByAddress(number);
              source.SetObjType(kObjUhr);
              source.SetModulKennung("UHR");
              break;
            case TKanalArt::kaMerker:
              object = stm->Merker.FindByAddress(number);
              source.SetObjType(kObjMerker);
              source.SetModulKennung("MRK");
              break;
            default:
              break;
          }
          if (object == nullptr) continue;
          source.SetStmNummer(stm->Adresse());
          source.SetKanalNummer(object->Adresse());
          source.SetFunctionNumber(event);
          source.SetFunctionText(handler.GetCommandName(i));
          link->Target().SetStmNummer(254);
          link->SetTargetParamWord(static_cast<uint16_t>(handler.GetIndex(i)));
          // A link of an earlier import that was kept is not added again.
          if (TLinkSet(object->Verbindungen()).Contains(*link)) continue;
          object->Verbindungen().Add(std::move(link));
          ++added;
        }
      },
      {});
  return added;
}

int TCompileDriver::RemoveGeneratedLinks() {
  int removed = 0;
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    TSteuermodul& stm = *fProjekt.Steuermodule.GetSteuermodul(i);
    removed += stm.Module.DeleteGeneratedLinks();
    removed += stm.Merker.DeleteGeneratedLinks();
    removed += stm.Uhren.DeleteGeneratedLinks();
  }
  return removed;
}

bool TCompileDriver::BuildProject(const TBuildSteps& steps) {
  std::vector<std::string> conflicts;
  try {
    if (steps.Tools != nullptr) steps.Tools->GenerateTools(fProjekt, conflicts);
    ImportVisuLinks();
  } catch (...) {
    RemoveGeneratedLinks();
    throw;
  }
  if (!conflicts.empty() && steps.Conflicts != nullptr && steps.Conflicts->ShowLogicConflicts(conflicts) != 1) {
    RemoveGeneratedLinks();
    return false;
  }
  CompileProject(true, steps.Progress);
  if (steps.CompileDisplays) steps.CompileDisplays();
  if (!steps.ProgramFile.empty()) ExportPrograms(steps.ProgramFile);
  return true;
}

std::vector<uint8_t> TCompileDriver::ProgramBytes() const {
  const auto notBuilt = [] { return ECompileError(Ansi("Das Projekt muss zuerst fehlerfrei erstellt werden.")); };
  if (!fCompiled) throw notBuilt();
  std::vector<uint8_t> bytes;
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    const TBinData* image = Image(fProjekt.Steuermodule.GetSteuermodul(i)->Adresse());
    if (image == nullptr) throw notBuilt();
    bytes.insert(bytes.end(), image->Bytes(), image->Bytes() + kImageSize);
  }
  return bytes;
}

void TCompileDriver::ExportPrograms(const std::string& fileName) const {
  const std::vector<uint8_t> bytes = ProgramBytes();
  WriteFileAtomic(fileName, bytes.data(), bytes.size());
}

std::string TCompileDriver::ProgramFileName(const std::string& projectFile) {
  const size_t slash = projectFile.find_last_of("/\\");
  const size_t dot = projectFile.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? projectFile.substr(0, dot) : projectFile) + ".prg";
}

}  // namespace zyn
