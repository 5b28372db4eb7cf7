#pragma once
// The "Customize" dialog of a bar manager while it customizes at run time: the toolbars page
// (show, hide, new, rename, delete, reset), the commands page (categories and their commands,
// dragged from the list onto bars and menus) and the options page (menu and hint options of the
// manager). At most one exists in the process. The name editor asks for toolbar captions.

#include <QDialog>
#include <QListWidget>
#include <QString>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QLineEdit;

namespace zyn {

class TzbBar;
class TzbBarItem;
class TzbBarManager;

// The command list: one entry of 22 pixels per command, drawn in the manager's look; a press and
// a move of the drag distance start the drag of the command.
class TzbCommandsListBox : public QListWidget {
 public:
  TzbCommandsListBox(TzbBarManager& manager, QWidget* parent);
  TzbBarItem* ItemAt(int row) const;
  static constexpr int EntryHeight = 22;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;

 private:
  TzbBarManager* fManager;
  QPoint fDown;
  bool fPressed = false;
};

// Draws one command entry of the list in the look of the manager's painter (the Standard, Flat,
// Office 2003 and XP forms).
void DrawCommandEntry(QPainter& p, const QRect& r, const TzbBarManager& manager, const TzbBarItem& item, bool selected,
                      bool focused);

class TzbBarCustomizingForm : public QDialog {
 public:
  TzbBarCustomizingForm(TzbBarManager& manager, QWidget* owner);
  ~TzbBarCustomizingForm() override;
  TzbBarManager& Manager() const { return *fManager; }

  // The pages and their controls (tests reach them here).
  QTabWidget* Pages = nullptr;
  QListWidget* BarList = nullptr;
  QPushButton *BarNew = nullptr, *BarRename = nullptr, *BarDelete = nullptr, *BarReset = nullptr;
  QListWidget* Categories = nullptr;
  TzbCommandsListBox* Commands = nullptr;
  QLabel* Description = nullptr;
  QCheckBox *RecentFirst = nullptr, *FullMenusAfterDelay = nullptr, *LargeIcons = nullptr, *ShowHints = nullptr,
            *ShortCutsInHints = nullptr;
  QPushButton* ResetUsage = nullptr;
  QComboBox* Animations = nullptr;
  QPushButton* Close = nullptr;
  QPushButton* Help = nullptr;

  // Notifications of the bar library.
  void RefreshBars();                 // the toolbar list is filled again, the selection kept
  void BarChanged(TzbBar* bar);       // a bar's caption or visibility changed
  void RefreshCommands();             // the category's commands are listed again
  void RefreshOptions();              // the options page follows the manager
  void SelectItem(TzbBarItem* item);  // its category and the item are selected
  void RefreshHelpButton();           // the help button is there with the manager's ShowHelpButton

  // The toolbar buttons.
  void NewToolbar();
  void RenameToolbar();
  void DeleteToolbar();
  void ResetToolbar();
  TzbBar* SelectedBar() const;
  // Whether the bar came with the form (it was defined when the form was built).
  bool BarCameWithForm(const TzbBar& bar) const;
  // The caption proposed for a new toolbar: "Benutzerdefiniert n" with the smallest free n.
  std::string ProposedToolbarName() const;
  // Toggles the visibility of the bar of the list entry; a bar that may not be hidden beeps.
  void ToggleBar(int row);
  int Beeps = 0;
  // The help button: the manager's help button event, then its help context as F1 help.
  void HelpClicked();
  // Whether the form waits hidden for its customized form to be shown again.
  bool HiddenWithForm() const;
  // This form lost the activation: an open menu of the customized manager closes, unless the
  // activation went to the customized form, to a window that it or this form owns, or to a bar
  // window of the manager.
  void CloseMenusOnDeactivation();

 protected:
  void closeEvent(QCloseEvent* e) override;
  // Activated: the current page shows the state of the bars and the manager again.
  bool event(QEvent* e) override;

 private:
  void BuildToolbarsPage();
  void BuildCommandsPage();
  void BuildOptionsPage();
  void UpdateBarButtons();
  void CategoryChanged();
  void CommandChanged();
  TzbBarManager* fManager;
  bool fUpdating = false;
  bool fStandardOptions = false;
  class TFormCompanion;
  TFormCompanion* fCompanion = nullptr;
  void WatchForm();
  friend void ShowCustomizingForm(TzbBarManager& manager);
};

// The open customizing form and its window (nil when none).
TzbBarCustomizingForm* CustomizingForm();
QWidget* CustomizingFormWindow();
// Shows the form for the manager (nothing when one exists) and frees it again.
void ShowCustomizingForm(TzbBarManager& manager);
void HideCustomizingForm(TzbBarManager& manager);
// Whether the manager's form looks active: it is active (a child window: the active one, see
// MdiFormActive), or its customizing form is.
bool FormLooksActive(const TzbBarManager& manager);
// The floating bars of the manager draw their captions again (the activation changed).
void RepaintFloatingCaptions(TzbBarManager& manager);

// The name editor for a toolbar (kind 0) or a category (kind 1); mode 0 add, 1 rename for a
// toolbar, 0 add, 1 insert, 2 rename for a category. On OK the name takes the text and the result
// is true. A toolbar caption that another bar than `bar` has is refused with a message.
class TzbBarNameEd : public QDialog {
 public:
  TzbBarNameEd(int kind, int mode, TzbBarManager& manager, TzbBar* bar, QWidget* parent);
  QLineEdit* Edit = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;
  QLabel* Label = nullptr;
  void accept() override;

 private:
  int fKind;
  TzbBarManager* fManager;
  TzbBar* fBar;
};
bool ShowNameEditor(std::string& name, int kind, int mode, TzbBarManager& manager, TzbBar* bar);

// The texts of the dialog.
namespace CustomizingFormTexts {
extern const char* const Caption;
extern const char* const ToolbarsPage;
extern const char* const CommandsPage;
extern const char* const OptionsPage;
QString DeleteToolbar(const QString& caption);
QString DuplicateToolbar(const QString& caption);
}  // namespace CustomizingFormTexts

}  // namespace zyn
