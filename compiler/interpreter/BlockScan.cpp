// The scan of one block: every line is tested for every keyword, in a fixed order, by substring
// search; every keyword a line contains acts.

#include "compiler/interpreter/BlockState.h"
#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/Kanal.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <algorithm>

namespace zyn {

namespace {

bool Has(const std::string& line, const char* keyword) { return line.find(keyword) != std::string::npos; }

std::string FromSeventh(const std::string& line) { return line.size() > 6 ? Trim(line.substr(6)) : std::string(); }

// The tool variable named by the line; for RESET and SETVERSATZ it must exist.
TVariable* Required(TZYNFunction& tool, const std::string& line) {
  const std::string name = TZYNFunction::TokenPercent(line);
  TVariable* v = tool.FindVariable(name);
  if (v == nullptr) throw EZYNError(Ansi("Die Variable \"") + name + Ansi("\" ist im Tool nicht vorhanden."));
  return v;
}

// A logic variable the block may change: the tool's own variables (named by LOGIC) stay as they
// are, so combining LOGIC with AND, ANDM or ANDNOTSELF is refused.
TVariable* OwnLogicVar(TBlockState& state, const std::string& keyword) {
  if (state.LogicVar == nullptr) {
    state.LogicVar = state.NewVariable();
    state.LogicVar->SetVarType(vtObject);
  }
  if (!state.OwnsVariable(state.LogicVar))
    throw EZYNError(Ansi("LOGIC und ") + keyword + Ansi(" können nicht im selben Block stehen."));
  return state.LogicVar;
}

// Rows IFM, THENM, ELSEM and ANDM: a variable holding one channel of the first module of the
// module variable named before the first "\".
TVariable* ModuleChannelVar(TZYNFunction& tool, const std::string& line, TBlockState& state, const std::string& text) {
  TVariable* result = state.NewVariable();
  const int kind = TZYNFunction::ChannelKind(line);
  if (kind < 0) return result;
  const std::string moduleVar = TZYNFunction::TokenModuleVar(line);
  const TVariable* mv = tool.Variables.Find(moduleVar);
  if (mv == nullptr) throw EZYNError(Ansi("Die Modulvariable \"") + moduleVar + Ansi("\" ist im Tool nicht vorhanden."));
  const TModul* modul = mv->Count() > 0 ? ObjectAs<TModul>(mv->Objects()[0].Object) : nullptr;
  if (modul == nullptr) throw EZYNError(Ansi("Der Modulvariable \"") + moduleVar + Ansi("\" ist kein Modul zugeordnet."));
  const int index = TZYNFunction::TokenChannelIndex(line);
  TKanal* channel = nullptr;
  if (kind == 0)
    channel = index >= 0 && index < modul->Eingaenge().Count() ? modul->Eingaenge().GetItem(index) : nullptr;
  else
    channel = index >= 0 && index < modul->Ausgaenge().Count() ? modul->Ausgaenge().GetItem(index) : nullptr;
  if (channel == nullptr)
    throw EZYNError(Ansi("Das Modul \"") + modul->DisplayName() + Ansi("\" hat keinen Kanal ") + std::to_string(index) + ".");
  result->SetVarType(kind == 0 ? vtEingang : vtAusgang);
  if (kind == 0)
    result->Add(text, TToolObject(static_cast<TEingang*>(channel)));
  else
    result->Add(text, TToolObject(static_cast<TAusgang*>(channel)));
  state.SourceSubVar = nullptr;
  return result;
}

void ScanLine(TZYNFunction& tool, const std::string& line, TBlockState& s) {
  const bool hash = Has(line, "#");
  const TVarList& vars = tool.Variables;
  auto named = [&] { return vars.Find(TZYNFunction::TokenPercent(line)); };

  if (Has(line, "RESET ")) Required(tool, line)->Value = 0;
  if (Has(line, "SETVERSATZ ")) tool.Versatz = static_cast<int16_t>(Required(tool, line)->Value);
  if (hash && Has(line, "THEN ")) s.ThenHash = TZYNFunction::TokenHash(line);
  if (hash && Has(line, "AND ")) s.AndHash = TZYNFunction::TokenHash(line);
  if (Has(line, "FLAG ")) s.SingleTag = "FLSINGLE";
  if (hash && Has(line, "IF ")) {
    s.SourceText = TZYNFunction::LineText(line);
    s.IfHash = TZYNFunction::TokenHash(line);
    s.SourceSubVar = named();
  }
  if (!hash && Has(line, "IF ")) {
    s.SourceText = TZYNFunction::LineText(line);
    s.SourceVar = named();
  }
  if (Has(line, "VERB ")) {
    s.SourceVar = named();
    s.VerbMode = true;
  }
  if (Has(line, "WITH ")) s.TargetVar = named();
  if (Has(line, "LOGIC ")) s.LogicVar = named();
  if (Has(line, "ALT ")) s.ElseVar = named();
  if (Has(line, "CIF ")) {
    s.SourceText = TZYNFunction::LineText(line);
    s.CifList.push_back(s.SourceText);
    s.CifMode = true;
  }
  if (Has(line, "THEN ")) {
    s.TargetText = TZYNFunction::LineText(line);
    s.TargetVar = named();
  }
  if (Has(line, "AND ")) {
    TVariable* logic = OwnLogicVar(s, "AND");
    const TVariable* v = named();
    if (v != nullptr && v->Count() > 0 && !IsNone(v->Objects()[0].Object))
      logic->AddObject(TZYNFunction::LineText(line), v->Objects()[0].Object);
  }
  if (Has(line, "ELSE ")) {
    s.ElseText = TZYNFunction::LineText(line);
    s.ElseVar = named();
  }
  if (Has(line, "PARAM1 ")) s.Param1Var = named();
  if (Has(line, "PARAM2 ")) s.Param2Var = named();
  if (hash && Has(line, "PARAM1 ")) s.Param1Hash = TZYNFunction::TokenHash(line);
  if (Has(line, "CPARA1 ")) s.Cpara1 = FromSeventh(line);
  if (Has(line, "CPARA2 ")) s.Cpara2 = FromSeventh(line);
  if (Has(line, "DPARA1 ")) s.Dpara1 = FromSeventh(line);
  if (Has(line, "DPARA2 ")) s.Dpara2 = FromSeventh(line);
  if (Has(line, "IFM ")) {
    s.SourceText = TZYNFunction::LineText(line);
    s.SourceVar = ModuleChannelVar(tool, line, s, "Dummy");
  }
  if (Has(line, "THENM ")) {
    s.TargetText = TZYNFunction::LineText(line);
    s.TargetVar = ModuleChannelVar(tool, line, s, "Dummy");
  }
  if (Has(line, "ELSEM ")) {
    s.ElseText = TZYNFunction::LineText(line);
    s.ElseVar = ModuleChannelVar(tool, line, s, "Dummy");
  }
  if (Has(line, "ANDM ")) {
    s.AndMText = TZYNFunction::LineText(line);
    TVariable* channel = ModuleChannelVar(tool, line, s, s.AndMText);
    TVariable* logic = OwnLogicVar(s, "ANDM");
    logic->SetVarType(channel->VarType());
    logic->Objects().clear();
    for (const TVarEntry& e : channel->Objects()) logic->Add(e.Text, e.Object);
  }
  if (Has(line, "ANDNOTSELF ")) {
    s.AndNotSelf = true;
    TVariable* logic = OwnLogicVar(s, "ANDNOTSELF");
    if (const TVariable* v = named())
      for (const TVarEntry& e : v->Objects()) logic->AddObject(TZYNFunction::LineText(line), e.Object);
  }
}

}  // namespace

TVariable* TBlockState::NewVariable() {
  Owned.push_back(std::make_unique<TVariable>());
  return Owned.back().get();
}

bool TBlockState::OwnsVariable(const TVariable* v) const {
  return std::any_of(Owned.begin(), Owned.end(), [v](const auto& o) { return o.get() == v; });
}

void ScanBlock(TZYNFunction& tool, const std::vector<std::string>& lines, TBlockState& state) {
  tool.Versatz = 10;
  for (const std::string& line : lines) ScanLine(tool, line, state);
  state.LastLine = lines.empty() ? std::string() : lines.back();
}

}  // namespace zyn
