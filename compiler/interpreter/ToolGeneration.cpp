#include "compiler/interpreter/ToolGeneration.h"

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/ModelText.h"
#include "model/VerbindungsListe.h"
#include "project/Projekt.h"

#include <array>
#include <set>

namespace zyn {

namespace {

// The values a script may change in the variables of a tool and of the tools it uses.
class TVariableSnapshot {
 public:
  explicit TVariableSnapshot(TZYNFunction& tool) { Take(tool); }
  ~TVariableSnapshot() {
    for (TTool& t : fTools) {
      t.Tool->Versatz = t.Versatz;
      for (TValue& v : t.Values) {
        v.Var->Value = v.Value;
        v.Var->RolladenValue = v.Rollade;
        v.Var->Multiplier = v.Multiplier;
      }
    }
  }
  TVariableSnapshot(const TVariableSnapshot&) = delete;
  TVariableSnapshot& operator=(const TVariableSnapshot&) = delete;

 private:
  struct TValue {
    TVariable* Var;
    uint16_t Value;
    std::array<uint8_t, 10> Rollade;
    TReal48 Multiplier;
  };
  struct TTool {
    TZYNFunction* Tool;
    int16_t Versatz;
    std::vector<TValue> Values;
  };

  void Take(TZYNFunction& tool) {
    if (!fSeen.insert(&tool).second) return;
    TTool t{&tool, tool.Versatz, {}};
    for (int i = 0; i < tool.Variables.Count(); ++i) {
      TVariable* v = tool.Variables.Get(i);
      t.Values.push_back({v, v->Value, v->RolladenValue, v->Multiplier});
    }
    fTools.push_back(std::move(t));
    for (int i = 0; i < tool.Variables.Count(); ++i)
      for (const TVarEntry& e : tool.Variables.Get(i)->Objects())
        if (const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(e.Object))
          if (sub->FunctionPtr()) Take(*sub->FunctionPtr());
  }

  std::set<const TZYNFunction*> fSeen;
  std::vector<TTool> fTools;
};

}  // namespace

int GenerateTools(TZYNProjekt& projekt, const TBasisDaten& basis, IToolReport* report, std::vector<std::string>* log) {
  TExpandContext context(projekt, basis);
  context.Report = report;
  context.Log = log;
  int total = projekt.Tools.Count();
  for (int i = 0; i < projekt.Steuermodule.Count(); ++i) total += projekt.Steuermodule.GetSteuermodul(i)->Tools.Count();
  if (report) report->SetOverallMaximum(total);

  int failed = 0;
  for (int i = 0; i < projekt.Steuermodule.Count(); ++i) {
    TSteuermodul& stm = *projekt.Steuermodule.GetSteuermodul(i);
    const std::string address = std::to_string(stm.Adresse());
    if (report) {
      if (i > 0) report->AddMessage("");
      report->AddMessage(ModelTranslate("Steuermodul") + " " + address);
    }
    for (int t = 0; t < stm.Tools.Count(); ++t) {
      TZYNFunction& tool = *stm.Tools.GetFunction(t);
      const std::string name = ModelTranslate("STM") + "." + address + " - " + tool.Info.FunctionName;
      if (report) {
        report->StepOverall();
        report->SetCaption(name);
        report->ProcessMessages();
        report->AddMessage(ModelTranslate("Erzeuge Tool:") + " " + name);
      }
      if (!ExpandTool(tool, context)) ++failed;
    }
  }
  if (projekt.Tools.Count() > 0 && report) {
    report->AddMessage("");
    report->AddMessage(ModelTranslate("Übergreifend"));
  }
  for (int t = 0; t < projekt.Tools.Count(); ++t) {
    TZYNFunction& tool = *projekt.Tools.GetFunction(t);
    if (report) {
      report->StepOverall();
      report->AddMessage(ModelTranslate("Erzeuge Tool:") + " " + tool.Info.FunctionName);
    }
    if (!ExpandTool(tool, context)) ++failed;
  }
  return failed;
}

namespace {

// Passes everything on and keeps the failures.
class TFailureCollector : public IToolReport {
 public:
  explicit TFailureCollector(IToolReport* next) : fNext(next) {}
  void SetToolProgress(int position) override {
    if (fNext) fNext->SetToolProgress(position);
  }
  void SetOverallMaximum(int maximum) override {
    if (fNext) fNext->SetOverallMaximum(maximum);
  }
  void StepOverall() override {
    if (fNext) fNext->StepOverall();
  }
  void SetCaption(const std::string& text) override {
    if (fNext) fNext->SetCaption(text);
  }
  void AddMessage(const std::string& line) override {
    if (fNext) fNext->AddMessage(line);
  }
  void ToolFailed(const TZYNFunction& tool, const std::string& message, const std::string& cause) override {
    Failures.push_back(ModelTranslate("Tool") + " \"" + tool.Info.FunctionName + "\": " + cause);
    if (fNext) fNext->ToolFailed(tool, message, cause);
  }
  void ProcessMessages() override {
    if (fNext) fNext->ProcessMessages();
  }
  std::vector<std::string> Failures;

 private:
  IToolReport* fNext;
};

}  // namespace

std::vector<std::string> GenerateToolsForBuild(TZYNProjekt& projekt, const TBasisDaten& basis, IToolReport* report,
                                               std::vector<std::string>* log) {
  TFailureCollector collector(report);
  GenerateTools(projekt, basis, &collector, log);
  return collector.Failures;
}

bool CheckToolLogic(TZYNFunction& tool, TZYNProjekt& projekt, const TBasisDaten& basis) {
  TVerbindungsListe scratch;
  std::vector<std::string> scratchLog;
  {
    TVariableSnapshot keep(tool);
    TExpandContext context(projekt, basis);
    context.LinkList = &scratch;
    context.Log = &scratchLog;
    ExpandTool(tool, context);  // failures are not reported here
  }
  return tool.HasLgConflict;
}

}  // namespace zyn
