#include "platform/MessageDlg.h"
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

TEST(KeyboardMonitor, LibraryWithoutDeregisterEntryUnloadsWithAWarning) {
  test::EnsureApp();
  QStringList messages;
  const TMessageDlgHook previous = SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    messages << text;
    return IDOK;
  });
  ZSKbSetLibraryName(ZYN_REGISTER_ONLY_KBMON);
  {
    TzsStatusBar bar;
    TzsStatusPanel* caps = bar.AddPanel();
    caps->SetPanelType(sptCapsLock);
    TzsStatusPanel* num = bar.AddPanel();
    num->SetPanelType(sptNumLock);
    bar.SetUseMonitorDLL(true);
    ASSERT_TRUE(ZSKbLoaded());
    EXPECT_EQ(bar.MonitorMessageNumber(), 0xC100);
    EXPECT_EQ(ZSKbRegisteredCount(), 1);
    num->SetEnabled(false);
    caps->SetEnabled(false);  // the last user leaves: the library is let go of
    EXPECT_FALSE(ZSKbLoaded());
    EXPECT_EQ(ZSKbRegisteredCount(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral(ZYN_REGISTER_ONLY_KBMON))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("Tastaturüberwachung"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("DeregisterKeyboardHook")));
    // and the programme goes on: the bar takes the library again and lets it go again
    caps->SetEnabled(true);
    EXPECT_TRUE(ZSKbLoaded());
    EXPECT_EQ(ZSKbRegisteredCount(), 1);
  }  // the bar's end lets go of it once more
  EXPECT_FALSE(ZSKbLoaded());
  EXPECT_EQ(ZSKbRegisteredCount(), 0);
  EXPECT_EQ(messages.size(), 2);
  // a library with both entries is told of every window and warns of nothing
  ZSKbSetLibraryName(ZYN_FAKE_KBMON);
  ASSERT_TRUE(ZSKbLoad());
  ZSKbRegisterWindow(7);
  ZSKbRegisterWindow(8);
  ZSKbUnload();
  EXPECT_FALSE(ZSKbLoaded());
  EXPECT_EQ(ZSKbRegisteredCount(), 0);
  EXPECT_EQ(messages.size(), 2);
  ZSKbSetLibraryName("ZSKbMon");
  SetMessageDlgHook(previous);
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
