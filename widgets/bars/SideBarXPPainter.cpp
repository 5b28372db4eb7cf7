#include "widgets/bars/SideBarXPPainter.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarItem.h"

#include <algorithm>

namespace zyn {

TRect TzbSideBarXPViewInfo::GetClientRect() const {
  const TzbSideBar& bar = SideBar();
  const bool groups = bar.ShowGroups();
  return Rect(1, groups ? 1 : 0, bar.width() - 1, groups ? bar.height() - 1 : bar.height());
}

std::unique_ptr<TzbSideBarViewInfo> TzbSideBarXPPainter::CreateViewInfo() {
  return std::make_unique<TzbSideBarXPViewInfo>(*this);
}

TColor TzbSideBarXPPainter::SelectionColor() {
  const TColor face = ColorToRGB(clBtnFace);
  if (face == clBlack || face == clWhite) return clHighlight;
  const TColor highlight = ColorToRGB(clHighlight), window = ColorToRGB(clWindow);
  auto channel = [](int f, int h, int w) {
    return std::clamp(MulDiv(-2, f, 100) + MulDiv(30, h, 100) + MulDiv(72, w, 100), 0, 255);
  };
  return RGB(channel(GetRValue(face), GetRValue(highlight), GetRValue(window)),
             channel(GetGValue(face), GetGValue(highlight), GetGValue(window)),
             channel(GetBValue(face), GetBValue(highlight), GetBValue(window)));
}

void TzbSideBarXPPainter::DrawItemImageBackground(TCanvas& canvas, const TzbSideItemViewInfo& info, const TRect& r) {
  if (IsHighlighted(*info.Item)) {
    canvas.Painter().fillRect(ToQRect(r), ToQColor(SelectionColor()));
    return;
  }
  FillBackground(canvas, r);
}

void TzbSideBarXPPainter::DrawItemFrame(TCanvas& canvas, const TzbSideItemViewInfo& info) {
  if (!IsHighlighted(*info.Item)) return;
  canvas.Brush.Color = clHighlight;
  canvas.Brush.Style = bsSolid;
  canvas.FrameRect(info.ImageFrameRect());
}

}  // namespace zyn
