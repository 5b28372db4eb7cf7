#include "tests/support/AppFixture.h"
#include "widgets/common/ZSKb.h"
#include "widgets/common/ZsStatusBar.h"

#include <QDir>
#include <QKeyEvent>
#include <QLibrary>
#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(KeyboardMonitor, BarRegistersWithTheLibraryAndTakesItsMessages) {
  test::EnsureApp();
  ZSKbSetLibraryName(ZYN_FAKE_KBMON);
  // the registrations the library itself counted (only asked while the link holds it loaded)
  const auto count = [] {
    auto f = reinterpret_cast<int (*)()>(QLibrary::resolve(ZYN_FAKE_KBMON, "FakeRegisteredCount"));
    return f ? f() : -1;
  };
  {
    TzsStatusBar bar;
    bar.resize(400, 20);
    TzsStatusPanel* caps = bar.AddPanel();
    caps->SetPanelType(sptCapsLock);
    TzsStatusPanel* num = bar.AddPanel();
    num->SetPanelType(sptNumLock);
    bar.SetUseMonitorDLL(true);
    ASSERT_TRUE(bar.UseMonitorDLL());
    EXPECT_TRUE(ZSKbLoaded());
    EXPECT_EQ(count(), 1);  // one registration per bar
    EXPECT_EQ(bar.MonitorMessageNumber(), 0xC000);
    EXPECT_TRUE(bar.MonitorMessage(0xC000, VK_NUMLOCK, 1));
    EXPECT_TRUE(num->LockKeyState());
    EXPECT_TRUE(bar.MonitorMessage(0xC000, 0x14, 0));  // any other key is caps lock
    EXPECT_FALSE(caps->LockKeyState());
    EXPECT_TRUE(bar.MonitorMessage(0xC000, 0x14, 1));
    EXPECT_TRUE(caps->LockKeyState());
    EXPECT_FALSE(bar.MonitorMessage(0xC001, 0x14, 0));  // not the bar's message
    num->SetEnabled(false);
    EXPECT_EQ(count(), 1);
    caps->SetEnabled(false);  // the last user deregisters and unloads the library
    EXPECT_EQ(ZSKbRegisteredCount(), 0);
    EXPECT_FALSE(ZSKbLoaded());
    caps->SetEnabled(true);
    EXPECT_TRUE(ZSKbLoaded());
    EXPECT_EQ(ZSKbRegisteredCount(), 1);
    EXPECT_EQ(count(), 1);
    bar.SetUseMonitorDLL(false);  // back to the bar's own watch
    EXPECT_FALSE(ZSKbLoaded());
  }
  EXPECT_EQ(ZSKbRegisteredCount(), 0);
  ZSKbSetLibraryName("ZSKbMon");
}

TEST(KeyboardMonitor, OwnWatchFollowsTheLockKeys) {
  test::EnsureApp();
  if (QDir("/sys/class/leds").entryList({"*::capslock"}, QDir::Dirs).size() > 0)
    GTEST_SKIP() << "the keyboard shows its lock state; the followed state is not used";
  TzsStatusBar bar;
  TzsStatusPanel* caps = bar.AddPanel();
  caps->SetPanelType(sptCapsLock);
  const bool before = caps->LockKeyState();
  QWidget target;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
  QApplication::sendEvent(&target, &press);
  EXPECT_NE(caps->LockKeyState(), before);
  QKeyEvent again(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
  again.setTimestamp(press.timestamp() + 1);
  QApplication::sendEvent(&target, &again);
  EXPECT_EQ(caps->LockKeyState(), before);
}

}  // namespace
}  // namespace zyn
