#include "bus/ZYNComm.h"

#include "bus/BusWait.h"
#include "bus/Swallow.h"
#include "bus/VaComm.h"
#include "model/base/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zyn {

TZYNComm::TZYNComm()
    : TZYNCommandSet(static_cast<IZYNLink&>(*this)),
      fPort(std::make_unique<TVaComm>()),
      fExchange(std::make_unique<TZYNExchange>(*fPort)) {
  fPort->SetDeviceName("COM2");
  fPort->SetBaudrate(Settings().Baudrate);
  fPort->SetWriteTimeout(1000);
  // The link's port: 8 data bits, no parity, one stop bit, parity checking on, direct writes,
  // the event thread above normal.
  fPort->SetOptions(coParityCheck);
  fPort->SetDirectWrite(true);
  fPort->SetEventPriority(TThreadPriority::tpHigher);
  fPort->OnRxChar = [this](int) { HandleReceivedBytes(); };
  fPort->OnThreadError = [this](const std::string& text) { Debug("port: " + text); };
  fPort->OnLineLost = [this](const std::string& text) {
    Debug("line lost: " + text);
    fExchange->PortLost(DeviceText());
  };
  auto& hooks = fExchange->Hooks;
  hooks.TeleStart = [this] {
    if (OnTeleStart) OnTeleStart();
  };
  hooks.TeleEnd = [this] {
    if (OnTeleEnd) OnTeleEnd();
  };
  hooks.Block = [this](const uint8_t* b, int n) {
    if (OnBlock) OnBlock(b, n);
  };
  hooks.Error = [this](TZYNCommError e, int info) {
    if (OnError) OnError(e, info);
  };
  hooks.Message = [this](const std::string& text) {
    if (OnMessage) OnMessage(text);
  };
  hooks.Debug = [this](const std::string& text) { Debug(text); };
  hooks.Translate = [this](const std::string& text) { return TranslateText(text); };
  hooks.Sending = [this] { return fSending.load(); };
}

TZYNComm::~TZYNComm() {
  fPort->OnClose = nullptr;
  fPort->SetCloseDelay(0);
  fPort->Close();
  fExchange.reset();
}

void TZYNComm::Debug(const std::string& text) {
  if (OnDebug) {
    Swallow([&] { OnDebug(text); });
  } else if (std::getenv("ZYN_BUS_DEBUG")) {
    std::fprintf(stderr, "zyn bus: %s\n", text.c_str());
  }
}

bool TZYNComm::SetA_ZYNGruppe(uint8_t v) {
  if (v > 15) {
    if (OnMessage)
      OnMessage(TranslateText(Ansi("Gruppenadresse außerhalb des zulässigen Bereichs.")) + "\n" +
                TranslateText(Ansi("Zulässige Gruppenadressen sind 0 bis 15")));
    return false;
  }
  Settings().Gruppe = v;
  return true;
}

bool TZYNComm::SetA_Steuermodul(uint8_t v) {
  if (v > 7) {
    if (OnMessage)
      OnMessage(TranslateText(Ansi("Steuermoduladresse außerhalb des zulässigen Bereichs.")) + "\n" +
                TranslateText(Ansi("Zulässige Steuermoduladressen sind 0 bis 7.")));
    return false;
  }
  Settings().Steuermodul = v;
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
  Settings().Baudrate = baud;
  fPort->SetBaudrate(baud);
}

TVaParity TZYNComm::P_Parity() const { return fPort->Parity(); }
void TZYNComm::SetP_Parity(TVaParity v) { fPort->SetParity(v); }
TVaDatabits TZYNComm::P_Databits() const { return fPort->Databits(); }
void TZYNComm::SetP_Databits(TVaDatabits v) { fPort->SetDatabits(v); }
TVaStopbits TZYNComm::P_StopBits() const { return fPort->Stopbits(); }
void TZYNComm::SetP_StopBits(TVaStopbits v) { fPort->SetStopbits(v); }
TThreadPriority TZYNComm::ThreadPriority() const { return fPort->EventPriority(); }
void TZYNComm::SetThreadPriority(TThreadPriority p) { fPort->SetEventPriority(p); }

void TZYNComm::SetP_RecTimeout(uint16_t ms) {
  fRecTimeout = ms;
  Settings().CurrentTimeout = ms;
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

uint8_t TZYNComm::Rec(size_t i) const {
  const std::vector<uint8_t> answer = fExchange->Answer();
  return i + 2 < answer.size() ? answer[i] : 0;
}

bool TZYNComm::Active() const { return fPort && fPort->IsOpen(); }

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
  if (fCancel) fExchange->SetError(errCancel, 0);
  return fCancel;
}

// --- opening and closing ---

void TZYNComm::OpenLink() {
  if (fPort->IsOpen()) return;
  if (OnOpen) Swallow([&] { OnOpen(); });
  fConverterKind = 1;
  fOpenError.clear();
  fOpenErrorText.clear();
  try {
    if (fChkDeviceType) {
      OpenAndRaiseRts();
    } else {
      fPort->SetBaudrate(Settings().Baudrate);
      fPort->Open();
    }
    // What waited in the input queue from before belongs to nobody.
    Swallow([&] { fPort->FlushInput(); });
    fExchange->Reset();
    fExchange->PortOpened();
    RestartReadNumbering();
  } catch (const std::exception& e) {
    // The following telegrams end in time-outs; the text stays for the caller.
    fOpenError = e.what();
    fOpenErrorText = OpenFailureText(e.what(), fOpenError.find("not found") != std::string::npos);
  }
}

std::string TZYNComm::DeviceText() const { return TVaComm::DevicePath(fPort->DeviceName()); }

std::string TZYNComm::OpenFailureText(const std::string& reason, bool notFound) {
  std::string text = notFound ? TranslateText(Ansi("Die Schnittstelle %s wurde nicht gefunden."))
                              : TranslateText(Ansi("Die Schnittstelle %s konnte nicht geöffnet werden."));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, Utf8ToAnsi(DeviceText()));
  if (!notFound && !reason.empty()) text += " (" + reason + ")";
  return text;
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
  // The port is closed even when RTS cannot be cleared.
  Swallow([&] { fPort->SetRtsLine(false); });
  Swallow([&] { fPort->Close(); });
  fExchange->Reset();
  if (OnClose) Swallow([&] { OnClose(); });
}

// --- telegram primitives ---

void TZYNComm::BeginTelegram() {
  TZYNRequest request;
  request.Station = Receiver();
  fExchange->Begin(request);
}

void TZYNComm::AddTelegramByte(uint8_t b) { fExchange->Add(b); }

int TZYNComm::SendTelegram(bool acknowledge) { return fExchange->Send(fCancel, acknowledge); }

uint16_t TZYNComm::WaitForAnswer() {
  const uint16_t count = fExchange->Wait([this] { return fCancel.load(); });
  fSending = false;
  return count;
}

std::optional<std::vector<uint8_t>> TZYNComm::Transact(const TZYNRequest& request) {
  auto answer = fExchange->Transact(request, [this] { return fCancel.load(); });
  fSending = false;
  return answer;
}

// --- receiving ---

void TZYNComm::HandleReceivedBytes() {
  uint8_t chunk[kMaxReadChunk];
  size_t n = 0;
  {
    std::lock_guard<TZYNCriticalSection> rx(GRxLock);
    try {
      n = fPort->ReadBuf(chunk, sizeof chunk);
    } catch (const std::exception& e) {
      Debug(std::string("read failed: ") + e.what());
      fExchange->PortLost(DeviceText());
      return;
    }
  }
  fExchange->Receive(chunk, n);
}

}  // namespace zyn
