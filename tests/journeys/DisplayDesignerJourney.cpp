// The display designer as an installer uses it: a display added on its list page, a screen added,
// a text typed on it and the screen deleted while the text is still being typed; the keys typed
// afterwards reach no text, and the display compiles. Nothing freed is touched (the journeys run
// under the address sanitizer).

#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "display/ui/FrameDispBearb.h"
#include "display/ui/GrafikDialoge.h"
#include "display/ui/Grafikeditor.h"
#include "display/ui/VarEigenschaften.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"
#include "tests/support/TestHome.h"
#include "tools/zynsim/core/SimPort.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>

namespace zyn::test {
namespace {

// The small journey project whose outputs are switched outputs: the designer offers their commands
// for keys.
std::string SaveProjectWithSwitchedOutputs() {
  const std::string file = SaveSmallProject("Haus.zpf");
  TZYNProjekt projekt;
  projekt.LoadProjectFile(file);
  for (int s = 0; s < projekt.Steuermodule.Count(); ++s)
    for (int m = 0; m < projekt.Steuermodule.GetSteuermodul(s)->Module.Count(); ++m) {
      TModul& module = *projekt.Steuermodule.GetSteuermodul(s)->Module.GetModul(m);
      for (int k = 0; k < module.Ausgaenge().Count(); ++k)
        module.Ausgaenge().GetItem(k)->BefehlsListe = "Ausgangsfunktionen Schalter";
    }
  EXPECT_TRUE(projekt.SaveProjectFile(file, false));
  return file;
}

class DisplayDesigner : public TJourney {
 protected:
  TDisplay* Designer() { return dynamic_cast<TDisplay*>(Main().FM->GetFrame(QStringLiteral("Display"))); }
  // The display is added on its list page and applied (it gets its start screen), then the
  // designer opened.
  void AddDisplayAndOpenDesigner() {
    // The display is added on its list page and applied: it gets its start screen.
    SideBarClick("FrDispBearb");
    ASSERT_TRUE(WaitForPage("FrDispBearb"));
    auto* list = dynamic_cast<TFrDispBearb*>(Main().FM->GetFrame(QStringLiteral("FrDispBearb")));
    ASSERT_NE(list, nullptr);
    Click(list->BAdd);
    ASSERT_TRUE(WaitFor([&] { return list->BOK->isEnabled(); }));
    Click(list->BOK);
    ASSERT_TRUE(WaitFor([&] { return GProjekt->DisplayProjekt().Count() == 1; }));
    SideBarClick("Display");
    ASSERT_TRUE(WaitForPage("Display"));
    TDisplay* d = Designer();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(WaitFor([&] { return d->DesignerActive(); }));
  }
  // The centre of the panel pixel (x, y) of the view, on the screen.
  QPoint At(int x, int y) {
    TView& view = *Designer()->View;
    const int s = view.Scale();
    return view.mapToGlobal(QPoint(x * s + s / 2, y * s + s / 2));
  }
  QTreeWidgetItem* Node(QTreeWidget* tree, const QString& caption) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->text(0) == caption) return *it;
    return nullptr;
  }
  QPoint CenterOf(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    return tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
  }
  // The tool button of a window's tool bar that shows the action with the text.
  static QToolButton* ToolButtonOf(QWidget* window, const QString& text) {
    for (QToolButton* b : window->findChildren<QToolButton*>())
      if (b->defaultAction() && b->defaultAction()->text() == text) return b;
    return nullptr;
  }
  void ClickNode(QTreeWidget* tree, QTreeWidgetItem* item, bool twice = false) {
    const QPoint at = tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
    if (twice)
      DoubleClick(at);
    else
      Click(at);
  }
};

TEST_F(DisplayDesigner, DeletingAScreenWhileATextIsTypedOnIt) {
  StartGlobals();
  StartProgram(SaveSmallProject("Haus.zpf"));
  ASSERT_NO_FATAL_FAILURE(AddDisplayAndOpenDesigner());
  TDisplay* d = Designer();
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];
  TView& view = *d->View;

  // A second screen, shown by a double click on its node.
  ClickNode(d->TVScreens, d->TVScreens->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return d->BAddScreen->isEnabled(); }));
  Click(d->BAddScreen);
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 2; }));
  TBildschirm* second = &display.Bildschirme[1];
  ClickNode(d->TVScreens, d->FindScreenNode(second), true);
  ASSERT_TRUE(WaitFor([&] { return view.Screen == second; }));

  // A text typed on it, and the screen deleted while the text is still being typed.
  view.DropAt(TViewDrag::Text, 0, 0);
  ASSERT_TRUE(view.TextEntryRunning());
  Type(QStringLiteral("Weg"));
  ASSERT_TRUE(WaitFor([&] { return view.EntryText() && view.EntryText()->Text == "Weg"; }));
  ClickNode(d->TVScreens, d->FindScreenNode(second));
  ASSERT_TRUE(WaitFor([&] { return d->BDeleteScreen->isEnabled(); }));
  Answer(QStringLiteral("wirklich löschen"), QStringLiteral("OK"));
  Click(d->BDeleteScreen);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 1; }));
  EXPECT_FALSE(view.TextEntryRunning());
  EXPECT_EQ(view.Screen, display.StartBildschirm);
  Type(QStringLiteral("xy"));  // no text takes the keys any more
  TBildschirm& start = *display.StartBildschirm;
  EXPECT_TRUE(WaitFor([&] { return start.Objekte.Empty(); }, 2000));

  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll());
  EndProgram(QStringLiteral("Nein"));
}

TEST_F(DisplayDesigner, AWholeDesignSession) {
  // The bus behind a pseudo-terminal: the simulator answers as control module and display panel.
  sim::TSTMSimulator bus;
  sim::TSimPort port(bus);
  const std::string device = port.OpenPty();
  port.Start();
  StartGlobals();
  const std::string file = SaveProjectWithSwitchedOutputs();
  StartProgram(file);
  // Room for the designer's trees, tools and view: the window drawn large.
  Main().resize(1240, 940);
  ASSERT_TRUE(WaitFor([&] { return Main().width() > 1000; }));
  ASSERT_NO_FATAL_FAILURE(AddDisplayAndOpenDesigner());
  TDisplay* d = Designer();
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];
  TView& view = *d->View;
  TBildschirm& start = *display.StartBildschirm;
  ASSERT_EQ(view.Screen, &start);

  // --- a second screen ---
  ClickNode(d->TVScreens, d->TVScreens->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return d->BAddScreen->isEnabled(); }));
  Click(d->BAddScreen);
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 2; }));
  ASSERT_EQ(view.Screen, &start);

  // --- two texts: the text tool dragged into the view, the text typed, Return ---
  const auto typeText = [&](int x, int y, const QString& text) {
    Drag(d->BText, d->BText->rect().center(), &view, view.mapFromGlobal(At(x, y)));
    ASSERT_TRUE(WaitFor([&] { return view.TextEntryRunning(); })) << "no text entry at " << x << "," << y;
    Type(text);
    Key(QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return !view.TextEntryRunning(); }));
  };
  ASSERT_NO_FATAL_FAILURE(typeText(1, 1, QStringLiteral("Licht Kueche")));
  ASSERT_NO_FATAL_FAILURE(typeText(1, 25, QStringLiteral("Heizung")));
  ASSERT_EQ(start.Objekte.Count(), 2u);
  auto& light = static_cast<TText&>(start.Objekte[0]);
  EXPECT_EQ(light.Text, "Licht Kueche");
  EXPECT_EQ(static_cast<TText&>(start.Objekte[1]).Text, "Heizung");

  // --- a state variable, bound to an output by dragging the output onto it ---
  Drag(d->BVariable, d->BVariable->rect().center(), &view, view.mapFromGlobal(At(1, 49)));
  ASSERT_TRUE(WaitFor([&] { return start.Objekte.Count() == 3; }));
  ASSERT_EQ(start.Objekte[2].Art(), TObjektArt::ZustandVar);
  auto& variable = static_cast<TZustandVar&>(start.Objekte[2]);
  ClickTab(d->Fold, QStringLiteral("Ausgänge"));
  QTreeWidgetItem* output = nullptr;
  for (QTreeWidgetItemIterator it(d->TVOutputs); *it && !output; ++it)
    if ((*it)->childCount() == 0) output = *it;
  ASSERT_TRUE(output) << "no output in the designer's tree";
  d->TVOutputs->scrollToItem(output);
  Drag(CenterOf(d->TVOutputs, output), At(variable.X + 2, variable.Y + 2));
  ASSERT_TRUE(WaitFor([&] { return variable.IsLinked(); })) << "the output dropped on the variable did not bind it";

  // --- a key that switches the output: a command dragged onto a free key, its label typed ---
  OnDialog(QStringLiteral("Variableneigenschaften"), [&](QWidget* dialog) {
    auto* options = dynamic_cast<TVarOptionen*>(dialog);
    ASSERT_TRUE(options);
    ClickTab(options->Tabs, QStringLiteral("Funktionen"));
    ASSERT_TRUE(WaitFor([&] { return options->LCommands->count() > 0 && options->LFree->count() > 0; }));
    OnDialog(QStringLiteral("Buttonbeschriftung eingeben"), [&](QWidget* label) {
      Keys({QStringLiteral("ctrl+a")});
      Type(QStringLiteral("Licht"));
      ClickButton(label, QStringLiteral("OK"));
    });
    QListWidget* commands = options->LCommands;
    QListWidget* keys = options->LFree;
    Drag(commands->viewport(), commands->visualItemRect(commands->item(0)).center(), keys->viewport(),
         keys->visualItemRect(keys->item(0)).center());
    ASSERT_TRUE(WaitForDialogsHandled());
    ASSERT_TRUE(WaitFor([&] { return variable.Buttons.Count() == 1; })) << "no key took the command";
    ClickButton(dialog, QStringLiteral("OK"));
  });
  DoubleClick(At(variable.X + 2, variable.Y + 2));
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_EQ(variable.Buttons.Count(), 1u);
  EXPECT_EQ(variable.Buttons[0].Funktion.Funktion, fkAusgang);
  EXPECT_EQ(variable.Buttons[0].Label1->Text, "Licht");

  // --- a picture drawn in the graphic editor: a new 18 x 10 picture, a frame, saved ---
  Click(d->BEditor);
  TGraphicEditor* editor = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (editor = d->findChild<TGraphicEditor*>()) && editor->isVisible(); }));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
  EXPECT_EQ(editor->Document.size(), QSize(240, 104));
  OnDialog(QStringLiteral("Neue Grafik erstellen"), [&](QWidget* dialog) {
    auto* size = dynamic_cast<TDateiNeu*>(dialog);
    ASSERT_TRUE(size);
    Click(size->EWidth);
    Type(QStringLiteral("18"));
    Click(size->EHeight);
    Type(QStringLiteral("10"));
    ClickButton(dialog, QStringLiteral("OK"));
  });
  Click(ToolButtonOf(editor, QStringLiteral("Datei Neu")));
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return editor->Document.size() == QSize(18, 10); }));
  Click(editor->ToolButtons[gtRechteck]);
  const int zoom = editor->Zoom;
  const auto pixel = [&](int x, int y) {
    return editor->View->mapToGlobal(QPoint(x * zoom + zoom / 2, y * zoom + zoom / 2));
  };
  Stroke(pixel(0, 0), pixel(17, 9));
  ASSERT_TRUE(WaitFor([&] { return editor->Modified; }));
  EXPECT_EQ(qGray(editor->Document.pixel(0, 0)), 0);
  EXPECT_EQ(qGray(editor->Document.pixel(17, 9)), 0);
  EXPECT_NE(qGray(editor->Document.pixel(8, 5)), 0);
  const std::string picture = TestHome() + "rahmen.bmp";
  OnDialog(QStringLiteral("Bild sichern unter"), [&](QWidget* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(name);
    Click(name);
    Keys({QStringLiteral("ctrl+a")});
    Type(QString::fromStdString(picture));
    Key(QStringLiteral("Return"));
  });
  Click(editor->View, QPoint(editor->View->width() - 2, editor->View->height() - 2));  // the editor takes the keys
  Keys({QStringLiteral("ctrl+s")});
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return !editor->Modified && std::filesystem::exists(picture); }))
      << "the picture was not saved";
  editor->close();  // the window manager's close button
  ASSERT_TRUE(WaitFor([&] { return !editor->isVisible(); }));

  // --- the picture placed: "Grafik", the file typed into the chooser's path field, dropped ---
  OnDialog(QStringLiteral("Grafik zum Einfügen"), [&](QWidget* dialog) {
    auto* chooser = dynamic_cast<TLadenDialog*>(dialog);
    ASSERT_TRUE(chooser);
    Click(chooser->EPath);
    Keys({QStringLiteral("ctrl+a")});
    Type(QString::fromStdString(picture));
    Key(QStringLiteral("Return"));
  });
  When(
      DragRunning, [&] { Click(At(200, 40)); }, "the picture dropped into the view");
  Click(d->BGrafik);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitForSteps());
  ASSERT_TRUE(WaitFor([&] { return start.Objekte.Count() == 4; })) << "the picture was not placed";
  ASSERT_EQ(start.Objekte[3].Art(), TObjektArt::Grafik);
  EXPECT_EQ(start.Objekte[3].Breite, 18);
  EXPECT_EQ(start.Objekte[3].Hoehe, 10);

  // --- a line: the line tool, two clicks ---
  Click(d->BLine);
  ASSERT_TRUE(WaitFor([&] { return d->BLine->isChecked(); }));
  Click(At(100, 90));
  Click(At(230, 90));
  ASSERT_TRUE(WaitFor([&] { return start.Objekte.Count() == 5; })) << "no line was drawn";
  EXPECT_EQ(start.Objekte[4].Art(), TObjektArt::Line);

  // --- a menu screen under the first text: its dialog, "Bildschirm hinzufügen", OK ---
  OnDialog(QStringLiteral("Textobjekteigenschaften"), [&](QWidget* dialog) {
    auto* edit = dynamic_cast<TTextedit*>(dialog);
    ASSERT_TRUE(edit);
    Click(edit->CBAddScreen);
    ASSERT_TRUE(WaitFor([&] { return edit->CBAddScreen->isChecked(); })) << "the check box did not take the click";
    ClickButton(dialog, QStringLiteral("OK"));
  });
  DoubleClick(At(3, 3));
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return light.Unterbildschirme.Count() == 1; }));
  EXPECT_EQ(light.Unterbildschirme[0].Name, "LichtKueche1");
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 3u);

  // --- the emulator walked: down to the text, its F3 into the menu, F1 back ---
  Click(d->BCursor);
  ASSERT_TRUE(WaitFor([&] { return d->EmulatorShown() && d->BDown->isVisible(); }));
  for (int i = 0; i < 4 && view.SelectedObject() != &light; ++i) {
    TBasis* before = view.SelectedObject();
    Click(d->BDown);
    WaitFor([&] { return view.SelectedObject() != before; }, 2000);
  }
  ASSERT_EQ(view.SelectedObject(), &light);
  Click(d->BF[2]);
  ASSERT_TRUE(WaitFor([&] { return view.Screen == &light.Unterbildschirme[0]; })) << "F3 did not lead into the menu";
  EXPECT_EQ(d->LTitle->text(), QStringLiteral("Bildschirm: LichtKueche1"));
  Click(d->BF[0]);
  ASSERT_TRUE(WaitFor([&] { return view.Screen == &start; })) << "F1 did not lead back";
  Click(d->BCursor);
  ASSERT_TRUE(WaitFor([&] { return !d->EmulatorShown(); }));

  // --- the menu text emptied: "Nein" keeps text and screen, "Ja" deletes both ---
  const QString question =
      QStringLiteral("Der Text hat Untermenüs. Sollen der Text und seine 1 Bildschirme gelöscht werden?");
  const auto emptyText = [&](const QString& answer) {
    OnDialog(QStringLiteral("Textobjekteigenschaften"), [&, answer](QWidget* dialog) {
      auto* edit = dynamic_cast<TTextedit*>(dialog);
      ASSERT_TRUE(edit);
      Click(edit->EText);
      Keys({QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
      ASSERT_TRUE(WaitFor([&] { return edit->EText->text().isEmpty(); }));
      Answer(question, answer);
      ClickButton(dialog, QStringLiteral("OK"));
      ASSERT_TRUE(WaitForDialogsHandled());
      if (answer == QStringLiteral("Nein")) {
        // The dialog stays with its text emptied; Abbrechen leaves everything as it was.
        ASSERT_TRUE(WaitFor([&] { return QApplication::activeModalWidget() == dialog; }));
        ClickButton(dialog, QStringLiteral("Abbrechen"));
      }
    });
    DoubleClick(At(3, 3));
    ASSERT_TRUE(WaitForDialogsHandled());
  };
  ASSERT_NO_FATAL_FAILURE(emptyText(QStringLiteral("Nein")));
  ASSERT_EQ(start.Objekte.Count(), 5u);
  EXPECT_EQ(light.Text, "Licht Kueche");
  ASSERT_EQ(light.Unterbildschirme.Count(), 1u);
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 3u);
  ASSERT_NO_FATAL_FAILURE(emptyText(QStringLiteral("Ja")));
  ASSERT_TRUE(WaitFor([&] { return start.Objekte.Count() == 4; }));
  EXPECT_EQ(static_cast<TText&>(start.Objekte[0]).Text, "Heizung");
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 2u);
  EXPECT_EQ(display.Bildschirme.Count(), 2u);

  // --- compiled: "Projekt erstellen" ---
  ToolbarCommand("Erstellen");
  ASSERT_TRUE(WaitFor([&] { return display.PrgLaenge > 0; }, 30000)) << "the display was not compiled";
  const std::vector<uint8_t> compiled(display.Speicher.begin(), display.Speicher.begin() + display.PrgLaenge);

  // --- the interface set to the simulator's terminal on the options page ---
  MenuCommand({"Einstellungen1", "Allgemein1"});
  ASSERT_TRUE(WaitForPage("FrOptionen"));
  auto* options = Find<QWidget>(QStringLiteral("FrOptionen"));
  ASSERT_TRUE(options);
  ClickTab(options->findChild<QTabWidget*>(), QStringLiteral("Übertragung"));
  auto* deviceBox = options->findChild<QComboBox*>(QStringLiteral("CBDevice"));
  ASSERT_TRUE(deviceBox);
  Click(deviceBox->lineEdit());
  Keys({QStringLiteral("ctrl+a")});
  Type(QString::fromStdString(device));
  Click(options->findChild<QToolButton*>(QStringLiteral("ToolButton4")));  // "Übernehmen"
  ASSERT_TRUE(WaitFor([&] { return GOptionFile->Optionen().SerialPort->First().DevicePath == device; }))
      << "the interface was not taken";

  // --- the display transferred to the panel behind the simulator ---
  MenuCommand({"Datei1", "Transfer"});
  ASSERT_TRUE(WaitForPage("FrTransfer"));
  auto* transfer = Find<QWidget>(QStringLiteral("FrTransfer"));
  auto* tabs = transfer->findChild<QTabBar*>(QStringLiteral("TC"));
  ASSERT_TRUE(tabs);
  int tab = -1;
  for (int i = 0; i < tabs->count(); ++i)
    if (tabs->tabText(i).contains(QString::fromStdString(display.DisplayName))) tab = i;
  ASSERT_GE(tab, 0) << "no tab for the display";
  Click(tabs, tabs->tabRect(tab).center());
  ASSERT_TRUE(WaitFor([&] { return tabs->currentIndex() == tab; }));
  Answer(QStringLiteral("gespeichert werden"), QStringLiteral("Ja"));  // the transfer saves first
  Click(transfer->findChild<QPushButton*>(QStringLiteral("BtnGo")));
  const auto panel = [&] {
    auto lock = bus.Lock();
    return bus.Display(display.Adresse);
  };
  ASSERT_TRUE(WaitFor([&] { return panel().Finished; }, 60000)) << "the display was not transferred";
  ASSERT_TRUE(WaitForPage("FrTransfer"));
  {
    const sim::TSimDisplay p = panel();
    const auto at = p.Memory.begin() + display.Startadresse;
    EXPECT_TRUE(std::equal(compiled.begin(), compiled.end(), at)) << "the panel holds another program";
  }

  // --- saved, closed, opened again: the design and its compiled memory are unchanged ---
  MenuCommand({"Datei1", "Speichern1"});
  ASSERT_TRUE(WaitFor([&] { return !GProjekt->Modified; }));
  // The programme ended and started again with the project, as from its file.
  EndProgram();
  StartProgram(file);
  ASSERT_TRUE(WaitFor([&] { return GProjekt && GProjekt->DisplayProjekt().Count() == 1; }))
      << "the project was not opened";
  TDisplayObjekt& back = GProjekt->DisplayProjekt()[0];
  EXPECT_TRUE(back.SkippedOnRead.empty());
  ASSERT_EQ(back.Bildschirme.Count(), 2u);
  ASSERT_EQ(back.StartBildschirm->Objekte.Count(), 4u);
  EXPECT_EQ(static_cast<TText&>(back.StartBildschirm->Objekte[0]).Text, "Heizung");
  ToolbarCommand("Erstellen");
  ASSERT_TRUE(WaitFor([&] { return back.PrgLaenge > 0; }, 30000));
  EXPECT_EQ(std::vector<uint8_t>(back.Speicher.begin(), back.Speicher.begin() + back.PrgLaenge), compiled)
      << "the design opened again compiles to another program";

  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
