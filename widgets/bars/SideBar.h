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
  TzbSideBarBackGround& BkGround() { return *fBackground; }
  const QImage& BkPicture() const { return fBkPicture; }
  void SetBkPicture(const QImage& value);
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool CanSelected() const { return fCanSelected; }
  void SetCanSelected(bool value);
  const TFont& GroupFont() const { return fGroupFont; }
  void SetGroupFont(const TFont& value);
  const TFont& ItemFont() const { return fItemFont; }
  void SetItemFont(const TFont& value);
  TzbSideGroups& Groups() const { return *fGroups; }
  int GroupHeightOffSet() const { return fGroupHeightOffSet; }
  void SetGroupHeightOffSet(int value);  // 0 .. 9 only
  TzbSideBarImageList* LargeImages() const { return fLargeImages; }
  void SetLargeImages(TzbSideBarImageList* value);
  TzbSideBarImageList* SmallImages() const { return fSmallImages; }
  void SetSmallImages(TzbSideBarImageList* value);
  // The side bar's list, or the store's when the side bar has none.
  TzbSideBarImageList* GetLargeImages() const;
  TzbSideBarImageList* GetSmallImages() const;
  TzbsbPaintStyle PaintStyle() const { return fPaintStyle; }
  void SetPaintStyle(TzbsbPaintStyle value);
  int ScrollDelay() const { return fScrollDelay; }
  void SetScrollDelay(int value);  // values <= 0 ignored
  int SpaceHeight() const { return fSpaceHeight; }
  void SetSpaceHeight(int value);  // above 4 only
  TzbSideBarStore* Store() const { return fStore; }
  void SetStore(TzbSideBarStore* value);
  // Kept for the form; the pictures are always drawn with their transparent parts left out.
  bool TransparentImages() const { return fTransparentImages; }
  void SetTransparentImages(bool value);
  bool ShowGroups() const { return fShowGroups; }
  void SetShowGroups(bool value);
  TzbBarBorderStyle BorderStyle() const { return fBorderStyle; }
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
  int ActiveGroupIndex() const { return fActiveGroupIndex; }
  void SetActiveGroupIndex(int value);
  TzbSideGroup* ActiveGroup() const { return fActiveGroup; }
  void SetActiveGroup(TzbSideGroup* group);
  TzbSideGroup* GetVisibleGroup(int n) const;
  int IndexOfVisibleGroup(const TzbSideGroup* group) const;
  int GetVisibleGroupCount() const;
  int GroupCount() const;

  // --- items ---
  TzbSideBarItem* SelectedItem() const { return fSelectedItem; }
  void SelectItem(TzbSideBarItem* item);
  TzbSideBarItem* FocusedItem() const { return fFocusedItem; }
  void SetFocusedItem(TzbSideBarItem* item);
  bool HotItemPressed() const { return fHotItemPressed; }
  TzbSideGroup* HotGroup() const { return fHotGroup; }
  bool HotGroupPressed() const { return fHotGroupPressed; }
  bool ScrollUpPressed() const { return fScrollUpPressed; }
  bool ScrollDownPressed() const { return fScrollDownPressed; }
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
  TzbSideBarItem* DropTarget() const { return fDropTarget; }
  TzbSideBarDropPosition DropPosition() const { return fDropPosition; }
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
  bool IsEditing() const { return fEditor != nullptr; }
  QLineEdit* Editor() const { return fEditor; }

  // --- hints ---
  void ShowItemHint(bool show);
  bool HintShown() const { return fHintShown; }
  QLabel* HintWindow() const { return fHintWindow; }

  // --- loading, painting ---
  bool IsLoading() const { return fLoading; }
  void BeginLoading() { fLoading = true; }
  // Ends loading: reads the stored layout when configured and opens a group when none is open.
  void Loaded();
  bool IsDestroying() const { return fDestroying; }
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

  std::unique_ptr<TzbSideBarBackGround> fBackground;
  std::unique_ptr<TzbSideGroups> fGroups;
  std::unique_ptr<TzbSideBarPainter> fPainter;
  QImage fBkPicture;
  TColor fColor = clGrayText;
  bool fCanSelected = false;
  TFont fGroupFont;
  TFont fItemFont;
  int fActiveGroupIndex = 0;
  int fGroupHeightOffSet = 0;
  TzbSideBarImageList* fLargeImages = nullptr;
  TzbSideBarImageList* fSmallImages = nullptr;
  int fLargeLink = 0, fSmallLink = 0;
  TzbsbPaintStyle fPaintStyle = sbpsFlat;
  int fScrollDelay = 300;
  int fSpaceHeight = 7;
  TzbSideBarStore* fStore = nullptr;
  bool fTransparentImages = false;
  bool fShowGroups = true;
  TzbBarBorderStyle fBorderStyle = bbsNone;

  // run-time state
  TzbSideGroup* fActiveGroup = nullptr;
  TzbSideGroup* fPrevActiveGroup = nullptr;
  TzbSideBarItem* fSelectedItem = nullptr;
  TzbSideBarItem* fFocusedItem = nullptr;
  TzbSideBarItem* fPressedItem = nullptr;
  bool fHotItemPressed = false;
  TzbSideGroup* fHotGroup = nullptr;
  bool fHotGroupPressed = false;
  bool fScrollUpPressed = false;
  bool fScrollDownPressed = false;
  QTimer* fScrollTimer = nullptr;
  QTimer* fHintTimer = nullptr;
  QLabel* fHintWindow = nullptr;
  bool fHintShown = false;
  bool fHintFilterInstalled = false;
  // group-change animation: the last painted picture and the layout before the change
  QImage fFrame;
  QImage fAnimationFrame;
  bool fAnimating = false;
  bool fAnimationPending = false;
  int fGroupChangeDepth = 0;
  TzbSideGroup* fAnimationFrom = nullptr;
  std::vector<std::pair<const TzbSideGroup*, TRect>> fOldCaptions;
  TRect fOldItemsArea;
  TzbSideGroup* fEditGroup = nullptr;
  TzbSideBarItem* fEditItem = nullptr;
  QLineEdit* fEditor = nullptr;
  TzbSideBarItem* fDropTarget = nullptr;
  TzbSideBarDropPosition fDropPosition = dpNone;
  std::unique_ptr<TzbSideBarDragObject> fDragObject;  // the drag this side bar started
  TPoint fMouseDownPoint;
  bool fMouseDownOnItem = false;
  bool fLoading = false;
  bool fDestroying = false;
};

}  // namespace zyn
