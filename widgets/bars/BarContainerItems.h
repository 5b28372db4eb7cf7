#pragma once
// Three item kinds beside the extended items: the control container (an ordinary widget of the
// form shown in the place of the item's link on a toolbar), the in-place sub-item (a menu entry
// that unfolds its own links inside the menu that shows it) and the toolbars list (a sub-item
// whose menu lists the manager's toolbars with a check for each visible one).
//
// Ownership of a hosted widget: the container item never owns it. While hosted the widget lives
// in the item's place-holder widget, which the item owns and which the bar windows only borrow;
// when the widget is given back (another control assigned, the item freed) it returns hidden to
// the parent it had before, and when that parent goes while the widget is hosted the widget goes
// with it, as it would have without the item.

#include "platform/Colors.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItemControls.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

class TzbBarControlContainerItem;
class TzbBarControlContainerControl;

// The borderless place-holder into which a container item puts its control. It serves one item
// control at a time: its background is then the bar's own (the painter's FillItemBackground for
// that control); serving none it fills itself with its colour.
class TPlaceForm : public QWidget {
 public:
  explicit TPlaceForm(TzbBarControlContainerItem& item);
  ~TPlaceForm() override;

  TzbBarControlContainerItem& Item() const { return *fItem; }
  TzbBarItemControl* Serves() const { return fServes; }
  void Serve(TzbBarItemControl* control) { fServes = control; }
  TColor Color = clBtnFace;
  // Hidden and without parent; a bar window's widget that goes calls it for its place-holders.
  void HideAndDetach();
  // A control stopped serving: unless another control of the item takes the form again in the
  // same window before the events are next processed, it is hidden and detached then. (A bar
  // that rebuilds its controls so keeps the hosted widget, and its keyboard focus, in place.)
  void ReleaseLater();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ReleaseIfUnserved();
  TzbBarControlContainerItem* fItem;
  TzbBarItemControl* fServes = nullptr;
  bool fReleasePending = false;
};

class TzbBarControlContainerItem : public TzbBarItem {
 public:
  static constexpr const char* kClassName = "TzbBarControlContainerItem";
  // The refusal of a control that another container item of the manager hosts.
  static constexpr const char* kSameControlMessage =
      "Ein Steuerelement kann nicht mehr als einem TzbBarControlContainerItem zugewiesen werden.";
  explicit TzbBarControlContainerItem(TzbBarManager& manager);
  ~TzbBarControlContainerItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  QWidget* Control() const { return fControl; }
  // Throws when another container item of the same manager hosts the widget already; the item then
  // keeps its control.
  void SetControl(QWidget* value);
  TPlaceForm* PlaceForm() const { return fPlaceForm; }
  // The size of the control when it last changed by itself (not while a link placed it).
  int ControlWidth() const { return fWidth; }
  int ControlHeight() const { return fHeight; }
  bool IsPlacing() const { return fPlacing > 0; }
  void BeginPlacing() { ++fPlacing; }
  void EndPlacing() { --fPlacing; }

  bool CanClicked() const override { return false; }
  bool CanUseAccel(const TzbBarItemLink& link) const override;
  bool HiddenInCustomizingList() const override { return true; }
  bool NeedsPaintNotify() const override { return true; }
  void ControlPainted(TzbBarItemControl* control) override;
  // Without a control the links show the name: the bars lay out anew.
  void NameChanged() override;

 private:
  friend class TPlaceForm;
  void ControlResized();
  void ControlGone();
  void HomeGone();
  void Disconnect();
  QPointer<QWidget> fControl;
  QPointer<QWidget> fHome;  // the parent the control had before it was hosted
  QPointer<TPlaceForm> fPlaceForm;
  std::unique_ptr<QObject> fWatcher;  // filters the control's events
  QMetaObject::Connection fControlGone, fHomeGone;
  int fWidth = 0, fHeight = 0;
  int fPlacing = 0;
};

class TzbBarControlContainerControl : public TzbBarItemControl {
 public:
  using TzbBarItemControl::TzbBarItemControl;
  ~TzbBarControlContainerControl() override;
  TzbBarControlContainerItem& Container() const;
  // A copy of a link that did not fit, shown in the quick-customization window of its toolbar.
  bool InQuickCustomizingList() const;
  // The control shows the hosted widget: not in a quick-customization list, the item has a
  // control, the manager is not designing, and the window is a real bar window.
  bool Hosting() const;
  bool Placed() const { return fPlaced; }

  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  bool CanSelect() const override;
  bool CanClickItem() const override { return InQuickCustomizingList(); }
  bool CanCloseMenus() const override { return InQuickCustomizingList(); }

 private:
  void PaintEntry(const TRect& r, int view);
  void PaintPlaceHolder(const TRect& r, int view);
  // The place-holder's extent along and across the bar (its text runs along a vertical toolbar).
  int PlaceHolderAlong() const;
  int PlaceHolderAcross() const;
  bool InVerticalBar() const;
  void Place(const TRect& r);
  QWidget* WindowWidget() const;
  bool fPlacing = false;
  bool fPlaced = false;
};

class TzbBarInPlaceSubItem;
using TzbBarInPlaceSubItemEvent = std::function<void(TzbBarInPlaceSubItem&, TzbBarItemLink&)>;

class TzbBarInPlaceSubItem : public TzbBarContainerItem {
 public:
  static constexpr const char* kClassName = "TzbBarInPlaceSubItem";
  using TzbBarContainerItem::TzbBarContainerItem;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  bool Expanded() const { return fExpanded; }
  void SetExpanded(bool value);
  bool KeepBeginGroupWhileExpanded = false;
  TzbBarInPlaceSubItemEvent OnAfterExpand, OnBeforeCollapse;
  bool ChangingExpansion() const { return fChanging; }

  void AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink, bool fireEvent) override;
  void DeleteListedItemLinks(TzbBarItemLinks& target, int index) override;
  bool CanBeVisible() const override { return true; }
  bool HasFixedBeginGroup() const override { return false; }

 private:
  // The link after the entry and its listed links in a menu (nil on toolbars or at the end).
  TzbBarItemLink* LinkAfterBlock(TzbBarItemLink& entry) const;
  void SetGroupSeparator(TzbBarItemLink& entry, bool expanded);
  bool fExpanded = false;
  bool fChanging = false;
  std::vector<TzbBarItemLink*> fGroupsBegun;  // links that begin a group only while expanded
};

class TzbBarInPlaceSubItemControl : public TzbBarContainerItemControl {
 public:
  using TzbBarContainerItemControl::TzbBarContainerItemControl;
  TzbBarInPlaceSubItem& InPlace() const;
  int GetWidth() const override;
  void Paint(const TRect& r, int view) override;
  bool CanSelect() const override;
  bool HasSubMenu() const override;
  bool CanClickItem() const override;
  bool CanCloseMenus() const override { return false; }
  void BeforeClick(bool byMouse) override;
  void DoClick() override;
  void ControlActivate(bool byMouse) override;
  void ControlInactivate(bool force) override;
  bool KeyDown(int key) override;
};

class TzbBarToolbarsListItem : public TCustomzbBarSubItem {
 public:
  static constexpr const char* kClassName = "TzbBarToolbarsListItem";
  using TCustomzbBarSubItem::TCustomzbBarSubItem;
  ~TzbBarToolbarsListItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  bool CanCustomizeLinks() const override { return false; }

  // The menu is about to open: the links become one check button per listed toolbar (and
  // "&Customize..." where the manager allows customizing).
  void RefreshList();

 private:
  void FreeUnusedButtons();
  std::vector<TzbBarItem*> fButtons;  // the temporary buttons of the lists built so far
};

class TzbBarToolbarsListItemControl : public TzbBarSubItemControl {
 public:
  using TzbBarSubItemControl::TzbBarSubItemControl;

 protected:
  void MenuOpening() override;
};

}  // namespace zyn
