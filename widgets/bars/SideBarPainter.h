#pragma once
// The painter of a side bar: draws the captions, the border, the scroll buttons, the items of the
// open group and the background through the platform canvas. Every drawn part is excluded from
// the clipping region, so the final background fill touches only the uncovered pixels. The kinds
// (Standard, Flat, W2K, XP) override the parts that differ.

#include "platform/Canvas.h"
#include "widgets/bars/SideBarTypes.h"
#include "widgets/bars/SideBarViewInfo.h"

#include <QRegion>

#include <memory>

namespace zyn {

class TzbSideBarPainter {
 public:
  explicit TzbSideBarPainter(TzbSideBar& sideBar);
  virtual ~TzbSideBarPainter();
  TzbSideBarPainter(const TzbSideBarPainter&) = delete;
  TzbSideBarPainter& operator=(const TzbSideBarPainter&) = delete;

  // The painter of a paint style.
  static std::unique_ptr<TzbSideBarPainter> Create(TzbSideBar& sideBar, TzbsbPaintStyle style);

  TzbSideBar& SideBar() const { return *fSideBar; }
  TzbSideBarViewInfo& ViewInfo();

  // Paints the whole side bar.
  void Paint(TCanvas& canvas);
  // Background of a rectangle: the picture tiled, else the gradient, else the solid colour.
  void FillBackground(TCanvas& canvas, const TRect& r) const;

  virtual std::unique_ptr<TzbSideBarViewInfo> CreateViewInfo();
  virtual void DrawBorder(TCanvas& canvas) {}
  virtual void DrawGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info) {}
  virtual void DrawItem(TCanvas& canvas, const TzbSideItemViewInfo& info);
  virtual void DrawItemCaption(TCanvas& canvas, const TzbSideItemViewInfo& info);
  virtual void DrawItemImageBackground(TCanvas& canvas, const TzbSideItemViewInfo& info, const TRect& r);
  virtual void DrawItemImage(TCanvas& canvas, const TzbSideItemViewInfo& info);
  virtual void DrawItemFrame(TCanvas& canvas, const TzbSideItemViewInfo& info);
  virtual void DrawScrollButtons(TCanvas& canvas);
  // While an item drag runs: a line with arrow-heads where the item would drop.
  virtual void DrawDropIndicator(TCanvas& canvas);
  // The rectangle of the drop indicator; empty when none is shown.
  TRect DropIndicatorRect();
  virtual bool HotTrackGroups() const { return false; }

  // The item is drawn as selected or hot (the focused item) and is enabled.
  bool IsHighlighted(const TzbSideBarItem& item) const;
  bool IsSelectedOrPressed(const TzbSideBarItem& item) const;

 protected:
  void ExcludeClipRect(TCanvas& canvas, const TRect& r);
  void IntersectClipRect(TCanvas& canvas, const TRect& r);
  // The caption shortened to fit, single-line, centred, with end ellipsis.
  void DrawGroupText(TCanvas& canvas, const TzbSideGroup& group, const TRect& r);
  // The flat caption of the Flat, W2K and XP kinds (activeEdge: the Flat kind's raised bottom).
  void DrawFlatGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info, bool activeEdge);
  // A sunken-outer edge around the client rectangle; painting is clipped to its inside.
  void DrawSunkenBorder(TCanvas& canvas);

 private:
  void FillGradient(TCanvas& canvas, const TRect& r) const;

  TzbSideBar* fSideBar;
  std::unique_ptr<TzbSideBarViewInfo> fViewInfo;
  QRegion fClip;
};

}  // namespace zyn
