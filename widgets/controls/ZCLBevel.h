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

  TZCLBevelStyle StyleInner() const { return fStyleInner; }
  void SetStyleInner(TZCLBevelStyle value);
  TZCLBevelStyle StyleOuter() const { return fStyleOuter; }
  void SetStyleOuter(TZCLBevelStyle value);
  int WidthInner() const { return fWidthInner; }
  void SetWidthInner(int value);
  int WidthOuter() const { return fWidthOuter; }
  void SetWidthOuter(int value);
  TColor BorderColor() const { return fColors[0]; }
  TColor LightColor() const { return fColors[1]; }
  TColor ShadowColor() const { return fColors[2]; }
  void SetColor(int index, TColor value);  // 0 border, 1 light, 2 shadow
  TZCLFrameSides BorderSides() const { return fBorderSides; }
  void SetBorderSides(TZCLFrameSides value);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int value);
  int BorderInnerWidth() const { return fBorderInnerWidth; }
  void SetBorderInnerWidth(int value);
  TZCLEdgeStyle EdgeStyle() const { return fEdgeStyle; }
  void SetEdgeStyle(TZCLEdgeStyle value);
  TZCLBevelMode Mode() const { return fMode; }
  void SetMode(TZCLBevelMode value);
  TZCLBorderStyle StandardStyle() const { return fStandardStyle; }
  void SetStandardStyle(TZCLBorderStyle value);

  bool UseWindowBorder() const { return fUseWindowBorder; }
  void SetUseWindowBorder(bool value);

  int BevelExtent() const { return fExtent; }
  int BevelExtentRight() const { return fExtentRight; }
  QString Description() const override;

  // Paints the frame into r and returns the rectangle inside it.
  TRect PaintBevel(TCanvas& canvas, const TRect& r, bool transparent);
  TRect ClientRectOf(const TRect& r) const;
  void Assign(const TZCLBevel& other);
  void Changed() override;

 private:
  void Recalculate();
  void PaintBorder(TCanvas& canvas, TRect& r, int width, bool transparent) const;

  TZCLBevelStyle fStyleInner = bvNone;
  TZCLBevelStyle fStyleOuter = bvNone;
  int fWidthInner = 1;
  int fWidthOuter = 1;
  TColor fColors[3] = {clBtnFace, clBtnHighlight, clBtnShadow};
  TZCLFrameSides fBorderSides = fsBottom | fsLeft | fsRight | fsTop;
  int fBorderWidth = 0;
  int fBorderInnerWidth = 0;
  TZCLEdgeStyle fEdgeStyle = etEtched;
  TZCLBevelMode fMode = bmCustom;
  TZCLBorderStyle fStandardStyle = lsSingleLowered;
  bool fUseWindowBorder = false;
  int fExtent = 0;
  int fExtentRight = 0;
};

}  // namespace zyn
