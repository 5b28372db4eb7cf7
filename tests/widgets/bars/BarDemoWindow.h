#pragma once
// A demo form with the bar setup of the program's main window: the XP look, no customizing, no
// docking at the left and right edges, the main menu bar in row 0 of the top dock and the five
// toolbars in row 1, every bar without mark. The form's object name is "BarDemoForm". The form is shown on the screen
// of the tests; the helpers send mouse and key input through the windows, as the platform does.
//
// Help contexts: "&Projekt" 100, "&Neu..." 101, "&Inhalt" 301; the form shows F1 help as a tip.
// With customizing allowed the manager's help context (the customizing form's help button) is 900.
//
// The client area holds a side bar at its left edge (the six sample groups, as
// `BuildSampleSideBar` fills it), as the main window shows it in its fold panel.
//
// Right of the side bar, half way down the client area, the form places a dock control of its own
// ("UserDock", path "BarDemoForm.UserDock", Align dalTop): empty at the start, it takes toolbars
// docked into it by code or dragged over it.

#include "BarTestSupport.h"
#include "SideBarTestSupport.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarHelp.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUserDockControl.h"

#include <QLineEdit>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

class BarDemoWindow {
 public:
  // With a layout file the manager stores its layout there (StoreInIniFile): the form's layout
  // comes back when the form is built, and is written when it goes.
  //
  // With allowCustomizing the manager allows customizing (CanCustomize): the toolbars popup ends
  // with "&Customize...", and the items stand in categories named after the menus they are in
  // ("Menüs" for the menus themselves, "Programmierung" for the commands only on toolbars).
  explicit BarDemoWindow(const std::string& layoutFile = {}, bool allowCustomizing = false);
  ~BarDemoWindow();
  BarDemoWindow(const BarDemoWindow&) = delete;
  BarDemoWindow& operator=(const BarDemoWindow&) = delete;

  bool appReady = (EnsureApplication(), true);
  TzbSideBarImageList SideImages{32, 32};  // outlives the side bar in the form
  QWidget Form;
  QWidget* Client = nullptr;  // the area between the docks
  std::unique_ptr<TzbBarManager> Manager;
  std::unique_ptr<TzbBarScreen> Screen;
  TzbBar* MainMenu = nullptr;
  std::vector<TzbBar*> Toolbars;  // "Dateimenü", "Bearbeiten", "VADAzivu", "Hilfe", "Programmiermenü"
  TzbSideBar* SideBar = nullptr;  // in the client area, owned by it
  static constexpr int SideBarWidth = 150;
  // The dock control in the middle of the client area; it goes after the manager (which keeps
  // the layout when it goes).
  std::unique_ptr<TzbBarDockControl> UserDock;

  // "OnClickItem:<name>", "OnClick:<name>" and the side bar's "OnItemClick:<frame key>" in the order
  // the events came.
  std::vector<std::string> Events;
  // "OnHelp:<context>[:popup]" goes to Events as well; the form shows the help as a tip.
  TzbBarHelpRequest LastHelp;

  // A toolbar "Suchen" in a new row of the top dock with the edit item "Suche" (caption shown) and
  // the combo item "Ansicht" ("Liste", "Baum", "Details", "Symbole").
  TzbBar* AddEditBar();
  // A toolbar "Weitere Felder" in a new row of the top dock with the colour combo "Farbe", the
  // font-name combo "Schrift", the image combo "Symbol" (entries "Kreis", "Quadrat", "Dreieck"
  // with the pictures of FieldImages), the tree-view combo "Raum" (the building "Haus" with its
  // floors and rooms, pictures from FieldImages) and the spin edit "Anzahl" (0 to 99).
  TzbBar* AddMoreFieldsBar();
  TzbSideBarImageList FieldImages{16, 16};  // a red circle, a green square, a blue triangle
  // A toolbar "Suchfeld" in a new row of the top dock whose container item "Suchfeld" hosts the
  // line edit `HostedEdit` (object name "Suchtext", 120 x 20, a child of the form); at the end of
  // the "&Einstellungen" menu the in-place sub-item "Ansicht" (buttons "Kleine Symbole", "Liste",
  // "Details", collapsed) and, beginning a group, the toolbars list "Symbolleisten".
  TzbBar* AddHostingItems();
  QLineEdit* HostedEdit = nullptr;
  // A sub-item "Lang" ("&Lang") at the end of the main menu bar whose menu, with its sixty buttons
  // "Eintrag0" .. "Eintrag59" ("Eintrag 0" ...), is higher than the screen.
  TzbBarSubItem* AddLongMenu();
  TzbBarItem* Item(const std::string& name) const;
  TzbBarControl* WindowOf(const TzbBar* bar) const;
  // The control of the item's link in the window (nil when not shown there).
  TzbBarItemControl* ControlIn(const TCustomzbBarControl* window, const std::string& itemName) const;
  TzbBarItemControl* MenuBarEntry(const std::string& itemName) const;
  // The open menu window of a sub-item, nil when closed.
  TzbBarSubMenuControl* MenuOf(const std::string& subItemName) const;
  // The screen rectangle of a control in its window.
  TRect ScreenRectOf(const TzbBarItemControl& control) const;
  QPoint CenterOf(const TzbBarItemControl& control) const;
  // Screen points of a side-bar item's picture and of a group caption.
  QPoint SideBarItemPoint(const TzbSideBarItem& item) const;
  QPoint SideBarGroupPoint(const TzbSideGroup& group) const;

  // A point on the drag handle of a docked bar, and one on the caption of a floating bar away from
  // its close button.
  QPoint GripOf(const TzbBar* bar) const;
  QPoint CaptionOf(const TzbBar* bar) const;
  // Presses at from and moves through the middle to to (the button stays down).
  void Drag(const QPoint& from, const QPoint& to);

  // Mouse input at a screen point, delivered to the top-level window under it.
  void Press(const QPoint& screen, Qt::MouseButton button = Qt::LeftButton);
  void Release(const QPoint& screen, Qt::MouseButton button = Qt::LeftButton);
  void Click(const QPoint& screen, Qt::MouseButton button = Qt::LeftButton);
  void Move(const QPoint& screen);
  void DoubleClick(const QPoint& screen);
  void ClickControl(const TzbBarItemControl& control) { Click(CenterOf(control)); }
  void MoveToControl(const TzbBarItemControl& control) { Move(CenterOf(control)); }
  // Key input to the form's window.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void KeyPress(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void KeyRelease(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

 private:
  TzbBarButton* Button(const std::string& name, const std::string& caption, bool glyph = false);
  TzbBarSubItem* SubItem(const std::string& name, const std::string& caption);
  void Add(TzbBarItemLinks& links, TzbBarItem* item, bool beginGroup = false);
  QWindow* WindowAt(const QPoint& screen, QPoint& local) const;
  void AddSideBar();
  void AddUserDock();
  void SortIntoCategories(const std::vector<TzbBarSubItem*>& menus);
};

}  // namespace zyn::test
