#pragma once
// Serial port of the bus link on POSIX termios: one device opened exclusively, raw 8N1 at the
// chosen baud rate, an event thread that waits with poll() and calls OnRxChar on itself, direct
// writes with a time limit and the RTS line.
//
// Device names: "COM<n>" stands for the Linux device /dev/ttyS<n-1> (COM1 = /dev/ttyS0); a name
// that starts with "/" (/dev/ttyUSB0, a pseudo-terminal) is opened as it stands.

#include "model/base/Errors.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zyn {

// Errors of the serial port (open, read, write, line control).
class EVaCommError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

enum class TVaParity { paNone, paOdd, paEven, paMark, paSpace };
enum class TVaDatabits { db4, db5, db6, db7, db8 };
enum class TVaStopbits { sb1, sb15, sb2 };
// TVaCommOption as bits of an option set.
enum TVaCommOption : unsigned { coErrorChar = 1, coNullStrip = 2, coParityCheck = 4 };
enum class TVaControlDtr { dtrDisabled, dtrEnabled, dtrHandshake };
enum class TVaControlRts { rtsDisabled, rtsEnabled, rtsHandshake, rtsToggle };
// Priorities of the port's threads, applied as the nice value of the thread (raising above
// normal needs the right to; without it the thread stays at normal priority).
enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A settings object whose setters tell its owner about a change: at once, or once at the end of
// an update (BeginUpdate / EndUpdate, as Assign does).
class TVaPersistent {
 public:
  void BeginUpdate() { ++fUpdate; }
  void EndUpdate() {
    if (fUpdate > 0 && --fUpdate == 0 && fPending) Changed();
  }
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (fUpdate > 0) {
      fPending = true;
      return;
    }
    fPending = false;
    if (OnChange) OnChange();
  }
  template <typename T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  int fUpdate = 0;
  bool fPending = false;
};

// Sizes and time limits (ms) of the port; a change is refused while the port is open.
class TVaBuffers : public TVaPersistent {
 public:
  uint32_t ReadSize() const { return fReadSize; }
  uint32_t WriteSize() const { return fWriteSize; }
  uint32_t ReadTimeout() const { return fReadTimeout; }
  uint32_t WriteTimeout() const { return fWriteTimeout; }
  uint32_t XonLimit() const { return fXonLimit; }
  uint32_t XoffLimit() const { return fXoffLimit; }
  void SetReadSize(uint32_t v) { Set(fReadSize, v); }
  void SetWriteSize(uint32_t v) { Set(fWriteSize, v); }
  void SetReadTimeout(uint32_t v) { Set(fReadTimeout, v); }
  void SetWriteTimeout(uint32_t v) { Set(fWriteTimeout, v); }
  void SetXonLimit(uint32_t v) { Set(fXonLimit, v); }
  void SetXoffLimit(uint32_t v) { Set(fXoffLimit, v); }
  void Assign(const TVaBuffers& b) {
    BeginUpdate();
    SetReadSize(b.fReadSize), SetWriteSize(b.fWriteSize), SetReadTimeout(b.fReadTimeout);
    SetWriteTimeout(b.fWriteTimeout), SetXonLimit(b.fXonLimit), SetXoffLimit(b.fXoffLimit);
    EndUpdate();
  }

 private:
  uint32_t fReadSize = 4096, fWriteSize = 2048, fReadTimeout = 1000, fWriteTimeout = 1000, fXonLimit = 1024,
           fXoffLimit = 1024;
};

// The characters of software flow control and of the error and event marks.
class TVaEventChars : public TVaPersistent {
 public:
  uint8_t XonChar() const { return fXon; }
  uint8_t XoffChar() const { return fXoff; }
  uint8_t ErrorChar() const { return fError; }
  uint8_t EventChar() const { return fEvent; }
  uint8_t EofChar() const { return fEvent; }  // shares the storage of EventChar
  void SetXonChar(uint8_t v) { Set(fXon, v); }
  void SetXoffChar(uint8_t v) { Set(fXoff, v); }
  void SetErrorChar(uint8_t v) { Set(fError, v); }
  void SetEventChar(uint8_t v) { Set(fEvent, v); }
  void SetEofChar(uint8_t v) { Set(fEvent, v); }

 private:
  uint8_t fXon = 17, fXoff = 19, fError = 0, fEvent = 0;
};

class TVaFlowControl : public TVaPersistent {
 public:
  bool OutCtsFlow() const { return fOutCts; }
  bool OutDsrFlow() const { return fOutDsr; }
  bool XonXoffOut() const { return fXonOut; }
  bool XonXoffIn() const { return fXonIn; }
  bool DsrSensitivity() const { return fDsrSens; }
  bool TxContinueOnXoff() const { return fTxCont; }
  TVaControlDtr ControlDtr() const { return fDtr; }
  TVaControlRts ControlRts() const { return fRts; }
  void SetOutCtsFlow(bool v) { Set(fOutCts, v); }
  void SetOutDsrFlow(bool v) { Set(fOutDsr, v); }
  void SetXonXoffOut(bool v) { Set(fXonOut, v); }
  void SetXonXoffIn(bool v) { Set(fXonIn, v); }
  void SetDsrSensitivity(bool v) { Set(fDsrSens, v); }
  void SetTxContinueOnXoff(bool v) { Set(fTxCont, v); }
  void SetControlDtr(TVaControlDtr v) { Set(fDtr, v); }
  void SetControlRts(TVaControlRts v) { Set(fRts, v); }

 private:
  bool fOutCts = false, fOutDsr = false, fXonOut = false, fXonIn = false, fDsrSens = false, fTxCont = false;
  TVaControlDtr fDtr = TVaControlDtr::dtrDisabled;
  TVaControlRts fRts = TVaControlRts::rtsDisabled;
};

// The line settings as the open device holds them (read back after every change).
struct TVaLineState {
  int Baudrate = 0;
  TVaDatabits Databits = TVaDatabits::db8;
  TVaParity Parity = TVaParity::paNone;
  TVaStopbits Stopbits = TVaStopbits::sb1;
  bool ParityCheck = false;
  bool HardwareFlow = false;  // CTS/RTS
  bool XonXoffOut = false;
  bool XonXoffIn = false;
  uint8_t XonChar = 0, XoffChar = 0;
};

// Error flags of OnError.
enum TVaCommErrors : unsigned { ceFrame = 1, ceParity = 2, ceOverrun = 4, ceBreak = 8 };

// A traffic display the port tells about every batch of events: bytes received (as they wait to
// be read), bytes written, line errors (TVaCommErrors bits) and the line going away. Called on the
// port's event thread and on the writing thread: an implementation must be safe from any thread.
class IVaDisplay {
 public:
  virtual ~IVaDisplay() = default;
  virtual void Received(size_t count) = 0;
  virtual void Sent(size_t count) = 0;
  virtual void LineError(unsigned errors) = 0;
  virtual void LineLost() = 0;
};

// The traffic counted: what any display shows, read from any thread.
class TVaTraffic : public IVaDisplay {
 public:
  void Received(size_t count) override { fReceived += count; }
  void Sent(size_t count) override { fSent += count; }
  void LineError(unsigned errors) override {
    ++fErrors;
    fLastErrors = errors;
  }
  void LineLost() override { fLost = true; }

  uint64_t ReceivedBytes() const { return fReceived; }
  uint64_t SentBytes() const { return fSent; }
  uint64_t Errors() const { return fErrors; }
  unsigned LastErrors() const { return fLastErrors; }
  bool Lost() const { return fLost; }

 private:
  std::atomic<uint64_t> fReceived{0}, fSent{0}, fErrors{0};
  std::atomic<unsigned> fLastErrors{0};
  std::atomic<bool> fLost{false};
};

class TVaComm {
 public:
  TVaComm();
  ~TVaComm();
  TVaComm(const TVaComm&) = delete;
  TVaComm& operator=(const TVaComm&) = delete;

  // "COM<n>" or a device path; refused while open.
  void SetDeviceName(const std::string& name);
  const std::string& DeviceName() const { return fDeviceName; }
  // The Linux device a name stands for.
  static std::string DevicePath(const std::string& deviceName);

  // Baud rate in bits per second (110 ... 230400); applied at once when open.
  void SetBaudrate(int baud);
  int Baudrate() const { return fBaudrate; }

  // Time limit of a direct write in milliseconds (Buffers().WriteTimeout).
  void SetWriteTimeout(int ms) { fBuffers.SetWriteTimeout(static_cast<uint32_t>(std::max(ms, 0))); }

  // Line settings; each is applied to an open device at once and read back ("Error writing dcb"
  // when the device does not take it).
  void SetParity(TVaParity v);
  TVaParity Parity() const { return fParity; }
  void SetDatabits(TVaDatabits v);
  TVaDatabits Databits() const { return fDatabits; }
  void SetStopbits(TVaStopbits v);
  TVaStopbits Stopbits() const { return fStopbits; }
  void SetOptions(unsigned options);
  unsigned Options() const { return fOptions; }
  // Refused while open.
  TVaBuffers& Buffers() { return fBuffers; }
  TVaEventChars& EventChars() { return fEventChars; }
  TVaFlowControl& FlowControl() { return fFlowControl; }
  void SetEventPriority(TThreadPriority p);
  TThreadPriority EventPriority() const { return fEventPriority; }
  void SetWritePriority(TThreadPriority p) { fWritePriority = p; }
  TThreadPriority WritePriority() const { return fWritePriority; }
  // Write on the caller's thread (true, the link's way) or through a write thread that takes the
  // bytes into a buffer of Buffers().WriteSize and writes them in order. Refused while open.
  void SetDirectWrite(bool v);
  bool DirectWrite() const { return fDirectWrite; }
  // Waits until the write thread has written everything queued (at most Buffers().WriteTimeout).
  bool Flush();
  // The settings as the open device holds them.
  TVaLineState ReadBack() const;
  // Pause after closing, so that a converter on the line settles (300 ms by default).
  void SetCloseDelay(int ms) { fCloseDelay = ms; }

  void Open();
  void Close();
  bool IsOpen() const { return fFd.load() >= 0; }

  // Writes all bytes within the time limit and returns the count, 0 when closed or when the
  // time limit passed. Raises "Write error (%d), %s" on a device error.
  size_t WriteBuf(const uint8_t* data, size_t count);
  // Returns at once with what is waiting (0 when nothing or closed).
  size_t ReadBuf(uint8_t* buffer, size_t maximum);
  // Bytes waiting in the input queue.
  int InQueueCount();
  // Discards what is waiting in the input queue.
  void FlushInput();
  // Sets or clears RTS. Returns false when the device has no modem lines (a pseudo-terminal).
  bool SetRtsLine(bool on);

  // The traffic display told about every batch of events (none by default); any time.
  void SetDisplay(std::shared_ptr<IVaDisplay> display);
  std::shared_ptr<IVaDisplay> Display() const;

  std::function<void()> OnOpen;
  std::function<void()> OnClose;
  // Bytes arrived (count waiting); called on the event thread, which must read them itself.
  std::function<void(int count)> OnRxChar;
  // An exception thrown by a handler on the event thread (its message); the thread goes on.
  std::function<void(const std::string&)> OnThreadError;
  // The line is gone (an adapter pulled out, the other side of a pseudo-terminal closed, a
  // hang-up): called once on the event thread, which then ends; writes fail from then on.
  std::function<void(const std::string&)> OnLineLost;
  // Line errors counted by the device since the last read (TVaCommErrors bits); event thread.
  std::function<void(unsigned errors)> OnError;

 private:
  void ApplySettings();
  void StartThread();
  void StopThread();
  void EventLoop();
  void CloseHandle();

  void WriteLoop();
  size_t WriteDirect(const uint8_t* data, size_t count);
  void CheckLineErrors();

  std::string fDeviceName = "COM1";
  int fBaudrate = 1200;
  TVaParity fParity = TVaParity::paNone;
  TVaDatabits fDatabits = TVaDatabits::db8;
  TVaStopbits fStopbits = TVaStopbits::sb1;
  unsigned fOptions = 0;
  TVaBuffers fBuffers;
  TVaEventChars fEventChars;
  TVaFlowControl fFlowControl;
  TThreadPriority fEventPriority = TThreadPriority::tpNormal;
  TThreadPriority fWritePriority = TThreadPriority::tpHighest;
  bool fDirectWrite = true;
  std::thread fWriter;
  std::mutex fQueueLock;
  std::condition_variable fQueueCond;
  std::vector<uint8_t> fQueue;
  bool fWriterStop = false;
  int fErrorCounts[4] = {0, 0, 0, 0};
  int fCloseDelay = 300;
  std::atomic<int> fFd{-1};
  int fWakeFd = -1;
  std::thread fThread;
  std::atomic<bool> fStop{false};
  std::mutex fReadLock;
  std::mutex fWriteLock;
  mutable std::mutex fDisplayLock;
  std::shared_ptr<IVaDisplay> fDisplay;
};

}  // namespace zyn
