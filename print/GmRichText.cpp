#include "print/GmRichText.h"

#include "model/base/Cp1252.h"
#include "model/base/Streams.h"
#include "print/GmFuncs.h"
#include "print/GmResource.h"
#include "print/GmStream.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <cstdio>
#include <map>

namespace zyn {

namespace {

constexpr int kLayoutPpi = 600;  // rich text is laid out at this resolution, then scaled
constexpr size_t kMaxDepth = 200;

std::string Escape(const QString& text) {
  std::string out;
  for (QChar qc : text) {
    const char16_t u = qc.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += static_cast<char>(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u == 0x2028) {
      out += "\\line ";
    } else if (u >= 0x20 && u < 0x80) {
      out += static_cast<char>(u);
    } else {
      const int b = CodePointToAnsi(u);
      char buf[24];
      if (b >= 0x80)
        std::snprintf(buf, sizeof buf, "\\'%02x", b);
      else
        std::snprintf(buf, sizeof buf, "\\u%d?", static_cast<int>(static_cast<std::int16_t>(u)));
      out += buf;
    }
  }
  return out;
}

}  // namespace

std::string RtfFromDocument(const QTextDocument& doc) {
  std::vector<QString> fonts;
  std::vector<QColor> colours;
  auto fontIndex = [&](const QString& f) {
    for (size_t i = 0; i < fonts.size(); ++i)
      if (fonts[i] == f) return static_cast<int>(i);
    fonts.push_back(f);
    return static_cast<int>(fonts.size() - 1);
  };
  auto colourIndex = [&](const QColor& c) {
    for (size_t i = 0; i < colours.size(); ++i)
      if (colours[i] == c) return static_cast<int>(i + 1);
    colours.push_back(c);
    return static_cast<int>(colours.size());
  };
  const QFont base = doc.defaultFont();
  std::string body;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    if (b != doc.begin()) body += "\\par\n";
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fr = it.fragment();
      const QTextCharFormat cf = fr.charFormat();
      const QFont f = cf.font();
      const double pt = cf.fontPointSize() > 0 ? cf.fontPointSize() : base.pointSizeF();
      body +=
          "{\\f" + std::to_string(fontIndex(f.family())) + "\\fs" + std::to_string(static_cast<int>(GmRound(pt * 2)));
      if (f.bold()) body += "\\b";
      if (f.italic()) body += "\\i";
      if (f.underline()) body += "\\ul";
      if (f.strikeOut()) body += "\\strike";
      if (cf.hasProperty(QTextFormat::ForegroundBrush))
        body += "\\cf" + std::to_string(colourIndex(cf.foreground().color()));
      body += " " + Escape(fr.text()) + "}";
    }
  }
  if (fonts.empty()) fonts.push_back(base.family());
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i) rtf += "{\\f" + std::to_string(i) + "\\fnil " + Escape(fonts[i]) + ";}";
  rtf += "}";
  if (!colours.empty()) {
    rtf += "{\\colortbl;";
    for (const QColor& c : colours)
      rtf += "\\red" + std::to_string(c.red()) + "\\green" + std::to_string(c.green()) + "\\blue" +
             std::to_string(c.blue()) + ";";
    rtf += "}";
  }
  return rtf + "\n" + body + "}";
}

namespace {

enum class TDest { Text, FontTable, ColourTable, Skip };

struct TState {
  QTextCharFormat fmt;
  TDest dest = TDest::Text;
  int ucSkip = 1;
};

class TRtfReader {
 public:
  TRtfReader(QTextDocument& doc, int position, bool keepFormat) : fCursor(&doc), fKeep(keepFormat) {
    fCursor.setPosition(std::clamp(position, 0, doc.characterCount() - 1));
  }

  int Read(const std::string& rtf) {
    fStack.push_back(TState{});
    size_t i = 0;
    int pendingSkip = 0;
    while (i < rtf.size() && !fStack.empty()) {
      const char c = rtf[i];
      if (c == '{') {
        ++i;
        if (fStack.size() >= kMaxDepth) break;
        fStack.push_back(fStack.back());
        continue;
      }
      if (c == '}') {
        ++i;
        Flush();
        if (fStack.back().dest == TDest::FontTable && fFontNum >= 0 && !fFontName.empty()) {
          fFonts[fFontNum] = fFontName;
          fFontName.clear();
        }
        fStack.pop_back();
        continue;
      }
      if (c == '\r' || c == '\n') {
        ++i;
        continue;
      }
      if (c != '\\') {
        ++i;
        if (pendingSkip > 0) {
          --pendingSkip;
          continue;
        }
        Char(static_cast<unsigned char>(c));
        continue;
      }
      // A control word or symbol.
      ++i;
      if (i >= rtf.size()) break;
      const char s = rtf[i];
      if (!std::isalpha(static_cast<unsigned char>(s))) {
        ++i;
        if (s == '\'') {
          int v = 0;
          int n = 0;
          while (n < 2 && i < rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i]))) {
            v = v * 16 + (std::isdigit(static_cast<unsigned char>(rtf[i])) ? rtf[i] - '0' : (rtf[i] | 0x20) - 'a' + 10);
            ++i;
            ++n;
          }
          if (pendingSkip > 0)
            --pendingSkip;
          else
            Char(static_cast<unsigned char>(v));
        } else if (s == '*') {
          fStack.back().dest = TDest::Skip;
        } else if (s == '~') {
          Char(0xA0);
        } else if (s == '_') {
          Char('-');
        } else if (s == '\\' || s == '{' || s == '}') {
          Char(static_cast<unsigned char>(s));
        } else if (s == '\r' || s == '\n') {
          Paragraph();
        }
        continue;
      }
      std::string word;
      while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])) && word.size() < 32) word += rtf[i++];
      bool hasParam = false;
      bool negative = false;
      long param = 0;
      if (i < rtf.size() && rtf[i] == '-') {
        negative = true;
        ++i;
      }
      int digits = 0;
      while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
        if (digits++ < 9) param = param * 10 + (rtf[i] - '0');
        hasParam = true;
        ++i;
      }
      if (negative) param = -param;
      if (i < rtf.size() && rtf[i] == ' ') ++i;
      if (word == "u" && hasParam) {
        const char16_t u = static_cast<char16_t>(param < 0 ? param + 65536 : param);
        const int b = CodePointToAnsi(u);
        Char(b >= 0 ? static_cast<unsigned char>(b) : '?');
        pendingSkip = fStack.back().ucSkip;
        continue;
      }
      Control(word, hasParam, static_cast<int>(param));
    }
    Flush();
    return fCursor.position();
  }

 private:
  void Char(unsigned char c) {
    TState& st = fStack.back();
    switch (st.dest) {
      case TDest::Skip:
        return;
      case TDest::FontTable:
        if (c == ';') {
          if (fFontNum >= 0) fFonts[fFontNum] = fFontName;
          fFontName.clear();
        } else if (fFontName.size() < 200) {
          fFontName += static_cast<char>(c);
        }
        return;
      case TDest::ColourTable:
        if (c == ';') {
          fColours.push_back(fHasColour ? QColor(fRed, fGreen, fBlue) : QColor());
          fRed = fGreen = fBlue = 0;
          fHasColour = false;
        }
        return;
      case TDest::Text:
        break;
    }
    Text(QChar(static_cast<char16_t>(AnsiToCodePoint(c))));
  }

  void Text(QChar ch) {
    const TState& st = fStack.back();
    if (st.dest != TDest::Text) return;
    if (fPending.isEmpty())
      fPendingFmt = st.fmt;
    else if (fPendingFmt != st.fmt) {
      Flush();
      fPendingFmt = st.fmt;
    }
    fPending += ch;
  }

  void Flush() {
    if (fPending.isEmpty()) return;
    fCursor.insertText(fPending, fKeep ? fPendingFmt : QTextCharFormat());
    fPending.clear();
  }

  void Paragraph() {
    if (fStack.back().dest != TDest::Text) return;
    Flush();
    fCursor.insertBlock();
  }

  void Control(const std::string& w, bool hasParam, int p) {
    TState& st = fStack.back();
    if (w == "fonttbl")
      st.dest = TDest::FontTable;
    else if (w == "colortbl")
      st.dest = TDest::ColourTable;
    else if (w == "stylesheet" || w == "info" || w == "pict" || w == "header" || w == "footer" || w == "listtable" ||
             w == "listoverridetable" || w == "generator" || w == "object" || w == "field" || w == "fldinst" ||
             w == "themedata" || w == "latentstyles")
      st.dest = TDest::Skip;
    else if (st.dest == TDest::FontTable) {
      if (w == "f") fFontNum = p;
    } else if (st.dest == TDest::ColourTable) {
      fHasColour = true;
      if (w == "red")
        fRed = std::clamp(p, 0, 255);
      else if (w == "green")
        fGreen = std::clamp(p, 0, 255);
      else if (w == "blue")
        fBlue = std::clamp(p, 0, 255);
    } else if (st.dest == TDest::Text) {
      const bool on = !hasParam || p != 0;
      if (w == "par")
        Paragraph();
      else if (w == "line")
        Text(QChar(0x2028));  // a line break inside the paragraph
      else if (w == "tab")
        Char('\t');
      else if (w == "b")
        st.fmt.setFontWeight(on ? QFont::Bold : QFont::Normal);
      else if (w == "i")
        st.fmt.setFontItalic(on);
      else if (w == "ul")
        st.fmt.setFontUnderline(on);
      else if (w == "ulnone")
        st.fmt.setFontUnderline(false);
      else if (w == "strike")
        st.fmt.setFontStrikeOut(on);
      else if (w == "fs" && hasParam && p > 0 && p < 3278)
        st.fmt.setFontPointSize(p / 2.0);
      else if (w == "f" && hasParam) {
        auto it = fFonts.find(p);
        if (it != fFonts.end()) st.fmt.setFontFamilies({GmToQString(it->second)});
      } else if (w == "cf" && hasParam) {
        if (p >= 0 && p < static_cast<int>(fColours.size()) && fColours[static_cast<size_t>(p)].isValid())
          st.fmt.setForeground(fColours[static_cast<size_t>(p)]);
        else
          st.fmt.clearForeground();
      } else if (w == "plain")
        st.fmt = QTextCharFormat();
      else if (w == "uc" && hasParam)
        st.ucSkip = std::clamp(p, 0, 10);
    }
  }

  QTextCursor fCursor;
  bool fKeep;
  std::vector<TState> fStack;
  QString fPending;
  QTextCharFormat fPendingFmt;
  std::map<int, std::string> fFonts;
  int fFontNum = -1;
  std::string fFontName;
  std::vector<QColor> fColours;  // entry 0 is the automatic colour
  int fRed = 0, fGreen = 0, fBlue = 0;
  bool fHasColour = false;
};

}  // namespace

int InsertRtfInto(QTextDocument& doc, int position, const std::string& rtf, bool keepFormat) {
  return TRtfReader(doc, position, keepFormat).Read(rtf);
}

TGmRichEdit::TGmRichEdit(bool richKind) : fRich(richKind) {
  fDoc.setUndoRedoEnabled(false);
  fDoc.setDocumentMargin(0);
}

std::string TGmRichEdit::PlainText() const {
  std::string out;
  for (QTextBlock b = fDoc.begin(); b.isValid(); b = b.next()) {
    if (b != fDoc.begin()) out += "\r\n";
    const QString t = b.text();
    out +=
        Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(t.utf16()), static_cast<size_t>(t.size())));
  }
  return out;
}

void TGmRichEdit::StreamInRtf(const std::string& rtf) { fSelection = InsertRtfInto(fDoc, fSelection, rtf, fRich); }

std::string TGmRichEdit::GetRtf() const { return RtfFromDocument(fDoc); }

void TGmRichEdit::LoadRichEdit(TStream& stream) {
  std::string rtf;
  char buf[4096];
  size_t n;
  while (rtf.size() < 64u * 1024 * 1024 && (n = stream.Read(buf, sizeof buf)) > 0) rtf.append(buf, n);
  StreamInRtf(rtf);
}

int TGmRichEdit::FormatRange(QPainter& painter, const QRect& rect, TGmExtended ppiX, TGmExtended ppiY, int first,
                             int last) const {
  const int count = CharCount();
  first = std::clamp(first, 0, count);
  const int end = last < 0 || last >= count ? count : last + 1;
  if (end <= first || rect.width() <= 0 || ppiX <= 0 || ppiY <= 0) return end;
  QTextCursor c(const_cast<QTextDocument*>(&fDoc));
  c.setPosition(first);
  c.setPosition(end, QTextCursor::KeepAnchor);
  QTextDocument part;
  part.setDocumentMargin(0);
  part.setDefaultFont(fDoc.defaultFont());
  QImage reference(1, 1, QImage::Format_RGB32);
  const int dpm = static_cast<int>(GmRound(kLayoutPpi / 0.0254L));
  reference.setDotsPerMeterX(dpm);
  reference.setDotsPerMeterY(dpm);
  part.documentLayout()->setPaintDevice(&reference);
  QTextCursor(&part).insertFragment(c.selection());
  const qreal sx = static_cast<qreal>(ppiX) / kLayoutPpi, sy = static_cast<qreal>(ppiY) / kLayoutPpi;
  part.setTextWidth(rect.width() / sx);
  const qreal height = rect.height() / sy;
  // The first character whose line does not fit.
  int notFitting = end;
  for (QTextBlock b = part.begin(); b.isValid() && notFitting == end; b = b.next()) {
    const QRectF br = part.documentLayout()->blockBoundingRect(b);
    const QTextLayout* layout = b.layout();
    for (int l = 0; layout && l < layout->lineCount(); ++l) {
      const QTextLine line = layout->lineAt(l);
      if (br.top() + line.y() + line.height() > height) {
        notFitting = first + b.position() + line.textStart();
        break;
      }
    }
  }
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.translate(rect.topLeft());
  painter.scale(sx, sy);
  QAbstractTextDocumentLayout::PaintContext ctx;
  ctx.clip = QRectF(0, 0, part.textWidth(), height);
  part.documentLayout()->draw(&painter, ctx);
  painter.restore();
  return notFitting;
}

std::unique_ptr<TGmRichEdit> TGmRichEditList::GetRichEdit() {
  std::unique_ptr<TGmRichEdit> edit = OnNeedRichEdit ? OnNeedRichEdit() : nullptr;
  return edit ? std::move(edit) : std::make_unique<TGmRichEdit>(true);
}

TGmRichEdit* TGmRichEditList::Add(TGmRichEdit& source) {
  const int i = IndexOfItem(&source);
  if (i >= 0) return Retain(i);
  std::unique_ptr<TGmRichEdit> edit = GetRichEdit();
  edit->InsertRtf(source.GetRtf());
  return Append(std::move(edit));
}

void TGmRichEditList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(Count());
  for (int i = 0; i < Count(); ++i) {
    w.WriteInteger(Item(i)->IsRichKind() ? 1 : 0);
    const std::string rtf = Item(i)->GetRtf();
    w.WriteBlock(std::vector<std::uint8_t>(rtf.begin(), rtf.end()));
  }
}

void TGmRichEditList::LoadFromStream(TStream& stream) {
  TGmReader r(stream);
  const std::int32_t n = r.ReadCount(8);
  for (std::int32_t i = 0; i < n; ++i) {
    const bool rich = r.ReadInteger() != 0;
    const std::vector<std::uint8_t> block = r.ReadBlock();
    std::unique_ptr<TGmRichEdit> edit = rich ? GetRichEdit() : std::make_unique<TGmRichEdit>(false);
    TMemoryStream text(block);
    edit->LoadRichEdit(text);
    Append(std::move(edit));
  }
}

}  // namespace zyn
