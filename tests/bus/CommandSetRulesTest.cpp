// The command set over a scripted link (no port, no simulator): the answer rules it gives the
// exchange layer, and its judgement of the answers it is handed.

#include "bus/ZYNCommandSet.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

// Hands out scripted answers (without the FCS) and records the requests.
class TScriptedLink : public IZYNLink {
 public:
  uint8_t Module() const override { return fModule; }
  void SelectModule(uint8_t module) override { fModule = module; }
  uint8_t Station() const override { return fModule; }
  std::optional<Bytes> Transact(const TZYNRequest& request) override {
    Requests.push_back(request);
    if (Answers.empty()) return std::nullopt;
    auto answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  bool CheckCancel() override { return false; }
  void ClearCancel() override {}
  std::string TranslateText(const std::string& text) override { return text; }
  uint16_t ReceiveCapacity() const override { return 2048; }

  std::deque<std::optional<Bytes>> Answers;
  std::vector<TZYNRequest> Requests;

 private:
  uint8_t fModule = 0;
};

TEST(CommandSetRules, BlockRequestsNameTheirSequenceByteAndLength) {
  TScriptedLink link;
  TZYNCommandSet set(link);
  set.SetA_WriteSize(4);
  const Bytes data{1, 2, 3, 4, 5, 6};
  link.Answers = {Bytes{0, 0xFE, 0x01, 9}, Bytes{0, 0xFE, 0x01, 10}};
  EXPECT_TRUE(set.WriteModuleMemory(data.data(), 0x4000, 6, 9));
  ASSERT_EQ(link.Requests.size(), 2u);
  EXPECT_EQ(link.Requests[0].Answer.Sequence, 9);
  EXPECT_EQ(link.Requests[1].Answer.Sequence, 10);
  EXPECT_EQ(link.Requests[1].Answer.Success, (Bytes{0x01, 0x00}));
  link.Requests.clear();
  Bytes back(6);
  link.Answers = {Bytes{0, 0xFE, 0x02, 0, 1, 2, 3, 4, 5, 6}};
  EXPECT_TRUE(set.ReadModuleMemory(back.data(), 0x4000, 6));
  ASSERT_EQ(link.Requests.size(), 1u);
  EXPECT_EQ(link.Requests[0].Answer.Sequence, 0);
  EXPECT_EQ(link.Requests[0].AnswerLength, 10u);  // for the wait: the answer's wire time
  EXPECT_EQ(back, data);
}

// Answers the exchange layer hands over are still judged: refusals, absence marks and lengths.
TEST(CommandSetRules, AnswersAreJudgedByStatusAbsenceAndLength) {
  struct Case {
    const char* name;
    std::function<bool(TZYNCommandSet&)> op;
    Bytes answer;
    bool expected;
  };
  uint8_t buffer[16] = {};
  TTimerRecord record{};
  const Bytes curve(272);
  const Case cases[] = {
      {"read block of its length",
       [&](TZYNCommandSet& s) { return s.ReadModuleMemory(buffer, 0x4000, 4); },
       {0, 0xFE, 0x02, 0, 1, 2, 3, 4},
       true},
      {"read block one byte short",
       [&](TZYNCommandSet& s) { return s.ReadModuleMemory(buffer, 0x4000, 4); },
       {0, 0xFE, 0x02, 0, 1, 2, 3},
       false},
      {"read block one byte long",
       [&](TZYNCommandSet& s) { return s.ReadModuleMemory(buffer, 0x4000, 4); },
       {0, 0xFE, 0x02, 0, 1, 2, 3, 4, 5},
       false},
      {"refused read block",
       [&](TZYNCommandSet& s) { return s.ReadModuleMemory(buffer, 0x4000, 4); },
       {0, 0xFE, 0xFF, 0},
       false},
      {"refused write block",
       [&](TZYNCommandSet& s) { return s.WriteModuleMemory(buffer, 0x4000, 4, 1); },
       {0, 0xFE, 0xFF, 1},
       false},
      {"dimmer curve, module there",
       [&](TZYNCommandSet& s) { return s.WriteDimmerCurve(0x20, 6, curve.data()); },
       {0, 0xFE, 0x06, 0, 0x20, 0, 0x00},
       true},
      {"dimmer curve, module absent",
       [&](TZYNCommandSet& s) { return s.WriteDimmerCurve(0x20, 6, curve.data()); },
       {0, 0xFE, 0x06, 0, 0x20, 0, 0xF0},
       false},
      {"dimmer curve, answer without byte 6",
       [&](TZYNCommandSet& s) { return s.WriteDimmerCurve(0x20, 6, curve.data()); },
       {0, 0xFE, 0x06, 0},
       false},
      {"query, module absent",
       [&](TZYNCommandSet& s) { return s.IsModulePresent(0x20); },
       {0, 0xFE, 0x06, 0, 0x20, 0, 0xF0, 0, 0, 0},
       false},
      {"timer that does not exist",
       [&](TZYNCommandSet& s) { return s.ReadTimer(record, 40); },
       {0, 0xFE, 0x15, 0, 0xFF},
       false},
      {"timer answer too short for a record",
       [&](TZYNCommandSet& s) { return s.ReadTimer(record, 4); },
       {0, 0xFE, 0x15, 0, 4, 0, 1, 2},
       false},
      {"refused stop", [&](TZYNCommandSet& s) { return s.EnterServiceMode(); }, {0, 0xFE, 0xFF, 0}, false},
      {"failed memory check", [&](TZYNCommandSet& s) { return s.TestParallelEepromErased(); }, {0, 0xFE, 0x01}, false},
      {"passed memory check", [&](TZYNCommandSet& s) { return s.TestParallelEepromErased(); }, {0, 0xFE, 0x00}, true},
  };
  const Bytes status{0, 0xFE, 0x05, 0, 12, 0, 4, 10, 12, 26, '7', '8'};
  const Bytes curveAnswer{0, 0xFE, 0x06, 0, 0x20, 0, 0x00};
  for (const Case& c : cases) {
    TScriptedLink link;
    TZYNCommandSet set(link);
    const std::string name = c.name;
    if (name.find("timer") != std::string::npos) link.Answers.push_back(status);  // the status before
    link.Answers.push_back(c.answer);
    // The other 16 telegrams of a curve answered well: only the judged answer decides.
    if (name.find("dimmer") != std::string::npos)
      for (int i = 0; i < 16; ++i) link.Answers.push_back(curveAnswer);
    EXPECT_EQ(c.op(set), c.expected) << c.name;
  }
}

TEST(CommandSetRules, ModuleIsRestoredAfterAnOperationOnAnother) {
  TScriptedLink link;
  TZYNCommandSet set(link);
  link.SelectModule(2);
  EXPECT_EQ(set.ReadModuleFirmwareVersion(5), "uuups...");  // no answer
  ASSERT_EQ(link.Requests.size(), 1u);
  EXPECT_EQ(link.Requests[0].Station, 5);
  EXPECT_EQ(link.Module(), 2);
}

}  // namespace
}  // namespace zyn
