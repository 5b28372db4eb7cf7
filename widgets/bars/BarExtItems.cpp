#include "widgets/bars/BarExtItems.h"

#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"

#include <algorithm>
#include <cstring>

namespace zyn {

namespace {


int TextWidthOf(const TzbBarItemControl& c, const std::string& text) {
  return c.Parent().Canvas().TextWidth(ToQString(StripAmpersands(text)));
}

bool ImageIn(const std::vector<QImage>& list, int index) {
  return index >= 0 && index < static_cast<int>(list.size()) && !list[index].isNull();
}

// Swaps the axes of a rectangle inside a vertical bar's frame: (x, y) → (y, x).
TRect Swapped(const TRect& r) { return Rect(r.Top, r.Left, r.Bottom, r.Right); }

}  // namespace

int StaticBorderWidth(TzbBarStaticBorderStyle style) {
  switch (style) {
    case sbsLowered:
    case sbsRaised:
      return 1;
    case sbsEtched:
    case sbsBump:
      return 2;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------- static

bool TzbBarStatic::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarItem::InheritsFrom(c); }

void TzbBarStatic::Relayout() {
  ++LayoutCount;
  LayoutChanged();
}

void TzbBarStatic::Repaint() {
  ++RepaintCount;
  UpdateControls();
}

void TzbBarStatic::SetAlignment(TAlignment value) {
  if (value == fAlignment) return;
  fAlignment = value;
  if (!IsLoading()) Repaint();
}

void TzbBarStatic::SetBorderStyle(TzbBarStaticBorderStyle value) {
  if (value == fBorderStyle) return;
  fBorderStyle = value;
  if (IsLoading()) return;
  // Only a static of fixed width and height keeps its size when its border changes.
  if (Width() != 0 && Height() != 0)
    Repaint();
  else
    Relayout();
}

void TzbBarStatic::SetShowCaption(bool value) {
  if (value == fShowCaption) return;
  fShowCaption = value;
  if (!IsLoading()) Relayout();
}

void TzbBarStatic::SetSize(int index, int value) {
  value = std::max(0, value);
  if (value == fSizes[index]) return;
  fSizes[index] = value;
  if (!IsLoading()) Relayout();
}

bool TzbBarStatic::HasGlyph() const { return !Glyph().isNull() || IsImageAssigned(BarManager().ImageCount); }

// ---------------------------------------------------------------- progress item

bool TzbBarProgressItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarStatic::InheritsFrom(c);
}

void TzbBarProgressItem::RepaintBar() {
  ++RepaintCount;
  for (int i = 0; i < LinkCount(); ++i) {
    auto* c = dynamic_cast<TzbBarProgressControl*>(GetLink(i)->Control());
    if (!c) continue;
    const TRect r = GetLink(i)->ItemRect;
    if (IsRectEmpty(r)) continue;
    c->Parent().InvalidateClientRect(c->BarRect(r, c->Parent().IsVertical() ? 2 : c->Parent().IsMenu() ? 1 : 0));
  }
}

void TzbBarProgressItem::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  RepaintBar();
}

void TzbBarProgressItem::SetSmooth(bool value) {
  if (value == fSmooth) return;
  fSmooth = value;
  RepaintBar();
}

void TzbBarProgressItem::SetMax(int value) { SetParams(std::min(value, fMin), value); }
void TzbBarProgressItem::SetMin(int value) { SetParams(value, std::max(fMax, value)); }

void TzbBarProgressItem::SetParams(int min, int max) {
  if (min == fMin && max == fMax) return;
  fMin = min;
  fMax = max;
  if (IsLoading()) return;
  if (fMax < fMin) fMin = fMax;
  if (fPosition < fMin)
    SetPosition(fMin);
  else if (fPosition > fMax)
    SetPosition(fMax);
  else
    RepaintBar();
}

void TzbBarProgressItem::SetPosition(int value) {
  value = std::clamp(value, std::min(fMin, fMax), fMax);
  if (value == fPosition) return;
  fPosition = value;
  RepaintBar();
}

void TzbBarProgressItem::Loaded() {
  EndLoading();
  const int min = fMin, max = fMax;
  fMin = fMax + 1;  // forces SetParams to apply the read range
  SetParams(min, max);
}

// ---------------------------------------------------------------- large button

bool TzbBarLargeButton::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarButton::InheritsFrom(c); }

void TzbBarLargeButton::Relayout() { LayoutChanged(); }

void TzbBarLargeButton::SetAutoGrayScale(bool value) {
  if (value == fAutoGrayScale) return;
  fAutoGrayScale = value;
  UpdateControls();
}

void TzbBarLargeButton::SetGlyphLayout(TzbBarGlyphLayout value) {
  if (value == fGlyphLayout) return;
  fGlyphLayout = value;
  Relayout();
}

void TzbBarLargeButton::SetWidth(int value) {
  if (value < 0 || value == fWidth) return;
  fWidth = value;
  Relayout();
}

void TzbBarLargeButton::SetHeight(int value) {
  if (value < 0 || value == fHeight) return;
  fHeight = value;
  Relayout();
}

void TzbBarLargeButton::SetShowCaption(bool value) {
  if (value == fShowCaption) return;
  fShowCaption = value;
  Relayout();
}

void TzbBarLargeButton::SetHotGlyph(const QImage& value) {
  fHotGlyph = value;
  Relayout();
}

void TzbBarLargeButton::SetLargeGlyph(const QImage& value) {
  fLargeGlyph = value;
  Relayout();
}

void TzbBarLargeButton::SetHotImageIndex(int value) {
  if (value == fHotImageIndex) return;
  fHotImageIndex = value;
  Relayout();
}

void TzbBarLargeButton::LargeImageIndexChanged() {
  if (fSyncImageIndex && !fCoupling) {
    if (IsLoading() && fImageIndexRead) {
      fSyncImageIndex = fLargeImageIndex == ImageIndex();
    } else {
      fCoupling = true;
      TzbBarButton::SetImageIndex(fLargeImageIndex);
      fCoupling = false;
    }
  }
  Relayout();
}

void TzbBarLargeButton::SetLargeImageIndex(int value) {
  if (value == fLargeImageIndex) return;
  fLargeImageIndex = value;
  LargeImageIndexChanged();
}

void TzbBarLargeButton::SetImageIndex(int value) {
  TzbBarButton::SetImageIndex(value);
  if (fCoupling) return;
  if (IsLoading() && fLargeImageIndex == -1 && (fSyncImageIndex || !fSyncImageIndexRead)) {
    fCoupling = true;
    SetLargeImageIndex(value);
    fCoupling = false;
  } else if (!fSyncImageIndexRead) {
    fSyncImageIndex = false;
  }
}

void TzbBarLargeButton::SetSyncImageIndex(bool value) {
  if (value == fSyncImageIndex) return;
  fSyncImageIndex = value;
  if (value) LargeImageIndexChanged();
}

void TzbBarLargeButton::ReadImageIndex(int value) {
  fImageIndexRead = true;
  SetImageIndex(value);
}

void TzbBarLargeButton::ReadLargeImageIndex(int value) {
  fLargeImageIndexRead = true;
  SetLargeImageIndex(value);
}

void TzbBarLargeButton::ReadSyncImageIndex(bool value) {
  fSyncImageIndexRead = true;
  SetSyncImageIndex(value);
}

void TzbBarLargeButton::Loaded() {
  EndLoading();
  fImageIndexRead = fLargeImageIndexRead = fSyncImageIndexRead = false;
}

bool TzbBarLargeButton::CanUseAccel(const TzbBarItemLink& link) const {
  if (link.Collection().OwnerKind() == TzbBarItemLinks::okBar && !fShowCaption) return false;
  return TzbBarButton::CanUseAccel(link);
}

// ---------------------------------------------------------------- static control

TzbBarStatic& TzbBarStaticControl::Static() const { return static_cast<TzbBarStatic&>(Item()); }

// A clickable static is selected like a button so that the click reaches it; otherwise only
// customizing selects it.
bool TzbBarStaticControl::CanSelect() const {
  return (Parent().Manager().IsCustomizing() || Static().AllowClick) && TzbBarItemControl::CanSelect();
}

void TzbBarStaticControl::Changed(TzbControlChange change) {
  if (change == TzbControlChange::Caption && Static().Width() != 0)
    Parent().RepaintControl(*this);
  else
    TzbBarItemControl::Changed(change);
}

int TzbBarStaticControl::ContentWidth() const {
  const TzbBarStatic& s = Static();
  const TzbBarWindow& w = Parent();
  int width = s.ShowCaption() ? TextWidthOf(*this, Link().RealCaption()) : 0;
  if (s.HasGlyph() || !s.ShowCaption())
    width += w.Manager().ButtonWidth() + (s.ShowCaption() ? 4 : 0);
  else
    width += w.ItemHeight() / 2;
  return width + s.LeftIndent() + s.RightIndent() + 2 * s.BorderWidth();
}

int TzbBarStaticControl::SizeAlong() const { return Static().Width() != 0 ? Static().Width() : ContentWidth(); }

int TzbBarStaticControl::SizeAcross() const {
  const TzbBarStatic& s = Static();
  const TzbBarWindow& w = Parent();
  if (s.Height() != 0) return s.Height();
  int h;
  if (w.IsMenu()) {
    h = w.ItemHeight();
  } else {
    h = (s.HasGlyph() || !s.ShowCaption()) ? w.Manager().ButtonHeight() : 0;
    if (h == 0) h = w.ItemHeight() - 3;
    if (s.ShowCaption()) h = std::max(h, w.ItemHeight() - 3);
  }
  return h + 2 * s.BorderWidth();
}

bool TzbBarStaticControl::InVerticalBar() const { return !Parent().IsMenu() && Parent().IsVertical(); }
int TzbBarStaticControl::GetWidth() const { return InVerticalBar() ? SizeAcross() : SizeAlong(); }
int TzbBarStaticControl::GetHeight() const { return InVerticalBar() ? SizeAlong() : SizeAcross(); }

void TzbBarStaticControl::PaintStatic(TRect r, int view, bool forProgress) {
  if (IsRectEmpty(r)) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  const TzbBarStatic& s = Static();
  const bool vertical = Vertical(view);
  const TBrush brush = w.CurrentBrush();
  // The indent strips show the bar's background.
  if (vertical) {
    p.FillItemBackground(*this, dc, false, brush, Rect(r.Left, r.Top, r.Right, r.Top + s.LeftIndent()));
    p.FillItemBackground(*this, dc, false, brush, Rect(r.Left, r.Bottom - s.RightIndent(), r.Right, r.Bottom));
    r.Top += s.LeftIndent();
    r.Bottom -= s.RightIndent();
  } else {
    p.FillItemBackground(*this, dc, false, brush, Rect(r.Left, r.Top, r.Left + s.LeftIndent(), r.Bottom));
    p.FillItemBackground(*this, dc, false, brush, Rect(r.Right - s.RightIndent(), r.Top, r.Right, r.Bottom));
    r.Left += s.LeftIndent();
    r.Right -= s.RightIndent();
  }
  p.DrawStaticBorder(*this, dc, s.BorderStyle(), s.BorderWidth(), r);
  TRect text = r;
  int margin;
  if (s.HasGlyph()) {
    TRect cell = r;
    if (s.ShowCaption()) {
      if (view == 1) {
        cell.Right = cell.Left + r.Height();
        text.Left = cell.Right;
      } else if (vertical) {
        cell.Bottom = cell.Top + w.Manager().ButtonHeight();
        text.Top = cell.Bottom;
      } else {
        cell.Right = cell.Left + w.Manager().ButtonWidth();
        text.Left = cell.Right;
      }
    }
    if (forProgress && view == 1 && !s.ShowCaption()) cell.Right = cell.Left + r.Height();
    TzbButtonState st;
    st.View = view;
    p.DrawButton(*this, cell, st, false);
    margin = 2;
  } else {
    p.FillItemBackground(*this, dc, false, brush, r);
    margin = w.ItemHeight() / 4;
  }
  if (!s.ShowCaption()) return;
  const TAlignment align = forProgress ? taLeftJustify : s.Alignment();
  if (align == taLeftJustify || forProgress)
    (vertical ? text.Top : text.Left) += margin;
  else if (align == taRightJustify)
    (vertical ? text.Bottom : text.Right) -= margin;
  const int flag = align == taLeftJustify ? 0 : align == taCenter ? 1 : 2;
  p.DrawCaption(*this, dc, ToQString(Link().RealCaption()), text, flag, Enabled(), false, vertical, true, true);
}

void TzbBarStaticControl::Paint(const TRect& r, int view) { PaintStatic(r, view, false); }

// ---------------------------------------------------------------- progress control

TzbBarProgressItem& TzbBarProgressControl::Progress() const { return static_cast<TzbBarProgressItem&>(Item()); }

int TzbBarProgressControl::ProgressOffset() const {
  return Parent().Manager().PainterClass().GetProgressOffset(*this, Progress().HasGlyph());
}

int TzbBarProgressControl::ProgressAlong() const {
  const TzbBarProgressItem& s = Progress();
  const int extra = s.Width() == 0 ? 152 + (s.ShowCaption() ? 0 : 2) : 0;
  return SizeAlong() + extra + ProgressOffset();
}

int TzbBarProgressControl::ProgressAcross() const {
  return std::max(SizeAcross(),
                  Parent().Manager().PainterClass().GetProgressHeight() + 2 * Progress().BorderWidth() + 2);
}

int TzbBarProgressControl::GetWidth() const { return InVerticalBar() ? ProgressAcross() : ProgressAlong(); }
int TzbBarProgressControl::GetHeight() const { return InVerticalBar() ? ProgressAlong() : ProgressAcross(); }

TRect TzbBarProgressControl::BarRect(const TRect& rect, int view) const {
  const TzbBarProgressItem& s = Progress();
  const bool vertical = Vertical(view);
  const TRect r = vertical ? Swapped(rect) : rect;  // worked out along a horizontal bar
  const int offset = ProgressOffset();
  int length = 150;
  if (s.Width() != 0 || s.Align() == iaClient || view == 1) {
    const int space = (view == 1 || s.Align() == iaClient) ? r.Width() : s.Width();
    length = std::max(0, space - ContentWidth() - (s.ShowCaption() ? 2 : 4));
  }
  const int h = r.Height();
  int thickness = MulDiv(h - 2 * s.BorderWidth(), 2, 3);
  if ((thickness & 1) != (h & 1)) ++thickness;
  const int right = r.Right - s.RightIndent() - s.BorderWidth() - 2;
  const int top = r.Top + (h - thickness) / 2;
  const TRect bar = Rect(right - std::max(0, length - offset), top, right, top + thickness);
  return vertical ? Swapped(bar) : bar;
}

void TzbBarProgressControl::Paint(const TRect& rect, int view) {
  if (IsRectEmpty(rect)) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  const TzbBarProgressItem& s = Progress();
  const TRect bar = BarRect(rect, view);
  dc.Painter().save();
  QRegion clip(ToQRect(rect));
  dc.Painter().setClipRegion(clip.subtracted(QRegion(ToQRect(bar))), Qt::IntersectClip);
  TRect r = rect;
  const int offset = ProgressOffset();
  if (offset > 0) {
    const TRect strip =
        Vertical(view) ? Rect(r.Left, r.Top, r.Right, r.Top + offset) : Rect(r.Left, r.Top, r.Left + offset, r.Bottom);
    p.FillItemBackground(*this, dc, false, w.CurrentBrush(), strip);
    (Vertical(view) ? r.Top : r.Left) += offset;
  }
  PaintStatic(r, view, true);
  dc.Painter().restore();
  const TColor color = s.Color() == clDefault ? p.GetProgressColor() : ColorToRGB(s.Color());
  p.DrawProgressBar(*this, dc, bar, color, Vertical(view) ? 2 : 0, s.Smooth(), s.Position(), s.Min(), s.Max());
}

// ---------------------------------------------------------------- large button control

bool TzbBarLargeButtonControl::OnToolbar() const { return !Parent().IsMenu(); }

TzbBarLargeButton& TzbBarLargeButtonControl::Large() const { return static_cast<TzbBarLargeButton&>(Item()); }

QImage TzbBarLargeButtonControl::ChosenGlyph() const {
  const TzbBarLargeButton& b = Large();
  const TzbBarManager& m = Parent().Manager();
  auto large = [&]() -> QImage {
    if (!b.LargeGlyph().isNull()) return b.LargeGlyph();
    if (ImageIn(m.LargeImages, b.LargeImageIndex())) {
      if (!Enabled() && ImageIn(m.DisabledLargeImages, b.LargeImageIndex()))
        return m.DisabledLargeImages[b.LargeImageIndex()];
      return m.LargeImages[b.LargeImageIndex()];
    }
    return {};
  };
  auto hot = [&]() -> QImage {
    if (!b.HotGlyph().isNull()) return b.HotGlyph();
    if (ImageIn(m.HotImages, b.HotImageIndex())) return m.HotImages[b.HotImageIndex()];
    return {};
  };
  if (IsDrawnSelected() && Enabled()) {
    const QImage h = hot();
    if (!h.isNull()) return h;
  }
  const QImage l = large();
  return l.isNull() ? hot() : l;
}

QSize TzbBarLargeButtonControl::GlyphSize() const {
  const QImage g = ChosenGlyph();
  if (!g.isNull()) return g.size();
  const TzbBarManager& m = Parent().Manager();
  if (!m.LargeImages.empty()) return m.LargeImages.front().size();
  if (!m.HotImages.empty()) return m.HotImages.front().size();
  return QSize(20, 20);
}

// The size along (width) or across (height) a horizontal toolbar.
int TzbBarLargeButtonControl::SizeAlong(bool width) const {
  const TzbBarLargeButton& b = Large();
  TzbBarWindow& w = const_cast<TzbBarLargeButtonControl*>(this)->Parent();
  const bool glyph = !ChosenGlyph().isNull();
  const QSize gs = GlyphSize();
  const bool beside = b.GlyphLayout() == glLeft || b.GlyphLayout() == glRight;
  int size;
  if (width) {
    size = b.Width() != 0 ? b.Width() : glyph ? gs.width() + 10 : 30;
    if (b.Width() == 0 && b.ShowCaption()) {
      const int cw = TextWidthOf(*this, Link().RealCaption());
      size = beside ? size + cw + 6 : std::max(size, cw + 16);
    }
  } else {
    size = b.Height() != 0 ? b.Height() : glyph ? gs.height() + 6 : 26;
    if (b.Height() == 0 && b.ShowCaption()) {
      const int ch = w.Canvas().TextHeight(QStringLiteral("Qq"));
      size = beside ? std::max(size, ch + 6) : size + ch + 1;
    }
  }
  if (b.Lowered()) size += 2 * w.Manager().PainterClass().GetLoweredBorderSize();
  return size;
}

int TzbBarLargeButtonControl::GetWidth() const {
  if (!OnToolbar()) return TzbBarButtonControl::GetWidth();
  const bool exchange = Parent().IsVertical() && Large().ShowCaption();
  int width = SizeAlong(!exchange);
  if (Large().ButtonStyle() == bsDropDown && !Parent().IsVertical()) width += GetDropDownWidth();
  return width;
}

int TzbBarLargeButtonControl::GetHeight() const {
  if (!OnToolbar()) return TzbBarButtonControl::GetHeight();
  const bool exchange = Parent().IsVertical() && Large().ShowCaption();
  int height = SizeAlong(exchange);
  if (Large().ButtonStyle() == bsDropDown && Parent().IsVertical()) height += GetDropDownWidth();
  return height;
}

void TzbBarLargeButtonControl::Places(const TRect& c, int view, TRect& g, TRect& t, int& alignment) const {
  const TzbBarLargeButton& b = Large();
  const QSize gs = GlyphSize();
  const int gw = gs.width(), gh = gs.height();
  const int cx = c.Left + (c.Width() - gw) / 2, cy = c.Top + (c.Height() - gh) / 2;
  t = c;
  alignment = 1;
  if (!b.ShowCaption()) {
    g = Rect(c.Left + 4, c.Top + 2, c.Left + 4 + gw, c.Top + 2 + gh);
    t = TRect{};
    return;
  }
  const bool vertical = view == 2;
  switch (b.GlyphLayout()) {
    case glTop:
      if (vertical) {
        g = Rect(c.Right - 2 - gw, cy, c.Right - 2, cy + gh);
        t.Right = g.Left;
      } else {
        g = Rect(cx, c.Top + 2, cx + gw, c.Top + 2 + gh);
        t.Top = g.Bottom;
      }
      break;
    case glBottom:
      if (vertical) {
        g = Rect(c.Left + 2, cy, c.Left + 2 + gw, cy + gh);
        t.Left = g.Right;
      } else {
        g = Rect(cx, c.Bottom - 2 - gh, cx + gw, c.Bottom - 2);
        t.Bottom = g.Top;
      }
      break;
    case glLeft:
      alignment = 0;
      if (vertical) {
        g = Rect(cx, c.Top + 4, cx + gw, c.Top + 4 + gh);
        t.Top = g.Bottom + 3;
      } else {
        g = Rect(c.Left + 4, cy, c.Left + 4 + gw, cy + gh);
        t.Left = g.Right + 3;
      }
      break;
    case glRight:
      alignment = 2;
      if (vertical) {
        g = Rect(cx, c.Bottom - 4 - gh, cx + gw, c.Bottom - 4);
        t.Bottom = g.Top - 3;
      } else {
        g = Rect(c.Right - 4 - gw, cy, c.Right - 4, cy + gh);
        t.Right = g.Left - 3;
      }
      break;
  }
}

void TzbBarLargeButtonControl::Paint(const TRect& rect, int view) {
  if (!OnToolbar()) {
    TzbBarButtonControl::Paint(rect, view);
    return;
  }
  if (IsRectEmpty(rect)) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  const TzbBarLargeButton& b = Large();
  TRect r = rect;
  if (b.Lowered()) p.DrawLoweredFrame(*this, dc, r);
  const bool dropStyle = b.ButtonStyle() == bsDropDown;
  TRect face = r;
  if (dropStyle) (view == 2 ? face.Bottom : face.Right) -= GetDropDownWidth();
  const bool pressedLook = Pressed && b.ButtonStyle() != bsChecked && !DroppedDown();
  TzbButtonState s;
  s.View = view;
  s.Selected = IsDrawnSelected();
  s.Pressed = pressedLook;
  s.Down = b.Down() || (p.UsesFlatSelection() && DroppedDown());
  if (p.UsesFlatSelection() && DroppedDown()) face = r;
  s.DropDown = dropStyle;
  s.DropDownOpen = DroppedDown();
  TRect content = face;
  InflateRect(content, -1, -1);
  p.OffsetCaptionForDown(*this, pressedLook, b.Down(), content);
  TRect glyphBox, captionRect;
  int alignment = 1;
  Places(content, view, glyphBox, captionRect, alignment);
  const QImage glyph = ChosenGlyph();
  s.NoGlyph = glyph.isNull();
  s.Grayed = b.AutoGrayScale() && Enabled() && !IsDrawnSelected();
  p.DrawButtonFace(*this, face, glyphBox, glyph, false, s);
  if (b.ShowCaption())
    p.DrawCaption(*this, dc, ToQString(Link().RealCaption()), captionRect, alignment, Enabled(), false, view == 2,
                  false, true);
  if (dropStyle) {
    int arrowColor = 0;
    TBrush brush = w.CurrentBrush();
    p.GetDropButtonColors(*this, IsDrawnSelected(), DroppedDown(), arrowColor, brush);
    s.OpenRect = TRect{};
    const TRect part = view == 2 ? Rect(r.Left, r.Bottom - GetDropDownWidth(), r.Right, r.Bottom)
                                 : Rect(r.Right - GetDropDownWidth(), r.Top, r.Right, r.Bottom);
    p.DrawDropDownPart(*this, dc, part, s, b.DropDownEnabled(), brush);
  }
}

}  // namespace zyn
