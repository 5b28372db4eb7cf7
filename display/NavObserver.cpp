#include "display/NavObserver.h"

#include "display/Daten.h"

#include <algorithm>

namespace zyn {

TNavigationObserver::~TNavigationObserver() { Clear(); }

TNavObjekt* TNavigationObserver::FindEntry(const std::string& name) {
  for (auto& e : fEntries)
    if (e.Name == name) return &e;
  return nullptr;
}

const TNavObjekt* TNavigationObserver::Find(const std::string& name) const {
  for (const auto& e : fEntries)
    if (e.Name == name) return &e;
  return nullptr;
}

bool TNavigationObserver::HoldsKey(const TFunktButton* key) const {
  for (const auto& e : fEntries)
    if (std::find(e.Keys.begin(), e.Keys.end(), key) != e.Keys.end()) return true;
  return false;
}

void TNavigationObserver::AddScreenEntry(const std::string& name) {
  if (!FindEntry(name)) fEntries.push_back({name, {}});
}

void TNavigationObserver::RemoveScreenEntry(const std::string& name) {
  auto it = std::find_if(fEntries.begin(), fEntries.end(), [&](const TNavObjekt& e) { return e.Name == name; });
  if (it == fEntries.end()) return;
  const std::vector<TFunktButton*> keys = it->Keys;
  fEntries.erase(it);
  for (TFunktButton* key : keys)
    if (key->fNavigation == this && !HoldsKey(key)) key->fNavigation = nullptr;
}

void TNavigationObserver::AddJump(const std::string& name, TFunktButton* key) {
  TNavObjekt* e = FindEntry(name);
  if (!e || !key) return;
  if (key->fNavigation && key->fNavigation != this) key->fNavigation->ForgetKey(key);
  e->Keys.push_back(key);
  key->fNavigation = this;
}

void TNavigationObserver::RemoveJump(const std::string& name, TFunktButton* key) {
  TNavObjekt* e = FindEntry(name);
  if (!e) return;
  auto it = std::find(e->Keys.begin(), e->Keys.end(), key);
  if (it == e->Keys.end()) return;
  e->Keys.erase(it);
  if (key->fNavigation == this && !HoldsKey(key)) key->fNavigation = nullptr;
}

void TNavigationObserver::RemoveScreenJumps(TBildschirm& screen) {
  for (size_t i = 0; i < screen.DefaultButtons.Count(); ++i) {
    TFunktButton& key = screen.DefaultButtons[i];
    if (key.Funktion.Funktion == fkSprung) RemoveJump(key.Funktion.ZielBildschirm, &key);
  }
  for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
    TBasis& object = screen.Objekte[o];
    for (size_t i = 0; i < object.Buttons.Count(); ++i)
      RemoveJump(object.Buttons[i].Funktion.ZielBildschirm, &object.Buttons[i]);
    for (size_t s = 0; s < object.Unterbildschirme.Count(); ++s) RemoveScreenJumps(object.Unterbildschirme[s]);
  }
}

bool TNavigationObserver::IsReferenced(const std::string& name) const {
  const TNavObjekt* e = Find(name);
  return e && !e->Keys.empty();
}

void TNavigationObserver::DeleteJumpsTo(const std::string& name) {
  TNavObjekt* e = FindEntry(name);
  if (!e) return;
  const std::vector<TFunktButton*> keys = e->Keys;
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    TFunktButton* key = *it;
    // A key listed twice is freed once; a freed key has already left every entry.
    if (!HoldsKey(key)) continue;
    if (TButtonListe* owner = key->Owner())
      owner->Remove(key);
    else
      ForgetKey(key);
  }
}

void TNavigationObserver::Clear() {
  for (auto& e : fEntries)
    for (TFunktButton* key : e.Keys)
      if (key->fNavigation == this) key->fNavigation = nullptr;
  fEntries.clear();
}

void TNavigationObserver::ForgetKey(TFunktButton* key) {
  for (auto& e : fEntries) std::erase(e.Keys, key);
  if (key->fNavigation == this) key->fNavigation = nullptr;
}

}  // namespace zyn
