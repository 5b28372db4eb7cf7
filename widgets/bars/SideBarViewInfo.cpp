#include "widgets/bars/SideBarViewInfo.h"

#include "platform/Canvas.h"
#include "platform/QtText.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarPainter.h"

#include <QFontMetrics>

#include <algorithm>

namespace zyn {

namespace {

// Text flags of item captions: the platform's DT_EDITCONTROL has no effect on measuring here.
constexpr unsigned kLargeCaptionTextFlags = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;

}  // namespace

TRect TzbSideItemViewInfo::ImageFrameRect() const {
  TRect r = ImageRect;
  const int m = ViewInfo->GetImageMargin();
  InflateRect(r, m, m);
  return r;
}

TRect TzbSideItemViewInfo::GetItemRect() const { return ImageFrameRect(); }

int TzbSideItemViewInfo::Bottom() const {
  return std::max(CaptionRect.Bottom, ImageRect.Bottom + ViewInfo->GetImageMargin());
}

TzbSideBarViewInfo::TzbSideBarViewInfo(TzbSideBarPainter& painter) : fPainter(&painter) {}

TzbSideBarViewInfo::~TzbSideBarViewInfo() = default;

TzbSideBar& TzbSideBarViewInfo::SideBar() const { return fPainter->SideBar(); }

std::unique_ptr<TzbSideItemViewInfo> TzbSideBarViewInfo::CreateItemViewInfo() const {
  return std::make_unique<TzbSideItemViewInfo>(*this);
}

TRect TzbSideBarViewInfo::GetClientRect() const {
  const TzbSideBar& bar = SideBar();
  return Rect(1, bar.ShowGroups() ? 1 : 0, bar.width() - 1, bar.height());
}

int TzbSideBarViewInfo::GetGroupHeight() const {
  const int offset = SideBar().GroupHeightOffSet();
  return (offset == 0 ? 8 : 2 * offset) + GroupFontHeight();
}

int TzbSideBarViewInfo::GetItemSpacing() const { return SideBar().SpaceHeight(); }

int TzbSideBarViewInfo::GroupFontHeight() const { return QFontMetrics(SideBar().GroupFont().Font).height(); }

int TzbSideBarViewInfo::ItemFontHeight() const { return QFontMetrics(SideBar().ItemFont().Font).height(); }

int TzbSideBarViewInfo::ImageWidth(bool large) const {
  const TzbSideBarImageList* list = large ? SideBar().GetLargeImages() : SideBar().GetSmallImages();
  return list ? list->Width() : (large ? 32 : 16);
}

int TzbSideBarViewInfo::ImageHeight(bool large) const {
  const TzbSideBarImageList* list = large ? SideBar().GetLargeImages() : SideBar().GetSmallImages();
  return list ? list->Height() : (large ? 32 : 16);
}

void TzbSideBarViewInfo::Clear() {
  fGroups.clear();
  fItems.clear();
  ItemsArea = TRect();
  ScrollUpRect = TRect();
  ScrollDownRect = TRect();
}

void TzbSideBarViewInfo::Calculate() {
  Clear();
  CalcGroups();
  CalcItemsArea();
  CalcItems();
  CalcScrollButtons();
  fReady = true;
}

void TzbSideBarViewInfo::CalcGroups() {
  const TzbSideBar& bar = SideBar();
  const TzbSideGroup* active = bar.ActiveGroup();
  if (!bar.ShowGroups() || !active) return;
  const TRect cr = GetClientRect();
  const int h = GetGroupHeight();
  const int step = h + GetGroupSpacing();
  const TzbSideGroups& groups = bar.Groups();
  const int activeIndex = active->Index();
  int y = cr.Top;
  for (int i = 0; i <= activeIndex; ++i) {
    TzbSideGroup* g = groups[i];
    if (!g->Visible()) continue;
    fGroups.push_back({g, Rect(cr.Left, y, cr.Right, y + h)});
    y += step;
  }
  // The groups after the open one stand against the bottom edge, as many as fit.
  int position = y + GetGroupSpacing() + bar.SpaceHeight() + h;
  int sum = 0;
  for (int i = activeIndex + 1; i < groups.Count(); ++i) {
    if (!groups[i]->Visible()) continue;
    if (position > cr.Bottom) break;
    sum += step;
    position += step;
  }
  y = cr.Bottom - sum;
  for (int i = activeIndex + 1; i < groups.Count(); ++i) {
    TzbSideGroup* g = groups[i];
    if (!g->Visible()) continue;
    fGroups.push_back({g, Rect(cr.Left, y, cr.Right, y + h)});
    y += step;
  }
}

void TzbSideBarViewInfo::CalcItemsArea() {
  ItemsArea = GetClientRect();
  InflateRect(ItemsArea, -1, -1);
  const TzbSideGroup* active = SideBar().ActiveGroup();
  for (std::size_t i = 0; i < fGroups.size(); ++i) {
    if (fGroups[i].Group != active) continue;
    ItemsArea.Top = fGroups[i].CaptionRect.Bottom;
    if (i + 1 < fGroups.size()) ItemsArea.Bottom = fGroups[i + 1].CaptionRect.Top;
    break;
  }
}

void TzbSideBarViewInfo::CalcItems() {
  TzbSideGroup* active = SideBar().ActiveGroup();
  if (!active) return;
  TzbSideBarItems& items = active->Items();
  QImage scratch(1, 1, QImage::Format_RGB32);
  TCanvas measure(&scratch);
  measure.Font = SideBar().ItemFont();
  fMeasure = &measure;
  int y = ItemsArea.Top;
  for (int i = std::max(0, active->TopVisibleItem()); i < items.Count(); ++i) {
    const int top = y + GetItemSpacing();
    if (top >= ItemsArea.Bottom) break;
    auto info = CreateItemViewInfo();
    info->Item = items[i];
    CalcItemViewInfo(*info, top);
    y = info->Bottom();
    fItems.push_back(std::move(info));
  }
  fMeasure = nullptr;
}

void TzbSideBarViewInfo::CalcItemViewInfo(TzbSideItemViewInfo& info, int top) {
  const TzbSideBar& bar = SideBar();
  const int space = bar.SpaceHeight();
  const TRect cr = GetClientRect();
  const bool large = info.Item->Group().IconType() == zbsgLargeIcon;
  const int iw = ImageWidth(large), ih = ImageHeight(large);
  const QString caption = ToQString(info.Item->Caption());
  QImage scratch;
  std::unique_ptr<TCanvas> own;
  if (!fMeasure) {  // called on its own by a derived view info
    scratch = QImage(1, 1, QImage::Format_RGB32);
    own = std::make_unique<TCanvas>(&scratch);
    own->Font = bar.ItemFont();
  }
  TCanvas& measure = fMeasure ? *fMeasure : *own;
  if (large) {
    info.ImageRect = Bounds(cr.Left + (cr.Width() - iw) / 2, top + space, iw, ih);
    TRect text = Rect(ItemsArea.Left, info.ImageRect.Bottom + space, ItemsArea.Right, info.ImageRect.Bottom + space);
    measure.DrawText(caption, text, kLargeCaptionTextFlags | DT_CALCRECT);
    const int w = text.Width();
    text.Left = ItemsArea.Left + (ItemsArea.Width() - w) / 2;
    text.Right = text.Left + w;
    info.CaptionRect = text;
    return;
  }
  const int itemHeight = std::max(ItemFontHeight() + 2, ih);
  const int imageTop = top + space + (ih < itemHeight ? (itemHeight - ih) / 2 : 0);
  info.ImageRect = Bounds(cr.Left + space, imageTop, iw, ih);
  const int left = info.ImageRect.Right + space;
  const int right = std::min(left + measure.TextWidth(caption), ItemsArea.Right - space);
  info.CaptionRect = Rect(left, top + space, std::max(left, right), top + space + itemHeight);
}

void TzbSideBarViewInfo::CalcScrollButtons() {
  if (fItems.empty()) return;
  const TzbSideBar& bar = SideBar();
  const int space = bar.SpaceHeight();
  const TzbSideItemViewInfo& first = *fItems.front();
  const TzbSideItemViewInfo& last = *fItems.back();
  if (first.Item->Index() != 0) ScrollUpRect = Bounds(ItemsArea.Right - space - 16, ItemsArea.Top + space, 16, 16);
  const bool lastShown = last.Item->Index() == last.Item->Collection().Count() - 1 && IsFullyVisible(last);
  if (!lastShown) ScrollDownRect = Bounds(ItemsArea.Right - space - 16, ItemsArea.Bottom - space - 16, 16, 16);
}

int TzbSideBarViewInfo::Top(const TzbSideItemViewInfo& info) {
  return std::min(info.ImageFrameRect().Top, info.CaptionRect.Top);
}

TzbSideBarDropPosition TzbSideBarViewInfo::DropPositionAt(const TPoint& p, TzbSideBarItem*& target) const {
  target = nullptr;
  if (!PtInRect(ItemsArea, p)) return dpNone;
  if (fItems.empty()) return dpBefore;
  for (const auto& i : fItems) {
    if (i->Bottom() < p.Y) continue;
    target = i->Item;
    return p.Y < Top(*i) ? dpBefore : dpNone;
  }
  target = fItems.back()->Item;
  return dpAfter;
}

bool TzbSideBarViewInfo::IsFullyVisible(const TzbSideItemViewInfo& info) const {
  return info.Bottom() <= ItemsArea.Bottom;
}

const TzbSideGroupViewInfo* TzbSideBarViewInfo::FindGroup(const TzbSideGroup* group) const {
  for (const TzbSideGroupViewInfo& g : fGroups)
    if (g.Group == group) return &g;
  return nullptr;
}

const TzbSideItemViewInfo* TzbSideBarViewInfo::FindItem(const TzbSideBarItem* item) const {
  for (const auto& i : fItems)
    if (i->Item == item) return i.get();
  return nullptr;
}

TzbSideGroup* TzbSideBarViewInfo::GroupAt(const TPoint& p) const {
  for (const TzbSideGroupViewInfo& g : fGroups)
    if (PtInRect(g.CaptionRect, p)) return g.Group;
  return nullptr;
}

TzbSideBarItem* TzbSideBarViewInfo::ItemAt(const TPoint& p) const {
  for (const auto& i : fItems) {
    const bool large = i->Item->Group().IconType() == zbsgLargeIcon;
    const TRect caption =
        large ? Rect(i->CaptionRect.Left, i->ImageRect.Bottom, i->CaptionRect.Right, i->CaptionRect.Bottom)
              : Rect(i->ImageRect.Right, i->CaptionRect.Top, i->CaptionRect.Right, i->CaptionRect.Bottom);
    if (PtInRect(caption, p) || PtInRect(i->ImageFrameRect(), p)) return i->Item;
  }
  return nullptr;
}

}  // namespace zyn
