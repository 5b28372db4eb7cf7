// The flag page in the main window: create, fill, rename, delete a flag that a link uses, and
// the saved project read back.

#include "PageFixture.h"
#include "frames/FrMerker.h"
#include "model/Merker.h"
#include "project/Global.h"
#include "project/Steuermodul.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <iterator>
#include <string>

namespace zyn::test {
namespace {

TEST_F(PageTest, FlagPageCreatesRenamesDeletesAndSavesExactlyTheEdits) {
  auto* page = ShowPage<TFrMerker>("FrMerker");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->MTV->topLevelItemCount(), 3);
  EXPECT_EQ(page->MTV->topLevelItem(2)->text(0), QStringLiteral("MRK.005-Licht"));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Merker (003/256) "));
  // The flag's notes are its "Bemerkungen ".
  auto* form = qobject_cast<QFormLayout*>(page->Details->layout());
  ASSERT_NE(form, nullptr);
  auto* notes = qobject_cast<QLabel*>(form->labelForField(page->MRemarks));
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->text(), QStringLiteral("Bemerkungen "));
  Screenshot(page, "FrMerker");

  page->BtnAdd->click();  // gets number 2
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("MRK.002-Merker 002"));
  page->EName->selectAll();
  QTest::keyClicks(page->EName, QStringLiteral("Nachtbetrieb"));
  // Rename flag 0 to the taken name "Licht": refused.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  page->MTV->topLevelItem(0)->setText(0, QStringLiteral("LICHT"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("bereits vergeben")));
  // Delete flag 5, the target of a link of input 0.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(2));
  ASSERT_EQ(page->EName->text(), QStringLiteral("Licht"));
  page->BtnDelete->click();
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Merker (003/256) "));
  page->BtnOK->click();
  EXPECT_TRUE(GProjekt->Modified);

  auto saved = SaveAndReload();
  TSteuermodul& s0 = *saved->Steuermodule.GetSteuermodul(0);
  ASSERT_EQ(s0.Merker.Count(), 3);
  EXPECT_EQ(s0.Merker.FindByAddress(0)->DisplayName(), "Merker 0");
  EXPECT_EQ(s0.Merker.FindByAddress(2)->DisplayName(), "Nachtbetrieb");
  EXPECT_EQ(s0.Merker.FindByAddress(5), nullptr);
  EXPECT_FALSE(s0.Merker.Adressen.IsUsed(5));
  // The link to the deleted flag went with it; the other link stays.
  TModul* in = s0.Module.FindModul("INP", 1);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->Eingaenge().GetItem(0)->Verbindungen().Count(), 0);
  EXPECT_EQ(in->Eingaenge().GetItem(1)->Verbindungen().Count(), 1);
  // The other control module is untouched.
  EXPECT_EQ(saved->Steuermodule.GetSteuermodul(1)->Merker.Count(), 1);
}

TEST_F(PageTest, FlagFillButtonTakesEveryFreeNumberInOrder) {
  auto* page = ShowPage<TFrMerker>("FrMerker");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->FillAll(), 253);
  // New nodes follow the existing ones, in ascending numbers.
  EXPECT_EQ(page->MTV->topLevelItem(2)->text(0), QStringLiteral("MRK.005-Licht"));
  EXPECT_EQ(page->MTV->topLevelItem(3)->text(0), QStringLiteral("MRK.002-Merker 002"));
  EXPECT_EQ(page->MTV->topLevelItem(6)->text(0), QStringLiteral("MRK.006-Merker 006"));
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  EXPECT_FALSE(page->ToolButton4->isEnabled());
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Merker (256/256) "));
  EXPECT_EQ(page->FillAll(), 0);
  // Leaving the page asks; Yes stores all 256 flags.
  answers = {6};
  form->FM->SetCurrentFrame(QString());
  EXPECT_EQ(GProjekt->Steuermodule.GetSteuermodul(0)->Merker.Count(), 256);
  EXPECT_EQ(shown.size(), 1u);
}

std::string FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(PageTest, FlagPageCancelInTheQuestionKeepsPageAndProjectOnPageChangeSaveAndClose) {
  auto* page = ShowPage<TFrMerker>("FrMerker");
  ASSERT_NE(page, nullptr);
  const std::string file = GProjekt->FileName;
  const std::string before = FileBytes(file);
  ASSERT_FALSE(before.empty());
  page->BtnAdd->click();
  TZYNProjekt* projekt = GProjekt.get();
  auto keptEverything = [&] {
    EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrMerker"));
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(GProjekt.get(), projekt);
    EXPECT_EQ(GProjekt->Steuermodule.GetSteuermodul(0)->Merker.Count(), 3);
    EXPECT_EQ(FileBytes(file), before);
  };
  answers = {2};
  form->FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
  keptEverything();
  answers = {2};
  form->SaveCommand();
  keptEverything();
  answers = {2};
  EXPECT_EQ(form->CloseProject(), 2);
  keptEverything();
  answers = {2};
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  keptEverything();
  EXPECT_TRUE(answers.empty());  // each of the four asked the question
}

}  // namespace
}  // namespace zyn::test
