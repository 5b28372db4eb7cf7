#pragma once
// Serial port of the bus link on POSIX termios: one device opened exclusively, raw 8N1 at the
// chosen baud rate, an event thread that waits with poll() and calls OnRxChar on itself, direct
// writes with a time limit and the RTS line.
//
// Device names: "COM<n>" stands for the Linux device /dev/ttyS<n-1> (COM1 = /dev/ttyS0); a name
// that starts with "/" (/dev/ttyUSB0, a pseudo-terminal) is opened as it stands.

#include "model/base/Errors.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace zyn {

// Errors of the serial port (open, read, write, line control).
class EVaCommError : public EZYNError {
 public:
  using EZYNError::EZYNError;
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

  // Time limit of a direct write in milliseconds.
  void SetWriteTimeout(int ms) { fWriteTimeout = ms; }
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

  std::function<void()> OnOpen;
  std::function<void()> OnClose;
  // Bytes arrived (count waiting); called on the event thread, which must read them itself.
  std::function<void(int count)> OnRxChar;
  // An exception thrown by a handler on the event thread (its message); the thread goes on.
  std::function<void(const std::string&)> OnThreadError;
  // The line is gone (an adapter pulled out, the other side of a pseudo-terminal closed, a
  // hang-up): called once on the event thread, which then ends; writes fail from then on.
  std::function<void(const std::string&)> OnLineLost;

 private:
  void ApplySettings();
  void StartThread();
  void StopThread();
  void EventLoop();
  void CloseHandle();

  std::string fDeviceName = "COM1";
  int fBaudrate = 1200;
  int fWriteTimeout = 1000;
  int fCloseDelay = 300;
  std::atomic<int> fFd{-1};
  int fWakeFd = -1;
  std::thread fThread;
  std::atomic<bool> fStop{false};
  std::mutex fReadLock;
  std::mutex fWriteLock;
};

}  // namespace zyn
