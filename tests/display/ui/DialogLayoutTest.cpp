// The designer's dialogs at their natural size: wide enough for their titles, no caption or
// button cut, no gaps between a page's fields, and each one as its golden picture (drawn in the
// Fusion style with the classic palette and DejaVu Sans 11 px).

#include "DesignerFixture.h"
#include "DisplayFixtures.h"
#include "display/DisplayProjekt.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "display/ui/FrameDispBearb.h"
#include "display/ui/GrafikDialoge.h"
#include "display/ui/VarEigenschaften.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "tests/support/Files.h"
#include "tests/support/GoldenImage.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace zyn::test {
namespace {

class DialogLayoutTest : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    fStyle = QApplication::style()->name();
    fPalette = QApplication::palette();
    fFont = QApplication::font();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(ClassicPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
  }
  void TearDown() override {
    QApplication::setFont(fFont);
    QApplication::setPalette(fPalette);
    QApplication::setStyle(QStyleFactory::create(fStyle));
    DesignerTest::TearDown();
  }

 private:
  QString fStyle;
  QPalette fPalette;
  QFont fFont;
};

QImage Render(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(QColor(0xD4, 0xD0, 0xC8));
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

// Lays the dialog out at its natural size and checks it: the title fits, and no caption of a
// label or button is narrower than the caption needs.
void ExpectNaturalSize(QDialog& dialog, const char* name) {
  SCOPED_TRACE(name);
  dialog.ensurePolished();
  if (dialog.layout()) dialog.layout()->activate();
  dialog.adjustSize();
  EXPECT_GE(dialog.width(), TitleWidth(dialog.windowTitle()));
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&dialog)) continue;
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
    // Only what the dialog's own page shows: widgets of hidden tab pages lie at no size.
    if (w->width() == 0) continue;
    const QString caption = qobject_cast<QLabel*>(w)           ? qobject_cast<QLabel*>(w)->text()
                            : qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                                : QString();
    if (caption.isEmpty()) continue;
    EXPECT_GE(w->width(), w->sizeHint().width()) << caption.toStdString();
    EXPECT_GE(w->height(), w->minimumSizeHint().height()) << caption.toStdString();
  }
}

TEST_F(DialogLayoutTest, DesignerDialogsAtTheirNaturalSize) {
  TText* text = AddText(Start(), "Licht 1", 0, 0);
  TZustandVar* variable = AddStateVariable(Start(), 0, 2, 0);
  TLine* line = AddLine(Start(), 10, 50, 40, 1);
  Display().RebuildReferences();
  Display().RebuildNavigation();
  TDisplay& d = Designer();

  const std::vector<std::pair<const char*, std::function<std::unique_ptr<QDialog>()>>> dialogs = {
      {"dialog_key_label", [] { return std::make_unique<TBName>(); }},
      {"dialog_rename", [] { return std::make_unique<TFrmRenameScreen>(QStringLiteral("Startbildschirm")); }},
      {"dialog_delete_objects", [&] { return std::make_unique<TDelObjects>(*d.View); }},
      {"dialog_new_screen",
       [&] { return std::make_unique<TNewScreenOptions>(d.Verwaltung, Display(), nullptr); }},
      {"dialog_function_keys", [&] { return std::make_unique<TEditButtons>(Display(), Start()); }},
      {"dialog_new_pair", [] { return std::make_unique<TZustNeu>(); }},
      {"dialog_state_pairs", [&] { return std::make_unique<TPEinstellungen>(Display()); }},
      {"dialog_line", [&] { return std::make_unique<TDlgNewLine>(*line); }},
      {"dialog_sonderzeichen", [] { return std::make_unique<TSZeichen>(); }},
      {"dialog_text", [&] { return std::make_unique<TTextedit>(Display(), Start(), *text); }},
      {"dialog_variable", [&] { return std::make_unique<TVarOptionen>(Display(), Start(), *variable); }},
      {"dialog_new_picture", [] { return std::make_unique<TDateiNeu>(); }},
  };
  for (const auto& [name, make] : dialogs) {
    std::unique_ptr<QDialog> dialog = make();
    ExpectNaturalSize(*dialog, name);
    ExpectGolden(Render(*dialog), name);
  }
}

TEST_F(DialogLayoutTest, TheTextDialogKeepsItsFieldsTogether) {
  TText* text = AddText(Start(), "Licht 1", 0, 0);
  TTextedit dialog(Display(), Start(), *text);
  ExpectNaturalSize(dialog, "text");
  // The check box follows the text edit and the key group follows the check box at the layout's
  // spacing, however tall the other tabs make the page.
  const int spacing = 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) + 4;
  EXPECT_LE(dialog.CBAddScreen->geometry().top() - dialog.EText->geometry().bottom(), spacing);
  EXPECT_LE(dialog.CBKey[0]->parentWidget()->geometry().top() - dialog.CBAddScreen->geometry().bottom(), spacing);
}

TEST_F(DialogLayoutTest, TheGraphicChooserStartsInTheGraphicsFolderAndTakesATypedPath) {
  TempFolder folder;
  QDir().mkpath(QString::fromStdString(folder.File("Grafiken")));
  QImage picture(8, 4, QImage::Format_Mono);
  picture.fill(1);
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.File("Grafiken/pfeil.bmp")), "BMP"));
  ASSERT_TRUE(GOptionFile && GOptionFile->Optionen().Path);
  TPathItem& paths = GOptionFile->Optionen().Path->First();
  const std::string before = paths.GfxPath;
  paths.GfxPath = folder.File("Grafiken");
  {
    TLadenDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Grafik zum Einfügen auswählen"));
    FitTitle(&dialog);
    ExpectNaturalSize(dialog, "chooser");
    EXPECT_EQ(dialog.Folder(), QString::fromStdString(folder.File("Grafiken")));
    EXPECT_EQ(dialog.EPath->text(), QString::fromStdString(folder.File("Grafiken")));
    // A folder typed in is shown; a file typed in (relative to the folder shown) is chosen.
    dialog.EPath->setText(QString::fromStdString(folder.Dir().string()));
    dialog.accept();
    EXPECT_EQ(dialog.Folder(), QString::fromStdString(folder.Dir().string()));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.EPath->setText(QStringLiteral("Grafiken/pfeil.bmp"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFile(), folder.File("Grafiken/pfeil.bmp"));
  }
  paths.GfxPath = before;
}

TEST_F(DialogLayoutTest, TheDisplayAddressSwitchKeepsItsSize) {
  TFrDispBearb page;
  page.resize(700, 300);
  page.show();
  page.FrameActivate();
  QApplication::processEvents();
  auto* dip = page.findChild<TZYNDipswitch*>(QStringLiteral("Dip"));
  ASSERT_NE(dip, nullptr);
  EXPECT_EQ(dip->size(), QSize(110, 50));
  EXPECT_EQ(dip->DipCount(), 5);
  EXPECT_EQ(dip->CounterStart(), 0);
  ExpectGolden(dip->grab().toImage(), "display_address_switch");
}

}  // namespace
}  // namespace zyn::test
