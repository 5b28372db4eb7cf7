// The clip, font, sound, input and window helpers of the bar unit.

#include "BarTestSupport.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zyn {
namespace {

TEST(BarDrawingUtils, ClipRegionsAreStoredUnitedAndPutBack) {
  test::EnsureApplication();
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  bool had = true;
  const QRegion none = StoreClipRegion(canvas, had);
  EXPECT_FALSE(had);
  canvas.SetClipRect(Rect(0, 0, 10, 20));
  UniteClipRect(canvas, Rect(30, 0, 40, 20));
  canvas.Painter().fillRect(0, 0, 40, 20, Qt::black);
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clBlack);
  EXPECT_EQ(FromQColor(image.pixelColor(20, 5)), clWhite);  // outside both parts
  EXPECT_EQ(FromQColor(image.pixelColor(35, 5)), clBlack);
  ReloadClipRegion(canvas, none, had);
  EXPECT_FALSE(canvas.Painter().hasClipping());
  const QRegion cut = SubtractRectFromRegion(QRegion(0, 0, 10, 10), Rect(0, 0, 5, 10));
  EXPECT_EQ(cut.boundingRect(), QRect(5, 0, 5, 10));
  EXPECT_GT(ColorDepth(), 0);
}

TEST(BarDrawingUtils, MenuSoundsGoToThePlayerByAlias) {
  std::vector<std::string> played;
  SetBarSoundPlayer([&](const char* alias) { played.emplace_back(alias); });
  PlayBarSound(0);
  PlayBarSound(1);
  PlayBarSound(7);
  SetBarSoundPlayer(nullptr);
  PlayBarSound(0);  // without a player nothing happens
  EXPECT_EQ(played, (std::vector<std::string>{"MenuPopup", "MenuCommand"}));
}

TEST(BarDrawingUtils, MenuSoundsComeFromTheDesktopSoundThemeAndHaveNoDefault) {
  test::EnsureApplication();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray oldHome = qgetenv("XDG_DATA_HOME"), oldDirs = qgetenv("XDG_DATA_DIRS");
  const bool hadHome = qEnvironmentVariableIsSet("XDG_DATA_HOME"), hadDirs = qEnvironmentVariableIsSet("XDG_DATA_DIRS");
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  qputenv("XDG_DATA_DIRS", (home.path() + QStringLiteral("/none")).toUtf8());
  const QString stereo = home.path() + QStringLiteral("/sounds/freedesktop/stereo");
  ASSERT_TRUE(QDir().mkpath(stereo));
  QFile popup(stereo + QStringLiteral("/menu-popup.oga"));
  ASSERT_TRUE(popup.open(QIODevice::WriteOnly));
  popup.write("OggS");
  popup.close();
  EXPECT_EQ(FindBarSoundFile("MenuPopup"), popup.fileName());
  EXPECT_TRUE(FindBarSoundFile("MenuCommand").isEmpty());  // no default sound
  EXPECT_TRUE(FindBarSoundFile("Other").isEmpty());
  if (hadHome)
    qputenv("XDG_DATA_HOME", oldHome);
  else
    qunsetenv("XDG_DATA_HOME");
  if (hadDirs)
    qputenv("XDG_DATA_DIRS", oldDirs);
  else
    qunsetenv("XDG_DATA_DIRS");
}

TEST(BarDrawingUtils, BarFontNeverBelowElevenPixelsWhenScaled) {
  test::EnsureApplication();
  QFont font;
  font.setPixelSize(8);
  EXPECT_EQ(CreateBarFont(font, false).pixelSize(), 8);
  EXPECT_GE(CreateBarFont(font, true).pixelSize(), 11);
}

TEST(BarDrawingUtils, DeepestVisibleWindowAtAPoint) {
  test::EnsureApplication();
  QWidget top;
  top.setGeometry(100, 100, 200, 100);
  auto* panel = new QWidget(&top);
  panel->setGeometry(10, 10, 100, 60);
  auto* inner = new QWidget(panel);
  inner->setGeometry(5, 5, 20, 20);
  auto* hidden = new QWidget(panel);
  hidden->setGeometry(50, 5, 20, 20);
  top.show();
  hidden->hide();
  QApplication::processEvents();
  EXPECT_EQ(WindowFromPointDeep(inner->mapToGlobal(QPoint(2, 2))), inner);
  EXPECT_EQ(WindowFromPointDeep(hidden->mapToGlobal(QPoint(2, 2))), panel);  // hidden children are skipped
  EXPECT_EQ(WindowFromPointDeep(top.mapToGlobal(QPoint(150, 80))), &top);
  EXPECT_TRUE(IsDescendantWindow(inner, &top));
  EXPECT_FALSE(IsDescendantWindow(&top, inner));
  EXPECT_FALSE(IsRectEmpty(GetMonitorWorkArea(QPoint(150, 150))));
}

}  // namespace
}  // namespace zyn
