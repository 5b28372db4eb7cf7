#include "model/BasisDaten.h"

#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"

namespace zyn {

namespace {

TEABaseFunction* FindForNumber(const TEAFunctionList& list, const std::string& name) {
  if (auto* f = list.FindByInternalName(name)) return f;
  if (auto* f = list.FindByDisplayName(name)) return f;
  if (auto* f = list.FindByOldName(name)) return f;
  if (auto* f = list.FindByOldName(TranslateText(name))) return f;
  return list.FindByGermanFunc(name);
}

}  // namespace

bool TBasisDaten::Load(const std::string& folder) {
  fProblems.clear();
  const std::string xml = FindFileNoCase(folder, "EAFUNCS.XML");
  if (!xml.empty()) {
    try {
      BefehlsListen.LoadFromFile(xml, true);
    } catch (const std::exception& e) {
      fProblems.push_back(e.what());
    }
  } else {
    fProblems.push_back(Ansi("Die Befehlslisten \"EAFUNCS.XML\" wurden nicht gefunden."));
  }
  const std::string zbc = FindFileNoCase(folder, "MODULE.ZBC");
  if (!zbc.empty()) {
    try {
      Katalog.LoadFromFile(zbc);
    } catch (const std::exception& e) {
      fProblems.push_back(Ansi("Der Modulkatalog \"MODULE.ZBC\" konnte nicht gelesen werden: ") + e.what());
    }
  } else {
    fProblems.push_back(Ansi("Der Modulkatalog \"MODULE.ZBC\" wurde nicht gefunden."));
  }
  return BefehlsListen.Count() > 0;
}

TEAFunctionList* TBasisDaten::ListOf(const TKanal& channel) const {
  return BefehlsListen.FindList(channel.BefehlsListe);
}

bool TBasisDaten::FindCommand(const std::string& listName, int command, TCommandTexts& result) const {
  const TEAFunctionList* list = BefehlsListen.FindList(listName);
  const TEABaseFunction* f = list ? list->FindByCommand(command) : nullptr;
  if (!f) return false;
  result.DisplayName = f->DisplayName;
  result.InternalName = f->InternalName;
  return true;
}

int FindCommandNumber(const TBasisDaten& basis, const TKanal& channel, const std::string& name) {
  const TEAFunctionList* list = basis.ListOf(channel);
  const TEABaseFunction* f = list ? FindForNumber(*list, name) : nullptr;
  return f ? f->Command : -1;
}

std::string GetCommandDisplayName(const TBasisDaten& basis, const TKanal& channel, const std::string& name) {
  const TEAFunctionList* list = basis.ListOf(channel);
  const TEABaseFunction* f = list ? FindForNumber(*list, name) : nullptr;
  return f ? f->DisplayName : name;
}

std::string GetCommandNameByNumber(const TBasisDaten& basis, const TKanal& channel, int number,
                                   const std::string& defaultText) {
  const TEAFunctionList* list = basis.ListOf(channel);
  const TEABaseFunction* f = list ? list->FindByCommand(number) : nullptr;
  return f ? f->DisplayName : defaultText;
}

bool CommandHasDialog(const TBasisDaten& basis, const TKanal& channel, const std::string& name) {
  const TEAFunctionList* list = basis.ListOf(channel);
  if (!list) return false;
  const TEABaseFunction* f = list->FindByInternalName(name);
  if (!f) f = list->FindByDisplayName(name);
  if (!f) f = list->GetFunctionByName(name);
  if (!f) f = list->FindByOldName(name);
  if (!f) f = list->FindByGermanFunc(name);
  return f && f->Dialog > 0;
}

std::string CommandListName(const TZYNBaseObject& object, bool inputSide) {
  if (dynamic_cast<const TUhr*>(&object)) return inputSide ? "Eingangsfunktionen Uhren" : "Ausgangsfunktionen Uhren";
  if (dynamic_cast<const TMerker*>(&object))
    return inputSide ? "Eingangsfunktionen Merker" : "Ausgangsfunktionen Merker";
  if (dynamic_cast<const TAnzeigetext*>(&object)) return "Ausgangsfunktionen Anzeigetexte";
  if (auto* k = dynamic_cast<const TKanal*>(&object)) return k->BefehlsListe;
  return {};
}

std::vector<std::string> FillCommandList(const TBasisDaten& basis, const TZYNBaseObject& object, bool inputSide) {
  std::vector<std::string> out;
  const TEAFunctionList* list = basis.BefehlsListen.FindList(CommandListName(object, inputSide));
  if (!list) return out;
  for (int i = 0; i < list->Count(); ++i) out.push_back(list->GetFunction(i)->DisplayName);
  return out;
}

std::vector<std::string> FillCommandList(const TBasisDaten& basis, const TZYNBaseObject& object, bool inputSide,
                                         const IModelLookup& lookup) {
  const auto* gruppe = dynamic_cast<const TGruppe*>(&object);
  if (gruppe == nullptr) return FillCommandList(basis, object, inputSide);
  std::vector<std::string> out;
  const TEAFunctionList* list = basis.BefehlsListen.FindList(gruppe->GetCommonBefehlsListe(lookup));
  if (!list) return out;
  for (int i = 0; i < list->Count(); ++i) out.push_back(list->GetFunction(i)->DisplayName);
  return out;
}

}  // namespace zyn
