#include "widgets/bars/PaintUtils.h"

#include "widgets/bars/Office11Colors.h"

#include <QPainter>

#include <algorithm>
#include <memory>
#include <vector>

namespace zyn {

namespace {

void Fill(TCanvas& c, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  c.Painter().fillRect(ToQRect(r), ToQColor(color));
}

struct TLinkController {
  std::vector<std::unique_ptr<TzxObjectLink>> links;
};

std::unique_ptr<TLinkController>& Controller() {
  static std::unique_ptr<TLinkController> controller;
  return controller;
}

}  // namespace

int DropDownFrameHeight() { return std::max(SM_CYHSCROLL_VALUE + 2, SM_CYSIZE_VALUE) + 1; }

int GripCornerForRects(const TRect& editRect, const TRect& dropDownRect) {
  int index = 0;
  if (editRect.Left < dropDownRect.Right) index = 2;
  if (editRect.Bottom < dropDownRect.Bottom) index += 1;
  static const int kCorner[4] = {0, 2, 1, 3};
  return kCorner[index];
}

int GripCornerHitTest(int corner) {
  static const int kHit[4] = {13, 14, 16, 17};
  return kHit[std::clamp(corner, 0, 3)];
}

void PaintSizeGrip(TCanvas& canvas, const TRect& rect, int corner) {
  const bool right = corner == 1 || corner == 3, bottom = corner == 2 || corner == 3;
  TRect r = rect;
  if (right)
    r.Left = r.Right - SM_CXVSCROLL_VALUE;
  else
    r.Right = r.Left + SM_CXVSCROLL_VALUE;
  if (bottom)
    r.Top = r.Bottom - SM_CYHSCROLL_VALUE;
  else
    r.Bottom = r.Top + SM_CYHSCROLL_VALUE;
  const bool mirrorX = !right, mirrorY = !bottom;
  // 2-pixel face strips on the outer sides.
  if (mirrorX) {
    Fill(canvas, Rect(r.Left, r.Top, r.Left + 2, r.Bottom), clBtnFace);
    r.Left += 2;
  } else {
    Fill(canvas, Rect(r.Right - 2, r.Top, r.Right, r.Bottom), clBtnFace);
    r.Right -= 2;
  }
  if (mirrorY) {
    Fill(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 2), clBtnFace);
    r.Top += 2;
  } else {
    Fill(canvas, Rect(r.Left, r.Bottom - 2, r.Right, r.Bottom), clBtnFace);
    r.Bottom -= 2;
  }
  if (IsRectEmpty(r)) return;
  QImage grip(r.Width(), r.Height(), QImage::Format_RGB32);
  grip.fill(ToQColor(clBtnFace));  // the grip's face parts are button face, never stale memory
  {
    TCanvas gc(&grip);
    gc.DrawFrameControl(Rect(0, 0, r.Width(), r.Height()), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
  canvas.Painter().drawImage(r.Left, r.Top, grip.mirrored(mirrorX, mirrorY));
}

TColor BlendedSelectedColor() { return NearestScreenColor(BlendSystemColors(-2, 30, 72)); }
TColor BlendedPressedColor() { return NearestScreenColor(BlendSystemColors(14, 44, 40)); }

unsigned PainterTextFlagsToDrawText(unsigned f) {
  unsigned d = 0;
  if (f & zxAlignRight) d |= DT_RIGHT;
  if (f & zxAlignHCenter) d |= DT_CENTER;
  if (f & zxAlignBottom) d |= DT_BOTTOM;
  if (f & zxAlignVCenter) d |= DT_VCENTER;
  if (f & zxSingleLine) d |= DT_SINGLELINE;
  if (f & zxDontClip) d |= DT_NOCLIP;
  if (f & zxExpandTabs) d |= DT_EXPANDTABS;
  if (!(f & zxShowPrefix)) d |= DT_NOPREFIX;
  if (f & zxWordBreak) d |= DT_WORDBREAK;
  if (f & zxShowEndEllipsis) d |= DT_END_ELLIPSIS;
  if (f & zxDontPrint) d |= DT_CALCRECT;
  if (f & zxShowPathEllipsis) d |= DT_PATH_ELLIPSIS;
  return d;
}

void TPainterCanvas::SetBrushColor(TColor color) {
  // A clear brush left by text drawing would paint nothing: the style is made solid too.
  if (Canvas->Brush.Color != color || Canvas->Brush.Style != bsSolid || !Canvas->Brush.Bitmap.isNull()) {
    Canvas->Brush.Color = color;
    Canvas->Brush.Style = bsSolid;
    Canvas->Brush.Bitmap = QImage();
  }
}

void TPainterCanvas::FillRect(const TRect& r, const QImage& bitmap) {
  if (IsRectEmpty(r)) return;
  if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0) {
    Canvas->FillRect(r);
    return;
  }
  const int w = bitmap.width(), h = bitmap.height();
  QPainter& p = Canvas->Painter();
  p.save();
  p.setClipRect(ToQRect(r), Qt::IntersectClip);
  for (int y = (r.Top / h) * h - (r.Top < 0 ? h : 0); y < r.Bottom; y += h)
    for (int x = (r.Left / w) * w - (r.Left < 0 ? w : 0); x < r.Right; x += w) p.drawImage(x, y, bitmap);
  p.restore();
}

void TPainterCanvas::FrameRect(const TRect& r, TColor color, unsigned sides, int width) {
  if (IsRectEmpty(r)) return;
  if (color != clDefault) SetBrushColor(color);
  if (sides & zxBordLeft) Canvas->FillRect(Rect(r.Left, r.Top, std::min(r.Left + width, r.Right), r.Bottom));
  if (sides & zxBordRight) Canvas->FillRect(Rect(std::max(r.Right - width, r.Left), r.Top, r.Right, r.Bottom));
  if (sides & zxBordTop) Canvas->FillRect(Rect(r.Left, r.Top, r.Right, std::min(r.Top + width, r.Bottom)));
  if (sides & zxBordBottom) Canvas->FillRect(Rect(r.Left, std::max(r.Bottom - width, r.Top), r.Right, r.Bottom));
}

void TPainterCanvas::FrameAndFill(const TRect& rect, const TPainterBackground& background, int width, TColor color,
                                  unsigned sides) {
  FrameRect(rect, color, sides, width);
  TRect r = rect;
  if (sides & zxBordLeft) r.Left += width;
  if (sides & zxBordTop) r.Top += width;
  if (sides & zxBordRight) r.Right -= width;
  if (sides & zxBordBottom) r.Bottom -= width;
  SetBrushColor(background.Color);
  FillRect(r, background.Bitmap);
}

void TPainterCanvas::DrawComplexFrame(const TRect& r, TColor leftTop, TColor rightBottom, unsigned sides, int width) {
  if (sides & zxBordLeft) FrameRect(r, leftTop, zxBordLeft, width);
  if (sides & zxBordTop) FrameRect(r, leftTop, zxBordTop, width);
  if (sides & zxBordRight) FrameRect(r, rightBottom, zxBordRight, width);
  if (sides & zxBordBottom) FrameRect(r, rightBottom, zxBordBottom, width);
}

void TPainterCanvas::DrawEdge(const TRect& r, bool sunken, bool outer, unsigned sides) {
  if (sunken)
    DrawComplexFrame(r, outer ? clBtnShadow : cl3DDkShadow, outer ? clBtnHighlight : cl3DLight, sides, 1);
  else
    DrawComplexFrame(r, outer ? cl3DLight : clBtnHighlight, outer ? cl3DDkShadow : clBtnShadow, sides, 1);
}

void TPainterCanvas::DrawText(const QString& text, const TRect& rect, unsigned flags, bool enabled) {
  if (text.isEmpty() || IsRectEmpty(rect)) return;
  unsigned format = PainterTextFlagsToDrawText(flags);
  TRect measure = rect;
  Canvas->DrawText(text, measure, format | DT_CALCRECT);
  if (measure.Width() <= rect.Width() && measure.Height() <= rect.Height()) format |= DT_NOCLIP;
  const TFont savedFont = Canvas->Font;
  const TBrush savedBrush = Canvas->Brush;
  TRect r = rect;
  if (!enabled) {
    Canvas->Brush.Style = bsClear;
    TRect light = r;
    ++light.Left;
    ++light.Top;
    ++light.Right;
    ++light.Bottom;
    Canvas->Font.Color = clBtnHighlight;
    Canvas->DrawText(text, light, format);
    Canvas->Font.Color = clBtnShadow;
    TRect dark = r;
    Canvas->DrawText(text, dark, format);
  } else {
    Canvas->DrawText(text, r, format);
  }
  Canvas->Font = savedFont;
  Canvas->Brush = savedBrush;
}

void TPainterCanvas::InvertRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  QPainter& p = Canvas->Painter();
  p.save();
  p.setCompositionMode(QPainter::RasterOp_NotDestination);
  p.fillRect(ToQRect(r), Qt::black);
  p.restore();
}

void RotateBitmap(QImage& bitmap, int rotation, bool mirror) {
  if ((rotation == 0 && !mirror) || bitmap.isNull()) return;
  const QImage src = bitmap.convertToFormat(QImage::Format_ARGB32);
  const int W = src.width(), H = src.height();
  const bool swap = rotation == 1 || rotation == 2;
  QImage dst(swap ? H : W, swap ? W : H, QImage::Format_ARGB32);
  for (int r = 0; r < H; ++r)
    for (int c = 0; c < W; ++c) {
      int nr = r, nc = c;
      switch (rotation) {
        case 0:
          nr = H - r - 1;
          nc = c;
          break;
        case 1:
          nr = mirror ? c : W - c - 1;
          nc = r;
          break;
        case 2:
          nr = mirror ? W - c - 1 : c;
          nc = H - r - 1;
          break;
        default:
          if (mirror) {
            nr = r;
            nc = W - c - 1;
          } else {
            nr = H - r - 1;
            nc = W - c - 1;
          }
          break;
      }
      dst.setPixel(nc, nr, src.pixel(c, r));
    }
  bitmap = dst;
}

TzxObjectLink* AddObjectLink(const void* object) {
  auto& c = Controller();
  if (!c) c = std::make_unique<TLinkController>();
  c->links.push_back(std::make_unique<TzxObjectLink>());
  c->links.back()->Target = object;
  return c->links.back().get();
}

void RemoveObjectLink(TzxObjectLink* link) {
  auto& c = Controller();
  if (!c || !link) return;
  c->links.erase(std::remove_if(c->links.begin(), c->links.end(), [&](const auto& l) { return l.get() == link; }),
                 c->links.end());
  if (c->links.empty()) c.reset();
}

void ResetObjectLinks(const void* object) {
  auto& c = Controller();
  if (!c) return;
  for (auto& l : c->links)
    if (l->Target == object) l->Target = nullptr;
}

int ObjectLinkCount() { return Controller() ? static_cast<int>(Controller()->links.size()) : 0; }

}  // namespace zyn
