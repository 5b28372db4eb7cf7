// The look-and-feel painters' tabs, button groups, image buttons, row indicators and arrow headers,
// and the shared images they draw.

#include "widgets/bars/LookAndFeelPainters.h"
#include "widgets/bars/Office11Colors.h"

#include <QPainter>

#include <array>

namespace zyn {

namespace {

const TOffice11Colors& O() { return Office11Colors(); }

// A picture drawn on white, the white then made transparent (as the images are added to their list).
QImage WhiteTransparent(QImage image) {
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 255, 255)) image.setPixel(x, y, qRgba(0, 0, 0, 0));
  return image;
}

QImage BlankImage(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// The row indicators, 9 x 11: a right-pointing arrow (the current row), an I-beam (the row being
// edited), an asterisk (the new row), a dot (a selected row) and an arrow with a dot (the current
// row among selected ones).
std::array<QImage, 5> MakeIndicators() {
  std::array<QImage, 5> images;
  for (int k = 0; k < 5; ++k) {
    QImage image = BlankImage(9, 11);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    switch (k) {
      case 0:  // arrow
        for (int i = 0; i < 4; ++i) p.drawLine(2 + i, 2 + i, 2 + i, 8 - i);
        break;
      case 1:  // I-beam
        p.drawLine(2, 1, 3, 1);
        p.drawLine(5, 1, 6, 1);
        p.drawLine(4, 2, 4, 8);
        p.drawLine(2, 9, 3, 9);
        p.drawLine(5, 9, 6, 9);
        break;
      case 2:  // asterisk
        p.drawLine(4, 2, 4, 8);
        p.drawLine(1, 5, 7, 5);
        p.drawLine(2, 3, 6, 7);
        p.drawLine(2, 7, 6, 3);
        break;
      case 3:  // dot
        p.fillRect(3, 4, 3, 3, Qt::black);
        p.drawLine(4, 3, 4, 7);
        p.drawLine(2, 5, 6, 5);
        break;
      default:  // arrow with a dot
        for (int i = 0; i < 3; ++i) p.drawLine(1 + i, 3 + i, 1 + i, 7 - i);
        p.fillRect(5, 4, 3, 3, Qt::black);
        break;
    }
    p.end();
    images[k] = WhiteTransparent(image);
  }
  return images;
}

// The auto-hide pins, 16 x 16: "on" (0) stands upright with its needle downwards, "off" (1) lies
// with its needle to the left.
std::array<QImage, 2> MakePins() {
  std::array<QImage, 2> images;
  for (int k = 0; k < 2; ++k) {
    QImage image = BlankImage(16, 16);
    QPainter p(&image);
    p.setPen(Qt::black);
    if (k == 0) {
      p.drawRect(5, 1, 5, 7);    // the head
      p.drawLine(8, 2, 8, 7);    // its shine
      p.drawLine(3, 9, 12, 9);   // the plate
      p.drawLine(7, 10, 7, 14);  // the needle
    } else {
      p.drawRect(7, 5, 7, 5);
      p.drawLine(8, 8, 13, 8);
      p.drawLine(6, 3, 6, 12);
      p.drawLine(1, 7, 5, 7);
    }
    p.end();
    images[k] = WhiteTransparent(image);
  }
  return images;
}

}  // namespace

const QImage& IndicatorImage(TzxIndicatorKind kind) {
  static const std::array<QImage, 5> images = MakeIndicators();
  static const QImage none;
  if (kind < zxikArrow || kind > zxikMultiArrow) return none;
  return images[kind - 1];
}

const QImage& AutoHideImage(int index) {
  static const std::array<QImage, 2> images = MakePins();
  static const QImage none;
  return index == 0 || index == 1 ? images[index] : none;
}

// ---------------------------------------------------------------- base

void TzxCustomLookAndFeelPainter::DrawCentred(TPainterCanvas& canvas, const TRect& r, const QImage& image, int shift) {
  if (image.isNull()) return;
  const int x = (r.Left + r.Right - image.width()) / 2 + shift, y = (r.Top + r.Bottom - image.height()) / 2 + shift;
  canvas.Canvas->Painter().drawImage(x, y, image);
}

void TzxCustomLookAndFeelPainter::PaintGroupedButton(TPainterCanvas& canvas, const TRect& r, TColor, int, int,
                                                     TzxButtonState state) const {
  PaintButton(canvas, r, QString(), state, true);
}

TRect TzxCustomLookAndFeelPainter::ButtonGroupBorders(int, int) const {
  const int b = ButtonBorderWidth(zxbsNormal);
  return Rect(b, b, b, b);
}

void TzxCustomLookAndFeelPainter::PaintImageButton(TPainterCanvas& canvas, const TRect& rect, TColor, int imageIndex,
                                                   TzxButtonState state) const {
  const TRect r = PaintSmallButtonFace(canvas, rect, state);
  DrawCentred(canvas, r, AutoHideImage(imageIndex), state == zxbsPressed ? 1 : 0);
}

bool TzxCustomLookAndFeelPainter::HitGroupExpandButton(const TRect& r, const QPoint& p) const {
  return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

QPoint TzxCustomLookAndFeelPainter::SmallButtonExtent(int n) const { return n == 3 ? QPoint(13, 13) : QPoint(16, 14); }

TRect TzxCustomLookAndFeelPainter::HeaderOuterBounds(const TRect& rect, unsigned neighbors, unsigned sides) const {
  TRect r = rect;
  const unsigned outside = sides & ~HeaderSides(neighbors);
  const int b = HeaderBorderWidth();
  if (outside & zxBordLeft) r.Left -= b;
  if (outside & zxBordTop) r.Top -= b;
  if (outside & zxBordRight) r.Right += b;
  if (outside & zxBordBottom) r.Bottom += b;
  return r;
}

TRect TzxCustomLookAndFeelPainter::FooterCellContentBounds(const TRect& rect) const {
  TRect r = rect;
  InflateRect(r, -FooterCellBorderWidth(), -FooterCellBorderWidth());
  return r;
}

TRect TzxCustomLookAndFeelPainter::FooterCellTextBounds(const TRect& rect) const {
  TRect r = FooterCellContentBounds(rect);
  InflateRect(r, -2, -2);
  return r;
}

TRect TzxCustomLookAndFeelPainter::HeaderSectionContentBounds(const TRect& rect, TzxButtonState state) const {
  TRect r = rect;
  InflateRect(r, -HeaderSectionBorderWidth(state), -HeaderSectionBorderWidth(state));
  return r;
}

TRect TzxCustomLookAndFeelPainter::HeaderSectionTextBounds(const TRect& rect, TzxButtonState state) const {
  TRect r = rect;
  if (state == zxbsPressed) OffsetRect(r, 1, 1);
  return r;
}

int TzxCustomLookAndFeelPainter::HeaderWidth(TPainterCanvas& canvas, unsigned sides, const QFont& font,
                                             const QString& text) const {
  TCanvas& dc = *canvas.Canvas;
  const TFont saved = dc.Font;
  dc.Font.Font = font;
  int width = dc.TextWidth(text) + 4;
  dc.Font = saved;
  // Each bordered side adds its border, as HeaderContentBounds takes it from each.
  if (sides & zxBordLeft) width += HeaderBorderWidth();
  if (sides & zxBordRight) width += HeaderBorderWidth();
  return width;
}

void TzxCustomLookAndFeelPainter::PaintIndicatorHeader(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                       TzxIndicatorKind kind) const {
  if (background != clNone && background != clDefault) {
    canvas.SetBrushColor(background);
    canvas.FillRect(r);
  }
  const unsigned neighbors = zxBordTop | zxBordBottom;
  PaintHeader(canvas, r, neighbors, HeaderSides(neighbors), zxbsNormal, clNone, TzxPainterText{});
  DrawCentred(canvas, r, IndicatorImage(kind));
}

void TzxCustomLookAndFeelPainter::PaintIndicatorCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                     TzxIndicatorKind kind) const {
  if (background != clNone && background != clDefault) {
    canvas.SetBrushColor(background);
    canvas.FillRect(r);
  }
  PaintHeaderCell(canvas, r, 0, zxBordAll, zxbsNormal, clNone, TzxPainterText{});
  DrawCentred(canvas, r, IndicatorImage(kind));
}

void TzxCustomLookAndFeelPainter::PaintHeaderArrows(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                                                    TColor color) const {
  TRect area = r;
  area.Top += BorderWidth();
  area.Top += 1;
  area.Bottom -= 1;
  int d = area.Height() / 2;
  if (d % 2 == 0) ++d;
  const int y = (area.Top + area.Bottom - d) / 2 - 1;
  TCanvas& dc = *canvas.Canvas;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = TBrush{color};
  if (arrows & zxhaLeft) {
    const int x = area.Left + arrowIndent - 1;
    dc.Polygon({Point(x, y), Point(x, y + d + 1), Point(x - (d / 2 + 1), y + d / 2 + 1)});
  }
  if (arrows & zxhaRight) {
    const int x = area.Right - arrowIndent + 1;
    dc.Polygon({Point(x, y), Point(x, y + d + 1), Point(x + d / 2 + 1, y + d / 2 + 1)});
  }
}

void TzxCustomLookAndFeelPainter::PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                                                   const TPainterBackground& background, unsigned neighbors,
                                                   const TzxPainterText& text) const {
  TzxPainterText t = text;
  if (t.TextColor == clDefault) t.TextColor = background.TextColor;
  t.Flags = zxAlignHCenter | zxAlignVCenter | zxSingleLine;
  PaintHeader(canvas, r, neighbors, HeaderSides(neighbors), zxbsNormal, background.Color, t);
  PaintHeaderArrows(canvas, r, arrowIndent, arrows, clWindowText);
}

// ---------------------------------------------------------------- Standard

void TzxStandardLookAndFeelPainter::PaintTabBorder(TPainterCanvas& canvas, const TRect& rect, TzxTabSide side,
                                                   unsigned borders, bool vertical) const {
  TRect r = rect;
  TCanvas& dc = *canvas.Canvas;
  if (vertical) {
    if (side == zxtsLeft) {
      r.Top += (borders & zxBordTop) ? 2 : 1;
      r.Bottom -= (borders & zxBordBottom) ? 2 : 1;
      dc.SetPixel(r.Left + 1, r.Top - 1, clBtnHighlight);
      dc.SetPixel(r.Left + 1, r.Bottom, clBtnHighlight);
    } else if ((side == zxtsTop || side == zxtsBottom) && (borders & zxBordLeft)) {
      r.Left += 1;
    }
  } else {
    if (side == zxtsLeft || side == zxtsRight) {
      if (borders & zxBordTop) r.Top += 2;
      if (borders & zxBordBottom) r.Bottom -= 1;
    } else if (side == zxtsTop) {
      r.Left += 1;
      r.Right -= 1;
      dc.SetPixel(r.Left - 1, r.Top + 1, clBtnHighlight);
      dc.SetPixel(r.Right, r.Top + 1, clBtnHighlight);
    }
  }
  const bool shadow = (vertical && side == zxtsBottom) || (!vertical && side == zxtsRight);
  canvas.SetBrushColor(shadow ? clBtnShadow : clBtnHighlight);
  canvas.FillRect(r);
}

void TzxStandardLookAndFeelPainter::PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent,
                                                     int arrows, const TPainterBackground& background,
                                                     unsigned neighbors, const TzxPainterText& text) const {
  // A black frame where no neighbour stands, the header's content inside it.
  unsigned sides = zxBordAll;
  if (neighbors & zxBordLeft) sides &= ~zxBordLeft;
  if (neighbors & zxBordRight) sides &= ~zxBordRight;
  canvas.FrameRect(r, TColor(0), sides);
  TRect inner = r;
  if (sides & zxBordLeft) ++inner.Left;
  if (sides & zxBordTop) ++inner.Top;
  if (sides & zxBordRight) --inner.Right;
  if (sides & zxBordBottom) --inner.Bottom;
  TzxPainterText t = text;
  if (t.TextColor == clDefault) t.TextColor = background.TextColor;
  t.Flags = zxAlignHCenter | zxAlignVCenter | zxSingleLine;
  PaintContent(canvas, inner, inner, zxbsNormal, background.Color, t, false);
  PaintHeaderArrows(canvas, r, arrowIndent, arrows, clWindowText);
}

void TzxStandardLookAndFeelPainter::PaintPlusGlyph(TPainterCanvas& canvas, const TRect& rect,
                                                   TzxButtonState state) const {
  TRect r = Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1);
  if (state == zxbsPressed) OffsetRect(r, 1, 1);
  TzxCustomLookAndFeelPainter::PaintPlusGlyph(canvas, r, state);
}

// ---------------------------------------------------------------- UltraFlat

void TzxUltraFlatLookAndFeelPainter::PaintTabBorder(TPainterCanvas& canvas, const TRect& rect, TzxTabSide side,
                                                    unsigned, bool vertical) const {
  TRect r = rect;
  const bool highlight = (vertical && side == zxtsBottom) || (!vertical && side == zxtsRight);
  if (highlight && !vertical) r.Bottom -= TabBorderWidth(vertical);
  canvas.SetBrushColor(highlight ? TabHighlightColor() : TabBorderColor());
  canvas.FillRect(r);
}

void TzxUltraFlatLookAndFeelPainter::PaintGroupedButton(TPainterCanvas& canvas, const TRect& rect, TColor borderColor,
                                                        int index, int count, TzxButtonState state) const {
  TRect r = rect;
  ++r.Top;
  --r.Bottom;
  const bool first = index == 0, last = index == count - 1;
  if (first) ++r.Left;
  if (last) --r.Right;
  if (state == zxbsNormal || state == zxbsDisabled) {
    canvas.FrameRect(r, borderColor);
    InflateRect(r, -1, -1);
  } else {
    canvas.SetBrushColor(HotBorderColor());
    if (!first) {
      canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
      ++r.Left;
    }
    if (!last) {
      canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
      --r.Right;
    }
  }
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
}

TRect TzxUltraFlatLookAndFeelPainter::ButtonGroupBorders(int count, int index) const {
  TRect b = Rect(1, 2, 1, 2);
  if (index == 0)
    b.Left = 2;
  else if (index == count - 1)
    b.Right = 2;
  return b;
}

void TzxUltraFlatLookAndFeelPainter::PaintButtonGroupFrame(TPainterCanvas& canvas, const TRect& r, bool hot,
                                                           bool focused) const {
  canvas.FrameRect(r, focused ? clBtnText : hot ? HotBorderColor() : clBtnShadow);
}

void TzxUltraFlatLookAndFeelPainter::PaintHeaderCell(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors,
                                                     unsigned borders, TzxButtonState state, TColor background,
                                                     const TzxPainterText& text) const {
  // The content with the text rectangle one pixel smaller, the border on the rectangle less 1.
  const TRect content = HeaderContentBounds(bounds, borders);
  TRect textBounds = content;
  InflateRect(textBounds, -3, -1);
  PaintContent(canvas, content, textBounds, state, background, text, false);
  TRect frame = bounds;
  InflateRect(frame, -1, -1);
  PaintHeaderBorder(canvas, frame, neighbors, borders);
}

unsigned TzxUltraFlatLookAndFeelPainter::HeaderSides(unsigned neighbors) const {
  unsigned sides = zxBordAll;
  if (neighbors & zxBordLeft) sides &= ~zxBordLeft;
  if (neighbors & zxBordTop) sides &= ~zxBordTop;
  return sides;
}

void TzxUltraFlatLookAndFeelPainter::PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                        unsigned sides, TColor background,
                                                        const TzxPainterText& text) const {
  const bool face = state == zxbsHot || state == zxbsPressed || state == zxbsDisabled;
  TzxCustomLookAndFeelPainter::PaintHeaderSection(canvas, r, state, sides, face ? ButtonFaceColor(state) : background,
                                                  text);
}

QPoint TzxUltraFlatLookAndFeelPainter::SmallButtonExtent(int n) const {
  return n == 3 ? QPoint(12, 12) : TzxCustomLookAndFeelPainter::SmallButtonExtent(n);
}

// ---------------------------------------------------------------- Office11

TColor TzxOffice11LookAndFeelPainter::ButtonFrameColor(TzxButtonState state) const {
  return state == zxbsNormal ? HeaderLineDarkColor() : O().Office11SelectedBorderColor;
}

TColor TzxOffice11LookAndFeelPainter::HotBorderColor() const { return O().Office11SelectedBorderColor; }

void TzxOffice11LookAndFeelPainter::PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor,
                                                      bool expanded) const {
  QImage bitmap = expanded ? O().Office11ExpandButtonMinusBitmap : O().Office11ExpandButtonPlusBitmap;
  if (bitmap.isNull()) bitmap = Office11ExpandButtonImage(!expanded);  // the colour set not in use
  bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
  TCanvas& dc = *canvas.Canvas;
  // The corners blend into what lies under them.
  auto under = [&](int x, int y) {
    const TColor c = dc.Pixel(x, y);
    return c == clNone ? ColorToRGB(clWindow) : c;
  };
  const TColor topLeft = under(r.Left, r.Top), bottomRight = under(r.Right - 1, r.Bottom - 1);
  const int w = bitmap.width() - 1, h = bitmap.height() - 1;
  bitmap.setPixelColor(0, 0, ToQColor(MixColors(Office11ExpandButtonLightColor, topLeft, 25)));
  const QColor dark = ToQColor(MixColors(Office11ExpandButtonDarkColor, bottomRight, 25));
  bitmap.setPixelColor(w, h, dark);
  bitmap.setPixelColor(0, h, dark);
  bitmap.setPixelColor(w, 0, dark);
  dc.Painter().drawImage(r.Left, r.Top, bitmap);
}

void TzxOffice11LookAndFeelPainter::PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                       unsigned sides, TColor background,
                                                       const TzxPainterText& text) const {
  PaintHeader(canvas, r, 0, sides, state, background, text);
  if (state == zxbsPressed) PaintHeaderPressed(canvas, r);
}

void TzxOffice11LookAndFeelPainter::PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent,
                                                     int arrows, const TPainterBackground& background, unsigned,
                                                     const TzxPainterText& text) const {
  PaintOuterBorder(canvas, r);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  canvas.FrameAndFill(inner, background, 0, clDefault, 0);
  if (!text.Text.isEmpty()) {
    TCanvas& dc = *canvas.Canvas;
    dc.Font.Font = text.Font;
    dc.Font.Color = text.TextColor == clDefault ? background.TextColor : text.TextColor;
    dc.Brush.Style = bsClear;
    canvas.DrawText(text.Text, inner, zxAlignHCenter | zxAlignVCenter | zxSingleLine);
  }
  PaintHeaderArrows(canvas, r, arrowIndent, arrows, clWindowText);
}

}  // namespace zyn
