#pragma once
// The one place that builds the compile driver of a project with every input it needs: the
// program title, the project's visualisation as the source of its links, the tool generation
// over the base data, the display compile and the program file. "Projekt erstellen", the
// transfer and the direct-link page all take their driver from here, so none of them can miss
// an input.

#include "compiler/CompileDriver.h"
#include "compiler/CompileInterfaces.h"

#include <functional>
#include <memory>
#include <string>

namespace zyn {

class IToolReport;

struct TProjectCompileInputs {
  IToolReport* Report = nullptr;          // where the tool generation reports; none: not shown
  IToolGenerator* Tools = nullptr;        // none: the tool generation over the programme's base data
  ILogicConflicts* Conflicts = nullptr;   // none: conflicts do not stop the build
  ICompileProgress* Progress = nullptr;   // none: no progress shown
  std::function<void()> BeforeDisplays;   // runs before the display compile (a page shows it)
  bool WriteProgramFile = true;           // the ".prg" beside the project file (none without a file name)
};

class TProjectCompile {
 public:
  explicit TProjectCompile(TZYNProjekt& projekt, TProjectCompileInputs inputs = {});
  ~TProjectCompile();
  TProjectCompile(const TProjectCompile&) = delete;
  TProjectCompile& operator=(const TProjectCompile&) = delete;

  TCompileDriver& Driver() { return *fDriver; }
  const TCompileDriver& Driver() const { return *fDriver; }
  // The build sequence of "Projekt erstellen" and the transfer (TCompileDriver::BuildProject);
  // false when the user stopped at the logic conflicts. Errors are passed on.
  bool Build();
  // The program file the build writes ("" for none).
  const std::string& ProgramFile() const { return fSteps.ProgramFile; }

 private:
  TZYNProjekt& fProjekt;
  std::unique_ptr<TCompileDriver> fDriver;
  std::unique_ptr<IToolGenerator> fOwnTools;
  TBuildSteps fSteps;
};

}  // namespace zyn
