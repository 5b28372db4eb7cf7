// Golden images of the side bar as the main window shows it: the six groups with a project open
// (the first hidden, the second open), one item selected, one hot, one disabled, a hot group
// caption and the scroll-down button, in the XP look of the main window, the Flat default, and the
// Standard and W2K looks.
// Captions are left empty so that no text is drawn; the fonts, whose metrics size the captions,
// are DejaVu Sans at 11 pixels.
//
// Recipe: the PNG files in data/ were produced by this test itself with ZYN_UPDATE_GOLDEN=1
// (QT_QPA_PLATFORM=offscreen) and reviewed by eye; after a deliberate change of a look run it the
// same way and review the new images before committing them.

#include "BarTestSupport.h"
#include "SideBarTestSupport.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn {
namespace {

QImage PaintMainWindowSideBar(TzbsbPaintStyle style) {
  test::EnsureApplication();
  TzbSideBarImageList images(32, 32);
  TzbSideBar bar;
  bar.resize(120, 340);
  test::BuildSampleSideBar(bar, images, false);
  bar.SetPaintStyle(style);
  // The caption heights follow the font metrics: a fixed font of the base system keeps them.
  TFont font = bar.GroupFont();
  font.Font = QFont(QStringLiteral("DejaVu Sans"));
  font.Font.setPixelSize(11);
  bar.SetGroupFont(font);
  font.Color = bar.ItemFont().Color;
  bar.SetItemFont(font);
  bar.Groups()[0]->SetVisible(false);
  bar.SetActiveGroupIndex(0);
  TzbSideBarItems& items = bar.Groups()[1]->Items();
  bar.SelectItem(items[0]);
  bar.SetHotItem(items[1], false);
  items[2]->SetEnabled(false);
  bar.SetHotGroup(bar.Groups()[3], false);
  QImage image(bar.width(), bar.height(), QImage::Format_RGB32);
  image.fill(Qt::black);
  TCanvas canvas(&image);
  bar.PaintTo(canvas);
  return image;
}

void Compare(const QImage& actual, const char* name) { test::CompareWithGolden(actual, QString::fromLatin1(name)); }

TEST(SideBarGolden, MainWindowSideBarInTheXPLook) { Compare(PaintMainWindowSideBar(sbpsXP), "sidebar_xp"); }

TEST(SideBarGolden, MainWindowSideBarInTheFlatLook) { Compare(PaintMainWindowSideBar(sbpsFlat), "sidebar_flat"); }

TEST(SideBarGolden, MainWindowSideBarInTheStandardLook) {
  Compare(PaintMainWindowSideBar(sbpsStandard), "sidebar_standard");
}

TEST(SideBarGolden, MainWindowSideBarInTheW2KLook) { Compare(PaintMainWindowSideBar(sbpsW2K), "sidebar_w2k"); }

}  // namespace
}  // namespace zyn
