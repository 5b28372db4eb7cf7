#include "bus/BusMonitor.h"

#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace zyn {

namespace {

std::string TimeText(std::chrono::system_clock::time_point t) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count() % 1000;
  std::tm tm{};
  localtime_r(&seconds, &tm);
  return FormatText("%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms));
}

std::string StationName(uint8_t station, uint8_t pc) {
  if (station == pc) return "PC";
  const int group = station >> 4, n = station & 0x0F;
  std::string text = n < 4   ? FormatText("STM %d", n)
                     : n < 8 ? FormatText("Display %d", 7 - n)
                             : FormatText("Station %d", n);
  if (group != 0) text = FormatText("G%d/", group) + text;
  return text;
}

// Command names (German UTF-8); the answers of the modules echo the command byte.
const char* CommandName(uint8_t command) {
  switch (command) {
    case 0x00:
      return "Quittung";
    case 0x01:
      return "Speicher schreiben";
    case 0x02:
      return "Speicher lesen";
    case 0x04:
      return "Uhrzeit setzen";
    case 0x05:
      return "Status";
    case 0x06:
      return "Busmodul";
    case 0x09:
      return "Merker lesen";
    case 0x0A:
    case 0x0B:
    case 0x0D:
    case 0x0E:
    case 0x10:
    case 0x11:
      return "Selbsttest";
    case 0x0F:
      return "Programmspeicher löschen";
    case 0x12:
      return "Meldung";
    case 0x15:
      return "Schaltuhr lesen";
    case 0x16:
      return "Schaltuhr schreiben";
    case 0x17:
      return "Text schreiben";
    case 0x19:
      return "Sonderzeichen";
    case 0x29:
      return "Meldung";
    case 0xF0:
    case 0xF1:
      return "Status";
    case 0xFC:
      return "Neustart";
    case 0xFD:
      return "Einschaltzustände freigeben";
    case 0xFE:
      return "Programmierung beenden";
    case 0xFF:
      return "Programmierung beginnen";
    default:
      return nullptr;
  }
}

std::string DecodeCommand(const std::vector<uint8_t>& t, const std::function<std::string(const std::string&)>& tr) {
  // The FCS is not part of the telegram's meaning.
  const size_t n = t.size() >= 5 ? t.size() - 2 : t.size();
  if (n < 3) return {};
  const uint8_t command = t[2];
  if (command == 0x20 && n >= 9)
    return FormatText(tr(Ansi("Zustand Modul $%02X: Ausgänge $%04X, Eingänge $%04X")).c_str(), t[4], t[5] * 256 + t[6],
                      t[7] * 256 + t[8]);
  if (command == 0x06 && n >= 5) return FormatText(tr(Ansi("Busmodul $%02X")).c_str(), t[4]);
  const char* name = CommandName(command);
  std::string text = name ? tr(Ansi(name)) : tr(Ansi("Befehl"));
  return text + FormatText(" ($%02X)", command);
}

}  // namespace

std::string HexBytes(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (uint8_t b : bytes) text += FormatText("%02X ", b);
  return text;
}

TMonitorLine DescribeTelegram(const TMonitorTelegram& telegram, uint8_t pc,
                              const std::function<std::string(const std::string&)>& translate) {
  auto tr = [&](const std::string& text) { return translate ? translate(text) : text; };
  TMonitorLine line;
  const std::vector<uint8_t>& t = telegram.Bytes;
  line.Time = TimeText(telegram.Time);
  line.Raw = HexBytes(t);
  switch (telegram.Error) {
    case errNone:
      line.Color = TMonitorColor::Black;
      break;
    case errCRC:
      line.Color = TMonitorColor::Red;
      line.Raw += FormatText(" :CRC=$%04X", telegram.ErrorCode & 0xFFFF);
      break;
    case errFromOther:
      line.Color = TMonitorColor::Navy;
      break;
    case errToOther:
      line.Color = TMonitorColor::Blue;
      break;
    default:
      line.Color = TMonitorColor::Maroon;
      break;
  }
  // A damaged frame says nothing reliable about its stations.
  if (telegram.Error == errCRC) {
    line.Command = tr(Ansi("FCS-Fehler"));
    return line;
  }
  if (t.size() < 2) return line;
  const uint8_t sender = t[0], receiver = t[1];
  if (receiver == pc) {
    line.Direction = tr(Ansi("an PC"));
    line.Station = StationName(sender, pc);
  } else if (sender == pc) {
    line.Direction = tr(Ansi("vom PC"));
    line.Station = StationName(receiver, pc);
  } else {
    line.Direction = tr(Ansi("Bus"));
    line.Station = StationName(sender, pc) + " > " + StationName(receiver, pc);
  }
  line.Command = DecodeCommand(t, tr);
  return line;
}

bool MatchesFilter(const TMonitorLine& line, const std::string& filter) {
  const std::string all =
      AnsiUpperCase(line.Time + "\t" + line.Direction + "\t" + line.Station + "\t" + line.Command + "\t" + line.Raw);
  std::istringstream words(AnsiUpperCase(filter));
  std::string word;
  while (words >> word)
    if (all.find(word) == std::string::npos) return false;
  return true;
}

std::string MonitorLineText(const TMonitorLine& line) {
  return line.Time + "\t" + line.Direction + "\t" + line.Station + "\t" + line.Command + "\t" + TrimBlanks(line.Raw);
}

bool SaveMonitorText(const std::string& utf8Path, const std::vector<TMonitorLine>& lines, std::string& message) {
  std::ofstream out(utf8Path, std::ios::binary | std::ios::trunc);
  if (out) {
    out << "Zeit\tRichtung\tStation\tBefehl\tBytes\n";
    for (const TMonitorLine& line : lines) out << AnsiToUtf8(MonitorLineText(line)) << "\n";
    out.flush();
  }
  if (out) return true;
  message = FormatText(Ansi("Die Datei %s konnte nicht geschrieben werden.").c_str(), Utf8ToAnsi(utf8Path).c_str());
  return false;
}

TBusMonitor::TBusMonitor(TZYNComm& comm) : fComm(comm) {}

TBusMonitor::~TBusMonitor() {
  Stop();
  fComm.OnBlock = nullptr;
}

bool TBusMonitor::Start(std::string& message) {
  Stop();
  fComm.SetT_GetAll(true);
  fComm.OnBlock = [this](const uint8_t* buffer, int count) { Received(buffer, count); };
  fComm.OpenLink();
  if (!fComm.Active()) {
    message = fComm.OpenError().empty() ? Ansi("Die Schnittstelle konnte nicht geöffnet werden.") : fComm.OpenError();
    fComm.CloseLink();
    return false;
  }
  fListening = true;
  return true;
}

void TBusMonitor::Stop() {
  if (!fListening) return;
  fListening = false;
  fComm.CloseLink();
}

void TBusMonitor::Received(const uint8_t* buffer, int count) {
  TMonitorTelegram t;
  t.Time = std::chrono::system_clock::now();
  t.Bytes.assign(buffer, buffer + count);
  // Read at once: the error state belongs to this telegram (reading resets it).
  t.Error = fComm.E_TransError();
  t.ErrorCode = fComm.E_ErrorCode();
  {
    std::lock_guard<std::mutex> guard(fMutex);
    fQueue.push_back(std::move(t));
  }
  if (OnArrived) OnArrived();
}

std::vector<TMonitorTelegram> TBusMonitor::Take() {
  std::lock_guard<std::mutex> guard(fMutex);
  std::vector<TMonitorTelegram> taken;
  taken.swap(fQueue);
  return taken;
}

}  // namespace zyn
