#include "bus/SelfTestRun.h"

#include "bus/ClockService.h"
#include "model/base/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zyn {

namespace {

constexpr char kMagic[] = "ZYNSTMBK";
constexpr size_t kMagicLength = 8;
constexpr uint8_t kFileVersion = 1;
constexpr size_t kResultColumn = 49;  // the result word starts in column 50
const char kDashes[] = "---------------------------------------------------------";

std::string Hex2(int v) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", v & 0xFF);
  return text;
}

void PutShortString(TProductionRecord& r, size_t offset, size_t field, const std::string& text) {
  const size_t n = std::min(text.size(), field - 1);
  r[offset] = static_cast<uint8_t>(n);
  std::memcpy(r.data() + offset + 1, text.data(), n);
}

// A German message (UTF-8 pattern with one %s) naming a file, in Windows-1252.
std::string FileMessage(const std::string& pattern, const std::string& path) {
  std::string text = Ansi(pattern);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, Utf8ToAnsi(path));
  return text;
}

}  // namespace

TProductionRecord BuildProductionRecord(const TSelfTestOptions& options, const TZYNDateTime& stamp, bool passed) {
  TProductionRecord r{};
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", stamp.Day, stamp.Month, stamp.Year, stamp.Hour,
                stamp.Minute, stamp.Second);
  PutShortString(r, 0, 20, options.Hersteller);
  PutShortString(r, 20, 20, text);
  PutShortString(r, 40, 14, options.SerienNummer);
  PutShortString(r, 54, 14, options.Software);
  r[68] = passed ? 1 : 0;
  std::fill(r.begin() + 69, r.end(), 0xFF);
  return r;
}

bool SwitchModuleOn(TZYNCommandSet& comm) {
  return comm.GetFirmwareNumber() > 78 ? comm.RestartModule() : comm.LeaveServiceMode();
}

bool RunSelfTest(TZYNComm& comm, std::vector<std::string>& log, const TSelfTestOptions& options,
                 const TSelfTestProgress& progress) {
  if (!comm.GetModuleStatus()) return false;
  auto tr = [&comm](const char* text) { return comm.TranslateText(Ansi(text)); };
  const int max = 10 + (options.ResetTest ? 1 : 0) + (options.ResetTest && options.WarteReset ? 1 : 0);
  auto step = [&](const char* action, int position) {
    if (progress.OnStep) progress.OnStep(action ? tr(action) : std::string(), position, max);
  };
  log.clear();
  const std::string address = Hex2(comm.A_Steuermodul());
  log.push_back(tr("Steuermodul Adresse $") + address + " " + tr("wird getestet"));
  step("Steuermodul Adresse", 1);
  const std::string version = comm.ReadFirmwareVersion();
  const std::string date = comm.ReadModuleDate();
  const std::string time = comm.ReadModuleTime();
  log.push_back("---------------------- INFO -----------------------------");
  log.push_back(tr("Steuermodul Softwareversion:") + " " + version);
  log.push_back(tr("Steuermodul Datum..........:") + " " + date);
  log.push_back(tr("Steuermodul Uhrzeit........:") + " " + time);
  log.push_back(kDashes);

  int errors = 0;
  auto result = [&](const char* name, bool ok, const char* failWord = "FEHLER") {
    std::string line = tr(name);
    if (line.size() < kResultColumn) line.append(kResultColumn - line.size(), ' ');
    line += ok ? tr("OK") : tr(failWord);
    log.push_back(line);
    if (!ok) ++errors;
    return ok;
  };

  step("Selbsttest des Uhrenbausteins", 2);
  result("Selbsttest Uhrenbaustein", comm.TestClockChip());
  step("Setze Datum und Uhrzeit", 3);
  result("Datum und Uhrzeit setzen", comm.SetModuleDateTime(TZYNDateTime{1999, 12, 31, 23, 59, 0}));
  step("Überprüfe paralleles EEProm", 4);
  if (!result("Teste parallelels EEProm", comm.TestParallelEeprom())) {
    step(nullptr, 0);
    return false;
  }
  step("Überprüfe paralleles EEProm auf Dateninhalt $00", 5);
  result("Teste parallelels EEProm auf Dateninhalt $00", comm.TestParallelEepromErased(), "Fehler");
  step("Überprüfe serielles EEProm", 6);
  if (!result("Teste serielles EEProm", comm.TestSerialEeprom())) {
    step(nullptr, 0);
    return false;
  }
  step("Überprüfe serielles EEProm auf Dateninhalt $00", 7);
  result("Teste serielles EEProm auf Dateninhalt $00", comm.TestSerialEepromErased());
  step("Lösche paralleles EEProm", 8);
  result("Paralleles EEprom löschen", comm.EraseProgramMemory());
  step("Produktionsinformationen in das EEProm schreiben", 9);
  {
    TProductionRecord record =
        BuildProductionRecord(options, LocalDateTime(std::chrono::system_clock::now()), errors == 0);
    const bool shown = comm.V_UseComponents;
    comm.V_UseComponents = false;
    const bool ok = comm.WriteProductionData(record);
    comm.V_UseComponents = shown;
    result("Produktionsdaten in das Steuermodul schreiben", ok);
  }
  if (options.ResetTest) {
    step("Test der Resetleitung Uhrenbaustein", 10);
    result("Test Resetleitung Uhrenbaustein gestartet", comm.StartResetLineTest());
    if (options.WarteReset) {
      step("Warten auf Ende des Reset- Test (max 180 Sek.)", 11);
      result("Test Resetleitung Uhrenbaustein beendet", comm.WaitForResetTestEnd());
    }
  }
  log.push_back(kDashes);
  if (errors > 0)
    log.push_back(tr("Test Steuermodul Adresse $") + address + " " + tr("mit") + " " + std::to_string(errors) + " " +
                  tr("Fehler beendet"));
  else
    log.push_back(tr("Test Steuermodul Adresse $") + address + " " + tr("ohne Fehler beendet"));
  step(nullptr, 0);
  return errors == 0;
}

// --- backup ---

std::string TSelfTestBackup::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes(kMagic, kMagic + kMagicLength);
  bytes.push_back(kFileVersion);
  bytes.push_back(static_cast<uint8_t>(Length >> 8));
  bytes.push_back(static_cast<uint8_t>(Length & 0xFF));
  bytes.insert(bytes.end(), Image.begin(), Image.end());
  bytes.push_back(HasInfo ? 1 : 0);
  bytes.insert(bytes.end(), Info.begin(), Info.end());
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return FileMessage("Die Sicherungsdatei \"%s\" konnte nicht geschrieben werden.", path);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return FileMessage("Die Sicherungsdatei \"%s\" konnte nicht geschrieben werden.", path);
  }
  return {};
}

std::string TSelfTestBackup::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileMessage("Die Sicherungsdatei \"%s\" konnte nicht geöffnet werden.", path);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t head = kMagicLength + 3;
  const std::string damaged = FileMessage("Die Sicherungsdatei \"%s\" ist beschädigt.", path);
  if (bytes.size() < head || std::memcmp(bytes.data(), kMagic, kMagicLength) != 0 ||
      bytes[kMagicLength] != kFileVersion)
    return FileMessage("Die Datei \"%s\" ist keine Programmsicherung eines Steuermoduls.", path);
  const uint32_t length = static_cast<uint32_t>(bytes[kMagicLength + 1] << 8 | bytes[kMagicLength + 2]);
  if (length > kMaxLength)
    return FileMessage("Die Sicherungsdatei \"%s\" gibt " + std::to_string(length) +
                           " Bytes an; ein Programm hat höchstens 32768 Bytes.",
                       path);
  if (bytes.size() != head + length + 1 + Info.size()) return damaged;
  TSelfTestBackup b;
  b.Length = static_cast<uint16_t>(length);
  b.Image.assign(bytes.begin() + head, bytes.begin() + head + length);
  b.HasInfo = bytes[head + length] != 0;
  std::copy(bytes.begin() + head + length + 1, bytes.end(), b.Info.begin());
  *this = std::move(b);
  return {};
}

TBackupResult BackupProgram(TZYNComm& comm, TSelfTestBackup& backup) {
  backup = TSelfTestBackup{};
  uint16_t length = 0;
  if (!comm.ReadMemoryWordAt(comm.A_Steuermodul(), TSelfTestBackup::kProgramAddress, length))
    return TBackupResult::NoAnswer;
  if (length == 0 || length == 0xFFFF) return TBackupResult::NoProgram;
  // The length comes from the module; a damaged word must not reach beyond the program area.
  if (length > TSelfTestBackup::kMaxLength) return TBackupResult::BadLength;
  std::vector<uint8_t> image(length, 0);
  if (!comm.ReadModuleMemory(image.data(), TSelfTestBackup::kProgramAddress, length)) return TBackupResult::ReadFailed;
  TProjektInfoBlock info{};
  if (!comm.ReadProjectInfo(info)) return TBackupResult::ReadFailed;
  backup.Length = length;
  backup.Image = std::move(image);
  backup.Info = info;
  backup.HasInfo = true;
  return TBackupResult::Ok;
}

bool RestoreProgram(TZYNComm& comm, const TSelfTestBackup& backup, const std::string& moduleText) {
  if (backup.Empty() || backup.Length > TSelfTestBackup::kMaxLength || backup.Image.size() != backup.Length)
    return false;
  if (!comm.EnterServiceMode()) return false;
  bool ok = comm.WriteModuleMemory(backup.Image.data(), TSelfTestBackup::kProgramAddress, backup.Length, 1);
  if (ok && backup.HasInfo) ok = comm.WriteProjectInfo(backup.Info);
  if (ok) ok = comm.WriteModuleText(moduleText, false);
  const bool on = SwitchModuleOn(comm);
  return ok && on;
}

TSelfTestReport RunSelfTestWithBackup(TZYNComm& comm, std::vector<std::string>& log, const TSelfTestOptions& options,
                                      const TSelfTestSession& session, const TSelfTestProgress& progress) {
  TSelfTestReport report;
  auto tr = [&comm](const char* text) { return comm.TranslateText(Ansi(text)); };
  const std::string module = "STM" + std::to_string(comm.A_Steuermodul());
  if (!comm.GetModuleStatus()) {
    report.Message = tr("Das Steuermodul konnte nicht angesprochen werden!");
    return report;
  }
  TSelfTestBackup backup;
  if (session.OnPhase) session.OnPhase(false);
  const TBackupResult saved = BackupProgram(comm, backup);
  if (session.OnPhaseEnd) session.OnPhaseEnd();
  switch (saved) {
    case TBackupResult::NoAnswer:
      report.Message = tr("Das Steuermodul konnte nicht angesprochen werden!");
      return report;
    case TBackupResult::BadLength:
      report.Message = tr("Die Programmlänge im Steuermodul ist ungültig (mehr als 32768 Bytes).") + "\n" +
                       tr("Das Programm kann nicht gesichert werden; der Test wurde nicht gestartet.");
      return report;
    case TBackupResult::ReadFailed:
      report.Message = tr("Das Programm des Steuermoduls konnte nicht vollständig gelesen werden.") + "\n" +
                       tr("Der Test wurde nicht gestartet.");
      return report;
    case TBackupResult::NoProgram:
    case TBackupResult::Ok:
      break;
  }
  report.BackupMade = saved == TBackupResult::Ok;
  if (report.BackupMade && !session.BackupPath.empty()) {
    const std::string error = backup.SaveToFile(session.BackupPath);
    if (!error.empty()) {
      report.BackupMade = false;
      report.Message = error + "\n" + tr("Der Test wurde nicht gestartet.");
      return report;
    }
  }
  report.Started = true;
  report.Passed = RunSelfTest(comm, log, options, progress);
  comm.WriteModuleText(session.ProgramTag, true);
  if (session.OnPhase) session.OnPhase(true);
  if (report.BackupMade) {
    report.Restored = RestoreProgram(comm, backup, session.RestoreText);
    if (!report.Restored) {
      report.Message =
          tr("Das Projekt kann nicht restauriert werden!") + "\n" + tr("Sie müssen das Projekt neu übertragen!");
      if (!session.BackupPath.empty())
        report.Message +=
            "\n" + tr("Die Sicherung liegt in der Datei") + " \"" + Utf8ToAnsi(session.BackupPath) + "\".";
    }
  } else if (comm.EnterServiceMode()) {
    comm.WriteModuleText(session.RestoreText, false);
    SwitchModuleOn(comm);
  }
  if (session.OnPhaseEnd) session.OnPhaseEnd();
  // The test set the clock to 31.12.1999 23:59: it goes back to the PC's time, or the user is told.
  report.ClockRestored = RestoreModuleClock(comm, [&log](const std::string& line) { log.push_back(line); });
  if (!report.ClockRestored) {
    const std::string clock = tr("Die Uhr des Steuermoduls konnte nicht auf die Zeit des PCs gestellt werden.") + "\n" +
                              tr("Bitte stellen Sie sie mit \"Uhrzeit stellen\".");
    report.Message = report.Message.empty() ? clock : report.Message + "\n" + clock;
  }
  return report;
}

}  // namespace zyn
