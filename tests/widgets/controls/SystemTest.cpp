#include "TestSupport.h"
#include "platform/ThemeEngine.h"
#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLSysIn.h"
#include "widgets/controls/ZCLWndProcComponent.h"

#include <QStyle>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

TEST(SystemInfo, LocaleSelectorsAskTheirLocaleTypes) {
  const int types[] = {0x1009, 25, 27, 17, 0x100C, 0x100D, 18, 13, 28, 0x1010, 35, 40, 41, 20,
                       29,     14, 16, 12, 32,     22,     24, 23, 81, 80,     31, 15, 30, 0x1003};
  for (int i = 0; i < 28; ++i) EXPECT_EQ(LocaleTypeOfSelector(i), types[i]) << i;
  EXPECT_EQ(LocaleTypeOfSelector(28), 0);
  EXPECT_EQ(LocaleTypeOfSelector(-1), 0);
}

TEST(SystemInfo, LocaleStringsOfTheGermanLocale) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const struct {
    int selector;
    const char* expected;
  } cases[] = {{0, "1"},  {2, "3"}, {4, "0"},  {5, "2"},  {7, "0"},  {8, "8"},  {9, "1"},
               {10, "1"}, {11, ""}, {13, "€"}, {14, "."}, {15, ","}, {17, ";"}, {21, "."},
               {22, "-"}, {23, ""}, {25, "."}, {26, ":"}, {28, ""},  {-1, ""}};
  for (const auto& c : cases) EXPECT_EQ(LocaleString(c.selector, german), QString::fromUtf8(c.expected)) << c.selector;
  EXPECT_TRUE(LocaleString(24, german).startsWith(QStringLiteral("dd.MM.")));
  EXPECT_TRUE(LocaleString(27, german).startsWith(QStringLiteral("HH:mm")));
  // a locale with the symbol in front and a 12-hour clock
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(LocaleString(2, us), QStringLiteral("0"));
  EXPECT_EQ(LocaleString(4, us), QStringLiteral("6"));  // Sunday
  EXPECT_EQ(LocaleString(7, us), QStringLiteral("1"));
  EXPECT_EQ(LocaleString(10, us), QStringLiteral("0"));
  EXPECT_EQ(LocaleString(11, us), QStringLiteral("AM"));
  EXPECT_EQ(LocaleString(17, us), QStringLiteral(","));
}

TEST(SystemInfo, VersionSelectors) {
  EXPECT_GT(OsVersionValue(0), 0);  // the kernel's major version
  EXPECT_EQ(OsVersionValue(2), 2);
  EXPECT_EQ(OsVersionValue(6), 0);
  EXPECT_EQ(OsVersionValue(7), 1);
  EXPECT_EQ(OsVersionValue(8), 0);
  EXPECT_EQ(OsVersionValue(-1), 0);
}

// A widget that counts the theme changes it hears.
class ThemeListener : public QWidget {
 public:
  using QWidget::QWidget;
  int Changes = 0;

 protected:
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::ThemeChange) ++Changes;
    QWidget::changeEvent(event);
  }
};

class VisualStyles : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fStyle = QApplication::style()->name();
    ZCLApplication().SetVisualStyles(true);
  }
  void TearDown() override {
    if (auto* engine = dynamic_cast<TBuiltInThemeEngine*>(GetThemeEngine())) engine->SetActive(true);
    ZCLApplication().SetStylesOnly(false);
    ZCLApplication().SetVisualStyleSupport(true);
    ZCLApplication().SetVisualStyles(false);
    if (QApplication::style()->name() != fStyle) QApplication::setStyle(fStyle);
  }
  QString fStyle;
};

TEST_F(VisualStyles, SwitchingOffTakesTheClassicWidgetStyleAndOnBringsTheStyleBack) {
  ASSERT_TRUE(TZCLApplication::StylesActive());
  ASSERT_NE(fStyle, QStringLiteral("windows"));
  QWidget form;
  auto* listener = new ThemeListener(&form);
  new TZCLEdit(&form);
  ShowActive(form);
  ZCLApplication().SetVisualStyleSupport(false);
  EXPECT_FALSE(ZCLApplication().UseVisualStyles());
  EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
  EXPECT_EQ(listener->Changes, 1);
  ZCLApplication().SetVisualStyleSupport(false);  // equal: nothing
  EXPECT_EQ(listener->Changes, 1);
  ZCLApplication().SetVisualStyleSupport(true);
  EXPECT_TRUE(ZCLApplication().UseVisualStyles());
  EXPECT_EQ(QApplication::style()->name(), fStyle);
  EXPECT_EQ(listener->Changes, 2);
  // with the styles-only flag the widget style stays, the controls still hear of it
  ZCLApplication().SetStylesOnly(true);
  ZCLApplication().SetVisualStyleSupport(false);
  EXPECT_EQ(QApplication::style()->name(), fStyle);
  EXPECT_EQ(listener->Changes, 3);
}

TEST_F(VisualStyles, OnIsRefusedWithoutStylesAndTheThemeManagerHearsTheDesktop) {
  auto* engine = dynamic_cast<TBuiltInThemeEngine*>(GetThemeEngine());
  ASSERT_NE(engine, nullptr);
  ZCLApplication().SetVisualStyleSupport(false);
  engine->SetActive(false);
  ZCLApplication().SetVisualStyleSupport(true);
  EXPECT_FALSE(ZCLApplication().VisualStyles());
  EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
  engine->SetActive(true);
  ZCLApplication().RefreshVisualStyles();
  EXPECT_TRUE(ZCLApplication().VisualStyles());

  // the library's theme manager exists with the application and hears its theme changes
  TLMZBPThemeManager* manager = ZCLThemeManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->parent(), QCoreApplication::instance());
  const int before = manager->ThemeChanges();
  QEvent change(QEvent::ThemeChange);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  EXPECT_EQ(manager->ThemeChanges(), before + 1);
  EXPECT_TRUE(ZCLApplication().VisualStyles());  // switched off and on again
}

}  // namespace
}  // namespace zyn
