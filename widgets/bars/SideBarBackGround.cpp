#include "widgets/bars/SideBarBackGround.h"

namespace zyn {

void TzbSideBarBackGround::SetBeginColor(TColor value) {
  if (fBeginColor == value) return;
  fBeginColor = value;
  Changed();
}

void TzbSideBarBackGround::SetEndColor(TColor value) {
  if (fEndColor == value) return;
  fEndColor = value;
  Changed();
}

void TzbSideBarBackGround::SetFillStyle(TzbSideBarFillStyle value) {
  if (fFillStyle == value) return;
  fFillStyle = value;
  Changed();
}

void TzbSideBarBackGround::SetStep(int value) {
  if (value <= 0 || fStep == value) return;
  fStep = value;
  Changed();
}

void TzbSideBarBackGround::Assign(const TzbSideBarBackGround& source) {
  fBeginColor = source.fBeginColor;
  fEndColor = source.fEndColor;
  fFillStyle = source.fFillStyle;
  fStep = source.fStep;
  Changed();
}

void TzbSideBarBackGround::Changed() {
  if (OnChange) OnChange();
}

}  // namespace zyn
