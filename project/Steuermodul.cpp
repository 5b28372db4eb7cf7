#include "project/Steuermodul.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Translator.h"

#include <cstdio>
#include <functional>

namespace zyn {

void TFrameSaveData::ReadData(TReader& reader) {
  GroupIndex = reader.ReadInteger();
  ItemIndex = reader.ReadInteger();
  FrameName = reader.ReadString();
}

void TFrameSaveData::WriteData(TWriter& writer) const {
  writer.WriteInteger(GroupIndex);
  writer.WriteInteger(ItemIndex);
  writer.WriteString(FrameName);
}

TSteuermodul::TSteuermodul() { SetBackRefs(); }

TSteuermodul::~TSteuermodul() = default;

void TSteuermodul::SetBackRefs() {
  Module.Steuermodul = this;
  Merker.Steuermodul = this;
  Uhren.Steuermodul = this;
  Texte.Steuermodul = this;
  Gruppen.Steuermodul = this;
}

int TSteuermodul::EingangsCount() const {
  return Module.EingangsCount() + Module.RMECount() + Merker.Count() + Uhren.Count();
}

int TSteuermodul::AusgangsCount() const { return Merker.Count() + Module.AusgangsCount() + Gruppen.Count(); }

TStmListen TSteuermodul::Listen() { return TStmListen{&Module, &Merker, &Uhren, &Texte, &Gruppen}; }

void TSteuermodul::CopyFrom(const TSteuermodul& source) {
  TZYNBaseObject::CopyFrom(source);
  Bemerkungen = source.Bemerkungen;
  DCF77 = source.DCF77;
  fAdresse = source.fAdresse;
  Module.CopyFrom(source.Module);
  Merker.CopyFrom(source.Merker);
  Uhren.CopyFrom(source.Uhren);
  Texte.CopyFrom(source.Texte);
  Gruppen.CopyFrom(source.Gruppen);
}

void TSteuermodul::UpdateFrom(const TSteuermodul& source, TCustomObserver* modulObserver,
                              TCustomObserver* merkerObserver, TCustomObserver* uhrenObserver,
                              TCustomObserver* textObserver, TCustomObserver* gruppenObserver) {
  TZYNBaseObject::UpdateFrom(source);
  Bemerkungen = source.Bemerkungen;
  DCF77 = source.DCF77;
  fAdresse = source.fAdresse;
  Module.MergeFrom(source.Module, modulObserver);
  Merker.MergeFrom(source.Merker, merkerObserver);
  Uhren.MergeFrom(source.Uhren, uhrenObserver);
  Texte.MergeFrom(source.Texte, textObserver);
  Gruppen.MergeFrom(source.Gruppen, gruppenObserver);
}

bool TSteuermodul::BuildModuleTable(std::string& message) {
  ModuleTable.fill(0);
  message.clear();
  if (Module.Count() > kMaxModuleTable) {
    char text[200];
    std::snprintf(text, sizeof text, "%s enthält %d Module; ein Steuermodul verwaltet höchstens %d Module.",
                  GetAddressText().c_str(), Module.Count(), kMaxModuleTable);
    message = Ansi(text);
    return false;
  }
  ModuleTable[0] = static_cast<uint8_t>(Module.Count());
  for (int i = 0; i < Module.Count(); ++i)
    ModuleTable[static_cast<size_t>(i + 1)] = static_cast<uint8_t>(Module.GetModul(i)->BusKey());
  return true;
}

TMerker* TSteuermodul::FindMerkerByDisplayName(const std::string& text) const {
  for (int i = 0; i < Merker.Count(); ++i)
    if (Merker.GetMerker(i)->DisplayName() == text) return Merker.GetMerker(i);
  return nullptr;
}

TUhr* TSteuermodul::FindUhrByDisplayName(const std::string& text) const {
  for (int i = 0; i < Uhren.Count(); ++i)
    if (Uhren.GetUhr(i)->DisplayName() == text) return Uhren.GetUhr(i);
  return nullptr;
}

TModul* TSteuermodul::FindModul(const std::string& name) const { return Module.GetModul(Module.IndexOfName(name)); }

TModul* TSteuermodul::FindModulByKey(int key) const {
  for (int i = 0; i < Module.Count(); ++i)
    if (Module.GetModul(i)->BusKey() == key) return Module.GetModul(i);
  return nullptr;
}

int TSteuermodul::FindLinks(TLinkReport& report, int kind, int stm, int modulAdresse, int number) {
  return zyn::FindLinks(Listen(), report, kind, stm, modulAdresse, number);
}

std::string TSteuermodul::GetAddressText() const {
  char text[64];
  const std::string format = TranslateText("STM.%2.2d");
  if (std::snprintf(text, sizeof text, "STM.%2.2d", fAdresse) < 0) return {};
  if (format != "STM.%2.2d") {
    // A translated form keeps its own wording; only "%2.2d" is filled in.
    const size_t pos = format.find("%2.2d");
    if (pos == std::string::npos) return format;
    char number[16];
    std::snprintf(number, sizeof number, "%2.2d", fAdresse);
    return format.substr(0, pos) + number + format.substr(pos + 5);
  }
  return text;
}

bool TSteuermodul::ContainsLink(const TVerbindung* link) { return zyn::ContainsLink(Listen(), link); }

void TSteuermodul::RenumberInLinks(const IModelLookup& lookup, int stm, int kind, int logicType, int oldNumber,
                                   int newNumber) {
  zyn::RenumberInLinks(Listen(), lookup, stm, kind, logicType, oldNumber, newNumber);
}

void TSteuermodul::RenumberInLinks(const IModelLookup& lookup, int stm, int kind, const TRenumberMap& map) {
  zyn::RenumberInLinks(Listen(), lookup, stm, kind, map);
}

int TSteuermodul::RemoveModulFromLinks(const IModelLookup& lookup, int stm, int baseClass, int logicType, int address) {
  return zyn::RemoveModulFromLinks(Listen(), lookup, stm, baseClass, logicType, address);
}

void TSteuermodul::RefreshLinkTexts(const IModelLookup& lookup) { zyn::RefreshLinkTexts(Listen(), lookup); }

void TSteuermodul::RenumberLinks(int formerNumber) { zyn::RenumberLinks(Listen(), formerNumber, fAdresse); }

void TSteuermodul::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  Bemerkungen = reader.ReadString();
  DCF77 = reader.ReadBoolean();
  fAdresse = reader.ReadInteger();
  fHeaderRead = fAdresse >= 0 && fAdresse <= 3;
  // A failure names the control module and the list it happened in.
  auto list = [this](const char* what, const std::function<void()>& read) {
    try {
      read();
    } catch (const EReadError& e) {
      throw EReadError(GetAddressText() + ", " + Ansi(what) + ": " + e.what());
    }
  };
  list("Module", [&] { Module.ReadData(reader); });
  list("Merker", [&] { Merker.ReadData(reader); });
  list("Uhren", [&] { Uhren.ReadData(reader); });
  list("Anzeigetexte", [&] { Texte.ReadData(reader); });
  list("Gruppen", [&] { Gruppen.ReadData(reader); });
  list("Tools",
       [&] { ReadToolList(reader, Tools, Ansi("Die Tools von ") + GetAddressText() + Ansi(" sind beschädigt:")); });
}

void TSteuermodul::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteString(Bemerkungen);
  writer.WriteBoolean(DCF77);
  writer.WriteInteger(fAdresse);
  Module.WriteData(writer);
  Merker.WriteData(writer);
  Uhren.WriteData(writer);
  Texte.WriteData(writer);
  Gruppen.WriteData(writer);
  Tools.WriteData(writer);
}

void ReadToolList(TReader& reader, TZYNFunktionsListe& tools, const std::string& heading) {
  // A tool that cannot be read would be lost at the next save; the whole project is refused
  // instead, with every defective tool named.
  std::vector<std::string> messages;
  const bool complete = tools.ReadData(reader, &messages);
  if (!complete) messages.push_back(Ansi("Die Tools konnten nicht vollständig gelesen werden."));
  if (messages.empty()) return;
  std::string text = heading;
  for (const std::string& m : messages) text += "\r" + m;
  throw EReadError(text);
}

void TSteuermodulListe::ReadData(TReader& reader) {
  TZYNListe::ReadData(reader);
  ReadListItems(reader, [&] {
    auto item = std::make_unique<TSteuermodul>();
    try {
      item->ReadData(reader);
    } catch (const EReadError&) {
      if (item->HeaderRead() && !FindByAddress(item->Adresse())) Add(std::move(item));
      throw;
    }
    Add(std::move(item));
  });
}

TSteuermodul* TSteuermodulListe::FindByName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i)->InternalName() == name) return GetItem(i);
  return nullptr;
}

TModul* TSteuermodulListe::FindModul(const std::string& name, TSteuermodul** steuermodul) const {
  for (int i = 0; i < Count(); ++i) {
    if (TModul* m = GetItem(i)->FindModul(name)) {
      if (steuermodul) *steuermodul = GetItem(i);
      return m;
    }
  }
  if (steuermodul) *steuermodul = nullptr;
  return nullptr;
}

int TSteuermodulListe::FindLinks(TLinkReport& report, int kind, int stm, int modulAdresse, int number) const {
  int total = 0;
  for (int i = 0; i < Count(); ++i) total += GetItem(i)->FindLinks(report, kind, stm, modulAdresse, number);
  return total;
}

}  // namespace zyn
