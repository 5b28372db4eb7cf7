#pragma once
// Where the parts of a side bar lie: the group captions, the items of the open group with their
// image and caption rectangles, the items area and the two scroll buttons. The painter kinds
// derive their own view info to change the per-style metrics.

#include "platform/Canvas.h"
#include "widgets/bars/SideBarTypes.h"

#include <memory>
#include <vector>

namespace zyn {

struct TzbSideGroupViewInfo {
  TzbSideGroup* Group = nullptr;
  TRect CaptionRect;
};

class TzbSideItemViewInfo {
 public:
  explicit TzbSideItemViewInfo(const TzbSideBarViewInfo& viewInfo) : ViewInfo(&viewInfo) {}
  virtual ~TzbSideItemViewInfo() = default;
  const TzbSideBarViewInfo* ViewInfo;
  TzbSideBarItem* Item = nullptr;
  TRect ImageRect;
  TRect CaptionRect;
  // The hot and hit rectangle (the image rectangle inflated by the margin).
  virtual TRect GetItemRect() const;
  // The image rectangle inflated by the image margin.
  TRect ImageFrameRect() const;
  // The lowest edge: the larger of the caption bottom and the image bottom plus the margin.
  int Bottom() const;
};

class TzbSideBarViewInfo {
 public:
  explicit TzbSideBarViewInfo(TzbSideBarPainter& painter);
  virtual ~TzbSideBarViewInfo();
  TzbSideBarViewInfo(const TzbSideBarViewInfo&) = delete;
  TzbSideBarViewInfo& operator=(const TzbSideBarViewInfo&) = delete;

  TzbSideBarPainter& Painter() const { return *fPainter; }
  TzbSideBar& SideBar() const;

  virtual std::unique_ptr<TzbSideItemViewInfo> CreateItemViewInfo() const;
  virtual TRect GetClientRect() const;
  virtual int GetGroupHeight() const;
  virtual int GetGroupSpacing() const { return 1; }
  virtual int GetImageMargin() const { return 1; }
  virtual int GetItemSpacing() const;

  // Lays out captions, items and scroll buttons anew.
  void Calculate();
  bool Ready() const { return fReady; }
  void Invalidate() { fReady = false; }
  void Clear();

  const std::vector<TzbSideGroupViewInfo>& Groups() const { return fGroups; }
  const std::vector<std::unique_ptr<TzbSideItemViewInfo>>& Items() const { return fItems; }
  TRect ItemsArea;
  TRect ScrollUpRect;    // empty when the button is absent
  TRect ScrollDownRect;  // empty when the button is absent
  bool HasScrollUp() const { return !IsRectEmpty(ScrollUpRect); }
  bool HasScrollDown() const { return !IsRectEmpty(ScrollDownRect); }

  const TzbSideGroupViewInfo* FindGroup(const TzbSideGroup* group) const;
  const TzbSideItemViewInfo* FindItem(const TzbSideBarItem* item) const;
  TzbSideGroup* GroupAt(const TPoint& p) const;
  TzbSideBarItem* ItemAt(const TPoint& p) const;
  // Where a dragged item would drop at p: the target item (nil for none) and the position.
  TzbSideBarDropPosition DropPositionAt(const TPoint& p, TzbSideBarItem*& target) const;
  // The top of an item's entry: the higher of its picture frame and its caption.
  static int Top(const TzbSideItemViewInfo& info);
  // The item's lowest edge lies inside the items area.
  bool IsFullyVisible(const TzbSideItemViewInfo& info) const;
  // Width and height of the large or small pictures (32 or 16 square without a list).
  int ImageWidth(bool large) const;
  int ImageHeight(bool large) const;
  int GroupFontHeight() const;
  int ItemFontHeight() const;

 protected:
  virtual void CalcItemViewInfo(TzbSideItemViewInfo& info, int top);

 private:
  void CalcGroups();
  void CalcItemsArea();
  void CalcItems();
  void CalcScrollButtons();

  TzbSideBarPainter* fPainter;
  TCanvas* fMeasure = nullptr;  // the text-measuring canvas while items are laid out
  std::vector<TzbSideGroupViewInfo> fGroups;
  std::vector<std::unique_ptr<TzbSideItemViewInfo>> fItems;
  bool fReady = false;
};

}  // namespace zyn
