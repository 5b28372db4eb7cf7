// The command-list editor's document: open, edit, save and read back with the model's own reader;
// new and deleted entries; the single-list form; the name list of the commands.

#include "logic/core/CommandListEdit.h"

#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace zyn {
namespace {

std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Two lists of three and four commands.
void Fill(TCommandListDocument& doc) {
  for (int l = 0; l < 2; ++l) {
    TEAFunctionList& list = *doc.NewList();
    list.ListName = "Liste " + std::to_string(l);
    for (int c = 0; c < 3 + l; ++c) {
      TEABaseFunction& f = *TCommandListDocument::NewCommand(list);
      f.InternalName = "F" + std::to_string(l) + std::to_string(c);
      f.DisplayName = "Befehl " + f.InternalName;
      f.GermanFunc = Ansi("Schalten ") + f.InternalName;
      f.FunctionHint = "Hinweis\r\nzweite Zeile";
    }
  }
}

class CommandListEdit : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::string Path(const char* name) { return folder.File(name); }
  // A file of two lists written by the model.
  std::string Written(const char* name) {
    TEAFunktionsContainer c;
    TEAFunctionList* l = c.Add();
    l->ListName = "Eingangsfunktionen Test";
    l->ListInternalName = "IN_TEST";
    TEABaseFunction* f = l->AddFunction();
    f->DisplayName = "EIN";
    f->InternalName = "ON";
    f->Command = 1;
    c.Add()->ListName = "Zweite";
    c.TXMLCollection::SaveToFile(Path(name));
    return Path(name);
  }
};

TEST_F(CommandListEdit, OpenEditSaveReopenGivesTheEditAndTheModelReadsTheFile) {
  TCommandListDocument doc;
  std::string error;
  EXPECT_FALSE(doc.Save(error));  // nothing open yet
  EXPECT_FALSE(doc.NewList());

  // "Befehle.zfl" chosen: the XML file beside it is read and becomes the document's name.
  const std::string xml = Written("Befehle.xml");
  ASSERT_TRUE(doc.Open(Path("Befehle.zfl"), error)) << error;
  EXPECT_EQ(doc.FileName(), xml);
  ASSERT_EQ(doc.Container()->Count(), 2);
  TEAFunctionList& list = *doc.Container()->GetList(0);
  list.GetFunction(0)->DisplayName = Ansi("Einschalten über Taster");
  list.GetFunction(0)->Dialog = 7;
  TEABaseFunction& added = *TCommandListDocument::NewCommand(list);
  EXPECT_EQ(added.DisplayName, "neue Funktion");
  EXPECT_EQ(added.Command, -1);
  ASSERT_TRUE(doc.DeleteList(doc.Container()->GetList(1)));
  ASSERT_TRUE(doc.Save(error)) << error;  // under the name it opened

  TEAFunktionsContainer model;
  model.LoadFromFile(Path("Befehle.zfl"), true);  // the program's own reader
  ASSERT_EQ(model.Count(), 1);
  EXPECT_EQ(model.GetList(0)->ListInternalName, "IN_TEST");
  ASSERT_EQ(model.GetList(0)->Count(), 2);
  EXPECT_EQ(model.GetList(0)->GetFunction(0)->DisplayName, Ansi("Einschalten über Taster"));
  EXPECT_EQ(model.GetList(0)->GetFunction(0)->Dialog, 7);
  EXPECT_EQ(model.GetList(0)->GetFunction(1)->DisplayName, "neue Funktion");

  // Saved under another name: exactly that name; reopened, the edit is there.
  ASSERT_TRUE(doc.SaveAs(Path("Kopie.zfl"), error)) << error;
  EXPECT_EQ(doc.FileName(), Path("Kopie.zfl"));
  TCommandListDocument again;
  ASSERT_TRUE(again.Open(Path("Kopie.zfl"), error)) << error;
  EXPECT_EQ(again.Container()->GetList(0)->GetFunction(0)->DisplayName, Ansi("Einschalten über Taster"));

  // A command deleted from its list.
  TEABaseFunction* first = again.Container()->GetList(0)->GetFunction(0);
  EXPECT_EQ(again.ListOf(first), again.Container()->GetList(0));
  ASSERT_TRUE(again.DeleteCommand(first));
  EXPECT_EQ(again.Container()->GetList(0)->Count(), 1);
  EXPECT_FALSE(again.DeleteCommand(&added));  // not in this document
}

TEST_F(CommandListEdit, AFileThatCannotBeReadKeepsTheDocumentAndSaysWhich) {
  TCommandListDocument doc;
  std::string error;
  ASSERT_TRUE(doc.Open(Written("A.xml"), error));
  std::ofstream(Path("fremd.xml")) << "<?xml version=\"1.0\"?>\r\n<Optionen></Optionen>\r\n";
  const std::string whole = ReadText(Path("A.xml"));
  std::ofstream(Path("halb.xml"), std::ios::binary) << whole.substr(0, whole.size() / 2);
  for (const char* bad : {"fremd.xml", "halb.xml", "fehlt.xml"}) {
    error.clear();
    EXPECT_FALSE(doc.Open(Path(bad), error)) << bad;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
    EXPECT_EQ(doc.FileName(), Path("A.xml"));
    EXPECT_EQ(doc.Container()->Count(), 2);
  }
  EXPECT_FALSE(doc.SaveAs(folder.File("kein/Ordner/x.xml"), error));
  EXPECT_NE(error.find("x.xml"), std::string::npos) << error;
}

TEST_F(CommandListEdit, SingleListFormLeavesInternalNamesOut) {
  TCommandListDocument doc;
  std::string error;
  ASSERT_TRUE(doc.Open(Written("A.xml"), error));
  ASSERT_TRUE(TCommandListDocument::ExportList(*doc.Container()->GetList(0), Path("liste.bin"), error)) << error;
  TEAFunctionList* imported = doc.ImportList(Path("liste.bin"), error);
  ASSERT_NE(imported, nullptr) << error;
  EXPECT_EQ(doc.Container()->Count(), 3);
  EXPECT_EQ(imported->ListName, "Eingangsfunktionen Test");
  EXPECT_EQ(imported->ListInternalName, "");
  EXPECT_EQ(imported->GetFunction(0)->DisplayName, "EIN");
  EXPECT_EQ(doc.ImportList(Path("fehlt.bin"), error), nullptr);
  EXPECT_EQ(doc.Container()->Count(), 3);
}

TEST_F(CommandListEdit, NameListHasASectionOfFourKeysPerCommandAndKeepsWhatWasThere) {
  TCommandListDocument doc;
  std::string error;
  ASSERT_TRUE(doc.Open(Written("A.xml"), error));
  doc.Container()->Clear();
  Fill(doc);
  const std::string ini = Path("Functions.ini");
  std::ofstream(ini) << "[F00]\nDEU_TEXT=alt\nEXTRA=bleibt\n[Andere]\nX=1\n";
  ASSERT_TRUE(doc.ExportNameList(ini, error)) << error;
  const std::string text = ReadText(ini);
  size_t sections = 0;
  for (size_t at = text.find("[F"); at != std::string::npos; at = text.find("[F", at + 1)) ++sections;
  EXPECT_EQ(sections, 7u);
  EXPECT_NE(text.find("[F00]\r\nDEU_TEXT=Befehl F00\r\nEXTRA=bleibt\r\nDEU_FUNC=" + Ansi("Schalten F00") +
                      "\r\nDEU_OLD=\r\nDEU_HINT=Hinweis  zweite Zeile\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[Andere]\r\nX=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("[F13]\r\nDEU_TEXT=Befehl F13\r\n"), std::string::npos);
}

TEST(CommandListFields, SpinFieldsClampAndTextFieldsCut) {
  EXPECT_EQ(SpinValue("abc", -1, 30), -1);
  EXPECT_EQ(SpinValue("", -1, 30), -1);
  EXPECT_EQ(SpinValue(" 12 ", -1, 30), 12);
  EXPECT_EQ(SpinValue("99", -1, 30), 30);
  EXPECT_EQ(SpinShown(70000, -1, 65535), 65535);
  EXPECT_EQ(FieldText(std::string(300, 'x')).size(), 255u);
}

}  // namespace
}  // namespace zyn
