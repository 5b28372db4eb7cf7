#pragma once
// The list view that the forms place: the enhanced list view with the extended styles (grid
// lines, full-row selection, check boxes, info tips and others), per-column header pictures and
// resize permission, the column order, a virtual mode whose items come from an event, and the
// column order in the saved settings.

#include "widgets/common/EnhListView.h"

#include <QStyledItemDelegate>
#include <QTimer>

namespace zyn {

enum TLVExtendedStyle {
  lvxGridLines,
  lvxSubItemImages,
  lvxCheckboxes,
  lvxTrackSelect,
  lvxHeaderDragDrop,
  lvxFullRowSelect,
  lvxOneClickActivate,
  lvxTwoClickActivate,
  lvxFlatScrollBar,
  lvxInfoTip,
  lvxUnderlineHot,
  lvxUnderlineCold,
  lvxLabelTip
};
// A set of extended styles, bit i for value i.
using TLVExtendedStyles = unsigned;
constexpr TLVExtendedStyles Lvx(TLVExtendedStyle s) { return 1u << s; }
// The platform's flag of each style.
unsigned ExtendedStyleFlags(TLVExtendedStyles styles);
TLVExtendedStyles ExtendedStylesFromFlags(unsigned flags);

enum TColumnImageAlign { ciaLeftOfText, ciaRightOfText };

struct TzsExtListColumn {
  int ImageIndex = -1;
  TColumnImageAlign ImageAlignment = ciaRightOfText;
  bool AllowResize = true;
};

enum : unsigned { lvifText = 1, lvifImage = 2, lvifParam = 4, lvifState = 8, lvifIndent = 16 };
// Item state bits of the virtual-mode events.
enum : unsigned { lvisFocused = 1, lvisSelected = 2 };
using TLVVMMaskItems = unsigned;

// What OnVMGetItemInfo is asked for and answers (the var parameters of the event).
struct TLVVMItemInfo {
  TLVVMMaskItems Mask = 0;
  int Image = -1;
  int OverlayImage = 0;
  int StateImage = 0;
  qintptr Param = 0;
  unsigned State = 0;
  unsigned StateMask = 0;
  int Indent = 0;
  QString Text;
};
// The range of items the view is about to ask for.
struct TLVVMCacheHint {
  int From = 0;
  int To = -1;
};
// A search the view asks the owner of the items to carry out.
struct TLVVMFindInfo {
  QString Text;
  int Start = 0;        // the item after which the search begins
  bool Partial = true;  // the item's caption starts with Text (else it contains it)
  bool Wrap = true;     // the search goes on from the first item
};
// A change of the selection state of a range of items.
struct TLVVMStateInfo {
  int From = 0;
  int To = 0;
  unsigned NewState = 0;
  unsigned OldState = 0;
};

// True when a library of version (major, minor, release, build) is at least 4.70.0.0.
bool ComCtlVersionSufficient(int major, int minor, int release, int build);

class TzsExtListView : public TCustomEnhListView {
  Q_OBJECT
 public:
  explicit TzsExtListView(QWidget* parent = nullptr);
  ~TzsExtListView() override;

  TLVExtendedStyles ExtendedStyles() const { return fStyles; }
  void SetExtendedStyles(TLVExtendedStyles styles);
  bool HasStyle(TLVExtendedStyle s) const { return (fStyles & Lvx(s)) != 0; }

  std::vector<TzsExtListColumn>& ColumnsFormat() { return fFormats; }
  void SetColumnsFormat(const std::vector<TzsExtListColumn>& formats);
  void ApplyColumnFormats();
  // Whether the column's divider may be dragged.
  bool ColumnResizable(int column) const;

  std::vector<int> ColumnOrder() const;
  void SetColumnOrder(const std::vector<int>& order);

  bool VirtualMode() const { return fVirtualMode; }
  void SetVirtualMode(bool on);
  void SetVirtualItemCount(int count);

  // Track select: how long the pointer rests on an item before it is selected (-1: 400 ms).
  int HoverTime() const { return fHoverTime; }
  void SetHoverTime(int ms) { fHoverTime = ms; }
  bool RequireComCtlUpdate() const { return fRequireComCtl; }
  void SetRequireComCtlUpdate(bool require);

  bool ItemChecked(int index) const;
  void SetItemChecked(int index, bool checked);
  // The tip of an item: OnInfoTip's addition or, without a handler, the caption.
  QString InfoTip(int index, int subItem) const;

  QString Version() const override { return QStringLiteral("TzsExtListView v3.72"); }
  bool SaveColumnOrder = true;
  void StoreSettings() override;
  bool LoadSettings() override;

  std::function<void(QObject*, int itemIndex, bool checked)> OnItemChecked;
  std::function<void(QObject*, int itemIndex, int subItem, const QString& current, QString& additional)> OnInfoTip;
  TSenderEvent OnItemActivate;
  // Virtual mode: the item's caption (subItem 0) with its image, data and indent, or the text of a
  // sub-item; info.Mask tells what is asked.
  std::function<void(QObject*, int item, int subItem, TLVVMItemInfo& info)> OnVMGetItemInfo;
  std::function<void(QObject*, TLVVMCacheHint& hint)> OnVMCacheHint;
  // Found starts as -1; the handler sets the index of the matching item.
  std::function<void(QObject*, TLVVMFindInfo& findInfo, int& found)> OnVMFindItem;
  std::function<void(QObject*, TLVVMStateInfo& stateInfo)> OnVMStateChanged;
  std::function<void(QObject*, int item, bool canceled, const QString& text)> OnVMCaptionEdited;
  // A rubber-band selection is about to start on the empty area; canBegin starts true.
  std::function<void(QObject*, bool& canBegin)> OnMarqueeBegin;
  // The pointer rests on another item (with lvxTrackSelect the item is then selected unless
  // allowSelect is cleared; the handler may also name another item).
  std::function<void(QObject*, int& itemIndex, int subItemIndex, const QPoint& location, bool& allowSelect)> OnHotTrack;

  // The pictures of the small image list; a column format's ImageIndex refers to them.
  const std::vector<QImage>& SmallImages() const { return fSmallImages; }
  void SetSmallImages(std::vector<QImage> images);
  // The item info of one item and sub-item as OnVMGetItemInfo answers it.
  TLVVMItemInfo ItemInfo(int item, int subItem, TLVVMMaskItems mask) const;
  QTreeWidgetItem* FindByPrefix(const QString& text, int column) override;
  // The data (Param) of an item of a virtual list.
  qintptr ItemData(int index) const;

 protected:
  int ColumnAtPosition(int position) const override;
  int PositionOfColumn(int column) const override;
  bool viewportEvent(QEvent* event) override;
  void ItemInserted(QTreeWidgetItem* item) override;
  bool HeaderItemOwnerDrawn(int column) const override;
  bool HeaderPicture(int column, QImage& picture, bool& rightOfText) const override;
  bool ArrowShownFor(int column) const override;
  bool ArrowAtTextEnd() const override { return true; }
  bool InitialFullRowSelect() const override { return HasStyle(lvxFullRowSelect); }
  void DefaultDrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state,
                       bool fullRowSelect) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void FillVirtualItems();
  void FillVirtualItem(QTreeWidgetItem* item, int index) const;
  void ReportStateChanges();

  TLVExtendedStyles fStyles = Lvx(lvxInfoTip);
  std::vector<TzsExtListColumn> fFormats;
  bool fVirtualMode = false;
  int fVirtualCount = 0;
  int fHoverTime = -1;
  bool fRequireComCtl = false;
  bool fUpdatingChecks = false;
  std::vector<QImage> fSmallImages;
  std::vector<unsigned> fVirtualStates;  // the selection state last reported per item
  bool fFilling = false;
  int fHotItem = -1;
  QTimer* fHoverTimer = nullptr;  // track select: the hot item is selected when it fires
  void SelectHotItem();
};

}  // namespace zyn
