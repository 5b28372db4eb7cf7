#include "tests/journeys/TestProject.h"

#include "display/DisplayProjekt.h"
#include "project/Projekt.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/support/TestHome.h"

namespace zyn::test {
namespace {

TSteuermodul& AddControlModule0(TZYNProjekt& projekt) {
  auto stm = std::make_unique<TSteuermodul>();
  stm->SetInternalName("S0");
  stm->SetDisplayName("Steuermodul 0");
  stm->SetAdresse(0);
  return *projekt.Steuermodule.Add(std::move(stm));
}

}  // namespace

std::string SaveSmallJourneyProject(const std::string& fileName, bool withDisplay) {
  TZYNProjekt projekt;
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-JOURNEY-0001";
  TSteuermodul& s0 = AddControlModule0(projekt);
  TModul& in = b.AddModul(s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
  TModul& out = b.AddModul(s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
  TVerbindung& link = LinkFromInput(*in.Eingaenge().GetItem(0), in, 0, 1);
  SetModuleEndpoint(link.Target(), out, 0, 1, 5, 2);
  if (withDisplay) projekt.DisplayProjekt().AddNewDisplay();
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
