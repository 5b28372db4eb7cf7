#include "widgets/bars/SideBarW2KPainter.h"

#include "widgets/bars/SideBar.h"

#include <algorithm>

namespace zyn {

TRect TzbSideItemW2KViewInfo::GetItemRect() const {
  const int space = ViewInfo->SideBar().SpaceHeight();
  return Rect(ViewInfo->ItemsArea.Left, ImageRect.Top - space, ViewInfo->ItemsArea.Right,
              std::max(ImageRect.Bottom, CaptionRect.Bottom) + space - 1);
}

std::unique_ptr<TzbSideItemViewInfo> TzbSideBarW2KViewInfo::CreateItemViewInfo() const {
  return std::make_unique<TzbSideItemW2KViewInfo>(*this);
}

std::unique_ptr<TzbSideBarViewInfo> TzbSideBarW2KPainter::CreateViewInfo() {
  return std::make_unique<TzbSideBarW2KViewInfo>(*this);
}

}  // namespace zyn
