#include "tests/support/AppFixture.h"
#include "tests/support/GoldenImage.h"
#include "widgets/common/BrowseDr.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/GPanel.h"
#include "widgets/common/Mkedit.h"
#include "widgets/common/Mkgrid.h"
#include "widgets/common/ScrollingListBox.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class SmallWidgets : public ::testing::Test {
 protected:
  void SetUp() override { test::EnsureApp(); }
};

TEST_F(SmallWidgets, GradientBands) {
  // black to RGB(0, 0, 200) over 100 pixels: bands of one pixel
  const auto fine = GradientBands(clBlack, RGB(0, 0, 200), 100);
  EXPECT_EQ(fine.front().Length, 1);
  EXPECT_EQ(fine.front().Color, clBlack);
  EXPECT_EQ(fine[99].Start, 99);
  // black to RGB(0, 0, 1): two bands of 100 pixels, the second empty
  const auto coarse = GradientBands(clBlack, RGB(0, 0, 1), 100);
  ASSERT_EQ(coarse.size(), 2u);
  EXPECT_EQ(coarse[0].Length, 100);
  EXPECT_EQ(coarse[0].Color, clBlack);
  EXPECT_EQ(coarse[1].Length, 0);
  EXPECT_EQ(coarse[1].Color, RGB(0, 0, 1));
  EXPECT_TRUE(GradientBands(clRed, clRed, 50).empty());
  EXPECT_TRUE(GradientBands(clRed, clBlue, 0).empty());
}

TEST_F(SmallWidgets, GradientPanel) {
  TGPanel panel;
  panel.SetBevelOuter(TBevelCut::bvNone);
  panel.resize(100, 20);
  panel.SetPercent(0);
  EXPECT_EQ(panel.Percent(), 1);
  panel.SetPercent(250);
  EXPECT_EQ(panel.Percent(), 100);
  panel.SetColor_1(clBlack);
  panel.SetColor_2(RGB(0, 0, 200));
  QImage img = panel.grab().toImage();
  EXPECT_EQ(FromQColor(img.pixelColor(0, 10)), clBlack);
  EXPECT_EQ(FromQColor(img.pixelColor(99, 10)), RGB(0, 0, 198));
  // equal colours leave the panel's own colour and still draw the caption
  panel.SetColor_2(clBlack);
  panel.SetColor(clYellow);
  panel.SetCaption("Titel");
  img = panel.grab().toImage();
  EXPECT_EQ(FromQColor(img.pixelColor(1, 1)), clYellow);
  // two parts: 50 % from black to white, then white to aqua
  panel.SetColor_2(clWhite);
  panel.SetPercent(50);
  panel.SetCaption("");
  img = panel.grab().toImage();
  EXPECT_EQ(FromQColor(img.pixelColor(50, 10)), clWhite);
  EXPECT_GT(GetRValue(FromQColor(img.pixelColor(49, 10))), 200);
  EXPECT_LT(GetRValue(FromQColor(img.pixelColor(99, 10))), 10);
  panel.SetCaption("Titel");
  panel.SetAlignment(TTextAlignment::taLeftJustify);
  EXPECT_EQ(panel.CaptionLeft(), 1);  // bevel width 1, no border
}

TEST_F(SmallWidgets, HintPanel) {
  TFourthHintPanel hint;
  hint.SetCaption("Sichern & Laden");
  EXPECT_EQ(hint.Caption(), "Sichern && Laden");
  const TRect before = hint.TextRect();
  EXPECT_EQ(before.Left, 4 + 16 + 3);
  EXPECT_EQ(before.Right, hint.width() - 4);
  hint.Options().SetRightBorder(10);
  EXPECT_EQ(hint.TextRect().Left, before.Left + 7);
  EXPECT_EQ(hint.TextRect().Right, before.Right);
  QImage custom(8, 8, QImage::Format_RGB32);
  custom.fill(Qt::red);
  hint.Options().SetCustomPanelImage(&custom);
  hint.Options().SetPanelImage(piCustom);
  hint.Options().SetCustomPanelImage(nullptr);  // nil keeps the previous picture
  EXPECT_EQ(hint.Options().ShownPicture().size(), QSize(8, 8));
  // the ampersand is shown as it is: the painted text is as wide as "Sichern & Laden"
  hint.Options().SetWordWrap(false);
  hint.resize(400, 36);
  const QImage img = hint.grab().toImage();
  EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromQColor(img.pixelColor(2, 2)), ColorToRGB(clInfoBk));
}

// A long hint wraps onto several lines beside its picture and is shortened only where the panel
// ends (the support request's hint, in a panel of three lines).
TEST_F(SmallWidgets, HintPanelWrapsALongHintOntoSeveralLines) {
  TFourthHintPanel hint;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  hint.setFont(font);
  hint.Options().SetPanelImage(piInformation);
  hint.Options().SetBackgroundColor(RGB(255, 255, 225));
  hint.Options().SetBorderColor(RGB(128, 128, 128));
  hint.Options().SetWordWrap(true);
  hint.SetCaption(
      "Sie können hiermit eine Support- Anfrage an ZORV senden. Je ausführlicher Sie Ihr Problem beschreiben, je "
      "schneller und sicherer kann Ihre Anfrage bearbeitet werden. Danach folgt noch ein Satz, der nicht mehr "
      "hineinpasst.");
  hint.resize(360, 56);
  const QImage img = hint.grab().toImage().convertToFormat(QImage::Format_RGB32);
  test::ExpectSameAsGolden(img, QStringLiteral(ZYN_TEST_DATA_DIR "/HintPanelWrapped.png"),
                           QStringLiteral("HintPanelWrapped"));
  // Dark text rows in the text area, gathered into bands parted by rows without text: one band a
  // line. The text stays inside its area.
  const TRect text = hint.TextRect();
  int bands = 0;
  bool inBand = false;
  for (int y = 1; y < img.height() - 1; ++y) {
    bool ink = false;
    for (int x = 1; x < img.width() - 1; ++x)
      if (img.pixelColor(x, y).lightness() < 90) {
        ink |= x >= text.Left;
        if (x >= text.Left) EXPECT_LT(x, text.Right) << "text right of its area at " << x << "," << y;
      }
    if (ink && !inBand) ++bands;
    inBand = ink;
  }
  EXPECT_EQ(bands, 3);
}

TEST_F(SmallWidgets, EditAndGrid) {
  TMKEdit edit;
  edit.SetAlignment(TTextAlignment::taRightJustify);
  EXPECT_TRUE(edit.alignment() & Qt::AlignLeft);
  edit.SetAlignment(TTextAlignment::taCenter);
  EXPECT_TRUE(edit.alignment() & Qt::AlignHCenter);
  edit.setText("abc");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(edit.text(), "abc");

  TMKGrid grid;
  grid.SetColCount(3);
  grid.SetColNames({"Nr", "A", "B", "C", "D"});
  EXPECT_EQ(grid.ColCount(), 5);
  grid.SetColNames({"Nr", "A"});
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.FixedCellText(2, 0), "");
  grid.SetAutoNumberRows(true);
  grid.SetAutoNumberStart(10);
  EXPECT_EQ(grid.FixedCellText(0, 1), "10");
  grid.SetCells(1, 1, "x");
  grid.SetCells(0, 2, "fest");
  grid.ClearCells();
  EXPECT_EQ(grid.Cells(1, 1), "");
  EXPECT_EQ(grid.Cells(0, 2), "fest");
  grid.SetAutoColWidth(true);
  EXPECT_EQ(grid.columnWidth(1), QFontMetrics(grid.font()).horizontalAdvance("A") + 4);
}

TEST_F(SmallWidgets, ScrollingListBoxFollowsTheWidestItem) {
  TScrollingListBox box;
  const QFontMetrics fm(box.font());
  int token = 7;
  box.AddItem("kurz", &token);
  box.AddItem("ein deutlich längerer Eintrag");
  box.InsertItem(0, "mittellang");
  EXPECT_EQ(box.HorizontalExtent(), fm.horizontalAdvance("ein deutlich längerer Eintrag") + 25);
  EXPECT_EQ(box.Object(1), &token);
  box.DeleteItem(2);
  EXPECT_EQ(box.HorizontalExtent(), fm.horizontalAdvance("mittellang") + 25);
  box.Clear();
  EXPECT_EQ(box.HorizontalExtent(), 0);
}

TEST_F(SmallWidgets, BrowseFlagsAndStatusText) {
  EXPECT_EQ(NormalizeBrowseOptions(bfIncludeURLs),
            TBrowseFlags(bfIncludeURLs | bfIncludeFiles | bfUseNewUI | bfEditBox | bfNewDialogStyle));
  EXPECT_EQ(ShellBrowseFlags(bfDirectoriesOnly | bfEditBox, true, false), 0x1u | 0x10u | 0x20u | 0x4u);
  EXPECT_EQ(ShellBrowseFlags(0, false, false), 0u);

  QTemporaryDir dir;
  const QString deep = dir.path() + "/Kunden/Meier/Projekte/Einfamilienhaus";
  ASSERT_TRUE(QDir().mkpath(deep));
  const QFontMetrics fm(QApplication::font());
  const int width = fm.horizontalAdvance("/.../Einfamilienhaus") + fm.horizontalAdvance("/tmp/...");
  const QString fitted = FitStatusText(deep, width, fm);
  EXPECT_TRUE(fitted.endsWith("/Einfamilienhaus")) << fitted.toStdString();
  EXPECT_TRUE(fitted.contains("...")) << fitted.toStdString();
  EXPECT_LE(fm.horizontalAdvance(fitted), width);
  const QString other = FitStatusText("kein Verzeichnis mit einem langen Namen", 60, fm);
  EXPECT_TRUE(other.endsWith("..."));
  EXPECT_LE(fm.horizontalAdvance(other), 60);
}

TEST_F(SmallWidgets, BrowseDialogCancelEmptiesTheSelection) {
  TzsBrowseDirectoryDlg dlg;
  dlg.Caption = "Visuprojekt erzeugen";
  dlg.StatusText = "Verzeichnis zur Projektablage wählen";
  dlg.Selection = QDir::tempPath();
  bool created = false;
  dlg.OnCreate = [&](TzsBrowseDirectoryDlg*) { created = true; };
  QTimer::singleShot(0, [] {
    if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      EXPECT_EQ(d->windowTitle(), "Visuprojekt erzeugen");
      d->reject();
    }
  });
  EXPECT_FALSE(dlg.Execute());
  EXPECT_TRUE(created);
  EXPECT_EQ(dlg.Selection, "");
}

TEST_F(SmallWidgets, BrowseDialogValidatesTypedNames) {
  TzsBrowseDirectoryDlg dlg;
  dlg.SetOptions(bfDirectoriesOnly | bfEditBox);
  QTemporaryDir dir;
  dlg.Selection = dir.path();
  QStringList failed;
  dlg.OnValidateFailed = [&](TzsBrowseDirectoryDlg*, const QString& typed, bool& cancel) {
    failed << typed;
    cancel = failed.size() > 1;  // the second attempt gives up
  };
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->selectFile(dir.path() + "/gibt_es_nicht");
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    EXPECT_TRUE(d->isVisible());  // the dialog stays open
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
  });
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(failed.size(), 2);
}

}  // namespace
}  // namespace zyn
