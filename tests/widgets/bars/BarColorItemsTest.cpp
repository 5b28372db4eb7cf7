// The colour, font-name and image combos on the demo form's toolbar "Weitere Felder": values set
// by code and by keys, the drop-down list and the dialogs, the change events, and the pictures of
// the toolbar and of the open lists.

#include "widgets/bars/BarColorItems.h"

#include "BarDemoWindow.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "platform/QtText.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarTreeItems.h"

#include <QColorDialog>
#include <QDialog>
#include <QFontDialog>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace zyn {
namespace {

class MoreFields : public ::testing::Test {
 protected:
  MoreFields() {
    bar = demo.AddMoreFieldsBar();
    color = static_cast<TzbBarColorCombo*>(demo.Item("Farbe"));
    font = static_cast<TzbBarFontNameCombo*>(demo.Item("Schrift"));
    image = static_cast<TzbBarImageCombo*>(demo.Item("Symbol"));
    for (const char* name : {"Farbe", "Schrift", "Symbol"})
      static_cast<TzbBarWindowItem*>(demo.Item(name))->OnChange = [this](TzbBarItem& i) {
        events.push_back("Change:" + i.Name);
      };
  }
  ~MoreFields() override {
    TzbBarColorCombo::RunColorDialog = saveColor;
    TzbBarFontNameCombo::RunFontDialog = saveFont;
    TzbBarImageCombo::RunDialog = saveImage;
    RunSharedComboDialog = saveShared;
  }
  TzbBarComboControl* Control(const char* name) {
    return dynamic_cast<TzbBarComboControl*>(demo.ControlIn(demo.WindowOf(bar), name));
  }
  // Opens the list with a click (a combo without an edit box drops down wherever it is clicked).
  TzbBarComboControl* Open(const char* name) {
    TzbBarComboControl* c = Control(name);
    EXPECT_NE(c, nullptr);
    if (!c) return nullptr;
    demo.ClickControl(*c);
    QApplication::processEvents();
    EXPECT_TRUE(c->Focused());
    EXPECT_TRUE(c->DroppedDown());
    return c;
  }
  QListWidget* List(const char* name) { return static_cast<TzbBarCustomCombo*>(demo.Item(name))->ListBox(); }
  void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }

  test::BarDemoWindow demo;
  TzbBar* bar = nullptr;
  TzbBarColorCombo* color = nullptr;
  TzbBarFontNameCombo* font = nullptr;
  TzbBarImageCombo* image = nullptr;
  std::vector<std::string> events;
  decltype(TzbBarColorCombo::RunColorDialog) saveColor = TzbBarColorCombo::RunColorDialog;
  decltype(TzbBarFontNameCombo::RunFontDialog) saveFont = TzbBarFontNameCombo::RunFontDialog;
  decltype(TzbBarImageCombo::RunDialog) saveImage = TzbBarImageCombo::RunDialog;
  decltype(RunSharedComboDialog) saveShared = RunSharedComboDialog;
};

using Strings = std::vector<std::string>;

TEST_F(MoreFields, TheKindsAreRegisteredWithTheirControls) {
  for (const char* name : {"Farbe", "Schrift", "Symbol", "Raum", "Anzahl"})
    EXPECT_NE(demo.ControlIn(demo.WindowOf(bar), name), nullptr) << name;
  EXPECT_NE(dynamic_cast<TzbBarColorComboControl*>(Control("Farbe")), nullptr);
  EXPECT_NE(dynamic_cast<TzbBarImageComboControl*>(Control("Symbol")), nullptr);
  EXPECT_NE(dynamic_cast<TzbBarTreeViewComboControl*>(Control("Raum")), nullptr);
}

TEST_F(MoreFields, ColorTableAutomaticAndCustomColors) {
  TzbBarColorCombo c(*demo.Manager);
  EXPECT_EQ(c.ItemIndex(), 0);
  EXPECT_EQ(c.Color(), clBlack);
  EXPECT_EQ(c.Items().size(), 16u);
  EXPECT_EQ(c.Items()[2], "Green");
  EXPECT_EQ(c.Items()[15], "White");
  EXPECT_FALSE(c.ShowEditor());
  c.SetColor(clRed);
  EXPECT_EQ(c.ItemIndex(), 9);
  EXPECT_EQ(c.Text(), "Red");
  c.SetColor(clWindow);  // a system colour that is white in the palette
  EXPECT_EQ(c.ItemIndex(), 15);
  EXPECT_EQ(c.Color(), clWindow);
  c.SetColor(RGB(1, 2, 3));  // none of the table: no entry, the custom text in the edit part
  EXPECT_EQ(c.ItemIndex(), -1);
  EXPECT_EQ(c.ColorOfIndex(-1), RGB(1, 2, 3));
  EXPECT_FALSE(c.StoresDropDownCount());
  c.SetShowAutoColor(true);
  EXPECT_EQ(c.DropDownCount, 17);
  EXPECT_EQ(c.Items()[0], "(automatic)");
  c.SetColor(clRed);
  EXPECT_EQ(c.ItemIndex(), 10);
  c.SetColor(clWindowText);  // the automatic colour wins over black with the same RGB value
  EXPECT_EQ(c.ItemIndex(), 0);
  EXPECT_EQ(c.ColorOfIndex(0), clWindowText);
  c.SetShowAutoColor(false);
  EXPECT_EQ(c.DropDownCount, 16);
  EXPECT_EQ(c.ItemIndex(), 0);  // black
  c.DropDownCount = 10;
  c.SetShowAutoColor(true);
  EXPECT_EQ(c.DropDownCount, 10);
  EXPECT_TRUE(c.StoresDropDownCount());
  c.SetAutoColorText("Standard");
  EXPECT_EQ(c.Items()[0], "Standard");
  EXPECT_TRUE(c.StoresAutoColorText());
  EXPECT_FALSE(c.StoresCustomColorText());
  EXPECT_EQ(TzbBarColorComboControl::CustomButtonWidth(22), 18);
}

// The edit part (index -1) shows a custom colour in its box; a system colour of no fixed look
// gets no box.
TEST_F(MoreFields, TheEditPartOfACustomOrSystemColor) {
  auto boxPixel = [&](TColor colorValue) {
    color->SetColor(colorValue);
    QImage image(120, 20, QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Brush.Color = clWindow;
    canvas.FillRect(Rect(0, 0, 120, 20));
    color->PaintingInEdit = true;
    color->DrawItem(canvas, -1, Rect(0, 0, 120, 20), false);
    color->PaintingInEdit = false;
    return FromQColor(image.pixelColor(15, 2));  // above the text
  };
  EXPECT_EQ(boxPixel(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(color->ItemIndex(), -1);
  EXPECT_EQ(boxPixel(clInfoBk), clWhite);  // no box: the background
}

TEST_F(MoreFields, ColorByCodeAndByKeysFiresOneChange) {
  color->SetColor(clBlue);
  EXPECT_EQ(color->ItemIndex(), 12);
  EXPECT_EQ(events, Strings{"Change:Farbe"});
  events.clear();
  color->SetColor(clBlue);
  EXPECT_TRUE(events.empty());
  TzbBarComboControl* c = Open("Farbe");
  ASSERT_NE(c, nullptr);
  QTest::keyClick(c->Editor(), Qt::Key_Escape);  // closes the list, editing goes on
  EXPECT_FALSE(c->DroppedDown());
  ASSERT_TRUE(c->Focused());
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(c->GetText(), "Aqua");
  EXPECT_EQ(color->Color(), clBlue);  // not before Enter
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(color->Color(), clAqua);
  EXPECT_EQ(events, Strings{"Change:Farbe"});
}

TEST_F(MoreFields, ColorChosenInTheListAndEscCancels) {
  TzbBarComboControl* c = Open("Farbe");
  ASSERT_NE(c, nullptr);
  QListWidget* list = List("Farbe");
  ASSERT_TRUE(list && list->isVisible());
  EXPECT_EQ(list->currentRow(), 9);  // red
  EXPECT_EQ(list->count(), 16);
  QTest::keyClick(c->Editor(), Qt::Key_Down);  // goes to the list
  EXPECT_EQ(list->currentRow(), 10);
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(color->Color(), clRed);
  EXPECT_TRUE(events.empty());
  c = Open("Farbe");
  ASSERT_NE(c, nullptr);
  ClickRow(List("Farbe"), 4);
  EXPECT_EQ(color->Color(), clNavy);
  EXPECT_FALSE(List("Farbe")->isVisible());
  EXPECT_EQ(events, Strings{"Change:Farbe"});
}

TEST_F(MoreFields, TheCustomColorButtonOpensTheDialogOnTheCurrentColor) {
  std::vector<TColor> offered;
  TzbBarColorCombo::RunColorDialog = [&](TColor& c) {
    offered.push_back(c);
    c = RGB(10, 20, 30);
    return true;
  };
  auto* c = dynamic_cast<TzbBarColorComboControl*>(Control("Farbe"));
  ASSERT_NE(c, nullptr);
  const TRect button = c->CustomButtonRect();
  ASSERT_FALSE(IsRectEmpty(button));
  const TPoint p = demo.WindowOf(bar)->ClientToScreen(Point((button.Left + button.Right) / 2, button.Top + 2));
  demo.Click(QPoint(p.X, p.Y));
  EXPECT_EQ(offered, std::vector<TColor>{clRed});
  EXPECT_EQ(color->Color(), RGB(10, 20, 30));
  EXPECT_EQ(color->ItemIndex(), -1);
  EXPECT_EQ(events, Strings{"Change:Farbe"});
  // A click by code opens the dialog too; cancelled it changes nothing; an OnClick handler
  // replaces it.
  TzbBarColorCombo::RunColorDialog = [&](TColor& c) { return offered.push_back(c), false; };
  color->Click();
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_EQ(color->Color(), RGB(10, 20, 30));
  // Ctrl+Enter while the combo is edited presses the button too.
  TzbBarComboControl* edited = Open("Farbe");
  ASSERT_NE(edited, nullptr);
  QTest::keyClick(edited->Editor(), Qt::Key_Escape);
  QTest::keyClick(edited->Editor(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(offered.size(), 3u);
  color->OnClick = [](TzbBarItem&) {};
  color->Click();
  EXPECT_EQ(offered.size(), 3u);
  // A combo too narrow for the button (less than twice its width) has none.
  color->SetWidth(30);
  QApplication::processEvents();
  demo.Screen->LayoutForm();
  c = dynamic_cast<TzbBarColorComboControl*>(Control("Farbe"));
  demo.WindowOf(bar)->Widget()->repaint();
  EXPECT_TRUE(IsRectEmpty(c->CustomButtonRect()));
}

TEST_F(MoreFields, FontListHoldsTheInstalledFamiliesOnce) {
  const auto& items = font->Items();
  const auto it = std::find(items.begin(), items.end(), "DejaVu Sans");
  ASSERT_NE(it, items.end());
  EXPECT_TRUE(font->IsTrueType(static_cast<int>(it - items.begin())));
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                             [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }));
  EXPECT_EQ(std::adjacent_find(items.begin(), items.end()), items.end());
  EXPECT_EQ(font->Text(), "DejaVu Sans");
  EXPECT_EQ(font->Width(), 130);
  EXPECT_EQ(TzbBarFontNameCombo(*demo.Manager).Width(), 160);
}

TEST_F(MoreFields, FontChosenByKeysAndTypedNamesMustMatch) {
  TzbBarComboControl* c = Open("Schrift");
  ASSERT_NE(c, nullptr);
  const int start = font->ItemIndex();
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(font->ItemIndex(), start + 1);
  EXPECT_EQ(events, Strings{"Change:Schrift"});
  // While edited a text must name an entry: the entry's own spelling is taken.
  c = Control("Schrift");
  demo.ClickControl(*c);
  ASSERT_TRUE(c->Focused());
  font->SetText("dejavu sans mono");
  EXPECT_EQ(font->Text(), "DejaVu Sans Mono");
  font->SetText("Keine Schrift dieses Namens");
  EXPECT_EQ(font->Text(), "DejaVu Sans Mono");
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  ASSERT_FALSE(c->Focused());
  font->SetText("Keine Schrift dieses Namens");  // not edited: taken as it stands
  EXPECT_EQ(font->ItemIndex(), -1);
  std::string offered;
  TzbBarFontNameCombo::RunFontDialog = [&](std::string& family) {
    offered = family;
    family = "DejaVu Serif";
    return true;
  };
  font->Click();
  EXPECT_EQ(offered, "Keine Schrift dieses Namens");
  EXPECT_EQ(font->Text(), "DejaVu Serif");
}

TEST_F(MoreFields, ImageIndexesImagesAndStreaming) {
  TzbBarImageCombo c(*demo.Manager);
  c.SetItems({"A", "B"});
  EXPECT_EQ(c.ImageIndexes(0), -1);  // fresh entries have no image
  c.SetImageIndexes(0, 2);
  EXPECT_EQ(c.WriteImageIndexes(), (std::vector<int>{2, -1}));
  TzbBarImageCombo read(*demo.Manager);
  read.SetItems({"A", "B"});
  read.ReadImageIndexes({2, -1, 7});  // more values than entries: the rest is ignored
  EXPECT_EQ(read.WriteImageIndexes(), (std::vector<int>{2, -1}));
  read.SetItems({"C", "A", "B"});
  read.SetImageIndexes(0, 0);
  read.SetImageIndexes(2, 1);
  read.SetSorted(true);  // the pictures go with their entries
  EXPECT_EQ(read.Items(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(read.WriteImageIndexes(), (std::vector<int>{-1, 1, 0}));
  {
    TzbSideBarImageList list(16, 16);
    read.SetImages(&list);
    EXPECT_EQ(read.Images(), &list);
  }
  EXPECT_EQ(read.Images(), nullptr);  // the list went
  EXPECT_TRUE(image->ShowText());
  EXPECT_GE(Control("Symbol")->GetHeight(), 16 + 6);
  int h = 0;
  image->MeasureItem(0, h);
  EXPECT_GE(h, 18);
}

TEST_F(MoreFields, ImageChosenInTheListAndInTheDialog) {
  TzbBarComboControl* c = Open("Symbol");
  ASSERT_NE(c, nullptr);
  ClickRow(List("Symbol"), 2);
  EXPECT_EQ(image->Text(), "Dreieck");
  EXPECT_EQ(events, Strings{"Change:Symbol"});
  events.clear();
  image->DropDownCount = 8;
  EXPECT_EQ(image->DialogRows(), 3);
  int rows = 0;
  TzbBarImageCombo::RunDialog = [&](QDialog& d) {
    auto* list = d.findChild<QListWidget*>();
    rows = list->count();
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Select item"));
    list->setCurrentRow(0);
    return true;
  };
  image->Click();
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(image->ItemIndex(), 0);
  EXPECT_EQ(events, Strings{"Change:Symbol"});
  TzbBarImageCombo::RunDialog = [&](QDialog& d) {
    d.findChild<QListWidget*>()->setCurrentRow(1);
    return false;  // Cancel
  };
  image->Click();
  EXPECT_EQ(image->ItemIndex(), 0);
}

// The toolbar with every new field, and the open lists; the text drawn on them must stand out.
TEST_F(MoreFields, GoldenImages) {
  font->SetItems({"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"});
  font->SetText("DejaVu Serif");
  QApplication::processEvents();
  TzbBarControl* window = demo.WindowOf(bar);
  const QImage toolbar = window->Widget()->grab().toImage();
  test::CompareWithGolden(toolbar, QStringLiteral("more_fields_toolbar"));
  const QPoint origin = window->Widget()->mapToGlobal(QPoint(0, 0));
  // Where the text starts: behind the colour box, the font sign and the picture.
  const std::pair<const char*, int> texts[] = {
      {"Farbe", 32}, {"Schrift", 18}, {"Symbol", 22}, {"Raum", 24}, {"Anzahl", 4}};
  for (const auto& [name, indent] : texts) {
    const TzbBarItemControl* c = demo.ControlIn(window, name);
    const TRect r = demo.ScreenRectOf(*c);
    const QRect text(r.Left - origin.x() + indent, r.Top - origin.y() + 3, 30, r.Height() - 6);
    EXPECT_GE(test::TextContrast(toolbar, text), 4.5) << name;
  }
  for (const char* name : {"Farbe", "Schrift", "Symbol"}) {
    TzbBarComboControl* c = Open(name);
    ASSERT_NE(c, nullptr);
    QListWidget* list = List(name);
    ASSERT_TRUE(list->isVisible());
    const QImage shot = list->grab().toImage();
    test::CompareWithGolden(shot, QStringLiteral("more_fields_list_%1").arg(QString::fromLatin1(name).toLower()));
    const QRect row = list->visualItemRect(list->item(list->count() > 2 ? 2 : 0));
    EXPECT_GE(test::TextContrast(shot, QRect(row.left() + row.width() / 3, row.top(), row.width() / 2, row.height())),
              4.5)
        << name;
    QTest::keyClick(c->Editor(), Qt::Key_Escape);
    QTest::keyClick(c->Editor(), Qt::Key_Escape);
  }
}

// In a drop-down menu the custom colour button closes the menu before the dialog runs.
TEST_F(MoreFields, CustomColorButtonInADropDownMenu) {
  auto* settings = static_cast<TzbBarSubItem*>(demo.Item("Einstellungen1"));
  settings->ItemLinks().Add()->SetItem(color);
  bool menuOpenDuringDialog = true;
  TzbBarColorCombo::RunColorDialog = [&](TColor& c) {
    menuOpenDuringDialog = demo.MenuOf("Einstellungen1") != nullptr;
    c = clGreen;
    return true;
  };
  demo.ClickControl(*demo.MenuBarEntry("Einstellungen1"));
  TzbBarSubMenuControl* menu = demo.MenuOf("Einstellungen1");
  ASSERT_NE(menu, nullptr);
  auto* c = dynamic_cast<TzbBarColorComboControl*>(demo.ControlIn(menu, "Farbe"));
  ASSERT_NE(c, nullptr);
  menu->Widget()->repaint();
  const TRect button = c->CustomButtonRect();
  ASSERT_FALSE(IsRectEmpty(button));
  const TPoint p = menu->ClientToScreen(Point((button.Left + button.Right) / 2, button.Top + 2));
  demo.Click(QPoint(p.X, p.Y));
  EXPECT_FALSE(menuOpenDuringDialog);
  EXPECT_EQ(color->Color(), clGreen);
  EXPECT_EQ(events, Strings{"Change:Farbe"});
}

// The glyphs of the kinds and the two font signs, side by side on the button face.
TEST_F(MoreFields, GlyphsOfTheKinds) {
  EXPECT_FALSE(color->Glyph().isNull());
  EXPECT_FALSE(font->Glyph().isNull());
  EXPECT_FALSE(image->Glyph().isNull());
  EXPECT_FALSE(demo.Item("Raum")->Glyph().isNull());
  EXPECT_TRUE(ComboKindGlyph("spin").isNull());
  QImage sheet(6 * 18, 18, QImage::Format_RGB32);
  sheet.fill(ToQColor(clBtnFace));
  QPainter p(&sheet);
  int x = 1;
  for (const char* kind : {"color", "font", "image", "tree"}) {
    p.drawImage(x, 1, ComboKindGlyph(kind));
    x += 18;
  }
  for (bool trueType : {true, false}) {
    p.drawImage(x, 2, TzbBarFontNameCombo::TrueTypeSign(trueType));
    x += 18;
  }
  p.end();
  test::CompareWithGolden(sheet, QStringLiteral("more_fields_glyphs"));
}

// Every combo opens the same colour dialog: a custom colour added at one opening is offered at the
// next, also by another combo; the colour chosen becomes the combo's colour.
TEST_F(MoreFields, TheSharedColorDialogKeepsTheCustomColors) {
  std::vector<QDialog*> opened;
  std::vector<QColor> customAtOpening, currentAtOpening;
  RunSharedComboDialog = [&](QDialog& d) {
    auto& dialog = dynamic_cast<QColorDialog&>(d);
    opened.push_back(&d);
    customAtOpening.push_back(QColorDialog::customColor(0));
    currentAtOpening.push_back(dialog.currentColor());
    if (opened.size() > 1) return false;
    // The user adds a colour to the custom colours and takes it.
    QColorDialog::setCustomColor(0, Qt::white);
    dialog.setCurrentColor(QColor(12, 34, 56));
    QPushButton* add = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
      if (b->text().contains(QStringLiteral("Custom"))) add = b;
    EXPECT_NE(add, nullptr);
    if (add) add->click();
    return true;
  };
  const TColor before = color->Color();
  color->Click();
  EXPECT_EQ(color->Color(), RGB(12, 34, 56));
  EXPECT_EQ(color->ItemIndex(), -1);
  TzbBarColorCombo other(*demo.Manager);
  other.SetColor(clRed);
  other.Click();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], opened[1]);
  EXPECT_EQ(opened[0], &SharedColorDialog());
  EXPECT_EQ(currentAtOpening[0], ToQColor(before));
  EXPECT_EQ(currentAtOpening[1], ToQColor(clRed));  // each opening starts on the combo's colour
  EXPECT_EQ(customAtOpening[1], QColor(12, 34, 56));
  EXPECT_EQ(other.Color(), clRed);  // cancelled
}

// The font dialog keeps the size and style chosen last; each opening only names the combo's font.
TEST_F(MoreFields, TheSharedFontDialogKeepsSizeAndStyle) {
  const std::string first = "DejaVu Sans", second = "DejaVu Serif";  // both with a bold style
  const auto& names = font->Items();
  ASSERT_TRUE(std::count(names.begin(), names.end(), first) && std::count(names.begin(), names.end(), second));
  std::vector<QFont> offered;
  RunSharedComboDialog = [&](QDialog& d) {
    auto& dialog = dynamic_cast<QFontDialog&>(d);
    offered.push_back(dialog.currentFont());
    if (offered.size() > 1) return false;
    QFont chosen(ToQString(first));
    chosen.setPointSize(17);
    chosen.setBold(true);
    dialog.setCurrentFont(chosen);
    return true;
  };
  font->SetText(second);
  font->Click();
  EXPECT_EQ(font->Text(), first);
  font->SetText(second);
  font->Click();
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(FromQString(offered[0].family()), second);
  EXPECT_EQ(FromQString(offered[1].family()), second);
  EXPECT_EQ(offered[1].pointSize(), 17);
  EXPECT_TRUE(offered[1].bold());
  EXPECT_EQ(font->Text(), second);
}

}  // namespace
}  // namespace zyn
