#include "bus/VaComm.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

namespace zyn {

namespace {

constexpr const char* kPortOpen = "Can't perform this operation while port is open";

std::string Format(const char* pattern, int code) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, code, std::strerror(code));
  return text;
}

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 110:
      return B110;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

// Devices without modem lines answer the line ioctls with one of these.
bool IsNoModemLines(int code) {
  return code == ENOTTY || code == EINVAL || code == ENOTSUP || code == EOPNOTSUPP || code == ENODEV;
}


int NiceOf(TThreadPriority p) {
  static const int values[] = {19, 10, 5, 0, -5, -10, -20};
  return values[static_cast<int>(p)];
}

void ApplyPriority(TThreadPriority p) {
  // Best effort: raising above normal needs the right to.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), NiceOf(p));
}

}  // namespace

namespace {

TVaParity ParityOf(const termios& tio) {
  if (!(tio.c_cflag & PARENB)) return TVaParity::paNone;
#ifdef CMSPAR
  if (tio.c_cflag & CMSPAR) return (tio.c_cflag & PARODD) ? TVaParity::paMark : TVaParity::paSpace;
#endif
  return (tio.c_cflag & PARODD) ? TVaParity::paOdd : TVaParity::paEven;
}

}  // namespace

TVaComm::TVaComm() {
  fBuffers.OnChange = [this] {
    if (IsOpen()) throw EVaCommError(kPortOpen);
  };
  fEventChars.OnChange = [this] { ApplySettings(); };
  fFlowControl.OnChange = [this] { ApplySettings(); };
}

void TVaComm::SetParity(TVaParity v) {
  // A setting the device refuses leaves the one before it.
  const TVaParity previous = fParity;
  fParity = v;
  try {
    ApplySettings();
  } catch (...) {
    fParity = previous;
    throw;
  }
}

void TVaComm::SetDatabits(TVaDatabits v) {
  // A setting the device refuses leaves the one before it.
  const TVaDatabits previous = fDatabits;
  fDatabits = v;
  try {
    ApplySettings();
  } catch (...) {
    fDatabits = previous;
    throw;
  }
}

void TVaComm::SetStopbits(TVaStopbits v) {
  // A setting the device refuses leaves the one before it.
  const TVaStopbits previous = fStopbits;
  fStopbits = v;
  try {
    ApplySettings();
  } catch (...) {
    fStopbits = previous;
    throw;
  }
}

void TVaComm::SetOptions(unsigned options) {
  // A setting the device refuses leaves the one before it.
  const unsigned previous = fOptions;
  fOptions = options;
  try {
    ApplySettings();
  } catch (...) {
    fOptions = previous;
    throw;
  }
}

void TVaComm::SetEventPriority(TThreadPriority p) { fEventPriority = p; }

void TVaComm::SetDirectWrite(bool v) {
  if (IsOpen()) throw EVaCommError(kPortOpen);
  fDirectWrite = v;
}

TVaLineState TVaComm::ReadBack() const {
  TVaLineState state;
  const int fd = fFd.load();
  termios tio{};
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) return state;
  const speed_t speed = ::cfgetospeed(&tio);
  for (int baud : {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400})
    if (SpeedOf(baud) == speed) state.Baudrate = baud;
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      state.Databits = TVaDatabits::db5;
      break;
    case CS6:
      state.Databits = TVaDatabits::db6;
      break;
    case CS7:
      state.Databits = TVaDatabits::db7;
      break;
    default:
      state.Databits = TVaDatabits::db8;
  }
  state.Parity = ParityOf(tio);
  state.Stopbits = (tio.c_cflag & CSTOPB) ? ((tio.c_cflag & CSIZE) == CS5 ? TVaStopbits::sb15 : TVaStopbits::sb2)
                                          : TVaStopbits::sb1;
  state.ParityCheck = tio.c_iflag & INPCK;
  state.HardwareFlow = tio.c_cflag & CRTSCTS;
  state.XonXoffOut = tio.c_iflag & IXON;
  state.XonXoffIn = tio.c_iflag & IXOFF;
  state.XonChar = tio.c_cc[VSTART];
  state.XoffChar = tio.c_cc[VSTOP];
  return state;
}

TVaComm::~TVaComm() {
  fCloseDelay = 0;
  OnClose = nullptr;
  Close();
}

void TVaComm::SetDeviceName(const std::string& name) {
  if (IsOpen()) throw EVaCommError(kPortOpen);
  fDeviceName = name;
}

std::string TVaComm::DevicePath(const std::string& deviceName) {
  if (deviceName.size() > 3 && (deviceName.compare(0, 3, "COM") == 0)) {
    const std::string digits = deviceName.substr(3);
    if (digits.find_first_not_of("0123456789") == std::string::npos && digits.size() < 6) {
      const int n = std::stoi(digits);
      if (n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
    }
  }
  return deviceName;
}

void TVaComm::SetBaudrate(int baud) {
  fBaudrate = baud;
  if (IsOpen()) ApplySettings();
}

void TVaComm::Open() {
  if (IsOpen()) throw EVaCommError(kPortOpen);
  const std::string path = DevicePath(fDeviceName);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int code = errno;
    if (code == ENOENT) throw EVaCommError("Specified device not found (" + fDeviceName + ").");
    throw EVaCommError("Can't open specified device " + fDeviceName + Format(" (Error %d, %s)", code));
  }
  // Exclusive: no second process (flock) and no second open of the terminal (TIOCEXCL).
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    const int code = errno;
    ::close(fd);
    throw EVaCommError("Can't open specified device " + fDeviceName + Format(" (Error %d, %s)", code));
  }
  fFd = fd;
  try {
    ApplySettings();
    StartThread();
  } catch (...) {
    StopThread();
    CloseHandle();
    throw;
  }
  if (OnOpen) {
    try {
      OnOpen();
    } catch (...) {
    }
  }
}

void TVaComm::ApplySettings() {
  const int fd = fFd.load();
  if (fd < 0) return;
  const speed_t speed = SpeedOf(fBaudrate);
  termios tio{};
  if (speed == B0) throw EVaCommError(Format("Error writing dcb (%d), %s", EINVAL));
  // 4 data bits, and 1.5 stop bits with more than 5 data bits, are beyond a POSIX line.
  if (fDatabits == TVaDatabits::db4 || (fStopbits == TVaStopbits::sb15 && fDatabits != TVaDatabits::db5))
    throw EVaCommError(Format("Error writing dcb (%d), %s", EINVAL));
  if (::tcgetattr(fd, &tio) != 0) throw EVaCommError(Format("Error writing dcb (%d), %s", errno));
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
  tio.c_cflag &= ~CMSPAR;
#endif
  static const tcflag_t sizes[] = {CS5, CS5, CS6, CS7, CS8};
  tio.c_cflag |= sizes[static_cast<int>(fDatabits)] | CLOCAL | CREAD;
  switch (fParity) {
    case TVaParity::paNone:
      break;
    case TVaParity::paOdd:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case TVaParity::paEven:
      tio.c_cflag |= PARENB;
      break;
#ifdef CMSPAR
    case TVaParity::paMark:
      tio.c_cflag |= PARENB | PARODD | CMSPAR;
      break;
    case TVaParity::paSpace:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
#else
    default:
      throw EVaCommError(Format("Error writing dcb (%d), %s", EINVAL));
#endif
  }
  if (fStopbits != TVaStopbits::sb1) tio.c_cflag |= CSTOPB;
  // Parity checking only means something with a parity bit on the line.
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK);
  if ((fOptions & coParityCheck) && fParity != TVaParity::paNone) tio.c_iflag |= INPCK;
  const TVaFlowControl& flow = fFlowControl;
  if (flow.OutCtsFlow() || flow.ControlRts() == TVaControlRts::rtsHandshake) tio.c_cflag |= CRTSCTS;
  if (flow.XonXoffOut()) tio.c_iflag |= IXON;
  if (flow.XonXoffIn()) tio.c_iflag |= IXOFF;
  tio.c_cc[VSTART] = fEventChars.XonChar();
  tio.c_cc[VSTOP] = fEventChars.XoffChar();
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) throw EVaCommError(Format("Error writing dcb (%d), %s", errno));
  // Read back: a device that silently keeps other settings is an error, not a quiet 8N1.
  const TVaLineState back = ReadBack();
  const bool parityOk = back.Parity == fParity;
  if (back.Databits != (fDatabits == TVaDatabits::db4 ? TVaDatabits::db5 : fDatabits) || !parityOk ||
      (back.Stopbits != TVaStopbits::sb1) != (fStopbits != TVaStopbits::sb1) ||
      back.HardwareFlow != static_cast<bool>(tio.c_cflag & CRTSCTS) || back.XonXoffOut != flow.XonXoffOut() ||
      back.XonXoffIn != flow.XonXoffIn())
    throw EVaCommError(Format("Error writing dcb (%d), %s", EIO));
  // DTR under program control: on when enabled.
  if (flow.ControlDtr() != TVaControlDtr::dtrHandshake) {
    int bits = TIOCM_DTR;
    ::ioctl(fd, flow.ControlDtr() == TVaControlDtr::dtrEnabled ? TIOCMBIS : TIOCMBIC, &bits);
  }
}

void TVaComm::StartThread() {
  fWakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fWakeFd < 0) throw EVaCommError(Format("Error creating event thread (%d), %s", errno));
  fStop = false;
  {
    // The counters of the line errors start from what the device counted so far.
    const int fd = fFd.load();
    serial_icounter_struct counts{};
    if (::ioctl(fd, TIOCGICOUNT, &counts) == 0) {
      fErrorCounts[0] = counts.frame, fErrorCounts[1] = counts.parity;
      fErrorCounts[2] = counts.overrun + counts.buf_overrun, fErrorCounts[3] = counts.brk;
    }
  }
  fThread = std::thread([this] { EventLoop(); });
  if (!fDirectWrite) {
    {
      std::lock_guard<std::mutex> lock(fQueueLock);
      fWriterStop = false;
      fQueue.clear();
    }
    fWriter = std::thread([this] { WriteLoop(); });
  }
}

void TVaComm::StopThread() {
  {
    std::lock_guard<std::mutex> lock(fQueueLock);
    fWriterStop = true;
  }
  fQueueCond.notify_all();
  if (fWriter.joinable()) fWriter.join();
  fStop = true;
  if (fWakeFd >= 0) {
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(fWakeFd, &one, sizeof one);
  }
  if (fThread.joinable()) {
    if (fThread.get_id() == std::this_thread::get_id())
      fThread.detach();
    else
      fThread.join();
  }
  if (fWakeFd >= 0) ::close(fWakeFd);
  fWakeFd = -1;
}

void TVaComm::EventLoop() {
  ApplyPriority(fEventPriority);
  const int fd = fFd.load();
  auto lost = [this](const std::string& why) {
    if (const auto display = Display()) display->LineLost();
    if (OnLineLost) {
      try {
        OnLineLost(why);
      } catch (...) {
      }
    }
  };
  while (!fStop) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {fWakeFd, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (fStop) break;
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    int count = 0;
    try {
      count = (fds[0].revents & POLLIN) ? InQueueCount() : 0;
    } catch (const std::exception& e) {
      // The line is gone (an adapter pulled out): reported once; the thread ends, writes fail
      // and the owner closes the port.
      lost(e.what());
      break;
    }
    if (count <= 0) {
      // A hang-up or an error of the line with nothing left to read: the line is gone (the
      // port is opened with CLOCAL, so a serial line without carrier never hangs up).
      if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        lost("hang-up");
        break;
      }
      if (fds[0].revents) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (const auto display = Display()) display->Received(static_cast<size_t>(count));
    try {
      if (OnRxChar) {
        OnRxChar(count);
      } else {
        uint8_t sink[4096];
        ReadBuf(sink, sizeof sink);
      }
      CheckLineErrors();
    } catch (const std::exception& e) {
      if (OnThreadError) OnThreadError(e.what());
    } catch (...) {
      if (OnThreadError) OnThreadError("Unknown error");
    }
  }
}

void TVaComm::CloseHandle() {
  std::lock_guard<std::mutex> read(fReadLock);
  std::lock_guard<std::mutex> write(fWriteLock);
  const int fd = fFd.exchange(-1);
  if (fd < 0) return;
  ::ioctl(fd, TIOCNXCL);
  ::flock(fd, LOCK_UN);
  ::close(fd);
}

void TVaComm::Close() {
  if (!IsOpen()) return;
  StopThread();
  CloseHandle();
  if (OnClose) {
    try {
      OnClose();
    } catch (...) {
    }
  }
  if (fCloseDelay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(fCloseDelay));
}

size_t TVaComm::WriteBuf(const uint8_t* data, size_t count) {
  if (fDirectWrite) return WriteDirect(data, count);
  if (!IsOpen()) return 0;
  // Through the write thread: wait for room up to the write time limit.
  std::unique_lock<std::mutex> lock(fQueueLock);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(fBuffers.WriteTimeout());
  const size_t room = std::max<size_t>(fBuffers.WriteSize(), count);
  if (!fQueueCond.wait_until(lock, deadline, [&] { return fQueue.size() + count <= room || fWriterStop; }))
    throw EVaCommError("Output buffer is full. Please check comm status.");
  if (fWriterStop) return 0;
  fQueue.insert(fQueue.end(), data, data + count);
  fQueueCond.notify_all();
  return count;
}

bool TVaComm::Flush() {
  std::unique_lock<std::mutex> lock(fQueueLock);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(fBuffers.WriteTimeout());
  return fQueueCond.wait_until(lock, deadline, [&] { return fQueue.empty() || fWriterStop; }) && fQueue.empty();
}

void TVaComm::WriteLoop() {
  ApplyPriority(fWritePriority);
  std::unique_lock<std::mutex> lock(fQueueLock);
  for (;;) {
    fQueueCond.wait(lock, [&] { return !fQueue.empty() || fWriterStop; });
    if (fWriterStop) return;
    std::vector<uint8_t> bytes;
    bytes.swap(fQueue);
    lock.unlock();
    bool failed = false;
    try {
      failed = WriteDirect(bytes.data(), bytes.size()) != bytes.size();
    } catch (const std::exception&) {
      failed = true;
    }
    if (failed && OnError) OnError(0);
    lock.lock();
    fQueueCond.notify_all();
  }
}

size_t TVaComm::WriteDirect(const uint8_t* data, size_t count) {
  std::lock_guard<std::mutex> guard(fWriteLock);
  const int fd = fFd.load();
  if (fd < 0) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(fBuffers.WriteTimeout());
  size_t done = 0;
  // What went on the line, also when the rest does not.
  struct TTell {
    const TVaComm& comm;
    const size_t& done;
    ~TTell() {
      if (const auto display = comm.Display(); display && done > 0) display->Sent(done);
    }
  } tell{*this, done};
  while (done < count) {
    const ssize_t n = ::write(fd, data + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) throw EVaCommError(Format("Write error (%d), %s", errno));
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return 0;
    pollfd p{fd, POLLOUT, 0};
    ::poll(&p, 1, static_cast<int>(left.count()));
  }
  return done;
}

void TVaComm::CheckLineErrors() {
  const int fd = fFd.load();
  serial_icounter_struct counts{};
  // Devices that keep no counters (a pseudo-terminal) report nothing.
  const auto display = Display();
  if (fd < 0 || (!OnError && !display) || ::ioctl(fd, TIOCGICOUNT, &counts) != 0) return;
  const int now[4] = {counts.frame, counts.parity, counts.overrun + counts.buf_overrun, counts.brk};
  unsigned errors = 0;
  for (int i = 0; i < 4; ++i) {
    if (now[i] > fErrorCounts[i]) errors |= 1u << i;
    fErrorCounts[i] = now[i];
  }
  if (!errors) return;
  if (display) display->LineError(errors);
  if (OnError) OnError(errors);
}

void TVaComm::SetDisplay(std::shared_ptr<IVaDisplay> display) {
  std::lock_guard<std::mutex> guard(fDisplayLock);
  fDisplay = std::move(display);
}

std::shared_ptr<IVaDisplay> TVaComm::Display() const {
  std::lock_guard<std::mutex> guard(fDisplayLock);
  return fDisplay;
}

size_t TVaComm::ReadBuf(uint8_t* buffer, size_t maximum) {
  std::lock_guard<std::mutex> guard(fReadLock);
  const int fd = fFd.load();
  if (fd < 0 || maximum == 0) return 0;
  const ssize_t n = ::read(fd, buffer, maximum);
  if (n >= 0) return static_cast<size_t>(n);
  if (errno == EAGAIN || errno == EINTR || errno == EIO) return 0;
  throw EVaCommError(Format("Read error (%d), %s", errno));
}

int TVaComm::InQueueCount() {
  std::lock_guard<std::mutex> guard(fReadLock);
  const int fd = fFd.load();
  if (fd < 0) return 0;
  int count = 0;
  if (::ioctl(fd, FIONREAD, &count) != 0) throw EVaCommError(Format("Error retrieving statistics (%d), %s", errno));
  return count;
}

void TVaComm::FlushInput() {
  std::lock_guard<std::mutex> guard(fReadLock);
  const int fd = fFd.load();
  if (fd >= 0) ::tcflush(fd, TCIFLUSH);
}

bool TVaComm::SetRtsLine(bool on) {
  if (fFlowControl.ControlRts() == TVaControlRts::rtsHandshake || fFlowControl.ControlRts() == TVaControlRts::rtsToggle)
    throw EVaCommError("RTS line updates not allowed when flowcontrol is set to Handshake or Toggle.");
  const int fd = fFd.load();
  if (fd < 0) return false;
  int bits = TIOCM_RTS;
  if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
  const int code = errno;
  if (IsNoModemLines(code)) return false;
  throw EVaCommError(Format("Error calling comm function (%d), %s", code));
}

}  // namespace zyn
