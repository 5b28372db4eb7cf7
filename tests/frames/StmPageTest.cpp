// The control-module page: add, rename, the receiver flag, deleting (always asked), export and
// import of a control module, and a damaged file that changes nothing.

#include "PageFixture.h"
#include "compiler/toollib/FunktionsListe.h"
#include "frames/FrStmBearb.h"
#include "model/Merker.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

// Every link of a control module as its display text.
std::vector<std::string> LinkTexts(TSteuermodul& stm) {
  std::vector<std::string> texts;
  for (int m = 0; m < stm.Module.Count(); ++m) {
    TModul* modul = stm.Module.GetModul(m);
    for (int i = 0; i < modul->Eingaenge().Count(); ++i) {
      TVerbindungsListe& links = modul->Eingaenge().GetItem(i)->Verbindungen();
      for (int k = 0; k < links.Count(); ++k) texts.push_back(links.GetVerbindung(k)->GetDisplayText());
    }
  }
  return texts;
}

TEST_F(PageTest, ControlModulePageAddsRenamesAndStoresTheReceiverFlag) {
  auto* page = ShowPage<TFrStmBearb>("FrStmBearb");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->MTV->topLevelItemCount(), 2);
  EXPECT_EQ(page->MTV->topLevelItem(1)->text(0), QStringLiteral("STM.01-Steuermodul 1"));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" STM (002/004) "));
  EXPECT_FALSE(page->CAdresse->isEnabled());
  Screenshot(page, "FrStmBearb");
  page->BtnAdd->click();
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("STM.02-Steuermodul 2"));
  EXPECT_EQ(page->DS->Value(), 2);
  EXPECT_EQ(page->CAdresse->currentText(), QStringLiteral("STM.02"));
  page->BtnAdd->click();
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  QTest::keyClick(page->MTV, Qt::Key_Insert);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 4);
  // The new one at address 3 is renamed to a taken name: refused.
  page->MTV->currentItem()->setText(0, QStringLiteral("Steuermodul 0"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("STM.03-Steuermodul 3"));
  page->EName->selectAll();
  QTest::keyClicks(page->EName, QStringLiteral("Keller"));
  page->CDCF77->setChecked(true);
  page->BtnOK->click();
  auto saved = SaveAndReload();
  ASSERT_EQ(saved->Steuermodule.Count(), 4);
  TSteuermodul* keller = saved->Steuermodule.GetSteuermodul(3);
  EXPECT_EQ(keller->DisplayName(), "Keller");
  EXPECT_EQ(keller->Adresse(), 3);
  EXPECT_TRUE(keller->DCF77);
  EXPECT_FALSE(saved->Steuermodule.GetSteuermodul(2)->DCF77);
  // The modules of control module 0 survived the merge with their links.
  EXPECT_EQ(saved->Steuermodule.GetSteuermodul(0)->Module.Count(), 2);
  EXPECT_EQ(LinkTexts(*saved->Steuermodule.GetSteuermodul(0)).size(), 2u);
}

TEST_F(PageTest, ControlModuleDeletionAlwaysAsksAndKeepsTheLastOne) {
  SetBoolOption(boConfirmDelete, false);
  auto* page = ShowPage<TFrStmBearb>("FrStmBearb");
  ASSERT_NE(page, nullptr);
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  answers = {IDNO};
  page->BtnDelete->click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Soll die Steuerung \"Steuermodul 1\" wirklich gelöscht werden"));
  EXPECT_EQ(page->MTV->topLevelItemCount(), 2);
  answers = {IDYES};
  page->BtnDelete->click();
  EXPECT_EQ(page->MTV->topLevelItemCount(), 1);
  EXPECT_FALSE(page->BtnDelete->isEnabled());
  QTest::keyClick(page->MTV, Qt::Key_Delete);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 1);
  answers = {IDYES};
  form->FM->SetCurrentFrame(QString());  // leaving applies after the question
  ASSERT_EQ(GProjekt->Steuermodule.Count(), 1);
  EXPECT_EQ(GProjekt->Steuermodule.GetSteuermodul(0)->DisplayName(), "Steuermodul 0");
}

TEST_F(PageTest, ExportThenImportGivesTheSameObjectsAndLinks) {
  auto* page = ShowPage<TFrStmBearb>("FrStmBearb");
  ASSERT_NE(page, nullptr);
  const std::string file = PageTestHome() + "stm0.stm";
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  page->OnChooseExportFile = [&](const std::string&) { return PageTestHome() + "stm0"; };
  page->BtnExport->click();
  ASSERT_TRUE(FileExists(file));
  // A new, empty control module takes the import.
  page->BtnAdd->click();
  EXPECT_FALSE(page->BtnImport->isEnabled());  // no converter library: no import, ".stm" files neither
  page->ConverterLibrary = ZYN_FAKE_CONVERTER;
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  EXPECT_FALSE(page->BtnImport->isEnabled());  // it holds a flag
  page->MTV->setCurrentItem(page->MTV->topLevelItem(2));
  EXPECT_TRUE(page->BtnImport->isEnabled());
  page->OnChooseImportFile = [&](const std::string&, int& filter) {
    filter = 1;
    return file;
  };
  answers = {IDYES, IDYES};
  GProjekt->Modified = false;
  page->BtnImport->click();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("Beta- Status")));
  EXPECT_TRUE(GProjekt->Modified);
  EXPECT_EQ(GProjekt->ProjektDaten.SoftCreated, "V2.I");
  EXPECT_FALSE(page->Modified());
  ASSERT_EQ(page->MTV->topLevelItemCount(), 3);
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("STM.02-Steuermodul 0"));

  auto saved = SaveAndReload();
  ASSERT_EQ(saved->Steuermodule.Count(), 3);
  TSteuermodul& original = *saved->Steuermodule.GetSteuermodul(0);
  TSteuermodul& imported = *saved->Steuermodule.FindByAddress(2);
  EXPECT_NE(imported.InternalName(), original.InternalName());
  ASSERT_EQ(imported.Module.Count(), original.Module.Count());
  for (int m = 0; m < original.Module.Count(); ++m) {
    // The copy in the same project takes fresh internal names: no name is there twice.
    EXPECT_NE(imported.Module.GetModul(m)->InternalName(), original.Module.GetModul(m)->InternalName());
    EXPECT_EQ(imported.Module.GetModul(m)->DisplayName(), original.Module.GetModul(m)->DisplayName());
    EXPECT_EQ(imported.Module.GetModul(m)->Adresse(), original.Module.GetModul(m)->Adresse());
  }
  ASSERT_EQ(imported.Merker.Count(), original.Merker.Count());
  EXPECT_EQ(imported.Merker.FindByAddress(5)->DisplayName(), "Licht");
  EXPECT_EQ(imported.Uhren.Count(), original.Uhren.Count());
  EXPECT_EQ(imported.Texte.Count(), original.Texte.Count());
  EXPECT_EQ(imported.Gruppen.Count(), original.Gruppen.Count());
  // The links are the same, now naming control module 2.
  std::vector<std::string> expected = LinkTexts(original);
  for (std::string& t : expected)
    for (size_t at; (at = t.find("STM.00")) != std::string::npos;) t.replace(at, 6, "STM.02");
  EXPECT_EQ(LinkTexts(imported), expected);
  EXPECT_EQ(expected.size(), 2u);
}

TEST_F(PageTest, ExportWritesTheNameAndReceiverFlagOfThePageNotYetApplied) {
  auto* page = ShowPage<TFrStmBearb>("FrStmBearb");
  ASSERT_NE(page, nullptr);
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  page->EName->setFocus();
  page->EName->selectAll();
  QTest::keyClicks(page->EName, QStringLiteral("Keller"));
  page->CDCF77->setChecked(true);
  ASSERT_TRUE(page->Modified());
  const std::string file = PageTestHome() + "working.stm";
  ASSERT_TRUE(page->ExportTo(file));
  // Read back with the model's own reader: the page's edits, the project's objects and links.
  TMemoryStream stream;
  stream.LoadFromFile(file);
  TSteuermodul exported;
  TReader reader(stream, 1024);
  exported.ReadData(reader);
  EXPECT_EQ(exported.DisplayName(), "Keller");
  EXPECT_TRUE(exported.DCF77);
  TSteuermodul& live = *GProjekt->Steuermodule.GetSteuermodul(0);
  EXPECT_EQ(exported.Module.Count(), live.Module.Count());
  EXPECT_EQ(exported.Merker.Count(), live.Merker.Count());
  EXPECT_EQ(LinkTexts(exported), LinkTexts(live));
  // The project itself is not changed by the export.
  EXPECT_EQ(live.DisplayName(), "Steuermodul 0");
  EXPECT_FALSE(live.DCF77);
  answers = {IDNO};
}

TEST_F(PageTest, ATruncatedImportFileIsRefusedAndTheProjectStaysByteIdentical) {
  auto* page = ShowPage<TFrStmBearb>("FrStmBearb");
  ASSERT_NE(page, nullptr);
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  const std::string whole = PageTestHome() + "whole.stm";
  ASSERT_TRUE(page->ExportTo(whole));
  std::vector<uint8_t> bytes = ReadFileBytes(whole);
  bytes.resize(bytes.size() / 2);
  const std::string cut = PageTestHome() + "cut.stm";
  WriteFileAtomic(cut, bytes.data(), bytes.size());
  page->BtnAdd->click();
  page->ConverterLibrary = ZYN_FAKE_CONVERTER;
  page->UpdatePage();
  const std::vector<uint8_t> before = GProjekt->StreamBytes();
  page->OnChooseImportFile = [&](const std::string&, int& filter) {
    filter = 1;
    return cut;
  };
  answers = {IDYES, IDYES};
  page->BtnImport->click();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].contains(QString::fromUtf8("enthält kein vollständiges Steuermodul"))) << shown[1].toStdString();
  EXPECT_TRUE(shown[1].contains(QStringLiteral("cut.stm")));
  EXPECT_EQ(GProjekt->StreamBytes(), before);
  EXPECT_EQ(page->MTV->topLevelItemCount(), 3);
  EXPECT_FALSE(form->Locked());
}

}  // namespace
}  // namespace zyn::test

namespace zyn::test {
namespace {

class ProjectImportTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    page = ShowPage<TFrStmBearb>("FrStmBearb");
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->ConverterPresent());
    page->ConverterLibrary = ZYN_FAKE_CONVERTER;
    ASSERT_TRUE(page->ConverterPresent());
    for (int i = 0; i < 2; ++i) {
      page->MTV->setCurrentItem(page->MTV->topLevelItem(i));
      ASSERT_TRUE(page->ExportTo(PageTestHome() + "part" + std::to_string(i) + ".stm"));
    }
    TZYNFunktionsListe().SaveToOvrFile(PageTestHome() + "tools.lst");
  }
  std::string Project(const std::string& name, int count) {
    std::string text = "TOOLS " + PageTestHome() + "tools.lst\n";
    for (int i = 0; i < count; ++i) text += PageTestHome() + "part" + std::to_string(i) + ".stm\n";
    const std::string file = PageTestHome() + name;
    WriteFileAtomic(file, text);
    return file;
  }
  TFrStmBearb* page = nullptr;
};

TEST_F(ProjectImportTest, AddressesTakenByOtherControlModulesAreReportedAndNothingChanges) {
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  const std::vector<uint8_t> before = GProjekt->StreamBytes();
  EXPECT_FALSE(page->ImportProject(Project("alt.prj", 2)));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Das Projekt enthält 2 Steuermodule; die Adressen STM.01 sind schon belegt. "
                                        "Der Import wurde nicht ausgeführt."));
  EXPECT_EQ(GProjekt->StreamBytes(), before);
  // A project the converter cannot read.
  EXPECT_FALSE(page->ImportProject(PageTestHome() + "fehlt.prj"));
  EXPECT_EQ(shown.back(), QStringLiteral("Das Projekt konnte nicht importiert werden!"));
  EXPECT_EQ(GProjekt->StreamBytes(), before);
}

TEST_F(ProjectImportTest, AConvertedProjectReplacesTheSelectedControlModule) {
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  answers = {IDYES};
  page->BtnDelete->click();
  page->BtnOK->click();
  page->MTV->setCurrentItem(page->MTV->topLevelItem(0));
  answers = {IDYES};
  ASSERT_TRUE(page->ImportProject(Project("alt.prj", 2)));
  EXPECT_EQ(GProjekt->ProjektDaten.SoftCreated, "V2.I");
  ASSERT_EQ(GProjekt->Steuermodule.Count(), 2);
  EXPECT_EQ(GProjekt->Steuermodule.FindByAddress(0)->Module.Count(), 2);
  EXPECT_EQ(GProjekt->Steuermodule.FindByAddress(1)->DisplayName(), "Steuermodul 1");
  EXPECT_EQ(page->MTV->topLevelItemCount(), 2);
  // One control module: read from the converter's target file.
  page->MTV->setCurrentItem(page->MTV->topLevelItem(1));
  answers = {IDYES};
  ASSERT_TRUE(page->ImportProject(Project("einzeln.prj", 1)));
  EXPECT_TRUE(FileExists(PageTestHome() + "einzeln.stm"));
  EXPECT_EQ(GProjekt->Steuermodule.FindByAddress(1)->Module.Count(), 2);
  auto saved = SaveAndReload();
  EXPECT_EQ(saved->Steuermodule.Count(), 2);
}

}  // namespace
}  // namespace zyn::test
