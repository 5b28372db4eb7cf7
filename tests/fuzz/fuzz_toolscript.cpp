// The link-script interpreter takes any script: every line is scanned for its keywords and the
// blocks are expanded against a small project (a flag, a clock and variables of every kind). A
// faulty block is reported and ends the tool; nothing reads out of bounds, overflows the logic
// table or escapes as another exception. The trial expansion leaves the project's links as they
// were, and a second real run adds no link.
#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/BasisDaten.h"
#include "model/Merker.h"
#include "model/Uhr.h"
#include "project/Projekt.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TCountingReport : zyn::IToolReport {
  int Failures = 0;
  void ToolFailed(const zyn::TZYNFunction&, const std::string&, const std::string&) override { ++Failures; }
};

zyn::TVariable& AddVar(zyn::TZYNFunction& tool, const char* name, int16_t type) {
  auto v = std::make_unique<zyn::TVariable>();
  v->VarName = name;
  v->SetVarType(type);
  return *tool.Variables.Add(std::move(v));
}

int LinkCount(zyn::TSteuermodul& stm) {
  int n = 0;
  for (int i = 0; i < stm.Merker.Count(); ++i) n += stm.Merker.GetMerker(i)->Verbindungen().Count();
  for (int i = 0; i < stm.Uhren.Count(); ++i) n += stm.Uhren.GetUhr(i)->Verbindungen().Count();
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TZYNProjekt projekt;
  zyn::TBasisDaten basis;
  auto owned = std::make_unique<zyn::TSteuermodul>();
  zyn::TSteuermodul& stm = *projekt.Steuermodule.Add(std::move(owned));
  for (int i = 0; i < 2; ++i) {
    auto m = std::make_unique<zyn::TMerker>();
    m->SetAdresse(i);
    stm.Merker.Add(std::move(m));
    auto u = std::make_unique<zyn::TUhr>();
    u->SetAdresse(i);
    stm.Uhren.Add(std::move(u));
  }

  auto owner = std::make_unique<zyn::TZYNFunction>();
  zyn::TZYNFunction& tool = *owner;
  std::string line;
  for (size_t i = 0; i < size && tool.Script.size() < 128; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n') {
      tool.Script.push_back(line.substr(0, 255));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) tool.Script.push_back(line.substr(0, 255));
  if (size > 0 && data[0] == 'S') tool.Info.FunctionGroup = "SIMULATIONEN";

  AddVar(tool, "F", zyn::vtMerker).Add("f0", zyn::TToolObject(stm.Merker.GetMerker(0)));
  AddVar(tool, "U", zyn::vtUhr).Add("u0", zyn::TToolObject(stm.Uhren.GetUhr(0)));
  zyn::TVariable& obj = AddVar(tool, "O", zyn::vtObject);
  obj.AddObject("Ein", zyn::TToolObject(stm.Merker.GetMerker(1)));
  obj.AddObject("Aus", zyn::TToolObject(stm.Uhren.GetUhr(1)));
  AddVar(tool, "W", zyn::vtWord).Value = 7;
  AddVar(tool, "VERSATZ", zyn::vtWord);
  AddVar(tool, "R", zyn::vtRollade);
  AddVar(tool, "LAUFZEIT", zyn::vtTimeSek).Value = 30;
  AddVar(tool, "E", zyn::vtEingang).Add("fehlt");
  AddVar(tool, "M", zyn::vtObject);
  stm.Tools.Add("t", std::move(owner));

  // Token operations on every line.
  for (const std::string& l : tool.Script) {
    (void)zyn::TZYNFunction::TokenPercent(l);
    (void)zyn::TZYNFunction::TokenHash(l);
    (void)zyn::TZYNFunction::TokenModuleVar(l);
    (void)zyn::TZYNFunction::ChannelKind(l);
    (void)zyn::TZYNFunction::LineText(l);
    try {
      (void)zyn::TZYNFunction::TokenChannelIndex(l);
    } catch (const zyn::EZYNError&) {
    }
  }

  zyn::CheckToolLogic(tool, projekt, basis);
  if (LinkCount(stm) != 0) std::abort();

  TCountingReport report;
  zyn::TExpandContext context(projekt, basis);
  context.Report = &report;
  std::vector<std::string> log;
  context.Log = &log;
  const bool first = zyn::ExpandTool(tool, context);
  if (first != (report.Failures == 0) || report.Failures > 1) std::abort();
  const int links = LinkCount(stm);
  for (int i = 0; i < stm.Merker.Count(); ++i)
    for (int k = 0; k < stm.Merker.GetMerker(i)->Verbindungen().Count(); ++k)
      if (stm.Merker.GetMerker(i)->Verbindungen().GetVerbindung(k)->GetLogicCount() > zyn::kLogicEntryCount)
        std::abort();
  if (first) {
    // Parameters may change between runs (counters, resets), the links they belong to do not.
    (void)zyn::ExpandTool(tool, context);
    if (LinkCount(stm) != links) std::abort();
  }
  return 0;
}
