#include "widgets/bars/SideBarBackGround.h"

namespace zyn {

void TzbSideBarBackGround::SetBeginColor(TColor value) {
  if (beginColor_ == value) return;
  beginColor_ = value;
  Changed();
}

void TzbSideBarBackGround::SetEndColor(TColor value) {
  if (endColor_ == value) return;
  endColor_ = value;
  Changed();
}

void TzbSideBarBackGround::SetFillStyle(TzbSideBarFillStyle value) {
  if (fillStyle_ == value) return;
  fillStyle_ = value;
  Changed();
}

void TzbSideBarBackGround::SetStep(int value) {
  if (value <= 0 || step_ == value) return;
  step_ = value;
  Changed();
}

void TzbSideBarBackGround::Assign(const TzbSideBarBackGround& source) {
  beginColor_ = source.beginColor_;
  endColor_ = source.endColor_;
  fillStyle_ = source.fillStyle_;
  step_ = source.step_;
  Changed();
}

void TzbSideBarBackGround::Changed() {
  if (OnChange) OnChange();
}

}  // namespace zyn
