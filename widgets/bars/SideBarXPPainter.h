#pragma once
// The XP look of the side bar (the main window's): flat captions without spacing, hot tracking,
// the selected or hot item's picture on the blended selection colour in a highlight frame.

#include "widgets/bars/SideBarPainter.h"

namespace zyn {

class TzbSideBarXPViewInfo : public TzbSideBarViewInfo {
 public:
  using TzbSideBarViewInfo::TzbSideBarViewInfo;
  TRect GetClientRect() const override;
  int GetGroupSpacing() const override { return 0; }
  int GetImageMargin() const override { return 5; }
};

class TzbSideBarXPPainter : public TzbSideBarPainter {
 public:
  using TzbSideBarPainter::TzbSideBarPainter;
  std::unique_ptr<TzbSideBarViewInfo> CreateViewInfo() override;
  void DrawBorder(TCanvas& canvas) override { DrawSunkenBorder(canvas); }
  void DrawGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info) override { DrawFlatGroup(canvas, info, false); }
  void DrawItemImageBackground(TCanvas& canvas, const TzbSideItemViewInfo& info, const TRect& r) override;
  void DrawItemFrame(TCanvas& canvas, const TzbSideItemViewInfo& info) override;
  bool HotTrackGroups() const override { return true; }

  // The selection colour blended from button face, highlight and window colours.
  static TColor SelectionColor();
};

}  // namespace zyn
