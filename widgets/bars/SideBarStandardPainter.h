#pragma once
// The Standard look of the side bar: group captions as raised button faces, no hot tracking.

#include "widgets/bars/SideBarPainter.h"

namespace zyn {

class TzbSideBarStandardViewInfo : public TzbSideBarViewInfo {
 public:
  using TzbSideBarViewInfo::TzbSideBarViewInfo;
  TRect GetClientRect() const override;
  int GetGroupHeight() const override;
};

class TzbSideBarStandardPainter : public TzbSideBarPainter {
 public:
  using TzbSideBarPainter::TzbSideBarPainter;
  std::unique_ptr<TzbSideBarViewInfo> CreateViewInfo() override;
  void DrawGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info) override;
};

}  // namespace zyn
