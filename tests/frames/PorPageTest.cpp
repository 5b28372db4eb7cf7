// The power-on state page: states go straight into the project's outputs.

#include "PageFixture.h"
#include "frames/FrPOR.h"
#include "project/Global.h"
#include "tests/compiler/CompilerFixture.h"

#include <QTreeWidget>

namespace zyn::test {
namespace {

TEST_F(PageTest, PowerOnStatesAreSetForTheSelectedOutputsAtOnce) {
  TProjectBuilder b;
  TSteuermodul& s0 = *GProjekt->Steuermodule.GetSteuermodul(0);
  b.AddModul(s0, 0, 2, "PIR", 3, 0, 0, {0}, {}, {}, "INPUT PIR");
  TModul& out = *s0.Module.FindModul("OUT", 5);
  out.Ausgaenge().GetItem(0)->SetDisplayName("Licht Flur");
  auto* page = ShowPage<TFrPOR>("FrPOR");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->MTV->topLevelItemCount(), 2);  // not the motion detector
  EXPECT_EQ(page->MTV->topLevelItem(1)->text(0), QStringLiteral("OUT.05-Relais Keller"));
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  ASSERT_EQ(page->PAView->topLevelItemCount(), 2);
  EXPECT_EQ(page->PAView->topLevelItem(0)->text(0), QStringLiteral("STM.00.OUT.05.01-Licht Flur"));
  EXPECT_EQ(page->PAView->topLevelItem(0)->text(1), QStringLiteral("Aus"));
  Screenshot(page, "FrPOR");
  GProjekt->Modified = false;
  page->PAView->topLevelItem(0)->setSelected(true);
  page->PAView->topLevelItem(1)->setSelected(true);
  page->SetState(2);
  EXPECT_TRUE(GProjekt->Modified);
  EXPECT_EQ(page->PAView->topLevelItem(1)->text(1), QStringLiteral("Ein"));
  page->PAView->topLevelItem(0)->setSelected(false);
  page->AdvanceState();  // Ein -> Aus
  EXPECT_EQ(page->PAView->topLevelItem(1)->text(1), QStringLiteral("Aus"));
  // An output reserved by a tool keeps its reservation.
  out.Ausgaenge().GetItem(1)->SetReserviert(true);
  page->SetState(1);
  EXPECT_EQ(out.Ausgaenge().GetItem(1)->PORStatus, porReserved);
  EXPECT_EQ(page->AskApplyChanges(), 6);
  auto saved = SaveAndReload();
  TModul* o = saved->Steuermodule.GetSteuermodul(0)->Module.FindModul("OUT", 5);
  EXPECT_EQ(o->Ausgaenge().GetItem(0)->PORStatus, porON);
}

}  // namespace
}  // namespace zyn::test
