#include "compiler/ZYNCompiler.h"

#include "compiler/CompileContext.h"
#include "compiler/CompileError.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/ModulListe.h"
#include "model/ObjektListen.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "project/Projekt.h"

#include <memory>
#include <string>

namespace zyn {

namespace {

struct TAutoLink {
  int SourceFunction;
  const char* SourceText;
  const char* TargetText;
  int TargetFunction;
};

const TAutoLink kInputFlagLinks[] = {
    {2, "Ein > 0 Sekunden", "Eingangsmerker setzen", 0},
    {3, "Aus < 1 Sekunden", "Eingangsmerker löschen", 1},
    {5, "Aus > 1 Sekunden", "Eingangsmerker löschen", 1},
};

const TAutoLink kBlindLinks[] = {
    {2, "Heben eingeschaltet", "Kanalmerker setzen", 0},
    {3, "Senken eingeschaltet", "Kanalmerker setzen", 0},
    {4, "Heben ausgeschaltet", "Kanalmerker löschen", 1},
    {5, "Senken ausgeschaltet", "Kanalmerker löschen", 1},
    {6, "Zeitmessung Statusflag EIN", "Kanalmerker setzen", 0},
    {7, "Zeitmessung abgebrochen", "Kanalmerker löschen", 1},
    {8, "Zeitmessung Statusflag AUS", "Kanalmerker löschen", 1},
};

int AddAutoLink(TKanal& channel, const TModul& modul, int stm, const TAutoLink& entry) {
  auto link = std::make_unique<TVerbindung>(true);
  link->SetGenerated(true);
  link->SetKind(0);
  TLinkEndpoint s = link->Source();
  s.SetObjType(modul.BasisKlasse);
  s.SetStmNummer(stm);
  s.SetModulKennung(modul.ModulKennung);
  s.SetModulAdresse(modul.Adresse());
  s.SetKanalNummer(channel.Adresse());
  s.SetShift(modul.EinShift);
  s.SetFunctionNumber(entry.SourceFunction);
  s.SetFunctionText(ModelTranslate(entry.SourceText));
  TLinkEndpoint t = link->Target();
  t.SetObjType(modul.BasisKlasse + 8);
  t.SetStmNummer(stm);
  t.SetModulKennung(modul.ModulKennung);
  t.SetModulAdresse(modul.Adresse());
  t.SetKanalNummer(channel.Adresse());
  t.SetShift(modul.AusShift);
  t.SetFunctionNumber(entry.TargetFunction);
  t.SetFunctionText(ModelTranslate(entry.TargetText));
  if (channel.Verbindungen().FindDuplicate(link.get()) >= 0) return 0;
  channel.Verbindungen().Add(std::move(link));
  return 1;
}

std::vector<TVerbindung*> LinksOf(TKanal& channel) {
  std::vector<TVerbindung*> links;
  for (int i = 0; i < channel.Verbindungen().Count(); ++i) links.push_back(channel.Verbindungen().GetVerbindung(i));
  return links;
}

}  // namespace

int TZYNCompiler::AddInputFlagLinks(TEingang& input, const TModul& modul, int stm) {
  int added = 0;
  for (const TAutoLink& entry : kInputFlagLinks) added += AddAutoLink(input, modul, stm, entry);
  return added;
}

int TZYNCompiler::AddBlindLinks(TRueckmeldung& feedback, const TModul& modul, int stm) {
  int added = 0;
  const size_t first = feedback.Adresse() >= 4 ? 4 : 0;
  const size_t last = feedback.Adresse() >= 4 ? 7 : 4;
  for (size_t i = first; i < last; ++i) added += AddAutoLink(feedback, modul, stm, kBlindLinks[i]);
  return added;
}

size_t TZYNCompiler::AddCombinationCode(TTelegrammBuffer& area, const std::vector<uint8_t>& code) {
  const size_t length = area.Length();
  const size_t capacity = area.Limit();
  for (size_t s = 0; s <= length && s + code.size() <= capacity; ++s) {
    bool same = true;
    for (size_t k = 0; k < code.size() && same; ++k) same = area.At(s + k) == code[k];
    if (same) return s;
  }
  area.AppendBytes(code);
  return length;
}

uint8_t TZYNCompiler::ChannelCondition(const uint8_t* entry, std::vector<TUsedOutput>& used) {
  const TLogicEntry e(const_cast<uint8_t*>(entry));
  const int type = e.LogicType();
  const std::string name = e.LogicChannelName();
  const TNameIndex& p = fContext.Names;
  if (type <= 16) {
    TSteuermodul* stm = nullptr;
    TModul* modul = nullptr;
    TEingang* input = p.FindEingang(name, &stm, &modul);
    TRueckmeldung* feedback = nullptr;
    if (input == nullptr && modul == nullptr) {
      TAusgang* output = p.FindAusgang(name, &stm, &modul);
      if (output != nullptr && modul != nullptr) feedback = modul->FindRueckmeldung(output->Adresse());
    }
    if (modul != nullptr && stm != nullptr) {
      if (SameText(modul->ModulKlasse, "JRM") && feedback != nullptr) {
        AddBlindLinks(*feedback, *modul, stm->Adresse());
      } else if (input != nullptr) {
        AddInputFlagLinks(*input, *modul, stm->Adresse());
      }
    }
    return static_cast<uint8_t>((e.ModulAdresse() << 4) | e.KanalNummer());
  }
  TModul* modul = nullptr;
  TAusgang* output = p.FindAusgang(name, nullptr, &modul);
  if (output != nullptr && modul != nullptr) used.push_back({modul->BasisKlasse, modul->Adresse(), output->Adresse()});
  return static_cast<uint8_t>((e.ModulAdresse() << 3) | (e.KanalNummer() & 7));
}

uint8_t TZYNCompiler::ClockCondition(TVerbindung& link, const uint8_t* entry) {
  const TLogicEntry e(const_cast<uint8_t*>(entry));
  const std::string name = e.LogicChannelName();
  if (name.empty()) return e.KanalNummer();
  TSteuermodul* stm = nullptr;
  int index = -1;
  TUhr* clock = fContext.Names.FindUhr(name, &stm, &index);
  if (clock == nullptr || stm == nullptr) {
    throw ECompileError(Ansi("Die Verbindung \"") + LinkText(link) +
                        Ansi("\" fragt eine Schaltuhr ab, die im Projekt nicht mehr vorhanden ist."));
  }
  return static_cast<uint8_t>(index);
}

void TZYNCompiler::CompileCombination(TVerbindung& link) {
  if (link.Kind() != 1 && link.Kind() != 2) return;
  fContext.Report(1, &link);
  link.SortLogic();
  std::vector<uint8_t> code;
  std::vector<TUsedOutput> used;
  for (int i = 0; i < kLogicEntryCount; ++i) {
    const TLogicEntry e = link.Logic(i);
    if (Trim(e.LogicCode()).empty()) continue;
    const int type = e.LogicType();
    uint8_t second = 0;
    if (type >= 1 && type <= 24) {
      second = ChannelCondition(e.Bytes(), used);
    } else if (type == kObjMerker) {
      second = e.KanalNummer();
    } else if (type == kObjUhr) {
      second = ClockCondition(link, e.Bytes());
    } else {
      continue;
    }
    const uint8_t off = e.LogicState() == 0 ? 0x80 : 0;
    const uint8_t state = link.LogicOr() ? static_cast<uint8_t>(off ^ 0x80) : off;
    code.push_back(static_cast<uint8_t>(type | state));
    code.push_back(second);
  }
  code.push_back(0);
  // The combination lies in the image that evaluates it: the one of the link's target.
  TBinData& image = fContext.ImageFor(link.Target().StmNummer(), link);
  for (const TUsedOutput& o : used) image.PorArea.SetOutputUsed(o.BasisKlasse, o.Adresse, o.Kanal);
  link.SetCombinationAddress(static_cast<uint16_t>(AddCombinationCode(image.LogicArea, code)));
}

void TZYNCompiler::CompileCombinations(TKanal& channel) {
  for (TVerbindung* link : LinksOf(channel)) CompileCombination(*link);
}

void TZYNCompiler::CompileCombinations(TModul& modul) {
  if (modul.Eingaenge().VerbindungsCount() > 0) {
    for (int i = 0; i < modul.Eingaenge().Count(); ++i) CompileCombinations(*modul.Eingaenge().GetEingang(i));
  }
  if (modul.Rueckmeldungen().VerbindungsCount() > 0) {
    for (int i = 0; i < modul.Rueckmeldungen().Count(); ++i) {
      CompileCombinations(*modul.Rueckmeldungen().GetRueckmeldung(i));
    }
  }
}

void TZYNCompiler::CompileCombinations(TModulListe& module) {
  for (int i = 0; i < module.Count(); ++i) CompileCombinations(*module.GetModul(i));
}

void TZYNCompiler::CompileCombinations(TMerkerListe& flags) {
  for (int i = 0; i < flags.Count(); ++i) CompileCombinations(*flags.GetMerker(i));
}

void TZYNCompiler::CompileCombinations(TUhrenListe& clocks) {
  for (int i = 0; i < clocks.Count(); ++i) CompileCombinations(*clocks.GetUhr(i));
}

}  // namespace zyn
