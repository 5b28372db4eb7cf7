#include "tests/support/SmallProject.h"

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

// An input module of three inputs at address 1, an output module of two outputs at address 5 and
// a link from the first input to the first output (to control module 3, which is missing, for a
// bad link).
void AddInputToOutput(TProjectBuilder& b, TSteuermodul& stm, bool badLink = false) {
  TModul& in = b.AddModul(stm, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
  TModul& out = b.AddModul(stm, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
  TVerbindung& link = LinkFromInput(*in.Eingaenge().GetItem(0), in, stm.Adresse(), 1);
  SetModuleEndpoint(link.Target(), out, badLink ? 3 : stm.Adresse(), 1, 5, 2);
}

std::string Save(TZYNProjekt& projekt, const std::string& name) {
  const std::string file = TestHome() + name;
  if (name.ends_with(".zcf"))
    projekt.SaveZippedProjectFile(file);
  else
    projekt.SaveProjectFile(file, false);
  return file;
}

}  // namespace

void FillSmallProject(TZYNProjekt& projekt, TSmallProjectOptions options) {
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-SMALL-0001";
  AddInputToOutput(b, AddControlModule(projekt, 0), options.BadLink);
  if (options.WithDisplay) projekt.DisplayProjekt().AddNewDisplay();
}

std::string SaveSmallProject(const std::string& name, TSmallProjectOptions options) {
  TZYNProjekt projekt;
  FillSmallProject(projekt, options);
  return Save(projekt, name);
}

std::string SaveTwoModuleProject(const std::string& name) {
  TZYNProjekt projekt;
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-TWO-0001";
  projekt.ProjektDaten.ProjektName = "Zweihaus";
  AddInputToOutput(b, AddControlModule(projekt, 0));
  AddInputToOutput(b, AddControlModule(projekt, 1));
  return Save(projekt, name);
}

std::string SaveEmptyProject(const std::string& name) {
  TZYNProjekt projekt;
  projekt.ProjektGUID = "GUID-EMPTY-0001";
  AddControlModule(projekt, 0);
  return Save(projekt, name);
}

}  // namespace zyn::test
