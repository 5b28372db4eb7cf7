#include "widgets/controls/ZCLGraph.h"

#include "platform/RasterOps.h"
#include "widgets/controls/ZCLProcs.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zyn {

void DrawBevelFrame(TCanvas& canvas, TRect& r, TZCLBevelStyle style, int width, TColor shadow, TColor light) {
  if (style == bvNone || style == bvShadow || width <= 0) return;
  TColor topLeft = light, bottomRight = shadow;
  if (style == bvLowered || style == bvFrameLowered) std::swap(topLeft, bottomRight);
  if (style == bvNormal) topLeft = bottomRight = clBlack;
  const TBrush oldBrush = canvas.Brush;
  const TPen oldPen = canvas.Pen;
  if (style == bvFrameLowered || style == bvFrameRaised) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Bitmap = QImage();
    for (int k = 0; k < width; ++k) {
      canvas.Brush.Color = bottomRight;
      canvas.FrameRect(Rect(r.Left + k + 1, r.Top + k + 1, r.Right, r.Bottom));
      canvas.Brush.Color = topLeft;
      canvas.FrameRect(Rect(r.Left, r.Top, r.Right - k - 1, r.Bottom - k - 1));
    }
    r = Rect(r.Left + width + 1, r.Top + width + 1, r.Right - width - 1, r.Bottom - width - 1);
  } else if (width == 1) {
    canvas.Pen = TPen{topLeft, 1, psSolid};
    canvas.Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
    canvas.Pen.Color = bottomRight;
    canvas.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}});
    InflateRect(r, -1, -1);
  } else {
    canvas.Pen.Style = psClear;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Bitmap = QImage();
    canvas.Brush.Color = bottomRight;
    canvas.Polygon({{r.Right, r.Top},
                    {r.Right, r.Bottom},
                    {r.Left, r.Bottom},
                    {r.Left + width, r.Bottom - width},
                    {r.Right - width, r.Bottom - width},
                    {r.Right - width, r.Top + width}});
    canvas.Brush.Color = topLeft;
    canvas.Polygon({{r.Left, r.Bottom},
                    {r.Left, r.Top},
                    {r.Right, r.Top},
                    {r.Right - width, r.Top + width},
                    {r.Left + width, r.Top + width},
                    {r.Left + width, r.Bottom - width}});
    InflateRect(r, -width, -width);
  }
  canvas.Brush = oldBrush;
  canvas.Pen = oldPen;
}

void DrawShadowFrame(TCanvas& canvas, TRect& r, TColor frameColor, bool transparent, int frames, int shadowWidth,
                     TColor cornerColor, TColor shadowColor) {
  const TBrush old = canvas.Brush;
  canvas.Brush = TBrush{shadowColor, bsSolid, QImage()};
  const int s = shadowWidth;
  canvas.FillRect(Rect(r.Right - s, r.Top + s, r.Right, r.Bottom));
  canvas.FillRect(Rect(r.Left + s, r.Bottom - s, r.Right, r.Bottom));
  if (!transparent) {
    canvas.Brush.Color = cornerColor;
    canvas.FillRect(Rect(r.Right - s, r.Top, r.Right, r.Top + s));
    canvas.FillRect(Rect(r.Left, r.Bottom - s, r.Left + s, r.Bottom));
  }
  r = Rect(r.Left, r.Top, r.Right - s, r.Bottom - s);
  canvas.Brush.Color = frameColor;
  for (int i = 0; i < frames; ++i) {
    canvas.FrameRect(r);
    InflateRect(r, -1, -1);
  }
  canvas.Brush = old;
}

int StandardBorderWidth(TZCLBorderStyle style) {
  switch (style) {
    case lsNone:
      return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered:
      return 1;
    default:
      return 2;
  }
}

void DrawStandardBorder(TCanvas& canvas, TRect& r, TZCLBorderStyle style, unsigned f) {
  const unsigned sa = BF_SOFT | BF_ADJUST;
  switch (style) {
    case lsNone:
      break;
    case lsSingle:
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | sa | BF_TOPLEFT);
      canvas.DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      break;
    case lsLowered:
      canvas.DrawEdge(r, EDGE_SUNKEN, f | sa | BF_RECT);
      break;
    case lsRaised:
      canvas.DrawEdge(r, EDGE_RAISED, f | sa | BF_RECT);
      break;
    case lsRaisedspb:
      canvas.DrawEdge(r, BDR_RAISEDOUTER, f | sa | BF_RECT);
      canvas.DrawEdge(r, BDR_RAISEDINNER, BF_ADJUST | BF_BOTTOMRIGHT);
      break;
    case lsLoweredspb:
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      canvas.DrawEdge(r, BDR_SUNKENINNER, f | BF_ADJUST | BF_TOPLEFT);
      break;
    case lsRaisedExt:
      canvas.DrawEdge(r, BDR_RAISEDOUTER, f | sa | BF_RECT);
      canvas.DrawEdge(r, BDR_RAISEDINNER, BF_ADJUST | BF_BOTTOMRIGHT);
      ++r.Left;
      ++r.Top;
      break;
    case lsLoweredExt:
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      canvas.DrawEdge(r, BDR_SUNKENINNER, BF_ADJUST | BF_TOPLEFT);
      --r.Right;
      --r.Bottom;
      break;
    case lsFrameInset:
      canvas.DrawEdge(r, EDGE_ETCHED, f | BF_ADJUST | BF_RECT);
      break;
    case lsFrameOffset:
      canvas.DrawEdge(r, BDR_RAISEDINNER, f | BF_ADJUST | BF_RECT);
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      break;
    case lsWindowBorder:
      canvas.DrawEdge(r, BDR_RAISEDOUTER, f | BF_ADJUST | BF_BOTTOMRIGHT);
      ++r.Left;
      ++r.Top;
      canvas.DrawEdge(r, BDR_RAISEDINNER, f | BF_ADJUST | BF_RECT);
      break;
    case lsSingleRaised:
      canvas.DrawEdge(r, BDR_RAISEDINNER, f | BF_ADJUST | BF_RECT);
      break;
    case lsSingleLowered:
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      break;
    case lsDoubleRaised:
      canvas.DrawEdge(r, BDR_RAISEDINNER, f | BF_ADJUST | BF_RECT);
      canvas.DrawEdge(r, BDR_RAISEDINNER, f | BF_ADJUST | BF_RECT);
      break;
    case lsDoubleLowered:
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      canvas.DrawEdge(r, BDR_SUNKENOUTER, f | BF_ADJUST | BF_RECT);
      break;
  }
}

void DrawSmallArrow(TCanvas& canvas, int x, int y, int size, TColor color, bool downward, bool enabled) {
  if (size < 2 || size > 15) return;
  const TPen old = canvas.Pen;
  auto draw = [&](int ox, int oy, TColor c) {
    canvas.Pen = TPen{c, 1, psSolid};
    if (downward) {
      for (int k = 0; k <= size - 2; ++k) {
        canvas.MoveTo(ox + k, oy + k);
        canvas.LineTo(ox + 2 * size - k - 1, oy + k);
      }
      canvas.SetPixel(ox + size - 1, oy + size - 1, c);
    } else {
      const int m = ox + size / 2;
      for (int k = 0; k <= size - 1; ++k) {
        canvas.MoveTo(m - k, oy + k);
        canvas.LineTo(m + k + 1, oy + k);
      }
    }
  };
  if (!enabled) draw(x + 1, y + 1, clHighlightText);
  draw(x, y, enabled ? color : clGrayText);
  canvas.Pen = old;
}

TColor BlendColor(TColor c1, TColor c2, int step, int steps) {
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  auto channel = [&](int ca, int cb) {
    return static_cast<int>(std::lround(static_cast<double>(step) * (cb - ca) / steps + ca));
  };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

TRect AlignRect(TZCLAlignment alignment, const TRect& inner, const TRect& outer) {
  const int w = inner.Width(), h = inner.Height();
  const int W = outer.Width(), H = outer.Height();
  const int column = static_cast<int>(alignment) % 3;
  const int row = static_cast<int>(alignment) / 3;
  const int dx = column == 0 ? 0 : column == 1 ? (W - w) / 2 : W - w;
  const int dy = row == 0 ? 0 : row == 1 ? (H - h) / 2 : H - h;
  return Bounds(outer.Left + dx, outer.Top + dy, w, h);
}

void BuildColorRange(TColor from, TColor to, int count, bool restart, std::vector<TColor>& table) {
  if (count <= 0) return;
  if (restart) table.clear();
  const TColor a = ColorToRGB(from), b = ColorToRGB(to);
  for (int k = restart ? 0 : 1; k < count; ++k) {
    auto ch = [&](int ca, int cb) { return count == 1 ? ca : ca + MulDiv(k, cb - ca, count - 1); };
    table.push_back(
        RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b))));
  }
}

void GradientFill(TCanvas& canvas, const TRect& r, TZCLGradientStyle style, const std::vector<TColor>& table,
                  unsigned flags, std::uint32_t clipOffset) {
  const int n = static_cast<int>(table.size());
  if (n == 0 || IsRectEmpty(r)) return;
  if (flags & (gfClip | gfOffscreen)) {
    QPainter& p = canvas.Painter();
    p.save();
    if (flags & gfClip) {
      TRect clip = r;
      OffsetRect(clip, static_cast<std::int16_t>(clipOffset & 0xFFFF), static_cast<std::int16_t>(clipOffset >> 16));
      p.setClipRect(ToQRect(clip), Qt::IntersectClip);
    }
    if (flags & gfOffscreen) {
      // Painted at the origin of a bitmap of the rectangle's size, then copied to its top-left.
      QImage off(r.Width(), r.Height(), QImage::Format_RGB32);
      off.fill(Qt::black);
      {
        TCanvas oc(&off);
        GradientFill(oc, Rect(0, 0, r.Width(), r.Height()), style, table, 0, 0);
      }
      p.drawImage(r.Left, r.Top, off);
    } else {
      GradientFill(canvas, r, style, table, 0, 0);
    }
    p.restore();
    return;
  }
  const TBrush oldBrush = canvas.Brush;
  const TPen oldPen = canvas.Pen;
  canvas.Brush = TBrush{clBlack, bsSolid, QImage()};
  canvas.Pen.Style = psClear;
  const int w = r.Width(), h = r.Height();
  const int cx = r.Left + w / 2, cy = r.Top + h / 2;
  if (style == gstHorizontal) {
    for (int i = 0; i < n; ++i) {
      canvas.Brush.Color = table[i];
      canvas.FillRect(Rect(r.Left + MulDiv(i, w, n), r.Top, r.Left + MulDiv(i + 1, w, n), r.Bottom));
    }
  } else {
    canvas.Painter().save();
    canvas.SetClipRect(r);
    for (int i = n - 1; i >= 0; --i) {
      canvas.Brush.Color = table[i];
      const int sw = MulDiv(i + 1, w, n), sh = MulDiv(i + 1, h, n);
      switch (style) {
        case gstVertical:
          canvas.FillRect(Rect(r.Left, r.Top + MulDiv(i, h, n), r.Right, r.Top + MulDiv(i + 1, h, n)));
          break;
        case gstSquare:
          canvas.FillRect(Rect(cx - sw / 2, cy - sh / 2, cx + sw / 2 + 2, cy + sh / 2 + 2));
          break;
        case gstElliptic: {
          const int ax = static_cast<int>(std::lround(sw / 1.4)), ay = static_cast<int>(std::lround(sh / 1.4));
          canvas.Ellipse(Rect(cx - ax, cy - ay, cx + ax, cy + ay));
          break;
        }
        case gstTopLeft:
          canvas.FillRect(Rect(r.Left, r.Top, r.Left + sw, r.Top + sh));
          break;
        case gstTopRight:
          canvas.FillRect(Rect(r.Right - sw, r.Top, r.Right, r.Top + sh));
          break;
        case gstBottomLeft:
          canvas.FillRect(Rect(r.Left, r.Bottom - sh, r.Left + sw, r.Bottom));
          break;
        case gstBottomRight:
          canvas.FillRect(Rect(r.Right - sw, r.Bottom - sh, r.Right, r.Bottom));
          break;
        case gstTopLeftDiagonal:
          canvas.Polygon({{r.Left, r.Top}, {r.Left + 2 * sw, r.Top}, {r.Left, r.Top + 2 * sh}});
          break;
        case gstTopRightDiagonal:
          canvas.Polygon({{r.Right, r.Top}, {r.Right - 2 * sw, r.Top}, {r.Right, r.Top + 2 * sh}});
          break;
        default:
          break;
      }
    }
    canvas.Painter().restore();
  }
  canvas.Brush = oldBrush;
  canvas.Pen = oldPen;
}

bool HasHotLook(TZCLUserButtonStyle style) {
  switch (style) {
    case ubsDelphi:
    case ubsDelphiFlat:
    case ubsFlat:
    case ubsNavigator:
    case ubsExplorer:
    case ubsExplorerColored:
    case ubsOffice:
    case ubsOfficeTransp:
      return true;
    default:
      return false;
  }
}

bool IsFlatStyle(TZCLUserButtonStyle style) {
  return (style >= ubsDelphiFlat && style <= ubsExplorerColored) || style >= ubsOffice;
}

int ContentInset(TZCLUserButtonStyle style) {
  switch (style) {
    case ubsWin31:
      return 3;
    case ubsWin40:
    case ubsDelphi:
    case ubsDelphiFlat:
    case ubsNavigator:
    case ubsIntegrated:
    case ubsWin40Ext:
      return 2;
    default:
      return 1;
  }
}

namespace {

bool IsPressedState(int state) {
  return state == bstPushed || state == bstDropped || state == bstDisabledDown || state == bstDown;
}

bool IsExplorer(TZCLUserButtonStyle style) { return style == ubsExplorer || style == ubsExplorerColored; }

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
  const TBrush old = canvas.Brush;
  canvas.Brush = TBrush{color, bsSolid, QImage()};
  canvas.FillRect(r);
  canvas.Brush = old;
}

void Frame(TCanvas& canvas, const TRect& r, TColor color) {
  const TBrush old = canvas.Brush;
  canvas.Brush = TBrush{color, bsSolid, QImage()};
  canvas.FrameRect(r);
  canvas.Brush = old;
}

void FocusRect(TCanvas& canvas, const TRect& r) { canvas.DrawFocusRect(r); }

}  // namespace

void DrawClassicButtonFrame(TCanvas& canvas, bool hot, TRect& r, TColor color, unsigned flags, int state,
                            TZCLUserButtonStyle style) {
  const bool pressed = IsPressedState(state);
  const bool focused = flags & bfFocused;
  if (state == bstDown) {
    if (!IsExplorer(style)) {
      if (IsFlatStyle(style) && hot)
        Fill(canvas, r, color);
      else {
        const TBrush old = canvas.Brush;
        canvas.Brush.Bitmap = CheckeredPattern(color, clBtnHighlight);
        canvas.FillRect(r);
        canvas.Brush = old;
      }
    }
  } else if (!IsExplorer(style)) {
    Fill(canvas, r, color);
  }
  if (!pressed && (focused || (flags & bfDefault))) {
    Frame(canvas, r, clWindowFrame);
    if (style == ubsWin31 && (flags & bfWin31Corners)) {
      canvas.SetPixel(r.Left, r.Top, clBtnFace);
      canvas.SetPixel(r.Right - 1, r.Top, clBtnFace);
      canvas.SetPixel(r.Left, r.Bottom - 1, clBtnFace);
      canvas.SetPixel(r.Right - 1, r.Bottom - 1, clBtnFace);
    }
    InflateRect(r, -1, -1);
  }
  const TRect outer = r;
  TRect e = r;
  switch (style) {
    case ubsWin31:
      canvas.DrawEdge(e, BDR_SUNKENOUTER, 0x1003);
      canvas.DrawEdge(e, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      InflateRect(e, -1, -1);
      if (pressed)
        canvas.DrawEdge(e, BDR_SUNKENINNER, BF_TOPLEFT);
      else {
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200F);
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200F);
      }
      break;
    case ubsWin40:
      if (flags & bfSpaced) {
        if (!pressed)
          DrawStandardBorder(canvas, e, lsRaisedspb, BF_RECT);
        else if (flags & bfSunkenPressed)
          canvas.DrawEdge(e, EDGE_SUNKEN, BF_RECT);
        else
          DrawStandardBorder(canvas, e, lsLowered);
      } else if (pressed) {
        Frame(canvas, e, clBlack);
        InflateRect(e, -1, -1);
        Frame(canvas, e, clGray);
      } else if (focused) {
        canvas.DrawEdge(e, BDR_RAISEDOUTER, 0x300F);
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200C);
      } else {
        DrawStandardBorder(canvas, e, lsRaisedspb);
      }
      break;
    case ubsDelphi:
      Frame(canvas, e, clBlack);
      InflateRect(e, -1, -1);
      if (pressed) {
        Fill(canvas, Rect(e.Left, e.Top, e.Right, e.Top + 1), clGray);
        Fill(canvas, Rect(e.Left, e.Top, e.Left + 1, e.Bottom), clGray);
      } else {
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200F);
      }
      break;
    case ubsIntegrated:
    case ubsCombo:
      if (pressed) {
        Frame(canvas, e, clGray);
      } else {
        Frame(canvas, e, clBlack);
        InflateRect(e, -1, -1);
        Fill(canvas, Rect(e.Left, e.Top, e.Right, e.Top + 1), clBtnFace);
        Fill(canvas, Rect(e.Left, e.Top, e.Left + 1, e.Bottom), clBtnFace);
        Frame(canvas, Rect(e.Left + 1, e.Top + 1, e.Right, e.Bottom), clWhite);
        Fill(canvas, Rect(e.Right - 1, e.Top + 1, e.Right, e.Bottom), clGray);
        Fill(canvas, Rect(e.Left + 1, e.Bottom - 1, e.Right, e.Bottom), clGray);
      }
      break;
    case ubsWin40Ext:
      if (pressed)
        canvas.DrawEdge(e, EDGE_SUNKEN, BF_RECT);
      else if (hot)
        DrawStandardBorder(canvas, e, lsRaisedspb);
      else
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200F);
      break;
    default:  // the flat styles
      if ((style == ubsNavigator || style == ubsDelphiFlat) && (pressed || hot)) {
        const TPen old = canvas.Pen;
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(e);
        canvas.Brush.Style = bsSolid;
        canvas.Pen = old;
        InflateRect(e, -1, -1);
      }
      if (pressed)
        canvas.DrawEdge(e, BDR_SUNKENOUTER, 0x200F);
      else if (!hot) {
        if (!IsExplorer(style)) Fill(canvas, e, color);
      } else {
        canvas.DrawEdge(e, BDR_RAISEDINNER, 0x200F);
      }
      break;
  }
  if (focused) {
    TRect f = outer;
    const int inset = pressed ? 4 : 3;
    InflateRect(f, -inset, -inset);
    FocusRect(canvas, f);
  }
  r = outer;
  const int content = style == ubsWin31 ? 4 : 3;
  InflateRect(r, -content, -content);
  if (pressed) OffsetRect(r, 1, 1);
}

void DrawButtonFrame(TCanvas& canvas, bool hot, TColor color, unsigned flags, int state, TZCLUserButtonStyle style,
                     TRect& r) {
  if (style == ubsOffice || style == ubsOfficeTransp) {
    const bool pressed = IsPressedState(state);
    TColor fill = color;
    if (hot || (flags & bfHotLook))
      fill = state == bstDown ? 0xE0A88D : 0xEFD3C6;
    else if (pressed)
      fill = 0xF7DFD6;
    const TBrush oldBrush = canvas.Brush;
    const TPen oldPen = canvas.Pen;
    if (fill != color) {
      canvas.Brush = TBrush{fill, bsSolid, QImage()};
      canvas.Pen = TPen{0xC66931, 1, psSolid};
      canvas.Rectangle(r);
    } else if (style == ubsOffice) {
      canvas.Brush = TBrush{color, bsSolid, QImage()};
      canvas.FillRect(r);
    }
    canvas.Brush = oldBrush;
    canvas.Pen = oldPen;
    if (flags & bfFocused) {
      TRect f = r;
      InflateRect(f, -3, -3);
      canvas.DrawFocusRect(f);
    }
    if (pressed) OffsetRect(r, 1, 1);
    return;
  }
  DrawClassicButtonFrame(canvas, hot, r, color, flags, state, style);
}

QImage MakeGrayGlyph(const QImage& source) {
  QImage result = source.convertToFormat(QImage::Format_RGB32);
  if (result.isNull()) return result;
  const QRgb background = result.pixel(0, 0);
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
  const QRgb light = ToQColor(clBtnHighlight).rgb(), shadow = ToQColor(clBtnShadow).rgb();
  for (int y = 0; y < result.height(); ++y) {
    for (int x = 0; x < result.width(); ++x) {
      const QRgb p = result.pixel(x, y);
      if (p == background) continue;
      const int sum = qRed(p) + qGreen(p) + qBlue(p);
      const int c = -static_cast<int>(std::lround(200 - sum / 3.0));
      QRgb v = black;
      if (sum > c + 550)
        v = white;
      else if (sum > c + 250)
        v = light;
      else if (sum > c + 50)
        v = shadow;
      result.setPixel(x, y, v);
    }
  }
  return result;
}

QImage MakeDisabledGlyph(const QImage& source, TColor transparent) {
  QImage target(source.size(), QImage::Format_RGB32);
  target.fill(ToQColor(transparent));
  QImage mask = MonochromeMask(source, transparent);
  PatBlt(mask, Rect(0, 0, mask.width(), mask.height()), DSTINVERT);
  // The picture is white in the mask now: there the brush is painted, elsewhere the target stays.
  BitBlt(target, 1, 1, source.width(), source.height(), mask, 0, 0, 0x00E20746, clBtnHighlight);
  BitBlt(target, 0, 0, source.width(), source.height(), mask, 0, 0, 0x00E20746, clBtnShadow);
  return target;
}

QImage StockGlyph(TZCLGlyphKind kind) {
  if (kind == gkCustom) return QImage();
  QImage image(13, 14, QImage::Format_RGB32);
  image.fill(ToQColor(clFuchsia));
  QPainter p(&image);
  const QColor ink(Qt::black);
  switch (kind) {
    case gkEllipsis:
      for (int i = 0; i < 3; ++i) p.fillRect(QRect(2 + 4 * i, 9, 2, 2), ink);
      break;
    case gkFile:
      p.setPen(ink);
      p.setBrush(Qt::white);
      p.drawRect(2, 1, 8, 11);
      p.drawLine(4, 4, 8, 4);
      p.drawLine(4, 6, 8, 6);
      p.drawLine(4, 8, 8, 8);
      break;
    case gkFolder:
      p.setPen(ink);
      p.setBrush(QColor(0xFF, 0xFF, 0x80));
      p.drawRect(1, 4, 11, 7);
      p.drawRect(1, 2, 4, 2);
      break;
    case gkCalculator:
      p.setPen(ink);
      p.setBrush(Qt::white);
      p.drawRect(2, 1, 8, 11);
      for (int y = 5; y <= 9; y += 2)
        for (int x = 4; x <= 8; x += 2) p.fillRect(QRect(x, y, 1, 1), ink);
      p.fillRect(QRect(4, 3, 5, 1), ink);
      break;
    case gkCalender:
      p.setPen(ink);
      p.setBrush(Qt::white);
      p.drawRect(1, 2, 10, 10);
      p.fillRect(QRect(2, 3, 9, 2), QColor(0x80, 0, 0));
      for (int y = 6; y <= 10; y += 2)
        for (int x = 3; x <= 9; x += 2) p.fillRect(QRect(x, y, 1, 1), ink);
      break;
    case gkSearch:
      p.setPen(QPen(ink, 1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(1, 1, 7, 7);
      p.drawLine(7, 7, 11, 11);
      p.drawLine(8, 7, 11, 10);
      break;
    case gkColor:
      p.fillRect(QRect(1, 1, 5, 5), Qt::red);
      p.fillRect(QRect(7, 1, 5, 5), Qt::green);
      p.fillRect(QRect(1, 7, 5, 5), Qt::blue);
      p.fillRect(QRect(7, 7, 5, 5), Qt::yellow);
      break;
    case gkFont: {
      QFont f = p.font();
      f.setPixelSize(12);
      f.setBold(true);
      p.setFont(f);
      p.setPen(ink);
      p.drawText(QRect(0, 0, 13, 14), Qt::AlignCenter, QStringLiteral("A"));
      break;
    }
    default:
      break;
  }
  return image;
}

// ---------------------------------------------------------------- bitmaps, fonts, button base

void MakeMaskPair(const QImage& source, TColor transparent, QImage& image, QImage& mask) {
  image = source.convertToFormat(QImage::Format_ARGB32);
  mask = QImage(source.size(), QImage::Format_RGB32);
  const QRgb key = ToQColor(ColorToRGB(transparent)).rgb() & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    auto* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const bool see = (line[x] & 0xFFFFFF) == key;
      if (see) line[x] = 0;
      m[x] = see ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
  }
}

TRect DrawBitmapRect(TCanvas& canvas, const TRect& target, const QImage& bitmap, unsigned flags, TColor color,
                     const QImage& mask) {
  if (bitmap.isNull() || IsRectEmpty(target)) return target;
  QImage image = bitmap;
  if (flags & bdfMasked) {
    // Black mask pixels show the image, white ones the target.
    image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QImage m = mask.isNull() ? QImage() : mask.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height() && !m.isNull() && y < m.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      const auto* ml = reinterpret_cast<const QRgb*>(m.constScanLine(y));
      for (int x = 0; x < image.width() && x < m.width(); ++x)
        if (qGray(ml[x]) > 127) line[x] = 0;
    }
  } else if (flags & (bdfTransparent | bdfColorMask)) {
    const TColor key = (flags & bdfTransparent) ? FromQColor(bitmap.pixelColor(0, bitmap.height() - 1)) : color;
    QImage ignored;
    MakeMaskPair(bitmap, key, image, ignored);
  }
  const int w = image.width(), h = image.height();
  TRect placed = Bounds(target.Left, target.Top, w, h);
  QPainter& p = canvas.Painter();
  p.save();
  if (flags & bdfClip) p.setClipRect(ToQRect(target), Qt::IntersectClip);
  if (flags & bdfStretch) {
    placed = target;
    const bool fromHeight = flags & bdfAspectFromHeight, fromWidth = flags & bdfAspectFromWidth;
    if (fromHeight && fromWidth) {
      placed = FitRect(w, h, target);
    } else if (fromHeight) {
      placed.Right = placed.Left + MulDiv(w, target.Height(), std::max(1, h));
    } else if (fromWidth) {
      placed.Bottom = placed.Top + MulDiv(h, target.Width(), std::max(1, w));
    }
    p.drawImage(ToQRect(placed), image);
  } else if (flags & bdfTile) {
    p.setClipRect(ToQRect(target), Qt::IntersectClip);
    const int columns = target.Width() / w + 1, rows = target.Height() / h + 1;
    for (int row = 0; row <= rows; ++row)
      for (int column = 0; column <= columns; ++column)
        p.drawImage(target.Left + column * w, target.Top + row * h, image);
    placed = target;
  } else {
    if (flags & bdfCenter)
      placed = Bounds(target.Left + (target.Width() - w) / 2, target.Top + (target.Height() - h) / 2, w, h);
    p.drawImage(placed.Left, placed.Top, image);
  }
  p.restore();
  return IsRectEmpty(placed) ? target : placed;
}

TRect DrawBitmapClipped(TCanvas& canvas, const TRect& target, const QImage& bitmap, unsigned flags, TColor color,
                        std::uint32_t clipOffset, const QImage& mask) {
  TRect clip = target;
  OffsetRect(clip, static_cast<std::int16_t>(clipOffset & 0xFFFF), static_cast<std::int16_t>(clipOffset >> 16));
  QPainter& p = canvas.Painter();
  p.save();
  p.setClipRect(ToQRect(clip), Qt::IntersectClip);
  const TRect placed = DrawBitmapRect(canvas, target, bitmap, flags & ~bdfClip, color, mask);
  p.restore();
  return placed;
}

void FillBitmapRect(QImage& bitmap, const TRect& r, TColor color) {
  bitmap = QImage(std::max(0, r.Width()), std::max(0, r.Height()), QImage::Format_RGB32);
  bitmap.fill(ToQColor(ColorToRGB(color)));
}

int FontHeight(const QFont& font) { return QFontMetrics(font).boundingRect(QStringLiteral("Wq")).height(); }

bool IsTrueTypeFont(const TCanvas& canvas) {
  const QFontInfo info(canvas.Font.Font);
  return !info.family().isEmpty() && canvas.Font.Font.styleStrategy() != QFont::PreferBitmap;
}

bool ReadButtonStyle(const QString& name, TZCLUserButtonStyle& style, bool& visualStyles) {
  if (name == QLatin1String("ubsWinXP"))
    style = ubsWin40;
  else if (name == QLatin1String("ubsWinXPCombo"))
    style = ubsCombo;
  else if (name == QLatin1String("ubsWinXPTool"))
    style = ubsExplorer;
  else {
    static const char* const kNames[] = {
        "ubsWin31",         "ubsWin40",     "ubsDelphi",       "ubsDelphiFlat",      "ubsFlat",
        "ubsFlatUnColored", "ubsNavigator", "ubsExplorer",     "ubsExplorerColored", "ubsIntegrated",
        "ubsCombo",         "ubsOffice",    "ubsOfficeTransp", "ubsWin40Ext"};
    for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i)
      if (name == QLatin1String(kNames[i])) {
        style = static_cast<TZCLUserButtonStyle>(i);
        return true;
      }
    return false;
  }
  visualStyles = true;
  return true;
}

QImage LoadButtonGlyph(int cell) {
  if (cell < 1 || cell > gkFont) return QImage();
  return StockGlyph(static_cast<TZCLGlyphKind>(cell));
}

}  // namespace zyn
