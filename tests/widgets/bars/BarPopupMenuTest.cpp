// The popup menu component on the demo form: Popup waits until the menu has closed, an entry
// clicked in it runs, the side strip is painted by its event, and shortcuts reach its items.

#include "widgets/bars/BarPopupMenu.h"

#include "BarDemoWindow.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarPopupMenuLinks.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace zyn {
namespace {

using test::BarDemoWindow;

TEST(BarPopupMenuWithoutManager, CannotBeCreated) {
  test::EnsureApplication();
  ASSERT_EQ(TzbBarManagerList::Count(), 0);
  EXPECT_THROW(TzbBarPopupMenu popup, std::runtime_error);
}

class BarPopupMenu : public ::testing::Test {
 protected:
  BarPopupMenu() : popup(&demo.Form) {
    for (const char* name : {"Neu1", "Kundendaten2", "Beenden1"}) popup.ItemLinks().Add()->SetItem(demo.Item(name));
    popup.OnPopup = [this](TzbBarPopupMenu&) { events.push_back("popup"); };
    popup.OnCloseUp = [this](TzbBarPopupMenu&) { events.push_back("closeup"); };
  }
  BarDemoWindow demo;
  TzbBarPopupMenu popup;
  std::vector<std::string> events;
};

TEST_F(BarPopupMenu, PopupReturnsAfterAnEntryWasClickedInTheOpenMenu) {
  EXPECT_EQ(popup.BarManager(), demo.Manager.get());
  popup.SetBarSize(-4);
  EXPECT_EQ(popup.BarSize(), 0);
  popup.SetBarSize(12);
  TRect strip;
  popup.OnPaintBar = [&](TzbBarPopupMenu&, TCanvas&, const TRect& r) { strip = r; };
  bool wasOpen = false;
  QTimer::singleShot(0, [&]() {
    wasOpen = popup.IsOpen() && popup.GetMenuWindow() != nullptr;
    popup.Popup(10, 10);  // already open: nothing
    TzbBarSubMenuControl* menu = popup.GetMenuWindow();
    ASSERT_NE(menu, nullptr);
    menu->Flush();
    TzbBarItemControl* entry = demo.ControlIn(menu, "Kundendaten2");
    ASSERT_NE(entry, nullptr);
    demo.ClickControl(*entry);
  });
  popup.Popup(200, 150);
  EXPECT_TRUE(wasOpen);
  EXPECT_FALSE(popup.IsOpen());
  EXPECT_EQ(popup.GetMenuWindow(), nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "closeup"}));
  EXPECT_EQ(demo.Events.back(), "OnClick:Kundendaten2");
  EXPECT_EQ(strip.Width(), 12);
}

TEST_F(BarPopupMenu, DroppedFromAButtonItReturnsAtOnce) {
  popup.DroppedFromButton = true;
  popup.Popup(200, 150);
  EXPECT_TRUE(popup.IsOpen());
  ASSERT_NE(popup.GetMenuWindow(), nullptr);
  popup.GetMenuWindow()->HideAll();
  EXPECT_FALSE(popup.IsOpen());
}

TEST_F(BarPopupMenu, ManagerFontAndShortCuts) {
  popup.SetBarManager(nullptr);
  EXPECT_EQ(popup.BarManager(), demo.Manager.get());
  EXPECT_FALSE(popup.UseOwnFont());
  QFont f = popup.Font();
  f.setPixelSize(20);
  popup.SetFont(f);
  EXPECT_TRUE(popup.UseOwnFont());
  popup.SetUseOwnFont(false);
  EXPECT_EQ(popup.Font(), demo.Manager->Font);
  EXPECT_EQ(TzbBarPopupMenu::ShortCutOf('A', ssShift | ssCtrl), 'A' + 8192 + 16384);
  EXPECT_EQ(TzbBarPopupMenu::ShortCutOf('A', ssAlt), 'A' + 32768);
  EXPECT_FALSE(popup.IsShortCut('S', ssCtrl));  // "Speichern1" is not in the popup
  EXPECT_TRUE(popup.IsShortCut('N', ssCtrl));
  EXPECT_EQ(demo.Events.back(), "OnClick:Neu1");
  EXPECT_FALSE(popup.IsShortCut(0, 0));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// Popup-menu links bind the menu to a panel of the form: a right click on an edit inside it, the
// context-menu key and Shift+F10 open the menu there, the menu's shortcuts work while the edit has
// the focus, OnAction can refuse, a control that answers context requests itself gets no bar menu,
// and a control of another form is not taken.
TEST_F(BarPopupMenu, PopupMenuLinksOpenTheMenuForAControlAndItsChildren) {
  demo.Form.show();
  QApplication::processEvents();
  auto* panel = new QWidget(demo.Client);
  panel->setGeometry(0, 0, 160, 60);
  auto* edit = new QLineEdit(panel);
  edit->setGeometry(10, 10, 120, 24);
  panel->show();
  TzbBarPopupMenuLinks& links = demo.Manager->PopupMenuLinks();
  QWidget elsewhere;
  TzbBarPopupMenuLink* foreign = links.Add();
  foreign->SetControl(&elsewhere);
  EXPECT_EQ(foreign->Control(), nullptr);
  links.Delete(foreign);
  TzbBarPopupMenuLink* link = links.Add();
  link->SetControl(panel);
  link->SetPopupMenu(&popup);
  QApplication::setActiveWindow(&demo.Form);
  edit->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), edit);

  int opened = 0;
  popup.OnPopup = [&](TzbBarPopupMenu&) {
    ++opened;
    QTimer::singleShot(0, [&] {
      if (TzbBarSubMenuControl* menu = popup.GetMenuWindow()) menu->HideAll();
    });
  };
  const QPoint onEdit = edit->mapToGlobal(QPoint(20, 12));
  demo.Click(onEdit, Qt::RightButton);
  EXPECT_EQ(opened, 1) << "right click";
  demo.Key(Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(opened, 2) << "Shift+F10";
  demo.Key(Qt::Key_Menu);
  EXPECT_EQ(opened, 3) << "context-menu key";
  demo.Key(Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(opened, 3) << "Ctrl+Shift+F10 is no context request";

  // An entry that only the popup menu holds: its shortcut works while the edit has the focus.
  auto* only = demo.Manager->CreateItem<TzbBarButton>();
  only->SetCaption("Nur im Menue");
  only->SetShortCut(static_cast<TShortCut>(0x76 | scCtrl));  // Ctrl+F7
  int ran = 0;
  only->OnClick = [&](TzbBarItem&) { ++ran; };
  popup.ItemLinks().Add()->SetItem(only);
  demo.Key(Qt::Key_F7, Qt::ControlModifier);
  EXPECT_EQ(ran, 1);
  link->SetControl(nullptr);
  demo.Key(Qt::Key_F7, Qt::ControlModifier);
  EXPECT_EQ(ran, 1) << "without the link the shortcut is not the form's";
  link->SetControl(panel);

  bool byMouse = true;
  link->OnAction = [&](TzbBarPopupMenuLink&, int&, int&, bool clickedByMouse, bool& allow) {
    byMouse = clickedByMouse;
    allow = false;
  };
  demo.Key(Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(opened, 3);
  EXPECT_FALSE(byMouse);
  link->OnAction = {};

  int ownRequests = 0;
  panel->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(panel, &QWidget::customContextMenuRequested, [&](const QPoint&) { ++ownRequests; });
  demo.Click(onEdit, Qt::RightButton);
  EXPECT_EQ(ownRequests, 1);
  EXPECT_EQ(opened, 3);
  panel->setContextMenuPolicy(Qt::DefaultContextMenu);

  link->ProcessChildren = false;
  demo.Click(onEdit, Qt::RightButton);
  EXPECT_EQ(opened, 3) << "the edit is not served without ProcessChildren";
  delete panel;
  EXPECT_EQ(link->Control(), nullptr);
}

}  // namespace
}  // namespace zyn
