#include "bus/TransferRun.h"

#include "bus/BusWait.h"
#include "bus/ZYNComm.h"
#include "model/CharSet.h"
#include "model/base/Cp1252.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <exception>

namespace zyn {

namespace {

constexpr uint32_t kProgramAddress = 0x4000;

// A German literal of the source, translated.
std::string Tr(const char* utf8) { return TranslateText(Ansi(utf8)); }

// The text with its first "%d" or "%w.pd" replaced by the number; a translated text cannot make
// the formatting read anything else.
std::string WithNumber(const std::string& text, int value) {
  const size_t percent = text.find('%');
  if (percent == std::string::npos) return text;
  size_t end = percent + 1;
  while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) ++end;
  if (end >= text.size() || text[end] != 'd') return text;
  int width = 0, precision = 0;
  std::sscanf(text.c_str() + percent + 1, "%d.%d", &width, &precision);
  const std::string conversion = text.substr(percent + 1, end - percent - 1);
  // Without a precision the number is printed whole, 0 included ("%.0d" of 0 prints nothing).
  if (conversion.find('.') == std::string::npos) precision = -1;
  if (conversion.empty() || conversion[0] == '.') width = 0;
  char number[32];
  std::snprintf(number, sizeof number, "%*.*d", std::clamp(width, 0, 10), std::clamp(precision, -1, 10), value);
  return text.substr(0, percent) + number + text.substr(end + 1);
}

std::string Percent(int position, int maximum) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f %%", maximum > 0 ? 100.0 / maximum * position : 0.0);
  return text;
}

// The character sets of the file, entry by entry: a damaged entry ends the list, the entries
// before it count. False when the file cannot be read at all.
bool ReadCharSets(const std::string& fileName, std::vector<TZYNCharSet>& sets) {
  TMemoryStream stream;
  try {
    stream.LoadFromFile(fileName);
  } catch (const std::exception&) {
    return false;
  }
  try {
    TReader reader(stream, 1024);
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
      TZYNCharSet entry;
      ReadCharSetEntry(entry, reader);
      sets.push_back(entry);
    }
  } catch (const std::exception&) {
  }
  return true;
}

void StampNow(TProjektInfo& info) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  info.SetStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace

int FirmwareNumberOf(const std::string& versionText) {
  if (versionText.size() != 5 || versionText[0] != 'V' || versionText[2] != '.') return 0;
  const char hi = versionText[3], lo = versionText[4];
  if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return 0;
  const int n = (hi - '0') * 10 + (lo - '0');
  return n > 50 ? n : n + 200;
}

bool SwitchOnByFirmware(TZYNCommandSet& comm, int knownNumber) {
  int number = comm.GetFirmwareNumber();
  if (number == 0) number = knownNumber;
  if (number == 0) return false;
  return number > 78 ? comm.RestartModule() : comm.LeaveServiceMode();
}

TVerifyResult VerifyModuleMemory(TZYNCommandSet& comm, const uint8_t* expected, uint32_t address, uint32_t count) {
  std::vector<uint8_t> read(count);
  if (!comm.ReadModuleMemory(read.data(), address, count)) return TVerifyResult::Unreadable;
  return std::equal(read.begin(), read.end(), expected) ? TVerifyResult::Equal : TVerifyResult::Different;
}

TScopedTimeout::TScopedTimeout(TZYNComm& comm, uint16_t ms) : fComm(comm), fPrevious(comm.P_RecTimeout()) { Set(ms); }

TScopedTimeout::~TScopedTimeout() { fComm.SetP_RecTimeout(fPrevious); }

void TScopedTimeout::Set(uint16_t ms) { fComm.SetP_RecTimeout(ms); }

TTransferRun::TTransferRun(TZYNComm& comm, ITransferSource& source, ITransferView& view)
    : fComm(comm), fSource(source), fView(view) {}

void TTransferRun::Log(const std::string& text, int colour, bool bold) { fView.AddLog(text, colour, bold); }

void TTransferRun::Field(TTransferField field, const std::string& text) { fView.SetField(field, text); }

void TTransferRun::ResetStatus() {
  fErrors = 0;
  Field(TTransferField::Status, Tr("keine Übertragungsfehler"));
  Field(TTransferField::LastMessage, Tr("kein Fehler"));
}

bool TTransferRun::PortLost() const { return fComm.Exchange().Lost(); }

void TTransferRun::LinkMessage(const std::string& text) {
  Log(text, 2, true);
  Field(TTransferField::LastMessage, text);
  if (PortLost() && !fLostCounted) {
    fLostCounted = true;
    Field(TTransferField::Status, Tr("Es sind Fehler aufgetreten!"));
    ++fErrors;
  }
}

void TTransferRun::Mark(int adresse, TMemory state, const std::string& reason) {
  TModuleMemory& m = fMemory[adresse];
  // Changed stays changed until the new image is verified.
  if (m.State == TMemory::Changed && state == TMemory::Stopped) return;
  m.State = state;
  if (!reason.empty()) m.Reason = reason;
}

std::vector<int> TTransferRun::LeftOff() const {
  std::vector<int> off;
  for (const auto& [adresse, m] : fMemory)
    if (m.State != TMemory::Untouched && std::find(fSwitchedOn.begin(), fSwitchedOn.end(), adresse) == fSwitchedOn.end())
      off.push_back(adresse);
  return off;
}

void TTransferRun::Failure(const std::string& text) {
  // After the port went away its one message says it all; the steps' failures follow from it.
  if (PortLost()) return;
  Log(text, 2, true);
  Field(TTransferField::Status, Tr("Es sind Fehler aufgetreten!"));
  ++fErrors;
}

void TTransferRun::Pause(int ms) {
  if (ms > 0) TBusWait::Delay(ms);
}

void TTransferRun::RequestCancel() {
  fCancelled = true;
  fComm.SetCancel(true);
}

std::string TTransferRun::LinkKindText() const {
  static const char* const kinds[] = {"DIREKT", "O-CONV", "N-CONV"};
  const uint8_t kind = fComm.ConverterKind();
  return std::string(" (") + (kind < 3 ? kinds[kind] : "unknown") + ")";
}

bool TTransferRun::OpenLink() {
  fComm.ApplySerialSettings(Settings.Serial);
  fComm.OpenLink();
  if (fComm.Active()) return true;
  Failure(fComm.OpenErrorText());
  Field(TTransferField::LastMessage, fComm.OpenErrorText());
  return false;
}

namespace {

// The link's messages go to the run's log while it runs; the page's handler comes back after.
class TMessageRoute {
 public:
  TMessageRoute(TZYNComm& comm, std::function<void(const std::string&)> route)
      : fComm(comm), fPrevious(std::move(comm.OnMessage)) {
    comm.OnMessage = std::move(route);
  }
  ~TMessageRoute() { fComm.OnMessage = std::move(fPrevious); }
  TMessageRoute(const TMessageRoute&) = delete;
  TMessageRoute& operator=(const TMessageRoute&) = delete;

 private:
  TZYNComm& fComm;
  std::function<void(const std::string&)> fPrevious;
};

}  // namespace

std::optional<std::string> TTransferRun::ProbeModule(int adresse) {
  fComm.ApplySerialSettings(Settings.Serial);
  fComm.SetP_RecTimeout(75);
  fComm.SetP_SendRepeat(1);
  std::optional<std::string> version;
  fProbeProblem.clear();
  fComm.OpenLink();
  Field(TTransferField::Target, "STM " + std::to_string(adresse) + LinkKindText());
  if (!fComm.Active())
    fProbeProblem = fComm.OpenErrorText();
  else if (fComm.ProbeModule(static_cast<uint8_t>(adresse)))
    version = fComm.ReadModuleFirmwareVersion(static_cast<uint8_t>(adresse));
  else if (fComm.Exchange().Lost())
    fProbeProblem = fComm.Exchange().LostText();
  else
    fProbeProblem = WithNumber(Tr("Steuermodul %d nicht gefunden an"), adresse) + " " + Utf8ToAnsi(fComm.DeviceText());
  fComm.CloseLink();
  fComm.ApplySerialSettings(Settings.Serial);
  return version;
}

// --- the run ---

bool TTransferRun::Run(int selected) {
  fCancelled = false;
  fComm.SetCancel(false);
  fSwitchedOn.clear();
  fMemory.clear();
  fLostCounted = false;
  const std::vector<TTransferTarget> targets = fSource.Targets();
  const bool all = selected < 0;
  if (!all && selected >= static_cast<int>(targets.size())) return false;
  const TMessageRoute route(fComm, [this](const std::string& text) { LinkMessage(text); });

  // The log of the run starts empty; what the save and the compile report stays in it.
  fView.ClearLog();
  // 1. The save question.
  if (fSource.Modified()) {
    const int answer =
        fView.AskSave(Tr("Das Projekt wurde geändert.") + "\n" + Tr("Sollen die Änderungen gespeichert werden?"));
    if (answer == 6) {
      try {
        fSource.Save();
        Log(Tr("Das Projekt wurde gesichert"), 1);
      } catch (const std::exception& e) {
        Log(Tr("Das Projekt konnte nicht gesichert werden!"), 2, true);
        Log(e.what(), 2);
      }
    } else {
      Log(Tr("Das Projekt wurde nicht gesichert!"), 1);
    }
    if (answer == 2) {
      Log(Tr("Die Übertragung wurde nicht gestartet."), 1);
      return false;
    }
  }
  // 2. One module of several.
  if (fSource.ControlModuleCount() > 1 && !all)
    fView.Warn(Tr("Achtung:") + "\n\r" + Tr("Damit das Projekt richtig funktioniert müssen") + "\n\r" +
               Tr("die Programme aller Steuerungen übertragen werden!"));

  // 3.
  fView.LockUserInterface();
  ResetStatus();

  // 4. Compile; a failure ends the run before anything is sent.
  if (!fCompiled) {
    std::string programFileProblem;
    bool compiled = false;
    std::string failure;
    try {
      compiled = fSource.Compile(programFileProblem);
    } catch (const std::exception& e) {
      failure = e.what();
    }
    fView.ShowPage("FrTransfer");
    if (!compiled) {
      if (!failure.empty()) {
        Failure(Tr("Das Projekt konnte nicht erstellt werden. Es wurde nichts übertragen."));
        Log(failure, 2);
        Field(TTransferField::LastMessage, Tr("Fehler beim Erstellen"));
        FinalMessages();
      } else {
        Log(Tr("Das Erstellen wurde abgebrochen; es wurde nichts übertragen."), 1, true);
        Field(TTransferField::LastMessage, Tr("Das Erstellen wurde abgebrochen."));
      }
      fView.UnlockUserInterface();
      return false;
    }
    fCompiled = true;
    if (!programFileProblem.empty()) {
      Log(Tr("Die Programmdatei konnte nicht geschrieben werden:"), 2);
      Log(programFileProblem, 2);
    }
  }

  // 5. The link.
  if (!OpenLink()) {
    FinalMessages();
    fView.UnlockUserInterface();
    return false;
  }

  std::vector<int> modules;  // the control modules of this run
  for (size_t i = 0; i < targets.size(); ++i)
    if (!targets[i].IsDisplay() && (all || static_cast<int>(i) == selected)) modules.push_back(targets[i].Adresse);
  bool switchedOn = false;
  try {
    if (!all) {
      const TTransferTarget& t = targets[static_cast<size_t>(selected)];
      if (t.IsDisplay()) {
        Log(WithNumber(Tr("Übertragung an Display %d gestartet"), t.Adresse), 0, true);
        if (!TransferDisplay(t)) Field(TTransferField::LastMessage, Tr("Fehler beim Übertragen"));
      } else {
        Log(WithNumber(Tr("Übertragung an Steuermodul %d gestartet"), t.Adresse), 0, true);
        if (!TransferControlModule(t)) Field(TTransferField::LastMessage, Tr("Fehler beim Übertragen"));
      }
      switchedOn = SwitchOnKnownGood(modules, Settings.PauseMs);
    } else {
      // Every control module stops before any is programmed.
      for (const int a : modules) {
        if (fCancelled || PortLost()) break;
        fComm.SetA_Steuermodul(static_cast<uint8_t>(a));
        if (fComm.EnterServiceMode()) Mark(a, TMemory::Stopped);
      }
      for (const TTransferTarget& t : targets) {
        if (fCancelled || PortLost()) break;
        if (t.IsDisplay()) {
          Log(WithNumber(Tr("Übertragung an Display %d gestartet"), t.Adresse), 0, true);
          if (TransferDisplay(t))
            Log("");
          else
            Field(TTransferField::LastMessage, Tr("Fehler beim Übertragen"));
        } else {
          Log(WithNumber(Tr("Übertragung an Steuermodul %d gestartet"), t.Adresse), 0, true);
          if (TransferControlModule(t))
            Log("");
          else
            Field(TTransferField::LastMessage, Tr("Fehler beim Übertragen"));
        }
      }
      switchedOn = SwitchOnKnownGood(modules, Settings.LongPauseMs);
    }
  } catch (const std::exception& e) {
    Failure(e.what());
  }

  // 8. The end of the run.
  fComm.CloseLink();
  if (fCancelled) {
    Log(Tr("Die Übertragung wurde abgebrochen."), 2, true);
    Field(TTransferField::LastMessage, Tr("Übertragung abgebrochen"));
    if (LeftOff().empty()) Field(TTransferField::Status, Tr("Die Übertragung wurde abgebrochen."));
  }
  if (!modules.empty() && fSwitchedOn.empty()) Log(Tr("Es wurde kein Steuermodul eingeschaltet."), 2, true);
  if (switchedOn && !fCancelled && !PortLost()) {
    Field(TTransferField::LastMessage, Tr("Warten auf Initialisierung"));
    Log(Tr("Warten auf Initialisierung"));
    WaitPhase(true);
  } else {
    FinalMessages();
  }
  fView.UnlockUserInterface();
  return fErrors == 0 && !fCancelled;
}

bool TTransferRun::SwitchOnKnownGood(const std::vector<int>& modules, int pauseMs) {
  std::vector<int> good;
  std::string offText;
  for (const int a : modules) {
    const TModuleMemory& m = fMemory[a];
    if (m.State == TMemory::Stopped || m.State == TMemory::Verified) good.push_back(a);
  }
  if (PortLost()) {
    // Nothing can be sent any more: the modules the run stopped stay as they are.
    for (const int a : modules)
      if (fMemory[a].State != TMemory::Untouched) {
        Log(WithNumber(Tr("Das Steuermodul %d konnte nicht wieder eingeschaltet werden."), a), 2, true);
        offText += (offText.empty() ? "" : ", ") + WithNumber("STM.%2.2d", a);
      }
    if (!offText.empty()) Field(TTransferField::Status, Tr("Nicht wieder eingeschaltet:") + " " + offText);
    return false;
  }
  // The modules are switched on also after "Abbruch": the cancel stops the transfer, not this.
  fComm.SetCancel(false);
  bool any = false;
  if (!good.empty()) {
    const int count = static_cast<int>(good.size());
    fView.SetProgress(0, count, Percent(0, count));
    Pause(pauseMs);
    int position = 0;
    for (const int a : good) {
      if (PortLost()) break;
      ++position;
      fView.SetProgress(position, count, Percent(position, count));
      if (SwitchOn(a)) any = true;
    }
  }
  for (const int a : modules) {
    const TModuleMemory& m = fMemory[a];
    if (m.State != TMemory::Changed) continue;
    Log(WithNumber(Tr("Das Steuermodul %d bleibt abgeschaltet:"), a) + " " + m.Reason, 2, true);
    offText += (offText.empty() ? "" : "; ") + WithNumber(Tr("Steuermodul %d bleibt abgeschaltet:"), a) + " " + m.Reason;
  }
  if (!offText.empty()) Field(TTransferField::Status, offText);
  return any;
}

bool TTransferRun::TransferControlModule(const TTransferTarget& target) {
  const uint8_t adresse = static_cast<uint8_t>(target.Adresse);
  fComm.SetA_Steuermodul(adresse);
  Log(Tr("Kontaktiere Steuermodul"));
  if (!fComm.GetModuleStatus()) {
    Failure(Tr("Keine Antwort vom Steuermodul"));
    Log("");
    return false;
  }
  Field(TTransferField::LastMessage, Tr("Initialisier Übertragung..."));
  Field(TTransferField::Target, "STM " + std::to_string(target.Adresse) + LinkKindText());
  const std::string version = fComm.ReadFirmwareVersion();
  fFirmwareNumber = FirmwareNumberOf(version);
  Field(TTransferField::Version, version);
  Pause(Settings.PauseMs);
  if (fCancelled) return false;

  // Without an image nothing is erased: the module keeps the program it has.
  const TModuleImage image = fSource.ModuleImage(target.Adresse);
  if (image.Bytes.size() < image.Length + 1 || image.Length == 0) {
    Failure(Tr("Für das Steuermodul wurde kein Programm erstellt."));
    return false;
  }

  Log(Tr("Steuerung wird abgeschaltet"));
  Mark(target.Adresse, TMemory::Stopped);
  fComm.EnterServiceMode();
  Log(Tr("Steuermodulprogramm löschen"));
  Mark(target.Adresse, TMemory::Changed, Tr("sein Programmspeicher wurde gelöscht, das neue Programm nicht übertragen."));
  if (!fComm.EraseProgramMemory()) {
    // The memory is in an unknown state: nothing is written into it.
    Failure(Tr("Fehler beim Löschen des Steuermodulprogramms"));
    Mark(target.Adresse, TMemory::Changed, Tr("das Löschen seines Programmspeichers ist fehlgeschlagen."));
    return false;
  }
  if (fCancelled) return false;

  Log(Tr("Starte Programmübertragung"));
  fComm.EnterServiceMode();
  Mark(target.Adresse, TMemory::Changed, Tr("sein Programm wurde nur teilweise übertragen."));
  if (!fComm.WriteModuleMemory(image.Bytes.data(), kProgramAddress, image.Length, 1)) {
    Failure(fCancelled ? Tr("Die Programmübertragung wurde abgebrochen.")
                       : Tr("Fehler beim Übertragen des Steuermodulprogramms"));
    return false;
  }
  // The image and the byte behind it, which its checksum covers, as the module holds them.
  const uint16_t sequence = fComm.NextSequence();
  Log(Tr("Übertragenes Programm prüfen"));
  switch (VerifyModuleMemory(fComm, image.Bytes.data(), kProgramAddress, image.Length + 1)) {
    case TVerifyResult::Equal:
      Mark(target.Adresse, TMemory::Verified);
      break;
    case TVerifyResult::Unreadable:
      Failure(Tr("Das übertragene Programm konnte nicht zur Prüfung gelesen werden."));
      Mark(target.Adresse, TMemory::Changed, Tr("sein neues Programm konnte nicht zur Prüfung gelesen werden."));
      return false;
    case TVerifyResult::Different:
      Failure(Tr("Das Programm im Steuermodul stimmt nicht mit dem übertragenen überein."));
      Mark(target.Adresse, TMemory::Changed, Tr("sein Programm stimmt nicht mit dem übertragenen überein."));
      return false;
  }

  Log(Tr("Übertrage Projektinformationen"));
  TProjektInfo info = fSource.ProjectInfo();
  if (Settings.Stamp)
    Settings.Stamp(info);
  else
    StampNow(info);
  info.ImageLength = static_cast<uint16_t>(image.Length);
  info.ImageChecksum = image.Checksum;
  const TProjektInfoBlock block = info.ToBlock();
  if (!fComm.WriteModuleMemory(block.data(), TZYNCommandSet::kProjectInfoAddress, block.size(), sequence) ||
      VerifyModuleMemory(fComm, block.data(), TZYNCommandSet::kProjectInfoAddress, block.size()) !=
          TVerifyResult::Equal) {
    Failure(Tr("Fehler beim Übertragen der Projektinformationen"));
    return false;
  }

  if (!fComm.WriteModuleText(" " + Tr("ZORV ZYN V") + '\xFF', false)) {
    Failure(Tr("Fehler beim Übertragen des Modultextes"));
    return false;
  }

  Log(Tr("Übertrage sprachenabhängige Sonderzeichen"));
  bool ok = true;
  SendSpecialCharacters(ok);
  if (!ok) {
    Failure(Tr("Fehler beim Übertragen der Sonderzeichen"));
    return false;
  }
  Pause(Settings.PauseMs);
  if (fCancelled) return false;
  Log(Tr("Programm erfolgreich übertragen"), 0, true);
  Log("");
  return true;
}

void TTransferRun::SendSpecialCharacters(bool& ok) {
  std::vector<TZYNCharSet> sets;
  if (!ReadCharSets(Settings.CharsFile, sets)) {
    Log(Tr("Die Datei \"chars.zyb\" wurde nicht gefunden; die Sonderzeichen werden nicht übertragen."), 2);
    return;
  }
  for (const TZYNCharSet& set : FindCharSets(sets, "GERMAN"))
    for (const auto& record : set.Chars) {
      if (fCancelled) {
        ok = false;
        return;
      }
      if (!fComm.WriteSpecialCharacter(record[0], record.data() + 1, record.size() - 1)) ok = false;
    }
}

bool TTransferRun::TransferDisplay(const TTransferTarget& target) {
  fComm.SetA_Steuermodul(static_cast<uint8_t>(7 - target.Adresse));
  Field(TTransferField::Target, "DSP " + std::to_string(target.Adresse));
  TScopedTimeout timeout(fComm, Settings.DisplayEraseTimeout);
  Log(Tr("Displayspeicher zurücksetzen"));
  if (!fComm.EraseDisplay()) {
    Failure(Tr("Fehler beim kontaktieren des Displays!"));
    return false;
  }
  timeout.Set(Settings.DisplayWriteTimeout);
  const TDisplayImage image = fSource.DisplayImage(target.Adresse);
  if (image.Bytes.empty()) {
    Failure(Tr("Für das Display wurde kein Programm erstellt."));
    return false;
  }
  if (fComm.WriteModuleMemory(image.Bytes.data(), image.Startadresse, static_cast<uint32_t>(image.Bytes.size()), 1)) {
    fComm.EndDisplayProgramming();
    Log(Tr("Programm erfolgreich übertragen"), 0, true);
    return true;
  }
  Failure(Tr("Es ist ein Fehler bei der Übertragung aufgetreten!"));
  return false;
}

bool TTransferRun::SwitchOn(int adresse) {
  fComm.SetA_Steuermodul(static_cast<uint8_t>(adresse));
  Log(WithNumber(Tr("Steuerung STM.%2.2d wird eingeschaltet"), adresse));
  if (!SwitchOnByFirmware(fComm, fFirmwareNumber)) {
    Failure(WithNumber(Tr("Das Steuermodul %d hat das Einschalten nicht bestätigt."), adresse));
    return false;
  }
  fSwitchedOn.push_back(adresse);
  if (Settings.InitInputModules) InitInputModules(adresse);
  return true;
}

void TTransferRun::InitInputModules(int adresse) {
  Log(Tr("Eingangsmodule initialisieren"), 0, true);
  Field(TTransferField::LastMessage, Tr("Initialisiere Eingangsmodule"));
  const std::vector<TInputModuleRef> modules = fSource.InputModules(adresse);
  const int count = static_cast<int>(modules.size());
  fView.SetProgress(0, count, Percent(0, count));
  TScopedTimeout timeout(fComm, 1000);
  int position = 0;
  for (const TInputModuleRef& m : modules) {
    if (fCancelled) return;
    ++position;
    fView.SetProgress(position, count, Percent(position, count));
    TBusWait::ProcessEvents();
    const int state = fComm.ReadModuleState(true, m.BusKey, 0);
    const uint8_t release[] = {0x06, 0x00, m.BusKey, 0x01, 0xFF};
    fComm.SendRawTelegram(release, sizeof release);
    if (m.SetOutputStates) m.SetOutputStates(state);
  }
}

void TTransferRun::WaitPhase(bool hint) {
  const int maximum = std::max(0, Settings.PorWaitTicks) + 1;
  fView.SetProgress(0, maximum, Percent(0, maximum));
  Log(Tr("Warten auf Initialisierung der Anlage"));
  for (int position = 1; position <= maximum && !fCancelled; ++position) {
    Pause(Settings.TickMs);
    fView.SetProgress(position, maximum, Percent(position, maximum));
  }
  fView.SetProgress(0, maximum, Percent(0, maximum));
  FinalMessages();
  if (hint && fErrors == 0 && !fCancelled) {
    for (const char* line :
         {"Hinweis:", "Um neue Programmierungen/Tools zu verwenden/testen",
          "müssen die Einschaltbedingungen freigegeben werden.", "Wenn Sie Dimmer verwenden, kann es erforderlich sein",
          "neue Kennlinien an die Dimmer zu übertragen.",
          "Die Freigabe können Sie mit dem Button POR Freigabe ausführen"})
      Log(Tr(line), 1, true);
    Log("");
  }
}

void TTransferRun::FinalMessages() {
  if (fErrors > 0) {
    Field(TTransferField::LastMessage, WithNumber(Tr("Übertragung wurde mit %d Fehlern beendet!"), fErrors));
    Log(WithNumber(Tr("Übertragung wurde mit %d Fehlern beendet"), fErrors), 2, true);
  } else if (fCancelled) {
    Field(TTransferField::LastMessage, Tr("Übertragung abgebrochen"));
  } else {
    Field(TTransferField::LastMessage, Tr("Übertragung erfolgreich beendet!"));
    Log(Tr("Übertragung erfolgreich beendet"), 0, true);
  }
  Log("");
}

bool TTransferRun::ReleasePowerOn(int selected) {
  const std::vector<TTransferTarget> targets = fSource.Targets();
  fView.LockUserInterface();
  fCancelled = false;
  fComm.SetCancel(false);
  fLostCounted = false;
  const TMessageRoute route(fComm, [this](const std::string& text) { LinkMessage(text); });
  ResetStatus();
  Field(TTransferField::LastMessage, Tr("POR- Freigabe senden"));
  bool any = false;
  for (size_t i = 0; i < targets.size(); ++i) {
    const TTransferTarget& t = targets[i];
    if (t.IsDisplay() || (selected >= 0 && static_cast<int>(i) != selected) || fCancelled) continue;
    fComm.SetA_Steuermodul(static_cast<uint8_t>(t.Adresse));
    Log(WithNumber(Tr("Sende POR- Freigabe an Steuermodul STM.%2.2d"), t.Adresse), 0, true);
    if (!OpenLink() || PortLost()) break;
    // The release itself is never answered; the status before it tells whether the module is there.
    if (fComm.GetFirmwareNumber() == 0) {
      Failure(WithNumber(Tr("Das Steuermodul %d antwortet nicht; die POR- Freigabe wurde nicht gesendet."), t.Adresse));
    } else {
      fComm.SendPowerOnRelease();
      Log(WithNumber(Tr("POR- Freigabe erfolgreich an STM.%2.2d gesendet."), t.Adresse), 0, true);
      any = true;
    }
    fComm.CloseLink();
  }
  fComm.CloseLink();
  if (any)
    WaitPhase(false);
  else
    FinalMessages();
  fView.UnlockUserInterface();
  return any && fErrors == 0;
}

}  // namespace zyn
