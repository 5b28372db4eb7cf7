#include "tests/project/ProjectFixtureParts.h"

#include "display/DispObjekt.h"
#include "display/DisplayProjekt.h"
#include "project/Projekt.h"
#include "visu/VisuPage.h"
#include "visu/VisuProject.h"

namespace zyn::test {

void AddDisplayAndPage(TZYNProjekt& p) {
  TDisplayObjekt* d = p.DisplayProjekt().AddNewDisplay();
  if (d) d->Notizen = "Flur";
  TComponentRecord rec;
  rec.ClassName = TVisuPage::kClassName;
  rec.Name = "Seite1";
  p.VisuProject().AddPage(std::make_unique<TVisuPage>(rec));
  // A project once opened carries the default user of the visualisation.
  p.VisuProject().UserData.AddDefaultUser();
}

int DisplayCount(TZYNProjekt& p) { return static_cast<int>(p.DisplayProjekt().Count()); }

}  // namespace zyn::test

namespace zyn::test {
void WriteDisplayPart(TZYNProjekt& p, TWriter& w) { p.DisplayProjekt().WriteData(w); }
}  // namespace zyn::test
