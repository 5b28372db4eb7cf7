#pragma once
// Rich text of pages: a rich edit holds formatted text (in a text document) that a page formats
// onto itself in a rectangle. Rich text travels as RTF, read and written by a small converter of
// our own that knows what documents use: fonts, sizes, bold, italic, underline, strike-out,
// colours, paragraphs, tabs and the Windows-1252 characters.

#include "print/GmTypes.h"

#include <QTextDocument>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace zyn {

class TStream;

class TGmRichEdit {
 public:
  // richKind false: a plain-text rich edit (formatting in RTF read is dropped).
  explicit TGmRichEdit(bool richKind = true);
  TGmRichEdit(const TGmRichEdit&) = delete;
  TGmRichEdit& operator=(const TGmRichEdit&) = delete;

  bool IsRichKind() const { return fRich; }
  QTextDocument& Document() { return fDoc; }
  const QTextDocument& Document() const { return fDoc; }
  int MaxLength() const { return 1000000; }
  // The document's characters (Windows-1252), paragraphs separated by CR LF.
  std::string PlainText() const;
  int CharCount() const { return fDoc.characterCount() - 1; }

  // The RTF replaces the selection (initially the end of the text); the selection moves behind it.
  void StreamInRtf(const std::string& rtf);
  // The whole text as RTF.
  std::string GetRtf() const;
  // A non-empty RTF text at the selection.
  void InsertRtf(const std::string& rtf) {
    if (!rtf.empty()) StreamInRtf(rtf);
  }
  // The rest of the stream as RTF at the selection.
  void LoadRichEdit(TStream& stream);

  // Characters first to last (inclusive; last -1 for the end) laid out in the rectangle of a
  // device of the resolution; returns the index of the first character that did not fit.
  int FormatRange(QPainter& painter, const QRect& rect, TGmExtended ppiX, TGmExtended ppiY, int first, int last) const;
  // Rich edits are the same only when they are the same control.
  bool Equals(const TGmRichEdit& other) const { return this == &other; }

 private:
  bool fRich;
  QTextDocument fDoc;
  int fSelection = 0;
};

// Plain text (Windows-1252) as RTF, and RTF read into a document at a position.
std::string RtfFromDocument(const QTextDocument& doc);
// Returns the position behind the inserted text. Unknown control words are skipped; damaged
// nesting ends the reading without harm.
int InsertRtfInto(QTextDocument& doc, int position, const std::string& rtf, bool keepFormat);

}  // namespace zyn
