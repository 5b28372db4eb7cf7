// The options page and the company-data page: values written back unchanged, the save question
// after a change, the random-time rule, the transfer ranges of the labels, and the company data
// saved into the options file.

#include "frames/BusDeviceBox.h"
#include "frames/FrOptionen.h"
#include "model/base/SerialDevice.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "tests/frames/PageFixture.h"
#include "tests/support/Files.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <filesystem>

namespace zyn::test {
namespace {

class OptionsPagesTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    before = GOptionFile->GetXML();
    form->FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
    form->FM->SaveFrame();
  }
  void TearDown() override {
    GOptionFile->LoadFromXML(before);
    GOptionFile->SaveToFile(OptionFileName());
    PageTest::TearDown();
  }
  std::string before;
};

TEST_F(OptionsPagesTest, OkWithoutChangesWritesTheSameValues) {
  auto* page = ShowPage<TFrOptionen>("FrOptionen");
  ASSERT_TRUE(page);
  EXPECT_FALSE(page->Changed());
  const std::string shownValues = GOptionFile->GetXML();  // with the page's own frame entry
  std::remove(OptionFileName().c_str());
  page->ToolButton4->click();
  EXPECT_EQ(GOptionFile->GetXML(), shownValues);
  EXPECT_EQ(ReadWholeFile(OptionFileName()), shownValues);
  EXPECT_TRUE(XmllintAccepts(OptionFileName()));
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrStmBearb"));
}

TEST_F(OptionsPagesTest, ChangesAskOnCancelAndFollowTheRules) {
  auto* page = ShowPage<TFrOptionen>("FrOptionen");
  EXPECT_EQ(page->MTA->MinValue(), 50);
  EXPECT_EQ(page->MTA->MaxValue(), 5000);
  EXPECT_EQ(page->MTP->MinValue(), 1);
  EXPECT_EQ(page->MTP->MaxValue(), 500);
  Screenshot(page, "FrOptionen");
  page->ZFMin->SetValue(600);
  EXPECT_GE(page->ZFMax->Value(), 601);
  EXPECT_EQ(page->ZFMax->MinValue(), 601);
  EXPECT_TRUE(page->Changed());
  page->HTA->setChecked(!page->HTA->isChecked());
  answers = {2};  // Cancel: the page stays
  shown.clear();
  page->ToolButton5->click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Die Optionen wurden geändert.")));
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrOptionen"));
  answers = {6};  // Yes: saved, back to the page before
  page->ToolButton5->click();
  EXPECT_EQ(GetIntOption(ioRandomMin), 600);
  EXPECT_GE(GetIntOption(ioRandomMax), 601);
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrStmBearb"));
  // The flag stays for the page's life: a later Cancel asks again.
  ShowPage<TFrOptionen>("FrOptionen");
  answers = {7};
  shown.clear();
  page->ToolButton5->click();
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(OptionsPagesTest, TheBusDeviceIsChosenOnTheTransferTab) {
  unsetenv("ZYN_BUS_DEVICE");
  auto* page = ShowPage<TFrOptionen>("FrOptionen");
  ASSERT_TRUE(page->DeviceBox);
  // The list: the port's device (empty) and the devices present, in their order.
  const std::vector<std::string> present = ListSerialDevices();
  ASSERT_EQ(page->DeviceBox->CBDevice->count(), static_cast<int>(present.size()) + 1);
  EXPECT_TRUE(page->DeviceBox->CBDevice->itemText(0).isEmpty());
  for (size_t i = 0; i < present.size(); ++i)
    EXPECT_EQ(page->DeviceBox->CBDevice->itemText(static_cast<int>(i) + 1).toStdString(), present[i]);
  EXPECT_TRUE(page->DeviceBox->LOverride->isHidden());
  // Free text is taken as it stands and saved with OK; the one rule then opens it.
  page->DeviceBox->CBDevice->setEditText(QStringLiteral(" /dev/ttyUSB7 "));
  EXPECT_TRUE(page->Changed());
  page->ToolButton4->click();
  EXPECT_EQ(GOptionFile->Optionen().SerialPort->First().DevicePath, "/dev/ttyUSB7");
  // In the file (the XML writer escapes the slashes).
  EXPECT_NE(ReadWholeFile(OptionFileName()).find("<DevicePath>&#x2F;dev&#x2F;ttyUSB7</DevicePath>"), std::string::npos);
  EXPECT_EQ(ResolveBusDevice("/dev/ttyUSB7", 1), "/dev/ttyUSB7");
  // The environment wins, and the page says so.
  setenv("ZYN_BUS_DEVICE", "/dev/pts/77", 1);
  page = ShowPage<TFrOptionen>("FrOptionen");
  EXPECT_FALSE(page->DeviceBox->LOverride->isHidden());
  EXPECT_TRUE(page->DeviceBox->LOverride->text().contains(QStringLiteral("/dev/pts/77")));
  EXPECT_EQ(page->DeviceBox->Device(), "/dev/ttyUSB7");
  unsetenv("ZYN_BUS_DEVICE");
}

TEST_F(OptionsPagesTest, AChangedFolderIsMadeAndOneThatCannotBeMadeKeepsThePage) {
  auto* page = ShowPage<TFrOptionen>("FrOptionen");
  const TempFolder dir("optpage_folders");
  const std::string oldProjects = GetProjectPath();
  ASSERT_TRUE(WriteWholeFile(dir.Dir() / "datei", "x"));
  page->PPE->setText(QString::fromStdString(dir.File("datei") + "/projekte"));
  shown.clear();
  answers = {1};
  page->ToolButton4->click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Der Ordner \"") + QString::fromStdString(dir.File("datei")) +
                                  QStringLiteral("/projekte\" konnte nicht angelegt werden")))
      << shown[0].toStdString();
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrOptionen"));
  EXPECT_EQ(GetProjectPath(), oldProjects);  // nothing taken over

  page->PPE->setText(QString::fromStdString(dir.File("neu/projekte")));
  shown.clear();
  page->ToolButton4->click();
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.Dir() / "neu" / "projekte"));
  EXPECT_EQ(GetProjectPath(), dir.File("neu/projekte") + "/");
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrStmBearb"));
}

TEST_F(OptionsPagesTest, TheSupportAddressIsShownAndSavedIntoTheOptionsFile) {
  auto* page = ShowPage<TFrOptionen>("FrOptionen");
  EXPECT_EQ(page->SupportAddress->text(), QStringLiteral("support@zyn-systemsoftware.de"));
  page->SupportAddress->setText(QStringLiteral("  hilfe@elektro-mueller.de "));
  page->ToolButton4->click();
  TZYNOptionFile reread;
  ASSERT_TRUE(reread.LoadFromFile(OptionFileName()));
  EXPECT_EQ(reread.Optionen().Internet->First().SupportAddress, "hilfe@elektro-mueller.de");
}

TEST_F(OptionsPagesTest, CompanyDataAreSavedIntoTheOptionsFile) {
  auto* page = ShowPage<TFrBasisDaten>("FrBasisDaten");
  ASSERT_TRUE(page);
  EXPECT_FALSE(page->BtnOK->isEnabled());
  page->B1->setText(QStringLiteral("Elektro Müller GmbH"));
  EXPECT_TRUE(page->BtnOK->isEnabled());
  page->BtnOK->click();
  EXPECT_TRUE(form->FM->CurrentFrame().isEmpty());
  TZYNOptionFile reread;
  ASSERT_TRUE(reread.LoadFromFile(OptionFileName()));
  EXPECT_EQ(reread.Optionen().BasisDaten->First().Firma1, "Elektro M\xFCller GmbH");
}

}  // namespace
}  // namespace zyn::test
