#pragma once
// Device-independent text. Text is measured at a high reference resolution and written with
// explicit character advances derived from that measurement, so that a line has the same length
// in the preview at 96 pixels per inch and on paper. The mapper also breaks text into lines for
// text boxes, and maps the font names of documents (Arial, Times New Roman, ...) to installed
// metric-compatible families.

#include "print/GmResource.h"

#include <QFont>
#include <QRect>

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace zyn {

class TGmFontMapper {
 public:
  TGmFontMapper();
  // The one mapper of the programme (user-interface thread only).
  static TGmFontMapper& Instance();

  // 3600 or 7200 pixels per inch, chosen by the platform's name.
  static int PlatformResolution();
  int ReferenceResolution() const { return fReference; }
  void SetReferenceResolution(int ppi) { fReference = ppi > 0 ? ppi : PlatformResolution(); }

  // The installed family for a font name; a missing font falls back to a sans-serif family and
  // the fall-back is logged once per name.
  QString MapFamily(const std::string& name);
  // The font at a resolution: its pixel size is the point size scaled to that resolution.
  QFont MakeFont(const TGmFont& font, TGmExtended pixelsPerInch);

  // Extent of one line in the font, at the current reference resolution, in inches.
  TGmPoint TextExtentInches(const TGmFont& font, std::string_view text);
  TGmExtended TextWidthInches(const TGmFont& font, std::string_view text) { return TextExtentInches(font, text).X; }
  TGmExtended TextHeightInches(const TGmFont& font, std::string_view text) { return TextExtentInches(font, text).Y; }

  // The advances of the characters at the target resolution for the current reference.
  std::vector<int> Advances(const TGmFont& font, std::string_view text, TGmExtended targetPpi);
  // Turns widths (in target pixels) into whole advances with a running carry.
  static std::vector<int> CarryAdvances(const std::vector<TGmExtended>& widths);

  // One line at (x, y) (top of the character cell), in pixels of a device of targetPpi.
  void TextOutMapped(QPainter& painter, const TGmFont& font, TGmExtended targetPpi, int x, int y, bool forScreen,
                     std::string_view text, const QRect* clip = nullptr);
  // The text broken into lines inside the rectangle (target pixels); the height used in inches.
  // Alignment 0 left, 1 right, 2 centred.
  TGmExtended DrawWrappedText(QPainter& painter, const TGmFont& font, TGmExtended targetPpi, const QRect& rect,
                              bool forScreen, int alignment, std::string_view text, bool wordWrap = true);
  // The height DrawWrappedText would use for a rectangle given in reference pixels, drawing nothing.
  TGmExtended WrappedTextHeight(const TGmFont& font, const QRect& rect, std::string_view text, bool wordWrap = true);
  // The lines the text breaks into for a width in inches (at the current reference resolution).
  // Without word wrap, lines break only at line breaks.
  std::vector<std::string> WrapLines(const TGmFont& font, std::string_view text, TGmExtended widthInches,
                                     bool wordWrap = true);

 private:
  int fReference;
  std::map<std::string, QString> fFamilies;
};

// Measurements on the fixed reference of 600 pixels per inch, in whole pixels of it: the cell
// height of the font, and the extent of a text (0 by 0 for an empty text).
TGmExtended FontHeightInches(const TGmFont& font);
TGmPoint TextExtentInches(const std::string& text, const TGmFont& font);

}  // namespace zyn
