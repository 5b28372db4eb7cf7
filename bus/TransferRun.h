#pragma once
// The transfer of a project to its control modules and display panels: save question, compile,
// per control module stop, erase, the image written and read back, the project-information
// block, the module text and the special characters; per display erase and write; then the
// control modules switched on and the wait for the installation to initialise. The page drives
// one run and shows what the run reports through ITransferView; the project side (compile,
// images, project data) is reached through ITransferSource.
//
// Rules of a run:
// - At its end, after errors and after "Abbruch" too, every control module the run stopped is
//   switched on again when its memory is known good: its new image written and read back equal,
//   or its memory not touched at all (the old program runs on). A module whose memory was
//   changed without the new image verified (erase, a broken or cancelled write, a read-back that
//   failed or differed) stays off; the log and the status line name it and say why. One
//   unreachable display or control module thus never leaves the rest of the building halted.
// - A port that goes away ends the run at once with one message naming the device (the link's
//   OnMessage, which the run takes over while it runs); no module errors follow it.
// - A compile failure ends the run before the port is opened.
// - Every error is counted once; the final message names the count, and a run with errors or a
//   cancel is never reported as done.
// - A missing "chars.zyb" is logged and the special characters are skipped.
//
// Call order: Run and ReleasePowerOn on the user-interface thread, one at a time; RequestCancel
// from an event handler while a run waits. The link (TZYNComm) is opened and closed by the run.

#include "bus/BusSerialSettings.h"
#include "bus/ProjektInfo.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

class TZYNComm;
class TZYNCommandSet;

// One tab of the transfer page: a control module or a display panel.
struct TTransferTarget {
  enum class TKind { Steuermodul, Display };
  TKind Kind = TKind::Steuermodul;
  int Adresse = 0;          // control-module address 0..3 or display number
  std::string DisplayName;  // tab caption (Windows-1252)

  bool IsDisplay() const { return Kind == TKind::Display; }
};

// The compiled image of one control module: 32768 bytes, the used length and its checksum.
struct TModuleImage {
  std::vector<uint8_t> Bytes;
  uint32_t Length = 0;
  uint16_t Checksum = 0;
};

// The compiled memory of one display panel.
struct TDisplayImage {
  std::vector<uint8_t> Bytes;  // the bytes to send, from the first
  uint32_t Startadresse = 0;
};

// An input module initialised after the switch-on: its bus key and where the output states go.
struct TInputModuleRef {
  uint8_t BusKey = 0;
  std::function<void(int state)> SetOutputStates;
};

// What a run needs of the project.
class ITransferSource {
 public:
  virtual ~ITransferSource() = default;
  virtual std::vector<TTransferTarget> Targets() const = 0;
  virtual int ControlModuleCount() const = 0;
  virtual bool Modified() const = 0;
  // Saves the project under its file name; throws with a German message when it cannot.
  virtual void Save() = 0;
  // Compiles every control module and display and writes the program file. False when the user
  // stopped at the logic conflicts; throws with a German message on a failure. A program file
  // that cannot be written is told through programFileProblem, the compile still counts.
  virtual bool Compile(std::string& programFileProblem) = 0;
  virtual TModuleImage ModuleImage(int adresse) const = 0;
  virtual TDisplayImage DisplayImage(int adresse) const = 0;
  // Project name, Ausfuehrung and Planung (the run adds stamp, title, length and checksum).
  virtual TProjektInfo ProjectInfo() const = 0;
  virtual std::vector<TInputModuleRef> InputModules(int adresse) = 0;
};

enum class TTransferField { Status, LastMessage, Target, Version };

// What a run shows and asks.
class ITransferView {
 public:
  virtual ~ITransferView() = default;
  // colour 0 black, 1 blue, 2 red; an empty text is an empty line.
  virtual void AddLog(const std::string& text, int colour, bool bold) = 0;
  virtual void ClearLog() = 0;
  virtual void SetField(TTransferField field, const std::string& text) = 0;
  // The progress bar and its percentage text.
  virtual void SetProgress(int position, int maximum, const std::string& percent) = 0;
  // Yes 6, No 7, Cancel 2.
  virtual int AskSave(const std::string& text) = 0;
  virtual void Warn(const std::string& text) = 0;
  virtual void LockUserInterface() {}
  virtual void UnlockUserInterface() {}
  // The compile shows its progress pages ("FrCompile", "FrCompVerb") and comes back ("FrTransfer").
  virtual void ShowPage(const std::string& key) { (void)key; }
};

struct TTransferSettings {
  TBusSerialSettings Serial;
  int PorWaitTicks = 0;  // ticks of the wait for the installation (option PorWaitTime)
  int TickMs = 25;
  bool InitInputModules = false;  // option EMDPOR
  std::string CharsFile;          // "chars.zyb" of the system data folder
  int PauseMs = 500;              // after contacting a module and before its switch-on
  int LongPauseMs = 1000;         // before the switch-on of all modules
  uint16_t DisplayEraseTimeout = 5000;
  uint16_t DisplayWriteTimeout = 500;
  // The date and time of the project-information block; empty: now.
  std::function<void(TProjektInfo&)> Stamp;
};

// The firmware number of a version text "V1.78" (78) or "V2.20" (220); 0 when unknown.
int FirmwareNumberOf(const std::string& versionText);

// Switches a stopped control module on with the command its firmware calls for: FC 00 (restart)
// above firmware number 78, FE 00 (end of programming) otherwise. The number is read from the
// module; knownNumber stands in when it does not answer. False when the number is unknown or the
// module did not confirm.
bool SwitchOnByFirmware(TZYNCommandSet& comm, int knownNumber = 0);

// Reads count bytes at address back and compares them with expected.
enum class TVerifyResult { Equal, Unreadable, Different };
TVerifyResult VerifyModuleMemory(TZYNCommandSet& comm, const uint8_t* expected, uint32_t address, uint32_t count);

// The link's answer time-out set for a scope and given back at its end, also after an exception.
class TScopedTimeout {
 public:
  TScopedTimeout(TZYNComm& comm, uint16_t ms);
  ~TScopedTimeout();
  TScopedTimeout(const TScopedTimeout&) = delete;
  TScopedTimeout& operator=(const TScopedTimeout&) = delete;
  void Set(uint16_t ms);

 private:
  TZYNComm& fComm;
  uint16_t fPrevious;
};

class TTransferRun {
 public:
  TTransferRun(TZYNComm& comm, ITransferSource& source, ITransferView& view);

  TTransferSettings Settings;

  // The run for targets[selected], or for every target with selected -1 ("Alles übertragen").
  // True only when everything went over, was verified and switched on without an error.
  bool Run(int selected);
  // Releases the power-on states of targets[selected]'s control module, or of every control
  // module with -1; then the wait phase.
  bool ReleasePowerOn(int selected);
  // The firmware text of the control module, or nothing when it does not answer (short time-out,
  // one repetition); then ProbeProblem says why, naming the device.
  std::optional<std::string> ProbeModule(int adresse);
  const std::string& ProbeProblem() const { return fProbeProblem; }

  void RequestCancel();
  bool Cancelled() const { return fCancelled; }
  int Errors() const { return fErrors; }
  // The project was compiled by this run since the page was refreshed or left.
  bool Compiled() const { return fCompiled; }
  void ResetCompiled() { fCompiled = false; }
  // Control modules switched on by the last run.
  const std::vector<int>& SwitchedOn() const { return fSwitchedOn; }
  // Control modules the last run left switched off (their memory was changed, not verified).
  std::vector<int> LeftOff() const;
  // " (DIREKT)", " (O-CONV)", " (N-CONV)" of the open link.
  std::string LinkKindText() const;

  // The steps (public for the tests).
  bool TransferControlModule(const TTransferTarget& target);
  bool TransferDisplay(const TTransferTarget& target);
  bool SwitchOn(int adresse);

 private:
  void Log(const std::string& text, int colour = 0, bool bold = false);
  void Field(TTransferField field, const std::string& text);
  void ResetStatus();
  void Failure(const std::string& text);
  bool OpenLink();
  void SendSpecialCharacters(bool& ok);
  void InitInputModules(int adresse);
  void WaitPhase(bool hint);
  void FinalMessages();
  void Pause(int ms);
  bool PortLost() const;
  void LinkMessage(const std::string& text);
  // Marks what the run did to a module's memory; a worse state is never taken back.
  enum class TMemory { Untouched, Stopped, Changed, Verified };
  void Mark(int adresse, TMemory state, const std::string& reason = {});
  // Switches on every stopped module of the run whose memory is known good; names the others.
  bool SwitchOnKnownGood(const std::vector<int>& modules, int pauseMs);

  TZYNComm& fComm;
  ITransferSource& fSource;
  ITransferView& fView;
  std::atomic<bool> fCancelled{false};
  int fErrors = 0;
  bool fCompiled = false;
  int fFirmwareNumber = 0;
  std::vector<int> fSwitchedOn;
  struct TModuleMemory {
    TMemory State = TMemory::Untouched;
    std::string Reason;  // why it stays off
  };
  std::map<int, TModuleMemory> fMemory;
  bool fLostCounted = false;
  std::string fProbeProblem;
};

}  // namespace zyn
