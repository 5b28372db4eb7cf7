#pragma once
// The bus link component of the pages: the serial port, the settings, the events and the
// telegram primitives, with the command set (ZYNCommandSet.h) on top. Three layers do the work:
//   ZYNFrameCodec.h  telegrams to line bytes and back (flags, stuffing, FCS);
//   ZYNExchange.h    one request and its own answer: repetitions, time-outs, stale input;
//   ZYNCommandSet.h  the operations of the modules, over the narrow interface IZYNLink.
//
// Ownership: TZYNComm creates and owns the port and the exchange layer (the port first, so it
// outlives the exchange); the command set is its base and reaches the exchange only through
// IZYNLink, which TZYNComm implements.
//
// Threads: every operation runs on the user-interface thread; the port's event thread runs the
// receive side (OnTeleStart, OnTeleEnd, OnBlock, OnError of frame errors, acknowledgements,
// OnDebug of discarded frames). OnOpen, OnClose, OnCancel, OnTranslate, OnSTMSearch, OnMessage,
// OnProgress and the time-out OnError run on the user-interface thread. Set the handlers while
// the link is idle.

#include "bus/BusSerialSettings.h"
#include "bus/ProjektInfo.h"
#include "bus/ZYNCommandSet.h"
#include "bus/VaComm.h"
#include "bus/ZYNExchange.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TZYNComm : private IZYNLink, public TZYNCommandSet {
 public:
  static constexpr size_t kMaxReadChunk = 8192;

  TZYNComm();
  ~TZYNComm() override;
  TZYNComm(const TZYNComm&) = delete;
  TZYNComm& operator=(const TZYNComm&) = delete;

  // --- addresses ---
  uint8_t A_PCAdresse() const { return Settings().PCAdresse; }
  void SetA_PCAdresse(uint8_t v) { Settings().PCAdresse = v; }
  uint8_t A_ZYNGruppe() const { return Settings().Gruppe; }
  // Above 15: "Gruppenadresse außerhalb ..." through OnMessage, value kept, false.
  bool SetA_ZYNGruppe(uint8_t v);
  uint8_t A_Steuermodul() const { return Settings().Steuermodul; }
  // Above 7: "Steuermoduladresse außerhalb ..." through OnMessage, value kept, false.
  bool SetA_Steuermodul(uint8_t v);
  bool A_SendQuittung() const { return Settings().SendQuittung; }
  void SetA_SendQuittung(bool v) { Settings().SendQuittung = v; }
  // The receiver byte of the telegrams: group x 16 + module.
  uint8_t Receiver() const { return static_cast<uint8_t>(A_ZYNGruppe() * 16 + A_Steuermodul()); }

  // --- port ---
  int P_Port() const { return fPortNum; }
  int Device() const { return fPortNum; }
  // Port number n opens "COM<n>" (/dev/ttyS<n-1>) unless a device path is set. Raises
  // EVaCommError while the port is open.
  void SetP_Port(int n);
  const std::string& P_DevicePath() const { return fDevicePath; }
  void SetP_DevicePath(const std::string& path);
  int P_Baudrate() const { return Settings().Baudrate; }
  void SetP_Baudrate(int baud);
  // The line's parity, data bits and stop bits (none, 8, 1): passed to the port at once.
  TVaParity P_Parity() const;
  void SetP_Parity(TVaParity v);
  TVaDatabits P_Databits() const;
  void SetP_Databits(TVaDatabits v);
  TVaStopbits P_StopBits() const;
  void SetP_StopBits(TVaStopbits v);
  // Priority of the port's event thread (higher than normal unless a page sets another).
  TThreadPriority ThreadPriority() const;
  void SetThreadPriority(TThreadPriority p);
  uint16_t P_RecTimeout() const { return fRecTimeout; }
  // Also sets the current time-out.
  void SetP_RecTimeout(uint16_t ms);
  uint16_t P_SendRepeat() const { return Settings().SendRepeat; }
  void SetP_SendRepeat(uint16_t n) { Settings().SendRepeat = n; }
  int P_TIFDelay() const { return Settings().TIFDelay; }
  void SetP_TIFDelay(int ms) { Settings().TIFDelay = ms; }
  bool P_TimeoutFix() const { return Settings().TimeoutFix; }
  void SetP_TimeoutFix(bool v) { Settings().TimeoutFix = v; }
  uint16_t P_RecBuffSize() const { return fExchange->RecBuffSize(); }
  void SetP_RecBuffSize(uint16_t n) { fExchange->SetRecBuffSize(n); }
  uint16_t P_SendBuffSize() const { return fExchange->SendBuffSize(); }
  void SetP_SendBuffSize(uint16_t n) { fExchange->SetSendBuffSize(n); }
  bool ChkDeviceType() const { return fChkDeviceType; }
  void SetChkDeviceType(bool v) { fChkDeviceType = v; }
  bool T_GetAll() const { return Settings().GetAll; }
  void SetT_GetAll(bool v) { Settings().GetAll = v; }
  // Pause after closing the port (300 ms; tests set 0).
  void SetCloseDelay(int ms);
  // Port, time-out, repetitions and pause from the options' serial settings.
  void ApplySerialSettings(const TBusSerialSettings& s);

  // --- state ---
  bool Cancel() const { return fCancel; }
  void SetCancel(bool v) { fCancel = v; }
  bool Sending() const { return fSending; }
  void SetSending(bool v) { fSending = v; }
  // The last transfer error; reading it resets it to errNone. errNoPort also after the port
  // went away during an operation.
  TZYNCommError E_TransError() { return fExchange->TakeError(); }
  int E_ErrorCode() const { return fExchange->ErrorCode(); }
  // Bytes of the last answer, FCS included (0 when none).
  uint16_t RecCount() const { return fExchange->RecCount(); }
  // The last answer: [0] sender, [1] receiver, [2] status, [3...] data, then the FCS.
  std::vector<uint8_t> RecBuffer() const { return fExchange->Answer(); }
  // Byte i of the last answer, or 0 beyond the answer's data.
  uint8_t Rec(size_t i) const;
  bool Active() const;
  uint8_t ConverterKind() const { return fConverterKind; }
  uint16_t CurrentTimeout() const { return Settings().CurrentTimeout; }
  void SetCurrentTimeout(uint16_t ms) { Settings().CurrentTimeout = ms; }
  // The telegram as last built, flags included.
  const std::vector<uint8_t>& SendBuffer() const { return fExchange->SendBuffer(); }
  // Message of the last failed open, empty after a good one.
  const std::string& OpenError() const { return fOpenError; }
  // The same as a German message that names the device (Windows-1252), empty after a good open.
  const std::string& OpenErrorText() const { return fOpenErrorText; }
  // The device the link opens (/dev/ttyUSB0, /dev/ttyS1 for port 2), UTF-8.
  std::string DeviceText() const;
  TVaComm* Port() { return fPort.get(); }
  // A traffic display, forwarded to the port (none by default).
  void SetDisplay(std::shared_ptr<IVaDisplay> display) { fPort->SetDisplay(std::move(display)); }
  std::shared_ptr<IVaDisplay> Display() const { return fPort->Display(); }
  TZYNExchange& Exchange() { return *fExchange; }

  // --- events ---
  std::function<void()> OnOpen;
  std::function<void()> OnClose;
  std::function<void()> OnTeleStart;
  std::function<void()> OnTeleEnd;
  std::function<void(const uint8_t* buffer, int count)> OnBlock;
  std::function<void(TZYNCommError error, int info)> OnError;
  std::function<void(bool& canCancel)> OnCancel;
  std::function<std::string(const std::string& text)> OnTranslate;
  // A German message for the user (error boxes, "Überlauf!", a lost port); user-interface thread.
  std::function<void(const std::string& text)> OnMessage;
  // Frames discarded because they answer no pending request, and other details for a trace.
  // Without a handler they go to stderr when the environment variable ZYN_BUS_DEBUG is set.
  std::function<void(const std::string& text)> OnDebug;

  // --- link ---
  // Opens the port (through OpenAndRaiseRts with ChkDeviceType). A port that cannot be opened
  // is not an exception here: OpenError() holds the reason and the telegrams that follow end
  // in time-outs.
  void OpenLink();
  void OpenAndRaiseRts();
  // Stops the wait, clears RTS and closes the port (also when RTS cannot be cleared), then
  // OnClose.
  void CloseLink();
  // Telegram primitives: Begin, Add per byte, Send, Wait. Any answer of the addressed station
  // ends the wait (the command set judges answers more closely through its requests).
  void BeginTelegram();
  void AddTelegramByte(uint8_t b);
  // Bytes written, 0 while cancelled, -1 on a write error or a telegram too long for the send
  // buffer.
  int SendTelegram(bool acknowledge = false);
  // Waits until the answer or the end of the repetitions; returns RecCount.
  uint16_t WaitForAnswer();
  bool CheckCancel() override;
  std::string TranslateText(const std::string& text) override;
  static void DelayMs(int ms);
  // The port's receive handler (event thread).
  void HandleReceivedBytes();
  // Receive side for bytes already read.
  void ProcessReceivedBytes(const uint8_t* data, size_t count) { fExchange->Receive(data, count); }

 private:
  // IZYNLink
  uint8_t Module() const override { return A_Steuermodul(); }
  void SelectModule(uint8_t module) override { Settings().Steuermodul = module; }
  uint8_t Station() const override { return Receiver(); }
  std::optional<std::vector<uint8_t>> Transact(const TZYNRequest& request) override;
  void ClearCancel() override { fCancel = false; }
  uint16_t ReceiveCapacity() const override { return P_RecBuffSize(); }
  uint16_t Repeats() const override { return P_SendRepeat(); }
  int LastSends() const override { return fExchange->LastSends(); }

  TZYNExchangeSettings& Settings() { return fExchange->Settings(); }
  const TZYNExchangeSettings& Settings() const { return fExchange->Settings(); }
  void Debug(const std::string& text);

  std::unique_ptr<TVaComm> fPort;
  std::unique_ptr<TZYNExchange> fExchange;
  int fPortNum = 2;
  std::string fDevicePath;
  uint16_t fRecTimeout = 500;
  bool fChkDeviceType = true;
  std::atomic<bool> fCancel{false};
  std::atomic<bool> fSending{false};
  uint8_t fConverterKind = 0;
  std::string fOpenError;
  std::string fOpenErrorText;

  std::string OpenFailureText(const std::string& reason, bool notFound);
};

}  // namespace zyn
