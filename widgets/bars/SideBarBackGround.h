#pragma once
// The background of a side bar: solid, or a gradient of horizontal or vertical bands between two
// colours. Every change fires the change event (the side bar relayouts and repaints).

#include "platform/Colors.h"
#include "widgets/bars/SideBarTypes.h"

#include <functional>

namespace zyn {

class TzbSideBarBackGround {
 public:
  TColor BeginColor() const { return fBeginColor; }
  void SetBeginColor(TColor value);
  TColor EndColor() const { return fEndColor; }
  void SetEndColor(TColor value);
  TzbSideBarFillStyle FillStyle() const { return fFillStyle; }
  void SetFillStyle(TzbSideBarFillStyle value);
  int Step() const { return fStep; }
  void SetStep(int value);  // only values above 0
  // A gradient is painted when a fill style is set and the two colours differ.
  bool IsGradient() const { return fFillStyle != bfsNone && fBeginColor != fEndColor; }
  void Assign(const TzbSideBarBackGround& source);

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor fBeginColor = clGrayText;
  TColor fEndColor = clGrayText;
  TzbSideBarFillStyle fFillStyle = bfsNone;
  int fStep = 2;
};

}  // namespace zyn
