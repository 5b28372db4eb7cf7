// Status displays follow the channel values fed in; geometry, counters, summary, index control
// and the channel logger with its history file.

#include "model/base/XMLIniFile.h"
#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuLogger.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class StatusDisplayTest : public VisuUiTest {};

QColor Centre(QWidget* w) { return Render(w).pixelColor(w->width() / 2, w->height() / 2); }

TEST_F(StatusDisplayTest, LedsShowTheStateOfTheirChannel) {
  TVisuRoundLED led;
  led.Design.SetShowText(false);
  EXPECT_EQ(Centre(&led), QColor(0x80, 0x80, 0x80));  // unknown: clBtnShadow
  led.SetBinding(1, 65, 3, TKanalArt::kaAusgang, "Licht");
  led.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOn);
  EXPECT_EQ(Centre(&led), QColor(255, 0, 0));
  EXPECT_EQ(Render(&led).pixelColor(0, 15), QColor(255, 0, 0));  // the ellipse spans the control
  led.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOff);
  EXPECT_EQ(Centre(&led), QColor(0, 0x80, 0));
  // A key that differs in any one value changes nothing.
  const int32_t keys[4][4] = {{0, 65, 3, 2}, {1, 66, 3, 2}, {1, 65, 4, 2}, {1, 65, 3, 1}};
  for (const auto& k : keys) {
    led.SetStatus(k[0], k[1], k[2], TKanalArt(k[3]), TVisuState::vsOn);
    EXPECT_EQ(led.VisuData.Status(), TVisuState::vsOff);
  }
  // In the designer an unbound LED is fuchsia.
  TVisuRoundLED unbound;
  unbound.Design.SetShowText(false);
  unbound.SetDesigning(true);
  EXPECT_EQ(Centre(&unbound), QColor(255, 0, 255));
}

TEST_F(StatusDisplayTest, GeometryOfTheInnerArea) {
  TVisuRectLED led;  // 120 x 30
  led.Design.SetFrameStyle(TFrameStyle::fsSunken);
  EXPECT_EQ(led.GetInnerRect(), QRect(QPoint(1, 1), QPoint(118, 28)));  // (1, 1, 119, 29)
  EXPECT_EQ(led.GetInnerWidth(), 118);
  led.Design.SetBorderWidth(2);
  EXPECT_EQ(led.GetInnerHeight(), 24);
  TVisuSquareLED sq;
  sq.resize(60, 30);
  EXPECT_EQ(sq.GetSquareRect(), QRect(15, 0, 30, 30));
}

TEST_F(StatusDisplayTest, CountersCountMinutesAndCycles) {
  TVisuMinuteTimer timer;
  timer.SetBinding(0, 1, 2, TKanalArt::kaAusgang, "");
  timer.SetCount(125);
  EXPECT_EQ(timer.CountText(), "2:05");
  timer.SetStatus(0, 1, 2, TKanalArt::kaAusgang, TVisuState::vsOff);
  timer.Tick();
  EXPECT_EQ(timer.GetCount(), 125);
  timer.SetStatus(0, 1, 2, TKanalArt::kaAusgang, TVisuState::vsOn);
  timer.Tick();
  timer.Tick();
  EXPECT_EQ(timer.CountText(), "2:07");

  TVisuCycleCounter cycles;
  EXPECT_EQ(cycles.CountText(), "0");
  cycles.SetBinding(0, 1, 2, TKanalArt::kaEingang, "");
  cycles.SetStatus(0, 1, 2, TKanalArt::kaEingang, TVisuState::vsOn);
  cycles.SetStatus(0, 1, 2, TKanalArt::kaEingang, TVisuState::vsOn);
  cycles.SetStatus(0, 1, 3, TKanalArt::kaEingang, TVisuState::vsOn);
  EXPECT_EQ(cycles.GetCount(), 2);
}

TEST_F(StatusDisplayTest, SummaryIsOnWhenAnyChannelIsOn) {
  TSummenStatus sum;
  sum.AddChannel(0, 33, 1, TKanalArt::kaAusgang, "A");
  sum.AddChannel(0, 33, 2, TKanalArt::kaAusgang, "B");
  sum.SetStatus(0, 33, 1, TKanalArt::kaAusgang, TVisuState::vsOff);
  sum.SetStatus(0, 33, 2, TKanalArt::kaAusgang, TVisuState::vsOff);
  EXPECT_EQ(sum.VisuState(), TVisuState::vsUnknown);  // all off: never vsOff
  const QPoint state(60, 38);
  EXPECT_EQ(Render(&sum).pixelColor(state.x() - 40, state.y()), QColor(0x80, 0x80, 0x80));
  sum.SetStatus(0, 33, 2, TKanalArt::kaAusgang, TVisuState::vsOn);
  EXPECT_EQ(sum.VisuState(), TVisuState::vsOn);
  EXPECT_EQ(Render(&sum).pixelColor(state.x() - 40, state.y()), QColor(255, 0, 0));
  sum.SetStatus(3, 3, 3, TKanalArt::kaUhr, TVisuState::vsOff);  // no such item: recomputed only
  EXPECT_EQ(sum.VisuState(), TVisuState::vsOn);
}

TEST_F(StatusDisplayTest, IndexControlShowsItsIndexes) {
  TIndexControl c;
  EXPECT_EQ(c.GetIndexCount(), 2);
  EXPECT_EQ(c.GetCommand(2), -1);
  EXPECT_FALSE(c.IsKindAllowed(0, TKanalArt::kaRueckmeldung));
  EXPECT_TRUE(c.IsKindAllowed(1, TKanalArt::kaMerker));
  c.SetIndex(0, 5);
  c.SetIndex(1, 6);
  c.HandleIndex(5);
  EXPECT_EQ(Centre(&c), QColor(255, 0, 0));
  c.HandleIndex(6);
  EXPECT_EQ(Centre(&c), QColor(0, 0x80, 0));
  c.HandleIndex(9);
  EXPECT_FALSE(c.ShownOn());
  c.SetIndex(1, 5);  // both the same number: on wins
  c.HandleIndex(5);
  EXPECT_TRUE(c.ShownOn());
}

TEST_F(StatusDisplayTest, LoggerWritesLinesAndItsHistory) {
  {
    TVisuLogger off;  // Save off: nothing touches the disk
    off.LoggerData.Ident = "Kueche";
    off.LoggerData.LogTime = false;
    off.SetBinding(1, 65, 3, TKanalArt::kaAusgang, "");
    off.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOn);
    EXPECT_EQ(off.Lines(), (std::vector<std::string>{"Kanal eingeschaltet"}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("Kueche.xml")));
  }
  TVisuLogger log;
  log.LoggerData.Ident = "Kueche.Licht";  // the file loses ".Licht", the section keeps it
  log.LoggerData.LogTime = false;
  log.LoggerData.Save = true;
  log.LoggerData.OffText = "%s/%m/%k aus";
  log.SetBinding(1, 65, 3, TKanalArt::kaAusgang, "");
  log.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOff);
  log.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOff);  // the same state: no line
  log.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOn);
  log.SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsUnknown);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"", "Kanal eingeschaltet", "01/65/03 aus"}));
  EXPECT_EQ(log.HistoryFile(), folder.File("Kueche.xml"));
  {
    TXMLIniFile ini(folder.File("Kueche.xml"));
    EXPECT_EQ(ini.ReadInteger("Kueche.Licht", "Count", 0), 3);
    EXPECT_EQ(ini.ReadString("Kueche.Licht", "3", "x"), "");
  }
  // A new logger with the same name shows the history, newest on top; asking twice shows it once.
  TVisuLogger next;
  next.LoggerData.Ident = "Kueche.Licht";
  next.LoggerData.Save = true;
  int32_t s, m, k;
  TKanalArt kind;
  std::string name;
  next.GetBinding(s, m, k, kind, name);
  next.GetBinding(s, m, k, kind, name);
  EXPECT_EQ(next.Lines(), log.Lines());
}

}  // namespace
}  // namespace zyn::test
