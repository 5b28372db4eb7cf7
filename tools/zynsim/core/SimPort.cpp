#include "tools/zynsim/core/SimPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace zyn::sim {

namespace {

void MakeRaw(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return;
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, B19200);
  ::cfsetospeed(&tio, B19200);
  ::tcsetattr(fd, TCSANOW, &tio);
}

void WriteAll(int fd, const uint8_t* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd, data + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{fd, POLLOUT, 0};
      ::poll(&p, 1, 100);
    } else {
      return;
    }
  }
}

}  // namespace

TSimPort::TSimPort(TSTMSimulator& simulator) : fSim(simulator) {}

TSimPort::~TSimPort() {
  Stop();
  if (fHoldFd >= 0) ::close(fHoldFd);
  if (fFd >= 0) ::close(fFd);
}

std::string TSimPort::OpenPty() {
  fFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fFd < 0 || ::grantpt(fFd) != 0 || ::unlockpt(fFd) != 0)
    throw std::runtime_error(std::string("pseudo-terminal: ") + std::strerror(errno));
  char name[128];
  if (::ptsname_r(fFd, name, sizeof name) != 0) throw std::runtime_error("pseudo-terminal: no name");
  fPath = name;
  fHoldFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fHoldFd >= 0) MakeRaw(fHoldFd);
  ::fcntl(fFd, F_SETFL, ::fcntl(fFd, F_GETFL) | O_NONBLOCK);
  return fPath;
}

void TSimPort::OpenDevice(const std::string& path) {
  fFd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fFd < 0) throw std::runtime_error(path + ": " + std::strerror(errno));
  MakeRaw(fFd);
  fPath = path;
}

void TSimPort::Start() {
  if (fThread.joinable() || fFd < 0) return;
  fWakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  fStop = false;
  fThread = std::thread([this] { Loop(); });
}

void TSimPort::Stop() {
  if (!fThread.joinable()) return;
  fStop = true;
  const uint64_t one = 1;
  [[maybe_unused]] auto n = ::write(fWakeFd, &one, sizeof one);
  fThread.join();
  ::close(fWakeFd);
  fWakeFd = -1;
}

void TSimPort::WriteRaw(const std::vector<uint8_t>& bytes) { WriteAll(fFd, bytes.data(), bytes.size()); }

void TSimPort::Loop() {
  TSimFrameDecoder decoder;
  uint8_t buffer[4096];
  while (!fStop) {
    pollfd fds[2] = {{fFd, POLLIN, 0}, {fWakeFd, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) break;
    if (fStop) break;
    if (!(fds[0].revents & POLLIN)) {
      if (fds[0].revents) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    const ssize_t n = ::read(fFd, buffer, sizeof buffer);
    if (n <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    for (ssize_t i = 0; i < n; ++i) {
      auto frame = decoder.Feed(buffer[i]);
      if (!frame) continue;
      int delay = 0;
      std::vector<uint8_t> out;
      {
        auto lock = fSim.Lock();
        out = fSim.HandleFrame(*frame, delay);
      }
      if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      if (!out.empty()) WriteAll(fFd, out.data(), out.size());
    }
  }
}

}  // namespace zyn::sim
