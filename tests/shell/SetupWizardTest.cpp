#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "shell/Einrichtungsexperte.h"
#include "tests/support/AppFixture.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace zyn {
namespace {

std::string ReadAll(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The first start of the programme: no options file yet, so the defaults are written at once.
class SetupWizard : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    ASSERT_TRUE(dir.isValid());
    file = (dir.path() + "/zyn.xml").toStdString();
    GOptionFile = std::make_unique<TZYNOptionFile>(dir.path().toStdString() + "/");
    EXPECT_FALSE(GOptionFile->LoadFromFile(file));
    EXPECT_TRUE(GOptionFile->ApplyFirstRun(file));
  }
  void TearDown() override { GOptionFile.reset(); }

  // Runs `act` on the wizard as soon as it is shown modally.
  void WhenShown(std::function<void(TFormEinrichtungsexperte*)> act) {
    QTimer::singleShot(0, [act] {
      auto* w = qobject_cast<TFormEinrichtungsexperte*>(QApplication::activeModalWidget());
      ASSERT_NE(w, nullptr);
      act(w);
    });
  }

  QTemporaryDir dir;
  std::string file;
};

TEST_F(SetupWizard, FirstStartShowsItOnceAndCancelLeavesTheOptionsFile) {
  const std::string before = ReadAll(file);
  EXPECT_FALSE(GetBoolOption(boConfigAssist));
  TSetupWizardGate gate(file);
  bool shown = false;
  WhenShown([&](TFormEinrichtungsexperte* w) {
    shown = true;
    EXPECT_EQ(w->currentId(), TFormEinrichtungsexperte::KW);
    EXPECT_FALSE(w->SidePicture->pixmap().isNull());
    w->next();
    w->B1->SetText("Elektro Müller");  // typed, then thrown away
    w->button(QWizard::CancelButton)->click();
  });
  EXPECT_TRUE(gate.Activated(nullptr));
  EXPECT_TRUE(shown);
  EXPECT_EQ(ReadAll(file), before);
  EXPECT_FALSE(GetBoolOption(boConfigAssist));
  EXPECT_EQ(GOptionFile->Optionen().BasisDaten->First().Firma1, "");
  // a second activation in the same run does not bring it back
  EXPECT_FALSE(gate.Activated(nullptr));
}

TEST_F(SetupWizard, FinishStoresEveryPageSetsConfigAssistAndSavesTheFile) {
  GOptionFile->Optionen().FileMenu->First().MaxItems = 25;  // more than the wizard accepts
  TSetupWizardGate gate(file);
  WhenShown([](TFormEinrichtungsexperte* w) {
    EXPECT_EQ(w->ADM->Value(), 10);
    EXPECT_TRUE(w->SAL->isChecked());  // the defaults are shown
    EXPECT_EQ(w->GBSource->checkedId(), 1);
    w->button(QWizard::CustomButton2)->click();  // "Letzte Seite"
    EXPECT_EQ(w->currentId(), TFormEinrichtungsexperte::KWizardInteriorPage3);
    w->B1->SetText("Elektro Müller");
    w->B4->SetText("Hauptstraße 1");
    w->B9->SetText("info@example.com");
    w->GBSource->button(3)->setChecked(true);
    w->GBTarget->button(2)->setChecked(true);
    w->EDevice->SetText(" /dev/ttyUSB0 ");
    w->SAL->setChecked(false);
    w->VZA->setChecked(true);
    w->ADM->SetValue(7);
    w->button(QWizard::FinishButton)->click();
  });
  EXPECT_TRUE(gate.Activated(nullptr));
  EXPECT_TRUE(GetBoolOption(boConfigAssist));

  // the file holds it all: read it back into fresh options
  TZYNOptionFile back(dir.path().toStdString() + "/");
  ASSERT_TRUE(back.LoadFromFile(file));
  TZYNOptionen& o = back.Optionen();
  EXPECT_TRUE(o.Optionen->First().ConfigAssist);
  EXPECT_TRUE(o.Optionen->First().FirstRun);
  EXPECT_FALSE(o.Optionen->First().ConfirmDelete);
  EXPECT_EQ(o.BasisDaten->First().Firma1, Ansi("Elektro Müller"));
  EXPECT_EQ(o.BasisDaten->First().Strasse, Ansi("Hauptstraße 1"));
  EXPECT_EQ(o.BasisDaten->First().email, "info@example.com");
  EXPECT_EQ(o.SerialPort->First().Source, 3);
  EXPECT_EQ(o.SerialPort->First().Target, 2);
  EXPECT_EQ(o.SerialPort->First().DevicePath, "/dev/ttyUSB0");  // the file keeps the device path
  EXPECT_EQ(o.SerialPort->First().MaxTimeout, 100);             // the read-only group keeps the stored values
  EXPECT_EQ(o.FileMenu->First().MaxItems, 7);
  EXPECT_TRUE(o.FileMenu->First().ShowFolder);
  // once completed, the next start does not show it
  TSetupWizardGate nextStart(file);
  EXPECT_FALSE(nextStart.Activated(nullptr));
}

TEST_F(SetupWizard, FinishingUnchangedDefaultsStillWritesTheFile) {
  TSetupWizardGate gate(file);
  const std::string before = ReadAll(file);
  WhenShown([](TFormEinrichtungsexperte* w) {
    w->button(QWizard::CustomButton2)->click();
    w->button(QWizard::FinishButton)->click();
  });
  gate.Activated(nullptr);
  const std::string after = ReadAll(file);
  EXPECT_NE(after, before);
  TZYNOptionFile back(dir.path().toStdString() + "/");
  ASSERT_TRUE(back.LoadFromFile(file));
  EXPECT_TRUE(back.Optionen().Optionen->First().ConfigAssist);
  EXPECT_EQ(back.Optionen().FileMenu->First().MaxItems, 4);
}

// The company data and the serial device are the control library's edits, the numbers its spin
// edits; what is typed into them on the keyboard reaches the options.
TEST_F(SetupWizard, TheFieldsAreOurControlsAndTypedValuesReachTheOptions) {
  TSetupWizardGate gate(file);
  WhenShown([](TFormEinrichtungsexperte* w) {
    for (const char* name : {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B9", "EDevice"})
      EXPECT_NE(w->findChild<TZCLEdit*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"AWA", "MTA", "MTP", "ADM"})
      EXPECT_NE(w->findChild<TZCLSpinEdit*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(w->findChildren<QLineEdit*>().isEmpty());
    EXPECT_TRUE(w->findChildren<QSpinBox*>().isEmpty());
    // Laid out, each edit is as tall as its text needs.
    const auto tallEnough = [](TZCLCustomEdit* edit) {
      EXPECT_GE(edit->height(), edit->fontMetrics().height() + 4) << edit->objectName().toStdString();
    };
    w->next();
    QApplication::processEvents();
    for (TZCLCustomEdit* edit : {w->B1, w->B2, w->B3, w->B4, w->B5, w->B6, w->B7, w->B9}) tallEnough(edit);
    w->B1->setFocus();
    QTest::keyClicks(w->B1, QStringLiteral("Elektro Weiß"));
    QTest::keyClicks(w->B5, QStringLiteral("12345"));
    QTest::keyClicks(w->B9, QStringLiteral("service@example.com"));
    w->next();
    QApplication::processEvents();
    for (TZCLCustomEdit* edit : {static_cast<TZCLCustomEdit*>(w->EDevice), static_cast<TZCLCustomEdit*>(w->AWA)})
      tallEnough(edit);
    QTest::keyClicks(w->EDevice, QStringLiteral("/dev/ttyS1"));
    w->next();
    const int shown = w->ADM->Value();
    QTest::keyClick(w->ADM, Qt::Key_Up);
    QTest::keyClick(w->ADM, Qt::Key_Up);
    EXPECT_EQ(w->ADM->Value(), shown + 2);
    w->button(QWizard::FinishButton)->click();
  });
  EXPECT_TRUE(gate.Activated(nullptr));
  TZYNOptionen& o = GOptionFile->Optionen();
  EXPECT_EQ(o.BasisDaten->First().Firma1, Ansi("Elektro Weiß"));
  EXPECT_EQ(o.BasisDaten->First().PLZ, "12345");
  EXPECT_EQ(o.BasisDaten->First().email, "service@example.com");
  EXPECT_EQ(o.SerialPort->First().DevicePath, "/dev/ttyS1");
  EXPECT_EQ(o.FileMenu->First().MaxItems, 6);
}

}  // namespace
}  // namespace zyn
