#pragma once
// The drop shadow of a menu or floating bar: up to five strips to the right and below the window;
// when a menu drops from an item of a bar, the strips also cover the parts of the item that stick
// out beside the menu, so that item and menu look like one raised shape.

#include "platform/Types.h"

#include <QImage>

#include <memory>
#include <vector>

class QWidget;

namespace zyn {

class TCustomzbBarControl;

// One strip: kind 0 a horizontal strip below a rectangle, kind 1 a vertical strip right of one.
// Corners (1 left end, 2 right end, 4 top end) fade out.
struct TzbBarShadowPartInfo {
  int Kind = 0;
  unsigned Corners = 0;
  TRect Bounds;
};

class TzbBarShadow {
 public:
  explicit TzbBarShadow(TCustomzbBarControl& owner);
  ~TzbBarShadow();

  // owner: the owner item's rectangle (empty when none); window: the window's rectangle.
  void SetRects(const TRect& owner, const TRect& window);
  void SetVisible(bool value);
  bool Visible() const { return fVisible; }
  void Refresh();
  static int GetShadowSize();
  static bool GetTransparent();

  // The strips built by the last SetRects (only the usable ones get a window).
  const std::vector<TzbBarShadowPartInfo>& Parts() const { return fParts; }
  // The image of a strip: black with the fading alpha values.
  static QImage PartImage(const TzbBarShadowPartInfo& part);

 private:
  void AddPart(int kind, unsigned corners, const TRect& r);
  TCustomzbBarControl* fOwner;
  bool fHorizontal = true;
  bool fVisible = false;
  TRect fUpper, fLower;
  std::vector<TzbBarShadowPartInfo> fParts;
  std::vector<std::unique_ptr<QWidget>> fWindows;
};

}  // namespace zyn
