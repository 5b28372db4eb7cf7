#include "TestSupport.h"
#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLBase.h"
#include "widgets/controls/ZCLObject.h"
#include "widgets/controls/ZCLProcs.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

TEST(ZCLObject, UpdateLockGivesOneChangeAndDoesNotNest) {
  TZCLObject o;
  int changes = 0;
  o.OnChange = [&](QObject*) { ++changes; };
  o.BeginUpdate();
  o.Changed();
  o.Changed();
  o.EndUpdate(true);
  EXPECT_EQ(changes, 1);
  o.BeginUpdate();
  o.Changed();
  o.EndUpdate(false);
  EXPECT_EQ(changes, 1);
  o.BeginUpdate();
  o.BeginUpdate();
  o.EndUpdate(false);  // one EndUpdate closes the bracket
  o.Changed();
  EXPECT_EQ(changes, 2);
}

TEST(ZCLBase, DockingErrorNamesBothComponents) {
  QObject a, e;
  a.setObjectName(QStringLiteral("A"));
  e.setObjectName(QStringLiteral("E"));
  const QString text = DockingErrorText(&a, &e);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Component A:\r")));
  EXPECT_TRUE(text.contains(QStringLiteral("attached to the component: E\r")));
  EXPECT_EQ(DockingErrorText(nullptr, &e).left(11), QStringLiteral("Component :"));
  EXPECT_THROW(RaiseDockingError(&a, &e), std::runtime_error);
}

TEST(ZCLProcs, TextEncodingAndScrambling) {
  EXPECT_EQ(TextEncode("abc"), QByteArray("3:HF9S"));
  EXPECT_EQ(TextDecode("3:HF9S"), QByteArray("abc"));
  EXPECT_EQ(TextEncode(QByteArray()), QByteArray("0:8200"));
  EXPECT_EQ(TextDecode("0:8200"), QByteArray());
  const QByteArray samples[] = {QByteArray("Projekt"), QByteArray("x"), QByteArray("\x00\xff\x10", 3)};
  for (const QByteArray& s : samples) {
    EXPECT_EQ(TextDecode(TextEncode(s)), s);
    const QByteArray scrambled = Scramble(s, 48261);
    EXPECT_NE(scrambled, s);
    EXPECT_EQ(Unscramble(scrambled, 48261), s);
  }
}

TEST(ZCLProcs, StringsAndBackslashes) {
  EXPECT_TRUE(IsBlank(QString()));
  EXPECT_TRUE(IsBlank(QStringLiteral("   ")));
  EXPECT_FALSE(IsBlank(QStringLiteral(" \t")));
  EXPECT_EQ(AddBackslash(QStringLiteral("C:\\Daten")), QStringLiteral("C:\\Daten\\"));
  EXPECT_EQ(AddBackslash(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
  EXPECT_EQ(AddBackslash(QStringLiteral("  ")), QStringLiteral("\\"));
  EXPECT_EQ(RemoveBackslash(QStringLiteral("C:\\Daten\\")), QStringLiteral("C:\\Daten"));
  EXPECT_EQ(StringOfChar(QLatin1Char('-'), 3), QStringLiteral("---"));
}

TEST(ZCLProcs, RectanglesAndHitTest) {
  EXPECT_EQ(FitRect(100, 50, Rect(10, 10, 60, 60)), Rect(10, 10, 60, 35));
  EXPECT_EQ(RotatedBounds(Rect(0, 0, 10, 20), 0), Rect(0, 0, 10, 20));
  EXPECT_EQ(RotatedBounds(Rect(0, 0, 10, 20), 90), Rect(0, 0, 20, 10));
  const TRect r = Rect(0, 0, 100, 50);
  EXPECT_EQ(SizingGripHitTest(Point(98, 25), r, 3), HTRIGHT);
  EXPECT_EQ(SizingGripHitTest(Point(98, 49), r, 3), HTBOTTOMRIGHT);
  EXPECT_EQ(SizingGripHitTest(Point(1, 1), r, 3), HTTOPLEFT);
  EXPECT_EQ(SizingGripHitTest(Point(50, 25), r, 3), HTNOWHERE);
  EXPECT_EQ(MaxOf({3, 9, 2}), 9);
  EXPECT_EQ(MinOf(std::vector<int>{3, 9, 2}), 2);
}

TEST(TimerPool, ItemsFireInPhaseWithThePassCounter) {
  EnsureApp();
  TZCLTimerPool pool(nullptr, 50);
  std::vector<std::pair<int, int>> fired;
  pool.OnTimer = [&](QObject*, std::uint16_t ident, int) { fired.emplace_back(pool.PassCounter(), ident); };
  pool.AddItem(1, 100, nullptr);
  pool.AddItem(2, 150, nullptr);
  EXPECT_TRUE(pool.Running());
  for (int i = 0; i < 6; ++i) pool.ProcessPass();
  const std::vector<std::pair<int, int>> expected = {{2, 1}, {3, 2}, {4, 1}, {6, 1}, {6, 2}};
  EXPECT_EQ(fired, expected);
  EXPECT_THROW(pool.AddItem(3, 75, nullptr), std::runtime_error);
  EXPECT_THROW(pool.AddItem(1, 100, nullptr), std::runtime_error);
  pool.FindItem(1)->SetInterval(75);  // not a multiple: unchanged
  EXPECT_EQ(pool.FindItem(1)->Interval(), 100);
  pool.RemoveItem(1);
  pool.RemoveItem(2);
  EXPECT_FALSE(pool.Running());
}

TEST(TimerPool, CallCountDisablesTheItem) {
  EnsureApp();
  TZCLTimerPool pool(nullptr, 50);
  int calls = 0;
  pool.AddItem(7, 50, [&](QObject*) { ++calls; });
  pool.FindItem(7)->SetCallCount(3);
  for (int i = 0; i < 5; ++i) pool.ProcessPass();
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(pool.FindItem(7)->Enabled());
  pool.FindItem(7)->SetEnabled(true);
  for (int i = 0; i < 5; ++i) pool.ProcessPass();
  EXPECT_EQ(calls, 6);
}

TEST(GlobalTimer, IntervalsRoundUpAndSlotsRunOut) {
  EnsureApp();
  int ticks = 0;
  {
    TZCLTimer t120(
        120, [&](QObject*) { ++ticks; }, true, true);
    EXPECT_EQ(t120.Interval(), 150);
    TZCLTimer t100(100, nullptr, true, true);
    EXPECT_EQ(t100.Interval(), 100);
    t100.SetInterval(0);
    EXPECT_EQ(ZCLApplication().GetGlobalTimerItem(t100.Ident())->Interval(), 50);
    EXPECT_THROW(TZCLTimer(0, nullptr, true, true), std::runtime_error);
    ZCLApplication().GlobalPool().FindItem(t120.Ident())->Handler(nullptr);
    EXPECT_EQ(ticks, 1);
  }
  std::vector<std::unique_ptr<TZCLTimer>> timers;
  for (int i = 0; i < 250; ++i) timers.push_back(std::make_unique<TZCLTimer>(50, nullptr, false, true));
  try {
    TZCLTimer extra(50, nullptr, false, true);
    FAIL();
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Nicht genügend Timer verfügbar"));
  }
  const std::uint16_t freed = timers[10]->Ident();
  timers[10].reset();
  TZCLTimer reused(50, nullptr, false, true);
  EXPECT_EQ(reused.Ident(), freed);
}

TEST(Application, PatternBitmapAndInputMode) {
  const QImage p = ZCLApplication().GetPatternBitmap(clRed);
  EXPECT_EQ(p.size(), QSize(8, 8));
  EXPECT_EQ(FromQColor(p.pixelColor(0, 0)), clWhite);
  EXPECT_EQ(FromQColor(p.pixelColor(1, 0)), clRed);
  int changes = 0;
  ZCLApplication().OnInputModeChange = [&](QObject*) { ++changes; };
  ZCLApplication().SetInsertMode(true);
  ZCLApplication().ToggleInsertMode();
  EXPECT_FALSE(ZCLApplication().InsertMode());
  ZCLApplication().ToggleInsertMode();
  EXPECT_EQ(changes, 2);
  ZCLApplication().OnInputModeChange = nullptr;
  EXPECT_EQ(ZCLApplication().GlobalOptions(), 0x36);
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCLWndProcComponent.h"

namespace zyn {
namespace {

class Counter : public TZCLWndProcComponent {
 public:
  using TZCLWndProcComponent::TZCLWndProcComponent;
  int resizes = 0;
  bool swallow = false;

 protected:
  bool WindowProcedure(QEvent* event) override {
    if (event->type() == QEvent::Resize) ++resizes;
    return swallow && event->type() == QEvent::EnabledChange;
  }
};

TEST(WndProcComponent, HearsTheOwnerUntilRemoved) {
  zyn::test::EnsureApp();
  QWidget owner;
  auto* hook = new Counter(&owner);
  EXPECT_TRUE(hook->InstallHook());
  owner.show();
  owner.resize(120, 80);
  QApplication::processEvents();
  const int heard = hook->resizes;
  EXPECT_GE(heard, 1);
  hook->RemoveHook();
  owner.resize(140, 90);
  QApplication::processEvents();
  EXPECT_EQ(hook->resizes, heard);
  hook->SetHookEnabled(false);
  EXPECT_FALSE(hook->InstallHook());
  TLMZBPThemeManager theme(&owner);
  theme.InstallHook();
  QEvent change(QEvent::StyleChange);
  QApplication::sendEvent(&owner, &change);
  EXPECT_EQ(theme.ThemeChanges(), 1);
}

}  // namespace
}  // namespace zyn
