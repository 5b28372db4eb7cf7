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

void AddDisplayJumpKey(TZYNProjekt& p) {
  TDisplayObjekt& d = p.DisplayProjekt()[0];
  d.InitNew(p.DisplayProjekt());
  auto target = std::make_unique<TBildschirm>();
  target->InternalName = "ZIEL";
  target->Name = "Ziel";
  d.Bildschirme.Add("Ziel", std::move(target));
  auto text = std::make_unique<TText>();
  text->Text = "Licht";
  text->Laenge = 5;
  text->Breite = 30;
  auto key = std::make_unique<TFunktButton>("F3");
  key->Label1->Text = "Enter";
  key->Funktion.Funktion = fkSprung;
  key->Funktion.SprungParameter = 4;
  key->Funktion.ZielBildschirm = "ZIEL";
  text->Buttons.Add(std::move(key));
  d.StartBildschirm->Objekte.Add("Text0", std::move(text));
  d.RebuildReferences();
  d.RebuildNavigation();
}

size_t DisplaySkipped(TZYNProjekt& p) { return p.DisplayProjekt()[0].SkippedOnRead.size(); }
size_t DisplayScreens(TZYNProjekt& p) { return p.DisplayProjekt()[0].Bildschirme.Count(); }
std::string DisplayWarning(TZYNProjekt& p) { return p.DisplayProjekt().SkippedWarning(); }

}  // namespace zyn::test

namespace zyn::test {
void WriteDisplayPart(TZYNProjekt& p, TWriter& w) { p.DisplayProjekt().WriteData(w); }
}  // namespace zyn::test
