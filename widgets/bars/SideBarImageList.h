#pragma once
// The image list a side bar or a side-bar store draws its item pictures from: equally sized
// images, drawn with their alpha channel (or, without one, with the list's transparent colour
// left out). Users register change links and hear of changes and of the list's end.

#include "platform/Canvas.h"

#include <QImage>

#include <functional>
#include <vector>

namespace zyn {

class TzbSideBarImageList {
 public:
  TzbSideBarImageList(int width, int height);
  ~TzbSideBarImageList();
  TzbSideBarImageList(const TzbSideBarImageList&) = delete;
  TzbSideBarImageList& operator=(const TzbSideBarImageList&) = delete;

  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  int Count() const { return static_cast<int>(fImages.size()); }
  bool IsValid(int index) const { return index >= 0 && index < Count(); }
  // Adds an image, scaled to the list's size when it differs; returns its index.
  int Add(const QImage& image);
  void Clear();
  const QImage& Image(int index) const { return fImages.at(static_cast<std::size_t>(index)); }

  // Pixels of this colour count as transparent in images without an alpha channel; clNone: none.
  TColor TransparentColor = clFuchsia;
  // Draws image index at (x, y); nothing for an invalid index.
  void Draw(TCanvas& canvas, int x, int y, int index, bool transparent = true) const;

  // Change links: onChange after every change, onDestroy when the list ends. Returns the id.
  int AddChangeLink(std::function<void()> onChange, std::function<void()> onDestroy);
  void RemoveChangeLink(int id);

 private:
  struct TLink {
    int Id;
    std::function<void()> OnChange, OnDestroy;
  };
  void Changed();

  int fWidth, fHeight;
  std::vector<QImage> fImages;
  std::vector<TLink> fLinks;
  int fNextId = 1;
};

}  // namespace zyn
