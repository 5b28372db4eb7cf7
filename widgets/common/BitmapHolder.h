#pragma once
// A shared background picture: the holder keeps one picture and tells every registered link when
// it changes. Panels tile it as their background while they have no picture of their own.

#include "platform/Types.h"

#include <QImage>
#include <QObject>

#include <functional>
#include <vector>

class QPainter;

namespace zyn {

class TBitmapHolder;

// One client's connection to a holder.
class TLinkChange {
 public:
  TLinkChange() = default;
  ~TLinkChange();
  TLinkChange(const TLinkChange&) = delete;
  TLinkChange& operator=(const TLinkChange&) = delete;
  TBitmapHolder* Holder() const { return fHolder; }
  std::function<void(QObject* sender)> OnChange;

 private:
  friend class TBitmapHolder;
  TBitmapHolder* fHolder = nullptr;
};

// Where the tiles of a w x h picture fall over a rectangle: from its top-left corner, with partial
// tiles at the right and bottom edges.
std::vector<QRect> TilePlacement(const QSize& picture, const TRect& r);
void TileImage(QPainter& painter, const QImage& picture, const TRect& r);

class TBitmapHolder : public QObject {
  Q_OBJECT
 public:
  explicit TBitmapHolder(QObject* parent = nullptr);
  ~TBitmapHolder() override;

  const QImage& Bitmap() const { return fBitmap; }
  void SetBitmap(const QImage& bitmap);  // copies and tells the links
  bool IsEmpty() const { return fBitmap.isNull() || fBitmap.width() == 0 || fBitmap.height() == 0; }
  void RegisterLink(TLinkChange* link);
  void UnregisterLink(TLinkChange* link);
  int LinkCount() const { return static_cast<int>(fLinks.size()); }
  void Tile(QPainter& painter, const TRect& r) const;

 private:
  QImage fBitmap;
  std::vector<TLinkChange*> fLinks;
};

}  // namespace zyn
