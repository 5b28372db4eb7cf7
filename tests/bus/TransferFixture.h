#pragma once
#include <array>
// A transfer run against the simulator on a real pseudo-terminal: a generated project of four
// control modules (modules, flags, clocks, texts, links between them) and one display panel,
// saved in a temporary folder, a "chars.zyb" with the set GERMAN, and a view that records what
// the run shows.

#include "bus/TransferProject.h"
#include "bus/TransferRun.h"
#include "bus/ZYNComm.h"
#include "display/DisplayProjekt.h"
#include "model/CharSet.h"
#include "model/base/Cp1252.h"
#include "tests/compiler/RandomProject.h"
#include "tests/display/DisplayFixtures.h"
#include "tests/support/Files.h"
#include "tools/zynsim/core/SimPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

struct TLogLine {
  std::string Text;
  int Colour = 0;
  bool Bold = false;
};

class TRecordingView : public ITransferView {
 public:
  std::vector<TLogLine> Lines;
  std::string Fields[4];
  int SaveAnswer = 7;
  int Questions = 0;
  int Warnings = 0;
  int Locks = 0;
  // Called with every progress step (a test cancels from here).
  std::function<void(int position, int maximum)> OnProgress;

  void AddLog(const std::string& text, int colour, bool bold) override { Lines.push_back({text, colour, bold}); }
  void ClearLog() override { Lines.clear(); }
  void SetField(TTransferField field, const std::string& text) override { Fields[static_cast<int>(field)] = text; }
  void SetProgress(int position, int maximum, const std::string&) override {
    if (OnProgress) OnProgress(position, maximum);
  }
  int AskSave(const std::string&) override {
    ++Questions;
    return SaveAnswer;
  }
  void Warn(const std::string&) override { ++Warnings; }
  void LockUserInterface() override { ++Locks; }
  void UnlockUserInterface() override { --Locks; }

  // True when a line holds the (UTF-8) text.
  bool Logged(const std::string& utf8) const {
    const std::string ansi = Utf8ToAnsi(utf8);
    return std::any_of(Lines.begin(), Lines.end(),
                       [&](const TLogLine& l) { return l.Text.find(ansi) != std::string::npos; });
  }
  std::string Field(TTransferField f) const { return AnsiToUtf8(Fields[static_cast<int>(f)]); }
};

// A generated project with exactly four control modules.
inline std::unique_ptr<TRandomProject> FourModuleProject() {
  for (unsigned seed = 1;; ++seed) {
    auto project = std::make_unique<TRandomProject>(seed);
    project->Build();
    if (project->B.Projekt.Steuermodule.Count() == 4) return project;
  }
}

class TTransferSetup {
 public:
  static constexpr uint16_t kTimeout = 400;

  // With lineRate 0 the terminal runs as fast as it can.
  explicit TTransferSetup(int lineRate = 0, uint16_t timeout = kTimeout, uint16_t repeats = 2) {
    project = FourModuleProject();
    projekt().FileName = folder.File("Anlage.zpf");
    projekt().ProjektDaten.ProjektName = "Anlage";
    projekt().ProjektDaten.Ausfuehrung = "Elektro Muster";
    auto display = std::make_unique<TDisplayObjekt>();
    display->InternalName = "DISP0";
    display->DisplayName = "Display 0";
    display->Adresse = 0;
    BuildHallo(*display);
    projekt().DisplayProjekt().Add(std::move(display));
    source = std::make_unique<TProjectTransferSource>(projekt());
    source->ProgramTitle = "ZYN Systemsoftware 2.8";

    TZYNCharSet german;
    german.Name = "German";
    for (int i = 0; i < kCharSetChars; ++i) {
      german.Chars[static_cast<size_t>(i)][0] = static_cast<uint8_t>(i + 1);
      for (int k = 1; k < kCharRecordSize; ++k)
        german.Chars[static_cast<size_t>(i)][static_cast<size_t>(k)] = static_cast<uint8_t>(i * 16 + k);
    }
    TZYNCharSet other;
    other.Name = "NORDIC";
    SaveCharSets(folder.File("chars.zyb"), {other, german});

    path = port.OpenPty();
    port.SetLineRate(lineRate);
    port.Start();
    run = std::make_unique<TTransferRun>(comm, *source, view);
    comm.SetCloseDelay(0);
    TTransferSettings& s = run->Settings;
    s.Serial.DevicePath = path;
    s.Serial.MaxTimeout = timeout;
    s.Serial.MaxRepeat = repeats;
    s.Serial.MinPause = 0;
    s.CharsFile = folder.File("chars.zyb");
    s.PauseMs = 0;
    s.LongPauseMs = 0;
    s.TickMs = 0;
    s.PorWaitTicks = 3;
    s.Stamp = [](TProjektInfo& info) { info.SetStamp(2026, 12, 10, 23, 30, 0); };
  }

  TZYNProjekt& projekt() { return project->B.Projekt; }

  // Index of the first target of that kind and address.
  int Target(TTransferTarget::TKind kind, int adresse) {
    const auto targets = source->Targets();
    for (size_t i = 0; i < targets.size(); ++i)
      if (targets[i].Kind == kind && targets[i].Adresse == adresse) return static_cast<int>(i);
    return -1;
  }
  int Module(int adresse) { return Target(TTransferTarget::TKind::Steuermodul, adresse); }

  std::vector<uint8_t> ProgramFile() { return FileBytes(folder.File("Anlage.prg")); }
  // The image of the control module as the program file holds it.
  std::vector<uint8_t> FileImage(int adresse) {
    const std::vector<uint8_t> file = ProgramFile();
    for (int i = 0; i < projekt().Steuermodule.Count(); ++i)
      if (projekt().Steuermodule.GetSteuermodul(i)->Adresse() == adresse)
        return std::vector<uint8_t>(file.begin() + i * 32768, file.begin() + (i + 1) * 32768);
    return {};
  }
  std::vector<uint8_t> SimProgram(int adresse) {
    auto lock = sim.Lock();
    const auto& m = sim.ControlModule(adresse).Memory;
    return std::vector<uint8_t>(m.begin() + 0x4000, m.begin() + 0xC000);
  }
  // The module's program area equals its image, the project-information block at 32000 aside.
  bool ModuleHoldsImage(int adresse, const std::vector<uint8_t>& image) {
    std::vector<uint8_t> memory = SimProgram(adresse);
    if (image.size() != memory.size()) return false;
    return std::equal(image.begin(), image.begin() + 32000, memory.begin()) &&
           std::equal(image.begin() + 32138, image.end(), memory.begin() + 32138);
  }
  bool DisplayHoldsImage(int adresse) {
    const TDisplayImage image = source->DisplayImage(adresse);
    auto lock = sim.Lock();
    const auto& m = sim.Display(adresse).Memory;
    return !image.Bytes.empty() && std::equal(image.Bytes.begin(), image.Bytes.end(), m.begin() + image.Startadresse);
  }
  int Restarts(int adresse) {
    auto lock = sim.Lock();
    return sim.ControlModule(adresse).Restarts;
  }
  template <typename F>
  void Sim(F&& f) {
    auto lock = sim.Lock();
    f(sim);
  }
  bool RawTelegramsEmpty() {
    auto lock = sim.Lock();
    return sim.Received().empty();
  }
  // Command bytes of the telegrams the simulator received for a station (repetitions once).
  std::vector<std::vector<uint8_t>> Telegrams(uint8_t station) {
    std::vector<std::vector<uint8_t>> result;
    auto lock = sim.Lock();
    for (const auto& t : sim.Received())
      if (t.size() > 2 && t[1] == station) {
        std::vector<uint8_t> command(t.begin() + 2, t.end());
        if (result.empty() || result.back() != command) result.push_back(std::move(command));
      }
    return result;
  }

  // Every module that this run switched on holds its image; a run that reports success left every
  // module and the display holding its image and running. Empty when that holds, else what broke.
  // The program areas before a run, for CheckOutcome.
  void Snapshot() {
    for (int a = 0; a < 4; ++a) fBefore[static_cast<size_t>(a)] = SimProgram(a);
  }

  std::string CheckOutcome(bool ok) {
    for (int a = 0; a < 4; ++a) {
      const bool holds = ModuleHoldsImage(a, FileImage(a));
      // Switched on with its new image, or with its memory untouched.
      const bool untouched = SimProgram(a) == fBefore[static_cast<size_t>(a)];
      if (Restarts(a) > 0 && !holds && !untouched)
        return "module " + std::to_string(a) + " runs with a partly written memory";
      if (ok && !holds) return "success, but module " + std::to_string(a) + " does not hold its image";
      if (ok && Restarts(a) == 0) return "success, but module " + std::to_string(a) + " was not switched on";
    }
    if (ok && !DisplayHoldsImage(0)) return "success, but the display does not hold its image";
    if (!ok && run->Errors() == 0 && !run->Cancelled()) return "failure without an error";
    const bool saysDone = view.Field(TTransferField::LastMessage) == "Übertragung erfolgreich beendet!";
    if (saysDone != ok) return "the final message does not match the result";
    return {};
  }

  TempFolder folder{"transfer"};
  std::unique_ptr<TRandomProject> project;
  std::unique_ptr<TProjectTransferSource> source;
  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  std::string path;
  TZYNComm comm;
  TRecordingView view;
  std::unique_ptr<TTransferRun> run;
  std::array<std::vector<uint8_t>, 4> fBefore;
};

class TransferFixture : public ::testing::Test, public TTransferSetup {};

}  // namespace zyn::test
