// The spin edit "Anzahl" on the demo form's toolbar "Weitere Felder": limits, step, prefix and the
// two number modes, the keys, the buttons held with the mouse, the wheel and the change events.
// The tests run in the German locale (decimal comma).

#include "widgets/bars/BarSpinEdit.h"

#include "BarDemoWindow.h"
#include "widgets/bars/BarItemLinks.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class SpinEdit : public ::testing::Test {
 protected:
  SpinEdit() : saved(QLocale()) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    bar = demo.AddMoreFieldsBar();
    spin = static_cast<TzbBarSpinEdit*>(demo.Item("Anzahl"));
    spin->OnChange = [this](TzbBarItem&) { ++changes; };
    spin->OnButtonClick = [this](TzbBarSpinEdit&, TzbBarSpinEditButton b) { buttons.push_back(b); };
  }
  ~SpinEdit() override { QLocale::setDefault(saved); }
  TzbBarSpinEditControl* Control() {
    return dynamic_cast<TzbBarSpinEditControl*>(demo.ControlIn(demo.WindowOf(bar), "Anzahl"));
  }
  TzbBarSpinEditControl* StartEditing() {
    TzbBarSpinEditControl* c = Control();
    EXPECT_NE(c, nullptr);
    if (!c) return nullptr;
    const TRect r = c->EditRect();
    const TPoint p = demo.WindowOf(bar)->ClientToScreen(Point(r.Left + 3, (r.Top + r.Bottom) / 2));
    demo.Click(QPoint(p.X, p.Y));
    EXPECT_TRUE(c->Focused());
    return c;
  }
  QPoint ButtonPoint(TzbBarSpinEditControl& c, bool up) {
    const TRect b = c.ButtonsRect();
    const int y = up ? b.Top + 2 : b.Bottom - 3;
    const TPoint p = demo.WindowOf(bar)->ClientToScreen(Point((b.Left + b.Right) / 2, y));
    return QPoint(p.X, p.Y);
  }

  QLocale saved;
  test::BarDemoWindow demo;
  TzbBar* bar = nullptr;
  TzbBarSpinEdit* spin = nullptr;
  int changes = 0;
  std::vector<TzbBarSpinEditButton> buttons;
};

TEST_F(SpinEdit, LimitsStepAndPrefix) {
  TzbBarSpinEdit s(*demo.Manager);
  EXPECT_EQ(s.Text(), "0");
  EXPECT_FALSE(s.HasBounds());
  s.SetValue(-1000);  // no limits while both are 0
  EXPECT_EQ(s.Value(), -1000);
  s.SetIncrement(0.5);  // integer mode
  EXPECT_EQ(s.Increment(), 1);
  s.SetMaxValue(10);
  EXPECT_EQ(s.Value(), 0);  // re-clamped into 0 .. 10
  s.SetMinValue(-5);
  const struct {
    const char* Typed;
    const char* Stored;
  } texts[] = {{"7", "7"}, {"20", "10"}, {"-20", "-5"}, {"abc", "-5"}, {"3,5", "-5"}, {"", "-5"}};
  for (const auto& t : texts) {
    s.SetText(t.Typed);
    EXPECT_EQ(s.Text(), t.Stored) << t.Typed;
  }
  s.SetMinValue(20);  // pushes the upper limit up
  EXPECT_EQ(s.MaxValue(), 20);
  EXPECT_EQ(s.Value(), 20);
  s.SetMaxValue(15);  // pulls the lower limit down
  EXPECT_EQ(s.MinValue(), 15);
  EXPECT_EQ(s.Value(), 15);
  s.SetPrefix(" Stk");
  EXPECT_EQ(s.Text(), "15 Stk");
  s.SetValue(15.9);
  EXPECT_EQ(s.Text(), "15 Stk");
  EXPECT_EQ(s.Value(), 15);
  s.SetPrefixPlace(ppStart);
  EXPECT_EQ(s.Text(), " Stk15");
  // Float mode with the decimal comma; back in integer mode every number is whole again.
  s.SetValueType(svtFloat);
  s.SetMaxValue(20.5);
  s.SetIncrement(0.25);
  s.SetText("17,75");
  EXPECT_EQ(s.Value(), 17.75);
  EXPECT_EQ(s.Text(), " Stk17,75");
  EXPECT_TRUE(s.AcceptsChar(QLatin1Char(',')));  // the locale's decimal separator only
  EXPECT_FALSE(s.AcceptsChar(QLatin1Char('.')));
  EXPECT_FALSE(s.AcceptsChar(QLatin1Char('-')));  // the lower limit is not negative
  s.SetValueType(svtInteger);
  EXPECT_FALSE(s.AcceptsChar(QLatin1Char(',')));
  EXPECT_EQ(s.Value(), 17);
  EXPECT_EQ(s.MaxValue(), 20);
  EXPECT_EQ(s.Increment(), 1);
  EXPECT_EQ(TzbBarSpinEditControl::ButtonsWidth(20), 19);
}

TEST_F(SpinEdit, KeysStepTheEditedNumberAndEnterStoresIt) {
  EXPECT_EQ(spin->Value(), 5);
  changes = 0;
  TzbBarSpinEditControl* c = StartEditing();
  ASSERT_TRUE(c && c->Focused());
  QTest::keyPress(c->Editor(), Qt::Key_Up);
  EXPECT_EQ(c->GetText(), "6");
  EXPECT_EQ(c->PressedButton(), sbUp);
  QTest::keyRelease(c->Editor(), Qt::Key_Up);
  EXPECT_EQ(c->PressedButton(), sbNone);
  EXPECT_EQ(buttons, std::vector<TzbBarSpinEditButton>{sbUp});
  EXPECT_EQ(spin->Value(), 5);  // not before Enter
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(changes, 1);
  // Typed text: only digits (the minus sign needs a negative lower limit); out of range it is
  // clamped on Enter.
  c = StartEditing();
  ASSERT_TRUE(c && c->Focused());
  QTest::keyClicks(c->Editor(), "1a-5x0");
  EXPECT_EQ(c->GetText(), "150");
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(spin->Value(), 99);
  EXPECT_EQ(changes, 2);
  spin->SetMinValue(-5);
  c = StartEditing();
  ASSERT_TRUE(c && c->Focused());
  QTest::keyClicks(c->Editor(), "-3");
  EXPECT_EQ(c->GetText(), "-3");
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Down);  // stays at the lower limit
  EXPECT_EQ(c->GetText(), "-5");
  QTest::keyClick(c->Editor(), Qt::Key_Escape);  // Esc keeps the stored number
  EXPECT_EQ(spin->Value(), 99);
  EXPECT_EQ(changes, 2);
}

TEST_F(SpinEdit, ButtonsHeldWithTheMouseRepeatAndTheWheelSteps) {
  TzbBarSpinEditControl* c = Control();
  ASSERT_NE(c, nullptr);
  ASSERT_FALSE(IsRectEmpty(c->ButtonsRect()));
  demo.Press(ButtonPoint(*c, true));
  c = Control();
  ASSERT_TRUE(c->Focused());
  EXPECT_EQ(c->GetText(), "6");
  EXPECT_EQ(c->PressedButton(), sbUp);
  // Held: after the first delay the step repeats.
  ASSERT_TRUE(c->Repeating());
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::stoi(c->GetText()) >= 8; }));
  // Away from the button the pressed look goes and the steps pause while the repeat goes on; back
  // on it they go on.
  const TRect edit = c->EditRect();
  const TPoint away = demo.WindowOf(bar)->ClientToScreen(Point(edit.Left + 3, edit.Top + 3));
  demo.Move(QPoint(away.X, away.Y));
  EXPECT_FALSE(c->PressedLook());
  const int paused = std::stoi(c->GetText());
  const int ticks = c->RepeatTicks();
  ASSERT_TRUE(QTest::qWaitFor([&] { return c->RepeatTicks() >= ticks + 2; }));
  EXPECT_EQ(std::stoi(c->GetText()), paused);
  demo.Move(ButtonPoint(*c, true));
  EXPECT_TRUE(c->PressedLook());
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::stoi(c->GetText()) > paused; }));
  demo.Release(ButtonPoint(*c, true));
  const int held = std::stoi(c->GetText());
  EXPECT_EQ(c->PressedButton(), sbNone);
  EXPECT_FALSE(c->Repeating());  // stopped
  QApplication::processEvents();
  EXPECT_EQ(std::stoi(c->GetText()), held);
  demo.Click(ButtonPoint(*c, false));
  EXPECT_EQ(std::stoi(c->GetText()), held - 1);
  QWheelEvent wheel(QPointF(2, 2), QPointF(), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(c->Editor(), &wheel);
  EXPECT_EQ(std::stoi(c->GetText()), held);
  EXPECT_EQ(changes, 0);
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(spin->Value(), held);
  EXPECT_EQ(changes, 1);
  // Read-only: no steps.
  spin->ReadOnly = true;
  const auto before = buttons.size();
  demo.Click(ButtonPoint(*Control(), true));
  EXPECT_EQ(buttons.size(), before);
  EXPECT_EQ(spin->Value(), held);
  // A control less than twice as wide as its buttons has none.
  spin->SetWidth(30);
  QApplication::processEvents();
  demo.Screen->LayoutForm();
  demo.WindowOf(bar)->Widget()->repaint();
  EXPECT_TRUE(IsRectEmpty(Control()->ButtonsRect()));
}

// In a drop-down menu the spin edit shows its caption, its buttons step the number and Enter
// stores it and closes the menu.
TEST_F(SpinEdit, WorksInADropDownMenu) {
  auto* settings = static_cast<TzbBarSubItem*>(demo.Item("Einstellungen1"));
  TzbBarItemLink* link = settings->ItemLinks().Add();
  link->SetItem(spin);
  demo.ClickControl(*demo.MenuBarEntry("Einstellungen1"));
  TzbBarSubMenuControl* menu = demo.MenuOf("Einstellungen1");
  ASSERT_NE(menu, nullptr);
  auto* c = dynamic_cast<TzbBarSpinEditControl*>(demo.ControlIn(menu, "Anzahl"));
  ASSERT_NE(c, nullptr);
  EXPECT_GT(c->CaptionWidth(), 0);
  menu->Widget()->repaint();
  ASSERT_FALSE(IsRectEmpty(c->ButtonsRect()));
  const TRect b = c->ButtonsRect();
  const TPoint p = menu->ClientToScreen(Point((b.Left + b.Right) / 2, b.Top + 2));
  demo.Click(QPoint(p.X, p.Y));
  ASSERT_TRUE(c->Focused());
  EXPECT_EQ(c->GetText(), "6");
  QTest::keyClick(c->Editor(), Qt::Key_Up);
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(spin->Value(), 7);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(demo.MenuOf("Einstellungen1"), nullptr);
}

}  // namespace
}  // namespace zyn
