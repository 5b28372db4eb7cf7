// The graphic editor: drawing with the tools, the floating selection, the file commands and the
// monochrome BMP it saves.

#include "DesignerFixture.h"
#include "display/GrafikRules.h"
#include "display/ui/GrafikDialoge.h"
#include "display/ui/Grafikeditor.h"
#include "platform/MessageDlg.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace zyn::test {
namespace {

class GraphicEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureDesignerGlobals();
    ScriptMessages(shown, answers);
    editor = std::make_unique<TGraphicEditor>();
    editor->AskNewSize = [](int& w, int& h) {
      w = 40;
      h = 20;
      return true;
    };
    editor->NewCommand();
  }
  void TearDown() override {
    editor.reset();
    SetMessageDlgHook({});
  }
  int BlackPixels() const {
    int n = 0;
    for (int y = 0; y < editor->Document.height(); ++y)
      for (int x = 0; x < editor->Document.width(); ++x) n += qGray(editor->Document.pixel(x, y)) < 128;
    return n;
  }
  void Drag(QPoint from, QPoint to) {
    editor->MouseDown(from, Qt::LeftButton);
    editor->MouseMove(to, Qt::LeftButton);
    editor->MouseUp(to, Qt::LeftButton);
  }

  std::unique_ptr<TGraphicEditor> editor;
  std::vector<QString> shown;
  std::vector<int> answers;
};

TEST(GraphicEditorStart, OpensOnTheDisplaysGraphicAreaWithALiveOverview) {
  EnsureDesignerGlobals();
  TGraphicEditor editor;
  ASSERT_EQ(editor.Document.size(), QSize(240, 104));
  for (int y = 0; y < 104; ++y)
    for (int x = 0; x < 240; ++x) ASSERT_EQ(editor.Document.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
  EXPECT_FALSE(editor.Modified);
  EXPECT_TRUE(editor.FileName.empty());
  editor.show();
  editor.SetZoom(4);
  EXPECT_TRUE(editor.Overview->isVisible());
  // A line drawn shows in the overview at once, before anything is saved.
  editor.Tool = gtLinie;
  editor.MouseDown(QPoint(4 * 2, 4 * 3), Qt::LeftButton);
  editor.MouseMove(QPoint(4 * 20, 4 * 3), Qt::LeftButton);
  editor.MouseUp(QPoint(4 * 20, 4 * 3), Qt::LeftButton);
  const QImage& shown = editor.Overview->Picture();
  ASSERT_EQ(shown.size(), QSize(240, 104));
  int black = 0;
  for (int x = 0; x < 240; ++x) black += qGray(shown.pixel(x, 3)) < 128;
  EXPECT_EQ(black, 19);
  editor.SetZoom(1);
  EXPECT_FALSE(editor.Overview->isVisible());
  editor.Modified = false;  // no question on closing
}

TEST_F(GraphicEditorTest, RectangleShowsOnlyInTheViewWhileDragged) {
  ASSERT_EQ(editor->Document.size(), QSize(40, 20));
  EXPECT_FALSE(editor->Modified);
  editor->Tool = gtRechteck;
  editor->MouseDown(QPoint(2, 2), Qt::LeftButton);
  editor->MouseMove(QPoint(12, 8), Qt::LeftButton);
  EXPECT_TRUE(editor->RubberBand());
  EXPECT_EQ(BlackPixels(), 0);
  editor->MouseUp(QPoint(12, 8), Qt::LeftButton);
  EXPECT_FALSE(editor->RubberBand());
  EXPECT_EQ(BlackPixels(), 2 * 11 + 2 * 5);  // the outline of 11 x 7 pixels
  EXPECT_TRUE(editor->Modified);
  editor->UndoCommand();
  EXPECT_EQ(BlackPixels(), 0);
}

TEST_F(GraphicEditorTest, GridSnapsClicksAtZoomOne) {
  editor->SetGridText(QStringLiteral("10"));
  EXPECT_EQ(editor->GridStep, 10);
  editor->Tool = gtLinie;
  editor->MouseDown(QPoint(14, 4), Qt::LeftButton);
  EXPECT_EQ(editor->StartPt, QPoint(10, 0));
  editor->MouseUp(QPoint(15, 4), Qt::LeftButton);
  EXPECT_EQ(editor->EndPt, QPoint(20, 0));
  editor->SetGridText(QStringLiteral("abc"));
  EXPECT_EQ(editor->GridStep, 1);
}

TEST_F(GraphicEditorTest, FloodFillAndFreehandWithTheBackgroundColour) {
  editor->Tool = gtRechteck;
  Drag(QPoint(0, 0), QPoint(9, 9));
  editor->Tool = gtFuellen;
  editor->MouseDown(QPoint(5, 5), Qt::LeftButton);
  editor->MouseUp(QPoint(5, 5), Qt::LeftButton);
  EXPECT_EQ(BlackPixels(), 100);
  editor->Tool = gtFreihand;
  editor->MouseDown(QPoint(2, 5), Qt::RightButton);
  editor->MouseMove(QPoint(7, 5), Qt::RightButton);
  editor->MouseUp(QPoint(7, 5), Qt::RightButton);
  EXPECT_EQ(BlackPixels(), 94);  // the right button draws white
  editor->Tool = gtFarbe;
  editor->MouseDown(QPoint(20, 15), Qt::LeftButton);
  EXPECT_EQ(editor->Pen.color(), QColor(Qt::white));
}

TEST_F(GraphicEditorTest, SelectionFloatsScalesAndDrops) {
  editor->AskNewSize = [](int& w, int& h) {
    w = 240;
    h = 104;
    return true;
  };
  editor->NewCommand();
  editor->Tool = gtRechteck;
  Drag(QPoint(0, 0), QPoint(99, 49));
  editor->Tool = gtMarkieren;
  Drag(QPoint(0, 0), QPoint(100, 50));
  ASSERT_TRUE(editor->Selection.Active);
  EXPECT_EQ(editor->Selection.Image.size(), QSize(100, 50));
  EXPECT_EQ(BlackPixels(), 0);  // the picture under it is cleared
  editor->ScaleSelection(110);
  EXPECT_EQ(editor->Selection.Image.size(), QSize(110, 55));
  editor->ScaleSelection(90);
  EXPECT_EQ(editor->Selection.Image.size(), QSize(99, 50));
  editor->InvertSelection();
  editor->MirrorSelection(true);
  editor->DropSelection();
  EXPECT_FALSE(editor->Selection.Active);
  EXPECT_GT(BlackPixels(), 99 * 40);

  editor->SelectAll();
  editor->CutCommand();  // not moved: the picture is cleared where it lay
  EXPECT_EQ(BlackPixels(), 0);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(240, 104));
}

TEST_F(GraphicEditorTest, SavingWritesAOneBitBmpAndReadsItBack) {
  TempFolder folder("grafik");
  // A colour picture: yellow background, dark blue square.
  editor->Document.fill(QColor(255, 255, 0));
  for (int y = 5; y < 10; ++y)
    for (int x = 5; x < 10; ++x) editor->Document.setPixel(x, y, qRgb(0, 0, 128));
  editor->Modified = true;
  const std::string file = folder.File("bild");
  editor->AskSaveFile = [&] { return file; };
  ASSERT_TRUE(editor->SaveCommand());
  EXPECT_EQ(editor->FileName, file + ".bmp");
  EXPECT_FALSE(editor->Modified);
  EXPECT_EQ(BmpBitsPerPixel(FileBytes(file + ".bmp")), 1);
  EXPECT_EQ(BlackPixels(), 25);
  EXPECT_EQ(editor->Document.pixel(0, 0), qRgb(255, 255, 255));

  // Loaded again as it was written.
  editor->AskOpenFile = [&] { return file + ".bmp"; };
  editor->Document.fill(Qt::black);
  editor->Modified = true;
  answers = {IDNO};
  editor->LoadCommand();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Möchten Sie die Änderungen speichern?"));
  EXPECT_EQ(BlackPixels(), 25);

  // A file that cannot be written is named.
  shown.clear();
  EXPECT_FALSE(editor->SaveFile(folder.File("fehlt/bild.bmp")));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("fehlt/bild.bmp")));
}

TEST_F(GraphicEditorTest, CancelledNewKeepsThePictureAndForgetsItsFile) {
  editor->Tool = gtLinie;
  Drag(QPoint(0, 0), QPoint(30, 0));
  editor->FileName = "/irgendwo/bild.bmp";
  editor->AskNewSize = [](int&, int&) { return false; };
  answers = {IDNO};
  editor->NewCommand();
  EXPECT_EQ(editor->Document.size(), QSize(40, 20));
  EXPECT_EQ(BlackPixels(), 31);
  EXPECT_TRUE(editor->FileName.empty());
  EXPECT_FALSE(editor->Modified);
}

TEST_F(GraphicEditorTest, DeleteAnsweredNoKeepsThePicture) {
  editor->Tool = gtLinie;
  Drag(QPoint(0, 0), QPoint(30, 0));
  answers = {IDNO};
  editor->DeleteCommand();
  EXPECT_EQ(BlackPixels(), 31);
  answers = {IDYES};
  editor->DeleteCommand();
  EXPECT_EQ(BlackPixels(), 0);
}

TEST_F(GraphicEditorTest, ColourSwapAndBrighten) {
  editor->Document.fill(QColor(128, 128, 128));
  editor->Brighten();
  EXPECT_EQ(editor->Document.pixelColor(0, 0), QColor(192, 192, 192));
  editor->Brighten();
  EXPECT_EQ(editor->Document.pixelColor(0, 0), QColor(255, 255, 0));
  editor->ReplaceColour(QColor(255, 255, 0), Qt::black);
  EXPECT_EQ(BlackPixels(), 800);
}

TEST_F(GraphicEditorTest, NewPictureDialogAsksForBothValues) {
  TDateiNeu dialog;
  dialog.EWidth->setText(QStringLiteral("100"));
  dialog.accept();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral(" Bitte geben Sie Werte für Höhe und Breite der Grafik ein ! "));
  dialog.EHeight->setText(QStringLiteral("900"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.PictureWidth, 100);
  EXPECT_EQ(dialog.PictureHeight, 104);
  TDateiNeu max;
  max.RBMax->setChecked(true);
  EXPECT_EQ(max.EWidth->text(), QStringLiteral("240"));
  EXPECT_FALSE(max.EWidth->isEnabled());
}

}  // namespace
}  // namespace zyn::test
