#pragma once
// The drawing surface of the class library over QPainter: pen, brush (solid, hatched, clear or a
// pattern bitmap), font, the GDI shape calls with their exact pixel rules, edges, frame controls
// and text with the Windows DT_ flags. A canvas paints into a widget, a QImage or a painter that
// the caller owns; painting into a QImage lets tests read the pixels back.

#include "platform/Colors.h"
#include "platform/Types.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>
#include <vector>

namespace zyn {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  QImage Bitmap;  // a pattern; when not null it replaces colour and style, tiled from (0, 0)
};

struct TFont {
  QFont Font;
  TColor Color = clWindowText;
};

// DrawEdge edges and flags.
enum : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = 0x5,
  EDGE_SUNKEN = 0xA,
  EDGE_ETCHED = 0x6,
  EDGE_BUMP = 0x9,
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_TOPLEFT = 0x3,
  BF_BOTTOMRIGHT = 0xC,
  BF_RECT = 0xF,
  BF_MIDDLE = 0x800,
  BF_SOFT = 0x1000,
  BF_ADJUST = 0x2000,
  BF_FLAT = 0x4000,
  BF_MONO = 0x8000
};

// DrawFrameControl kinds and states.
enum : unsigned {
  DFC_CAPTION = 1,
  DFC_MENU = 2,
  DFC_SCROLL = 3,
  DFC_BUTTON = 4,
  DFCS_CAPTIONCLOSE = 0x0,
  DFCS_CAPTIONMIN = 0x1,
  DFCS_CAPTIONMAX = 0x2,
  DFCS_SCROLLUP = 0x0,
  DFCS_SCROLLDOWN = 0x1,
  DFCS_SCROLLLEFT = 0x2,
  DFCS_SCROLLRIGHT = 0x3,
  DFCS_SCROLLCOMBOBOX = 0x5,
  DFCS_SCROLLSIZEGRIP = 0x8,
  DFCS_BUTTONCHECK = 0x0,
  DFCS_BUTTONRADIO = 0x4,
  DFCS_BUTTONPUSH = 0x10,
  DFCS_INACTIVE = 0x100,
  DFCS_PUSHED = 0x200,
  DFCS_CHECKED = 0x400,
  DFCS_FLAT = 0x4000,
  DFCS_MONO = 0x8000
};

// DrawText flags.
enum : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000,
  DT_HIDEPREFIX = 0x100000
};

class TCanvas {
 public:
  explicit TCanvas(QImage* image);         // paints into the image (and can read its pixels)
  explicit TCanvas(QPaintDevice* device);  // paints into any paint device (a widget in its paint event)
  explicit TCanvas(QPainter* painter);     // paints with a painter the caller owns
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TPoint PenPos;
  int CharacterExtra = 0;  // extra pixels after each character when text is drawn or measured

  QPainter& Painter() { return *fPainter; }
  QImage* Image() const { return fImage; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);       // the end point itself is not painted
  void FillRect(const TRect& r);   // brush over [Left, Right) x [Top, Bottom)
  void FrameRect(const TRect& r);  // a one-pixel frame in the brush
  void Rectangle(const TRect& r);  // pen outline on the outermost pixels, brush inside
  void Rectangle(int l, int t, int r, int b) { Rectangle(Rect(l, t, r, b)); }
  void Ellipse(const TRect& r);
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void SetPixel(int x, int y, TColor color);
  TColor Pixel(int x, int y) const;  // clNone when the canvas has no image or the point is outside
  void DrawFocusRect(const TRect& r);

  void Draw(int x, int y, const QImage& image);
  void StretchDraw(const TRect& r, const QImage& image);
  void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect);

  void SetClipRect(const TRect& r);
  void ResetClip();

  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  void TextOut(int x, int y, const QString& text);
  void TextRect(const TRect& r, int x, int y, const QString& text);  // clipped to r, background filled
  // Draws (or with DT_CALCRECT measures into r) and returns the height of the text.
  int DrawText(const QString& text, TRect& r, unsigned flags);

  bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
  bool DrawFrameControl(const TRect& r, unsigned kind, unsigned state);

 private:
  void Setup();
  void ApplyFont();
  QBrush CurrentBrush() const;
  QPen CurrentPen() const;
  void PlotLine(int x0, int y0, int x1, int y1, bool includeEnd);
  void EdgeLines(const TRect& r, TColor topLeft, TColor bottomRight, unsigned sides);
  void DrawArrowGlyph(const TRect& r, int direction, TColor color);

  std::unique_ptr<QPainter> fOwned;
  QPainter* fPainter = nullptr;
  QImage* fImage = nullptr;
};

// An 8 x 8 pattern alternating two colours pixel by pixel, for checkered pattern brushes.
QImage CheckeredPattern(TColor color1, TColor color2);

}  // namespace zyn
