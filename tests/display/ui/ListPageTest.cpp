// The display list page: a working copy of the project's displays, merged back on OK or on the
// apply question, dropped on Cancel.

#include "DesignerFixture.h"
#include "display/DisplayProjekt.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/FrameDispBearb.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class ListPageTest : public DesignerTest {
 protected:
  TFrDispBearb& Page() {
    if (!page) {
      page = std::make_unique<TFrDispBearb>();
      page->show();
      page->FrameActivate();
    }
    return *page;
  }
  void TearDown() override {
    page.reset();
    DesignerTest::TearDown();
  }
  std::unique_ptr<TFrDispBearb> page;
};

TEST_F(ListPageTest, OneDisplayFillsThePoolAndTheCaption) {
  TFrDispBearb& p = Page();
  ASSERT_EQ(p.Tree->topLevelItemCount(), 1);
  EXPECT_EQ(p.Tree->topLevelItem(0)->text(0), QStringLiteral("DSP 00-Display 0"));
  EXPECT_EQ(p.GDisplays->title(), QStringLiteral(" Displays (001/001) "));
  EXPECT_FALSE(p.BAdd->isEnabled());
  EXPECT_TRUE(p.BDelete->isEnabled());
  EXPECT_FALSE(p.BOK->isEnabled());
  EXPECT_EQ(p.EName->text(), QStringLiteral("Display 0"));
  EXPECT_EQ(p.CBAddress->currentText(), QStringLiteral("DSP.00"));
}

TEST_F(ListPageTest, DeletingTheOnlyDisplayAndCancellingRestoresIt) {
  TFrDispBearb& p = Page();
  answers = {IDYES, IDNO};
  p.DeleteDisplay();
  EXPECT_EQ(p.Tree->topLevelItemCount(), 0);
  EXPECT_FALSE(p.EName->isEnabled());
  EXPECT_TRUE(p.BAdd->isEnabled());
  EXPECT_EQ(GProjekt->DisplayProjekt().Count(), 1u);  // only the copy lost it
  p.CancelEdits();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], QStringLiteral("Die Displaydaten wurden geändert.\rSollen die Änderungen übernommen werden?"));
  EXPECT_EQ(p.Tree->topLevelItemCount(), 1);
  EXPECT_FALSE(p.IsModified());
  EXPECT_EQ(GProjekt->DisplayProjekt().Count(), 1u);
}

TEST_F(ListPageTest, EditsReachTheProjectOnlyWhenApplied) {
  TFrDispBearb& p = Page();
  GProjekt->Modified = false;
  QTest::keyClicks(p.EName, QStringLiteral(" Flur"));
  EXPECT_EQ(p.Tree->topLevelItem(0)->text(0), QStringLiteral("DSP 00-Display 0 Flur"));
  p.MNotes->setPlainText(QStringLiteral("im Eingang"));
  EXPECT_TRUE(p.BOK->isEnabled());
  EXPECT_EQ(GProjekt->DisplayProjekt()[0].DisplayName, "Display 0");

  answers = {IDCANCEL};
  EXPECT_EQ(p.AskApplyChanges(), IDCANCEL);
  EXPECT_TRUE(p.IsModified());
  answers = {IDYES};
  EXPECT_EQ(p.AskApplyChanges(), IDYES);
  EXPECT_EQ(GProjekt->DisplayProjekt()[0].DisplayName, "Display 0 Flur");
  EXPECT_EQ(GProjekt->DisplayProjekt()[0].Notizen, "im Eingang");
  EXPECT_TRUE(GProjekt->Modified);
  // The screens of the display stay as they were.
  EXPECT_EQ(GProjekt->DisplayProjekt()[0].Bildschirme.Count(), 1u);
}

TEST_F(ListPageTest, ADeletedDisplayCanBeAddedAgainAndApplied) {
  TFrDispBearb& p = Page();
  answers = {IDYES};
  p.DeleteDisplay();
  p.AddDisplay();
  ASSERT_EQ(p.Tree->topLevelItemCount(), 1);
  EXPECT_EQ(p.Tree->topLevelItem(0)->text(0), QStringLiteral("DSP.00-Display 0"));
  EXPECT_FALSE(p.BAdd->isEnabled());
  p.Apply();
  EXPECT_FALSE(p.IsModified());
  ASSERT_EQ(GProjekt->DisplayProjekt().Count(), 1u);
  EXPECT_NE(GProjekt->DisplayProjekt()[0].InternalName, "");
}

}  // namespace
}  // namespace zyn::test
