// What reaches the bars when the system changes under them: a new application palette (the system
// colours) refreshes the manager's brushes, the colour sets and every bar window; a new application
// font (the system's menu font) reaches the manager's font; and the library's own texts, English
// on the demo form, pass through a translator a programme installs.

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "platform/Colors.h"
#include "platform/ExceptionHandler.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/Office11Colors.h"

#include <QApplication>
#include <QFontInfo>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace zyn {
namespace {

// Puts the application's palette back when the test ends.
class PaletteScope {
 public:
  PaletteScope() : fSaved(QApplication::palette()) {}
  ~PaletteScope() { QApplication::setPalette(fSaved); }

 private:
  QPalette fSaved;
};

QPalette GreenPalette() {
  QPalette p = QApplication::palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Button, QColor(0x30, 0x90, 0x50));
    p.setColor(group, QPalette::Window, QColor(0x30, 0x90, 0x50));
    p.setColor(group, QPalette::Dark, QColor(0x10, 0x40, 0x20));
  }
  return p;
}

TEST(BarSystemChanges, APaletteChangeRefreshesTheBrushesColourSetsAndRepaintsEveryBar) {
  test::BarDemoWindow demo;
  demo.Manager->SetStyle(bmsEnhanced);
  demo.Form.show();
  QApplication::processEvents();
  TzbBarControl* window = demo.WindowOf(demo.Toolbars[0]);
  ASSERT_NE(window, nullptr);
  const QRgb before = test::DominantColor(window->Widget()->grab().toImage());
  EXPECT_EQ(before, ToQColor(clBtnFace).rgb());
  const TColor shadowBrush = demo.Manager->BrushColor(1);
  const TColor office = Office11Colors().Office11DockColor1;
  const int repaints = demo.Manager->RepaintCount;
  int lookAndFeelChanges = 0;
  demo.Manager->LookAndFeel().OnChanged = [&](TzxLookAndFeel&, TzxLookAndFeelValues values) {
    if (values & LookAndFeelBit(lfvNativeStyle)) ++lookAndFeelChanges;
  };
  {
    PaletteScope scope;
    QApplication::setPalette(GreenPalette());
    EXPECT_GT(demo.Manager->RepaintCount, repaints);
    EXPECT_EQ(demo.Manager->BrushColor(1), RGB(0x10 * 8 / 10, 0x40 * 8 / 10, 0x20 * 8 / 10));
    EXPECT_NE(demo.Manager->BrushColor(1), shadowBrush);
    // The Office 2003 colours follow the button face unless a colour scheme of the theme fixes them.
    EXPECT_EQ(Office11Colors().Office11DockColor1,
              Office11Colors().Office11XPScheme ? office : RGB(0x30, 0x90, 0x50));
    EXPECT_GE(lookAndFeelChanges, 1);
    // The toolbar shows the new button face (its picture was drawn before the change).
    EXPECT_EQ(test::DominantColor(window->Widget()->grab().toImage()), QColor(0x30, 0x90, 0x50).rgb());
  }
  demo.Manager->LookAndFeel().OnChanged = nullptr;
  EXPECT_EQ(test::DominantColor(window->Widget()->grab().toImage()), before);
}

TEST(BarSystemChanges, TheManagersFontFollowsTheSystemMenuFont) {
  test::BarDemoWindow demo;
  TzbBarManager& m = *demo.Manager;
  const QFont savedMenu = QApplication::font("QMenu");
  QFont menu(QStringLiteral("DejaVu Sans"));
  menu.setPixelSize(15);
  QApplication::setFont(menu, "QMenu");
  // Neither the system font nor scaled (the demo's settings): the font stays.
  demo.Screen->SystemFontChanged();
  EXPECT_EQ(QFontInfo(m.Font).pixelSize(), 11);
  // Scaled: the height follows, the face stays.
  m.SetScaled(true);
  EXPECT_EQ(QFontInfo(m.Font).pixelSize(), 15);
  menu.setPixelSize(13);
  QApplication::setFont(menu, "QMenu");
  demo.Screen->SystemFontChanged();
  EXPECT_EQ(QFontInfo(m.Font).pixelSize(), 13);
  // The system font: the menu font itself; a font set by the form ends it.
  QFont serif(QStringLiteral("DejaVu Serif"));
  serif.setPixelSize(12);
  QApplication::setFont(serif, "QMenu");
  m.SetUseSystemFont(true);
  EXPECT_EQ(m.Font.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_TRUE(m.UseSystemFont);
  m.SetFont(menu);
  EXPECT_FALSE(m.UseSystemFont);
  QApplication::setFont(savedMenu, "QMenu");
}

TEST(BarSystemChanges, ANewManagerTakesTheSystemMenuFont) {
  test::EnsureApplication();
  const QFont savedMenu = QApplication::font("QMenu");
  QFont serif(QStringLiteral("DejaVu Serif"));
  serif.setPixelSize(14);
  QApplication::setFont(serif, "QMenu");
  {
    QWidget form;
    TzbBarManager m(&form);
    EXPECT_TRUE(m.UseSystemFont);
    EXPECT_EQ(m.Font.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(QFontInfo(m.Font).pixelSize(), 14);
    // The form's own font ends it; with Scaled its height stays the menu font's.
    QFont own(QStringLiteral("DejaVu Sans"));
    own.setPixelSize(11);
    m.SetFont(own);
    EXPECT_FALSE(m.UseSystemFont);
    EXPECT_EQ(m.Font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(m.Font).pixelSize(), 14);
  }
  QApplication::setFont(savedMenu, "QMenu");
}

TEST(BarSystemChanges, TheRedrawLockStopsTheDocksDrawing) {
  test::BarDemoWindow demo;
  demo.Form.show();
  QApplication::processEvents();
  QWidget* top = demo.Screen->Dock(dsTop)->Widget();
  {
    const TzbBarLockScope lock(*demo.Manager);
    EXPECT_FALSE(top->updatesEnabled());
    {
      const TzbBarLockScope nested(*demo.Manager);
      EXPECT_FALSE(top->updatesEnabled());
    }
    EXPECT_FALSE(top->updatesEnabled());
  }
  EXPECT_TRUE(top->updatesEnabled());
}

// Without a handler of the manager an exception of a click goes to the application's handler, of
// whatever kind it is; it never reaches the caller (the event loop).
TEST(BarSystemChanges, AClickExceptionReachesTheApplicationsHandler) {
  test::BarDemoWindow demo;
  std::vector<std::string> shown;
  const TApplicationExceptionHandler previous =
      SetApplicationExceptionHandler([&](const std::string& message) { shown.push_back(message); });
  auto* item = demo.Manager->CreateItem<TzbBarButton>();
  item->OnClick = [](TzbBarItem&) { throw std::runtime_error("Kaputt"); };
  EXPECT_NO_THROW(item->Click());
  item->OnClick = [](TzbBarItem&) { throw 17; };
  EXPECT_NO_THROW(item->Click());
  demo.Manager->OnClickItem = [](TzbBarManager&, TzbBarItem&) { throw std::logic_error("Vorher"); };
  EXPECT_NO_THROW(item->Click());
  SetApplicationExceptionHandler(previous);
  EXPECT_EQ(shown, (std::vector<std::string>{"Kaputt", "", "Vorher"}));
}

// The demo form shows the library's texts as they are, in English; a translator the programme
// installs gets each text when it is shown.
TEST(BarSystemChanges, TheLibrarysTextsAreEnglishUntilATranslatorIsInstalled) {
  test::BarDemoWindow demo;
  demo.Manager->CanCustomize = true;
  TzbBarColorCombo colours(*demo.Manager);
  EXPECT_EQ(colours.Items()[0], "Black");
  EXPECT_EQ(BarText("&Customize..."), "&Customize...");
  demo.Screen->ShowToolbarsPopup(Point(100, 100));
  TzbBarItemLinks* popup = demo.Screen->ToolbarsPopupLinks();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Items(popup->Count() - 1)->Item()->Caption(), "&Customize...");
  TCustomzbBarControl::ActiveBarControl()->HideAll();

  const TzbBarTextTranslator previous =
      SetBarTextTranslator([](const std::string& english) { return english == "Black" ? "Noir" : "<" + english + ">"; });
  TzbBarColorCombo translated(*demo.Manager);
  EXPECT_EQ(translated.Items()[0], "Noir");
  EXPECT_EQ(BarQText("Are you sure you want to delete the '%s' toolbar?", QStringLiteral("X")),
            QStringLiteral("<Are you sure you want to delete the 'X' toolbar?>"));
  demo.Screen->ShowToolbarsPopup(Point(100, 100));
  popup = demo.Screen->ToolbarsPopupLinks();
  EXPECT_EQ(popup->Items(popup->Count() - 1)->Item()->Caption(), "<&Customize...>");
  TCustomzbBarControl::ActiveBarControl()->HideAll();
  SetBarTextTranslator(previous);
}

}  // namespace
}  // namespace zyn
