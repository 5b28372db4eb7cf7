#pragma once
// The bus link: frames telegrams (0xC0 ... 0xC1, byte stuffing with 0x7D, FCS-16), sends them
// through the serial port, waits for the answer with a time-out and repetitions, and receives,
// unstuffs, checks and classifies every frame that arrives. The command set of the modules is
// built on these primitives (ZYNCommCommands.cpp).
//
// Threads: every operation runs on the user-interface thread; the port's event thread runs the
// receive side (OnTeleStart, OnTeleEnd, OnBlock, OnError of frame errors, acknowledgements).
// OnOpen, OnClose, OnCancel, OnTranslate, OnSTMSearch, OnMessage, OnProgress and the time-out
// OnError run on the user-interface thread.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "bus/BusSerialSettings.h"
#include "bus/ProjektInfo.h"

namespace zyn {

class TVaComm;

enum TZYNCommError : uint8_t {
  errNone = 0,
  errNoPort = 1,
  errSTMNotPresent = 2,
  errCRC = 3,
  errTimeout = 4,
  errFromOther = 5,
  errToOther = 6,
  errCancel = 7,
};

// A process-wide lock of the bus link.
class TZYNCriticalSection {
 public:
  void Enter() { fMutex.lock(); }
  void Leave() { fMutex.unlock(); }

 private:
  std::mutex fMutex;
};

// Serialise reading from and writing to the port devices for all link components.
extern TZYNCriticalSection GRxLock;
extern TZYNCriticalSection GTxLock;

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

class TZYNComm {
 public:
  static constexpr size_t kMaxReadChunk = 8192;

  TZYNComm();
  ~TZYNComm();
  TZYNComm(const TZYNComm&) = delete;
  TZYNComm& operator=(const TZYNComm&) = delete;

  // --- addresses and sizes ---
  uint8_t A_PCAdresse() const { return fPCAdresse; }
  void SetA_PCAdresse(uint8_t v) { fPCAdresse = v; }
  uint8_t A_ZYNGruppe() const { return fGruppe; }
  // Above 15: "Gruppenadresse außerhalb ..." through OnMessage, value kept, false.
  bool SetA_ZYNGruppe(uint8_t v);
  uint8_t A_Steuermodul() const { return fSteuermodul; }
  // Above 7: "Steuermoduladresse außerhalb ..." through OnMessage, value kept, false.
  bool SetA_Steuermodul(uint8_t v);
  uint16_t A_ReadSize() const { return fReadSize; }
  void SetA_ReadSize(uint16_t v) { fReadSize = v ? v : 1; }
  uint16_t A_WriteSize() const { return fWriteSize; }
  void SetA_WriteSize(uint16_t v) { fWriteSize = v ? v : 1; }
  bool A_SendQuittung() const { return fSendQuittung; }
  void SetA_SendQuittung(bool v) { fSendQuittung = v; }
  // The receiver byte of the telegrams: group x 16 + module.
  uint8_t Receiver() const { return static_cast<uint8_t>(fGruppe * 16 + fSteuermodul); }

  // --- port ---
  int P_Port() const { return fPortNum; }
  int Device() const { return fPortNum; }
  // Port number n opens "COM<n>" (/dev/ttyS<n-1>) unless a device path is set. Raises
  // EVaCommError while the port is open.
  void SetP_Port(int n);
  const std::string& P_DevicePath() const { return fDevicePath; }
  void SetP_DevicePath(const std::string& path);
  int P_Baudrate() const { return fBaudrate; }
  void SetP_Baudrate(int baud);
  uint16_t P_RecTimeout() const { return fRecTimeout; }
  // Also sets the current time-out.
  void SetP_RecTimeout(uint16_t ms);
  uint16_t P_SendRepeat() const { return fSendRepeat; }
  void SetP_SendRepeat(uint16_t n) { fSendRepeat = n; }
  int P_TIFDelay() const { return fTIFDelay; }
  void SetP_TIFDelay(int ms) { fTIFDelay = ms; }
  bool P_TimeoutFix() const { return fTimeoutFix; }
  void SetP_TimeoutFix(bool v) { fTimeoutFix = v; }
  uint16_t P_RecBuffSize() const { return fRecBuffSize; }
  void SetP_RecBuffSize(uint16_t n);
  uint16_t P_SendBuffSize() const { return fSendBuffSize; }
  void SetP_SendBuffSize(uint16_t n) { fSendBuffSize = n < 16 ? 16 : n; }
  bool ChkDeviceType() const { return fChkDeviceType; }
  void SetChkDeviceType(bool v) { fChkDeviceType = v; }
  bool T_GetAll() const { return fGetAll; }
  void SetT_GetAll(bool v) { fGetAll = v; }
  // Pause after closing the port (300 ms; tests set 0).
  void SetCloseDelay(int ms);
  // Port, time-out, repetitions and pause from the options' serial settings.
  void ApplySerialSettings(const TBusSerialSettings& s);

  // --- state ---
  bool Cancel() const { return fCancel; }
  void SetCancel(bool v) { fCancel = v; }
  bool Sending() const { return fSending; }
  void SetSending(bool v) { fSending = v; }
  // The last transfer error; reading it resets it to errNone.
  TZYNCommError E_TransError();
  int E_ErrorCode() const { return fErrorCode; }
  // Bytes of the last answer, FCS included (0 when none).
  uint16_t RecCount() const;
  // The last answer: [0] sender, [1] receiver, [2] status, [3...] data, then the FCS.
  const std::vector<uint8_t>& RecBuffer() const { return fAnswer; }
  // Answer byte i, or 0 beyond the answer's data.
  uint8_t Rec(size_t i) const;
  bool Active() const;
  uint8_t ConverterKind() const { return fConverterKind; }
  uint16_t CurrentTimeout() const { return fCurrentTimeout; }
  void SetCurrentTimeout(uint16_t ms) { fCurrentTimeout = ms; }
  uint16_t NextSequence() const { return fNextSequence; }
  // The telegram as last built, flags included.
  const std::vector<uint8_t>& SendBuffer() const { return fSendBuf; }
  // Message of the last failed open, empty after a good one.
  const std::string& OpenError() const { return fOpenError; }
  TVaComm* Port() { return fPort.get(); }

  // --- events ---
  std::function<void()> OnOpen;
  std::function<void()> OnClose;
  std::function<void()> OnTeleStart;
  std::function<void()> OnTeleEnd;
  std::function<void(const uint8_t* buffer, int count)> OnBlock;
  std::function<void(TZYNCommError error, int info)> OnError;
  std::function<void(bool& canCancel)> OnCancel;
  std::function<std::string(const std::string& text)> OnTranslate;
  std::function<void(int stmAddress)> OnSTMSearch;
  // A German message for the user (error boxes, "Überlauf!"); user-interface thread.
  std::function<void(const std::string& text)> OnMessage;
  // Progress display of the block operations; only called when V_UseComponents is set.
  std::function<void(const TZYNCommProgress& progress)> OnProgress;
  bool V_UseComponents = false;

  // --- link ---
  // Opens the port (through OpenAndRaiseRts with ChkDeviceType). A port that cannot be opened
  // is not an exception here: OpenError() holds the reason and the telegrams that follow end
  // in time-outs.
  void OpenLink();
  void OpenAndRaiseRts();
  // Stops the wait, clears RTS and closes the port (also when RTS cannot be cleared), then
  // OnClose.
  void CloseLink();
  void BeginTelegram();
  void AddTelegramByte(uint8_t b);
  // Bytes written, 0 while cancelled, -1 on a write error or a telegram too long for the
  // send buffer.
  int SendTelegram(bool acknowledge = false);
  // Waits until an answer or the end of the repetitions; returns RecCount.
  uint16_t WaitForAnswer();
  bool CheckCancel();
  std::string TranslateText(const std::string& text);
  static void DelayMs(int ms);
  // The port's receive handler (event thread).
  void HandleReceivedBytes();
  // Receive side for bytes already read.
  void ProcessReceivedBytes(const uint8_t* data, size_t count);

  // --- command set ---
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
  bool SendRawTelegram(const uint8_t* bytes, size_t count);
  bool TestClockChip();
  bool TestParallelEeprom();
  bool TestParallelEepromErased();
  bool TestSerialEeprom();
  bool TestSerialEepromErased();
  bool StartResetLineTest();
  bool WaitForResetTestEnd();

  bool ReadModuleMemory(uint8_t* buffer, uint32_t address, uint32_t count);
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

 private:
  using Clock = std::chrono::steady_clock;

  void AppendStuffed(uint8_t b);
  void ResetReceiver();
  void RestartTimer();
  void OnTimer();
  void FrameEnded(std::unique_lock<std::mutex>& lock);
  void SendAcknowledge(uint8_t sender, uint8_t sequence);
  bool IsAnswerFrom(uint8_t sender) const;
  void SetError(TZYNCommError error, int code);
  void CallOnError(TZYNCommError error, int code);
  // Sends bytes as one telegram and waits; true when answered.
  bool Exchange(std::initializer_list<uint8_t> bytes);
  bool ExchangeBytes(const uint8_t* bytes, size_t count);
  bool ExchangeWithTimeout(std::initializer_list<uint8_t> bytes, uint16_t timeout);
  // Answer data bytes (without the FCS).
  size_t AnswerLength() const;
  bool StatusIs(std::initializer_list<uint8_t> values) const;
  void Progress(const TZYNCommProgress& p);
  void ProgressStart(const char* action, uint32_t count);
  void ProgressBlock(uint32_t address);
  void ProgressStep(uint32_t done, uint32_t count);
  void ClearProgress();
  // Runs f with A_Steuermodul set to module and restores it afterwards.
  template <typename F>
  auto WithModule(uint8_t module, F&& f) {
    const uint8_t old = fSteuermodul;
    fSteuermodul = module;
    struct TRestore {
      TZYNComm* c;
      uint8_t v;
      ~TRestore() { c->fSteuermodul = v; }
    } restore{this, old};
    return f();
  }
  bool ReadBlock(uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence);
  bool WriteBlock(const uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence);

  std::unique_ptr<TVaComm> fPort;
  TZYNCommProgress fProgress;

  // Read by the event thread as well.
  std::atomic<uint8_t> fPCAdresse{254};
  std::atomic<uint8_t> fGruppe{0};
  std::atomic<uint8_t> fSteuermodul{0};
  uint16_t fReadSize = 256;
  uint16_t fWriteSize = 16;
  std::atomic<bool> fSendQuittung{false};
  int fPortNum = 2;
  std::string fDevicePath;
  int fBaudrate = 19200;
  uint16_t fRecTimeout = 500;
  std::atomic<uint16_t> fCurrentTimeout{500};
  uint16_t fSendRepeat = 5;
  int fTIFDelay = 1;
  bool fTimeoutFix = false;
  uint16_t fRecBuffSize = 1024;
  uint16_t fSendBuffSize = 1024;
  bool fChkDeviceType = true;
  std::atomic<bool> fGetAll{false};
  std::atomic<bool> fCancel{false};
  std::atomic<bool> fSending{false};
  std::atomic<int> fTransError{errNone};
  std::atomic<int> fErrorCode{0};
  uint8_t fConverterKind = 0;
  uint16_t fNextSequence = 0;
  std::string fOpenError;

  // Send side (user-interface thread).
  std::vector<uint8_t> fSendBuf;
  uint16_t fSendFcs = 0xFFFF;
  bool fClosed = false;
  bool fTooLong = false;
  uint16_t fRepeatCount = 0;

  // Shared with the event thread, guarded by fMutex.
  mutable std::mutex fMutex;
  std::condition_variable fCond;
  std::vector<uint8_t> fRxBuf;
  size_t fRxCount = 0;
  bool fEscape = false;
  bool fInFrame = false;
  bool fOverflow = false;
  bool fOverflowPending = false;
  uint64_t fRxGeneration = 0;
  std::vector<uint8_t> fAnswer;
  uint16_t fRecCount = 0;
  bool fFrameComplete = false;
  bool fTimeoutFlag = false;
  bool fTimerActive = false;
  Clock::time_point fDeadline{};
};

}  // namespace zyn
