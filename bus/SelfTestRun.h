#pragma once
// The hardware self test of a control module with the backup and restore of its program:
// the program area from 0x4000 (its length stands in the area's first word) and the 138-byte
// project-information block are copied out before the test, which erases the module, and are
// written back after it. No Qt; the self-test page drives these pieces.

#include "bus/ProjektInfo.h"
#include "bus/ZYNComm.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

// The production data and options of the test.
struct TSelfTestOptions {
  std::string Hersteller;
  std::string SerienNummer;
  std::string Software;
  bool ResetTest = false;
  bool WarteReset = false;
};

// Steps, texts and results of one run; Action shows each step's name and number.
struct TSelfTestProgress {
  std::function<void(const std::string& action, int position, int max)> OnStep;
};

// The production record written at 0xBEA0: Hersteller (20 bytes), date and time "dd.mm.yyyy
// hh:mm:ss" (20), SerienNummer (14) and Software (14) as length-prefixed texts, at offset 68
// the 1 of a test without failed steps (else 0); bytes 69 to 79 are 0xFF.
TProductionRecord BuildProductionRecord(const TSelfTestOptions& options, const TZYNDateTime& stamp, bool passed);

// The self test on an open link (A_Steuermodul chosen). Log lines are appended to log, which is
// cleared first; false when the module does not answer, a step stops the test or a step failed.
bool RunSelfTest(TZYNComm& comm, std::vector<std::string>& log, const TSelfTestOptions& options,
                 const TSelfTestProgress& progress = {});

// Switches a control module on as its firmware asks: firmware above 78 restarts (FC 00), older
// ones leave the service mode (FE 00).
bool SwitchModuleOn(TZYNCommandSet& comm);

// The copy of a control module's program.
struct TSelfTestBackup {
  static constexpr uint32_t kMaxLength = 0x8000;
  static constexpr uint16_t kProgramAddress = 0x4000;

  uint16_t Length = 0;         // program bytes from 0x4000; 0: the module holds no program
  std::vector<uint8_t> Image;  // Length bytes
  TProjektInfoBlock Info{};
  bool HasInfo = false;

  bool Empty() const { return Length == 0; }
  // The backup file: "ZYNSTMBK", version byte 1, length (16-bit big-endian), the image, a flag
  // byte for the information block and its 138 bytes. Empty string on success, else a German
  // message naming the file.
  std::string SaveToFile(const std::string& path) const;
  std::string LoadFromFile(const std::string& path);
};

enum class TBackupResult {
  Ok,          // program and information block copied
  NoProgram,   // length 0 or 0xFFFF: nothing to copy
  BadLength,   // the length word claims more than 0x8000 bytes
  ReadFailed,  // a block did not come back
  NoAnswer,    // the module does not answer
};

// Copies the program and the information block out of the module (open link).
TBackupResult BackupProgram(TZYNComm& comm, TSelfTestBackup& backup);
// Writes a backup back: service mode, image at 0x4000 (block numbering from 1), the information
// block, the module text, then switches the module on. True only when every part was written.
bool RestoreProgram(TZYNComm& comm, const TSelfTestBackup& backup, const std::string& moduleText);

// The whole run of the self-test page on an open link: status, backup (saved to BackupPath
// when given), the test, the module text, restore and switching on. OnPhase tells the progress
// window which part runs ("sichern" / "restaurieren"), OnPhaseEnd hides it.
struct TSelfTestSession {
  std::string BackupPath;
  std::string ProgramTag;   // module text after the test
  std::string RestoreText;  // module text written with the restored program
  std::function<void(bool restoring)> OnPhase;
  std::function<void()> OnPhaseEnd;
};

struct TSelfTestReport {
  bool Started = false;  // false: nothing was changed in the module
  bool Passed = false;   // every step passed
  bool BackupMade = false;
  bool Restored = false;  // the backup is back in the module
  bool ClockRestored = false;  // the module clock is at the PC's time again
  std::string Message;    // German message for the user when something went wrong
};

TSelfTestReport RunSelfTestWithBackup(TZYNComm& comm, std::vector<std::string>& log, const TSelfTestOptions& options,
                                      const TSelfTestSession& session, const TSelfTestProgress& progress = {});

}  // namespace zyn
