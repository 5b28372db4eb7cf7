#include "model/GlobalRoutines.h"

#include "model/Kanal.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

namespace zyn {

namespace {}  // namespace

int ParseNumberAfterDot(const std::string& text) {
  const size_t dot = text.find('.');
  if (dot == std::string::npos) return -1;
  return StrToInt(text.substr(dot + 1));
}

std::string FormatObjectName(const std::string& prefix, int number, int width) {
  return prefix + "." + ZeroPad(number, width);
}

std::string FormatAddressItem(int address, const std::string& prefix, int maximum) {
  return prefix + "." + ZeroPad(address, maximum >= 100 ? 3 : 2);
}

std::string FormatChannelName(const std::string& prefix, int address, int number, const std::string& name, int digits) {
  if (digits < 0 || digits > 20) return "Error";
  return prefix + "." + ZeroPad(address, 2) + "." + ZeroPad(number, digits) + "-" + name;
}

std::string FormatStmChannelName(int stmAdresse, const std::string& kennung, int modulAdresse,
                                 const std::string& channelName, int digits, int channelAddress) {
  if (digits < 0 || digits > 20) return "Error";
  return ModelTranslate("STM.") + ZeroPad(stmAdresse, 2) + "." + kennung + "." + ZeroPad(modulAdresse, 2) + "." +
         ZeroPad(channelAddress, digits) + "-" + channelName;
}

std::string AddressDipText(int address) {
  std::string text;
  for (int bit = 0; bit < 5; ++bit) text.push_back((address & (1 << bit)) ? '1' : '0');
  return text;
}

void SplitNameValue(std::string& text, std::string& rest) {
  size_t at = text.find(':');
  if (at == std::string::npos) at = text.find('#');
  if (at == std::string::npos) {
    rest.clear();
    return;
  }
  rest = Trim(text.substr(at));
  text = Trim(text.substr(0, at));
}

int TakeNumberPrefix(std::string& text) {
  const size_t percent = text.find('%');
  if (percent == std::string::npos) return -1;
  const int number = StrToInt(text.substr(0, percent));
  text = text.substr(percent + 1);
  return number;
}

std::vector<std::string> FreeAddressItems(const std::vector<uint8_t>& flags, const std::string& prefix, int current,
                                          int maximum, int minimum, int& selected) {
  std::vector<std::string> items;
  selected = -1;
  for (int a = minimum; a <= maximum; ++a) {
    const size_t at = static_cast<size_t>(a - minimum);
    const bool free = at < flags.size() && flags[at] == 0;
    if (!free && a != current) continue;
    if (a == current) selected = static_cast<int>(items.size());
    items.push_back(FormatAddressItem(a, prefix, maximum));
  }
  return items;
}

int AddInputFlagLinks(TEingang& input, int stmAdresse, bool generated, TVerbindungsListe* dest) {
  const TModul* modul = input.Modul;
  if (modul == nullptr) return 0;
  struct Row {
    int event;
    const char* eventText;
    int command;
    const char* commandText;
  };
  static const Row kRows[] = {{2, "Ein > 0 Sek", 0, "Eingangsmerker setzen"},
                              {3, "Aus < 1 Sek", 1, "Eingangsmerker löschen"},
                              {5, "Aus > 1 Sek", 1, "Eingangsmerker löschen"}};
  int added = 0;
  for (const Row& row : kRows) {
    auto link = std::make_unique<TVerbindung>(generated);
    link->SetKind(0);
    TLinkEndpoint source = link->Source();
    source.SetObjType(modul->BasisKlasse);
    source.SetStmNummer(stmAdresse);
    source.SetModulKennung(modul->ModulKennung);
    source.SetModulAdresse(modul->Adresse());
    source.SetKanalNummer(input.Adresse());
    source.SetShift(modul->EinShift);
    source.SetFunctionNumber(row.event);
    source.SetFunctionText(ModelTranslate(row.eventText));
    TLinkEndpoint target = link->Target();
    target.SetObjType(modul->BasisKlasse + 8);
    target.SetStmNummer(stmAdresse);
    target.SetModulKennung(modul->ModulKennung);
    target.SetModulAdresse(modul->Adresse());
    target.SetKanalNummer(input.Adresse());
    target.SetShift(modul->AusShift);
    target.SetFunctionNumber(row.command);
    target.SetFunctionText(ModelTranslate(row.commandText));
    if (input.Verbindungen().IndexOfText(link.get()) >= 0) continue;
    if (dest != nullptr) {
      if (dest->IndexOfText(link.get()) >= 0) continue;
      dest->Add(std::move(link));
      ++added;
      continue;
    }
    input.Verbindungen().Add(std::move(link));
    ++added;
  }
  return added;
}

}  // namespace zyn
