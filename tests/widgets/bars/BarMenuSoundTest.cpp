// The menu sounds through the platform's system sounds: the test home has no sound theme, so the
// requests are made and counted, and nothing is heard.

#include "BarDemoWindow.h"
#include "platform/SystemSounds.h"
#include "tests/support/TestHome.h"
#include "widgets/bars/BarUtils.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarMenuSound : public ::testing::Test, public BarDemoWindow {
 protected:
  BarMenuSound() : fDirs("XDG_DATA_DIRS", test::TestHome() + "no-sound-theme") {
    SetBarSoundPlayer(PlayBarSoundFile);  // the library's own player
    ResetSoundLog();
  }
  ~BarMenuSound() override { SetBarSoundPlayer(nullptr); }

 private:
  test::ScopedEnv fDirs;
};

TEST_F(BarMenuSound, OpeningAMenuAndRunningAnEntryRequestTheMenuSoundsAToolbarButtonDoesNot) {
  ClickControl(*MenuBarEntry("Datei1"));
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  EXPECT_EQ(SoundLog().Requests, 1);
  EXPECT_EQ(SoundLog().LastName, QStringLiteral("menu-popup"));
  EXPECT_EQ(SoundLog().LastResult, srNoSoundFile);
  ClickControl(*ControlIn(MenuOf("Datei1"), "Neu1"));
  EXPECT_EQ(SoundLog().Requests, 2);
  EXPECT_EQ(SoundLog().LastName, QStringLiteral("menu-click"));
  ClickControl(*ControlIn(WindowOf(Toolbars[3]), "Inhalt1"));
  EXPECT_EQ(SoundLog().Requests, 2);
  // A nested menu sounds when it opens.
  ClickControl(*MenuBarEntry("Datei1"));
  ControlIn(MenuOf("Datei1"), "Informationen1")->Click(false);
  ASSERT_NE(MenuOf("Informationen1"), nullptr);
  EXPECT_EQ(SoundLog().Requests, 4);
}

}  // namespace
}  // namespace zyn
