#pragma once
// The side bar: a navigation panel with a column of group captions, one group open at a time
// whose items show as large icons with the caption below (or small icons with the caption beside
// them). A click on a caption opens that group, a click on an item fires OnItemClick. The groups
// are counted in two ways: `Groups` by absolute index (hidden ones included) and
// `ActiveGroupIndex` over the visible groups only.

#include "platform/Canvas.h"
#include "widgets/bars/BarTypes.h"
#include "widgets/bars/SideBarBackGround.h"
#include "widgets/bars/SideBarTypes.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QTimer;

namespace zyn {

class TzbSideBar : public QWidget {
 public:
  explicit TzbSideBar(QWidget* parent = nullptr);
  ~TzbSideBar() override;

  // --- properties ---
  TzbSideBarBackGround& BkGround() { return *background_; }
  const QImage& BkPicture() const { return bkPicture_; }
  void SetBkPicture(const QImage& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool CanSelected() const { return canSelected_; }
  void SetCanSelected(bool value);
  const TFont& GroupFont() const { return groupFont_; }
  void SetGroupFont(const TFont& value);
  const TFont& ItemFont() const { return itemFont_; }
  void SetItemFont(const TFont& value);
  TzbSideGroups& Groups() const { return *groups_; }
  int GroupHeightOffSet() const { return groupHeightOffSet_; }
  void SetGroupHeightOffSet(int value);  // 0 .. 9 only
  TzbSideBarImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TzbSideBarImageList* value);
  TzbSideBarImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TzbSideBarImageList* value);
  // The side bar's list, or the store's when the side bar has none.
  TzbSideBarImageList* GetLargeImages() const;
  TzbSideBarImageList* GetSmallImages() const;
  TzbsbPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TzbsbPaintStyle value);
  int ScrollDelay() const { return scrollDelay_; }
  void SetScrollDelay(int value);  // values <= 0 ignored
  int SpaceHeight() const { return spaceHeight_; }
  void SetSpaceHeight(int value);  // above 4 only
  TzbSideBarStore* Store() const { return store_; }
  void SetStore(TzbSideBarStore* value);
  // Kept for the form; the pictures are always drawn with their transparent parts left out.
  bool TransparentImages() const { return transparentImages_; }
  void SetTransparentImages(bool value);
  bool ShowGroups() const { return showGroups_; }
  void SetShowGroups(bool value);
  TzbBarBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TzbBarBorderStyle value);
  bool ShowHint = false;
  // Context menus (forgotten when they are freed): over an item the stored item's menu or
  // ItemPopupMenu, elsewhere GroupPopupMenu.
  QPointer<QMenu> GroupPopupMenu;
  QPointer<QMenu> ItemPopupMenu;

  // Copies store, groups and picture lists of another side bar.
  void Assign(const TzbSideBar& source);

  // Persistence of groups and items (only with StoreInRegistry and a RegistryPath): read in
  // Loaded, written when the side bar ends. SettingsFile names an ini file to use instead of the
  // user's settings store.
  std::string RegistryPath;
  bool StoreInRegistry = false;
  QString SettingsFile;
  void LoadFromRegistry(const std::string& path);
  bool SaveToRegistry(const std::string& path) const;  // false when the store could not be written

  // --- events ---
  std::function<void(TzbSideBar&, TzbSideBarItem&)> OnItemClick;
  std::function<void(TzbSideBar&, TzbSideBarItem&)> OnDeleteItem;
  std::function<void(TzbSideBar&)> OnChangeActiveGroup;
  std::function<void(TzbSideBar&)> OnChangeFocusedItem;
  std::function<void(TzbSideGroup& sender, TzbSideGroup& group)> OnChangeGroupCaption;
  std::function<void(TzbSideBar&)> OnChangeSelectedItem;
  std::function<void(TzbSideBar&)> OnAfterEdit;
  // Before a caption edit opens; setting allow to false keeps it closed.
  std::function<void(TzbSideBar&, bool& allow)> OnBeforeEdit;
  std::function<void(TzbSideBar&)> OnMouseEnter;
  std::function<void(TzbSideBar&)> OnMouseLeave;
  // An exception escaping a handler while the side bar answers an event (the application's
  // message box); without it the exception propagates.
  std::function<void(const std::exception&)> OnException;
  // After the side bar decided whether a dragged item may drop at a point; may change the answer.
  std::function<void(TzbSideBar&, const TPoint& p, bool& accept)> OnDragOver;
  std::function<void(TzbSideBarDragObject& sender, TzbSideBarItem* source, TzbSideBarItem* target, bool isCopy)>
      OnDragDropItem;

  // --- groups ---
  int ActiveGroupIndex() const { return activeGroupIndex_; }
  void SetActiveGroupIndex(int value);
  TzbSideGroup* ActiveGroup() const { return activeGroup_; }
  void SetActiveGroup(TzbSideGroup* group);
  TzbSideGroup* GetVisibleGroup(int n) const;
  int IndexOfVisibleGroup(const TzbSideGroup* group) const;
  int GetVisibleGroupCount() const;
  int GroupCount() const;

  // --- items ---
  TzbSideBarItem* SelectedItem() const { return selectedItem_; }
  void SelectItem(TzbSideBarItem* item);
  TzbSideBarItem* FocusedItem() const { return focusedItem_; }
  void SetFocusedItem(TzbSideBarItem* item);
  bool HotItemPressed() const { return hotItemPressed_; }
  TzbSideGroup* HotGroup() const { return hotGroup_; }
  bool HotGroupPressed() const { return hotGroupPressed_; }
  bool ScrollUpPressed() const { return scrollUpPressed_; }
  bool ScrollDownPressed() const { return scrollDownPressed_; }
  void SetHotItem(TzbSideBarItem* item, bool pressed);
  void SetHotGroup(TzbSideGroup* group, bool pressed);
  virtual void DoItemClick(TzbSideBarItem& item);
  // Scrolls the open group by delta items (negative: up).
  void ScrollActiveGroup(int delta);
  // One tick of the scroll timer (interval ScrollDelay) while a scroll button is held.
  void ScrollTimerTick();
  bool ScrollTimerActive() const;

  // --- item drag and drop ---
  TzbSideBarDragMode DragMode = sbdmManual;
  bool IsDragging() const;
  TzbSideBarItem* DropTarget() const { return dropTarget_; }
  TzbSideBarDropPosition DropPosition() const { return dropPosition_; }
  void SetDropTarget(TzbSideBarItem* item, TzbSideBarDropPosition position);
  // The running item drag is over this side bar at p; true when a drop would be taken there.
  bool DragOver(const TPoint& p);
  // Drops the dragged item into the open group (Ctrl: copy); the resulting item, nil when
  // nothing moved.
  TzbSideBarItem* DropItem(TzbSideBarDragObject& drag, bool copy);

  // --- in-place caption edit ---
  // Opens an editor over the caption of a shown group or laid-out item (Return takes the text,
  // Esc drops it); false when nothing could be edited.
  bool EditGroupCaption(TzbSideGroup* group);
  bool EditItemCaption(TzbSideBarItem* item);
  // Ends the edit; with accept a non-empty text becomes the caption.
  void EndEdit(bool accept);
  bool IsEditing() const { return editor_ != nullptr; }
  QLineEdit* Editor() const { return editor_; }

  // --- hints ---
  void ShowItemHint(bool show);
  bool HintShown() const { return hintShown_; }
  QLabel* HintWindow() const { return hintWindow_; }

  // --- loading, painting ---
  bool IsLoading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // Ends loading: reads the stored layout when configured and opens a group when none is open.
  void Loaded();
  bool IsDestroying() const { return destroying_; }
  TzbSideBarPainter& Painter();
  TzbSideBarViewInfo& ViewInfo();  // laid out when not ready
  // Relayouts and repaints.
  void LayoutChanged();
  void Repaint();
  void PaintTo(TCanvas& canvas);

  // --- notifications from groups, items and the store ---
  bool IsItemLaidOut(const TzbSideBarItem* item) const;
  void ItemRemoving(TzbSideBarItem& item);
  void ItemRemoved(const TzbSideBarItem* item, bool wasLaidOut);
  void ItemsUpdated(const TzbSideGroup& group);
  void GroupAdded(TzbSideGroup& group);
  void GroupRemoving(TzbSideGroup& group);
  void GroupRemoved(const TzbSideGroup* group, bool wasActive);
  void GroupsUpdated();
  void GroupCaptionChanged(TzbSideGroup& group);
  void StoreDestroyed();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HideHint();
  void ImagesChanged();
  void AttachImages(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value);
  void ClearPointerState();
  void CaptureAnimationStart();
  void RunGroupAnimation();
  void BeginItemDrag();
  bool DecideDrop(const TPoint& p);
  void DragMove(const QPoint& globalPos, Qt::KeyboardModifiers modifiers);
  void EndItemDrag(const QPoint& globalPos, Qt::KeyboardModifiers modifiers);
  void UpdateDragCursor(Qt::KeyboardModifiers modifiers);
  bool OpenEditor(const TRect& r, const std::string& text);

  std::unique_ptr<TzbSideBarBackGround> background_;
  std::unique_ptr<TzbSideGroups> groups_;
  std::unique_ptr<TzbSideBarPainter> painter_;
  QImage bkPicture_;
  TColor color_ = clGrayText;
  bool canSelected_ = false;
  TFont groupFont_;
  TFont itemFont_;
  int activeGroupIndex_ = 0;
  int groupHeightOffSet_ = 0;
  TzbSideBarImageList* largeImages_ = nullptr;
  TzbSideBarImageList* smallImages_ = nullptr;
  int largeLink_ = 0, smallLink_ = 0;
  TzbsbPaintStyle paintStyle_ = sbpsFlat;
  int scrollDelay_ = 300;
  int spaceHeight_ = 7;
  TzbSideBarStore* store_ = nullptr;
  bool transparentImages_ = false;
  bool showGroups_ = true;
  TzbBarBorderStyle borderStyle_ = bbsNone;

  // run-time state
  TzbSideGroup* activeGroup_ = nullptr;
  TzbSideGroup* prevActiveGroup_ = nullptr;
  TzbSideBarItem* selectedItem_ = nullptr;
  TzbSideBarItem* focusedItem_ = nullptr;
  TzbSideBarItem* pressedItem_ = nullptr;
  bool hotItemPressed_ = false;
  TzbSideGroup* hotGroup_ = nullptr;
  bool hotGroupPressed_ = false;
  bool scrollUpPressed_ = false;
  bool scrollDownPressed_ = false;
  QTimer* scrollTimer_ = nullptr;
  QTimer* hintTimer_ = nullptr;
  QLabel* hintWindow_ = nullptr;
  bool hintShown_ = false;
  bool hintFilterInstalled_ = false;
  // group-change animation: the last painted picture and the layout before the change
  QImage frame_;
  QImage animationFrame_;
  bool animating_ = false;
  bool animationPending_ = false;
  int groupChangeDepth_ = 0;
  TzbSideGroup* animationFrom_ = nullptr;
  std::vector<std::pair<const TzbSideGroup*, TRect>> oldCaptions_;
  TRect oldItemsArea_;
  TzbSideGroup* editGroup_ = nullptr;
  TzbSideBarItem* editItem_ = nullptr;
  QLineEdit* editor_ = nullptr;
  TzbSideBarItem* dropTarget_ = nullptr;
  TzbSideBarDropPosition dropPosition_ = dpNone;
  std::unique_ptr<TzbSideBarDragObject> dragObject_;  // the drag this side bar started
  TPoint mouseDownPoint_;
  bool mouseDownOnItem_ = false;
  bool loading_ = false;
  bool destroying_ = false;
};

}  // namespace zyn
