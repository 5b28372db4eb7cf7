#pragma once
// The window of one drop-down menu: the menu of a sub-item, a nested menu, a drop-down button's
// menu, or a popup of the library (the toolbars popup). It places itself against the monitor's
// work area beside or below its owning item, lays its entries out one below the other, never takes
// the focus, and runs the menu keyboard (Up, Down, Enter, Esc one level back, Left and Right
// between the menus of the main menu bar).

#include "widgets/bars/BarControl.h"

#include <QImage>

#include <functional>
#include <vector>

namespace zyn {

class TzbBarSubMenuControl : public TCustomzbBarControl {
 public:
  TzbBarSubMenuControl(TzbBarManager& manager, TzbBarItemLinks& links);
  ~TzbBarSubMenuControl() override;

  TzbBarItemControl* OwnerControl = nullptr;  // the control that opened the menu; told when it closes
  bool AlignRight = false;  // ShowAt's position is the window's top right corner
  int OwnerWidth = 0;                         // width of the owning item when the menu opens beside it
  int OwnerHeight = 0;                        // height of the owning item when the menu opens below it
  bool OpensToTheRight = true;
  bool OpensDownwards = true;
  std::function<void()> OnPopup, OnCloseUp;
  // A side strip along the left edge (a popup menu's bar), painted by OnPaintSideStrip after the
  // items with the canvas and the strip's rectangle.
  int SideStrip = 0;
  int SideStripWidth() const override { return SideStrip; }
  std::function<void(TCanvas&, const TRect&)> OnPaintSideStrip;

  // Places the menu at the screen point and shows it without activation; the owner's width or
  // height say on which side of the menu the owning item lies.
  void ShowAt(const TPoint& position, int ownerWidth, int ownerHeight);
  // Destroys the menu window (its links forget it).
  void Close();
  int DropArrowWidth() const { return fDropArrowWidth; }
  bool FlippedLeft() const { return fFlippedLeft; }
  bool FlippedUp() const { return fFlippedUp; }

  // --- TzbBarWindow ---
  void RebuildLayout() override;
  void PostRecalculate() override;
  bool IsMenu() const override { return true; }
  bool IsDocked() const override { return false; }
  int ItemHeight() const override { return fLineHeight; }
  TRect ClientInsets() const override { return Rect(1, 1 + TearOffBandHeight(), 1, 1); }
  TBrush GetBackgroundBrush() const override;

  bool KeyDown(int key, unsigned shift) override;
  void MouseDown(const TPoint& p, TzbMouseButton button) override;
  void MouseMove(const TPoint& p) override;
  void MouseUp(const TPoint& p, TzbMouseButton button) override;
  void SetSelectedControl(TzbBarItemControl* control) override;

  // Scrolling of a menu higher than the work area: the place of the first entry laid out, and the
  // arrows that take the places of the first and the last laid-out entries.
  int TopIndex() const { return fTopIndex; }
  bool UpArrowShown() const { return fUpShown; }
  bool DownArrowShown() const { return fDownShown; }
  TRect UpArrowRect() const { return fUpRect; }
  TRect DownArrowRect() const { return fDownRect; }
  static int ScrollInterval;  // 80 ms

  // Personalized menus: while menus are not expanded, a menu first shows its recently used links
  // and an expand button at the bottom; resting on the button (1000 ms), clicking it, Ctrl+Down or
  // waiting 4000 ms shows all links, the less used ones on the less-used brush.
  bool ShowsExpandButton() const override;
  TRect ExpandButtonRect() const;
  bool ExpandButtonHot() const { return fExpandHot; }
  void Expand();
  TBrush NonRecentBrush() const override;
  static int ExpandDelay;     // 4000 ms after the menu opened
  static int ExpandHotDelay;  // 1000 ms on the expand button

  // --- opening animation (BarMenuAnimation.cpp) ---
  // Whether the opener lets the menu unfold or slide (menus opened with the mouse, popup menus).
  bool AnimationAllowed = false;
  bool Animating() const { return fAnimating; }
  // The kind the menu opens with: the manager's MenuAnimations, a random one resolved.
  TzbBarMenuAnimations ChooseAnimation() const;
  // The client rectangle shown by frame k (from 1) of an unfold or slide over a client of w x h
  // (relative to the final client's top-left), and the number of frames.
  static TRect AnimationFrame(TzbBarMenuAnimations kind, int w, int h, int k, bool growLeft, bool growUp);
  static int AnimationFrameCount(TzbBarMenuAnimations kind, int w, int h);
  static int AnimationInterval;  // milliseconds between frames
  // Ends a running animation at once: the menu stands at its full size (input to the menu calls it).
  void WaitForAnimation();
  int AnimationFrameIndex() const { return fAnimFrame; }
  void PaintWidget(QWidget& widget) override;
  bool IsShadowVisible() const override;

  // --- detachable menus (BarTearOff.cpp) ---
  // The menu of a sub-item with Detachable shows a tear-off band above its entries (in the frame).
  // Dragging the band more than 15 pixels away tears the menu off: the menu closes and the
  // sub-item's detaching bar floats under the pointer; back over the band the bar hides and the
  // menu opens again; releasing the button keeps the bar (the menus close), Esc gives the menu back.
  bool HasTearOffBand() const override;
  int BandCaptionHeight() const override;
  TRect TearOffBandRect() const;  // window coordinates; empty without band
  bool TearOffBandHot() const { return fTearOffHot; }
  // While the band is painted the painters read its hot state as the window's active state.
  bool IsActive() const override { return fPaintingBand ? fTearOffHot : TCustomzbBarControl::IsActive(); }
  // Whether a tear-off drag runs (it takes every key and mouse event meanwhile).
  static bool TearingOff();
  void MouseLeave() override;

 protected:
  void Paint() override;
  void CloseChain() override { Close(); }
  void CalcMetrics() override;
  TBrush ItemBrush() const override;

 private:
  // Lays the entries out from the top index; measuring: the bottom is unlimited and the menu's
  // size is answered.
  void CalcItemRects(bool measuring, int* width = nullptr, int* height = nullptr);
  void Place();
  // The pointer is inside this menu: its parent selects the owning entry again.
  void KeepOwnerSelected();
  bool IsPopupChain() const;
  void Scroll(int direction);
  int TearOffBandHeight() const;  // in the frame above the client area; 0 without band
  // The band's share of the mouse handlers; true when the event was the band's.
  bool TearOffMouseMove(const TPoint& client);
  bool TearOffMouseDown(const TPoint& client);
  bool fTearOffHot = false;
  bool fPaintingBand = false;
  void StopScrolling();
  // Container items (lists, the recent-files list) show their entries in place of their own link
  // while the menu is open.
  void ExpandContainers();
  void CollapseContainers();
  bool IsExpandedContainer(const TzbBarItemLink* link) const;
  int fDropArrowWidth = 11, fExpandHeight = 0, fGlyphReference = 19;
  TPoint fRequested;
  bool fFlippedLeft = false, fFlippedUp = false;
  int fTopIndex = 0;
  bool fUpShown = false, fDownShown = false;
  TRect fUpRect, fDownRect;
  int fScrollDirection = 0;
  QObject* fScrollTimer = nullptr;  // owned; deleted with the window
  struct TExpanded {
    TzbBarItemLink* Link;
    int Index;
  };
  std::vector<TExpanded> fExpanded;
  bool fExpanding = false;
  bool RecentMode() const;
  // hotOnly: when it fires the expand button only becomes hot (the delay restarted by a selection
  // change); otherwise the menu expands.
  void StartExpandTimer(int delay, bool hotOnly = false);
  bool fExpandHotOnly = false;
  bool fExpandHot = false;
  int fRecentCount = -1;
  QObject* fExpandTimer = nullptr;  // owned
  // Opening animation.
  void StartAnimation(TzbBarMenuAnimations kind);
  void ShowAnimationFrame();
  void FinishAnimation(bool place);
  bool fAnimating = false;
  TzbBarMenuAnimations fAnimKind = maNone;
  QImage fAnimImage;
  TRect fAnimFinal;  // the window's final screen rectangle
  int fAnimFrame = 0, fAnimFrames = 0;
  bool fGrowLeft = false, fGrowUp = false;
  QObject* fAnimTimer = nullptr;  // owned
};

// Shows a menu window fading in (150 ms).
void FadeInMenu(QWidget& widget);

}  // namespace zyn
