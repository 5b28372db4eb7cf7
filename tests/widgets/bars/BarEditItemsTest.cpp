// Edit and combo items on the demo form: typing, Enter, Esc, the drop-down list and the change
// events, under QTest.

#include "widgets/bars/BarEditItems.h"

#include "BarDemoWindow.h"
#include "widgets/bars/BarButtons.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarEditItems : public ::testing::Test {
 protected:
  BarEditItems() {
    bar = demo.AddEditBar();
    edit = static_cast<TzbBarEdit*>(demo.Item("Suche"));
    combo = static_cast<TzbBarCombo*>(demo.Item("Ansicht"));
    for (TzbBarWindowItem* item : std::initializer_list<TzbBarWindowItem*>{edit, combo}) {
      item->OnChange = [this](TzbBarItem& i) { events.push_back("Change:" + i.Name); };
      item->OnCurChange = [this](TzbBarItem& i) { ++curChanges; };
    }
  }
  TzbBarEditControl* Control(const char* name) {
    return dynamic_cast<TzbBarEditControl*>(demo.ControlIn(demo.WindowOf(bar), name));
  }
  // Starts editing with a click into the text part.
  TzbBarEditControl* StartEditing(const char* name) {
    TzbBarEditControl* c = Control(name);
    EXPECT_NE(c, nullptr);
    if (!c) return nullptr;
    const TRect r = c->EditRect();
    const TPoint p = demo.WindowOf(bar)->ClientToScreen(Point(r.Left + 3, (r.Top + r.Bottom) / 2));
    demo.Click(QPoint(p.X, p.Y));
    QApplication::processEvents();
    return c;
  }

  BarDemoWindow demo;
  TzbBar* bar = nullptr;
  TzbBarEdit* edit = nullptr;
  TzbBarCombo* combo = nullptr;
  std::vector<std::string> events;
  int curChanges = 0;
};

TEST_F(BarEditItems, PropertiesClampTheirValues) {
  edit->SetWidth(5);
  EXPECT_EQ(edit->Width(), 20);
  edit->SetMaxLength(-3);
  EXPECT_EQ(edit->MaxLength(), 0);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "Details");
  combo->SetItemIndex(10);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetText("Baum");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItems({"A"});
  EXPECT_EQ(combo->ItemIndex(), -1);  // beyond the end of the new entries
  EXPECT_EQ(combo->FindEntry("sy"), -1);
  combo->SetItems({"Liste", "Baum", "Details", "Symbole"});
  EXPECT_EQ(combo->FindEntry("sy"), 3);
  EXPECT_EQ(combo->FindEntry("Dx"), 2);  // the longest shared prefix
  EXPECT_EQ(combo->FindEntry("x"), -1);
}

TEST_F(BarEditItems, TypingThenEnterStoresTheTextAndEscLeavesIt) {
  TzbBarEditControl* c = StartEditing("Suche");
  ASSERT_TRUE(c->Focused());
  ASSERT_TRUE(c->Editor()->isVisible());
  QTest::keyClicks(c->Editor(), "Halle");
  EXPECT_EQ(curChanges, 5);
  EXPECT_EQ(edit->Text(), "");  // not before Enter
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(edit->Text(), "Halle");
  EXPECT_EQ(events, std::vector<std::string>{"Change:Suche"});
  EXPECT_FALSE(c->Focused());
  EXPECT_FALSE(c->Editor()->isVisible());

  c = StartEditing("Suche");
  ASSERT_TRUE(c->Focused());
  EXPECT_EQ(c->Editor()->selectedText(), "Halle");  // the whole text is selected
  QTest::keyClicks(c->Editor(), "Schule");
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_EQ(edit->Text(), "Halle");
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(BarEditItems, LeavingWithoutEnterStoresOnlyWithAlwaysSaveText) {
  for (bool always : {false, true}) {
    SCOPED_TRACE(always);
    demo.Manager->AlwaysSaveText = always;
    edit->SetText("alt");
    TzbBarEditControl* c = StartEditing("Suche");
    ASSERT_TRUE(c->Focused());
    QTest::keyClicks(c->Editor(), "neu");
    c->ControlInactivate(true);  // the selection moved elsewhere
    EXPECT_EQ(edit->Text(), always ? "neu" : "alt");
  }
}

TEST_F(BarEditItems, KeyEventsMaySwallowKeysAndLongTextsStayWhole) {
  edit->OnKeyPress = [](TzbBarItem&, QChar& c) {
    if (c == QLatin1Char('x')) c = QChar();
  };
  TzbBarEditControl* c = StartEditing("Suche");
  ASSERT_TRUE(c->Focused());
  QTest::keyClicks(c->Editor(), "axb");
  EXPECT_EQ(c->Editor()->text(), "ab");
  const std::string longText(300, 'k');
  c->Editor()->setText(QString::fromStdString(longText));
  QTest::keyClick(c->Editor(), Qt::Key_Enter);
  EXPECT_EQ(edit->Text(), longText);  // all 300 characters
}

TEST_F(BarEditItems, ComboDropsDownAndTakesTheChosenEntry) {
  std::vector<std::string> items;
  for (int i = 0; i < 20; ++i) items.push_back("Eintrag " + std::to_string(i));
  combo->SetItems(items);
  auto* c = dynamic_cast<TzbBarComboControl*>(Control("Ansicht"));
  ASSERT_NE(c, nullptr);
  int dropped = 0, closed = 0;
  combo->OnDropDown = [&](TzbBarItem&) { ++dropped; };
  combo->OnCloseUp = [&](TzbBarItem&) { ++closed; };
  const TPoint button = demo.WindowOf(bar)->ClientToScreen(
      Point((c->ButtonRect.Left + c->ButtonRect.Right) / 2, (c->ButtonRect.Top + c->ButtonRect.Bottom) / 2));
  demo.Click(QPoint(button.X, button.Y));
  QApplication::processEvents();
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_EQ(dropped, 1);
  QListWidget* list = combo->ListBox();
  ASSERT_TRUE(list && list->isVisible());
  int row = 0;
  combo->MeasureItem(0, row);
  EXPECT_EQ(list->height(), 4 + 8 * row);  // DropDownCount rows
  EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  int widest = 0;
  combo->MeasureItemWidth(0, widest);
  EXPECT_GT(list->width(), widest + list->verticalScrollBar()->sizeHint().width() - 1);

  // Down goes to the list, Enter takes the entry.
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(c->Editor()->text(), QString::fromStdString(items[list->currentRow()]));
  const int chosen = list->currentRow();
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(combo->ItemIndex(), chosen);
  EXPECT_EQ(combo->Text(), items[chosen]);
  EXPECT_EQ(events, std::vector<std::string>{"Change:Ansicht"});
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(list->isVisible());

  // A click on an entry of the open list.
  demo.Click(QPoint(button.X, button.Y));
  QApplication::processEvents();
  ASSERT_TRUE(c->DroppedDown());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(BarEditItems, ClosedComboStepsThroughItsEntriesAndReadOnlyNeverDrops) {
  combo->SetItemIndex(1);
  auto* c = dynamic_cast<TzbBarComboControl*>(StartEditing("Ansicht"));
  ASSERT_TRUE(c && c->Focused());
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(c->Editor()->text(), "Details");
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Down);  // at the last entry nothing happens
  EXPECT_EQ(c->Editor()->text(), "Symbole");
  EXPECT_EQ(combo->ItemIndex(), 1);
  QTest::keyClick(c->Editor(), Qt::Key_Tab);
  EXPECT_EQ(combo->ItemIndex(), 3);

  c = dynamic_cast<TzbBarComboControl*>(StartEditing("Ansicht"));
  ASSERT_TRUE(c && c->Focused());
  QWheelEvent up(QPointF(5, 5), QPointF(), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                 false);
  QApplication::sendEvent(c->Editor(), &up);
  EXPECT_EQ(c->Editor()->text(), "Details");  // the wheel moves to the entry above
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_EQ(combo->ItemIndex(), 3);

  combo->ReadOnly = true;
  c = dynamic_cast<TzbBarComboControl*>(StartEditing("Ansicht"));
  ASSERT_TRUE(c && c->Focused());
  QTest::keyClick(c->Editor(), Qt::Key_F4);
  EXPECT_FALSE(c->DroppedDown());
  combo->ReadOnly = false;
  QTest::keyClick(c->Editor(), Qt::Key_F4);
  EXPECT_TRUE(c->DroppedDown());
  QTest::keyClick(c->Editor(), Qt::Key_Escape);  // closes the list, editing goes on
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_TRUE(c->Focused());
}

// The plain combo kind drops down the window its event gives; keys other than Tab, Enter and Esc
// go to that window while it is open.
TEST_F(BarEditItems, ACustomComboDropsTheWindowOfItsEventAndPassesKeysToIt) {
  auto* custom = demo.Manager->CreateItem<TCustomzbBarCombo>();
  custom->Name = "Farbe";
  QListWidget window;
  window.addItems({"Rot", "Gelb", "Blau"});
  window.setWindowFlags(Qt::ToolTip);
  window.resize(80, 60);
  custom->OnGetDropDownWindow = [&](TzbBarItem&, QWidget*& w) { w = &window; };
  std::vector<std::string> happened;
  custom->OnDropDown = [&](TzbBarItem&) { happened.push_back("DropDown"); };
  custom->OnCloseUp = [&](TzbBarItem&) { happened.push_back("CloseUp"); };
  TzbBarItemLink* link = bar->ItemLinks().Add();
  link->SetItem(custom);
  QApplication::processEvents();
  demo.Screen->LayoutForm();
  demo.WindowOf(bar)->Widget()->repaint();
  auto* c = dynamic_cast<TCustomzbBarComboControl*>(Control("Farbe"));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(dynamic_cast<TzbBarComboControl*>(c), nullptr);
  ASSERT_FALSE(IsRectEmpty(c->ButtonRect));
  const TPoint button = demo.WindowOf(bar)->ClientToScreen(
      Point((c->ButtonRect.Left + c->ButtonRect.Right) / 2, (c->ButtonRect.Top + c->ButtonRect.Bottom) / 2));
  demo.Click(QPoint(button.X, button.Y));
  QApplication::processEvents();
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(happened, std::vector<std::string>{"DropDown"});
  // Below the text part of the control, on a horizontal bar.
  const TRect item = c->Link().ItemRect;
  const TPoint below = demo.WindowOf(bar)->ClientToScreen(Point(item.Left + c->CaptionWidth(), item.Bottom));
  EXPECT_EQ(window.pos(), QPoint(below.X, below.Y));
  window.setCurrentRow(0);
  QTest::keyClick(c->Editor(), Qt::Key_Down);  // goes to the window
  EXPECT_EQ(window.currentRow(), 1);
  EXPECT_TRUE(c->Editor()->text().isEmpty());
  QTest::keyClick(c->Editor(), Qt::Key_F4);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(happened, (std::vector<std::string>{"DropDown", "CloseUp"}));
  // A read-only combo never drops down.
  custom->ReadOnly = true;
  QTest::keyClick(c->Editor(), Qt::Key_F4);
  EXPECT_FALSE(c->DroppedDown());
}

TEST_F(BarEditItems, ABarHiddenOrAnItemFreedWhileEditingLeavesNothingBehind) {
  TzbBarEditControl* c = StartEditing("Suche");
  ASSERT_TRUE(c && c->Focused());
  QTest::keyClicks(c->Editor(), "abc");
  bar->SetVisible(false);  // the window and its edit window go
  QApplication::processEvents();
  EXPECT_EQ(edit->Text(), "");
  bar->SetVisible(true);
  QApplication::processEvents();
  auto* cc = dynamic_cast<TzbBarComboControl*>(StartEditing("Ansicht"));
  ASSERT_TRUE(cc && cc->Focused());
  QTest::keyClick(cc->Editor(), Qt::Key_F4);
  ASSERT_TRUE(cc->DroppedDown());
  demo.Manager->FreeItem(combo);  // its list closes with it
  QApplication::processEvents();
  EXPECT_EQ(demo.Item("Ansicht"), nullptr);
}

TEST_F(BarEditItems, InAMenuTheEditShowsItsCaptionAndEnterClosesTheMenus) {
  auto* settings = static_cast<TzbBarSubItem*>(demo.Item("Einstellungen1"));
  settings->ItemLinks().Add()->SetItem(edit);
  demo.ClickControl(*demo.MenuBarEntry("Einstellungen1"));
  TzbBarSubMenuControl* menu = demo.MenuOf("Einstellungen1");
  ASSERT_NE(menu, nullptr);
  menu->Flush();
  auto* c = dynamic_cast<TzbBarEditControl*>(demo.ControlIn(menu, "Suche"));
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->CaptionShown());
  EXPECT_GT(c->CaptionWidth(), 0);
  const TRect r = c->EditRect();
  const TPoint p = menu->ClientToScreen(Point(r.Left + 3, (r.Top + r.Bottom) / 2));
  demo.Click(QPoint(p.X, p.Y));
  ASSERT_TRUE(c->Focused());
  QTest::keyClicks(c->Editor(), "Dimmer");
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(edit->Text(), "Dimmer");
  QApplication::processEvents();
  EXPECT_EQ(demo.MenuOf("Einstellungen1"), nullptr);
}

}  // namespace
}  // namespace zyn
