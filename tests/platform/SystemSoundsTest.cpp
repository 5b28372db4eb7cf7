#include "platform/SystemSounds.h"

#include "tests/support/Files.h"
#include "tests/support/TestHome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <string>

namespace zyn {
namespace {

// A sound theme in a folder of the test's own and a PATH without any sound player: every outcome
// but a started player can be reached without making a sound.
TEST(SystemSounds, EveryRequestIsCountedWithItsOutcome) {
  test::TempFolder folder;
  const std::string dir = folder.Dir().string();
  const QString stereo = QString::fromStdString(dir) + QStringLiteral("/sounds/freedesktop/stereo");
  ASSERT_TRUE(QDir().mkpath(stereo));
  QFile sound(stereo + QStringLiteral("/menu-popup.oga"));
  ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
  sound.write("OggS");
  sound.close();
  test::ScopedEnv home("XDG_DATA_HOME", dir);
  test::ScopedEnv dirs("XDG_DATA_DIRS", dir + "/none");
  test::ScopedEnv path("PATH", dir + "/bin");
  ResetSoundLog();

  EXPECT_EQ(FindSystemSoundFile(QStringLiteral("menu-popup")), sound.fileName());
  EXPECT_EQ(PlaySystemSound(QStringLiteral("menu-popup")), srNoPlayer);
  EXPECT_EQ(SoundLog().Requests, 1);
  EXPECT_EQ(SoundLog().LastName, QStringLiteral("menu-popup"));
  EXPECT_EQ(SoundLog().LastResult, srNoPlayer);
  // No default sound: a name the theme lacks plays nothing, and is counted all the same.
  EXPECT_EQ(PlaySystemSound(QStringLiteral("menu-click")), srNoSoundFile);
  EXPECT_EQ(SoundLog().Requests, 2);
  EXPECT_EQ(SoundLog().LastResult, srNoSoundFile);
  ResetSoundLog();
  EXPECT_EQ(SoundLog().Requests, 0);
}

}  // namespace
}  // namespace zyn
