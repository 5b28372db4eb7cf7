#include "widgets/bars/SideBarPainter.h"

#include "platform/QtText.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarFlatPainter.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarStandardPainter.h"
#include "widgets/bars/SideBarW2KPainter.h"
#include "widgets/bars/SideBarXPPainter.h"

#include <algorithm>
#include <cmath>

namespace zyn {

namespace {

constexpr unsigned kLargeCaptionFlags = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;
constexpr unsigned kSmallCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

int FloorToMultiple(int value, int step) {
  const int q = value / step;
  return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

int ClampChannel(double value) { return std::clamp(static_cast<int>(value), 0, 255); }

}  // namespace

TzbSideBarPainter::TzbSideBarPainter(TzbSideBar& sideBar) : fSideBar(&sideBar) {}

TzbSideBarPainter::~TzbSideBarPainter() = default;

std::unique_ptr<TzbSideBarPainter> TzbSideBarPainter::Create(TzbSideBar& sideBar, TzbsbPaintStyle style) {
  switch (style) {
    case sbpsStandard:
      return std::make_unique<TzbSideBarStandardPainter>(sideBar);
    case sbpsXP:
      return std::make_unique<TzbSideBarXPPainter>(sideBar);
    case sbpsW2K:
      return std::make_unique<TzbSideBarW2KPainter>(sideBar);
    default:
      return std::make_unique<TzbSideBarFlatPainter>(sideBar);
  }
}

TzbSideBarViewInfo& TzbSideBarPainter::ViewInfo() {
  if (!fViewInfo) fViewInfo = CreateViewInfo();
  return *fViewInfo;
}

std::unique_ptr<TzbSideBarViewInfo> TzbSideBarPainter::CreateViewInfo() {
  return std::make_unique<TzbSideBarViewInfo>(*this);
}

bool TzbSideBarPainter::IsHighlighted(const TzbSideBarItem& item) const {
  return item.GetEnabled() && (&item == fSideBar->SelectedItem() || &item == fSideBar->FocusedItem());
}

bool TzbSideBarPainter::IsSelectedOrPressed(const TzbSideBarItem& item) const {
  return &item == fSideBar->SelectedItem() || (&item == fSideBar->FocusedItem() && fSideBar->HotItemPressed());
}

void TzbSideBarPainter::ExcludeClipRect(TCanvas& canvas, const TRect& r) {
  if (IsRectEmpty(r)) return;
  fClip = fClip.subtracted(QRegion(ToQRect(r)));
  canvas.Painter().setClipRegion(fClip);
}

void TzbSideBarPainter::IntersectClipRect(TCanvas& canvas, const TRect& r) {
  fClip = fClip.intersected(QRegion(ToQRect(r)));
  canvas.Painter().setClipRegion(fClip);
}

void TzbSideBarPainter::Paint(TCanvas& canvas) {
  TzbSideBarViewInfo& vi = ViewInfo();
  if (!vi.Ready()) vi.Calculate();
  const TRect client = Rect(0, 0, fSideBar->width(), fSideBar->height());
  QPainter& p = canvas.Painter();
  p.save();
  fClip = QRegion(ToQRect(client));
  p.setClipRegion(fClip);
  for (const TzbSideGroupViewInfo& g : vi.Groups()) {
    DrawGroup(canvas, g);
    ExcludeClipRect(canvas, g.CaptionRect);
  }
  DrawBorder(canvas);
  DrawScrollButtons(canvas);
  for (const auto& item : vi.Items()) DrawItem(canvas, *item);
  FillBackground(canvas, client);
  fClip = QRegion(ToQRect(client));
  p.setClipRegion(fClip);
  DrawDropIndicator(canvas);
  p.restore();
  fClip = QRegion();
}

void TzbSideBarPainter::FillBackground(TCanvas& canvas, const TRect& r) const {
  if (IsRectEmpty(r)) return;
  const QImage& picture = fSideBar->BkPicture();
  QPainter& p = canvas.Painter();
  if (!picture.isNull()) {
    p.save();
    p.setBrushOrigin(0, 0);
    p.fillRect(ToQRect(r), QBrush(picture));
    p.restore();
    return;
  }
  if (fSideBar->BkGround().IsGradient()) {
    FillGradient(canvas, r);
    return;
  }
  p.fillRect(ToQRect(r), ToQColor(fSideBar->Color()));
}

void TzbSideBarPainter::FillGradient(TCanvas& canvas, const TRect& r) const {
  const TzbSideBarBackGround& bg = fSideBar->BkGround();
  const bool horz = bg.FillStyle() == bfsHorz;
  const int step = bg.Step();
  // A collapsed side bar has no extent to spread the colours over: it shows the begin colour.
  const int length = horz ? fSideBar->height() : fSideBar->width();
  const TColor b = ColorToRGB(bg.BeginColor()), e = ColorToRGB(bg.EndColor());
  const double begin[3] = {double(GetRValue(b)), double(GetGValue(b)), double(GetBValue(b))};
  const double end[3] = {double(GetRValue(e)), double(GetGValue(e)), double(GetBValue(e))};
  double inc[3], value[3];
  const int start = horz ? r.Top : r.Left;
  for (int c = 0; c < 3; ++c) {
    inc[c] = length > 0 ? step * (end[c] - begin[c]) / length : 0.0;
    value[c] = begin[c] + inc[c] * start / step;
  }
  QPainter& p = canvas.Painter();
  const int stop = horz ? r.Bottom : r.Right;
  for (int pos = start; pos < stop;) {
    const int next = std::min(stop, FloorToMultiple(pos, step) + step);
    const QRect band = horz ? QRect(r.Left, pos, r.Width(), next - pos) : QRect(pos, r.Top, next - pos, r.Height());
    p.fillRect(band, QColor(ClampChannel(value[0]), ClampChannel(value[1]), ClampChannel(value[2])));
    pos = next;
    for (int c = 0; c < 3; ++c) value[c] += inc[c];
  }
}

void TzbSideBarPainter::DrawGroupText(TCanvas& canvas, const TzbSideGroup& group, const TRect& r) {
  canvas.Font = fSideBar->GroupFont();
  canvas.Brush.Style = bsClear;
  QString text = ToQString(group.Caption());
  while (!text.isEmpty() && canvas.TextWidth(text) > r.Width()) text.chop(1);
  TRect box = r;
  canvas.DrawText(text, box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  canvas.Brush.Style = bsSolid;
}

void TzbSideBarPainter::DrawFlatGroup(TCanvas& canvas, const TzbSideGroupViewInfo& info, bool activeEdge) {
  TRect r = info.CaptionRect;
  TRect inner = r;
  InflateRect(inner, -1, -1);
  canvas.Painter().fillRect(ToQRect(inner), ToQColor(clBtnFace));
  DrawGroupText(canvas, *info.Group, inner);
  const bool hot = fSideBar->HotGroup() == info.Group;
  const bool pressed = hot && fSideBar->HotGroupPressed();
  if (!hot) {
    canvas.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
  } else if (pressed) {
    canvas.DrawEdge(r, BDR_SUNKENINNER, BF_TOPLEFT);
    canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
    canvas.DrawEdge(inner, BDR_SUNKENOUTER, BF_TOPLEFT);
  } else {
    canvas.DrawEdge(r, BDR_RAISEDINNER, BF_TOPLEFT);
    canvas.DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
    canvas.DrawEdge(inner, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
  }
  if (activeEdge && info.Group == fSideBar->ActiveGroup()) canvas.DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOM);
}

void TzbSideBarPainter::DrawSunkenBorder(TCanvas& canvas) {
  TRect r = Rect(0, 0, fSideBar->width(), fSideBar->height());
  canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(r, -1, -1);
  IntersectClipRect(canvas, r);
}

void TzbSideBarPainter::DrawScrollButtons(TCanvas& canvas) {
  TzbSideBarViewInfo& vi = ViewInfo();
  if (vi.HasScrollUp()) {
    canvas.DrawFrameControl(vi.ScrollUpRect, DFC_SCROLL,
                            DFCS_SCROLLUP | (fSideBar->ScrollUpPressed() ? DFCS_PUSHED : 0u));
    ExcludeClipRect(canvas, vi.ScrollUpRect);
  }
  if (vi.HasScrollDown()) {
    canvas.DrawFrameControl(vi.ScrollDownRect, DFC_SCROLL,
                            DFCS_SCROLLDOWN | (fSideBar->ScrollDownPressed() ? DFCS_PUSHED : 0u));
    ExcludeClipRect(canvas, vi.ScrollDownRect);
  }
}

TRect TzbSideBarPainter::DropIndicatorRect() {
  const TzbSideBarDropPosition position = fSideBar->DropPosition();
  if (!fSideBar->IsDragging() || position == dpNone) return TRect();
  const TzbSideBarViewInfo& vi = ViewInfo();
  const TRect area = vi.ItemsArea;
  TRect r = Rect(area.Left, area.Top, area.Right, area.Top + 8);
  if (const TzbSideBarItem* target = fSideBar->DropTarget()) {
    const TzbSideItemViewInfo* info = vi.FindItem(target);
    if (!info) return TRect();
    if (position == dpBefore) {
      const int top = TzbSideBarViewInfo::Top(*info);
      r = Rect(area.Left, top - 8, area.Right, top);
    } else {
      r = Rect(area.Left, info->Bottom(), area.Right, info->Bottom() + 8);
    }
  }
  r.Left += fSideBar->SpaceHeight();
  r.Right -= fSideBar->SpaceHeight();
  return r;
}

void TzbSideBarPainter::DrawDropIndicator(TCanvas& canvas) {
  const TRect r = DropIndicatorRect();
  if (IsRectEmpty(r)) return;
  const int y = r.Top + 4;
  QPainter& p = canvas.Painter();
  // Before the first or after the last item the arrow-heads stop at the items area.
  IntersectClipRect(canvas, ViewInfo().ItemsArea);
  const QColor black(0, 0, 0);
  p.fillRect(QRect(r.Left + 9, y, std::max(0, r.Width() - 18), 1), black);
  for (int k = 0; k < 4; ++k) {
    // Arrow-heads at both ends, pointing toward the line.
    p.fillRect(QRect(r.Left + 1 + k * 2, y - (3 - k), 2, 2 * (3 - k) + 1), black);
    p.fillRect(QRect(r.Right - 3 - k * 2, y - (3 - k), 2, 2 * (3 - k) + 1), black);
  }
}

void TzbSideBarPainter::DrawItem(TCanvas& canvas, const TzbSideItemViewInfo& info) {
  DrawItemImage(canvas, info);
  DrawItemCaption(canvas, info);
}

void TzbSideBarPainter::DrawItemImageBackground(TCanvas& canvas, const TzbSideItemViewInfo&, const TRect& r) {
  FillBackground(canvas, r);
}

void TzbSideBarPainter::DrawItemImage(TCanvas& canvas, const TzbSideItemViewInfo& info) {
  const TRect frame = info.ImageFrameRect();
  DrawItemImageBackground(canvas, info, frame);
  const bool large = info.Item->Group().IconType() == zbsgLargeIcon;
  const TzbSideBarImageList* list = large ? fSideBar->GetLargeImages() : fSideBar->GetSmallImages();
  const int index = large ? info.Item->LargeImage() : info.Item->SmallImage();
  if (list && list->IsValid(index)) list->Draw(canvas, info.ImageRect.Left, info.ImageRect.Top, index);
  DrawItemFrame(canvas, info);
  TRect excluded = frame;
  excluded.Bottom = std::min(excluded.Bottom, ViewInfo().ItemsArea.Bottom);
  ExcludeClipRect(canvas, excluded);
}

void TzbSideBarPainter::DrawItemCaption(TCanvas& canvas, const TzbSideItemViewInfo& info) {
  const TzbSideBarViewInfo& vi = ViewInfo();
  FillBackground(canvas, info.CaptionRect);
  if (PtInRect(vi.ItemsArea, info.CaptionRect.TopLeft())) {
    const bool large = info.Item->Group().IconType() == zbsgLargeIcon;
    const unsigned flags = large ? kLargeCaptionFlags : kSmallCaptionFlags;
    const QString text = ToQString(info.Item->Caption());
    canvas.Font = fSideBar->ItemFont();
    canvas.Brush.Style = bsClear;
    TRect r = info.CaptionRect;
    if (!info.Item->GetEnabled()) {
      TRect shifted = r;
      OffsetRect(shifted, 1, 1);
      canvas.Font.Color = clBtnHighlight;
      canvas.DrawText(text, shifted, flags);
      canvas.Font.Color = clBtnShadow;
    }
    canvas.DrawText(text, r, flags);
    canvas.Brush.Style = bsSolid;
  }
  ExcludeClipRect(canvas, info.CaptionRect);
}

void TzbSideBarPainter::DrawItemFrame(TCanvas& canvas, const TzbSideItemViewInfo& info) {
  const TzbSideBarItem& item = *info.Item;
  if (!item.GetEnabled()) return;
  TRect r = info.GetItemRect();
  if (IsSelectedOrPressed(item)) {
    canvas.DrawEdge(r, BDR_SUNKENINNER, BF_RECT);
  } else if (&item == fSideBar->FocusedItem()) {
    canvas.DrawEdge(r, BDR_RAISEDOUTER, BF_RECT);
  } else {
    return;
  }
  ExcludeClipRect(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1));
  ExcludeClipRect(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  ExcludeClipRect(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
  ExcludeClipRect(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

}  // namespace zyn
