// The clock, self-test and viewer pages against the simulator on a pseudo-terminal, with a
// project of two control modules and scripted answers for every message box.
#include "bus/ui/ClockPages.h"

#include "bus/ClockService.h"
#include "bus/SelfTestRun.h"
#include "bus/ZYNComm.h"
#include "bus/ui/FrEditSTMUhren.h"
#include "bus/ui/FrNewService.h"
#include "bus/ui/FrSelbstTest.h"
#include "bus/ui/FrSetClock.h"
#include "bus/ui/FrmSTMTimeCheck.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"
#include "tools/zynsim/core/SimFrameCodec.h"
#include "tools/zynsim/core/SimPort.h"
#include "widgets/common/WeekdayBox.h"

#include <QLabel>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace zyn {
namespace {

void EnsureGlobals() {
  static bool done = false;
  if (done) return;
  done = true;
  static test::TempFolder home("bus_ui_home");
  TGlobalSetup setup;
  setup.ProgramPath = home.File("zyn");
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
  RegisterClockPages();
}

template <typename T>
T* Named(std::unique_ptr<T>& p, const std::string& internal, const std::string& display) {
  p->SetInternalName(internal);
  p->SetDisplayName(display);
  return p.get();
}

class ClockPagesTest : public test::AppTest {
 protected:
  void SetUp() override {
    EnsureGlobals();
    path = port.OpenPty();
    port.Start();
    setenv("ZYN_BUS_DEVICE", path.c_str(), 1);
    SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      shown.push_back(text);
      if (answers.empty()) return static_cast<int>(IDOK);
      const int a = answers.front();
      answers.erase(answers.begin());
      return a;
    });
    GProjekt = std::make_unique<TZYNProjekt>();
    GProjekt->FileName = folder.File("Anlage.zpf");
    for (int a = 0; a < 2; ++a) {
      auto stm = std::make_unique<TSteuermodul>();
      Named(stm, "STM" + std::to_string(a), "Steuermodul " + std::to_string(a));
      stm->SetAdresse(a);
      GProjekt->Steuermodule.Add(std::move(stm));
    }
    TSteuermodul& s0 = *GProjekt->Steuermodule.GetSteuermodul(0);
    auto m = std::make_unique<TModul>();
    Named(m, "OUT5", "Relais");
    m->BasisKlasse = 2;
    m->SetAdresse(5);
    for (int a = 0; a < 3; ++a) {
      auto out = std::make_unique<TAusgang>();
      out->SetAdresse(a);
      m->Ausgaenge().Add(std::move(out));
    }
    auto in = std::make_unique<TEingang>();
    in->SetAdresse(0);
    m->Eingaenge().Add(std::move(in));
    module = s0.Module.Add(std::move(m));
    const int times[][4] = {{6, 30, 22, 0}, {0, 0, 7, 45}};
    for (int i = 0; i < 2; ++i) {
      auto u = std::make_unique<TUhr>();
      Named(u, "UHR" + std::to_string(i), "Uhr " + std::to_string(i));
      u->SetAdresse(i);
      u->EinTage = 127;
      u->EinStunde = times[i][0], u->EinMinute = times[i][1];
      u->AusTage = 127;
      u->AusStunde = times[i][2], u->AusMinute = times[i][3];
      s0.Uhren.Add(std::move(u));
    }
  }

  void TearDown() override {
    GProjekt.reset();
    SetMessageDlgHook({});
    unsetenv("ZYN_BUS_DEVICE");
    port.Stop();
  }

  sim::TSimControlModule Module(int n) {
    auto lock = sim.Lock();
    return sim.ControlModule(n);
  }
  template <typename F>
  void Sim(F&& f) {
    auto lock = sim.Lock();
    f(sim);
  }
  bool ShownContains(const char* text) const {
    for (const auto& s : shown)
      if (s.contains(QString::fromUtf8(text))) return true;
    return false;
  }
  // Processes events until done() holds or five seconds have passed.
  static bool Until(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  }

  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  std::string path;
  test::TempFolder folder{"bus_ui"};
  std::vector<QString> shown;
  std::vector<int> answers;
  TModul* module = nullptr;
};

TEST_F(ClockPagesTest, SetClockFindsTheModulesAndGivesTheChosenOnesThePcTime) {
  Sim([](auto& s) {
    s.ControlModule(2).Present = false;
    s.ControlModule(3).Present = false;
  });
  TFrSetClock page;
  page.FrameActivate();
  for (int a = 0; a < 4; ++a) {
    EXPECT_EQ(page.ST[static_cast<size_t>(a)]->isEnabled(), a < 2) << a;
    EXPECT_EQ(page.ST[static_cast<size_t>(a)]->isChecked(), a < 2) << a;
  }
  EXPECT_TRUE(page.BtnTrans->isEnabled());
  EXPECT_FALSE(page.EDate->isEnabled());
  page.ST[1]->setChecked(false);
  page.SCB->setChecked(false);
  const TZYNDateTime before = LocalDateTime(std::chrono::system_clock::now());
  page.BtnTrans->click();
  const TZYNDateTime after = LocalDateTime(std::chrono::system_clock::now());
  const auto m0 = Module(0);
  EXPECT_TRUE((m0.Hour == before.Hour && m0.Minute == before.Minute) ||
              (m0.Hour == after.Hour && m0.Minute == after.Minute));
  EXPECT_EQ(m0.Day, after.Day);
  EXPECT_EQ(m0.Month, after.Month);
  EXPECT_EQ(m0.Year, after.Year - 2000);
  EXPECT_EQ(Module(1).Hour, 12) << "an unchecked module keeps its time";
  EXPECT_TRUE(shown.empty());
  page.FrameDeactivate();
  EXPECT_FALSE(page.Link().Active());
}

TEST_F(ClockPagesTest, WithSecondsTheClockIsSetAtTheNextFullMinute) {
  TFrSetClock page;
  page.FrameActivate();
  // A PC clock that stands at second 58.5 of a minute.
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 60000;
  page.ClockOffset = std::chrono::milliseconds((58500 - ms + 60000) % 60000);
  const TZYNDateTime start = page.Now();
  ASSERT_GE(start.Second, 58);
  const TZYNDateTime next =
      AddMinutes(TZYNDateTime{start.Year, start.Month, start.Day, start.Hour, start.Minute, 0}, 1);
  ASSERT_TRUE(page.SZ->isChecked() && page.SCB->isChecked());
  page.BtnTrans->click();
  EXPECT_FALSE(page.BtnTrans->isEnabled()) << "waiting for the full minute";
  EXPECT_EQ(Module(0).Hour, 12) << "nothing sent before the full minute";
  ASSERT_TRUE(Until([&] { return page.BtnTrans->isEnabled(); }));
  const TZYNDateTime setAt = page.Now();
  EXPECT_EQ(setAt.Minute, next.Minute);
  EXPECT_LE(setAt.Second, 2);
  const auto m = Module(0);
  EXPECT_EQ(m.Hour * 100 + m.Minute, next.Hour * 100 + next.Minute);
  EXPECT_EQ(m.Day, next.Day);
  page.FrameDeactivate();
}

TEST_F(ClockPagesTest, AnImpossibleDateIsRefusedAndNeverSent) {
  TFrSetClock page;
  page.FrameActivate();
  page.SZ->click();
  EXPECT_TRUE(page.EDate->isEnabled());
  EXPECT_FALSE(page.SCB->isEnabled());
  page.EDate->setText(QStringLiteral("31.02.26"));
  emit page.EDate->editingFinished();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("31.02.26 ist kein gültiges Datum!"));
  EXPECT_EQ(page.EDate->text(), QString::fromLatin1(FormatClockDate(LocalDateTime(std::chrono::system_clock::now()))));
  page.ETime->setText(QStringLiteral("25:61:00"));
  emit page.ETime->editingFinished();
  EXPECT_TRUE(ShownContains("25:61:00 ist keine gültige Uhrzeit!"));

  // A typed date is sent at once; an impossible one that reaches the transfer is refused.
  Sim([](auto& s) { s.ClearReceived(); });
  {
    const QSignalBlocker block(page.EDate);
    page.EDate->setText(QStringLiteral("30.02.27"));
  }
  page.ETime->setText(QStringLiteral("08:15:00"));
  EXPECT_FALSE(page.SetClocks());
  EXPECT_TRUE(ShownContains("ungültig"));
  Sim([](auto& s) { EXPECT_TRUE(s.Received().empty()); });
  {
    const QSignalBlocker block(page.EDate);
    page.EDate->setText(QStringLiteral("28.02.27"));
  }
  page.BtnTrans->click();
  EXPECT_EQ(Module(0).Hour, 8);
  EXPECT_EQ(Module(0).Minute, 15);
  EXPECT_EQ(Module(0).Day, 28);
  EXPECT_EQ(Module(0).Month, 2);
  EXPECT_EQ(Module(0).Year, 27);
  page.FrameDeactivate();
}

TEST_F(ClockPagesTest, TimeCheckShowsTheModuleClockAndEmptiesForASilentModule) {
  Sim([](auto& s) { s.ControlModule(3).Present = false; });
  TFrmSTMTimeCheck dialog;
  dialog.show();
  EXPECT_TRUE(dialog.Link().Active());
  EXPECT_EQ(dialog.STMDate->text(), QStringLiteral("Do 10.12.26"));
  EXPECT_EQ(dialog.STMTime->text(), QStringLiteral("12:00"));
  EXPECT_FALSE(dialog.PCTime->text().isEmpty());
  Sim([](auto& s) { s.ControlModule(0).Minute = 7; });
  EXPECT_TRUE(Until([&] { return dialog.STMTime->text() == QStringLiteral("12:07"); })) << "renewed every second";
  dialog.ChooseModule(3);
  // Not empty fields: the silent module is named.
  EXPECT_EQ(dialog.STMDate->text(), QStringLiteral("keine Antwort"));
  EXPECT_TRUE(dialog.STMTime->text().isEmpty());
  EXPECT_EQ(dialog.StatusText->text(), QStringLiteral("STM 3 antwortet nicht"));
  dialog.accept();
  EXPECT_FALSE(dialog.Link().Active());
}

TEST_F(ClockPagesTest, SelfTestRestoresTheProgramAndTheInformationBlock) {
  Sim([](auto& s) {
    auto& mem = s.ControlModule(0).Memory;
    for (size_t i = 0; i < 0x0400; ++i) mem[0x4000 + i] = static_cast<uint8_t>(i * 7 + 3);
    mem[0x4000] = 0x04, mem[0x4001] = 0x00;
    for (size_t i = 0; i < 138; ++i) mem[0xBD00 + i] = static_cast<uint8_t>(200 - i);
  });
  const auto before = Module(0).Memory;
  TFrSelbstTest page;
  page.FrameActivate();
  ASSERT_EQ(page.TC->count(), 2);
  page.TC->setCurrentIndex(1);
  EXPECT_EQ(page.TC->currentIndex(), 0);
  EXPECT_TRUE(ShownContains("Adresse 0 eingestellt sind!"));
  shown.clear();
  answers = {IDYES, IDNO};
  page.BtnStart->click();
  EXPECT_EQ(shown.size(), 2u) << "the confirmation and the power-on question only";
  EXPECT_TRUE(page.Memo1->toPlainText().contains(QStringLiteral("ohne Fehler beendet")));
  const auto after = Module(0).Memory;
  EXPECT_TRUE(std::equal(before.begin() + 0x4000, before.begin() + 0xBEA0, after.begin() + 0x4000));
  EXPECT_EQ(Module(0).PowerOnReleases, 0);
  EXPECT_TRUE(std::filesystem::exists(page.BackupFilePath()));
  EXPECT_FALSE(page.Link().Active());

  // "No" leaves everything untouched.
  Sim([](auto& s) { s.ClearReceived(); });
  answers = {IDNO};
  page.BtnStart->click();
  Sim([](auto& s) { EXPECT_TRUE(s.Received().empty()); });
}

TEST_F(ClockPagesTest, ABackupFileClaimingMoreThanTheProgramAreaIsRefused) {
  TSelfTestBackup b;
  b.Length = 2;
  b.Image = {0, 2};
  const std::string file = folder.File("zu-lang.zsb");
  ASSERT_EQ(b.SaveToFile(file), "");
  std::string bytes = test::ReadWholeFile(file);
  bytes[9] = '\x90';  // 0x9002 bytes
  ASSERT_TRUE(test::WriteWholeFile(file, bytes));
  TFrSelbstTest page;
  page.FrameActivate();
  page.RestoreFromFile(file);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("36866")));
  EXPECT_TRUE(shown[0].contains(QStringLiteral("zu-lang.zsb")));
  Sim([](auto& s) { EXPECT_TRUE(s.Received().empty()); });

  // A good file is written back.
  ASSERT_EQ(b.SaveToFile(file), "");
  shown.clear();
  page.RestoreFromFile(file);
  EXPECT_TRUE(ShownContains("zurückgespielt"));
  EXPECT_EQ(Module(0).Memory[0x4001], 2);
}

TEST_F(ClockPagesTest, TimerViewerShowsAndWritesTheModuleTimers) {
  Sim([](auto& s) {
    auto& t = s.ControlModule(0).Timers;
    t.assign(3, {});
    t[0] = {0, 0, 0x1F, 6, 30, 0x1F, 22, 0, 0};
    t[1] = {0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
    t[2] = {2, 0, 0x60, 9, 15, 0x60, 18, 45, 0};
  });
  TFrEditSTMUhren page;
  page.FrameActivate();
  page.BtnOK->click();
  ASSERT_EQ(page.LBTimer->count(), 2);
  EXPECT_EQ(page.LBTimer->item(1)->text(), QStringLiteral("Timer 002"));
  EXPECT_TRUE(page.Memo1->toPlainText().contains(QStringLiteral("Fehler beim Auslesen von Timer 001")));
  EXPECT_TRUE(page.ToolButton2->isEnabled());
  page.LBTimer->setCurrentRow(1);
  EXPECT_EQ(page.EDTimer->text(), QStringLiteral("Timer 002"));
  EXPECT_EQ(page.EinMaske->Time(), QStringLiteral("09:15"));
  EXPECT_EQ(page.AusMaske->DayMask(), 0x60);
  page.EinMaske->SetTime(QStringLiteral("7:5"));
  page.EinMaske->SetDayMask(0x7F);
  page.EdgeChanged(true);
  page.ToolButton2->click();
  Sim([](auto& s) {
    EXPECT_EQ(s.ControlModule(0).Timers[2], (std::array<uint8_t, 9>{2, 0, 0x7F, 7, 5, 0x60, 18, 45, 0}));
  });
  // The viewer follows the module: a new read shows what it holds now.
  Sim([](auto& s) { s.ControlModule(0).Timers[0][3] = 5; });
  page.BtnOK->click();
  page.LBTimer->setCurrentRow(0);
  EXPECT_EQ(page.EinMaske->Time(), QStringLiteral("05:30"));
  // Another tab empties the list.
  page.TC->setCurrentIndex(1);
  EXPECT_EQ(page.LBTimer->count(), 0);
  // A silent module: the message, an empty list.
  page.Link().SetP_RecTimeout(60);
  Sim([](auto& s) { s.ControlModule(1).Present = false; });
  page.BtnOK->click();
  EXPECT_TRUE(ShownContains("Das Steuermodul kann nicht angesprochen werden"));
  EXPECT_FALSE(page.ToolButton2->isEnabled());
  page.FrameDeactivate();
}

TEST_F(ClockPagesTest, FlagViewerShowsTheModuleFlagsAndFollowsChanges) {
  Sim([](auto& s) {
    s.ControlModule(0).Flags.fill(1);
    s.ControlModule(0).Flags[9] = 0;
  });
  TFrmEditSTMMerker page;
  page.FrameActivate();
  page.BtnRefresh->click();
  ASSERT_NE(page.MG->item(1, 1), nullptr);
  EXPECT_EQ(page.MG->item(1, 1)->text(), QStringLiteral("EIN"));
  EXPECT_EQ(page.MG->item(0, 0)->text(), QStringLiteral("AUS"));
  EXPECT_EQ(page.MG->verticalHeaderItem(127)->text(), QStringLiteral("$7F"));
  EXPECT_GE(page.Link().P_RecBuffSize(), 1030);
  Sim([](auto& s) { s.ControlModule(0).Flags[9] = 255; });
  page.TC->setCurrentIndex(1);
  EXPECT_EQ(page.MG->item(1, 1)->text(), QStringLiteral("EIN")) << "kept until the next refresh";
  page.TC->setCurrentIndex(0);
  page.BtnRefresh->click();
  EXPECT_EQ(page.MG->item(1, 1)->text(), QStringLiteral("AUS"));
}

TEST_F(ClockPagesTest, ClockTestSetsTheEdgesAndListensForStateTelegrams) {
  TFrNewService page;
  page.TickMs = 1;
  page.FrameActivate();
  EXPECT_TRUE(page.Link().Active()) << "the port stays open while the page is shown";
  ASSERT_EQ(page.ULV->topLevelItemCount(), 2);
  EXPECT_TRUE(page.Button3->isEnabled());

  // "Uhr testen" without a chosen clock.
  page.ULV->setCurrentItem(nullptr);
  page.Button3->click();
  EXPECT_TRUE(ShownContains("Sie müssen zuerst eine Uhr auswählen"));

  page.ULV->setCurrentItem(page.ULV->topLevelItem(1));
  page.RFlanke->button(1)->setChecked(true);  // "Ein": the 00:00 edge only
  Sim([](auto& s) { s.ClearReceived(); });
  page.Button3->click();
  // The module was set to 23:59 for the edge, then back to the PC's time, and the log says so.
  std::vector<std::vector<uint8_t>> settings;
  Sim([&](auto& s) {
    for (const auto& t : s.Received())
      if (t.size() > 4 && t[2] == 0x04) settings.emplace_back(t.begin() + 3, t.begin() + 5);
  });
  ASSERT_EQ(settings.size(), 2u);
  EXPECT_EQ(settings[0], (std::vector<uint8_t>{23, 59}));
  const TZYNDateTime pc = LocalDateTime(std::chrono::system_clock::now());
  const auto m = Module(0);
  EXPECT_LE(std::abs((pc.Hour * 60 + pc.Minute) - (m.Hour * 60 + m.Minute)), 1) << "the module clock is the PC's again";
  EXPECT_TRUE(page.USLB->item(0)->text().startsWith(QStringLiteral("004: Die Uhr des Steuermoduls wurde auf die Zeit des PCs gestellt")))
      << page.USLB->item(0)->text().toStdString();
  EXPECT_EQ(page.USLB->item(1)->text(), QStringLiteral("003: Test abgeschlossen"));
  EXPECT_EQ(page.USLB->item(page.USLB->count() - 1)->text(), QStringLiteral("000: Uhr 1 : Einschalten"));
  EXPECT_TRUE(GPortOpen) << "the page holds the port";

  // A state telegram of the module: outputs 0 and 2, input 0.
  port.WriteRaw(sim::EncodeFrame({0x00, sim.PCAddress(), 0x20, 0x00, 2 * 32 + 5, 0x00, 0x05, 0x00, 0x01}));
  EXPECT_TRUE(Until([&] { return module->Ausgaenge().GetItem(2)->ServiceState; }));
  EXPECT_TRUE(module->Ausgaenge().GetItem(0)->ServiceState);
  EXPECT_FALSE(module->Ausgaenge().GetItem(1)->ServiceState);
  EXPECT_TRUE(module->Eingaenge().GetItem(0)->ServiceState);
  // From another control module nothing changes; the module's own next telegram is applied.
  port.WriteRaw(sim::EncodeFrame({0x01, sim.PCAddress(), 0x20, 0x00, 2 * 32 + 5, 0x00, 0x00, 0x00, 0x00}));
  port.WriteRaw(sim::EncodeFrame({0x00, sim.PCAddress(), 0x20, 0x00, 2 * 32 + 5, 0x00, 0x06, 0x00, 0x01}));
  EXPECT_TRUE(Until([&] { return module->Ausgaenge().GetItem(1)->ServiceState; }));
  EXPECT_TRUE(module->Ausgaenge().GetItem(2)->ServiceState);
  EXPECT_FALSE(module->Ausgaenge().GetItem(0)->ServiceState);

  // "Alle testen", aborted during the first wait.
  shown.clear();
  answers = {IDYES, IDOK};
  page.RFlanke->button(0)->setChecked(true);
  QTimer::singleShot(30, &page, [&page] { page.Button1->click(); });
  page.TickMs = 50;
  page.Button2->click();
  EXPECT_EQ(page.USLB->item(1)->text().mid(5), QStringLiteral("Test abgebrochen"));
  EXPECT_TRUE(page.USLB->item(0)->text().mid(5).startsWith(QStringLiteral("Die Uhr des Steuermoduls wurde")));
  EXPECT_TRUE(ShownContains("wirdauf jeden Fall noch ausgeführt!"));
  EXPECT_FALSE(page.Running());
  page.FrameDeactivate();
  EXPECT_FALSE(page.Link().Active());
  EXPECT_FALSE(GPortOpen);
}

}  // namespace
}  // namespace zyn
