// The page designer, the property dialogs, the users page and the settings page on a project
// with one control module: input module INP 3 (two push buttons), output module OUT 5 (two
// switch outputs with their feedback channels) and one flag.

#include "compiler/ProjectCompile.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/XMLIniFile.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "tests/compiler/ImageLinks.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"
#include "tests/support/ProgrammeGlobals.h"
#include "tests/support/TestHome.h"
#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/VisuDesignRules.h"
#include "visu/VisuProject.h"
#include "visu/ui/FrameVisuEntwurf.h"
#include "visu/ui/FrameVisuPages.h"
#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuPageFrame.h"
#include "visu/ui/VisuPropertyDialogs.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QApplication>
#include <QTest>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

void EnsureGlobals() {
  EnsureProgrammeGlobals();
  RegisterVisuPages();
}

template <class T>
void AddChannel(TModul& m, int address, const std::string& name) {
  auto k = std::make_unique<T>();
  k->SetInternalName(m.InternalName() + "_" + std::to_string(address));
  k->SetDisplayName(name);
  k->SetAdresse(address);
  if constexpr (std::is_same_v<T, TEingang>)
    m.Eingaenge().Add(std::move(k));
  else if constexpr (std::is_same_v<T, TAusgang>)
    m.Ausgaenge().Add(std::move(k));
  else
    m.Rueckmeldungen().Add(std::move(k));
}

class VisuDesignerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGlobals();
    SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      shown.push_back(text.toStdString());
      return static_cast<int>(IDOK);
    });
    GProjekt = std::make_unique<TZYNProjekt>();
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName("STM0");
    stm->SetDisplayName("Steuermodul 0");
    stm->SetAdresse(1);
    TSteuermodul& s = *GProjekt->Steuermodule.Add(std::move(stm));
    const auto module = [&s](const std::string& name, int basis, int address) -> TModul& {
      auto m = std::make_unique<TModul>();
      m->SetInternalName(name);
      m->SetDisplayName(name == "INP" ? "Taster Flur" : "Relais Keller");
      m->BasisKlasse = basis;
      m->SetAdresse(address);
      m->ModulKennung = name;
      m->ModulKlasse = name;
      m->EinShift = 2;
      m->AusShift = 4;
      return *s.Module.Add(std::move(m));
    };
    TModul& in = module("INP", 0, 3);
    AddChannel<TEingang>(in, 0, "Taster Tür");
    AddChannel<TEingang>(in, 1, "Taster Bad");
    TModul& out = module("OUT", 2, 5);
    AddChannel<TAusgang>(out, 0, "Licht Flur");
    AddChannel<TAusgang>(out, 1, "Licht Bad");
    AddChannel<TRueckmeldung>(out, 0, "RM Flur");
    auto flag = std::make_unique<TMerker>();
    flag->SetInternalName("MRK7");
    flag->SetDisplayName("Nacht");
    flag->SetAdresse(7);
    s.Merker.Add(std::move(flag));
    GProjekt->VisuProject().UserData.AddDefaultUser();
    GProjekt->Modified = false;
  }
  void TearDown() override {
    designer.reset();
    GProjekt.reset();
    SetMessageDlgHook({});
  }

  TFrVisuEntwurf& Designer() {
    if (!designer) {
      designer = std::make_unique<TFrVisuEntwurf>();
      designer->resize(1200, 800);
      designer->show();
      designer->FrameActivate();
    }
    return *designer;
  }
  TVisuProject& Visu() { return GProjekt->VisuProject(); }

  // Selects the tree node whose caption ends with the text.
  static void Pick(QTreeWidget* tree, const std::string& text) {
    const QList<QTreeWidgetItem*> found =
        tree->findItems(QString::fromStdString(text), Qt::MatchEndsWith | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << text;
    tree->setCurrentItem(found.front());
  }
  TVisuComponent* Insert(int kind, int x, int y) {
    TVisuDesignFrame* page = Designer().CurrentPage();
    page->AskCaption = [](const std::string&, const std::string&, const std::string&) { return std::string("Weiter"); };
    Designer().PaletteClick(kind);
    return page->InsertControl(page->InsertComponent, x, y);
  }

  std::vector<std::string> shown;
  std::unique_ptr<TFrVisuEntwurf> designer;
  TempFolder folder{"visu_designer"};
};

bool XmllintAccepts(const fs::path& file) {
  const std::string cmd = "xmllint --noout '" + file.string() + "' >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

TEST_F(VisuDesignerTest, TwoPagesWithNavigationAndBoundStatusSurviveSaveReopenAndExport) {
  TFrVisuEntwurf& d = Designer();
  TVisuDesignFrame* first = d.NewPage();
  TVisuDesignFrame* second = d.NewPage();
  ASSERT_EQ(Visu().PageCount(), 2);
  EXPECT_NE(first->Name(), second->Name());
  d.RenamePage(1, "Keller");
  d.SelectPage(0);
  d.SetAsStartPage();
  auto* nav = dynamic_cast<TNavigationButton*>(Insert(8, 10, 10)->Self());
  ASSERT_NE(nav, nullptr);
  EXPECT_EQ(nav->Caption(), "Weiter");
  auto* led = dynamic_cast<TVisuRoundLED*>(Insert(1, 200, 100)->Self());
  auto* led2 = dynamic_cast<TVisuRoundLED*>(Insert(1, 300, 100)->Self());
  ASSERT_TRUE(led && led2);

  d.NavList->setCurrentRow(1);
  EXPECT_TRUE(d.AcceptsDrag(nav, d.NavList));
  EXPECT_FALSE(d.AcceptsDrag(nav, d.TVOutputs));
  d.DropOn(nav, d.NavList);
  EXPECT_EQ(nav->GetTarget(), second->Name() + ".vpg");

  Pick(d.TVOutputs, "Licht Bad");
  EXPECT_TRUE(d.AcceptsDrag(led, d.TVOutputs));
  EXPECT_FALSE(d.AcceptsDrag(led, d.NavList));
  d.DropOn(led, d.TVOutputs);
  EXPECT_EQ(led->VisuData.Steuermodul, 1);
  EXPECT_EQ(led->VisuData.Modul, 2 * 32 + 5);
  EXPECT_EQ(led->VisuData.Kanal, 1);
  EXPECT_EQ(led->VisuData.Hint, "STM.01.OUT.05.01\rLicht Bad");
  ASSERT_EQ(Visu().DispatcherList.Count(), 1);
  d.DropOn(led2, d.TVOutputs);  // the same channel again: no second entry
  EXPECT_EQ(Visu().DispatcherList.Count(), 1);
  EXPECT_EQ(Visu().DispatcherList.Item(0).InternalName, "OUT_1");
  EXPECT_EQ(Visu().DispatcherList.Item(0).KanalArt, static_cast<int32_t>(TKanalArt::kaAusgang));
  EXPECT_TRUE(GProjekt->Modified);

  const std::string file = folder.File("Anlage.zpf");
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  TZYNProjekt back;
  back.LoadProjectFile(file);
  TVisuProject& v2 = back.VisuProject();
  ASSERT_EQ(v2.PageCount(), 2);
  ASSERT_NE(dynamic_cast<TVisuDesignFrame*>(v2.GetPage(0)), nullptr);  // the programme's projects build design pages
  for (int i = 0; i < 2; ++i) EXPECT_EQ(v2.GetPage(i)->MakeRecord(), Visu().GetPage(i)->MakeRecord()) << i;
  EXPECT_EQ(v2.GetPage(1)->DisplayName(), "Keller");
  EXPECT_EQ(v2.FirstPage, first->Name());
  ASSERT_EQ(v2.DispatcherList.Count(), 1);
  EXPECT_EQ(v2.DispatcherList.Item(0), Visu().DispatcherList.Item(0));
  auto* navBack = Find<TNavigationButton>(dynamic_cast<TVisuDesignFrame*>(v2.GetPage(0)));
  ASSERT_NE(navBack, nullptr);
  EXPECT_EQ(navBack->GetTarget(), second->Name() + ".vpg");

  const fs::path rt = folder.Dir() / "Laufzeit";
  fs::create_directory(rt);
  v2.ExportRunTime(rt.string());
  EXPECT_TRUE(XmllintAccepts(rt / "ZYNVisu.ini"));
  EXPECT_TRUE(XmllintAccepts(rt / "ZYNVisu.dol"));
  {
    TXMLIniFile ini((rt / "ZYNVisu.ini").string());
    EXPECT_EQ(ini.ReadString("Options", "FirstPage", "?"), first->Name() + ".vpg");
  }
  TXMLDispatcherObjectList channels;
  channels.ReadXML((rt / "ZYNVisu.dol").string());
  ASSERT_EQ(channels.Count(), 1);
  EXPECT_EQ(channels.Item(0).Modul, 69);
  TUserDataList users;
  ASSERT_TRUE(users.LoadUsersFromFile((rt / "VisuUserData.udf").string()));
  EXPECT_NE(users.FindByName("Administrator"), nullptr);
  for (int i = 0; i < 2; ++i) {
    TVisuPage page;
    page.LoadFromFile((rt / "Pages" / (v2.GetPage(i)->Name() + ".vpg")).string());
    EXPECT_EQ(page.Record(), v2.GetPage(i)->MakeRecord()) << i;
  }
}

// The property of every control record of a page (any depth) that has it.
std::vector<int32_t> IntegersOf(const TComponentRecord& rec, const char* name) {
  std::vector<int32_t> found;
  if (const TPropertyRecord* p = rec.FindProperty(name)) found.push_back(p->Value.AsInteger());
  for (const TComponentRecord& child : rec.Children)
    for (int32_t v : IntegersOf(child, name)) found.push_back(v);
  return found;
}

TEST_F(VisuDesignerTest, DesignedPagesReachTheModulesCompiledReaddressedExportedAndDeleted) {
  TFrVisuEntwurf& d = Designer();
  TSteuermodul& stm = *GProjekt->Steuermodule.GetSteuermodul(0);
  TModul& in = *stm.Module.GetModul(0);
  TModul& out = *stm.Module.GetModul(1);
  TVisuDesignFrame* first = d.NewPage();
  d.SetAsStartPage();
  auto* led = dynamic_cast<TVisuRoundLED*>(Insert(1, 10, 10)->Self());
  auto* button = dynamic_cast<TTeleButton*>(Insert(11, 100, 10)->Self());
  ASSERT_TRUE(led && button);
  Pick(d.TVOutputs, "Licht Bad");
  d.DropOn(led, d.TVOutputs);
  // The hint names the command by its name, not by the old name the command list keeps.
  TEABaseFunction command;
  command.Command = 2;
  command.DisplayName = "Umschalten";
  command.OldName = Ansi("Inversé");
  d.ChooseCommand = [&command](const TKanal&, std::string& suffix) {
    suffix = ":" + command.OldName;
    return &command;
  };
  d.EditParameter = [](const TEABaseFunction&, uint8_t[2]) { return false; };
  Pick(d.TVOutputs, "Licht Flur");
  d.DropOn(button, d.TVOutputs);
  EXPECT_EQ(button->Hint(), "STM.01.OUT.05.00:Umschalten\rLicht Flur");

  d.NewPage();
  auto* indicator = dynamic_cast<TVisuTextIndicator*>(Insert(5, 10, 10)->Self());
  auto* index = dynamic_cast<TIndexControl*>(Insert(15, 200, 10)->Self());
  ASSERT_TRUE(indicator && index);
  Pick(d.TVOutputs, "Licht Flur");
  d.DropOn(indicator, d.TVOutputs);
  in.FindEingang(1)->BefehlsListe = "Eingangsfunktionen Taster";
  TFrmIndexFunction assign(*GProjekt, *index, in.FindEingang(1));
  ASSERT_TRUE(assign.Resolved());
  ASSERT_GT(assign.Commands->count(), 0);
  assign.Functions->setCurrentRow(0);
  assign.Commands->setCurrentRow(0);
  assign.LinkSelection();
  assign.Apply();
  ASSERT_GE(index->EinIndex.Command, 0);

  // Compiled through the one builder: the index control's telegram is an operation 41 in the
  // list of its input's event, the outputs shown on both pages are reported.
  {
    TProjectCompile compile(*GProjekt);
    ASSERT_TRUE(compile.Build());
    const TBinData& image = *compile.Driver().Image(1);
    const int event = ((1 << in.EinShift) | index->EinIndex.Command) & 0xFF;
    const int telegram = index->EinIndex.Index;
    EXPECT_EQ(EventListBytes(image, 3, event, 5),
              (std::vector<uint8_t>{41, 254, 18, uint8_t(telegram >> 8), uint8_t(telegram & 0xFF)}));
    EXPECT_TRUE(OutputReported(image, 69, 1));  // the LED
    EXPECT_TRUE(OutputReported(image, 69, 0));  // the indicator
    EXPECT_EQ(in.FindEingang(1)->Verbindungen().Count(), 0);
  }

  // The output module moves from address 5 to 6: every control, every hint and the channel list.
  GProjekt->ObjectAddressChanged(1, 2, &out, 5, 6);
  out.SetAdresse(6);
  EXPECT_EQ(led->VisuData.Modul, 70);
  EXPECT_EQ(led->VisuData.Hint, "STM.01.OUT.06.01\rLicht Bad");
  EXPECT_EQ(indicator->VisuData.Modul, 70);
  TTeleType type;
  int32_t s, m, k, befehl, shift, parameter;
  button->GetTelegram(type, s, m, k, befehl, shift, parameter);
  EXPECT_EQ(m, 70);
  EXPECT_EQ(button->Hint(), "STM.01.OUT.06.00:Umschalten\rLicht Flur");
  for (int i = 0; i < Visu().DispatcherList.Count(); ++i) EXPECT_EQ(Visu().DispatcherList.Item(i).Modul, 70);

  const fs::path rt = folder.Dir() / "Laufzeit";
  fs::create_directory(rt);
  Visu().ExportRunTime(rt.string());
  for (int i = 0; i < Visu().PageCount(); ++i) {
    TVisuPage page;
    page.LoadFromFile((rt / "Pages" / (Visu().GetPage(i)->Name() + ".vpg")).string());
    for (const char* name : {"VisuData.Modul", "Telegram.Modul"})
      for (int32_t v : IntegersOf(page.Record(), name)) EXPECT_EQ(v, 70) << i << name;
    // New pages are white, in the export too.
    const TPropertyRecord* color = page.Record().FindProperty("Color");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Value.AsIdent(), "clWhite");
  }
  TXMLDispatcherObjectList channels;
  channels.ReadXML((rt / "ZYNVisu.dol").string());
  ASSERT_EQ(channels.Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(channels.Item(i).Modul, 70);

  // White pages stay white after saving and reopening.
  const std::string file = folder.File("Weiss.zpf");
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  {
    TZYNProjekt back;
    back.LoadProjectFile(file);
    auto* page = dynamic_cast<TVisuDesignFrame*>(back.VisuProject().GetPage(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Color(), TVisuColors::clWhite);
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(Qt::white));
  }
  EXPECT_EQ(first->Color(), TVisuColors::clWhite);

  // The module is deleted: nothing stays bound to it.
  GProjekt->ModulDeleted(1, out);
  EXPECT_EQ(led->VisuData.Steuermodul, -1);
  EXPECT_EQ(led->VisuData.Hint, "");
  EXPECT_EQ(indicator->VisuData.Steuermodul, -1);
  button->GetTelegram(type, s, m, k, befehl, shift, parameter);
  EXPECT_EQ(type, TTeleType::vtNone);
  EXPECT_EQ(Visu().DispatcherList.Count(), 0);
  EXPECT_EQ(button->Hint(), "");
  EXPECT_EQ(index->EinIndex.Modul, 3);  // the input module stays
}

TEST_F(VisuDesignerTest, EscAndClosingThePropertyDialogRestoreAsCancelDoes) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  TVisuComponent* c = Insert(3, 20, 20);
  const QRect bounds = c->Self()->geometry();
  for (bool esc : {true, false}) {
    auto dialog = MakeVisuPropertyDialog(c);
    dialog->show();
    dialog->Spin[2]->SetValue(300);
    dialog->Spin[0]->SetValue(400);
    EXPECT_EQ(c->Self()->geometry(), QRect(400, 20, 300, bounds.height()));
    if (esc)
      QTest::keyClick(dialog.get(), Qt::Key_Escape);
    else
      dialog->close();
    EXPECT_EQ(c->Self()->geometry(), bounds) << esc;
    EXPECT_EQ(dialog->result(), 2) << esc;
  }
}

TEST_F(VisuDesignerTest, NewControlsShowTheirTextWhole) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  auto* label = dynamic_cast<TVisuText*>(Insert(12, 10, 10)->Self());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "Standardtext");
  auto* exit = dynamic_cast<TExitButton*>(Insert(17, 10, 60)->Self());
  ASSERT_NE(exit, nullptr);
  EXPECT_GE(exit->width(), exit->fontMetrics().horizontalAdvance(exit->text()));
  auto* button = dynamic_cast<TTeleButton*>(Insert(11, 10, 120)->Self());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->size(), QSize(30, 30));
  auto dialog = MakeVisuPropertyDialog(button);
  auto* editor = dynamic_cast<TFrmPositionEditor*>(dialog.get());
  ASSERT_NE(editor, nullptr);
  editor->show();
  // The position fields show their digits whole.
  for (TZCLSpinEdit* spin : editor->Spin) EXPECT_GE(spin->height(), spin->fontMetrics().height() + 4);
  editor->CaptionText->setText("Licht im Flur umschalten");
  editor->BtnApply->click();
  EXPECT_GT(button->width(), button->fontMetrics().horizontalAdvance(button->text()));
  EXPECT_EQ(editor->Spin[2]->Value(), button->width());
  editor->BtnCancel->click();  // the applied size is the one kept
  EXPECT_GT(button->width(), button->fontMetrics().horizontalAdvance(button->text()));
}

TEST_F(VisuDesignerTest, UndoOfPlacementMoveAndDeletionRestoresThePage) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  TVisuDesignFrame* page = d.CurrentPage();
  const TComponentRecord empty = page->MakeRecord();
  EXPECT_FALSE(d.CanUndo());
  TVisuComponent* led = Insert(3, 40, 40);
  const TComponentRecord placed = page->MakeRecord();
  ASSERT_EQ(page->Controls().size(), 1u);
  dynamic_cast<IVisuDesigner*>(led->Self())->SetPosition(90, 70);
  page->OnModified();
  d.DeleteControl(page->Controls().front());
  EXPECT_TRUE(page->Controls().empty());
  d.Undo();  // deletion
  ASSERT_EQ(page->Controls().size(), 1u);
  EXPECT_EQ(page->Controls().front()->Self()->pos(), QPoint(90, 70));
  d.Undo();  // move
  EXPECT_EQ(page->MakeRecord(), placed);
  d.Undo();  // placement
  EXPECT_EQ(page->MakeRecord(), empty);
  EXPECT_TRUE(page->Controls().empty());
  EXPECT_FALSE(d.CanUndo());

  QImage picture(16, 8, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  const std::string bmp = folder.File("grund.bmp");
  ASSERT_TRUE(picture.save(QString::fromStdString(bmp), "BMP"));
  EXPECT_FALSE(d.InsertPicture(folder.File("fehlt.bmp")));
  ASSERT_TRUE(d.InsertPicture(bmp));
  EXPECT_EQ(page->Bitmap().size(), QSize(16, 8));
  d.Undo();
  EXPECT_TRUE(page->Bitmap().isNull());
  EXPECT_EQ(page->MakeRecord(), empty);
}

TEST_F(VisuDesignerTest, CancelInPropertyDialogLeavesThePageUnchanged) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  TVisuDesignFrame* page = d.CurrentPage();
  TVisuComponent* c = Insert(1, 1200, 20);  // a circle beyond the spin edits' limit
  auto* led = dynamic_cast<TVisuRoundLED*>(c->Self());
  ASSERT_EQ(led->Design.Shape(), TShapeType::stCircle);
  const TComponentRecord before = page->MakeRecord();
  const QRect bounds = led->geometry();
  auto dialog = MakeVisuPropertyDialog(c);
  auto* design = dynamic_cast<TFrmDesign*>(dialog.get());
  ASSERT_NE(design, nullptr);
  EXPECT_EQ(led->x(), 1000);  // shown at the limit
  design->Spin[2]->SetValue(40);
  EXPECT_EQ(led->size(), QSize(40, 40));
  EXPECT_EQ(design->Spin[3]->Value(), 40);
  design->Fields.OnText->setText("AN");
  design->BtnCancel->click();
  EXPECT_EQ(led->geometry(), bounds);
  EXPECT_EQ(page->MakeRecord(), before);

  dialog = MakeVisuPropertyDialog(c);
  design = dynamic_cast<TFrmDesign*>(dialog.get());
  design->Fields.OnText->setText("AN");
  design->Fields.FrameStyle->setCurrentIndex(2);
  design->BtnOK->click();
  EXPECT_EQ(led->Design.OnText(), "AN");
  EXPECT_EQ(led->Design.FrameStyle(), TFrameStyle::fsRaised);
  EXPECT_EQ(led->Design.OffText(), "AUS");  // written back translated (the identity here)
}

TEST_F(VisuDesignerTest, DialogsWriteTheirFieldsOnlyWhenApplied) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  // Summary status: removed channels go only on apply.
  auto* sum = dynamic_cast<TSummenStatus*>(Insert(20, 10, 10)->Self());
  ASSERT_NE(sum, nullptr);
  for (int k = 0; k < 3; ++k) sum->AddChannel(1, 69, k, TKanalArt::kaAusgang, "K" + std::to_string(k) + "\rName");
  auto dialog = MakeVisuPropertyDialog(sum);
  auto* se = dynamic_cast<TFrmSummenStatusEditor*>(dialog.get());
  ASSERT_NE(se, nullptr);
  EXPECT_EQ(se->Channels->item(0)->text(), "K0:Name");
  for (int i = 0; i < 2; ++i) {
    se->Channels->setCurrentRow(0);
    se->DeleteSelectedChannel();
  }
  se->BtnCancel->click();
  EXPECT_EQ(sum->Kanaele.size(), 3u);
  dialog = MakeVisuPropertyDialog(sum);
  se = dynamic_cast<TFrmSummenStatusEditor*>(dialog.get());
  se->Channels->setCurrentRow(1);
  se->DeleteSelectedChannel();
  se->BtnApply->click();
  ASSERT_EQ(sum->Kanaele.size(), 2u);
  EXPECT_EQ(sum->Kanaele[1]->Kanal, 2);

  // Text: automatic width acts at once and locks the size fields.
  auto* text = dynamic_cast<TVisuText*>(Insert(12, 50, 200)->Self());
  dialog = MakeVisuPropertyDialog(text);
  auto* le = dynamic_cast<TFrmLabelEditor*>(dialog.get());
  ASSERT_NE(le, nullptr);
  EXPECT_FALSE(le->Spin[2]->isEnabled());
  le->AutoSize->click();
  EXPECT_FALSE(text->AutoSize());
  EXPECT_TRUE(le->Spin[2]->isEnabled());
  le->CaptionText->setText("Wohnzimmer");
  le->BtnOK->click();
  EXPECT_EQ(text->Caption(), "Wohnzimmer");

  // Buttons and navigation: caption written on OK, not on cancel.
  auto* exitButton = dynamic_cast<TExitButton*>(Insert(17, 50, 300)->Self());
  dialog = MakeVisuPropertyDialog(exitButton);
  auto* pe = dynamic_cast<TFrmPositionEditor*>(dialog.get());
  ASSERT_NE(pe, nullptr);
  pe->CaptionText->setText("Ende");
  pe->BtnCancel->click();
  EXPECT_NE(exitButton->Caption(), "Ende");
  auto* seg = dynamic_cast<TSegmentControl*>(Insert(9, 400, 300)->Self());
  dialog = MakeVisuPropertyDialog(seg);
  auto* sg = dynamic_cast<TFrmSegmentEditor*>(dialog.get());
  ASSERT_NE(sg, nullptr);
  sg->Pattern->setCurrentIndex(6);
  EXPECT_EQ(sg->Preview->Pattern(), bsCross);
  EXPECT_EQ(seg->Pattern(), bsClear);
  sg->BtnOK->click();
  EXPECT_EQ(seg->Pattern(), bsCross);
}

TEST_F(VisuDesignerTest, TelegramDropStoresCommandParameterAndAbandonsWithoutCommand) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  auto* button = dynamic_cast<TTeleButton*>(Insert(11, 10, 10)->Self());
  ASSERT_NE(button, nullptr);
  TEABaseFunction command;
  command.Command = 0x8123;
  command.DisplayName = "Dimmen";
  d.ChooseCommand = [](const TKanal&, std::string&) -> TEABaseFunction* { return nullptr; };
  Pick(d.TVOutputs, "Licht Flur");
  d.DropOn(button, d.TVOutputs);
  EXPECT_EQ(Visu().DispatcherList.Count(), 0);
  d.ChooseCommand = [&command](const TKanal&, std::string& suffix) {
    suffix = ":Dimmen";
    return &command;
  };
  d.EditParameter = [](const TEABaseFunction&, uint8_t bytes[2]) {
    bytes[0] = 0x34;
    bytes[1] = 0x12;
    return true;
  };
  d.DropOn(button, d.TVOutputs);
  TTeleType type;
  int32_t s, m, k, befehl, shift, parameter;
  button->GetTelegram(type, s, m, k, befehl, shift, parameter);
  EXPECT_EQ(type, TTeleType::vtAusParaTele);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(m, 69);
  EXPECT_EQ(k, 0);
  EXPECT_EQ(befehl, static_cast<int16_t>(0x8123));
  EXPECT_EQ(shift, 4);
  EXPECT_EQ(parameter, 0x1234);
  EXPECT_EQ(button->Hint(), "STM.01.OUT.05.00:Dimmen\rLicht Flur");
  ASSERT_EQ(Visu().DispatcherList.Count(), 1);

  d.EditParameter = [](const TEABaseFunction&, uint8_t[2]) { return false; };
  Pick(d.TVInputs, "Taster Bad");
  d.DropOn(button, d.TVInputs);
  button->GetTelegram(type, s, m, k, befehl, shift, parameter);
  EXPECT_EQ(type, TTeleType::vtEinEmu);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(shift, 2);
  EXPECT_EQ(parameter, -1);
}

TEST_F(VisuDesignerTest, IndexControlGetsNumbersTheAssignmentChangesOnlyLinkedEntries) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  auto* index = dynamic_cast<TIndexControl*>(Insert(15, 10, 10)->Self());
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->EinIndex.Index, 1);
  EXPECT_EQ(index->AusIndex.Index, 2);
  EXPECT_TRUE(d.AcceptsDrag(index, d.TVFlags));
  const TMerker* flag = GProjekt->Steuermodule.GetSteuermodul(0)->Merker.GetMerker(0);
  TFrmIndexFunction dialog(*GProjekt, *index, flag);
  ASSERT_TRUE(dialog.Resolved());
  EXPECT_EQ(dialog.Copies()[0].KanalArt, TKanalArt::kaMerker);
  EXPECT_EQ(dialog.Copies()[0].Kanal, 7);
  ASSERT_GT(dialog.Commands->count(), 0);
  dialog.Functions->setCurrentRow(1);
  dialog.Commands->setCurrentRow(0);
  dialog.LinkSelection();
  EXPECT_EQ(dialog.Assigned->count(), 1);
  const TIndexInfo ein = index->EinIndex;
  dialog.Apply();
  EXPECT_EQ(index->EinIndex, ein);
  EXPECT_EQ(index->AusIndex.KanalArt, TKanalArt::kaMerker);
  EXPECT_EQ(index->AusIndex.Index, 2);
  EXPECT_EQ(index->AusIndex.CommandName, FromQString(dialog.Commands->item(0)->text()));
  // An output without feedback channel of its address gives nothing to bind.
  TModul* out = GProjekt->Steuermodule.GetSteuermodul(0)->Module.GetModul(1);
  TFrmIndexFunction none(*GProjekt, *index, out->Ausgaenge().GetItem(1));
  EXPECT_FALSE(none.Resolved());
  EXPECT_EQ(none.Commands->count(), 0);
  EXPECT_EQ(none.Copies()[1].Steuermodul, index->AusIndex.Steuermodul);
}

TEST_F(VisuDesignerTest, DeletingTheStartPageMovesItAndReleasesIndexNumbers) {
  TFrVisuEntwurf& d = Designer();
  TVisuDesignFrame* a = d.NewPage();
  TVisuDesignFrame* b = d.NewPage();
  d.SelectPage(0);
  Insert(15, 10, 10);
  d.SetAsStartPage();
  EXPECT_EQ(d.PageList->item(0)->text().toStdString(), "->" + a->DisplayName() + "<-");
  EXPECT_EQ(d.PageList->item(1)->text().toStdString(), b->DisplayName());
  d.PageList->item(0)->setText("->Flur<-");  // edited in place with the marks still there
  EXPECT_EQ(a->DisplayName(), "Flur");
  EXPECT_EQ(d.NavList->item(0)->text(), "Flur");
  EXPECT_EQ(d.PageList->item(0)->text(), "->Flur<-");
  EXPECT_EQ(d.PageHeader->text(), "Seite: Flur");
  EXPECT_TRUE(Visu().IndexHandler.IsUsed(1));
  const std::string bName = b->Name();
  d.DeletePage();
  ASSERT_EQ(Visu().PageCount(), 1);
  EXPECT_EQ(Visu().FirstPage, bName);
  EXPECT_FALSE(Visu().IndexHandler.IsUsed(1));
  EXPECT_FALSE(Visu().IndexHandler.IsUsed(2));
  EXPECT_EQ(d.NavList->count(), 1);
  EXPECT_EQ(d.PageList->item(0)->text().toStdString(), "->" + b->DisplayName() + "<-");
  d.DeletePage();
  EXPECT_EQ(Visu().FirstPage, "");
  EXPECT_EQ(d.CurrentPage(), nullptr);
}

TEST_F(VisuDesignerTest, PagesTakeTheScreenSizeAlsoWhenImported) {
  Visu().VisuDaten.ScreenSize = TScreenSize::sz1600;
  TFrVisuEntwurf& d = Designer();
  TVisuDesignFrame* page = d.NewPage();
  EXPECT_EQ(page->size(), QSize(1600, 1280));
  Insert(5, 10, 10);
  const std::string file = folder.File("seite.vpg");
  ASSERT_TRUE(d.ExportPage(file));
  EXPECT_FALSE(page->Name().empty());
  TVisuPage stored;
  stored.LoadFromFile(file);
  EXPECT_EQ(stored.Name(), "");
  Visu().VisuDaten.ScreenSize = TScreenSize::sz800;
  TVisuDesignFrame* imported = d.ImportPage(file);
  ASSERT_NE(imported, nullptr);
  EXPECT_EQ(imported->size(), QSize(800, 600));
  EXPECT_NE(imported->Name(), page->Name());
  EXPECT_EQ(imported->Controls().size(), 1u);
  EXPECT_EQ(Visu().PageCount(), 2);
}

TEST_F(VisuDesignerTest, ArrowOfEveryPaletteTabClearsAChosenInsertion) {
  TFrVisuEntwurf& d = Designer();
  d.NewPage();
  for (int tab = 0; tab < d.Palette->count(); ++tab) {
    d.PaletteClick(17);
    ASSERT_EQ(d.PaletteValue(), 17);
    auto buttons = d.Palette->widget(tab)->findChildren<QToolButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    buttons.front()->click();  // the arrow comes first
    EXPECT_EQ(d.PaletteValue(), -1) << tab;
  }
}

TEST_F(VisuDesignerTest, SettingsPageAppliesOnlyWithOkAndLocksSizeOncePagesExist) {
  TFrVisuProjekt page;
  page.FrameActivate();
  EXPECT_TRUE(page.RBMouse->isChecked());
  EXPECT_TRUE(page.RB1024->isChecked());
  EXPECT_FALSE(page.CBMenuFrame->isChecked());
  EXPECT_FALSE(page.BtnOK->isEnabled());
  EXPECT_TRUE(page.GBSize->isEnabled());
  page.RB800->click();
  EXPECT_TRUE(page.BtnOK->isEnabled());
  page.FrameDeactivate();
  EXPECT_EQ(Visu().VisuDaten.ScreenSize, TScreenSize::sz1024);
  EXPECT_FALSE(GProjekt->Modified);
  page.FrameActivate();
  page.RBTouch->click();
  page.RB1280->click();
  page.BtnOK->click();
  EXPECT_EQ(Visu().VisuDaten.ScreenSize, TScreenSize::sz1280);
  EXPECT_EQ(Visu().VisuDaten.ScreenType, TScreenType::stTouch);
  EXPECT_TRUE(GProjekt->Modified);
  EXPECT_TRUE(page.BtnOK->isEnabled());

  Designer().NewPage();
  page.FrameActivate();
  EXPECT_FALSE(page.GBSize->isEnabled());
  EXPECT_FALSE(page.GBPages->isEnabled());
  EXPECT_TRUE(page.GBType->isEnabled());
}

TEST_F(VisuDesignerTest, UsersPageEditsTheProjectsListAndMarksTheProject) {
  {
    TFrVisuCreateRT page;
    page.FrameActivate();
    ASSERT_EQ(page.VUAFrame->UserList->topLevelItemCount(), 1);
    EXPECT_EQ(page.VUAFrame->UserList->topLevelItem(0)->text(0), "Administrator");
    EXPECT_TRUE(page.VUAFrame->VNMainMenue->isHidden());
    page.VUAFrame->BtnNewClick();
    page.VUAFrame->EDUser->setText("Hausmeister");
    page.VUAFrame->EDPwd1->setText("1234");
    page.VUAFrame->EDPwd2->setText("1234");
    page.VUAFrame->BtnCommitClick();
    EXPECT_EQ(Visu().UserData.Count(), 2);
    EXPECT_TRUE(GProjekt->Modified);
    page.VUAFrame->BtnNewClick();
    page.VUAFrame->EDUser->setText("Halb");
    page.FrameDeactivate();
    EXPECT_EQ(page.VUAFrame->UserList->topLevelItemCount(), 0);
    page.FrameActivate();
    EXPECT_EQ(page.VUAFrame->UserList->topLevelItemCount(), 2);
    EXPECT_TRUE(page.VUAFrame->EDUser->text().isEmpty());
  }  // the page goes while shown: the project's list stays
  EXPECT_EQ(Visu().UserData.Count(), 2);
  EXPECT_NE(Visu().UserData.FindByName("Hausmeister"), nullptr);
}

TEST(VisuDesignRules, BindingNamesAndChannelEntries) {
  EXPECT_EQ(VisuBindingName("STM.%2.2d.%s.%2.2d.%2.2d", 0, "OUT", 5, 12, "", "Licht"), "STM.00.OUT.05.12\rLicht");
  EXPECT_EQ(VisuBindingName("STM.%2.2d.%s.%2.2d.%2.2d%s", 3, "IN", 1, 2, ":Ein", "T"), "STM.03.IN.01.02:Ein\rT");
  TXMLDispatcherObjectList list;
  EXPECT_TRUE(NoteVisuChannel(list, 0, 69, 1, TKanalArt::kaAusgang, "A", "Licht", false));
  EXPECT_FALSE(NoteVisuChannel(list, 1, 70, 2, TKanalArt::kaEingang, "A", "Neu", false));
  EXPECT_EQ(list.Item(0).Modul, 69);
  EXPECT_TRUE(NoteVisuChannel(list, 1, 70, 2, TKanalArt::kaEingang, "A", "Neu", true));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0).KanalName, "Neu");
  TVisuProject project;
  project.AddPage(std::make_unique<TVisuPage>());
  project.GetPage(0)->Record().Name = "Page1";
  EXPECT_EQ(PageNameFromCaption(project, *project.GetPage(0), "->A<-"), "->A<-");  // not the start page
  project.FirstPage = "Page1";
  EXPECT_EQ(PageNameFromCaption(project, *project.GetPage(0), "->A<-"), "A");
  EXPECT_EQ(PageNameFromCaption(project, *project.GetPage(0), "B"), "B");
  EXPECT_EQ(NewVisuPageName("10122026_235900_1"), "Page10122026_235900_1");
}

}  // namespace
}  // namespace zyn::test
