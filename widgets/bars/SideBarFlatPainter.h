#pragma once
// The Flat look of the side bar (the default): flat captions with hot tracking, the open group's
// caption with a raised bottom edge, a sunken border.

#include "widgets/bars/SideBarPainter.h"

namespace zyn {

class TzbSideBarFlatViewInfo : public TzbSideBarViewInfo {
 public:
  using TzbSideBarViewInfo::TzbSideBarViewInfo;
};

class TzbSideBarFlatPainter : public TzbSideBarPainter {
 public:
  using TzbSideBarPainter::TzbSideBarPainter;
  std::unique_ptr<TzbSideBarViewInfo> CreateViewInfo() override;
  void DrawBorder(TCanvas& canvas) override { DrawSunkenBorder(canvas); }
  void DrawGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info) override { DrawFlatGroup(canvas, info, true); }
  bool HotTrackGroups() const override { return true; }
};

}  // namespace zyn
