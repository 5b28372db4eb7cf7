// The transfer, listing and information pages and the erase dialogs, offscreen, against the
// simulator on a pseudo-terminal named in the options.

#include "bus/ProgramListing.h"
#include "bus/ui/BusPage.h"
#include "bus/ui/FormDeleteMemory.h"
#include "bus/ui/FrSTMInfo.h"
#include "bus/ui/FrSTMListing.h"
#include "bus/ui/FrTransfer.h"
#include "bus/ui/HexView.h"
#include "bus/ui/VaDisplay.h"
#include "frames/ObjectPage.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/bus/TransferFixture.h"
#include "tests/support/AppFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

class BusPages : public AppTest {
 protected:
  void SetUp() override {
    // The project of the transfer tests, saved and opened as the programme opens one.
    TTransferSetup setup;
    const std::string file = folder.File("Anlage.zpf");
    ASSERT_TRUE(setup.projekt().SaveProjectFile(file, false));
    GProjekt = std::make_unique<TZYNProjekt>();
    GProjekt->LoadProjectFile(file);
    GProjekt->FileName = file;
    std::filesystem::copy_file(setup.folder.File("chars.zyb"), folder.File("chars.zyb"));

    GOptionFile = std::make_unique<TZYNOptionFile>(folder.Path());
    GOptionFile->SetDefaults();
    auto& serial = GOptionFile->Optionen().SerialPort->First();
    serial.DevicePath = port.OpenPty();
    serial.MaxTimeout = 300;
    serial.MaxRepeat = 2;
    serial.MinPause = 0;
    GOptionFile->Optionen().Path->First().SystemPath = folder.Path();
    SetIntOption(ioPorWaitTime, 2);
    port.Start();
    messages.clear();
    SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      messages.push_back(text);
      return 6;
    });
  }
  void TearDown() override {
    SetMessageDlgHook({});
    GProjekt.reset();
    GOptionFile.reset();
    EXPECT_FALSE(GPortOpen);
  }
  template <typename F>
  void Sim(F&& f) {
    auto lock = sim.Lock();
    f(sim);
  }
  int TabOf(QTabBar* tabs, const QString& text) {
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabText(i) == text) return i;
    return -1;
  }

  TempFolder folder{"buspages"};
  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  std::vector<QString> messages;
};

TEST_F(BusPages, TrafficDisplayLightsWhileBytesGoOverTheLineAndSaysWhenItIsGone) {
  TVaDisplay display;
  display.Timer->stop();  // the test reads the counts itself
  TZYNComm link;
  link.ApplySerialSettings(PageSerialSettings());
  link.SetCloseDelay(0);
  display.Attach(link);
  link.OpenLink();
  ASSERT_TRUE(link.Active()) << link.OpenError();
  ASSERT_TRUE(link.GetModuleStatus());
  display.Update();
  EXPECT_TRUE(TVaDisplay::Lit(display.RxLamp));
  EXPECT_TRUE(TVaDisplay::Lit(display.TxLamp));
  EXPECT_FALSE(TVaDisplay::Lit(display.ErrorLamp));
  EXPECT_TRUE(display.Counts->text().contains(QStringLiteral(" Bytes empfangen, ")));
  EXPECT_FALSE(display.Counts->text().startsWith(QStringLiteral("0 ")));
  // Nothing more on the line: the lamps go out, the counts stay.
  const QString counts = display.Counts->text();
  display.Update();
  EXPECT_FALSE(TVaDisplay::Lit(display.RxLamp));
  EXPECT_FALSE(TVaDisplay::Lit(display.TxLamp));
  EXPECT_EQ(display.Counts->text(), counts);
  port.Hangup();
  EXPECT_TRUE(QTest::qWaitFor([&] {
    display.Update();
    return display.Counts->text().endsWith(QStringLiteral(", Verbindung getrennt"));
  }));
  EXPECT_TRUE(TVaDisplay::Lit(display.ErrorLamp));
  link.CloseLink();
}

TEST_F(BusPages, TransferPageSendsEverythingAndShowsTheResult) {
  TFrTransfer page;
  page.FrameActivate();
  page.Refresh();
  EXPECT_EQ(page.CPL->text().toStdString(), GOptionFile->Optionen().SerialPort->First().DevicePath);
  ASSERT_EQ(page.TC->count(), 6);  // four control modules, the display, "Alles übertragen"
  EXPECT_EQ(page.TC->tabText(5), QStringLiteral("Alles übertragen"));
  EXPECT_EQ(page.STMV->text(), QStringLiteral("V1.78"));
  EXPECT_TRUE(page.BtnGo->isEnabled());

  page.TC->setCurrentIndex(4);  // the display
  EXPECT_TRUE(page.STMV->isHidden());
  EXPECT_EQ(page.STMA->text(), QStringLiteral("DSP 0"));

  page.TC->setCurrentIndex(5);
  page.BtnGo->click();
  EXPECT_TRUE(messages.empty());  // no question, no warning for the whole project
  const QString log = page.Memo1->toPlainText();
  EXPECT_TRUE(log.contains(QStringLiteral("Übertragung erfolgreich beendet"))) << log.toStdString();
  EXPECT_TRUE(log.contains(QStringLiteral("POR Freigabe ausführen")));
  EXPECT_EQ(page.LERR->text(), QStringLiteral("Übertragung erfolgreich beendet!"));
  EXPECT_TRUE(page.BtnGo->isEnabled());
  EXPECT_FALSE(page.BtnStop->isEnabled());
  EXPECT_TRUE(page.TC->isEnabled());
  Sim([](sim::TSTMSimulator& s) {
    for (int a = 0; a < 4; ++a) EXPECT_EQ(s.ControlModule(a).Restarts, 1) << a;
    EXPECT_TRUE(s.Display(0).Finished);
  });
  EXPECT_EQ(page.AskApplyChanges(), 6);
}

TEST_F(BusPages, TransferPageFollowsTheDeviceWhileItIsShown) {
  unsetenv("ZYN_BUS_DEVICE");
  TFrTransfer page;
  page.show();
  page.FrameActivate();
  page.Refresh();
  EXPECT_EQ(page.CPL->text().toStdString(), port.Path());
  EXPECT_TRUE(page.STMV->text().startsWith(QStringLiteral("V"))) << page.STMV->text().toStdString();
  // Changed elsewhere (the options page, the wizard) while the page stays: it shows and uses it.
  GOptionFile->Optionen().SerialPort->First().DevicePath = "/dev/zyn-no-such-port";
  EXPECT_TRUE(QTest::qWaitFor([&] { return page.CPL->text() == QStringLiteral("/dev/zyn-no-such-port"); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return page.STMV->text() == QStringLiteral("Die Schnittstelle /dev/zyn-no-such-port wurde nicht gefunden."); },
      5000))
      << page.STMV->text().toStdString();
  // ZYN_BUS_DEVICE wins over the options.
  setenv("ZYN_BUS_DEVICE", port.Path().c_str(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return page.CPL->text().toStdString() == port.Path(); }, 5000));
  unsetenv("ZYN_BUS_DEVICE");
}

TEST_F(BusPages, TransferPageLogsFailuresInRedAndAsksBeforeOneModuleOfSeveral) {
  TFrTransfer page;
  page.FrameActivate();
  page.Refresh();
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(0).Present = false; });
  const int tab = page.TC->currentIndex();
  ASSERT_EQ(page.SelectedTarget(), 0);
  page.ShowModuleStatus();
  // The device is named: the link's and the page's.
  EXPECT_EQ(page.STMV->text(), QString::fromStdString("Steuermodul 0 nicht gefunden an " + port.Path()));
  EXPECT_EQ(page.CPL->text(), QString::fromStdString(port.Path()));
  EXPECT_FALSE(page.BtnGo->isEnabled());
  page.GoClick();  // as when the module went away after the status
  EXPECT_EQ(page.TC->currentIndex(), tab);
  ASSERT_EQ(messages.size(), 1u);  // the warning: all programs belong together
  EXPECT_TRUE(messages[0].contains(QStringLiteral("aller Steuerungen")));
  EXPECT_EQ(page.TERR->text(), QStringLiteral("Es sind Fehler aufgetreten!"));
  EXPECT_EQ(page.LERR->text(), QStringLiteral("Übertragung wurde mit 1 Fehlern beendet!"));
  const QString html = page.Memo1->toHtml();
  EXPECT_TRUE(html.contains(QStringLiteral("#ff0000"))) << html.toStdString();
  EXPECT_TRUE(page.Memo1->toPlainText().contains(QStringLiteral("Keine Antwort vom Steuermodul")));
}

TEST_F(BusPages, ListingReadsIntoTheHexViewAndWritesALoadedProgramBack) {
  TFrSTMListing page;
  page.FrameActivate();
  page.SelectFirstTab();
  ASSERT_EQ(page.TC->count(), 4);
  EXPECT_TRUE(page.BtnRead->isEnabled());
  EXPECT_FALSE(page.BtnTransfer->isEnabled());
  const int adresse = TabModule(page.TC, 0);
  Sim([&](sim::TSTMSimulator& s) { s.ControlModule(adresse).Memory[0x4001] = 0xAB; });
  page.BtnRead->click();
  EXPECT_TRUE(page.MPHE->RowText(0).startsWith(QStringLiteral("4000  FF AB FF")))
      << page.MPHE->RowText(0).toStdString();
  EXPECT_EQ(page.MPHE->RowCount(), 2048);

  // Save, then load a compiled program and write it back.
  page.ChooseFile = [&](bool) { return folder.File("gelesen.prg"); };
  page.BtnSaveListing->click();
  EXPECT_EQ(FileBytes(folder.File("gelesen.prg")).size(), 32768u);
  page.BtnLoad->click();
  EXPECT_TRUE(page.BtnTransfer->isEnabled());
  page.BtnTransfer->click();  // an erased module's listing is no program
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("kein gültiges Steuermodulprogramm")));

  TFrTransfer transfer;  // compile to get the program file
  transfer.FrameActivate();
  transfer.Refresh();
  transfer.TC->setCurrentIndex(5);
  transfer.BtnGo->click();
  page.ChooseFile = [&](bool) { return folder.File("Anlage.prg"); };
  page.BtnLoad->click();
  Sim([&](sim::TSTMSimulator& s) { s.ControlModule(adresse).Restarts = 0; });
  page.TC->setCurrentIndex(0);
  EXPECT_TRUE(page.BtnTransfer->isEnabled());  // a tab change keeps the loaded program
  page.BtnTransfer->click();
  EXPECT_EQ(messages.size(), 1u);
  Sim([&](sim::TSTMSimulator& s) { EXPECT_EQ(s.ControlModule(adresse).Restarts, 1); });
  page.FrameActivate();
  EXPECT_FALSE(page.BtnTransfer->isEnabled());
}

TEST_F(BusPages, InformationPageReadsTheModuleOfTheChosenTab) {
  TFrSTMInfo page;
  page.FrameActivate();
  page.Refresh();
  ASSERT_EQ(page.TC->count(), 4);
  EXPECT_TRUE(page.BtnOK->isEnabled());
  const int second = TabModule(page.TC, 1);
  Sim([&](sim::TSTMSimulator& s) {
    TProjektInfo info;
    info.ProjektName = "Anlage";
    info.ImageLength = 0x1234;
    const auto block = info.ToBlock();
    for (int a = 0; a < 4; ++a) std::copy(block.begin(), block.end(), s.ControlModule(a).Memory.begin() + 0xBD00);
    s.ControlModule(second).Present = false;
  });
  page.BtnOK->click();
  EXPECT_EQ(page.Values[0]->text(), QStringLiteral("Anlage"));
  EXPECT_EQ(page.Values[7]->text(), QStringLiteral("$1234"));
  EXPECT_TRUE(page.Memo1->toPlainText().contains(QStringLiteral("erfolgreich ausgelesen")));
  page.TC->setCurrentIndex(1);  // a silent module: the values go, the box comes
  EXPECT_EQ(page.Values[0]->text(), QString());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("nicht angesprochen")));
  page.FrameDeactivate();
  EXPECT_EQ(page.TC->count(), 0);
}

TEST_F(BusPages, EraseDialogsEraseWhatIsChosenAndAnswers) {
  Sim([](sim::TSTMSimulator& s) {
    s.ControlModule(1).Present = false;
    for (int a = 0; a < 4; ++a) s.ControlModule(a).Memory[0x6000] = 0;
    s.Display(0).Memory[0x8000] = 0;
  });
  TFrmDeleteSTMMemory dialog;
  // No box ticked: the four modules are probed, nothing else is sent.
  Sim([](sim::TSTMSimulator& s) { s.ClearReceived(); });
  dialog.BL->click();
  Sim([](sim::TSTMSimulator& s) {
    std::vector<int> probed;
    for (const auto& t : s.Received()) {
      EXPECT_EQ(t[2], 0x05) << "only status requests";
      if (probed.empty() || probed.back() != (t[1] & 0x0F)) probed.push_back(t[1] & 0x0F);
    }
    EXPECT_EQ(probed, (std::vector<int>{0, 1, 2, 3}));
  });
  EXPECT_EQ(dialog.LA->text(), QStringLiteral("Es wurde kein Speicher gelöscht."));
  dialog.CSTM[1]->setChecked(true);
  dialog.CSTM[2]->setChecked(true);
  dialog.BL->click();
  EXPECT_FALSE(dialog.CSTM[1]->isChecked());  // not there: unchecked, named, not erased
  EXPECT_TRUE(dialog.CSTM[2]->isChecked());
  EXPECT_TRUE(dialog.LA->text().contains(QStringLiteral("Nicht gefunden und nicht gelöscht: STM.01")))
      << dialog.LA->text().toStdString();
  EXPECT_EQ(dialog.PB->value(), 0);
  EXPECT_TRUE(dialog.BL->isEnabled());
  Sim([](sim::TSTMSimulator& s) {
    EXPECT_EQ(s.ControlModule(2).Memory[0x6000], 0xFF);
    EXPECT_EQ(s.ControlModule(0).Memory[0x6000], 0);
  });

  TFrmDelDisplay display;
  display.DelButton->click();
  EXPECT_TRUE(display.Memo1->toPlainText().contains(QStringLiteral("erfolgreich gelöscht")));
  Sim([](sim::TSTMSimulator& s) { EXPECT_EQ(s.Display(0).Memory[0x8000], 0xFF); });
}

}  // namespace
}  // namespace zyn::test
