#include "widgets/bars/SideBarImageList.h"

#include <algorithm>

namespace zyn {

TzbSideBarImageList::TzbSideBarImageList(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {}

TzbSideBarImageList::~TzbSideBarImageList() {
  const std::vector<TLink> links = std::move(links_);
  for (const TLink& l : links)
    if (l.OnDestroy) l.OnDestroy();
}

int TzbSideBarImageList::Add(const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_ARGB32);
  if (img.width() != width_ || img.height() != height_)
    img = img.scaled(width_, height_);
  if (!image.hasAlphaChannel() && TransparentColor != clNone) {
    const QRgb key = ToQColor(TransparentColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x)
        if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
  }
  images_.push_back(std::move(img));
  Changed();
  return Count() - 1;
}

void TzbSideBarImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

void TzbSideBarImageList::Draw(TCanvas& canvas, int x, int y, int index, bool transparent) const {
  if (!IsValid(index)) return;
  QPainter& p = canvas.Painter();
  if (!transparent) {
    QImage opaque(width_, height_, QImage::Format_RGB32);
    opaque.fill(TransparentColor == clNone ? Qt::white : ToQColor(TransparentColor));
    QPainter op(&opaque);
    op.drawImage(0, 0, Image(index));
    op.end();
    p.drawImage(x, y, opaque);
    return;
  }
  p.drawImage(x, y, Image(index));
}

int TzbSideBarImageList::AddChangeLink(std::function<void()> onChange, std::function<void()> onDestroy) {
  links_.push_back({nextId_, std::move(onChange), std::move(onDestroy)});
  return nextId_++;
}

void TzbSideBarImageList::RemoveChangeLink(int id) {
  links_.erase(std::remove_if(links_.begin(), links_.end(), [id](const TLink& l) { return l.Id == id; }),
               links_.end());
}

void TzbSideBarImageList::Changed() {
  const std::vector<TLink> links = links_;
  for (const TLink& l : links)
    if (l.OnChange) l.OnChange();
}

}  // namespace zyn
