#include "tests/journeys/TestProject.h"

#include "display/DisplayProjekt.h"
#include "project/Projekt.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/support/TestHome.h"

namespace zyn::test {
namespace {

TSteuermodul& AddControlModule(TZYNProjekt& projekt, int adresse) {
  auto stm = std::make_unique<TSteuermodul>();
  stm->SetInternalName("S" + std::to_string(adresse));
  stm->SetDisplayName("Steuermodul " + std::to_string(adresse));
  stm->SetAdresse(adresse);
  return *projekt.Steuermodule.Add(std::move(stm));
}

TSteuermodul& AddControlModule0(TZYNProjekt& projekt) { return AddControlModule(projekt, 0); }

// An input module of three inputs, an output module of two outputs and a link from the first
// input to the first output.
void AddInputToOutput(TProjectBuilder& b, TSteuermodul& stm) {
  TModul& in = b.AddModul(stm, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
  TModul& out = b.AddModul(stm, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
  TVerbindung& link = LinkFromInput(*in.Eingaenge().GetItem(0), in, stm.Adresse(), 1);
  SetModuleEndpoint(link.Target(), out, stm.Adresse(), 1, 5, 2);
}

}  // namespace

std::string SaveSmallJourneyProject(const std::string& fileName, bool withDisplay) {
  TZYNProjekt projekt;
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-JOURNEY-0001";
  AddInputToOutput(b, AddControlModule0(projekt));
  if (withDisplay) projekt.DisplayProjekt().AddNewDisplay();
  const std::string file = TestHome() + fileName;
  projekt.SaveProjectFile(file, false);
  return file;
}

std::string SaveTwoModuleJourneyProject(const std::string& fileName) {
  TZYNProjekt projekt;
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-JOURNEY-0003";
  projekt.ProjektDaten.ProjektName = "Zweihaus";
  AddInputToOutput(b, AddControlModule(projekt, 0));
  AddInputToOutput(b, AddControlModule(projekt, 1));
  const std::string file = TestHome() + fileName;
  projekt.SaveProjectFile(file, false);
  return file;
}

std::string SaveEmptyJourneyProject(const std::string& fileName) {
  TZYNProjekt projekt;
  projekt.ProjektGUID = "GUID-JOURNEY-0002";
  AddControlModule0(projekt);
  const std::string file = TestHome() + fileName;
  projekt.SaveProjectFile(file, false);
  return file;
}

}  // namespace zyn::test
