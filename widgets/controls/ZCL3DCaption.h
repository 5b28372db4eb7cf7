#pragma once
// Caption objects that give text a three-dimensional look (sunken, raised, shadows, outline,
// extrusion) and optionally rotate it, and the routine that draws text with them.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLObject.h"

namespace zyn {

enum TZCLDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TZCLThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TZCLThreeDStyle {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdPColorSunken,
  tdPColorRaised,
  tdShadow,
  tdOutline,
  tdExtrude,
  tdExtrudeEnh
};

class TZCL3DCaption : public TZCLObject {
 public:
  TZCLDisabledStyle DisabledStyle() const { return fDisabledStyle; }
  void SetDisabledStyle(TZCLDisabledStyle value);
  int LightDepth() const { return fDepths[0]; }
  int ShadowDepth() const { return fDepths[1]; }
  void SetDepth(int index, int value);  // 0 light, 1 shadow
  TColor LightColor() const { return fColors[0]; }
  TColor ShadowColor() const { return fColors[1]; }
  void SetCaptionColor(int index, TColor value);  // 0 light, 1 shadow
  TZCLThreeDOrientation Orientation() const { return fOrientation; }
  void SetOrientation(TZCLThreeDOrientation value);
  TZCLThreeDStyle Style() const { return fStyle; }
  void SetStyle(TZCLThreeDStyle value);
  int Tracing() const { return fTracing; }
  void SetTracing(int value);
  // The pixels the style adds to the text's extent.
  int Depth() const;
  QString Description() const override;
  virtual void Assign(const TZCL3DCaption& other);

 private:
  TZCLDisabledStyle fDisabledStyle = dsAuto;
  int fDepths[2] = {1, 1};
  TColor fColors[2] = {clBtnHighlight, clBtnShadow};
  TZCLThreeDOrientation fOrientation = toTopLeft;
  TZCLThreeDStyle fStyle = tdNone;
  int fTracing = 0;
};

class TZCLFxCaption : public TZCL3DCaption {
 public:
  int Angle() const { return fAngle; }
  void SetAngle(int value);  // 0 .. 360; 360 is kept as 0
  int PosX() const { return fPos[0]; }
  int PosY() const { return fPos[1]; }
  void SetPos(int index, int value);
  QString Description() const override;
  void Assign(const TZCL3DCaption& other) override;

 private:
  int fAngle = 0;
  int fPos[2] = {0, 0};
};

// Flags of Draw3DText.
enum : unsigned { dtfEnabled = 2, dtfDisabledSunken = 4, dtfClip = 8 };

// Draws text into r with the caption's effects (caption may be null: the text once).
void Draw3DText(TCanvas& canvas, const QString& text, const TZCL3DCaption* caption, const TRect& clip, unsigned flags,
                unsigned format, const TRect& r);

}  // namespace zyn
