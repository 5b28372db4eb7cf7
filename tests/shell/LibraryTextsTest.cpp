#include "platform/LibraryTexts.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "shell/BarLibraryTexts.h"
#include "tests/support/AppFixture.h"
#include "widgets/controls/ZCLCustomEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class LibraryTexts : public test::AppTest {
 protected:
  void SetUp() override {
    GLanguageFile.reset();
    fPrevious = SetLibraryTextTranslator({});
  }
  void TearDown() override {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    SetLibraryTextTranslator(fPrevious);
    GLanguageFile.reset();
  }

  // Right-clicks an edit holding a selection and answers the lines of the menu that opens, joined
  // by "|" ("-" a separator, " (aus)" after a disabled line).
  static std::string ContextMenu() { return ContextMenuLines().join(QLatin1Char('|')).toStdString(); }
  static QStringList ContextMenuLines() {
    QWidget window;
    auto* edit = new TZCLEdit(&window);
    edit->setGeometry(10, 10, 160, 24);
    window.resize(200, 60);
    window.show();
    edit->SetText(QStringLiteral("Schaltuhr"));
    edit->SetSelStart(1);
    edit->SetSelLength(4);
    QApplication::clipboard()->setText(QStringLiteral("Ablage"));
    QTest::mouseClick(edit, Qt::RightButton, {}, QPoint(20, 12));
    QMenu* menu = nullptr;
    if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }))
      return {"(kein Menü)"};
    QStringList lines;
    for (QAction* a : menu->actions())
      lines << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isEnabled() ? "" : " (aus)"));
    menu->close();
    return lines;
  }

  TLibraryTextTranslator fPrevious;
};

TEST_F(LibraryTexts, EditContextMenuSpeaksGermanUnderTheProgrammesTexts) {
  InstallBarLibraryTexts();
  EXPECT_EQ(ContextMenu(), "&Rückgängig (aus)|-|&Ausschneiden|&Kopieren|&Einfügen|&Löschen|-|Alles markieren");
}

TEST_F(LibraryTexts, EditContextMenuPassesTheTranslationTable) {
  GLanguageFile = std::make_unique<TLanguageFile>();
  TLanguageEntry* e = GLanguageFile->Container().Add();
  e->Native = "Alles markieren";
  e->Translated = "Select everything";
  e = GLanguageFile->Container().Add();
  e->Native = Ansi("&Einfügen");
  e->Translated = "&Insert";
  InstallBarLibraryTexts();
  const QStringList lines = ContextMenuLines();
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[4], "&Insert");
  EXPECT_EQ(lines[7], "Select everything");
  EXPECT_EQ(lines[3], "&Kopieren");  // no row in the table: the German text
}

TEST_F(LibraryTexts, WithoutTheProgrammesTextsTheLibraryKeepsItsOwn) {
  EXPECT_EQ(ContextMenu(), "&Undo (aus)|-|&Cut|&Copy|&Paste|&Delete|-|Select all");
}

}  // namespace
}  // namespace zyn
