// The dock control the demo form places in the middle of its client area: bars docked into it by
// code and by dragging, its row layout, its side, border and size, finding it by its stored path,
// and stored layouts that keep bars in it or name a dock control that is gone.

#include "BarDemoWindow.h"
#include "tests/support/Files.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarLayout.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;
using test::TempFolder;

const std::string kUserDockPrefix = "BarDemoForm.zbBarManager1.";

class BarUserDock : public ::testing::Test, public BarDemoWindow {
 protected:
  TzbBar* Hilfe() const { return Toolbars[3]; }
  TzbBar* Vada() const { return Toolbars[2]; }
  QWidget* DockWidget() const { return UserDock->Widget(); }
  // A screen point on the user dock's middle line, x pixels from its left end.
  // A point of the dock: at y, or half way down.
  QPoint OnDock(int x, int y = -1) const {
    return DockWidget()->mapToGlobal(QPoint(x, y < 0 ? DockWidget()->height() / 2 : y));
  }
  // Floats a docked bar by its grip to a point of the client area away from every dock, then
  // drags it by its caption onto the user dock and waits out the docking delay.
  void DragIntoUserDock(TzbBar* bar, int x, int y = -1) {
    const QPoint away = Client->mapToGlobal(QPoint(SideBarWidth + 40, 60));
    Drag(GripOf(bar), away);
    Release(away);
    ASSERT_EQ(bar->DockingStyle(), dsNone);
    const QPoint target = OnDock(x, y);
    Drag(CaptionOf(bar), target);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->DockControl() == UserDock.get(); }));
    Release(target);
  }
  void Settle() {
    QApplication::processEvents();
    QApplication::processEvents();
  }
};

TEST_F(BarUserDock, TheEmptyDockHasNoSizeAndIsFoundByItsPath) {
  EXPECT_EQ(DockWidget()->height(), 0);
  EXPECT_GT(DockWidget()->width(), 300);
  EXPECT_EQ(Manager->GetDockControlCount(), 5);  // the four edges and this one
  EXPECT_EQ(TzbBarManager::DockControlPath(*UserDock), "BarDemoForm.UserDock");
  struct TCase {
    const char* Path;
    bool Found;
  };
  const TCase cases[] = {
      {"BarDemoForm.UserDock", true},
      {"UserDock", true},  // no form name: inside the manager's form
      {"", false},
      {"BarDemoForm.Gone", false},
      {"OtherForm.UserDock", false},
      {"BarDemoForm.Middle", false},  // a panel of the form, no dock control
      {"BarDemoForm.Middle.UserDock", true},
      {"BarDemoForm..UserDock", false},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Manager->FindDockControl(c.Path), c.Found ? UserDock.get() : nullptr) << c.Path;
}

TEST_F(BarUserDock, ABarDockedByCodeLivesInTheDockFloatsAndComesBackOnADoubleClick) {
  TzbDockControl* top = Screen->Dock(dsTop);
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  TzbBarControl* window = WindowOf(Hilfe());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->DockControl(), UserDock.get());
  EXPECT_EQ(window->Widget()->parentWidget(), DockWidget());
  EXPECT_EQ(Hilfe()->DockingStyle(), dsTop);
  EXPECT_EQ(Hilfe()->DockedDockControl(), UserDock.get());
  EXPECT_EQ(top->CountInRow(1), 4);
  EXPECT_EQ(UserDock->RowCount(), 1);
  EXPECT_EQ(DockWidget()->height(), window->WindowRect().Height());
  EXPECT_GT(DockWidget()->height(), 0);
  // The dock lies half way down the client area, below the top dock.
  EXPECT_GT(DockWidget()->mapTo(&Form, QPoint(0, 0)).y(), top->Widget()->height() + 100);

  // Floated by code the bar leaves the dock (which collapses) and remembers where to go back.
  Hilfe()->SetDockingStyle(dsNone);
  Settle();
  EXPECT_EQ(Hilfe()->DockControl(), nullptr);
  EXPECT_EQ(Hilfe()->DockedDockControl(), UserDock.get());
  EXPECT_EQ(UserDock->RowCount(), 0);
  EXPECT_EQ(DockWidget()->height(), 0);
  DoubleClick(CaptionOf(Hilfe()));
  Settle();
  EXPECT_EQ(Hilfe()->DockControl(), UserDock.get());
  ASSERT_NE(WindowOf(Hilfe()), nullptr);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), UserDock.get());

  // Docked by style at the top edge it leaves the dock control.
  Hilfe()->SetDocking(dsTop, nullptr);
  Settle();
  EXPECT_EQ(Hilfe()->DockControl(), nullptr);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), top);
  EXPECT_EQ(UserDock->RowCount(), 0);
}

TEST_F(BarUserDock, DraggedBarsDockIntoTheDockAndShareARowWhereTheyAreDropped) {
  DragIntoUserDock(Hilfe(), 20);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), UserDock.get());
  EXPECT_EQ(UserDock->RowCount(), 1);
  // A second bar dropped on the first 9 pixels of the row's band, right of the first, joins that
  // row (further down the band it would make a new row).
  DragIntoUserDock(Vada(), 200, 4);
  EXPECT_EQ(UserDock->RowCount(), 1);
  ASSERT_EQ(UserDock->CountInRow(0), 2);
  EXPECT_EQ(UserDock->WindowAt(0, 0), WindowOf(Hilfe()));
  EXPECT_EQ(UserDock->WindowAt(0, 1), WindowOf(Vada()));
  EXPECT_LE(WindowOf(Hilfe())->WindowRect().Right, WindowOf(Vada())->WindowRect().Left);
  EXPECT_EQ(Vada()->Row(), 0);
  EXPECT_FALSE(Vada()->OneOnRow);

  // Slid sideways by its grip, wobbling a little across the row, the bar stays in its row.
  const int leftBefore = WindowOf(Vada())->WindowRect().Left;
  const QPoint grip = GripOf(Vada());
  Press(grip);
  Move(grip + QPoint(10, 2));
  Move(grip + QPoint(20, -3));
  Move(grip + QPoint(30, 0));
  Release(grip + QPoint(30, 0));
  EXPECT_EQ(UserDock->RowCount(), 1);
  ASSERT_EQ(UserDock->CountInRow(0), 2);
  EXPECT_EQ(UserDock->WindowAt(0, 1), WindowOf(Vada()));
  EXPECT_EQ(WindowOf(Vada())->WindowRect().Left, leftBefore + 30);
  EXPECT_EQ(Vada()->DockControl(), UserDock.get());

  // Dropped on the strip below the row it makes a second row.
  const TRect w = WindowOf(Vada())->WindowRect();
  const QPoint below = QPoint(GripOf(Vada()).x(), w.Bottom + 1);
  Press(GripOf(Vada()));
  Move(GripOf(Vada()) + QPoint(0, 4));
  Move(below);
  Release(below);
  EXPECT_EQ(UserDock->RowCount(), 2);
  EXPECT_EQ(UserDock->RowOf(WindowOf(Vada())), 1);
  EXPECT_EQ(DockWidget()->height(), UserDock->GetRowsSize());
}

TEST_F(BarUserDock, TheDockDecidesItselfWhichSidesItTakes) {
  // The manager keeps bars away from the left and right edges, not from a dock the form placed.
  EXPECT_FALSE(Manager->CanDocking(*Hilfe(), dsLeft, Screen->Dock(dsLeft)));
  EXPECT_TRUE(Manager->CanDocking(*Hilfe(), dsLeft, UserDock.get()));
  UserDock->AllowDocking = false;
  EXPECT_FALSE(Manager->CanDocking(*Hilfe(), dsTop, UserDock.get()));
  UserDock->AllowDocking = true;
  Hilfe()->NotDocking = DockingSet(dsTop);
  EXPECT_FALSE(Manager->CanDocking(*Hilfe(), dsTop, UserDock.get()));
  Hilfe()->NotDocking = 0;

  // Turned to the left side, the bars in it stand upright and the dock takes their width.
  Hilfe()->SetDockControl(UserDock.get());
  Vada()->SetDockControl(UserDock.get());
  Settle();
  UserDock->SetAlign(dalLeft);
  Settle();
  for (TzbBar* bar : {Hilfe(), Vada()}) {
    EXPECT_EQ(bar->DockingStyle(), dsLeft) << bar->Caption();
    EXPECT_EQ(bar->DockControl(), UserDock.get()) << bar->Caption();
    ASSERT_NE(WindowOf(bar), nullptr);
    EXPECT_TRUE(WindowOf(bar)->IsVertical()) << bar->Caption();
    EXPECT_EQ(WindowOf(bar)->DockControl(), UserDock.get()) << bar->Caption();
  }
  EXPECT_EQ(DockWidget()->width(), UserDock->GetRowsSize());
  EXPECT_GT(DockWidget()->width(), 0);
  UserDock->SetAlign(dalTop);
  Settle();
  EXPECT_EQ(Hilfe()->DockingStyle(), dsTop);
  EXPECT_FALSE(WindowOf(Hilfe())->IsVertical());
  EXPECT_EQ(DockWidget()->height(), UserDock->GetRowsSize());
}

TEST_F(BarUserDock, AnEdgeDockThatChangesItsSizeEndsMenuModeTheDockInsideTheFormDoesNot) {
  TzbBarControl* menuBar = WindowOf(MainMenu);
  ASSERT_NE(menuBar, nullptr);
  Hilfe()->SetDockingStyle(dsNone);  // floating, out of every dock
  Settle();
  // The menu bar in menu mode (Alt alone): a bar docked into the dock inside the form leaves it so.
  menuBar->EnterMenuMode(nullptr);
  ASSERT_EQ(TCustomzbBarControl::ActiveBarControl(), menuBar);
  const int before = DockWidget()->height();
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  ASSERT_GT(DockWidget()->height(), before);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), menuBar);
  // The top edge growing by a new row ends it.
  const int top = Screen->Dock(dsTop)->GetDockSize();
  Hilfe()->SetRow(Screen->Dock(dsTop)->RowCount());
  Hilfe()->SetDockControl(nullptr);
  Hilfe()->SetDockingStyle(dsTop);
  Settle();
  ASSERT_GT(Screen->Dock(dsTop)->GetDockSize(), top);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
}

// Docks the form aligns itself on a panel that no layout holds.
class BarAlignedDocks : public BarUserDock {
 protected:
  BarAlignedDocks() {
    Panel = new QWidget(Client);
    Panel->setGeometry(SideBarWidth + 20, 30, 400, 240);
    Panel->show();
  }
  std::unique_ptr<TzbBarDockControl> AddDock(const std::string& name, TzbBarDockAlign align, TzbBar* bar) {
    auto dock = std::make_unique<TzbBarDockControl>(Panel, name, Manager.get());
    dock->SetAlign(align);
    if (bar) bar->SetDockControl(dock.get());
    Settle();
    return dock;
  }
  QWidget* Panel = nullptr;
};

TEST_F(BarAlignedDocks, DocksOfOneParentStackAtTheirEdgesInCreationOrder) {
  auto first = AddDock("Erster", dalTop, Hilfe());
  auto second = AddDock("Zweiter", dalTop, Vada());
  const QRect a = first->Widget()->geometry(), b = second->Widget()->geometry();
  ASSERT_GT(a.height(), 0);
  ASSERT_GT(b.height(), 0);
  EXPECT_EQ(a, QRect(0, 0, 400, a.height()));
  EXPECT_EQ(b, QRect(0, a.height(), 400, b.height()));  // below the first, not over it
  // A left dock takes the height the top docks leave, a bottom dock the bottom edge before it.
  auto left = AddDock("Links", dalLeft, Toolbars[1]);
  auto bottom = AddDock("Unten", dalBottom, nullptr);  // empty: no size, but its place
  const QRect l = left->Widget()->geometry();
  ASSERT_GT(l.width(), 0);
  EXPECT_EQ(l, QRect(0, a.height() + b.height(), l.width(), 240 - a.height() - b.height()));
  EXPECT_EQ(bottom->Widget()->geometry().top(), 240);
  // The panel grows: all follow.
  Panel->resize(500, 300);
  Settle();
  EXPECT_EQ(second->Widget()->geometry(), QRect(0, a.height(), 500, b.height()));
  EXPECT_EQ(left->Widget()->height(), 300 - a.height() - b.height());
  // The first goes: the second moves up into its place, the left dock grows upwards.
  first.reset();
  Settle();
  EXPECT_EQ(second->Widget()->geometry().top(), 0);
  EXPECT_EQ(left->Widget()->geometry().top(), b.height());
  // Turned to no alignment, a dock stays where it is and the others no longer leave room for it.
  second->SetAlign(dalNone);
  Settle();
  EXPECT_EQ(left->Widget()->geometry().top(), 0);
}

TEST_F(BarAlignedDocks, ABarDraggedOverOverlappingDocksGoesIntoTheOneOnTop) {
  auto lower = AddDock("Unten", dalNone, Hilfe());
  auto upper = AddDock("Oben", dalNone, Vada());
  for (TzbBarDockControl* d : {lower.get(), upper.get()}) d->Widget()->setGeometry(40, 60, 300, d->GetDockSize());
  Settle();
  ASSERT_GT(lower->Widget()->height(), 0);
  ASSERT_GT(upper->Widget()->height(), 0);
  const TPoint p = FromQPoint(Panel->mapToGlobal(QPoint(190, 64)));
  // The later one lies on top; raised, the earlier one does.
  EXPECT_EQ(Screen->FindDockAt(p, *Toolbars[1], false), upper.get());
  lower->Widget()->raise();
  EXPECT_EQ(Screen->FindDockAt(p, *Toolbars[1], false), lower.get());
  // Covered by another window of the form, neither takes the bar.
  auto* cover = new QWidget(Panel);
  cover->setGeometry(0, 0, 400, 240);
  cover->show();
  EXPECT_EQ(Screen->FindDockAt(p, *Toolbars[1], false), nullptr);
}

TEST_F(BarUserDock, ASunkenBorderFramesTheRowsAndAnEmptyDockKeepsItsDesignMinimum) {
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  const int rows = UserDock->GetRowsSize();
  UserDock->SetSunkenBorder(true);
  Settle();
  EXPECT_TRUE(UserDock->UseOwnSunkenBorder());
  EXPECT_FALSE(Manager->SunkenBorder);
  EXPECT_EQ(DockWidget()->height(), rows + 2);
  EXPECT_EQ(WindowOf(Hilfe())->Widget()->geometry().topLeft(), QPoint(1, 1));
  const QImage picture = DockWidget()->grab().toImage();
  const int right = DockWidget()->width() - 1, bottom = DockWidget()->height() - 1;
  EXPECT_EQ(picture.pixelColor(right - 5, 0), ToQColor(clBtnShadow));
  EXPECT_EQ(picture.pixelColor(0, bottom / 2), ToQColor(clBtnShadow));
  EXPECT_EQ(picture.pixelColor(right - 5, bottom), ToQColor(clBtnHighlight));
  EXPECT_EQ(picture.pixelColor(right, bottom / 2), ToQColor(clBtnHighlight));
  // Without its own value the dock follows the manager's again.
  UserDock->SetUseOwnSunkenBorder(false);
  Settle();
  EXPECT_EQ(DockWidget()->height(), rows);

  // Without the screen the bars lose their windows (and stay visible); the dock collapses.
  Screen.reset();
  EXPECT_EQ(DockWidget()->height(), 0);
  EXPECT_TRUE(Hilfe()->Visible());
  EXPECT_EQ(Hilfe()->DockControl(), UserDock.get());
  Screen = std::make_unique<TzbBarScreen>(*Manager);
  Settle();
  EXPECT_EQ(DockWidget()->height(), rows);
  Hilfe()->SetVisible(false);
  Settle();
  EXPECT_EQ(DockWidget()->height(), 0);
  struct TCase {
    bool Designing, AllowZero;
    int Size;
  };
  for (const TCase& c : {TCase{false, false, 0}, TCase{true, false, 3}, TCase{true, true, 0}}) {
    Manager->Designing = c.Designing;
    UserDock->SetAllowZeroSizeInDesignTime(c.AllowZero);
    UserDock->UpdateBars();
    Settle();
    EXPECT_EQ(DockWidget()->height(), c.Size) << c.Designing << c.AllowZero;
  }
  Manager->Designing = false;
}

TEST_F(BarUserDock, TheDockShowsItsOwnColourTheManagersDockColourOrItsBitmap) {
  Manager->SetStyle(bmsStandard);  // a painter that fills the dock with its colour
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  auto pixel = [&]() {  // right of the bar, on the dock itself
    const QImage picture = DockWidget()->grab().toImage();
    return picture.pixelColor(picture.width() - 10, picture.height() / 2);
  };
  EXPECT_TRUE(UserDock->ParentColor());
  EXPECT_EQ(pixel(), ToQColor(clBtnFace));
  Manager->SetDockColor(clYellow);
  Settle();
  EXPECT_FALSE(Manager->AutoDockColor);
  EXPECT_EQ(pixel(), ToQColor(clYellow));
  UserDock->SetColor(clRed);
  Settle();
  EXPECT_TRUE(UserDock->UseOwnColor());
  EXPECT_EQ(pixel(), ToQColor(clRed));
  Manager->SetDockColor(clLime);  // the own colour stays
  Settle();
  EXPECT_EQ(pixel(), ToQColor(clRed));
  UserDock->SetUseOwnColor(false);
  Settle();
  EXPECT_EQ(pixel(), ToQColor(clLime));

  // A bitmap of its own is tiled from the dock's corner, before any colour.
  QImage tile(2, 2, QImage::Format_RGB32);
  tile.setPixelColor(0, 0, Qt::blue);
  tile.setPixelColor(1, 0, Qt::white);
  tile.setPixelColor(0, 1, Qt::white);
  tile.setPixelColor(1, 1, Qt::blue);
  UserDock->SetBackgroundBitmap(tile);
  Settle();
  const QImage picture = DockWidget()->grab().toImage();
  for (int x : {picture.width() - 10, picture.width() - 9})
    for (int y : {0, 1, picture.height() - 2})
      EXPECT_EQ(picture.pixelColor(x, y), tile.pixelColor(x % 2, y % 2)) << x << "," << y;
}

TEST_F(BarUserDock, AFullResetTakesABarOutOfTheUserDockBackToTheFormsRow) {
  Manager->UseFullReset = true;
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  Hilfe()->Reset();
  Settle();
  EXPECT_EQ(Hilfe()->DockControl(), nullptr);
  EXPECT_EQ(Hilfe()->DockedDockControl(), nullptr);
  ASSERT_NE(WindowOf(Hilfe()), nullptr);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), Screen->Dock(dsTop));
  EXPECT_EQ(Screen->Dock(dsTop)->RowOf(WindowOf(Hilfe())), 1);
  EXPECT_EQ(UserDock->RowCount(), 0);
}

TEST_F(BarUserDock, ADoubleClickOnTheDockStartsCustomizingWhereTheManagerAllowsIt) {
  Hilfe()->SetDockControl(UserDock.get());
  Settle();
  const QPoint empty = DockWidget()->mapToGlobal(QPoint(DockWidget()->width() - 10, DockWidget()->height() / 2));
  DoubleClick(empty);
  EXPECT_FALSE(Manager->Customizing());  // the demo form allows no customizing
  Manager->CanCustomize = true;
  DoubleClick(empty);
  EXPECT_TRUE(Manager->Customizing());
  Manager->SetCustomizing(false);
}

TEST_F(BarUserDock, ADockThatGoesHidesItsBarsWhichThenReturnToTheEdges) {
  Hilfe()->SetDockControl(UserDock.get());
  Vada()->SetDockedDockControl(UserDock.get());
  Settle();
  UserDock.reset();
  Settle();
  EXPECT_EQ(Manager->GetDockControlCount(), 4);
  EXPECT_FALSE(Hilfe()->Visible());
  EXPECT_EQ(Hilfe()->DockControl(), nullptr);
  EXPECT_EQ(Vada()->DockedDockControl(), nullptr);
  EXPECT_TRUE(Vada()->Visible());
  Hilfe()->SetVisible(true);
  Settle();
  ASSERT_NE(WindowOf(Hilfe()), nullptr);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), Screen->Dock(dsTop));
}

TEST_F(BarUserDock, APanelThatGoesBeforeItsDockTakesTheBarWindowsButNotTheBars) {
  auto* panel = new QWidget(Client);
  panel->setGeometry(SideBarWidth, 10, 300, 100);
  auto dock = std::make_unique<TzbBarDockControl>(panel, "PanelDock", Manager.get());
  EXPECT_EQ(dock->Widget()->width(), 300);  // Align dalTop without a layout: the panel's top edge
  Vada()->SetDockControl(dock.get());
  Settle();
  ASSERT_NE(WindowOf(Vada()), nullptr);
  EXPECT_EQ(WindowOf(Vada())->DockControl(), dock.get());
  EXPECT_EQ(dock->Widget()->geometry(), QRect(0, 0, 300, WindowOf(Vada())->WindowRect().Height()));
  // A dock inside the bar's own window never takes that bar.
  TzbBarDockControl inner(WindowOf(Vada())->Widget(), "Inner", Manager.get());
  EXPECT_FALSE(inner.CanDocking(*Vada()));
  EXPECT_TRUE(inner.CanDocking(*Hilfe()));

  delete panel;
  Settle();
  EXPECT_FALSE(Vada()->Visible());
  EXPECT_EQ(WindowOf(Vada()), nullptr);
  dock.reset();
  EXPECT_EQ(Vada()->DockControl(), nullptr);
  Vada()->SetVisible(true);
  Settle();
  ASSERT_NE(WindowOf(Vada()), nullptr);
  EXPECT_EQ(WindowOf(Vada())->DockControl(), Screen->Dock(dsTop));
}

// ---------------------------------------------------------------- stored layouts

class BarUserDockLayout : public ::testing::Test {
 protected:
  TempFolder folder{"baruserdock"};
  std::string file = folder.File("layout.ini");

  // Saves a layout with "Hilfe" in the user dock and "VADAzivu" floating, on its way back there.
  void SaveWithBarsInTheUserDock() {
    BarDemoWindow demo(file);
    demo.Toolbars[3]->SetDockControl(demo.UserDock.get());
    demo.Toolbars[2]->SetDockControl(demo.UserDock.get());
    demo.Toolbars[2]->FloatLeft = 320;
    demo.Toolbars[2]->FloatTop = 300;
    demo.Toolbars[2]->SetDockingStyle(dsNone);
    QApplication::processEvents();
  }
};

TEST_F(BarUserDockLayout, ABarInTheUserDockComesBackThereWithTheForm) {
  SaveWithBarsInTheUserDock();
  TzbBarIniFile ini(file);
  EXPECT_EQ(ini.ReadString(kUserDockPrefix + "Bar4", "DockControl", ""), "BarDemoForm.UserDock");
  EXPECT_EQ(ini.ReadString(kUserDockPrefix + "Bar4", "DockedDockControl", ""), "BarDemoForm.UserDock");
  EXPECT_EQ(ini.ReadString(kUserDockPrefix + "Bar3", "DockControl", "-"), "-");  // floating: not written
  EXPECT_EQ(ini.ReadString(kUserDockPrefix + "Bar3", "DockedDockControl", ""), "BarDemoForm.UserDock");
  EXPECT_EQ(ini.ReadString(kUserDockPrefix + "Bar2", "DockedDockControl", "-"), "-");  // an edge dock
  // The toolbars left in the top dock keep row 1 below the menu bar: the windows' teardown when
  // the form goes writes no rows into them.
  for (const char* bar : {"Bar1", "Bar2", "Bar5"}) EXPECT_EQ(ini.ReadString(kUserDockPrefix + bar, "Row", ""), "1") << bar;

  BarDemoWindow again(file);
  TzbBar* hilfe = again.Toolbars[3];
  TzbBar* vada = again.Toolbars[2];
  EXPECT_EQ(hilfe->DockControl(), again.UserDock.get());
  ASSERT_NE(again.WindowOf(hilfe), nullptr);
  EXPECT_EQ(again.WindowOf(hilfe)->DockControl(), again.UserDock.get());
  EXPECT_EQ(again.UserDock->RowCount(), 1);
  EXPECT_EQ(again.Screen->Dock(dsTop)->CountInRow(1), 3);
  EXPECT_EQ(vada->DockingStyle(), dsNone);
  EXPECT_EQ(vada->DockedDockControl(), again.UserDock.get());
  // Docked again by a double click on its caption, the floating bar goes back to the user dock.
  TzbBarControl* window = again.WindowOf(vada);
  ASSERT_NE(window, nullptr);
  again.DoubleClick(again.CaptionOf(vada));
  QApplication::processEvents();
  EXPECT_EQ(vada->DockControl(), again.UserDock.get());
  EXPECT_EQ(again.UserDock->CountInRow(0) + again.UserDock->CountInRow(1), 2);
}

TEST_F(BarUserDockLayout, ALayoutNamingADockControlThatIsGoneLeavesThatBarWhereTheFormPutsIt) {
  SaveWithBarsInTheUserDock();
  struct TCase {
    const char* Key;
    const char* Path;
  };
  const TCase cases[] = {
      {"DockControl", "BarDemoForm.Gone"},
      {"DockControl", "BarDemoForm.Middle"},  // names a panel, not a dock control
      {"DockedDockControl", "OtherForm.UserDock"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Key) + " " + c.Path);
    {
      TzbBarIniFile ini(file);
      ini.WriteString(kUserDockPrefix + "Bar4", c.Key, c.Path);
      ini.SaveToFile(file);
    }
    BarDemoWindow again(file);
    TzbBar* hilfe = again.Toolbars[3];
    EXPECT_TRUE(hilfe->Visible());
    EXPECT_EQ(hilfe->DockControl(), nullptr);
    EXPECT_EQ(hilfe->DockingStyle(), dsTop);
    ASSERT_NE(again.WindowOf(hilfe), nullptr);
    EXPECT_EQ(again.WindowOf(hilfe)->DockControl(), again.Screen->Dock(dsTop));
    EXPECT_EQ(again.Screen->Dock(dsTop)->RowOf(again.WindowOf(hilfe)), 1);
    // The other bars keep what the layout says.
    EXPECT_EQ(again.Toolbars[2]->DockingStyle(), dsNone);
    EXPECT_EQ(again.UserDock->RowCount(), 0);
    // The form writes its layout when it goes: put the damaged value back for the next case.
    again.Toolbars[3]->SetDockControl(again.UserDock.get());
  }
}

TEST_F(BarUserDockLayout, TheSettingsStoreKeepsTheDockPathAndFallsBackWhenItIsGone) {
  const std::string key = "Software\\ZORV\\Test\\UserDock";
  {
    BarDemoWindow demo;
    demo.Toolbars[3]->SetDockControl(demo.UserDock.get());
    QApplication::processEvents();
    demo.Manager->SaveToRegistry(key);
    demo.Toolbars[3]->SetDocking(dsTop, nullptr);
    demo.Manager->LoadFromRegistry(key);
    QApplication::processEvents();
    EXPECT_EQ(demo.Toolbars[3]->DockControl(), demo.UserDock.get());
    ASSERT_NE(demo.WindowOf(demo.Toolbars[3]), nullptr);
    EXPECT_EQ(demo.WindowOf(demo.Toolbars[3])->DockControl(), demo.UserDock.get());
  }
  QSettings s("ZORV", "ZYN Systemsoftware");
  EXPECT_EQ(s.value("Software/ZORV/Test/UserDock/Bar4/DockControl").toString(), "BarDemoForm.UserDock");
  s.setValue("Software/ZORV/Test/UserDock/Bar4/DockControl", "BarDemoForm.Gone");
  s.sync();
  {
    BarDemoWindow demo;
    demo.Manager->LoadFromRegistry(key);
    QApplication::processEvents();
    EXPECT_TRUE(demo.Toolbars[3]->Visible());
    EXPECT_EQ(demo.Toolbars[3]->DockControl(), nullptr);
    ASSERT_NE(demo.WindowOf(demo.Toolbars[3]), nullptr);
    EXPECT_EQ(demo.WindowOf(demo.Toolbars[3])->DockControl(), demo.Screen->Dock(dsTop));
  }
  s.remove("Software");
}

}  // namespace
}  // namespace zyn
