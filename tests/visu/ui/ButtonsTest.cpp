// Telegram buttons, navigation controls and run-time buttons at run time and in the designer.

#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/VisuTelegram.h"
#include "visu/ui/VisuButtons.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

struct TSent {
  TTeleType type;
  int32_t s, m, value, parameter;
};

class ButtonsTest : public VisuUiTest {
 protected:
  TTelegramEvent Record() {
    return [this](QObject*, TTeleType type, int32_t s, int32_t m, int32_t value, int32_t parameter) {
      sent.push_back({type, s, m, value, parameter});
    };
  }
  std::vector<TSent> sent;
};

TEST_F(ButtonsTest, TelegramBytesByKind) {
  EXPECT_EQ(VisuTelegramBytes(TTeleType::vtAusTele, 69, 97, 5), (std::vector<uint8_t>{6, 0, 69, 1, 97}));
  EXPECT_EQ(VisuTelegramBytes(TTeleType::vtEinEmuPara, 300, 1, 0x0102), (std::vector<uint8_t>{6, 0, 44, 3, 1, 2, 1}));
  EXPECT_TRUE(VisuTelegramBytes(TTeleType::vtNone, 1, 1, 1).empty());
  EXPECT_TRUE(VisuTelegramBytes(TTeleType(9), 1, 1, 1).empty());
}

TEST_F(ButtonsTest, LedButtonSendsOnEveryReleaseAtRunTimeOnly) {
  TVisuLEDTeleButton b;
  b.SetTelegram(TTeleType::vtAusTele, 1, 69, 3, 1, 5, 7);
  QTest::mouseClick(&b, Qt::LeftButton);  // no handler: nothing, no error
  b.SetTelegramHandler(Record());
  QTest::mousePress(&b, Qt::LeftButton);
  EXPECT_TRUE(b.Pressed());
  QTest::mouseRelease(&b, Qt::LeftButton);
  EXPECT_FALSE(b.Pressed());
  QTest::mouseClick(&b, Qt::RightButton);  // the right button sends too
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].value, 97);
  EXPECT_EQ(sent[0].parameter, 7);
  EXPECT_EQ(sent[1].m, 69);
  b.SetDesigning(true);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(sent.size(), 2u);
}

TEST_F(ButtonsTest, PushTeleButtonFillsInTheShiftAndIgnoresTheRightButton) {
  struct TCase {
    TTeleType type;
    int32_t shiftAfter, value;
  } cases[] = {{TTeleType::vtAusTele, 5, 3 << 5}, {TTeleType::vtEinEmu, 4, 3 << 4}, {TTeleType::vtAusParaTele, 0, 3}};
  for (const TCase& c : cases) {
    sent.clear();
    TTeleButton b;
    b.SetTelegram(c.type, 0, 33, 3, 0, 0, 0);
    b.SetTelegramHandler(Record());
    QTest::mouseClick(&b, Qt::RightButton);
    EXPECT_TRUE(sent.empty());
    QTest::mouseClick(&b, Qt::LeftButton);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].value, c.value);
    EXPECT_EQ(b.Telegram.Shift, c.shiftAfter);
  }
}

TEST_F(ButtonsTest, TeleButtonMovesUnlessDontMove) {
  TTeleButton b;
  b.SetPosition(20, 30);
  EXPECT_EQ(b.pos(), QPoint(20, 30));
  b.DontMove = true;
  b.SetPosition(50, 60);
  EXPECT_EQ(b.pos(), QPoint(20, 30));
}

TEST_F(ButtonsTest, NavigationButtonNavigatesAndFollowsItsTarget) {
  std::vector<std::string> targets;
  TNavigationButton b;
  b.SetEvent([&](QObject*, const std::string& t) { targets.push_back(t); });
  b.SetTarget("Seite2");
  EXPECT_EQ(b.Hint(), "Seite2");
  QTest::mouseClick(&b, Qt::RightButton);  // any button navigates
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(targets, (std::vector<std::string>{"Seite2", "Seite2"}));
  b.SetTarget("");
  EXPECT_EQ(b.Hint(), "");
  EXPECT_TRUE(b.toolTip().isEmpty());

  // Read with a target of blanks: disabled at run time, enabled in the designer.
  TComponentRecord rec = b.MakeRecord();
  rec.SetProperty("Ziel", TFilerValue::String("   "));
  TNavigationButton runTime;
  runTime.ReadRecord(rec);
  EXPECT_FALSE(runTime.isEnabled());
  runTime.SetDesigning(true);
  EXPECT_TRUE(runTime.isEnabled());
  runTime.SetDesigning(false);
  EXPECT_FALSE(runTime.isEnabled());
}

TEST_F(ButtonsTest, SegmentShowsItsPatternOnlyUnderTheMouse) {
  TSegmentControl s;
  s.SetPattern(bsSolid);
  s.SetPatternColor(TVisuColors::clRed);
  s.SetPatternOnMouse(true);
  s.resize(40, 30);
  const QImage away = Render(&s);
  EXPECT_EQ(away.pixelColor(20, 15), QColor(0xD4, 0xD0, 0xC8));  // nothing drawn
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&s, &enter);
  EXPECT_TRUE(s.Hot());
  const QImage over = Render(&s);
  EXPECT_EQ(over.pixelColor(20, 15), QColor(255, 0, 0));
  EXPECT_EQ(over.pixelColor(1, 1), QColor(255, 0, 0));
}

TEST_F(ButtonsTest, VNButtonEnablingFollowsDesignMode) {
  TVNButton b;
  b.SetNavEnabled(false);
  EXPECT_FALSE(b.isEnabled());
  b.SetDesigning(true);
  EXPECT_TRUE(b.isEnabled());
  b.SetNavEnabled(false);
  EXPECT_TRUE(b.isEnabled());
  b.SetTarget("Menue");
  EXPECT_EQ(b.GetTarget(), "Menue");
  EXPECT_EQ(b.Hint(), "Menue");
}

TEST_F(ButtonsTest, ConnectButtonCallsTheHandlerOfItsKind) {
  int connectAll = 0, disconnectAll = 0;
  TVisuSTMConnectButton b;
  QTest::mouseClick(&b, Qt::LeftButton);  // no handlers: nothing
  b.SetSTMConnectEvents([&](QObject*) { ++connectAll; }, [&](QObject*) { ++disconnectAll; }, {}, {});
  b.ConnectType = TConnectType::ctDisconnect;
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(connectAll, 0);
  EXPECT_EQ(disconnectAll, 1);
  b.ConnectType = TConnectType::ctConnect;
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(connectAll, 1);
  b.SetDesigning(true);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(connectAll, 1);
}

class ExitWindow : public QWidget, public IApplicationExit {
 public:
  void ExitApplication() override { ++exits; }
  int exits = 0;
};

TEST_F(ButtonsTest, ExitButtonEndsThroughTheMainWindowWhenItCan) {
  QWidget plain;
  auto* lost = new TExitButton(&plain);
  QTest::mouseClick(lost, Qt::LeftButton);  // no IApplicationExit: nothing happens

  ExitWindow window;
  auto* b = new TExitButton(&window);
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(window.exits, 1);
}

}  // namespace
}  // namespace zyn::test
