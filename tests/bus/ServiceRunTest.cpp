// The service runs against the simulator on a real pseudo-terminal: module scan and check,
// output and input tests, dimmer-curve transfer and the priority release of blind motors.

#include "ServiceModel.h"
#include "SimFixture.h"
#include "bus/ChannelTest.h"
#include "bus/DimmerCurveTransfer.h"
#include "bus/JRMPrio.h"
#include "bus/ModuleScan.h"
#include "bus/ServiceModules.h"
#include "model/Kennlinien.h"
#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

class ServiceRunTest : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    inputs = AddServiceModule(stm, {"Taster", "INP", "INPUT 8", bcEingangsModule, 3, 8, 0, 0, 3});
    mfm = AddServiceModule(stm, {"Flur", "MFM", "MFM 4", bcMultifunktionsModule, 2, 4, 4, 5, 3});
    relay = AddServiceModule(stm, {"Licht", "OUT", "OUTPUT 8", bcAusgangsModule, 1, 0, 8});
    blind = AddServiceModule(stm, {"Jalousie", "JRM", "jrm", bcAusgangsModule, 4, 0, 5});
    absent = AddServiceModule(stm, {"Keller", "OUT", "OUTPUT 8", bcAusgangsModule, 9, 0, 8});
    auto lock = sim.Lock();
    SimModule(sim, 0, *inputs);
    SimModule(sim, 0, *mfm);
    SimModule(sim, 0, *relay);
    SimModule(sim, 0, *blind);
    SimModule(sim, 0, *absent).Present = false;
  }

  template <typename F>
  auto Bus(const TModul& modul, F&& f) {
    auto lock = sim.Lock();
    return f(SimModule(sim, 0, modul));
  }

  TSteuermodul stm;
  TModul *inputs = nullptr, *mfm = nullptr, *relay = nullptr, *blind = nullptr, *absent = nullptr;
};

TEST_F(ServiceRunTest, ModuleByteIsTheBusAddressForEveryTelegram) {
  EXPECT_EQ(ModuleByte(*mfm), 0x22);  // class 1 x 32 + 2, not 1 << EinShift | 2
  EXPECT_EQ(ModuleByte(*blind), 0x44);
  EXPECT_EQ(ChannelCode(3, 5), 0x60);
}

TEST_F(ServiceRunTest, ScanForTestListsTheModulesOfTheKindWithTheirPresence) {
  const TTestScanResult outputs = ScanForTest(comm, stm, TChannelKind::Outputs);
  ASSERT_TRUE(outputs.Answered);
  EXPECT_EQ(outputs.Listed, (std::vector<TModul*>{mfm, relay, blind, absent}));
  EXPECT_EQ(relay->Present, TModulState::msPresent);
  EXPECT_EQ(absent->Present, TModulState::msMissing);
  EXPECT_EQ(inputs->Present, TModulState::msUndefined);  // no outputs: neither listed nor changed
  const TTestScanResult in = ScanForTest(comm, stm, TChannelKind::Inputs);
  EXPECT_EQ(in.Listed, (std::vector<TModul*>{inputs, mfm}));
  EXPECT_EQ(inputs->Present, TModulState::msPresent);
  // Every module was probed at its bus address, listed or not.
  std::vector<uint8_t> probed;
  for (const Bytes& t : Received())
    if (t.size() >= 7 && t[2] == 0x06) probed.push_back(t[4]);
  EXPECT_EQ(probed, (std::vector<uint8_t>{0x03, 0x22, 0x41, 0x44, 0x49, 0x03, 0x22, 0x41, 0x44, 0x49}));
}

TEST_F(ServiceRunTest, ScanOfASilentControlModuleListsNothing) {
  comm.SetP_RecTimeout(kShortTimeout);
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Present = false;
  }
  const TTestScanResult r = ScanForTest(comm, stm, TChannelKind::Outputs);
  EXPECT_FALSE(r.Answered);
  EXPECT_TRUE(r.Listed.empty());
  const TModuleCheckResult check = RunModuleCheck(comm, {relay, absent}, 0, [](int) { return true; });
  EXPECT_FALSE(check.Answered);
  EXPECT_EQ(check.Probed, 0);
  EXPECT_EQ(relay->Present, TModulState::msUndefined);
}

TEST_F(ServiceRunTest, ModuleCheckFindsExactlyThePresentModules) {
  relay->Present = TModulState::msMissing;  // from an earlier run: reset first
  std::vector<int> after;
  const TModuleCheckResult r = RunModuleCheck(
      comm, {inputs, mfm, relay, blind, absent}, 0, [](int) { return true; }, [&](int i) { after.push_back(i); });
  EXPECT_TRUE(r.Answered);
  EXPECT_FALSE(r.Aborted);
  EXPECT_EQ(r.Probed, 5);
  EXPECT_EQ(r.Missing, 1);
  EXPECT_EQ(after, (std::vector<int>{0, 1, 2, 3, 4}));
  for (TModul* m : {inputs, mfm, relay, blind}) EXPECT_EQ(m->Present, TModulState::msPresent) << m->DisplayName();
  EXPECT_EQ(absent->Present, TModulState::msMissing);
  EXPECT_EQ(ModuleCheckText(r, comm), "Es wurden 1 Module nicht gefunden.");
  TModuleCheckResult all;
  EXPECT_EQ(ModuleCheckText(all, comm), "Es wurden alle Module gefunden");
}

TEST_F(ServiceRunTest, AbortedCheckLeavesTheRestUndefined) {
  const TModuleCheckResult r = RunModuleCheck(comm, {absent, relay, blind}, 0, [](int i) { return i < 1; });
  EXPECT_TRUE(r.Aborted);
  EXPECT_EQ(r.Probed, 1);
  EXPECT_EQ(r.Missing, 1);
  EXPECT_EQ(absent->Present, TModulState::msMissing);
  EXPECT_EQ(relay->Present, TModulState::msUndefined);
  EXPECT_EQ(blind->Present, TModulState::msUndefined);
  EXPECT_EQ(ModuleCheckText(r, comm), "Der Scan wurde abgebrochen. Es wurden 1 Module nicht gefunden.");
}

TEST(SwitchTelegram, CodesOfTheBaseClasses) {
  TSteuermodul stm;
  struct Case {
    TModuleSpec module;
    int output;
    bool state, lower;
    Bytes expected;
  } cases[] = {
      {{"E", "INP", "INPUT LED", bcEingangsModule, 3, 1, 2, 5}, 1, false, false, {0x06, 0x00, 0x03, 0x01, 0x22}},
      {{"E", "INP", "INPUT LED", bcEingangsModule, 4, 1, 2, 5}, 1, true, false, {0x06, 0x00, 0x04, 0x01, 0x23}},
      {{"M", "MFM", "MFM 4", bcMultifunktionsModule, 2, 4, 4, 5}, 3, false, false, {0x06, 0x00, 0x22, 0x01, 0x66}},
      {{"O", "OUT", "OUTPUT 8", bcAusgangsModule, 1, 0, 8, 5}, 7, false, false, {0x06, 0x00, 0x41, 0x01, 0xE6}},
      {{"J", "JRM", "JRM", bcAusgangsModule, 5, 0, 4, 5},
       1,
       false,
       false,
       {0x06, 0x00, 0x45, 0x04, 0x23, 0x01, 0x1E, 0x00}},
      {{"J", "JRM", "JRM", bcAusgangsModule, 6, 0, 4, 5},
       1,
       false,
       true,
       {0x06, 0x00, 0x46, 0x04, 0x24, 0x01, 0x1E, 0x00}},
      {{"A", "DAN", "DIM_AN", bcAnalogmodule, 0, 0, 2, 5}, 1, false, false, {0x06, 0x00, 0x60, 0x01, 0x25}},
      {{"D", "DIM", "DIM", bcDimmerModule, 7, 0, 2, 5}, 0, false, false, {0x06, 0x00, 0xA7, 0x01, 0x05}},
      {{"Y", "YXA", "YXA", bcYXABoxen, 0, 0, 2, 5}, 0, false, false, {}},
      {{"R", "ROL", "ROL", bcRolladen, 0, 0, 2, 5}, 0, false, false, {}},
  };
  for (const Case& c : cases) {
    TModul* m = AddServiceModule(stm, c.module);
    TAusgang* output = m->Ausgaenge().GetItem(c.output);
    output->ServiceState = c.state;
    EXPECT_EQ(SwitchTelegram(*m, *output, c.lower), c.expected) << c.module.Kennung << " " << c.module.Address;
  }
}

TEST_F(ServiceRunTest, OutputTestSwitchesTheSimulatedOutput) {
  Bus(*mfm, [](sim::TSimBusModule& m) { m.SetOutputs(0x0001); });
  EXPECT_EQ(RefreshOutputStates(comm, *mfm, true), 0x0001);
  EXPECT_TRUE(mfm->Ausgaenge().GetItem(0)->ServiceState);
  bool lower = false;
  TSwitchResult r = SwitchOutputs(comm, *mfm, {mfm->Ausgaenge().GetItem(2), mfm->Ausgaenge().GetItem(3)}, lower);
  EXPECT_EQ(r.Sent, 2);
  EXPECT_EQ(r.Confirmed, 2);
  EXPECT_EQ(r.StateWord, 0x000D);
  EXPECT_EQ(Bus(*mfm, [](sim::TSimBusModule& m) { return m.Outputs(); }), 0x000D);
  EXPECT_TRUE(mfm->Ausgaenge().GetItem(2)->ServiceState);
  EXPECT_TRUE(mfm->Ausgaenge().GetItem(3)->ServiceState);
  EXPECT_FALSE(mfm->Ausgaenge().GetItem(1)->ServiceState);
  EXPECT_FALSE(lower);  // only blind motors change direction
  r = SwitchOutputs(comm, *mfm, {mfm->Ausgaenge().GetItem(2)}, lower);
  EXPECT_EQ(Bus(*mfm, [](sim::TSimBusModule& m) { return m.Outputs(); }), 0x0009);
  EXPECT_FALSE(mfm->Ausgaenge().GetItem(2)->ServiceState);
}

TEST_F(ServiceRunTest, BlindMotorAlternatesTheDirection) {
  bool lower = false;
  EXPECT_STREQ(SwitchCaption(blind, lower), "Umschalten heben/aus");
  SwitchOutputs(comm, *blind, {blind->Ausgaenge().GetItem(1)}, lower);
  EXPECT_TRUE(lower);
  EXPECT_STREQ(SwitchCaption(blind, lower), "Umschalten senken/aus");
  SwitchOutputs(comm, *blind, {blind->Ausgaenge().GetItem(1)}, lower);
  EXPECT_FALSE(lower);
  std::vector<uint8_t> codes;
  for (const Bytes& t : Received())
    if (t.size() >= 8 && t[2] == 0x06 && t[5] == 0x04) codes.push_back(t[6]);
  EXPECT_EQ(codes, (std::vector<uint8_t>{0x23, 0x24}));
  EXPECT_STREQ(SwitchCaption(relay, true), "Ausgang umschalten");
}

TEST_F(ServiceRunTest, AnAbsentModuleConfirmsNoSwitching) {
  bool lower = false;
  absent->Ausgaenge().GetItem(0)->ServiceState = true;
  const TSwitchResult r = SwitchOutputs(comm, *absent, {absent->Ausgaenge().GetItem(0)}, lower);
  EXPECT_EQ(r.Sent, 1);
  EXPECT_EQ(r.Confirmed, 0);
  EXPECT_EQ(r.StateWord, -1);
  EXPECT_FALSE(absent->Ausgaenge().GetItem(0)->ServiceState);  // shown off
}

TEST_F(ServiceRunTest, InputTestSeesAChangeWithinOnePoll) {
  Bus(*mfm, [](sim::TSimBusModule& m) { m.SetInputs(0x0001); });
  int calls = 0, injectedAt = -1, seenAt = -1;
  std::vector<std::pair<int, int>> changes;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  PollInputs(
      comm, *mfm,
      [&] {
        ++calls;
        if (calls == 4) {
          Bus(*mfm, [](sim::TSimBusModule& m) { m.SetInputs(0x0009); });
          injectedAt = calls;
        }
        return seenAt >= 0 || std::chrono::steady_clock::now() > deadline;
      },
      [&](int previous, int current) {
        changes.emplace_back(previous, current);
        seenAt = calls;
      });
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], std::make_pair(0x0001, 0x0009));
  // stop() is asked before the pause and before the read: the next read shows the change.
  EXPECT_LE(seenAt - injectedAt, 1);
  TInputLog log;
  EXPECT_EQ(log.AddChanges(changes[0].first, changes[0].second, 4, "12:00:00"), 1);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"03:1  12:00:00"}));
}

TEST_F(ServiceRunTest, FailedInputReadReportsNoChange) {
  comm.SetP_RecTimeout(kShortTimeout);
  EXPECT_EQ(ReadInputWord(comm, absent, 0x1234), 0x1234);
  EXPECT_EQ(ReadInputWord(comm, nullptr, 7), 7);
}

TEST(InputLog, EdgesAndTheLimit) {
  TInputLog log;
  // Two inputs changing between two polls: two lines with the same time, lower input first.
  EXPECT_EQ(log.AddChanges(0x0005, 0x0012, 8, "08:15:00"), 4);
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"00:0  08:15:00", "01:1  08:15:00", "02:0  08:15:00", "04:1  08:15:00"}));
  // Bits beyond the module's inputs are not logged.
  EXPECT_EQ(log.AddChanges(0x0000, 0x0100, 8, "08:15:01"), 0);
  log.Clear();
  bool cleared = false;
  for (int i = 0; i < 513; ++i) log.AddChanges(i & 1, (i + 1) & 1, 1, "t", &cleared);
  EXPECT_EQ(log.Lines().size(), 513u);
  EXPECT_FALSE(cleared);
  log.AddChanges(1, 0, 1, "t", &cleared);
  EXPECT_TRUE(cleared);
  EXPECT_EQ(log.Lines().size(), 1u);

  TSteuermodul stm;
  TModul* m = AddServiceModule(stm, {"Flur", "MFM", "MFM 4", bcMultifunktionsModule, 2, 4, 4});
  auto same = [](const std::string& s) { return s; };
  bool rising = false;
  EXPECT_EQ(TInputLog::DisplayText("03:1  12:34:56", m, same, &rising),
            "  12:34:56 - MFM.02.03-Flur - Einschaltflanke");
  EXPECT_TRUE(rising);
  EXPECT_EQ(TInputLog::DisplayText("00:0  12:34:56", m, same, &rising),
            "  12:34:56 - MFM.02.00-Flur - Ausschaltflanke");
  EXPECT_FALSE(rising);
  EXPECT_EQ(TInputLog::DisplayText("00:0  12:34:56", nullptr, same, &rising), "00");
}

class CurveTransferTest : public ServiceRunTest {
 protected:
  void SetUp() override {
    ServiceRunTest::SetUp();
    TZYNKennlinie* ramp = curves.Add();
    for (int i = 0; i < 256; ++i) ramp->Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    curves.Add();  // constant 0
    TZYNKennlinie* odd = curves.Add();
    for (int i = 0; i < 256; ++i) odd->Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + 3);
  }
  std::vector<uint8_t> SimCurve(const TModul& modul, int output) {
    return Bus(modul, [output](sim::TSimBusModule& m) { return m.Curves[static_cast<uint8_t>(output)]; });
  }
  static std::vector<uint8_t> Tail(const std::vector<uint8_t>& block) {
    return block.size() == 272 ? std::vector<uint8_t>(block.begin() + 16, block.end()) : std::vector<uint8_t>{};
  }
  TZYNKennlinienListe curves;
};

TEST_F(CurveTransferTest, CurvesWrittenAndReadBackAreEqual) {
  TModul* dimmer = AddServiceModule(stm, {"Wohnen", "DIM", "DIM", bcDimmerModule, 0, 0, 3});
  TModul* dan = AddServiceModule(stm, {"EVG", "DAN", "DIM_AN", bcAnalogmodule, 1, 0, 2});
  dimmer->DimmerDaten.LeftKennlinie = 2;
  dimmer->DimmerDaten.RightKennlinie = 0;
  dimmer->DimmerDaten.RightSoftStart = 2;
  dan->DimmerDaten.LeftKennlinie = 0;   // a ramp mirrored and inverted is the ramp
  dan->DimmerDaten.RightKennlinie = 1;  // constant 0 becomes constant 255
  SimModule(sim, 0, *dimmer);
  SimModule(sim, 0, *dan);
  EXPECT_EQ(CurveOutputCount(stm), 5);
  std::vector<std::string> lines;
  std::vector<std::string> outputs;
  TCurveTransferEvents events;
  events.OnLine = [&](const std::string& l) { lines.push_back(l); };
  events.OnOutput = [&](const TModul& m, int i) { outputs.push_back(m.DisplayName() + std::to_string(i)); };
  const TCurveTransferResult r = TransferDimmerCurves(comm, stm, curves, events);
  EXPECT_EQ(r.Outputs, 5);
  EXPECT_EQ(r.Errors, 0);
  EXPECT_EQ(outputs, (std::vector<std::string>{"Wohnen0", "Wohnen1", "Wohnen2", "EVG0", "EVG1"}));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], Ansi("Übertragung an.....: STM00.DIM.00.00-Ausgang 1 erfolgreich beendet."));
  EXPECT_EQ(lines[5], Ansi("Übertragung mit 0 Fehlern beendet!"));

  const std::array<uint8_t, 256>& odd = curves.Items(2)->Werte;
  EXPECT_EQ(Tail(SimCurve(*dimmer, 0)), std::vector<uint8_t>(odd.begin(), odd.end()));
  std::vector<uint8_t> ramp(256);
  for (int i = 0; i < 256; ++i) ramp[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  EXPECT_EQ(Tail(SimCurve(*dimmer, 1)), ramp);
  EXPECT_EQ(Tail(SimCurve(*dimmer, 2)), ramp);  // the third output takes the curve before it
  EXPECT_EQ(Tail(SimCurve(*dan, 0)), ramp);
  EXPECT_EQ(Tail(SimCurve(*dan, 1)), std::vector<uint8_t>(256, 255));
  // The dimmer header of output 1 with soft start 2: 0, 1, 3, 0, 1, value 1, power-on state.
  const std::vector<uint8_t> block = SimCurve(*dimmer, 1);
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 16),
            (std::vector<uint8_t>{0, 1, 3, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // Fifth byte of the telegrams: output number - 5.
  std::vector<uint8_t> fifth;
  for (const Bytes& t : Received())
    if (t.size() == 24 && t[4] == ModuleByte(*dimmer) && t[7] == 0) fifth.push_back(t[6]);
  EXPECT_EQ(fifth, (std::vector<uint8_t>{0xFB, 0xFC, 0xFD}));
}

TEST_F(CurveTransferTest, AbsentModuleAndMissingCurveFailPerOutput) {
  comm.SetP_RecTimeout(kShortTimeout);
  TModul* gone = AddServiceModule(stm, {"Weg", "DIM", "DIM", bcDimmerModule, 5, 0, 1});
  TModul* bad = AddServiceModule(stm, {"Falsch", "DIM", "DIM", bcDimmerModule, 6, 0, 2});
  bad->DimmerDaten.LeftKennlinie = 17;
  SimModule(sim, 0, *gone).Present = false;
  SimModule(sim, 0, *bad);
  std::vector<std::string> lines;
  TCurveTransferEvents events;
  events.OnLine = [&](const std::string& l) { lines.push_back(l); };
  const TCurveTransferResult r = TransferDimmerCurves(comm, stm, curves, events);
  EXPECT_EQ(r.Outputs, 3);
  EXPECT_EQ(r.Errors, 2);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], Ansi("Übertragungsfehler: STM00.DIM.05.00-Ausgang 1"));
  EXPECT_EQ(lines[1], Ansi("Übertragungsfehler: STM00.DIM.06.00-Ausgang 1 (Kennlinie 17 nicht vorhanden)"));
  EXPECT_EQ(lines[2], Ansi("Übertragung an.....: STM00.DIM.06.01-Ausgang 2 erfolgreich beendet."));
  EXPECT_EQ(lines[3], Ansi("Übertragung mit 2 Fehlern beendet!"));
}

TEST(CurveMirror, LinearRampStaysAndConstantInverts) {
  TCurve c{};
  for (int i = 0; i < 256; ++i) c[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  TCurve ramp = c;
  MirrorAndInvert(c);
  EXPECT_EQ(c, ramp);
  c.fill(0);
  c[0] = 10;
  MirrorAndInvert(c);
  EXPECT_EQ(c[255], 245);
  EXPECT_EQ(c[0], 255);
}

TEST_F(ServiceRunTest, PriorityReleaseOneTelegramPerPair) {
  TModul* eight = AddServiceModule(stm, {"Sued", "JRM", "JRM", bcAusgangsModule, 6, 0, 8});
  TModul* one = AddServiceModule(stm, {"Einzel", "JRM", "JRM", bcAusgangsModule, 7, 0, 1});
  SimModule(sim, 0, *eight);
  SimModule(sim, 0, *one);
  const std::vector<TModul*> modules = BlindModules(stm);
  EXPECT_EQ(modules, (std::vector<TModul*>{blind, eight, one}));  // "jrm" in lower case counts too
  std::vector<int> steps;
  const TPriorityResult r = ReleasePriorities(comm, modules, 0, [&](const TModul&, int j) { steps.push_back(j); });
  EXPECT_TRUE(r.Answered);
  EXPECT_EQ(r.Sent, 6);
  EXPECT_TRUE(r.Silent.empty());
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 0, 1, 2, 3}));
  EXPECT_EQ(Bus(*blind, [](sim::TSimBusModule& m) { return m.PriorityReleases; }), (std::vector<int>{0, 1}));
  EXPECT_EQ(Bus(*eight, [](sim::TSimBusModule& m) { return m.PriorityReleases; }), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(PriorityTelegram(*eight, *eight->Ausgaenge().GetItem(3)),
            (Bytes{0x06, 0x00, 0x46, 0x02, 0x6A, 0x3F, 0x6E, 0x3F}));
}

TEST_F(ServiceRunTest, PriorityReleaseReportsSilentModulesAndASilentControlModule) {
  comm.SetP_RecTimeout(kShortTimeout);
  TModul* gone = AddServiceModule(stm, {"Nord", "JRM", "JRM", bcAusgangsModule, 8, 0, 2});
  SimModule(sim, 0, *gone).Present = false;
  TPriorityResult r = ReleasePriorities(comm, {blind, gone}, 0);
  EXPECT_EQ(r.Silent, (std::vector<const TModul*>{gone}));
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Present = false;
  }
  ClearReceived();
  r = ReleasePriorities(comm, {blind}, 0);
  EXPECT_FALSE(r.Answered);
  EXPECT_EQ(r.Sent, 0);
  for (const Bytes& t : Received()) EXPECT_NE(t[2], 0x06);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(ServiceRunTest, StatusAndProbeTakeTheSameAnswers) {
  comm.SetP_RecTimeout(kShortTimeout);
  comm.SetP_SendRepeat(0);
  const struct {
    uint8_t status;
    bool alive;
  } cases[] = {{0x05, true}, {0x00, true}, {0xF0, true}, {0xF1, true}, {0xFF, false}, {0xFE, false}};
  for (const auto& c : cases) {
    SetFault([&](sim::TSimFaults& f) { f.Status = 1, f.StatusByte = c.status; });
    EXPECT_EQ(comm.GetModuleStatus(), c.alive) << int(c.status);
    SetFault([&](sim::TSimFaults& f) { f.Status = 1, f.StatusByte = c.status; });
    EXPECT_EQ(comm.ProbeModule(1), c.alive) << int(c.status);
  }
}

TEST_F(CurveTransferTest, NothingOfAnotherModulesBlockReachesAHeader) {
  // A module with dimmer settings of a class without a header sends its curve from byte 0; the
  // dimmer after it gets a clean header.
  TModul* odd = AddServiceModule(stm, {"Sonder", "SON", "SONDER", bcSonderModule, 0, 0, 1});
  odd->Dimmerzusatz = true;
  odd->DimmerDaten.LeftKennlinie = 2;
  TModul* dimmer = AddServiceModule(stm, {"Wohnen", "DIM", "DIM", bcDimmerModule, 0, 0, 1});
  SimModule(sim, 0, *odd);
  SimModule(sim, 0, *dimmer);
  const TCurveTransferResult r = TransferDimmerCurves(comm, stm, curves, {});
  EXPECT_EQ(r.Errors, 0);
  const std::vector<uint8_t> sent = SimCurve(*odd, 0);
  ASSERT_EQ(sent.size(), 272u);
  EXPECT_TRUE(std::equal(curves.Items(2)->Werte.begin(), curves.Items(2)->Werte.end(), sent.begin()));
  const std::vector<uint8_t> block = SimCurve(*dimmer, 0);
  ASSERT_EQ(block.size(), 272u);
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 16),
            (std::vector<uint8_t>{0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace zyn
