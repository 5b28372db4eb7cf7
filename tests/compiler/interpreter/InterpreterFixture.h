#pragma once
// A small installation for the interpreter tests, built from the default module catalogue and
// command lists: control module 0 with an input module (INP 1), a switching module (OUT 2), a
// multifunction module (MFM 3), a dimmer (DSA 4) and a blind module (JRM 5), flags 0..59 and two
// clocks; control module 1 with one input module (INP 1). Helpers make tools from script lines
// and describe links field by field.

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/BasisDaten.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "project/Projekt.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

// Records what the generation reports.
struct TRecordingReport : IToolReport {
  std::vector<std::string> Messages, Failures, Causes, Captions;
  std::vector<int> Progress;
  int Maximum = -1, Steps = 0;
  void SetToolProgress(int position) override { Progress.push_back(position); }
  void SetOverallMaximum(int maximum) override { Maximum = maximum; }
  void StepOverall() override { ++Steps; }
  void SetCaption(const std::string& text) override { Captions.push_back(text); }
  void AddMessage(const std::string& line) override { Messages.push_back(line); }
  void ToolFailed(const TZYNFunction& tool, const std::string& message, const std::string& cause) override {
    Failures.push_back(tool.Info.FunctionName + ": " + message);
    Causes.push_back(cause);
  }
};

// The fields of a link in one line: kind, generated, single entry; source, target and else
// target as type/control module/code/module address/channel/shift #command "text"; the
// parameters; and every used logic entry as type/control module/module address/channel/state.
inline std::string Endpoint(const TLinkEndpoint& e) {
  if (!e.Present() && e.ObjType() == 0) return "-";
  return std::to_string(e.ObjType()) + "/" + std::to_string(e.StmNummer()) + "/" + e.ModulKennung() + "/" +
         std::to_string(e.ModulAdresse()) + "/" + std::to_string(e.KanalNummer()) + "/" + std::to_string(e.Shift()) +
         " #" + std::to_string(e.FunctionNumber()) + " " + e.FunctionText();
}

inline std::string Describe(const TVerbindung& link) {
  std::string s = "K" + std::to_string(link.Kind()) + (link.Generated() ? " G" : " -") +
                  (link.SingleEntry() ? " S" : "") + " | " + Endpoint(link.Source()) + " | " + Endpoint(link.Target());
  if (link.HasTargetParam()) s += " P" + std::to_string(link.TargetParam());
  if (link.Kind() == 2) {
    s += " | " + Endpoint(link.ElseTarget());
    if (link.HasElseParam()) s += " P" + std::to_string(link.ElseParam());
  }
  for (int i = 0; i < kLogicEntryCount; ++i) {
    const TLogicEntry e = link.Logic(i);
    if (!e.Used()) continue;
    s += " [" + std::to_string(e.LogicType()) + "/" + std::to_string(e.StmNummer()) + "/" +
         std::to_string(e.ModulAdresse()) + "/" + std::to_string(e.KanalNummer()) + " " +
         std::to_string(e.LogicState()) + " " + e.LogicCode() + "]";
  }
  return s;
}

inline std::vector<std::string> DescribeAll(const TVerbindungsListe& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(Describe(*list.GetVerbindung(i)));
  return out;
}

class InterpreterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(basis.Load(std::string(ZYN_BINARY_DIR) + "/data/system/"));
    p.BasisDaten = &basis;
    stm0 = AddStm(0);
    stm1 = AddStm(1);
    inp = AddModul(*stm0, "INPUT 8", 1);
    out = AddModul(*stm0, "OUTPUT 8", 2);
    mfm = AddModul(*stm0, "MFM 4", 3);
    dim = AddModul(*stm0, "DIM_SAN", 4);
    jrm = AddModul(*stm0, "JRM", 5);
    inp1 = AddModul(*stm1, "INPUT 8", 1);
    for (int f = 0; f < 60; ++f) {
      auto m = std::make_unique<TMerker>();
      m->AssignNewName(names);
      m->SetAdresse(f);
      m->SetDisplayName("Merker " + std::to_string(f));
      stm0->Merker.Adressen.SetUsed(f);
      stm0->Merker.Add(std::move(m));
    }
    for (int u = 0; u < 2; ++u) {
      auto uhr = std::make_unique<TUhr>();
      uhr->AssignNewName(names);
      uhr->SetAdresse(u + 3);
      uhr->SetDisplayName("Uhr " + std::to_string(u));
      uhr->BefehlsListe = "Eingangsfunktionen Uhren";
      stm0->Uhren.Add(std::move(uhr));
    }
  }

  TSteuermodul* AddStm(int address) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->AssignNewName(names);
    stm->SetAdresse(address);
    return p.Steuermodule.Add(std::move(stm));
  }

  TModul* AddModul(TSteuermodul& stm, const char* klasse, int address) {
    const TModulClass* cls = basis.Katalog.FindClass(klasse);
    EXPECT_NE(cls, nullptr) << klasse;
    auto m = std::make_unique<TModul>();
    m->AssignNewName(names);
    m->InitFromClass(*cls, names);
    m->SetDisplayName(klasse);
    m->SetAdresse(address);
    return stm.Module.Add(std::move(m));
  }

  TEingang* In(TModul* m, int i) { return m->Eingaenge().GetItem(i); }
  TAusgang* Out(TModul* m, int i) { return m->Ausgaenge().GetItem(i); }
  TRueckmeldung* Rme(TModul* m, int i) { return m->Rueckmeldungen().GetItem(i); }
  TMerker* Flag(int i) { return stm0->Merker.GetMerker(i); }
  TUhr* Clock(int i) { return stm0->Uhren.GetUhr(i); }

  // A tool of the control module with the script lines.
  TZYNFunction& Tool(std::vector<std::string> script, const std::string& name = "Test") {
    auto tool = std::make_unique<TZYNFunction>();
    tool->InternalName = names.NewName();
    tool->Info.FunctionName = name;
    tool->Script = std::move(script);
    const std::string key = tool->InternalName;
    return *stm0->Tools.Add(key, std::move(tool));
  }

  TVariable& Var(TZYNFunction& tool, const std::string& name, int16_t type) {
    auto v = std::make_unique<TVariable>();
    v->VarName = name;
    v->SetVarType(type);
    return *tool.Variables.Add(std::move(v));
  }

  template <class T>
  void Bind(TVariable& v, T* object, const std::string& suffix = "") {
    v.Add(object->InternalName() + suffix, TToolObject(object));
  }

  // Every link of the project's channels, flags and clocks, in project order.
  std::vector<std::string> AllLinks() {
    std::vector<std::string> all;
    ForEachList([&](TVerbindungsListe& l) {
      for (const std::string& d : DescribeAll(l)) all.push_back(d);
    });
    return all;
  }
  void ClearAllLinks() {
    ForEachList([](TVerbindungsListe& l) { l.Clear(); });
  }
  template <class F>
  void ForEachList(F f) {
    for (int s = 0; s < p.Steuermodule.Count(); ++s) {
      TSteuermodul& stm = *p.Steuermodule.GetSteuermodul(s);
      for (int m = 0; m < stm.Module.Count(); ++m) {
        TModul& mod = *stm.Module.GetModul(m);
        for (int i = 0; i < mod.Eingaenge().Count(); ++i) f(mod.Eingaenge().GetItem(i)->Verbindungen());
        for (int i = 0; i < mod.Ausgaenge().Count(); ++i) f(mod.Ausgaenge().GetItem(i)->Verbindungen());
        for (int i = 0; i < mod.Rueckmeldungen().Count(); ++i) f(mod.Rueckmeldungen().GetItem(i)->Verbindungen());
      }
      for (int i = 0; i < stm.Merker.Count(); ++i) f(stm.Merker.GetMerker(i)->Verbindungen());
      for (int i = 0; i < stm.Uhren.Count(); ++i) f(stm.Uhren.GetUhr(i)->Verbindungen());
    }
  }

  bool Expand(TZYNFunction& tool, TVerbindungsListe* list = nullptr, std::vector<std::string>* log = nullptr) {
    TExpandContext c(p, basis);
    c.Report = &report;
    c.LinkList = list;
    c.Log = log;
    return ExpandTool(tool, c);
  }

  TBasisDaten basis;
  TUniqueNames names;
  TZYNProjekt p;
  TRecordingReport report;
  TSteuermodul* stm0 = nullptr;
  TSteuermodul* stm1 = nullptr;
  TModul *inp = nullptr, *out = nullptr, *mfm = nullptr, *dim = nullptr, *jrm = nullptr, *inp1 = nullptr;
};

}  // namespace zyn::test
