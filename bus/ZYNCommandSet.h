#pragma once
// The command set of the bus: status, service mode, clock, memory blocks, texts, characters,
// module queries, dimmer curves, timers, flags and the module tests. Every operation is one or
// more exchanges over the narrow interface IZYNLink; it judges only the answer the exchange
// layer hands it, which is the request's own (ZYNExchange.h), and reports success only on it.
//
// Call order: the link is open (TZYNComm::OpenLink) before an operation and stays open after
// it. Operations run on the user-interface thread, one at a time; OnProgress and OnSTMSearch
// are called on that thread. Operations that take a module address select it for the exchange
// and restore the previous one afterwards, also on failure.
//
// Ownership: the command set keeps a reference to its link, which must outlive it (TZYNComm is
// both: it derives from this class and implements the link). It owns the block sizes, the next
// sequence number of the block writes and the last answer.

#include "bus/ProjektInfo.h"
#include "bus/ZYNExchange.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

// What the progress display of the block operations shows.
struct TZYNCommProgress {
  std::string Action;   // "Steuermodul auslesen" / "Steuermodul beschreiben"
  std::string Address;  // "$4000"
  std::string Percent;  // "%4.1f %%"
  int Position = 0;
  int Max = 0;
};

// A date and time for the module clock.
struct TZYNDateTime {
  int Year = 2000, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

using TTimerRecord = std::array<uint8_t, 9>;
using TProductionRecord = std::array<uint8_t, 80>;

// What the command set needs of the link.
class IZYNLink {
 public:
  virtual ~IZYNLink() = default;
  // The module address (0 to 7) and the receiver byte (group x 16 + module) of the exchanges.
  virtual uint8_t Module() const = 0;
  virtual void SelectModule(uint8_t module) = 0;
  virtual uint8_t Station() const = 0;
  // One exchange: the request's own answer without the FCS, or nothing (no answer, cancelled,
  // port lost; the reason stands in the link's error).
  virtual std::optional<std::vector<uint8_t>> Transact(const TZYNRequest& request) = 0;
  // A pending cancel request, confirmed or withdrawn; true when the operation is to stop.
  virtual bool CheckCancel() = 0;
  virtual void ClearCancel() = 0;
  virtual std::string TranslateText(const std::string& text) = 0;
  // Bytes of a frame the link can receive.
  virtual uint16_t ReceiveCapacity() const = 0;
  // Repetitions of a telegram after a time-out; a malformed answer is asked again as often.
  virtual uint16_t Repeats() const { return 0; }
  // Telegrams the last Transact sent, its repetitions included.
  virtual int LastSends() const { return 1; }
};

class TZYNCommandSet {
 public:
  explicit TZYNCommandSet(IZYNLink& link) : fLink(link) {}
  TZYNCommandSet(const TZYNCommandSet&) = delete;
  TZYNCommandSet& operator=(const TZYNCommandSet&) = delete;

  uint16_t A_ReadSize() const { return fReadSize; }
  void SetA_ReadSize(uint16_t v) { fReadSize = v ? v : 1; }
  uint16_t A_WriteSize() const { return fWriteSize; }
  void SetA_WriteSize(uint16_t v) { fWriteSize = v ? v : 1; }
  // The sequence number after the last block written.
  uint16_t NextSequence() const { return fNextSequence; }

  // Progress display of the block operations; only called when V_UseComponents is set.
  std::function<void(const TZYNCommProgress& progress)> OnProgress;
  bool V_UseComponents = false;
  std::function<void(int stmAddress)> OnSTMSearch;

  bool GetModuleStatus();
  bool ProbeModule(uint8_t module);
  std::string ReadModuleDate();
  std::string ReadModuleTime();
  std::string ReadFirmwareVersion();
  int GetFirmwareNumber();
  std::string ReadModuleFirmwareVersion(uint8_t module);
  bool EnterServiceMode();
  bool LeaveServiceMode();
  bool RestartModule();
  // Sends the release and swallows its answer (one send, no repetition); always true.
  bool SendPowerOnRelease();
  bool SetModuleDateTime(const TZYNDateTime& dt);
  bool EraseProgramMemory();
  bool EraseDisplay();
  bool EndDisplayProgramming();
  bool IsModulePresent(uint8_t m);
  bool QueryModule(uint8_t m, uint8_t& info);
  int ReadModuleState(bool send, uint8_t m, int def);
  int ReadModuleInputs(uint8_t m, int def);
  bool WriteDimmerCurve(uint8_t m, uint8_t k, const uint8_t* curve272);
  bool ReadFlags(uint8_t* buffer1024);
  int ReadTimerCount(uint8_t module);
  bool ReadTimer(TTimerRecord& record, uint8_t index);
  bool WriteTimer(uint8_t module, const TTimerRecord& record);
  bool WriteModuleText(const std::string& text, bool withStop);
  bool WriteSpecialCharacter(uint8_t index, const uint8_t* pattern, size_t count);
  // True when the telegram left the PC; any answer of the station ends the wait.
  bool SendRawTelegram(const uint8_t* bytes, size_t count);
  bool TestClockChip();
  bool TestParallelEeprom();
  bool TestParallelEepromErased();
  bool TestSerialEeprom();
  bool TestSerialEepromErased();
  bool StartResetLineTest();
  bool WaitForResetTestEnd();

  // True only when every block came back in its own answer of its own length. A block whose
  // answer came malformed (cut short, too long) is asked again under a new sequence number, as
  // often as the link repeats a telegram. The sequence bytes of the reads run on from read to
  // read (RestartReadNumbering starts them at 0), so that an answer of an earlier read can
  // never pass for a later one's.
  bool ReadModuleMemory(uint8_t* buffer, uint32_t address, uint32_t count);
  // True only when every block was acknowledged with its own sequence byte.
  bool WriteModuleMemory(const uint8_t* buffer, uint32_t address, uint32_t count, uint16_t firstSequence);
  // False when the module does not answer.
  bool ReadMemoryWord(uint16_t address, uint16_t& value);
  bool ReadMemoryWordAt(uint8_t module, uint16_t address, uint16_t& value);
  // Empty when the module has no project GUID or does not answer.
  std::string ReadImageGuid();
  bool ReadProjectInfo(TProjektInfoBlock& block);
  bool WriteProjectInfo(const TProjektInfoBlock& block);
  bool WriteProductionData(TProductionRecord& record);

  static constexpr uint16_t kProjectInfoAddress = 0xBD00;
  static constexpr uint16_t kProductionAddress = 0xBEA0;

 protected:
  // The next block read carries sequence byte 0 (the link was opened anew).
  void RestartReadNumbering() { fReadSequence = 0; }
  // The answer of the last operation's last exchange without the FCS (empty without answer).
  const std::vector<uint8_t>& LastAnswer() const { return fAnswer; }

 private:
  // One exchange; the answer is kept as the last one (cleared when there is none).
  bool Ask(const TZYNRequest& request);
  TZYNRequest Request(std::initializer_list<uint8_t> bytes, std::initializer_list<uint8_t> success,
                      size_t answerLength) const;
  TZYNRequest Request(const uint8_t* bytes, size_t count, std::initializer_list<uint8_t> success,
                      size_t answerLength) const;
  bool StatusIs(std::initializer_list<uint8_t> values) const;
  bool AskStatus();
  // A command of two bytes answered with status 0 when it succeeded; timeout 0: the current.
  bool TestStep(uint8_t command, uint16_t timeout);
  uint8_t At(size_t i) const { return i < fAnswer.size() ? fAnswer[i] : 0; }
  // Runs f with the module selected and restores the previous one afterwards.
  template <typename F>
  auto WithModule(uint8_t module, F&& f) {
    struct TRestore {
      IZYNLink& link;
      uint8_t previous;
      ~TRestore() { link.SelectModule(previous); }
    } restore{fLink, fLink.Module()};
    fLink.SelectModule(module);
    return f();
  }
  bool ReadBlock(uint8_t* buffer, uint32_t address, uint16_t length);
  bool WriteBlock(const uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence);
  void Progress(const TZYNCommProgress& p);
  void ProgressStart(const char* action, uint32_t count);
  void ProgressBlock(uint32_t address);
  void ProgressStep(uint32_t done, uint32_t count);
  void ClearProgress();

  IZYNLink& fLink;
  uint16_t fReadSize = 256;
  uint16_t fWriteSize = 16;
  uint16_t fNextSequence = 0;
  uint16_t fReadSequence = 0;
  std::vector<uint8_t> fAnswer;
  TZYNCommProgress fProgress;
};

}  // namespace zyn
