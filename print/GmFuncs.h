#pragma once
// Plain functions of the print library: page tokens of texts, paper sizes, font-style texts,
// colours, the printer test and the small drawing operations on a QPainter.

#include "print/GmTypes.h"

#include <QImage>
#include <QPolygon>
#include <QRect>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QColor;
class QString;

namespace zyn {

// Colours as 0x00BBGGRR; GmNoColour stands for no colour at all (brushes and pens).
using TGmColor = std::uint32_t;
inline constexpr TGmColor GmNoColour = 0x1FFFFFFF;
inline constexpr TGmColor GmBlack = 0x000000;
inline constexpr TGmColor GmWhite = 0xFFFFFF;
inline constexpr TGmColor GmSilver = 0xC0C0C0;
QColor GmToQColor(TGmColor c);
// Page text (Windows-1252) as Qt text, for the painter.
QString GmToQString(std::string_view ansi);
TGmColor GmFromQColor(const QColor& c);

// Font styles as a set of bits.
enum : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TGmFontStyles = std::uint8_t;

// The library's formats of page tokens; "/" stands for the date separator.
inline constexpr std::string_view GmDateFormat = "dd/mm/yyyy";
inline constexpr std::string_view GmTimeFormat = "hh/mm";

// Replaces every occurrence of the token. A replacement that holds the token is inserted as it
// stands and not searched again, so the operation always ends.
std::string ReplaceText(std::string_view text, std::string_view token, std::string_view replacement);
// "{DATE}", "{TIME}", "{PAGE}" and "{NUMPAGES}", in this order; the date and time of now.
std::string ReplacePageTokens(std::string_view text, int page, int pageCount,
                              std::string_view dateFormat = GmDateFormat, std::string_view timeFormat = GmTimeFormat);
// As above for a given moment (tests, and one moment for a whole print run).
std::string ReplacePageTokensAt(std::string_view text, int page, int pageCount, std::string_view dateFormat,
                                std::string_view timeFormat, const std::tm& when);
// dd, d, mm, m, yyyy, yy, hh, h, nn, ss; "mm" right after an hour means minutes; "/" is the
// German date separator ".", ":" the time separator.
std::string FormatGmDateTime(std::string_view format, const std::tm& when);

TGmPoint PaperSizeInches(std::uint8_t paperSize);

std::string FontStyleText(TGmFontStyles styles);
TGmFontStyles FontStyleFromText(std::string_view text);

TGmColor ContrastColour(TGmColor colour);

// True when the painter paints on paper: a printer or a PDF file.
bool IsPrinterCanvas(const QPainter& painter);

void DrawRectangle(QPainter& painter, const QRect& r);
// 15 polygon, 16 polyline, 17 Bezier curve, 18 polyline and 19 Bezier curve from the current
// position (the first point given).
void DrawPoly(int type, QPainter& painter, const QPolygon& points);

// Raster operations of pictures.
enum : std::uint32_t {
  GmSRCCOPY = 0x00CC0020,
  GmSRCPAINT = 0x00EE0086,
  GmSRCAND = 0x008800C6,
  GmSRCINVERT = 0x00660046,
  GmSRCERASE = 0x00440328,
  GmNOTSRCCOPY = 0x00330008,
  GmNOTSRCERASE = 0x001100A6,
  GmMERGECOPY = 0x00C000CA,
  GmMERGEPAINT = 0x00BB0226,
  GmPATCOPY = 0x00F00021,
  GmPATPAINT = 0x00FB0A09,
  GmPATINVERT = 0x005A0049,
  GmDSTINVERT = 0x00550009,
  GmBLACKNESS = 0x00000042,
  GmWHITENESS = 0x00FF0062
};
bool IsStandardRop(std::uint32_t rop);
// The bitmap stretched into the rectangle with the copy mode (SRCCOPY for any other value and on
// devices without raster operations); the painter's brush is the pattern. Nothing for a null image.
void StretchBitmap(QPainter& painter, const QRect& r, const QImage& bitmap, std::uint32_t copyMode);

inline int RectHeight(const QRect& r) { return r.height(); }
inline int RectWidth(const QRect& r) { return r.width(); }

std::vector<std::uint8_t> BitmapToJpeg(const QImage& picture);
// A bitmap of the icon's size with the icon drawn on white at (0, 0).
QImage IconToBitmap(const QImage& icon);

// The name the platform gives itself.
std::string WindowsVersionName();

}  // namespace zyn
