#pragma once
// The one design of every object editing page: a tab per control module, a tree of the objects
// of one list, a details group, and a tool bar with add, delete, apply and discard. The page
// edits a private working copy of the list and merges it back into the control module only when
// the user confirms; the apply question (Yes, No, Cancel) guards every way of leaving pending
// edits: a tab change, the discard button, a page change, saving and closing.
//
// Names: a new name that another object of the list already has (letter case and surrounding
// blanks ignored) is refused with a message and the previous name is kept.

#include "shell/FrameManager.h"
#include "widgets/common/PageTabBar.h"

#include <QTabBar>
#include <QTreeWidget>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QHBoxLayout;
class QVBoxLayout;

namespace zyn {

class TSteuermodul;
class TZYNBaseObject;

// The object tree: reordering by dragging within one parent, handed to the page.
class TObjectTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TObjectTree(QWidget* parent = nullptr);
  // Called for a drop of the selected node in front of the target node; false refuses it.
  std::function<bool(QTreeWidgetItem* moved, QTreeWidgetItem* target)> OnMoveNode;
  // True when the node may be dragged onto the target (same parent, an object node).
  bool AcceptsDrop(QTreeWidgetItem* moved, QTreeWidgetItem* target) const;
  bool Editing() const { return state() == QAbstractItemView::EditingState; }

 protected:
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

// The texts of one page; German UTF-8 literals, translated when used.
struct TObjectPageTexts {
  const char* Prefix = "";       // "MRK"
  const char* DefaultName = "";  // "Merker %3.3d"
  int Limit = 0;
  const char* Counter = "";         // "Merker (%3.3d/%3.3d)"
  const char* ChangedLine = "";     // "Die Merker wurden geändert."
  const char* DeleteQuestion = "";  // "Soll der Merker \"%s\" wirklich gelöscht werden"
  bool ReleaseNameOnDelete = false;
  bool DragReorder = true;
  int NodeDigits = 3;  // digits of the number in the node text
};

class TObjectPage : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  TObjectPage(const char* componentName, const TObjectPageTexts& texts, QWidget* parent = nullptr);
  ~TObjectPage() override;

  // --- IFrameMessage ---
  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override;

  // --- controls (named as on the form) ---
  TPageTabBar* TC = nullptr;
  QWidget* Panel1 = nullptr;
  QGroupBox* GList = nullptr;
  TObjectTree* MTV = nullptr;
  QGroupBox* Details = nullptr;
  QLineEdit* EName = nullptr;
  QComboBox* CAdresse = nullptr;
  QPlainTextEdit* MRemarks = nullptr;
  QToolButton* BtnAdd = nullptr;
  QToolButton* BtnDelete = nullptr;
  QToolButton* BtnOK = nullptr;
  QToolButton* BtnCancel = nullptr;
  QCheckBox* FStyle = nullptr;

  bool Modified() const { return fModified; }
  bool Updating() const { return fUpdating; }
  // The control module of the current tab; nullptr without one.
  TSteuermodul* CurrentStm() const;
  // The object of the selected node; nullptr for none or a group node.
  TZYNBaseObject* SelectedObject() const;
  QTreeWidgetItem* NodeOf(const TZYNBaseObject* object) const;

  // --- operations of the pattern ---
  void LoadControlModule(TSteuermodul* stm);
  void ShowObject();
  void ClearPage();
  virtual void UpdatePage();
  void ApplyChanges();
  void OKClick();
  void CancelClick();
  virtual void AddObject();
  virtual void DeleteObject();
  // Renames the object; a name another object has is refused with the message (false).
  bool RenameObject(TZYNBaseObject* object, const QString& name);
  void ChangeAddress(const QString& entry);
  // Marks the working copy as changed (Modified follows the real difference to the project).
  void Changed();
  // The translated " Merker (005/256) " caption of the list group.
  QString CounterCaption() const;
  virtual QString NodeText(const TZYNBaseObject* object) const;

  // True when another object of the working copy has that name (trimmed, case ignored).
  bool NameTaken(const std::string& name, const TZYNBaseObject* except) const;
  // The width of the object list that shows "STM.00-" and a name of 20 characters whole; the list
  // takes it unless the user chose a width for the page.
  int ListWidthForNames() const;
  static constexpr int kDefaultListWidth = 150;

 protected:
  // --- the edited list ---
  // The working copy from the edited list (of CurrentStm() on the pages with tabs).
  virtual void CopyList() = 0;
  virtual void MergeList() = 0;
  virtual void ClearList() = 0;
  // True when the working copy differs from the edited list.
  virtual bool ListDiffers() const = 0;
  // Pages with one tab per control module; the others edit a list of the project.
  virtual bool UsesTabs() const { return true; }
  bool HasEditTarget() const;
  virtual int ListCount() const = 0;
  virtual TZYNBaseObject* ListItem(int index) const = 0;
  virtual bool ShowsItem(const TZYNBaseObject* object) const { return object != nullptr; }
  virtual int FirstFree() const = 0;
  // A new object at the address with a new internal name and the name, added to the list.
  virtual TZYNBaseObject* CreateItem(int address, const std::string& name) = 0;
  virtual void RemoveItem(TZYNBaseObject* object) = 0;
  virtual int ItemAddress(const TZYNBaseObject* object) const = 0;
  virtual void ChangeItemAddress(TZYNBaseObject* object, int address) = 0;
  virtual std::vector<std::string> AddressItems(const TZYNBaseObject* object, int& selected) const = 0;
  virtual void MoveItem(const std::string& name, const std::string& beforeName) = 0;
  virtual std::string ItemRemarks(const TZYNBaseObject* object) const = 0;
  virtual void SetItemRemarks(TZYNBaseObject* object, const std::string& text) = 0;
  // The page's own details; called with Updating() set.
  virtual void ShowDetails(TZYNBaseObject* object) { (void)object; }
  virtual void ClearDetails() {}
  virtual void PrepareActivation() {}
  // The number counted against the limit (all objects of the list by default).
  virtual int CountedObjects() const { return ListCount(); }
  virtual bool MayAdd() const { return FirstFree() >= 0; }
  virtual bool MayDelete() const;

  // Adds a field to the details group between the address and the notes.
  void AddDetailRow(const QString& label, QWidget* field);
  void AddDetailWidget(QWidget* widget);
  QHBoxLayout* ToolRow() const { return fToolRow; }
  // A flat tool button with a standard picture, put into the tool row at the position (-1: after
  // the others).
  QToolButton* AddToolButton(const char* name, int standardPixmap, const char* hint, int position = -1,
                             bool checkable = false);
  // Runs f with Updating() set, restoring the previous state also on failure.
  template <class F>
  void WhileUpdating(F f) {
    const bool old = fUpdating;
    fUpdating = true;
    try {
      f();
    } catch (...) {
      fUpdating = old;
      throw;
    }
    fUpdating = old;
  }
  void SetModifiedFlag(bool value) { fModified = value; }
  const TObjectPageTexts& Texts() const { return fTexts; }
  std::string PageName() const { return fName; }
  virtual QTreeWidgetItem* AppendNode(TZYNBaseObject* object);
  // The node selected after a load.
  virtual QTreeWidgetItem* FirstObjectNode() const { return MTV->topLevelItem(0); }
  // The selection holds no object (a group node or none).
  virtual void ShowNoObject() {}

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildForm();
  void TabChanged(int index);
  void NameEdited(const QString& text);
  void NameFinished();
  void NodeRenamed(QTreeWidgetItem* item, int column);
  void StyleClicked(bool checked);
  bool MoveNode(QTreeWidgetItem* moved, QTreeWidgetItem* target);
  void RebuildTabs();

  TObjectPageTexts fTexts;
  std::string fName;
  bool fUpdating = false;
  bool fModified = false;
  bool fRefusing = false;
  std::string fNameBeforeEdit;
  int fTabIndex = -1;
  QHBoxLayout* fToolRow = nullptr;
  QFormLayout* fDetailsForm = nullptr;
  int fDetailInsertRow = 2;
};

}  // namespace zyn
