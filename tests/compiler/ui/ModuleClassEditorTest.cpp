// The module-class editor: catalogues opened and saved, classes edited, channel descriptions,
// the question before closing; and a catalogue saved by the editor read by the programme's
// start-up and offered by the module choice.

#include "EditorFixture.h"
#include "compiler/ui/CompilerDialogs.h"
#include "compiler/ui/FormModulKlassen.h"
#include "frames/FrmModulWahl.h"
#include "model/BasisDaten.h"
#include "model/EABeschreibung.h"
#include "model/ModulClassList.h"
#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "shell/FormMain.h"
#include "tests/support/TestHome.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class ModuleClassEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    CopyDefault("BASIS.ZBC");
    CopyDefault("EAFUNCS.XML");
    catalogue = CopyDefault("MODULE.ZBC");
    original = Bytes(catalogue);
    editor = std::make_unique<TFrmModulKlassen>(folder.Path());
    editor->ChooseFile = [this](bool, const QString&, const QString&, const std::string& suggested) {
      return chosen.empty() ? suggested : chosen;
    };
  }
  void TearDown() override {
    editor.reset();
    EditorTest::TearDown();
  }
  // The text as the user leaves it in the field.
  static void Type(QLineEdit* edit, const char* utf8) {
    edit->setText(QString::fromUtf8(utf8));
    emit edit->textEdited(edit->text());
  }
  std::string catalogue, original, chosen;
  std::unique_ptr<TFrmModulKlassen> editor;
};

TEST_F(ModuleClassEditorTest, OpensAndSavesTheCatalogueUnchanged) {
  EXPECT_GT(editor->CBBasis->count(), 7);
  EXPECT_GT(editor->CommandLists().Count(), 0);
  ASSERT_TRUE(editor->OpenCatalogue(catalogue));
  const int n = editor->Catalogue().Count();
  ASSERT_GT(n, 2);
  EXPECT_EQ(editor->TV->topLevelItemCount(), n);
  EXPECT_EQ(editor->TV->topLevelItem(0)->text(0).toStdString(),
            AnsiToUtf8(editor->Catalogue().GetClass(0)->InternalName));
  chosen = folder.File("kopie.zbc");
  ASSERT_TRUE(editor->SaveCatalogueCommand());
  EXPECT_EQ(Bytes(chosen), original);

  // A second catalogue adds its classes after those loaded; the tree shows every class once.
  ASSERT_TRUE(editor->OpenCatalogue(chosen));
  EXPECT_EQ(editor->Catalogue().Count(), 2 * n);
  EXPECT_EQ(editor->TV->topLevelItemCount(), 2 * n);
  EXPECT_TRUE(shown.empty());
}

TEST_F(ModuleClassEditorTest, AFileWithoutTheCatalogueIdentifierIsRefused) {
  ASSERT_TRUE(editor->OpenCatalogue(catalogue));
  const int n = editor->Catalogue().Count();
  // A command-list file: its identifier is not the catalogue's.
  editor->CommandLists().SaveToFile(folder.File("befehle.zbc"), false);
  EXPECT_FALSE(editor->OpenCatalogue(folder.File("befehle.zbc")));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Keine gültige Modulklassendatei"));
  // A file of another form altogether is refused naming the file.
  EXPECT_FALSE(editor->OpenCatalogue(folder.File("EAFUNCS.XML")));
  EXPECT_TRUE(Shown("EAFUNCS.XML"));
  EXPECT_EQ(editor->Catalogue().Count(), n);
  EXPECT_EQ(editor->TV->topLevelItemCount(), n);
}

TEST_F(ModuleClassEditorTest, ClassDataAreStoredWhenTheyPassTheirCheck) {
  ASSERT_TRUE(editor->OpenCatalogue(catalogue));
  editor->SelectClass(1);
  TModulClass* c = editor->Selected();
  const std::string name = c->InternalName;
  Type(editor->EdInternal, "");
  EXPECT_EQ(c->InternalName, name) << "an empty name is not stored";
  EXPECT_FALSE(editor->LblProblem->text().isEmpty());
  Type(editor->EdInternal, AnsiToUtf8(editor->Catalogue().GetClass(0)->InternalName).c_str());
  EXPECT_EQ(c->InternalName, name) << "the name of another class is not stored";
  Type(editor->EdInternal, "TASTER 16");
  EXPECT_EQ(c->InternalName, "TASTER 16");
  EXPECT_TRUE(editor->LblProblem->text().isEmpty());
  EXPECT_EQ(editor->TV->currentItem()->text(0), QStringLiteral("TASTER 16"));
  editor->EdEin->setValue(6);
  EXPECT_EQ(c->EinCount, 6);
  editor->CBBasis->setCurrentIndex(5);
  EXPECT_EQ(c->BaseClass, 5);
  EXPECT_TRUE(c->Dimmerzusatz());
  EXPECT_TRUE(editor->Modified());
}

TEST_F(ModuleClassEditorTest, NewClassesGetTheirDescriptionsNumberedPerKind) {
  editor->NewClass();
  TModulClass* c = editor->Selected();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->InternalName, "Neue Klasse");
  editor->EdEin->setValue(4);
  editor->EdAus->setValue(2);
  editor->PC->setCurrentIndex(1);
  editor->PC->setCurrentIndex(2);
  ASSERT_EQ(editor->LV[0]->topLevelItemCount(), 4);
  ASSERT_EQ(editor->LV[1]->topLevelItemCount(), 2);
  EXPECT_EQ(editor->LV[0]->topLevelItem(0)->text(0), QStringLiteral("0"));
  EXPECT_EQ(editor->LV[0]->topLevelItem(3)->text(0), QStringLiteral("3"));
  EXPECT_EQ(editor->LV[1]->topLevelItem(0)->text(0), QStringLiteral("1"));
  EXPECT_EQ(editor->LV[1]->topLevelItem(1)->text(1), QStringLiteral("EA-Default Text"));

  // The description dialog stores its three values; the list chosen is offered for the next
  // description without one.
  const QString list = QString::fromStdString(AnsiToUtf8(editor->CommandLists().GetList(1)->ListName));
  WhenModal<TFrmEABeschreibung>([list](TFrmEABeschreibung& d) {
    d.EdKanal->setValue(7);
    d.EdDefault->setText(QStringLiteral("Relais Küche"));
    d.CBListe->setCurrentText(list);
    d.accept();
  });
  editor->EditDescription(TChannelKind::Ausgang, 0);
  EXPECT_EQ(c->Ausgaenge.Get(0)->KanalNummer, 7);
  EXPECT_EQ(c->Ausgaenge.Get(0)->DefaultText, Ansi("Relais Küche"));
  EXPECT_EQ(editor->LV[1]->topLevelItem(0)->text(2), list);
  WhenModal<TFrmEABeschreibung>([list](TFrmEABeschreibung& d) {
    EXPECT_EQ(d.CBListe->currentText(), list);
    d.EdDefault->setText(QString());  // refused: a description needs its text
    d.accept();
    EXPECT_TRUE(d.isVisible());
    d.reject();
  });
  editor->EditDescription(TChannelKind::Ausgang, 1);
  EXPECT_EQ(c->Ausgaenge.Get(1)->Funktionen, "");
  EXPECT_TRUE(Shown("Defaultbezeichnung"));

  // Deleting works on the page of the class data only.
  editor->DeleteClass();
  EXPECT_EQ(editor->Catalogue().Count(), 1);
  editor->PC->setCurrentIndex(0);
  editor->DeleteClass();
  EXPECT_EQ(editor->Catalogue().Count(), 0);
}

TEST_F(ModuleClassEditorTest, SingleClassesAreSavedAndLoadedAndClassesMove) {
  ASSERT_TRUE(editor->OpenCatalogue(catalogue));
  const int n = editor->Catalogue().Count();
  TModulClass* first = editor->Catalogue().GetClass(0);
  chosen = folder.File("einzeln");
  editor->SelectClass(0);
  editor->SaveClassCommand();
  ASSERT_TRUE(editor->LoadClass(folder.File("einzeln.mcl")));
  ASSERT_EQ(editor->Catalogue().Count(), n + 1);
  EXPECT_EQ(editor->Catalogue().GetClass(n)->InternalName, first->InternalName);
  EXPECT_EQ(editor->Selected(), editor->Catalogue().GetClass(n));
  editor->MoveClass(0, 2);
  EXPECT_EQ(editor->Catalogue().GetClass(2), first);
  EXPECT_EQ(editor->TV->topLevelItem(2)->text(0).toStdString(), AnsiToUtf8(first->InternalName));
  EXPECT_FALSE(editor->LoadClass(folder.File("fehlt.mcl")));
  EXPECT_TRUE(Shown("fehlt.mcl"));
}

TEST_F(ModuleClassEditorTest, ClosingWithUnsavedChangesAsksAndAFailedSaveKeepsTheEditorOpen) {
  editor->show();
  editor->NewClass();
  chosen = folder.File("kein Ordner/MODULE.ZBC");
  answers = {IDYES};
  editor->close();
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(Shown("kein Ordner/MODULE.ZBC"));
  answers = {IDCANCEL};
  editor->close();
  EXPECT_TRUE(editor->isVisible());
  answers = {IDNO};
  editor->close();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(Bytes(catalogue), original);
}

// The catalogue edited and saved is read by the programme's start-up and offered by the module
// choice of the module page.
TEST_F(ModuleClassEditorTest, TheSavedCatalogueIsReadAtStartAndOfferedByTheModuleChoice) {
  const ScopedEnv data("XDG_DATA_HOME", folder.Path() + "xdg");
  TGlobalSetup setup;
  setup.ProgramPath = folder.Path() + "zyn";
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
  const std::string system = GetSystemPath();
  ASSERT_FALSE(system.empty());

  TFrmModulKlassen dialog(system);
  dialog.ChooseFile = [](bool, const QString&, const QString&, const std::string& suggested) { return suggested; };
  ASSERT_TRUE(dialog.OpenCatalogue(system + "MODULE.ZBC"));
  dialog.SelectClass(0);
  const int32_t base = dialog.Selected()->BaseClass;
  Type(dialog.EdDisplay, "Taster 8fach (geändert)");
  ASSERT_TRUE(dialog.SaveCatalogueCommand());
  FreeGlobals();

  InitGlobals(setup);
  ASSERT_TRUE(GBasisDaten);
  EXPECT_EQ(GBasisDaten->Katalog.GetClass(0)->DisplayName, Ansi("Taster 8fach (geändert)"));
  int classIndex = 0, groupIndex = 0;
  TFrmModulWahl choice(GBasisDaten->Katalog, classIndex, groupIndex);
  choice.Fill();
  bool offered = false;
  for (int g = 0; g < choice.MT->topLevelItemCount() && !offered; ++g) {
    choice.MT->setCurrentItem(choice.MT->topLevelItem(g));
    for (int i = 0; i < choice.MB->count(); ++i)
      offered = offered || choice.MB->item(i)->text() == QString::fromUtf8("Taster 8fach (geändert)");
  }
  EXPECT_TRUE(offered) << "base class " << base;
  FreeGlobals();
}

TEST(CompilerDialogs, TheEditorsAreRegisteredWithTheDevelopmentMenu) {
  RegisterCompilerDialogs();
  for (const char* item : {"Modulklassen1", "FEditStandard", "FEditUser"})
    EXPECT_TRUE(static_cast<bool>(RegisteredCommand(item))) << item;
}

}  // namespace
}  // namespace zyn::test
