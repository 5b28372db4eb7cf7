#pragma once
// The classic three-dimensional look: raised and sunken one-pixel edges around hot and pressed
// buttons, the checked pattern behind checked buttons, etched separators, embossed disabled
// captions and a double grip at the start of each docked toolbar.

#include "widgets/bars/BarPainter.h"

namespace zyn {

class TzbBarItemControlStandardPainter : public TzbBarItemControlPainter {
 public:
  static const TzbBarItemControlStandardPainter& Instance();
  const char* ClassName() const override { return "TzbBarItemControlStandardPainter"; }

  void DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TBrush& brush,
                      const TzbButtonState& s) const override;
  void DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int scale, int left, int top) const override;
  bool KeepsImageCellClear() const override { return true; }
  bool IsSmallQuickButton(const TzbBarWindow&, const TRect&) const override { return false; }
  void DrawQuickButtonChevron(const TzbBarWindow& w, TCanvas& dc, int position) const override;
  void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                 const TRect& r) const override;
  void DrawDisabledRect(TCanvas& dc, const TRect& r) const override;
  void DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool down,
                      bool checkedStyle) const override;
  void DrawLoweredFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const override;
  TBrush GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const override;
  int GetDownGlyphOffset() const override { return 1; }
  int GetPressedGlyphOffset(const TzbBarItemControl&, bool) const override { return 1; }
  int GetLoweredBorderSize() const override { return 1; }
  int GetGripIndent() const override { return 2; }
  int GetGripAreaSize() const override { return GetGripIndent() + 2 * GetGripWidth() + 1; }
  int GetMenuSeparatorIndent() const override { return 2; }
  void DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  void DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  int GetFloatingSideBorder() const override { return 4; }
  int GetFloatingTopBorder() const override { return 2; }
  int GetFloatingBottomBorder() const override { return 1; }
  TRect GetQuickButtonRect(const TzbBarWindow& w) const override;
  bool ReportsCloseButtonHit() const override { return true; }
  bool UsesSystemFloatingFrame() const override { return true; }
  void DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s,
                        bool dropDownEnabled, const TBrush& brush) const override;
  void OffsetCaptionForDown(const TzbBarItemControl& c, bool pressed, bool down, TRect& r) const override;
  void OffsetContentForPressed(const TzbBarItemControl& c, bool pressed, TRect& r) const override;
  int GetDropDownListBorder() const override { return 2; }
  void DrawDropDownListBorder(TCanvas& dc, const TRect& r) const override {
    TRect e = r;
    dc.DrawEdge(e, EDGE_RAISED, BF_RECT);
  }
  void DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool raised, bool selected,
                           TRect& r) const override;
  void DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const override {
    DrawClassicComboButton(c, dc, selected, pressed, r);
  }
  void PrepareEditWindow(QLineEdit& edit) const override;
  void DrawMenuItemDecoration(const TzbBarWindow& w, const TzbBarItemControl& c, const TzbMenuItemPlace& place,
                              const TRect& r, TCanvas& dc) const override;
  void DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc, bool selected, bool pressed,
                     bool enabled = true) const override;
  bool HasNonRecentBlockBorder() const override { return true; }
  int GetMenuItemInset() const override { return 2; }

 protected:
  TzbBarItemControlStandardPainter() = default;
  // One raised grip bar (with the extra highlight pixel of the double grip when asked).
  static void DrawGripBar(TCanvas& dc, const TRect& r, bool vertical, bool extraPixel);
};

// The classic menu button, drawn with the operations of the given painter (the XP painter uses it).
void StandardDrawMenuButton(const TzbBarItemControlPainter& self, const TzbBarItemControl& c, TCanvas& dc,
                            const TRect& r, bool selected, bool down);

}  // namespace zyn
