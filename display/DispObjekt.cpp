#include "display/DispObjekt.h"

#include "display/DisplayProjekt.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace zyn {

TDisplayObjekt::TDisplayObjekt() : Speicher(SpeicherSize, 0) {}

TDisplayObjekt::~TDisplayObjekt() {
  StartBildschirm = nullptr;
  BildschirmReferenzTabelle.Clear();
  Bildschirme.Clear();
  NObserver.Clear();
}

void TDisplayObjekt::CopyHeaderFrom(const TDisplayObjekt& source) {
  source.AssignHeaderTo(*this);
  InternalName = source.InternalName;
}

void TDisplayObjekt::AssignHeaderTo(TDisplayObjekt& target) const {
  target.Adresse = Adresse;
  target.DisplayName = DisplayName;
  target.STMInternalName = STMInternalName;
  target.KorrSTM = KorrSTM;
  target.Notizen = Notizen;
}

void TDisplayObjekt::InitNew(TDisplayProjekt& project) {
  auto screen = std::make_unique<TBildschirm>();
  screen->InternalName = project.DispUniqueNames.NewName();
  screen->Name = TranslateText(Ansi("Startbildschirm"));
  const std::string key = screen->Name;
  TBildschirm* added = Bildschirme.Add(key, std::move(screen));
  BildschirmReferenzTabelle.AddReference(added->InternalName, added);
  NObserver.AddScreenEntry(added->InternalName);
  StartBildschirm = added;
}

std::string TDisplayObjekt::ShortName() const { return FormatNumber(TranslateText("DSP.%2.2d"), Adresse); }

std::string FormatNumber(const std::string& pattern, int value) {
  // The pattern holds one "%w.pd": at least p digits, padded with zeros.
  const size_t at = pattern.find('%');
  const size_t end = at == std::string::npos ? at : pattern.find('d', at);
  if (end == std::string::npos) return {};
  const std::string width = pattern.substr(at + 1, end - at - 1);
  const size_t dot = width.find('.');
  int digits = 1;
  if (dot != std::string::npos) digits = std::atoi(width.c_str() + dot + 1);
  return pattern.substr(0, at) + ZeroPad(value, digits) + pattern.substr(end + 1);
}

std::string TDisplayObjekt::StartScreenName() const {
  if (StartBildschirm && Bildschirme.IndexOf(StartBildschirm) >= 0) return StartBildschirm->InternalName;
  return {};
}

int TDisplayObjekt::CountObjects(TObjektArt art) const {
  int count = 0;
  for (size_t i = 0; i < BildschirmReferenzTabelle.Count(); ++i) {
    const TBildschirm& screen = BildschirmReferenzTabelle[i];
    for (size_t o = 0; o < screen.Objekte.Count(); ++o)
      if (screen.Objekte[o].Art() == art) ++count;
  }
  return count;
}

int TDisplayObjekt::GetTextCount() const { return CountObjects(TObjektArt::Text); }
int TDisplayObjekt::GetGrafikCount() const { return CountObjects(TObjektArt::Grafik); }
int TDisplayObjekt::GetLineCount() const { return CountObjects(TObjektArt::Line); }
int TDisplayObjekt::GetZustandVarCount() const { return CountObjects(TObjektArt::ZustandVar); }

void TDisplayObjekt::RebuildReferences() {
  BildschirmReferenzTabelle.Clear();
  ForEachScreen(Bildschirme, [this](TBildschirm& s) { BildschirmReferenzTabelle.AddReference(s.InternalName, &s); });
}

void TDisplayObjekt::EnsureReferences() {
  std::set<const TBildschirm*> screens;
  ForEachScreen(Bildschirme, [&](TBildschirm& s) { screens.insert(&s); });
  bool same = BildschirmReferenzTabelle.Count() == screens.size();
  // The entries' pointers are only compared with the screens that exist; an entry is read
  // through only once its screen is known to be one of them.
  for (size_t i = 0; same && i < BildschirmReferenzTabelle.Count(); ++i) {
    const TBildschirm* entry = BildschirmReferenzTabelle.Reference(i);
    same = screens.count(entry) > 0 && entry->InternalName == BildschirmReferenzTabelle.Name(i);
  }
  if (!same) RebuildReferences();
}

namespace {

void RegisterJumps(TNavigationObserver& nav, const TBildschirmList& screens) {
  for (size_t i = 0; i < screens.Count(); ++i) {
    TBildschirm& screen = screens[i];
    for (size_t k = 0; k < screen.DefaultButtons.Count(); ++k) {
      TFunktButton& key = screen.DefaultButtons[k];
      if (key.Funktion.Funktion == fkSprung) nav.AddJump(key.Funktion.ZielBildschirm, &key);
    }
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
      TBasis& object = screen.Objekte[o];
      for (size_t k = 0; k < object.Buttons.Count(); ++k) {
        TFunktButton& key = object.Buttons[k];
        if (key.Funktion.Funktion == fkSprung) nav.AddJump(key.Funktion.ZielBildschirm, &key);
      }
      RegisterJumps(nav, object.Unterbildschirme);
    }
  }
}

void DeleteJumpKeys(TButtonListe& keys, const std::set<std::string>& targets) {
  for (size_t k = keys.Count(); k-- > 0;) {
    const TDispFunctions& f = keys[k].Funktion;
    if (f.Funktion == fkSprung && targets.count(f.ZielBildschirm)) keys.Remove(&keys[k]);
  }
}

}  // namespace

void TDisplayObjekt::RebuildNavigation() {
  NObserver.Clear();
  for (size_t i = 0; i < BildschirmReferenzTabelle.Count(); ++i)
    NObserver.AddScreenEntry(BildschirmReferenzTabelle.Name(i));
  RegisterJumps(NObserver, Bildschirme);
}

TBildschirmList* TDisplayObjekt::OwningList(const TBildschirm* screen) {
  if (Bildschirme.IndexOf(screen) >= 0) return &Bildschirme;
  TBildschirmList* found = nullptr;
  ForEachScreen(Bildschirme, [&](TBildschirm& s) {
    for (size_t o = 0; o < s.Objekte.Count() && !found; ++o)
      if (s.Objekte[o].Unterbildschirme.IndexOf(screen) >= 0) found = &s.Objekte[o].Unterbildschirme;
  });
  return found;
}

bool TDisplayObjekt::DeleteScreen(TBildschirm* screen) {
  TBildschirmList* owner = screen ? OwningList(screen) : nullptr;
  if (!owner) return false;
  // The screen and everything below it.
  std::set<std::string> names;
  std::set<const TBildschirm*> doomed;
  names.insert(screen->InternalName);
  doomed.insert(screen);
  for (size_t o = 0; o < screen->Objekte.Count(); ++o)
    ForEachScreen(screen->Objekte[o].Unterbildschirme, [&](TBildschirm& s) {
      names.insert(s.InternalName);
      doomed.insert(&s);
    });
  // Keys elsewhere that jump into the deleted part.
  ForEachScreen(Bildschirme, [&](TBildschirm& s) {
    if (doomed.count(&s)) return;
    DeleteJumpKeys(s.DefaultButtons, names);
    for (size_t o = 0; o < s.Objekte.Count(); ++o) DeleteJumpKeys(s.Objekte[o].Buttons, names);
  });
  NObserver.RemoveScreenJumps(*screen);
  for (const std::string& name : names) NObserver.RemoveScreenEntry(name);
  for (const TBildschirm* s : doomed) BildschirmReferenzTabelle.RemoveReference(s);
  if (doomed.count(StartBildschirm)) StartBildschirm = nullptr;
  owner->Extract(screen);  // frees the screen with its objects and sub-screens
  if (!StartBildschirm && !Bildschirme.Empty()) StartBildschirm = &Bildschirme[0];
  Modified = true;
  return true;
}

void CollectLinkedSTMs(const TBildschirmList& screens, std::vector<std::string>& list, bool excludeTexts) {
  auto add = [&list](const TBasis& o) {
    const std::string s = std::to_string(o.Link->STMAdresse);
    if (std::find(list.begin(), list.end(), s) == list.end()) list.push_back(s);
  };
  for (size_t i = 0; i < screens.Count(); ++i) {
    const TBildschirm& screen = screens[i];
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
      const TBasis& object = screen.Objekte[o];
      if (object.Art() == TObjektArt::ZustandVar) {
        if (object.IsLinked()) add(object);
      } else if (object.Art() == TObjektArt::Text && !excludeTexts) {
        if (object.IsLinked()) add(object);
      } else {
        CollectLinkedSTMs(object.Unterbildschirme, list, excludeTexts);
      }
    }
  }
}

}  // namespace zyn
