#include "bus/ZYNExchange.h"

#include "bus/BusWait.h"
#include "bus/Swallow.h"
#include "bus/VaComm.h"
#include "model/base/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace zyn {

TZYNCriticalSection GRxLock;
TZYNCriticalSection GTxLock;

namespace {

using namespace std::chrono_literals;

// The module's own reaction time, added to the wire time of a telegram and its answer.
constexpr int kLatencyMs = 20;
// The longest pause before a request while answers of earlier ones are still owed.
constexpr auto kSettleCap = 12000ms;
// How long the port's thread gets to read what is already queued before a new request.
constexpr auto kDrainWait = 50ms;
// After its last send, how long a finished request may still receive a late answer: its
// time-out, once more (at most a second) and this.
constexpr auto kLateWindow = 500ms;
// Finished requests kept on record at most.
constexpr size_t kOwedLimit = 64;
// The longest a record of an answer still owed is kept for a peer that answers late.
constexpr auto kEatCap = 60000ms;
// The answer length assumed for the wire time when a request does not say.
constexpr size_t kUnknownAnswerLength = 64;
// 8N1: start bit, 8 data bits, stop bit.
constexpr int kBitsPerByte = 10;

// Commands that control modules send to the PC on their own.
bool IsSpontaneous(uint8_t command) { return command == 0x12 || command == 0x20 || command == 0x29; }


std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string text;
  char hex[4];
  for (uint8_t b : bytes) {
    std::snprintf(hex, sizeof hex, " %02X", b);
    text += hex;
  }
  return text;
}

}  // namespace

bool TZYNAnswerRule::Fits(const uint8_t* bytes, size_t count) const {
  if (count < std::max<size_t>(MinLength, 3) || count > MaxLength) return false;
  if (!Status.empty() && std::find(Status.begin(), Status.end(), bytes[2]) == Status.end()) return false;
  return Sequence < 0 || (count > 3 && bytes[3] == static_cast<uint8_t>(Sequence));
}

TZYNExchange::Clock::duration TZYNExchange::LateWindow(uint16_t timeout) {
  const auto t = std::chrono::milliseconds(timeout);
  return t + std::min<Clock::duration>(t, 1000ms) + kLateWindow;
}

bool TZYNAnswerRule::CouldPassFor(const TZYNAnswerRule& other) const {
  if (MinLength > other.MaxLength || other.MinLength > MaxLength) return false;
  if (Sequence >= 0 && other.Sequence >= 0 && Sequence != other.Sequence) return false;
  const std::vector<uint8_t>& wanted = other.Success.empty() ? other.Status : other.Success;
  if (Status.empty() || wanted.empty()) return true;
  return std::any_of(Status.begin(), Status.end(),
                     [&](uint8_t v) { return std::find(wanted.begin(), wanted.end(), v) != wanted.end(); });
}

TZYNExchange::TZYNExchange(TVaComm& port) : fPort(port), fEncoder(1024), fDecoder(1024) {}

void TZYNExchange::SetRecBuffSize(uint16_t n) {
  std::lock_guard<std::mutex> guard(fMutex);
  fRecBuffSize = std::max<uint16_t>(n, 8);
  fDecoder.SetSize(fRecBuffSize);
}

void TZYNExchange::SetSendBuffSize(uint16_t n) {
  fSendBuffSize = std::max<uint16_t>(n, 16);
  fEncoder.SetLimit(fSendBuffSize);
}

std::string TZYNExchange::Translate(const std::string& text) const {
  if (!Hooks.Translate) return text;
  try {
    return Hooks.Translate(text);
  } catch (...) {
    return text;
  }
}

void TZYNExchange::Debug(const std::string& text) {
  if (Hooks.Debug) Swallow([&] { Hooks.Debug(text); });
}

// --- state ---

void TZYNExchange::SetErrorLocked(TZYNCommError error, int code) {
  fTransError = error;
  fErrorCode = code;
}

void TZYNExchange::SetError(TZYNCommError error, int code) {
  std::lock_guard<std::mutex> guard(fMutex);
  SetErrorLocked(error, code);
}

TZYNCommError TZYNExchange::TakeError() {
  std::lock_guard<std::mutex> guard(fMutex);
  const auto error = static_cast<TZYNCommError>(fTransError);
  fTransError = errNone;
  return error;
}

int TZYNExchange::ErrorCode() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return fErrorCode;
}

uint16_t TZYNExchange::RecCount() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return static_cast<uint16_t>(fAnswer.size());
}

std::vector<uint8_t> TZYNExchange::Answer() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return fAnswer;
}

int TZYNExchange::Outstanding() const {
  std::lock_guard<std::mutex> guard(fMutex);
  const auto now = Clock::now();
  int count = 0;
  for (const auto& owed : fOwed)
    if (owed.Expiry >= now) count += owed.Count;
  return count;
}

int TZYNExchange::LastSends() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return fLastSends;
}

bool TZYNExchange::Lost() const {
  std::lock_guard<std::mutex> guard(fMutex);
  return fLost;
}

void TZYNExchange::PortLost(const std::string& device) {
  {
    std::lock_guard<std::mutex> guard(fMutex);
    if (fLost) return;
    fLost = true;
    fLostDevice = device;
  }
  fCond.notify_all();
  Debug("port lost: " + device);
}

void TZYNExchange::PortOpened() {
  std::lock_guard<std::mutex> guard(fMutex);
  fLost = false;
  fLostReported = false;
  fOverflowReported = false;
}

void TZYNExchange::Reset() {
  std::lock_guard<std::mutex> guard(fMutex);
  fOwed.clear();
  fPast.clear();
  fLateness = {};
  fPending.Active = false;
  fDecoder.Reset();
}

std::string TZYNExchange::LostText() const {
  std::string device;
  {
    std::lock_guard<std::mutex> guard(fMutex);
    device = fLostDevice;
  }
  std::string text = Translate(
      Ansi("Die Verbindung über %s ist abgebrochen. Bitte prüfen Sie den Anschluss der Schnittstelle und des Buskabels."));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, Utf8ToAnsi(device));
  return text;
}

void TZYNExchange::ReportLost() {
  {
    std::lock_guard<std::mutex> guard(fMutex);
    if (fLostReported) return;
    fLostReported = true;
  }
  if (!Hooks.Message) return;
  const std::string text = LostText();
  Swallow([&] { Hooks.Message(text); });
}

// --- time ---

uint16_t TZYNExchange::EffectiveTimeout(const TZYNRequest& request) const {
  const int base = request.Timeout ? request.Timeout : fSettings.CurrentTimeout.load();
  size_t answer = request.AnswerLength;
  if (answer == 0) answer = std::min<size_t>(request.Answer.MaxLength, kUnknownAnswerLength);
  answer = std::min<size_t>(answer, fRecBuffSize);
  const size_t wireBytes = MaxWireBytes(request.Bytes.size() + 2) + MaxWireBytes(answer);
  const int baud = std::max(fPort.Baudrate(), 1);
  const int wireMs = static_cast<int>(std::ceil(static_cast<double>(wireBytes) * kBitsPerByte * 1000.0 / baud));
  return static_cast<uint16_t>(std::clamp(std::max(base, wireMs + kLatencyMs), 1, 65535));
}

TZYNExchange::Clock::duration TZYNExchange::TimeBound(const TZYNRequest& request) const {
  const int repeats = request.Repeats < 0 ? fSettings.SendRepeat : request.Repeats;
  const int pause = fSettings.TimeoutFix ? fSettings.TIFDelay : 0;
  return (repeats + 1) * std::chrono::milliseconds(EffectiveTimeout(request) + pause) + kDrainWait +
         std::min<Clock::duration>(LateWindow(EffectiveTimeout(request)), kSettleCap);
}

// --- sending ---

void TZYNExchange::Begin(const TZYNRequest& request) {
  fDraft = request;
  fEncoder.SetLimit(fSendBuffSize);
  fEncoder.Begin(fSettings.PCAdresse, request.Station);
}

void TZYNExchange::Add(uint8_t b) { fEncoder.Add(b); }

int TZYNExchange::WriteTelegram(const std::vector<uint8_t>& wire) {
  try {
    std::lock_guard<TZYNCriticalSection> tx(GTxLock);
    return static_cast<int>(fPort.WriteBuf(wire.data(), wire.size()));
  } catch (const std::exception& e) {
    // A serial line that refuses a write is gone (an adapter pulled out).
    Debug(std::string("write failed: ") + e.what());
    PortLost(TVaComm::DevicePath(fPort.DeviceName()));
    return -1;
  }
}

void TZYNExchange::Settle() {
  std::unique_lock<std::mutex> lock(fMutex);
  const uint8_t station = fDraft.Station;
  // The extra answers of repetitions are awaited while they are due; answers that could pass
  // for the new request's are awaited to the end of their late window.
  auto relevant = [&](const TOwed& owed) {
    return owed.Count > 0 && owed.Request.Station == station && owed.Request.Answer.CouldPassFor(fDraft.Answer);
  };
  const auto now = Clock::now();
  auto until = now;
  for (const auto& owed : fOwed) {
    if (owed.Count <= 0) continue;
    until = std::max(until, relevant(owed) ? owed.Expiry : owed.ExpectedBy);
  }
  if (until <= now) return;
  until = std::min(until, now + kSettleCap);
  auto settled = [&] {
    if (fLost) return true;
    const auto t = Clock::now();
    for (const auto& owed : fOwed)
      if (owed.Count > 0 && (relevant(owed) ? owed.Expiry : owed.ExpectedBy) > t) return false;
    return true;
  };
  TBusWait::WaitUntil(fCond, lock, until, settled);
}

void TZYNExchange::DiscardStaleInput() {
  // The port's thread reads what the line delivered so far; frames begun before the request
  // is registered carry an older tag and can never be its answer.
  const auto until = Clock::now() + kDrainWait;
  for (;;) {
    int queued = 0;
    Swallow([&] { queued = fPort.InQueueCount(); });
    if (queued <= 0 || Clock::now() >= until) break;
    std::this_thread::sleep_for(200us);
  }
}

void TZYNExchange::Prepare() {
  Settle();
  DiscardStaleInput();
  std::unique_lock<std::mutex> lock(fMutex);
  if (fPending.Active) Finish(lock);
  fDraft.Bytes.assign(fEncoder.Telegram().begin() + std::min<size_t>(2, fEncoder.Telegram().size()),
                      fEncoder.Telegram().end());
  fPending = TPending{};
  fPending.Request = fDraft;
  fPending.Timeout = EffectiveTimeout(fDraft);
  fPending.Tag = fNextTag++;
  fPending.Active = true;
  fDecoder.SetTag(fPending.Tag);
  fAnswer.clear();
}

int TZYNExchange::SendOnce() {
  if (fSettings.TimeoutFix) TBusWait::Delay(fSettings.TIFDelay);
  const int written = WriteTelegram(fEncoder.Wire());
  std::lock_guard<std::mutex> guard(fMutex);
  // Only a telegram that went out is owed an answer.
  if (written > 0) ++fPending.Sends;
  fPending.LastSend = Clock::now();
  // The time-out runs from the end of the write, also after a failed one.
  fPending.Deadline = fPending.LastSend + std::chrono::milliseconds(fPending.Timeout);
  return written;
}

int TZYNExchange::Send(bool cancel, bool acknowledge) {
  if (acknowledge) {
    fEncoder.Close();
    return WriteTelegram(fEncoder.Wire());
  }
  if (cancel || fEncoder.TooLong() || Lost()) {
    // Nothing leaves the PC; the wait that follows ends at once without an answer.
    {
      std::unique_lock<std::mutex> lock(fMutex);
      if (fPending.Active) Finish(lock);
      // The wait that follows belongs to this telegram, which has no answer.
      fPending.Answered = false;
      fAnswer.clear();
      if (cancel) SetErrorLocked(errCancel, 0);
    }
    if (fEncoder.TooLong()) Debug("telegram too long for the send buffer, not sent");
    return cancel ? 0 : -1;
  }
  if (!fEncoder.Closed()) {
    fEncoder.Close();
    Prepare();
  } else {
    // The same telegram once more on the caller's request: a repetition of the pending one.
    std::lock_guard<std::mutex> guard(fMutex);
    if (!fPending.Active) {
      fPending.Active = true;
      fPending.Answered = false;
    }
  }
  return SendOnce();
}

void TZYNExchange::Finish(std::unique_lock<std::mutex>& lock) {
  (void)lock;
  if (!fPending.Active) return;
  fPending.Active = false;
  fLastSends = fPending.Sends;
  const int owed = fPending.Sends - (fPending.Answered ? 1 : 0) - fPending.Extra;
  if (owed <= 0) return;
  TOwed entry;
  entry.Request = fPending.Request;
  entry.Count = owed;
  entry.ExpectedBy = fPending.LastSend + std::chrono::milliseconds(fPending.Timeout);
  entry.Expiry = fPending.LastSend + LateWindow(fPending.Timeout);
  // A peer seen answering late keeps its records longer (twice the worst lateness seen), so that
  // its queued answers are still recognised as late ones; the wait before a request stays short.
  entry.EatUntil = entry.Expiry + std::min<Clock::duration>(2 * fLateness, kEatCap);
  fOwed.push_back(std::move(entry));
  while (fOwed.size() > kOwedLimit) fOwed.pop_front();
}

uint16_t TZYNExchange::Wait(const std::function<bool()>& cancelled) {
  std::unique_lock<std::mutex> lock(fMutex);
  bool timedOut = false, cancel = false;
  const int limit = fPending.Request.Repeats < 0 ? fSettings.SendRepeat : fPending.Request.Repeats;
  auto ended = [this] { return fPending.Answered || fLost || !fPending.Active; };
  while (!ended()) {
    if (TBusWait::WaitUntil(fCond, lock, fPending.Deadline, ended)) break;
    if (fPending.Repeats >= limit) {
      timedOut = true;
      break;
    }
    ++fPending.Repeats;
    lock.unlock();
    // A repetition is not sent while a cancel is requested; the wait ends.
    cancel = cancelled && cancelled();
    if (!cancel) SendOnce();
    lock.lock();
    if (cancel) break;
  }
  const bool answered = fPending.Answered;
  const bool lost = fLost && !answered;
  if (!answered) {
    fAnswer.clear();
    if (lost)
      SetErrorLocked(errNoPort, 0);
    else if (cancel)
      SetErrorLocked(errCancel, 0);
    else if (timedOut)
      SetErrorLocked(errTimeout, 0);
  }
  Finish(lock);
  const auto count = static_cast<uint16_t>(answered ? fAnswer.size() : 0);
  // "Überlauf!" once while the port is open: a line full of noise would otherwise say it after
  // every request.
  const bool overflow = fOverflowPending && !fOverflowReported;
  if (overflow) fOverflowReported = true;
  fOverflowPending = false;
  lock.unlock();
  if (timedOut && !lost && Hooks.Error) Swallow([&] { Hooks.Error(errTimeout, 0); });
  if (overflow && Hooks.Message) Swallow([&] { Hooks.Message(Translate(Ansi("Überlauf!"))); });
  if (lost) ReportLost();
  return count;
}

std::optional<std::vector<uint8_t>> TZYNExchange::Transact(const TZYNRequest& request,
                                                           const std::function<bool()>& cancelled) {
  Begin(request);
  for (uint8_t b : request.Bytes) Add(b);
  Send(cancelled && cancelled());
  if (Wait(cancelled) == 0) return std::nullopt;
  std::vector<uint8_t> answer = Answer();
  answer.resize(answer.size() - 2);  // without the FCS
  return answer;
}

// --- receiving ---

bool TZYNExchange::Belongs(const TZYNRequest& request, const std::vector<uint8_t>& frame) const {
  // frame with its FCS: the rule judges the bytes before it.
  const size_t n = frame.size() - 2;
  return frame[0] == request.Station && frame[1] == fSettings.PCAdresse && request.Answer.Fits(frame.data(), n);
}

void TZYNExchange::Receive(const uint8_t* data, size_t count) {
  std::vector<std::function<void()>> actions;
  {
    std::lock_guard<std::mutex> guard(fMutex);
    for (size_t i = 0; i < count; ++i) {
      switch (fDecoder.Feed(data[i])) {
        case TZYNFrameDecoder::kStart:
          if (Hooks.TeleStart) actions.emplace_back(Hooks.TeleStart);
          break;
        case TZYNFrameDecoder::kFrame:
          HandleFrame(fDecoder.Frame(), actions);
          break;
        case TZYNFrameDecoder::kEmpty:  // C0 C1: no answer, no error
        case TZYNFrameDecoder::kNothing:
          break;
      }
    }
  }
  fCond.notify_all();
  for (auto& action : actions) action();
}

// Judges one complete frame with fMutex held; events are queued as actions for after.
void TZYNExchange::HandleFrame(const TZYNReceivedFrame& frame, std::vector<std::function<void()>>& actions) {
  // The handler runs after every frame of this read was judged. While every frame is passed on
  // (a monitor), the error state of its own frame is set again just before it, so that
  // E_TransError read in the handler is this frame's; a frame to the PC carries no error.
  auto block = [this, &actions](const std::vector<uint8_t>& bytes, bool toPc = false) {
    if (!Hooks.Block) return;
    const bool own = fSettings.GetAll;
    const int error = toPc ? errNone : fTransError, code = toPc ? 0 : fErrorCode;
    actions.emplace_back([this, bytes, own, error, code] {
      if (own) {
        std::lock_guard<std::mutex> guard(fMutex);
        SetErrorLocked(static_cast<TZYNCommError>(error), code);
      }
      Hooks.Block(bytes.data(), static_cast<int>(bytes.size()));
    });
  };
  auto error = [this, &actions](TZYNCommError e, int code) {
    if (Hooks.Error) actions.emplace_back([this, e, code] { Swallow([&] { Hooks.Error(e, code); }); });
  };
  auto teleEnd = [this, &actions] {
    if (Hooks.TeleEnd) actions.emplace_back(Hooks.TeleEnd);
  };
  const std::vector<uint8_t>& f = frame.Bytes;
  if (!frame.FcsOk) {
    if (frame.Overflow) fOverflowPending = true;
    SetErrorLocked(errCRC, frame.Residue);
    actions.emplace_back([this, f] { Debug("frame with a wrong FCS discarded:" + Hex(f)); });
    block(f);
    error(errCRC, frame.Residue);
    return;
  }
  const uint8_t pc = fSettings.PCAdresse;
  const uint8_t sender = f[0], receiver = f[1], command = f[2];
  if (receiver == pc) {
    teleEnd();
    if (IsSpontaneous(command)) {
      if (fSettings.SendQuittung) {
        const uint8_t sequence = f.size() > 5 ? f[3] : 0;
        if (sender < 4) actions.emplace_back([this, sender, sequence] { SendAcknowledge(sender, sequence); });
        block(f, true);
      } else if (fSettings.GetAll) {
        block(f, true);
      }
      return;
    }
    // Late and extra answers of earlier requests first: the module answers in order.
    const auto now = Clock::now();
    for (const TOwed& o : fOwed)
      if (o.Count > 0 && o.EatUntil < now) fPast.push_back(o);
    while (fPast.size() > kOwedLimit) fPast.pop_front();
    std::erase_if(fPast, [now](const TOwed& o) { return o.Count <= 0 || o.ExpectedBy + kEatCap < now; });
    std::erase_if(fOwed, [now](const TOwed& o) { return o.EatUntil < now || o.Count <= 0; });
    auto owed =
        std::find_if(fOwed.begin(), fOwed.end(), [&](const TOwed& o) { return o.Count > 0 && Belongs(o.Request, f); });
    auto learn = [this, now](const TOwed& o) { fLateness = std::max<Clock::duration>(fLateness, now - o.ExpectedBy); };
    // A block answer (its sequence byte echoed) that fits a request whose window has passed is
    // still that request's late answer: a peer that answers in order never gives it to another.
    auto past = std::find_if(fPast.begin(), fPast.end(), [&](const TOwed& o) {
      return o.Count > 0 && o.Request.Answer.Sequence >= 0 && Belongs(o.Request, f);
    });
    if (owed != fOwed.end()) {
      learn(*owed);
      if (--owed->Count == 0) fOwed.erase(owed);
      actions.emplace_back([this, f] { Debug("late answer of an earlier request discarded:" + Hex(f)); });
    } else if (past != fPast.end()) {
      learn(*past);
      --past->Count;
      actions.emplace_back([this, f] { Debug("very late block answer of an earlier request discarded:" + Hex(f)); });
    } else if (fPending.Active && frame.StartTag == fPending.Tag && Belongs(fPending.Request, f)) {
      if (!fPending.Answered) {
        fAnswer = f;
        fPending.Answered = true;
        SetErrorLocked(errNone, 0);
      } else {
        // The answer to one of its repetitions.
        ++fPending.Extra;
        actions.emplace_back([this, f] { Debug("extra answer of a repeated request discarded:" + Hex(f)); });
      }
    } else {
      // An answer later than every window still tells how late the peer is.
      auto late = std::find_if(fPast.begin(), fPast.end(),
                               [&](const TOwed& o) { return o.Count > 0 && Belongs(o.Request, f); });
      if (late != fPast.end()) {
        learn(*late);
        --late->Count;
      }
      actions.emplace_back([this, f] { Debug("frame that answers no request discarded:" + Hex(f)); });
    }
    if (fSettings.GetAll) block(f, true);
    return;
  }
  TZYNCommError e;
  int code;
  if (sender == pc) {
    // A telegram of the PC seen on the line (the echo of a two-wire adapter).
    const uint8_t module = fSettings.Steuermodul;
    const bool ours = module == receiver || module == sender;
    e = ours ? errNone : errFromOther;
    code = ours ? 0 : sender;
  } else {
    e = errToOther;
    code = receiver;
  }
  SetErrorLocked(e, code);
  teleEnd();
  if (fSettings.GetAll) block(f);
  error(e, code);
}

void TZYNExchange::SendAcknowledge(uint8_t sender, uint8_t sequence) {
  // Waits (bounded) while the user-interface thread marks a send in progress.
  const auto until = Clock::now() + std::chrono::milliseconds(fSettings.CurrentTimeout.load());
  while (Hooks.Sending && Hooks.Sending() && Clock::now() < until) std::this_thread::sleep_for(1ms);
  // Its own buffer: a telegram that the user-interface thread builds or repeats stays intact.
  const uint8_t bytes[] = {fSettings.PCAdresse, static_cast<uint8_t>(fSettings.Gruppe * 16 + (sender & 0x0F)), 0x00,
                           static_cast<uint8_t>(sequence + 1)};
  WriteTelegram(TZYNFrameEncoder::Encode(bytes, sizeof bytes));
}

}  // namespace zyn
