// Rich text of pages: RTF in and out, the shared rich edits, and formatting onto a page.

#include "PrintTestSupport.h"
#include "model/base/Cp1252.h"
#include "print/GmOutput.h"
#include "print/GmPageList.h"
#include "print/GmRichText.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn {
namespace {

class RichText : public testing::Test {
 protected:
  void SetUp() override { test::EnsureGuiApp(); }
};

QTextCharFormat FormatAt(const QTextDocument& doc, int pos) {
  QTextCursor c(const_cast<QTextDocument*>(&doc));
  c.setPosition(pos + 1);
  return c.charFormat();
}

TEST_F(RichText, RtfOfAnotherWriterIsRead) {
  const std::string rtf = Ansi(
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Irgendein Editor;}\r\n"
      "\\viewkind4\\uc1\\pard\\f0\\fs20 Normal \\b fett\\b0  \\cf1 rot\\cf0\\par\r\n"
      "\\f1\\fs24 Zeile 2\\tab \\'e4\\'f6\\'fc \\u8364? Euro\\line neu \\{x\\}\\par\r\n}");
  TGmRichEdit edit;
  edit.StreamInRtf(rtf);
  EXPECT_EQ(edit.PlainText(), Ansi("Normal fett rot\r\nZeile 2\täöü € Euro\xE2\x80\xA8neu {x}\r\n"));
  const QTextDocument& doc = edit.Document();
  EXPECT_TRUE(FormatAt(doc, 8).font().bold());                           // "fett"
  EXPECT_FALSE(FormatAt(doc, 1).font().bold());                          // "Normal"
  EXPECT_EQ(FormatAt(doc, 13).foreground().color(), QColor(255, 0, 0));  // "rot"
  const int line2 = doc.begin().next().position();
  EXPECT_EQ(FormatAt(doc, line2 + 1).fontPointSize(), 12);
  EXPECT_TRUE(FormatAt(doc, line2 + 1).fontFamilies().toStringList().contains("Courier New"));
}

TEST_F(RichText, WrittenRtfReadsBackWithItsFormatting) {
  TGmRichEdit a;
  QTextCursor c(&a.Document());
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  bold.setFontPointSize(14);
  bold.setForeground(QColor(0, 0, 200));
  c.insertText(QString::fromUtf8("Überschrift {1}"), bold);
  c.insertBlock();
  QTextCharFormat plain;
  plain.setFontPointSize(10);
  plain.setFontItalic(true);
  c.insertText(QString::fromUtf8("Text mit\tTab und \\ Strich"), plain);
  const std::string rtf = a.GetRtf();
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);

  TGmRichEdit b;
  b.InsertRtf(rtf);
  EXPECT_EQ(b.PlainText(), a.PlainText());
  EXPECT_EQ(b.GetRtf(), rtf);
  EXPECT_TRUE(FormatAt(b.Document(), 1).font().bold());
  EXPECT_EQ(FormatAt(b.Document(), 1).foreground().color(), QColor(0, 0, 200));

  TGmRichEdit plainKind(false);
  plainKind.InsertRtf(rtf);
  EXPECT_EQ(plainKind.PlainText(), a.PlainText());
  EXPECT_FALSE(FormatAt(plainKind.Document(), 1).font().bold());

  // Streaming in at the selection: the second text follows the first.
  b.InsertRtf("{\\rtf1 !}");
  EXPECT_EQ(b.PlainText().back(), '!');
}

TEST_F(RichText, DamagedRtfEndsWithoutHarm) {
  for (const std::string& rtf :
       {std::string("{\\rtf1 offen"), std::string("}}}{\\b"), std::string(5000, '{') + "tief",
        std::string("{\\rtf1 \\'"), std::string("{\\rtf1 \\fs999999999999999 x\\u-99999999 y\\cf77 z}"),
        std::string("{\\rtf1{\\fonttbl{\\f0 ") + std::string(100000, 'A') + "}}\\f0 t}"}) {
    TGmRichEdit e;
    e.StreamInRtf(rtf);
    EXPECT_LE(e.CharCount(), 20) << rtf.substr(0, 30);
  }
}

TEST_F(RichText, RichEditsAreSharedAndStored) {
  TGmRichEditList list;
  int supplied = 0;
  list.OnNeedRichEdit = [&] {
    ++supplied;
    return std::make_unique<TGmRichEdit>();
  };
  TGmRichEdit source;
  source.InsertRtf("{\\rtf1 Inhalt}");
  TGmRichEdit* shared = list.Add(source);
  EXPECT_NE(shared, &source);
  EXPECT_EQ(shared->PlainText(), "Inhalt");
  EXPECT_EQ(list.Add(*shared), shared);
  EXPECT_EQ(list.RefCount(0), 2);
  EXPECT_EQ(supplied, 1);
  TGmRichEdit plain(false);
  plain.InsertRtf("{\\rtf1 schlicht}");
  list.Add(plain);

  TMemoryStream s;
  list.SaveToStream(s);
  s.SetPosition(0);
  TGmRichEditList back;
  back.LoadFromStream(s);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Item(0)->PlainText(), "Inhalt");
  EXPECT_EQ(back.Item(1)->PlainText(), "schlicht");
  list.Release(*shared);
  list.Release(*shared);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(RichText, PagesFormatTheirRichTextInItsRectangle) {
  TGmPageList pages;
  pages.AddPage();
  TGmRichEdit source;
  source.InsertRtf(
      Ansi("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Formatierter Text auf der Seite, lang genug, "
           "um in einem schmalen Rechteck mehrere Zeilen zu brauchen.\\par Zweiter Absatz}"));
  pages.GetPage(1)->SetRichText(source, 0, -1, gmInches, {1, 1, 3, 4});
  EXPECT_EQ(pages.Resources().RichEdits().Count(), 1);
  const QImage img = RenderPage(*pages.GetPage(1), 50);
  auto inked = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (img.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  };
  EXPECT_TRUE(inked(50, 50, 150, 200));
  EXPECT_FALSE(inked(0, 0, 50, img.height()));
  EXPECT_FALSE(inked(151, 0, img.width(), img.height()));
  EXPECT_FALSE(inked(0, 201, img.width(), img.height()));

  // A rectangle too small for the text tells where the rest begins.
  QImage small(300, 300, QImage::Format_RGB32);
  QPainter p(&small);
  const int rest = source.FormatRange(p, QRect(0, 0, 100, 20), 50, 50, 0, -1);
  EXPECT_GT(rest, 0);
  EXPECT_LT(rest, source.CharCount());

  // Stored with the pages and read back, the rich text replays identically.
  TMemoryStream s;
  pages.SaveToStream(s);
  s.SetPosition(0);
  TGmPageList back;
  back.LoadFromStream(s);
  EXPECT_TRUE(RenderPage(*back.GetPage(1), 50) == img);
}

}  // namespace
}  // namespace zyn
