#pragma once
// Caption objects that give text a three-dimensional look (sunken, raised, shadows, outline,
// extrusion) and optionally rotate it, and the routine that draws text with them.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLObject.h"

namespace zyn {

enum TZCLDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TZCLThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TZCLThreeDStyle {
  tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised, tdShadow, tdOutline,
  tdExtrude, tdExtrudeEnh
};

class TZCL3DCaption : public TZCLObject {
 public:
  TZCLDisabledStyle DisabledStyle() const { return disabledStyle_; }
  void SetDisabledStyle(TZCLDisabledStyle value);
  int LightDepth() const { return depths_[0]; }
  int ShadowDepth() const { return depths_[1]; }
  void SetDepth(int index, int value);  // 0 light, 1 shadow
  TColor LightColor() const { return colors_[0]; }
  TColor ShadowColor() const { return colors_[1]; }
  void SetCaptionColor(int index, TColor value);  // 0 light, 1 shadow
  TZCLThreeDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TZCLThreeDOrientation value);
  TZCLThreeDStyle Style() const { return style_; }
  void SetStyle(TZCLThreeDStyle value);
  int Tracing() const { return tracing_; }
  void SetTracing(int value);
  // The pixels the style adds to the text's extent.
  int Depth() const;
  QString Description() const override;
  virtual void Assign(const TZCL3DCaption& other);

 private:
  TZCLDisabledStyle disabledStyle_ = dsAuto;
  int depths_[2] = {1, 1};
  TColor colors_[2] = {clBtnHighlight, clBtnShadow};
  TZCLThreeDOrientation orientation_ = toTopLeft;
  TZCLThreeDStyle style_ = tdNone;
  int tracing_ = 0;
};

class TZCLFxCaption : public TZCL3DCaption {
 public:
  int Angle() const { return angle_; }
  void SetAngle(int value);  // 0 .. 360; 360 is kept as 0
  int PosX() const { return pos_[0]; }
  int PosY() const { return pos_[1]; }
  void SetPos(int index, int value);
  QString Description() const override;
  void Assign(const TZCL3DCaption& other) override;

 private:
  int angle_ = 0;
  int pos_[2] = {0, 0};
};

// Flags of Draw3DText.
enum : unsigned { dtfEnabled = 2, dtfDisabledSunken = 4, dtfClip = 8 };

// Draws text into r with the caption's effects (caption may be null: the text once).
void Draw3DText(TCanvas& canvas, const QString& text, const TZCL3DCaption* caption, const TRect& clip, unsigned flags,
                unsigned format, const TRect& r);

}  // namespace zyn
