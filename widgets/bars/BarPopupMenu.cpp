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

TzbBarPopupMenu::TzbBarPopupMenu(QWidget* owner) : owner_(owner) {
  if (TzbBarManagerList::Count() == 0) throw std::runtime_error("There are no TzbBarManagers available");
  manager_ = owner ? TzbBarManagerList::FindBarManager(owner->window()) : nullptr;
  if (!manager_) manager_ = TzbBarManagerList::Items(0);
  font_ = manager_->Font;
  links_ = std::make_unique<TzbBarItemLinks>(*manager_, TzbBarItemLinks::okPopupMenu, nullptr, nullptr);
  links_->UseRecentItems = false;
}

TzbBarPopupMenu::~TzbBarPopupMenu() {
  if (links_) links_->DestroyBarControl();
  // No popup-menu link keeps the menu that goes.
  for (int i = 0; i < TzbBarManagerList::Count(); ++i) TzbBarManagerList::Items(i)->PopupMenuLinks().MenuRemoved(this);
}

void TzbBarPopupMenu::SetBarManager(TzbBarManager* manager) {
  if (!manager || manager == manager_) return;
  links_->DestroyBarControl();
  links_->Clear();  // the links named items of the old manager
  manager_ = manager;
  links_->SetManager(*manager);
  if (!useOwnFont_) font_ = manager->Font;
}

void TzbBarPopupMenu::SetFont(const QFont& font) {
  font_ = font;
  useOwnFont_ = true;
}

void TzbBarPopupMenu::SetUseOwnFont(bool value) {
  if (value == useOwnFont_) return;
  useOwnFont_ = value;
  if (!value) font_ = manager_->Font;
}

bool TzbBarPopupMenu::UseRecentItems() const { return links_->UseRecentItems; }
void TzbBarPopupMenu::SetUseRecentItems(bool value) { links_->UseRecentItems = value; }

TzbBarSubMenuControl* TzbBarPopupMenu::GetMenuWindow() const {
  return dynamic_cast<TzbBarSubMenuControl*>(links_->BarControl());
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
  return links_->IsShortCut(ShortCutOf(virtualKey, shift));
}

void TzbBarPopupMenu::PopupEx(int x, int y, const TRect* exclusion, bool animate, int ownerHeight, int ownerWidth) {
  exclusion_ = exclusion;
  animate_ = animate;
  ownerHeight_ = ownerHeight;
  ownerWidth_ = ownerWidth;
  Popup(x, y);
  exclusion_ = nullptr;
  ownerHeight_ = ownerWidth_ = 0;
  animate_ = true;
}

void TzbBarPopupMenu::Popup(int x, int y) {
  if (links_->BarControl()) return;
  // Whatever holds the mouse lets it go, and open menus of the form close.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) head->HideAll();
  links_->CreateBarControl();
  TzbBarSubMenuControl* menu = GetMenuWindow();
  if (!menu) return;
  menu->OnPopup = [this]() {
    open_ = true;
    if (OnPopup) OnPopup(*this);
  };
  menu->OnCloseUp = [this]() {
    open_ = false;
    if (loop_) loop_->quit();
    if (OnCloseUp) OnCloseUp(*this);
  };
  if (exclusion_) menu->OwnerRect = *exclusion_;
  menu->SideStrip = barSize_;
  menu->AnimationAllowed = animate_;
  menu->OnPaintSideStrip = [this](TCanvas& canvas, const TRect& r) {
    if (OnPaintBar) OnPaintBar(*this, canvas, r);
  };
  if (useOwnFont_ && menu->Widget()) menu->Widget()->setFont(font_);
  menu->IgnoreNextButtonUp = QApplication::mouseButtons() != Qt::NoButton;
  menu->ShowAt(Point(x, y), ownerWidth_, ownerHeight_);
  if (DroppedFromButton || !open_) return;
  // The menu's own loop: it ends when the menu closes. When the application quits meanwhile, the
  // loop ends too and the menu is closed.
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  if (open_) links_->DestroyBarControl();
}

}  // namespace zyn
