#include "tests/journeys/Journey.h"

#include "app/ProgramStart.h"
#include "model/base/ZYNOptionen.h"
#include "platform/GermanQt.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "tests/journeys/XSession.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/Bars.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarViewInfo.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDrag>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

// The web engine's own library (the browser page) is built without the sanitizers and frees some
// objects with a size AddressSanitizer does not expect (the programme's entry point says the same).
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

namespace zyn::test {
namespace {

QPoint Center(const TRect& r) { return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2); }

QString WithoutAccelerator(QString text) { return text.remove(QLatin1Char('&')); }

// A failed check leaves a picture of the screen beside the build.
class TScreenshotOnFailure : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override { Start(info); }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || !qApp) return;
    const std::string file = TJourney::Screenshot(fName + "-" + std::to_string(++fCount));
    std::fprintf(stderr, "screenshot of the failure: %s\n", file.c_str());
  }

 public:
  void Start(const ::testing::TestInfo& info) {
    fName = std::string(info.test_suite_name()) + "." + info.name();
    fCount = 0;
  }

 private:
  std::string fName = "journey";
  int fCount = 0;
};

// The start messages as the programme shows them: a German error box.
void ShowStartMessage(const std::string& text, TStartMessageButton) {
  MessageDlg(nullptr, ToQString(text), QStringLiteral("Fehler"), MB_OK | MB_ICONERROR);
}

TzbBarItemControl* ControlIn(const TCustomzbBarControl* window, const std::string& itemName) {
  if (!window) return nullptr;
  for (TzbBarItemLink* link : window->ItemLinks().ShownLinks())
    if (link->Item() && link->Item()->Name == itemName) return link->Control();
  return nullptr;
}

}  // namespace

// ------------------------------------------------------------------------------------------------
// The programme

void TJourney::SetUp() {
  if (!InJourneySession()) GTEST_SKIP() << "journeys run inside their own X session (run the programme itself)";
  if (!qApp) {
    // The web engine reaches no host unless a journey routes it to a server of its own: its
    // requests go to a proxy on a privileged port of this machine no test opens.
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--proxy-server=http://127.0.0.1:1", 0);
    // As the programme's entry point does before its application object.
    PrepareProgramProcess();
  }
  EnsureApp();
  static bool once = false;
  if (!once) {
    once = true;
    InstallGermanQtTranslations(*qApp);
    auto* screenshots = new TScreenshotOnFailure;
    // Appended while this journey runs: it learns the journey's name here, the next ones' itself.
    screenshots->Start(*::testing::UnitTest::GetInstance()->current_test_info());
    ::testing::UnitTest::GetInstance()->listeners().Append(screenshots);
  }
  fWatch.setInterval(25);
  QObject::connect(&fWatch, &QTimer::timeout, [this] { WatchDialogs(); });
  fWatch.start();
}

void TJourney::TearDown() {
  if (Running()) {
    // A journey that ended early: the window goes without questions.
    SetMessageDlgHook([](const QString&, const QString&, unsigned) { return static_cast<int>(IDNO); });
    fOwned.reset();
    fMain = nullptr;
    SetMessageDlgHook({});
  }
  if (fStarted) EndProgramGlobals();
  fStarted = false;
  fWatch.stop();
  QObject::disconnect(&fWatch, nullptr, nullptr, nullptr);
  for (const Expected& e : fExpected)
    if (!e.Persistent) ADD_FAILURE() << "the dialog \"" << e.Match.toStdString() << "\" never came";
  fExpected.clear();
  for (const QString& entry : fMenuEntries)
    ADD_FAILURE() << "no context menu came up for \"" << entry.toStdString() << "\"";
  fMenuEntries.clear();
  for (const Step& s : fSteps) ADD_FAILURE() << "this step never came to run: " << s.What;
  fSteps.clear();
}

std::string TJourney::ProgramFolder() { return TestHome() + "Programm/"; }

void TJourney::StartGlobals() {
  if (fStarted) return;
  std::filesystem::create_directories(ProgramFolder());
  StartProgramGlobals(ProgramFolder() + "zyn", std::string(ZYN_BINARY_DIR) + "/data/system", ShowStartMessage);
  fStarted = true;
}

TMainForm& TJourney::StartProgram(const std::string& projectFile, bool wizardDone) {
  StartGlobals();
  if (wizardDone) SetBoolOption(boConfigAssist, true);
  fOwned = CreateMainWindow(projectFile);
  fMain = fOwned.get();
  fMain->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(fMain));
  fMain->activateWindow();
  EXPECT_TRUE(WaitFor([this] { return fMain->isActiveWindow() || QApplication::activeModalWidget(); }));
  return *fMain;
}

void TJourney::EndProgram(const QString& saveAnswer) {
  if (!saveAnswer.isEmpty()) Answer(QStringLiteral("gespeichert werden"), saveAnswer);
  MenuCommand({"Datei1", "Beenden1"});
  EXPECT_TRUE(WaitFor([this] { return !fMain->isVisible(); })) << "the main window stayed open";
  EXPECT_TRUE(WaitForDialogsHandled());
  fOwned.reset();
  fMain = nullptr;
  EndProgramGlobals();
  fStarted = false;
}

// ------------------------------------------------------------------------------------------------
// Input

bool TJourney::XDoTool(const QStringList& args) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), args);
  if (!tool.waitForStarted(10000)) {
    ADD_FAILURE() << "xdotool could not be started";
    return false;
  }
  if (!WaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000)) {
    ADD_FAILURE() << "xdotool did not end: " << args.join(QLatin1Char(' ')).toStdString();
    return false;
  }
  const bool ok = tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
  if (!ok) ADD_FAILURE() << "xdotool failed: " << args.join(QLatin1Char(' ')).toStdString();
  return ok;
}

void TJourney::MoveTo(const QPoint& global) {
  XDoTool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}

void TJourney::Click(const QPoint& global) {
  XDoTool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
           QStringLiteral("click"), QStringLiteral("1")});
}

void TJourney::DoubleClick(const QPoint& global) {
  XDoTool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
           QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
}

void TJourney::Click(QWidget* widget) {
  ASSERT_TRUE(widget);
  auto* box = qobject_cast<QCheckBox*>(widget);
  auto* radio = qobject_cast<QRadioButton*>(widget);
  if (box || radio) {
    // Only the box and its text take the click.
    QStyleOptionButton option;
    option.initFrom(widget);
    option.text = static_cast<QAbstractButton*>(widget)->text();
    option.icon = static_cast<QAbstractButton*>(widget)->icon();
    option.iconSize = static_cast<QAbstractButton*>(widget)->iconSize();
    const QRect hit = widget->style()->subElementRect(
        box ? QStyle::SE_CheckBoxClickRect : QStyle::SE_RadioButtonClickRect, &option, widget);
    Click(widget, hit.center());
    return;
  }
  Click(widget, widget->rect().center());
}

void TJourney::Click(QWidget* widget, const QPoint& local) {
  ASSERT_TRUE(widget);
  // Visible is not enough: a click sent before the X server shows the window (a pop-up menu just
  // opened, say) lands on whatever lies beneath it.
  EXPECT_TRUE(WaitFor([widget] {
    const QWindow* window = widget->window()->windowHandle();
    return widget->isVisible() && window && window->isExposed();
  })) << widget->objectName().toStdString();
  Click(widget->mapToGlobal(local));
}

void TJourney::Toggle(QAbstractButton* box) {
  ASSERT_TRUE(box);
  const bool before = box->isChecked();
  Click(box, QPoint(std::min(8, box->width() / 2), box->height() / 2));
  ASSERT_TRUE(WaitFor([&] { return box->isChecked() != before; })) << WithoutAccelerator(box->text()).toStdString() << " did not change";
}

void TJourney::Stroke(const QPoint& from, const QPoint& to) {
  const QPoint middle = (from + to) / 2;
  XDoTool({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
           QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove"), QString::number(middle.x()),
           QString::number(middle.y()), QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y()),
           QStringLiteral("mouseup"), QStringLiteral("1")});
}

bool TJourney::DragRunning() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->findChild<QDrag*>()) return true;
  return false;
}

void TJourney::Drag(const QPoint& from, const QPoint& to) {
  const auto xy = [](const QPoint& p) { return QStringList{QString::number(p.x()), QString::number(p.y())}; };
  bool dropped = false;
  // The drag runs its own event loop from the press or the first move on: the rest of the way is
  // gone from within it, once it runs, so that no motion comes before the drag sees it.
  When(
      DragRunning,
      [&, to] {
        XDoTool(QStringList{QStringLiteral("mousemove")} + xy(to + QPoint(2, 2)) +
                QStringList{QStringLiteral("mousemove")} + xy(to) +
                QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
        dropped = true;
      },
      "the drag to " + std::to_string(to.x()) + "," + std::to_string(to.y()));
  XDoTool(QStringList{QStringLiteral("mousemove")} + xy(from) +
          QStringList{QStringLiteral("mousedown"), QStringLiteral("1")});
  // Moves, each of its own (the window system folds motions that come together into one): some
  // widgets start a drag at the press, some at the first move, item views at a move beyond the
  // drag distance (10 pixels) after the first.
  for (const QPoint& by : {QPoint(2, 1), QPoint(14, 2), QPoint(24, 3)}) {
    if (dropped) break;
    XDoTool(QStringList{QStringLiteral("mousemove")} + xy(from + by));
  }
  if (!WaitFor([&] { return dropped; }, 5000)) {
    // No drag started: the button goes up where it is.
    fSteps.erase(std::remove_if(fSteps.begin(), fSteps.end(),
                                [](const Step& s) { return s.What.rfind("the drag to ", 0) == 0; }),
                 fSteps.end());
    XDoTool({QStringLiteral("mouseup"), QStringLiteral("1")});
    ADD_FAILURE() << "no drag started at " << from.x() << "," << from.y();
  }
}

void TJourney::Drag(QWidget* from, const QPoint& fromLocal, QWidget* to, const QPoint& toLocal) {
  ASSERT_TRUE(from && to);
  ASSERT_TRUE(WaitFor([&] { return from->isVisible() && to->isVisible(); }));
  Drag(from->mapToGlobal(fromLocal), to->mapToGlobal(toLocal));
}

void TJourney::Choose(QComboBox* box, const QString& text) {
  ASSERT_TRUE(box);
  const int index = box->findText(text);
  ASSERT_GE(index, 0) << "the list " << box->objectName().toStdString() << " has no entry " << text.toStdString();
  // The click opens the list and gives the box the focus; Escape closes the list again, and the
  // arrow keys step through the entries, one key at a time, each once the box shows its entry.
  Click(box);
  QAbstractItemView* view = box->view();
  ASSERT_TRUE(WaitFor([view] { return view->isVisible(); })) << "the list " << box->objectName().toStdString() << " did not open";
  if (QWindow* window = view->window()->windowHandle()) EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  Key(QStringLiteral("Escape"));
  ASSERT_TRUE(WaitFor([&] { return !view->isVisible() && box->hasFocus(); })) << "the list did not close";
  for (int tries = 0; tries < 2 * box->count() && box->currentIndex() != index; ++tries) {
    const int at = box->currentIndex();
    Key(at < index ? QStringLiteral("Down") : QStringLiteral("Up"));
    WaitFor([&] { return box->currentIndex() != at; }, 2000);
  }
  ASSERT_EQ(box->currentIndex(), index) << "the entry " << text.toStdString() << " was not taken";
}

void TJourney::OnMenu(const QString& entry) { fMenuEntries.push_back(entry); }

void TJourney::ChooseMenuEntry(QMenu* menu, const QString& text) {
  QAction* entry = nullptr;
  for (QAction* a : menu->actions())
    if (WithoutAccelerator(a->text()) == WithoutAccelerator(text)) entry = a;
  if (!entry || !entry->isEnabled()) {
    ADD_FAILURE() << "the context menu has no enabled entry \"" << text.toStdString() << "\"";
    menu->close();
    return;
  }
  if (QWindow* window = menu->windowHandle()) EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  // As on a keyboard (the release of the opening click must not count as a choice): Down from
  // no entry goes to the first one that can be chosen, Return takes it.
  QStringList keys;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
    keys << QStringLiteral("Down");
    if (a == entry) break;
  }
  keys << QStringLiteral("Return");
  Keys(keys);
}

void TJourney::RouteWebTo(quint16 port) {
  // The engine splits its flags at blanks: a proxy names the server in one word.
  const QByteArray flags = "--proxy-server=http://127.0.0.1:" + QByteArray::number(port);
  ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.constData(), 1);
}

void TJourney::ClickTab(QTabWidget* tabs, const QString& text) {
  ASSERT_TRUE(tabs);
  ClickTab(tabs->tabBar(), text);
  ASSERT_TRUE(WaitFor([&] { return tabs->currentIndex() == tabs->tabBar()->currentIndex(); }));
}

void TJourney::ClickTab(QTabBar* bar, const QString& text) {
  ASSERT_TRUE(bar);
  int index = -1;
  for (int i = 0; i < bar->count(); ++i)
    if (WithoutAccelerator(bar->tabText(i)) == WithoutAccelerator(text)) index = i;
  ASSERT_GE(index, 0) << "no tab " << text.toStdString();
  Click(bar, bar->tabRect(index).center());
  ASSERT_TRUE(WaitFor([&] { return bar->currentIndex() == index; })) << "the tab " << text.toStdString() << " did not open";
}

void TJourney::Keys(const QStringList& keys) {
  XDoTool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
}

void TJourney::RightClick(QWidget* widget, const QPoint& local) {
  ASSERT_TRUE(widget);
  // shown by the X server, not only visible: a click before that lands beneath the window
  EXPECT_TRUE(WaitFor([widget] {
    const QWindow* window = widget->window()->windowHandle();
    return widget->isVisible() && window && window->isExposed();
  })) << widget->objectName().toStdString();
  const QPoint global = widget->mapToGlobal(local);
  XDoTool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
           QStringLiteral("click"), QStringLiteral("3")});
}

void TJourney::Type(const QString& text) {
  XDoTool({QStringLiteral("type"), QStringLiteral("--clearmodifiers"), QStringLiteral("--"), text});
}

// ------------------------------------------------------------------------------------------------
// The main window

QPoint TJourney::CenterOf(const TzbBarItemControl& control) const {
  auto* w = dynamic_cast<TCustomzbBarControl*>(&control.Parent());
  const TRect r = w->GetItemRect(&control);
  const TPoint tl = w->ClientToScreen(r.TopLeft());
  return QPoint(tl.X + r.Width() / 2, tl.Y + r.Height() / 2);
}

void TJourney::MenuCommand(const std::vector<std::string>& path) {
  ASSERT_TRUE(fMain && !path.empty());
  const auto* bar = dynamic_cast<const TCustomzbBarControl*>(fMain->MainMenu->GetBarControl());
  const TCustomzbBarControl* window = bar;
  for (size_t i = 0; i < path.size(); ++i) {
    TzbBarItemControl* control = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (control = ControlIn(window, path[i])) != nullptr; }))
        << "no menu entry " << path[i];
    TzbBarItem* item = fMain->Item(path[i]);
    ASSERT_TRUE(item) << path[i];
    if (!item->GetEnabled()) {
      // As a user would: the open menus are closed again.
      if (i > 0) Keys({QStringLiteral("Escape"), QStringLiteral("Escape")});
      WaitFor([] { return TCustomzbBarControl::ActiveBarControl() == nullptr; });
      FAIL() << "the menu entry " << path[i] << " is disabled";
    }
    // A menu in a menu opens as the user rests the pointer on its entry.
    const bool opensMenu = SubItemLinksOf(*item) != nullptr;
    if (i > 0 && opensMenu)
      MoveTo(CenterOf(*control));
    else
      Click(CenterOf(*control));
    if (!opensMenu) {
      ASSERT_EQ(i + 1, path.size()) << path[i] << " is a command, not a menu";
      // The menus close once the command runs.
      EXPECT_TRUE(WaitFor([] { return TCustomzbBarControl::ActiveBarControl() == nullptr; }));
      return;
    }
    TzbBarSubMenuControl* menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      TzbBarItemLinks* links = SubItemLinksOf(*item);
      menu = links ? dynamic_cast<TzbBarSubMenuControl*>(links->BarControl()) : nullptr;
      return menu && menu->Widget()->isVisible();
    })) << "the menu "
        << path[i] << " did not open";
    window = menu;
  }
  // A path that ends on a menu leaves it open.
}

void TJourney::ToolbarCommand(const std::string& itemName) {
  ASSERT_TRUE(fMain && fMain->BM);
  TzbBars& bars = fMain->BM->Bars();
  TzbBarItemControl* control = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (int i = 0; i < bars.Count() && control == nullptr; ++i) {
      const TzbBar* bar = bars.Items(i);
      if (bar->Visible() && bar != fMain->BM->MainMenuBar())
        control = ControlIn(dynamic_cast<const TCustomzbBarControl*>(bar->GetBarControl()), itemName);
    }
    return control != nullptr;
  })) << "no tool-bar button " << itemName;
  ASSERT_TRUE(ItemEnabled(itemName)) << "the tool-bar button " << itemName << " is disabled";
  Click(CenterOf(*control));
}

bool TJourney::ItemEnabled(const std::string& itemName) const {
  TzbBarItem* item = fMain->Item(itemName);
  return item && item->GetEnabled();
}

TzbSideBarItem* TJourney::SideBarItemOf(const std::string& frameKey) const {
  TzbSideBar& bar = *fMain->SB;
  for (int g = 0; g < bar.Groups().Count(); ++g) {
    TzbSideGroup* group = bar.Groups().GetItem(g);
    for (int i = 0; i < group->Items().Count(); ++i)
      if (group->Items().GetItem(i)->CustomData == frameKey) return group->Items().GetItem(i);
  }
  return nullptr;
}

void TJourney::SideBarClick(const std::string& frameKey) {
  TzbSideBar& bar = *fMain->SB;
  TzbSideBarItem* item = SideBarItemOf(frameKey);
  ASSERT_TRUE(item) << "no side-bar item for " << frameKey;
  TzbSideGroup* group = &item->Group();
  ASSERT_TRUE(group->Visible()) << "the side-bar group " << group->Caption() << " is hidden";
  if (bar.ActiveGroup() != group) {
    const TzbSideGroupViewInfo* caption = bar.ViewInfo().FindGroup(group);
    ASSERT_TRUE(caption);
    Click(bar.mapToGlobal(Center(caption->CaptionRect)));
    ASSERT_TRUE(WaitFor([&] { return bar.ActiveGroup() == group; }))
        << "the group " << group->Caption() << " did not open";
  }
  // The item may lie above or below the group's shown part, without a place of its own yet: the
  // group scrolls towards it.
  for (int tries = 0; tries < 20 && !item->IsFullyVisible(); ++tries) {
    const int top = group->TopVisibleItem();
    const bool up = item->Index() < top;
    if (up ? !bar.ViewInfo().HasScrollUp() : !bar.ViewInfo().HasScrollDown()) break;
    Click(bar.mapToGlobal(Center(up ? bar.ViewInfo().ScrollUpRect : bar.ViewInfo().ScrollDownRect)));
    WaitFor([&] { return group->TopVisibleItem() != top; });
  }
  const TzbSideItemViewInfo* info = bar.ViewInfo().FindItem(item);
  ASSERT_TRUE(info && item->IsFullyVisible()) << "the side-bar item of " << frameKey << " cannot be reached";
  ASSERT_TRUE(item->GetEnabled()) << "the side-bar item of " << frameKey << " is disabled";
  Click(bar.mapToGlobal(Center(info->GetItemRect())));
}

std::string TJourney::CurrentPage() const { return fMain->FM->CurrentFrame().toStdString(); }

std::string TJourney::HighlightedPage() const {
  TzbSideBarItem* item = fMain->SB->SelectedItem();
  return item ? item->CustomData : std::string();
}

bool TJourney::WaitForPage(const std::string& frameKey, int timeoutMs) {
  return WaitFor([&] { return CurrentPage() == frameKey; }, timeoutMs);
}

// ------------------------------------------------------------------------------------------------
// Pages

void TJourney::AddModule(const QString& baseClass) {
  OnDialog(QStringLiteral("Neues Modul anlegen"), [this, baseClass](QWidget* dialog) {
    auto* classes = Find<QTreeWidget>(QStringLiteral("MT"), dialog);
    auto* modules = Find<QListWidget>(QStringLiteral("MB"), dialog);
    ASSERT_TRUE(classes && modules);
    const QList<QTreeWidgetItem*> found = classes->findItems(baseClass, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << baseClass.toStdString();
    Click(classes->viewport(), classes->visualItemRect(found.first()).center());
    ASSERT_TRUE(WaitFor([&] { return classes->currentItem() == found.first() && modules->count() > 0; }));
    Click(modules->viewport(), modules->visualItemRect(modules->item(0)).center());
    ASSERT_TRUE(WaitFor([&] { return modules->currentRow() == 0; }));
    ClickButton(dialog, QStringLiteral("&OK"));
  });
  Click(Find<QToolButton>(QStringLiteral("BtnAdd"), fMain->FM->GetFrame(QStringLiteral("FrModulBearb"))));
  ASSERT_TRUE(WaitForDialogsHandled());
}

void TJourney::AddInputAndOutputModule() {
  ASSERT_EQ(CurrentPage(), "FrModulBearb");
  QWidget* page = fMain->FM->GetFrame(QStringLiteral("FrModulBearb"));
  auto* sheets = Find<QTabWidget>(QStringLiteral("TCModulDaten"), page);
  ASSERT_NO_FATAL_FAILURE(AddModule(QStringLiteral("Eingangsmodule")));
  ClickTab(sheets, QStringLiteral("Eingänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto0"), page));
  ASSERT_NO_FATAL_FAILURE(AddModule(QStringLiteral("Ausgangsmodule")));
  ClickTab(sheets, QStringLiteral("Ausgänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto1"), page));
  auto* ok = Find<QToolButton>(QStringLiteral("BtnOK"), page);
  ASSERT_TRUE(WaitFor([&] { return ok->isEnabled(); }));
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return !ok->isEnabled(); })) << "the modules were not applied";
}

// ------------------------------------------------------------------------------------------------
// Finding and dialogs

QAbstractButton* TJourney::Button(QWidget* parent, const QString& text) {
  if (!parent) return nullptr;
  for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
    if (b->isVisible() && WithoutAccelerator(b->text()).trimmed() == WithoutAccelerator(text)) return b;
  return nullptr;
}

void TJourney::ClickButton(QWidget* dialog, const QString& text) {
  QAbstractButton* button = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (button = Button(dialog, text)) != nullptr; }))
      << "no button \"" << text.toStdString() << "\" in \"" << DialogText(dialog).toStdString() << "\"";
  if (QWindow* window = dialog->window()->windowHandle()) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  Click(button);
}

QString TJourney::DialogText(QWidget* dialog) {
  if (!dialog) return {};
  QString text = dialog->windowTitle();
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) text += QStringLiteral(": ") + box->text();
  return text;
}

void TJourney::OnDialog(const QString& match, std::function<void(QWidget*)> handler) {
  fExpected.push_back({match, std::move(handler), false});
}

void TJourney::AlwaysAnswer(const QString& match, const QString& buttonText) {
  fExpected.push_back({match, [this, buttonText](QWidget* dialog) { ClickButton(dialog, buttonText); }, true});
}

void TJourney::Dismiss(QWidget* dialog) {
  for (const char* text : {"Abbrechen", "Schließen", "OK"}) {
    if (Button(dialog, QString::fromUtf8(text))) {
      ClickButton(dialog, QString::fromUtf8(text));
      return;
    }
  }
  Click(dialog);
  Key(QStringLiteral("Escape"));
}

void TJourney::Answer(const QString& match, const QString& buttonText) {
  OnDialog(match, [this, buttonText](QWidget* dialog) { ClickButton(dialog, buttonText); });
}

bool TJourney::WaitForDialogsHandled(int timeoutMs) {
  // Called from a handler, it waits for the dialogs that the handler's clicks opened, not for the
  // handlers it runs in.
  const int mine = fHandlersRunning;
  return WaitFor(
      [this, mine] {
        return fHandlersScheduled == 0 && fHandlersRunning == mine && fMenuEntries.empty() &&
               std::none_of(fExpected.begin(), fExpected.end(), [](const Expected& e) { return !e.Persistent; });
      },
      timeoutMs);
}

void TJourney::When(std::function<bool()> condition, std::function<void()> action, const std::string& what) {
  fSteps.push_back({std::move(condition), std::move(action), what});
}

bool TJourney::WaitForSteps(int timeoutMs) {
  return WaitFor([this] { return fSteps.empty(); }, timeoutMs);
}

void TJourney::RunSteps() {
  for (auto it = fSteps.begin(); it != fSteps.end(); ++it) {
    if (!it->Condition()) continue;
    const auto action = it->Action;
    fSteps.erase(it);
    // In a timer of its own: the watch goes on meanwhile (see WatchDialogs).
    QTimer::singleShot(0, &fWatch, action);
    return;
  }
}

void TJourney::WatchDialogs() {
  RunSteps();
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); menu && menu->isVisible()) {
    // A context menu: its entry is chosen when one was asked for, in a timer of its own (as a
    // dialog's handler below), so that a dialog its command opens is seen meanwhile.
    if (fMenuEntries.empty() || std::any_of(fHandled.begin(), fHandled.end(), [menu](const auto& m) { return m == menu; }))
      return;
    fHandled.emplace_back(menu);
    const QString entry = fMenuEntries.front();
    fMenuEntries.erase(fMenuEntries.begin());
    ++fHandlersScheduled;
    QTimer::singleShot(0, &fWatch, [this, entry, menu = QPointer<QMenu>(menu)] {
      --fHandlersScheduled;
      ++fHandlersRunning;
      if (menu) ChooseMenuEntry(menu, entry);
      --fHandlersRunning;
    });
    return;
  }
  // A dialog being handled is passed over; a further one that its handler's click opened is not.
  QWidget* dialog = QApplication::activeModalWidget();
  if (!dialog || !dialog->isVisible()) return;
  for (const QPointer<QWidget>& seen : fHandled)
    if (seen == dialog) return;
  fHandled.emplace_back(dialog);
  const QString text = DialogText(dialog);
  for (auto it = fExpected.begin(); it != fExpected.end(); ++it) {
    if (!text.contains(it->Match, Qt::CaseInsensitive)) continue;
    const auto handler = it->Handler;
    if (!it->Persistent) fExpected.erase(it);
    ++fHandlersScheduled;
    // The handler runs in a timer of its own, not in the watch's: a timer is not fired again while
    // its own slot runs, so a further dialog that the handler's click opens (a question after OK)
    // would never be seen, and the handler's click would wait for it for ever.
    QTimer::singleShot(0, &fWatch, [this, handler, dialog = QPointer<QWidget>(dialog)] {
      --fHandlersScheduled;
      ++fHandlersRunning;
      // The user acts on a dialog once it is on the screen.
      if (dialog)
        if (QWindow* window = dialog->window()->windowHandle()) (void)QTest::qWaitForWindowExposed(window);
      if (dialog) handler(dialog);
      --fHandlersRunning;
      // A handler that failed half-way leaves the dialog open: it goes, so that the journey ends.
      if (::testing::Test::HasFatalFailure() && dialog && dialog->isVisible()) {
        if (auto* d = qobject_cast<QDialog*>(dialog.data()))
          d->reject();
        else
          dialog->close();
      }
    });
    return;
  }
  // Nobody expected it: the journey fails, and the dialog goes so that the journey can go on.
  fUnexpected.push_back(text);
  ADD_FAILURE() << "a dialog nobody expected: \"" << text.toStdString() << "\"";
  if (auto* box = qobject_cast<QMessageBox*>(dialog); box && box->escapeButton())
    box->escapeButton()->click();
  else if (auto* d = qobject_cast<QDialog*>(dialog))
    d->reject();
  else
    dialog->close();
}

bool TJourney::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  return QTest::qWaitFor(condition, timeoutMs);
}

std::string TJourney::Screenshot(const std::string& name) {
  const std::string folder = std::string(ZYN_BINARY_DIR) + "/journeys/";
  std::filesystem::create_directories(folder);
  std::string file = folder;
  for (const char c : name) file += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.') ? c : '_';
  file += ".png";
  if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0).save(QString::fromStdString(file));
  return file;
}

}  // namespace zyn::test
