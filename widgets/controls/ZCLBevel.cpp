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
  switch (mode_) {
    case bmCustom:
      if (styleInner_ == bvShadow) {
        extent_ = widthInner_ + borderInnerWidth_;
      } else {
        extent_ = borderWidth_ + borderInnerWidth_;
        if (styleInner_ != bvNone || styleOuter_ != bvNone) {
          if (styleOuter_ != bvNone) extent_ += widthOuter_ + (IsFrame(styleOuter_) ? 1 : 0);
          if (styleInner_ != bvNone) extent_ += widthInner_ + (IsFrame(styleInner_) ? 1 : 0);
        }
      }
      break;
    case bmStandard: extent_ = StandardBorderWidth(standardStyle_) + borderInnerWidth_; break;
    case bmEdge: extent_ = (borderSides_ ? 2 : 0) + borderInnerWidth_; break;
    case bmWindows: extent_ = useWindowBorder_ ? 0 : borderInnerWidth_ + 2; break;
  }
  extentRight_ = extent_;
  if (mode_ == bmCustom && styleOuter_ == bvShadow) extentRight_ = widthInner_ + widthOuter_ + borderInnerWidth_;
}

void TZCLBevel::SetStyleInner(TZCLBevelStyle value) {
  if (value == styleInner_) return;
  const TZCLBevelStyle old = styleInner_;
  styleInner_ = value;
  if (value == bvShadow) styleOuter_ = bvShadow;
  else if (old == bvShadow) styleOuter_ = bvNone;
  Changed();
}

void TZCLBevel::SetStyleOuter(TZCLBevelStyle value) {
  if (value == styleOuter_) return;
  const TZCLBevelStyle old = styleOuter_;
  styleOuter_ = value;
  if (value == bvShadow) styleInner_ = bvShadow;
  else if (old == bvShadow) styleInner_ = bvNone;
  Changed();
}

void TZCLBevel::SetWidthInner(int value) {
  value = std::clamp(value, 0, 50);
  if (value == widthInner_) return;
  widthInner_ = value;
  Changed();
}

void TZCLBevel::SetWidthOuter(int value) {
  value = std::clamp(value, 0, 50);
  if (value == widthOuter_) return;
  widthOuter_ = value;
  Changed();
}

void TZCLBevel::SetColor(int index, TColor value) {
  if (index < 0 || index > 2 || colors_[index] == value) return;
  colors_[index] = value;
  Changed();
}

void TZCLBevel::SetBorderSides(TZCLFrameSides value) {
  if (value == borderSides_) return;
  borderSides_ = value;
  Changed();
}

void TZCLBevel::SetBorderWidth(int value) {
  value = std::clamp(value, 0, 255);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Changed();
}

void TZCLBevel::SetBorderInnerWidth(int value) {
  value = std::clamp(value, 0, 255);
  if (value == borderInnerWidth_) return;
  borderInnerWidth_ = value;
  Changed();
}

void TZCLBevel::SetEdgeStyle(TZCLEdgeStyle value) {
  if (value == edgeStyle_) return;
  edgeStyle_ = value;
  Changed();
}

void TZCLBevel::SetMode(TZCLBevelMode value) {
  if (value == mode_) return;
  mode_ = value;
  Changed();
}

void TZCLBevel::SetStandardStyle(TZCLBorderStyle value) {
  if (value == standardStyle_) return;
  standardStyle_ = value;
  if (mode_ == bmStandard) Changed();
  else Recalculate();
}

void TZCLBevel::SetUseWindowBorder(bool value) {
  if (value == useWindowBorder_) return;
  useWindowBorder_ = value;
  Changed();
}

QString TZCLBevel::Description() const {
  static const char* names[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
  return QStringLiteral("{%1}").arg(QString::fromLatin1(names[mode_]));
}

TRect TZCLBevel::ClientRectOf(const TRect& r) const {
  if (mode_ == bmCustom && styleInner_ == bvShadow) {
    const int lt = widthInner_ + borderInnerWidth_;
    const int rb = widthInner_ + widthOuter_ + borderInnerWidth_;
    return Rect(r.Left + lt, r.Top + lt, r.Right - rb, r.Bottom - rb);
  }
  return Rect(r.Left + extent_, r.Top + extent_, r.Right - extentRight_, r.Bottom - extentRight_);
}

void TZCLBevel::PaintBorder(TCanvas& canvas, TRect& r, int width, bool transparent) const {
  if (transparent) {
    InflateRect(r, -width, -width);
    return;
  }
  const TBrush old = canvas.Brush;
  canvas.Brush = TBrush{colors_[0], bsSolid, QImage()};
  for (int i = 0; i < width; ++i) {
    canvas.FrameRect(r);
    InflateRect(r, -1, -1);
  }
  canvas.Brush = old;
}

TRect TZCLBevel::PaintBevel(TCanvas& canvas, const TRect& rect, bool transparent) {
  TRect r = rect;
  if (extent_ == 0) return r;
  switch (mode_) {
    case bmCustom:
      if (styleInner_ == bvShadow) {
        DrawShadowFrame(canvas, r, colors_[1], transparent, widthInner_, widthOuter_, colors_[0], colors_[2]);
      } else {
        DrawBevelFrame(canvas, r, styleOuter_, widthOuter_, colors_[2], colors_[1]);
        PaintBorder(canvas, r, borderWidth_, transparent);
        DrawBevelFrame(canvas, r, styleInner_, widthInner_, colors_[2], colors_[1]);
      }
      break;
    case bmStandard: DrawStandardBorder(canvas, r, standardStyle_); break;
    case bmEdge:
      if (borderSides_) {
        const unsigned sides = SideFlags(borderSides_);
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
        canvas.DrawEdge(e, EdgeOf(edgeStyle_), sides);
        if (sides & BF_LEFT) r.Left += 2;
        if (sides & BF_TOP) r.Top += 2;
        if (sides & BF_RIGHT) r.Right -= 2;
        if (sides & BF_BOTTOM) r.Bottom -= 2;
      }
      break;
    case bmWindows: DrawStandardBorder(canvas, r, lsLoweredExt); break;
  }
  PaintBorder(canvas, r, borderInnerWidth_, transparent);
  return r;
}

void TZCLBevel::Assign(const TZCLBevel& other) {
  styleInner_ = other.styleInner_;
  styleOuter_ = other.styleOuter_;
  widthInner_ = other.widthInner_;
  widthOuter_ = other.widthOuter_;
  for (int i = 0; i < 3; ++i) colors_[i] = other.colors_[i];
  borderSides_ = other.borderSides_;
  borderWidth_ = other.borderWidth_;
  borderInnerWidth_ = other.borderInnerWidth_;
  edgeStyle_ = other.edgeStyle_;
  mode_ = other.mode_;
  standardStyle_ = other.standardStyle_;
  Changed();
}

}  // namespace zyn
