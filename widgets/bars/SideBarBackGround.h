#pragma once
// The background of a side bar: solid, or a gradient of horizontal or vertical bands between two
// colours. Every change fires the change event (the side bar relayouts and repaints).

#include "platform/Colors.h"
#include "widgets/bars/SideBarTypes.h"

#include <functional>

namespace zyn {

class TzbSideBarBackGround {
 public:
  TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(TColor value);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value);
  TzbSideBarFillStyle FillStyle() const { return fillStyle_; }
  void SetFillStyle(TzbSideBarFillStyle value);
  int Step() const { return step_; }
  void SetStep(int value);  // only values above 0
  // A gradient is painted when a fill style is set and the two colours differ.
  bool IsGradient() const { return fillStyle_ != bfsNone && beginColor_ != endColor_; }
  void Assign(const TzbSideBarBackGround& source);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor beginColor_ = clGrayText;
  TColor endColor_ = clGrayText;
  TzbSideBarFillStyle fillStyle_ = bfsNone;
  int step_ = 2;
};

}  // namespace zyn
