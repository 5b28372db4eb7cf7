#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>

namespace zyn {
namespace {

Qt::BrushStyle HatchOf(TBrushStyle style) {
  switch (style) {
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    case bsClear:
      return Qt::NoBrush;
    default:
      return Qt::SolidPattern;
  }
}

Qt::PenStyle PenStyleOf(TPenStyle style) {
  switch (style) {
    case psDash:
      return Qt::DashLine;
    case psDot:
      return Qt::DotLine;
    case psDashDot:
      return Qt::DashDotLine;
    case psDashDotDot:
      return Qt::DashDotDotLine;
    case psClear:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

struct EdgeColours {
  TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

EdgeColours ColoursOf(unsigned edge, unsigned flags) {
  const bool soft = flags & BF_SOFT;
  EdgeColours c{clNone, clNone, clNone, clNone};
  if (edge & BDR_RAISEDOUTER) {
    c.outerTopLeft = soft ? clBtnHighlight : cl3DLight;
    c.outerBottomRight = cl3DDkShadow;
  } else if (edge & BDR_SUNKENOUTER) {
    c.outerTopLeft = soft ? cl3DDkShadow : clBtnShadow;
    c.outerBottomRight = clBtnHighlight;
  }
  if (edge & BDR_RAISEDINNER) {
    c.innerTopLeft = soft ? cl3DLight : clBtnHighlight;
    c.innerBottomRight = clBtnShadow;
  } else if (edge & BDR_SUNKENINNER) {
    c.innerTopLeft = soft ? clBtnShadow : cl3DDkShadow;
    c.innerBottomRight = cl3DLight;
  }
  if (flags & BF_MONO) {
    for (TColor* p : {&c.outerTopLeft, &c.outerBottomRight, &c.innerTopLeft, &c.innerBottomRight})
      if (*p != clNone) *p = clWindowFrame;
  } else if (flags & BF_FLAT) {
    if (c.outerTopLeft != clNone) c.outerTopLeft = c.outerBottomRight = clBtnShadow;
    if (c.innerTopLeft != clNone) c.innerTopLeft = c.innerBottomRight = clBtnFace;
  }
  return c;
}

// Wrapped text that needs more lines than `height` allows: the lines that fit, the last one
// holding the rest of the text shortened with an ellipsis. Text that fits is returned as it is.
QString WrapThenElide(const QString& text, const QFont& font, int width, int height, bool expandTabs) {
  const QFontMetrics fm(font);
  const int maxLines = std::max(1, height / std::max(1, fm.height()));
  QString laid = text;
  laid.replace(QLatin1Char('\n'), QChar::LineSeparator);  // a forced break, as drawText makes it
  QTextLayout layout(laid, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  if (expandTabs) option.setTabStopDistance(fm.horizontalAdvance(QLatin1Char('x')) * 8);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList lines;
  int lastStart = 0;
  bool more = false;
  // Lines before the last one that fits are taken as laid out.
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    if (lines.size() == maxLines - 1) {
      lastStart = line.textStart();
      more = line.textStart() + line.textLength() < text.size();
      break;
    }
    QString part = text.mid(line.textStart(), line.textLength());
    while (part.endsWith(QLatin1Char('\n')) || part.endsWith(QLatin1Char('\r')) || part.endsWith(QLatin1Char(' ')))
      part.chop(1);
    lines << part;
  }
  layout.endLayout();
  if (!more) return text;
  QString rest = text.mid(lastStart);
  rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
  lines << fm.elidedText(rest, Qt::ElideRight, width);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

TCanvas::TCanvas(QImage* image) : fOwned(std::make_unique<QPainter>(image)), fPainter(fOwned.get()), fImage(image) {
  Setup();
}

TCanvas::TCanvas(QPaintDevice* device) : fOwned(std::make_unique<QPainter>(device)), fPainter(fOwned.get()) { Setup(); }

TCanvas::TCanvas(QPainter* painter) : fPainter(painter) { Setup(); }

TCanvas::~TCanvas() = default;

void TCanvas::Setup() {
  fPainter->setRenderHint(QPainter::Antialiasing, false);
  fPainter->setRenderHint(QPainter::TextAntialiasing, true);
  Font.Font = fPainter->font();
}

void TCanvas::ApplyFont() {
  QFont f = Font.Font;
  if (CharacterExtra != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, CharacterExtra);
  fPainter->setFont(f);
}

QBrush TCanvas::CurrentBrush() const {
  if (!Brush.Bitmap.isNull()) return QBrush(Brush.Bitmap);
  return QBrush(ToQColor(Brush.Color), HatchOf(Brush.Style));
}

QPen TCanvas::CurrentPen() const {
  if (Pen.Style == psClear) return QPen(Qt::NoPen);
  QPen pen(ToQColor(Pen.Color));
  pen.setWidth(std::max(1, Pen.Width));
  pen.setStyle(PenStyleOf(Pen.Style));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void TCanvas::MoveTo(int x, int y) { PenPos = {x, y}; }

void TCanvas::PlotLine(int x0, int y0, int x1, int y1, bool includeEnd) {
  if (Pen.Style == psClear) return;
  if (Pen.Width > 1 || Pen.Style != psSolid) {
    fPainter->setPen(CurrentPen());
    fPainter->drawLine(x0, y0, x1, y1);
    return;
  }
  std::vector<QPoint> points;
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (true) {
    if (x == x1 && y == y1) {
      if (includeEnd) points.emplace_back(x, y);
      break;
    }
    points.emplace_back(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  fPainter->setPen(QPen(ToQColor(Pen.Color), 1));
  fPainter->drawPoints(points.data(), static_cast<int>(points.size()));
}

void TCanvas::LineTo(int x, int y) {
  PlotLine(PenPos.X, PenPos.Y, x, y, false);
  PenPos = {x, y};
}

void TCanvas::FillRect(const TRect& r) {
  if (IsRectEmpty(r) || (Brush.Style == bsClear && Brush.Bitmap.isNull())) return;
  fPainter->fillRect(ToQRect(r), CurrentBrush());
}

void TCanvas::FrameRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  const QBrush b = CurrentBrush();
  fPainter->fillRect(QRect(r.Left, r.Top, r.Width(), 1), b);
  fPainter->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), b);
  fPainter->fillRect(QRect(r.Left, r.Top, 1, r.Height()), b);
  fPainter->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), b);
}

void TCanvas::Rectangle(const TRect& r) {
  if (IsRectEmpty(r)) return;
  if (Pen.Style == psClear) {
    FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    return;
  }
  const int w = std::max(1, Pen.Width);
  FillRect(Rect(r.Left + w, r.Top + w, r.Right - w, r.Bottom - w));
  const QBrush pen(ToQColor(Pen.Color));
  for (int k = 0; k < w && r.Left + k < r.Right - k && r.Top + k < r.Bottom - k; ++k) {
    const TRect f = Rect(r.Left + k, r.Top + k, r.Right - k, r.Bottom - k);
    fPainter->fillRect(QRect(f.Left, f.Top, f.Width(), 1), pen);
    fPainter->fillRect(QRect(f.Left, f.Bottom - 1, f.Width(), 1), pen);
    fPainter->fillRect(QRect(f.Left, f.Top, 1, f.Height()), pen);
    fPainter->fillRect(QRect(f.Right - 1, f.Top, 1, f.Height()), pen);
  }
}

void TCanvas::Ellipse(const TRect& r) {
  if (IsRectEmpty(r)) return;
  fPainter->setPen(CurrentPen());
  fPainter->setBrush(Brush.Style == bsClear && Brush.Bitmap.isNull() ? QBrush(Qt::NoBrush) : CurrentBrush());
  fPainter->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  QPolygon poly;
  for (const TPoint& p : points) poly << ToQPoint(p);
  fPainter->setPen(CurrentPen());
  fPainter->setBrush(Brush.Style == bsClear && Brush.Bitmap.isNull() ? QBrush(Qt::NoBrush) : CurrentBrush());
  fPainter->drawPolygon(poly);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TCanvas::SetPixel(int x, int y, TColor color) { fPainter->fillRect(QRect(x, y, 1, 1), ToQColor(color)); }

TColor TCanvas::Pixel(int x, int y) const {
  if (!fImage || !fImage->rect().contains(x, y)) return clNone;
  return FromQColor(fImage->pixelColor(x, y));
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  // Every other pixel of the frame, inverted.
  const auto old = fPainter->compositionMode();
  fPainter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const QColor white(Qt::white);
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) fPainter->fillRect(QRect(x, y, 1, 1), white);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    if (r.Bottom - 1 != r.Top) dot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 != r.Left) dot(r.Right - 1, y);
  }
  fPainter->setCompositionMode(old);
}

void TCanvas::Draw(int x, int y, const QImage& image) { fPainter->drawImage(x, y, image); }

void TCanvas::StretchDraw(const TRect& r, const QImage& image) { fPainter->drawImage(ToQRect(r), image); }

void TCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) {
  fPainter->drawImage(ToQRect(dest), source, ToQRect(sourceRect));
}

void TCanvas::SetClipRect(const TRect& r) { fPainter->setClipRect(ToQRect(r)); }

void TCanvas::ResetClip() { fPainter->setClipping(false); }

int TCanvas::TextWidth(const QString& text) const {
  QFont f = Font.Font;
  if (CharacterExtra != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, CharacterExtra);
  return QFontMetrics(f).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return QFontMetrics(Font.Font).height(); }

void TCanvas::TextOut(int x, int y, const QString& text) {
  ApplyFont();
  const QFontMetrics fm(fPainter->font());
  const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
  if (Brush.Style != bsClear) fPainter->fillRect(box, ToQColor(Brush.Color));
  fPainter->setPen(ToQColor(Font.Color));
  fPainter->drawText(x, y + fm.ascent(), text);
  PenPos = {x + box.width(), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text) {
  fPainter->save();
  fPainter->setClipRect(ToQRect(r), Qt::IntersectClip);
  if (Brush.Style != bsClear) FillRect(r);
  ApplyFont();
  const QFontMetrics fm(fPainter->font());
  fPainter->setPen(ToQColor(Font.Color));
  fPainter->drawText(x, y + fm.ascent(), text);
  fPainter->restore();
}

int TCanvas::DrawText(const QString& source, TRect& r, unsigned flags) {
  ApplyFont();
  const QFontMetrics fm(fPainter->font());
  QString text = source;
  int qtFlags = 0;
  if (flags & DT_NOPREFIX) {
  } else if (flags & DT_HIDEPREFIX) {
    qtFlags |= Qt::TextHideMnemonic;
  } else {
    qtFlags |= Qt::TextShowMnemonic;
  }
  if (flags & DT_EXPANDTABS) qtFlags |= Qt::TextExpandTabs;
  const bool single = flags & DT_SINGLELINE;
  if (single)
    qtFlags |= Qt::TextSingleLine;
  else if (flags & DT_WORDBREAK)
    qtFlags |= Qt::TextWordWrap;
  if (flags & DT_CENTER)
    qtFlags |= Qt::AlignHCenter;
  else if (flags & DT_RIGHT)
    qtFlags |= Qt::AlignRight;
  else
    qtFlags |= Qt::AlignLeft;
  if (single && (flags & DT_VCENTER))
    qtFlags |= Qt::AlignVCenter;
  else if (single && (flags & DT_BOTTOM))
    qtFlags |= Qt::AlignBottom;
  else
    qtFlags |= Qt::AlignTop;
  if ((flags & DT_END_ELLIPSIS) && !single && (flags & DT_WORDBREAK)) {
    // Wrapped first; only the last line that fits is shortened.
    if (qtFlags & Qt::TextShowMnemonic) {
      text.replace(QStringLiteral("&&"), QString(QChar(0x1)));
      text.remove(QLatin1Char('&'));
      text.replace(QChar(0x1), QLatin1Char('&'));
      qtFlags &= ~Qt::TextShowMnemonic;
    }
    if (!(flags & DT_CALCRECT))
      text = WrapThenElide(text, fPainter->font(), std::max(1, r.Width()), r.Height(), flags & DT_EXPANDTABS);
  } else if (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) {
    const Qt::TextElideMode mode = (flags & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
    text = fm.elidedText(text, mode, std::max(0, r.Width()), qtFlags & Qt::TextShowMnemonic);
  }
  if (flags & DT_CALCRECT) {
    if (single || !(flags & DT_WORDBREAK)) {
      QString shown = text;
      if (!(flags & DT_NOPREFIX)) {
        shown.replace(QStringLiteral("&&"), QString(QChar(0x1)));
        shown.remove(QLatin1Char('&'));
        shown.replace(QChar(0x1), QLatin1Char('&'));
      }
      const QStringList lines = single ? QStringList{shown} : shown.split(QLatin1Char('\n'));
      int width = 0;
      for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line));
      const int height = fm.height() * static_cast<int>(lines.size());
      r.Right = r.Left + width;
      r.Bottom = r.Top + height;
      return height;
    }
    const int width = (!single && (flags & DT_WORDBREAK)) ? std::max(1, r.Width()) : 1 << 20;
    const QRect box = fm.boundingRect(QRect(0, 0, width, 1 << 20), qtFlags & ~(Qt::AlignHCenter | Qt::AlignRight),
                                      text.isEmpty() ? QStringLiteral(" ") : text);
    r.Right = r.Left + (text.isEmpty() ? 0 : box.width());
    r.Bottom = r.Top + box.height();
    return box.height();
  }
  const QRect target = ToQRect(r);
  QRect bounds = fPainter->boundingRect(target, qtFlags, text);
  if (Brush.Style != bsClear && !text.isEmpty()) fPainter->fillRect(bounds.intersected(target), ToQColor(Brush.Color));
  fPainter->save();
  if (!(flags & DT_NOCLIP)) fPainter->setClipRect(target, Qt::IntersectClip);
  fPainter->setPen(ToQColor(Font.Color));
  fPainter->drawText(target, qtFlags, text, &bounds);
  fPainter->restore();
  return bounds.bottom() + 1 - r.Top;
}

void TCanvas::EdgeLines(const TRect& r, TColor topLeft, TColor bottomRight, unsigned sides) {
  if (IsRectEmpty(r)) return;
  const QColor tl = ToQColor(topLeft);
  const QColor br = ToQColor(bottomRight);
  // The bottom-right colour owns the top-right and bottom-left corner pixels.
  if (sides & BF_LEFT) fPainter->fillRect(QRect(r.Left, r.Top, 1, r.Height() - ((sides & BF_BOTTOM) ? 1 : 0)), tl);
  if (sides & BF_TOP) fPainter->fillRect(QRect(r.Left, r.Top, r.Width() - ((sides & BF_RIGHT) ? 1 : 0), 1), tl);
  if (sides & BF_RIGHT) fPainter->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), br);
  if (sides & BF_BOTTOM) fPainter->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), br);
}

bool TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags) {
  const EdgeColours c = ColoursOf(edge, flags);
  TRect inner = r;
  auto shrink = [&](TRect& x) {
    if (flags & BF_LEFT) ++x.Left;
    if (flags & BF_TOP) ++x.Top;
    if (flags & BF_RIGHT) --x.Right;
    if (flags & BF_BOTTOM) --x.Bottom;
  };
  if (c.outerTopLeft != clNone) {
    EdgeLines(inner, c.outerTopLeft, c.outerBottomRight, flags);
    shrink(inner);
  }
  if (c.innerTopLeft != clNone) {
    EdgeLines(inner, c.innerTopLeft, c.innerBottomRight, flags);
    shrink(inner);
  }
  if (flags & BF_MIDDLE) fPainter->fillRect(ToQRect(inner), ToQColor((flags & BF_MONO) ? clWindow : clBtnFace));
  if (flags & BF_ADJUST) r = inner;
  return true;
}

void TCanvas::DrawArrowGlyph(const TRect& r, int direction, TColor color) {
  // A filled triangle centred in r; direction 0 up, 1 down, 2 left, 3 right.
  const int size = std::max(2, std::min(r.Width(), r.Height()) / 4);
  const int cx = r.Left + r.Width() / 2;
  const int cy = r.Top + r.Height() / 2;
  const QColor q = ToQColor(color);
  for (int k = 0; k < size; ++k) {
    switch (direction) {
      case 0:
        fPainter->fillRect(QRect(cx - k, cy - size / 2 + k, 2 * k + 1, 1), q);
        break;
      case 1:
        fPainter->fillRect(QRect(cx - (size - 1 - k), cy - size / 2 + k, 2 * (size - 1 - k) + 1, 1), q);
        break;
      case 2:
        fPainter->fillRect(QRect(cx - size / 2 + k, cy - k, 1, 2 * k + 1), q);
        break;
      default:
        fPainter->fillRect(QRect(cx - size / 2 + k, cy - (size - 1 - k), 1, 2 * (size - 1 - k) + 1), q);
        break;
    }
  }
}

bool TCanvas::DrawFrameControl(const TRect& rect, unsigned kind, unsigned state) {
  TRect r = rect;
  const bool pushed = state & DFCS_PUSHED;
  const bool inactive = state & DFCS_INACTIVE;
  const bool flat = state & DFCS_FLAT;
  auto buttonFace = [&]() {
    if (flat) {
      fPainter->fillRect(ToQRect(r), ToQColor(clBtnFace));
      TRect frame = r;
      DrawEdge(frame, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
      r = frame;
    } else if (pushed) {
      DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    } else {
      DrawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    if (pushed) OffsetRect(r, 1, 1);
  };
  const TColor glyph = inactive ? clGrayText : clBtnText;
  switch (kind) {
    case DFC_BUTTON: {
      if (state & DFCS_BUTTONPUSH) {
        buttonFace();
        return true;
      }
      const int size = std::min(r.Width(), r.Height());
      TRect box = Bounds(r.Left, r.Top + (r.Height() - size) / 2, size, size);
      if (state & DFCS_BUTTONRADIO) {
        fPainter->setRenderHint(QPainter::Antialiasing, true);
        fPainter->setPen(ToQColor(clBtnShadow));
        fPainter->setBrush(ToQColor(pushed || inactive ? clBtnFace : clWindow));
        fPainter->drawEllipse(QRectF(box.Left + 0.5, box.Top + 0.5, size - 1, size - 1));
        if (state & DFCS_CHECKED) {
          fPainter->setPen(Qt::NoPen);
          fPainter->setBrush(ToQColor(glyph));
          const double d = size / 3.0;
          fPainter->drawEllipse(QRectF(box.Left + d, box.Top + d, size - 2 * d, size - 2 * d));
        }
        fPainter->setRenderHint(QPainter::Antialiasing, false);
        return true;
      }
      DrawEdge(box, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT | BF_ADJUST | (flat ? BF_FLAT : 0u));
      fPainter->fillRect(ToQRect(box), ToQColor(pushed || inactive ? clBtnFace : clWindow));
      if (state & DFCS_CHECKED) {
        // A tick of three-pixel strokes.
        const QColor q = ToQColor(glyph);
        const int x0 = box.Left + 1, y0 = box.Top + box.Height() / 2 - 1;
        const int w = box.Width() - 2;
        for (int i = 0; i < w; ++i) {
          const int y = i < w / 3 ? y0 + i : y0 + w / 3 - (i - w / 3);
          fPainter->fillRect(QRect(x0 + i, y, 1, 3), q);
        }
      }
      return true;
    }
    case DFC_SCROLL: {
      const unsigned which = state & 0xFF;
      if (which == DFCS_SCROLLSIZEGRIP) {
        const QColor light = ToQColor(clBtnHighlight);
        const QColor dark = ToQColor(clBtnShadow);
        for (int k = 1; k + 3 <= std::min(r.Width(), r.Height()); k += 4) {
          for (int j = 0; j < 3; ++j) {
            const QColor c = j == 0 ? light : dark;
            const int d = k + j;
            for (int i = 0; i < d; ++i) fPainter->fillRect(QRect(r.Right - d + i, r.Bottom - 1 - i, 1, 1), c);
          }
        }
        return true;
      }
      buttonFace();
      int dir = 1;
      if (which == DFCS_SCROLLUP)
        dir = 0;
      else if (which == DFCS_SCROLLLEFT)
        dir = 2;
      else if (which == DFCS_SCROLLRIGHT)
        dir = 3;
      if (inactive) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        DrawArrowGlyph(shadow, dir, clBtnHighlight);
      }
      DrawArrowGlyph(r, dir, inactive ? clBtnShadow : clBtnText);
      return true;
    }
    case DFC_CAPTION: {
      buttonFace();
      const QColor q = ToQColor(glyph);
      const int m = std::max(2, std::min(r.Width(), r.Height()) / 4);
      const TRect g = Rect(r.Left + m, r.Top + m, r.Right - m, r.Bottom - m);
      const unsigned which = state & 0xFF;
      if (which == DFCS_CAPTIONCLOSE) {
        const int n = std::min(g.Width(), g.Height());
        for (int i = 0; i < n; ++i) {
          fPainter->fillRect(QRect(g.Left + i, g.Top + i, 2, 1), q);
          fPainter->fillRect(QRect(g.Left + n - 1 - i, g.Top + i, 2, 1), q);
        }
      } else if (which == DFCS_CAPTIONMIN) {
        fPainter->fillRect(QRect(g.Left, g.Bottom - 2, g.Width(), 2), q);
      } else {
        fPainter->fillRect(QRect(g.Left, g.Top, g.Width(), 2), q);
        const TRect box = g;
        fPainter->fillRect(QRect(box.Left, box.Top, 1, box.Height()), q);
        fPainter->fillRect(QRect(box.Right - 1, box.Top, 1, box.Height()), q);
        fPainter->fillRect(QRect(box.Left, box.Bottom - 1, box.Width(), 1), q);
      }
      return true;
    }
    case DFC_MENU:
      fPainter->fillRect(ToQRect(r), ToQColor(clMenu));
      return true;
    default:
      return false;
  }
}

QImage CheckeredPattern(TColor color1, TColor color2) {
  QImage image(8, 8, QImage::Format_RGB32);
  const QRgb a = ToQColor(color1).rgb();
  const QRgb b = ToQColor(color2).rgb();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image.setPixel(x, y, ((x + y) & 1) ? b : a);
  return image;
}

}  // namespace zyn
