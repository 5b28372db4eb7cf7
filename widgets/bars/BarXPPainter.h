#pragma once
// The visual-style look: toolbar buttons, split buttons, separators, grips, dock and status-bar
// backgrounds, size grips and caption buttons are painted by the theme engine, while drop-down
// menus keep a flat look. Chosen only while themes are usable.

#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarPainter.h"

#include <vector>

namespace zyn {

// One row of toolbars in a dock: its rectangle in the dock and whether any of its bars has a border.
struct TzbDockRow {
  TRect Rect;
  bool HasBorder = true;
};

class TzbBarItemControlXPPainter : public TzbBarItemControlPainter {
 public:
  // The dock's cached background: the rebar background of the whole client area with a highlight
  // line before and a shadow line after each row of bordered toolbars.
  QImage RenderDockBackground(int width, int height, TzbBarDockingStyle style,
                              const std::vector<TzbDockRow>& rows) const;
  static const TzbBarItemControlXPPainter& Instance();
  const char* ClassName() const override { return "TzbBarItemControlXPPainter"; }

  void DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TBrush& brush,
                      const TzbButtonState& s) const override;
  void DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int scale, int left, int top) const override;
  void DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r, const TRect& glyphRect,
                     const QImage& glyph, bool fromImageList, const TzbButtonState& s) const override;
  TColor GetDisabledImageColor(const TzbBarWindow& w) const override;
  bool IsMenuBarTitle(const TzbBarItemControl& c) const override;
  // On bars (themed backgrounds) captions take the style's text colours, in menus the system's.
  void GetCaptionColors(const TzbBarItemControl& c, bool enabled, bool selectedLook, bool flatDisabled, TColor& first,
                        TColor& second) const override;
  void DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                 const TRect& r) const override;
  void DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool down,
                      bool checkedStyle) const override;
  void DrawLoweredFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const override;
  TBrush GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const override;
  int GetDownGlyphOffset() const override { return 1; }
  int GetPressedGlyphOffset(const TzbBarItemControl&, bool down) const override { return down ? 0 : 1; }
  int GetGripIndent() const override { return 0; }
  int GetGripAreaSize() const override { return GetGripIndent() + GetGripWidth() + 2; }
  int GetGripWidth() const override;
  int GetDropArrowWidth(const TzbBarManager& m) const override {
    return TzbBarItemControlPainter::GetDropArrowWidth(m) + 3;
  }
  int GetLargeDropArrowWidth(const TzbBarManager& m) const override {
    return TzbBarItemControlPainter::GetLargeDropArrowWidth(m) + 3;
  }
  void DrawDockBackground(TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  bool HasOwnBackgrounds() const override { return true; }
  bool HasFloatingFrame(const TzbBarWindow& w) const override;
  TBrush GetBarBrush(const TzbBarWindow& w) const override;
  TBrush GetToolbarBrush(const TzbBarWindow& w) const override { return GetBarBrush(w); }
  int GetComboButtonWidth(int zeroWidth) const override;
  int GetEditHeightMargin() const override;
  bool TracksCloseButton() const override { return true; }
  bool AllowsQuickCustomizing() const override { return true; }
  int GetSeparatorMargin() const override { return (GetToolbarSeparatorSize() - 1) / 2; }
  int GetToolbarSeparatorSize() const override;
  int GetBarBorderWidth() const override { return 0; }
  void DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                     const TRect& r) const override;
  void DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TRect GetQuickButtonRect(const TzbBarWindow& w) const override;
  int GetButtonHeightMargin() const override;
  int GetButtonWidthMargin() const override { return GetButtonHeightMargin(); }
  void DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s,
                        bool dropDownEnabled, const TBrush& brush) const override;
  void OffsetCaptionForDown(const TzbBarItemControl& c, bool pressed, bool down, TRect& r) const override;
  void OffsetContentForPressed(const TzbBarItemControl& c, bool pressed, TRect& r) const override;
  int GetDropDownListBorder() const override { return 2; }
  void DrawDropDownListBorder(TCanvas& dc, const TRect& r) const override;
  TColor GetProgressColor() const override;
  int GetProgressHeight() const override;
  void DrawProgressBar(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TColor color, int orientation,
                       bool smooth, int position, int min, int max) const override;
  int GetMenuBottomMargin() const override { return 1; }
  int GetMenuSeparatorHeight() const override;
  int GetSubMenuOverlap() const override { return 1; }
  TBrush GetMenuFrameBrush(const TzbBarWindow& w) const override { return SolidBrush(clMenu); }
  void DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TBrush GetMenuItemBrush(const TzbBarWindow& w, const TBrush&) const override { return SolidBrush(clMenu); }
  void DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest, const TRect& expand,
                          bool expandHot) const override;
  void DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip, const TRect& r,
                         TCanvas& dc) const override;

  void GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start, int& bottomLimit) const override;
  void CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width, int& height) const override;
  int GetTearOffBandHeight(const TzbBarWindow& w) const override;
  bool FillsFloatingCaption() const override { return true; }
  bool OpensQuickWindowLeftAligned() const override { return true; }
  void FillFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const override;

  // Edit, combo and spin items, drop-down windows.
  int GetComboButtonGap() const override { return 0; }
  void DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const override;
  void DrawComboListItem(TCanvas& canvas, const TRect& r, const QString& text, bool selected) const override {
    TzbBarItemControlFlatPainter::Instance().DrawComboListItem(canvas, r, text, selected);
  }
  int GetEditCaptionWidth(const TzbBarItemControl&, int textWidth) const override { return textWidth + 11; }
  void DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view, bool selected,
                     bool readOnly = false) const override;
  void DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption, bool selected, int view,
                       TRect& r) const override;
  void DrawEditText(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const QString& text,
                    bool readOnly = false) const override;
  unsigned GetEditWindowStyle() const override { return TzbBarItemControlFlatPainter::Instance().GetEditWindowStyle(); }
  void PrepareEditWindow(QLineEdit& edit) const override {
    TzbBarItemControlFlatPainter::Instance().PrepareEditWindow(edit);
  }
  void SelectEditText(QLineEdit& edit, bool changed) const override {
    TzbBarItemControlFlatPainter::Instance().SelectEditText(edit, changed);
  }
  void DrawColorComboButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TRect& inner, bool selected,
                            bool pressed) const override;
  void DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window, bool hasStrip, int corner,
                            TRect& gripRect, TRect& closeRect, bool hot, bool pressed) const override;
  int GetDropDownStripHeight() const override;
  bool ReportsCalendarButtons() const override { return true; }
  void DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, int arrowWidth, int arrowSize,
                      int halfHeight, bool selected, int button, int pressedButton, bool pressedLook) const override;
  void DrawSpinEditSides(const TzbBarItemControl&, TCanvas&, TRect&) const override {}
  void GetCloseButtonSize(int& width, int& height) const override;
  void GetSizeGripSize(const TzbBarManager& m, int& width, int& height) const override;
  void DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc, bool selected, bool pressed,
                     bool enabled = true) const override;
  void AdjustMenuLineSize(int& size) const override { size += 1; }
  void AdjustTearOffBandRect(const TzbBarWindow&, TRect& r) const override { InflateRect(r, -2, -2); }

 protected:
  TzbBarItemControlXPPainter() = default;
  static TBrush SolidBrush(TColor color);
};

}  // namespace zyn
