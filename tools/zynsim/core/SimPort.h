#pragma once
// The line side of the simulator: a pseudo-terminal (or a serial device) and a thread that
// reads telegrams from it, lets the simulator answer and writes the answers back.

#include "tools/zynsim/core/STMSimulator.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zyn::sim {

class TSimPort {
 public:
  explicit TSimPort(TSTMSimulator& simulator);
  ~TSimPort();
  TSimPort(const TSimPort&) = delete;
  TSimPort& operator=(const TSimPort&) = delete;

  // Creates a pseudo-terminal and returns the path of its terminal side (/dev/pts/N), which
  // the bus link opens. Throws std::runtime_error on failure.
  std::string OpenPty();
  // Uses a serial device instead (raw 8N1, 19200 baud).
  void OpenDevice(const std::string& path);
  const std::string& Path() const { return fPath; }

  // The line rate the simulated bus runs at (bits per second, 10 bits per byte); 0: as fast as
  // the terminal takes them. Telegrams take their wire time to arrive and answers to go out.
  void SetLineRate(int baud) { fBaud = baud; }
  int LineRate() const { return fBaud; }

  void Start();
  void Stop();

  // Takes the line away as a pulled-out adapter does: stops and closes the terminal.
  void Hangup();

  // Puts bytes on the line as they stand (spontaneous frames, noise).
  void WriteRaw(const std::vector<uint8_t>& bytes);

 private:
  void Loop();
  // Writes bytes at the line rate.
  void WritePaced(const std::vector<uint8_t>& bytes);
  std::chrono::nanoseconds ByteTime() const;

  TSTMSimulator& fSim;
  int fFd = -1;
  int fHoldFd = -1;  // keeps the terminal side open so the line never hangs up
  int fWakeFd = -1;
  std::string fPath;
  std::thread fThread;
  std::atomic<bool> fStop{false};
  std::atomic<int> fBaud{0};
  std::mutex fWriteMutex;  // one writer at a time: answers and raw bytes never interleave
};

}  // namespace zyn::sim
