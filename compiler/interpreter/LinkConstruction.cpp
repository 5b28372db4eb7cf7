// The second phase of a block: for every target object and every source object one generated
// link, with its target, logic entries, source and else target, checked for duplicates and
// logic conflicts and filed in the link list of its source object (or in the given list).

#include "compiler/interpreter/BlockState.h"
#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/BasisDaten.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "model/VerbindungsListe.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "project/Projekt.h"

#include <cmath>
#include <memory>

namespace zyn {

namespace {

std::string CutBeforeHash(const std::string& text) {
  const size_t hash = text.find('#');
  return hash == std::string::npos ? text : text.substr(0, hash);
}

// Round(Multiplier x Value) of a parameter variable; a multiplier of 0 gives 0 here.
int ScaledValue(const TVariable& v) {
  return static_cast<int>(RoundEven(v.Multiplier.Value() * static_cast<long double>(v.Value)));
}

// A channel found again in the project by its internal name, with its module and control module.
struct TFound {
  TKanal* Channel = nullptr;
  TModul* Modul = nullptr;
  TSteuermodul* Stm = nullptr;
};

void RequirePlace(const TFound& f, const std::string& name) {
  if (f.Modul == nullptr || f.Stm == nullptr)
    throw EZYNError(Ansi("Zum Kanal \"") + name + Ansi("\" fehlt das Modul oder das Steuermodul."));
}

TFound FindOutput(const TExpandContext& c, const TToolObject& o) {
  TFound f;
  const std::string name = InternalNameOf(o);
  if (name.empty() || ObjectAs<TAusgang>(o) == nullptr) return f;
  f.Channel = c.Names.FindAusgang(name, &f.Stm, &f.Modul);
  if (f.Channel) RequirePlace(f, name);
  return f;
}

TFound FindInput(const TExpandContext& c, const TToolObject& o) {
  TFound f;
  const std::string name = InternalNameOf(o);
  if (name.empty()) return f;
  f.Channel = c.Names.FindEingang(name, &f.Stm, &f.Modul);
  if (!f.Channel) f.Channel = c.Names.FindRueckmeldung(name, &f.Stm, &f.Modul);
  if (f.Channel) RequirePlace(f, name);
  return f;
}

TMerker* FindFlag(const TExpandContext& c, const TToolObject& o, TSteuermodul** stm) {
  const TMerker* m = ObjectAs<TMerker>(o);
  TMerker* found = m ? c.Names.FindMerker(m->InternalName(), stm) : nullptr;
  if (found && *stm == nullptr) throw EZYNError(Ansi("Zum Merker \"") + m->InternalName() + Ansi("\" fehlt das Steuermodul."));
  return found;
}

TUhr* FindClock(const TExpandContext& c, const TToolObject& o, TSteuermodul** stm) {
  const TUhr* u = ObjectAs<TUhr>(o);
  TUhr* found = u ? c.Names.FindUhr(u->InternalName(), stm, nullptr) : nullptr;
  if (found && *stm == nullptr) throw EZYNError(Ansi("Zur Uhr \"") + u->InternalName() + Ansi("\" fehlt das Steuermodul."));
  return found;
}

// The tool of the sub-tool entry at `index`, nullptr when the entry is no sub-tool with a tool.
TZYNFunction* SubTool(const TVariable& v, int index, const TExpandContext& c) {
  const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(EntryObject(v, index, c));
  return sub ? sub->FunctionPtr() : nullptr;
}

// The priority mask of a blind-motor parameter (level 0..5 gives 1, 3, 7, 15, 31, 63).
uint8_t PriorityMask(uint8_t mode, uint8_t level) {
  if (mode == 11) return level;
  if (level > 5) throw EZYNError(Ansi("Ungültige Prioritätsebene ") + std::to_string(level) + Ansi(" im Rolladenparameter."));
  return static_cast<uint8_t>((1 << (level + 1)) - 1);
}

// The number of a command or event in the object's command list; an unknown one is refused
// (stored, it would become a command or event 255 that does something else in the module).
int RequireCommand(const TExpandContext& c, const TKanal& object, const TModul* modul, const std::string& text,
                   bool event) {
  const int number = FindCommandNumber(c.Basis, object, text);
  if (number >= 0) return number;
  std::string where = Ansi("\"") + object.DisplayName() + Ansi("\"");
  if (modul != nullptr) where += Ansi(" des Moduls \"") + modul->DisplayName() + Ansi("\"");
  throw EZYNError(Ansi(event ? "Das Ereignis \"" : "Der Befehl \"") + text + Ansi("\" ist in der Befehlsliste \"") +
       object.BefehlsListe + Ansi("\" von ") + where + Ansi(" nicht vorhanden."));
}

void FillChannelEndpoint(TLinkEndpoint e, const TFound& f, const TExpandContext& c, const std::string& text, int shift,
                         bool event) {
  const int number = RequireCommand(c, *f.Channel, f.Modul, text, event);
  e.SetObjType(f.Modul->BasisKlasse);
  e.SetStmNummer(f.Stm->Adresse());
  e.SetModulKennung(f.Modul->ModulKennung);
  e.SetFunctionText(GetCommandDisplayName(c.Basis, *f.Channel, text));
  e.SetModulAdresse(f.Modul->Adresse());
  e.SetKanalNummer(f.Channel->Adresse());
  e.SetShift(shift);
  e.SetFunctionNumber(number);
}

// The output target (or else target) with its parameter. `param` gives a plain value, `blind`
// (a type-9 variable) the blind-motor data.
void FillOutput(TVerbindung& link, bool elseSide, const TFound& f, const TExpandContext& c, const std::string& text,
                const TVariable* param, const TVariable* blind, const TBlockState& s) {
  FillChannelEndpoint(elseSide ? link.ElseTarget() : link.Target(), f, c, text, f.Modul->AusShift, false);
  if (!CommandHasDialog(c.Basis, *f.Channel, text)) return;
  TVerbindung::THeader& h = link.Header();
  if (blind != nullptr && blind->VarType() == vtRollade) {
    const std::array<uint8_t, 10>& rv = blind->RolladenValue;
    const uint8_t mask = PriorityMask(rv[0], rv[1]);
    const int word = rv[3] | (rv[4] << 8);
    if (!elseSide) {
      link.SetTargetFactor(1.0);
      link.SetTargetParamCaption(s.LastLine.substr(0, 30));
      link.SetTargetParamMode(rv[0]);
      h[330] = mask;
      h[331] = 0;
      h[332] = rv[2];
      h[336] = 0;
      for (int i = 0; i < 6; ++i) h[static_cast<size_t>(337 + i)] = rv[static_cast<size_t>(3 + i)];
      link.SetTargetParam(word);
      link.SetHasTargetParam(true);
    } else {
      link.SetElseFactor(1.0);
      link.SetElseParamCaption(s.LastLine.substr(0, 30));
      link.SetElseParamMode(rv[0]);
      h[333] = mask;
      h[334] = 0;
      h[335] = rv[2];
      h[343] = 0;
      for (int i = 0; i < 6; ++i) h[static_cast<size_t>(344 + i)] = rv[static_cast<size_t>(3 + i)];
      link.SetElseParam(word);
      link.SetHasElseParam(true);
    }
    return;
  }
  if (param == nullptr) throw EZYNError(Ansi("Der Befehl \"") + text + Ansi("\" braucht einen Parameter, das Tool nennt keinen."));
  const uint16_t value = static_cast<uint16_t>(ScaledValue(*param));
  if (!elseSide) {
    link.SetTargetParamWord(value);
    link.SetHasTargetParam(true);
  } else {
    link.SetElseParamWord(value);
    link.SetHasElseParam(true);
  }
}

void FillFlagTarget(TLinkEndpoint e, const TMerker& flag, const TSteuermodul& stm, std::string text, bool elseSide) {
  const std::string upper = AnsiUpperCase(text);
  if (!elseSide && (upper == AnsiUpperCase(ModelTranslate("SETZEN")) || upper == "SET FLAG" || upper == "FLAG SET" ||
                    upper == "SET MARKER" || upper == "MARKER SET"))
    text = AnsiUpperCase(ModelTranslate("EIN"));
  const bool on = AnsiUpperCase(text) == AnsiUpperCase(ModelTranslate("EIN"));
  e.SetObjType(kObjMerker);
  e.SetStmNummer(stm.Adresse());
  e.SetModulKennung(ModelTranslate("MRK"));
  if (elseSide)
    e.SetFunctionText(on ? ModelTranslate("SETZEN") : ModelTranslate("LÖSCHEN"));
  else
    e.SetFunctionText(on ? ModelTranslate("Merker setzen") : ModelTranslate("Merker löschen"));
  e.SetFunctionNumber(on ? 1 : 0);
  e.SetModulAdresse(0);
  e.SetKanalNummer(flag.Adresse());
}

// Marks a link that cannot be completed: it is dropped, and with `endSources` the remaining
// sources of this target are skipped.
struct TOutcome {
  bool Drop = false;
  bool EndSources = false;
  bool EndLogic = false;
};

class TConstruction {
 public:
  TConstruction(TZYNFunction& tool, TBlockState& s, const TExpandContext& c, const std::string& caption)
      : fTool(tool), s(s), c(c), fCaption(caption) {}

  void Run();

 private:
  int SourceCount() const;
  TOutcome BuildTarget(TVerbindung& link, int kind, int d, int f);
  TOutcome BuildLogic(TVerbindung& link, int f);
  TOutcome BuildElse(TVerbindung& link, int d);
  // Source and filing; the else target is completed before the link is filed, so that the
  // duplicate test sees the whole link.
  TOutcome FileLink(std::unique_ptr<TVerbindung> link, int d, int f);
  void File(std::unique_ptr<TVerbindung> link, TVerbindungsListe& own, bool conflictCheck, bool byText);

  TZYNFunction& fTool;
  TBlockState& s;
  const TExpandContext& c;
  const std::string& fCaption;
  TVariable* fParam1 = nullptr;
  std::unique_ptr<TVariable> fTargetParam;  // the parameter of a target entry ("...#12")
  bool fLogicApplies = true;
  bool fConflictLogged = false;
};

int TConstruction::SourceCount() const {
  auto count = [](const TVariable& v, std::initializer_list<int> types) {
    for (int t : types)
      if (v.VarType() == t) return v.Repeats != -1 ? v.Repeats + 1 : v.Count();
    return 1;
  };
  int n = 1;
  if (s.SourceVar) n = count(*s.SourceVar, {vtEingang, vtAusgang, vtMerker, vtUhr});
  if (s.SourceSubVar) n = count(*s.SourceSubVar, {vtEingang, vtAusgang, vtMerker, vtUhr, vtFunction});
  return n;
}

void TConstruction::Run() {
  if (s.TargetVar == nullptr || (s.SourceVar == nullptr && s.SourceSubVar == nullptr)) return;
  const int sources = SourceCount();
  int targets = 1;
  int targetKind = 0;
  for (int t : {vtEingang, vtAusgang, vtMerker, vtFunction, vtObject}) {
    if (s.TargetVar->VarType() == t) {
      targets = s.TargetVar->Count();
      targetKind = t;
    }
  }
  if (sources <= 0 || targets <= 0) return;
  fParam1 = s.Param1Var;

  for (int d = 0; d < targets; ++d) {
    if (s.VerbMode) {
      if (d >= s.TargetVar->Count()) throw EZYNError(Ansi("Die Zielvariable hat keinen Eintrag ") + std::to_string(d) + ".");
      const std::string entry = s.TargetVar->Objects()[static_cast<size_t>(d)].Text;
      s.TargetText = CutBeforeHash(TZYNFunction::LineText(entry));
      const size_t hash = entry.find('#');
      if (hash != std::string::npos) {
        fTargetParam = std::make_unique<TVariable>();
        std::string rest;
        fTargetParam->Value = static_cast<uint16_t>(TZYNFunction::TakeNumber(entry.substr(hash + 1, 6), rest));
        fTargetParam->Multiplier = TReal48::FromValue(1.0L);
        fParam1 = fTargetParam.get();
      }
    }
    for (int f = 0; f < sources; ++f) {
      if (s.VerbMode) {
        if (s.SourceVar == nullptr || f >= s.SourceVar->Count())
          throw EZYNError(Ansi("Die Quellvariable hat keinen Eintrag ") + std::to_string(f) + ".");
        s.SourceText = TZYNFunction::LineText(s.SourceVar->Objects()[static_cast<size_t>(f)].Text);
      }
      auto link = std::make_unique<TVerbindung>(true);
      if (s.SingleTag == "FLSINGLE") link->SetSingleEntry(true);
      int kind = targetKind;
      if (targetKind == vtObject) {
        const TToolObject o = EntryObject(*s.TargetVar, d, c);
        kind = ObjectAs<TEingang>(o) || ObjectAs<TRueckmeldung>(o) ? vtEingang
               : ObjectAs<TAusgang>(o)                             ? vtAusgang
               : ObjectAs<TMerker>(o)                              ? vtMerker
               : ObjectAs<TUhr>(o)                                 ? vtUhr
                                                                   : 0;
      }
      if (!s.IfHash.empty()) {
        TZYNFunction* sub = s.SourceSubVar ? SubTool(*s.SourceSubVar, f, c) : nullptr;
        s.SourceVar = sub ? sub->FindVariable(s.IfHash) : nullptr;
      }
      if (!s.Param1Hash.empty()) {
        TZYNFunction* sub = SubTool(*s.TargetVar, d, c);
        if (sub == nullptr) break;
        fParam1 = sub->FindVariable(s.Param1Hash);
      }
      if (!s.Cpara1.empty()) {
        if (fParam1 == nullptr) throw EZYNError(Ansi("CPARA1 ohne Parametervariable."));
        fTool.ResolveParameter(*fParam1, s.Cpara1, s.TargetVar, d);
      }
      if (!s.Cpara2.empty()) {
        if (s.Param2Var == nullptr) throw EZYNError(Ansi("CPARA2 ohne Parametervariable."));
        fTool.ResolveParameter(*s.Param2Var, s.Cpara2, s.ElseVar, d);
      }
      TOutcome out = BuildTarget(*link, kind, d, f);
      if (!out.Drop && s.LogicVar && fLogicApplies) out = BuildLogic(*link, f);
      if (out.EndLogic) fLogicApplies = false;
      if (out.EndSources) break;
      if (out.Drop) continue;
      if (s.CifMode && s.SourceVar && (s.SourceVar->VarType() == vtEingang || s.SourceVar->VarType() == vtAusgang)) {
        const TFound src = s.SourceVar->VarType() == vtEingang ? FindInput(c, EntryObject(*s.SourceVar, f, c))
                                                               : FindOutput(c, EntryObject(*s.SourceVar, f, c));
        if (src.Modul) s.SourceText = src.Modul->LookupKennungEntry(s.CifList);
      }
      out = FileLink(std::move(link), d, f);
      if (out.EndSources) break;
    }
    if (s.VerbMode) {
      fParam1 = nullptr;
      fTargetParam.reset();
    }
  }
}

TOutcome TConstruction::BuildTarget(TVerbindung& link, int kind, int d, int f) {
  switch (kind) {
    case vtAusgang: {
      const TFound out = FindOutput(c, EntryObject(*s.TargetVar, d, c));
      if (!out.Channel) return {true, false, false};  // no target: the link would lead nowhere
      FillOutput(link, false, out, c, s.TargetText, fParam1, fParam1, s);
      return {};
    }
    case vtMerker: {
      TSteuermodul* stm = nullptr;
      TMerker* flag = FindFlag(c, EntryObject(*s.TargetVar, d, c), &stm);
      if (!flag) return {true, false, false};
      FillFlagTarget(link.Target(), *flag, *stm, s.TargetText, false);
      return {};
    }
    case vtFunction: {
      TZYNFunction* sub = SubTool(*s.TargetVar, d, c);
      const TVariable* then = sub ? sub->FindVariable(s.ThenHash) : nullptr;
      const TFound out = then && then->Count() > 0 ? FindOutput(c, EntryObject(*then, 0, c)) : TFound{};
      if (!out.Channel) return {true, true, true};
      FillOutput(link, false, out, c, s.TargetText, fParam1, fParam1, s);
      return {};
    }
    case vtEingang: {
      // An input list as target: the current source looked up as output.
      const TFound out = s.SourceVar ? FindOutput(c, EntryObject(*s.SourceVar, f, c)) : TFound{};
      if (!out.Channel) return {true, false, false};
      FillOutput(link, false, out, c, s.TargetText, fParam1, fParam1, s);
      return {};
    }
    default:
      return {true, false, false};
  }
}

TOutcome TConstruction::BuildLogic(TVerbindung& link, int f) {
  const TVariable& logic = *s.LogicVar;
  link.SetKind(logic.Count() > 0 ? 1 : 0);
  const TToolObject self = s.SourceVar && f < s.SourceVar->Count() ? EntryObject(*s.SourceVar, f, c) : TToolObject{};
  const std::string on = AnsiUpperCase(ModelTranslate("EIN"));
  int slot = 0;
  for (int i = 0; i < logic.Count(); ++i) {
    const std::string& text = logic.Objects()[static_cast<size_t>(i)].Text;
    std::string state;
    if (s.VerbMode) {
      const size_t colon = text.find(':');
      state = AnsiUpperCase(text.substr(colon == std::string::npos ? 0 : colon + 1, 3));
    } else {
      const size_t pct = text.find('%');
      state = AnsiUpperCase(pct == std::string::npos ? text : text.substr(pct + 1));
    }
    TToolObject o = logic.Objects()[static_cast<size_t>(i)].Object;
    bool subTool = false;
    if (const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(o)) {
      const TVariable* v = sub->FunctionPtr() ? sub->FunctionPtr()->FindVariable(s.AndHash) : nullptr;
      o = v && v->Count() > 0 ? EntryObject(*v, 0, c) : TToolObject{};
      if (IsNone(o)) return {true, true, true};
      subTool = true;
    }
    int type = -1, stmNr = 0, modulAdr = 0, number = 0;
    std::string code, name;
    if (ObjectAs<TEingang>(o) || ObjectAs<TRueckmeldung>(o)) {
      if (ObjectAs<TRueckmeldung>(o)) continue;
      const TFound in = FindInput(c, o);
      if (!in.Channel) continue;
      if (!subTool && s.AndNotSelf && InternalNameOf(o) == InternalNameOf(self)) continue;
      type = 2 * in.Modul->BasisKlasse + 1 + (in.Modul->Adresse() > 15 ? 1 : 0);
      stmNr = in.Stm->Adresse();
      modulAdr = in.Modul->Adresse();
      number = in.Channel->Adresse();
      code = in.Modul->ModulKennung;
      name = in.Channel->InternalName();
    } else if (ObjectAs<TAusgang>(o)) {
      const TFound out = FindOutput(c, o);
      if (!out.Channel) continue;
      type = out.Modul->BasisKlasse + 17;
      stmNr = out.Stm->Adresse();
      modulAdr = out.Modul->Adresse();
      number = out.Channel->Adresse();
      code = out.Modul->ModulKennung;
      name = out.Channel->InternalName();
    } else if (ObjectAs<TMerker>(o)) {
      TSteuermodul* stm = nullptr;
      TMerker* flag = FindFlag(c, o, &stm);
      if (!flag) continue;
      type = kObjMerker;
      stmNr = stm->Adresse();
      number = flag->Adresse();
      code = ModelTranslate("MRK");
      name = flag->InternalName();
    } else if (ObjectAs<TUhr>(o)) {
      TSteuermodul* stm = nullptr;
      TUhr* clock = FindClock(c, o, &stm);
      if (!clock) continue;
      type = kObjUhr;
      stmNr = stm->Adresse();
      number = clock->Adresse();
      code = ModelTranslate("UHR");
      name = clock->InternalName();
    } else {
      continue;
    }
    if (slot >= kLogicEntryCount)
      throw EZYNError(Ansi("Die Verknüpfung hat mehr als ") + std::to_string(kLogicEntryCount) + Ansi(" Bedingungen."));
    TLogicEntry e = link.Logic(slot++);
    e.SetLogicType(type);
    e.SetStmNummer(stmNr);
    e.SetModulAdresse(modulAdr);
    e.SetKanalNummer(number);
    e.SetLogicState(state == on ? 1 : 0);
    e.SetLogicCode(code);
    e.SetLogicChannelName(name.substr(0, 50));
  }
  return {};
}

TOutcome TConstruction::BuildElse(TVerbindung& link, int d) {
  std::string text = s.ElseText;
  const TVariable* param = fParam1;
  std::unique_ptr<TVariable> entryParam;
  if (s.VerbMode) {
    if (s.ElseVar->Count() == 0) throw EZYNError(Ansi("Die Variable des Sonst-Ziels hat keinen Eintrag."));
    text = CutBeforeHash(TZYNFunction::LineText(s.ElseVar->Objects()[0].Text));
    const std::string& first = s.TargetVar->Count() > 0 ? s.TargetVar->Objects()[0].Text : std::string();
    const size_t hash = first.find('#');
    if (hash != std::string::npos) {
      entryParam = std::make_unique<TVariable>();
      std::string rest;
      entryParam->Value = static_cast<uint16_t>(TZYNFunction::TakeNumber(first.substr(hash + 1, 6), rest));
      entryParam->Multiplier = TReal48::FromValue(1.0L);
      param = entryParam.get();
    }
  }
  TFound out;
  switch (s.ElseVar->VarType()) {
    case vtAusgang: {
      const TToolObject o = EntryObject(*s.ElseVar, d, c);
      if (IsNone(o)) return {true, true, false};
      out = FindOutput(c, o);
      break;
    }
    case vtMerker: {
      TSteuermodul* stm = nullptr;
      TMerker* flag = FindFlag(c, EntryObject(*s.ElseVar, d, c), &stm);
      if (!flag) return {};
      FillFlagTarget(link.ElseTarget(), *flag, *stm, text, true);
      link.SetKind(2);
      return {};
    }
    case vtFunction: {
      TZYNFunction* sub = SubTool(*s.ElseVar, d, c);
      const TVariable* then = sub ? sub->FindVariable(s.ThenHash) : nullptr;
      if (then && then->Count() > 0) out = FindOutput(c, EntryObject(*then, 0, c));
      break;
    }
    default:
      return {};
  }
  if (!out.Channel) return {};  // no else target: the link keeps its kind
  FillOutput(link, true, out, c, text, param, s.Param2Var, s);
  link.SetKind(2);
  return {};
}

TOutcome TConstruction::FileLink(std::unique_ptr<TVerbindung> link, int d, int f) {
  const int type = s.SourceVar ? s.SourceVar->VarType() : -1;
  const std::string& text = s.SourceText;
  auto completeElse = [&]() -> TOutcome { return s.ElseVar ? BuildElse(*link, d) : TOutcome{}; };

  if (type == vtEingang) {
    const TToolObject o = EntryObject(*s.SourceVar, f, c);
    const TFound in = FindInput(c, o);
    if (!in.Channel) return {};
    FillChannelEndpoint(link->Source(), in, c, text, in.Modul->EinShift, true);
    const TOutcome e = completeElse();
    if (e.EndSources) return e;
    File(std::move(link), in.Channel->Verbindungen(), true, false);
    return {};
  }
  if (type == vtAusgang) {
    const TToolObject o = EntryObject(*s.SourceVar, f, c);
    const TFound out = FindOutput(c, o);
    if (!out.Channel) return {false, true, false};
    TRueckmeldung* rme = out.Modul->Rueckmeldungen().GetRueckmeldung(out.Channel->Adresse());
    if (rme == nullptr)
      throw EZYNError(Ansi("Zum Ausgang \"") + out.Channel->DisplayName() + Ansi("\" gibt es keine Rückmeldung."));
    TFound fb{rme, out.Modul, out.Stm};
    FillChannelEndpoint(link->Source(), fb, c, text, out.Modul->RMEShift, true);
    const TOutcome e = completeElse();
    if (e.EndSources) return e;
    File(std::move(link), rme->Verbindungen(), false, true);
    return {};
  }
  if (type == vtMerker || type == vtUhr) {
    const TToolObject o = EntryObject(*s.SourceVar, f, c);
    TSteuermodul* stm = nullptr;
    TKanal* object = type == vtMerker ? static_cast<TKanal*>(FindFlag(c, o, &stm)) : FindClock(c, o, &stm);
    if (object == nullptr) return {false, true, false};
    std::string sourceText = text;
    if (type == vtUhr && s.CifMode) {
      bool on = false;
      for (const std::string& line : s.CifList) on = on || line == "UHR_EIN";
      sourceText = AnsiUpperCase(on ? ModelTranslate("EIN") : ModelTranslate("AUS"));
    }
    TLinkEndpoint e = link->Source();
    e.SetObjType(type == vtMerker ? kObjMerker : kObjUhr);
    e.SetStmNummer(stm->Adresse());
    e.SetModulKennung(type == vtMerker ? ModelTranslate("MRK") : ModelTranslate("UHR"));
    e.SetModulAdresse(0);
    e.SetKanalNummer(object->Adresse());
    const int number = RequireCommand(c, *object, nullptr, sourceText, true);
    e.SetFunctionText(GetCommandDisplayName(c.Basis, *object, sourceText));
    e.SetFunctionNumber(number);
    const TOutcome el = completeElse();
    if (el.EndSources) return el;
    File(std::move(link), object->Verbindungen(), true, false);
    return {};
  }
  return {};
}

void TConstruction::File(std::unique_ptr<TVerbindung> link, TVerbindungsListe& own, bool conflictCheck, bool byText) {
  if (c.LinkList == nullptr && own.FindDuplicate(link.get()) >= 0) return;
  if (conflictCheck && !link->CheckLogic()) {
    fTool.HasLgConflict = true;
    if (c.Log != nullptr) {
      if (!fConflictLogged) c.Log->push_back("\\b" + fCaption);
      fConflictLogged = true;
      c.Log->push_back("\t" + ModelTranslate("Verknüpfung:") + " " + link->GetDisplayText());
    }
  }
  if (c.LinkList != nullptr) {
    link->CheckLogic();
    if (c.LinkList->FindDuplicate(link.get()) < 0) c.LinkList->Add(std::move(link));
    return;
  }
  if (byText) {
    const int at = own.IndexOfText(link.get());
    if (at >= 0) {
      own.InsertLink(at, std::move(link));
      return;
    }
  }
  own.Add(std::move(link));
}

}  // namespace

TToolObject EntryObject(const TVariable& v, int index, const TExpandContext&) {
  if (index < 0 || index >= v.Count())
    throw EZYNError(Ansi("Die Variable \"") + v.VarName + Ansi("\" hat keinen Eintrag ") + std::to_string(index + 1) + ".");
  return v.Objects()[static_cast<size_t>(index)].Object;
}

void ConstructLinks(TZYNFunction& tool, TBlockState& state, const TExpandContext& context, const std::string& caption) {
  TConstruction(tool, state, context, caption).Run();
}

}  // namespace zyn
