// The whole demo form as the main window shows it: menu bar, five toolbars and the six-group side
// bar in the client area, driven together by mouse input through the form's windows.

#include "BarDemoWindow.h"
#include "model/base/Cp1252.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarDemoSideBar : public ::testing::Test, public BarDemoWindow {
 protected:
  TzbSideGroup* Group(int index) const { return SideBar->Groups()[index]; }
  bool ChainClosed() const { return TCustomzbBarControl::ActiveBarControl() == nullptr; }
  void ClickGroup(int index) { Click(SideBarGroupPoint(*Group(index))); }
  std::string ActiveCaption() const {
    return SideBar->ActiveGroup() ? AnsiToUtf8(SideBar->ActiveGroup()->Caption()) : std::string("<none>");
  }
};

TEST_F(BarDemoSideBar, TheSideBarFillsTheLeftOfTheClientAreaBelowTheDocks) {
  ASSERT_NE(SideBar, nullptr);
  EXPECT_EQ(SideBar->parentWidget(), Client);
  EXPECT_EQ(SideBar->GroupCount(), 6);
  const QPoint topLeft = SideBar->mapTo(&Form, QPoint(0, 0));
  EXPECT_EQ(topLeft, QPoint(0, Client->y()));
  EXPECT_EQ(SideBar->width(), SideBarWidth);
  EXPECT_EQ(SideBar->height(), Client->height());
  EXPECT_GE(Client->y(), WindowOf(Toolbars[0])->WindowRect().Bottom - Form.mapToGlobal(QPoint(0, 0)).y());
}

TEST_F(BarDemoSideBar, TheActiveGroupIndexCountsTheVisibleGroupsOnly) {
  // As with a project open: the first group is hidden, the other five stay.
  Group(0)->SetVisible(false);
  QApplication::processEvents();
  struct TCase {
    int Group;
    int VisibleIndex;
    const char* Caption;
  };
  for (const TCase& c : {TCase{4, 3, "Übergabe"}, TCase{1, 0, "Bauteile"}, TCase{5, 4, "Wartung"}}) {
    SCOPED_TRACE(c.Caption);
    ClickGroup(c.Group);
    EXPECT_EQ(ActiveCaption(), c.Caption);
    EXPECT_EQ(SideBar->ActiveGroupIndex(), c.VisibleIndex);
  }
  // Showing the first group again leaves the open group alone; the next group opened counts it again.
  Group(0)->SetVisible(true);
  EXPECT_EQ(ActiveCaption(), "Wartung");
  ClickGroup(2);
  EXPECT_EQ(ActiveCaption(), "Abläufe");
  EXPECT_EQ(SideBar->ActiveGroupIndex(), 2);
  // Setting the index opens the group at that visible place.
  Group(0)->SetVisible(false);
  SideBar->SetActiveGroupIndex(1);
  EXPECT_EQ(ActiveCaption(), "Abläufe");
  EXPECT_EQ(SideBar->ActiveGroupIndex(), 1);
}

TEST_F(BarDemoSideBar, AnItemClickPassesTheItemsFrameKeyBesideTheBarEvents) {
  ClickGroup(4);
  ASSERT_EQ(ActiveCaption(), "Übergabe");
  Events.clear();
  Click(SideBarItemPoint(*Group(4)->Items()[0]));
  Click(SideBarItemPoint(*Group(4)->Items()[2]));
  ClickControl(*ControlIn(WindowOf(Toolbars[3]), "Inhalt1"));
  EXPECT_EQ(Events, (std::vector<std::string>{"OnItemClick:" + test::SampleFrame(4, 0),
                                              "OnItemClick:" + test::SampleFrame(4, 2), "OnClickItem:Inhalt1",
                                              "OnClick:Inhalt1"}));
}

TEST_F(BarDemoSideBar, AClickOnTheSideBarClosesTheOpenMenusAndStillReachesIt) {
  ClickControl(*MenuBarEntry("Datei1"));
  ClickControl(*ControlIn(MenuOf("Datei1"), "Informationen1"));
  ASSERT_NE(MenuOf("Informationen1"), nullptr);
  Events.clear();
  ClickGroup(3);
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
  // The press closed the menus without running a command and went on to the side bar, which
  // opened the group; an item click then reaches it as usual.
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(ActiveCaption(), "Ansichten");
  Click(SideBarItemPoint(*Group(3)->Items()[1]));
  EXPECT_EQ(Events, std::vector<std::string>{"OnItemClick:" + test::SampleFrame(3, 1)});
}

TEST_F(BarDemoSideBar, AMenuOverTheSideBarTakesTheClickItself) {
  // The "Projekt" menu drops over the side bar; a click on its entry runs the command and the side
  // bar below hears nothing.
  ClickControl(*MenuBarEntry("Datei1"));
  TzbBarItemControl* neu = ControlIn(MenuOf("Datei1"), "Drucken1");
  ASSERT_NE(neu, nullptr);
  ASSERT_TRUE(SideBar->rect().contains(SideBar->mapFromGlobal(CenterOf(*neu))));
  Events.clear();
  ClickControl(*neu);
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Drucken1", "OnClick:Drucken1"}));
  EXPECT_TRUE(ChainClosed());
}

TEST_F(BarDemoSideBar, TheWholeFormIsSavedForReview) {
  // A picture for people to look at, not compared: the text depends on the fonts of the machine.
  ClickGroup(1);
  QApplication::processEvents();
  const QImage shot = Form.grab().toImage();
  ASSERT_EQ(shot.size(), Form.size() * Form.devicePixelRatio());
  const QString path = QStringLiteral(ZYN_BINARY_DIR "/bar_demo_window.png");
  QFile::remove(path);
  ASSERT_TRUE(shot.save(path, "PNG"));
  const QImage back(path);
  EXPECT_EQ(back.size(), shot.size());
  // The side bar's gradient and the docks are on it: the top-left pixel below the docks differs
  // from the one at the right of the client area.
  const QPoint side = SideBar->mapTo(&Form, QPoint(2, SideBar->height() - 2));
  const QPoint rest = Client->mapTo(&Form, QPoint(Client->width() - 2, Client->height() - 2));
  EXPECT_NE(back.pixel(side), back.pixel(rest));
}

}  // namespace
}  // namespace zyn
