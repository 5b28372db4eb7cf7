// The main window as a new user meets it: the fold panel, keys in modal dialogs, where message
// boxes go, German standard dialogs and key names, the first start's system data, the status text
// and the recent-files list with and without path names.

#include "MainWindowFixture.h"
#include "model/Kennlinien.h"
#include "model/UniqueNames.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"
#include "platform/GermanQt.h"
#include "project/Global.h"
#include "shell/CommandPictures.h"
#include "shell/Translation.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/Bars.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/common/FoldPanel.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <QWindow>

#include <set>

namespace zyn::test {
namespace {

TEST_F(MainWindowTest, TheFoldArrowFoldsTheSideBarToALeftStripAndWidensThePageArea) {
  TMainForm form;
  form.resize(900, 600);
  form.show();
  QApplication::processEvents();
  ASSERT_EQ(form.FP->FoldStatus(), fsExpanded);
  const int pageWidth = form.FramePanel->width();
  const int sideHeight = form.FP->height();
  form.FP->GlyphClick();
  QApplication::processEvents();
  EXPECT_EQ(form.FP->FoldStatus(), fsCollapsed);
  EXPECT_LT(form.FP->width(), 40);                      // a strip at the left ...
  EXPECT_EQ(form.FP->height(), sideHeight);             // ... over the whole height, not a strip at the top
  EXPECT_GT(form.FramePanel->width(), pageWidth + 60);  // the pages take the room
  form.FP->GlyphClick();
  QApplication::processEvents();
  EXPECT_EQ(form.FP->FoldStatus(), fsExpanded);
  EXPECT_EQ(form.FramePanel->width(), pageWidth);
}

// Alt and a letter in a modal dialog (a child of the main window) belong to the dialog: the main
// window's menu bar is neither armed nor opened by them, and keys after the dialog closes open no
// menu either.
TEST_F(MainWindowTest, KeysInAModalDialogStayInTheDialog) {
  TMainForm form;
  form.show();
  QApplication::processEvents();
  bool popupWhileModal = false;
  QDialog dialog(&form);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QPushButton(QStringLiteral("&Weiter"), &dialog));
  layout->addWidget(new QPushButton(QStringLiteral("Abbrechen"), &dialog));
  const auto anyPopup = [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &form && w != &dialog && w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup) return true;
    return false;
  };
  QTimer::singleShot(0, &dialog, [&] {
    dialog.activateWindow();
    QWindow* window = dialog.windowHandle();
    QTest::keyPress(window, Qt::Key_Alt);
    QTest::keyClick(window, Qt::Key_W, Qt::AltModifier);
    QTest::keyRelease(window, Qt::Key_Alt, Qt::AltModifier);
    // A lone Alt tapped in the dialog, then the letter of "Einstellungen" and the key that opens it.
    QTest::keyPress(window, Qt::Key_Alt);
    QTest::keyRelease(window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(window, Qt::Key_E);
    QTest::keyClick(window, Qt::Key_Down);
    QApplication::processEvents();
    popupWhileModal = anyPopup();
    dialog.reject();
  });
  dialog.exec();
  EXPECT_FALSE(popupWhileModal);
  QApplication::setActiveWindow(&form);
  QTest::keyClick(form.windowHandle(), Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_FALSE(anyPopup()) << "the menu bar stayed armed after the dialog";
  EXPECT_TRUE(form.close());
}

// Message boxes go onto the main window, not onto whichever window is active; a modal dialog
// that is up is their parent.
TEST_F(MainWindowTest, MessageBoxesBelongToTheMainWindowOrTheModalDialog) {
  TMainForm form;
  form.show();
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QApplication::processEvents();
  EXPECT_EQ(DialogParent(), &form);
  QWidget* during = nullptr;
  QDialog dialog(&form);
  QTimer::singleShot(0, &dialog, [&] {
    during = DialogParent();
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(during, &dialog);
  EXPECT_TRUE(form.close());
}

// Qt's own dialogs speak German, and shortcuts read as the German keyboard names them.
TEST(GermanQt, FileDialogLabelsAndShortcutsAreGerman) {
  EnsureGlobals();
  ASSERT_TRUE(InstallGermanQtTranslations(*qApp)) << "Qt's German translations are not installed";
  QFileDialog dialog(nullptr, QStringLiteral("Öffnen"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  ASSERT_NE(lookIn, nullptr);
  EXPECT_FALSE(lookIn->text().contains(QStringLiteral("Look in")));
  EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText), QStringLiteral("Strg+N"));
  if (auto* translator = qApp->findChild<QTranslator*>(QStringLiteral("zynGermanQt"))) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  // The bar library names the keys itself.
  struct Case {
    TShortCut Key;
    const char* Text;
  };
  for (const Case& k :
       {Case{static_cast<TShortCut>('N' | scCtrl), "Strg+N"},
        Case{static_cast<TShortCut>(0x2E | scShift), "Umschalt+Entf"}, Case{static_cast<TShortCut>(0x71), "F2"}})
    EXPECT_EQ(ShortCutToText(k.Key), QString::fromUtf8(k.Text));
}

// The default system data holds the three standard curves: a fresh installation reads them and
// has nothing to report.
TEST(FirstStart, TheDefaultSystemDataHoldsTheStandardCurves) {
  TUniqueNames names;
  TZYNKennlinienListe curves;
  const TKennlinienLoad load = curves.LoadOrCreate(std::string(ZYN_BINARY_DIR) + "/data/system/Kennlinien.xml", names);
  EXPECT_EQ(load.Status, TKennlinienLoad::Loaded);
  EXPECT_TRUE(load.Message.empty()) << load.Message;
  EXPECT_EQ(curves.Count(), 3);
}

// A folder or a damaged file on the command line is named in the message with what is wrong.
TEST_F(MainWindowTest, AFolderOrADamagedFileOnTheCommandLineIsNamed) {
  TMainForm folder(TestHome());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("ist ein Ordner"))) << shown[0].toStdString();
  shown.clear();
  const std::string file = SaveSmallProject("beschaedigt.zpf");
  std::vector<uint8_t> bytes = ReadFileBytes(file);
  bytes.resize(bytes.size() / 2);
  WriteFileAtomic(file, bytes.data(), bytes.size());
  TMainForm damaged(file);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(shown.back().contains(QStringLiteral("beschaedigt.zpf"))) << shown.back().toStdString();
}

// A status text about a project goes with the project; the recent-files menu shows names only
// while "Pfadnamen anzeigen" is off.
TEST_F(MainWindowTest, StatusTextGoesWithTheProjectAndRecentFilesFollowThePathOption) {
  const std::string file = SaveSmallProject("status.zpf");
  TMainForm form(file);
  ASSERT_NE(GProjekt, nullptr);
  form.StatusBar1->Panel(0)->SetText(QStringLiteral("Projekt geprüft"));
  form.CloseProject();
  EXPECT_TRUE(form.StatusBar1->Panel(0)->Text().isEmpty());

  bool& showFolder = GOptionFile->Optionen().FileMenu->First().ShowFolder;
  const bool former = showFolder;
  const std::string entry = "/ein/langer/ordner/anlage.zpf";
  showFolder = false;
  EXPECT_EQ(form.MRU->GetDisplayText(entry), "anlage.zpf");
  showFolder = true;
  EXPECT_NE(form.MRU->GetDisplayText(entry).find("ordner"), std::string::npos);
  showFolder = former;
  EXPECT_TRUE(form.close());
}

constexpr QRgb kKey = 0xFFFF00FFu;  // the bar library's colour key

// Whether a pixel shows nothing: the colour key or fully transparent.
bool Clear(QRgb pixel) { return qAlpha(pixel) == 0 || (pixel | 0xFF000000u) == kKey; }

// The colours a picture shows.
std::set<QRgb> Colours(const QImage& picture) {
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (!Clear(picture.pixel(x, y))) colours.insert(picture.pixel(x, y) | 0xFF000000u);
  return colours;
}

// Every toolbar command and every side-bar entry has a real picture: shaded (many colours, not a
// flat tile), not blank, one of its own per command, the theme's icon where the freedesktop names
// one, and the key colour in the corner the glyph routine reads it from.
TEST_F(MainWindowTest, EveryToolbarCommandAndSideEntryHasARealPicture) {
  TMainForm form;
  ASSERT_TRUE(QIcon::hasThemeIcon(QStringLiteral("document-new"))) << "no icon theme found";
  const TPictureDef sheet{nullptr, TOwnPicture::Sheet, TPictureMark::NoMark};
  const QImage standIn = CommandGlyph(sheet, 16), sideStandIn = CommandPicture(sheet, 32);
  std::vector<std::pair<std::string, QImage>> seen;
  const auto check = [&](const std::string& name, const QImage& picture, const QImage& standIn) {
    const int size = standIn.width();
    ASSERT_EQ(picture.size(), QSize(size, size)) << name;
    EXPECT_GT(Colours(picture).size(), 8u) << name;
    EXPECT_TRUE(Clear(picture.pixel(0, size - 1))) << name;
    EXPECT_NE(picture, standIn) << name;
  };
  for (TzbBar* bar : form.Toolbars)
    for (int i = 0; i < bar->ItemLinks().Count(); ++i) {
      TzbBarItem* item = bar->ItemLinks().Items(i)->Item();
      check(item->Name, item->Glyph(), standIn);
      for (const auto& [other, picture] : seen) EXPECT_NE(item->Glyph(), picture) << item->Name << " = " << other;
      seen.emplace_back(item->Name, item->Glyph());
    }
  EXPECT_GE(seen.size(), 20u);
  // "Neu..." comes from the theme: it differs from what we would draw without one.
  EXPECT_NE(form.Item("Neu1")->Glyph(), standIn);
  ASSERT_EQ(form.SideImages->Count(), 27);
  for (int i = 0; i < form.SideImages->Count(); ++i)
    check("side " + std::to_string(i), form.SideImages->Image(i), sideStandIn);
  EXPECT_TRUE(form.close());
}

// Our own drawings stand in when the theme lacks an icon: none of them is blank or like another.
TEST(CommandPictures, OwnDrawingsAreShadedAndDistinct) {
  EnsureGlobals();
  std::vector<QImage> pictures;
  for (TOwnPicture own :
       {TOwnPicture::Sheet, TOwnPicture::ControlModule, TOwnPicture::BusModule, TOwnPicture::BlindClock,
        TOwnPicture::BasicProgram, TOwnPicture::FunctionProgram, TOwnPicture::DisplayProgram, TOwnPicture::Curve}) {
    const QImage picture = CommandGlyph({"zyn-no-such-icon", own, TPictureMark::NoMark}, 16);
    EXPECT_GT(Colours(picture).size(), 8u) << static_cast<int>(own);
    for (const QImage& other : pictures) EXPECT_NE(picture, other) << static_cast<int>(own);
    pictures.push_back(picture);
  }
}

}  // namespace
}  // namespace zyn::test
