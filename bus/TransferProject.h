#pragma once
// The project side of a transfer run: the targets, the save, the compile with the program file,
// the images and the project data of the open project.

#include "bus/TransferRun.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TZYNProjekt;
class TProjectCompile;
class IToolGenerator;
class ILogicConflicts;
class ICompileProgress;

class TProjectTransferSource : public ITransferSource {
 public:
  explicit TProjectTransferSource(TZYNProjekt& projekt);
  ~TProjectTransferSource() override;

  // The steps of the compile the page hands over; absent: the tool generation over the base
  // data, conflicts do not stop, no progress.
  IToolGenerator* Tools = nullptr;
  ILogicConflicts* Conflicts = nullptr;
  ICompileProgress* Progress = nullptr;
  std::string ProgramTitle;
  // The progress pages of the compile ("FrCompile", "FrCompVerb").
  std::function<void(const std::string& key)> OnShowPage;

  std::vector<TTransferTarget> Targets() const override;
  int ControlModuleCount() const override;
  bool Modified() const override;
  void Save() override;
  bool Compile(std::string& programFileProblem) override;
  TModuleImage ModuleImage(int adresse) const override;
  TDisplayImage DisplayImage(int adresse) const override;
  TProjektInfo ProjectInfo() const override;
  std::vector<TInputModuleRef> InputModules(int adresse) override;

 private:
  TZYNProjekt& fProjekt;
  std::unique_ptr<TProjectCompile> fCompile;
};

}  // namespace zyn
