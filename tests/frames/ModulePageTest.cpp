// The module page: modules under their class, the class choice, addresses per base class,
// channel names, dimmer settings, deleting a module that links use, and the saved project.

#include "PageFixture.h"
#include "frames/FrModulBearb.h"
#include "frames/FrmModulWahl.h"
#include "logic/LogicDialogs.h"
#include "model/BasisDaten.h"
#include "model/ModulClassList.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "widgets/common/Mkgrid.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

const TModulClass* Class(const char* name) { return GBasisDaten->Katalog.FindClass(name); }

class ModulePageTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    page = ShowPage<TFrModulBearb>("FrModulBearb");
    ASSERT_NE(page, nullptr);
    page->OnChooseClass = [this] { return Class(next); };
  }
  TFrModulBearb* page = nullptr;
  const char* next = "OUTPUT 8";
};

TEST_F(ModulePageTest, ModulesStandUnderTheirClassAndTheFirstIsShown) {
  ASSERT_EQ(page->MTV->topLevelItemCount(), 2);
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("Eingangsmodul 8fach"));
  EXPECT_EQ(page->MTV->topLevelItem(0)->child(0)->text(0), QStringLiteral("INP.01-Taster Flur"));
  EXPECT_EQ(page->MTV->currentItem(), page->MTV->topLevelItem(0)->child(0));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Module (002/064) "));
  EXPECT_EQ(page->EName->text(), QStringLiteral("Taster Flur"));
  EXPECT_EQ(page->CBArt->currentText(), QStringLiteral("Eingangsmodul 8fach"));
  EXPECT_EQ(page->DS->Value(), 1);
  EXPECT_TRUE(page->SheetVisible(QString::fromUtf8("Eingänge")));
  EXPECT_FALSE(page->SheetVisible(QString::fromUtf8("Ausgänge")));
  EXPECT_EQ(page->EV->Cells(1, 1), QStringLiteral("INP.01.00"));
  page->TCModulDaten->setCurrentIndex(1);
  Screenshot(page, "FrModulBearb");
  // A class node shows no module.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  EXPECT_FALSE(page->Details->isEnabled());
  EXPECT_FALSE(page->BtnDelete->isEnabled());
}

TEST_F(ModulePageTest, ANewModuleTakesTheFirstFreeAddressOfItsBaseClassAndAutomaticNames) {
  page->btnAutoText->setChecked(true);
  page->BtnAdd->click();
  TModul* modul = page->SelectedModul();
  ASSERT_NE(modul, nullptr);
  EXPECT_EQ(modul->Adresse(), 0);  // outputs use 5 only
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("OUT.00-Schaltmodul 8fach"));
  EXPECT_EQ(page->MTV->currentItem()->parent(), page->MTV->topLevelItem(1));
  EXPECT_EQ(modul->Ausgaenge().GetItem(3)->DisplayName(), "Ausgang 4- 03");
  EXPECT_EQ(page->AV->Cells(2, 4), QStringLiteral("Ausgang 4- 03"));
  // A second one of the same class gets a name of its own and the next address.
  page->btnAutoText->setChecked(false);
  page->BtnAdd->click();
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("OUT.01-Schaltmodul 8fach (2)"));
  // Re-addressing lists the free addresses of the base class only.
  EXPECT_EQ(page->CAdresse->findText(QStringLiteral("OUT.05")), -1);
  page->CAdresse->setCurrentText(QStringLiteral("OUT.07"));
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("OUT.07-Schaltmodul 8fach (2)"));
  EXPECT_EQ(page->AV->Cells(1, 1), QStringLiteral("OUT.07.00"));
  EXPECT_EQ(page->DS->Value(), 7);
  // A channel renamed in the grid.
  page->AV->SetCells(2, 2, QString::fromUtf8("Licht Küche"));
  EXPECT_EQ(page->SelectedModul()->Ausgaenge().GetItem(1)->DisplayName(),
            "Licht K\xFC"
            "che");
  // A taken module name is refused.
  page->MTV->currentItem()->setText(0, QStringLiteral("Taster Flur"));
  ASSERT_EQ(shown.size(), 1u);
  page->BtnOK->click();

  auto saved = SaveAndReload();
  TSteuermodul& s0 = *saved->Steuermodule.GetSteuermodul(0);
  ASSERT_EQ(s0.Module.Count(), 4);
  TModul* second = s0.Module.FindModul("OUT", 7);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->DisplayName(), "Schaltmodul 8fach (2)");
  EXPECT_EQ(second->Ausgaenge().GetItem(1)->DisplayName(),
            "Licht K\xFC"
            "che");
  EXPECT_EQ(s0.Module.FindModul("OUT", 0)->Ausgaenge().GetItem(0)->DisplayName(), "Ausgang 1- 00");
}

TEST_F(ModulePageTest, The33rdModuleOfABaseClassIsRefusedWithTheWarning) {
  for (int i = 0; i < 31; ++i) page->BtnAdd->click();
  EXPECT_EQ(page->WorkList().Count(), 33);
  EXPECT_TRUE(shown.empty());
  page->BtnAdd->click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Von dieser Modulklasse können keine weiteren Module verwendet werden!"));
  EXPECT_EQ(page->WorkList().Count(), 33);
  next = "INPUT 8";
  page->BtnAdd->click();
  EXPECT_EQ(page->WorkList().Count(), 34);
}

TEST_F(ModulePageTest, DeletingAModuleThatLinksUseRemovesThoseLinksOnApply) {
  // The input module owns two links: the question names them even with the option off.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0)->child(0));
  answers = {IDNO};
  page->BtnDelete->click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Das Modul verwaltet 2 programmierte Verbindungen\r")));
  EXPECT_EQ(page->WorkList().Count(), 2);
  // The output module is the target of a link; deleting it asks nothing and removes its class node.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1)->child(0));
  page->BtnDelete->click();
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 1);
  page->BtnOK->click();
  auto saved = SaveAndReload();
  TSteuermodul& s0 = *saved->Steuermodule.GetSteuermodul(0);
  ASSERT_EQ(s0.Module.Count(), 1);
  TModul* in = s0.Module.FindModul("INP", 1);
  EXPECT_EQ(in->Eingaenge().GetItem(1)->Verbindungen().Count(), 0);  // aimed at the deleted module
  EXPECT_EQ(in->Eingaenge().GetItem(0)->Verbindungen().Count(), 1);  // aimed at a flag
}

TEST_F(ModulePageTest, DimmerModulesStartSoftAndKeepTheCurveOfEachChannel) {
  next = "DIM_SAN";
  page->BtnAdd->click();
  TModul* dimmer = page->SelectedModul();
  ASSERT_NE(dimmer, nullptr);
  EXPECT_TRUE(dimmer->Dimmerzusatz);
  EXPECT_EQ(dimmer->DimmerDaten.LeftSoftStart, 1);
  EXPECT_EQ(dimmer->DimmerDaten.RightKennlinie, 0);
  EXPECT_TRUE(page->SheetVisible(QStringLiteral("Dimmerdaten")));
  EXPECT_EQ(page->Dimmer[0].Start->checkedId(), 1);
  EXPECT_EQ(page->Dimmer[0].Curve->checkedId(), 0);
  page->Dimmer[1].Curve->button(2)->click();
  EXPECT_EQ(dimmer->DimmerDaten.RightKennlinie, 2);
  EXPECT_EQ(dimmer->DimmerDaten.LeftKennlinie, 0);
  page->Dimmer[0].Start->button(2)->click();
  EXPECT_EQ(dimmer->DimmerDaten.LeftSoftStart, 2);
  EXPECT_TRUE(page->Modified());
  next = "INPUT PIR";
  page->BtnAdd->click();
  EXPECT_FALSE(page->SheetVisible(QString::fromUtf8("Eingänge")));
  EXPECT_TRUE(page->SheetVisible(QStringLiteral("Moduldaten")));
}

TEST_F(ModulePageTest, TheClassChoiceListsBaseClassesAndRemembersThePositions) {
  int classIndex = 0, groupIndex = 0;
  TFrmModulWahl dialog(GBasisDaten->Katalog, classIndex, groupIndex);
  ASSERT_GE(dialog.MT->topLevelItemCount(), 8);
  EXPECT_EQ(dialog.MT->topLevelItem(0)->text(0), QStringLiteral("Eingangsmodule"));
  EXPECT_EQ(dialog.MB->count(), 2);  // the two input classes
  dialog.MT->setCurrentItem(dialog.MT->topLevelItem(2));
  EXPECT_EQ(dialog.MB->item(0)->text(), QStringLiteral("Schaltmodul 8fach"));
  dialog.Choose();
  ASSERT_NE(dialog.Chosen(), nullptr);
  EXPECT_EQ(dialog.Chosen()->InternalName, "OUTPUT 8");
  EXPECT_EQ(groupIndex, 2);
  EXPECT_EQ(classIndex, 0);
  TFrmModulWahl again(GBasisDaten->Katalog, classIndex, groupIndex);
  EXPECT_EQ(again.MT->currentItem(), again.MT->topLevelItem(2));
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

// Discarding the changes starts the page afresh, on the first control module's tab.
TEST_F(ModulePageTest, CancelStartsAgainOnTheFirstTab) {
  ASSERT_GE(page->TC->count(), 2);
  page->TC->setCurrentIndex(1);
  ASSERT_EQ(page->TC->currentIndex(), 1);
  page->BtnAdd->click();
  ASSERT_TRUE(page->Modified());
  answers = {IDNO};
  page->BtnCancel->click();
  EXPECT_EQ(page->TC->currentIndex(), 0);
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(page->MTV->topLevelItemCount(), 2);  // the first control module's modules
}

}  // namespace
}  // namespace zyn::test
