#include "compiler/ProjectCompile.h"

#include "compiler/CompileError.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "display/DisplayProjekt.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "visu/VisuProject.h"

namespace zyn {

TProjectCompile::TProjectCompile(TZYNProjekt& projekt, TProjectCompileInputs inputs)
    : fProjekt(projekt), fDriver(std::make_unique<TCompileDriver>(projekt)) {
  fDriver->ProgramTitle = GProgramTitle;
  fDriver->Visu = &projekt.VisuProject();
  if (inputs.Tools == nullptr) {
    IToolReport* report = inputs.Report;
    fOwnTools = std::make_unique<TToolGeneratorFunction>([report](TZYNProjekt& p, std::vector<std::string>& log) {
      if (GBasisDaten) GenerateToolsForBuild(p, *GBasisDaten, report, &log);
    });
    inputs.Tools = fOwnTools.get();
  }
  fSteps.Tools = inputs.Tools;
  fSteps.Conflicts = inputs.Conflicts;
  fSteps.Progress = inputs.Progress;
  fSteps.CompileDisplays = [this, before = std::move(inputs.BeforeDisplays)] {
    if (before) before();
    std::vector<std::string> messages;
    if (!fProjekt.DisplayProjekt().CompileAll(&messages)) {
      std::string text;
      for (const std::string& m : messages) text += (text.empty() ? "" : "\r") + m;
      throw ECompileError(text);
    }
  };
  if (inputs.WriteProgramFile && !projekt.FileName.empty())
    fSteps.ProgramFile = TCompileDriver::ProgramFileName(projekt.FileName);
}

TProjectCompile::~TProjectCompile() = default;

bool TProjectCompile::Build() { return fDriver->BuildProject(fSteps); }

}  // namespace zyn
