// The transfer run over a pseudo-terminal against the simulator: what reaches the modules, what
// the run reports, and that a module is switched on only with its whole image verified.

#include "bus/ProgramListing.h"
#include "compiler/CompileError.h"
#include "model/base/Cp1252.h"
#include "tests/bus/TransferFaults.h"

namespace zyn::test {
namespace {

using TKind = TTransferTarget::TKind;

TEST_F(TransferFixture, AllModulesAndTheDisplayHoldTheirImagesAndRun) {
  ASSERT_TRUE(run->Run(-1)) << view.Lines.back().Text;
  ASSERT_EQ(ProgramFile().size(), 4u * 32768);
  for (int a = 0; a < 4; ++a) {
    EXPECT_TRUE(ModuleHoldsImage(a, FileImage(a))) << "module " << a;
    EXPECT_EQ(Restarts(a), 1) << "module " << a;
    // The listing takes the program file's images for what they are.
    EXPECT_EQ(ImageLengthOf(FileImage(a)), source->ModuleImage(a).Length);
    Sim([&](sim::TSTMSimulator& s) {
      const auto& m = s.ControlModule(a);
      EXPECT_TRUE(m.Running);
      const TProjektInfo info = TProjektInfo::FromBlock([&] {
        TProjektInfoBlock b{};
        std::copy_n(m.Memory.begin() + 0xBD00, b.size(), b.begin());
        return b;
      }());
      EXPECT_EQ(info.ProjektName, "Anlage");
      EXPECT_EQ(info.Datum, "10.12.2026");
      EXPECT_EQ(info.ImageLength, source->ModuleImage(a).Length);
      EXPECT_EQ(info.ImageChecksum, source->ModuleImage(a).Checksum);
      EXPECT_EQ(m.Text.substr(0, 11), " ZORV ZYN V");
      // The seven characters of the set GERMAN (the name compared without case).
      EXPECT_EQ(m.Characters[7], (std::vector<uint8_t>{97, 98, 99, 100, 101, 102, 103, 104}));
    });
  }
  EXPECT_TRUE(DisplayHoldsImage(0));
  Sim([](sim::TSTMSimulator& s) { EXPECT_TRUE(s.Display(0).Finished); });
  EXPECT_EQ(run->Errors(), 0);
  EXPECT_TRUE(view.Logged("Übertragung erfolgreich beendet"));
  EXPECT_EQ(view.Field(TTransferField::LastMessage), "Übertragung erfolgreich beendet!");
  EXPECT_EQ(view.Locks, 0);
}

// Firmware version characters and the switch-on telegram they call for.
struct TFirmwareCase {
  char Hi, Lo;
  uint8_t SwitchOn;
};

TEST_F(TransferFixture, OneModuleGoesOverInItsOrderAndIsSwitchedOnByItsFirmware) {
  for (const TFirmwareCase c :
       {TFirmwareCase{'7', '8', 0xFE}, TFirmwareCase{'7', '9', 0xFC}, TFirmwareCase{'2', '0', 0xFC}}) {
    Sim([&](sim::TSTMSimulator& s) {
      s.ControlModule(2).Version = {static_cast<uint8_t>(c.Hi), static_cast<uint8_t>(c.Lo)};
      s.ClearReceived();
    });
    ASSERT_TRUE(run->Run(Module(2))) << c.Hi << c.Lo;
    std::vector<uint8_t> heads;
    for (const auto& t : Telegrams(0x02)) heads.push_back(t[0]);
    // Collapse the block runs to one entry each.
    heads.erase(std::unique(heads.begin(), heads.end(),
                            [](uint8_t a, uint8_t b) { return a == b && (a == 0x01 || a == 0x02 || a == 0x19); }),
                heads.end());
    // 05 00, 05, FF 00 twice (stop, then the stop before the erase; one telegram twice in a row
    // counts once here), 0F 00, FF 00, the image, its read-back, the information block, its
    // read-back, the text, the characters, 05 and the switch-on.
    EXPECT_EQ(heads, (std::vector<uint8_t>{0x05, 0x05, 0xFF, 0x0F, 0xFF, 0x01, 0x02, 0x01, 0x02, 0x17, 0x19, 0x05,
                                           c.SwitchOn}))
        << c.Hi << c.Lo;
    EXPECT_TRUE(ModuleHoldsImage(2, FileImage(2)));
  }
  EXPECT_EQ(view.Warnings, 3);  // one module of four
  EXPECT_EQ(Restarts(0), 0);
}

TEST_F(TransferFixture, SilentModuleCountsOneErrorAndNothingIsSwitchedOn) {
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(1).Present = false; });
  EXPECT_FALSE(run->Run(Module(1)));
  EXPECT_EQ(run->Errors(), 1);
  EXPECT_TRUE(view.Logged("Keine Antwort vom Steuermodul"));
  EXPECT_EQ(view.Field(TTransferField::LastMessage), "Übertragung wurde mit 1 Fehlern beendet!");
  EXPECT_TRUE(view.Logged("Es wurde kein Steuermodul eingeschaltet."));
}

TEST_F(TransferFixture, OneSilentModuleLeavesTheVerifiedOnesRunning) {
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(3).Present = false; });
  EXPECT_FALSE(run->Run(-1));
  EXPECT_EQ(run->Errors(), 1);
  EXPECT_EQ(Restarts(3), 0);
  for (int a = 0; a < 3; ++a) {
    EXPECT_TRUE(ModuleHoldsImage(a, FileImage(a))) << a;
    EXPECT_EQ(Restarts(a), 1) << a;
    Sim([&](sim::TSTMSimulator& s) { EXPECT_TRUE(s.ControlModule(a).Running) << a; });
  }
  EXPECT_EQ(run->LeftOff(), std::vector<int>{});
  EXPECT_EQ(view.Field(TTransferField::LastMessage), "Übertragung wurde mit 1 Fehlern beendet!");
}

TEST_F(TransferFixture, ImageThatDoesNotReadBackEqualIsNeverSwitchedOn) {
  // A worn cell inside the image keeps its value: every block is acknowledged, the read-back differs.
  std::string problem;
  ASSERT_TRUE(source->Compile(problem));
  const uint8_t byte = source->ModuleImage(0).Bytes[40];
  Sim([&](sim::TSTMSimulator& s) { s.ControlModule(0).StuckCells[0x4000 + 40] = static_cast<uint8_t>(~byte); });
  EXPECT_FALSE(run->Run(Module(0)));
  EXPECT_EQ(Restarts(0), 0);
  EXPECT_EQ(run->Errors(), 1);
  EXPECT_TRUE(view.Logged("stimmt nicht mit dem übertragenen überein"));
  for (const auto& t : Telegrams(0x00)) EXPECT_NE(t[0], 0x17) << "the text after a failed check";
}

TEST_F(TransferFixture, WriteThatBreaksOffIsReportedAndNotSwitchedOn) {
  Sim([](sim::TSTMSimulator& s) {
    s.Faults().After = 40;  // the line goes dead in the middle of the image
    s.Faults().Deaf = -1;
  });
  EXPECT_FALSE(run->Run(Module(0)));
  EXPECT_EQ(Restarts(0), 0);
  EXPECT_EQ(run->Errors(), 1);
  EXPECT_TRUE(view.Logged("Fehler beim Übertragen des Steuermodulprogramms"));
  EXPECT_FALSE(view.Logged("Programm erfolgreich übertragen"));
}

TEST_F(TransferFixture, LateAnswersNeverConfirmLaterBlocks) {
  // Two answers in the middle of the image come later than the time-out: their blocks are sent
  // again, and were a late answer taken for the block after it, that block would be missing and
  // the read-back would fail.
  Sim([](sim::TSTMSimulator& s) {
    s.Faults().After = 30;
    s.Faults().DelayMs = 150;
    s.Faults().Delayed = 2;
  });
  run->Settings.Serial.MaxTimeout = 100;
  ASSERT_TRUE(run->Run(Module(0))) << AnsiToUtf8(view.Lines.back().Text);
  EXPECT_TRUE(ModuleHoldsImage(0, FileImage(0)));
  EXPECT_EQ(Restarts(0), 1);
}

class TFailingCompile : public TProjectTransferSource {
 public:
  using TProjectTransferSource::TProjectTransferSource;
  bool Compile(std::string&) override { throw ECompileError(Ansi("Der Merker 7 fehlt.")); }
};

TEST_F(TransferFixture, CompileFailureEndsTheRunBeforeAnythingIsSent) {
  TFailingCompile failing(projekt());
  TTransferRun failingRun(comm, failing, view);
  failingRun.Settings = run->Settings;
  EXPECT_FALSE(failingRun.Run(-1));
  EXPECT_TRUE(RawTelegramsEmpty());
  EXPECT_EQ(failingRun.Errors(), 1);
  EXPECT_TRUE(view.Logged("Der Merker 7 fehlt."));
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(view.Locks, 0);
}

TEST_F(TransferFixture, MissingCharacterFileIsLoggedAndTheRunGoesOn) {
  std::filesystem::remove(folder.File("chars.zyb"));
  EXPECT_TRUE(run->Run(Module(1)));
  EXPECT_TRUE(view.Logged("\"chars.zyb\" wurde nicht gefunden"));
  for (const auto& t : Telegrams(0x01)) EXPECT_NE(t[0], 0x19);
  EXPECT_EQ(Restarts(1), 1);
}

TEST_F(TransferFixture, SaveQuestionAndAFailedSave) {
  projekt().Modified = true;
  view.SaveAnswer = 2;  // cancel: nothing happens
  EXPECT_FALSE(run->Run(Module(0)));
  EXPECT_TRUE(RawTelegramsEmpty());
  EXPECT_FALSE(run->Compiled());

  view.SaveAnswer = 6;  // yes, but the folder is gone
  projekt().FileName = folder.File("weg/Anlage.zpf");
  EXPECT_TRUE(run->Run(Module(0)));
  EXPECT_TRUE(view.Logged("Das Projekt konnte nicht gesichert werden!"));
  EXPECT_TRUE(projekt().Modified);
  EXPECT_EQ(view.Questions, 2);
}

TEST_F(TransferFixture, CancelDuringTheImageLeavesOnlyThePartlyWrittenModuleOff) {
  view.OnProgress = nullptr;
  comm.V_UseComponents = true;
  const int first = source->Targets()[0].Adresse;
  Snapshot();
  comm.OnProgress = [this](const TZYNCommProgress& p) {
    if (p.Position > 200) run->RequestCancel();
  };
  EXPECT_FALSE(run->Run(-1));
  EXPECT_TRUE(run->Cancelled());
  // The first module was being written: it stays off. The others were only stopped: they run
  // their old programs again.
  EXPECT_EQ(Restarts(first), 0);
  EXPECT_EQ(run->LeftOff(), std::vector<int>{first});
  for (int a = 0; a < 4; ++a)
    if (a != first) {
      EXPECT_EQ(Restarts(a), 1) << a;
      EXPECT_EQ(SimProgram(a), fBefore[static_cast<size_t>(a)]) << a;
    }
  EXPECT_TRUE(view.Logged("Die Übertragung wurde abgebrochen."));
  EXPECT_TRUE(view.Logged("bleibt abgeschaltet: sein Programm wurde nur teilweise übertragen."));
  EXPECT_NE(view.Field(TTransferField::Status).find("bleibt abgeschaltet"), std::string::npos);
  EXPECT_NE(view.Field(TTransferField::LastMessage), "Übertragung erfolgreich beendet!");
  EXPECT_EQ(CheckOutcome(false), "");
}

TEST_F(TransferFixture, InputModulesAreInitialisedAfterTheSwitchOn) {
  run->Settings.InitInputModules = true;
  TSteuermodul* stm = nullptr;
  TModul* input = nullptr;
  for (int i = 0; i < projekt().Steuermodule.Count() && !input; ++i) {
    stm = projekt().Steuermodule.GetSteuermodul(i);
    for (int k = 0; k < stm->Module.Count(); ++k)
      if (stm->Module.GetModul(k)->BasisKlasse == bcEingangsModule) input = stm->Module.GetModul(k);
  }
  ASSERT_NE(input, nullptr);
  // An input module has no outputs in the catalogue; give it two for the states to land in.
  input->Ausgaenge().Add(project->B.Channel<TAusgang>(0));
  input->Ausgaenge().Add(project->B.Channel<TAusgang>(1));
  Sim([&](sim::TSTMSimulator& s) {
    s.ControlModule(stm->Adresse()).Modules[static_cast<uint8_t>(input->BusKey())].SetOutputs(0x0002);
  });
  run->ResetCompiled();
  ASSERT_TRUE(run->Run(Module(stm->Adresse())));
  EXPECT_FALSE(input->Ausgaenge().GetAusgang(0)->ServiceState);
  EXPECT_TRUE(input->Ausgaenge().GetAusgang(1)->ServiceState);
  const auto telegrams = Telegrams(static_cast<uint8_t>(stm->Adresse()));
  EXPECT_EQ(telegrams.back(), (std::vector<uint8_t>{0x06, 0x00, static_cast<uint8_t>(input->BusKey()), 0x01, 0xFF}));
}

TEST_F(TransferFixture, PowerOnReleaseReachesEveryAnsweringModuleAndNamesTheSilentOne) {
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(2).Present = false; });
  EXPECT_FALSE(run->ReleasePowerOn(-1));
  Sim([](sim::TSTMSimulator& s) {
    EXPECT_EQ(s.ControlModule(0).PowerOnReleases, 1);
    EXPECT_EQ(s.ControlModule(1).PowerOnReleases, 1);
    EXPECT_EQ(s.ControlModule(3).PowerOnReleases, 1);
  });
  EXPECT_EQ(run->Errors(), 1);
  EXPECT_TRUE(view.Logged("Das Steuermodul 2 antwortet nicht"));
}

TEST_F(TransferFixture, SecondRunSendsTheSameImagesWithoutCompilingAgain) {
  ASSERT_TRUE(run->Run(Module(0)));
  const auto image = FileImage(0);
  std::filesystem::remove(folder.File("Anlage.prg"));
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(0).Memory.assign(0x10000, 0x00); });
  ASSERT_TRUE(run->Run(Module(0)));
  EXPECT_FALSE(std::filesystem::exists(folder.File("Anlage.prg")));
  EXPECT_TRUE(ModuleHoldsImage(0, image));
}

TEST_F(TransferFixture, FailedDisplayLeavesEveryVerifiedModuleRunning) {
  Sim([](sim::TSTMSimulator& s) { s.Display(0).Present = false; });
  EXPECT_FALSE(run->Run(-1));
  EXPECT_EQ(run->Errors(), 1);
  for (int a = 0; a < 4; ++a) {
    EXPECT_TRUE(ModuleHoldsImage(a, FileImage(a))) << a;
    EXPECT_EQ(Restarts(a), 1) << a;
    Sim([&](sim::TSTMSimulator& s) { EXPECT_TRUE(s.ControlModule(a).Running) << a; });
  }
  // The number 0 is printed: the first module and the display have address 0.
  EXPECT_TRUE(view.Logged("Übertragung an Steuermodul 0 gestartet"));
  EXPECT_TRUE(view.Logged("Übertragung an Display 0 gestartet"));
  EXPECT_TRUE(view.Logged("Steuerung STM.00 wird eingeschaltet"));
}

TEST_F(TransferFixture, PortThatGoesAwayEndsTheRunAtOnceWithOneMessage) {
  view.OnProgress = nullptr;
  comm.V_UseComponents = true;
  std::chrono::steady_clock::time_point pulled{};
  comm.OnProgress = [&](const TZYNCommProgress& p) {
    if (p.Position > 200 && pulled == std::chrono::steady_clock::time_point{}) {
      pulled = std::chrono::steady_clock::now();
      port.Hangup();
    }
  };
  run->Settings.Serial.MaxTimeout = 1000;
  run->Settings.Serial.MaxRepeat = 5;
  EXPECT_FALSE(run->Run(-1));
  const auto took = std::chrono::steady_clock::now() - pulled;
  EXPECT_LT(took, std::chrono::seconds(1));
  int messages = 0;
  for (const auto& line : view.Lines) messages += AnsiToUtf8(line.Text).find("Die Verbindung über " + path) == 0;
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(run->Errors(), 1);
  // No module errors after it, no further module started.
  EXPECT_FALSE(view.Logged("Keine Antwort vom Steuermodul"));
  EXPECT_FALSE(view.Logged("Fehler beim Übertragen des Steuermodulprogramms"));
  int started = 0;
  for (const auto& line : view.Lines) started += AnsiToUtf8(line.Text).find("Übertragung an") == 0;
  EXPECT_EQ(started, 1);
  EXPECT_NE(view.Field(TTransferField::Status).find("Nicht wieder eingeschaltet"), std::string::npos);
  EXPECT_EQ(view.Field(TTransferField::LastMessage), "Übertragung wurde mit 1 Fehlern beendet!");
}

TEST(TransferTexts, FirmwareNumbers) {
  EXPECT_EQ(FirmwareNumberOf("V1.78"), 78);
  EXPECT_EQ(FirmwareNumberOf("V2.20"), 220);
  EXPECT_EQ(FirmwareNumberOf(""), 0);
  EXPECT_EQ(FirmwareNumberOf("uuups..."), 0);
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

// A few of the seeded runs of the soak label.
TEST(TransferFaults, NoFalseSuccessUnderRandomFaults) {
  int successes = 0;
  for (uint32_t seed = 1; seed <= 2; ++seed) RunTransferWithFaults(seed, successes);
}

}  // namespace
}  // namespace zyn::test
