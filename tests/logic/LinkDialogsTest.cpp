// The builder, the details dialog and the small logic dialogs, opened from the direct-link page
// as the installer opens them.

#include "logic/FrmVerbDetail.h"
#include "logic/FrmVerknwahl.h"
#include "logic/LinkListView.h"
#include "logic/LogicDialogs.h"
#include "logic/SmallLogicDialogs.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "tests/logic/LinkPageFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class LinkDialogs : public LinkPageTest {
 protected:
  // A plain link from input 0 to output 1, selected in the list.
  TVerbindung* PlainLink() {
    SelectInput("INP", 0);
    SelectOutputs("OUT", {0});
    page->BtnVerbinde->click();
    page->LVerbindungen->setCurrentRow(0);
    return page->LVerbindungen->LinkAt(0);
  }
  TEingang* Input(int n) { return Stm(0).Module.FindModul("INP", 1)->FindEingang(n); }
};

TEST_F(LinkDialogs, BuilderSetsKindOrAndElseAndConvertsBack) {
  TVerbindung* link = PlainLink();
  ASSERT_NE(link, nullptr);
  dialogs.push_back([this](QDialog& d) {
    auto& b = dynamic_cast<TFrmVerknwahl&>(d);
    EXPECT_FALSE(b.BtnOK->isEnabled());
    EXPECT_FALSE(b.BtnConvert->isEnabled());
    // Input channels and clocks are refused as ELSE targets; a flag is taken.
    EXPECT_FALSE(b.SonstEdit->Accepts(b.NodeOf(Input(1))));
    EXPECT_TRUE(b.SonstEdit->Accepts(b.NodeOf(Stm(0).Merker.FindByAddress(0))));
    b.DropCondition(Input(1));
    b.DropCondition(Input(2));
    EXPECT_TRUE(b.RGType->isEnabled());
    b.RbOder->setChecked(true);
    EXPECT_EQ(b.Work().LogicOr(), 1);
    b.DeleteCondition(1);  // one left: back to UND
    EXPECT_TRUE(b.RbUnd->isChecked());
    EXPECT_EQ(b.Work().LogicOr(), 0);
    b.ToggleCondition(0);  // EIN becomes AUS
    b.DropElse(Stm(0).Merker.FindByAddress(0));
    EXPECT_TRUE(b.ElseDelete->isEnabled());
    b.BtnOK->click();
    return 1;
  });
  page->ConvertClick();
  ASSERT_EQ(page->LVerbindungen->LinkAt(0), link);
  EXPECT_EQ(link->Kind(), 2);
  EXPECT_EQ(link->GetLogicCount(), 1);
  EXPECT_EQ(link->Logic(0).LogicState(), 0);
  EXPECT_EQ(link->ElseTarget().ObjType(), kObjMerker);

  // Through the details: "Ändern" allows the conversion; removing the ELSE text gives kind 1.
  dialogs.push_back([this](QDialog& d) {
    auto& details = dynamic_cast<TFrmVerbDetail&>(d);
    EXPECT_EQ(details.Notebook1->currentIndex(), 1);
    EXPECT_EQ(details.height(), 395);
    dialogs.insert(dialogs.begin(), [](QDialog& inner) {
      auto& b = dynamic_cast<TFrmVerknwahl&>(inner);
      EXPECT_TRUE(b.BtnConvert->isEnabled());
      b.ElseDelete->click();
      b.BtnOK->click();
      return 1;
    });
    details.SpeedButton1->click();
    EXPECT_EQ(details.height(), 305);
    // And now to a plain link.
    dialogs.insert(dialogs.begin(), [](QDialog& inner) {
      dynamic_cast<TFrmVerknwahl&>(inner).BtnConvert->click();
      return 2;
    });
    details.SpeedButton1->click();
    EXPECT_EQ(details.Notebook1->currentIndex(), 0);
    return 1;
  });
  page->LVerbindungenDblClick();
  link = page->LVerbindungen->LinkAt(0);
  EXPECT_EQ(link->Kind(), 0);
  EXPECT_EQ(link->GetLogicCount(), 0);
  EXPECT_FALSE(link->ElseTarget().Present());
}

TEST_F(LinkDialogs, DialogsShownOverTheMainWindowLayTheirControlsOut) {
  PlainLink();
  auto laidOut = [](QDialog& d, QWidget* lastControl) {
    d.show();
    QApplication::processEvents();
    const QRect r = lastControl->geometry();
    EXPECT_GT(r.top(), 0) << d.objectName().toStdString();
    EXPECT_TRUE(d.rect().contains(lastControl->mapTo(&d, QPoint(0, 0)))) << d.objectName().toStdString();
    return 2;
  };
  dialogs.push_back([&](QDialog& d) { return laidOut(d, dynamic_cast<TFrmVerknwahl&>(d).BtnOK); });
  page->ConvertClick();
  dialogs.push_back([&](QDialog& d) { return laidOut(d, dynamic_cast<TFrmVerbDetail&>(d).BitBtn2); });
  page->LVerbindungenDblClick();
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(LinkDialogs, BuilderTakesAtMostFiftyConditions) {
  for (int n = 10; n < 62; ++n) {
    auto flag = std::make_unique<TMerker>();
    flag->SetInternalName("EXTRA" + std::to_string(n));
    flag->SetDisplayName("Merker " + std::to_string(n));
    flag->SetAdresse(n);
    Stm(0).Merker.Add(std::move(flag));
  }
  PlainLink();
  dialogs.push_back([this](QDialog& d) {
    auto& b = dynamic_cast<TFrmVerknwahl&>(d);
    for (int n = 10; n < 60; ++n) EXPECT_TRUE(b.DropCondition(Stm(0).Merker.FindByAddress(n)));
    EXPECT_FALSE(b.AcceptsCondition(Stm(0).Merker.FindByAddress(60)));
    EXPECT_FALSE(b.DropCondition(Stm(0).Merker.FindByAddress(60)));
    EXPECT_TRUE(shown.back().startsWith(QStringLiteral("Eine Verknüpfung kann höchstens 50 Bedingungen enthalten")));
    b.BtnOK->click();
    return 1;
  });
  page->ConvertClick();
  EXPECT_EQ(page->LVerbindungen->LinkAt(0)->GetLogicCount(), 50);
}

TEST_F(LinkDialogs, DetailsCheckParameterTexts) {
  TVerbindung* link = PlainLink();
  link->SetHasTargetParam(true);
  link->SetTargetParamMode(1);
  link->SetTargetFactor(1.0);
  link->SetTargetParamCaption("Helligkeit|Sekunden");
  dialogs.push_back([this](QDialog& d) {
    auto& details = dynamic_cast<TFrmVerbDetail&>(d);
    details.show();
    EXPECT_TRUE(details.Edit13->isVisible());
    EXPECT_FALSE(details.Button1->isVisible());
    EXPECT_EQ(details.Label15->text(), QStringLiteral("Helligkeit;Sekunden"));
    details.Edit13->setText(QStringLiteral("12;300"));
    EXPECT_FALSE(details.ValidateParamEdit(details.Edit13));
    EXPECT_EQ(shown.back(), QStringLiteral("Mindestens einer der eingegebenen Parameter ist ungültig"));
    details.Edit13->setText(QStringLiteral("12"));
    details.Edit13->setFocus();
    QTest::keyClick(&details, Qt::Key_Return);
    EXPECT_NE(details.result(), QDialog::Accepted);
    EXPECT_TRUE(shown.back().startsWith(QStringLiteral("Sie müssen hier zwei Parameter angeben")));
    QTest::keyClicks(details.Edit13, QStringLiteral(";40"));
    EXPECT_TRUE(details.ValidateParamEdit(details.Edit13));
    details.BitBtn2->click();
    EXPECT_EQ(details.result(), QDialog::Accepted);
    return 1;
  });
  page->LVerbindungenDblClick();
  link = page->LVerbindungen->LinkAt(0);
  EXPECT_EQ(link->TargetParam() & 0xFF, 12);
  EXPECT_EQ(link->TargetParam() >> 8, 40);
}

TEST_F(LinkDialogs, LinkListsPerRowAndReadOnlyDetails) {
  // An output that no link uses.
  SelectOutputs("OUT", {2});
  page->ShowTargetLinkList(false);
  EXPECT_EQ(shown.back(), QStringLiteral("Dieser Kanal wird nicht verwendet"));
  PlainLink();
  // A condition in the other control module: the logic cannot work and is drawn red.
  TVerbindung* link = page->LVerbindungen->LinkAt(0);
  link->SetKind(1);
  SetCondition(*link, 0, 25, 1, 0, 0, 1, "MRK", "X");
  int listed = -1;
  dialogs.push_back([&](QDialog& d) {
    auto& list = dynamic_cast<TFrmFuncVerb&>(d);
    listed = list.LVerbindungen->count();
    EXPECT_FALSE(list.LVerbindungen->LinkAt(0)->HasValidLogic);
    EXPECT_FALSE(list.Label3->isVisible() && list.isVisible());
    dialogs.insert(dialogs.begin(), [](QDialog& inner) {
      auto& details = dynamic_cast<TFrmVerbDetail&>(inner);
      EXPECT_EQ(details.ComboBox1->count(), 1);
      EXPECT_EQ(details.ComboBox4->count(), 1);
      EXPECT_FALSE(details.ComboBox4->isEnabled());
      EXPECT_FALSE(details.SpeedButton1->isEnabled());
      return 1;
    });
    list.ShowDetails(list.LVerbindungen->LinkAt(0));
    return 1;
  });
  SelectOutputs("OUT", {0});
  page->ShowTargetLinkList(false);
  EXPECT_EQ(listed, 1);
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(LinkDialogs, LinkListWithGroupsShowsTheGeneratedLinksAndRemovesThemAgain) {
  SelectInput("INP", 1);
  SelectOutputs("Gruppen", {0});
  page->BtnVerbinde->click();
  ASSERT_EQ(page->LVerbindungen->count(), 1);
  const std::vector<uint8_t> before = Bytes();
  // Output 1 is used only through the group: without generating nothing lists it.
  SelectOutputs("OUT", {0});
  page->ShowTargetLinkList(false);
  EXPECT_EQ(shown.back(), QStringLiteral("Dieser Kanal wird nicht verwendet"));
  int listed = 0;
  bool generated = false;
  dialogs.push_back([&](QDialog& d) {
    auto& list = dynamic_cast<TFrmFuncVerb&>(d);
    listed = list.LVerbindungen->count();
    generated = listed > 0 && list.LVerbindungen->LinkAt(0)->IsGenerated();
    return 1;
  });
  page->ShowTargetLinkList(true);
  EXPECT_EQ(listed, 1);
  EXPECT_TRUE(generated);
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(page->LVerbindungen->count(), 1);
}

}  // namespace
}  // namespace zyn::test
