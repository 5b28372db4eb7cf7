#pragma once
// The list view that the forms place: the enhanced list view with the extended styles (grid
// lines, full-row selection, check boxes, info tips and others), per-column header pictures and
// resize permission, the column order, a virtual mode whose items come from an event, and the
// column order in the saved settings.

#include "shell/EnhListView.h"

#include <QStyledItemDelegate>

namespace zyn {

enum TLVExtendedStyle {
  lvxGridLines, lvxSubItemImages, lvxCheckboxes, lvxTrackSelect, lvxHeaderDragDrop, lvxFullRowSelect,
  lvxOneClickActivate, lvxTwoClickActivate, lvxFlatScrollBar, lvxInfoTip, lvxUnderlineHot, lvxUnderlineCold,
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
  // Virtual mode: the text of an item's caption (subItem 0) or sub-item.
  std::function<void(QObject*, int item, int subItem, unsigned& mask, QString& text)> OnVMGetItemInfo;

 protected:
  int ColumnAtPosition(int position) const override;
  int PositionOfColumn(int column) const override;
  bool viewportEvent(QEvent* event) override;
  void ItemInserted(QTreeWidgetItem* item) override;

 private:
  void FillVirtualItems();

  TLVExtendedStyles fStyles = Lvx(lvxInfoTip);
  std::vector<TzsExtListColumn> fFormats;
  bool fVirtualMode = false;
  int fVirtualCount = 0;
  int fHoverTime = -1;
  bool fRequireComCtl = false;
  bool fUpdatingChecks = false;
};

}  // namespace zyn
