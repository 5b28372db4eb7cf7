#pragma once
// The quick-customization window that a toolbar's mark opens: a small toolbar window of its own
// that pops up at the mark and shows the toolbar's links that did not fit, then "&Add or Remove
// Buttons" with a check entry per link of the toolbar. It shows the links of a temporary hidden
// bar that lives as long as the window; the owner toolbar window creates the window when its mark
// drops and frees it in any other mark state.

#include "widgets/bars/BarToolbarControl.h"

class QTimer;

namespace zyn {

class TzbBarQuickCustItem;
class TzbBarQuickSubItem;

namespace detail {
// Adds the temporary bar before the window (the window's base needs it) and deletes it after the
// window's bases went.
class TzbQuickBarHolder {
 protected:
  TzbQuickBarHolder(TzbBarManager& manager, const TzbBar& ownerBar);
  ~TzbQuickBarHolder();
  TzbBarManager* fHolderManager;
  TzbBar* fTempBar;
};
}  // namespace detail

class TzbBarQuickControl : private detail::TzbQuickBarHolder, public TzbBarControl {
 public:
  TzbBarQuickControl(TzbBarManager& manager, TzbBarControl& owner);
  ~TzbBarQuickControl() override;

  // The open quick-customization window of the program (at most one), nil when none.
  static TzbBarQuickControl* Current();
  // The delay of the close timer (milliseconds).
  static int CloseDelay;

  // Places the window at the owner's mark, limited by the monitor's work area, and shows it
  // without activation.
  void ShowQuickControl();

  TzbBarControl& Owner() const { return *fOwner; }
  // The owner's mark in screen coordinates when the window opened (the window joins it).
  const TRect& OwnerMarkRect() const { return OwnerRect; }
  TzbBar& TempBar() const { return *fTempBar; }
  TzbBarQuickSubItem* AddRemoveItem() const { return fAddRemove; }
  // The single item of the entries of "&Add or Remove Buttons", nil before the sub-menu opened.
  TzbBarQuickCustItem* CustItem() const { return fCustItem; }
  bool CloseTimerRunning() const;
  // Starts the close timer; when it fires and a bar window outside this window's chain holds the
  // selection, the owner closes the window.
  void StartCloseTimer();

  // --- TzbBarControl ---
  void RebuildLayout() override;
  TRect NonClientSizes(TzbBarDockingStyle style) const override;
  TzbBarHitCode HitTest(const TPoint& windowPoint) const override;
  TBrush GetBackgroundBrush() const override;
  void PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) override;
  bool CanBeMoved() const override { return false; }
  bool OpensMenus() const override { return true; }
  void Closing() override;
  void SetActive(bool value) override;
  void MouseDown(const TPoint& p, TzbMouseButton button) override;
  void MouseLeave() override;
  bool KeyDown(int key, unsigned shift) override;
  void WindowMoved() override { UpdateShadow(); }
  void WidgetHidden() override;

 protected:
  void Paint() override;
  void CloseChain() override;
  void CreateWindowWidget() override;
  void ShowWindow() override {}

 private:
  // Frame and margin around the client area, on each side.
  static constexpr int kFrame = 2;
  void FillAddRemove(TzbBarQuickSubItem& sub);
  void Place();
  // Asks the owner to close the window (it frees this window).
  void CloseByOwner();
  TzbBarControl* fOwner;
  TzbBarQuickSubItem* fAddRemove = nullptr;
  TzbBarQuickCustItem* fCustItem = nullptr;
  QTimer* fCloseTimer = nullptr;       // owned
};

}  // namespace zyn
