#pragma once
// The flat look: hot items get a one-pixel highlight frame and a light highlight-tinted fill, bars
// and menus a one-pixel dark frame, menus a light image column, separators single shadow lines,
// and the toolbar grip is striped.

#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"

namespace zyn {

class TzbBarItemControlFlatPainter : public TzbBarItemControlPainter {
 public:
  static const TzbBarItemControlFlatPainter& Instance();
  const char* ClassName() const override { return "TzbBarItemControlFlatPainter"; }

  void DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TBrush& brush,
                      const TzbButtonState& s) const override;
  void DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int scale, int left, int top) const override;
  // In a menu an empty cell is part of the light image column.
  void DrawEmptyImageCell(const TzbBarItemControl& c, TCanvas& dc, TRect r, const TBrush& brush,
                          const TzbButtonState& s) const override;
  void DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r, const TRect& glyphRect,
                     const QImage& glyph, bool fromImageList, const TzbButtonState& s) const override;
  TColor GetCaptionColor(bool) const override { return clInactiveCaption; }
  TColor GetCaptionArrowColor(const TzbBarWindow& w, int state) const override {
    return (state == 1 || state == 2) ? clBtnText : clCaptionText;
  }
  void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                 const TRect& r) const override;
  void DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  int GetQuickButtonArrowColorIndex(const TzbBarWindow& w) const override;
  void DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool down,
                      bool checkedStyle) const override;
  void DrawLoweredFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const override;
  void DrawStaticBorder(const TzbBarItemControl& c, TCanvas& dc, TzbBarStaticBorderStyle style, int width,
                        TRect& r) const override;
  void GetDropButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                           TBrush& brush) const override;
  TBrush GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const override;
  bool UsesFlatSelection() const override { return true; }
  int GetLoweredBorderSize() const override { return 1; }
  int GetMenuImageColumnWidth(const TzbBarItemControl& c) const override;
  int GetGripIndent() const override { return 1; }
  int GetGripAreaSize() const override { return GetGripIndent() + GetGripWidth() + 2; }
  int GetDropArrowWidth(const TzbBarManager& m) const override {
    return TzbBarItemControlPainter::GetDropArrowWidth(m) - 1;
  }
  int GetLargeDropArrowWidth(const TzbBarManager& m) const override {
    return TzbBarItemControlPainter::GetLargeDropArrowWidth(m) - 1;
  }
  int GetMenuSeparatorIndent() const override { return 8; }
  bool JoinsMenuToOwner(const TzbBarWindow&) const override { return true; }
  bool HasFloatingFrame(const TzbBarWindow& w) const override;
  TBrush GetBarBrush(const TzbBarWindow& w) const override;
  TBrush GetToolbarBrush(const TzbBarWindow& w) const override;
  TBrush GetBarCheckedBrush(const TzbBarWindow& w) const override;
  TBrush GetBarFaceBrush(const TzbBarWindow& w) const override;
  TBrush GetBarHighlightBrush(const TzbBarWindow& w) const override;
  int GetEditHeightMargin() const override { return 7; }
  bool TracksCloseButton() const override { return true; }
  bool AllowsQuickCustomizing() const override { return true; }
  int GetSeparatorMargin() const override { return (GetToolbarSeparatorSize() - 1) / 2; }
  int GetToolbarSeparatorSize() const override { return 5; }
  void DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                     const TRect& r) const override;
  void DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TRect GetQuickButtonRect(const TzbBarWindow& w) const override;
  void DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s,
                        bool dropDownEnabled, const TBrush& brush) const override;
  int GetDropDownListBorder() const override { return 2; }
  void DrawDropDownListBorder(TCanvas& dc, const TRect& r) const override;
  void DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool raised, bool selected,
                           TRect& r) const override;
  void DrawTextButton(TCanvas& dc, bool pushed, const QString& text, const TRect& r) const override;
  int GetMenuSeparatorHeight() const override { return 5; }
  int GetSubMenuOverlap() const override { return 2; }
  int GetExpandChevronLines(int height) const override;
  TBrush GetMenuFrameBrush(const TzbBarWindow& w) const override;
  void DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TBrush GetMenuItemBrush(const TzbBarWindow& w, const TBrush&) const override { return GetMenuFrameBrush(w); }
  void DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest, const TRect& expand,
                          bool expandHot) const override;
  void DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip, const TRect& r,
                         TCanvas& dc) const override;

  int GetSubItemTextIndent(const TzbBarItemControl& c) const override;
  int GetSubItemHeight(const TzbBarItemControl& c) const override;
  int GetSubItemWidth(const TzbBarItemControl& c) const override;
  void CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth, int& expandHeight,
                       int& glyphReference) const override;
  void GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start, int& bottomLimit) const override;
  void CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width, int& height) const override;
  int GetTearOffBandHeight(const TzbBarWindow& w) const override { return w.BandCaptionHeight() + 1; }
  void AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const override;

  TBrush GetQuickWindowBrush(const TzbBarWindow&) const override { return SolidBrush(clWindow); }
  void DrawQuickCheckCell(const TzbBarItemControl& c, TCanvas& dc, bool selected, int& cellRight,
                          TRect& r) const override;
  void DrawQuickItemFrame(const TzbBarItemControl& c, TCanvas& dc, bool selected, const TRect& cell,
                          const TRect& item) const override;
  bool OpensQuickWindowLeftAligned() const override { return true; }

  // Edit, combo and spin items, drop-down windows.
  bool RepaintsWhenDroppedDown() const override { return true; }
  void GetComboButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                            TBrush& brush) const override;
  void DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const override;
  void DrawComboListItem(TCanvas& canvas, const TRect& r, const QString& text, bool selected) const override;
  int GetEditCaptionWidth(const TzbBarItemControl&, int textWidth) const override { return textWidth + 11; }
  void DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view, bool selected,
                     bool readOnly = false) const override;
  void DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption, bool selected, int view,
                       TRect& r) const override;
  unsigned GetEditWindowStyle() const override { return ES_AUTOHSCROLL | ES_MULTILINE; }
  void PrepareEditWindow(QLineEdit& edit) const override;
  void SelectEditText(QLineEdit& edit, bool changed) const override;
  void DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window, bool hasStrip, int corner,
                            TRect& gripRect, TRect& closeRect, bool hot, bool pressed) const override;
  bool ReportsCalendarButtons() const override { return true; }
  void DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, int arrowWidth, int arrowSize,
                      int halfHeight, bool selected, int button, int pressedButton, bool pressedLook) const override;
  int GetContainerMenuExtra() const override { return 9; }
  void DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc, bool selected, bool pressed,
                     bool enabled = true) const override;
  void AdjustMenuLineSize(int& size) const override { size += 2; }
  void AdjustMenuItemWidth(const TzbBarItemControl&, int& width) const override { width += 9; }
  void FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawInPlaceSubItem(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const QString& caption,
                          bool expanded, bool selected) const override;

  // Added operations.
  virtual TBrush GetStaticBorderBrush(const TzbBarItemControl& c, TzbBarStaticBorderStyle style) const;
  virtual void FrameBarWindow(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;
  virtual void DrawBarFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;

 protected:
  TzbBarItemControlFlatPainter() = default;
  // The frame of the arrow part of a split button that is not open on its bar.
  virtual void FrameDropPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s) const;
  // The image cell of a menu entry: the item drawn as a button in the menu view.
  void DrawMenuImageCell(const TzbBarItemControl& c, const TRect& cell, bool selected, bool down) const;
};

}  // namespace zyn
