#include "bus/ZYNComm.h"

#include <algorithm>
#include <thread>

#include "bus/BusWait.h"
#include "bus/Fcs16.h"
#include "bus/VaComm.h"
#include "model/base/Cp1252.h"

namespace zyn {

TZYNCriticalSection GRxLock;
TZYNCriticalSection GTxLock;

namespace {

constexpr uint8_t kStart = 0xC0;
constexpr uint8_t kEnd = 0xC1;
constexpr uint8_t kEscape = 0x7D;

bool NeedsStuffing(uint8_t b) { return b == kStart || b == kEnd || b == kEscape; }

// Appends a byte of a frame, escaped when it is one of the flags.
void PutStuffed(std::vector<uint8_t>& out, uint8_t b) {
  if (NeedsStuffing(b)) {
    out.push_back(kEscape);
    out.push_back(static_cast<uint8_t>(b ^ 0x20));
  } else {
    out.push_back(b);
  }
}

// Commands that control modules send to the PC on their own.
bool IsSpontaneous(uint8_t command) { return command == 0x12 || command == 0x20 || command == 0x29; }

template <typename F>
void Swallow(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

TZYNComm::TZYNComm() : fPort(std::make_unique<TVaComm>()) {
  fPort->SetDeviceName("COM2");
  fPort->SetBaudrate(fBaudrate);
  fPort->SetWriteTimeout(1000);
  fPort->OnRxChar = [this](int) { HandleReceivedBytes(); };
  fRxBuf.resize(fRecBuffSize);
}

TZYNComm::~TZYNComm() {
  if (fPort) {
    fPort->OnClose = nullptr;
    fPort->SetCloseDelay(0);
    fPort->Close();
  }
}

bool TZYNComm::SetA_ZYNGruppe(uint8_t v) {
  if (v > 15) {
    if (OnMessage)
      OnMessage(TranslateText(Ansi("Gruppenadresse außerhalb des zulässigen Bereichs.")) + "\n" +
                TranslateText(Ansi("Zulässige Gruppenadressen sind 0 bis 15")));
    return false;
  }
  fGruppe = v;
  return true;
}

bool TZYNComm::SetA_Steuermodul(uint8_t v) {
  if (v > 7) {
    if (OnMessage)
      OnMessage(TranslateText(Ansi("Steuermoduladresse außerhalb des zulässigen Bereichs.")) + "\n" +
                TranslateText(Ansi("Zulässige Steuermoduladressen sind 0 bis 7.")));
    return false;
  }
  fSteuermodul = v;
  return true;
}

void TZYNComm::SetP_Port(int n) {
  fPort->SetDeviceName(fDevicePath.empty() ? "COM" + std::to_string(n) : fDevicePath);
  fPortNum = n;
}

void TZYNComm::SetP_DevicePath(const std::string& path) {
  fPort->SetDeviceName(path.empty() ? "COM" + std::to_string(fPortNum) : path);
  fDevicePath = path;
}

void TZYNComm::SetP_Baudrate(int baud) {
  fBaudrate = baud;
  fPort->SetBaudrate(baud);
}

void TZYNComm::SetP_RecTimeout(uint16_t ms) {
  fRecTimeout = ms;
  fCurrentTimeout = ms;
}

void TZYNComm::SetP_RecBuffSize(uint16_t n) {
  std::lock_guard<std::mutex> guard(fMutex);
  fRecBuffSize = n < 8 ? 8 : n;
  fRxBuf.assign(fRecBuffSize, 0);
  fRxCount = 0;
  fInFrame = false;
}

void TZYNComm::SetCloseDelay(int ms) { fPort->SetCloseDelay(ms); }

void TZYNComm::ApplySerialSettings(const TBusSerialSettings& s) {
  SetP_DevicePath(s.DevicePath);
  SetP_Port(s.Source + 1);
  SetP_Baudrate(s.Baudrate);
  SetP_RecTimeout(static_cast<uint16_t>(std::clamp(s.MaxTimeout, 1, 65535)));
  SetP_SendRepeat(static_cast<uint16_t>(std::clamp(s.MaxRepeat, 0, 65535)));
  SetP_TIFDelay(s.MinPause);
  SetP_TimeoutFix(s.MinPause > 0 && s.Target != 0);
}

TZYNCommError TZYNComm::E_TransError() {
  return static_cast<TZYNCommError>(fTransError.exchange(errNone));
}

uint16_t TZYNComm::RecCount() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return fRecCount;
}

uint8_t TZYNComm::Rec(size_t i) const { return i < AnswerLength() ? fAnswer[i] : 0; }

size_t TZYNComm::AnswerLength() const { return fAnswer.size() >= 2 ? fAnswer.size() - 2 : 0; }

bool TZYNComm::Active() const { return fPort && fPort->IsOpen(); }

void TZYNComm::SetError(TZYNCommError error, int code) {
  fTransError = error;
  fErrorCode = code;
}

void TZYNComm::CallOnError(TZYNCommError error, int code) {
  if (OnError) Swallow([&] { OnError(error, code); });
}

std::string TZYNComm::TranslateText(const std::string& text) {
  if (!OnTranslate) return text;
  try {
    return OnTranslate(text);
  } catch (...) {
    return text;
  }
}

void TZYNComm::DelayMs(int ms) { TBusWait::Delay(ms); }

bool TZYNComm::CheckCancel() {
  if (fCancel && OnCancel) {
    bool can = true;
    Swallow([&] { OnCancel(can); });
    fCancel = can;
  }
  if (fCancel) SetError(errCancel, 0);
  return fCancel;
}

// --- opening and closing ---

void TZYNComm::OpenLink() {
  if (!fPort) {
    SetError(errNoPort, 0);
    return;
  }
  if (fPort->IsOpen()) return;
  if (OnOpen) Swallow([&] { OnOpen(); });
  fConverterKind = 1;
  fOpenError.clear();
  try {
    if (fChkDeviceType) {
      OpenAndRaiseRts();
    } else {
      fPort->SetBaudrate(fBaudrate);
      fPort->Open();
    }
  } catch (const std::exception& e) {
    // The following telegrams end in time-outs; the text stays for the caller.
    fOpenError = e.what();
  }
}

void TZYNComm::OpenAndRaiseRts() {
  // Open at the bus rate and raise RTS, which powers the interface converter; a line without
  // modem control (a pseudo-terminal) is accepted.
  fPort->Close();
  fPort->SetBaudrate(19200);
  fPort->Open();
  fPort->SetRtsLine(true);
}

void TZYNComm::CloseLink() {
  {
    std::lock_guard<std::mutex> guard(fMutex);
    fTimerActive = false;
  }
  if (fPort) {
    // The port is closed even when RTS cannot be cleared.
    Swallow([&] { fPort->SetRtsLine(false); });
    Swallow([&] { fPort->Close(); });
  }
  if (OnClose) Swallow([&] { OnClose(); });
}

// --- sending ---

void TZYNComm::AppendStuffed(uint8_t b) { PutStuffed(fSendBuf, b); }

void TZYNComm::BeginTelegram() {
  fSendBuf.clear();
  fSendBuf.push_back(kStart);
  fSendFcs = kFcs16Init;
  fClosed = false;
  fTooLong = false;
  AddTelegramByte(fPCAdresse);
  AddTelegramByte(Receiver());
}

void TZYNComm::AddTelegramByte(uint8_t b) {
  // Room stays for the stuffed FCS (at most 4 bytes) and the end flag.
  const size_t need = NeedsStuffing(b) ? 2 : 1;
  if (fSendBuf.size() + need + 5 > fSendBuffSize) {
    fTooLong = true;
    return;
  }
  fSendFcs = Fcs16Step(fSendFcs, b);
  AppendStuffed(b);
}

void TZYNComm::ResetReceiver() {
  GRxLock.Enter();
  Swallow([&] { fPort->FlushInput(); });
  {
    std::lock_guard<std::mutex> guard(fMutex);
    ++fRxGeneration;
    fRxCount = 0;
    fEscape = false;
    fInFrame = false;
  }
  GRxLock.Leave();
}

void TZYNComm::RestartTimer() {
  std::lock_guard<std::mutex> guard(fMutex);
  if (fTimerActive) fDeadline = Clock::now() + std::chrono::milliseconds(fCurrentTimeout);
}

int TZYNComm::SendTelegram(bool acknowledge) {
  if (fCancel || fTooLong) {
    // Nothing leaves the PC; the wait that follows ends at once without an answer.
    std::lock_guard<std::mutex> guard(fMutex);
    fFrameComplete = false;
    fTimeoutFlag = true;
    fTimerActive = false;
    fRecCount = 0;
    fAnswer.clear();
    if (fCancel) SetError(errCancel, 0);
    return fCancel ? 0 : -1;
  }
  if (fTimeoutFix) DelayMs(fTIFDelay);
  bool newRequest = false;
  if (!fClosed) {
    const uint16_t fcs = static_cast<uint16_t>(fSendFcs ^ 0xFFFF);
    AppendStuffed(static_cast<uint8_t>(fcs & 0xFF));
    AppendStuffed(static_cast<uint8_t>(fcs >> 8));
    fSendBuf.push_back(kEnd);
    fClosed = true;
    fRepeatCount = 0;
    newRequest = true;
  }
  if (newRequest && !acknowledge) ResetReceiver();
  {
    std::lock_guard<std::mutex> guard(fMutex);
    fFrameComplete = false;
    fTimeoutFlag = false;
    if (!acknowledge) {
      fRecCount = 0;
      fAnswer.clear();
      // The answer may arrive before the write returns: the exchange is pending from here.
      fDeadline = Clock::now() + std::chrono::milliseconds(fCurrentTimeout);
      fTimerActive = true;
    }
  }
  int written;
  GTxLock.Enter();
  try {
    written = static_cast<int>(fPort->WriteBuf(fSendBuf.data(), fSendBuf.size()));
  } catch (...) {
    written = -1;
  }
  GTxLock.Leave();
  // The timer runs from the end of the write, also after a failed write, so that the wait
  // ends with a time-out.
  if (!acknowledge) RestartTimer();
  return written;
}

void TZYNComm::OnTimer() {
  if (fRepeatCount < fSendRepeat) {
    ++fRepeatCount;
    fSending = false;
    {
      std::lock_guard<std::mutex> guard(fMutex);
      fTimerActive = false;
    }
    SendTelegram(false);
    return;
  }
  {
    std::lock_guard<std::mutex> guard(fMutex);
    fTimeoutFlag = true;
    fTimerActive = false;
    SetError(errTimeout, 0);
  }
  fSending = false;
  CallOnError(errTimeout, 0);
}

uint16_t TZYNComm::WaitForAnswer() {
  std::unique_lock<std::mutex> lock(fMutex);
  auto ended = [this] { return fFrameComplete || fTimeoutFlag || !fTimerActive; };
  for (;;) {
    if (fFrameComplete || fTimeoutFlag || !fTimerActive) break;
    if (TBusWait::WaitUntil(fCond, lock, fDeadline, ended)) continue;
    lock.unlock();
    OnTimer();
    lock.lock();
  }
  fTimerActive = false;
  const uint16_t count = fRecCount;
  const bool overflow = fOverflowPending;
  fOverflowPending = false;
  lock.unlock();
  if (overflow && OnMessage) OnMessage(TranslateText(Ansi("Überlauf!")));
  return count;
}

// --- receiving ---

void TZYNComm::HandleReceivedBytes() {
  if (!fPort) return;
  uint8_t chunk[kMaxReadChunk];
  size_t n = 0;
  uint64_t generation;
  GRxLock.Enter();
  {
    std::lock_guard<std::mutex> guard(fMutex);
    generation = fRxGeneration;
  }
  try {
    n = fPort->ReadBuf(chunk, sizeof chunk);
  } catch (...) {
    n = 0;
  }
  GRxLock.Leave();
  // Bytes read before a new request discarded the input belong to the old exchange.
  {
    std::lock_guard<std::mutex> guard(fMutex);
    if (generation != fRxGeneration) return;
  }
  ProcessReceivedBytes(chunk, n);
}

bool TZYNComm::IsAnswerFrom(uint8_t sender) const {
  // The module answers with its station byte; the module number alone is accepted as well.
  return sender == Receiver() || sender == fSteuermodul;
}

void TZYNComm::ProcessReceivedBytes(const uint8_t* data, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint8_t b = data[i];
    std::unique_lock<std::mutex> lock(fMutex);
    if (b == kStart) {
      fRxCount = 0;
      fEscape = false;
      fInFrame = true;
      fOverflow = false;
      lock.unlock();
      if (OnTeleStart) OnTeleStart();
    } else if (b == kEnd) {
      fEscape = false;
      if (!fInFrame) continue;  // end flag without a start: line noise
      fInFrame = false;
      FrameEnded(lock);
    } else if (!fInFrame) {
      continue;  // noise between frames
    } else if (b == kEscape) {
      fEscape = true;
    } else {
      const uint8_t v = fEscape ? static_cast<uint8_t>(b ^ 0x20) : b;
      fEscape = false;
      if (fRxCount < fRxBuf.size()) {
        fRxBuf[fRxCount++] = v;
      } else if (!fOverflow) {
        fOverflow = true;
        fOverflowPending = true;
      }
    }
  }
}

// Called with fMutex held for a frame that just ended; releases it before any event.
void TZYNComm::FrameEnded(std::unique_lock<std::mutex>& lock) {
  const size_t n = fRxCount;
  if (n == 0) return;  // an empty frame is no answer
  const std::vector<uint8_t> frame(fRxBuf.begin(), fRxBuf.begin() + static_cast<long>(n));
  const uint16_t residue = static_cast<uint16_t>(Fcs16Update(kFcs16Init, frame.data(), n) ^ 0xFFFF);
  if (n < 5 || residue != kFcs16GoodResidue) {
    // A damaged frame never ends a wait; the repetition asks again.
    SetError(errCRC, residue);
    lock.unlock();
    if (OnBlock) OnBlock(frame.data(), static_cast<int>(n));
    CallOnError(errCRC, residue);
    return;
  }
  SetError(errNone, 0);
  const uint8_t sender = frame[0];
  const uint8_t receiver = frame[1];
  const uint8_t command = frame[2];
  if (receiver == fPCAdresse) {
    const bool spontaneous = IsSpontaneous(command);
    const bool answer = !spontaneous && fTimerActive && IsAnswerFrom(sender);
    if (answer) {
      fAnswer = frame;
      fRecCount = static_cast<uint16_t>(n);
      fFrameComplete = true;
      fTimerActive = false;
    }
    lock.unlock();
    if (answer) fCond.notify_all();
    if (OnTeleEnd) OnTeleEnd();
    if (spontaneous && fSendQuittung) {
      if (sender < 4) SendAcknowledge(sender, frame[3]);
      if (OnBlock) OnBlock(frame.data(), static_cast<int>(n));
    } else if (fGetAll && OnBlock) {
      OnBlock(frame.data(), static_cast<int>(n));
    }
    return;
  }
  TZYNCommError error;
  int code;
  if (sender == fPCAdresse) {
    // A telegram of the PC seen on the bus (an echo of the interface).
    const bool ours = fSteuermodul == receiver || fSteuermodul == sender;
    error = ours ? errNone : errFromOther;
    code = ours ? 0 : sender;
  } else {
    error = errToOther;
    code = receiver;
  }
  SetError(error, code);
  lock.unlock();
  if (OnTeleEnd) OnTeleEnd();
  if (fGetAll && OnBlock) OnBlock(frame.data(), static_cast<int>(n));
  CallOnError(error, code);
}

void TZYNComm::SendAcknowledge(uint8_t sender, uint8_t sequence) {
  // Waits (bounded) while the user-interface thread marks a send in progress.
  const auto until = Clock::now() + std::chrono::milliseconds(fCurrentTimeout);
  while (fSending && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // Built in its own buffer: a telegram that the user-interface thread is building or
  // repeating stays intact.
  const uint8_t bytes[] = {fPCAdresse, static_cast<uint8_t>(fGruppe * 16 + (sender & 0x0F)), 0x00,
                           static_cast<uint8_t>(sequence + 1)};
  std::vector<uint8_t> telegram{kStart};
  auto put = [&telegram](uint8_t b) { PutStuffed(telegram, b); };
  for (uint8_t b : bytes) put(b);
  const uint16_t fcs = Fcs16(bytes, sizeof bytes);
  put(static_cast<uint8_t>(fcs & 0xFF));
  put(static_cast<uint8_t>(fcs >> 8));
  telegram.push_back(kEnd);
  GTxLock.Enter();
  Swallow([&] { fPort->WriteBuf(telegram.data(), telegram.size()); });
  GTxLock.Leave();
}

}  // namespace zyn
