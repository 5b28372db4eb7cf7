#include "widgets/bars/BarPopupMenu.h"

#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPopupMenuLinks.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>

#include <stdexcept>

namespace zyn {

TzbBarPopupMenu::TzbBarPopupMenu(QWidget* owner) : fOwner(owner) {
  if (TzbBarManagerList::Count() == 0) throw std::runtime_error("There are no TzbBarManagers available");
  fManager = owner ? TzbBarManagerList::FindBarManager(owner->window()) : nullptr;
  if (!fManager) fManager = TzbBarManagerList::Items(0);
  fFont = fManager->Font;
  fLinks = std::make_unique<TzbBarItemLinks>(*fManager, TzbBarItemLinks::okPopupMenu, nullptr, nullptr);
  fLinks->UseRecentItems = false;
}

TzbBarPopupMenu::~TzbBarPopupMenu() {
  if (fLinks) fLinks->DestroyBarControl();
  // No popup-menu link keeps the menu that goes.
  for (int i = 0; i < TzbBarManagerList::Count(); ++i) TzbBarManagerList::Items(i)->PopupMenuLinks().MenuRemoved(this);
}

void TzbBarPopupMenu::SetBarManager(TzbBarManager* manager) {
  if (!manager || manager == fManager) return;
  fLinks->DestroyBarControl();
  fLinks->Clear();  // the links named items of the old manager
  fManager = manager;
  fLinks->SetManager(*manager);
  if (!fUseOwnFont) fFont = manager->Font;
}

void TzbBarPopupMenu::SetFont(const QFont& font) {
  fFont = font;
  fUseOwnFont = true;
}

void TzbBarPopupMenu::SetUseOwnFont(bool value) {
  if (value == fUseOwnFont) return;
  fUseOwnFont = value;
  if (!value) fFont = fManager->Font;
}

bool TzbBarPopupMenu::UseRecentItems() const { return fLinks->UseRecentItems; }
void TzbBarPopupMenu::SetUseRecentItems(bool value) { fLinks->UseRecentItems = value; }

TzbBarSubMenuControl* TzbBarPopupMenu::GetMenuWindow() const {
  return dynamic_cast<TzbBarSubMenuControl*>(fLinks->BarControl());
}

TShortCut TzbBarPopupMenu::ShortCutOf(int virtualKey, unsigned shift) {
  int value = virtualKey & 0xFF;
  if (shift & ssShift) value += 8192;
  if (shift & ssCtrl) value += 16384;
  if (shift & ssAlt) value += 32768;
  return static_cast<TShortCut>(value);
}

bool TzbBarPopupMenu::IsShortCut(int virtualKey, unsigned shift) {
  if (virtualKey == 0) return false;
  return fLinks->IsShortCut(ShortCutOf(virtualKey, shift));
}

void TzbBarPopupMenu::PopupEx(int x, int y, const TRect* exclusion, bool animate, int ownerHeight, int ownerWidth) {
  fExclusion = exclusion;
  fAnimate = animate;
  fOwnerHeight = ownerHeight;
  fOwnerWidth = ownerWidth;
  Popup(x, y);
  fExclusion = nullptr;
  fOwnerHeight = fOwnerWidth = 0;
  fAnimate = true;
}

void TzbBarPopupMenu::Popup(int x, int y) {
  if (fLinks->BarControl()) return;
  // Whatever holds the mouse lets it go, and open menus of the form close.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) head->HideAll();
  fLinks->CreateBarControl();
  TzbBarSubMenuControl* menu = GetMenuWindow();
  if (!menu) return;
  menu->OnPopup = [this]() {
    fOpen = true;
    if (OnPopup) OnPopup(*this);
  };
  menu->OnCloseUp = [this]() {
    fOpen = false;
    if (fLoop) fLoop->quit();
    if (OnCloseUp) OnCloseUp(*this);
  };
  if (fExclusion) menu->OwnerRect = *fExclusion;
  menu->SideStrip = fBarSize;
  menu->AnimationAllowed = fAnimate;
  menu->OnPaintSideStrip = [this](TCanvas& canvas, const TRect& r) {
    if (OnPaintBar) OnPaintBar(*this, canvas, r);
  };
  if (fUseOwnFont && menu->Widget()) menu->Widget()->setFont(fFont);
  menu->IgnoreNextButtonUp = QApplication::mouseButtons() != Qt::NoButton;
  menu->ShowAt(Point(x, y), fOwnerWidth, fOwnerHeight);
  if (DroppedFromButton || !fOpen) return;
  // The menu's own loop: it ends when the menu closes. When the application quits meanwhile, the
  // loop ends too and the menu is closed.
  QEventLoop loop;
  fLoop = &loop;
  loop.exec();
  fLoop = nullptr;
  if (fOpen) fLinks->DestroyBarControl();
}

}  // namespace zyn
