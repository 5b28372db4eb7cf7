#include "tools/zynsim/core/SimPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

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

void TSimPort::Hangup() {
  Stop();
  if (fHoldFd >= 0) ::close(fHoldFd);
  if (fFd >= 0) ::close(fFd);
  fHoldFd = fFd = -1;
}

void TSimPort::WriteRaw(const std::vector<uint8_t>& bytes) { WritePaced(bytes); }

std::chrono::nanoseconds TSimPort::ByteTime() const {
  const int baud = fBaud;
  return baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud) : std::chrono::nanoseconds(0);
}

void TSimPort::WritePaced(const std::vector<uint8_t>& bytes) {
  std::lock_guard<std::mutex> guard(fWriteMutex);
  const auto byteTime = ByteTime();
  if (byteTime.count() == 0) {
    WriteAll(fFd, bytes.data(), bytes.size());
    return;
  }
  // A few bytes at a time, each piece when the line would have carried the ones before it.
  constexpr size_t kPiece = 8;
  const auto start = std::chrono::steady_clock::now();
  for (size_t done = 0; done < bytes.size(); done += kPiece) {
    std::this_thread::sleep_until(start + byteTime * static_cast<long>(done));
    WriteAll(fFd, bytes.data() + done, std::min(kPiece, bytes.size() - done));
  }
  std::this_thread::sleep_until(start + byteTime * static_cast<long>(bytes.size()));
}

void TSimPort::Loop() {
  TSimFrameDecoder decoder;
  uint8_t buffer[4096];
  auto lineFree = std::chrono::steady_clock::now();
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
    // The PC's bytes come in no faster than the line carries them.
    const auto now = std::chrono::steady_clock::now();
    if (lineFree < now) lineFree = now;
    for (ssize_t i = 0; i < n; ++i) {
      lineFree += ByteTime();
      auto frame = decoder.Feed(buffer[i]);
      if (!frame) continue;
      std::this_thread::sleep_until(lineFree);
      int delay = 0;
      std::vector<uint8_t> out;
      {
        auto lock = fSim.Lock();
        out = fSim.HandleFrame(*frame, delay);
      }
      if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      if (!out.empty()) WritePaced(out);
      if (lineFree < std::chrono::steady_clock::now()) lineFree = std::chrono::steady_clock::now();
    }
  }
}

}  // namespace zyn::sim
