// The display-text page and the three clock pages.

#include "PageFixture.h"
#include "frames/FrTexte.h"
#include "frames/FrUhren.h"
#include "model/Anzeigetext.h"
#include "model/Uhr.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "widgets/common/Mkedit.h"
#include "widgets/common/STMDisplay.h"
#include "widgets/common/TimeEdit.h"
#include "widgets/common/WeekdayBox.h"
#include "widgets/common/ZYNDayMask.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

TEST(DisplayLine, PreviewAlignsInSixteenCharacters) {
  EXPECT_EQ(DisplayLinePreview("Aus", 0), "Aus");
  EXPECT_EQ(DisplayLinePreview("Aus", 1), std::string(13, ' ') + "Aus");
  EXPECT_EQ(DisplayLinePreview("Aus", 2), std::string(6, ' ') + "Aus");
  EXPECT_EQ(DisplayLinePreview("0123456789ABCDEFGH", 1), "0123456789ABCDEF");
}

TEST_F(PageTest, TextPageEditsLinesAndAlignmentAndSavesThem) {
  auto* page = ShowPage<TFrTexte>("FrTexte");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->MTV->topLevelItemCount(), 2);
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("TXT.000-Begruessung"));
  EXPECT_EQ(page->EZ1->text(), QStringLiteral("Guten Morgen"));
  EXPECT_EQ(page->CBZ1->currentIndex(), 2);
  EXPECT_EQ(page->SD->Zeile1(), QStringLiteral("  Guten Morgen"));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Texte (002/128) "));
  Screenshot(page, "FrTexte");
  page->EZ2->setFocus();
  page->EZ2->selectAll();
  QTest::keyClicks(page->EZ2, QStringLiteral("Aus"));
  page->CBZ2->setCurrentIndex(1);
  EXPECT_EQ(page->SD->Zeile2(), QString(13, ' ') + QStringLiteral("Aus"));
  EXPECT_TRUE(page->Modified());
  page->BtnAdd->click();
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("TXT.001-Text 001"));
  page->MTV->currentItem()->setText(0, QStringLiteral("Begruessung"));
  EXPECT_EQ(shown.size(), 1u);
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  page->BtnDelete->click();  // "Alarm", number 5
  page->BtnOK->click();
  auto saved = SaveAndReload();
  TSteuermodul& s0 = *saved->Steuermodule.GetSteuermodul(0);
  ASSERT_EQ(s0.Texte.Count(), 2);
  EXPECT_EQ(s0.Texte.FindByAddress(0)->Zeile2.Text, "Aus");
  EXPECT_EQ(s0.Texte.FindByAddress(0)->Zeile2.Center, 1);
  EXPECT_EQ(s0.Texte.FindByAddress(0)->Zeile1.Text, "Guten Morgen");
  EXPECT_EQ(s0.Texte.FindByAddress(1)->DisplayName(), "Text 001");
  EXPECT_EQ(s0.Texte.FindByAddress(5), nullptr);
}

// Leaving the daily-clock page after applying empties its fields; the time field the cursor was
// in is then no input to check: no message over the emptied page.
TEST_F(PageTest, LeavingTheDailyClockPageChecksNoEmptiedTime) {
  auto* daily = ShowPage<TFrTagesUhren>("FrTagesUhren");
  ASSERT_NE(daily, nullptr);
  daily->ETEin->SetText(QStringLiteral("07:15"));
  daily->BtnOK->click();
  form->FM->SetCurrentFrame(QStringLiteral("FrMerker"));
  ASSERT_FALSE(IsValidTimeText(daily->ETEin->Text()));  // emptied
  daily->ETEin->ValidateEdit();                          // what the focus leaving it does
  EXPECT_TRUE(shown.empty()) << shown.front().toStdString();
  // While a clock is shown, an incomplete time is still reported.
  daily = ShowPage<TFrTagesUhren>("FrTagesUhren");
  daily->ETEin->SetText(QStringLiteral("1"));
  daily->ETEin->ValidateEdit();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].endsWith(QString::fromUtf8("ist keine gültige Uhrzeit!")));
}

TEST_F(PageTest, ClockPagesShowTheirKindAndShareTheNumbers) {
  auto* daily = ShowPage<TFrTagesUhren>("FrTagesUhren");
  ASSERT_NE(daily, nullptr);
  ASSERT_EQ(daily->MTV->topLevelItemCount(), 1);
  EXPECT_EQ(daily->MTV->topLevelItem(0)->text(0), QStringLiteral("UHR.000-Uhr 0"));
  EXPECT_EQ(daily->GList->title(), QStringLiteral(" Uhren (003/126) "));
  EXPECT_EQ(daily->ETEin->Text(), QStringLiteral("06:30"));
  EXPECT_EQ(daily->ETTage->Value(), 31);
  Screenshot(daily, "FrTagesUhren");
  // The weekend preset is stored at once, for on and off.
  daily->ApplyPreset(0, 96);
  EXPECT_EQ(daily->ETTage->Value(), 96);
  EXPECT_TRUE(daily->Modified());
  daily->ETAus->SetText(QStringLiteral("23:45"));
  // An invalid time is reported and reset.
  daily->ETEin->SetText(QStringLiteral("29:99"));
  daily->ETEin->ValidateEdit();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("29:99 ist keine gültige Uhrzeit!"));
  EXPECT_EQ(daily->ETEin->Text(), QStringLiteral("00:00"));
  // The initialisation clock: one per control module.
  daily->CBInit->click();
  daily->BtnAdd->click();  // number 3, the first free one of all kinds
  EXPECT_EQ(daily->MTV->currentItem()->text(0), QStringLiteral("UHR.003-Tagesuhr 003"));
  // The name of clock 0 is taken: refused, the new clock keeps its name.
  daily->MTV->currentItem()->setText(0, QStringLiteral("uhr 0"));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].contains(QStringLiteral("bereits vergeben")));
  EXPECT_EQ(daily->MTV->currentItem()->text(0), QStringLiteral("UHR.003-Tagesuhr 003"));
  EXPECT_FALSE(daily->CBInit->isEnabled());
  daily->MTV->setCurrentItem(daily->MTV->topLevelItem(0));
  EXPECT_TRUE(daily->CBInit->isEnabled());
  EXPECT_FALSE(daily->GBTime->isEnabled());
  answers = {IDYES};
  auto* weekly = ShowPage<TFrWochenUhren>("FrWochenUhren");
  ASSERT_NE(weekly, nullptr);
  ASSERT_EQ(weekly->MTV->topLevelItemCount(), 1);
  EXPECT_EQ(weekly->GList->title(), QStringLiteral(" Uhren (004/126) "));
  Screenshot(weekly, "FrWochenUhren");
  weekly->BtnAdd->click();
  EXPECT_EQ(weekly->MTV->currentItem()->text(0), QStringLiteral("UHR.004- Wochenuhr 004 "));
  weekly->EWEin->SetDayMask(4);
  weekly->EWEin->SetTime(QStringLiteral("08:10"));  // the edit reports the change
  weekly->MTV->setCurrentItem(weekly->MTV->topLevelItem(0));
  weekly->BtnDelete->click();
  answers = {IDYES};
  auto* blind = ShowPage<TFrJRMUhren>("FrJRMUhren");
  ASSERT_NE(blind, nullptr);
  Screenshot(blind, "FrJRMUhren");
  blind->ApplyPreset(1, 31);
  EXPECT_EQ(blind->EJAus->DayMask(), 31);
  answers = {IDYES};
  form->FM->SetCurrentFrame(QString());

  auto saved = SaveAndReload();
  TUhrenListe& clocks = saved->Steuermodule.GetSteuermodul(0)->Uhren;
  ASSERT_EQ(clocks.Count(), 4);
  TUhr* first = clocks.FindByAddress(0);
  EXPECT_EQ(first->EinTage, 128);
  EXPECT_EQ(first->AusTage, 0);
  EXPECT_EQ(first->AusZeit(), "23:45");
  EXPECT_EQ(clocks.FindByAddress(1), nullptr);  // the deleted weekly clock
  EXPECT_EQ(clocks.FindByAddress(3)->UhrenTyp, TUhrenTyp::utTag);
  TUhr* week = clocks.FindByAddress(4);
  EXPECT_EQ(week->UhrenTyp, TUhrenTyp::utWoche);
  EXPECT_EQ(week->EinTage, 4);
  EXPECT_EQ(week->EinZeit(), "08:10");
  EXPECT_EQ(clocks.FindByAddress(2)->AusTage, 31);
}

}  // namespace
}  // namespace zyn::test
