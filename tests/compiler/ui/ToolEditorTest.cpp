// The tool editor on a copy of the default system library: byte-exact saves, checked variable
// edits, the script check before saving, the question before closing, failed saves, exchange of
// single tools.

#include "EditorFixture.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ToolEdit.h"
#include "compiler/toollib/ZYNFunction.h"
#include "compiler/ui/FormFEdit.h"
#include "compiler/ui/FormFEditDialogs.h"
#include "model/base/Cp1252.h"
#include "model/base/Streams.h"
#include "platform/MessageDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class ToolEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    file = CopyDefault("funcs.zyb");
    original = Bytes(file);
    editor = std::make_unique<TFrmFEdit>(file, nullptr);
    editor->ChooseFile = [this](bool, const QString&, const QString&, const std::string& suggested) {
      return chosen.empty() ? suggested : chosen;
    };
  }
  void TearDown() override {
    editor.reset();
    EditorTest::TearDown();
  }
  int IndexOf(const char* utf8Name) {
    for (int i = 0; i < editor->Library().Count(); ++i)
      if (editor->Library().GetFunction(i)->Info.FunctionName == Utf8ToAnsi(utf8Name)) return i;
    ADD_FAILURE() << utf8Name;
    return 0;
  }
  static std::string Raw(const TZYNFunction& tool) {
    TMemoryStream s;
    tool.SaveToStream(s);
    return std::string(s.Bytes().begin(), s.Bytes().end());
  }

  std::string file, original, chosen;
  std::unique_ptr<TFrmFEdit> editor;
};

TEST_F(ToolEditorTest, OpenAndSaveWithoutAChangeGivesTheFileBackByteForByte) {
  ASSERT_GT(editor->Library().Count(), 3);
  for (int i = 0; i < editor->LB->count(); ++i) editor->SelectTool(i);  // looking changes nothing
  editor->PC->setCurrentWidget(editor->ListMemo);
  EXPECT_FALSE(editor->Modified());
  ASSERT_TRUE(editor->SaveChanges());
  EXPECT_EQ(Bytes(file), original);
  EXPECT_TRUE(shown.empty());
}

TEST_F(ToolEditorTest, ChangingOneVariableChangesOnlyItsBytes) {
  const int tool = IndexOf("Treppenhauslicht");
  editor->SelectTool(tool);
  TZYNFunction& t = *editor->Library().GetFunction(tool);
  const int var = t.Variables.IndexOfName("LAUFZEIT");
  ASSERT_GE(var, 0);
  WhenModal<TEditVar>([](TEditVar& d) {
    EXPECT_FALSE(d.EdRepeats->isEnabled());
    EXPECT_TRUE(d.EdMax->isEnabled());
    d.EdMax->setText("7200");
    d.accept();
  });
  editor->EditVariable(var);
  EXPECT_TRUE(editor->Modified());
  ASSERT_TRUE(editor->SaveChanges());

  const std::string saved = Bytes(file);
  ASSERT_EQ(saved.size(), original.size());
  size_t first = std::string::npos, last = 0;
  for (size_t i = 0; i < saved.size(); ++i)
    if (saved[i] != original[i]) {
      first = std::min(first, i);
      last = i;
    }
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(last - first, 6u) << "only the six bytes of the maximum may differ";

  TZYNFunktionsListe before, after;
  ASSERT_TRUE(after.LoadFromFile(file));
  WriteWholeFile(folder.File("vorher.zyb"), original);
  ASSERT_TRUE(before.LoadFromFile(folder.File("vorher.zyb")));
  ASSERT_EQ(after.Count(), before.Count());
  for (int i = 0; i < after.Count(); ++i)
    if (i != tool) EXPECT_EQ(Raw(*after.GetFunction(i)), Raw(*before.GetFunction(i))) << i;
  EXPECT_EQ(after.GetFunction(tool)->FindVariable("LAUFZEIT")->GetMaxValue(), 7200);
  EXPECT_EQ(after.GetFunction(tool)->FindVariable("LAUFZEIT")->GetMinValue(), 1);
}

TEST_F(ToolEditorTest, AVariableEditThatFailsItsCheckIsRefusedWithItsReason) {
  const int tool = IndexOf("Treppenhauslicht");
  editor->SelectTool(tool);
  TZYNFunction& t = *editor->Library().GetFunction(tool);
  WhenModal<TEditVar>([](TEditVar& d) {
    d.EdName->setText("licht");  // the name of another variable
    d.accept();                  // refused: the dialog stays open
    EXPECT_TRUE(d.isVisible());
    d.EdName->setText("LAUFZEIT");
    d.EdMin->setText("5000");  // above the maximum
    d.accept();
    EXPECT_TRUE(d.isVisible());
    d.reject();
  });
  editor->EditVariable(t.Variables.IndexOfName("LAUFZEIT"));
  EXPECT_TRUE(Shown("gibt es in dieser Funktion schon"));
  EXPECT_TRUE(Shown("Mindestwert ist größer als der Maximalwert"));
  EXPECT_FALSE(editor->Modified());
  ASSERT_TRUE(editor->SaveChanges());
  EXPECT_EQ(Bytes(file), original);
}

TEST_F(ToolEditorTest, AScriptErrorIsShownWithItsLineAndTheLibraryIsNotSaved) {
  const int tool = IndexOf("Taster schaltet Licht");
  editor->SelectTool(tool);
  editor->Memo->setPlainText("\t\tBLOCK 1\n\t\t\tIF %TASTERR% : EIN\n\t\t\tTHEN %LICHT% : UM\n\t\tEND.");
  EXPECT_FALSE(editor->SaveChanges());
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(Shown("Zeile 2"));
  EXPECT_TRUE(Shown("TASTERR"));
  EXPECT_TRUE(Shown("nicht gespeichert"));
  EXPECT_EQ(Bytes(file), original);
  // Another tool cannot be chosen while the script is wrong; the memo keeps what was typed.
  editor->SelectTool(tool + 1);
  EXPECT_EQ(editor->LB->currentRow(), tool);
  EXPECT_TRUE(editor->Memo->toPlainText().contains("TASTERR"));

  // Corrected, the memo's lines become the script: upper-cased, trimmed, the date of today.
  editor->Memo->setPlainText("\t\tBLOCK 1\n\t\t\tif %TASTER% : ein\n\t\t\tTHEN %LICHT% : um\n\t\tEND.");
  ASSERT_TRUE(editor->SaveChanges());
  TZYNFunktionsListe saved;
  ASSERT_TRUE(saved.LoadFromFile(file));
  const TZYNFunction& t = *saved.GetFunction(tool);
  EXPECT_EQ(t.Script, (std::vector<std::string>{"BLOCK 1", "IF %TASTER% : EIN", "THEN %LICHT% : UM", "END."}));
  EXPECT_EQ(t.Info.LastModified, TodayText());
}

TEST_F(ToolEditorTest, ClosingWithUnsavedChangesAsksFirst) {
  editor->show();
  editor->NewTool();
  ASSERT_TRUE(editor->Modified());
  answers = {IDCANCEL};
  editor->close();
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(shown.size(), 1u);
  answers = {IDNO};
  editor->close();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(Bytes(file), original);

  // "Ja" saves; a save that fails keeps the editor open.
  auto second = std::make_unique<TFrmFEdit>(file, nullptr);
  second->ChooseFile = [this](bool, const QString&, const QString&, const std::string&) {
    return folder.File("fehlt/funcs.zyb");
  };
  second->show();
  second->NewTool();
  shown.clear();
  answers = {IDYES};
  second->close();
  EXPECT_TRUE(second->isVisible());
  EXPECT_TRUE(Shown("fehlt/funcs.zyb"));
  second->ChooseFile = [this](bool, const QString&, const QString&, const std::string&) { return file; };
  answers = {IDYES};
  second->close();
  EXPECT_FALSE(second->isVisible());
  TZYNFunktionsListe saved;
  ASSERT_TRUE(saved.LoadFromFile(file));
  EXPECT_EQ(saved.Count(), editor->Library().Count());
}

TEST_F(ToolEditorTest, AFailedSaveIsReportedAndLeavesTheFormerFile) {
  editor->NewTool();
  chosen = folder.File("kein Ordner/funcs.zyb");
  EXPECT_FALSE(editor->SaveChanges());
  EXPECT_TRUE(Shown("kein Ordner/funcs.zyb"));
  EXPECT_TRUE(Shown("blieb unverändert"));
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(Bytes(file), original);
}

TEST_F(ToolEditorTest, ToolsAreMadeRenamedExchangedAndRemoved) {
  const int count = editor->Library().Count();
  editor->NewTool();
  ASSERT_EQ(editor->Library().Count(), count + 1);
  EXPECT_EQ(editor->LB->currentRow(), count);
  TZYNFunction* tool = editor->Selected();
  EXPECT_EQ(tool->Info.CreationDate, TodayText());

  // The name renames the row while typing; the brand boxes set and clear their bits.
  editor->EdName->selectAll();
  QTest::keyClicks(editor->EdName, "Rollo");
  EXPECT_EQ(tool->Info.FunctionName, "Rollo");
  EXPECT_EQ(editor->LB->currentItem()->text(), QStringLiteral("Rollo"));
  editor->CBQLM->setChecked(true);
  EXPECT_EQ(tool->Info.OEMFlag(), 4);
  editor->CBQLM->setChecked(false);
  EXPECT_EQ(tool->Info.OEMFlag(), 0);

  editor->NewVariable();
  editor->NewVariable();
  ASSERT_EQ(tool->Variables.Count(), 2);
  EXPECT_EQ(tool->Variables.Get(0)->VarName, "Neue Variable");
  EXPECT_EQ(tool->Variables.Get(1)->VarName, "Neue Variable 2");

  // Nodes: new ones are named apart, a drop moves a node to the place of another.
  editor->NewNode();
  editor->NewNode();
  ASSERT_EQ(tool->Nodes.Count(), 2);
  EXPECT_EQ(tool->Nodes.Get(1)->NodeText, "Neue Node 2");
  editor->MoveNode(1, 0);
  EXPECT_EQ(tool->Nodes.Get(0)->NodeText, "Neue Node 2");
  EXPECT_EQ(editor->NodeTree->topLevelItem(0)->text(0), QStringLiteral("Neue Node 2"));
  editor->DeleteNodeAt(0);
  editor->DeleteNodeAt(0);

  // Export and import: a second tool of the same name.
  const std::string single = folder.File("rollo.zyf");
  editor->ChooseFile = [&](bool, const QString&, const QString&, const std::string&) { return single; };
  editor->ExportTool();
  editor->ImportTool();
  ASSERT_EQ(editor->Library().Count(), count + 2);
  EXPECT_EQ(editor->Library().GetFunction(count + 1)->Info.FunctionName, "Rollo");
  EXPECT_EQ(editor->Library().GetFunction(count + 1)->Variables.Count(), 2);

  editor->DeleteTool();
  editor->DeleteTool();
  EXPECT_EQ(editor->Library().Count(), count);
  EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace zyn::test
