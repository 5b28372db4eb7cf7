// The simulator as a program: it prints the terminal to use, answers the link there and logs
// every frame with a time stamp.

#include "bus/ZYNComm.h"
#include "tools/zynsim/core/STMSimulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zyn {
namespace {

TEST(SimulatorProgram, PrintsItsTerminalAndAnswersThere) {
  int out[2], err[2];
  ASSERT_EQ(pipe(out), 0);
  ASSERT_EQ(pipe(err), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(out[0]), close(err[0]);
    const std::string program = std::string(ZYN_BINARY_DIR) + "/tools/zynsim/zyn-stm-sim";
    execl(program.c_str(), program.c_str(), "--modules", "01", "--version", "20", nullptr);
    _exit(127);
  }
  close(out[1]), close(err[1]);
  FILE* stdoutFile = fdopen(out[0], "r");
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof line, stdoutFile), nullptr);
  std::string text = line;
  const std::string prefix = "zyn-stm-sim: ";
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  const std::string path = text.substr(prefix.size(), text.find('\n') - prefix.size());
  {
    TZYNComm comm;
    comm.SetCloseDelay(0);
    comm.SetP_DevicePath(path);
    comm.SetP_RecTimeout(300);
    comm.OpenLink();
    ASSERT_TRUE(comm.Active()) << comm.OpenError();
    EXPECT_EQ(comm.ReadFirmwareVersion(), "V2.20");
    comm.SetP_SendRepeat(0);
    comm.SetA_Steuermodul(2);
    EXPECT_FALSE(comm.GetModuleStatus());  // not simulated
    comm.CloseLink();
  }
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  FILE* stderrFile = fdopen(err[0], "r");
  std::string log;
  while (fgets(line, sizeof line, stderrFile)) log += line;
  fclose(stdoutFile);
  fclose(stderrFile);
  const std::regex request(R"(\d\d:\d\d:\d\d\.\d\d\d PC   C0 FE 00 05 [0-9A-F ]+ C1)");
  const std::regex answer(R"(\d\d:\d\d:\d\d\.\d\d\d BUS  C0 00 FE 05 00 [0-9A-F ]+ 32 30 [0-9A-F ]+ C1)");
  EXPECT_TRUE(std::regex_search(log, request)) << log;
  EXPECT_TRUE(std::regex_search(log, answer)) << log;
  EXPECT_NE(log.find("FE 02 05 00"), std::string::npos) << log;
}

TEST(Simulator, WithoutFaultsItAnswersEveryTelegramOfTheCommandSet) {
  sim::TSTMSimulator simulator;
  simulator.ControlModule(0).Running = false;
  const std::vector<std::vector<uint8_t>> telegrams = {{0xFE, 0, 0x05, 0},
                                                       {0xFE, 0, 0xFF, 0},
                                                       {0xFE, 0, 0xFE, 0},
                                                       {0xFE, 0, 0xFC, 0},
                                                       {0xFE, 0, 0xFD, 0},
                                                       {0xFE, 0, 0x04, 1, 2, 3, 4, 5, 6},
                                                       {0xFE, 0, 0x0F, 0},
                                                       {0xFE, 0, 0x02, 0, 0x40, 0, 0, 16},
                                                       {0xFE, 0, 0x01, 0, 0x40, 0, 1},
                                                       {0xFE, 0, 0x06, 0, 0x20, 1, 1},
                                                       {0xFE, 0, 0x09, 0},
                                                       {0xFE, 0, 0x15, 0, 0, 0},
                                                       {0xFE, 0, 0x15, 0, 1},
                                                       {0xFE, 0, 0x16, 0, 1, 2, 3, 4, 5, 6, 7},
                                                       {0xFE, 0, 0x17, 0, 'a'},
                                                       {0xFE, 0, 0x19, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8},
                                                       {0xFE, 0, 0x10, 0},
                                                       {0xFE, 0, 0x0D, 0},
                                                       {0xFE, 0, 0x0E, 0},
                                                       {0xFE, 0, 0x0A, 0},
                                                       {0xFE, 0, 0x0B, 0},
                                                       {0xFE, 0, 0x11, 0},
                                                       {0xFE, 7, 0x02, 0},
                                                       {0xFE, 7, 0x04, 0}};
  for (const auto& t : telegrams) {
    sim::TSimFrameDecoder decoder;
    std::optional<sim::TSimFrame> frame;
    for (uint8_t b : sim::EncodeFrame(t)) frame = decoder.Feed(b);
    ASSERT_TRUE(frame && frame->FcsOk);
    int delay = -1;
    const auto wire = simulator.HandleFrame(*frame, delay);
    ASSERT_FALSE(wire.empty()) << int(t[2]);
    std::optional<sim::TSimFrame> answer;
    sim::TSimFrameDecoder back;
    for (uint8_t b : wire) answer = answer ? answer : back.Feed(b);
    ASSERT_TRUE(answer && answer->FcsOk) << int(t[2]);
    EXPECT_EQ(answer->Telegram[0], t[1]);
    EXPECT_EQ(answer->Telegram[1], 0xFE);
    EXPECT_NE(answer->Telegram[2], 0xFE) << "unknown command " << int(t[2]);
  }
}

}  // namespace
}  // namespace zyn
