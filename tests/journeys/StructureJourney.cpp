// Changes to the structure of a project keep every reference right through the real pages: a
// module deleted on the module page leaves no ghost member in a group, and the group goes on
// taking channels; a control module exported and imported at another address builds with
// "Projekt erstellen" into an image whose links are its own.

#include "compiler/Bindata.h"
#include "compiler/ProjectCompile.h"
#include "frames/FrGruppen.h"
#include "frames/FrStmBearb.h"
#include "model/BasisDaten.h"
#include "model/Gruppe.h"
#include "model/ModulClassList.h"
#include "model/UniqueNames.h"
#include "model/Verbindung.h"
#include "model/base/TextUtils.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/compiler/ImageWalker.h"
#include "tests/journeys/Journey.h"
#include "tests/support/TestHome.h"
#include "widgets/common/ZsStatusBar.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

// Projects made with the programme's own catalogue and names, after its globals are up.
class TStructureProject {
 public:
  TStructureProject() {
    projekt.ProjektGUID = "GUID-JOURNEY-0046";
    projekt.BasisDaten = GBasisDaten.get();
    auto stm = std::make_unique<TSteuermodul>();
    stm->AssignNewName(*GUniqueNames);
    stm->SetDisplayName("Steuermodul 0");
    stm->SetAdresse(0);
    s0 = projekt.Steuermodule.Add(std::move(stm));
  }

  // A module of the catalogue class at the next free address, its channels named after it.
  TModul& AddModul(const char* klasse, const std::string& name) {
    const TModulClass* cls = GBasisDaten->Katalog.FindClass(klasse);
    EXPECT_NE(cls, nullptr) << klasse;
    auto m = std::make_unique<TModul>();
    m->AssignNewName(*GUniqueNames);
    m->InitFromClass(*cls, *GUniqueNames);
    m->SetDisplayName(name);
    m->SetAdresse(s0->Module.AllocAddress(cls->BaseClass));
    for (int k = 0; k < m->Eingaenge().Count(); ++k)
      m->Eingaenge().GetItem(k)->SetDisplayName(name + " " + std::to_string(k + 1));
    for (int k = 0; k < m->Ausgaenge().Count(); ++k)
      m->Ausgaenge().GetItem(k)->SetDisplayName(name + " " + std::to_string(k + 1));
    return *s0->Module.Add(std::move(m));
  }

  TMerker& AddMerker(int number) {
    auto f = std::make_unique<TMerker>();
    f->AssignNewName(*GUniqueNames);
    f->SetDisplayName("Merker " + std::to_string(number));
    f->SetAdresse(number);
    return *s0->Merker.Add(std::move(f));
  }

  static void SetEnd(TLinkEndpoint e, int objType, const std::string& kennung, int modulAdresse, int kanal,
                     int shift) {
    e.SetObjType(objType);
    e.SetStmNummer(0);
    e.SetModulKennung(kennung);
    e.SetModulAdresse(modulAdresse);
    e.SetKanalNummer(kanal);
    e.SetShift(shift);
    e.SetFunctionNumber(1);
  }
  static void SetModulEnd(TLinkEndpoint e, const TModul& m, int kanal, int shift) {
    SetEnd(e, m.BasisKlasse, m.ModulKennung, m.Adresse(), kanal, shift);
  }
  static void SetFlagEnd(TLinkEndpoint e, int flag) { SetEnd(e, kObjMerker, "MRK", 0, flag, 0); }

  // A link in the channel's list; fill sets its ends.
  template <class F>
  static void Link(TKanal& from, F fill) {
    auto link = std::make_unique<TVerbindung>();
    fill(*link);
    from.Verbindungen().Add(std::move(link));
  }

  // A link from input k of the module; target sets its target end.
  template <class F>
  static void LinkFromInput(TModul& m, int k, F target) {
    Link(*m.Eingaenge().GetItem(k), [&](TVerbindung& l) {
      SetModulEnd(l.Source(), m, k, m.EinShift);
      target(l.Target());
    });
  }

  static void AddMember(TSteuermodul& stm, TGruppe& group, const TModul& m, int channel) {
    const TAusgang& output = *m.Ausgaenge().GetItem(channel);
    auto member = std::make_unique<TGruppenObjekt>();
    member->AssignNewName(*GUniqueNames);
    member->Steuermodul = stm.InternalName();
    member->Modul = m.InternalName();
    member->Kanal = output.InternalName();
    member->SetDisplayName(output.DisplayName());
    member->AdressString = m.ModulKennung + "." + ZeroPad(m.Adresse(), 2) + "." + ZeroPad(output.Adresse(), 2);
    group.Members().Add(std::move(member));
  }

  std::string Save(const std::string& name) {
    const std::string file = TestHome() + name;
    EXPECT_TRUE(projekt.SaveProjectFile(file, false));
    return file;
  }

  TZYNProjekt projekt;
  TSteuermodul* s0 = nullptr;
};

// A node of the tree whose item data is the object.
QTreeWidgetItem* NodeWithData(QTreeWidget* tree, const void* object, int role = Qt::UserRole) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->data(0, role).value<void*>() == object) return *it;
  return nullptr;
}

QPoint ItemCenter(QTreeWidget* tree, QTreeWidgetItem* node) {
  tree->scrollToItem(node);
  return tree->viewport()->mapToGlobal(tree->visualItemRect(node).center());
}

std::vector<std::string> Rows(const QTreeWidget* list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) rows.push_back(list->topLevelItem(i)->text(0).toStdString());
  return rows;
}

std::vector<uint8_t> FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class Structure : public TJourney {
 protected:
  void ClickNode(QTreeWidget* tree, QTreeWidgetItem* node) {
    ASSERT_NE(node, nullptr);
    Click(ItemCenter(tree, node));
    ASSERT_TRUE(WaitFor([&] { return tree->currentItem() == node; }));
  }
  // A file dialog answered with the file name typed in.
  void AnswerFileDialog(const QString& caption, const std::string& file) {
    OnDialog(caption, [this, file](QWidget* dialog) {
      ASSERT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      Click(name);
      Keys({QStringLiteral("ctrl+a")});
      Type(QString::fromStdString(file));
      Key(QStringLiteral("Return"));
    });
  }
};

// The group "Alle Lichter" has its first member on the output module "Flur" and its second on
// "Keller". The module page deletes "Flur" (the question about its link answered) and applies:
// the group page lists only the member on "Keller", and takes a further output of "Keller".
TEST_F(Structure, AGroupsFirstModuleDeletedTheGroupGoesOnTakingChannels) {
  StartGlobals();
  TStructureProject made;
  TModul& taster = made.AddModul("INPUT 8", "Taster");
  TModul& flur = made.AddModul("OUTPUT 8", "Flur");
  TModul& keller = made.AddModul("OUTPUT 8", "Keller");
  TStructureProject::LinkFromInput(taster, 0, [&](TLinkEndpoint e) { TStructureProject::SetModulEnd(e, flur, 0, flur.AusShift); });
  auto group = std::make_unique<TGruppe>();
  group->AssignNewName(*GUniqueNames);
  group->SetDisplayName("Alle Lichter");
  group->SetAdresse(0);
  TGruppe& made0 = *made.s0->Gruppen.Add(std::move(group));
  TStructureProject::AddMember(*made.s0, made0, flur, 0);
  TStructureProject::AddMember(*made.s0, made0, keller, 1);
  const std::string kellerName = keller.InternalName();
  const std::string kellerMember = made0.GetGruppenObjekt(1)->AdressString;
  StartProgram(made.Save("Gruppen.zpf"));

  // The group page shows both members.
  SideBarClick("FrGruppen");
  ASSERT_TRUE(WaitForPage("FrGruppen"));
  auto* groups = Find<TFrGruppen>(QStringLiteral("FrGruppen"));
  ASSERT_NE(groups, nullptr);
  ClickNode(groups->MTV, groups->MTV->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return groups->KGKL->topLevelItemCount() == 2; }));

  // The module page deletes "Flur" and applies.
  SideBarClick("FrModulBearb");
  ASSERT_TRUE(WaitForPage("FrModulBearb"));
  QWidget* modules = Main().FM->GetFrame(QStringLiteral("FrModulBearb"));
  auto* tree = Find<QTreeWidget>(QStringLiteral("MTV"), modules);
  ASSERT_NE(tree, nullptr);
  const QList<QTreeWidgetItem*> found = tree->findItems(QStringLiteral("-Flur"), Qt::MatchEndsWith | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1);
  ClickNode(tree, found.first());
  Answer(QStringLiteral("wirklich gelöscht"), QStringLiteral("Ja"));
  Click(Find<QToolButton>(QStringLiteral("BtnDelete"), modules));
  ASSERT_TRUE(WaitForDialogsHandled());
  auto* ok = Find<QToolButton>(QStringLiteral("BtnOK"), modules);
  ASSERT_TRUE(WaitFor([&] { return ok->isEnabled(); }));
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return !ok->isEnabled(); }));
  ASSERT_EQ(GProjekt->Steuermodule.GetSteuermodul(0)->Module.Count(), 2);

  // Back on the group page: no ghost of the deleted module.
  SideBarClick("FrGruppen");
  ASSERT_TRUE(WaitForPage("FrGruppen"));
  ClickNode(groups->MTV, groups->MTV->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return groups->KGKL->topLevelItemCount() > 0; }));
  EXPECT_EQ(Rows(groups->KGKL), std::vector<std::string>{kellerMember}) << "a member of the deleted module is still listed";

  // "Kanäle bearbeiten": the third output of "Keller" goes to the group by a double click.
  Click(groups->AddBtn);
  ASSERT_TRUE(WaitFor([&] { return groups->FM->CurrentFrame() == QLatin1String("FrGruppenKanal"); }));
  TFrGruppenKanal& channels = *groups->Kanal;
  const TModul* liveKeller = GProjekt->Steuermodule.GetSteuermodul(0)->Module.FindByInternalName(kellerName);
  ASSERT_NE(liveKeller, nullptr);
  QTreeWidgetItem* third = NodeWithData(channels.MTV, liveKeller->Ausgaenge().GetItem(2));
  ASSERT_NE(third, nullptr);
  DoubleClick(ItemCenter(channels.MTV, third));
  ASSERT_TRUE(WaitFor([&] { return channels.KLV->topLevelItemCount() == 2; }))
      << "the group did not take the output";
  Click(channels.BtnTake);
  ASSERT_TRUE(WaitFor([&] { return groups->FM->CurrentFrame() == QLatin1String("FrGruppenDaten"); }));
  ASSERT_TRUE(WaitFor([&] { return groups->KGKL->topLevelItemCount() == 2; }));
  auto* groupOk = Find<QToolButton>(QStringLiteral("BtnOK"), groups);
  ASSERT_TRUE(WaitFor([&] { return groupOk->isEnabled(); }));
  Click(groupOk);
  ASSERT_TRUE(WaitFor([&] { return !groupOk->isEnabled(); }));

  const TGruppe& live = *GProjekt->Steuermodule.GetSteuermodul(0)->Gruppen.GetItem(0);
  ASSERT_EQ(live.Members().Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(live.GetGruppenObjekt(i)->Modul, kellerName) << "member " << i;
  EXPECT_EQ(live.GetGruppenObjekt(1)->Kanal, liveKeller->Ausgaenge().GetItem(2)->InternalName());
  EndProgram(QStringLiteral("Nein"));
}

// Control module 0 with a flag between a push button and a light is exported to "Haus.stm" and
// imported into a new, empty control module at address 1; "Projekt erstellen" builds without an
// error. The program file holds two images; the imported one is the very image of control module 0
// (its flag links name its own address, none jumps into control module 0), and the image walker
// accepts both.
TEST_F(Structure, AControlModuleImportedAtAnotherAddressBuildsWithItsOwnLinks) {
  StartGlobals();
  TStructureProject made;
  TModul& taster = made.AddModul("INPUT 8", "Taster");
  TModul& licht = made.AddModul("OUTPUT 8", "Licht");
  TMerker& flag = made.AddMerker(5);
  TStructureProject::LinkFromInput(taster, 2, [](TLinkEndpoint e) { TStructureProject::SetFlagEnd(e, 5); });
  TStructureProject::Link(flag, [&](TVerbindung& l) {
    TStructureProject::SetFlagEnd(l.Source(), 5);
    TStructureProject::SetModulEnd(l.Target(), licht, 3, licht.AusShift);
  });
  const std::string project = made.Save("Import.zpf");
  const std::string program = TestHome() + "Import.prg";
  const std::string exported = TestHome() + "Haus.stm";
  StartProgram(project);
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  auto* page = Find<TFrStmBearb>(QStringLiteral("FrStmBearb"));
  ASSERT_NE(page, nullptr);
  page->ConverterLibrary = ZYN_FAKE_CONVERTER;  // the converter of version-1.x projects, built for the tests

  // Export control module 0.
  ClickNode(page->MTV, page->MTV->topLevelItem(0));
  AnswerFileDialog(QStringLiteral("Steuermodul exportieren"), exported);
  Click(page->BtnExport);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return fs::exists(exported); }));

  // A new control module at address 1 takes the import.
  Click(page->BtnAdd);
  ASSERT_TRUE(WaitFor([&] { return page->MTV->topLevelItemCount() == 2; }));
  ClickNode(page->MTV, page->MTV->topLevelItem(1));
  ASSERT_TRUE(WaitFor([&] { return page->BtnImport->isEnabled(); })) << "the import stays disabled";
  Answer(QStringLiteral("Beta- Status"), QStringLiteral("Ja"));
  AnswerFileDialog(QStringLiteral("Steuermodul importieren"), exported);
  Answer(QStringLiteral("durch das importierte Steuermodul ersetzen"), QStringLiteral("Ja"));
  Click(page->BtnImport);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return GProjekt->Steuermodule.Count() == 2; }));
  if (page->BtnOK->isEnabled()) {
    Click(page->BtnOK);
    ASSERT_TRUE(WaitFor([&] { return !page->BtnOK->isEnabled(); }));
  }
  const TSteuermodul* imported = GProjekt->Steuermodule.FindByAddress(1);
  ASSERT_NE(imported, nullptr);
  ASSERT_EQ(imported->Module.Count(), 2);
  const TMerker* copiedFlag = imported->Merker.FindByAddress(5);
  ASSERT_NE(copiedFlag, nullptr);
  ASSERT_EQ(copiedFlag->Verbindungen().Count(), 1);
  EXPECT_EQ(int{copiedFlag->Verbindungen().GetVerbindung(0)->Source().StmNummer()}, 1);
  EXPECT_EQ(int{copiedFlag->Verbindungen().GetVerbindung(0)->Target().StmNummer()}, 1);
  for (int m = 0; m < imported->Module.Count(); ++m) {
    const TModul& copied = *imported->Module.GetModul(m);
    if (copied.DisplayName() != "Taster") continue;
    const TVerbindung& toFlag = *copied.Eingaenge().GetItem(2)->Verbindungen().GetVerbindung(0);
    EXPECT_EQ(int{toFlag.Source().StmNummer()}, 1);
    EXPECT_EQ(int{toFlag.Target().StmNummer()}, 1);
  }

  // "Projekt erstellen".
  fs::remove(program);
  ToolbarCommand("Erstellen");
  ASSERT_TRUE(WaitFor([&] { return Main().StatusBar1->Panel(0)->Text().startsWith(QStringLiteral("Das Projekt wurde erstellt")); }, 60000))
      << Main().StatusBar1->Panel(0)->Text().toStdString();
  ASSERT_TRUE(fs::exists(program));
  const std::vector<uint8_t> written = FileBytes(program);
  ASSERT_EQ(written.size(), 2 * kImageSize);
  // The control-module list's order: control module 0, then the imported one.
  ASSERT_EQ(GProjekt->Steuermodule.GetSteuermodul(1), imported);
  const std::vector<uint8_t> image0(written.begin(), written.begin() + kImageSize);
  const std::vector<uint8_t> image1(written.begin() + kImageSize, written.end());
  size_t differing = 0;
  for (size_t i = 0; i < kImageSize; ++i) differing += image0[i] != image1[i] ? 1 : 0;
  EXPECT_EQ(differing, 0u) << "the imported control module compiled into another image";

  // The image walker reads the images of the same build: every address lands on what it names.
  TProjectCompileInputs inputs;
  inputs.WriteProgramFile = false;
  TProjectCompile again(*GProjekt, inputs);
  ASSERT_TRUE(again.Build());
  EXPECT_EQ(again.Driver().ProgramBytes(), written);
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(again.Driver().Image(a));
  TImageWalker walker(table);
  for (int a : {0, 1}) EXPECT_EQ(walker.Check(a), std::vector<std::string>{}) << "control module " << a;
  EXPECT_GT(walker.Checked(), 0);
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
