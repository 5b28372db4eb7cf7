#pragma once
// The two editors with which a form's author adds to a bar manager: the item add editor creates a
// new item of a listed item kind with name, category and caption, and the group items editor picks
// items and groups for a group. Both are modal dialogs; the name editor of the customizing form is
// in BarCustomizingForm.h.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zyn {

class TzbBarGroup;
class TzbBarItem;
class TzbBarItemLinks;
class TzbBarManager;
class TzbBarSubMenuControl;

// Makes an item of an item kind for the manager (nil when it cannot). Every listed kind registers
// its maker at unit start (BarUnit.cpp).
using TzbBarItemMaker = std::function<TzbBarItem*(TzbBarManager&)>;
void RegisterBarItemMaker(const std::string& itemClass, TzbBarItemMaker maker);

class TzbBarItemAddEditor : public QDialog {
 public:
  TzbBarItemAddEditor(TzbBarManager& manager, int category, QWidget* parent);
  QComboBox* Kinds = nullptr;
  QComboBox* Categories = nullptr;
  QLineEdit* Name = nullptr;     // the item's name
  QLineEdit* Caption = nullptr;  // its caption, "Neuer Befehl" at first
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;
  TzbBarItem* Created() const { return fCreated; }
  // Creates the item; a kind that cannot be made or a name that is no valid or free item name
  // keeps the dialog open with a new name proposed.
  void accept() override;

 private:
  void ProposeName();
  TzbBarManager* fManager;
  TzbBarItem* fCreated = nullptr;
};
// The new item, or nil when the editor was cancelled.
TzbBarItem* ShowItemAddEditor(TzbBarManager& manager, int category);

// One member picked for a group: an item or a group.
struct TzbBarGroupPick {
  TzbBarItem* Item = nullptr;
  TzbBarGroup* Group = nullptr;
};

class TzbBarAddGroupItemsEditor : public QDialog {
 public:
  TzbBarAddGroupItemsEditor(TzbBarGroup& group, QWidget* parent);
  // Entries: "~< Gruppen >" and the other groups when the manager has more than one, then a
  // heading "~" + category name per category that lists items, followed by its items. An entry
  // whose text starts with "~" is a heading and cannot be picked.
  QListWidget* List = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;
  std::vector<TzbBarGroupPick> Picked() const;

 private:
  TzbBarGroup* fGroup;
};
// Shows the editor; on OK the picked entries are appended to result and the answer is true.
bool ShowAddGroupItems(TzbBarGroup& group, std::vector<TzbBarGroupPick>& result);

// The sub-menu editor: a small title window under which the menu of a sub-item stands open, so
// that commands can be dragged into it and its links out of it. The window cannot be sized; its
// width is the menu's and the menu follows it when it moves. At most one exists.
class TzbBarSubMenuEditor : public QDialog {
 public:
  explicit TzbBarSubMenuEditor(QWidget* owner);
  ~TzbBarSubMenuEditor() override;
  TzbBarItemLinks* Links() const { return fLinks; }
  void SetLinks(TzbBarItemLinks* links);
  // The open menu of the links, nil when closed.
  TzbBarSubMenuControl* Menu() const;
  // Opens the menu below the window (nothing while a drag carries an item that may not go in).
  void OpenMenu();
  void CloseMenu();
  void ForgetLinks() { fLinks = nullptr; }

 protected:
  bool event(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void PlaceMenu();
  TzbBarItemLinks* fLinks = nullptr;
};
// Enters customizing for the links' manager and shows the editor for the links (nil closes it).
void ShowSubMenuEditor(TzbBarItemLinks* links);
TzbBarSubMenuEditor* SubMenuEditor();
void CloseSubMenuEditor();
// An item goes: an editor for its links closes.
void SubMenuEditorItemGone(const TzbBarItem* item);

}  // namespace zyn
