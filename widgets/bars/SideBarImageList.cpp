#include "widgets/bars/SideBarImageList.h"

#include <algorithm>

namespace zyn {

TzbSideBarImageList::TzbSideBarImageList(int width, int height)
    : fWidth(std::max(1, width)), fHeight(std::max(1, height)) {}

TzbSideBarImageList::~TzbSideBarImageList() {
  const std::vector<TLink> links = std::move(fLinks);
  for (const TLink& l : links)
    if (l.OnDestroy) l.OnDestroy();
}

int TzbSideBarImageList::Add(const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_ARGB32);
  if (img.width() != fWidth || img.height() != fHeight) img = img.scaled(fWidth, fHeight);
  if (!image.hasAlphaChannel() && TransparentColor != clNone) {
    const QRgb key = ToQColor(TransparentColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x)
        if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
  }
  fImages.push_back(std::move(img));
  Changed();
  return Count() - 1;
}

void TzbSideBarImageList::Clear() {
  if (fImages.empty()) return;
  fImages.clear();
  Changed();
}

void TzbSideBarImageList::Draw(TCanvas& canvas, int x, int y, int index, bool transparent) const {
  if (!IsValid(index)) return;
  QPainter& p = canvas.Painter();
  if (!transparent) {
    QImage opaque(fWidth, fHeight, QImage::Format_RGB32);
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
  fLinks.push_back({fNextId, std::move(onChange), std::move(onDestroy)});
  return fNextId++;
}

void TzbSideBarImageList::RemoveChangeLink(int id) {
  fLinks.erase(std::remove_if(fLinks.begin(), fLinks.end(), [id](const TLink& l) { return l.Id == id; }), fLinks.end());
}

void TzbSideBarImageList::Changed() {
  const std::vector<TLink> links = fLinks;
  for (const TLink& l : links)
    if (l.OnChange) l.OnChange();
}

}  // namespace zyn
