#include "tests/journeys/XSession.h"

#include "tests/support/TestGate.h"
#include "tests/support/XWindowManager.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zyn::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kChildVariable = "ZYN_JOURNEY_SESSION";

// Starts a programme that ends with this process; keepFd stays open in it (-1 for none), a quiet
// programme writes nothing to the test's output.
pid_t Spawn(const std::vector<std::string>& args, int keepFd, bool quiet) {
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != parent) ::_exit(126);
  if (keepFd >= 0) ::fcntl(keepFd, F_SETFD, 0);
  if (quiet) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
  }
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  ::execvp(argv[0], argv.data());
  ::_exit(127);
}

// Reads the display number Xvfb writes once it accepts clients.
std::string ReadDisplayNumber(int fd, Clock::time_point deadline) {
  std::string number;
  while (Clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    const int wait =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (::poll(&p, 1, std::max(wait, 1)) <= 0) continue;
    char c;
    const ssize_t n = ::read(fd, &c, 1);
    if (n <= 0) return {};
    if (c == '\n') return number;
    number += c;
  }
  return {};
}

// Runs a quiet programme and waits for its end; true when it succeeded.
bool RunToEnd(const std::vector<std::string>& args) {
  const pid_t pid = Spawn(args, -1, true);
  if (pid < 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

int Fail(const char* what) {
  std::fprintf(stderr, "journeys: %s\n", what);
  return 1;
}

}  // namespace

bool InJourneySession() { return std::getenv(kChildVariable) != nullptr; }

int RunJourneysInXSession(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]).starts_with("--gtest_list_tests")) return -1;
  if (InJourneySession()) return -1;

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return Fail("no pipe for the X server's display number");
  const pid_t server = Spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1280x1024x24",
                              "-nolisten", "tcp", "-noreset"},
                             pipeFds[1], true);
  ::close(pipeFds[1]);
  const std::string number = ReadDisplayNumber(pipeFds[0], Clock::now() + std::chrono::seconds(60));
  ::close(pipeFds[0]);
  if (number.empty()) {
    Stop(server);
    return Fail("Xvfb did not start (is it installed?)");
  }
  const std::string display = ":" + number;
  ::setenv("DISPLAY", display.c_str(), 1);

  // The keyboard of a German installer: the umlauts and "ß" have keys of their own, so every
  // character of a German text is found on the keymap and typed as a user types it (the server's
  // default keymap has none of them).
  if (!RunToEnd({"setxkbmap", "-display", display, "-layout", "de"})) {
    Stop(server);
    return Fail("setxkbmap could not give the X server a German keyboard (is x11-xkb-utils installed?)");
  }

  // twm in the C locale (in others it finds no font set on a server without font files), placing
  // windows itself instead of asking for a click.
  char folderTemplate[] = "/tmp/zyn-journey-XXXXXX";
  const char* folder = ::mkdtemp(folderTemplate);
  if (!folder) {
    Stop(server);
    return Fail("no folder for the window manager's settings");
  }
  const std::string twmrc = std::string(folder) + "/twmrc";
  if (FILE* f = std::fopen(twmrc.c_str(), "w")) {
    std::fputs("NoGrabServer\nRandomPlacement\nDecorateTransients\n", f);
    std::fclose(f);
  }
  ::setenv("LC_ALL", "C", 1);
  const pid_t manager = Spawn({"twm", "-display", display, "-f", twmrc}, -1, true);
  ::unsetenv("LC_ALL");
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  bool managed = false;
  while (!(managed = WindowManagerRuns(display)) && Clock::now() < deadline) {
    int status = 0;
    if (::waitpid(manager, &status, WNOHANG) == manager) break;  // twm ended: no point waiting
    ::poll(nullptr, 0, 10);
  }
  int result = 1;
  if (managed) {
    ::setenv(kChildVariable, "1", 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    std::vector<std::string> args(argv, argv + argc);
    const pid_t child = Spawn(args, -1, false);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  } else {
    Fail("the window manager twm did not start (is it installed?)");
  }
  Stop(manager);
  Stop(server);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return result;
}

namespace {
[[maybe_unused]] const bool kGateSet = SetTestGate(&RunJourneysInXSession);
}  // namespace

}  // namespace zyn::test
