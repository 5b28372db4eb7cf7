// The page pattern through a small page over the display texts: names, the Modified state, the
// apply question and its Cancel, the address pool and the main window's commands.

#include "PageFixture.h"
#include "frames/ListPage.h"
#include "model/Anzeigetext.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "widgets/bars/BarItem.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

const TObjectPageTexts kTexts{"TXT",
                              "Text %3.3d",
                              128,
                              "Texte (%3.3d/%3.3d)",
                              "Die Anzeigetexte wurden geändert.",
                              "Soll der Anzeigetext \"%s\" wirklich gelöscht werden",
                              true,
                              true};

class TSmallPage : public TListPage<TTextListe, TAnzeigetext> {
 public:
  TSmallPage() : TListPage("FrSmall", kTexts, &TSteuermodul::Texte, [] { return GTextObserver.get(); }) {}
};

class ObjectPatternTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    page = std::make_unique<TSmallPage>();
    page->resize(800, 500);
    page->show();
    page->FrameActivate();
  }
  void TearDown() override {
    page.reset();
    PageTest::TearDown();
  }
  TSteuermodul& Stm0() { return *GProjekt->Steuermodule.GetSteuermodul(0); }
  void TypeName(const QString& text) {
    page->EName->setFocus();
    page->EName->selectAll();
    QTest::keyClicks(page->EName, text);
  }
  std::unique_ptr<TSmallPage> page;
};

TEST_F(ObjectPatternTest, LoadsTheFirstControlModuleWithCounterAndFirstObjectShown) {
  ASSERT_EQ(page->TC->count(), 2);
  EXPECT_EQ(page->TC->tabText(0), QStringLiteral("Steuermodul 0"));
  ASSERT_EQ(page->MTV->topLevelItemCount(), 2);
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("TXT.000-Begruessung"));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Texte (002/128) "));
  EXPECT_EQ(page->EName->text(), QStringLiteral("Begruessung"));
  EXPECT_EQ(page->CAdresse->currentText(), QStringLiteral("TXT.000"));
  EXPECT_FALSE(page->Modified());
  EXPECT_FALSE(page->BtnOK->isEnabled());
  EXPECT_EQ(page->AskApplyChanges(), 6);
  EXPECT_TRUE(shown.empty());
}

TEST_F(ObjectPatternTest, ADuplicateNameIsRefusedWithTheMessageAndTheOldNameStays) {
  TypeName(QStringLiteral("alarm "));  // the other text's name, other case, a blank after it
  QTest::keyClick(page->EName, Qt::Key_Return);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Der Name \"alarm\" ist bereits vergeben. Bitte wählen Sie einen anderen "
                                        "Namen."));
  EXPECT_EQ(page->EName->text(), QStringLiteral("Begruessung"));
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("TXT.000-Begruessung"));
  EXPECT_FALSE(page->Modified());
  // In place in the tree likewise.
  QTreeWidgetItem* node = page->MTV->topLevelItem(0);
  node->setText(0, QStringLiteral("Alarm"));
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(node->text(0), QStringLiteral("TXT.000-Begruessung"));
  // A free name is taken, and the formatted node text is shown.
  node->setText(0, QStringLiteral("Morgengruss"));
  EXPECT_EQ(node->text(0), QStringLiteral("TXT.000-Morgengruss"));
  EXPECT_EQ(page->EName->text(), QStringLiteral("Morgengruss"));
  EXPECT_TRUE(page->Modified());
}

TEST_F(ObjectPatternTest, ModifiedFollowsEditApplyUndoAndCancel) {
  TypeName(QStringLiteral("Hallo"));
  EXPECT_TRUE(page->Modified());
  EXPECT_TRUE(page->BtnOK->isEnabled());
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("TXT.000-Hallo"));
  EXPECT_EQ(Stm0().Texte.FindByAddress(0)->DisplayName(), "Begruessung");  // not yet in the project
  // Undo in the edit brings the old name back: nothing is pending any more.
  QTest::keyClick(page->EName, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(page->EName->text(), QStringLiteral("Begruessung"));
  EXPECT_FALSE(page->Modified());
  EXPECT_FALSE(page->BtnCancel->isEnabled());
  // Edit and apply.
  TypeName(QStringLiteral("Hallo"));
  GProjekt->Modified = false;
  page->BtnOK->click();
  EXPECT_FALSE(page->Modified());
  EXPECT_TRUE(GProjekt->Modified);
  EXPECT_EQ(Stm0().Texte.FindByAddress(0)->DisplayName(), "Hallo");
  // Edit and discard with No in the question.
  page->MRemarks->setPlainText(QStringLiteral("Notiz"));
  EXPECT_TRUE(page->Modified());
  answers = {7};
  page->BtnCancel->click();
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(Stm0().Texte.FindByAddress(0)->Bemerkungen, "");
  EXPECT_EQ(page->MRemarks->toPlainText(), QString());
  // Nothing pending: applying later brings nothing discarded back.
  page->BtnOK->click();
  EXPECT_EQ(Stm0().Texte.FindByAddress(0)->Bemerkungen, "");
}

TEST_F(ObjectPatternTest, CancelInTheApplyQuestionKeepsTabPageAndEdits) {
  TypeName(QStringLiteral("Hallo"));
  answers = {2};
  page->TC->setCurrentIndex(1);
  EXPECT_EQ(page->TC->currentIndex(), 0);
  EXPECT_EQ(page->EName->text(), QStringLiteral("Hallo"));
  EXPECT_TRUE(page->Modified());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Die Anzeigetexte wurden geändert.\rSollen die Änderungen übernommen werden?"));
  // The discard button asks too; Cancel keeps the edits.
  answers = {2};
  page->BtnCancel->click();
  EXPECT_EQ(page->EName->text(), QStringLiteral("Hallo"));
  EXPECT_TRUE(page->Modified());
  // Yes stores into the control module of the tab being left.
  answers = {6};
  page->TC->setCurrentIndex(1);
  EXPECT_EQ(page->TC->currentIndex(), 1);
  EXPECT_EQ(Stm0().Texte.FindByAddress(0)->DisplayName(), "Hallo");
  EXPECT_EQ(page->MTV->topLevelItemCount(), 0);
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Texte (000/128) "));
}

TEST_F(ObjectPatternTest, TheAddressPoolLimitsAddingAndAFreedNumberComesBack) {
  page->TC->setCurrentIndex(1);
  for (int i = 0; i < 128; ++i) page->BtnAdd->click();
  EXPECT_EQ(page->MTV->topLevelItemCount(), 128);
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  QTest::keyClick(page->MTV, Qt::Key_Insert);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 128);
  page->MTV->setCurrentItem(page->MTV->topLevelItem(7));
  page->BtnDelete->click();
  EXPECT_TRUE(page->BtnAdd->isEnabled());
  page->BtnAdd->click();
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("TXT.007-Text 007"));
  EXPECT_EQ(page->CAdresse->currentText(), QStringLiteral("TXT.007"));
}

TEST_F(ObjectPatternTest, ReAddressingOffersTheFreeNumbersAndRenamesTheNode) {
  EXPECT_EQ(page->CAdresse->count(), 127);  // 126 free numbers and its own
  EXPECT_EQ(page->CAdresse->findText(QStringLiteral("TXT.005")), -1);
  page->CAdresse->setCurrentText(QStringLiteral("TXT.009"));
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("TXT.009-Begruessung"));
  EXPECT_TRUE(page->Modified());
  page->BtnOK->click();
  EXPECT_NE(Stm0().Texte.FindByAddress(9), nullptr);
  EXPECT_EQ(Stm0().Texte.FindByAddress(0), nullptr);
}

TEST_F(ObjectPatternTest, DraggingMovesTheObjectInFrontOfTheTargetInTreeAndList) {
  page->TC->setCurrentIndex(1);
  for (int i = 0; i < 3; ++i) page->BtnAdd->click();
  QTreeWidgetItem* first = page->MTV->topLevelItem(0);
  QTreeWidgetItem* third = page->MTV->topLevelItem(2);
  page->MTV->setCurrentItem(first);
  ASSERT_TRUE(page->MTV->OnMoveNode(first, third));
  EXPECT_EQ(page->MTV->topLevelItem(1), first);
  EXPECT_EQ(page->WorkList().GetItem(1)->DisplayName(), "Text 000");
  EXPECT_EQ(page->WorkList().GetItem(0)->DisplayName(), "Text 001");
}

TEST_F(ObjectPatternTest, WithoutAProjectThePageIsEmpty) {
  form->FM->SetCurrentFrame(QString());
  form->CloseProject();
  page->FrameActivate();
  EXPECT_EQ(page->TC->count(), 0);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 0);
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  EXPECT_FALSE(page->Details->isEnabled());
}

TEST_F(PageTest, TheMainWindowEnablesARegisteredPagesCommandsOnlyWithAProject) {
  TzbBarItem* flags = form->Item("Merker1");
  ASSERT_NE(flags, nullptr);
  EXPECT_TRUE(flags->GetEnabled());
  ASSERT_NE(form->FM->GetFrame(QStringLiteral("FrMerker")), nullptr);
  form->FM->SetCurrentFrame(QString());
  form->CloseProject();
  form->UpdateSideBarGroups();
  EXPECT_FALSE(flags->GetEnabled());
}

}  // namespace
}  // namespace zyn::test
