#include "display/DisplayProjekt.h"

#include "display/CompilerDisplay.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <cstdio>

namespace zyn {

void TDisplayAdressen::SetRange(int minAddress, int maxAddress) {
  MinAddress = minAddress;
  MaxAddress = maxAddress;
  Used.assign(maxAddress >= minAddress ? static_cast<size_t>(maxAddress - minAddress + 1) : 0, false);
}

bool TDisplayAdressen::IsUsed(int address) const {
  return address >= MinAddress && address <= MaxAddress && Used[static_cast<size_t>(address - MinAddress)];
}

void TDisplayAdressen::SetUsed(int address, bool used) {
  if (address >= MinAddress && address <= MaxAddress) Used[static_cast<size_t>(address - MinAddress)] = used;
}

int TDisplayAdressen::FindFree() const {
  for (int a = MinAddress; a <= MaxAddress; ++a)
    if (!IsUsed(a)) return a;
  return -1;
}

TDisplayProjekt::TDisplayProjekt() : fCompiler(std::make_unique<TDispCompiler>()) { Adressen.SetRange(0, 0); }

TDisplayProjekt::~TDisplayProjekt() { Clear(); }

TDisplayObjekt* TDisplayProjekt::Find(const std::string& internalName) const {
  for (const auto& d : fItems)
    if (d->InternalName == internalName) return d.get();
  return nullptr;
}

TDisplayObjekt* TDisplayProjekt::Add(std::unique_ptr<TDisplayObjekt> display) {
  display->Projekt = this;
  fItems.push_back(std::move(display));
  return fItems.back().get();
}

TDisplayObjekt* TDisplayProjekt::AddNewDisplay() {
  const int address = Adressen.FindFree();
  if (address < 0) return nullptr;
  auto display = std::make_unique<TDisplayObjekt>();
  display->InternalName = DispUniqueNames.NewName();
  display->Adresse = address;
  display->DisplayName = FormatNumber(TranslateText("Display %1.1d"), address);
  Adressen.SetUsed(address, true);
  return Add(std::move(display));
}

bool TDisplayProjekt::Remove(TDisplayObjekt* display) {
  auto it = std::find_if(fItems.begin(), fItems.end(), [display](const auto& d) { return d.get() == display; });
  if (it == fItems.end()) return false;
  Adressen.SetUsed(display->Adresse, false);
  fItems.erase(it);
  return true;
}

void TDisplayProjekt::Clear() {
  while (!fItems.empty()) fItems.pop_back();
}

bool TDisplayProjekt::CompileAll(std::vector<std::string>* messages) {
  bool allCompiled = true;
  for (const auto& display : fItems) {
    fCompiler->Display = display.get();
    if (!fCompiler->CompileDisplay()) {
      allCompiled = false;
      if (messages) messages->push_back(fCompiler->LastError());
    }
  }
  fCompiler->Display = nullptr;
  return allCompiled;
}

void TDisplayProjekt::CopyFrom(const TDisplayProjekt& source) {
  Clear();
  Adressen = source.Adressen;
  for (const auto& d : source.fItems) {
    auto copy = std::make_unique<TDisplayObjekt>();
    copy->CopyHeaderFrom(*d);
    Add(std::move(copy));
  }
}

void TDisplayProjekt::MergeInto(TDisplayProjekt& target) const {
  target.Adressen = Adressen;
  if (fItems.empty()) {
    target.Clear();
    return;
  }
  for (const auto& d : fItems) {
    if (TDisplayObjekt* existing = target.Find(d->InternalName)) {
      d->AssignHeaderTo(*existing);
      continue;
    }
    auto display = std::make_unique<TDisplayObjekt>();
    display->CopyHeaderFrom(*d);
    display->Projekt = &target;
    display->InitNew(target);
    target.Add(std::move(display));
  }
  for (size_t i = target.fItems.size(); i-- > 0;)
    if (!Find(target.fItems[i]->InternalName)) target.fItems.erase(target.fItems.begin() + static_cast<long>(i));
}

}  // namespace zyn
