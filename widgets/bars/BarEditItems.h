#pragma once
// Items that edit text inside a bar or a menu: the edit item (a one-line edit with an optional
// caption) and the combo items (an edit with a button that drops down a list). Their controls
// paint frame, caption and text themselves and show a real edit window only while the text is
// being edited; Enter stores the edited text, Esc leaves it, Tab moves on to the next item.

#include "platform/Canvas.h"
#include "widgets/bars/BarItem.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>
class QAbstractItemDelegate;
class QListWidget;
class QKeyEvent;
class QObject;
class QWidget;

namespace zyn {

class TCustomzbBarControl;

class TzbBarWindowItem : public TzbBarItem {
 public:
  static constexpr const char* kClassName = "TzbBarWindowItem";
  using TzbBarItem::TzbBarItem;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  const std::string& Text() const { return fText; }
  // A changed text reaches the controls of every link and fires OnChange.
  virtual void SetText(const std::string& value);
  bool HideEditor() const { return fHideEditor; }

  std::function<void(TzbBarItem&)> OnChange, OnCurChange, OnEnter, OnExit;
  // A handler that sets the key to 0 swallows it.
  std::function<void(TzbBarItem&, int&key, unsigned shift)> OnKeyDown, OnKeyUp;
  std::function<void(TzbBarItem&, QChar& key)> OnKeyPress;

  virtual void Change();
  void CurChange();  // the text in an open edit window changed
  void DoEnter();
  void DoExit();

 protected:
  std::string fText;
  bool fHideEditor = false;
};

class TzbBarEdit : public TzbBarWindowItem {
 public:
  static constexpr const char* kClassName = "TzbBarEdit";
  using TzbBarWindowItem::TzbBarWindowItem;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  int MaxLength() const { return fMaxLength; }
  void SetMaxLength(int value) { fMaxLength = value <= 0 ? 0 : value; }  // 0: no limit
  bool ReadOnly = false;
  bool ShowCaption() const { return fShowCaption; }
  void SetShowCaption(bool value);
  int Width() const { return fWidth; }
  void SetWidth(int value);  // at least 20
  bool CanUseAccel(const TzbBarItemLink& link) const override;

 protected:
  virtual void WidthChanged();

 private:
  int fMaxLength = 0;
  bool fShowCaption = false;
  int fWidth = 100;
};

class TCustomzbBarCombo : public TzbBarEdit {
 public:
  static constexpr const char* kClassName = "TCustomzbBarCombo";
  using TzbBarEdit::TzbBarEdit;
  ~TCustomzbBarCombo() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  bool ShowEditor() const { return !fHideEditor; }
  void SetShowEditor(bool value);
  std::function<void(TzbBarItem&, int key, unsigned shift, bool& accept)> OnCheckKeyForDropDownWindow;
  std::function<void(TzbBarItem&)> OnCloseUp, OnDropDown;
  std::function<void(TzbBarItem&, QWidget*& window)> OnGetDropDownWindow;

  // Whether a key pressed while the list is open goes to the list instead of the edit.
  virtual bool CheckKeyForDropDownWindow(int key, unsigned shift);
  virtual QWidget* GetDropDownWindow();
  virtual void PrepareDropDown() {}
  virtual void DropDownShown() {}
  virtual void CloseUp();
  // Shows the drop-down window at the screen point, kept on the work area of its monitor; item is
  // the screen rectangle of the control it drops from, inMenu whether it drops to the right.
  virtual void DropDown(int x, int y, const TRect& itemRect, bool toRight);
};

class TzbBarCustomCombo : public TCustomzbBarCombo {
 public:
  static constexpr const char* kClassName = "TzbBarCustomCombo";
  explicit TzbBarCustomCombo(TzbBarManager& manager);
  ~TzbBarCustomCombo() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  int DropDownCount = 8;
  int DropDownWidth = 0;  // 0: as wide as the widest entry
  int ItemHeight = 0;     // 0: the text height
  bool Sorted() const { return fSorted; }
  void SetSorted(bool value);
  const std::vector<std::string>& Items() const { return fItems; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const { return fItemIndex; }
  void SetItemIndex(int value);  // out of range: -1
  void SetText(const std::string& value) override;
  // The entry shown while a control is being edited, else ItemIndex.
  int GetCurItemIndex() const;
  std::function<void(TzbBarItem&, int index, const TRect& rect, bool selected)> OnDrawItem;
  std::function<void(TzbBarItem&, int index, int& height)> OnMeasureItem;

  // Only Page Up, Page Down, Up and Down without shift keys go to the list.
  bool CheckKeyForDropDownWindow(int key, unsigned shift) override;
  virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected);
  virtual void MeasureItem(int index, int& height);
  virtual void MeasureItemWidth(int index, int& width);
  virtual int GetDropDownWidth();
  QWidget* GetDropDownWindow() override;
  void PrepareDropDown() override;
  void DropDownShown() override;
  void CloseUp() override;
  void DropDown(int x, int y, const TRect& itemRect, bool toRight) override;
  QListWidget* ListBox() const;
  // Whether the combo draws its entries itself, also the one shown in its control.
  virtual bool DrawsEntries() const { return false; }
  bool PaintingInEdit = false;  // DrawItem runs for the control's text part
  // The entry that the text names: the first entry starting with the whole text (case ignored),
  // else the one sharing the longest prefix (the earliest on ties); -1 when none shares the first
  // character.
  int FindEntry(const std::string& text) const;

 private:
  void ItemsChanged();
  std::vector<std::string> fItems;
  int fItemIndex = -1;
  bool fSorted = false;
  std::unique_ptr<QListWidget> fList;
};

// The rows of a list that the combo draws and measures (its painter or its OnDrawItem).
QAbstractItemDelegate* NewComboListDelegate(TzbBarCustomCombo& combo, QObject* parent);

class TzbBarCombo : public TzbBarCustomCombo {
 public:
  static constexpr const char* kClassName = "TzbBarCombo";
  using TzbBarCustomCombo::TzbBarCustomCombo;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
};

// The control of an edit item's link; the edit window exists while it is being edited.
class TzbBarEditControl : public TzbBarItemControl {
 public:
  TzbBarEditControl(TzbBarItemLink& link, TzbBarWindow& parent);
  ~TzbBarEditControl() override;
  TzbBarEdit& Edit() const;

  int GetWidth() const override;
  int GetHeight() const override;
  int GetMinWidth() const override;
  void Paint(const TRect& r, int view) override;
  void BeforeClick(bool byMouse) override;
  void ControlInactivate(bool force) override;
  bool CanClickItem() const override { return false; }
  bool CanCloseMenus() const override { return false; }
  bool HasTextWindow() const override { return true; }
  bool IsIdle() const override { return false; }  // never drawn as a pressed button
  void Changed(TzbControlChange change) override;

  bool Focused() const { return fFocused; }
  QLineEdit* Editor() const { return fEdit.data(); }
  TRect EditRect() const { return fEditRect; }
  // Starts (true) or ends (false) editing; ending by Esc keeps the item's text.
  virtual void SetFocused(bool value, bool byEscape = false);
  // The edit window's whole text.
  std::string GetText() const;
  void SetText(const std::string& text);
  bool CaptionShown() const;
  int CaptionWidth() const;
  // A key for the edit window; true swallows it.
  virtual bool EditKeyDown(QKeyEvent& e);
  // The mouse wheel over the edit window (lines: -1 up, 1 down); true takes it.
  virtual bool EditWheel(int lines) { return false; }
  virtual void EditTextChanged();

 protected:
  virtual void PaintText(TCanvas& dc, const TRect& r, int view);
  virtual void StoreText();
  TCustomzbBarControl* Window() const;
  TRect fEditRect;
  bool fSettingText = false;

 private:
  void PlaceEditor();
  QPointer<QLineEdit> fEdit;
  std::unique_ptr<QObject> fFilter;
  QPointer<QWidget> fSavedFocus;
  bool fFocused = false;
  bool fEnding = false;
};

// The control of a combo's link: an edit with a button that drops down the item's window.
class TCustomzbBarComboControl : public TzbBarEditControl {
 public:
  using TzbBarEditControl::TzbBarEditControl;
  ~TCustomzbBarComboControl() override;
  TCustomzbBarCombo& CustomCombo() const;
  bool DroppedDown() const { return fDroppedDown; }
  // Nothing when unchanged or for a read-only item; opening drops the window at the upper right
  // corner (menus, vertical bars) or below the text part.
  virtual void SetDroppedDown(bool value);
  void BeforeClick(bool byMouse) override;
  void ControlInactivate(bool force) override;
  void SetFocused(bool value, bool byEscape = false) override;
  // F4 and Alt+Up/Down open and close; while open the keys the item accepts go to its window.
  bool EditKeyDown(QKeyEvent& e) override;

 protected:
  void PaintText(TCanvas& dc, const TRect& r, int view) override;
  // The text part (the button has been placed); combos that draw their entries draw them here.
  virtual void PaintEntry(TCanvas& dc, const TRect& text);
  // The window has dropped down (true) or is about to close (false).
  virtual void DropDownChanged(bool open) {}

 private:
  bool fDroppedDown = false;
};

class TzbBarComboControl : public TCustomzbBarComboControl {
 public:
  using TCustomzbBarComboControl::TCustomzbBarComboControl;
  ~TzbBarComboControl() override;
  TzbBarCustomCombo& Combo() const;
  int CurrentIndex() const { return fCurrentIndex; }
  void SetFocused(bool value, bool byEscape = false) override;
  bool EditKeyDown(QKeyEvent& e) override;
  // Closed: the neighbouring entry; open: the list scrolls by a line.
  bool EditWheel(int lines) override;
  void EditTextChanged() override;
  // An entry of the open list was chosen with the mouse.
  void ListChosen(int row);
  void ListRowChanged(int row);

 protected:
  void PaintEntry(TCanvas& dc, const TRect& text) override;
  void DropDownChanged(bool open) override;
  void StoreText() override;

 private:
  void SyncSelection();
  void ShowEntry(int index);
  int fCurrentIndex = -1;
  QMetaObject::Connection fClicked, fRowChanged;  // to the open list
};

}  // namespace zyn
