// The main window as the user meets it: its bars, the project of the command line, the close
// question, the set-up wizard, the recent files and the window's bounds.

#include "MainWindowFixture.h"
#include "model/ModulListe.h"
#include "model/Observer.h"
#include "model/base/ComponentRecord.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "visu/VisuProject.h"
#include "shell/Einrichtungsexperte.h"
#include "shell/RecentFiles.h"
#include "tests/support/Files.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/common/BrowseDr.h"
#include "widgets/common/FoldPanel.h"
#include "widgets/common/GPanel.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

TEST_F(MainWindowTest, BuildsWithMenusToolbarsSideBarAndStatusBar) {
  TMainForm form;
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(GetMessageHandler(), static_cast<IMessageHandler*>(&form));
  ASSERT_NE(form.MainMenu, nullptr);
  EXPECT_TRUE(form.MainMenu->IsMainMenu());
  ASSERT_EQ(form.Toolbars.size(), 5u);
  for (TzbBar* bar : form.Toolbars) EXPECT_TRUE(bar->Visible());
  for (const char* name : {"Datei1", "Bearbeiten1", "Steuermodul1", "Datenbanken1", "Einstellungen1", "Hilfe1",
                           "Erstellen", "Speichern1", "Schlieen1", "NOpen", "berZYN1", "btnHelpRequest"})
    EXPECT_NE(form.Item(name), nullptr) << name;
  EXPECT_EQ(form.SB->Groups().Count(), 6);
  EXPECT_EQ(form.SB->GetVisibleGroupCount(), 1);  // no project: only "Projekt"
  EXPECT_TRUE(form.SB->isVisibleTo(&form));
  EXPECT_TRUE(form.FP->isVisibleTo(&form));
  EXPECT_EQ(form.StatusBar1->PanelCount(), 3);
  EXPECT_TRUE(form.StatusBar1->isVisibleTo(&form));
  EXPECT_GE(form.width(), 640);
  EXPECT_GE(form.height(), 480);
  // Without a project nothing that needs one is enabled; opening is.
  EXPECT_FALSE(form.Item("Speichern1")->GetEnabled());
  EXPECT_FALSE(form.Item("Erstellen")->GetEnabled());
  EXPECT_TRUE(form.Item("ffnen1")->GetEnabled());
  EXPECT_TRUE(form.Item("berZYN1")->GetEnabled());

  const QImage shot = form.grab().toImage();
  shot.save(QString::fromLatin1(ZYN_BINARY_DIR) + QStringLiteral("/main_window.png"));
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3)
    for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
  EXPECT_GT(colours.size(), 8);  // bars, side bar and panels were painted
}

TEST_F(MainWindowTest, CommandLineProjectShowsItsNameAndEnablesTheProjectCommands) {
  for (const char* name : {"klein.zpf", "klein.zcf"}) {
    const std::string file = SaveSmallProject(name);
    TMainForm form(file);
    form.show();
    QApplication::processEvents();
    ASSERT_NE(GProjekt, nullptr) << name;
    EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral(" - [") + QString::fromLatin1(name) + QStringLiteral("]")))
        << form.windowTitle().toStdString();
    EXPECT_EQ(GProjekt->Zipped, std::string(name).find(".zcf") != std::string::npos);
    EXPECT_EQ(GProjekt->Steuermodule.Count(), 1);
    EXPECT_EQ(form.RecentFiles().front(), file);
    EXPECT_TRUE(form.Item("Speichern1")->GetEnabled());
    EXPECT_TRUE(form.Item("Erstellen")->GetEnabled());
    EXPECT_FALSE(form.Item("ffnen1")->GetEnabled());
    EXPECT_EQ(form.SB->GetVisibleGroupCount(), 5);
    EXPECT_TRUE(shown.empty());
    form.close();
    EXPECT_EQ(GProjekt, nullptr);
  }
}

TEST_F(MainWindowTest, BadCommandLineFilesStartWithoutProject) {
  TMainForm missing(TestHome() + "fehlt.zpf");
  EXPECT_EQ(GProjekt, nullptr);
  EXPECT_TRUE(shown.empty());  // a missing file is ignored silently

  const std::string junk = TestHome() + "kein_projekt.zpf";
  WriteFileAtomic(junk, std::string("das ist kein Projekt"));
  TMainForm form(junk);
  EXPECT_EQ(GProjekt, nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("keine ZYN Projektdatei")));
}

struct CloseCase {
  int Answer;
  bool Saved;
  bool Closed;
};

TEST_F(MainWindowTest, CloseAsksToSaveAModifiedProject) {
  for (const CloseCase c : {CloseCase{6, true, true}, CloseCase{7, false, true}, CloseCase{2, false, false}}) {
    const std::string file = SaveSmallProject("frage.zpf");
    const std::string before = ReadWholeFile(file);
    TMainForm form(file);
    form.show();
    QApplication::processEvents();
    ASSERT_NE(GProjekt, nullptr);
    GProjekt->ProjektDaten.ProjektName = "Neu";
    GProjekt->Modified = true;
    shown.clear();
    answers = {c.Answer};
    const bool closed = form.close();
    ASSERT_EQ(shown.size(), 1u) << c.Answer;
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Das Projekt wurde geändert.")));
    EXPECT_EQ(closed, c.Closed) << c.Answer;
    EXPECT_EQ(ReadWholeFile(file) != before, c.Saved) << c.Answer;
    EXPECT_EQ(GProjekt != nullptr, !c.Closed) << c.Answer;
    EXPECT_EQ(form.isVisible(), !c.Closed) << c.Answer;
    if (!c.Closed) {
      // The project stays with its caption; an unmodified close then goes through.
      EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral("[frage.zpf]")));
      GProjekt->Modified = false;
      EXPECT_TRUE(form.close());
    }
  }
}

TEST_F(MainWindowTest, CloseIsRefusedWhileLockedOrWhileABusPortIsOpen) {
  TMainForm form(SaveSmallProject("gesperrt.zpf"));
  form.show();
  form.LockUserInterface();
  EXPECT_FALSE(form.Item("Speichern1")->GetEnabled());
  EXPECT_FALSE(form.close());
  form.UnlockUserInterface();
  EXPECT_TRUE(form.Item("Speichern1")->GetEnabled());
  GPortOpen = true;
  EXPECT_FALSE(form.close());
  GPortOpen = false;
  EXPECT_NE(GProjekt, nullptr);
  EXPECT_TRUE(form.close());
  EXPECT_TRUE(shown.empty());
}

TEST_F(MainWindowTest, WizardOpensOnceAtTheFirstStartAndNotAgainAfterCancel) {
  SetBoolOption(boConfigAssist, false);
  TMainForm form;
  form.show();
  int wizards = 0;
  auto cancelWizard = [&] {
    QTimer::singleShot(0, [&] {
      if (auto* w = qobject_cast<TFormEinrichtungsexperte*>(QApplication::activeModalWidget())) {
        ++wizards;
        w->reject();
      }
    });
  };
  cancelWizard();
  form.RunSetupWizardOnce();
  EXPECT_EQ(wizards, 1);
  EXPECT_FALSE(GetBoolOption(boConfigAssist));
  cancelWizard();
  form.RunSetupWizardOnce();
  EXPECT_EQ(wizards, 1);  // not again in this run
  QApplication::processEvents();

  // Once the options record it as completed, a new start does not show it.
  SetBoolOption(boConfigAssist, true);
  TMainForm next;
  next.show();
  cancelWizard();
  next.RunSetupWizardOnce();
  QApplication::processEvents();
  EXPECT_EQ(wizards, 1);
}

TEST(RecentFiles, AddMovesTrimsAndComparesExactly) {
  struct Case {
    std::vector<std::string> List;
    std::string Name;
    int Max;
    std::vector<std::string> Expected;
  };
  const Case cases[] = {
      {{}, "/p/a.zpf", 4, {"/p/a.zpf"}},
      {{"/p/a.zpf", "/p/b.zpf"}, "/p/b.zpf", 4, {"/p/b.zpf", "/p/a.zpf"}},  // moves, no duplicate
      {{"/p/a.zpf"}, "/p/A.zpf", 4, {"/p/A.zpf", "/p/a.zpf"}},              // case makes another file
      {{"1", "2", "3", "4"}, "5", 4, {"5", "1", "2", "3"}},                 // the last one drops out
      {{"1", "2"}, "3", 0, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> list = c.List;
    AddRecentFile(list, 0, c.Name, c.Max);
    EXPECT_EQ(list, c.Expected) << c.Name;
  }
  std::vector<std::string> six = {"1", "2", "3", "4", "5", "6"};
  TrimRecentFiles(six, 4);
  EXPECT_EQ(six, (std::vector<std::string>{"1", "2", "3", "4"}));
  TrimRecentFiles(six, -3);
  EXPECT_TRUE(six.empty());
}

TEST_F(MainWindowTest, RecentFilesAreReadTrimmedAndWrittenAlsoWhenEmpty) {
  const std::string mru = GetSystemPath() + "MRUList.cfg";
  WriteFileAtomic(mru, std::string("/p/1.zpf\r\n/p/2.zpf\n\n/p/3.zpf\n/p/4.zpf\n/p/5.zpf\n/p/6.zpf\n"));
  EXPECT_EQ(LoadRecentFiles(mru).size(), 6u);
  {
    TMainForm form;
    form.show();
    EXPECT_EQ(form.RecentFiles(), (std::vector<std::string>{"/p/1.zpf", "/p/2.zpf", "/p/3.zpf", "/p/4.zpf"}));
    EXPECT_TRUE(form.Item("NOpen")->GetEnabled());
    // A missing entry is removed with a message.
    form.OpenRecent(1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QStringLiteral("Das Projekt konnte nicht gefunden werden!"));
    EXPECT_EQ(form.RecentFiles(), (std::vector<std::string>{"/p/1.zpf", "/p/3.zpf", "/p/4.zpf"}));
    EXPECT_TRUE(form.close());
  }
  EXPECT_EQ(ReadWholeFile(mru), "/p/1.zpf\n/p/3.zpf\n/p/4.zpf\n");
  {
    TMainForm form;
    form.show();
    for (int i = 0; i < 3; ++i) form.OpenRecent(0);  // every entry is missing
    EXPECT_TRUE(form.RecentFiles().empty());
    EXPECT_FALSE(form.Item("NOpen")->GetEnabled());
    EXPECT_TRUE(form.close());
  }
  ASSERT_TRUE(fs::exists(mru));
  EXPECT_EQ(ReadWholeFile(mru), "");  // the emptied list does not come back
}

TEST_F(MainWindowTest, OpeningARecentProjectPutsItOnTop) {
  const std::string a = SaveSmallProject("zuletzt_a.zpf");
  const std::string b = SaveSmallProject("zuletzt_b.zcf");
  SaveRecentFiles(GetSystemPath() + "MRUList.cfg", {a, b});
  TMainForm form;
  form.show();
  form.OpenRecent(1);
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_TRUE(GProjekt->Zipped);
  EXPECT_EQ(form.RecentFiles(), (std::vector<std::string>{b, a}));
  EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral("[zuletzt_b.zcf]")));
  EXPECT_TRUE(form.Item("Speichern1")->GetEnabled());
  form.CloseCommand();
  EXPECT_EQ(GProjekt, nullptr);
  EXPECT_FALSE(form.windowTitle().contains(QStringLiteral("[")));
  EXPECT_TRUE(shown.empty());
}

// A file name with an umlaut stays one through open, the recent-files menu and save; a recent
// project that cannot be read leaves the open project as it was.
TEST_F(MainWindowTest, RecentProjectsKeepTheirNamesAndAreReadBeforeTheOpenOneCloses) {
  const std::string good = SaveSmallProject("Anlage M\xC3\xBCller.zpf");
  const std::string bad = TestHome() + "kaputt.zpf";
  std::vector<uint8_t> bytes = ReadFileBytes(good);
  bytes.resize(bytes.size() / 2);
  WriteFileAtomic(bad, bytes.data(), bytes.size());
  SaveRecentFiles(GetSystemPath() + "MRUList.cfg", {good, bad});
  TMainForm form;
  form.show();
  form.OpenRecent(0);
  ASSERT_NE(GProjekt, nullptr);
  const TZYNProjekt* opened = GProjekt.get();
  EXPECT_EQ(GProjekt->FileName, good);
  EXPECT_TRUE(form.windowTitle().contains(QString::fromUtf8("Anlage M\xC3\xBCller.zpf")))
      << form.windowTitle().toStdString();
  EXPECT_EQ(ToQString(form.MRU->GetDisplayText(good)), QString::fromUtf8("Anlage M\xC3\xBCller.zpf"));

  // Damaged in its own data: refused; damaged further on: its readable parts are offered, and
  // declining them keeps the open project too.
  std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 20);
  WriteFileAtomic(bad, head.data(), head.size());
  EXPECT_THROW(form.OpenRecent(1), EReadError);
  EXPECT_EQ(GProjekt.get(), opened);
  WriteFileAtomic(bad, bytes.data(), bytes.size());
  answers = {7};
  form.OpenRecent(1);
  EXPECT_EQ(GProjekt.get(), opened);

  GProjekt->Modified = true;
  form.SaveCommand();
  EXPECT_FALSE(GProjekt->Modified);
  EXPECT_TRUE(fs::exists(fs::u8path(good)));
  EXPECT_EQ(form.RecentFiles().front(), good);
  form.CloseCommand();
}

// A project file damaged in a module record is offered with its readable parts: No opens
// nothing, Yes opens them as a changed project without a file name.
TEST_F(MainWindowTest, ADamagedProjectIsOfferedWithItsReadableParts) {
  const std::string file = SaveSmallProject("beschaedigt.zpf");
  TZYNProjekt probe;
  probe.LoadProjectFile(file);
  ASSERT_GE(probe.Steuermodule.GetSteuermodul(0)->Module.Count(), 2);
  const std::string damaged = probe.Steuermodule.GetSteuermodul(0)->Module.GetModul(1)->InternalName();
  std::vector<uint8_t> bytes = ReadFileBytes(file);
  auto at = std::search(bytes.begin(), bytes.end(), damaged.begin(), damaged.end());
  ASSERT_NE(at, bytes.end());
  ASSERT_EQ(at[-2], 6);
  at[-2] = 11;
  WriteFileAtomic(file, bytes.data(), bytes.size());
  TMainForm form;
  form.show();
  answers = {7};
  EXPECT_FALSE(form.OpenProject(file));
  EXPECT_EQ(GProjekt, nullptr);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(shown.back().contains(QStringLiteral("STM.00, Module"))) << shown.back().toStdString();
  EXPECT_TRUE(shown.back().contains(QStringLiteral("beschaedigt.zpf")));
  answers = {6};
  ASSERT_TRUE(form.OpenProject(file));
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_TRUE(GProjekt->FileName.empty());
  EXPECT_TRUE(GProjekt->Modified);
  ASSERT_EQ(GProjekt->Steuermodule.Count(), 1);
  EXPECT_EQ(GProjekt->Steuermodule.GetSteuermodul(0)->Module.Count(), 1);
  GProjekt->Modified = false;
  form.CloseCommand();
}

TEST_F(MainWindowTest, BoundsAreRestoredWithTheMinimumSize) {
  SetIntOption(0, 20);
  SetIntOption(1, 30);
  SetIntOption(2, 500);
  SetIntOption(3, 300);
  SetIntOption(4, 1);  // minimised: a normal window with the stored bounds
  TMainForm form;
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(form.width(), 640);
  EXPECT_EQ(form.height(), 480);
  EXPECT_FALSE(form.isMinimized());
  form.resize(900, 700);
  EXPECT_TRUE(form.close());
  EXPECT_EQ(GetIntOption(2), 900);
  EXPECT_EQ(GetIntOption(3), 700);
  EXPECT_EQ(GetIntOption(4), 0);
}

TEST_F(MainWindowTest, UnlockAppliesTheEnablingRulesAgain) {
  TMainForm form(SaveSmallProject("regeln.zpf"));
  form.show();
  form.LockUserInterface();
  form.UpdateMenuState(true);  // no effect while locked
  EXPECT_FALSE(form.Item("Erstellen")->GetEnabled());
  EXPECT_FALSE(form.SB->isEnabled());
  form.UnlockUserInterface();
  EXPECT_TRUE(form.Item("Erstellen")->GetEnabled());
  EXPECT_TRUE(form.SB->isEnabled());
  // Pages that are not part of the programme yet keep their commands disabled.
  EXPECT_FALSE(form.Item("Module1")->GetEnabled());
  EXPECT_FALSE(form.Item("Transfer")->GetEnabled());
  GProjekt->Modified = false;
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

// A page whose apply question answers what the test says.
class AnsweringPage : public QWidget, public IFrameMessage {
 public:
  int Answer = 6;
  int Asked = 0;
  void FrameActivate() override {}
  void FrameDeactivate() override {}
  int AskApplyChanges() override {
    ++Asked;
    return Answer;
  }
};

TEST_F(MainWindowTest, CancelInThePagesApplyQuestionStopsTheClose) {
  TMainForm form(SaveSmallProject("seite.zpf"));
  form.show();
  auto* page = new AnsweringPage;
  page->setObjectName(QStringLiteral("FrTestSeite"));
  ASSERT_GE(form.FM->AddFrame(page, QStringLiteral("Testseite"), faClient), 0);
  form.FM->SetCurrentFrame(QStringLiteral("FrTestSeite"));
  GProjekt->Modified = true;
  page->Answer = 2;
  EXPECT_FALSE(form.close());
  EXPECT_EQ(page->Asked, 1);
  EXPECT_TRUE(shown.empty());  // the save question did not come
  EXPECT_NE(GProjekt, nullptr);
  page->Answer = 6;
  answers = {7};
  EXPECT_TRUE(form.close());
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(GProjekt, nullptr);
}

TEST_F(MainWindowTest, ObserversAreHookedForEveryProjectOpened) {
  const std::string a = SaveSmallProject("beobachtet_a.zpf");
  const std::string b = SaveSmallProject("beobachtet_b.zpf");
  SaveRecentFiles(GetSystemPath() + "MRUList.cfg", {a, b});
  TMainForm form;
  form.show();
  form.OpenRecent(0);
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_TRUE(static_cast<bool>(GModulObserver->OnClientDeleted));
  form.CloseCommand();
  EXPECT_FALSE(static_cast<bool>(GModulObserver->OnClientDeleted));
  form.OpenRecent(1);
  ASSERT_NE(GProjekt, nullptr);
  for (auto* o : {GModulObserver.get(), GUhrenObserver.get(), GMerkerObserver.get(), GTextObserver.get(),
                  GGruppenObserver.get()}) {
    EXPECT_TRUE(static_cast<bool>(o->OnClientDeleted));
    EXPECT_TRUE(static_cast<bool>(o->OnClientValueChanged));
  }
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowTest, AMaximisedWindowKeepsItsNormalBounds) {
  TMainForm form;
  form.show();
  QApplication::processEvents();
  form.setGeometry(50, 60, 700, 500);
  QApplication::processEvents();
  const QRect normal = form.geometry();
  // The stored place is the frame's top-left corner, the stored size the client area's.
  const QPoint place = form.frameGeometry().topLeft();
  form.showMaximized();
  QApplication::processEvents();
  if (!form.isMaximized()) GTEST_SKIP() << "the platform does not maximise windows";
  EXPECT_TRUE(form.close());
  EXPECT_EQ(GetIntOption(4), 2);
  EXPECT_EQ(GetIntOption(0), place.x());
  EXPECT_EQ(GetIntOption(1), place.y());
  EXPECT_EQ(GetIntOption(2), normal.width());
  EXPECT_EQ(GetIntOption(3), normal.height());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

class ChosenFolder : public TzsBrowseDirectoryDlg {
 public:
  explicit ChosenFolder(QString folder) : fFolder(std::move(folder)) {}
  bool Execute(QWidget*) override {
    Selection = fFolder;
    return !fFolder.isEmpty();
  }

 private:
  QString fFolder;
};

TEST_F(MainWindowTest, RunTimeExportWritesIntoTheChosenFolder) {
  TMainForm form(SaveSmallProject("laufzeit.zpf"));
  form.show();
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_TRUE(form.Item("MnuCreateRT")->GetEnabled());  // the project has inputs and outputs
  const fs::path folder = fs::path(TestHome()) / "laufzeit";
  fs::create_directories(folder);
  form.VSD = std::make_unique<ChosenFolder>(QString::fromStdString(folder.string()));
  // The project has no start page: the user is warned and may stop.
  answers = {7};
  form.CreateRunTimeCommand();
  EXPECT_FALSE(fs::exists(folder / "ZYNVisu.ini"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QString::fromUtf8("Für die Visualisierung ist keine Startseite festgelegt.")));
  answers = {6};
  form.CreateRunTimeCommand();
  EXPECT_TRUE(fs::exists(folder / "ZYNVisu.ini"));
  // With a start page nothing is asked; cancelling the folder dialog writes nothing.
  auto page = std::make_unique<TVisuPage>();
  page->Record().Name = "Page1";
  GProjekt->VisuProject().AddPage(std::move(page));
  GProjekt->VisuProject().FirstPage = "Page1";
  shown.clear();
  const fs::path other = fs::path(TestHome()) / "nicht";
  form.VSD = std::make_unique<ChosenFolder>(QString());
  form.CreateRunTimeCommand();
  EXPECT_FALSE(fs::exists(other));
  EXPECT_TRUE(shown.empty());
  GProjekt->Modified = false;
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowTest, AModuleMovedOrDeletedInTheOpenProjectReachesTheVisualisation) {
  TMainForm form(SaveSmallProject("visu_modul.zpf"));
  form.show();
  ASSERT_NE(GProjekt, nullptr);
  // A page as a project holds it without the designer: an LED on output 1 of OUT.05 (byte 69).
  TComponentRecord led;
  led.ClassName = "TVisuRoundLED";
  led.Properties = {{"VisuData.Hint", TFilerValue::String("STM.00.OUT.05.01\rLicht")},
                    {"VisuData.Modul", TFilerValue::Integer(69)},
                    {"VisuData.Steuermodul", TFilerValue::Integer(0)}};
  auto page = std::make_unique<TVisuPage>();
  page->Record().Children.push_back(led);
  TVisuProject& visu = GProjekt->VisuProject();
  visu.AddPage(std::move(page));
  visu.DispatcherList.Add(std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{0, 69, 1, 2, "Licht", "x"}));
  const TComponentRecord& bound = visu.GetPage(0)->Record().Children[0];

  TModulListe& modules = GProjekt->Steuermodule.GetSteuermodul(0)->Module;
  modules.ChangeAddress(modules.GetModul(1), 6);  // the observers carry it on
  EXPECT_EQ(bound.FindProperty("VisuData.Modul")->Value.AsInteger(), 70);
  EXPECT_EQ(bound.FindProperty("VisuData.Hint")->Value.AsString(), "STM.00.OUT.06.01\rLicht");
  EXPECT_EQ(visu.DispatcherList.Item(0).Modul, 70);

  modules.Remove(modules.GetModul(1));
  EXPECT_EQ(bound.FindProperty("VisuData.Steuermodul")->Value.AsInteger(), -1);
  EXPECT_EQ(visu.DispatcherList.Count(), 0);
  GProjekt->Modified = false;
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowTest, BatteryWarningOffersToSave) {
  const std::string file = SaveSmallProject("batterie.zpf");
  TMainForm form(file);
  form.show();
  GProjekt->ProjektDaten.ProjektName = "Neu";
  GProjekt->Modified = true;
  answers = {7};
  form.BatteryLow();
  EXPECT_TRUE(GProjekt->Modified);
  answers = {6};
  form.BatteryLow();
  EXPECT_FALSE(GProjekt->Modified);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Der Bateriestand ist niedrig!")));
  TZYNProjekt reread;
  reread.LoadProjectFile(file);
  EXPECT_EQ(reread.ProjektDaten.ProjektName, "Neu");
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

TEST_F(MainWindowTest, OpenedProjectShowsTheGroupItsOutputsCallFor) {
  TMainForm form;
  form.show();
  struct Case {
    bool Outputs;
    int Argument;
    const char* Group;
  };
  for (const Case c : {Case{true, 0, "Programmierung"}, Case{false, 0, "Komponenten"}, Case{true, 1, "Komponenten"}}) {
    auto projekt = std::make_unique<TZYNProjekt>();
    FillSmallProject(*projekt);
    if (!c.Outputs)
      for (int i = 0; i < projekt->Steuermodule.Count(); ++i) {
        TModulListe& module = projekt->Steuermodule.GetSteuermodul(i)->Module;
        for (int m = module.Count() - 1; m >= 0; --m)
          if (module.GetModul(m)->Ausgaenge().Count() > 0) module.Remove(module.GetModul(m));
      }
    projekt->FileName = TestHome() + "gruppe.zpf";
    GProjekt = std::move(projekt);
    form.NotifyProjectState(2, c.Argument);
    ASSERT_NE(form.SB->ActiveGroup(), nullptr);
    EXPECT_EQ(form.SB->ActiveGroup()->Caption(), c.Group) << c.Outputs << c.Argument;
    EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral("[gruppe.zpf]")));
    EXPECT_EQ(form.RecentFiles().front(), TestHome() + "gruppe.zpf");
    GProjekt->Modified = false;
    form.CloseCommand();
    EXPECT_EQ(form.SB->GetVisibleGroupCount(), 1);
  }
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

TEST_F(MainWindowTest, EnteringAPageShowsItsTitleAndFoldsTheSideBarByItsOption) {
  TMainForm form;
  form.show();
  auto* folding = new AnsweringPage;
  folding->setObjectName(QStringLiteral("FrFaltet"));
  auto* open = new AnsweringPage;
  open->setObjectName(QStringLiteral("FrOffen"));
  ASSERT_GE(form.FM->AddFrame(folding, QStringLiteral("Faltende Seite"), faClient), 0);
  ASSERT_GE(form.FM->AddFrame(open, QStringLiteral("Offene Seite"), faClient), 0);
  SetFrameOption("FrFaltet", 0, true);
  SetFrameOption("FrOffen", 0, false);
  form.FM->SetCurrentFrame(QStringLiteral("FrFaltet"));
  EXPECT_EQ(form.TP->Caption(), QStringLiteral("Faltende Seite"));
  EXPECT_EQ(form.FP->FoldStatus(), fsCollapsed);
  form.FM->SetCurrentFrame(QStringLiteral("FrOffen"));
  EXPECT_EQ(form.TP->Caption(), QStringLiteral("Offene Seite"));
  EXPECT_EQ(form.FP->FoldStatus(), fsExpanded);
  form.CollapseSideBar();
  form.ClearCurrentFrame();
  EXPECT_TRUE(form.FM->CurrentFrame().isEmpty());
  EXPECT_EQ(form.FP->FoldStatus(), fsExpanded);
  EXPECT_EQ(form.TP->Caption(), form.FM->DefaultTitle());
  EXPECT_TRUE(form.close());
}

TEST(Install, PutsTheProgrammeItsDesktopEntryAndIconsInPlace) {
  const TempFolder folder("install");
  const fs::path prefix = folder.Dir();
  const std::string command =
      "cmake --install '" + std::string(ZYN_BINARY_DIR) + "' --prefix '" + prefix.string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(fs::exists(prefix / "bin" / "zyn"));
  EXPECT_TRUE(fs::exists(prefix / "share" / "zyn" / "system" / "funcs.zyb"));
  const std::string desktop = ReadWholeFile((prefix / "share" / "applications" / "zyn.desktop").string());
  for (const char* line :
       {"[Desktop Entry]\n", "Type=Application\n", "Name=ZYN Systemsoftware\n", "Exec=zyn %f\n", "Icon=zyn\n"})
    EXPECT_NE(desktop.find(line), std::string::npos) << line;
  const QImage icon(QString::fromStdString((prefix / "share/icons/hicolor/64x64/apps/zyn.png").string()));
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_EQ(icon.pixelColor(32, 32).alpha(), 255);
  EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
  const fs::path svg = prefix / "share/icons/hicolor/scalable/apps/zyn.svg";
  EXPECT_TRUE(fs::exists(svg));
  if (std::system("command -v xmllint > /dev/null") == 0) {
    EXPECT_TRUE(XmllintAccepts(svg));
  }
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

class KeyPage : public AnsweringPage {
 public:
  std::vector<int> Keys;

 protected:
  void keyPressEvent(QKeyEvent* event) override { Keys.push_back(event->key()); }
};

TEST_F(MainWindowTest, TheDisplayDesignerGetsEveryKeyWhileItIsShown) {
  TMainForm form;
  form.show();
  auto* designer = new KeyPage;
  designer->setObjectName(QStringLiteral("Display"));
  auto* other = new KeyPage;
  other->setObjectName(QStringLiteral("FrAndere"));
  ASSERT_GE(form.FM->AddFrame(designer, QStringLiteral("Displayprogrammierung"), faClient), 0);
  ASSERT_GE(form.FM->AddFrame(other, QStringLiteral("Andere"), faClient), 0);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  form.FM->SetCurrentFrame(QStringLiteral("Display"));
  QApplication::sendEvent(form.StatusBar1, &press);
  EXPECT_EQ(designer->Keys, std::vector<int>{Qt::Key_A});
  form.FM->SetCurrentFrame(QStringLiteral("FrAndere"));
  QApplication::sendEvent(form.StatusBar1, &press);
  EXPECT_EQ(designer->Keys.size(), 1u);
  EXPECT_TRUE(other->Keys.empty());
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {

// The documentation page and the page set-up are offered whatever print queues the machine has:
// the documentation with an open project, the page set-up always, both only once the printing
// library registered them.
TEST_F(MainWindowTest, TheDocumentationAndThePageSetUpNeedNoPrintQueue) {
  {
    TMainForm form;
    form.show();
    EXPECT_FALSE(form.Item("Druckereinrichten1")->GetEnabled()) << "no page set-up registered";
  }
  RegisterFrameMaker("FrPrintVorschau", [] { return new QWidget; });
  int setups = 0;
  RegisterCommand("Druckereinrichten1", [&](QWidget*) { ++setups; });
  struct TUnregister {
    ~TUnregister() {
      RegisterFrameMaker("FrPrintVorschau", {});
      RegisterCommand("Druckereinrichten1", {});
    }
  } unregister;
  {
    TMainForm form;
    form.show();
    EXPECT_FALSE(form.Item("Drucken1")->GetEnabled());
    EXPECT_TRUE(form.Item("Druckereinrichten1")->GetEnabled());
    form.Item("Druckereinrichten1")->Click();
    EXPECT_EQ(setups, 1);
  }
  TMainForm form(SaveSmallProject("doku.zpf"));
  form.show();
  QApplication::processEvents();
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_TRUE(form.Item("Drucken1")->GetEnabled());
  EXPECT_TRUE(form.Item("Druckereinrichten1")->GetEnabled());
  form.close();
}

namespace {

// The manager of the main window: F10 leaves the menu bar alone (Alt alone still selects its first
// entry), disabled buttons show no hint, toolbars emptied by a category go, nine categories, and
// the side bar scrolls every 100 ms.
TEST_F(MainWindowTest, TheBarManagerTakesTheMainWindowsSettings) {
  TMainForm form;
  form.show();
  QApplication::processEvents();
  TzbBarManager& m = *form.BM;
  EXPECT_FALSE(m.UseF10ForMenu);
  EXPECT_FALSE(m.ShowHintForDisabledItems);
  EXPECT_TRUE(m.AutoHideEmptyBars());
  EXPECT_FALSE(m.UseSystemFont);
  EXPECT_EQ(m.Font.family(), QStringLiteral("Tahoma"));  // the window's own face, not the menu font's
  const std::vector<std::string> categories = {"Entwicklung", "Default",       "Projekt", "Komponenten", "System",
                                               "Datenbanken", "Einstellungen", "Hilfe",   "Menus"};
  ASSERT_EQ(m.Categories().Count(), 9);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m.Categories().Strings(i), categories[i]);
  EXPECT_EQ(form.Item("Neu1")->Category(), 2);  // "Projekt"
  EXPECT_EQ(form.Item("Modulklassen1")->Category(), 0);
  EXPECT_EQ(form.Item("Datei1")->Category(), 8);
  EXPECT_EQ(form.SB->ScrollDelay(), 100);

  QTest::keyClick(form.windowHandle(), Qt::Key_F10);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  QTest::keyClick(form.windowHandle(), Qt::Key_Alt);
  EXPECT_NE(TzbBarControl::MenuModeBar(), nullptr);
  QTest::keyClick(form.windowHandle(), Qt::Key_Alt);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);

  // Hiding the items of the "Hilfe" category empties the toolbar "Hilfe", which goes and comes back.
  TzbBar* help = m.BarByCaption("Hilfe");
  ASSERT_NE(help, nullptr);
  m.SetCategoryItemsVisible(m.Categories().IndexOf("Hilfe"), ivNever);
  EXPECT_FALSE(help->Visible());
  m.SetCategoryItemsVisible(m.Categories().IndexOf("Hilfe"), ivAlways);
  EXPECT_TRUE(help->Visible());

  const TzbBarItem* disabled = form.Item("Speichern1");
  ASSERT_FALSE(disabled->GetEnabled());
  EXPECT_FALSE(m.CanShowHint(*disabled));
}

// The bar library's own texts are English; the main window shows them in German through the
// translation table.
TEST_F(MainWindowTest, TheBarLibrarysTextsAppearInGerman) {
  TMainForm form;
  EXPECT_EQ(BarText("&Customize..."), "&Anpassen...");
  EXPECT_EQ(BarText("Black"), "Schwarz");
  EXPECT_EQ(BarText("White"), Ansi("Weiß"));
  EXPECT_EQ(BarQText("Are you sure you want to delete the '%s' toolbar?", QStringLiteral("Hilfe")),
            QStringLiteral("Soll die Symbolleiste 'Hilfe' wirklich gelöscht werden?"));
  EXPECT_EQ(BarText("a text the table does not know"), "a text the table does not know");
  TzbBarColorCombo colours(*form.BM);
  EXPECT_EQ(colours.Items()[0], "Schwarz");
  colours.SetShowAutoColor(true);
  EXPECT_EQ(colours.Items()[0], "(automatisch)");
}

// A bar item's click that throws reaches the application's handler: the message box with the text.
TEST_F(MainWindowTest, AnExceptionOfABarItemsClickIsShownAsAnError) {
  TMainForm form;
  auto* item = form.BM->CreateItem<TzbBarButton>();
  item->OnClick = [](TzbBarItem&) { throw std::runtime_error("Kaputt"); };
  QString shown;
  const TMessageDlgHook previous = SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    shown = text;
    return IDOK;
  });
  EXPECT_NO_THROW(item->Click());
  EXPECT_EQ(shown, QStringLiteral("Kaputt"));
  item->OnClick = [](TzbBarItem&) { throw 42; };
  EXPECT_NO_THROW(item->Click());
  SetMessageDlgHook(previous);
  EXPECT_EQ(shown, QStringLiteral("Ein unbekannter Fehler ist aufgetreten."));
}

}  // namespace
}  // namespace zyn::test
