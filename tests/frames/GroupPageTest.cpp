// The group page: groups, their members chosen on the channel sub-page, and the saved project.

#include "PageFixture.h"
#include "frames/FrGruppen.h"
#include "frames/FrTexte.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Verbindung.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "shell/FrameManager.h"
#include "tests/compiler/CompilerFixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>

namespace zyn::test {
namespace {

TEST_F(PageTest, GroupMembersComeFromOutputsOfOneCommandList) {
  TProjectBuilder b;
  TSteuermodul& s0 = *GProjekt->Steuermodule.GetSteuermodul(0);
  TModul& out = *s0.Module.FindModul("OUT", 5);
  for (int i = 0; i < 2; ++i) out.Ausgaenge().GetItem(i)->BefehlsListe = "Ausgangsfunktionen Schalter";
  TModul& analog = b.AddModul(s0, 3, 0, "DAN", 3, 5, 3, {}, {0}, {}, "DIM_AN");
  analog.Ausgaenge().GetItem(0)->BefehlsListe = "Ausgangsfunktionen Analog";
  TModul& unnamed = b.AddModul(s0, 2, 6, "OUT", 0, 5, 3, {}, {0}, {}, "OUTPUT 8");
  unnamed.Ausgaenge().GetItem(0)->SetDisplayName("");

  auto* page = ShowPage<TFrGruppen>("FrGruppen");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->MTV->topLevelItemCount(), 1);
  EXPECT_EQ(page->MTV->topLevelItem(0)->text(0), QStringLiteral("GRP.000-Alle Relais"));
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Gruppen (001/128) "));
  page->AddBtn->click();
  EXPECT_EQ(page->FM->CurrentFrame(), QStringLiteral("FrGruppenKanal"));
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  TFrGruppenKanal* kanal = page->Kanal;
  ASSERT_EQ(kanal->MTV->topLevelItemCount(), 2);  // the module without named outputs is left out
  QTreeWidgetItem* relais = kanal->MTV->topLevelItem(0);
  QTreeWidgetItem* analogNode = kanal->MTV->topLevelItem(1);
  EXPECT_EQ(relais->text(0), QStringLiteral("OUT.05-Relais Keller"));
  EXPECT_TRUE(kanal->Accepts(analogNode->child(0)));  // an empty group takes any output
  kanal->AddNode(relais);
  EXPECT_EQ(kanal->KLV->topLevelItemCount(), 2);
  EXPECT_FALSE(kanal->Accepts(relais->child(0)));      // listed already
  EXPECT_FALSE(kanal->Accepts(analogNode->child(0)));  // another command list
  // Each output shows its channel address.
  EXPECT_TRUE(relais->child(0)->text(0).startsWith(QStringLiteral("OUT.05.0"))) << relais->child(0)->text(0).toStdString();
  EXPECT_NE(relais->child(0)->text(0).left(9), relais->child(1)->text(0).left(9));
  // A refused output, and a module none of whose outputs the group takes, are reported with
  // both command lists.
  ASSERT_TRUE(shown.empty());
  kanal->AddNode(analogNode->child(0));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("kann nicht in diese Gruppe aufgenommen werden"))) << shown[0].toStdString();
  EXPECT_TRUE(shown[0].contains(QStringLiteral("Ausgangsfunktionen Analog")));
  EXPECT_TRUE(shown[0].contains(QStringLiteral("Ausgangsfunktionen Schalter")));
  kanal->AddNode(analogNode);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].contains(QStringLiteral("Ausgangsfunktionen Analog")));
  kanal->AddNode(relais->child(0));  // listed already: said so
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_TRUE(shown[2].contains(QStringLiteral("bereits zur Gruppe")));
  shown.clear();
  kanal->AddNode(relais);  // nothing left to add, nothing refused: no message
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(kanal->KLV->topLevelItemCount(), 2);
  Screenshot(page, "FrGruppenKanal");
  kanal->BtnTake->click();
  EXPECT_EQ(page->FM->CurrentFrame(), QStringLiteral("FrGruppenDaten"));
  EXPECT_EQ(page->KGKL->topLevelItemCount(), 2);
  EXPECT_TRUE(page->Modified());
  EXPECT_TRUE(page->BtnOK->isEnabled());
  Screenshot(page, "FrGruppen");
  // A new group; deleting it asks nothing.
  page->BtnAdd->click();
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("GRP.001-Gruppe 001"));
  // The name of group 0 is taken: refused.
  page->MTV->currentItem()->setText(0, QStringLiteral("ALLE RELAIS"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("bereits vergeben")));
  EXPECT_EQ(page->MTV->currentItem()->text(0), QStringLiteral("GRP.001-Gruppe 001"));
  shown.clear();
  page->BtnDelete->click();
  EXPECT_TRUE(shown.empty());
  page->BtnOK->click();
  auto saved = SaveAndReload();
  TGruppenListe& groups = saved->Steuermodule.GetSteuermodul(0)->Gruppen;
  ASSERT_EQ(groups.Count(), 1);
  TGruppe* group = groups.GetGruppe(0);
  ASSERT_EQ(group->Members().Count(), 2);
  EXPECT_EQ(group->GetGruppenObjekt(0)->AdressString, "OUT.05.01");
  EXPECT_EQ(group->GetGruppenObjekt(1)->Modul, out.InternalName());
}

// The channel sub-page edits a copy of the group's members; "Übernehmen" gives the group that
// list as it is: a member removed there is gone, none is listed twice.
TEST_F(PageTest, TakenMembersReplaceTheGroupsMembers) {
  TSteuermodul& s0 = *GProjekt->Steuermodule.GetSteuermodul(0);
  TModul& out = *s0.Module.FindModul("OUT", 5);
  auto* page = ShowPage<TFrGruppen>("FrGruppen");
  ASSERT_NE(page, nullptr);
  TFrGruppenKanal* kanal = page->Kanal;
  page->AddBtn->click();
  kanal->AddNode(kanal->MTV->topLevelItem(0));
  ASSERT_EQ(kanal->KLV->topLevelItemCount(), 2);
  kanal->BtnTake->click();
  ASSERT_EQ(page->KGKL->topLevelItemCount(), 2);

  page->AddBtn->click();
  ASSERT_EQ(kanal->KLV->topLevelItemCount(), 2);
  kanal->KLV->topLevelItem(0)->setSelected(true);
  kanal->RemoveSelected();
  kanal->BtnTake->click();
  ASSERT_EQ(page->KGKL->topLevelItemCount(), 1);
  const TGruppe& group = *page->WorkList().GetGruppe(0);
  ASSERT_EQ(group.Members().Count(), 1);
  EXPECT_EQ(group.GetGruppenObjekt(0)->Kanal, out.Ausgaenge().GetItem(1)->InternalName());
}

// Deleting a display text or a group on its page removes the links to it on apply; a link to
// another object stays.
TEST_F(PageTest, DeletingALinkedTextOrGroupRemovesTheLinksToIt) {
  struct Case {
    const char* page;
    int objType;
    const char* kennung;
    int number;
    const char* node;
  };
  for (const Case& c :
       {Case{"FrTexte", kObjAnzeigetext, "TXT", 5, "TXT.005"}, Case{"FrGruppen", kObjGruppe, "GRP", 0, "GRP.000"}}) {
    SCOPED_TRACE(c.page);
    form->OpenProject(SaveSampleProject("linked.zpf"));
    TSteuermodul& s0 = *GProjekt->Steuermodule.GetSteuermodul(0);
    TModul& in = *s0.Module.FindModul("INP", 1);
    TEingang& input = *in.Eingaenge().GetItem(2);
    SetObjectEndpoint(LinkFromInput(input, in, 0, 1).Target(), c.objType, 0, c.kennung, c.number, 1);
    SetObjectEndpoint(LinkFromInput(input, in, 0, 2).Target(), kObjMerker, 0, "MRK", 0, 2);
    auto* page = dynamic_cast<TObjectPage*>(ShowFrame(c.page));
    ASSERT_NE(page, nullptr);
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < page->MTV->topLevelItemCount(); ++i)
      if (page->MTV->topLevelItem(i)->text(0).startsWith(QLatin1String(c.node))) node = page->MTV->topLevelItem(i);
    ASSERT_NE(node, nullptr);
    page->MTV->setCurrentItem(node);
    answers = {IDYES, IDYES};
    page->BtnDelete->click();
    page->BtnOK->click();
    EXPECT_EQ(input.Verbindungen().Count(), 1);
    auto saved = SaveAndReload();
    TModul* reread = saved->Steuermodule.GetSteuermodul(0)->Module.FindModul("INP", 1);
    ASSERT_NE(reread, nullptr);
    TVerbindungsListe& links = reread->Eingaenge().GetItem(2)->Verbindungen();
    ASSERT_EQ(links.Count(), 1);
    EXPECT_EQ(links.GetVerbindung(0)->Target().ObjType(), kObjMerker);
    EXPECT_EQ(reread->Eingaenge().GetItem(0)->Verbindungen().Count(), 1);  // the sample's link to flag 5
    GProjekt->Modified = false;
    form->FM->SetCurrentFrame(QString());
    answers.clear();
  }
}

TEST_F(PageTest, The129thGroupIsRefusedWithTheMessage) {
  auto* page = ShowPage<TFrGruppen>("FrGruppen");
  ASSERT_NE(page, nullptr);
  for (int i = 0; i < 127; ++i) page->AddObject();
  EXPECT_EQ(page->GList->title(), QStringLiteral(" Gruppen (128/128) "));
  EXPECT_FALSE(page->BtnAdd->isEnabled());
  page->AddObject();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QString::fromUtf8("Es können keine weiteren Gruppen angelegt werden"));
}

}  // namespace
}  // namespace zyn::test
