// The main window's menus and side bar follow the project and the page shown: modules applied on
// the module page enable what needs objects at once, undoing gives it back, and the side bar
// always highlights the page that is shown, or nothing for a page it has no entry for.

#include "PageFixture.h"
#include "frames/FrModulBearb.h"
#include "frames/FrOptionen.h"
#include "model/BasisDaten.h"
#include "model/ModulClassList.h"
#include "model/ModulListe.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/common/ZsSplitter.h"

#include <QFontMetrics>
#include <QSplitter>
#include <QToolButton>

namespace zyn::test {
namespace {

QString Highlighted(const TMainForm& form) {
  const TzbSideBarItem* item = form.SB->SelectedItem();
  return item ? QString::fromStdString(item->CustomData) : QString();
}

bool ProgrammingItemEnabled(const TMainForm& form, int index) {
  return form.SB->Groups().GetItem(2)->Items().GetItem(index)->GetEnabled();
}

class MenuFollowsProjectTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    // A new project as the new-project page makes it: one control module, nothing else.
    GProjekt->Modified = false;
    form->CloseProject();
    auto projekt = std::make_unique<TZYNProjekt>();
    projekt->BasisDaten = GBasisDaten.get();
    projekt->FileName = PageTestHome() + "neu.zpf";
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName("STM-NEU");
    stm->SetDisplayName("Steuermodul 0");
    stm->SetAdresse(0);
    projekt->Steuermodule.Adressen.SetUsed(0);
    projekt->Steuermodule.Add(std::move(stm));
    form->InstallProject(std::move(projekt));
    form->NotifyProjectState(2, 1);
  }
};

TEST_F(MenuFollowsProjectTest, ModulesAppliedOnTheModulePageEnableWhatNeedsObjectsAtOnce) {
  EXPECT_FALSE(form->Item("Gruppen1")->GetEnabled());
  EXPECT_FALSE(form->Item("POR1")->GetEnabled());
  EXPECT_FALSE(ProgrammingItemEnabled(*form, 3));
  auto* page = ShowPage<TFrModulBearb>("FrModulBearb");
  ASSERT_TRUE(page);
  const char* next = "INPUT 8";
  page->OnChooseClass = [&next] { return GBasisDaten->Katalog.FindClass(next); };
  page->btnAutoText->setChecked(true);  // channels with names count as used
  page->BtnAdd->click();
  next = "OUTPUT 8";
  page->BtnAdd->click();
  // Only in the working copy: the menus still follow the project.
  EXPECT_FALSE(form->Item("POR1")->GetEnabled());
  page->BtnOK->click();
  ASSERT_GT(GProjekt->GetEingangsCount(), 0);
  ASSERT_GT(GProjekt->GetAusgangsCount(), 0);
  ASSERT_FALSE(form->Locked());
  EXPECT_TRUE(form->Item("Gruppen1")->GetEnabled());
  EXPECT_TRUE(form->Item("POR1")->GetEnabled());
  EXPECT_TRUE(form->Item("MnuCreateRT")->GetEnabled());
  EXPECT_TRUE(ProgrammingItemEnabled(*form, 3));
  EXPECT_EQ(Highlighted(*form), QStringLiteral("FrModulBearb"));

  // Deleting them again and applying takes it back.
  answers = {6, 6, 6, 6};
  for (int i = 0; i < 2; ++i) {
    page->MTV->setCurrentItem(page->MTV->topLevelItem(0)->child(0));
    page->BtnDelete->click();
  }
  page->BtnOK->click();
  EXPECT_EQ(GProjekt->GetObjectCount(), 0);
  EXPECT_FALSE(form->Item("POR1")->GetEnabled());
  EXPECT_FALSE(ProgrammingItemEnabled(*form, 3));
}

TEST_F(MenuFollowsProjectTest, TheSideBarHighlightsThePageShown) {
  // A menu command: its page is highlighted in its group.
  form->FrameCommand(2);  // "Module..."
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrModulBearb"));
  EXPECT_EQ(Highlighted(*form), QStringLiteral("FrModulBearb"));
  // A page of another group, entered without the side bar: that group opens, the page stays.
  form->FM->SetCurrentFrame(QStringLiteral("FrPOR"));
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrPOR"));
  EXPECT_EQ(Highlighted(*form), QStringLiteral("FrPOR"));
  EXPECT_EQ(form->SB->ActiveGroup()->Caption(), "Programmierung");
  // A page without an entry: nothing highlighted; back again, its entry is.
  form->FM->SaveFrame();
  form->FM->SetCurrentFrame(QStringLiteral("FrOptionen"));
  EXPECT_EQ(Highlighted(*form), QString());
  auto* options = dynamic_cast<TFrOptionen*>(form->FM->GetFrame(QStringLiteral("FrOptionen")));
  ASSERT_TRUE(options);
  options->ToolButton5->click();
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrPOR"));
  EXPECT_EQ(Highlighted(*form), QStringLiteral("FrPOR"));
  // The project closed: nothing is shown, nothing highlighted.
  GProjekt->Modified = false;
  form->CloseCommand();
  EXPECT_EQ(Highlighted(*form), QString());
}

TEST_F(MenuFollowsProjectTest, TheSplitterIsWideWithItsButtonAndFollowsTheDrag) {
  EXPECT_EQ(form->SP->width(), 10);
  EXPECT_EQ(form->SP->ResizeStyle(), rsUpdate);
  EXPECT_TRUE(form->SP->ShowButton());
  EXPECT_EQ(form->SP->ButtonWidth(), 100);
  EXPECT_EQ(form->SP->MinSize(), 130);
}

TEST_F(MenuFollowsProjectTest, ObjectListsShowAWholeNodeTextAndKeepAWidthTheUserChose) {
  auto* page = ShowPage<TObjectPage>("FrMerker");
  ASSERT_TRUE(page);
  const QFontMetrics metrics(page->MTV->font());
  EXPECT_GE(page->MTV->viewport()->width(),
            metrics.horizontalAdvance(QStringLiteral("STM.00-STM Hauptverteil.")) + page->MTV->indentation());
  auto* splitter = qobject_cast<QSplitter*>(page->Panel1->parentWidget());
  ASSERT_TRUE(splitter);
  const int shownWidth = page->Panel1->width();
  EXPECT_EQ(shownWidth, page->ListWidthForNames());
  const int total = splitter->sizes()[0] + splitter->sizes()[1];
  splitter->setSizes({shownWidth + 30, total - shownWidth - 30});
  const int chosen = page->Panel1->width();
  ASSERT_NE(chosen, shownWidth);
  form->FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
  ShowFrame("FrMerker");
  EXPECT_EQ(page->Panel1->width(), chosen);
}

}  // namespace
}  // namespace zyn::test
