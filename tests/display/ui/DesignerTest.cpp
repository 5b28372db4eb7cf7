// The designer as a user works in it: objects placed on the screen view, edited in their dialogs,
// compiled and checked with the compiler's own image walker, then tried in the emulator.

#include "DesignerFixture.h"
#include "DisplayFixtures.h"
#include "ImageWalker.h"
#include "display/CompilerDisplay.h"
#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "display/ui/VarEigenschaften.h"
#include "model/Kanal.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/support/Files.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

QTreeWidgetItem* ChannelNode(QTreeWidget* tree, const QString& caption) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->text(0) == caption) return *it;
  return nullptr;
}

// A 20 x 10 colour picture: a black frame on yellow.
std::string WritePicture(const TempFolder& folder, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(QColor(255, 255, 0));
  for (int x = 0; x < w; ++x) {
    image.setPixel(x, 0, 0xFF000000u);
    image.setPixel(x, h - 1, 0xFF000000u);
  }
  for (int y = 0; y < h; ++y) {
    image.setPixel(0, y, 0xFF000000u);
    image.setPixel(w - 1, y, 0xFF000000u);
  }
  const std::string file = folder.File("bild.bmp");
  image.save(QString::fromStdString(file));
  return file;
}

TEST_F(DesignerTest, ScreenWithEveryObjectKindCompilesAndRunsInTheEmulator) {
  TDisplay& d = Designer();
  TView& view = *d.View;
  ASSERT_TRUE(d.DesignerActive());
  EXPECT_EQ(view.Scale(), 3);
  EXPECT_EQ(d.LTitle->text(), QStringLiteral("Bildschirm: Startbildschirm"));

  // A text typed after a drop of the "Text" tool, snapped to its cell.
  view.DropAt(TViewDrag::Text, 13, 9);
  ASSERT_TRUE(view.TextEntryRunning());
  for (char c : std::string("Licht")) view.InsertChar(static_cast<uint8_t>(c));
  view.EndTextEntry();
  ASSERT_EQ(Start().Objekte.Count(), 1u);
  auto& text = dynamic_cast<TText&>(Start().Objekte[0]);
  EXPECT_EQ(text.Text, "Licht");
  EXPECT_EQ(text.X, 12);
  EXPECT_EQ(text.Y, 8);
  EXPECT_EQ(text.Breite, 30);

  // The input channel dropped on the text binds it.
  d.SelectDragChannel(ChannelNode(d.TVInputs, QStringLiteral("INP.03.02-Taster 2")));
  ASSERT_EQ(d.EAText, "Taster 2");
  EXPECT_TRUE(view.DragOverAt(TViewDrag::Channel, 14, 9));
  view.DropAt(TViewDrag::Channel, 14, 9);
  ASSERT_TRUE(text.IsLinked());
  EXPECT_EQ(text.Link->KanalTyp, TKanalTyp::otEingang);
  EXPECT_EQ(text.Link->Kanal, 2);

  // A state variable of the default pair, bound to output 3 and given an output key.
  view.DropAt(TViewDrag::Variable, 13, 25);
  ASSERT_EQ(Start().Objekte.Count(), 2u);
  auto& variable = dynamic_cast<TZustandVar&>(Start().Objekte[1]);
  EXPECT_EQ(variable.X, 12);
  EXPECT_EQ(variable.Y, 24);
  EXPECT_EQ(variable.Breite, 18);
  d.SelectDragChannel(ChannelNode(d.TVOutputs, QStringLiteral("OUT.05.03-Licht 3")));
  view.DropAt(TViewDrag::Channel, 13, 25);
  ASSERT_TRUE(variable.IsLinked());
  {
    TVarOptionen dialog(Display(), Start(), variable);
    ASSERT_EQ(dialog.LCommands->item(0)->text(), QStringLiteral("EIN"));
    labels = {QStringLiteral("An")};
    dialog.AssignCommand(0, 0);  // EIN onto F1
    dialog.accept();
  }
  TFunktButton* on = variable.Buttons.Find("F1");
  ASSERT_NE(on, nullptr);
  EXPECT_EQ(on->Label1->Text, "An");
  EXPECT_EQ(on->Funktion.Text, "Taste F1 : EIN ");
  EXPECT_EQ(on->Funktion.TelegrammLaenge, 5);
  EXPECT_EQ(std::vector<uint8_t>(on->Funktion.Telegramm.begin(), on->Funktion.Telegramm.begin() + 5),
            (std::vector<uint8_t>{0x01, 0x03, 0x45, 0x01, 0x31}));

  // A picture loaded as a monochrome graphic and placed in the middle.
  TempFolder folder("designer");
  ASSERT_TRUE(d.PrepareGraphic(WritePicture(folder, 20, 10)));
  ASSERT_EQ(shown.size(), 1u);  // the note that a colour picture is loaded in two colours
  view.DropAt(TViewDrag::Grafik, 152, 40);
  ASSERT_EQ(Start().Objekte.Count(), 3u);
  auto& graphic = dynamic_cast<TGrafik&>(Start().Objekte[2]);
  EXPECT_EQ(graphic.X, 150);
  EXPECT_EQ(graphic.Bitmap.Pixel(0, 0), TMonoBitmap::clBlack);
  EXPECT_EQ(graphic.Bitmap.Pixel(5, 5), TMonoBitmap::clWhite);

  // A line by two clicks of the line tool.
  d.BLine->setChecked(true);
  view.LineClick(0, 60);
  view.LineClick(100, 61);
  EXPECT_FALSE(d.BLine->isChecked());
  ASSERT_EQ(Start().Objekte.Count(), 4u);
  EXPECT_EQ(Start().Objekte[3].Breite, 100);
  EXPECT_EQ(Start().Objekte[3].Hoehe, 1);

  // A menu page behind the text, entered with F3.
  {
    TTextedit dialog(Display(), Start(), text);
    dialog.CBAddScreen->setChecked(true);
    EXPECT_EQ(dialog.EScreenName->text(), QStringLiteral("Licht1"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  ASSERT_EQ(text.Unterbildschirme.Count(), 1u);
  TBildschirm& page = text.Unterbildschirme[0];

  // The compiled image holds every object, checked by the compiler's own walker.
  TDispCompiler compiler;
  compiler.Display = &Display();
  ASSERT_TRUE(compiler.CompileDisplay()) << compiler.LastError();
  const std::vector<uint8_t> image(Display().Speicher.begin(), Display().Speicher.begin() + Display().PrgLaenge);
  const TWalkedImage walked = WalkImage(image, 1, 2);
  for (const std::string& e : walked.Errors) ADD_FAILURE() << e;
  EXPECT_EQ(walked.Screens.size(), 2u);
  EXPECT_EQ(walked.GraphicRecords, 1);
  EXPECT_EQ(walked.StateVariableRecords, 1);
  EXPECT_EQ(walked.StateRecords.size(), 1u);
  EXPECT_EQ(walked.FunctionRecords.empty(), false);

  // The emulator: the two objects with keys are tab stops; the first (the text) is selected.
  d.SetZoomIndex(0);
  d.ToggleEmulator();
  EXPECT_TRUE(d.EmuBottom->isVisible());
  view.ResetEmulator();
  view.ShowSelection();
  EXPECT_EQ(view.SelectedObject(), &text);
  ExpectGolden(view.Picture(), "emulator_start");
  d.BDown->click();
  EXPECT_EQ(view.SelectedObject(), &variable);
  d.BUp->click();
  EXPECT_EQ(view.SelectedObject(), &text);

  // F3 of the text leads to the menu page, its F1 back.
  d.BF[2]->click();
  EXPECT_EQ(d.Verwaltung.CurrentScreen(), &page);
  EXPECT_EQ(view.Screen, &page);
  EXPECT_EQ(d.LTitle->text(), QStringLiteral("Bildschirm: Licht1"));
  d.BF[0]->click();
  EXPECT_EQ(d.Verwaltung.CurrentScreen(), &Start());
  // F1 of the variable is an output command: nothing happens in the emulator.
  d.BDown->click();
  d.BF[0]->click();
  EXPECT_EQ(d.Verwaltung.CurrentScreen(), &Start());
}

TEST_F(DesignerTest, ScreenViewOfTheSampleDisplayMatchesItsPicture) {
  GProjekt->DisplayProjekt().Remove(&Display());
  BuildRich(*GProjekt->DisplayProjekt().AddNewDisplay(), GProjekt->DisplayProjekt().DispUniqueNames);
  TDisplay& d = Designer();
  d.SetZoomIndex(0);
  ASSERT_EQ(d.View->Scale(), 2);
  EXPECT_EQ(d.View->width(), 480);
  EXPECT_EQ(d.View->height(), 256);
  ExpectGolden(d.View->Picture(), "designer_rich");
  d.SetZoomIndex(3);
  EXPECT_EQ(d.View->width(), 1200);
  EXPECT_EQ(d.View->height(), 640);
}

TEST_F(DesignerTest, PointingAtALinkedTextShowsItsChannel) {
  TText* text = AddText(Start(), "Flur", 0, 0);
  TDisplay& d = Designer();
  d.SelectDragChannel(nullptr);
  for (QTreeWidgetItemIterator it(d.TVInputs); *it; ++it)
    if ((*it)->text(0) == QStringLiteral("INP.03.04-Taster 4")) d.SelectDragChannel(*it);
  d.View->DropAt(TViewDrag::Channel, 2, 2);
  ASSERT_TRUE(text->IsLinked());
  QTest::mouseMove(d.View, QPoint(3 * 3, 3 * 3));
  EXPECT_EQ(d.View->toolTip(), QStringLiteral("Zuordnung:\rSTM.00 INP.03.04-Taster 4"));
  EXPECT_EQ(d.Status[0]->text(), QStringLiteral("Aktuelle Position:  X:   4  Y:   4"));
  EXPECT_EQ(d.Status[1]->text(), QStringLiteral("Zeile:    0 , Spalte:   0"));
  QTest::mouseMove(d.View, QPoint(200 * 3, 50 * 3));
  EXPECT_TRUE(d.View->toolTip().isEmpty());
}

TEST_F(DesignerTest, TypingThroughTheDesignersKeysEndsWithEnter) {
  TDisplay& d = Designer();
  d.View->DropAt(TViewDrag::Text, 210, 0);  // column 35
  ASSERT_TRUE(d.View->TextEntryRunning());
  for (const char* key : {"A", "b", "c"}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(key));
    QApplication::sendEvent(&d, &press);
  }
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(&d, &back);
  QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromUtf8("ä"));
  QApplication::sendEvent(&d, &umlaut);
  auto* text = d.View->EntryText();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, "Ab\xE4");
  QKeyEvent enter(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&d, &enter);
  EXPECT_FALSE(d.View->TextEntryRunning());
  EXPECT_TRUE(Display().Modified);

  // A second entry at column 35 ends by itself after the fifth character.
  d.View->DropAt(TViewDrag::Text, 210, 16);
  for (char c : std::string("Zeile")) d.View->InsertChar(static_cast<uint8_t>(c));
  EXPECT_FALSE(d.View->TextEntryRunning());
  EXPECT_EQ(dynamic_cast<TText&>(Start().Objekte[1]).Text, "Zeile");

  // An empty entry leaves nothing behind.
  d.View->DropAt(TViewDrag::Text, 0, 40);
  d.View->EndTextEntry();
  EXPECT_EQ(Start().Objekte.Count(), 2u);
}

TEST_F(DesignerTest, CaretBlinksInTheNextCell) {
  TDisplay& d = Designer();
  d.View->DropAt(TViewDrag::Text, 0, 0);
  d.View->InsertChar('A');
  const QImage hidden = d.View->Picture();
  d.View->CaretTick();
  EXPECT_TRUE(d.View->CaretShown());
  const QImage shownCaret = d.View->Picture();
  int changed = 0;
  for (int y = 0; y < hidden.height(); ++y)
    for (int x = 0; x < hidden.width(); ++x)
      if (hidden.pixel(x, y) != shownCaret.pixel(x, y)) {
        ++changed;
        EXPECT_TRUE(x >= 6 * 3 && x < 12 * 3 && y < 8 * 3) << x << "," << y;  // only in the second cell
      }
  EXPECT_GT(changed, 0);
  d.View->CaretTick();
  EXPECT_FALSE(d.View->CaretShown());
  EXPECT_EQ(d.View->Picture(), hidden);
  d.FrameDeactivate();
  EXPECT_FALSE(d.View->TextEntryRunning());
  EXPECT_EQ(dynamic_cast<TText&>(Start().Objekte[0]).Text, "A");
}

TEST_F(DesignerTest, LineToolTakesTwoClicksOfTheMouse) {
  TDisplay& d = Designer();
  d.BLine->setChecked(true);
  QTest::mouseClick(d.View, Qt::LeftButton, Qt::NoModifier, QPoint(30 * 3, 10 * 3));
  EXPECT_TRUE(d.View->LineStarted());
  QTest::mouseMove(d.View, QPoint(31 * 3, 40 * 3));
  QTest::mouseClick(d.View, Qt::LeftButton, Qt::NoModifier, QPoint(31 * 3, 40 * 3));
  ASSERT_EQ(Start().Objekte.Count(), 1u);
  const TBasis& line = Start().Objekte[0];
  EXPECT_EQ(line.X, 30);
  EXPECT_EQ(line.Y, 10);
  EXPECT_EQ(line.Breite, 1);
  EXPECT_EQ(line.Hoehe, 30);
  EXPECT_EQ(Start().Objekte.Key(0), "Line0");
  EXPECT_FALSE(d.BLine->isChecked());
}

TEST_F(DesignerTest, AfterADialogOnlyTheClickThatEndedItIsSwallowed) {
  TDisplay& d = Designer();
  d.BLine->setChecked(true);
  // A press right after the dialog (the click that closed it) only arms the view.
  d.View->Disarm();
  QTest::mouseClick(d.View, Qt::LeftButton, Qt::NoModifier, QPoint(30 * 3, 10 * 3));
  EXPECT_FALSE(d.View->LineStarted());
  // Once the pointer has moved over the view with no button held, the next click is the user's.
  d.View->Disarm();
  QTest::mouseMove(d.View, QPoint(30 * 3, 10 * 3));
  QTest::mouseClick(d.View, Qt::LeftButton, Qt::NoModifier, QPoint(30 * 3, 10 * 3));
  EXPECT_TRUE(d.View->LineStarted());
}

TEST_F(DesignerTest, ProjectWithoutDisplayDisablesTheDesigner) {
  GProjekt->DisplayProjekt().Clear();
  TDisplay& d = Designer();
  EXPECT_FALSE(d.DesignerActive());
  EXPECT_FALSE(d.BText->isEnabled());
  EXPECT_FALSE(d.CBZoom->isEnabled());
  EXPECT_FALSE(d.View->isVisible());
  EXPECT_EQ(d.TVScreens->topLevelItemCount(), 0);
  EXPECT_EQ(d.AskApplyChanges(), 6);
}

TEST_F(DesignerTest, LeavingFoldsTheDisplaysModifiedFlagIntoTheProject) {
  TDisplay& d = Designer();
  GProjekt->Modified = false;
  EXPECT_EQ(d.AskApplyChanges(), 6);
  EXPECT_FALSE(GProjekt->Modified);
  d.View->DropAt(TViewDrag::Variable, 0, 0);
  EXPECT_EQ(d.AskApplyChanges(), 6);
  EXPECT_TRUE(GProjekt->Modified);
  EXPECT_FALSE(Display().Modified);
}

TEST_F(DesignerTest, DeletingTheCurrentScreenGoesToTheStartScreen) {
  TDisplay& d = Designer();
  d.TVScreens->setCurrentItem(d.TVScreens->topLevelItem(0));
  d.AddScreenToSelected();
  ASSERT_EQ(Display().Bildschirme.Count(), 2u);
  TBildschirm* second = &Display().Bildschirme[1];
  EXPECT_EQ(second->Name, "NeuerBildschirm2");
  d.Verwaltung.ChangeScreen(second);
  QTreeWidgetItem* node = d.FindScreenNode(second);
  ASSERT_NE(node, nullptr);
  d.TVScreens->setCurrentItem(node);
  EXPECT_TRUE(d.BDeleteScreen->isEnabled());

  answers = {IDCANCEL};
  d.DeleteSelectedScreen();
  EXPECT_EQ(Display().Bildschirme.Count(), 2u);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Ausgewählten Bildschirm \"NeuerBildschirm2\" sowie alle \r\n"
                                     "zugehörigen Objekte und Bildschirme wirklich löschen?"));

  d.TVScreens->setCurrentItem(d.FindScreenNode(second));
  answers = {IDOK};
  d.DeleteSelectedScreen();
  EXPECT_EQ(Display().Bildschirme.Count(), 1u);
  EXPECT_EQ(d.Verwaltung.CurrentScreen(), &Start());
  EXPECT_EQ(d.View->Screen, &Start());

  // The start screen cannot be deleted.
  d.TVScreens->setCurrentItem(d.FindScreenNode(&Start()));
  EXPECT_FALSE(d.BDeleteScreen->isEnabled());
}

TEST_F(DesignerTest, ScreenBelowATextTurnsItsNodeIntoAMenuNode) {
  TText* text = AddText(Start(), "Menue", 0, 0);
  TDisplay& d = Designer();
  d.BTextsWithoutScreens->setChecked(true);
  QTreeWidgetItem* textNode = d.TVScreens->topLevelItem(0)->child(0)->child(0);
  ASSERT_NE(textNode, nullptr);
  EXPECT_EQ(textNode->data(0, Qt::UserRole + 3).toInt(), 2);
  d.TVScreens->setCurrentItem(textNode);
  d.AddScreenToSelected();
  ASSERT_EQ(text->Unterbildschirme.Count(), 1u);
  textNode = d.TVScreens->topLevelItem(0)->child(0)->child(0);
  EXPECT_EQ(textNode->data(0, Qt::UserRole + 3).toInt(), 3);
  d.BNavigation->setChecked(true);
  // The new screen has no jump out and none leads to it.
  EXPECT_EQ(textNode->child(0)->data(0, Qt::UserRole + 2).toInt(), 2);

  d.TVScreens->setCurrentItem(textNode->child(0));
  d.DeleteSelectedScreen();
  textNode = d.TVScreens->topLevelItem(0)->child(0)->child(0);
  EXPECT_EQ(textNode->data(0, Qt::UserRole + 3).toInt(), 2);
}

TEST_F(DesignerTest, OversizedPicturesAreCutOrRefused) {
  TDisplay& d = Designer();
  TempFolder folder("bigpicture");
  struct Case {
    int w, h, answer;
    bool kept;
    int keptW, keptH;
  };
  for (const Case& c : {Case{300, 50, IDOK, true, 240, 50}, Case{200, 120, IDOK, true, 200, 104},
                        Case{300, 50, IDCANCEL, false, 0, 0}}) {
    answers = {c.answer};
    const bool ok = d.PrepareGraphic(WritePicture(folder, c.w, c.h));
    EXPECT_EQ(ok, c.kept) << c.w << "x" << c.h;
    if (!c.kept) continue;
    ASSERT_NE(d.View->PendingGraphic(), nullptr);
    EXPECT_EQ(d.View->PendingGraphic()->Breite, c.keptW);
    EXPECT_EQ(d.View->PendingGraphic()->Hoehe, c.keptH);
  }
  // A file that is no picture is named in the message.
  const std::string bad = folder.File("kaputt.bmp");
  WriteWholeFile(bad, "kein Bild");
  shown.clear();
  EXPECT_FALSE(d.PrepareGraphic(bad));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("kaputt.bmp")));
}

TEST_F(DesignerTest, MovingAndDeletingObjectsOnTheView) {
  TText* text = AddText(Start(), "Eins", 0, 0);
  AddGraphic(Start(), 60, 0, 10, 10, 0);
  TDisplay& d = Designer();
  TView& view = *d.View;
  ASSERT_TRUE(view.GrabAt(3, 3));                         // grabbed 3 pixels into the text
  EXPECT_FALSE(view.DragOverAt(TViewDrag::Move, 63, 3));  // onto the graphic's cells
  EXPECT_TRUE(view.DragOverAt(TViewDrag::Move, 15, 19));
  view.DropAt(TViewDrag::Move, 15, 19);
  EXPECT_EQ(text->X, 12);
  EXPECT_EQ(text->Y, 16);
  EXPECT_TRUE(Display().Modified);
  view.DeleteObject(text);
  EXPECT_EQ(Start().Objekte.Count(), 1u);
}

}  // namespace
}  // namespace zyn::test
