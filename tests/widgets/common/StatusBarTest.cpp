#include "tests/support/AppFixture.h"
#include "widgets/common/ZSKb.h"
#include "widgets/common/ZsStatusBar.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    bar = std::make_unique<TzsStatusBar>();
    bar->resize(600, 20);
    bar->Clock = [this] { return now; };
  }
  QImage PanelPicture(int index) {
    const QImage all = bar->grab().toImage();
    TRect r = bar->PanelRect(index);
    InflateRect(r, -1, -1);
    return all.copy(ToQRect(r));
  }
  QDateTime now{QDate(2024, 3, 9), QTime(23, 59, 30)};
  std::unique_ptr<TzsStatusBar> bar;
};

TEST_F(StatusBarTest, TimerIntervalFollowsThePanels) {
  TzsStatusPanel* date = bar->AddPanel();
  date->SetPanelType(sptDate);
  EXPECT_EQ(bar->TimerInterval(), 60000);
  TzsStatusPanel* time = bar->AddPanel();
  time->SetPanelType(sptTime);
  EXPECT_EQ(bar->TimerInterval(), 1000);
  TzsStatusPanel* gauge = bar->AddPanel();
  gauge->GaugeAttrs().SetStyle(gsIndeterminate2);
  gauge->SetPanelType(sptGauge);
  EXPECT_FALSE(gauge->Enabled());  // an animated gauge starts disabled
  EXPECT_EQ(bar->TimerInterval(), 1000);
  gauge->SetEnabled(true);
  EXPECT_EQ(bar->TimerInterval(), 50);
  gauge->SetEnabled(false);
  EXPECT_EQ(bar->TimerInterval(), 1000);
  bar->DeletePanel(1);
  EXPECT_EQ(bar->TimerInterval(), 60000);
  date->SetEnabled(false);
  EXPECT_EQ(bar->TimerInterval(), 0);
}

TEST_F(StatusBarTest, ClockPanelsWithInjectedClock) {
  TzsStatusPanel* date = bar->AddPanel();
  date->SetDateFormat("dd.mm.yyyy");
  date->SetPanelType(sptDate);
  TzsStatusPanel* time = bar->AddPanel();
  time->SetTimeFormat("hh:nn:ss");
  time->SetPanelType(sptTime);
  TzsStatusPanel* both = bar->AddPanel();
  both->SetDateFormat("dd.mm.yyyy");
  both->SetTimeFormat("hh:nn");
  both->SetPanelType(sptTimeDate);
  EXPECT_EQ(date->Text(), "09.03.2024");
  EXPECT_EQ(time->Text(), "23:59:30");
  EXPECT_EQ(both->Text(), "23:59 09.03.2024");
  now = now.addSecs(20);
  bar->TimerTick();
  EXPECT_EQ(time->Text(), "23:59:50");
  EXPECT_EQ(date->Text(), "09.03.2024");
  // the date panel follows at the first tick after midnight, not before
  date->SetText("stale");
  now = now.addSecs(5);
  bar->TimerTick();
  EXPECT_EQ(date->Text(), "stale");
  now = QDateTime(QDate(2024, 3, 10), QTime(0, 0, 2));
  bar->TimerTick();
  EXPECT_EQ(date->Text(), "10.03.2024");
  EXPECT_EQ(both->Text(), "00:00 10.03.2024");
}

TEST_F(StatusBarTest, GaugePercentTextAndColours) {
  bar->show();
  TzsStatusPanel* gauge = bar->AddPanel();
  gauge->SetWidth(200);
  gauge->SetPanelType(sptGauge);
  bar->AddPanel();
  EXPECT_EQ(gauge->Alignment(), TTextAlignment::taCenter);
  gauge->GaugeAttrs().SetColor(clBlue);
  gauge->GaugeAttrs().SetPosition(37);
  const QImage img = PanelPicture(0);
  const int filled = MulDiv(img.width(), 37, 100);
  EXPECT_EQ(FromQColor(img.pixelColor(2, 1)), RGB(0, 0, 255));
  EXPECT_EQ(FromQColor(img.pixelColor(filled + 2, 1)), ColorToRGB(clBtnFace));
  EXPECT_EQ(FromQColor(img.pixelColor(img.width() - 2, 1)), ColorToRGB(clBtnFace));
  // "37%" is drawn centred: some pixels of the text lie in the unfilled part
  bool textRight = false;
  for (int x = filled + 1; x < img.width(); ++x)
    for (int y = 0; y < img.height(); ++y)
      if (FromQColor(img.pixelColor(x, y)) != ColorToRGB(clBtnFace)) textRight = true;
  EXPECT_TRUE(textRight);
}

TEST_F(StatusBarTest, DisabledPanelIsEmpty) {
  bar->show();
  TzsStatusPanel* p = bar->AddPanel();
  p->SetWidth(150);
  p->SetText("Hallo Welt");
  bar->AddPanel();
  p->SetEnabled(false);
  const QImage img = PanelPicture(0);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ASSERT_EQ(FromQColor(img.pixelColor(x, y)), ColorToRGB(clBtnFace));
  p->SetEnabled(true);
  const QImage shown = PanelPicture(0);
  EXPECT_NE(shown, img);
}

TEST_F(StatusBarTest, AnimatedGaugeStartsAtZeroMovingRight) {
  bar->show();
  TzsStatusPanel* gauge = bar->AddPanel();
  gauge->SetWidth(150);
  gauge->GaugeAttrs().SetStyle(gsIndeterminate);
  gauge->SetPanelType(sptGauge);
  bar->AddPanel();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
  gauge->SetEnabled(true);
  const int start = gauge->GaugePosition();
  EXPECT_GT(gauge->GaugeStep(), 0);
  bar->TimerTick();
  EXPECT_GT(gauge->GaugePosition(), start);
  // it turns at the right end and comes back
  for (int i = 0; i < 100; ++i) bar->TimerTick();
  bool turned = gauge->GaugeStep() < 0;
  for (int i = 0; i < 100 && !turned; ++i) {
    bar->TimerTick();
    turned = gauge->GaugeStep() < 0;
  }
  EXPECT_TRUE(turned);
  gauge->SetEnabled(false);
  EXPECT_EQ(gauge->GaugePosition(), 0);
  EXPECT_EQ(gauge->GaugeStep(), gauge->GaugeAttrs().Speed());
  gauge->GaugeAttrs().SetSpeed(0);  // refused: it would stop the animation for good
  EXPECT_EQ(gauge->GaugeAttrs().Speed(), 4);
}

TEST_F(StatusBarTest, AutoFitOfKeyPanelAndWidthWhileAutoFit) {
  TzsStatusPanel* caps = bar->AddPanel();
  caps->SetPanelType(sptCapsLock);
  EXPECT_EQ(caps->Text(), " CAPS ");
  EXPECT_TRUE(caps->AutoFit());
  const int expected = QFontMetrics(bar->font()).horizontalAdvance(" CAPS ") + 6;
  EXPECT_EQ(caps->Width(), expected);
  caps->SetBorderWidth(2);
  EXPECT_EQ(caps->Width(), expected + 2);
  caps->SetWidth(300);
  EXPECT_EQ(caps->Width(), expected + 2);
  TzsStatusPanel* num = bar->AddPanel();
  num->SetPanelType(sptNumLock);
  EXPECT_EQ(num->Text(), " NUM ");
  TzsStatusPanel* scroll = bar->AddPanel();
  scroll->SetPanelType(sptScrollLock);
  EXPECT_EQ(scroll->Text(), " SCROLL ");
}

TEST_F(StatusBarTest, HintsOfEllipsisPanels) {
  TzsStatusPanel* ellipsis = bar->AddPanel();
  ellipsis->SetPanelType(sptEllipsisPath);
  ellipsis->SetText("/home/installateur/Projekte/Haus.zpf");
  EXPECT_EQ(ellipsis->Hint(), "...");
  EXPECT_EQ(ellipsis->ShownHint(), "/home/installateur/Projekte/Haus.zpf");
  TzsStatusPanel* normal = bar->AddPanel();
  normal->SetHint("...");
  EXPECT_EQ(normal->ShownHint(), "...");
  normal->OnHintText = [](TzsStatusBar*, TzsStatusPanel*, QString& hint) { hint = "geändert"; };
  bar->show();
  const TRect r = bar->PanelRect(1);
  QHelpEvent help(QEvent::ToolTip, QPoint(r.Left + 5, 8), bar->mapToGlobal(QPoint(r.Left + 5, 8)));
  QApplication::sendEvent(bar.get(), &help);
  EXPECT_EQ(QToolTip::text(), "geändert");
}

TEST_F(StatusBarTest, OwnerDrawPanel) {
  bar->show();
  TzsStatusPanel* od = bar->AddPanel();
  od->SetWidth(100);
  od->SetText("unsichtbar");
  od->SetPanelType(sptOwnerDraw);
  bar->AddPanel();
  const QImage img = PanelPicture(0);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ASSERT_EQ(FromQColor(img.pixelColor(x, y)), ColorToRGB(clBtnFace));
  int calls = 0;
  od->OnDrawPanel = [&](TzsStatusBar*, TzsStatusPanel* p, const TRect& rect) {
    EXPECT_EQ(p, od);
    EXPECT_EQ(rect, bar->PanelRect(0));
    ++calls;
  };
  bar->grab();
  EXPECT_GE(calls, 1);
}

TEST_F(StatusBarTest, WithoutTheMonitorLibraryTheBarKeepsItsOwnWatch) {
  ZSKbSetLibraryName("ZSKbMon_not_installed");
  TzsStatusPanel* caps = bar->AddPanel();
  caps->SetPanelType(sptCapsLock);
  bar->SetUseMonitorDLL(true);
  EXPECT_FALSE(bar->UseMonitorDLL());
  EXPECT_FALSE(ZSKbLoaded());
  EXPECT_EQ(ZSKbRegisterWindow(1), 0);
  EXPECT_FALSE(bar->MonitorMessage(0, VK_CAPITAL, 1));
  // the key state is read without failing
  (void)caps->LockKeyState();
}

TEST_F(StatusBarTest, PanelsOutOfRangeAndClicks) {
  EXPECT_THROW(bar->Panel(0), std::out_of_range);
  TzsStatusPanel* a = bar->AddPanel();
  a->SetWidth(100);
  bar->AddPanel();
  std::vector<std::string> log;
  a->OnClick = [&](QObject*) { log.push_back("panel"); };
  bar->OnClick = [&](QObject*) { log.push_back("bar"); };
  bar->show();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(50, 10), QPointF(50, 10), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(bar.get(), &release);
  EXPECT_EQ(log, (std::vector<std::string>{"panel", "bar"}));
  EXPECT_EQ(bar->PanelRect(0), Rect(0, 2, 100, 20));
  EXPECT_EQ(bar->PanelRect(1), Rect(102, 2, 600, 20));
}

}  // namespace
}  // namespace zyn
