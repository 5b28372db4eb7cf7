#include "compiler/toollib/SubFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/VersionInfo.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "shell/Branding.h"
#include "shell/FormAbout.h"
#include "shell/FormLgkonflikt.h"
#include "shell/FormSplash.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"
#include "tests/support/AppFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zyn {
namespace {

void AddEntry(const char* native, const char* translated) {
  if (!GLanguageFile) GLanguageFile = std::make_unique<TLanguageFile>();
  TLanguageEntry* e = GLanguageFile->Container().Add();
  e->Native = Ansi(native);
  e->Translated = Ansi(translated);
}

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    GLanguageFile.reset();
    GOptionFile = std::make_unique<TZYNOptionFile>("/nonexistent/");
    GOptionFile->SetDefaults();
  }
  void TearDown() override {
    GLanguageFile.reset();
    GOptionFile.reset();
    SetMessageDlgHook({});
  }
};

TEST_F(Dialogs, TranslateFormTrimsLooksUpAndLeavesNamesAlone) {
  QWidget form;
  form.setObjectName("Einstellungen");
  form.setWindowTitle("Einstellungen");
  auto* box = new QGroupBox(" &Einstellungen ", &form);
  box->setObjectName("GB");
  auto* label = new QLabel("Ein", &form);
  auto* combo = new QComboBox(&form);
  combo->setObjectName("CB");
  combo->addItems({"Ein", " Aus "});
  auto* unnamed = new QLabel(" Aus ", &form);

  TranslateForm(&form);  // without a language file nothing changes, not even the blanks
  EXPECT_EQ(box->title(), " &Einstellungen ");

  AddEntry("Ein", " ");  // a blank translation keeps the German text
  AddEntry("Aus", "Off");
  AddEntry("Einstellungen", "Settings");
  AddEntry("ein", "on");  // differs in case only: never used for "Ein"
  TranslateForm(&form);
  EXPECT_EQ(form.windowTitle(), "Settings");
  EXPECT_EQ(form.objectName(), "Einstellungen");  // names are never looked up
  EXPECT_EQ(box->title(), "&Einstellungen");      // trimmed, no entry
  EXPECT_EQ(label->text(), "Ein");
  EXPECT_EQ(combo->itemText(0), "Ein");
  EXPECT_EQ(combo->itemText(1), " Aus ");  // list lines are looked up as they are
  EXPECT_EQ(unnamed->text(), "Off");

  // a frame translates only its named objects, not itself
  QWidget frame;
  frame.setWindowTitle("Aus");
  auto* named = new QLabel("Aus", &frame);
  named->setObjectName("L1");
  auto* anonymous = new QLabel("Aus", &frame);
  TranslateFrame(&frame);
  EXPECT_EQ(frame.windowTitle(), "Aus");
  EXPECT_EQ(named->text(), "Off");
  EXPECT_EQ(anonymous->text(), "Aus");
}

TEST_F(Dialogs, TranslatedMessageDlgScriptedAnswers) {
  AddEntry("Sollen die Änderungen übernommen werden?", "Apply the changes?");
  std::vector<std::pair<QString, unsigned>> asked;
  for (int answer : {6, 7, 2}) {
    SetMessageDlgHook([&](const QString& text, const QString& caption, unsigned type) {
      asked.emplace_back(text + "|" + caption, type);
      return answer;
    });
    EXPECT_EQ(
        TranslatedMessageDlg(Ansi("Sollen die Änderungen übernommen werden?"), mtConfirmation, mbYes | mbNo | mbCancel),
        answer);
  }
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].first, "Apply the changes?|Bestätigen");
  EXPECT_EQ(asked[0].second, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
  SetMessageDlgHook([&](const QString&, const QString& caption, unsigned type) {
    asked.emplace_back(caption, type);
    return 1;
  });
  EXPECT_EQ(TranslatedMessageDlg("x", mtError, mbOK), 1);
  EXPECT_EQ(asked.back(), std::make_pair(QString("Fehler"), unsigned(MB_OK | MB_ICONERROR)));
  TranslatedMessageDlg("x", mtWarning, mbYes | mbNo);
  EXPECT_EQ(asked.back().second, unsigned(MB_YESNO | MB_ICONWARNING));
}

TEST_F(Dialogs, TranslatedMessageDlgShowsTranslatedButtons) {
  AddEntry("Ja", "Yes");
  AddEntry("Nein", "No");
  QStringList labels;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    for (QPushButton* b : box->findChildren<QPushButton*>()) labels << b->text();
    for (QPushButton* b : box->findChildren<QPushButton*>())
      if (b->text() == "No") b->click();
  });
  EXPECT_EQ(TranslatedMessageDlg("Frage?", mtConfirmation, mbYes | mbNo), 7);
  labels.sort();
  EXPECT_EQ(labels, (QStringList{"No", "Yes"}));
}

TEST_F(Dialogs, InputQueryReturnsTheTextOnlyOnOk) {
  for (bool ok : {true, false}) {
    QTimer::singleShot(0, [ok] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(d, nullptr);
      auto* edit = d->findChild<QLineEdit*>();
      EXPECT_EQ(edit->maxLength(), 255);
      EXPECT_EQ(edit->selectedText(), "Alt");
      edit->setText("Neu");
      for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text() == (ok ? "OK" : "Abbruch")) b->click();
    });
    QString value = "Alt";
    EXPECT_EQ(InputQuery("Name", "Neuer Name:", value), ok);
    EXPECT_EQ(value, ok ? "Neu" : "Alt");
  }
}

TEST_F(Dialogs, AddressComboCentringAndDeleteConfirmation) {
  QComboBox combo;
  std::vector<uint8_t> flags(256, 0);
  flags[1] = 1;
  flags[5] = 1;
  FillFreeAddressCombo(flags, "M", &combo, 5, 255, 0);
  EXPECT_EQ(combo.count(), 255);  // address 1 is taken, 5 is the current one
  EXPECT_EQ(combo.itemText(1), "M.002");
  EXPECT_EQ(combo.currentText(), "M.005");
  FillFreeAddressCombo(std::vector<uint8_t>(32, 1), "Uhr", &combo, 40, 31, 0);
  EXPECT_EQ(combo.count(), 0);
  EXPECT_EQ(combo.currentIndex(), -1);

  QWidget window;
  window.setGeometry(100, 100, 400, 300);
  auto* control = new QWidget(&window);
  control->setGeometry(50, 40, 201, 101);
  window.show();
  QWidget form;
  form.resize(100, 50);
  CenterFormOnControl(&form, control);
  const QPoint c = control->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(form.pos(), c + QPoint(50, 25));

  int asked = 0;
  SetMessageDlgHook([&](const QString&, const QString&, unsigned) {
    ++asked;
    return 7;
  });
  EXPECT_FALSE(ConfirmDelete(Ansi("Soll der Merker gelöscht werden?"), 0));  // option on (default)
  SetBoolOption(boConfirmDelete, false);
  EXPECT_TRUE(ConfirmDelete("x", 0));  // neither option nor count: no question
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(ConfirmDelete("x", 3));
  EXPECT_EQ(asked, 2);

  EXPECT_EQ(GetBitmapResourceSize("EXPAND_H"), Rect(0, 0, 12, 41));
  EXPECT_EQ(GetBitmapResourceSize("collaps_h"), Rect(0, 0, 41, 12));
  EXPECT_EQ(GetBitmapResourceSize("VERBINDUNG_FEHLT"), TRect{});

  SetMainFormCursor(Qt::WaitCursor);  // without a main window: nothing happens
  QMainWindow main;
  SetMainFormCursor(Qt::WaitCursor);
  EXPECT_EQ(main.cursor().shape(), Qt::WaitCursor);
  SetMainFormCursor(Qt::ArrowCursor);
  EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Dialogs, TreeHelpers) {
  QTreeWidget tree;
  int a = 0, b = 0;
  TZYNSubFunction sub;
  sub.Name.SetText("Licht");
  auto* group = new QTreeWidgetItem(&tree, QStringList{"Eingänge"});
  auto* na = new QTreeWidgetItem(group, QStringList{"Taster"});
  SetNodeData(na, &a);
  auto* nb = new QTreeWidgetItem(&tree, QStringList{"Eingänge"});
  SetNodeData(nb, &b);
  auto* ns = new QTreeWidgetItem(&tree, QStringList{"Funktion"});
  SetNodeData(ns, &sub);
  EXPECT_EQ(FindGroupNodeIndex(&tree, "Eingänge"), 0);
  EXPECT_EQ(FindGroupNodeIndex(&tree, "eingänge"), -1);
  EXPECT_EQ(FindDataNodeByText(&tree, "Eingänge"), nb);
  EXPECT_EQ(IndexOfNodeData(&tree, &b), 2);
  EXPECT_EQ(FindNodeByData(&tree, &a), na);
  EXPECT_EQ(FindSubFunctionNode(&tree, "Licht"), ns);
  EXPECT_EQ(FindSubFunctionNode(&tree, "Taster"), nullptr);
  QTreeWidgetItem* child = FindOrAddChildNode(&tree, &a, "Kanal 1");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->parent(), na);
  EXPECT_EQ(FindOrAddChildNode(&tree, &a, "Kanal 1"), child);  // found, not added again
  EXPECT_EQ(na->childCount(), 1);
  EXPECT_EQ(FindOrAddChildNodeIndex(&tree, &a, "Kanal 1"), 2);
  EXPECT_EQ(NodeAt(&tree, 2), child);
  int none = 0;
  EXPECT_EQ(FindOrAddChildNode(&tree, &none, "x"), nullptr);
  EXPECT_EQ(FindOrAddChildNodeIndex(&tree, &none, "Eingänge"), 0);
  EXPECT_EQ(FindOrAddChildNodeIndex(&tree, &none, "fehlt"), -1);
}

TEST_F(Dialogs, LogicConflictsListBoldLinesAndModes) {
  EXPECT_EQ(ShowLogicConflicts({}, 5), 1);
  TFrmLgkonflikt ignoring(nullptr, 5);
  EXPECT_FALSE(ignoring.BtnIgnore->isHidden());
  TFrmLgkonflikt dialog(nullptr, 0);
  EXPECT_TRUE(dialog.BtnIgnore->isHidden());
  EXPECT_FALSE(dialog.BtnIgnore->isEnabled());
  dialog.AddLine("\\bTool Licht");
  dialog.AddLine(Ansi("Ausgang doppelt belegt"));
  QTextBlock first = dialog.ME->document()->firstBlock();
  EXPECT_EQ(first.text(), "Tool Licht");
  EXPECT_EQ(first.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(first.next().text(), "Ausgang doppelt belegt");
  EXPECT_EQ(first.next().begin().fragment().charFormat().fontWeight(), QFont::Normal);

  for (int mode : {0, 5}) {
    QTimer::singleShot(0, [mode] {
      auto* d = qobject_cast<TFrmLgkonflikt*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      (mode == 5 ? d->BtnIgnore : d->BtnCancel)->click();
    });
    EXPECT_EQ(ShowLogicConflicts({"\\bKonflikt"}, mode), mode == 5 ? 1 : 2);
  }
}

TEST_F(Dialogs, BrandingSplashAndAbout) {
  EXPECT_EQ(GetSplashBitmap().size(), QSize(410, 246));
  EXPECT_EQ(GetAboutBitmap().size(), QSize(473, 306));
  EXPECT_EQ(GetConfigBitmap().width(), 150);
  EXPECT_FALSE(GetMainIcon().isNull());
  TInternetItem defaults;
  defaults.SetDefaults({});
  EXPECT_EQ(GetHomepage(), defaults.WWWAddress);
  EXPECT_EQ(GetUpdateFTP(), defaults.FTPAddress);

  TzsVersionInfoResource vi;
  const QString version = QString("Version: %1.%2").arg(vi.FileVersion().GetPart(0)).arg(vi.FileVersion().GetPart(1));
  TSplash splash;
  splash.show();
  EXPECT_EQ(splash.Label1->text(), version);
  EXPECT_FALSE(splash.Label2->isVisible());
  EXPECT_EQ(splash.Label1->palette().color(QPalette::WindowText), ToQColor(GetSplashColor()));
  EXPECT_EQ(splash.size(), QSize(410, 246));

  AddEntry("Version:", "Versie:");
  TFrmAbout about;
  about.show();
  EXPECT_TRUE(about.Label3->text().startsWith("Versie: "));
  EXPECT_FALSE(about.Label4->isVisible());
  EXPECT_FALSE(about.Image1->pixmap().isNull());
  about.Button1->click();
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

// The forms' version information fills their labels: the splash's version label while it is made
// (the file version text) and, once shown, major.minor; the about box's product label with the
// product name translated. Version data given to the form's own version information reaches its
// labels: they are attached to it, not written once.
TEST_F(Dialogs, SplashAndAboutLabelsAreFilledByTheirVersionInformation) {
  TVersionResource other;
  other.Fixed.FileVersionMS = (9u << 16) | 7u;
  other.Fixed.FileVersionLS = (1u << 16) | 3u;
  other.Translations.push_back({0x0407, 0x04E4});
  other.StringTables["040704e4"] = {{"FileVersion", "9.7.1.3"}, {"ProductName", "Testprodukt"},
                                    {"CompanyName", "Testfirma"}};
  const TzsVersionInfoResource own;
  ASSERT_FALSE(own.ProductName().empty());
  ASSERT_FALSE(own.FileVersion().GetAsString().empty());

  AddEntry("Version:", "Versie:");
  {
    TSplash splash;
    EXPECT_EQ(splash.Label1->text().toStdString(), "Versie: " + own.FileVersion().GetAsString());
    splash.VI.LoadFromResource(other);
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("Versie: 9.7.1.3"));
    splash.show();
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("Versie: 9.7"));
  }

  AddEntry(own.ProductName().c_str(), "Produkt vertaald");
  AddEntry(own.CompanyName().c_str(), "Bedrijf vertaald");
  TFrmAbout about;
  EXPECT_EQ(about.Label1->text(), QStringLiteral("Produkt vertaald"));
  about.VI.LoadFromResource(other);
  EXPECT_EQ(about.Label1->text(), QStringLiteral("Testprodukt"));
  // Shown, the box reads the programme's own information again.
  about.show();
  EXPECT_EQ(about.Label1->text(), QStringLiteral("Produkt vertaald"));
  EXPECT_EQ(about.Label2->text(), QStringLiteral("Bedrijf vertaald"));
  EXPECT_EQ(about.Label3->text(), QStringLiteral("Versie: %1.%2").arg(own.FileVersion().GetPart(0)).arg(own.FileVersion().GetPart(1)));
  about.close();
}

}  // namespace
}  // namespace zyn
