#pragma once
// A panel whose background is a colour gradient (in one or two parts) with its caption drawn
// over it.

#include "widgets/common/Paneles.h"

namespace zyn {

// One band of a gradient: where it starts, how long it is and its colour.
struct TGradientBand {
  int Start;
  int Length;
  TColor Color;
};
// The bands of one gradient of length L from A to B.
std::vector<TGradientBand> GradientBands(TColor a, TColor b, int length);

class TGPanel : public TPaneles {
  Q_OBJECT
 public:
  explicit TGPanel(QWidget* parent = nullptr);

  bool Active() const { return fActive; }
  void SetActive(bool active);
  TColor Color_1() const { return fColor1; }
  void SetColor_1(TColor c);
  TColor Color_2() const { return fColor2; }
  void SetColor_2(TColor c);
  TColor Color_3() const { return fColor3; }
  void SetColor_3(TColor c);
  bool Horizontal() const { return fHorizontal; }
  void SetHorizontal(bool horizontal);
  int Percent() const { return fPercent; }
  void SetPercent(int percent);  // clamped to 1..100

  TColor FontColor() const { return fFontColor; }
  void SetFontColor(TColor c) {
    fFontColor = c;
    update();
  }
  // The caption's left edge as drawn.
  int CaptionLeft() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool fActive = true;
  TColor fColor1 = clBtnFace, fColor2 = clWhite, fColor3 = clAqua;
  bool fHorizontal = true;
  int fPercent = 100;
  TColor fFontColor = clBtnText;
};

}  // namespace zyn
