// One design session in the main window, as an installer works: a display added on its list
// page, screens, texts typed through the window's keys, a state variable bound to an output with
// a key, a picture drawn in the graphic editor and placed, a line, a menu page, the emulator
// walked, a screen deleted while a text is typed on it, a menu text emptied (No, then Yes), the
// display compiled, saved and opened again. The programme runs under the address sanitizer.

#include "DesignerFixture.h"
#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/DisplayPages.h"
#include "display/ui/EditText.h"
#include "display/ui/FrameDispBearb.h"
#include "display/ui/GrafikDialoge.h"
#include "display/ui/Grafikeditor.h"
#include "display/ui/VarEigenschaften.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "tests/support/Files.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace zyn::test {
namespace {

// Keys typed anywhere in the window reach the designer's text entry.

// Acts on the next modal dialog of the given class once it is shown (the code that opens it
// waits in its own event loop meanwhile).
template <class D>
void OnNextDialog(std::function<void(D&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->stop();
    timer->deleteLater();
    act(*dialog);
  });
  timer->start();
}

void Type(QWidget* target, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
  }
  QKeyEvent enter(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
}

QTreeWidgetItem* Node(QTreeWidget* tree, const QString& caption) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->text(0) == caption) return *it;
  return nullptr;
}

TEST_F(DesignerTest, AWholeDesignSessionInTheMainWindow) {
  RegisterDisplayPages();
  GProjekt->DisplayProjekt().Remove(&Display());  // the address goes back to the pool
  TempFolder folder("session");
  const std::string file = folder.File("anlage.zpf");
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  GProjekt.reset();

  // The set-up wizard of the first start has been through.
  const bool assisted = GetBoolOption(boConfigAssist);
  SetBoolOption(boConfigAssist, true);
  struct TRestore {
    bool Value;
    ~TRestore() { SetBoolOption(boConfigAssist, Value); }
  } restore{assisted};
  TMainForm form;
  form.resize(1200, 800);
  form.show();
  ASSERT_TRUE(form.OpenProject(file));

  // --- a display on its list page ---
  form.FM->SetCurrentFrame(QStringLiteral("FrDispBearb"));
  auto* list = dynamic_cast<TFrDispBearb*>(form.FM->GetFrame(QStringLiteral("FrDispBearb")));
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list->BAdd, Qt::LeftButton);
  QTest::mouseClick(list->BOK, Qt::LeftButton);
  ASSERT_EQ(GProjekt->DisplayProjekt().Count(), 1u);
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];

  // --- the designer: two more screens ---
  form.FM->SetCurrentFrame(QStringLiteral("Display"));
  auto* d = dynamic_cast<TDisplay*>(form.FM->GetFrame(QStringLiteral("Display")));
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(d->DesignerActive());
  TView& view = *d->View;
  const int s = view.Scale();
  for (int i = 0; i < 2; ++i) {
    d->TVScreens->setCurrentItem(d->TVScreens->topLevelItem(0));
    QTest::mouseClick(d->BAddScreen, Qt::LeftButton);
  }
  ASSERT_EQ(display.Bildschirme.Count(), 3u);
  TBildschirm& start = *display.StartBildschirm;
  TBildschirm* second = &display.Bildschirme[1];

  // --- texts typed through the window's keys ---
  view.DropAt(TViewDrag::Text, 0, 0);
  Type(form.StatusBar1, QStringLiteral("Licht Küche"));
  view.DropAt(TViewDrag::Text, 0, 24);
  Type(form.StatusBar1, QStringLiteral("Heizung"));
  ASSERT_EQ(start.Objekte.Count(), 2u);
  auto& light = static_cast<TText&>(start.Objekte[0]);
  EXPECT_EQ(light.Text, "Licht K\xFC"
                        "che");

  // --- a state variable bound to output 3 with a key ---
  view.DropAt(TViewDrag::Variable, 0, 48);
  ASSERT_EQ(start.Objekte.Count(), 3u);
  auto& variable = static_cast<TZustandVar&>(start.Objekte[2]);
  d->Fold->setCurrentIndex(2);
  d->SelectDragChannel(Node(d->TVOutputs, QStringLiteral("OUT.05.03-Licht 3")));
  view.DropAt(TViewDrag::Channel, variable.X + 1, variable.Y + 1);
  ASSERT_TRUE(variable.IsLinked());
  labels = {QStringLiteral("Licht")};
  OnNextDialog<TVarOptionen>([](TVarOptionen& dialog) {
    dialog.AssignCommand(0, 0);
    dialog.accept();
  });
  QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint((variable.X + 2) * s, (variable.Y + 2) * s));
  ASSERT_EQ(variable.Buttons.Count(), 1u);
  EXPECT_EQ(variable.Buttons[0].Funktion.Funktion, fkAusgang);

  // --- a picture drawn in the graphic editor, saved and placed ---
  QTest::mouseClick(d->BEditor, Qt::LeftButton);
  auto* editor = d->findChild<TGraphicEditor*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Document.size(), QSize(240, 104));
  editor->AskNewSize = [](int& w, int& h) {
    w = 18;
    h = 10;
    return true;
  };
  editor->NewCommand();
  editor->Tool = gtRechteck;
  editor->MouseDown(QPoint(0, 0), Qt::LeftButton);
  editor->MouseMove(QPoint(17, 9), Qt::LeftButton);
  editor->MouseUp(QPoint(17, 9), Qt::LeftButton);
  const std::string picture = folder.File("rahmen.bmp");
  editor->AskSaveFile = [picture] { return picture; };
  ASSERT_TRUE(editor->SaveCommand());
  editor->close();
  ASSERT_TRUE(d->PrepareGraphic(picture));
  view.DropAt(TViewDrag::Grafik, 120, 40);
  ASSERT_EQ(start.Objekte.Count(), 4u);
  EXPECT_EQ(start.Objekte[3].Art(), TObjektArt::Grafik);

  // --- a line with two clicks (the first click after a dialog only arms the view) ---
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200 * s, 70 * s));
  d->BLine->setChecked(true);
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100 * s, 90 * s));
  QTest::mouseMove(&view, QPoint(230 * s, 90 * s));
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(230 * s, 90 * s));
  ASSERT_EQ(start.Objekte.Count(), 5u);
  EXPECT_EQ(start.Objekte[4].Art(), TObjektArt::Line);

  // --- a menu page behind the text ---
  OnNextDialog<TTextedit>([](TTextedit& dialog) {
    dialog.CBAddScreen->setChecked(true);
    dialog.accept();
  });
  QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3 * s, 3 * s));
  ASSERT_EQ(light.Unterbildschirme.Count(), 1u);
  EXPECT_EQ(light.Unterbildschirme[0].Name, "LichtK\xFC"
                                            "che1");

  // --- the emulator: the text's F3 leads into the menu, F1 back ---
  QTest::mouseClick(d->BCursor, Qt::LeftButton);
  ASSERT_TRUE(d->EmulatorShown());
  for (int i = 0; i < 3 && view.SelectedObject() != &light; ++i) QTest::mouseClick(d->BDown, Qt::LeftButton);
  ASSERT_EQ(view.SelectedObject(), &light);
  QTest::mouseClick(d->BF[2], Qt::LeftButton);
  EXPECT_EQ(view.Screen, &light.Unterbildschirme[0]);
  EXPECT_EQ(d->LTitle->text(), QStringLiteral("Bildschirm: LichtKüche1"));
  QTest::mouseClick(d->BF[0], Qt::LeftButton);
  EXPECT_EQ(view.Screen, &start);

  // --- a screen deleted while a text is typed on it ---
  emit d->TVScreens->itemDoubleClicked(d->FindScreenNode(second), 0);
  ASSERT_EQ(view.Screen, second);
  view.DropAt(TViewDrag::Text, 0, 0);
  for (const QChar c : QStringLiteral("Weg")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
    QApplication::sendEvent(form.StatusBar1, &press);
  }
  ASSERT_TRUE(view.TextEntryRunning());
  d->TVScreens->setCurrentItem(d->FindScreenNode(second));
  answers = {IDOK};
  QTest::mouseClick(d->BDeleteScreen, Qt::LeftButton);
  EXPECT_FALSE(view.TextEntryRunning());
  EXPECT_EQ(view.Screen, &start);
  ASSERT_EQ(display.Bildschirme.Count(), 2u);
  view.InsertChar('x');  // reaches no text
  view.CaretTick();

  // --- the menu text emptied: No keeps it, Yes deletes it with its page ---
  shown.clear();
  answers = {IDNO, IDYES};
  OnNextDialog<TTextedit>([](TTextedit& dialog) {
    dialog.EText->clear();
    dialog.accept();  // No: the dialog stays
    EXPECT_TRUE(dialog.isVisible());
    dialog.accept();  // Yes
  });
  QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3 * s, 3 * s));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], QStringLiteral("Der Text hat Untermenüs. Sollen der Text und seine 1 Bildschirme gelöscht "
                                     "werden?"));
  ASSERT_EQ(start.Objekte.Count(), 4u);
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 2u);

  // --- compiled, saved and opened again ---
  std::vector<std::string> messages;
  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll(&messages)) << (messages.empty() ? "" : messages[0]);
  EXPECT_GT(display.PrgLaenge, 0);
  form.FM->SetCurrentFrame(QString());
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  GProjekt->Modified = false;
  form.CloseProject();
  ASSERT_TRUE(form.OpenProject(file));
  TDisplayObjekt& back = GProjekt->DisplayProjekt()[0];
  EXPECT_TRUE(back.SkippedOnRead.empty());
  ASSERT_EQ(back.Bildschirme.Count(), 2u);
  ASSERT_EQ(back.StartBildschirm->Objekte.Count(), 4u);
  EXPECT_EQ(static_cast<TText&>(back.StartBildschirm->Objekte[0]).Text, "Heizung");
  EXPECT_TRUE(back.StartBildschirm->Objekte[1].IsLinked());
  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll());
  GProjekt->Modified = false;
  form.CloseProject();
}

}  // namespace
}  // namespace zyn::test
