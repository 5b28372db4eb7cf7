#include "compiler/interpreter/Simulation.h"

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/BasisDaten.h"
#include "model/GlobalRoutines.h"
#include "model/Kanal.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "model/VerbindungsListe.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "project/Projekt.h"

#include <memory>

namespace zyn {

namespace {

constexpr int kSimulationClockType = 154;
constexpr int kClockDataOffset = 312;

template <class T>
T* First(const TZYNFunction& tool, const char* name) {
  const TVariable* v = tool.FindVariable(name);
  return v && v->Count() > 0 ? ObjectAs<T>(v->Objects()[0].Object) : nullptr;
}

struct TPlace {
  TModul* Modul = nullptr;
  TSteuermodul* Stm = nullptr;
};

TPlace PlaceOfInput(const TExpandContext& c, const TEingang& in) {
  TPlace p;
  if (!c.Names.FindEingang(in.InternalName(), &p.Stm, &p.Modul) || !p.Modul || !p.Stm)
    throw EZYNError(Ansi("Der Eingang \"") + in.DisplayName() + Ansi("\" gehört zu keinem Modul des Projekts."));
  return p;
}

TPlace PlaceOfOutput(const TExpandContext& c, const TAusgang& out) {
  TPlace p;
  if (!c.Names.FindAusgang(out.InternalName(), &p.Stm, &p.Modul) || !p.Modul || !p.Stm)
    throw EZYNError(Ansi("Der Ausgang \"") + out.DisplayName() + Ansi("\" gehört zu keinem Modul des Projekts."));
  return p;
}

int StmOfClock(const TExpandContext& c, const TUhr& clock) {
  TSteuermodul* stm = nullptr;
  if (!c.Names.FindUhr(clock.InternalName(), &stm, nullptr) || !stm)
    throw EZYNError(Ansi("Die Uhr \"") + clock.DisplayName() + Ansi("\" gehört zu keinem Steuermodul des Projekts."));
  return stm->Adresse();
}

void SetChannel(TLinkEndpoint e, const TPlace& p, const TKanal& channel, int shift, int command,
                const std::string& text) {
  e.SetObjType(p.Modul->BasisKlasse);
  e.SetStmNummer(p.Stm->Adresse());
  e.SetModulKennung(p.Modul->ModulKennung);
  e.SetModulAdresse(p.Modul->Adresse());
  e.SetKanalNummer(channel.Adresse());
  e.SetShift(shift);
  e.SetFunctionNumber(command);
  e.SetFunctionText(text);
}

void SetClock(TLinkEndpoint e, int objType, int stm, const TUhr& clock, int command, const std::string& text) {
  e.SetObjType(objType);
  e.SetStmNummer(stm);
  e.SetModulKennung(ModelTranslate("UHR"));
  e.SetModulAdresse(0);
  e.SetKanalNummer(clock.Adresse());
  e.SetFunctionNumber(command);
  e.SetFunctionText(text);
}

void SetInputCondition(TVerbindung& link, int slot, const TPlace& p, const TEingang& in) {
  TLogicEntry e = link.Logic(slot);
  e.SetLogicType(2 * p.Modul->BasisKlasse + 1 + (p.Modul->Adresse() > 15 ? 1 : 0));
  e.SetStmNummer(p.Stm->Adresse());
  e.SetModulAdresse(p.Modul->Adresse());
  e.SetKanalNummer(in.Adresse());
  e.SetLogicState(1);
  e.SetLogicCode(p.Modul->ModulKennung);
  e.SetLogicChannelName(in.InternalName().substr(0, 50));
}

void SetDelayTarget(TVerbindung& link, const TPlace& p, const TAusgang& out, int command, const std::string& text,
                    int seconds) {
  SetChannel(link.Target(), p, out, p.Modul->AusShift, command, text);
  link.SetHasTargetParam(true);
  link.SetTargetFactor(1.0);
  link.SetTargetParamCaption(ModelTranslate("Sekunden"));
  link.SetTargetParam(seconds);
}

// The on and off minutes of an output entry "name#on-off".
void DelayMinutes(const std::string& entry, int& on, int& off) {
  const size_t hash = entry.find('#');
  const size_t dash = hash == std::string::npos ? std::string::npos : entry.find('-', hash + 1);
  if (dash == std::string::npos)
    throw EZYNError(Ansi("Der Ausgang \"") + entry + Ansi("\" der Simulation hat keine Zeiten (#Ein-Aus)."));
  std::string rest;
  on = TZYNFunction::TakeNumber(entry.substr(hash + 1, dash - hash - 1), rest);
  off = TZYNFunction::TakeNumber(entry.substr(dash + 1), rest);
  if (on < 0 || off < 0) throw EZYNError(Ansi("Negative Zeiten im Ausgang \"") + entry + Ansi("\" der Simulation."));
}

class TSimulation {
 public:
  TSimulation(TZYNFunction& tool, const TExpandContext& c) : fTool(tool), c(c) {}
  void Run();

 private:
  void File(std::unique_ptr<TVerbindung> link, TVerbindungsListe& own);
  void RandomTimes(const TUhr& clock, int stm);
  void Outputs(const char* variable, int state, TUhr& clock, int clockStm, TEingang& in, const TPlace& inPlace);

  TZYNFunction& fTool;
  const TExpandContext& c;
};

void TSimulation::File(std::unique_ptr<TVerbindung> link, TVerbindungsListe& own) {
  // A trial expansion only reads the project: the duplicate test then looks at the trial list,
  // because the test of a list also puts the conditions of its links in order.
  TVerbindungsListe& compare = c.LinkList ? *c.LinkList : own;
  if (compare.FindDuplicate(link.get()) >= 0) return;
  if (c.LinkList) {
    link->CheckLogic();
    c.LinkList->Add(std::move(link));
  } else {
    own.Add(std::move(link));
  }
}

void TSimulation::RandomTimes(const TUhr& clock, int stm) {
  const uint16_t values[4] = {
      static_cast<uint16_t>((c.RandomMin >> 8) & 0xFF), static_cast<uint16_t>(c.RandomMin & 0xFF),
      static_cast<uint16_t>((c.RandomMax >> 8) & 0xFF), static_cast<uint16_t>(c.RandomMax & 0xFF)};
  const struct {
    int command;
    const char* text;
  } rows[] = {{1, "Eingeschaltet"}, {0, "Ausgeschaltet"}};
  for (const auto& row : rows) {
    auto link = std::make_unique<TVerbindung>(true);
    link->SetKind(0);
    SetClock(link->Source(), kObjUhr, stm, clock, row.command,
             GetCommandNameByNumber(c.Basis, clock, row.command, ModelTranslate(row.text)));
    TLinkEndpoint t = link->Target();
    t.SetObjType(kObjUhr);
    t.SetStmNummer(stm);
    t.SetFunctionText(ModelTranslate("Zufallszeit erzeugen"));
    t.SetFunctionNumber(134);
    TVerbindung::THeader& h = link->Header();
    h[kClockDataOffset] = 4;
    h[kClockDataOffset + 1] = 0;
    for (int i = 0; i < 4; ++i) {
      h[static_cast<size_t>(kClockDataOffset + 2 + 2 * i)] = static_cast<uint8_t>(values[i] & 0xFF);
      h[static_cast<size_t>(kClockDataOffset + 3 + 2 * i)] = static_cast<uint8_t>(values[i] >> 8);
    }
    File(std::move(link), const_cast<TUhr&>(clock).Verbindungen());
  }
}

void TSimulation::Outputs(const char* variable, int state, TUhr& clock, int clockStm, TEingang& in,
                          const TPlace& inPlace) {
  const TVariable* v = fTool.FindVariable(variable);
  if (v == nullptr) return;
  for (const TVarEntry& entry : v->Objects()) {
    TAusgang* out = ObjectAs<TAusgang>(entry.Object);
    if (!out) continue;
    const TPlace p = PlaceOfOutput(c, *out);
    auto link = std::make_unique<TVerbindung>(true);
    link->SetKind(0);
    SetChannel(link->Source(), inPlace, in, inPlace.Modul->EinShift, 5,
               GetCommandNameByNumber(c.Basis, in, 5, ModelTranslate("AUS > 1 SEK")));
    SetChannel(link->Target(), p, *out, p.Modul->AusShift, 18,
               GetCommandNameByNumber(c.Basis, *out, 18, ModelTranslate("Zeitabbruch")));
    File(std::move(link), in.Verbindungen());
  }
  for (const TVarEntry& entry : v->Objects()) {
    TAusgang* out = ObjectAs<TAusgang>(entry.Object);
    if (!out) continue;
    const TPlace p = PlaceOfOutput(c, *out);
    int onMinutes = 0, offMinutes = 0;
    DelayMinutes(entry.Text, onMinutes, offMinutes);
    TRueckmeldung* feedback = p.Modul->Rueckmeldungen().GetRueckmeldung(out->Adresse());
    if (!feedback) throw EZYNError(Ansi("Zum Ausgang \"") + out->DisplayName() + Ansi("\" gibt es keine Rückmeldung."));

    auto on = std::make_unique<TVerbindung>(true);
    on->SetKind(1);
    SetInputCondition(*on, 0, inPlace, in);
    const std::string clockText = AnsiUpperCase(state == 1 ? ModelTranslate("Uhr Eingeschaltet") : ModelTranslate("Uhr ausgeschaltet"));
    SetClock(on->Source(), kSimulationClockType, clockStm, clock, state,
             GetCommandNameByNumber(c.Basis, clock, state, clockText));
    SetDelayTarget(*on, p, *out, 8, GetCommandNameByNumber(c.Basis, *out, 8, ModelTranslate("Einschaltverzögerung")),
                   onMinutes * 60);
    File(std::move(on), clock.Verbindungen());

    auto off = std::make_unique<TVerbindung>(true);
    off->SetKind(1);
    SetInputCondition(*off, 0, inPlace, in);
    TLogicEntry k = off->Logic(1);
    k.SetLogicType(kObjUhr);
    k.SetStmNummer(clockStm);
    k.SetModulAdresse(0);
    k.SetKanalNummer(clock.Adresse());
    k.SetLogicState(state);
    k.SetLogicCode(ModelTranslate("UHR"));
    k.SetLogicChannelName(clock.InternalName().substr(0, 50));
    SetChannel(off->Source(), p, *feedback, p.Modul->RMEShift, 2,
               GetCommandNameByNumber(c.Basis, *feedback, 2, AnsiUpperCase(ModelTranslate("EIN"))));
    SetDelayTarget(*off, p, *out, 9, GetCommandNameByNumber(c.Basis, *out, 9, ModelTranslate("Ausschaltverzögerung")),
                   offMinutes * 60);
    File(std::move(off), feedback->Verbindungen());
  }
}

void TSimulation::Run() {
  TUhr* clock = First<TUhr>(fTool, "UHR");
  TEingang* in = First<TEingang>(fTool, "EINGANG");
  int clockStm = 0;
  if (clock) {
    clockStm = StmOfClock(c, *clock);
    RandomTimes(*clock, clockStm);
  }
  if (!in) return;
  const TPlace inPlace = PlaceOfInput(c, *in);
  AddInputFlagLinks(*in, inPlace.Stm->Adresse(), true, c.LinkList);
  if (!clock) return;
  Outputs("AUSGANG", 1, *clock, clockStm, *in, inPlace);
  Outputs("AUSGANGA", 0, *clock, clockStm, *in, inPlace);
}

}  // namespace

void ExpandSimulation(TZYNFunction& tool, const TExpandContext& context) { TSimulation(tool, context).Run(); }

}  // namespace zyn
