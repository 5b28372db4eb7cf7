#pragma once
// The Office 2003 look: docks and toolbars with colour gradients, toolbars with rounded ends, hot
// and pressed items with gradient fills framed in the selected-border colour, menus with a light
// image column, two-tone separators. It keeps the geometry and the joined menu frames of the flat
// look; every colour comes from the Office 2003 colour scheme.

#include "widgets/bars/BarFlatPainter.h"

namespace zyn {

class TzbBarItemControlOffice11Painter : public TzbBarItemControlFlatPainter {
 public:
  static const TzbBarItemControlOffice11Painter& Instance();
  const char* ClassName() const override { return "TzbBarItemControlOffice11Painter"; }

  // The gradient of a hot, pressed or down item (across the bar: top to bottom on horizontal bars).
  void FillStateGradient(TCanvas& dc, const TRect& r, int view, bool hot, bool pressedOrDown) const;
  void DrawDottedGrip(TCanvas& dc, const TRect& r, bool vertical) const;
  int GetExtraGripIndent() const { return 2; }

  void DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TBrush& brush,
                      const TzbButtonState& s) const override;
  void DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r, const TRect& glyphRect,
                     const QImage& glyph, bool fromImageList, const TzbButtonState& s) const override;
  void GetEditColors(const TzbBarItemControl& c, TColor& text, TColor& background) const override;
  TColor GetDisabledImageColor(const TzbBarWindow& w) const override;
  void GetCaptionColors(const TzbBarItemControl& c, bool enabled, bool selectedLook, bool flatDisabled, TColor& first,
                        TColor& second) const override;
  bool PaintsNonRecentItems() const override { return true; }
  TColor GetCaptionColor(bool) const override;
  TColor GetCaptionTextColor() const override;
  TColor GetCaptionArrowColor(const TzbBarWindow& w, int state) const override;
  TBrush GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const override;
  bool HighlightsDownCaption() const override;
  int GetGripIndent() const override { return 1 + GetExtraGripIndent(); }
  int GetFloatingFrameWidth() const override { return 3; }
  int GetFloatingFrameHeight() const override { return 3; }
  int GetNoGripIndent(const TzbBar&) const override { return 2; }
  void DrawDockBackground(TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  // A left dock is one flat first dock colour, a right dock the second, top and bottom docks a
  // gradient from the first colour at the left to the second at the right.
  void DrawDockBackgroundOf(const TzbDockControl& dock, TCanvas& dc, const TBrush& brush,
                            const TRect& r) const override;
  bool HasOwnBackgrounds() const override { return true; }
  TBrush GetLightFaceBrush(const TzbBarManager& m) const override;
  void DrawDockedBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                               const TRect& barRect) const override;
  void DrawFloatingBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                                 const TRect& barRect) const override;
  void FillOwnerGap(const TzbBarWindow& w, TCanvas& dc) const override;
  bool HasFloatingFrame(const TzbBarWindow& w) const override;
  TBrush GetBarBrush(const TzbBarWindow& w) const override;
  TBrush GetToolbarBrush(const TzbBarWindow& w) const override;
  TBrush GetBarCheckedBrush(const TzbBarWindow& w) const override;
  TBrush GetBarFaceBrush(const TzbBarWindow& w) const override;
  TBrush GetBarHighlightBrush(const TzbBarWindow& w) const override;
  int GetComboButtonWidth(int) const override { return 13; }
  void DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                     const TRect& r) const override;
  void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TBrush GetQuickWindowBrush(const TzbBarWindow& w) const override;
  void DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const override;
  // Drop and combo buttons in the scheme's colours; the index variants give the brush alike and
  // the button-text index for the arrow.
  void GetDropButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                           TBrush& brush) const override;
  void GetDropButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed, TColor& arrowColor,
                                TBrush& brush) const override;
  void GetComboButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                            TBrush& brush) const override;
  void GetComboButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed, TColor& arrowColor,
                                 TBrush& brush) const override;
  // The main-menu bar has a border only along its length.
  using TzbBarItemControlFlatPainter::GetDockedBorderSizes;
  TRect GetDockedBorderSizes(const TzbBar& bar, TzbBarDockingStyle style) const override;
  TRect GetBarBorderInsets(const TzbBarWindow& w) const override;
  // In a drop-down menu an item without glyph starts its content at the menu's text indent.
  using TzbBarItemControlFlatPainter::GetProgressOffset;
  int GetProgressOffset(const TzbBarItemControl& c, bool showsGlyph) const override;
  // Where the text of a drop-down menu's items begins (client coordinates).
  int MenuTextIndent(const TzbBarWindow& w) const;
  int GetTearOffBandHeight(const TzbBarWindow& w) const override { return w.BandCaptionHeight() + 5; }
  TBrush GetMenuFrameBrush(const TzbBarWindow& w) const override;
  TBrush GetMenuItemBrush(const TzbBarWindow& w, const TBrush&) const override { return GetMenuFrameBrush(w); }
  int GetEditCaptionWidth(const TzbBarItemControl& c, int textWidth) const override;
  void DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view, bool selected,
                     bool readOnly = false) const override;
  TColor GetCalendarHeaderColor() const override;
  TBrush GetInPlaceSubItemBrush() const override;
  void DrawSelectionFrame(TCanvas& dc, const TRect& r) const override;
  TBrush GetStaticBorderBrush(const TzbBarItemControl& c, TzbBarStaticBorderStyle style) const override;
  void FrameBarWindow(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  TBrush GetFlatShadowBrush(const TzbBarWindow& w) const override;
  // A docked bar's quick-customize button: the More-buttons gradient of its state.
  void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                 const TRect& r) const override;
  // Where visual themes are usable the status bar and text buttons take the XP look.
  void DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawTextButton(TCanvas& dc, bool pushed, const QString& text, const TRect& r) const override;
  void DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void GetSizeGripSize(const TzbBarManager& m, int& width, int& height) const override;

  // --- drop-down menus: the gradient image column, frames, tear-off band ---
  // The right edge of the image column in a menu's client coordinates (side strip, one line's
  // image cell and the two-pixel column beside it).
  static int MenuImageColumnRight(const TzbBarWindow& w);
  void DrawMenuBackgroundFill(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawMenuBackgroundPart(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                              bool nonRecent) const override;
  void DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool down,
                      bool fits) const override;
  void DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip, const TRect& r,
                         TCanvas& dc) const override;
  void DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest, const TRect& expand,
                          bool expandHot) const override;
  // The capsule with the double chevron, centred; the expand strip one pixel higher than it.
  void DrawMenuExpandButton(const TzbBarWindow& w, TCanvas& dc, bool selected, const TRect& r,
                            int expandHeight) const override;
  void CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth, int& expandHeight,
                       int& glyphReference) const override;
  void FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void AdjustTearOffBandRect(const TzbBarWindow&, TRect& r) const override { InflateRect(r, -2, -4); }
  void DrawDropDownListBorder(TCanvas& dc, const TRect& r) const override;

  // --- the quick-customize button and floating bars ---
  void DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  TRect GetQuickButtonHitRect(const TzbBarWindow& w) const override;
  void DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  // The base caption with the row below it in the third bar border colour.
  void DrawFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  // A docked bar's button reaches over the frame: the frame around it is repainted too.
  void InvalidateQuickButton(TzbBarWindow& w) const override;

  // --- arrows, split buttons, spin buttons ---
  void DrawDropPartArrow(TCanvas& dc, const TRect& r, bool down, bool enabled, bool selected,
                         bool noEmboss) const override;
  void DrawArrow(TCanvas& dc, const TRect& r, bool down, int size, bool selected, bool enabled,
                 bool noEmboss) const override;
  void DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool raised, bool selected,
                           TRect& r) const override;
  void DrawCaptionButtonBackground(const TzbBarWindow& w, TCanvas& dc, int state, const TRect& r) const override;

 protected:
  void FrameDropPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s) const override;

 private:
  // The joint of an open item's frame with its menu (item: the item's rectangle).
  void FillBarFrameGap(const TzbBarItemControl& c, TCanvas& dc, const TRect& item, int view) const;
  // The dock's colour under the window column x (window coordinates) of a docked bar.
  TColor DockColorAt(const TzbBarWindow& w, int x) const;
  // Repaints a part of the window canvas of a docked bar with the dock's background.
  void FillWithDock(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& part) const;
  // Repaints a part of the window canvas with the toolbar's own gradient (window rectangle r).
  void FillWithBar(const TzbBarWindow& w, TCanvas& dc, const TRect& part, const TRect& r) const;
  void DrawHorizontalBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  void DrawVerticalBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
};

}  // namespace zyn
