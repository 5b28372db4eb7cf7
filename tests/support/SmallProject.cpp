#include "tests/support/SmallProject.h"

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
  TSteuermodul& s0 = AddControlModule0(projekt);
  TModul& in = b.AddModul(s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
  TModul& out = b.AddModul(s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
  TVerbindung& link = LinkFromInput(*in.Eingaenge().GetItem(0), in, 0, 1);
  SetModuleEndpoint(link.Target(), out, options.BadLink ? 3 : 0, 1, 5, 2);
  if (options.WithDisplay) projekt.DisplayProjekt().AddNewDisplay();
}

std::string SaveSmallProject(const std::string& name, TSmallProjectOptions options) {
  TZYNProjekt projekt;
  FillSmallProject(projekt, options);
  return Save(projekt, name);
}

std::string SaveEmptyProject(const std::string& name) {
  TZYNProjekt projekt;
  projekt.ProjektGUID = "GUID-EMPTY-0001";
  AddControlModule0(projekt);
  return Save(projekt, name);
}

}  // namespace zyn::test
