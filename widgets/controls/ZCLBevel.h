#pragma once
// The frame of every bevel panel: four drawing schemes (custom bevels, standard borders, edges
// and the platform's window border) and the extent they take from the control's client area.

#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLObject.h"

#include <QString>

namespace zyn {

enum TZCLBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
enum TZCLEdgeStyle { etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken };
enum TZCLFrameSide { fsBottom = 1, fsLeft = 2, fsRight = 4, fsTop = 8 };
using TZCLFrameSides = unsigned;

class TZCLBevel : public TZCLObject {
 public:
  TZCLBevel();

  TZCLBevelStyle StyleInner() const { return styleInner_; }
  void SetStyleInner(TZCLBevelStyle value);
  TZCLBevelStyle StyleOuter() const { return styleOuter_; }
  void SetStyleOuter(TZCLBevelStyle value);
  int WidthInner() const { return widthInner_; }
  void SetWidthInner(int value);
  int WidthOuter() const { return widthOuter_; }
  void SetWidthOuter(int value);
  TColor BorderColor() const { return colors_[0]; }
  TColor LightColor() const { return colors_[1]; }
  TColor ShadowColor() const { return colors_[2]; }
  void SetColor(int index, TColor value);  // 0 border, 1 light, 2 shadow
  TZCLFrameSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TZCLFrameSides value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  int BorderInnerWidth() const { return borderInnerWidth_; }
  void SetBorderInnerWidth(int value);
  TZCLEdgeStyle EdgeStyle() const { return edgeStyle_; }
  void SetEdgeStyle(TZCLEdgeStyle value);
  TZCLBevelMode Mode() const { return mode_; }
  void SetMode(TZCLBevelMode value);
  TZCLBorderStyle StandardStyle() const { return standardStyle_; }
  void SetStandardStyle(TZCLBorderStyle value);

  bool UseWindowBorder() const { return useWindowBorder_; }
  void SetUseWindowBorder(bool value);

  int BevelExtent() const { return extent_; }
  int BevelExtentRight() const { return extentRight_; }
  QString Description() const override;

  // Paints the frame into r and returns the rectangle inside it.
  TRect PaintBevel(TCanvas& canvas, const TRect& r, bool transparent);
  TRect ClientRectOf(const TRect& r) const;
  void Assign(const TZCLBevel& other);
  void Changed() override;

 private:
  void Recalculate();
  void PaintBorder(TCanvas& canvas, TRect& r, int width, bool transparent) const;

  TZCLBevelStyle styleInner_ = bvNone;
  TZCLBevelStyle styleOuter_ = bvNone;
  int widthInner_ = 1;
  int widthOuter_ = 1;
  TColor colors_[3] = {clBtnFace, clBtnHighlight, clBtnShadow};
  TZCLFrameSides borderSides_ = fsBottom | fsLeft | fsRight | fsTop;
  int borderWidth_ = 0;
  int borderInnerWidth_ = 0;
  TZCLEdgeStyle edgeStyle_ = etEtched;
  TZCLBevelMode mode_ = bmCustom;
  TZCLBorderStyle standardStyle_ = lsSingleLowered;
  bool useWindowBorder_ = false;
  int extent_ = 0;
  int extentRight_ = 0;
};

}  // namespace zyn
