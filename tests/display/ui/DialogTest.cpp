// The designer's dialogs: what they change, what they refuse, and what Cancel leaves.

#include "DesignerFixture.h"
#include "DisplayFixtures.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "display/ui/VarEigenschaften.h"
#include "logic/GlobalFuncs.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace zyn::test {
namespace {

// A link of the object to a channel of the fixture's project.
void Bind(TBasis& object, TKanal& channel, TKanalTyp kind, int stm, int basis, int modul, int ausShift) {
  object.Link = std::make_unique<TVarVerbindung>(&object);
  TVarVerbindung& l = *object.Link;
  l.KanalTyp = kind;
  l.KanalInternalName = channel.InternalName();
  l.KanalName = channel.DisplayName();
  l.Kanal = channel.Adresse();
  l.STMAdresse = stm;
  l.BasisKlasse = basis;
  l.ModulAdresse = modul;
  l.AusShift = ausShift;
}

int Row(QListWidget* list, const QString& text) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text() == text) return i;
  return -1;
}

TEST_F(DesignerTest, CancelClosesAndKeepsWhatTheDialogAppliedAtOnce) {
  TText* text = AddText(Start(), "Licht 1", 0, 0);
  Bind(*text, *Input(5), TKanalTyp::otEingang, 0, 0, 3, 0);
  TZustandVar* variable = AddStateVariable(Start(), 0, 2, 0);
  variable->Breite = 18;
  Bind(*variable, *Output(3), TKanalTyp::otAusgang, 1, 2, 5, 4);
  TLine* line = AddLine(Start(), 10, 50, 40, 1);
  Display().ZustandsListe.Add("Auf", "Zu");
  Display().RebuildReferences();
  Display().RebuildNavigation();
  TDisplay& d = Designer();
  Display().Modified = false;

  // Each dialog: what it does before Cancel, and what the display holds afterwards. Keys dropped
  // or taken, and pairs added or deleted, are the display's at once; fields that only OK applies
  // (text, pair choice, default pair, name, coordinates) stay as they were.
  struct TCase {
    const char* Name;
    std::function<void()> Run;
    std::function<void()> Check;
  };
  const std::vector<TCase> cases = {
      {"Variableneigenschaften",
       [&] {
         TVarOptionen dialog(Display(), Start(), *variable);
         dialog.AssignCommand(0, 0);
         dialog.CBPairs->setCurrentIndex(1);
         dialog.reject();
       },
       [&] {
         EXPECT_EQ(variable->Buttons.Count(), 1u);
         EXPECT_EQ(variable->ZustandIndex, 0);
       }},
      {"Textobjekteigenschaften",
       [&] {
         TTextedit dialog(Display(), Start(), *text);
         dialog.EText->setText(QStringLiteral("Anders"));
         dialog.AssignCommand(0, 0);
         dialog.CBAddScreen->setChecked(true);
         dialog.reject();
       },
       [&] {
         EXPECT_EQ(text->Text, "Licht 1");
         EXPECT_EQ(text->Buttons.Count(), 1u);
         EXPECT_TRUE(text->Unterbildschirme.Empty());
       }},
      {"Neuer Bildschirm",
       [&] {
         TNewScreenOptions dialog(d.Verwaltung, Display(), nullptr);
         dialog.EName->setText(QStringLiteral("Neu"));
         dialog.reject();
       },
       [&] { EXPECT_EQ(Display().Bildschirme.Count(), 1u); }},
      {"Funktionstasten",
       [&] {
         TEditButtons dialog(Display(), Start());
         dialog.SelectEntry(0);
         dialog.StartNewKey();
         dialog.LFree->setCurrentRow(0);
         dialog.ENewLabel->setText(QStringLiteral("Hin"));
         dialog.TTargets->setCurrentItem(dialog.TTargets->topLevelItem(0)->child(0));
         dialog.TakeNewKey();
         dialog.reject();
       },
       [&] {
         ASSERT_EQ(Start().DefaultButtons.Count(), 1u);
         EXPECT_EQ(Start().DefaultButtons[0].Label1->Text, "Hin");
         EXPECT_TRUE(Display().NObserver.IsReferenced(Start().InternalName));
       }},
      {"Umbenennen",
       [&] {
         TFrmRenameScreen dialog(QStringLiteral("Startbildschirm"));
         dialog.ENew->setText(QStringLiteral("Anders"));
         dialog.reject();
       },
       [&] { EXPECT_EQ(Start().Name, "Startbildschirm"); }},
      {"Zustände",
       [&] {
         TPEinstellungen dialog(Display());
         dialog.AskNewPair = [](std::string& on, std::string& off) {
           on = "Hell";
           off = "Dunkel";
           return true;
         };
         dialog.AddPair();
         dialog.LPairs->setCurrentRow(1);
         dialog.DeleteSelected();
         dialog.CBDefault->setCurrentIndex(1);
         dialog.reject();
       },
       [&] {
         ASSERT_EQ(Display().ZustandsListe.Count(), 2u);
         EXPECT_EQ(Display().ZustandsListe[1].EinText, "Hell");
         EXPECT_EQ(Display().DefaultZustand, 0);
       }},
      {"Linie",
       [&] {
         TDlgNewLine dialog(*line);
         dialog.EXs->setText(QStringLiteral("1"));
         dialog.EYe->setText(QStringLiteral("2"));
         dialog.reject();
       },
       [&] {
         EXPECT_EQ(line->X, 10);
         EXPECT_EQ(line->Breite, 40);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Run();
    c.Check();
  }
}

TEST_F(DesignerTest, StateVariableKeysSendOutputCommands) {
  TZustandVar* variable = AddStateVariable(Start(), 0, 2, 0);
  Bind(*variable, *Output(3), TKanalTyp::otAusgang, 1, 2, 5, 4);
  Start().DefaultButtons.Add(std::make_unique<TFunktButton>("F2"));
  TVarOptionen dialog(Display(), Start(), *variable);
  EXPECT_EQ(dialog.EKanalTyp->text(), QStringLiteral("Ausgang"));
  EXPECT_EQ(dialog.EBeschreibung->text(), QStringLiteral("Licht 3"));
  // F2 belongs to the screen: in neither list.
  EXPECT_EQ(dialog.LFree->count(), 3);
  EXPECT_EQ(Row(dialog.LFree, QStringLiteral("Taste F2")), -1);

  labels = {QString()};  // an empty label takes the key's text
  dialog.AssignCommand(Row(dialog.LCommands, QStringLiteral("UM")), Row(dialog.LFree, QStringLiteral("Taste F4")));
  const TFunktButton* key = variable->Buttons.Find("F4");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Label1->Text, "Taste F4");
  EXPECT_EQ(key->Funktion.Funktion, fkAusgang);
  EXPECT_EQ(key->Funktion.BefehlsArt, 3);
  EXPECT_EQ(key->Funktion.Byte(5), 0x33);
  EXPECT_EQ(Row(dialog.LDefined, QStringLiteral("Taste F4 : UM ")), 0);

  dialog.LDefined->setCurrentRow(0);
  dialog.DeleteFunction();
  EXPECT_TRUE(variable->Buttons.Empty());
  EXPECT_EQ(dialog.LFree->count(), 3);
}

TEST_F(DesignerTest, KeysRefuseCommandsWithTwelveTelegramBytes) {
  TZustandVar* variable = AddStateVariable(Start(), 0, 2, 0);
  Bind(*variable, *Output(0), TKanalTyp::otAusgang, 1, 2, 5, 4);
  TEAFunctionList* list = FindCommandList("Ausgangsfunktionen Schalter");
  ASSERT_NE(list, nullptr);
  TEABaseFunction* muster = list->AddFunction();
  muster->Command = 20;
  muster->Dialog = 8;
  muster->InternalName = "MUSTER";
  muster->DisplayName = "Lichtmuster";
  muster->ParaText = "Muster;;0;255";
  {
    TVarOptionen dialog(Display(), Start(), *variable);
    dialog.AssignCommand(Row(dialog.LCommands, QStringLiteral("Lichtmuster")), 0);
    dialog.accept();
  }
  list->Functions->Delete(list->Count() - 1);
  EXPECT_TRUE(variable->Buttons.Empty());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Befehle mit diesem Parameter")));
}

TEST_F(DesignerTest, StateVariablePairMustFitBeforeTheEdge) {
  Display().ZustandsListe.Add("An", "Ab");
  Display().ZustandsListe.Add("Hoch", "Tief");
  TZustandVar* variable = AddStateVariable(Start(), 37, 0, 0);  // x 222
  for (const auto& [pair, applied] : std::vector<std::pair<int, bool>>{{2, false}, {1, true}}) {
    TVarOptionen dialog(Display(), Start(), *variable);
    dialog.CBPairs->setCurrentIndex(pair);
    dialog.accept();
    EXPECT_EQ(variable->ZustandIndex == pair, applied) << pair;
  }
  EXPECT_EQ(variable->Breite, 12);
}

TEST_F(DesignerTest, TextKeysEmulateInputs) {
  TText* text = AddText(Start(), "Licht", 5, 0);
  AddText(Start(), "Nachbar", 15, 0);  // x 90: the text at x 30 may hold 10 characters
  Bind(*text, *Input(5), TKanalTyp::otEingang, 0, 0, 3, 0);
  TTextedit dialog(Display(), Start(), *text);
  EXPECT_EQ(dialog.EText->maxLength(), 10);
  EXPECT_EQ(dialog.EKanalTyp->text(), QStringLiteral("Eingang"));
  labels = {QStringLiteral("Aus")};
  dialog.AssignCommand(Row(dialog.LCommands, QStringLiteral("AUS")), Row(dialog.LFree, QStringLiteral("Taste F2")));
  const TFunktButton* key = text->Buttons.Find("F2");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Funktion.Funktion, fkEingangEmu);
  EXPECT_EQ(key->Funktion.Text, "Taste F2 : AUS");
  EXPECT_EQ(key->Funktion.TelegrammLaenge, 4);
  EXPECT_EQ(std::vector<uint8_t>(key->Funktion.Telegramm.begin(), key->Funktion.Telegramm.begin() + 4),
            (std::vector<uint8_t>{0x00, 0x03, 0x52, 0x00}));
  dialog.LDefined->setCurrentRow(0);
  dialog.DeleteFunction();
  EXPECT_TRUE(text->Buttons.Empty());
}

TEST_F(DesignerTest, MenuPagesFormAChainAndAFullMenuIsRefused) {
  TText* text = AddText(Start(), "Licht 1", 0, 0);
  Display().RebuildReferences();
  for (int page = 1; page <= 3; ++page) {
    TTextedit dialog(Display(), Start(), *text);
    dialog.CBAddScreen->setChecked(true);
    if (page == 1) {
      EXPECT_EQ(dialog.EScreenName->text(), QStringLiteral("Licht11"));
      EXPECT_TRUE(dialog.CBKey[2]->isChecked());
      EXPECT_EQ(dialog.EKey[2]->text(), QStringLiteral("F3 Enter"));
      EXPECT_EQ(dialog.ProposedKey(), "F3");
    } else {
      EXPECT_FALSE(dialog.CBKey[0]->isEnabled());  // a menu exists: the keys are fixed
    }
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << page;
  }
  ASSERT_EQ(text->Unterbildschirme.Count(), 3u);
  TBildschirm& p1 = text->Unterbildschirme[0];
  TBildschirm& p2 = text->Unterbildschirme[1];
  TBildschirm& p3 = text->Unterbildschirme[2];
  EXPECT_EQ(text->Buttons.Find("F3")->Funktion.ZielBildschirm, p1.InternalName);
  EXPECT_EQ(p1.DefaultButtons.Find("F1")->Funktion.ZielBildschirm, Start().InternalName);
  EXPECT_EQ(p1.DefaultButtons.Find("F4")->Funktion.ZielBildschirm, p2.InternalName);
  EXPECT_EQ(p2.DefaultButtons.Find("F1")->Funktion.ZielBildschirm, p1.InternalName);
  EXPECT_EQ(p2.DefaultButtons.Find("F4")->Funktion.ZielBildschirm, p3.InternalName);
  EXPECT_EQ(p3.DefaultButtons.Find("F1")->Funktion.ZielBildschirm, p2.InternalName);
  EXPECT_EQ(p3.DefaultButtons.Find("F1")->Label1->Text,
            "zur\xFC"
            "ck");
  EXPECT_EQ(p2.DefaultButtons.Find("F4")->Label1->Text, "weiter");
  EXPECT_EQ(Display().BildschirmReferenzTabelle.FindBildschirm(p3.InternalName), &p3);

  // Every page holds F4 now: a further page is refused and nothing changes.
  p3.DefaultButtons.Add(std::make_unique<TFunktButton>("F4"));
  const std::vector<uint8_t> before = ProjectBytes();
  TTextedit dialog(Display(), Start(), *text);
  dialog.CBAddScreen->setChecked(true);
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(text->Unterbildschirme.Count(), 3u);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(shown.back().contains(QStringLiteral("Taste F4")));
  dialog.reject();
  EXPECT_EQ(ProjectBytes(), before);
}

TEST_F(DesignerTest, MenuNeedsANameAndAnEntryKey) {
  TText* text = AddText(Start(), "Licht", 0, 0);
  Start().DefaultButtons.Add(std::make_unique<TFunktButton>("F2"));
  TTextedit dialog(Display(), Start(), *text);
  dialog.CBKey[2]->setChecked(true);  // F3 by hand: proposed
  EXPECT_EQ(dialog.ProposedKey(), "F3");
  dialog.CBAddScreen->setChecked(true);
  dialog.EScreenName->clear();
  dialog.accept();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Bitte geben Sie eine Bildschirmbezeichnung ein "));
  dialog.CBKey[2]->setChecked(false);  // the proposal goes; F2 is the screen's
  EXPECT_EQ(dialog.ProposedKey(), "");
  dialog.EScreenName->setText(QStringLiteral("Seite"));
  dialog.accept();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].startsWith(QStringLiteral("Geben Sie bitte die Tastendefinition ein")));
  EXPECT_TRUE(text->Unterbildschirme.Empty());
}

TEST_F(DesignerTest, NewScreenBelowATextJumpsFromTheTextAndReturnsToItsScreen) {
  TText* text = AddText(Start(), "Menue", 0, 0);
  Start().DefaultButtons.Add(std::make_unique<TFunktButton>("F4"));
  text->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  TDisplay& d = Designer();
  TNewScreenOptions dialog(d.Verwaltung, Display(), text);
  EXPECT_EQ(dialog.EName->text(), QStringLiteral("NeuerBildschirm0"));
  ASSERT_EQ(dialog.CBSource->count(), 1);
  EXPECT_EQ(dialog.CBSource->itemText(0), QStringLiteral("Text: Menue ( Startbildschirm ) "));
  EXPECT_EQ(dialog.CBTarget->itemText(0), QStringLiteral("Startbildschirm"));
  ASSERT_EQ(dialog.CBJumpKey->count(), 2);  // F1 is the text's, F4 the screen's
  EXPECT_EQ(dialog.CBJumpKey->currentText(), QStringLiteral("F2"));
  dialog.EJumpLabel->clear();
  dialog.accept();
  EXPECT_EQ(shown.size(), 1u);  // "Bitte Angaben vervollständigen"
  EXPECT_EQ(dialog.Created(), nullptr);
  dialog.EJumpLabel->setText(QStringLiteral("Hin"));
  dialog.accept();
  TBildschirm* created = dialog.Created();
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(text->Unterbildschirme.Count(), 1u);
  EXPECT_EQ(text->Buttons.Find("F2")->Funktion.ZielBildschirm, created->InternalName);
  EXPECT_EQ(created->DefaultButtons.Find("F1")->Funktion.ZielBildschirm, Start().InternalName);
  EXPECT_TRUE(Display().NObserver.IsReferenced(created->InternalName));
  EXPECT_EQ(d.Verwaltung.CurrentScreen(), created);

  // Every key of the source in use: the new screen comes without a jump to it.
  TNewScreenOptions full(d.Verwaltung, Display(), nullptr);
  for (const char* k : {"F1", "F2", "F3"}) Start().DefaultButtons.Add(std::make_unique<TFunktButton>(k));
  full.CBSource->setCurrentIndex(0);
  full.CBSource->currentIndexChanged(0);
  EXPECT_EQ(full.CBJumpKey->count(), 0);
  full.accept();
  ASSERT_NE(full.Created(), nullptr);
  EXPECT_EQ(Start().DefaultButtons.Count(), 4u);
}

TEST_F(DesignerTest, FunctionKeyDialogAddsRelabelsAndDeletesJumps) {
  TBildschirm* other = AddScreen(Display(), "S2", "Zweiter");
  Display().RebuildReferences();
  Display().RebuildNavigation();
  TEditButtons dialog(Display(), Start());
  dialog.SelectEntry(0);
  dialog.StartNewKey();
  dialog.LFree->setCurrentRow(3);
  dialog.ENewLabel->setText(QStringLiteral("Weiter"));
  dialog.TakeNewKey();
  ASSERT_EQ(shown.size(), 1u);  // no target chosen yet
  QTreeWidgetItem* target = dialog.TTargets->topLevelItem(0)->child(1);
  ASSERT_EQ(target->text(0), QStringLiteral("Zweiter"));
  dialog.TTargets->setCurrentItem(target);
  dialog.TakeNewKey();
  TFunktButton* key = Start().DefaultButtons.Find("F4");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Funktion.ZielBildschirm, "S2");
  EXPECT_TRUE(Display().NObserver.IsReferenced(other->InternalName));
  EXPECT_TRUE(dialog.CBKey[3]->isChecked());

  dialog.ToggleLabelEditing();
  dialog.EKey[3]->setText(QStringLiteral("Vor"));
  dialog.ToggleLabelEditing();
  EXPECT_EQ(key->Label1->Text, "Vor");
  EXPECT_TRUE(dialog.EKey[3]->isReadOnly());

  dialog.Tabs->setCurrentIndex(1);
  EXPECT_EQ(dialog.LTarget->text(), QStringLiteral("Zielbildschirm: Zweiter"));
  answers = {IDNO};
  dialog.DeleteKey();
  EXPECT_NE(Start().DefaultButtons.Find("F4"), nullptr);
  answers = {IDYES};
  dialog.DeleteKey();
  EXPECT_EQ(Start().DefaultButtons.Find("F4"), nullptr);
  EXPECT_FALSE(Display().NObserver.IsReferenced(other->InternalName));
  dialog.accept();
}

TEST_F(DesignerTest, StatePairsAreAddedDeletedAndRenumbered) {
  for (const char* on : {"Zwei", "Drei", "Vier"}) Display().ZustandsListe.Add(on, "x");
  TZustandVar* uses3 = AddStateVariable(Start(), 0, 0, 2);
  TText* t = AddText(Start(), "Menue", 0, 2);
  auto sub = std::make_unique<TBildschirm>();
  sub->InternalName = "SUB";
  TBildschirm* subScreen = t->Unterbildschirme.Add("Sub", std::move(sub));
  TZustandVar* uses4 = AddStateVariable(*subScreen, 0, 0, 3);
  Display().DefaultZustand = 3;
  TPEinstellungen dialog(Display());
  ASSERT_EQ(dialog.LPairs->count(), 4);
  EXPECT_EQ(dialog.LPairs->item(1)->text(), QStringLiteral("Zwei / x"));
  for (const auto& [row, deletable] :
       std::vector<std::pair<int, bool>>{{0, false}, {1, true}, {2, false}, {3, false}}) {
    dialog.LPairs->setCurrentRow(row);
    EXPECT_EQ(dialog.BDelete->isEnabled(), deletable) << row;
  }
  dialog.LPairs->setCurrentRow(1);
  dialog.DeleteSelected();
  EXPECT_EQ(Display().ZustandsListe.Count(), 3u);
  EXPECT_EQ(uses3->ZustandIndex, 1);
  EXPECT_EQ(uses4->ZustandIndex, 2);               // also below a text's sub-screen
  EXPECT_EQ(dialog.CBDefault->currentIndex(), 2);  // the default follows its pair
  dialog.accept();
  EXPECT_EQ(Display().DefaultZustand, 2);
}

TEST_F(DesignerTest, LineDialogCoordinates) {
  TLine line;
  {
    TDlgNewLine dialog(line);
    EXPECT_TRUE(dialog.EXs->text().isEmpty());
    EXPECT_TRUE(dialog.RBVertical->isChecked());
    QTest::keyClicks(dialog.EXs, QStringLiteral("10"));
    EXPECT_EQ(dialog.EXe->text(), QStringLiteral("10"));  // vertical: both X the same
    QTest::keyClicks(dialog.EYs, QStringLiteral("5"));
    dialog.accept();
    EXPECT_EQ(shown.size(), 1u);  // the end Y is missing
    QTest::keyClicks(dialog.EYe, QStringLiteral("20"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(line.X, 9);
  EXPECT_EQ(line.Y, 4);
  EXPECT_EQ(line.Breite, 1);
  EXPECT_EQ(line.Hoehe, 16);

  TDlgNewLine again(line);
  EXPECT_EQ(again.EXs->text(), QStringLiteral("10"));
  EXPECT_EQ(again.EYe->text(), QStringLiteral("20"));
  shown.clear();
  again.EXe->clear();
  QTest::keyClicks(again.EXe, QStringLiteral("250"));
  EXPECT_TRUE(again.EXe->text().isEmpty());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], QStringLiteral("Wert liegt ausserhalb des zulässigem Bereichs: 1 bis 240"));
  shown.clear();
  again.EYs->clear();
  QTest::keyClicks(again.EYs, QStringLiteral("0"));
  EXPECT_TRUE(shown.empty());
  QTest::keyClicks(again.EYs, QStringLiteral("ab"));  // letters are not taken
  EXPECT_EQ(again.EYs->text(), QStringLiteral("0"));
  again.RBHorizontal->setChecked(true);
  EXPECT_EQ(again.EYe->text(), QStringLiteral("0"));
}

TEST_F(DesignerTest, SpecialCharacterPicker) {
  TSZeichen dialog;
  ASSERT_EQ(dialog.Buttons.size(), 40u);
  EXPECT_FALSE(dialog.Buttons[32]->isEnabled());
  EXPECT_EQ(dialog.Choice(), -1);
  dialog.Buttons[1]->click();
  dialog.Buttons[31]->click();
  EXPECT_FALSE(dialog.Buttons[1]->isChecked());
  EXPECT_EQ(dialog.Choice(), 131);
  dialog.Buttons[1]->click();
  EXPECT_EQ(dialog.Choice(), 252);

  // The designer inserts the choice into a running text entry; no choice inserts nothing.
  TDisplay& d = Designer();
  d.View->DropAt(TViewDrag::Text, 0, 0);
  const auto saved = ChooseSpecialCharacter;
  ChooseSpecialCharacter = [](QWidget*) { return 252; };
  d.InsertSpecialChar();
  ChooseSpecialCharacter = [](QWidget*) { return -1; };
  d.InsertSpecialChar();
  ChooseSpecialCharacter = saved;
  ASSERT_NE(d.View->EntryText(), nullptr);
  EXPECT_EQ(d.View->EntryText()->Text, "\xFC");
}

TEST_F(DesignerTest, DeleteObjectsDialog) {
  AddText(Start(), "Eins", 0, 0);
  AddText(Start(), "Zwei", 2, 3);
  TDisplay& d = Designer();
  TDelObjects dialog(*d.View);
  ASSERT_EQ(dialog.LObjects->count(), 2);
  EXPECT_TRUE(dialog.LObjects->item(1)->text().endsWith(QStringLiteral("( Zeile: 4, Spalte: 3 )")));
  EXPECT_FALSE(dialog.BDelete->isEnabled());
  dialog.LObjects->item(0)->setSelected(true);
  EXPECT_TRUE(dialog.BDelete->isEnabled());
  dialog.DeleteSelected();
  ASSERT_EQ(Start().Objekte.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TText&>(Start().Objekte[0]).Text, "Zwei");
  EXPECT_EQ(dialog.LObjects->count(), 1);
}

TEST_F(DesignerTest, RenameKeepsTheOldNameWhenLeftEmpty) {
  TFrmRenameScreen dialog(QStringLiteral("Alt"));
  dialog.ENew->clear();
  dialog.accept();
  EXPECT_EQ(dialog.ENew->text(), QStringLiteral("Alt"));
}

}  // namespace
}  // namespace zyn::test
