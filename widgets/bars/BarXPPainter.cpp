#include "widgets/bars/BarXPPainter.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/PaintUtils.h"
#include "widgets/bars/ThemeManager.h"

namespace zyn {

namespace {
// ToolBar parts and states.
constexpr int TP_BUTTON = 1, TP_SPLITBUTTON = 3, TP_SPLITBUTTONDROPDOWN = 4, TP_SEPARATOR = 5, TP_SEPARATORVERT = 6;
constexpr int RP_GRIPPER = 1, RP_GRIPPERVERT = 2;
constexpr int WP_SMALLCLOSEBUTTON = 19;
constexpr int SP_GRIPPER = 3;

int ButtonThemeState(bool enabled, const TzbButtonState& s) {
  if (!enabled) return 4;
  if (s.Pressed) return 3;
  if (s.Down) return 5;
  if (s.Selected) return 2;
  return 1;
}

TThemeSize PartSize(TThemeKind kind, int part, int state, TThemeSizeKind sizeKind, TThemeSize fallback) {
  TThemeSize size;
  if (GetThemePartSize(ThemeHandle(kind), part, state, sizeKind, size)) return size;
  return fallback;
}
}  // namespace

TBrush TzbBarItemControlXPPainter::SolidBrush(TColor color) { return zyn::SolidBrush(color); }

const TzbBarItemControlXPPainter& TzbBarItemControlXPPainter::Instance() {
  static const TzbBarItemControlXPPainter painter;
  return painter;
}

TBrush TzbBarItemControlXPPainter::GetBarBrush(const TzbBarWindow& w) const {
  return SolidBrush(w.Manager().ThemeBrushColor());
}

bool TzbBarItemControlXPPainter::HasFloatingFrame(const TzbBarWindow& w) const { return w.IsFloating(); }

int TzbBarItemControlXPPainter::GetGripWidth() const { return PartSize(totRebar, RP_GRIPPER, 1, TS_TRUE, {3, 3}).cx; }

int TzbBarItemControlXPPainter::GetButtonHeightMargin() const {
  TRect content;
  if (!GetThemeBackgroundContentRect(ThemeHandle(totToolBar), TP_SPLITBUTTON, 1, Rect(0, 0, 100, 100), content))
    return 6;
  return 100 - content.Height();
}

int TzbBarItemControlXPPainter::GetToolbarSeparatorSize() const {
  return PartSize(totToolBar, TP_SEPARATOR, 1, TS_MIN, {6, 6}).cx;
}

int TzbBarItemControlXPPainter::GetComboButtonWidth(int zeroWidth) const {
  TThemeSize s;
  if (GetThemePartSize(ThemeHandle(totComboBox), 1, 1, TS_TRUE, s)) return s.cx;
  return TzbBarItemControlPainter::GetComboButtonWidth(zeroWidth);
}

int TzbBarItemControlXPPainter::GetEditHeightMargin() const {
  TRect content;
  if (!GetThemeBackgroundContentRect(ThemeHandle(totEdit), 1, 1, Rect(0, 0, 100, 100), content)) return 6;
  return content.Left + (100 - content.Right) + 5;
}

int TzbBarItemControlXPPainter::GetMenuSeparatorHeight() const {
  return PartSize(totToolBar, TP_SEPARATORVERT, 1, TS_TRUE, {6, 6}).cy;
}

TColor TzbBarItemControlXPPainter::GetDisabledImageColor(const TzbBarWindow&) const {
  return MixColors(GetToolbarThemeFillColor(), clBtnShadow, 70);
}

bool TzbBarItemControlXPPainter::IsMenuBarTitle(const TzbBarItemControl& c) const {
  const TzbBarWindow& w = c.Parent();
  return !w.IsMenu() && w.Bar() && w.Bar()->IsMainMenu() && c.Link().Item() &&
         c.Link().Item()->InheritsFrom(TCustomzbBarSubItem::kClassName);
}

void TzbBarItemControlXPPainter::GetCaptionColors(const TzbBarItemControl& c, bool enabled, bool selectedLook,
                                                  bool flatDisabled, TColor& first, TColor& second) const {
  if (c.Parent().IsMenu() || selectedLook) {
    TzbBarItemControlPainter::GetCaptionColors(c, enabled, selectedLook, flatDisabled, first, second);
    return;
  }
  first = second = GetToolbarThemeTextColor(enabled ? 1 : 4);
}

TBrush TzbBarItemControlXPPainter::GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const {
  if (s.View == 1 && s.Selected && !s.Down && s.NoGlyph) return GetBarHighlightBrush(c.Parent());
  return c.Parent().CurrentBrush();
}

void TzbBarItemControlXPPainter::DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                const TBrush& brush, const TzbButtonState& s) const {
  if (s.View == 1 && s.NoGlyph && (s.Selected || c.NonRecent) && !s.Down) {
    FillWith(dc, r, brush);
    return;
  }
  FillItemBackground(c, dc, false, brush, r);
  if (IsMenuBarTitle(c) && s.View != 1 && (s.Pressed || s.Selected || s.Down)) {
    FillWith(dc, r, SolidBrush(clHighlight));
    return;
  }
  DrawThemeBackground(ThemeHandle(totToolBar), dc, s.DropDown ? TP_SPLITBUTTON : TP_BUTTON,
                      ButtonThemeState(c.Enabled(), s), r);
}

void TzbBarItemControlXPPainter::DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r,
                                               const TRect& glyphRect, const QImage& glyph, bool fromImageList,
                                               const TzbButtonState& s) const {
  if (s.Fits) InflateRect(r, -1, -1);
  TzbGlyphArgs a = ImageCellGlyphArgs(c, brush, r, glyphRect, glyph, fromImageList, s);
  a.Transparent = true;
  a.FlatLook = true;
  DrawGlyph(dc, a);
}

void TzbBarItemControlXPPainter::DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int scale, int left,
                                               int top) const {
  TzbBarItemControlFlatPainter::Instance().DrawCheckSign(c, dc, scale, left, top);
}

void TzbBarItemControlXPPainter::DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected,
                                                bool down, bool) const {
  StandardDrawMenuButton(*this, c, dc, r, selected, down);
}

void TzbBarItemControlXPPainter::DrawLoweredFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const {
  TzbBarItemControlStandardPainter::Instance().DrawLoweredFrame(c, dc, r);
}

void TzbBarItemControlXPPainter::DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                              const TRect& r) const {
  const_cast<TzbBarWindow&>(w).PaintBackground(dc, r, false);
  DrawThemeBackground(ThemeHandle(totStatus), dc, SP_GRIPPER, 0, r);
}

void TzbBarItemControlXPPainter::DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                           const TRect& rect) const {
  FillWith(dc, rect, brush);
  TRect r = rect;
  if (w.Bar() && w.Bar()->BorderStyle == bbsNone) {
    if (w.IsVertical())
      InflateRect(r, -2, 0);
    else
      InflateRect(r, 0, -2);
  }
  DrawThemeBackground(ThemeHandle(totToolBar), dc, TP_BUTTON, w.QuickButtonState() + 1, r);
}

void TzbBarItemControlXPPainter::DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  TzbBarItemControlEnhancedPainter::Instance().DrawQuickButtonContent(w, dc, r);
}

void TzbBarItemControlXPPainter::DrawDockBackground(TCanvas& dc, const TBrush&, const TRect& r) const {
  DrawThemeBackground(ThemeHandle(totRebar), dc, 0, 1, r);
}

QImage TzbBarItemControlXPPainter::RenderDockBackground(int width, int height, TzbBarDockingStyle style,
                                                        const std::vector<TzbDockRow>& rows) const {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image.fill(ToQColor(clBtnFace));
  TCanvas dc(&image);
  DrawThemeBackground(ThemeHandle(totRebar), dc, 0, 1, Rect(0, 0, width, height));
  const bool vertical = style == dsLeft || style == dsRight;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TzbDockRow& row = rows[i];
    if (!row.HasBorder) continue;
    const bool first = i == 0, last = i + 1 == rows.size();
    const bool highlight = !(first && (style == dsTop || style == dsLeft));
    const bool shadow = !(last && (style == dsTop || style == dsBottom || style == dsRight));
    const TRect& r = row.Rect;
    if (highlight)
      FillWith(dc, vertical ? Rect(r.Left, r.Top, r.Left + 1, r.Bottom) : Rect(r.Left, r.Top, r.Right, r.Top + 1),
               SolidBrush(clBtnHighlight));
    if (shadow)
      FillWith(dc,
               vertical ? Rect(r.Right - 1, r.Top, r.Right, r.Bottom) : Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom),
               SolidBrush(clBtnShadow));
  }
  return image;
}

void TzbBarItemControlXPPainter::DrawSeparator(const TzbBarWindow&, TCanvas& dc, bool vertical, const TBrush& brush,
                                               const TRect& r) const {
  FillWith(dc, r, brush);
  DrawThemeBackground(ThemeHandle(totToolBar), dc, vertical ? TP_SEPARATORVERT : TP_SEPARATOR, 1, r);
}

void TzbBarItemControlXPPainter::DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  DrawThemeBackground(ThemeHandle(totWindow), dc, WP_SMALLCLOSEBUTTON, w.CaptionButtonState() + 1, r);
}

void TzbBarItemControlXPPainter::DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                               const TRect& r) const {
  TRect b = r;
  InflateRect(b, -2, -2);
  if (!w.ShowsGrip()) return;
  const int gw = GetGripWidth(), i = GetGripIndent();
  if (w.IsVertical())
    DrawThemeBackground(ThemeHandle(totRebar), dc, RP_GRIPPERVERT, 1, Rect(b.Left, b.Top + i, b.Right, b.Top + i + gw));
  else
    DrawThemeBackground(ThemeHandle(totRebar), dc, RP_GRIPPER, 1, Rect(b.Left + i, b.Top, b.Left + i + gw, b.Bottom));
}

void TzbBarItemControlXPPainter::DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                    const TRect& r) const {
  TzbBarItemControlFlatPainter::Instance().DrawFloatingBorder(w, dc, brush, r);
}

TRect TzbBarItemControlXPPainter::GetQuickButtonRect(const TzbBarWindow& w) const {
  return TzbBarItemControlFlatPainter::Instance().GetQuickButtonRect(w);
}

void TzbBarItemControlXPPainter::DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  const TzbButtonState& s, bool dropDownEnabled, const TBrush&) const {
  int index = COLOR_BTNTEXT;
  TBrush b;
  GetDropButtonColors(c, s.Selected, s.Pressed, index, b);
  FillItemBackground(c, dc, c.NonRecent, b, r);
  const bool enabled = c.Enabled() && dropDownEnabled;
  const int state = !enabled ? 4 : (s.DropDownOpen || s.Pressed) ? 3 : s.Selected ? 2 : 1;
  if (s.View == 1) {
    DrawThemeBackground(ThemeHandle(totToolBar), dc, TP_BUTTON, state, r);
    DrawArrow(dc, r, false, c.Parent().ArrowSize(), false, enabled, true);
  } else {
    DrawThemeBackground(ThemeHandle(totToolBar), dc, TP_SPLITBUTTONDROPDOWN, state, r);
  }
}

void TzbBarItemControlXPPainter::OffsetCaptionForDown(const TzbBarItemControl&, bool pressed, bool down,
                                                      TRect& r) const {
  if (pressed || down) OffsetRect(r, 1, 1);
}

void TzbBarItemControlXPPainter::OffsetContentForPressed(const TzbBarItemControl&, bool pressed, TRect& r) const {
  if (pressed) OffsetRect(r, 1, 1);
}

void TzbBarItemControlXPPainter::DrawMenuFrame(const TzbBarWindow&, TCanvas& dc, const TRect& r) const {
  FrameWith(dc, r, SolidBrush(clBtnShadow));
}

void TzbBarItemControlXPPainter::DrawMenuClientFrame(const TzbBarWindow&, TCanvas& dc, const TBrush&,
                                                     const TRect& r) const {
  FrameWith(dc, r, SolidBrush(clMenu));
}

void TzbBarItemControlXPPainter::DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest,
                                                    const TRect& expand, bool expandHot) const {
  TzbBarItemControlFlatPainter::Instance().DrawMenuBackground(w, dc, rest, expand, expandHot);
}

void TzbBarItemControlXPPainter::DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int, const TRect& r,
                                                   TCanvas& dc) const {
  const int h = GetMenuSeparatorHeight();
  const TRect band = Rect(r.Left, r.Top - h, r.Right, r.Top);
  c.SeparatorRect = band;
  FillItemBackground(c, dc, c.NonRecent, w.CurrentBrush(), band);
  DrawThemeBackground(ThemeHandle(totToolBar), dc, TP_SEPARATORVERT, 1, band);
}

void TzbBarItemControlXPPainter::GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start,
                                                  int& bottomLimit) const {
  TzbBarItemControlFlatPainter::Instance().GetMenuItemsRect(w, scrolling, start, bottomLimit);
}

void TzbBarItemControlXPPainter::CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width,
                                              int& height) const {
  TzbBarItemControlFlatPainter::Instance().CalcMenuSize(w, itemsWidth, itemsHeight, width, height);
}

void TzbBarItemControlXPPainter::FillFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                                     const TRect& r) const {
  FillWith(dc, r, SolidBrush(w.FormActive() ? clActiveCaption : clInactiveCaption));
}

void TzbBarItemControlXPPainter::AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const {
  textRect.Right = std::min(textRect.Right, GetQuickButtonRect(w).Left);
}

void TzbBarItemControlXPPainter::DrawDropDownListBorder(TCanvas& dc, const TRect& r) const {
  TzbBarItemControlFlatPainter::Instance().DrawDropDownListBorder(dc, r);
}

TColor TzbBarItemControlXPPainter::GetProgressColor() const {
  TColor c;
  if (GetThemeColor(ThemeHandle(totProgress), 3, 0, TMT_FILLCOLOR, c)) return c;
  return clHighlight;
}

int TzbBarItemControlXPPainter::GetProgressHeight() const {
  const TThemeSize chunk = PartSize(totProgress, 3, 0, TS_TRUE, {8, 12});
  TRect content;
  if (!GetThemeBackgroundContentRect(ThemeHandle(totProgress), 1, 0, Rect(0, 0, 100, 100), content)) return chunk.cy;
  return chunk.cy + content.Left + (100 - content.Right);
}

void TzbBarItemControlXPPainter::DrawProgressBar(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TColor color,
                                                 int orientation, bool smooth, int position, int min, int max) const {
  if (IsRectEmpty(r)) return;
  const bool vertical = orientation == 2;
  const HTHEME theme = ThemeHandle(totProgress);
  const int barPart = vertical ? 2 : 1, chunkPart = vertical ? 4 : 3;
  if (IsThemeBackgroundPartiallyTransparent(theme, barPart, 0)) c.Parent().PaintBackground(dc, r, c.NonRecent);
  TRect content = r;
  GetThemeBackgroundContentRect(theme, barPart, 0, r, content);
  const int length = vertical ? content.Height() : content.Width();
  const int filled = max > min ? MulDiv(length, std::clamp(position, min, max) - min, max - min) : 0;
  if (vertical)
    content.Bottom = content.Top + filled;
  else
    content.Right = content.Left + filled;
  DrawThemeBackground(theme, dc, barPart, 0, r);
  if (filled <= 0) return;
  if (smooth)
    FillWith(dc, content, SolidBrush(color));
  else
    DrawThemeBackground(theme, dc, chunkPart, 0, content);
}

int TzbBarItemControlXPPainter::GetTearOffBandHeight(const TzbBarWindow& w) const { return w.BandCaptionHeight() + 1; }

// ---------------------------------------------------------------- edit, combo and spin items

namespace {
constexpr int CP_DROPDOWNBUTTON = 1, EP_EDITTEXT = 1, SPNP_UP = 1, SPNP_DOWN = 2;
}  // namespace

void TzbBarItemControlXPPainter::DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed,
                                                 const TRect& r) const {
  c.ButtonRect = r;
  const int state = !c.Enabled() ? 4 : pressed ? 3 : selected ? 2 : 1;
  DrawThemeBackground(ThemeHandle(totComboBox), dc, CP_DROPDOWNBUTTON, state, r);
}

void TzbBarItemControlXPPainter::DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view,
                                               bool selected, bool readOnly) const {
  const int state = GetEditThemeState(c.Enabled(), readOnly);
  TRect content = r;
  if (!GetThemeBackgroundContentRect(ThemeHandle(totEdit), EP_EDITTEXT, state, r, content))
    InflateRect(content, -2, -2);
  QPainter& p = dc.Painter();
  p.save();
  ExcludeClipRect(dc, content);
  if (view == 1 || selected || !c.Enabled())
    DrawThemeBackground(ThemeHandle(totEdit), dc, EP_EDITTEXT, state, r);
  else
    FrameItemBackground(c, dc, c.NonRecent, c.Parent().CurrentBrush(), r);
  p.restore();
  r = content;
}

void TzbBarItemControlXPPainter::DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption,
                                                 bool selected, int view, TRect& r) const {
  const bool inMenu = view == 1;
  const bool highlight = selected && inMenu;
  QString plain = caption;
  plain.remove(QLatin1Char('&'));
  TRect part = r;
  part.Right = std::min(r.Right, r.Left + GetEditCaptionWidth(c, dc.TextWidth(plain)));
  FillItemBackground(c, dc, inMenu && (selected || c.NonRecent),
                     highlight ? GetBarHighlightBrush(c.Parent()) : c.Parent().CurrentBrush(), part);
  TRect text = part;
  text.Right -= 5;
  DrawCaption(c, dc, caption, text, 0, c.Enabled(), highlight, false, false, !highlight);
  r.Left = part.Right;
}

void TzbBarItemControlXPPainter::DrawEditText(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                              const QString& text, bool readOnly) const {
  const int state = GetEditThemeState(c.Enabled(), readOnly);
  PaintEditText(dc, r, text, GetEditThemeTextColor(state), GetEditThemeFillColor(state));
}

void TzbBarItemControlXPPainter::DrawColorComboButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& rect,
                                                      TRect& inner, bool selected, bool pressed) const {
  const TBrush current = c.Parent().CurrentBrush();
  TRect r = rect;
  FrameItemBackground(c, dc, false, current, r);
  InflateRect(r, 0, -1);
  FrameItemBackground(c, dc, false, current, r);
  InflateRect(r, -1, -1);
  inner = r;
  TzbButtonState s;
  s.Selected = selected;
  s.Pressed = pressed;
  DrawButtonEdge(c, dc, r, current, s);
  DrawColorComboDots(c, dc, r, selected, pressed, 2, COLOR_BTNTEXT);
}

int TzbBarItemControlXPPainter::GetDropDownStripHeight() const {
  int cw, ch, gw, gh;
  GetThemedCloseButtonSize(cw, ch);
  GetThemedSizeGripSize(gw, gh);
  return std::max(ch + 4, gh + 1);
}

void TzbBarItemControlXPPainter::DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window,
                                                      bool hasStrip, int corner, TRect& gripRect, TRect& closeRect,
                                                      bool hot, bool pressed) const {
  TRect w = Rect(0, 0, window.Width, window.Height);
  FrameWith(dc, w, SolidBrush(clBtnShadow));
  gripRect = TRect{};
  closeRect = TRect{};
  if (!hasStrip) return;
  const int b = window.Client.Left;
  InflateRect(w, -b, -b);
  const int height = GetDropDownStripHeight();
  const bool top = corner == 0 || corner == 1;
  TRect strip = w;
  if (top) {
    strip.Bottom = strip.Top + height - 1;
    FillWith(dc, Rect(strip.Left, strip.Bottom, strip.Right, strip.Bottom + 1), SolidBrush(clBtnShadow));
  } else {
    strip.Top = strip.Bottom - height + 1;
    FillWith(dc, Rect(strip.Left, strip.Top - 1, strip.Right, strip.Top), SolidBrush(clBtnShadow));
  }
  QPainter& p = dc.Painter();
  p.save();
  DrawThemedSizeGrip(dc, strip, corner);
  TRect grip = ThemedSizeGripRect(strip, corner);
  ExcludeClipRect(dc, grip);
  InflateRect(grip, 2, 2);
  grip.Top = std::max(grip.Top, strip.Top);
  grip.Bottom = std::min(grip.Bottom, strip.Bottom);
  gripRect = grip;
  OffsetRect(gripRect, window.ScreenOrigin.X, window.ScreenOrigin.Y);
  DrawThemedCloseButton(dc, strip, hot || pressed, corner, hot && pressed);
  const TRect close = ThemedCloseButtonRect(strip, corner);
  ExcludeClipRect(dc, close);
  closeRect = close;
  OffsetRect(closeRect, window.ScreenOrigin.X, window.ScreenOrigin.Y);
  FillWith(dc, strip, SolidBrush(clBtnFace));
  p.restore();
  if (!top && window.BothScrollBars)
    FillWith(dc, Rect(strip.Right - SM_CXVSCROLL_VALUE, strip.Top - 1 - SM_CYHSCROLL_VALUE, strip.Right, strip.Top - 1),
             SolidBrush(clBtnFace));
}

void TzbBarItemControlXPPainter::DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, int, int,
                                                int halfHeight, bool selected, int button, int pressedButton,
                                                bool pressedLook) const {
  const TRect part = SpinButtonPart(r, halfHeight, button, true);
  FillItemBackground(c, dc, false, c.Parent().CurrentBrush(), part);
  const bool pressed = pressedLook && pressedButton == button;
  const int state = !c.Enabled() ? 4 : pressed ? 3 : selected ? 2 : 1;
  DrawThemeBackground(ThemeHandle(totSpin), dc, button == 1 ? SPNP_UP : SPNP_DOWN, state, part);
}

// ---------------------------------------------------------------- status bars and MDI buttons

void TzbBarItemControlXPPainter::GetCloseButtonSize(int& width, int& height) const {
  const TThemeSize s = PartSize(totWindow, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, {13, 13});
  width = s.cx;
  height = s.cy;
}

void TzbBarItemControlXPPainter::GetSizeGripSize(const TzbBarManager&, int& width, int& height) const {
  const TThemeSize s = PartSize(totStatus, SP_GRIPPER, 0, TS_TRUE, {16, 16});
  width = s.cx;
  height = s.cy;
}

void TzbBarItemControlXPPainter::DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                         const TRect& r) const {
  // The status background of the whole bar, of which r is a part.
  const TRect bar = w.ClientRect();
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  if (!DrawThemeBackground(ThemeHandle(totStatus), dc, 0, 0, bar)) FillWith(dc, r, brush);
  dc.Painter().restore();
}

void TzbBarItemControlXPPainter::DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc,
                                               bool selected, bool pressed, bool enabled) const {
  constexpr int WP_MDIMINBUTTON = 16, WP_MDICLOSEBUTTON = 20, WP_MDIRESTOREBUTTON = 22;
  FillWith(dc, r, GetBarBrush(w));
  const int part = kind == 0 ? WP_MDIMINBUTTON : kind == 1 ? WP_MDIRESTOREBUTTON : WP_MDICLOSEBUTTON;
  const int state = !enabled ? 4 : (selected && pressed) ? 3 : selected ? 2 : 1;
  DrawThemeBackground(ThemeHandle(totWindow), dc, part, state, r);
}

}  // namespace zyn
