#include "widgets/bars/SideBarStandardPainter.h"

#include "widgets/bars/SideBar.h"

namespace zyn {

namespace {
constexpr int kBevelWidth = 1;
}

TRect TzbSideBarStandardViewInfo::GetClientRect() const {
  const TzbSideBar& bar = SideBar();
  TRect r = Rect(0, 0, bar.width(), bar.height());
  if (!bar.ShowGroups()) return r;
  const int d = kBevelWidth + (bar.BorderStyle() == bbsSingle ? 1 : 0);
  InflateRect(r, -d, -d);
  OffsetRect(r, 0, 1);
  return r;
}

int TzbSideBarStandardViewInfo::GetGroupHeight() const {
  const int offset = SideBar().GroupHeightOffSet();
  return (offset == 0 ? 4 : 2 * offset) + GroupFontHeight();
}

std::unique_ptr<TzbSideBarViewInfo> TzbSideBarStandardPainter::CreateViewInfo() {
  return std::make_unique<TzbSideBarStandardViewInfo>(*this);
}

void TzbSideBarStandardPainter::DrawGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info) {
  TRect r = info.CaptionRect;
  canvas.DrawEdge(r, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_ADJUST);
  DrawGroupText(canvas, *info.Group, r);
}

}  // namespace zyn
