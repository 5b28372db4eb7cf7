// The command, text and parameter dialogs as the installer meets them, and the routines that
// store what they return.

#include "logic/LogicDialogs.h"

#include "logic/GlobalFuncs.h"
#include "logic/SmallLogicDialogs.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Verbindung.h"
#include "platform/AppHint.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/support/AppFixture.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace zyn {
namespace {

using test::EnsureApp;

class LogicDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ownBasis = !GBasisDaten;
    if (ownBasis) GBasisDaten = std::make_unique<TBasisDaten>();
    TEAFunctionList* list = GBasisDaten->BefehlsListen.Add();
    list->ListName = "Testbefehle";
    auto add = [list](const char* name, int dialog, const char* para, const char* old = "") {
      TEABaseFunction* f = list->AddFunction();
      f->InternalName = name;
      f->DisplayName = std::string("Befehl ") + name;
      f->Dialog = dialog;
      f->ParaText = para;
      f->OldName = old;
    };
    add("EIN", -1, "");
    add("DIMM", 2, "den Dimmwert");
    add("PRIO", 5, "", "Prio alt");
    add("TREPPE", 1, "Dauer;Sekunden;1;600");
    add("HELL", 2, "Helligkeit;Prozent;0;100");
    channel.BefehlsListe = "Testbefehle";
  }
  void TearDown() override {
    SetLogicDialogHook({});
    const int index = GBasisDaten->BefehlsListen.IndexOfList("Testbefehle");
    if (index >= 0) GBasisDaten->BefehlsListen.Delete(index);
    if (ownBasis) GBasisDaten.reset();
  }
  bool ownBasis = false;
  TAusgang channel;
};

// A dialog that is confirmed only with a text that is not blank, neither by OK nor by Enter.
void ExpectConfirmOnlyWithText(QDialog& dialog, QLineEdit* edit, QPushButton* ok) {
  dialog.show();
  QTest::keyClicks(edit, QStringLiteral("   "));
  EXPECT_FALSE(ok->isEnabled());
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClicks(edit, QStringLiteral("Flur"));
  EXPECT_TRUE(ok->isEnabled());
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LogicDialogs, RenameOkOnlyWithText) {
  TFrmRename rename;
  ExpectConfirmOnlyWithText(rename, rename.Edit2, rename.BtnOK);
}

TEST_F(LogicDialogs, InputOkOnlyWithTextAndReturnIgnoredOnBlanks) {
  TFrmInput dialog;
  ExpectConfirmOnlyWithText(dialog, dialog.Edit1, dialog.BtnOK);
  std::string text = "alt";
  SetLogicDialogHook([](QDialog& d) {
    auto& input = static_cast<TFrmInput&>(d);
    input.Edit1->setText(QStringLiteral("Neu"));
    return 2;
  });
  EXPECT_FALSE(InputText("Titel", "Name:", text));
  EXPECT_EQ(text, "alt");
}

TEST_F(LogicDialogs, ParameterSpinEditsClampOnReturnAndOnLeaving) {
  TFrmParameter dialog;
  TParameterForm form;
  PrepareNewParameter(1, "die Zeit", form);
  dialog.Load(form);
  dialog.show();
  dialog.SpinEdit[1]->setFocus();
  dialog.SpinEdit[1]->SelectAll();
  // A value above the range is refused with the range named and put into the range; the next
  // Return takes it.
  std::vector<QString> messages;
  SetMessageDlgHook([&messages](const QString& text, const QString&, unsigned) {
    messages.push_back(text);
    return IDOK;
  });
  QTest::keyClicks(dialog.SpinEdit[1], QStringLiteral("99999"));
  QTest::keyClick(dialog.SpinEdit[1], Qt::Key_Return);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("von 1 bis 65535 Sekunden"))) << messages[0].toStdString();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.SpinEdit[1]->Value(), 65535);
  QTest::keyClick(dialog.SpinEdit[1], Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Store().Spin[1].Value, 65535);
  SetMessageDlgHook({});
  // Dimmwert 300 and Verstellzeit 0 come back as 255 and 1.
  PrepareNewParameter(2, "den Wert", form);
  dialog.Load(form);
  EXPECT_EQ(dialog.Notebook1->currentIndex(), 1);
  dialog.SpinEdit[2]->SetValue(300);
  dialog.SpinEdit[3]->SetValue(0);
  const TParameterForm stored = dialog.Store();
  EXPECT_EQ(stored.Spin[2].Value, 255);
  EXPECT_EQ(stored.Spin[3].Value, 1);
}

TEST_F(LogicDialogs, NewLinkParameterIsAskedOnTheKindsPageAndStored) {
  TVerbindung link;
  link.Target().SetFunctionName("DIMM");
  int pages = 0;
  SetLogicDialogHook([&pages](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    pages = p.Notebook1->currentIndex();
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Bitte geben Sie den Dimmwert ein"));
    p.SpinEdit[2]->SetValue(128);
    p.SpinEdit[3]->SetValue(10);
    return 1;
  });
  EditLinkParameters(channel, link, lsThen);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(link.TargetParam(), 0x1080);
  EXPECT_TRUE(link.HasTargetParam());
  // A command without parameter shows nothing and clears the side.
  SetLogicDialogHook([](QDialog&) -> int {
    ADD_FAILURE() << "no dialog expected";
    return 1;
  });
  link.ElseTarget().SetFunctionName("EIN");
  link.SetHasElseParam(true);
  EditLinkParameters(channel, link, lsElse);
  EXPECT_FALSE(link.HasElseParam());
  // A stored kind-5 parameter opens filled and takes the change.
  link.Target().SetFunctionName("PRIO");
  SetLogicDialogHook([](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    p.RadioGroup[1]->button(3)->setChecked(true);
    p.SpinEdit[4]->SetValue(20);
    return 1;
  });
  EditLinkParameters(channel, link, lsThen);
  EXPECT_EQ(LinkParameterText(link, lsThen, false), "t= 20 Sekunden, Prio=  3, PWL=  0");
  SetLogicDialogHook([](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    EXPECT_EQ(p.SpinEdit[4]->Value(), 20);
    EXPECT_EQ(p.RadioGroup[1]->checkedId(), 3);
    p.CheckBox[1]->setChecked(true);
    return 1;
  });
  EXPECT_TRUE(ChangeLinkParameters(link));
  EXPECT_EQ(LinkParameterText(link, lsThen, false), "t= 20 Sekunden, Prio=  3, PWL=  1");
}

// Shows the dialog and types the text over the spin edit's value.
void TypeInto(TFrmParameter& p, int spin, const QString& text) {
  p.show();
  p.SpinEdit[spin]->setFocus();
  p.SpinEdit[spin]->SelectAll();
  QTest::keyClicks(p.SpinEdit[spin], text);
}

// The command list's fields give the prompt, the unit and the range; a value outside the range
// is refused with the range named, whether it is confirmed with Return or with the mouse after
// the field lost the focus; Cancel leaves the link without a parameter and answers false.
TEST_F(LogicDialogs, ParameterTakesCaptionUnitAndRangeFromTheCommandList) {
  std::vector<QString> messages;
  SetMessageDlgHook([&messages](const QString& text, const QString&, unsigned) {
    messages.push_back(text);
    return IDOK;
  });
  TVerbindung link;
  link.Target().SetFunctionName("TREPPE");
  bool ran = false;
  SetLogicDialogHook([&](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    ran = true;
    EXPECT_EQ(p.Notebook1->currentIndex(), 0);
    EXPECT_EQ(p.Label1->text(), QStringLiteral("Bitte geben Sie Dauer ein"));
    EXPECT_EQ(p.Label3->text(), QStringLiteral("Sekunden"));
    TypeInto(p, 1, QStringLiteral("700"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);  // the field is left: it puts
    QApplication::sendEvent(p.SpinEdit[1], &leave);           // the value into its range
    EXPECT_EQ(p.SpinEdit[1]->Value(), 600);
    p.OKButton(0)->click();
    EXPECT_TRUE(p.isVisible());  // refused, the range named
    EXPECT_EQ(messages.size(), 1u);
    p.SpinEdit[1]->SetValue(90);
    p.OKButton(0)->click();
    return p.result() == QDialog::Accepted ? 1 : 2;
  });
  EXPECT_TRUE(EditLinkParameters(channel, link, lsThen));
  EXPECT_TRUE(ran);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("700"))) << messages[0].toStdString();
  EXPECT_TRUE(messages[0].contains(QStringLiteral("von 1 bis 600 Sekunden"))) << messages[0].toStdString();
  EXPECT_EQ(link.TargetParam(), 90);

  // Brightness in percent: the dim value's range and unit.
  TVerbindung dim;
  dim.Target().SetFunctionName("HELL");
  messages.clear();
  SetLogicDialogHook([&](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Bitte geben Sie Helligkeit ein"));
    EXPECT_EQ(p.Label5->text(), QStringLiteral("Prozent"));
    TypeInto(p, 2, QStringLiteral("200"));
    QTest::keyClick(p.SpinEdit[2], Qt::Key_Return);
    EXPECT_TRUE(p.isVisible());
    return 2;  // and then cancelled
  });
  EXPECT_FALSE(EditLinkParameters(channel, dim, lsThen));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("von 0 bis 100 Prozent"))) << messages[0].toStdString();
  SetMessageDlgHook({});
}

TEST_F(LogicDialogs, ParameterDialogCancelsAndKeepsItsHintsWhileOpen) {
  TFrmParameter dialog;
  TParameterForm form;
  PrepareNewParameter(1, "die Zeit", form);
  dialog.Load(form);
  const int before = HintHidePause();
  dialog.show();
  EXPECT_EQ(HintHidePause(), 65535);
  dialog.CancelButton(0)->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(HintHidePause(), before);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(LogicDialogs, ChooserPreselectsAndCancelReturnsNothing) {
  std::string suffix = "unverändert";
  SetLogicDialogHook([](QDialog& d) {
    auto& c = static_cast<TFrmGetFunction&>(d);
    EXPECT_TRUE(c.BtnCancel->isVisibleTo(&c));
    EXPECT_EQ(c.FC->currentRow(), 2);
    c.close();  // the window's close box
    return c.result() == QDialog::Accepted ? 1 : 2;
  });
  EXPECT_EQ(ChooseOutputFunction(channel, "BEFEHL PRIO", suffix), nullptr);
  EXPECT_EQ(suffix, "unverändert");
  SetLogicDialogHook([](QDialog& d) {
    auto& c = static_cast<TFrmGetFunction&>(d);
    EXPECT_FALSE(c.BtnCancel->isVisibleTo(&c));
    EXPECT_EQ(c.FC->currentRow(), 0);
    c.FC->setCurrentRow(2);
    emit c.FC->itemDoubleClicked(c.FC->currentItem());
    return c.result() == QDialog::Accepted ? 1 : 2;
  });
  TEABaseFunction* chosen = ChooseOutputFunction(channel, "", suffix);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->InternalName, "PRIO");
  EXPECT_EQ(suffix, ":Prio alt");
  // A flag uses "Ausgangsfunktionen Merker"; without that list nothing is shown.
  TMerker flag;
  if (!GBasisDaten->BefehlsListen.FindList("Ausgangsfunktionen Merker")) {
    SetLogicDialogHook([](QDialog&) -> int {
      ADD_FAILURE() << "no dialog expected";
      return 1;
    });
    EXPECT_EQ(ChooseOutputFunction(flag, "", suffix), nullptr);
  }
}

TEST_F(LogicDialogs, RangeFromThePageOfDelays) {
  SetLogicDialogHook([](QDialog& d) {
    auto& p = static_cast<TFrmParameter&>(d);
    EXPECT_EQ(p.Notebook1->currentIndex(), 7);
    p.SpinEdit[10]->SetValue(5);
    p.SpinEdit[11]->SetValue(30);
    return 1;
  });
  EXPECT_EQ(InputRange(), "5-30");
}

}  // namespace
}  // namespace zyn

#include "logic/LinkPictures.h"

#include <QImage>

namespace zyn {
namespace {

TEST(LinkPictures, EachKindHasItsOwnPictureAndCrossLinksTheirMark) {
  EnsureApp();
  const QStringList names = {"VERBINDUNG", "VERKNUPF", "VERKNUPFALT", "VERBOVL", "VERKNOVL", "VERKNALTOVL"};
  QList<QImage> images;
  for (const QString& name : names) {
    const QPixmap p = LinkPicture(name);
    ASSERT_FALSE(p.isNull()) << name.toStdString();
    EXPECT_EQ(p.size(), QSize(32, 16));
    images.push_back(p.toImage());
  }
  for (int i = 0; i < images.size(); ++i)
    for (int j = i + 1; j < images.size(); ++j) EXPECT_NE(images[i], images[j]) << i << " " << j;
  EXPECT_TRUE(LinkPicture(QStringLiteral("UNBEKANNT")).isNull());
  // The mark of another control module sits in the top right corner.
  EXPECT_EQ(images[3].pixelColor(29, 2), QColor(220, 0, 0));
  EXPECT_NE(images[0].pixelColor(29, 2), QColor(220, 0, 0));
  TVerbindung link;
  link.SetKind(1);
  link.Target().SetStmNummer(1);
  EXPECT_EQ(LinkBitmap(link).toImage(), images[4]);
}

}  // namespace
}  // namespace zyn
