#pragma once
// The W2K look of the side bar: the Flat look with items framed across the whole width and a
// spacing of 2 between items.

#include "widgets/bars/SideBarFlatPainter.h"

namespace zyn {

class TzbSideItemW2KViewInfo : public TzbSideItemViewInfo {
 public:
  using TzbSideItemViewInfo::TzbSideItemViewInfo;
  TRect GetItemRect() const override;
};

class TzbSideBarW2KViewInfo : public TzbSideBarFlatViewInfo {
 public:
  using TzbSideBarFlatViewInfo::TzbSideBarFlatViewInfo;
  std::unique_ptr<TzbSideItemViewInfo> CreateItemViewInfo() const override;
  int GetItemSpacing() const override { return 2; }
};

class TzbSideBarW2KPainter : public TzbSideBarFlatPainter {
 public:
  using TzbSideBarFlatPainter::TzbSideBarFlatPainter;
  std::unique_ptr<TzbSideBarViewInfo> CreateViewInfo() override;
};

}  // namespace zyn
