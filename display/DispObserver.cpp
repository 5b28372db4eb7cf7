#include "display/DispObserver.h"

#include "display/Daten.h"

#include <algorithm>

namespace zyn {

TDisplayObserver* GDisplayObserver = nullptr;

TDisplayObserver::~TDisplayObserver() { Clear(); }

void TDisplayObserver::AddLink(TVarVerbindung* link) {
  if (!link) return;
  if (link->fObserver) link->fObserver->ForgetLink(link);
  fEntries.emplace_back(link->ModulInternalName, link);
  link->fObserver = this;
}

int TDisplayObserver::CountEntries(const std::string& name) const {
  return static_cast<int>(
      std::count_if(fEntries.begin(), fEntries.end(), [&](const auto& e) { return e.first == name; }));
}

std::vector<TVarVerbindung*> TDisplayObserver::LinksOf(const std::string& name) const {
  std::vector<TVarVerbindung*> links;
  for (auto it = fEntries.rbegin(); it != fEntries.rend(); ++it)
    if (it->first == name) links.push_back(it->second);
  return links;  // last to first
}

void TDisplayObserver::ChangeModuleAddress(const std::string& moduleInternalName, int basisKlasse, int newAddress) {
  const auto moduleByte = static_cast<uint8_t>((basisKlasse * 32 + newAddress) & 0xFF);
  for (TVarVerbindung* link : LinksOf(moduleInternalName)) {
    if (TBasis* owner = link->Owner()) {
      for (size_t i = owner->Buttons.Count(); i-- > 0;) {
        TDispFunctions& f = owner->Buttons[i].Funktion;
        if (f.Funktion == fkAusgang)
          f.Byte(3) = moduleByte;
        else if (f.Funktion == fkEingangEmu)
          f.Byte(2) = moduleByte;
      }
    }
    link->ModulAdresse = newAddress;
  }
}

void TDisplayObserver::RemoveModule(const std::string& moduleInternalName) {
  for (TVarVerbindung* link : LinksOf(moduleInternalName)) {
    if (TBasis* owner = link->Owner()) {
      for (size_t i = owner->Buttons.Count(); i-- > 0;) {
        const uint8_t kind = owner->Buttons[i].Funktion.Funktion;
        if (kind == 3 || kind == 4 || kind == 5) owner->Buttons.Remove(&owner->Buttons[i]);
      }
    }
    link->ResetLink();  // also drops the entry
  }
}

void TDisplayObserver::Clear() {
  for (auto& e : fEntries)
    if (e.second->fObserver == this) e.second->fObserver = nullptr;
  fEntries.clear();
}

void TDisplayObserver::ForgetLink(TVarVerbindung* link) {
  std::erase_if(fEntries, [link](const auto& e) { return e.second == link; });
  if (link->fObserver == this) link->fObserver = nullptr;
}

}  // namespace zyn
