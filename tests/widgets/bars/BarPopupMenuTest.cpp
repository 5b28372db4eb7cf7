// The popup menu component on the demo form: Popup waits until the menu has closed, an entry
// clicked in it runs, the side strip is painted by its event, and shortcuts reach its items.

#include "BarDemoWindow.h"

#include "widgets/bars/BarPopupMenu.h"

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
