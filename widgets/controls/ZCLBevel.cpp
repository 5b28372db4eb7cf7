#include "widgets/controls/ZCLBevel.h"

#include <algorithm>

namespace zyn {
namespace {

bool IsFrame(TZCLBevelStyle s) { return s == bvFrameLowered || s == bvFrameRaised; }

unsigned EdgeOf(TZCLEdgeStyle e) {
  static const unsigned edges[] = {4, 1, 8, 2, 9, 6, 5, 10};
  return edges[e];
}

unsigned SideFlags(TZCLFrameSides sides) {
  unsigned f = 0;
  if (sides & fsLeft) f |= BF_LEFT;
  if (sides & fsTop) f |= BF_TOP;
  if (sides & fsRight) f |= BF_RIGHT;
  if (sides & fsBottom) f |= BF_BOTTOM;
  return f;
}

}  // namespace

TZCLBevel::TZCLBevel() { Recalculate(); }

void TZCLBevel::Changed() {
  Recalculate();
  TZCLObject::Changed();
}

void TZCLBevel::Recalculate() {
  switch (fMode) {
    case bmCustom:
      if (fStyleInner == bvShadow) {
        fExtent = fWidthInner + fBorderInnerWidth;
      } else {
        fExtent = fBorderWidth + fBorderInnerWidth;
        if (fStyleInner != bvNone || fStyleOuter != bvNone) {
          if (fStyleOuter != bvNone) fExtent += fWidthOuter + (IsFrame(fStyleOuter) ? 1 : 0);
          if (fStyleInner != bvNone) fExtent += fWidthInner + (IsFrame(fStyleInner) ? 1 : 0);
        }
      }
      break;
    case bmStandard:
      fExtent = StandardBorderWidth(fStandardStyle) + fBorderInnerWidth;
      break;
    case bmEdge:
      fExtent = (fBorderSides ? 2 : 0) + fBorderInnerWidth;
      break;
    case bmWindows:
      fExtent = fUseWindowBorder ? 0 : fBorderInnerWidth + 2;
      break;
  }
  fExtentRight = fExtent;
  if (fMode == bmCustom && fStyleOuter == bvShadow) fExtentRight = fWidthInner + fWidthOuter + fBorderInnerWidth;
}

void TZCLBevel::SetStyleInner(TZCLBevelStyle value) {
  if (value == fStyleInner) return;
  const TZCLBevelStyle old = fStyleInner;
  fStyleInner = value;
  if (value == bvShadow)
    fStyleOuter = bvShadow;
  else if (old == bvShadow)
    fStyleOuter = bvNone;
  Changed();
}

void TZCLBevel::SetStyleOuter(TZCLBevelStyle value) {
  if (value == fStyleOuter) return;
  const TZCLBevelStyle old = fStyleOuter;
  fStyleOuter = value;
  if (value == bvShadow)
    fStyleInner = bvShadow;
  else if (old == bvShadow)
    fStyleInner = bvNone;
  Changed();
}

void TZCLBevel::SetWidthInner(int value) {
  value = std::clamp(value, 0, 50);
  if (value == fWidthInner) return;
  fWidthInner = value;
  Changed();
}

void TZCLBevel::SetWidthOuter(int value) {
  value = std::clamp(value, 0, 50);
  if (value == fWidthOuter) return;
  fWidthOuter = value;
  Changed();
}

void TZCLBevel::SetColor(int index, TColor value) {
  if (index < 0 || index > 2 || fColors[index] == value) return;
  fColors[index] = value;
  Changed();
}

void TZCLBevel::SetBorderSides(TZCLFrameSides value) {
  if (value == fBorderSides) return;
  fBorderSides = value;
  Changed();
}

void TZCLBevel::SetBorderWidth(int value) {
  value = std::clamp(value, 0, 255);
  if (value == fBorderWidth) return;
  fBorderWidth = value;
  Changed();
}

void TZCLBevel::SetBorderInnerWidth(int value) {
  value = std::clamp(value, 0, 255);
  if (value == fBorderInnerWidth) return;
  fBorderInnerWidth = value;
  Changed();
}

void TZCLBevel::SetEdgeStyle(TZCLEdgeStyle value) {
  if (value == fEdgeStyle) return;
  fEdgeStyle = value;
  Changed();
}

void TZCLBevel::SetMode(TZCLBevelMode value) {
  if (value == fMode) return;
  fMode = value;
  Changed();
}

void TZCLBevel::SetStandardStyle(TZCLBorderStyle value) {
  if (value == fStandardStyle) return;
  fStandardStyle = value;
  if (fMode == bmStandard)
    Changed();
  else
    Recalculate();
}

void TZCLBevel::SetUseWindowBorder(bool value) {
  if (value == fUseWindowBorder) return;
  fUseWindowBorder = value;
  Changed();
}

QString TZCLBevel::Description() const {
  static const char* names[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
  return QStringLiteral("{%1}").arg(QString::fromLatin1(names[fMode]));
}

TRect TZCLBevel::ClientRectOf(const TRect& r) const {
  if (fMode == bmCustom && fStyleInner == bvShadow) {
    const int lt = fWidthInner + fBorderInnerWidth;
    const int rb = fWidthInner + fWidthOuter + fBorderInnerWidth;
    return Rect(r.Left + lt, r.Top + lt, r.Right - rb, r.Bottom - rb);
  }
  return Rect(r.Left + fExtent, r.Top + fExtent, r.Right - fExtentRight, r.Bottom - fExtentRight);
}

void TZCLBevel::PaintBorder(TCanvas& canvas, TRect& r, int width, bool transparent) const {
  if (transparent) {
    InflateRect(r, -width, -width);
    return;
  }
  const TBrush old = canvas.Brush;
  canvas.Brush = TBrush{fColors[0], bsSolid, QImage()};
  for (int i = 0; i < width; ++i) {
    canvas.FrameRect(r);
    InflateRect(r, -1, -1);
  }
  canvas.Brush = old;
}

TRect TZCLBevel::PaintBevel(TCanvas& canvas, const TRect& rect, bool transparent) {
  TRect r = rect;
  if (fExtent == 0) return r;
  switch (fMode) {
    case bmCustom:
      if (fStyleInner == bvShadow) {
        DrawShadowFrame(canvas, r, fColors[1], transparent, fWidthInner, fWidthOuter, fColors[0], fColors[2]);
      } else {
        DrawBevelFrame(canvas, r, fStyleOuter, fWidthOuter, fColors[2], fColors[1]);
        PaintBorder(canvas, r, fBorderWidth, transparent);
        DrawBevelFrame(canvas, r, fStyleInner, fWidthInner, fColors[2], fColors[1]);
      }
      break;
    case bmStandard:
      DrawStandardBorder(canvas, r, fStandardStyle);
      break;
    case bmEdge:
      if (fBorderSides) {
        const unsigned sides = SideFlags(fBorderSides);
        if (!transparent) {
          const TRect outer = r;
          TRect inner = r;
          if (!(sides & BF_LEFT)) inner.Left += 2;
          if (!(sides & BF_TOP)) inner.Top += 2;
          if (!(sides & BF_RIGHT)) inner.Right -= 2;
          if (!(sides & BF_BOTTOM)) inner.Bottom -= 2;
          canvas.FillRect(Rect(outer.Left, outer.Top, inner.Left, outer.Bottom));
          canvas.FillRect(Rect(inner.Right, outer.Top, outer.Right, outer.Bottom));
          canvas.FillRect(Rect(outer.Left, outer.Top, outer.Right, inner.Top));
          canvas.FillRect(Rect(outer.Left, inner.Bottom, outer.Right, outer.Bottom));
        }
        TRect e = r;
        canvas.DrawEdge(e, EdgeOf(fEdgeStyle), sides);
        if (sides & BF_LEFT) r.Left += 2;
        if (sides & BF_TOP) r.Top += 2;
        if (sides & BF_RIGHT) r.Right -= 2;
        if (sides & BF_BOTTOM) r.Bottom -= 2;
      }
      break;
    case bmWindows:
      DrawStandardBorder(canvas, r, lsLoweredExt);
      break;
  }
  PaintBorder(canvas, r, fBorderInnerWidth, transparent);
  return r;
}

void TZCLBevel::Assign(const TZCLBevel& other) {
  fStyleInner = other.fStyleInner;
  fStyleOuter = other.fStyleOuter;
  fWidthInner = other.fWidthInner;
  fWidthOuter = other.fWidthOuter;
  for (int i = 0; i < 3; ++i) fColors[i] = other.fColors[i];
  fBorderSides = other.fBorderSides;
  fBorderWidth = other.fBorderWidth;
  fBorderInnerWidth = other.fBorderInnerWidth;
  fEdgeStyle = other.fEdgeStyle;
  fMode = other.fMode;
  fStandardStyle = other.fStandardStyle;
  Changed();
}

}  // namespace zyn
