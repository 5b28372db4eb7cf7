// What the designer never does: type into a text that is gone or hidden, read a screen that was
// freed, or delete menu pages without asking. The programme runs under the address sanitizer, so
// a freed text or screen touched anywhere below fails the test.

#include "DesignerFixture.h"
#include "DisplayFixtures.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

namespace zyn::test {
namespace {

void TypeKeys(TDisplay& d, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&d, &press);
  }
}

TBildschirm* AddSecondScreen(TDisplay& d) {
  d.TVScreens->setCurrentItem(d.TVScreens->topLevelItem(0));
  d.AddScreenToSelected();
  return d.Verwaltung.CurrentDisplay()->Bildschirme.Count() > 1 ? &d.Verwaltung.CurrentDisplay()->Bildschirme[1]
                                                                : nullptr;
}

TEST_F(DesignerTest, DeletingTheScreenOfARunningEntryEndsTheEntryFirst) {
  TDisplay& d = Designer();
  TBildschirm* second = AddSecondScreen(d);
  ASSERT_NE(second, nullptr);
  d.Verwaltung.ChangeScreen(second);
  d.View->DropAt(TViewDrag::Text, 0, 0);
  TypeKeys(d, QStringLiteral("Weg"));
  ASSERT_TRUE(d.View->TextEntryRunning());
  d.View->CaretTick();  // the caret is shown in the text's next cell

  d.TVScreens->setCurrentItem(d.FindScreenNode(second));
  answers = {IDOK};
  d.DeleteSelectedScreen();
  EXPECT_FALSE(d.View->TextEntryRunning());
  EXPECT_EQ(d.View->EntryText(), nullptr);
  EXPECT_EQ(d.View->Screen, &Start());
  ASSERT_EQ(Display().Bildschirme.Count(), 1u);
  // Keys and caret ticks after the deletion reach no text.
  TypeKeys(d, QStringLiteral("xy"));
  d.View->CaretTick();
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(&d, &back);
  EXPECT_TRUE(Start().Objekte.Empty());
  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll());
}

TEST_F(DesignerTest, AnEntryEndsWhenTheScreenChangesOrThePageIsHidden) {
  TDisplay& d = Designer();
  TBildschirm* second = AddSecondScreen(d);
  ASSERT_NE(second, nullptr);
  d.Verwaltung.ChangeScreen(&Start());

  struct TCase {
    const char* Name;
    QString Typed;
    std::function<void()> Leave;
  };
  const std::vector<TCase> cases = {
      {"double click in the tree", QStringLiteral("Ab"),
       [&] { emit d.TVScreens->itemDoubleClicked(d.FindScreenNode(second), 0); }},
      {"emulator jump", QStringLiteral("Cd"),
       [&] {
         // F1 of the start screen jumps to the second screen.
         if (!Start().DefaultButtons.Find("F1")) {
           TFunktButton* key = AddJumpKey(Start().DefaultButtons, "F1", "Hin", second->InternalName);
           Display().NObserver.AddJump(second->InternalName, key);
         }
         d.View->PressFunctionKey("F1");
       }},
      {"page hidden", QStringLiteral("Ef"), [&] { d.View->parentWidget()->hide(); }},
      {"empty entry, screen changed", QString(), [&] { d.Verwaltung.ChangeScreen(second); }},
  };
  size_t texts = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    d.View->parentWidget()->show();
    d.Verwaltung.ChangeScreen(&Start());
    d.View->DropAt(TViewDrag::Text, 0, static_cast<int>(8 * texts));
    TypeKeys(d, c.Typed);
    ASSERT_TRUE(d.View->TextEntryRunning());
    c.Leave();
    EXPECT_FALSE(d.View->TextEntryRunning());
    // A typed text stays on its screen; an empty one goes.
    if (!c.Typed.isEmpty()) ++texts;
    ASSERT_EQ(Start().Objekte.Count(), texts);
    if (!c.Typed.isEmpty())
      EXPECT_EQ(static_cast<TText&>(Start().Objekte[texts - 1]).Text, c.Typed.toStdString());
    TypeKeys(d, QStringLiteral("z"));
    EXPECT_TRUE(second->Objekte.Empty());
  }
}

TEST_F(DesignerTest, EmptyingAMenuTextAsksBeforeItsPagesGo) {
  TText* text = AddText(Start(), "Licht", 0, 0);
  TDispUniqueNames& names = GProjekt->DisplayProjekt().DispUniqueNames;
  TBildschirm* page1 = AddMenuPage(Display(), names, Start(), *text, "Seite1", "F3", "F3 Enter", "zur", "wei");
  TBildschirm* page2 = AddMenuPage(Display(), names, Start(), *text, "Seite2", "", "", "zur", "wei");
  ASSERT_NE(page1, nullptr);
  ASSERT_NE(page2, nullptr);
  const std::string pageNames[2] = {page1->InternalName, page2->InternalName};
  // A second top-level screen with a key of its own into the menu.
  auto other = std::make_unique<TBildschirm>();
  other->InternalName = "ANDERER";
  other->Name = "Anderer";
  TBildschirm* second = Display().Bildschirme.Add("Anderer", std::move(other));
  AddJumpKey(second->DefaultButtons, "F2", "Menue", page2->InternalName);
  Display().RebuildReferences();
  Display().RebuildNavigation();
  TDisplay& d = Designer();

  {
    TTextedit dialog(Display(), Start(), *text);
    dialog.EText->clear();
    answers = {IDNO};
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QStringLiteral("Der Text hat Untermenüs. Sollen der Text und seine 2 Bildschirme gelöscht "
                                       "werden?"));
    EXPECT_EQ(text->Text, "Licht");
    EXPECT_EQ(text->Unterbildschirme.Count(), 2u);
    answers = {IDYES};
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  // What the view does after the dialog: the emptied text goes with its pages, and the key on
  // the other screen that jumped into them goes too.
  EXPECT_TRUE(text->Text.empty());
  d.View->DeleteObject(text);
  EXPECT_TRUE(Start().Objekte.Empty());
  EXPECT_TRUE(second->DefaultButtons.Empty());
  EXPECT_EQ(Display().BildschirmReferenzTabelle.Count(), 2u);
  for (const std::string& name : pageNames) {
    EXPECT_EQ(Display().BildschirmReferenzTabelle.FindBildschirm(name), nullptr);
    EXPECT_EQ(Display().NObserver.Find(name), nullptr);
  }
  std::vector<std::string> messages;
  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll(&messages)) << (messages.empty() ? "" : messages[0]);
}

TEST_F(DesignerTest, TheDeleteDialogAsksBeforeAMenuTextGoesAndNewScreensGetFreeNames) {
  TText* menu = AddText(Start(), "Menue", 0, 0);
  AddText(Start(), "Frei", 0, 2);
  TDispUniqueNames& names = GProjekt->DisplayProjekt().DispUniqueNames;
  TBildschirm* page = AddMenuPage(Display(), names, Start(), *menu, "NeuerBildschirm1", "F3", "", "zur", "wei");
  ASSERT_NE(page, nullptr);
  TDisplay& d = Designer();
  {
    TDelObjects dialog(*d.View);
    dialog.LObjects->selectAll();
    answers = {IDNO};
    dialog.DeleteSelected();
    ASSERT_EQ(shown.size(), 1u);  // asked for the menu text only
    ASSERT_EQ(Start().Objekte.Count(), 1u);
    EXPECT_EQ(&Start().Objekte[0], menu);
    EXPECT_EQ(menu->Unterbildschirme.Count(), 1u);
    dialog.LObjects->selectAll();
    answers = {IDYES};
    dialog.DeleteSelected();
    EXPECT_TRUE(Start().Objekte.Empty());
  }
  EXPECT_EQ(Display().BildschirmReferenzTabelle.Count(), 1u);

  // "NeuerBildschirm1" is taken by no screen any more, "NeuerBildschirm2" is.
  d.TVScreens->setCurrentItem(d.TVScreens->topLevelItem(0));
  d.AddScreenToSelected();
  EXPECT_EQ(Display().Bildschirme[1].Name, "NeuerBildschirm2");
  TNewScreenOptions dialog(d.Verwaltung, Display(), nullptr);
  EXPECT_EQ(dialog.EName->text(), QStringLiteral("NeuerBildschirm3"));  // the count 2 is taken
}

TEST_F(DesignerTest, DeletedMenuPagesLeaveTheTableAndTheCompilerReadsOnlyLiveScreens) {
  TText* text = AddText(Start(), "Menue", 0, 0);
  TDispUniqueNames& names = GProjekt->DisplayProjekt().DispUniqueNames;
  TBildschirm* page = AddMenuPage(Display(), names, Start(), *text, "Seite", "F3", "", "zur", "wei");
  ASSERT_NE(page, nullptr);
  const std::string pageName = page->InternalName;
  Designer();
  ASSERT_EQ(Display().BildschirmReferenzTabelle.Count(), 2u);
  // The text leaves its screen by a path that bypasses the designer's rebuilding: the table still
  // names the freed page. The compiler reads only the screens that exist.
  text->Buttons.Clear();
  Start().Objekte.Remove(text);
  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll());
  EXPECT_EQ(Display().BildschirmReferenzTabelle.Count(), 1u);
  EXPECT_EQ(Display().BildschirmReferenzTabelle.FindBildschirm(pageName), nullptr);
}

}  // namespace
}  // namespace zyn::test
