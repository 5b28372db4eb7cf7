// The direct-link page as the installer drives it: tabs and object lists, every link kind built
// and compiled (the image checked with the compiler's walker and against the same link made by
// hand), logical links through the builder, the link list's delete, copy and paste, details,
// cancelling that leaves the project unchanged, and deleted objects taking their links along.

#include "compiler/CompileDriver.h"
#include "logic/FrmVerbDetail.h"
#include "logic/FrmVerknwahl.h"
#include "logic/LinkListView.h"
#include "logic/LogicDialogs.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/LinkMaintenance.h"
#include "model/Merker.h"
#include "model/Uhr.h"
#include "project/Global.h"
#include "tests/compiler/ImageWalker.h"
#include "tests/logic/LinkPageFixture.h"
#include "widgets/common/PageTabBar.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

// The images of a compile run, byte by byte, per control module; the walker's problems too.
struct TImages {
  std::vector<std::vector<uint8_t>> Bytes;
  std::vector<std::string> Problems;
};

TImages Compile(TZYNProjekt& projekt) {
  TCompileDriver driver(projekt);
  driver.ProgramTitle = "ZYN";
  driver.CompileProject(false);
  TImages out;
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  TImageWalker walker(table);
  for (int a : {0, 1}) {
    const TBinData* image = driver.Image(a);
    out.Bytes.emplace_back(image->Bytes(), image->Bytes() + 32768);
    for (const std::string& p : walker.Check(a)) out.Problems.push_back(p);
  }
  return out;
}

// How each case is driven on the page and how the same link is made by hand.
struct TLinkCase {
  const char* Name;
  const char* InputObject;
  int InputRow;
  const char* OutputObject;
  int OutputRow;
  bool Logical;
  std::function<void(TZYNProjekt&)> ByHand;
};

TModul& Modul(TZYNProjekt& p, const char* kennung) {
  return *p.Steuermodule.GetSteuermodul(0)->Module.FindModul(kennung, kennung[0] == 'I' ? 1 : 5);
}
TKanal& Input(TZYNProjekt& p, int n) { return *Modul(p, "INP").FindEingang(n); }

TVerbindung& FromInput(TZYNProjekt& p, int n, int kind = 0) {
  TVerbindung& link = LinkFromInput(Input(p, n), Modul(p, "INP"), 0, 1, kind);
  return link;
}

const std::vector<TLinkCase>& Cases() {
  static const std::vector<TLinkCase> cases = {
      {"InputToOutput", "INP", 0, "OUT", 0, false,
       [](TZYNProjekt& p) { SetModuleEndpoint(FromInput(p, 0).Target(), Modul(p, "OUT"), 0, 1, 5, 1); }},
      {"InputToFlag", "INP", 1, "Merker", 1, false,
       [](TZYNProjekt& p) { SetObjectEndpoint(FromInput(p, 1).Target(), kObjMerker, 0, "MRK", 1, 0); }},
      {"InputToText", "INP", 0, "Anzeigetexte", 0, false,
       [](TZYNProjekt& p) { SetObjectEndpoint(FromInput(p, 0).Target(), kObjAnzeigetext, 0, "AZT", 0, 0); }},
      {"InputToGroup", "INP", 2, "Gruppen", 0, false,
       [](TZYNProjekt& p) { SetObjectEndpoint(FromInput(p, 2).Target(), kObjGruppe, 0, "GRP", 0, 1); }},
      {"ClockToOutput", "Uhren", 0, "OUT", 1, false,
       [](TZYNProjekt& p) {
         TUhr& clock = *p.Steuermodule.GetSteuermodul(0)->Uhren.FindByAddress(0);
         TVerbindung& link = LinkFromObject(clock, kObjUhr, "UHR", 0, 0);
         SetModuleEndpoint(link.Target(), Modul(p, "OUT"), 0, 2, 5, 1);
       }},
      {"FlagToOutput", "Merker", 0, "OUT", 2, false,
       [](TZYNProjekt& p) {
         TMerker& flag = *p.Steuermodule.GetSteuermodul(0)->Merker.FindByAddress(0);
         TVerbindung& link = LinkFromObject(flag, kObjMerker, "MRK", 0, 0);
         SetModuleEndpoint(link.Target(), Modul(p, "OUT"), 0, 3, 5, 1);
       }},
      {"LogicalWithElse", "INP", 0, "OUT", 0, true,
       [](TZYNProjekt& p) {
         TVerbindung& link = FromInput(p, 0, 2);
         SetModuleEndpoint(link.Target(), Modul(p, "OUT"), 0, 1, 5, 1);
         SetObjectEndpoint(link.ElseTarget(), kObjMerker, 0, "MRK", 1, 0);
         SetCondition(link, 0, 1, 0, 1, 1, 1, "INP", Input(p, 1).InternalName());
       }},
  };
  return cases;
}

// The builder as a test drives it: condition "Taster 1" (EIN), ELSE target flag 1, OK.
int BuildCondition(QDialog& dialog, TSteuermodul& stm) {
  auto* builder = dynamic_cast<TFrmVerknwahl*>(&dialog);
  if (builder == nullptr) return 2;
  TModul* in = stm.Module.FindModul("INP", 1);
  EXPECT_TRUE(builder->DropCondition(in->FindEingang(1)));  // "Zustand abfragen" answered OK: "Ein"
  builder->DropElse(stm.Merker.FindByAddress(1));           // the command chooser answered OK
  builder->BtnOK->click();
  return 1;
}

TEST_F(LinkPageTest, TabsAndObjectListsFollowTheProject) {
  ASSERT_EQ(page->TC->count(), 3);
  EXPECT_EQ(page->TC->tabText(2), QStringLiteral("Übergreifend"));
  QStringList inputs, outputs;
  for (int i = 0; i < page->OEingang->count(); ++i) inputs << page->OEingang->itemText(i);
  for (int i = 0; i < page->OAusgang->count(); ++i) outputs << page->OAusgang->itemText(i);
  // The motion detector module ("Input PIR") offers nothing.
  EXPECT_EQ(inputs, (QStringList{"INP", "Uhren", "Merker"}));
  EXPECT_EQ(outputs, (QStringList{"Anzeigetexte", "Gruppen", "Merker", "OUT"}));
  // The reserved flag 2 is an input row, not an output row.
  SelectInput("Merker", 0);
  EXPECT_EQ(page->InputRows().size(), 3u);
  Pick(page->OAusgang, "Merker");
  EXPECT_EQ(page->OutputRows().size(), 2u);
  // Flags on both sides: the buttons are off, the grid menu still links.
  EXPECT_FALSE(page->BtnVerbinde->isEnabled());
  EXPECT_FALSE(page->BtnLogisch->isEnabled());
  page->EGrid->setCurrentCell(0, 0);
  SelectOutputs("Merker", {1});
  page->PMConnect->trigger();
  EXPECT_EQ(Stm(0).Merker.FindByAddress(0)->Verbindungen().Count(), 1);
}

TEST_F(LinkPageTest, EveryLinkKindCompilesAsIfMadeByHand) {
  TZYNProjekt bare;
  bare.LoadProjectFile(projectFile);
  const TImages without = Compile(bare);
  for (const TLinkCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    // Each case starts from the saved project.
    form->FM->SetCurrentFrame(QString());
    form->CloseProject();
    form->OpenProject(projectFile);
    form->FM->SetCurrentFrame(QStringLiteral("FrFunktion"));
    QApplication::processEvents();
    SelectInput(c.InputObject, c.InputRow);
    SelectOutputs(c.OutputObject, {c.OutputRow});
    if (c.Logical) {
      dialogs.push_back([this](QDialog& d) { return BuildCondition(d, Stm(0)); });
      page->BtnLogisch->click();
    } else {
      page->BtnVerbinde->click();
    }
    EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : shown.front().toStdString());
    ASSERT_EQ(page->LVerbindungen->count(), 1);
    EXPECT_TRUE(GProjekt->Modified);

    const TImages built = Compile(*GProjekt);
    EXPECT_EQ(built.Problems, std::vector<std::string>{});
    EXPECT_NE(built.Bytes[0], without.Bytes[0]) << "the link does not reach the image";
    TZYNProjekt reference;
    reference.LoadProjectFile(projectFile);
    c.ByHand(reference);
    const TImages expected = Compile(reference);
    EXPECT_TRUE(built.Bytes == expected.Bytes) << "the image differs from the link made by hand";
    GProjekt->Modified = false;
  }
}

TEST_F(LinkPageTest, CrossModuleLinksOnlyOnTheirTab) {
  page->SelectTab(2);
  ASSERT_TRUE(page->CSTMEin->isVisible());
  ASSERT_EQ(page->CSTMAus->count(), 2);
  page->CSTMAus->setCurrentIndex(1);
  emit page->CSTMAus->activated(1);
  EXPECT_EQ(page->OutputStm(), &Stm(1));
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0});
  page->BtnVerbinde->click();
  ASSERT_EQ(page->LVerbindungen->count(), 1);
  TVerbindung* link = page->LVerbindungen->LinkAt(0);
  EXPECT_EQ(link->CrossSTM(), 1);
  EXPECT_EQ(link->Target().StmNummer(), 1);
  const TImages images = Compile(*GProjekt);
  EXPECT_EQ(images.Problems, std::vector<std::string>{});
  // The control module's own tab does not list it; all links do.
  page->SelectTab(0);
  SelectInput("INP", 0);
  EXPECT_EQ(page->LVerbindungen->count(), 0);
  page->BtnSumme->click();
  EXPECT_EQ(page->LVerbindungen->count(), 1);
}

TEST_F(LinkPageTest, ParameterIsAskedOnlyForANewLink) {
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0});
  ASSERT_TRUE(Pick(page->BAusgang, QStringLiteral("Einschaltverzögerung")));
  int asked = 0;
  auto count = [&asked](QDialog& d) {
    asked += dynamic_cast<TFrmParameter*>(&d) != nullptr;
    return 1;
  };
  dialogs = {count, count};
  page->BtnVerbinde->click();
  EXPECT_EQ(asked, 1);
  TVerbindung* link = page->LVerbindungen->LinkAt(0);
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(link->HasTargetParam());
  page->BtnVerbinde->click();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(page->LVerbindungen->count(), 1);
}

TEST_F(LinkPageTest, DuplicatesAndMixedCommandListsAreRefused) {
  SelectInput("INP", 0);
  // Outputs 1 and 2 switch, output 4 dims: only the switching outputs are linked.
  SelectOutputs("OUT", {0, 3, 1});
  page->BtnVerbinde->click();
  TKanal& input = *Stm(0).Module.FindModul("INP", 1)->FindEingang(0);
  EXPECT_EQ(input.Verbindungen().Count(), 2);
  EXPECT_EQ(page->LVerbindungen->count(), 2);
  SelectOutputs("OUT", {0});
  page->BtnVerbinde->click();
  EXPECT_EQ(input.Verbindungen().Count(), 2);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Diese Verbindung existiert schon!"));
}

TEST_F(LinkPageTest, CancellingTheBuilderLeavesTheProjectByteIdentical) {
  const std::vector<uint8_t> before = Bytes();
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0});
  // Conditions and an ELSE target are made, then "Abbrechen".
  dialogs.push_back([this](QDialog& d) {
    auto& builder = dynamic_cast<TFrmVerknwahl&>(d);
    // "Zustand abfragen" closed without OK adds nothing; the command chooser cancelled sets no
    // ELSE target.
    dialogs.insert(dialogs.begin(), [](QDialog&) { return 2; });
    EXPECT_FALSE(builder.DropCondition(Stm(0).Module.FindModul("INP", 1)->FindEingang(2)));
    builder.DropCondition(Stm(0).Module.FindModul("INP", 1)->FindEingang(2));
    dialogs.insert(dialogs.begin(), [](QDialog&) { return 2; });
    builder.DropElse(Stm(0).Merker.FindByAddress(0));
    EXPECT_TRUE(builder.SonstEdit->text().isEmpty());
    builder.DropElse(Stm(0).Merker.FindByAddress(0));
    EXPECT_FALSE(builder.SonstEdit->text().isEmpty());
    builder.BtnCancel->click();
    return 2;
  });
  page->BtnLogisch->click();
  EXPECT_EQ(page->LVerbindungen->count(), 0);
  EXPECT_EQ(Bytes(), before);

  // A plain link converted: the builder's ELSE target is dropped, then cancelled.
  page->BtnVerbinde->click();
  ASSERT_EQ(page->LVerbindungen->count(), 1);
  const std::vector<uint8_t> plain = Bytes();
  page->LVerbindungen->setCurrentRow(0);
  dialogs.push_back([this](QDialog& d) {
    auto& builder = dynamic_cast<TFrmVerknwahl&>(d);
    builder.DropCondition(Stm(0).Module.FindModul("INP", 1)->FindEingang(1));
    builder.DropElse(Stm(0).Merker.FindByAddress(1));
    EXPECT_FALSE(builder.SonstEdit->text().isEmpty());
    return 2;  // closed without a button: Abbrechen
  });
  page->ConvertClick();
  EXPECT_EQ(Bytes(), plain);
  EXPECT_EQ(page->LVerbindungen->LinkAt(0)->Kind(), 0);
}

TEST_F(LinkPageTest, ConvertWithOrConditionsAndTheHint) {
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0});
  page->BtnVerbinde->click();
  page->LVerbindungen->setCurrentRow(0);
  page->KMPopup();
  EXPECT_TRUE(page->KMConvert->isEnabled());
  dialogs.push_back([this](QDialog& d) {
    auto& builder = dynamic_cast<TFrmVerknwahl&>(d);
    TModul* in = Stm(0).Module.FindModul("INP", 1);
    builder.DropCondition(in->FindEingang(1));
    builder.DropCondition(in->FindEingang(2));
    builder.DropCondition(Stm(0).Merker.FindByAddress(0));
    EXPECT_FALSE(builder.DropCondition(in->FindEingang(2)));  // listed already
    builder.RbOder->setChecked(true);
    builder.BtnOK->click();
    return 1;
  });
  page->ConvertClick();
  TVerbindung* link = page->LVerbindungen->LinkAt(0);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Kind(), 1);
  EXPECT_EQ(link->LogicOr(), 1);
  EXPECT_EQ(link->GetLogicCount(), 3);
  page->HintForRow(0, QPoint(10, 10));
  const std::string hint = page->LastHint();
  EXPECT_EQ(hint.find("\r   UND  "), hint.find('\r'));  // the first condition with UND
  EXPECT_EQ(std::count(hint.begin(), hint.end(), '\r'), 4);
  EXPECT_NE(hint.find("\r ODER "), std::string::npos);
  EXPECT_EQ(hint.find("SONST"), std::string::npos);
}

TEST_F(LinkPageTest, DeleteCopyAndPasteThroughTheList) {
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0, 1, 2});
  page->BtnVerbinde->click();
  ASSERT_EQ(page->LVerbindungen->count(), 3);
  // Copy two links and paste them onto another input of the same module.
  page->LVerbindungen->clearSelection();
  page->LVerbindungen->item(0)->setSelected(true);
  page->LVerbindungen->item(2)->setSelected(true);
  page->CopySelectedLinks();
  EXPECT_EQ(page->ClipboardCount(), 2);
  SelectInput("INP", 1);
  page->KMPopup();
  EXPECT_TRUE(page->KMPaste->isEnabled());
  page->EinfuegenClick();
  TKanal& second = *Stm(0).Module.FindModul("INP", 1)->FindEingang(1);
  ASSERT_EQ(second.Verbindungen().Count(), 2);
  EXPECT_EQ(second.Verbindungen().GetVerbindung(0)->Source().KanalNummer(), 1);
  EXPECT_NE(second.Verbindungen().GetVerbindung(0)->InternalName, "");
  // Pasting again onto the same input: refused.
  page->EinfuegenClick();
  EXPECT_EQ(second.Verbindungen().Count(), 2);
  EXPECT_EQ(shown.back(), QStringLiteral("Diese Verknüpfung existiert schon!"));
  // Pasting is not offered on a flag row.
  SelectInput("Merker", 0);
  page->KMPopup();
  EXPECT_FALSE(page->KMPaste->isEnabled());
  // Delete entries 1 and 3 of three: the entry now at position 1 is focused.
  SelectInput("INP", 0);
  ASSERT_EQ(page->LVerbindungen->count(), 3);
  TVerbindung* middle = page->LVerbindungen->LinkAt(1);
  page->LVerbindungen->clearSelection();
  page->LVerbindungen->setCurrentRow(0);
  page->LVerbindungen->item(0)->setSelected(true);
  page->LVerbindungen->item(2)->setSelected(true);
  page->BtnDeleteClick();
  ASSERT_EQ(page->LVerbindungen->count(), 1);
  EXPECT_EQ(page->LVerbindungen->LinkAt(0), middle);
  EXPECT_EQ(page->LVerbindungen->currentRow(), 0);
  EXPECT_EQ(Stm(0).Module.FindModul("INP", 1)->FindEingang(0)->Verbindungen().Count(), 1);
  // All links: both inputs' links.
  page->BtnSumme->click();
  EXPECT_EQ(page->LVerbindungen->count(), 3);
}

TEST_F(LinkPageTest, DetailsChangeTheFunctionAndRefileTheLink) {
  SelectInput("INP", 0);
  SelectOutputs("OUT", {0});
  page->BtnVerbinde->click();
  page->LVerbindungen->setCurrentRow(0);
  dialogs.push_back([](QDialog& d) {
    auto& details = dynamic_cast<TFrmVerbDetail&>(d);
    EXPECT_EQ(details.Notebook1->currentIndex(), 0);
    EXPECT_EQ(details.height(), 260);
    EXPECT_TRUE(details.ComboBox5->isEnabled());
    details.ComboBox5->setCurrentIndex(details.ComboBox5->findText(QStringLiteral("AUS")));
    return 1;
  });
  page->LVerbindungenDblClick();
  TVerbindung* link = page->LVerbindungen->LinkAt(0);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Target().FunctionText(), "AUS");
  EXPECT_EQ(link->Target().FunctionNumber(), 2);
  EXPECT_NE(page->LVerbindungen->item(0)->text().indexOf(QStringLiteral("AUS")), -1);
}

TEST_F(LinkPageTest, DeletedObjectsTakeTheirLinksAlong) {
  SelectInput("INP", 0);
  SelectOutputs("Merker", {1});
  page->BtnVerbinde->click();
  SelectOutputs("OUT", {0});
  dialogs.push_back([this](QDialog& d) { return BuildCondition(d, Stm(0)); });
  page->BtnLogisch->click();
  ASSERT_EQ(page->LVerbindungen->count(), 2);
  // The flag goes: the link to it goes too, and the logical link loses its ELSE target.
  TMerker* flag = Stm(0).Merker.FindByAddress(1);
  GProjekt->MerkerDeleted(0, *flag);
  Stm(0).Merker.Remove(flag);
  Reactivate();
  SelectInput("INP", 0);
  ASSERT_EQ(page->LVerbindungen->count(), 1);
  TVerbindung* logical = page->LVerbindungen->LinkAt(0);
  EXPECT_NE(logical->Kind(), 0);
  EXPECT_FALSE(logical->ElseTarget().Present());
  // The output module goes: the logical link targeting it goes.
  TModul* out = Stm(0).Module.FindModul("OUT", 5);
  GProjekt->ModulDeleted(0, *out);
  Stm(0).Module.Remove(out);
  Reactivate();
  SelectInput("INP", 0);
  EXPECT_EQ(page->LVerbindungen->count(), 0);
}

}  // namespace
}  // namespace zyn::test
