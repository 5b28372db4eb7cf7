#include "bus/VaComm.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
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

}  // namespace

TVaComm::TVaComm() = default;

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
  if (::tcgetattr(fd, &tio) != 0) throw EVaCommError(Format("Error writing dcb (%d), %s", errno));
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) throw EVaCommError(Format("Error writing dcb (%d), %s", errno));
}

void TVaComm::StartThread() {
  fWakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fWakeFd < 0) throw EVaCommError(Format("Error creating event thread (%d), %s", errno));
  fStop = false;
  fThread = std::thread([this] { EventLoop(); });
}

void TVaComm::StopThread() {
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
  const int fd = fFd.load();
  auto lost = [this](const std::string& why) {
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
    try {
      if (OnRxChar) {
        OnRxChar(count);
      } else {
        uint8_t sink[4096];
        ReadBuf(sink, sizeof sink);
      }
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
  std::lock_guard<std::mutex> guard(fWriteLock);
  const int fd = fFd.load();
  if (fd < 0) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(fWriteTimeout);
  size_t done = 0;
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
  const int fd = fFd.load();
  if (fd < 0) return false;
  int bits = TIOCM_RTS;
  if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
  const int code = errno;
  if (IsNoModemLines(code)) return false;
  throw EVaCommError(Format("Error calling comm function (%d), %s", code));
}

}  // namespace zyn
