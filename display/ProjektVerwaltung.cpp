#include "display/ProjektVerwaltung.h"

#include "display/DispObjekt.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"

namespace zyn {

TVerwaltung::TVerwaltung() : fPlaceholder(std::make_unique<TDisplayObjekt>()) {
  auto screen = std::make_unique<TBildschirm>();
  screen->Name = TranslateText(Ansi("Startbildschirm"));
  const std::string key = screen->Name;
  fPlaceholder->StartBildschirm = fPlaceholder->Bildschirme.Add(key, std::move(screen));
  fPlaceholder->Modified = false;
  ClearDisplay();
}

TVerwaltung::~TVerwaltung() = default;

bool TVerwaltung::HasRealDisplay() const { return fDisplay != fPlaceholder.get(); }

const TZustandsListe& TVerwaltung::ZustandsListe() const { return fDisplay->ZustandsListe; }

void TVerwaltung::Notify() {
  if (OnChangeCurrScreen) OnChangeCurrScreen();
}

void TVerwaltung::SetDisplay(TDisplayObjekt* display) {
  fDisplay = display ? display : fPlaceholder.get();
  fScreen = fDisplay->StartBildschirm;
  if (!fScreen && !fDisplay->Bildschirme.Empty()) fScreen = &fDisplay->Bildschirme[0];
  Notify();
}

void TVerwaltung::ClearDisplay() {
  fDisplay = fPlaceholder.get();
  fScreen = fPlaceholder->StartBildschirm;
}

void TVerwaltung::GotoStartScreen() {
  fScreen = fDisplay->StartBildschirm;
  if (!fScreen && !fDisplay->Bildschirme.Empty()) fScreen = &fDisplay->Bildschirme[0];
  Notify();
}

void TVerwaltung::ChangeScreen(TBildschirm* screen) {
  if (!screen) return;
  fScreen = screen;
  Notify();
}

TBildschirm* TVerwaltung::NewScreen(TBildschirmList& list) {
  return AddScreen(list, FreeScreenName(*fDisplay, TranslateText(Ansi("NeuerBildschirm")), list.Count() + 1));
}

TBildschirm* TVerwaltung::AddScreen(TBildschirmList& list, const std::string& name) {
  auto screen = std::make_unique<TBildschirm>();
  screen->InternalName =
      fDisplay->Projekt ? fDisplay->Projekt->DispUniqueNames.NewName() : TDispUniqueNames().NewName();
  screen->Name = name;
  TBildschirm* added = list.Add(name, std::move(screen));
  fDisplay->BildschirmReferenzTabelle.AddReference(added->InternalName, added);
  fDisplay->NObserver.AddScreenEntry(added->InternalName);
  fDisplay->Modified = true;
  return added;
}

bool ScreenContains(const TBildschirm& root, const TBildschirm* screen) {
  if (&root == screen) return true;
  for (size_t o = 0; o < root.Objekte.Count(); ++o) {
    const TBildschirmList& subs = root.Objekte[o].Unterbildschirme;
    for (size_t i = 0; i < subs.Count(); ++i)
      if (ScreenContains(subs[i], screen)) return true;
  }
  return false;
}

bool TVerwaltung::DeleteScreen(TBildschirm* screen) {
  if (!screen || screen == fDisplay->StartBildschirm || !fDisplay->OwningList(screen)) return false;
  if (fScreen && ScreenContains(*screen, fScreen)) GotoStartScreen();
  if (!fDisplay->DeleteScreen(screen)) return false;
  fDisplay->RebuildReferences();
  fDisplay->RebuildNavigation();
  fDisplay->Modified = true;
  return true;
}

std::string TVerwaltung::CurrentScreenName() const { return fScreen ? fScreen->Name : std::string(); }

}  // namespace zyn
