// The simulator as a program: it prints the terminal to use, answers the link there and logs
// every frame with a time stamp.

#include "bus/ZYNComm.h"
#include "tools/zynsim/core/STMSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <regex>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <unistd.h>

namespace zyn {
namespace {

TEST(SimulatorProgram, PrintsItsTerminalAndAnswersThere) {
  int in[2], out[2], err[2];
  ASSERT_EQ(pipe(in), 0);
  ASSERT_EQ(pipe(out), 0);
  ASSERT_EQ(pipe(err), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(in[1]), close(out[0]), close(err[0]);
    const std::string program = std::string(ZYN_BINARY_DIR) + "/tools/zynsim/zyn-stm-sim";
    execl(program.c_str(), program.c_str(), "--modules", "01", "--version", "20", nullptr);
    _exit(127);
  }
  close(in[0]), close(out[1]), close(err[1]);
  FILE* stdoutFile = fdopen(out[0], "r");
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof line, stdoutFile), nullptr);
  std::string text = line;
  const std::string prefix = "zyn-stm-sim: ";
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  const std::string path = text.substr(prefix.size(), text.find('\n') - prefix.size());
  const uint8_t program[] = {0x12, 0x34, 0xC0, 0xDB};
  {
    TZYNComm comm;
    comm.SetCloseDelay(0);
    comm.SetP_DevicePath(path);
    comm.SetP_RecTimeout(300);
    comm.OpenLink();
    ASSERT_TRUE(comm.Active()) << comm.OpenError();
    EXPECT_EQ(comm.ReadFirmwareVersion(), "V2.20");
    // Module 0 stopped, with a clock and four bytes of program: the simulator tells so on request.
    EXPECT_TRUE(comm.EnterServiceMode());
    EXPECT_TRUE(comm.SetModuleDateTime(TZYNDateTime{2025, 6, 15, 8, 15, 0}));
    EXPECT_TRUE(comm.WriteModuleMemory(program, 0x4000, sizeof program, 1));
    comm.SetP_SendRepeat(0);
    comm.SetA_Steuermodul(2);
    EXPECT_FALSE(comm.GetModuleStatus());  // not simulated
    comm.CloseLink();
  }
  const std::string dump = ::testing::TempDir() + "zyn-stm-sim-dump.bin";
  const std::string commands = "show 0\nshow 2\ndump 0 " + dump + "\n";
  ASSERT_EQ(write(in[1], commands.data(), commands.size()), static_cast<ssize_t>(commands.size()));
  std::vector<std::string> answers;
  while (answers.size() < 3 && fgets(line, sizeof line, stdoutFile)) answers.emplace_back(line);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0], "zyn-stm-sim: stm 0 present stopped 15.06.25 08:15\n");
  EXPECT_EQ(answers[1], "zyn-stm-sim: stm 2 absent running 10.12.26 12:00\n");
  EXPECT_EQ(answers[2], "zyn-stm-sim: dump 0 " + dump + "\n");
  {
    FILE* file = fopen(dump.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<uint8_t> memory(0x10001);
    memory.resize(fread(memory.data(), 1, memory.size(), file));
    fclose(file);
    std::remove(dump.c_str());
    ASSERT_EQ(memory.size(), 0x10000u);
    EXPECT_TRUE(std::equal(std::begin(program), std::end(program), memory.begin() + 0x4000));
    EXPECT_EQ(memory[0x4004], 0xFF);
  }
  close(in[1]);
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
