#pragma once
// The compile run over a whole project: one image per control module, built in one run because
// links may jump from one control module into another; the visualisation's links; the removal
// of the generated links; the program file ".prg"; and the build sequence of the commands that
// compile or transfer a project.

#include "compiler/Bindata.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TZYNProjekt;
class TKanal;
class ICompileProgress;
class IToolGenerator;
class ILogicConflicts;
class IVisuLinkSource;
class TCompileContext;

// The steps of "Projekt erstellen" and of the transfer around the compile run.
struct TBuildSteps {
  IToolGenerator* Tools = nullptr;       // absent: no tool links are generated
  ILogicConflicts* Conflicts = nullptr;  // absent: conflicts do not stop the build
  ICompileProgress* Progress = nullptr;
  std::function<void()> CompileDisplays;  // the display panels' compile, run after the images
  std::string ProgramFile;                // "" for none; else the ".prg" file to write
};

class TCompileDriver {
 public:
  explicit TCompileDriver(TZYNProjekt& projekt);
  ~TCompileDriver();
  TCompileDriver(const TCompileDriver&) = delete;
  TCompileDriver& operator=(const TCompileDriver&) = delete;

  // The program title stored in every image (the programme's title by default).
  std::string ProgramTitle;
  // The visualisation controls (the project's visualisation, set by TProjectCompile); absent:
  // the visualisation adds nothing.
  const IVisuLinkSource* Visu = nullptr;

  // Builds the image of every control module. ECompileError (German) when something does not fit
  // or a link refers to something missing; the images are then not valid. With removeGenerated
  // the generated links are removed afterwards, also after an error.
  void CompileProject(bool removeGenerated, ICompileProgress* progress = nullptr);
  // Generated links for the telegrams of the visualisation's index controls; the number added.
  int ImportVisuLinks();
  // Removes every generated link of the project; the number removed.
  int RemoveGeneratedLinks();

  // Tool links, visualisation links, the logic-conflict question, the compile run, the displays
  // and the program file. False when the user stopped at the conflicts (the generated links are
  // then removed); errors are passed on.
  bool BuildProject(const TBuildSteps& steps);

  // True after a run that completed.
  bool Compiled() const { return fCompiled; }
  // The image of the control module with that address after the last run; nullptr for none.
  // Every run makes new images: a pointer is valid until the next run.
  const TBinData* Image(int stmAdresse) const;
  // The images of all control modules in the order of the project's list, 32768 bytes each.
  std::vector<uint8_t> ProgramBytes() const;
  // Writes ProgramBytes to the file (replaced as a whole); ECompileError before a completed run.
  void ExportPrograms(const std::string& fileName) const;
  // The project file name with the extension ".prg".
  static std::string ProgramFileName(const std::string& projectFile);
  // The radio-clock mask of the last run: bit a cleared for every control module a without DCF77.
  uint16_t Dcf77Mask() const { return fDcf77Mask; }

 private:
  void PrepareImages();
  void Run(TCompileContext& context);
  void ExpandGroups(TCompileContext& context);
  void ExpandGroupLinks(TCompileContext& context, TKanal& channel);
  void CompileModules(TCompileContext& context, int index);
  void CompileVisuLinks(TCompileContext& context);
  TStmImages ImageTable() const;

  TZYNProjekt& fProjekt;
  std::array<std::unique_ptr<TBinData>, 4> fImages;
  uint16_t fDcf77Mask = 0xFFFF;
  bool fCompiled = false;
};

}  // namespace zyn
