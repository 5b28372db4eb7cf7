// The bus service pages against the simulator on a real pseudo-terminal: the pages are built,
// driven through their buttons and lists, and their results read from the controls and from the
// simulated bus.

#include "bus/ui/FrDimmerKennlinie.h"
#include "bus/ui/FrJRMPrio.h"
#include "bus/ui/FrModulcheck.h"
#include "bus/ui/FrSTMMonitor.h"
#include "bus/ui/FrService.h"
#include "model/Kennlinien.h"
#include "model/base/Cp1252.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/bus/ServiceModel.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"
#include "tools/zynsim/core/SimPort.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace zyn {
namespace {

class ServicePagesTest : public test::AppTest {
 protected:
  void SetUp() override {
    path = port.OpenPty();
    port.Start();
    setenv("ZYN_BUS_DEVICE", path.c_str(), 1);
    previousHook = SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      messages.push_back(text);
      return answerYes ? IDYES : IDCANCEL;
    });
    GProjekt = std::make_unique<TZYNProjekt>();
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName("STM0");
    stm->SetDisplayName("Haus");
    stm->SetAdresse(0);
    this->stm = stm.get();
    GProjekt->Steuermodule.Add(std::move(stm));
    inputs = AddServiceModule(*this->stm, {"Taster", "INP", "INPUT 8", bcEingangsModule, 3, 8, 0, 0, 3});
    mfm = AddServiceModule(*this->stm, {"Flur", "MFM", "MFM 4", bcMultifunktionsModule, 2, 4, 4, 5, 3});
    absent = AddServiceModule(*this->stm, {"Keller", "OUT", "OUTPUT 8", bcAusgangsModule, 9, 0, 8});
    auto lock = sim.Lock();
    SimModule(sim, 0, *inputs);
    SimModule(sim, 0, *mfm);
    SimModule(sim, 0, *absent).Present = false;
  }
  void TearDown() override {
    SetMessageDlgHook(previousHook);
    GProjekt.reset();
    GKennlinien.reset();
    unsetenv("ZYN_BUS_DEVICE");
    GPortOpen = false;
  }
  template <typename F>
  auto Bus(const TModul& modul, F&& f) {
    auto lock = sim.Lock();
    return f(SimModule(sim, 0, modul));
  }
  // Processes events until done() or a deadline.
  template <typename F>
  bool Until(F&& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
  }
  static QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }

  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  std::string path;
  TMessageDlgHook previousHook;
  std::vector<QString> messages;
  bool answerYes = false;  // the answer to a question
  TSteuermodul* stm = nullptr;
  TModul *inputs = nullptr, *mfm = nullptr, *absent = nullptr;
};

TEST_F(ServicePagesTest, OutputTestSwitchesASimulatedOutput) {
  TFrService host;
  host.FrameActivate();
  host.AnBtnClick();
  TFrOldServiceAusgang* page = host.Ausgang;
  EXPECT_EQ(host.FM->CurrentFrame(), "FrOldServiceAusgang");
  EXPECT_EQ(Texts(page->ListBox1), (QStringList{"MFM.02-Flur", "OUT.09-Keller"}));
  EXPECT_EQ(page->ListBox1->item(0)->foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(page->ListBox1->item(1)->foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(Texts(page->ListBox2),
            (QStringList{"MFM.02.00-Ausgang 1", "MFM.02.01-Ausgang 2", "MFM.02.02-Ausgang 3", "MFM.02.03-Ausgang 4"}));
  EXPECT_TRUE(page->Button2->isEnabled());
  EXPECT_EQ(page->Button2->text(), "Ausgang umschalten");
  page->ListBox2->setCurrentRow(2);
  page->ListBox2->item(2)->setSelected(true);
  page->Button2Click();
  EXPECT_EQ(Bus(*mfm, [](sim::TSimBusModule& m) { return m.Outputs(); }), 0x0004);
  EXPECT_TRUE(mfm->Ausgaenge().GetItem(2)->ServiceState);
  EXPECT_TRUE(page->ListBox2->item(2)->font().bold());
  EXPECT_FALSE(page->ListBox2->item(1)->font().bold());
  EXPECT_TRUE(messages.empty());
  // A module that is not there: listed red, switching disabled until an output is chosen, and a
  // switch that nobody confirms is reported.
  page->ListBox1->setCurrentRow(1);
  page->ListBox1Click();
  EXPECT_FALSE(page->Button2->isEnabled());
  page->ListBox2->setCurrentRow(0);
  page->ListBox2Click();
  EXPECT_TRUE(page->Button2->isEnabled());
  page->ListBox2->item(0)->setSelected(true);
  page->Button2Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains("OUT.09-Keller")) << messages[0].toStdString();
  EXPECT_FALSE(GPortOpen);
  host.FrameDeactivate();
  EXPECT_EQ(page->ListBox1->count(), 0);
}

TEST_F(ServicePagesTest, InputTestLogsASimulatedInputChange) {
  TFrService host;
  host.FrameActivate();
  host.AbBtnClick();
  TFrOldServiceEingang* page = host.Eingang;
  EXPECT_EQ(Texts(page->ListBox1), (QStringList{"INP.03-Taster", "MFM.02-Flur"}));
  page->ListBox1->setCurrentRow(1);
  page->ListBox1Click();
  ASSERT_TRUE(page->Button2->isEnabled());
  // The poll loop runs inside the click; the change and the stop come through the event loop.
  // On a loaded machine the change may come before the loop read its first state and so go
  // unseen: the input falls back and rises again every 50 ticks until a rising edge is logged.
  const auto risingLine = [&]() -> QListWidgetItem* {
    for (int i = 0; i < page->ListBox2->count(); ++i)
      if (page->ListBox2->item(i)->text().endsWith(" - MFM.02.01-Flur - Einschaltflanke")) return page->ListBox2->item(i);
    return nullptr;
  };
  QTimer watch;
  int ticks = 0;
  const QDeadlineTimer deadline(30000);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const int phase = ticks++ % 50;
    if (phase == 0) Bus(*mfm, [](sim::TSimBusModule& m) { m.SetInputs(0x0002); });
    if (phase == 40 && !risingLine()) Bus(*mfm, [](sim::TSimBusModule& m) { m.SetInputs(0x0000); });
    if (risingLine() || deadline.hasExpired()) page->Button3->click();
  });
  watch.start(5);
  page->Button2Click();
  watch.stop();
  EXPECT_FALSE(page->Running());
  QListWidgetItem* line = risingLine();
  ASSERT_NE(line, nullptr) << "no rising edge was logged";
  EXPECT_EQ(line->foreground().color(), QColor(255, 0, 0));
  EXPECT_TRUE(page->Button2->isEnabled());
  EXPECT_FALSE(page->Button3->isEnabled());
  EXPECT_FALSE(GPortOpen);
}

TEST_F(ServicePagesTest, ModuleScanFindsExactlyTheSimulatedModules) {
  TFrModulcheck page;
  page.PauseMs = 0;
  page.FrameActivate();
  EXPECT_EQ(Texts(page.MB), (QStringList{"INP.03 - Taster", "MFM.02 - Flur", "OUT.09 - Keller"}));
  ASSERT_TRUE(page.BS->isEnabled());
  page.BSClick();
  EXPECT_EQ(inputs->Present, TModulState::msPresent);
  EXPECT_EQ(mfm->Present, TModulState::msPresent);
  EXPECT_EQ(absent->Present, TModulState::msMissing);
  EXPECT_EQ(page.MB->item(2)->foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(page.MB->item(0)->foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(page.LA->text(), "Es wurden 1 Module nicht gefunden.");
  EXPECT_TRUE(page.BS->isEnabled());
  EXPECT_FALSE(page.BA->isEnabled());
  // A silent control module: the error box, and every module stays undefined.
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Present = false;
  }
  page.BSClick();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Die Steuerung konnte nicht angesprochen werden");
  EXPECT_EQ(absent->Present, TModulState::msUndefined);
}

TEST_F(ServicePagesTest, ModuleScanAbortedAfterTheFirstModule) {
  TFrModulcheck page;
  page.PauseMs = 20;
  page.FrameActivate();
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (inputs->Present == TModulState::msPresent && page.BA->isEnabled()) page.BA->click();
  });
  watch.start(1);
  page.BSClick();
  watch.stop();
  EXPECT_EQ(inputs->Present, TModulState::msPresent);
  EXPECT_EQ(mfm->Present, TModulState::msUndefined);
  EXPECT_EQ(absent->Present, TModulState::msUndefined);
  EXPECT_EQ(page.MB->item(1)->foreground().color(), QColor(0, 0, 0));
  EXPECT_EQ(page.LA->text(), "Der Scan wurde abgebrochen. Es wurden alle Module gefunden");
  EXPECT_TRUE(page.BS->isEnabled());
}

TEST_F(ServicePagesTest, TestScanOfASilentControlModuleSaysSo) {
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Present = false;
  }
  TFrService host;
  host.FrameActivate();
  host.AnBtnClick();
  EXPECT_EQ(host.Ausgang->ListBox1->count(), 0);
  EXPECT_FALSE(host.Ausgang->Button2->isEnabled());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Das Steuermodul konnte nicht angesprochen werden!");
}

TEST_F(ServicePagesTest, DimmerCurvesArriveAsSent) {
  GKennlinien = std::make_unique<TZYNKennlinienListe>();
  TZYNKennlinie* curve = GKennlinien->Add();
  for (int i = 0; i < 256; ++i) curve->Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i);
  TModul* dimmer = AddServiceModule(*stm, {"Wohnen", "DIM", "DIM", bcDimmerModule, 1, 0, 2});
  {
    auto lock = sim.Lock();
    SimModule(sim, 0, *dimmer);
  }
  TFrDimmerKennlinie page;
  page.FrameActivate();
  ASSERT_TRUE(page.BtnStart->isEnabled());
  EXPECT_EQ(page.GPB->maximum(), 2);
  page.BtnStartClick();
  EXPECT_EQ(Texts(page.LB),
            (QStringList{QString::fromUtf8("Übertragung an.....: STM00.DIM.01.00-Ausgang 1 erfolgreich beendet."),
                         QString::fromUtf8("Übertragung an.....: STM00.DIM.01.01-Ausgang 2 erfolgreich beendet."),
                         QString::fromUtf8("Übertragung mit 0 Fehlern beendet!")}));
  for (int output = 0; output < 2; ++output) {
    const std::vector<uint8_t> block =
        Bus(*dimmer, [output](sim::TSimBusModule& m) { return m.Curves[static_cast<uint8_t>(output)]; });
    ASSERT_EQ(block.size(), 272u);
    EXPECT_TRUE(std::equal(curve->Werte.begin(), curve->Werte.end(), block.begin() + 16)) << output;
  }
  EXPECT_TRUE(page.BtnStart->isEnabled());
  EXPECT_EQ(page.DPB->value(), 0);
}

TEST_F(ServicePagesTest, PriorityReleaseSendsPerPairAndNamesSilentModules) {
  TModul* blind = AddServiceModule(*stm, {"Sued", "JRM", "JRM", bcAusgangsModule, 4, 0, 4});
  TModul* gone = AddServiceModule(*stm, {"Nord", "JRM", "Jrm", bcAusgangsModule, 5, 0, 2});
  {
    auto lock = sim.Lock();
    SimModule(sim, 0, *blind);
    SimModule(sim, 0, *gone).Present = false;
  }
  TFrJRMPrio page;
  page.PauseMs = 0;
  page.FrameActivate();
  EXPECT_EQ(Texts(page.MB), (QStringList{"STM.00.JRM.04-Sued", "STM.00.JRM.05-Nord"}));
  // The question first: without a yes nothing is sent.
  page.TBClick();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].startsWith("Die Prioritäten werden aufgehoben: Wind- und Wartungssperren der Jalousien "
                                     "sind danach aus. Fortfahren?"))
      << messages[0].toStdString();
  const std::vector<int> none = Bus(*blind, [](sim::TSimBusModule& m) { return m.PriorityReleases; });
  EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](int n) { return n == 0; }));
  messages.clear();
  answerYes = true;
  page.TBClick();
  EXPECT_EQ(Bus(*blind, [](sim::TSimBusModule& m) { return m.PriorityReleases; }), (std::vector<int>{0, 1}));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(messages[1].contains("JRM.05-Nord")) << messages[1].toStdString();
  EXPECT_FALSE(messages[1].contains("Sued"));
  EXPECT_EQ(page.Result->text(), "Die Prioritäten wurden nicht bei allen Modulen aufgehoben.");
  EXPECT_TRUE(page.TB->isEnabled());
  EXPECT_EQ(page.PB->value(), 0);
  // Every module there: the result line says what was done.
  {
    auto lock = sim.Lock();
    SimModule(sim, 0, *gone).Present = true;
  }
  messages.clear();
  page.TBClick();
  EXPECT_EQ(messages.size(), 1u);  // the question only
  EXPECT_EQ(page.Result->text(), "Die Prioritäten von 3 Ausgangspaaren wurden aufgehoben.");
}

TEST_F(ServicePagesTest, MonitorShowsStateTelegramsThroughNoise) {
  TFrSTMMonitor page;
  page.FrameActivate();
  page.BtnStartClick();
  ASSERT_TRUE(page.Listening());
  EXPECT_TRUE(GPortOpen);
  EXPECT_FALSE(page.BtnStart->isEnabled());
  Bus(*mfm, [](sim::TSimBusModule& m) { m.SetOutputs(0x0003); });
  std::vector<uint8_t> state;
  {
    auto lock = sim.Lock();
    state = sim.StateFrame(0, 0x22, 1);
  }
  port.WriteRaw(state);
  port.WriteRaw({0x55, 0xC0, 0x01, 0x7D, 0xC1, 0x99, 0x13});  // noise and a broken frame
  port.WriteRaw(state);
  ASSERT_TRUE(Until([&] {
    int n = 0;
    for (const auto& l : page.Lines()) n += l.Command.find("Zustand") != std::string::npos;
    return n >= 2;
  }));
  EXPECT_TRUE(page.Listening());
  QTreeWidgetItem* first = page.Memo1->topLevelItem(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text(1), "an PC");
  EXPECT_EQ(first->text(2), "STM 0");
  EXPECT_EQ(first->text(3), QString::fromUtf8("Zustand Modul $22: Ausgänge $0003, Eingänge $0000"));
  EXPECT_TRUE(first->text(4).startsWith("00 FE 20 01 22 00 03 00 00 "));
  // The filter hides the rest; saving writes what is shown.
  page.Filter->setText("zustand");
  EXPECT_EQ(page.Memo1->topLevelItemCount(), 2);
  test::TempFolder folder("monitor_page");
  ASSERT_TRUE(page.SaveTo(folder.File("bus.txt")));
  const std::string text = test::ReadWholeFile(folder.File("bus.txt"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  page.BtnStopClick();
  EXPECT_FALSE(page.Listening());
  EXPECT_FALSE(GPortOpen);
  EXPECT_TRUE(page.BtnStart->isEnabled());
  page.Button1->click();
  EXPECT_EQ(page.Memo1->topLevelItemCount(), 0);
}

TEST_F(ServicePagesTest, MonitorReportsAPortThatCannotBeOpened) {
  setenv("ZYN_BUS_DEVICE", "/nonexistent/ttyZYN", 1);
  TFrSTMMonitor page;
  page.FrameActivate();
  page.BtnStartClick();
  EXPECT_FALSE(page.Listening());
  EXPECT_TRUE(page.BtnStart->isEnabled());
  EXPECT_FALSE(page.BtnStop->isEnabled());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].startsWith("Der Monitor konnte nicht gestartet werden:"));
}

}  // namespace
}  // namespace zyn
