// "Funktionslisten" as the installer uses it: open a file, edit through the fields, add and
// delete entries, save, and the program's own reader sees the edit.

#include "logic/FunctionListEditor.h"

#include "model/base/Cp1252.h"
#include "platform/MessageDlg.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class FunctionListEditor : public test::AppTest {
 protected:
  void SetUp() override {
    TEAFunktionsContainer c;
    for (int l = 0; l < 2; ++l) {
      TEAFunctionList* list = c.Add();
      list->ListName = "Liste " + std::to_string(l);
      list->ListNumber = 70000;  // more than the spin field shows
      for (int f = 0; f < 2; ++f) {
        TEABaseFunction* cmd = list->AddFunction();
        cmd->DisplayName = "Befehl " + std::to_string(l) + std::to_string(f);
        cmd->Command = 99;
      }
    }
    c.TXMLCollection::SaveToFile(folder.File("Befehle.xml"));
    page.OnChooseOpenFile = [this](const std::string&) { return chosen; };
    page.OnChooseSaveFile = [this](const std::string& preset) {
      offered = preset;
      return chosen;
    };
    SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      messages.push_back(text.toStdString());
      return answer;
    });
    page.show();
  }
  void TearDown() override { SetMessageDlgHook({}); }
  QTreeWidgetItem* Node(int list, int command = -1) {
    QTreeWidgetItem* n = page.TreeView1->topLevelItem(list);
    return command < 0 ? n : n->child(command);
  }

  test::TempFolder folder;
  TFrFunctionEdit page;
  std::string chosen, offered;
  std::vector<std::string> messages;
  int answer = 6;
};

TEST_F(FunctionListEditor, OpenEditSaveAndReopenGivesTheEdit) {
  EXPECT_FALSE(page.PG->isEnabled());
  page.NewListClick();  // nothing open: nothing happens
  EXPECT_EQ(page.TreeView1->topLevelItemCount(), 0);

  chosen = folder.File("Befehle.zfl");
  page.OpenClick();
  page.OpenClick();  // a second open shows the file once
  ASSERT_EQ(page.TreeView1->topLevelItemCount(), 2);
  EXPECT_EQ(Node(1, 1)->text(0), QStringLiteral("Befehl 11"));
  EXPECT_FALSE(page.PG->isEnabled());

  // A command: its page, typed fields write at once; the node follows the shown name.
  page.TreeView1->setCurrentItem(Node(0, 1));
  EXPECT_TRUE(page.PG->isEnabled());
  EXPECT_EQ(page.PG->currentIndex(), 1);
  EXPECT_EQ(page.ECommand->Value(), 30);  // shown clamped
  page.EDisplayName->selectAll();
  QTest::keyClicks(page.EDisplayName, QStringLiteral("Einschalten "));
  QTest::sendKeyEvent(QTest::Click, page.EDisplayName, Qt::Key_Udiaeresis, QStringLiteral("ü"), Qt::NoModifier);
  QTest::keyClicks(page.EDisplayName, QStringLiteral("ber Taster"));
  EXPECT_EQ(Node(0, 1)->text(0), QStringLiteral("Einschalten über Taster"));
  QTest::keyClicks(page.EGerman, QStringLiteral("Ein"));
  page.EMemo->setPlainText(QStringLiteral("Schaltet ein"));

  // The list's page shows a number it cannot hold without changing it.
  page.TreeView1->setCurrentItem(Node(0));
  EXPECT_EQ(page.PG->currentIndex(), 0);
  EXPECT_EQ(page.EListNumber->Value(), 65535);

  // A new command below the selected command's list, a deleted list.
  page.TreeView1->setCurrentItem(Node(0, 0));
  page.NewFuncClick();
  ASSERT_EQ(Node(0)->childCount(), 3);
  EXPECT_EQ(page.TreeView1->currentItem(), Node(0, 2));
  EXPECT_EQ(page.EDisplayName->text(), QStringLiteral("neue Funktion"));
  page.TreeView1->setCurrentItem(Node(1));
  answer = 7;
  page.DeleteClick();
  EXPECT_EQ(page.TreeView1->topLevelItemCount(), 2);
  answer = 6;
  page.DeleteClick();
  EXPECT_EQ(page.TreeView1->topLevelItemCount(), 1);

  // Saved: the dialog offers the file that was opened.
  chosen = folder.File("Neu.zfl");
  page.SaveClick();
  EXPECT_EQ(offered, folder.File("Befehle.xml"));
  EXPECT_TRUE(messages.size() == 2u) << messages.size();  // the two delete questions only

  TEAFunktionsContainer model;
  model.TXMLCollection::LoadFromFile(folder.File("Neu.zfl"));
  ASSERT_EQ(model.Count(), 1);
  ASSERT_EQ(model.GetList(0)->Count(), 3);
  EXPECT_EQ(model.GetList(0)->ListNumber, 70000);
  EXPECT_EQ(model.GetList(0)->GetFunction(0)->Command, 99);
  EXPECT_EQ(model.GetList(0)->GetFunction(1)->DisplayName, Ansi("Einschalten über Taster"));
  EXPECT_EQ(model.GetList(0)->GetFunction(1)->GermanFunc, "Ein");
  EXPECT_EQ(model.GetList(0)->GetFunction(1)->FunctionHint, "Schaltet ein");
  EXPECT_EQ(model.GetList(0)->GetFunction(2)->DisplayName, "neue Funktion");

  // Reopened in a fresh page: the edit is there.
  TFrFunctionEdit again;
  again.OnChooseOpenFile = [this](const std::string&) { return folder.File("Neu.zfl"); };
  again.OpenClick();
  ASSERT_EQ(again.TreeView1->topLevelItemCount(), 1);
  EXPECT_EQ(again.TreeView1->topLevelItem(0)->child(1)->text(0), QStringLiteral("Einschalten über Taster"));
}

TEST_F(FunctionListEditor, FileThatCannotBeReadIsNamedAndTheTreeStays) {
  chosen = folder.File("Befehle.xml");
  page.OpenClick();
  chosen = folder.File("fehlt.xml");
  page.OpenClick();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("fehlt.xml"), std::string::npos);
  EXPECT_EQ(page.TreeView1->topLevelItemCount(), 2);
  EXPECT_EQ(page.Document().FileName(), folder.File("Befehle.xml"));
}

}  // namespace
}  // namespace zyn
