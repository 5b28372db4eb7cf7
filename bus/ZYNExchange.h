#pragma once
// The exchange layer of the bus link: one request, its own answer, repetitions, time-outs and
// the discarding of everything else on the line. It sits between the frame codec
// (ZYNFrameCodec.h) and the command set (ZYNCommandSet.h).
//
// An answer ends a wait only when it belongs to the pending request: it comes from the addressed
// station, is addressed to the PC, its FCS is right, its start flag arrived after the request
// was sent, and its status, sequence byte and length fit the request's answer rule. Every other
// frame is passed to the receive events and discarded (reported to OnDebug).
//
// Answers come back in the order the telegrams went out. Every telegram sent (a repetition
// too) is owed one answer; the answers a finished request is still owed stay on record for a
// late window (LateWindow after its last send), and a frame that fits
// such an older request is taken as its late answer before it can be taken for the pending
// one. A request whose successful answer could look like an answer still owed to the same
// station is not sent before that answer came or its late window ended. A late or extra answer
// therefore never confirms a later request; an answer later than its late window is beyond
// what the link can tell from a lost one.
//
// Call order (user-interface thread): Begin, Add per byte, Send, Wait; or Transact for the
// whole exchange. Before a new request (not before a repetition) the answers still owed are
// awaited briefly and the input that arrived before it is discarded. When the line's byte time
// makes the time-out shorter than the answer's wire time, the wait extends to that wire time.
// Receive (the port's event thread): Receive for the bytes read from the line.
//
// Ownership: the exchange keeps a reference to the port, which its owner (TZYNComm) creates
// before and destroys after it. The hooks are set by the owner while the link is idle; those
// marked "event thread" run on the port's thread and must hand data over to the user interface.

#include "bus/ZYNFrameCodec.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

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

// A process-wide lock of the bus link; lockable, so std::lock_guard holds it for a scope.
class TZYNCriticalSection {
 public:
  void Enter() { fMutex.lock(); }
  void Leave() { fMutex.unlock(); }
  void lock() { Enter(); }
  void unlock() { Leave(); }

 private:
  std::mutex fMutex;
};

// Serialise reading from (GRxLock) and writing to (GTxLock) the port devices for all links.
extern TZYNCriticalSection GRxLock;
extern TZYNCriticalSection GTxLock;

// Which frames are the answer of a request, judged on the answer bytes without the FCS:
// [0] sender, [1] receiver, [2] status or command echo, [3 ...] data.
struct TZYNAnswerRule {
  std::vector<uint8_t> Status;                            // values of [2] that belong to the request; empty: any
  std::vector<uint8_t> Success;                           // those of them the caller counts as success; empty: all
  int Sequence = -1;                                      // [3] must equal it (block sequence byte); -1: not judged
  size_t MinLength = 3;                                   // bytes at least
  size_t MaxLength = std::numeric_limits<size_t>::max();  // and at most

  bool Fits(const uint8_t* bytes, size_t count) const;
  // Whether an answer of this rule could pass for a successful answer of other.
  bool CouldPassFor(const TZYNAnswerRule& other) const;
};

struct TZYNRequest {
  uint8_t Station = 0;         // the receiver byte (group x 16 + module)
  std::vector<uint8_t> Bytes;  // command and data
  TZYNAnswerRule Answer;
  // The longest answer (bytes without the FCS) for the wire time; 0: the rule's MaxLength, at
  // most 64.
  size_t AnswerLength = 0;
  uint16_t Timeout = 0;  // ms per send; 0: the link's current time-out
  int Repeats = -1;      // repetitions after a time-out; -1: the link's P_SendRepeat
};

// Settings the owner writes while the link is idle; the event thread reads some of them.
struct TZYNExchangeSettings {
  std::atomic<uint8_t> PCAdresse{254};
  std::atomic<uint8_t> Gruppe{0};
  std::atomic<uint8_t> Steuermodul{0};
  std::atomic<bool> SendQuittung{false};
  std::atomic<bool> GetAll{false};
  uint16_t SendRepeat = 5;
  std::atomic<uint16_t> CurrentTimeout{500};
  int TIFDelay = 1;
  bool TimeoutFix = false;
  int Baudrate = 19200;
};

class TZYNExchange {
 public:
  using Clock = std::chrono::steady_clock;

  struct THooks {
    std::function<void()> TeleStart;                              // event thread
    std::function<void()> TeleEnd;                                // event thread
    std::function<void(const uint8_t* buffer, int count)> Block;  // event thread
    // Frame errors on the event thread; errTimeout on the user-interface thread.
    std::function<void(TZYNCommError error, int info)> Error;
    std::function<void(const std::string& text)> Message;  // user-interface thread (German)
    std::function<void(const std::string& text)> Debug;    // either thread
    std::function<std::string(const std::string& text)> Translate;
    std::function<bool()> Sending;  // the user interface marks a send in progress
  };

  explicit TZYNExchange(TVaComm& port);
  TZYNExchange(const TZYNExchange&) = delete;
  TZYNExchange& operator=(const TZYNExchange&) = delete;

  TZYNExchangeSettings& Settings() { return fSettings; }
  const TZYNExchangeSettings& Settings() const { return fSettings; }
  THooks Hooks;

  void SetRecBuffSize(uint16_t n);
  uint16_t RecBuffSize() const { return fRecBuffSize; }
  void SetSendBuffSize(uint16_t n);
  uint16_t SendBuffSize() const { return fSendBuffSize; }

  // --- telegram primitives ---
  // Starts a telegram to station with the answer rule of request (its Bytes are not used).
  void Begin(const TZYNRequest& request);
  void Add(uint8_t b);
  // Bytes written, 0 while cancelled, -1 on a write error or a telegram too long for the send
  // buffer. An acknowledgement is written as it stands: no wait, no repetition.
  int Send(bool cancel, bool acknowledge = false);
  // Waits until the request's own answer or the end of the repetitions; returns the answer's
  // byte count with the FCS (0 without answer). cancel is asked before every repetition.
  uint16_t Wait(const std::function<bool()>& cancel);
  // Begin, Add, Send and Wait: the answer without the FCS, or nothing.
  std::optional<std::vector<uint8_t>> Transact(const TZYNRequest& request, const std::function<bool()>& cancel);

  // The time one send waits for the request's answer: the time-out, extended to the wire time
  // of the telegram and its longest answer at the line's baud rate.
  uint16_t EffectiveTimeout(const TZYNRequest& request) const;
  // The longest an exchange of request may take, with the pause before it when the requests
  // before had no longer wait.
  Clock::duration TimeBound(const TZYNRequest& request) const;
  // How long after its last send a request with this wait may still receive a late answer.
  static Clock::duration LateWindow(uint16_t timeout);

  // --- receive side (event thread) ---
  void Receive(const uint8_t* data, size_t count);
  // The port is gone (an adapter pulled out): waits end at once, requests fail with errNoPort
  // and the message names the device.
  void PortLost(const std::string& device);
  // The port was opened again.
  void PortOpened();
  bool Lost() const;
  // The German message of a lost port, naming the device (Windows-1252).
  std::string LostText() const;
  // Forgets every request and answer (the port was closed).
  void Reset();

  // --- state ---
  TZYNCommError TakeError();
  int ErrorCode() const;
  void SetError(TZYNCommError error, int code);
  uint16_t RecCount() const;
  // The last answer with its FCS.
  std::vector<uint8_t> Answer() const;
  const std::vector<uint8_t>& SendBuffer() const { return fEncoder.Wire(); }
  // Answers still owed by finished requests.
  int Outstanding() const;
  // Telegrams the last request sent (its repetitions included).
  int LastSends() const;

 private:
  struct TPending {
    TZYNRequest Request;
    uint16_t Timeout = 0;
    uint64_t Tag = 0;
    int Sends = 0;
    int Extra = 0;  // answers to its repetitions that came before it finished
    int Repeats = 0;
    bool Active = false;
    bool Answered = false;
    Clock::time_point Deadline{};
    Clock::time_point LastSend{};
  };
  struct TOwed {
    TZYNRequest Request;
    int Count = 0;
    Clock::time_point ExpectedBy{};  // its answers, were they in time
    Clock::time_point Expiry{};      // its late window: a request that could take its answer waits to here
    Clock::time_point EatUntil{};    // a frame that fits it is taken as its late answer up to here
  };

  void SetErrorLocked(TZYNCommError error, int code);  // with fMutex held
  void Prepare();
  int SendOnce();
  int WriteTelegram(const std::vector<uint8_t>& wire);
  void Settle();
  void DiscardStaleInput();
  void Finish(std::unique_lock<std::mutex>& lock);
  void HandleFrame(const TZYNReceivedFrame& frame, std::vector<std::function<void()>>& actions);
  bool Belongs(const TZYNRequest& request, const std::vector<uint8_t>& frame) const;
  void SendAcknowledge(uint8_t sender, uint8_t sequence);
  void ReportLost();
  void Debug(const std::string& text);
  std::string Translate(const std::string& text) const;

  TVaComm& fPort;
  TZYNExchangeSettings fSettings;
  TZYNRequest fDraft;  // the request being built or repeated (user-interface thread)
  uint16_t fRecBuffSize = 1024;
  uint16_t fSendBuffSize = 1024;
  TZYNFrameEncoder fEncoder;

  // Shared with the event thread.
  mutable std::mutex fMutex;
  std::condition_variable fCond;
  TZYNFrameDecoder fDecoder;
  TPending fPending;
  std::deque<TOwed> fOwed;
  // Records past EatUntil, kept only to learn how late the peer answers (never to take a frame).
  std::deque<TOwed> fPast;
  // The latest a late answer came after it was due, while the port is open: a peer that queues
  // its answers shows it, and the records of later requests are kept that much longer.
  Clock::duration fLateness{};
  uint64_t fNextTag = 1;
  int fLastSends = 0;
  std::vector<uint8_t> fAnswer;
  int fTransError = errNone;
  int fErrorCode = 0;
  bool fOverflowPending = false;
  bool fOverflowReported = false;
  bool fLost = false;
  bool fLostReported = false;
  std::string fLostDevice;
};

}  // namespace zyn
