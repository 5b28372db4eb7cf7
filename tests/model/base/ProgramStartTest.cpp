// The programme itself, started twice from an empty folder and asked to end (SIGTERM) once its
// options are there: the first start writes the options file with its defaults, the second reads
// it and writes it again unchanged. Both end in order with exit status 0.
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zyn {
namespace {

using Clock = std::chrono::steady_clock;

// Whether the process catches SIGTERM (the kernel shows its caught signals in SigCgt).
bool CatchesSigterm(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGTERM - 1))) != 0;
  return false;
}

// Starts the programme, sends SIGTERM once the options file exists and the programme catches the
// signal (its first step), and waits for it to end through its own closing path. Each wait has a
// deadline of 120 s; the exit status, or -1 when a deadline passed.
int RunAndStop(const std::string& program, const std::string& options, const std::string& output) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  const auto deadline = Clock::now() + std::chrono::seconds(120);
  bool ready = false;
  while (!(ready = std::filesystem::exists(options) && CatchesSigterm(pid)) && Clock::now() < deadline) {
    // Ends the wait early when the programme ended by itself.
    pollfd p{pidfd, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0) break;
    std::this_thread::yield();
  }
  if (ready) ::kill(pid, SIGTERM);
  pollfd p{pidfd, POLLIN, 0};
  const bool ended = ::poll(&p, 1, 120000) > 0;
  if (!ended) ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(pidfd);
  if (!ready || !ended) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ProgramStart, FirstStartWritesTheOptionsSecondKeepsThem) {
  const std::filesystem::path built = std::string(ZYN_BINARY_DIR) + "/app/zyn";
  if (!std::filesystem::exists(built)) GTEST_SKIP() << "the programme is not built in this tree";
  test::TempFolder dir;
  const std::string program = dir.File("zyn");
  std::filesystem::copy_file(built, program);

  const std::string options = dir.File("zyn.xml");
  ASSERT_EQ(RunAndStop(program, options, dir.File("out.txt")), 0);
  ASSERT_TRUE(std::filesystem::exists(options));
  EXPECT_TRUE(test::XmllintAccepts(options));
  const std::string first = test::ReadWholeFile(options);
  EXPECT_NE(first.find("<PorWaitTime>250</PorWaitTime>"), std::string::npos);
  EXPECT_NE(first.find("<SystemPath>" + std::string("&#x2F;")), std::string::npos);

  ASSERT_EQ(RunAndStop(program, options, dir.File("out.txt")), 0);
  EXPECT_EQ(test::ReadWholeFile(options), first);
}

}  // namespace
}  // namespace zyn
