#include "widgets/common/BitmapHolder.h"

#include <QPainter>

#include <algorithm>

namespace zyn {

TLinkChange::~TLinkChange() {
  if (fHolder) fHolder->UnregisterLink(this);
}

std::vector<QRect> TilePlacement(const QSize& picture, const TRect& r) {
  std::vector<QRect> tiles;
  const int w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0) return tiles;
  for (int j = 0; j <= r.Bottom / h + 1; ++j) {
    const int y = r.Top + j * h;
    if (y >= r.Bottom) break;
    for (int i = 0; i <= r.Right / w + 1; ++i) {
      const int x = r.Left + i * w;
      if (x >= r.Right) break;
      const int tw = x + w > r.Right ? r.Right - x : w;
      const int th = y + h > r.Bottom ? r.Bottom - y : h;
      tiles.emplace_back(x, y, tw, th);
    }
  }
  return tiles;
}

void TileImage(QPainter& painter, const QImage& picture, const TRect& r) {
  painter.save();
  painter.setClipRect(ToQRect(r), Qt::IntersectClip);
  for (const QRect& t : TilePlacement(picture.size(), r))
    painter.drawImage(t.topLeft(), picture, QRect(0, 0, t.width(), t.height()));
  painter.restore();
}

TBitmapHolder::TBitmapHolder(QObject* parent) : QObject(parent) {}

TBitmapHolder::~TBitmapHolder() {
  while (!fLinks.empty()) UnregisterLink(fLinks.back());
}

void TBitmapHolder::SetBitmap(const QImage& bitmap) {
  fBitmap = bitmap.copy();
  for (TLinkChange* link : std::vector<TLinkChange*>(fLinks))
    if (link->OnChange) link->OnChange(this);
}

void TBitmapHolder::RegisterLink(TLinkChange* link) {
  if (link->fHolder) link->fHolder->UnregisterLink(link);
  link->fHolder = this;
  fLinks.push_back(link);
}

void TBitmapHolder::UnregisterLink(TLinkChange* link) {
  auto it = std::find(fLinks.begin(), fLinks.end(), link);
  if (it != fLinks.end()) fLinks.erase(it);
  link->fHolder = nullptr;
}

void TBitmapHolder::Tile(QPainter& painter, const TRect& r) const { TileImage(painter, fBitmap, r); }

}  // namespace zyn
