#pragma once
// The classic look with a single grip bar, a wider menu separator indent, and a quick-customize
// button with a drop arrow and text-coloured chevrons on every docked toolbar.

#include "widgets/bars/BarStandardPainter.h"

namespace zyn {

class TzbBarItemControlEnhancedPainter : public TzbBarItemControlStandardPainter {
 public:
  static const TzbBarItemControlEnhancedPainter& Instance();
  const char* ClassName() const override { return "TzbBarItemControlEnhancedPainter"; }
  void DrawQuickButtonChevron(const TzbBarWindow& w, TCanvas& dc, int position) const override;
  void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                 const TRect& r) const override;
  void DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const override;
  int GetGripIndent() const override { return 1; }
  int GetGripAreaSize() const override { return GetGripIndent() + GetGripWidth() + 2; }
  int GetMenuSeparatorIndent() const override { return 12; }
  bool AllowsQuickCustomizing() const override { return true; }
  void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const override;
  TRect GetQuickButtonRect(const TzbBarWindow& w) const override;

 protected:
  TzbBarItemControlEnhancedPainter() = default;
};

}  // namespace zyn
