#include "bus/ChannelTest.h"

#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"

#include <cstdlib>

namespace zyn {

std::vector<uint8_t> SwitchTelegram(const TModul& modul, const TAusgang& output, bool lower) {
  const uint8_t m = ModuleByte(modul);
  const uint8_t c = ChannelCode(output.Adresse(), modul.AusShift);
  switch (modul.BasisKlasse) {
    case bcEingangsModule:
      return {0x06, 0x00, m, 0x01, static_cast<uint8_t>(c | (output.ServiceState ? 3 : 2))};
    case bcMultifunktionsModule:
      return {0x06, 0x00, m, 0x01, static_cast<uint8_t>(c | 6)};
    case bcAusgangsModule:
      if (IsBlindModule(modul))
        return {0x06, 0x00, m, 0x04, static_cast<uint8_t>(c | (lower ? 4 : 3)), 0x01, 0x1E, 0x00};
      return {0x06, 0x00, m, 0x01, static_cast<uint8_t>(c | 6)};
    case bcAnalogmodule:
    case bcDimmerModule:
      return {0x06, 0x00, m, 0x01, static_cast<uint8_t>(c | 5)};
    default:
      return {};
  }
}

int RefreshOutputStates(TZYNComm& comm, TModul& modul, bool send) {
  const int word = comm.ReadModuleState(send, ModuleByte(modul), -1);
  const int bits = word < 0 ? 0 : word;
  for (int i = 0; i < modul.Ausgaenge().Count(); ++i) {
    TAusgang* output = modul.Ausgaenge().GetItem(i);
    const int n = output->Adresse();
    output->ServiceState = n >= 0 && n < 16 && ((bits >> n) & 1) != 0;
  }
  return word;
}

TSwitchResult SwitchOutputs(TZYNComm& comm, TModul& modul, const std::vector<TAusgang*>& outputs, bool& lower) {
  TSwitchResult result;
  for (TAusgang* output : outputs) {
    const std::vector<uint8_t> bytes = SwitchTelegram(modul, *output, lower);
    if (bytes.empty()) {
      result.NoCode = true;
      return result;
    }
    comm.SendRawTelegram(bytes.data(), bytes.size());
    ++result.Sent;
    if (comm.ReadModuleState(false, ModuleByte(modul), -1) >= 0) ++result.Confirmed;
  }
  if (IsBlindModule(modul) && result.Sent > 0) lower = !lower;
  if (result.Sent > 0) result.StateWord = RefreshOutputStates(comm, modul, false);
  return result;
}

const char* SwitchCaption(const TModul* modul, bool lower) {
  if (modul && IsBlindModule(*modul)) return lower ? "Umschalten senken/aus" : "Umschalten heben/aus";
  return "Ausgang umschalten";
}

int ReadInputWord(TZYNComm& comm, const TModul* modul, int def) {
  if (!modul) return def;
  return comm.ReadModuleInputs(ModuleByte(*modul), def);
}

int TInputLog::AddChanges(int previous, int current, int inputs, const std::string& time, bool* cleared) {
  int added = 0;
  if (cleared) *cleared = false;
  for (int n = 0; n < inputs && n < 16; ++n) {
    const int bit = (current >> n) & 1;
    if (bit == ((previous >> n) & 1)) continue;
    if (fLines.size() > kMaxLines) {
      fLines.clear();
      if (cleared) *cleared = true;
    }
    fLines.push_back(FormatText("%2.2d:%1d  %s", n, bit, time.c_str()));
    ++added;
  }
  return added;
}

std::string TInputLog::DisplayText(const std::string& line, const TModul* modul,
                                   const std::function<std::string(const std::string&)>& translate, bool* rising) {
  const std::string number = line.substr(0, 2);
  const bool on = line.size() > 3 && line[3] != '0';
  if (rising) *rising = on;
  if (!modul) return number;
  const std::string time = line.size() > 4 ? line.substr(4, 10) : std::string();
  const std::string edge = translate(on ? "- Einschaltflanke" : "- Ausschaltflanke");
  return time + " - " +
         FormatText("%s.%2.2d.%2.2d-%s", translate(modul->ModulKennung).c_str(), modul->Adresse(),
                    std::atoi(number.c_str()), modul->DisplayName().c_str()) +
         " " + edge;
}

void PollInputs(TZYNComm& comm, const TModul& modul, const std::function<bool()>& stop,
                const std::function<void(int previous, int current)>& changed) {
  int previous = ReadInputWord(comm, &modul, 0);
  while (!stop()) {
    TZYNComm::DelayMs(2);
    if (stop()) break;
    const int current = ReadInputWord(comm, &modul, previous);
    if (current != previous) {
      changed(previous, current);
      previous = current;
    }
  }
}

}  // namespace zyn
